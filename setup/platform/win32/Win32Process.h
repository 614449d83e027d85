#pragma once

#include <string>

namespace corvane::win32 {

// Starts a file or program with ShellExecuteExW (empty parameters, verb and
// directory mean none) and waits for its process, emptying this thread's
// message queue every 10 ms meanwhile. False when nothing could be started;
// true as well when the start gave no process to wait for.
bool RunAndWait(const std::wstring &fileName, const std::wstring &parameters,
                const std::wstring &verb, int showCommand, const std::wstring &directory);

} // namespace corvane::win32
