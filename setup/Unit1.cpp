#include "Unit1.h"

#include "Download.h"
#include <wordmill/ctrls/MessageBox.h>
#include "fce_import_so.h"
#include "platform/InstallerPins.h"
#include "platform/SetupLog.h"
#include <wordmill/comp/WordmillEngine.h>
#include <wordmill/core/DesignedLexicon.h>
#include <wordmill/comp/WidgetFormReader.h>
#include <wordmill/sys/DisplayText.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

// The stored definitions live in a static library: their resources must be
// registered by hand.
static void InitFormResources()
{
    Q_INIT_RESOURCE(forms);
    Q_INIT_RESOURCE(languages);
}

namespace {

// Show command of a started installer: a normal window.
constexpr int ShowNormal = 1;

// Reads the window's definition and hands the components to the window's
// fields as soon as they all exist, before their loaded notifications and
// the window's OnCreate run.
class Form1Reader : public wordmill::TWidgetFormReader
{
public:
    Form1Reader(QObject *form, std::function<void()> bind)
        : TWidgetFormReader(form), m_bind(std::move(bind))
    {
    }

protected:
    void FinishDefinition(const QJsonObject &definition) override
    {
        TWidgetFormReader::FinishDefinition(definition);
        m_bind();
    }

private:
    std::function<void()> m_bind;
};

template <typename T> void Bind(QObject *form, T *&field, const QString &name)
{
    const QList<QObject *> components = wordmill::OwnedComponents(form);
    const auto it = std::find_if(components.begin(), components.end(),
                                 [&name](QObject *c) { return c->objectName() == name; });
    field = it == components.end() ? nullptr : qobject_cast<T *>(*it);
    if (!field)
        qFatal("Form1: the definition has no component %s of the expected class", qPrintable(name));
}

// QProgressBar counts in int; larger amounts are scaled down together so
// the bar still shows the right fraction.
std::pair<int, int> BarValues(quint32 progress, quint32 maximum)
{
    constexpr quint32 limit = quint32(std::numeric_limits<int>::max());
    int shift = 0;
    while ((std::max(progress, maximum) >> shift) > limit)
        ++shift;
    return {int(progress >> shift), int(maximum >> shift)};
}

bool NetFrameworkInstalled()
{
    return RegistryKeyExists(corvane::NetFramework4Key.toString());
}

bool NativeClientInstalled()
{
    return RegistryKeyExists(corvane::NativeClientKey.toString());
}

// Exit codes of an installer that succeeded: 3010 and 1641 ask for a restart
// (the latter has already started it).
constexpr quint32 ExitSuccess = 0;
constexpr quint32 ExitRestartRequired = 3010;
constexpr quint32 ExitRestartInitiated = 1641;

// Starts an installer with the file's default action in a normal window and
// waits for it.
corvane::RunResult RunInstaller(const QString &fileName, const QString &parameters,
                                const QString &folder)
{
    return corvane::CurrentPlatform().RunAndWait(fileName, parameters, QString(), ShowNormal,
                                                 folder);
}

QString ExitCodeText(quint32 code)
{
    // Large codes are HRESULTs, which are known by their hex form.
    if (code <= 0xFFFF)
        return QString::number(code);
    return u"%1 (0x%2)"_s.arg(QString::number(code),
                              QString::number(code, 16).rightJustified(8, u'0'));
}

QString Quoted(const QString &path)
{
    return u'"' + path + u'"';
}

} // namespace

TForm1::TForm1(QWidget *parent) : wordmill::TForm(parent)
{
    InitFormResources();
    // A dialog-like main window: it can be minimised but not maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    // Read last, so the handlers the definition names are found on TForm1.
    Form1Reader reader(this, [this] { BindComponents(); });
    QString error;
    if (!reader.ReadResource(u":/forms/Form1.json"_s, &error))
        qFatal("Form1: %s", qPrintable(error));
}

TForm1::~TForm1() = default;

