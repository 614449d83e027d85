#include "Win32Failure.h"

#include <windows.h>

namespace corvane::win32 {

namespace {

std::string ToUtf8(const std::wstring &text)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), result.data(), size, nullptr,
                            nullptr);
    return result;
}

std::wstring SystemMessage(DWORD code)
{
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

} // namespace

Failure::Failure(std::wstring kind, std::wstring message)
    : m_kind(std::move(kind)), m_message(std::move(message)), m_utf8(ToUtf8(m_message))
{
}

Failure Failure::LastError()
{
    const DWORD code = GetLastError();
    std::wstring message = L"System Error. Code: " + std::to_wstring(code) + L".";
    const std::wstring text = SystemMessage(code);
    if (!text.empty())
        message += L"\r\n" + text;
    return Failure(L"EOSError", message);
}

} // namespace corvane::win32
