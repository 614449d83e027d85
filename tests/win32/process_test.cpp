// RunAndWait with a small child program (--child, in a folder whose name has
// spaces) and with msiexec installing a package that wixl built at test time
// (--msi, also in a folder with spaces). The package writes the three keys
// the requirements check looks for.

#include "TestOptions.h"
#include "Win32Probes.h"
#include "Win32Process.h"
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

using namespace corvane::win32;

namespace {

constexpr int ShowNormal = 1; // SW_SHOWNORMAL

std::wstring Quoted(const std::wstring &text)
{
    return L"\"" + text + L"\"";
}

class RunAndWaitTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_child = TestOptions::Text(L"child");
        ASSERT_TRUE(FileExists(m_child)) << "the script hands over the child program";
        m_folder = GetTempFolder();
    }

    std::wstring Marker(const wchar_t *name) const
    {
        const std::wstring marker = m_folder + name;
        DeleteFileW(marker.c_str());
        return marker;
    }

    std::wstring m_child;
    std::wstring m_folder;
};

TEST_F(RunAndWaitTest, ReturnsOnlyAfterTheProgramEnded)
{
    const std::wstring marker = Marker(L"corvane-waited.txt");
    EXPECT_TRUE(RunAndWait(m_child, Quoted(marker) + L" 400 0", L"", ShowNormal, m_folder).started);
    EXPECT_TRUE(FileExists(marker)) << "the program had written its marker before the wait ended";
    DeleteFileW(marker.c_str());
}

TEST_F(RunAndWaitTest, StartsTheProgramInTheGivenDirectory)
{
    const std::wstring marker = Marker(L"corvane-directory.txt");
    EXPECT_TRUE(RunAndWait(m_child, L"corvane-directory.txt 0 0", L"", ShowNormal, m_folder).started);
    EXPECT_TRUE(FileExists(marker)) << "a relative name lands in the working directory";
    DeleteFileW(marker.c_str());
}

TEST_F(RunAndWaitTest, MissingProgramIsNotStarted)
{
    const RunOutcome outcome =
        RunAndWait(m_folder + L"corvane-no-such-program.exe", L"", L"", ShowNormal, m_folder);
    EXPECT_FALSE(outcome.started);
    EXPECT_FALSE(outcome.hasExitCode);
}

// The exit code of the program waited for reaches the caller, Windows
// Installer's "restart required" and failure codes included.
class ExitCodeTest : public RunAndWaitTest, public testing::WithParamInterface<unsigned long>
{
};

TEST_P(ExitCodeTest, IsReported)
{
    const std::wstring marker = Marker(L"corvane-exit.txt");
    const RunOutcome outcome = RunAndWait(
        m_child, Quoted(marker) + L" 0 " + std::to_wstring(GetParam()), L"", ShowNormal, m_folder);
    EXPECT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.hasExitCode);
    EXPECT_EQ(outcome.exitCode, GetParam());
    DeleteFileW(marker.c_str());
}

INSTANTIATE_TEST_SUITE_P(Codes, ExitCodeTest, testing::Values(0ul, 3010ul, 1603ul),
                         [](const auto &info) { return "Code" + std::to_string(info.param); });

// Timer messages of the waiting thread, seen while the child still runs.
std::wstring WatchedMarker;
int TimerCallsBeforeTheEnd = 0;

void CALLBACK CountTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (!FileExists(WatchedMarker))
        ++TimerCallsBeforeTheEnd;
}

constexpr UINT PostedMessage = WM_APP + 7;

TEST_F(RunAndWaitTest, ServesTheThreadsMessagesWhileWaiting)
{
    WatchedMarker = Marker(L"corvane-messages.txt");
    TimerCallsBeforeTheEnd = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, CountTimer);
    ASSERT_NE(timer, 0u);
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), PostedMessage, 0, 0));

    EXPECT_TRUE(
        RunAndWait(m_child, Quoted(WatchedMarker) + L" 500 0", L"", ShowNormal, m_folder).started);
    KillTimer(nullptr, timer);

    EXPECT_GT(TimerCallsBeforeTheEnd, 0) << "timer messages were dispatched during the wait";
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, PostedMessage, PostedMessage, PM_REMOVE))
        << "the posted message was taken from the queue during the wait";
    DeleteFileW(WatchedMarker.c_str());
}

TEST_F(RunAndWaitTest, QuitRequestMetWhileWaitingStaysQueued)
{
    const std::wstring marker = Marker(L"corvane-quit.txt");
    PostQuitMessage(7);
    EXPECT_TRUE(RunAndWait(m_child, Quoted(marker) + L" 100 0", L"", ShowNormal, m_folder).started);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the application still ends once the wait is over";
    EXPECT_EQ(message.wParam, 7u);
    DeleteFileW(marker.c_str());
}

// The registry keys of the three prerequisites, as the requirements check
// asks them.
const wchar_t *const PrerequisiteKeys[] = {
    L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4",
    L"SOFTWARE\\Microsoft\\SQLNCLI11",
    L"SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\11.0",
};

TEST(Msiexec, InstallsAQuotedPackagePathWithSpacesAndItsKeysAreFound)
{
    const std::wstring package = TestOptions::Text(L"msi");
    ASSERT_TRUE(FileExists(package)) << "the script hands over the package";
    ASSERT_NE(package.find(L' '), std::wstring::npos) << "the package's path has spaces";
    for (const wchar_t *key : PrerequisiteKeys)
        ASSERT_FALSE(RegistryKeyExists(key)) << key << " is missing before the installation";

    const RunOutcome outcome =
        RunAndWait(L"msiexec", L"/i " + Quoted(package), L"", ShowNormal, GetTempFolder());
    EXPECT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.hasExitCode);
    EXPECT_EQ(outcome.exitCode, 0u) << "msiexec reports success";

    for (const wchar_t *key : PrerequisiteKeys)
        EXPECT_TRUE(RegistryKeyExists(key)) << key << " is there once msiexec has ended";
}

} // namespace