void TForm1::BindComponents()
{
    Bind(this, Label1, u"Label1"_s);
    Bind(this, Label2, u"Label2"_s);
    Bind(this, Label3, u"Label3"_s);
    Bind(this, Label4, u"Label4"_s);
    Bind(this, Memo1, u"Memo1"_s);
    Bind(this, pokracovatb, u"pokracovatb"_s);
    Bind(this, konecb, u"konecb"_s);
    Bind(this, Memo2, u"Memo2"_s);
    Bind(this, sb1, u"sb1"_s);
    Bind(this, pb1, u"pb1"_s);
    Bind(this, instalovat1b, u"instalovat1b"_s);
    Bind(this, instalovat2b, u"instalovat2b"_s);
    Bind(this, instalovat3b, u"instalovat3b"_s);
    Bind(this, zrusitb, u"zrusitb"_s);
    Bind(this, WordmillEngine1, u"WordmillEngine1"_s);
    Bind(this, Lexicon1, u"Lexicon1"_s);
}

QString TForm1::Item(int index)
{
    return Lexicon1->Item(index);
}

void TForm1::ShowError(const QString &text, const QString &caption)
{
    wordmill::ShowMessage(this, text, caption, QMessageBox::Critical);
}

// What an error that no handler expects looks like: its message under the
// application's name.
void TForm1::ShowApplicationError(const QString &message)
{
    ShowError(message, QGuiApplication::applicationDisplayName());
}

void TForm1::FormCreate(QObject *Sender)
{
    SwitchToSystemLanguage(
        QString::fromLocal8Bit(GetSystemLocaleInfo(corvane::LocaleIso639LangName)));

    if (!IsAdministrator())
        ShowError(Item(1), Item(2));

    Memo1->setPlainText(wordmill::CapDisplayText(Item(0), Memo1->objectName()));

    // The application installed beside the setup program: step 3 is not offered.
    if (QFileInfo::exists(QCoreApplication::applicationDirPath() + u"/crv.exe"_s)) {
        Label4->setVisible(false);
        instalovat3b->setVisible(false);
    }
}

// Switches the window to the available language with this ISO 639 code; a
// code that names no available language leaves the language unchanged.
void TForm1::SwitchToSystemLanguage(const QString &code)
{
    WordmillEngine1->SetCurrentLanguage(code);
}

void TForm1::WordmillEngine1ChangeLanguage(QObject *Sender)
{
    Memo1->setPlainText(wordmill::CapDisplayText(Item(0), Memo1->objectName()));
}

void TForm1::konecbClick(QObject *Sender)
{
    close();
}

void TForm1::pokracovatbClick(QObject *Sender)
{
    // A running step serves the event queue; the check would move the step
    // buttons on under it.
    if (m_stepRunning)
        return;
    try {
        CheckRequirements();
    } catch (const corvane::Exception &e) {
        ShowApplicationError(e.Message());
    }
}

void TForm1::CheckRequirements()
{
    // With the database present only the application step is left.
    if (IsLocalDbInstalled()) {
        instalovat1b->setEnabled(false);
        instalovat2b->setEnabled(false);
        instalovat3b->setEnabled(true);
        return;
    }

    Memo2->clear();

    if (GetWindowsName() != u"Windows Vista"_s && GetWindowsName() != u"Windows 7"_s &&
        GetWindowsName() != u"Windows 8"_s) {
        ShowError(Item(18), Item(2));
        Memo2->appendPlainText(u"System: "_s + GetWindowsName() + u" - "_s + Item(19));
        return;
    }

    if (!NetFrameworkInstalled()) {
        Memo2->appendPlainText(u"Net Framework 4.0.2"_s);
        instalovat1b->setEnabled(true);
    }
    if (!NativeClientInstalled()) {
        Memo2->appendPlainText(IsWow64() ? u"SQL Native Client 11 64bit"_s
                                         : u"SQL Native Client 11 32bit"_s);
        instalovat1b->setEnabled(true);
    }
    if (NetFrameworkInstalled() && NativeClientInstalled()) {
        Memo2->appendPlainText(Item(20));
        instalovat2b->setEnabled(true);
    }
}

void TForm1::zrusitbClick(QObject *Sender)
{
    zrusitb->setEnabled(false);
}

