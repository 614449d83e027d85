#include "platform/ChildProcess.h"

#include <QCoreApplication>
#include <QProcess>

namespace corvane {

namespace {

constexpr int PollIntervalMs = 10;

} // namespace

RunResult RunProcessAndWait(const QString &program, const QStringList &arguments,
                            const QString &directory, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!directory.isEmpty())
        process.setWorkingDirectory(directory);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted(-1))
        return RunResult::NotStarted();
    // An installer that asks a question gets end-of-input, not a hang.
    process.closeWriteChannel();
    while (process.state() != QProcess::NotRunning) {
        if (process.waitForFinished(PollIntervalMs))
            break;
        QCoreApplication::processEvents();
    }
    if (process.exitStatus() == QProcess::CrashExit)
        return RunResult::Exited(128 + quint32(process.exitCode()));
    return RunResult::Exited(quint32(process.exitCode()));
}

} // namespace corvane
