#pragma once

#include "platform/Platform.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <optional>

namespace corvane {

// An in-memory machine for tests: every answer is settable, every download
// and every started program is recorded, and downloads and installers do what
// the test scripts them to do.
class FakePlatform : public Platform
{
public:
    struct DownloadCall
    {
        QString url;
        QString fileName;
    };

    struct RunCall
    {
        QString fileName;
        QString parameters;
        QString verb;
        int showCommand = 0;
        QString directory;
    };

    struct Progress
    {
        quint32 progress = 0;
        quint32 progressMax = 0;
    };

    // What one download does: the progress notifications it sends, then
    // success or failure. The handler may cancel at any notification; the
    // download then fails at once with the download error.
    struct DownloadScript
    {
        QList<Progress> notifications;
        bool fails = false;
        // message of a failure; empty means "Error downloading URL: " + url
        QString errorMessage;
        // called before notification i is sent (i counts from 0), so a test can
        // act as the user would while the download runs
        std::function<void(int i)> beforeNotification;
        // written to the target file on success when set
        std::optional<QByteArray> content;
    };

    // Called when a program is run; its result is RunAndWait's result.
    using RunEffect = std::function<RunResult(const RunCall &call)>;
    // An effect that only reports: started and ended with this exit code.
    static RunEffect ExitsWith(quint32 exitCode);

    FakePlatform();

    void SetAdministrator(bool administrator) { m_administrator = administrator; }
    void SetWindowsVersion(quint32 platformId, quint32 major, quint32 minor)
    {
        m_version = {platformId, major, minor};
    }
    void SetWow64(bool wow64) { m_wow64 = wow64; }
    // Makes IsWow64 throw corvane::Exception(message, kind).
    void SetWow64Error(const QString &message, const QString &kind = QStringLiteral("EOSError"));
    void SetOnline(bool online) { m_online = online; }
    // Keys are matched without regard to letter case, as the registry does.
    void AddRegistryKey(const QString &path);
    void RemoveRegistryKey(const QString &path);
    void SetTempFolder(const QString &folder) { m_tempFolder = folder; }
    void SetLocaleInfo(int type, const QByteArray &value) { m_localeInfo.insert(type, value); }
    void SetDownloadBase(const QString &base) { m_downloadBase = base; }

    // Scripts the download of one URL; unscripted URLs succeed with one
    // notification of 0 of 0 bytes.
    void SetDownloadScript(const QString &url, const DownloadScript &script);
    // Scripts what running a file does (matched by the exact file name given
    // to RunAndWait); unscripted runs end with exit code 0 and do nothing.
    void SetRunEffect(const QString &fileName, const RunEffect &effect);

    // Makes VerifyInstaller refuse the file at this path with this reason.
    void SetInstallerRefusal(const QString &path, const QString &reason)
    {
        m_refusals.insert(path, reason);
    }

    const QList<DownloadCall> &Downloads() const { return m_downloads; }
    const QList<RunCall> &Runs() const { return m_runs; }
    void ClearCalls();

    bool IsAdministrator() override { return m_administrator; }
    WindowsVersion GetWindowsVersion() override { return m_version; }
    bool IsWow64() override;
    bool IsInternetConnected() override { return m_online; }
    bool RegistryKeyExists(const QString &path) override;
    QString GetTempFolder() override { return m_tempFolder; }
    QByteArray GetSystemLocaleInfo(int type) override { return m_localeInfo.value(type); }
    void DownloadToFile(const QString &url, const QString &fileName,
                        const DownloadProgressHandler &onProgress, QObject *sender) override;
    RunResult RunAndWait(const QString &fileName, const QString &parameters, const QString &verb,
                         int showCommand, const QString &directory) override;
    QString DownloadBase() override { return m_downloadBase; }
    QString VerifyInstaller(const QString &path) override { return m_refusals.value(path); }

private:
    bool m_administrator = true;
    WindowsVersion m_version{2, 6, 1};
    bool m_wow64 = true;
    std::optional<Exception> m_wow64Error;
    bool m_online = true;
    QSet<QString> m_registryKeys;
    QString m_tempFolder;
    QHash<int, QByteArray> m_localeInfo;
    QString m_downloadBase;
    QHash<QString, DownloadScript> m_downloadScripts;
    QHash<QString, RunEffect> m_runEffects;
    QHash<QString, QString> m_refusals;
    QList<DownloadCall> m_downloads;
    QList<RunCall> m_runs;
};

} // namespace corvane
