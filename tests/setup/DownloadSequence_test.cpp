#include "Unit1.h"

#include "Form1Fixture.h"
#include "TestPrinters.h"
#include "fce_import_so.h"
#include "platform/InstallerPins.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

using corvane::FakePlatform;

const QString ApplicationPath = u"/data/crv/crvsetup.exe"_s;
const QString NetFrameworkPath = u"/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe"_s;
const QString NativeClientPath = u"/data/sqllocaldb/nativeclient/64bit/sqlncli.msi"_s;
const QString LocalDbPath = u"/data/sqllocaldb/64bit/sqllocaldb.msi"_s;

// The download error box as the window composes it on an English system.
QString ErrorText(const QString &kind, const QString &message)
{
    return kind + u" with message: "_s + message +
           u" This error occurred during the download. Can not continue. You can try again "
           u"later."_s;
}

class DownloadSequenceTest : public Form1Fixture
{
protected:
    QString Url(const QString &path) { return machine->DownloadBase() + path; }

    // Step 3 ready to run on a machine with the database.
    void PrepareStepThree()
    {
        machine->AddRegistryKey(corvane::LocalDbKey.toString());
        SetSteps({false, false, true});
    }
};

TEST_F(DownloadSequenceTest, FailedDownloadIsReportedAndItsInstallerSkipped)
{
    PrepareStepThree();
    FakePlatform::DownloadScript script;
    script.notifications = {{30, 120}};
    script.fails = true;
    machine->SetDownloadScript(Url(ApplicationPath), script);

    Click(u"instalovat3b"_s);

    const QString message = u"Error downloading URL: "_s + Url(ApplicationPath);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first(),
              (ShownBox{ErrorText(u"Exception"_s, message), u"error"_s, QMessageBox::Critical}));
    EXPECT_EQ(StatusBar()->currentMessage(), message);
    EXPECT_FALSE(Button(u"zrusitb"_s)->isEnabled());
    EXPECT_TRUE(machine->Runs().isEmpty());
    // The bar keeps where the download stopped; the step stays disabled.
    EXPECT_EQ(ProgressBar()->maximum(), 120);
    EXPECT_EQ(ProgressBar()->value(), 30);
    EXPECT_FALSE(Button(u"instalovat3b"_s)->isEnabled());
}

TEST_F(DownloadSequenceTest, ErrorBoxNamesTheKindAndMessageOfTheError)
{
    // The 64-bit probe is asked when the download starts; its error is
    // reported like a download error, under its own kind.
    machine->AddRegistryKey(corvane::NetFramework4Key.toString());
    machine->AddRegistryKey(corvane::NativeClientKey.toString());
    machine->SetWow64Error(u"Access is denied"_s, u"EOSError"_s);
    SetSteps({false, true, false});

    Click(u"instalovat2b"_s);

    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.at(0).text, ErrorText(u"EOSError"_s, u"Access is denied"_s));
    EXPECT_EQ(boxes.at(1), ItemBox(15, 2));
    EXPECT_TRUE(machine->Downloads().isEmpty());
    EXPECT_TRUE(machine->Runs().isEmpty());
}

