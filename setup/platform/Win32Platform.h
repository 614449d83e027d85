#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "platform/Platform.h"

namespace corvane {

// The real Windows machine: the Platform interface over the plain Win32
// backend in platform/win32.
class Win32Platform : public Platform
{
public:
    Win32Platform();

    bool IsAdministrator() override;
    // As the process saw it at start-up.
    WindowsVersion GetWindowsVersion() override { return m_version; }
    bool IsWow64() override;
    bool IsInternetConnected() override;
    bool RegistryKeyExists(const QString &path) override;
    QString GetTempFolder() override;
    QByteArray GetSystemLocaleInfo(int type) override;
    void DownloadToFile(const QString &url, const QString &fileName,
                        const DownloadProgressHandler &onProgress, QObject *sender) override;
    RunResult RunAndWait(const QString &fileName, const QString &parameters, const QString &verb,
                         int showCommand, const QString &directory) override;
    // CORVANE_DOWNLOAD_BASE, else the demo download server on this machine.
    QString DownloadBase() override;
    // A downloaded installer must carry an Authenticode signature that
    // WinVerifyTrust accepts.
    QString VerifyInstaller(const QString &path) override;

private:
    WindowsVersion m_version;
};

} // namespace corvane

#endif // Q_OS_WIN
