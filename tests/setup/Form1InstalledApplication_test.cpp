#include "Unit1.h"

#include "Form1Fixture.h"
#include "TestPrinters.h"
#include "fce_import_so.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// The window looks for crv.exe beside its own executable. So that no other
// test running at the same time sees that file, this suite copies itself into
// a private folder, puts crv.exe there and runs the copy, which then checks
// the window from inside.
constexpr char InsideCopy[] = "CORVANE_TEST_BESIDE_INSTALLED_APPLICATION";

class InstalledApplicationTest : public Form1Fixture
{
protected:
    void CheckWindowBesideTheApplication()
    {
        machine->AddRegistryKey(corvane::LocalDbKey.toString());
        ASSERT_TRUE(QFileInfo::exists(QCoreApplication::applicationDirPath() + u"/crv.exe"_s));

        EXPECT_FALSE(Control<QLabel>(u"Label4"_s)->isVisible());
        EXPECT_FALSE(Button(u"instalovat3b"_s)->isVisible());
        // Everything else is where it was.
        EXPECT_TRUE(Control<QLabel>(u"Label3"_s)->isVisible());
        EXPECT_TRUE(Button(u"konecb"_s)->isVisible());
        EXPECT_EQ(Button(u"konecb"_s)->geometry(), QRect(479, 352, 75, 25));
        EXPECT_EQ(Memo(u"Memo1"_s)->toPlainText(), Item(0));

        // "continue" enables the hidden step, which stays hidden.
        Click(u"pokracovatb"_s);
        EXPECT_TRUE(Button(u"instalovat3b"_s)->isEnabled());
        EXPECT_FALSE(Button(u"instalovat3b"_s)->isVisible());
    }
};

TEST_F(InstalledApplicationTest, StepThreeIsNotOfferedBesideCrvExe)
{
    if (qEnvironmentVariableIsSet(InsideCopy)) {
        CheckWindowBesideTheApplication();
        return;
    }

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString copy =
        folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QFile crv(folder.filePath(u"crv.exe"_s));
    ASSERT_TRUE(crv.open(QIODevice::WriteOnly));
    crv.close();

    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(InsideCopy), u"1"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(copy,
              {u"--gtest_filter=InstalledApplicationTest.StepThreeIsNotOfferedBesideCrvExe"_s});
    ASSERT_TRUE(run.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(run.readAll());
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << qPrintable(output);
    EXPECT_EQ(run.exitCode(), 0) << qPrintable(output);
    EXPECT_TRUE(output.contains(u"[  PASSED  ] 1 test"_s)) << qPrintable(output);
}

} // namespace
