#pragma once

#include <exception>
#include <string>

namespace corvane::win32 {

// An error of the Windows backend: the name of its kind as the user sees it
// and its message. Kept free of Qt so the backend builds with a bare Win32
// toolchain.
class Failure : public std::exception
{
public:
    Failure(std::wstring kind, std::wstring message);

    const std::wstring &Kind() const { return m_kind; }
    const std::wstring &Message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

    // The calling thread's last error, in the words of the system.
    static Failure LastError();

private:
    std::wstring m_kind;
    std::wstring m_message;
    std::string m_utf8;
};

} // namespace corvane::win32
