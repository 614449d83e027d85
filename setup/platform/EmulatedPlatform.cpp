#include "platform/EmulatedPlatform.h"

#include "platform/ChildProcess.h"
#include "platform/DownloadBase.h"
#include "platform/HttpDownload.h"
#include "platform/LocaleInfo.h"
#include "platform/MachineIni.h"
#include "platform/MachineProfile.h"
#include "platform/SetupLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace corvane {

namespace {

bool IsRootUser()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false;
#endif
}

// The sub-folder of dir whose name is the key name: the registry ignores
// letter case, the file system may not.
QString KeyFolderName(const QDir &dir, const QString &keyName)
{
    if (QFileInfo(dir.filePath(keyName)).isDir())
        return keyName;
    const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &folder : folders) {
        if (folder.compare(keyName, Qt::CaseInsensitive) == 0)
            return folder;
    }
    return QString();
}

bool IsMsiexec(const QString &fileName)
{
    return fileName.compare(u"msiexec"_s, Qt::CaseInsensitive) == 0 ||
           fileName.compare(u"msiexec.exe"_s, Qt::CaseInsensitive) == 0;
}

// The project's msiexec helper: beside the running program, else in the
// build tree it was built in.
QString MsiexecHelper()
{
    QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef CORVANE_HELPER_DIR
    folders.append(QStringLiteral(CORVANE_HELPER_DIR));
#endif
    for (const QString &folder : std::as_const(folders)) {
        const QFileInfo helper(QDir(folder).filePath(u"msiexec"_s));
        if (helper.isFile() && helper.isExecutable())
            return helper.absoluteFilePath();
    }
    return QString();
}

// A downloaded file arrives without the executable bits; running it is what
// the user asked for, so it gets them where it is readable.
void MakeExecutable(const QString &path)
{
    QFile file(path);
    QFileDevice::Permissions permissions = file.permissions();
    permissions |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
    if (permissions & QFileDevice::ReadGroup)
        permissions |= QFileDevice::ExeGroup;
    if (permissions & QFileDevice::ReadOther)
        permissions |= QFileDevice::ExeOther;
    if (permissions != file.permissions())
        file.setPermissions(permissions);
}

} // namespace

EmulatedPlatform::EmulatedPlatform(const QString &profileFolder)
    : m_profile(profileFolder.isEmpty() ? MachineProfileFolder()
                                        : QDir::cleanPath(QDir(profileFolder).absolutePath()))
{
    // Without a profile every probe falls back to the defaults below.
    PrepareMachineProfile(m_profile);
}

MachineSettings EmulatedPlatform::Machine()
{
    const QString path = m_profile + u"/machine.ini"_s;
    QStringList problems;
    const MachineSettings machine = ReadMachineIni(path, problems);
    // The file is read at every probe; each problem is logged once.
    for (const QString &problem : std::as_const(problems)) {
        if (!m_reportedProblems.contains(problem)) {
            m_reportedProblems.insert(problem);
            qCWarning(lcSetup, "%ls: %ls", qUtf16Printable(path), qUtf16Printable(problem));
        }
    }
    return machine;
}

bool EmulatedPlatform::IsAdministrator()
{
    return Machine().admin.value_or(IsRootUser());
}

WindowsVersion EmulatedPlatform::GetWindowsVersion()
{
    return Machine().version;
}

bool EmulatedPlatform::IsWow64()
{
    return Machine().wow64;
}

bool EmulatedPlatform::IsInternetConnected()
{
    return Machine().online;
}

bool EmulatedPlatform::RegistryKeyExists(const QString &path)
{
    QDir key(m_profile + u"/registry/HKLM"_s);
    if (!key.exists())
        return false;
    const QStringList names = path.split(u'\\', Qt::SkipEmptyParts);
    for (const QString &name : names) {
        // Names that a folder cannot carry, or that would leave the tree.
        if (name == u"."_s || name == u".."_s || name.contains(u'/') || name.contains(QChar()))
            return false;
        const QString folder = KeyFolderName(key, name);
        if (folder.isEmpty() || !key.cd(folder))
            return false;
    }
    return key.isReadable();
}

QString EmulatedPlatform::GetTempFolder()
{
    const QString temp = m_profile + u"/temp/"_s;
    QDir().mkpath(temp);
    return temp;
}

QByteArray EmulatedPlatform::GetSystemLocaleInfo(int type)
{
    return LocaleInfo(QLocale::system(), type);
}

void EmulatedPlatform::DownloadToFile(const QString &url, const QString &fileName,
                                      const DownloadProgressHandler &onProgress, QObject *sender)
{
    HttpDownloadToFile(url, fileName, onProgress, sender);
}

RunResult EmulatedPlatform::RunAndWait(const QString &fileName, const QString &parameters,
                                       const QString &verb, int showCommand,
                                       const QString &directory)
{
    QString program;
    QStringList arguments = QProcess::splitCommand(parameters);
    if (IsMsiexec(fileName)) {
        program = MsiexecHelper();
    } else {
        QString path = fileName;
        if (QFileInfo(path).isRelative() && !directory.isEmpty())
            path = QDir(directory).filePath(path);
        if (!QFileInfo(path).isFile()) {
            // A bare program name, as the shell would look it up.
            path = fileName.contains(u'/') ? QString() : QStandardPaths::findExecutable(fileName);
            if (path.isEmpty())
                return RunResult::NotStarted();
        }
        path = QFileInfo(path).absoluteFilePath();
        if (path.endsWith(u".msi"_s, Qt::CaseInsensitive)) {
            // A package's default action is its installation.
            program = MsiexecHelper();
            arguments = QStringList{u"/i"_s, path} + arguments;
        } else {
            MakeExecutable(path);
            program = path;
        }
    }
    if (program.isEmpty())
        return RunResult::NotStarted();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(MachineProfileVariable), m_profile);
    return RunProcessAndWait(program, arguments, directory, environment);
}

QString EmulatedPlatform::DownloadBase()
{
    return ConfiguredDownloadBase();
}

} // namespace corvane
