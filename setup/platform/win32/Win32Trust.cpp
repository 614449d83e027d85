#include "Win32Trust.h"

#include <windows.h>

#include <softpub.h>
#include <wintrust.h>

#include <cstdio>

namespace corvane::win32 {

namespace {

struct KnownStatus
{
    LONG code;
    const wchar_t *reason;
};

// The answers a user can meet with a downloaded installer, in plain words;
// the system's own text serves for the rest.
constexpr KnownStatus KnownStatuses[] = {
    {LONG(TRUST_E_NOSIGNATURE), L"it has no digital signature"},
    {LONG(TRUST_E_BAD_DIGEST), L"its content does not match its digital signature"},
    {LONG(TRUST_E_SUBJECT_FORM_UNKNOWN), L"a file of this type cannot carry a digital signature"},
    {LONG(TRUST_E_EXPLICIT_DISTRUST), L"its signer is marked as not trusted on this computer"},
    {LONG(TRUST_E_SUBJECT_NOT_TRUSTED), L"its signer is not trusted on this computer"},
    {LONG(CERT_E_UNTRUSTEDROOT), L"its signature leads to a root certificate this computer does "
                                 L"not trust"},
    {LONG(CERT_E_CHAINING), L"the chain of its signing certificate cannot be built"},
    {LONG(CERT_E_EXPIRED), L"its signing certificate has expired"},
    {LONG(CERT_E_REVOKED), L"its signing certificate has been revoked"},
    {LONG(CERT_E_WRONG_USAGE), L"its signing certificate is not meant for signing programs"},
    {LONG(CRYPT_E_SECURITY_SETTINGS), L"the security settings of this computer forbid it"},
    {LONG(ERROR_FILE_NOT_FOUND), L"the file is not there"},
};

std::wstring SystemText(LONG code)
{
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(code), 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    return text;
}

std::wstring Reason(LONG code)
{
    std::wstring reason;
    for (const KnownStatus &status : KnownStatuses) {
        if (status.code == code) {
            reason = status.reason;
            break;
        }
    }
    if (reason.empty())
        reason = SystemText(code);
    if (reason.empty())
        reason = L"Authenticode does not accept it";
    wchar_t hex[16];
    std::swprintf(hex, 16, L"0x%08lX", static_cast<unsigned long>(code));
    return reason + L" (" + hex + L")";
}

} // namespace

std::wstring AuthenticodeProblem(const std::wstring &path)
{
    WINTRUST_FILE_INFO file;
    ZeroMemory(&file, sizeof(file));
    file.cbStruct = sizeof(file);
    file.pcwszFilePath = path.c_str();

    WINTRUST_DATA data;
    ZeroMemory(&data, sizeof(data));
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    // Revocation lists are not fetched: an unreachable revocation server
    // would block every installation. Certificates the system already knows
    // as revoked or distrusted are refused all the same.
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;

    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    // INVALID_HANDLE_VALUE: no window may be shown, whatever the policy says.
    const HWND noWindow = static_cast<HWND>(INVALID_HANDLE_VALUE);
    const LONG status = WinVerifyTrust(noWindow, &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(noWindow, &action, &data);

    return status == ERROR_SUCCESS ? std::wstring() : Reason(status);
}

} // namespace corvane::win32
