// The emulated machine's Windows Installer.
//
//   msiexec /i <package> [options]   install a package
//   msiexec /x <package> [options]   remove it again
//
// A package of the emulated machine is a POSIX shell script whose first lines
// are a "#!" line and the marker line "# corvane-msi-package: <product>". The
// helper runs it with /bin/sh in the package's folder, with the action
// ("install" or "uninstall") as its argument and CORVANE_MACHINE_PROFILE set,
// so the script can create (or remove) the product's registry keys in the
// machine profile. The exit code is the script's, or one of the usual Unix
// codes when the package cannot be run (64 bad command line, 65 not a
// package, 66 package cannot be opened, 70 the action could not run). Other
// options (/qn, /passive, /norestart, ...) are accepted and have no effect.

#include "platform/MachineProfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// A process exit code carries 8 bits, too few for Windows Installer's own
// codes; these are the usual Unix ones.
enum ExitCode {
    ExitSuccess = 0,
    ExitInvalidCommandLine = 64,
    ExitPackageInvalid = 65,
    ExitPackageOpenFailed = 66,
    ExitInstallFailure = 70,
};

constexpr char PackageMarker[] = "# corvane-msi-package:";
constexpr int MarkerSearchLines = 5;

struct Request
{
    QString action;
    QString package;
};

void Report(const QString &text)
{
    std::fprintf(stderr, "msiexec: %s\n", qPrintable(text));
}

// Options are short words after a slash ("/qn", "/norestart"); a path has
// more than one slash.
bool IsOption(const QString &argument)
{
    return argument.startsWith(u'/') && argument.count(u'/') == 1;
}

// "/i package": the package is one argument when the caller quoted it; an
// unquoted path with spaces arrives in pieces that are joined again.
bool ParseCommandLine(const QStringList &arguments, Request &request)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString option = arguments.at(i).toLower();
        const bool install = option == u"/i"_s || option == u"/package"_s;
        const bool uninstall = option == u"/x"_s || option == u"/uninstall"_s;
        if (!install && !uninstall)
            continue;
        QStringList pieces;
        while (i + 1 < arguments.size() && !IsOption(arguments.at(i + 1)))
            pieces.append(arguments.at(++i));
        if (pieces.isEmpty() || !request.package.isEmpty())
            return false;
        request.action = install ? u"install"_s : u"uninstall"_s;
        request.package = pieces.join(u' ');
    }
    return !request.package.isEmpty();
}

bool IsPackage(QFile &file)
{
    const QByteArray first = file.readLine(4096);
    if (!first.startsWith("#!"))
        return false;
    for (int line = 0; line < MarkerSearchLines && !file.atEnd(); ++line) {
        if (file.readLine(4096).startsWith(PackageMarker))
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    Request request;
    if (!ParseCommandLine(app.arguments().mid(1), request)) {
        Report(u"usage: msiexec /i <package> | /x <package>"_s);
        return ExitInvalidCommandLine;
    }

    QFile package(request.package);
    if (!package.open(QIODevice::ReadOnly)) {
        Report(u"This installation package could not be opened: %1"_s.arg(request.package));
        return ExitPackageOpenFailed;
    }
    if (!IsPackage(package)) {
        Report(u"This is not a valid installation package: %1"_s.arg(request.package));
        return ExitPackageInvalid;
    }
    package.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString profileVariable = QString::fromLatin1(corvane::MachineProfileVariable);
    if (environment.value(profileVariable).isEmpty())
        environment.insert(profileVariable, corvane::MachineProfileFolder());

    const QFileInfo packageInfo(request.package);
    QProcess action;
    action.setProgram(u"/bin/sh"_s);
    action.setArguments({packageInfo.absoluteFilePath(), request.action});
    action.setWorkingDirectory(packageInfo.absolutePath());
    action.setProcessEnvironment(environment);
    action.setProcessChannelMode(QProcess::ForwardedChannels);
    action.start();
    if (!action.waitForStarted(-1) || !action.waitForFinished(-1) ||
        action.exitStatus() != QProcess::NormalExit) {
        Report(u"The installation of %1 failed."_s.arg(request.package));
        return ExitInstallFailure;
    }
    return action.exitCode() == 0 ? ExitSuccess : action.exitCode();
}
