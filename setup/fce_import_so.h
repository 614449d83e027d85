#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace corvane {
struct WindowsVersion;

// Keys below HKEY_LOCAL_MACHINE that the prerequisites' installers leave behind.
inline constexpr QStringView NetFramework4Key =
    u"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4";
inline constexpr QStringView NativeClientKey = u"SOFTWARE\\Microsoft\\SQLNCLI11";
inline constexpr QStringView LocalDbKey =
    u"SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\Installed Versions\\11.0";

// Locale information type of the two- or three-letter ISO 639 language name.
inline constexpr int LocaleIso639LangName = 89;

// Short name of a Windows version ("Windows 7", "NT4", ...), "?" when unknown.
QString WindowsName(const WindowsVersion &version);
} // namespace corvane

// The probes with which the setup window asks the operating system about
// itself. Each one is stateless and asks the current platform backend anew.

// True when the current thread's (or else the process's) token holds the
// built-in Administrators group.
bool IsAdministrator();
// Short name of the Windows version the process runs on, "?" when unknown.
QString GetWindowsName();
// True when the 32-bit process runs under 64-bit Windows; may throw
// corvane::Exception with the platform's error.
bool IsWow64();
bool IsInternetConnected();
// True when the key below HKEY_LOCAL_MACHINE (path with backslashes) can be
// opened for reading.
bool RegistryKeyExists(const QString &path);
bool IsLocalDbInstalled();
// The temp folder, ending in a path delimiter.
QString GetTempFolder();
// The system default locale's information of the given type as 8-bit text,
// empty when the system cannot tell.
QByteArray GetSystemLocaleInfo(int type);
