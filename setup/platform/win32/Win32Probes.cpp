#include "Win32Probes.h"

#include "Win32Failure.h"

#include <windows.h>

#include <wininet.h>

#include <vector>

namespace corvane::win32 {

namespace {

constexpr DWORD TokenQuery = 8;               // TOKEN_QUERY
constexpr DWORD RegistryReadAccess = 0x20009; // STANDARD_RIGHTS_READ | KEY_QUERY_VALUE
                                              // | KEY_ENUMERATE_SUB_KEYS
constexpr LCID SystemDefaultLocale = 2048;    // LOCALE_SYSTEM_DEFAULT
constexpr int LocaleInfoBufferLength = 19;

HANDLE OpenToken()
{
    HANDLE token = nullptr;
    if (OpenThreadToken(GetCurrentThread(), TokenQuery, TRUE, &token))
        return token;
    if (GetLastError() != ERROR_NO_TOKEN)
        return nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TokenQuery, &token))
        return token;
    return nullptr;
}

// The token's group list in a buffer of the size the system asks for, so a
// long list (many domain groups) is read whole; empty on failure.
std::vector<BYTE> TokenGroupsOf(HANDLE token)
{
    DWORD needed = 0;
    GetTokenInformation(token, TokenGroups, nullptr, 0, &needed);
    if (needed == 0)
        return {};
    std::vector<BYTE> buffer(needed);
    if (!GetTokenInformation(token, TokenGroups, buffer.data(), needed, &needed))
        return {};
    return buffer;
}

template <typename Function> Function ProcAddress(HMODULE module, const char *name)
{
    // Through void * so the compiler accepts the change of function type.
    return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

} // namespace

bool IsAdministrator()
{
    const HANDLE token = OpenToken();
    if (!token)
        return false;
    const std::vector<BYTE> buffer = TokenGroupsOf(token);
    CloseHandle(token);
    if (buffer.empty())
        return false;

    SID_IDENTIFIER_AUTHORITY ntAuthority = {{0, 0, 0, 0, 0, 5}}; // SECURITY_NT_AUTHORITY
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, 32 /* SECURITY_BUILTIN_DOMAIN_RID */,
                                  544 /* DOMAIN_ALIAS_RID_ADMINS */, 0, 0, 0, 0, 0, 0,
                                  &administrators))
        return false;

    // Attributes are not looked at: a deny-only entry of a filtered token
    // still names an administrator who runs without elevation.
    const auto *groups = reinterpret_cast<const TOKEN_GROUPS *>(buffer.data());
    bool result = false;
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        if (EqualSid(administrators, groups->Groups[i].Sid)) {
            result = true;
            break;
        }
    }
    FreeSid(administrators);
    return result;
}

Version GetWindowsVersion()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info))
        return {};
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

bool IsWow64()
{
    using IsWow64Process = BOOL(WINAPI *)(HANDLE, PBOOL);
    const HMODULE kernel = LoadLibraryW(L"kernel32.dll");
    if (!kernel)
        throw Failure::LastError();
    // Systems older than the function are never 64-bit.
    const auto isWow64Process = ProcAddress<IsWow64Process>(kernel, "IsWow64Process");
    BOOL wow64 = FALSE;
    if (isWow64Process && !isWow64Process(GetCurrentProcess(), &wow64)) {
        const Failure failure = Failure::LastError();
        FreeLibrary(kernel);
        throw failure;
    }
    FreeLibrary(kernel);
    return wow64 != FALSE;
}

bool IsInternetConnected()
{
    return InternetGetConnectedState(nullptr, 0) != FALSE;
}

bool RegistryKeyExists(const std::wstring &path)
{
    // No view flag: a 32-bit process sees the 32-bit view of the registry.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, RegistryReadAccess, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::wstring GetTempFolder()
{
    // The wide call: through the ANSI one, characters outside the system
    // code page (a user name in another script) would come back as question
    // marks and name a folder that does not exist.
    std::wstring folder(MAX_PATH + 1, L'\0');
    DWORD length = GetTempPathW(DWORD(folder.size()), folder.data());
    if (length >= folder.size()) {
        folder.resize(length + 1);
        length = GetTempPathW(DWORD(folder.size()), folder.data());
    }
    if (length > 0 && length < folder.size())
        folder.resize(length);
    else
        folder = L".";
    // Callers append file names directly.
    if (folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder;
}

std::string GetSystemLocaleInfo(int type)
{
    char buffer[LocaleInfoBufferLength] = {};
    if (GetLocaleInfoA(SystemDefaultLocale, LCTYPE(type), buffer, LocaleInfoBufferLength) <= 0)
        return std::string();
    buffer[LocaleInfoBufferLength - 1] = '\0';
    return std::string(buffer);
}

} // namespace corvane::win32