TEST_F(DownloadSequenceTest, StepOneGoesOnAfterAFailedDownloadAndReportsTwice)
{
    SetSteps({true, false, false});
    FakePlatform::DownloadScript failing;
    failing.fails = true;
    failing.errorMessage = u"Unable to load urlmon.dll"_s;
    machine->SetDownloadScript(Url(NetFrameworkPath), failing);
    machine->SetRunEffect(machine->GetTempFolder() + u"sqlncli.msi"_s,
                          [this](const FakePlatform::RunCall &) {
                              machine->AddRegistryKey(corvane::NativeClientKey.toString());
                              return corvane::RunResult::Exited(0);
                          });

    Click(u"instalovat1b"_s);

    ASSERT_EQ(machine->Downloads().size(), 2);
    EXPECT_EQ(machine->Downloads().at(1).url, Url(NativeClientPath));
    ASSERT_EQ(machine->Runs().size(), 1);
    EXPECT_EQ(machine->Runs().first().fileName, machine->GetTempFolder() + u"sqlncli.msi"_s);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.at(0), (ShownBox{ErrorText(u"Exception"_s, u"Unable to load urlmon.dll"_s),
                                     Item(8), QMessageBox::Critical}));
    EXPECT_EQ(boxes.at(1), ItemBox(10, 2));
    EXPECT_EQ(Steps(), (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(StatusBar()->currentMessage(), QString());
}

TEST_F(DownloadSequenceTest, CancelStopsTheDownloadAtTheNextNotification)
{
    PrepareStepThree();
    QList<int> reached;
    FakePlatform::DownloadScript script;
    script.notifications = {{10, 100}, {20, 100}, {30, 100}, {40, 100}};
    script.beforeNotification = [&](int i) {
        reached.append(i);
        // The user's click waits in the event queue; the progress handler
        // serves it and then sees the cancel.
        if (i == 1)
            QMetaObject::invokeMethod(Button(u"zrusitb"_s), "click", Qt::QueuedConnection);
    };
    machine->SetDownloadScript(Url(ApplicationPath), script);

    Click(u"instalovat3b"_s);

    EXPECT_EQ(reached, (QList<int>{0, 1}));
    const QString message = u"Error downloading URL: "_s + Url(ApplicationPath);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first().text, ErrorText(u"Exception"_s, message));
    EXPECT_EQ(StatusBar()->currentMessage(), message);
    EXPECT_FALSE(Button(u"zrusitb"_s)->isEnabled());
    EXPECT_TRUE(machine->Runs().isEmpty());
    EXPECT_EQ(ProgressBar()->value(), 20);
}

// A machine on which the user presses "cancel" after a download's last
// progress notification, just before the download completes.
class LateCancelMachine : public FakePlatform
{
public:
    std::function<void()> afterLastNotification;
    void DownloadToFile(const QString &url, const QString &fileName,
                        const corvane::DownloadProgressHandler &onProgress,
                        QObject *sender) override
    {
        FakePlatform::DownloadToFile(url, fileName, onProgress, sender);
        if (afterLastNotification)
            afterLastNotification();
    }
};

TEST_F(DownloadSequenceTest, CancelAfterTheLastNotificationHasNoEffect)
{
    auto late = std::make_unique<LateCancelMachine>();
    late->afterLastNotification = [this] { Click(u"zrusitb"_s); };
    machine = late.get();
    corvane::SetPlatform(std::move(late));
    PrepareStepThree();

    Click(u"instalovat3b"_s);

    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(machine->Runs().size(), 1);
    EXPECT_EQ(StatusBar()->currentMessage(), Item(17));
    EXPECT_FALSE(Button(u"zrusitb"_s)->isEnabled());
}

TEST_F(DownloadSequenceTest, CloseDuringAStepTakesEffectWhenTheStepIsOver)
{
    PrepareStepThree();
    bool visibleMeanwhile = false;
    FakePlatform::DownloadScript script;
    script.notifications = {{10, 100}, {100, 100}};
    script.beforeNotification = [&](int i) {
        if (i == 0)
            Click(u"konecb"_s);
        else
            visibleMeanwhile = Form().isVisible();
    };
    machine->SetDownloadScript(Url(ApplicationPath), script);

    Click(u"instalovat3b"_s);

    EXPECT_TRUE(visibleMeanwhile);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(machine->Runs().size(), 1);
    EXPECT_FALSE(Form().isVisible());
}

TEST_F(DownloadSequenceTest, AStepEndedByAnErrorLetsTheWindowClose)
{
    PrepareStepThree();
    machine->SetRunEffect(machine->GetTempFolder() + u"crvsetup.exe"_s,
                          [](const FakePlatform::RunCall &) -> corvane::RunResult {
                              throw std::runtime_error("installer vanished");
                          });

    EXPECT_THROW(Form().instalovat3bClick(nullptr), std::runtime_error);
    // The step is over: it can run again, and the window closes.
    EXPECT_THROW(Form().instalovat3bClick(nullptr), std::runtime_error);
    Click(u"konecb"_s);
    EXPECT_FALSE(Form().isVisible());
}

