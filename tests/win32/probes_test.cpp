// The probes asked of a Wine prefix that scripts/wine-tests.sh prepared: its
// Windows version, its architecture, the keys it added with "reg add", the
// locale it ran the suite in, and the host's network routes.

#include "TestOptions.h"
#include "Win32Probes.h"
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

#include <cwctype>

using namespace corvane::win32;

namespace {

constexpr int IsoLanguageName = 89; // LOCALE_SISO639LANGNAME

TEST(Probes, VersionIsTheOneThePrefixReports)
{
    // --version=platform.major.minor, as the script configured the prefix.
    const Version version = GetWindowsVersion();
    const std::wstring reported = std::to_wstring(version.platformId) + L"." +
                                  std::to_wstring(version.major) + L"." +
                                  std::to_wstring(version.minor);
    EXPECT_EQ(reported, TestOptions::Text(L"version"));
}

TEST(Probes, ProcessOfTheInstallingUserIsAdministrator)
{
    // Wine gives every process the token of a member of Administrators.
    EXPECT_TRUE(IsAdministrator());
}

TEST(Probes, Wow64TellsTheArchitectureOfThePrefix)
{
    EXPECT_EQ(IsWow64(), TestOptions::Flag(L"wow64"));
}

TEST(Probes, OnlineFollowsTheDefaultRoute)
{
    // Wine counts a machine with a default route as connected; the script
    // looked at the host's routing table.
    EXPECT_EQ(IsInternetConnected(), TestOptions::Flag(L"online"));
}

TEST(Probes, LocaleNameIsTheOneTheSuiteRunsIn)
{
    const std::wstring locale = TestOptions::Text(L"locale");
    EXPECT_EQ(GetSystemLocaleInfo(IsoLanguageName), std::string(locale.begin(), locale.end()));
    EXPECT_EQ(GetSystemLocaleInfo(-1), "") << "an unknown information type names nothing";
}

// The keys below HKLM\SOFTWARE\CorvaneWineTest that the script added: "Both"
// and its empty child "Both\Empty" without a view flag from a 32-bit process'
// point of view (/reg:32), "Only64" with /reg:64 alone.
enum class Expect { Found, Missing, FoundWithoutWow64 };

struct KeyCase
{
    const char *name;
    const wchar_t *path;
    Expect expect;
};

// Failures name the row.
void PrintTo(const KeyCase &c, std::ostream *out)
{
    *out << c.name;
}

class RegistryKeyExistsTest : public testing::TestWithParam<KeyCase>
{
};

TEST_P(RegistryKeyExistsTest, AnswersAsTheRegistryOfThePrefix)
{
    const KeyCase &c = GetParam();
    const bool expected = c.expect == Expect::Found ||
                          (c.expect == Expect::FoundWithoutWow64 && !TestOptions::Flag(L"wow64"));
    EXPECT_EQ(RegistryKeyExists(c.path), expected);
}

const KeyCase KeyCases[] = {
    {"key_added_beforehand", L"SOFTWARE\\CorvaneWineTest\\Both", Expect::Found},
    {"empty_key", L"SOFTWARE\\CorvaneWineTest\\Both\\Empty", Expect::Found},
    {"other_letter_case", L"software\\corvanewinetest\\BOTH", Expect::Found},
    {"missing_key", L"SOFTWARE\\CorvaneWineTest\\Missing", Expect::Missing},
    {"missing_below_existing", L"SOFTWARE\\CorvaneWineTest\\Both\\Empty\\Deeper", Expect::Missing},
    // A 32-bit process without a view flag reads the 32-bit view.
    {"key_only_in_64_bit_view", L"SOFTWARE\\CorvaneWineTest\\Only64", Expect::FoundWithoutWow64},
    {"prerequisite_not_installed", L"SOFTWARE\\Microsoft\\SQLNCLI11\\CorvaneNever",
     Expect::Missing},
};

INSTANTIATE_TEST_SUITE_P(Probes, RegistryKeyExistsTest, testing::ValuesIn(KeyCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The temp folder follows the TMP variable of the process, as on Windows.
struct TempCase
{
    const char *name;
    std::wstring tmp;      // empty: as the prefix set it
    std::wstring expected; // empty: any folder name callers can append to
};

void PrintTo(const TempCase &c, std::ostream *out)
{
    *out << c.name;
}

class TempFolderTest : public testing::TestWithParam<TempCase>
{
protected:
    void SetUp() override
    {
        std::wstring buffer(32768, L'\0');
        const DWORD length = GetEnvironmentVariableW(L"TMP", buffer.data(), DWORD(buffer.size()));
        m_hadTmp = length > 0 && length < buffer.size();
        if (m_hadTmp)
            m_tmp = buffer.substr(0, length);
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"TMP", m_hadTmp ? m_tmp.c_str() : nullptr);
    }

private:
    bool m_hadTmp = false;
    std::wstring m_tmp;
};

TEST_P(TempFolderTest, EndsWithADelimiterAndNamesTheFolder)
{
    const TempCase &c = GetParam();
    if (!c.tmp.empty()) {
        ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", c.tmp.c_str()));
    }
    const std::wstring folder = GetTempFolder();
    if (c.expected.empty()) {
        ASSERT_FALSE(folder.empty());
        EXPECT_EQ(folder.back(), L'\\');
        if (c.tmp.empty()) {
            EXPECT_TRUE(FolderExists(folder)) << "the prefix's temp folder exists";
        }
    } else {
        EXPECT_EQ(folder, c.expected);
    }
}

const std::wstring LongFolder = L"C:\\" + std::wstring(300, L'x');

const TempCase TempCases[] = {
    {"as_the_prefix_sets_it", L"", L""},
    {"variable_without_delimiter", L"C:\\corvane temp", L"C:\\corvane temp\\"},
    {"variable_with_delimiter", L"C:\\corvane temp\\", L"C:\\corvane temp\\"},
    // Windows gives no temp path longer than MAX_PATH.
    {"longer_than_max_path", LongFolder, L""},
    // Greek and Chinese fit no 8-bit code page of a Czech or Western system.
    {"outside_the_ansi_code_page", L"C:\\corvane \u03A9 \u8A9E", L"C:\\corvane \u03A9 \u8A9E\\"},
};

INSTANTIATE_TEST_SUITE_P(Probes, TempFolderTest, testing::ValuesIn(TempCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