void TForm1::DownloadProgress(QObject *Sender, quint32 Progress, quint32 ProgressMax,
                              quint32 StatusCode, const QString &StatusText, bool &Cancel)
{
    const auto [value, maximum] = BarValues(Progress, ProgressMax);
    pb1->setMaximum(maximum);
    pb1->setValue(value);
    QCoreApplication::processEvents();
    if (!zrusitb->isEnabled())
        Cancel = true;
}

QString TForm1::InstallerFailure(const QString &fileName, const corvane::RunResult &result)
{
    if (!result.started)
        return tr("The installer %1 could not be started.").arg(fileName);
    // Without a process to wait for there is no exit code; the checks after
    // the installer tell what it achieved.
    if (!result.exitCode)
        return QString();
    const quint32 code = *result.exitCode;
    if (code == ExitRestartRequired || code == ExitRestartInitiated)
        qCInfo(corvane::lcSetup, "The installer %ls asks for a restart (exit code %u)",
               qUtf16Printable(fileName), code);
    if (code == ExitSuccess || code == ExitRestartRequired || code == ExitRestartInitiated)
        return QString();
    return tr("The installer %1 ended with exit code %2.").arg(fileName, ExitCodeText(code));
}

bool TForm1::DownloadAndRun(const Installer &installer)
{
    std::unique_ptr<corvane::TDownload> download(new corvane::TDownload(this));
    QString package;
    QString folder;
    try {
        sb1->showMessage(installer.downloadingText);
        download->SetUrl(installer.url());
        folder = GetTempFolder();
        package = folder + installer.fileName;
        download->SetFileName(package);
        zrusitb->setEnabled(true);
        download->SetOnProgress([this](QObject *sender, quint32 progress, quint32 progressMax,
                                       quint32 statusCode, const QString &statusText,
                                       bool &cancel) {
            DownloadProgress(sender, progress, progressMax, statusCode, statusText, cancel);
        });
        download->Execute();
        // Nothing is run that is not trusted; a refused file does not stay.
        const QString refusal =
            corvane::CheckInstaller(corvane::CurrentPlatform(), download->Url(), package);
        if (!refusal.isEmpty()) {
            if (!QFile::remove(package))
                qCWarning(corvane::lcSetup, "The refused file %ls cannot be removed",
                          qUtf16Printable(package));
            throw corvane::Exception(refusal);
        }
        zrusitb->setEnabled(false);
        pb1->setValue(0);
        download.reset();
        sb1->clearMessage();
    } catch (const corvane::Exception &e) {
        ShowError(e.ClassName() + u' ' + Item(6) + u' ' + e.Message() + u' ' + Item(7), Item(8));
        sb1->showMessage(e.Message());
        zrusitb->setEnabled(false);
        return false;
    }

    sb1->showMessage(installer.installingText);
    const QString failure =
        InstallerFailure(installer.fileName, installer.install(package, folder));
    if (!failure.isEmpty()) {
        ShowError(failure, Item(2));
        sb1->showMessage(failure);
        return false;
    }
    sb1->showMessage(installer.finishedText);
    return true;
}

void TForm1::instalovat1bClick(QObject *Sender)
{
    RunStep([this] { InstallPrerequisites(); });
}

void TForm1::instalovat2bClick(QObject *Sender)
{
    RunStep([this] { InstallDatabase(); });
}

void TForm1::instalovat3bClick(QObject *Sender)
{
    RunStep([this] { InstallApplication(); });
}

// A step serves the event queue while it downloads and waits for installers,
// so the user may press other buttons meanwhile. No other step starts inside
// it (its download would replace the file the running step is fetching). A
// close takes effect once the step is over: a download is not cut short, no
// installer is left half-watched, and no message of the step appears after
// the window is gone.
void TForm1::RunStep(const std::function<void()> &step)
{
    if (m_stepRunning)
        return;
    m_stepRunning = true;
    {
        // However the step ends, it no longer runs: an error that escapes it
        // must not leave the window refusing every later step and close.
        const auto stepOver = qScopeGuard([this] { m_stepRunning = false; });
        step();
    }
    if (m_closeRequested) {
        m_closeRequested = false;
        close();
    }
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_stepRunning) {
        m_closeRequested = true;
        event->ignore();
        return;
    }
    m_closeRequested = false;
    wordmill::TForm::closeEvent(event);
}

