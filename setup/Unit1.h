#pragma once

#include <wordmill/ctrls/Form.h>

#include "platform/Platform.h"

#include <QString>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace wordmill {
class TDesignedLexicon;
class TWordmillEngine;
}

// The setup program's only window. It explains what the program does, checks
// administrator rights at start and offers the three installation steps:
// the prerequisites, the LocalDB database engine and the application itself.
// The window, its controls and its message table are read from the stored
// definition :/forms/Form1.json; every handler named there is an invokable
// method that takes the sender.
class TForm1 : public wordmill::TForm
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Start-up: language of the system locale, administrator check, the
    // description, and step 3 hidden when the application is installed.
    Q_INVOKABLE void FormCreate(QObject *Sender);
    // The language engine's OnChangeLanguage: refills the description.
    Q_INVOKABLE void WordmillEngine1ChangeLanguage(QObject *Sender);
    // "continue": the requirements check that offers the steps.
    Q_INVOKABLE void pokracovatbClick(QObject *Sender);
    // "close": closes the window, which ends the program; while a step runs,
    // once that step is over.
    Q_INVOKABLE void konecbClick(QObject *Sender);
    // Step 1: .NET Framework 4 and SQL Server Native Client 11.
    Q_INVOKABLE void instalovat1bClick(QObject *Sender);
    // Step 2: SQL Server 2012 LocalDB.
    Q_INVOKABLE void instalovat2bClick(QObject *Sender);
    // Step 3: the application's own installer.
    Q_INVOKABLE void instalovat3bClick(QObject *Sender);
    // "cancel downloading": the running download stops at its next progress
    // notification.
    Q_INVOKABLE void zrusitbClick(QObject *Sender);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // One installer that a step fetches and runs.
    struct Installer
    {
        QString downloadingText;
        // Asked when the download starts; may throw (the 64-bit probe).
        std::function<QString()> url;
        QString fileName;
        QString installingText;
        // Starts the downloaded package (full path) with the folder it is in.
        std::function<corvane::RunResult(const QString &package, const QString &folder)> install;
        QString finishedText;
    };

    void BindComponents();
    QString Item(int index);
    void ShowError(const QString &text, const QString &caption);
    void ShowApplicationError(const QString &message);

    void CheckRequirements();
    void RunStep(const std::function<void()> &step);
    void InstallPrerequisites();
    void InstallDatabase();
    void InstallApplication();
    // Downloads the installer into the temp folder, showing progress and
    // offering cancel, checks that it may be run (InstallerPins.h), then runs
    // it and waits for it. A failed or refused download is reported in a
    // message box and the status bar, and its installer is skipped; an
    // installer that cannot be started or ends with a failure code is
    // reported likewise. True when the installer ran and succeeded.
    bool DownloadAndRun(const Installer &installer);
    // Why an installer's run failed: not started, or an exit code other than
    // success (0) or success with a restart (3010, 1641); empty otherwise.
    static QString InstallerFailure(const QString &fileName, const corvane::RunResult &result);
    void DownloadProgress(QObject *Sender, quint32 Progress, quint32 ProgressMax,
                          quint32 StatusCode, const QString &StatusText, bool &Cancel);
    void SwitchToSystemLanguage(const QString &code);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *pokracovatb = nullptr;
    QPushButton *konecb = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QStatusBar *sb1 = nullptr;
    QProgressBar *pb1 = nullptr;
    QPushButton *instalovat1b = nullptr;
    QPushButton *instalovat2b = nullptr;
    QPushButton *instalovat3b = nullptr;
    QPushButton *zrusitb = nullptr;
    wordmill::TWordmillEngine *WordmillEngine1 = nullptr;
    wordmill::TDesignedLexicon *Lexicon1 = nullptr;

    bool m_stepRunning = false;
    bool m_closeRequested = false;
};
