#include "platform/Win32Platform.h"

#ifdef Q_OS_WIN

#include "platform/DownloadBase.h"
#include "platform/win32/Win32Download.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32Probes.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32Trust.h"

#include <QDir>

namespace corvane {

namespace {

Exception ToException(const win32::Failure &failure)
{
    return Exception(QString::fromStdWString(failure.Message()),
                     QString::fromStdWString(failure.Kind()));
}

} // namespace

Win32Platform::Win32Platform()
{
    const win32::Version version = win32::GetWindowsVersion();
    m_version = {quint32(version.platformId), quint32(version.major), quint32(version.minor)};
}

bool Win32Platform::IsAdministrator()
{
    return win32::IsAdministrator();
}

bool Win32Platform::IsWow64()
{
    try {
        return win32::IsWow64();
    } catch (const win32::Failure &failure) {
        throw ToException(failure);
    }
}

bool Win32Platform::IsInternetConnected()
{
    return win32::IsInternetConnected();
}

bool Win32Platform::RegistryKeyExists(const QString &path)
{
    return win32::RegistryKeyExists(path.toStdWString());
}

QString Win32Platform::GetTempFolder()
{
    return QString::fromStdWString(win32::GetTempFolder());
}

QByteArray Win32Platform::GetSystemLocaleInfo(int type)
{
    return QByteArray::fromStdString(win32::GetSystemLocaleInfo(type));
}

void Win32Platform::DownloadToFile(const QString &url, const QString &fileName,
                                   const DownloadProgressHandler &onProgress, QObject *sender)
{
    win32::ProgressHandler progress;
    if (onProgress) {
        progress = [&onProgress, sender](unsigned long received, unsigned long max,
                                         unsigned long status, const std::wstring &text,
                                         bool &cancel) {
            onProgress(sender, quint32(received), quint32(max), quint32(status),
                       QString::fromStdWString(text), cancel);
        };
    }
    try {
        win32::DownloadToFile(url.toStdWString(), fileName.toStdWString(), progress);
    } catch (const win32::Failure &failure) {
        throw ToException(failure);
    }
}

RunResult Win32Platform::RunAndWait(const QString &fileName, const QString &parameters,
                                    const QString &verb, int showCommand, const QString &directory)
{
    const win32::RunOutcome outcome =
        win32::RunAndWait(fileName.toStdWString(), parameters.toStdWString(), verb.toStdWString(),
                          showCommand, directory.toStdWString());
    if (!outcome.started)
        return RunResult::NotStarted();
    if (!outcome.hasExitCode)
        return RunResult::WithoutProcess();
    return RunResult::Exited(quint32(outcome.exitCode));
}

QString Win32Platform::DownloadBase()
{
    return ConfiguredDownloadBase();
}

QString Win32Platform::VerifyInstaller(const QString &path)
{
    return QString::fromStdWString(
        win32::AuthenticodeProblem(QDir::toNativeSeparators(path).toStdWString()));
}

} // namespace corvane

#endif // Q_OS_WIN
