#include "Win32Probes.h"

#include "Win32Failure.h"

#include <windows.h>

#include <wininet.h>

#include <vector>

namespace corvane::win32 {

namespace {

constexpr DWORD TokenQuery = 8;                      // TOKEN_QUERY
constexpr DWORD RegistryReadAccess = 0x20009;        // STANDARD_RIGHTS_READ | KEY_QUERY_VALUE
                                                     // | KEY_ENUMERATE_SUB_KEYS
constexpr LCID SystemDefaultLocale = 2048;           // LOCALE_SYSTEM_DEFAULT
constexpr DWORD TempPathBufferLength = MAX_PATH + 1; // 260 characters and the zero
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

std::wstring FromAnsi(const char *text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1)
        return std::wstring();
    std::wstring result(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, result.data(), size);
    result.resize(size - 1);
    return result;
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
    char buffer[TempPathBufferLength] = {};
    const DWORD length = GetTempPathA(TempPathBufferLength, buffer);
    std::wstring folder;
    if (length > 0 && length < TempPathBufferLength) {
        folder = FromAnsi(buffer);
    } else {
        // Longer than the ANSI buffer, or the call failed: ask the wide
        // function with the size it needs.
        std::wstring wide(MAX_PATH + 1, L'\0');
        DWORD wideLength = GetTempPathW(DWORD(wide.size()), wide.data());
        if (wideLength >= wide.size()) {
            wide.resize(wideLength + 1);
            wideLength = GetTempPathW(DWORD(wide.size()), wide.data());
        }
        if (wideLength > 0 && wideLength < wide.size())
            folder = wide.substr(0, wideLength);
        else
            folder = L".";
    }
    // Callers append file names directly.
    if (folder.empty() || (folder.back() != L'\\' && folder.back() != L'/'))
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