TEST_F(DownloadSequenceTest, ProgressBarFollowsTheReceivedAmount)
{
    PrepareStepThree();
    QList<std::pair<int, int>> seen; // (maximum, value) before each notification
    FakePlatform::DownloadScript script;
    script.notifications = {{0, 0}, {100, 0}, {250, 0}, {250, 1000}, {1000, 1000}};
    script.beforeNotification = [&](int) {
        seen.append({ProgressBar()->maximum(), ProgressBar()->value()});
    };
    machine->SetDownloadScript(Url(ApplicationPath), script);

    Click(u"instalovat3b"_s);

    // Without a reported size the maximum is 0 and the position still follows.
    EXPECT_EQ(seen,
              (QList<std::pair<int, int>>{{100, 0}, {0, 0}, {0, 100}, {0, 250}, {1000, 250}}));
    EXPECT_EQ(ProgressBar()->value(), 0);
}

TEST_F(DownloadSequenceTest, HugeDownloadsKeepTheirProportion)
{
    PrepareStepThree();
    FakePlatform::DownloadScript script;
    script.notifications = {{3'000'000'000u, 4'000'000'000u}};
    script.fails = true;
    machine->SetDownloadScript(Url(ApplicationPath), script);

    Click(u"instalovat3b"_s);

    const int maximum = ProgressBar()->maximum();
    const int value = ProgressBar()->value();
    ASSERT_GT(maximum, 0);
    EXPECT_NEAR(double(value) / maximum, 0.75, 1e-6);
}

TEST_F(DownloadSequenceTest, StepTwoGoesOnAfterAFailedDownloadAndReportsTwice)
{
    machine->AddRegistryKey(corvane::NetFramework4Key.toString());
    machine->AddRegistryKey(corvane::NativeClientKey.toString());
    SetSteps({false, true, false});
    FakePlatform::DownloadScript failing;
    failing.fails = true;
    machine->SetDownloadScript(Url(LocalDbPath), failing);

    Click(u"instalovat2b"_s);

    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.at(0).text,
              ErrorText(u"Exception"_s, u"Error downloading URL: "_s + Url(LocalDbPath)));
    EXPECT_EQ(boxes.at(1), ItemBox(15, 2));
    EXPECT_TRUE(machine->Runs().isEmpty());
    EXPECT_EQ(Steps(), (std::array<bool, 3>{false, true, false}));
}

TEST_F(DownloadSequenceTest, InstallerThatDiffersFromItsPinIsDeletedAndNotRun)
{
    QTemporaryDir temp;
    machine->SetTempFolder(temp.path() + u'/');
    const QString pins = temp.filePath(u"installers.sha256"_s);
    corvane::SetInstallerPinFile(pins);
    const QByteArray installer = "#!/bin/sh\necho Corvane\n";
    const auto pin = [&](const QByteArray &data) {
        QFile file(pins);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex() +
                   "  /data/crv/crvsetup.exe\n");
    };
    pin("another installer");
    PrepareStepThree();
    FakePlatform::DownloadScript script;
    script.content = installer;
    machine->SetDownloadScript(Url(ApplicationPath), script);

    Click(u"instalovat3b"_s);

    const QString package = machine->GetTempFolder() + u"crvsetup.exe"_s;
    const QString refusal =
        u"The downloaded file %1 is not trusted: its SHA-256 checksum %2 differs from %3, the one "
        u"%4 names for /data/crv/crvsetup.exe"_s.arg(
            package,
            QString::fromLatin1(
                QCryptographicHash::hash(installer, QCryptographicHash::Sha256).toHex()),
            QString::fromLatin1(
                QCryptographicHash::hash("another installer", QCryptographicHash::Sha256).toHex()),
            pins);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first(),
              (ShownBox{ErrorText(u"Exception"_s, refusal), u"error"_s, QMessageBox::Critical}));
    EXPECT_EQ(StatusBar()->currentMessage(), refusal);
    EXPECT_FALSE(QFile::exists(package));
    EXPECT_TRUE(machine->Runs().isEmpty());
    EXPECT_FALSE(Button(u"zrusitb"_s)->isEnabled());

    // The wizard stays usable: with the right pin the next try installs.
    pin(installer);
    Click(u"pokracovatb"_s);
    Click(u"instalovat3b"_s);
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(machine->Runs().size(), 1);
    EXPECT_EQ(StatusBar()->currentMessage(), Item(17));
    corvane::SetInstallerPinFile(QString());
}

} // namespace
