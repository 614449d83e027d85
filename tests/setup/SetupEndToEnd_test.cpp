#include "Unit1.h"

#include "DemoServer.h"
#include "Form1Fixture.h"
#include "TestPrinters.h"
#include "fce_import_so.h"
#include "platform/EmulatedPlatform.h"
#include "platform/InstallerPins.h"
#include "platform/MachineProfile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QString RepoRoot = DemoServer::RepoRoot();
// The pin file the build writes for the demo installers.
const QString DemoPins = QStringLiteral(WORDMILL_BINARY_DIR "/setup/installers.sha256");

// Bit width of the emulated Windows and the installers its steps must fetch.
struct MachineCase
{
    const char *name;
    bool wow64;
    const char16_t *nativeClientPath;
    const char16_t *localDbPath;
    friend void PrintTo(const MachineCase &c, std::ostream *os) { *os << c.name; }
};

// The whole wizard on an emulated Windows 7 machine with nothing installed,
// against the bundled demo download server and its demo installers.
class SetupEndToEndTest : public testing::TestWithParam<MachineCase>
{
protected:
    static void SetUpTestSuite()
    {
        server = new DemoServer;
        server->Start();
    }

    static void TearDownTestSuite()
    {
        server->Stop();
        delete server;
        server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(qEnvironmentVariableIsSet("CORVANE_DOWNLOAD_BASE"))
            << "the demo server did not start";
        server->Process().readAllStandardError();
        // Every demo installer is checked against its pin.
        ASSERT_TRUE(QFileInfo::exists(DemoPins));
        corvane::SetInstallerPinFile(DemoPins);
        previousBoxes = wordmill::SetMessageBoxHandler([this](const wordmill::MessageBoxRequest &r) {
            boxes.append({r.text, r.caption, r.icon});
        });
    }

    void TearDown() override
    {
        form.reset();
        wordmill::SetMessageBoxHandler(previousBoxes);
        corvane::SetPlatform(nullptr);
        corvane::SetInstallerPinFile(QString());
    }

    // A fresh machine in a folder whose path has spaces, as temp folders under
    // "Documents and Settings" do.
    corvane::EmulatedPlatform *PrepareMachine(bool wow64)
    {
        profile = folder.filePath(u"emulated machine/profile one"_s);
        EXPECT_TRUE(corvane::PrepareMachineProfile(profile));
        {
            QSettings ini(profile + u"/machine.ini"_s, QSettings::IniFormat);
            ini.setValue(u"windows/wow64"_s, wow64);
            ini.setValue(u"windows/admin"_s, true);
        }
        auto emulated = std::make_unique<corvane::EmulatedPlatform>(profile);
        corvane::EmulatedPlatform *machine = emulated.get();
        corvane::SetPlatform(std::move(emulated));
        return machine;
    }

    // The paths the server was asked for so far, once it has logged the last
    // one expected.
    QStringList RequestedPaths(const QString &last)
    {
        QString log;
        QDeadlineTimer deadline(2000);
        do {
            server->Process().waitForReadyRead(100);
            log += QString::fromUtf8(server->Process().readAllStandardError());
        } while (!log.contains(last) && !deadline.hasExpired());
        QStringList paths;
        static const QRegularExpression request(u"\"GET (\\S+) HTTP"_s);
        for (auto it = request.globalMatch(log); it.hasNext();)
            paths.append(it.next().captured(1));
        return paths;
    }

    template <typename T> T *Control(const QString &name) { return form->findChild<T *>(name); }
    void Click(const QString &name) { Control<QPushButton>(name)->click(); }
    std::array<bool, 3> Steps()
    {
        return {Control<QPushButton>(u"instalovat1b"_s)->isEnabled(),
                Control<QPushButton>(u"instalovat2b"_s)->isEnabled(),
                Control<QPushButton>(u"instalovat3b"_s)->isEnabled()};
    }
    QString Item(int n) { return Control<wordmill::TDesignedLexicon>(u"Lexicon1"_s)->Item(n); }

    static inline DemoServer *server = nullptr;
    QTemporaryDir folder;
    QString profile;
    std::unique_ptr<TForm1> form;
    QList<ShownBox> boxes;

private:
    wordmill::MessageBoxHandler previousBoxes;
};

