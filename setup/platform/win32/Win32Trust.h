#pragma once

#include <string>

namespace corvane::win32 {

// Asks WinVerifyTrust whether the file carries an Authenticode signature the
// system accepts. Empty when it does; otherwise the reason in words for the
// user, ending with the status code in hexadecimal ("it has no digital
// signature (0x800B0100)"). The file is closed again when it returns, so a
// refused file can be deleted at once.
std::wstring AuthenticodeProblem(const std::wstring &path);

} // namespace corvane::win32
