#pragma once

#include "platform/Platform.h"

#include <QSet>

namespace corvane {

struct MachineSettings;

// A Windows machine emulated by a profile folder (see MachineProfile.h):
// the probes read the profile on every call, downloads are real HTTP, and
// installers are real processes that get the profile in their environment
// CORVANE_MACHINE_PROFILE, so they can leave their registry keys in it.
class EmulatedPlatform : public Platform
{
public:
    // An empty folder means the profile named by CORVANE_MACHINE_PROFILE, or
    // the user's default one. A missing profile is created with defaults.
    explicit EmulatedPlatform(const QString &profileFolder = QString());

    QString ProfileFolder() const { return m_profile; }

    bool IsAdministrator() override;
    WindowsVersion GetWindowsVersion() override;
    bool IsWow64() override;
    bool IsInternetConnected() override;
    bool RegistryKeyExists(const QString &path) override;
    QString GetTempFolder() override;
    QByteArray GetSystemLocaleInfo(int type) override;
    void DownloadToFile(const QString &url, const QString &fileName,
                        const DownloadProgressHandler &onProgress, QObject *sender) override;
    // A .msi package is handed to the msiexec helper ("/i package"), the name
    // "msiexec" is the helper itself, and any other file is made executable
    // and run. The verb and the show command have no meaning here.
    RunResult RunAndWait(const QString &fileName, const QString &parameters, const QString &verb,
                         int showCommand, const QString &directory) override;
    // CORVANE_DOWNLOAD_BASE, else the bundled demo server on this machine.
    QString DownloadBase() override;

private:
    // machine.ini as it is now; problems in it go to the log.
    MachineSettings Machine();

    QString m_profile;
    QSet<QString> m_reportedProblems;
};

} // namespace corvane
