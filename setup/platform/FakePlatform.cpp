#include "platform/FakePlatform.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace corvane {

namespace {

QString RegistryKeyId(const QString &path)
{
    return path.toCaseFolded();
}

} // namespace

FakePlatform::FakePlatform()
    : m_tempFolder(u"C:\\Users\\tester\\AppData\\Local\\Temp\\"_s),
      m_downloadBase(u"http://downloads.invalid"_s)
{
    m_localeInfo.insert(89, "en");
}

void FakePlatform::SetWow64Error(const QString &message, const QString &kind)
{
    m_wow64Error.emplace(message, kind);
}

void FakePlatform::AddRegistryKey(const QString &path)
{
    m_registryKeys.insert(RegistryKeyId(path));
}

void FakePlatform::RemoveRegistryKey(const QString &path)
{
    m_registryKeys.remove(RegistryKeyId(path));
}

void FakePlatform::SetDownloadScript(const QString &url, const DownloadScript &script)
{
    m_downloadScripts.insert(url, script);
}

void FakePlatform::SetRunEffect(const QString &fileName, const RunEffect &effect)
{
    m_runEffects.insert(fileName, effect);
}

void FakePlatform::ClearCalls()
{
    m_downloads.clear();
    m_runs.clear();
}

bool FakePlatform::IsWow64()
{
    if (m_wow64Error)
        throw *m_wow64Error;
    return m_wow64;
}

bool FakePlatform::RegistryKeyExists(const QString &path)
{
    return m_registryKeys.contains(RegistryKeyId(path));
}

void FakePlatform::DownloadToFile(const QString &url, const QString &fileName,
                                  const DownloadProgressHandler &onProgress, QObject *sender)
{
    m_downloads.append({url, fileName});
    const QString downloadError = u"Error downloading URL: "_s + url;

    DownloadScript script;
    if (const auto it = m_downloadScripts.constFind(url); it != m_downloadScripts.cend())
        script = *it;
    else
        script.notifications = {{0, 0}};

    for (int i = 0; i < script.notifications.size(); ++i) {
        if (script.beforeNotification)
            script.beforeNotification(i);
        if (!onProgress)
            continue;
        bool cancel = false;
        const Progress step = script.notifications.at(i);
        onProgress(sender, step.progress, step.progressMax, 5, url, cancel);
        if (cancel)
            throw Exception(downloadError);
    }
    if (script.fails)
        throw Exception(script.errorMessage.isEmpty() ? downloadError : script.errorMessage);
    if (script.content) {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(*script.content) != script.content->size())
            throw Exception(downloadError);
    }
}

FakePlatform::RunEffect FakePlatform::ExitsWith(quint32 exitCode)
{
    return [exitCode](const RunCall &) { return RunResult::Exited(exitCode); };
}

RunResult FakePlatform::RunAndWait(const QString &fileName, const QString &parameters,
                                   const QString &verb, int showCommand, const QString &directory)
{
    const RunCall call{fileName, parameters, verb, showCommand, directory};
    m_runs.append(call);
    if (const auto it = m_runEffects.constFind(fileName); it != m_runEffects.cend() && *it)
        return (*it)(call);
    return RunResult::Exited(0);
}

} // namespace corvane
