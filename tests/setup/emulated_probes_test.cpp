#include "platform/EmulatedPlatform.h"

#include "TestPrinters.h"
#include "fce_import_so.h"
#include "platform/LocaleInfo.h"
#include "platform/MachineIni.h"
#include "platform/MachineProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>
#include <ostream>

using namespace Qt::StringLiterals;
using corvane::EmulatedPlatform;

namespace {

// Sets an environment variable for one scope.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

void WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

TEST(EmulatedMachine, NewProfileIsAWindows7MachineWithNothingInstalled)
{
    QTemporaryDir dir;
    const QString profile = dir.filePath(u"machine"_s);
    EmulatedPlatform machine(profile);

    EXPECT_TRUE(QFileInfo(profile + u"/machine.ini"_s).isFile());
    EXPECT_TRUE(QFileInfo(profile + u"/registry/HKLM"_s).isDir());
    EXPECT_EQ(corvane::WindowsName(machine.GetWindowsVersion()), u"Windows 7"_s);
    EXPECT_TRUE(machine.IsWow64());
    EXPECT_TRUE(machine.IsInternetConnected());
    EXPECT_EQ(machine.IsAdministrator(), geteuid() == 0);
    EXPECT_FALSE(machine.RegistryKeyExists(corvane::NetFramework4Key.toString()));
    EXPECT_FALSE(machine.RegistryKeyExists(corvane::NativeClientKey.toString()));
    EXPECT_FALSE(machine.RegistryKeyExists(corvane::LocalDbKey.toString()));

    const QString temp = machine.GetTempFolder();
    EXPECT_TRUE(temp.endsWith(u'/'));
    EXPECT_TRUE(QFileInfo(temp).isDir());
    EXPECT_EQ(QDir(temp).absolutePath(), QDir(profile + u"/temp"_s).absolutePath());
}

TEST(EmulatedMachine, ProfileComesFromTheEnvironmentAndReachesTheProbes)
{
    QTemporaryDir dir;
    const ScopedEnv env(corvane::MachineProfileVariable, dir.path().toUtf8());
    WriteFile(dir.filePath(u"machine.ini"_s), "[windows]\nplatform=2\nmajor=6\nminor=2\n");
    QDir().mkpath(dir.filePath(u"registry/HKLM/SOFTWARE/Microsoft/SQLNCLI11"_s));

    corvane::SetPlatform(std::make_unique<EmulatedPlatform>());
    EXPECT_EQ(GetWindowsName(), u"Windows 8"_s);
    EXPECT_TRUE(RegistryKeyExists(corvane::NativeClientKey.toString()));
    EXPECT_TRUE(GetTempFolder().startsWith(QDir(dir.path()).absolutePath() + u'/'));
    corvane::SetPlatform(nullptr);
}

struct MachineCase
{
    const char *name;
    const char *ini;
    const char16_t *windowsName;
    bool wow64, administrator, online;
};

// A failing row is printed by its name.
void PrintTo(const MachineCase &c, std::ostream *os)
{
    *os << c.name;
}

class MachineIniTest : public testing::TestWithParam<MachineCase>
{
};

TEST_P(MachineIniTest, ProbesAnswerWhatTheProfileSays)
{
    const MachineCase &c = GetParam();
    QTemporaryDir dir;
    WriteFile(dir.filePath(u"machine.ini"_s), c.ini);
    EmulatedPlatform machine(dir.path());
    EXPECT_EQ(corvane::WindowsName(machine.GetWindowsVersion()), QString::fromUtf16(c.windowsName));
    EXPECT_EQ(machine.IsWow64(), c.wow64);
    EXPECT_EQ(machine.IsAdministrator(), c.administrator);
    EXPECT_EQ(machine.IsInternetConnected(), c.online);
}

const MachineCase machineCases[] = {
    {"Windows7x64Admin", "[windows]\nplatform=2\nmajor=6\nminor=1\nwow64=true\nadmin=true\n",
     u"Windows 7", true, true, true},
    {"XpX86OfflineUser",
     "[windows]\nplatform=2\nmajor=5\nminor=1\nwow64=false\nadmin=false\nonline=false\n",
     u"Windows XP", false, false, false},
    {"Windows81IsUnknown", "[windows]\nplatform=2\nmajor=6\nminor=3\nadmin=false\n", u"?", true,
     false, true},
    {"Windows10IsUnknown", "[windows]\nplatform=2\nmajor=10\nminor=0\nadmin=1\n", u"?", true, true,
     true},
    {"Windows98", "[windows]\nplatform=1\nmajor=4\nminor=10\nadmin=true\nwow64=0\n", u"98", false,
     true, true},
    {"NoMeansFalse", "[windows]\nwow64=no\nadmin=No\nonline=NO\n", u"Windows 7", false, false,
     false},
    {"OffMeansFalse", "[windows]\nwow64=off\nadmin=OFF\nonline= Off \n", u"Windows 7", false, false,
     false},
    {"YesAndOnMeanTrue", "[windows]\nwow64=Yes\nadmin=on\nonline=TRUE\n", u"Windows 7", true, true,
     true},
    {"SectionAndKeysInAnyLetterCase", "[Windows]\nMajor=6\nMINOR=0\nWow64=false\nAdmin=1\n",
     u"Windows Vista", false, true, true},
    {"UnknownValuesKeepTheDefaults", "[windows]\nwow64=maybe\nadmin=yes\nonline=perhaps\nminor=x\n",
     u"Windows 7", true, true, true},
};

INSTANTIATE_TEST_SUITE_P(Profiles, MachineIniTest, testing::ValuesIn(machineCases),
                         [](const auto &info) { return std::string(info.param.name); });

// What the log is told about a machine.ini.
struct IniProblemCase
{
    const char *name;
    const char *ini;
    QStringList problems;
};

// A failing row is printed by its name.
void PrintTo(const IniProblemCase &c, std::ostream *os)
{
    *os << c.name;
}

class MachineIniProblemTest : public testing::TestWithParam<IniProblemCase>
{
};

TEST_P(MachineIniProblemTest, EveryValueOrKeyThatIsNotUsedIsReported)
{
    QTemporaryDir dir;
    WriteFile(dir.filePath(u"machine.ini"_s), GetParam().ini);
    QStringList problems;
    corvane::ReadMachineIni(dir.filePath(u"machine.ini"_s), problems);
    EXPECT_EQ(problems, GetParam().problems);
}

const IniProblemCase iniProblemCases[] = {
    {"CleanFile", "; comment\n[windows]\nplatform=2\nmajor=6\nminor=1\nwow64=1\nonline=yes\n", {}},
    {"ValuesThatAreNeitherTrueNorFalse",
     "[windows]\nadmin=maybe\nonline=sometimes\n",
     {u"admin=maybe is neither true nor false; the default is used"_s,
      u"online=sometimes is neither true nor false; true is used"_s}},
    {"NumberThatIsNone", "[windows]\nmajor=six\n", {u"major=six is not a number; 6 is used"_s}},
    {"KeysOutsideTheSection",
     "online=no\n[machine]\nadmin=true\n",
     {u"machine/admin is outside the [windows] section and is ignored"_s,
      u"online is outside the [windows] section and is ignored"_s}},
    {"UnknownKey",
     "[windows]\nonlien=false\n",
     {u"the key windows/onlien is unknown and ignored"_s}},
};

INSTANTIATE_TEST_SUITE_P(Files, MachineIniProblemTest, testing::ValuesIn(iniProblemCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct KeyCase
{
    const char *name;
    const char16_t *path;
    bool exists;
};

// A failing row is printed by its name.
void PrintTo(const KeyCase &c, std::ostream *os)
{
    *os << c.name;
}

class RegistryTest : public testing::TestWithParam<KeyCase>
{
};

TEST_P(RegistryTest, KeyExistsWhenItsFolderExists)
{
    QTemporaryDir dir;
    const QString hklm = dir.filePath(u"registry/HKLM/"_s);
    QDir().mkpath(hklm +
                  u"SOFTWARE/Microsoft/Microsoft SQL Server Local DB/Installed Versions/11.0"_s);
    QDir().mkpath(hklm + u"SOFTWARE/Empty"_s);
    WriteFile(hklm + u"SOFTWARE/NotAKey"_s, "a file, not a key");
    QDir().mkpath(dir.filePath(u"outside"_s));
    EmulatedPlatform machine(dir.path());
    EXPECT_EQ(machine.RegistryKeyExists(QString::fromUtf16(GetParam().path)), GetParam().exists);
}

const KeyCase keyCases[] = {
    {"FullPath", u"SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\11.0",
     true},
    {"ParentKey", u"SOFTWARE\\Microsoft", true},
    {"EmptyKey", u"SOFTWARE\\Empty", true},
    {"LetterCaseIgnored", u"software\\MICROSOFT\\microsoft sql server local db", true},
    {"TrailingBackslash", u"SOFTWARE\\Empty\\", true},
    {"MissingKey", u"SOFTWARE\\Microsoft\\SQLNCLI11", false},
    {"MissingLeaf", u"SOFTWARE\\Empty\\v4", false},
    {"FileIsNoKey", u"SOFTWARE\\NotAKey", false},
    {"NoEscapeFromTheTree", u"..\\..\\outside", false},
    {"SlashIsPartOfAName", u"SOFTWARE/Microsoft", false},
};

INSTANTIATE_TEST_SUITE_P(Keys, RegistryTest, testing::ValuesIn(keyCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct LocaleCase
{
    const char *name;
    const char16_t *locale;
    int type;
    QByteArray expected;
};

// A failing row is printed by its name.
void PrintTo(const LocaleCase &c, std::ostream *os)
{
    *os << c.name;
}

class LocaleInfoTest : public testing::TestWithParam<LocaleCase>
{
};

TEST_P(LocaleInfoTest, AnswersLikeTheSystemLocale)
{
    const LocaleCase &c = GetParam();
    EXPECT_EQ(corvane::LocaleInfo(QLocale(QString::fromUtf16(c.locale)), c.type), c.expected);
}

const LocaleCase localeCases[] = {
    {"CzechLanguage", u"cs_CZ", 89, "cs"},  {"EnglishLanguage", u"en_US", 89, "en"},
    {"GermanLanguage", u"de_AT", 89, "de"}, {"CLocaleNamesNoLanguage", u"C", 89, ""},
    {"Country", u"cs_CZ", 90, "CZ"},        {"EnglishLanguageName", u"cs_CZ", 0x1001, "Czech"},
    {"UnknownType", u"cs_CZ", 12345, ""},
};

INSTANTIATE_TEST_SUITE_P(Locales, LocaleInfoTest, testing::ValuesIn(localeCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(EmulatedMachine, LocaleIsTheProcessLocale)
{
    QTemporaryDir dir;
    EmulatedPlatform machine(dir.path());
    EXPECT_EQ(machine.GetSystemLocaleInfo(89), corvane::LocaleInfo(QLocale::system(), 89));
}

TEST(EmulatedMachine, DownloadBaseIsConfigurable)
{
    QTemporaryDir dir;
    EmulatedPlatform machine(dir.path());
    {
        const ScopedEnv env("CORVANE_DOWNLOAD_BASE", "http://example.test:9000/");
        EXPECT_EQ(machine.DownloadBase(), u"http://example.test:9000"_s);
    }
    const ScopedEnv none("CORVANE_DOWNLOAD_BASE", QByteArray());
    EXPECT_EQ(machine.DownloadBase(), u"http://127.0.0.1:8471"_s);
}

} // namespace
