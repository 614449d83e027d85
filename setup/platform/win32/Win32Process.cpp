#include "Win32Process.h"

#include <windows.h>

#include <shellapi.h>

namespace corvane::win32 {

namespace {

// SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_DOENVSUBST | SEE_MASK_FLAG_NO_UI
constexpr ULONG ExecuteMask = 0x740;
constexpr DWORD PollIntervalMs = 10;

// The record the 32-bit program hands to the shell is 60 bytes long.
static_assert(sizeof(void *) != 4 || sizeof(SHELLEXECUTEINFOW) == 60);

const wchar_t *OrNull(const std::wstring &text)
{
    return text.empty() ? nullptr : text.c_str();
}

// Serves every message waiting for this thread's windows. A quit request
// met here is posted again, so the application still ends once the wait is
// over.
void DispatchPendingMessages(bool &quit, WPARAM &exitCode)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            exitCode = message.wParam;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

RunOutcome RunAndWait(const std::wstring &fileName, const std::wstring &parameters,
                      const std::wstring &verb, int showCommand, const std::wstring &directory)
{
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = ExecuteMask;
    info.lpFile = fileName.c_str();
    info.lpParameters = OrNull(parameters);
    info.lpVerb = OrNull(verb);
    info.lpDirectory = OrNull(directory);
    info.nShow = showCommand;
    RunOutcome outcome;
    if (!ShellExecuteExW(&info))
        return outcome;
    outcome.started = true;

    WaitForInputIdle(info.hProcess, INFINITE);
    bool quit = false;
    WPARAM exitCode = 0;
    // Without a process handle the wait fails at once and the loop ends.
    while (WaitForSingleObject(info.hProcess, PollIntervalMs) == WAIT_TIMEOUT)
        DispatchPendingMessages(quit, exitCode);
    if (info.hProcess) {
        DWORD processExit = 0;
        if (GetExitCodeProcess(info.hProcess, &processExit) && processExit != STILL_ACTIVE) {
            outcome.hasExitCode = true;
            outcome.exitCode = processExit;
        }
        CloseHandle(info.hProcess);
    }
    if (quit)
        PostQuitMessage(int(exitCode));
    return outcome;
}

} // namespace corvane::win32