TEST_P(SetupEndToEndTest, InstallsEverythingStepByStep)
{
    const MachineCase &c = GetParam();
    corvane::EmulatedPlatform *machine = PrepareMachine(c.wow64);
    ASSERT_TRUE(machine->GetTempFolder().contains(u' '));
    form = std::make_unique<TForm1>();
    form->show();

    Click(u"pokracovatb"_s);
    EXPECT_EQ(Control<QPlainTextEdit>(u"Memo2"_s)->toPlainText(),
              u"Net Framework 4.0.2\nSQL Native Client 11 "_s +
                  (c.wow64 ? u"64bit"_s : u"32bit"_s));
    EXPECT_EQ(Steps(), (std::array<bool, 3>{true, false, false}));

    Click(u"instalovat1b"_s);
    EXPECT_EQ(Steps(), (std::array<bool, 3>{false, true, false}));
    Click(u"instalovat2b"_s);
    EXPECT_EQ(Steps(), (std::array<bool, 3>{false, false, true}));
    Click(u"instalovat3b"_s);
    EXPECT_EQ(Steps(), (std::array<bool, 3>{false, false, false}));

    EXPECT_TRUE(boxes.isEmpty()) << qPrintable(boxes.value(0).text);
    EXPECT_EQ(Control<QStatusBar>(u"sb1"_s)->currentMessage(), Item(17));
    EXPECT_TRUE(machine->RegistryKeyExists(corvane::NetFramework4Key.toString()));
    EXPECT_TRUE(machine->RegistryKeyExists(corvane::NativeClientKey.toString()));
    EXPECT_TRUE(IsLocalDbInstalled());
    EXPECT_TRUE(QFileInfo(profile + u"/Program Files/Corvane/crv.exe"_s).isFile());
    for (const char16_t *file :
         {u"dotnetfx40_full_x86_x64.exe", u"sqlncli.msi", u"sqllocaldb.msi", u"crvsetup.exe"})
        EXPECT_TRUE(QFileInfo::exists(machine->GetTempFolder() + QString::fromUtf16(file)));

    const QStringList requested = RequestedPaths(u"/data/crv/crvsetup.exe"_s);
    EXPECT_EQ(requested,
              (QStringList{u"/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe"_s,
                           QString::fromUtf16(c.nativeClientPath),
                           QString::fromUtf16(c.localDbPath), u"/data/crv/crvsetup.exe"_s}));
}

TEST_P(SetupEndToEndTest, ContinueAfterwardsOffersOnlyTheApplication)
{
    const MachineCase &c = GetParam();
    PrepareMachine(c.wow64);
    form = std::make_unique<TForm1>();
    Click(u"pokracovatb"_s);
    Click(u"instalovat1b"_s);
    Click(u"instalovat2b"_s);

    Click(u"pokracovatb"_s);
    EXPECT_EQ(Steps(), (std::array<bool, 3>{false, false, true}));
    EXPECT_TRUE(boxes.isEmpty()) << qPrintable(boxes.value(0).text);
}

TEST_P(SetupEndToEndTest, AnInstallerThatDiffersFromItsPinIsRefused)
{
    PrepareMachine(GetParam().wow64);
    QFile demoPins(DemoPins);
    ASSERT_TRUE(demoPins.open(QIODevice::ReadOnly));
    QByteArray pins = demoPins.readAll();
    const qsizetype line = pins.indexOf("  /data/crv/crvsetup.exe");
    ASSERT_GE(line, 64);
    pins.replace(line - 64, 64, QByteArray(64, '0'));
    const QString tampered = folder.filePath(u"installers.sha256"_s);
    QFile file(tampered);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pins);
    file.close();
    corvane::SetInstallerPinFile(tampered);
    QDir(profile + u"/registry/HKLM"_s).mkpath(corvane::LocalDbKey.toString().replace(u'\\', u'/'));
    form = std::make_unique<TForm1>();
    Click(u"pokracovatb"_s);

    Click(u"instalovat3b"_s);

    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.first().text.contains(u"is not trusted: its SHA-256 checksum"_s))
        << qPrintable(boxes.first().text);
    EXPECT_FALSE(QFileInfo::exists(corvane::CurrentPlatform().GetTempFolder() + u"crvsetup.exe"_s));
    EXPECT_FALSE(QFileInfo::exists(profile + u"/Program Files/Corvane/crv.exe"_s));
    // Still usable: continue offers the step again.
    Click(u"pokracovatb"_s);
    EXPECT_EQ(Steps(), (std::array<bool, 3>{false, false, true}));
}

const MachineCase machineCases[] = {
    {"Windows7x64", true, u"/data/sqllocaldb/nativeclient/64bit/sqlncli.msi",
     u"/data/sqllocaldb/64bit/sqllocaldb.msi"},
    {"Windows7x86", false, u"/data/sqllocaldb/nativeclient/32bit/sqlncli.msi",
     u"/data/sqllocaldb/32bit/sqllocaldb.msi"},
};

INSTANTIATE_TEST_SUITE_P(Machines, SetupEndToEndTest, testing::ValuesIn(machineCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
