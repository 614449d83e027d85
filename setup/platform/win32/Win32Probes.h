#pragma once

#include <string>

namespace corvane::win32 {

struct Version
{
    unsigned long platformId = 0;
    unsigned long major = 0;
    unsigned long minor = 0;
};

// True when the current thread's token, or else the process token, holds the
// built-in Administrators group (also as a deny-only group of a filtered
// token).
bool IsAdministrator();
// The version triple GetVersionExW reports to this process; zeros when the
// call fails.
Version GetWindowsVersion();
// True when the 32-bit process runs under 64-bit Windows; throws Failure with
// the system's last error when kernel32 cannot be loaded or the call fails.
bool IsWow64();
bool IsInternetConnected();
// True when the key below HKEY_LOCAL_MACHINE can be opened for reading.
bool RegistryKeyExists(const std::wstring &path);
// The temp folder, ending in a backslash.
std::wstring GetTempFolder();
// The system default locale's information of the given type, ANSI; empty
// when the call fails.
std::string GetSystemLocaleInfo(int type);

} // namespace corvane::win32
