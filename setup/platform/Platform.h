#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
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

// How a program started by RunAndWait ended.
struct RunResult
{
    // false when nothing could be started
    bool started = false;
    // the exit code of the process waited for; none when the start gave no
    // process to wait for (a document handed to a program already running)
    std::optional<quint32> exitCode;

    static RunResult NotStarted() { return {}; }
    static RunResult WithoutProcess() { return {true, std::nullopt}; }
    static RunResult Exited(quint32 code) { return {true, code}; }
    explicit operator bool() const { return started; }
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
    // caller's event queue keeps being served.
    virtual RunResult RunAndWait(const QString &fileName, const QString &parameters,
                                 const QString &verb, int showCommand,
                                 const QString &directory) = 0;

    // Whether a downloaded installer may be run: empty when this backend
    // trusts the file, else the reason it does not, worded for the user. The
    // steps ask after every download and before running the file, once the
    // common pin-file check (InstallerPins.h) has passed. The Windows backend
    // asks for a valid Authenticode signature; a backend without a check of
    // its own trusts every file.
    virtual QString VerifyInstaller(const QString &path);

    // Base address of the download server, without a trailing slash.
    virtual QString DownloadBase() = 0;
};

// The backend the probes use. Defaults to the native one (Win32 on Windows,
// the emulated machine elsewhere); tests install a fake.
Platform &CurrentPlatform();
// Installs a backend; returns the previous one. Pass nullptr for the native one.
std::unique_ptr<Platform> SetPlatform(std::unique_ptr<Platform> platform);

} // namespace corvane
