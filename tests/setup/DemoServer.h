#pragma once

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

// The bundled demo download server on a free loopback port, for the suites
// that install over real HTTP. Start() points CORVANE_DOWNLOAD_BASE at it
// and makes the demo installers skip their pauses.
class DemoServer
{
public:
    static QString RepoRoot()
    {
        return QDir::cleanPath(QStringLiteral(WORDMILL_TEST_DATA "/../.."));
    }

    void Start()
    {
        m_process.setProgram(QStringLiteral("python3"));
        m_process.setArguments({RepoRoot() + QStringLiteral("/scripts/demo_server.py"),
                                QStringLiteral("--port"), QStringLiteral("0"),
                                QStringLiteral("--root"), RepoRoot() + QStringLiteral("/setup/demo/www")});
        m_process.start();
        QByteArray banner;
        while (!banner.contains('\n') && m_process.waitForReadyRead(10000))
            banner += m_process.readAllStandardOutput();
        const auto match = QRegularExpression(QStringLiteral("http://127\\.0\\.0\\.1:\\d+"))
                               .match(QString::fromUtf8(banner));
        if (match.hasMatch())
            qputenv("CORVANE_DOWNLOAD_BASE", match.captured().toUtf8());
        qputenv("CORVANE_DEMO_STEP_SECONDS", "0");
    }

    void Stop()
    {
        m_process.kill();
        m_process.waitForFinished();
        qunsetenv("CORVANE_DOWNLOAD_BASE");
        qunsetenv("CORVANE_DEMO_STEP_SECONDS");
    }

    QProcess &Process() { return m_process; }

private:
    QProcess m_process;
};
