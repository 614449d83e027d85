#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

class QObject;

namespace corvane {

// An error as the user sees it: the name of its kind and its message. The
// download machinery raises kind "Exception"; the Windows probes raise the
// platform's own error kind.
class Exception : public std::exception
{
public:
    explicit Exception(QString message, QString kind = QStringLiteral("Exception"))
        : m_message(std::move(message)), m_kind(std::move(kind)), m_utf8(m_message.toUtf8())
    {
    }
    const QString &Message() const { return m_message; }
    const QString &ClassName() const { return m_kind; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QString m_kind;
    QByteArray m_utf8;
};

// The version triple a Windows process sees.
struct WindowsVersion
{
    quint32 platformId = 0;
    quint32 major = 0;
    quint32 minor = 0;
};

// Progress of a download: amount received, expected total (0 while unknown),
// status code and text; the handler sets cancel to stop the download.
using DownloadProgressHandler =
    std::function<void(QObject *sender, quint32 progress, quint32 progressMax, quint32 statusCode,
                       const QString &statusText, bool &cancel)>;

// Everything the setup program asks of the operating system. Three backends
// implement it: the real Win32 calls, an emulated Windows machine kept in a
// profile folder (every other OS), and an in-memory fake for tests.
class Platform
{
public:
    virtual ~Platform() = default;

    virtual bool IsAdministrator() = 0;
    virtual WindowsVersion GetWindowsVersion() = 0;
    virtual bool IsWow64() = 0; // may throw corvane::Exception
    virtual bool IsInternetConnected() = 0;
    // path below HKEY_LOCAL_MACHINE, with backslashes
    virtual bool RegistryKeyExists(const QString &path) = 0;
    // ends with a path delimiter
    virtual QString GetTempFolder() = 0;
    // ANSI text of the system default locale's information of the given type
    virtual QByteArray GetSystemLocaleInfo(int type) = 0;

    // Downloads synchronously on the calling thread; throws corvane::Exception
    // ("Error downloading URL: <url>", or "Unable to load urlmon.dll").
    virtual void DownloadToFile(const QString &url, const QString &fileName,
                                const DownloadProgressHandler &onProgress, QObject *sender) = 0;
    // Starts a program or document and waits for its process while the
    // caller's event queue keeps being served; false when nothing started.
    virtual bool RunAndWait(const QString &fileName, const QString &parameters, const QString &verb,
                            int showCommand, const QString &directory) = 0;

    // Base address of the download server, without a trailing slash.
    virtual QString DownloadBase() = 0;
};

// The backend the probes use. Defaults to the native one (Win32 on Windows,
// the emulated machine elsewhere); tests install a fake.
Platform &CurrentPlatform();
// Installs a backend; returns the previous one. Pass nullptr for the native one.
std::unique_ptr<Platform> SetPlatform(std::unique_ptr<Platform> platform);

} // namespace corvane
