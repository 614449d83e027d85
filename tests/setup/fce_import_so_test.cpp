#include "fce_import_so.h"

#include "TestPrinters.h"
#include "platform/FakePlatform.h"

#include <QObject>

#include <gtest/gtest.h>
#include <ostream>

using namespace Qt::StringLiterals;
using corvane::FakePlatform;

namespace {

// Installs a fake machine for one test and puts the native backend back.
class ProbesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<FakePlatform>();
        machine = fake.get();
        corvane::SetPlatform(std::move(fake));
    }
    void TearDown() override { corvane::SetPlatform(nullptr); }

    FakePlatform *machine = nullptr;
};

struct VersionCase
{
    const char *name;
    quint32 platformId, major, minor;
    const char16_t *expected;
};

// A failing row is printed by its name.
void PrintTo(const VersionCase &c, std::ostream *os)
{
    *os << c.name;
}

class WindowsNameTest : public ProbesTest, public testing::WithParamInterface<VersionCase>
{
};

TEST_P(WindowsNameTest, NamesTheVersionTriple)
{
    const VersionCase &c = GetParam();
    machine->SetWindowsVersion(c.platformId, c.major, c.minor);
    EXPECT_EQ(GetWindowsName(), QString::fromUtf16(c.expected));
}

const VersionCase versionCases[] = {
    {"Win95", 1, 4, 0, u"95"},
    {"Win98", 1, 4, 10, u"98"},
    {"WinMeIsUnknown", 1, 4, 90, u"?"},
    {"NT3AnyMinor", 2, 3, 51, u"NT3"},
    {"NT4", 2, 4, 0, u"NT4"},
    {"Windows2000", 2, 5, 0, u"Windows 2000"},
    {"WindowsXP", 2, 5, 1, u"Windows XP"},
    {"Server2003IsUnknown", 2, 5, 2, u"?"},
    {"Vista", 2, 6, 0, u"Windows Vista"},
    {"Windows7", 2, 6, 1, u"Windows 7"},
    {"Windows8", 2, 6, 2, u"Windows 8"},
    {"Windows81IsUnknown", 2, 6, 3, u"?"},
    {"Windows10IsUnknown", 2, 10, 0, u"?"},
    {"Win32sIsUnknown", 0, 3, 10, u"?"},
    {"UnknownPlatform", 3, 6, 1, u"?"},
};