void TForm1::InstallPrerequisites()
{
    if (!IsInternetConnected()) {
        ShowError(Item(3), Item(4));
        return;
    }
    instalovat1b->setEnabled(false);

    const QString base = corvane::CurrentPlatform().DownloadBase();
    const auto runPackage = [](const QString &package, const QString &folder) {
        return RunInstaller(package, QString(), folder);
    };

    if (!NetFrameworkInstalled()) {
        DownloadAndRun({
            Item(5) + u" Net framework 4.0.3..."_s,
            [base] { return base + u"/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe"_s; },
            u"dotnetfx40_full_x86_x64.exe"_s,
            Item(9) + u" NET Framework 4.0.3..."_s,
            runPackage,
            QString(),
        });
    }
    // Asked only now: the .NET Framework installer may have brought it.
    if (!NativeClientInstalled()) {
        DownloadAndRun({
            Item(5) + u" SQL native client..."_s,
            [base] {
                return base + (IsWow64() ? u"/data/sqllocaldb/nativeclient/64bit/sqlncli.msi"_s
                                         : u"/data/sqllocaldb/nativeclient/32bit/sqlncli.msi"_s);
            },
            u"sqlncli.msi"_s,
            Item(9) + u" SQL native client..."_s,
            runPackage,
            QString(),
        });
    }

    pb1->setValue(0);
    sb1->clearMessage();

    if (NetFrameworkInstalled() && NativeClientInstalled()) {
        instalovat2b->setEnabled(true);
        return;
    }
    instalovat1b->setEnabled(true);
    if (!NetFrameworkInstalled())
        ShowError(Item(10), Item(2));
    if (!NativeClientInstalled())
        ShowError(Item(11), Item(2));
}

void TForm1::InstallDatabase()
{
    if (!NativeClientInstalled() || !NetFrameworkInstalled()) {
        ShowError(Item(12), Item(2));
        instalovat2b->setEnabled(false);
        instalovat1b->setEnabled(true);
        return;
    }
    if (IsLocalDbInstalled()) {
        ShowError(Item(13), Item(2));
        instalovat3b->setEnabled(true);
        return;
    }
    instalovat2b->setEnabled(false);

    const QString base = corvane::CurrentPlatform().DownloadBase();
    DownloadAndRun({
        Item(5) + u' ' + Item(21) + u"..."_s,
        [base] {
            return base + (IsWow64() ? u"/data/sqllocaldb/64bit/sqllocaldb.msi"_s
                                     : u"/data/sqllocaldb/32bit/sqllocaldb.msi"_s);
        },
        u"sqllocaldb.msi"_s,
        Item(14),
        // Quoted, so a temp folder with spaces reaches msiexec as one path.
        [](const QString &package, const QString &folder) {
            return RunInstaller(u"msiexec"_s, u"/i "_s + Quoted(package), folder);
        },
        QString(),
    });

    pb1->setValue(0);
    sb1->clearMessage();

    if (IsLocalDbInstalled()) {
        instalovat3b->setEnabled(true);
        instalovat2b->setEnabled(false);
    } else {
        ShowError(Item(15), Item(2));
        instalovat3b->setEnabled(false);
        instalovat2b->setEnabled(true);
    }
}

void TForm1::InstallApplication()
{
    if (!IsLocalDbInstalled()) {
        ShowError(Item(16), Item(2));
        instalovat3b->setEnabled(false);
        instalovat2b->setEnabled(true);
        return;
    }
    instalovat3b->setEnabled(false);

    const QString base = corvane::CurrentPlatform().DownloadBase();
    DownloadAndRun({
        Item(5) + u" program "_s + Item(22) + u"..."_s,
        [base] { return base + u"/data/crv/crvsetup.exe"_s; },
        u"crvsetup.exe"_s,
        Item(9) + u" program "_s + Item(22) + u"..."_s,
        [](const QString &package, const QString &folder) {
            return RunInstaller(package, QString(), folder);
        },
        Item(17),
    });
}
