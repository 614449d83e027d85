#include "platform/MachineProfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace corvane {

namespace {

// Written once when a profile is created; the comments explain the machine
// to whoever opens the file to change it.
constexpr char DefaultMachineIni[] =
    "; The emulated Windows machine of the Corvane setup program.\n"
    "; platform, major, minor: the version the setup sees (2, 6, 1 is Windows 7;\n"
    ";   2, 6, 0 Vista; 2, 6, 2 Windows 8; 2, 5, 1 Windows XP).\n"
    "; wow64: true when the 32-bit setup runs under 64-bit Windows.\n"
    "; online: whether an internet connection is reported.\n"
    "; admin: whether the user is an administrator; when the key is missing,\n"
    ";   only the root user is one.\n"
    "; Yes and no are written true/false, yes/no, on/off or 1/0.\n"
    "; Installed software is the key folders below registry/HKLM.\n"
    "[windows]\n"
    "platform=2\n"
    "major=6\n"
    "minor=1\n"
    "wow64=true\n"
    "online=true\n";

} // namespace

QString MachineProfileFolder()
{
    const QString configured = qEnvironmentVariable(MachineProfileVariable);
    if (!configured.isEmpty())
        return QDir::cleanPath(QDir(configured).absolutePath());
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           u"/corvane-setup/machine"_s;
}

bool PrepareMachineProfile(const QString &folder)
{
    const QDir profile(folder);
    if (!profile.mkpath(u"registry/HKLM"_s) || !profile.mkpath(u"temp"_s))
        return false;
    const QString iniPath = profile.filePath(u"machine.ini"_s);
    if (QFile::exists(iniPath))
        return true;
    QFile ini(iniPath);
    if (!ini.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QFile::exists(iniPath);
    return ini.write(DefaultMachineIni) == qint64(sizeof(DefaultMachineIni) - 1);
}

} // namespace corvane
