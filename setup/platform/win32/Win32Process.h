#pragma once

#include <string>

namespace corvane::win32 {

// How a program started by RunAndWait ended.
struct RunOutcome
{
    // false when nothing could be started
    bool started = false;
    // whether a process was waited for and its exit code read
    bool hasExitCode = false;
    unsigned long exitCode = 0;
};

// Starts a file or program with ShellExecuteExW (empty parameters, verb and
// directory mean none) and waits for its process, emptying this thread's
// message queue every 10 ms meanwhile. Not started when ShellExecuteExW
// failed; started without an exit code when the start gave no process to
// wait for.
RunOutcome RunAndWait(const std::wstring &fileName, const std::wstring &parameters,
                      const std::wstring &verb, int showCommand, const std::wstring &directory);

} // namespace corvane::win32
