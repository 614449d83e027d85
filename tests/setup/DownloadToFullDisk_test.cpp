#include "Unit1.h"

#include "DemoServer.h"
#include "Form1Fixture.h"
#include "SmallDisk.h"
#include "TestPrinters.h"
#include "fce_import_so.h"
#include "platform/EmulatedPlatform.h"
#include "platform/MachineProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QByteArray EarlierInstaller = "#!/bin/sh\necho an earlier installer\n";

// Step 3 on an emulated machine whose temp folder is a full small disk, with
// an earlier copy of the application's installer in it, against the demo
// download server.
class DownloadToFullDiskTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!disk.IsMounted())
            GTEST_SKIP() << qPrintable(disk.Reason());
        server.Start();
        ASSERT_TRUE(qEnvironmentVariableIsSet("CORVANE_DOWNLOAD_BASE"))
            << "the demo server did not start";
        profile = folder.filePath(u"profile"_s);
        ASSERT_TRUE(QDir().mkpath(profile));
        // The temp folder lives on the small disk.
        ASSERT_TRUE(QFile::link(disk.FilePath(QString()), profile + u"/temp"_s));
        ASSERT_TRUE(corvane::PrepareMachineProfile(profile));
        {
            QSettings ini(profile + u"/machine.ini"_s, QSettings::IniFormat);
            ini.setValue(u"windows/admin"_s, true);
        }
        ASSERT_TRUE(QDir(profile + u"/registry/HKLM"_s)
                        .mkpath(corvane::LocalDbKey.toString().replace(u'\\', u'/')));
        QFile earlier(disk.FilePath(u"crvsetup.exe"_s));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write(EarlierInstaller);
        earlier.close();

        auto machine = std::make_unique<corvane::EmulatedPlatform>(profile);
        corvane::SetPlatform(std::move(machine));
        previousBoxes = wordmill::SetMessageBoxHandler([this](const wordmill::MessageBoxRequest &r) {
            boxes.append({r.text, r.caption, r.icon});
        });
    }

    void TearDown() override
    {
        form.reset();
        wordmill::SetMessageBoxHandler(previousBoxes);
        corvane::SetPlatform(nullptr);
        server.Stop();
    }

    SmallDisk disk;
    DemoServer server;
    QTemporaryDir folder;
    QString profile;
    std::unique_ptr<TForm1> form;
    QList<ShownBox> boxes;
    wordmill::MessageBoxHandler previousBoxes;
};

TEST_F(DownloadToFullDiskTest, StepThreeReportsTheDownloadErrorAndRunsNothing)
{
    form = std::make_unique<TForm1>();
    form->show();
    auto *lexicon = form->findChild<wordmill::TDesignedLexicon *>(u"Lexicon1"_s);
    form->findChild<QPushButton *>(u"instalovat3b"_s)->setEnabled(true);
    ASSERT_TRUE(disk.Fill());

    form->findChild<QPushButton *>(u"instalovat3b"_s)->click();

    const QString message = u"Error downloading URL: "_s +
                            qEnvironmentVariable("CORVANE_DOWNLOAD_BASE") +
                            u"/data/crv/crvsetup.exe"_s;
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first(), (ShownBox{u"Exception "_s + lexicon->Item(6) + u' ' + message + u' ' +
                                           lexicon->Item(7),
                                       lexicon->Item(8), QMessageBox::Critical}));
    EXPECT_EQ(form->findChild<QStatusBar *>(u"sb1"_s)->currentMessage(), message);
    // The earlier installer is neither replaced nor started.
    QFile earlier(disk.FilePath(u"crvsetup.exe"_s));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), EarlierInstaller);
    EXPECT_EQ(disk.Files(), (QStringList{u"crvsetup.exe"_s, u"filler"_s}));
    EXPECT_FALSE(QFileInfo::exists(profile + u"/Program Files/Corvane/crv.exe"_s));
}

} // namespace