INSTANTIATE_TEST_SUITE_P(Versions, WindowsNameTest, testing::ValuesIn(versionCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ProbesTest, ProbesAskTheCurrentPlatformOnEveryCall)
{
    machine->SetAdministrator(false);
    machine->SetOnline(false);
    machine->SetWow64(false);
    machine->SetTempFolder(u"/t/"_s);
    machine->SetLocaleInfo(89, "cs");
    EXPECT_FALSE(IsAdministrator());
    EXPECT_FALSE(IsInternetConnected());
    EXPECT_FALSE(IsWow64());
    EXPECT_EQ(GetTempFolder(), u"/t/"_s);
    EXPECT_EQ(GetSystemLocaleInfo(corvane::LocaleIso639LangName), QByteArray("cs"));
    EXPECT_EQ(GetSystemLocaleInfo(90), QByteArray());

    EXPECT_FALSE(IsLocalDbInstalled());
    // An installer ran meanwhile; the next call sees its key.
    machine->AddRegistryKey(
        u"software\\microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\11.0"_s);
    EXPECT_TRUE(IsLocalDbInstalled());
    EXPECT_TRUE(RegistryKeyExists(corvane::LocalDbKey.toString()));
    EXPECT_FALSE(RegistryKeyExists(corvane::NativeClientKey.toString()));
}

TEST_F(ProbesTest, Wow64ErrorReachesTheCaller)
{
    machine->SetWow64Error(u"Access denied"_s);
    try {
        IsWow64();
        FAIL() << "no error raised";
    } catch (const corvane::Exception &error) {
        EXPECT_EQ(error.Message(), u"Access denied"_s);
        EXPECT_EQ(error.ClassName(), u"EOSError"_s);
    }
}

TEST(PlatformSlot, SetPlatformHandsBackTheInstalledBackend)
{
    auto fake = std::make_unique<FakePlatform>();
    FakePlatform *raw = fake.get();
    corvane::SetPlatform(std::move(fake));
    EXPECT_EQ(&corvane::CurrentPlatform(), raw);
    const std::unique_ptr<corvane::Platform> previous = corvane::SetPlatform(nullptr);
    EXPECT_EQ(previous.get(), raw);
}

// The fake's scripted downloads treat a progress handler as the real ones do.
TEST(FakePlatformDownload, CancelStopsAtTheNextNotification)
{
    FakePlatform machine;
    const QString url = u"http://x/a.exe"_s;
    FakePlatform::DownloadScript script;
    script.notifications = {{0, 300}, {100, 300}, {200, 300}, {300, 300}};
    machine.SetDownloadScript(url, script);

    std::vector<quint32> seen;
    QObject sender;
    const auto handler = [&](QObject *from, quint32 progress, quint32, quint32, const QString &,
                             bool &cancel) {
        EXPECT_EQ(from, &sender);
        seen.push_back(progress);
        cancel = progress == 100;
    };
    try {
        machine.DownloadToFile(url, u"/tmp/a.exe"_s, handler, &sender);
        FAIL() << "cancel did not fail the download";
    } catch (const corvane::Exception &error) {
        EXPECT_EQ(error.Message(), u"Error downloading URL: http://x/a.exe"_s);
        EXPECT_EQ(error.ClassName(), u"Exception"_s);
    }
    EXPECT_EQ(seen, (std::vector<quint32>{0, 100}));
    ASSERT_EQ(machine.Downloads().size(), 1);
    EXPECT_EQ(machine.Downloads().at(0).fileName, u"/tmp/a.exe"_s);
}

TEST(FakePlatformDownload, ScriptedFailureComesAfterItsNotifications)
{
    FakePlatform machine;
    FakePlatform::DownloadScript script;
    script.notifications = {{0, 0}, {10, 0}};
    script.fails = true;
    int before = 0;
    script.beforeNotification = [&](int i) { before = i + 1; };
    machine.SetDownloadScript(u"u"_s, script);
    int notified = 0;
    EXPECT_THROW(machine.DownloadToFile(
                     u"u"_s, u"f"_s,
                     [&](QObject *, quint32, quint32 max, quint32, const QString &, bool &) {
                         EXPECT_EQ(max, 0u);
                         ++notified;
                     },
                     nullptr),
                 corvane::Exception);
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(before, 2);
}

TEST(FakePlatformRun, RunEffectsInstallKeysAndChooseTheResult)
{
    FakePlatform machine;
    machine.SetRunEffect(u"msiexec"_s, [&](const FakePlatform::RunCall &call) {
        EXPECT_EQ(call.parameters, u"/i \"C:\\T\\sqllocaldb.msi\""_s);
        machine.AddRegistryKey(corvane::LocalDbKey.toString());
        return corvane::RunResult::Exited(0);
    });
    machine.SetRunEffect(u"C:\\T\\broken.exe"_s,
                         [](const auto &) { return corvane::RunResult::NotStarted(); });

    EXPECT_TRUE(machine.RunAndWait(u"msiexec"_s, u"/i \"C:\\T\\sqllocaldb.msi\""_s, QString(), 1,
                                   u"C:\\T\\"_s));
    EXPECT_TRUE(machine.RegistryKeyExists(corvane::LocalDbKey.toString()));
    EXPECT_FALSE(machine.RunAndWait(u"C:\\T\\broken.exe"_s, QString(), QString(), 1, QString()));
    EXPECT_TRUE(machine.RunAndWait(u"C:\\T\\other.exe"_s, QString(), QString(), 1, QString()));
    ASSERT_EQ(machine.Runs().size(), 3);
    EXPECT_EQ(machine.Runs().at(0).showCommand, 1);
    EXPECT_EQ(machine.Runs().at(0).directory, u"C:\\T\\"_s);
}

} // namespace
