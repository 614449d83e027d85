#include "Unit1.h"

#include "Form1Fixture.h"
#include "TestPrinters.h"
#include "fce_import_so.h"

#include <QRegularExpression>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using StepFlags = std::array<bool, 3>;

const QString NetFrameworkPath = u"/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe"_s;
const QString NativeClient64Path = u"/data/sqllocaldb/nativeclient/64bit/sqlncli.msi"_s;
const QString NativeClient32Path = u"/data/sqllocaldb/nativeclient/32bit/sqlncli.msi"_s;
const QString LocalDb64Path = u"/data/sqllocaldb/64bit/sqllocaldb.msi"_s;
const QString LocalDb32Path = u"/data/sqllocaldb/32bit/sqllocaldb.msi"_s;
const QString ApplicationPath = u"/data/crv/crvsetup.exe"_s;

// The machine a step starts on.
struct Machine
{
    bool netFramework = false;
    bool nativeClient = false;
    bool localDb = false;
    bool online = true;
    bool wow64 = true;
    // whether the installers leave their registry keys behind
    bool installersWork = true;
};

class StepsFixture : public Form1Fixture
{
protected:
    QString Temp() { return machine->GetTempFolder(); }
    QString Url(const QString &path) { return machine->DownloadBase() + path; }

    void Prepare(const Machine &m)
    {
        machine->SetOnline(m.online);
        machine->SetWow64(m.wow64);
        if (m.netFramework)
            machine->AddRegistryKey(corvane::NetFramework4Key.toString());
        if (m.nativeClient)
            machine->AddRegistryKey(corvane::NativeClientKey.toString());
        if (m.localDb)
            machine->AddRegistryKey(corvane::LocalDbKey.toString());
        if (!m.installersWork)
            return;
        const auto leaves = [this](QStringView key) {
            return [this, key](const corvane::FakePlatform::RunCall &) {
                machine->AddRegistryKey(key.toString());
                return corvane::RunResult::Exited(0);
            };
        };
        machine->SetRunEffect(Temp() + u"dotnetfx40_full_x86_x64.exe"_s,
                              leaves(corvane::NetFramework4Key));
        machine->SetRunEffect(Temp() + u"sqlncli.msi"_s, leaves(corvane::NativeClientKey));
        machine->SetRunEffect(u"msiexec"_s, leaves(corvane::LocalDbKey));
    }

    QStringList DownloadedUrls()
    {
        QStringList urls;
        for (const auto &call : machine->Downloads())
            urls.append(call.url);
        return urls;
    }

    // A text with lexicon references "{n}" replaced by item n.
    QString Expand(const char16_t *pattern)
    {
        QString text = QString::fromUtf16(pattern);
        static const QRegularExpression reference(u"\\{(\\d+)\\}"_s);
        QRegularExpressionMatch match;
        while ((match = reference.match(text)).hasMatch())
            text.replace(match.capturedStart(), match.capturedLength(),
                         Item(match.captured(1).toInt()));
        return text;
    }
};

// One row of the steps' state machine: a click on a machine, the enabled
// states of instalovat1b..3b before and after, the boxes shown as
// (text item, caption item), and the installers fetched.
struct TransitionCase
{
    const char *name;
    const char16_t *button;
    Machine machine;
    StepFlags before;
    StepFlags after;
    std::vector<std::pair<int, int>> boxes;
    std::vector<const QString *> downloads;
    friend void PrintTo(const TransitionCase &c, std::ostream *os) { *os << c.name; }
};

class TransitionTest : public StepsFixture, public testing::WithParamInterface<TransitionCase>
{
};

TEST_P(TransitionTest, MovesTheStepsOn)
{
    const TransitionCase &c = GetParam();
    Prepare(c.machine);
    SetSteps(c.before);

    Click(QString::fromUtf16(c.button));

    EXPECT_EQ(Steps(), c.after);
    QList<ShownBox> expectedBoxes;
    for (const auto &[text, caption] : c.boxes)
        expectedBoxes.append(ItemBox(text, caption));
    EXPECT_EQ(boxes, expectedBoxes);
    QStringList expectedUrls;
    for (const QString *path : c.downloads)
        expectedUrls.append(Url(*path));
    EXPECT_EQ(DownloadedUrls(), expectedUrls);
    // Every fetched installer ran; the cancel button is at rest again.
    EXPECT_EQ(machine->Runs().size(), machine->Downloads().size());
    EXPECT_FALSE(Button(u"zrusitb"_s)->isEnabled());
    EXPECT_EQ(ProgressBar()->value(), 0);
}

const TransitionCase transitionCases[] = {
    {"ContinueWithLocalDbOffersOnlyStepThree",
     u"pokracovatb",
     {.localDb = true},
     {true, true, false},
     {false, false, true},
     {},
     {}},
    {"ContinueWithAPrerequisiteMissingOffersStepOne",
     u"pokracovatb",
     {.nativeClient = true},
     {false, false, false},
     {true, false, false},
     {},
     {}},
    {"ContinueWithBothPrerequisitesOffersStepTwo",
     u"pokracovatb",
     {.netFramework = true, .nativeClient = true},
     {false, false, false},
     {false, true, false},
     {},
     {}},
    {"StepOneOfflineOnlyTellsSo",
     u"instalovat1b",
     {.online = false},
     {true, false, false},
     {true, false, false},
     {{3, 4}},
     {}},
    {"StepOneInstallsBothAndOffersStepTwo",
     u"instalovat1b",
     {},
     {true, false, false},
     {false, true, false},
     {},
     {&NetFrameworkPath, &NativeClient64Path}},
    {"StepOneFetchesOnlyWhatIsMissing",
     u"instalovat1b",
     {.netFramework = true, .wow64 = false},
     {true, false, false},
     {false, true, false},
     {},
     {&NativeClient32Path}},
    {"StepOneReportsEachPrerequisiteStillMissing",
     u"instalovat1b",
     {.installersWork = false},
     {true, false, true},
     {true, false, true},
     {{10, 2}, {11, 2}},
     {&NetFrameworkPath, &NativeClient64Path}},
    {"StepOneReportsNativeClientStillMissing",
     u"instalovat1b",
     {.netFramework = true, .installersWork = false},
     {true, false, false},
     {true, false, false},
     {{11, 2}},
     {&NativeClient64Path}},
    {"StepTwoWithAPrerequisiteMissingSendsBackToStepOne",
     u"instalovat2b",
     {.netFramework = true},
     {false, true, false},
     {true, false, false},
     {{12, 2}},
     {}},
    {"StepTwoWithLocalDbPresentOffersStepThree",
     u"instalovat2b",
     {.netFramework = true, .nativeClient = true, .localDb = true},
     {false, true, false},
     {false, true, true},
     {{13, 2}},
     {}},
    {"StepTwoInstallsTheDatabaseAndOffersStepThree",
     u"instalovat2b",
     {.netFramework = true, .nativeClient = true},
     {false, true, false},
     {false, false, true},
     {},
     {&LocalDb64Path}},
    {"StepTwoFetchesThe32bitDatabaseOn32bitWindows",
     u"instalovat2b",
     {.netFramework = true, .nativeClient = true, .wow64 = false},
     {false, true, false},
     {false, false, true},
     {},
     {&LocalDb32Path}},
    {"StepTwoReportsTheDatabaseStillMissing",
     u"instalovat2b",
     {.netFramework = true, .nativeClient = true, .installersWork = false},
     {false, true, true},
     {false, true, false},
     {{15, 2}},
     {&LocalDb64Path}},
    {"StepThreeWithoutDatabaseSendsBackToStepTwo",
     u"instalovat3b",
     {},
     {false, false, true},
     {false, true, false},
     {{16, 2}},
     {}},
    {"StepThreeRunsAndStaysDisabled",
     u"instalovat3b",
     {.localDb = true},
     {true, false, true},
     {true, false, false},
     {},
     {&ApplicationPath}},
};

INSTANTIATE_TEST_SUITE_P(Steps, TransitionTest, testing::ValuesIn(transitionCases),
                         [](const auto &info) { return std::string(info.param.name); });

// How one installer is fetched and started, and what the status bar says
// while it is fetched, while it runs and afterwards ("{n}" is item n).
struct InstallerCase
{
    const char *name;
    const char16_t *button;
    Machine machine;
    const QString *path;
    const char16_t *fileName;
    const char16_t *program; // nullptr: the downloaded file itself
    const char16_t *parameters;
    const char16_t *downloading;
    const char16_t *installing;
    const char16_t *finished;
    friend void PrintTo(const InstallerCase &c, std::ostream *os) { *os << c.name; }
};

class InstallerTest : public StepsFixture, public testing::WithParamInterface<InstallerCase>
{
};

TEST_P(InstallerTest, IsFetchedIntoTheTempFolderAndStarted)
{
    const InstallerCase &c = GetParam();
    Prepare(c.machine);
    SetSteps({true, true, true});
    const QString package = Temp() + QString::fromUtf16(c.fileName);
    const QString program = c.program ? QString::fromUtf16(c.program) : package;

    QString whileDownloading, whileInstalling;
    bool cancelOffered = false, cancelAfterwards = true;
    int barWhileInstalling = -1;
    corvane::FakePlatform::DownloadScript script;
    script.notifications = {{40, 80}, {80, 80}};
    script.beforeNotification = [&](int i) {
        if (i == 0) {
            whileDownloading = StatusBar()->currentMessage();
            cancelOffered = Button(u"zrusitb"_s)->isEnabled();
        }
    };
    machine->SetDownloadScript(Url(*c.path), script);
    machine->SetRunEffect(program, [&](const corvane::FakePlatform::RunCall &) {
        whileInstalling = StatusBar()->currentMessage();
        cancelAfterwards = Button(u"zrusitb"_s)->isEnabled();
        barWhileInstalling = ProgressBar()->value();
        return corvane::RunResult::Exited(0);
    });

    Click(QString::fromUtf16(c.button));

    ASSERT_EQ(machine->Downloads().size(), 1);
    EXPECT_EQ(machine->Downloads().first().url, Url(*c.path));
    EXPECT_EQ(machine->Downloads().first().fileName, package);
    ASSERT_EQ(machine->Runs().size(), 1);
    const corvane::FakePlatform::RunCall &run = machine->Runs().first();
    EXPECT_EQ(run.fileName, program);
    EXPECT_EQ(run.parameters, Expand(c.parameters).replace(u"%package"_s, package));
    EXPECT_EQ(run.verb, QString());
    EXPECT_EQ(run.showCommand, 1);
    EXPECT_EQ(run.directory, Temp());

    EXPECT_EQ(whileDownloading, Expand(c.downloading));
    EXPECT_EQ(whileInstalling, Expand(c.installing));
    EXPECT_EQ(StatusBar()->currentMessage(), Expand(c.finished));
    EXPECT_TRUE(cancelOffered);
    EXPECT_FALSE(cancelAfterwards);
    EXPECT_EQ(barWhileInstalling, 0);
}

const InstallerCase installerCases[] = {
    {"NetFramework",
     u"instalovat1b",
     {.nativeClient = true},
     &NetFrameworkPath,
     u"dotnetfx40_full_x86_x64.exe",
     nullptr,
     u"",
     u"{5} Net framework 4.0.3...",
     u"{9} NET Framework 4.0.3...",
     u""},
    {"NativeClient64bit",
     u"instalovat1b",
     {.netFramework = true},
     &NativeClient64Path,
     u"sqlncli.msi",
     nullptr,
     u"",
     u"{5} SQL native client...",
     u"{9} SQL native client...",
     u""},
    {"NativeClient32bit",
     u"instalovat1b",
     {.netFramework = true, .wow64 = false},
     &NativeClient32Path,
     u"sqlncli.msi",
     nullptr,
     u"",
     u"{5} SQL native client...",
     u"{9} SQL native client...",
     u""},
    {"LocalDbThroughMsiexecWithQuotedPath",
     u"instalovat2b",
     {.netFramework = true, .nativeClient = true},
     &LocalDb64Path,
     u"sqllocaldb.msi",
     u"msiexec",
     u"/i \"%package\"",
     u"{5} {21}...",
     u"{14}",
     u""},
    {"Application",
     u"instalovat3b",
     {.localDb = true},
     &ApplicationPath,
     u"crvsetup.exe",
     nullptr,
     u"",
     u"{5} program {22}...",
     u"{9} program {22}...",
     u"{17}"},
};

INSTANTIATE_TEST_SUITE_P(Installers, InstallerTest, testing::ValuesIn(installerCases),
                         [](const auto &info) { return std::string(info.param.name); });

// What a step makes of its installer's end: the exit code (or no start at
// all), the boxes shown (a text with "{n}" for item n, and the caption
// item), the step buttons and the status bar afterwards.
struct OutcomeCase
{
    const char *name;
    const char16_t *button;
    Machine machine;
    const char16_t *program;         // the file started, below the temp folder unless "msiexec"
    std::optional<quint32> exitCode; // none: it could not be started
    std::vector<std::pair<const char16_t *, int>> boxes;
    StepFlags after;
    const char16_t *status;
    friend void PrintTo(const OutcomeCase &c, std::ostream *os) { *os << c.name; }
};

class OutcomeTest : public StepsFixture, public testing::WithParamInterface<OutcomeCase>
{
};

TEST_P(OutcomeTest, FailedInstallersAreReportedWithTheirExitCode)
{
    const OutcomeCase &c = GetParam();
    Prepare(c.machine);
    SetSteps({c.button == std::u16string_view(u"instalovat1b"),
              c.button == std::u16string_view(u"instalovat2b"),
              c.button == std::u16string_view(u"instalovat3b")});
    const QString program = QString::fromUtf16(c.program);
    machine->SetRunEffect(program == u"msiexec"_s ? program : Temp() + program,
                          [&c](const corvane::FakePlatform::RunCall &) {
                              return c.exitCode ? corvane::RunResult::Exited(*c.exitCode)
                                                : corvane::RunResult::NotStarted();
                          });

    Click(QString::fromUtf16(c.button));

    QList<ShownBox> expected;
    for (const auto &[text, caption] : c.boxes)
        expected.append({Expand(text), Item(caption), QMessageBox::Critical});
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(Steps(), c.after);
    EXPECT_EQ(StatusBar()->currentMessage(), Expand(c.status));
}

const OutcomeCase outcomeCases[] = {
    {"StepThreeSucceedsWithExitCodeZero",
     u"instalovat3b",
     {.localDb = true},
     u"crvsetup.exe",
     0,
     {},
     {false, false, false},
     u"{17}"},
    {"StepThreeSucceedsWhenARestartIsRequired",
     u"instalovat3b",
     {.localDb = true},
     u"crvsetup.exe",
     3010,
     {},
     {false, false, false},
     u"{17}"},
    {"StepThreeSucceedsWhenTheRestartWasStarted",
     u"instalovat3b",
     {.localDb = true},
     u"crvsetup.exe",
     1641,
     {},
     {false, false, false},
     u"{17}"},
    {"StepThreeReportsAFailureCode",
     u"instalovat3b",
     {.localDb = true},
     u"crvsetup.exe",
     1603,
     {{u"The installer crvsetup.exe ended with exit code 1603.", 2}},
     {false, false, false},
     u"The installer crvsetup.exe ended with exit code 1603."},
    {"StepThreeShowsALargeCodeInHexToo",
     u"instalovat3b",
     {.localDb = true},
     u"crvsetup.exe",
     0x80070643u,
     {{u"The installer crvsetup.exe ended with exit code 2147944003 (0x80070643).", 2}},
     {false, false, false},
     u"The installer crvsetup.exe ended with exit code 2147944003 (0x80070643)."},
    {"StepThreeReportsAnInstallerThatCannotStart",
     u"instalovat3b",
     {.localDb = true},
     u"crvsetup.exe",
     std::nullopt,
     {{u"The installer crvsetup.exe could not be started.", 2}},
     {false, false, false},
     u"The installer crvsetup.exe could not be started."},
    {"StepTwoReportsTheCodeAndThenTheMissingDatabase",
     u"instalovat2b",
     {.netFramework = true, .nativeClient = true, .installersWork = false},
     u"msiexec",
     1603,
     {{u"The installer sqllocaldb.msi ended with exit code 1603.", 2}, {u"{15}", 2}},
     {false, true, false},
     u""},
    {"StepOneReportsEachFailedInstallerThenWhatIsMissing",
     u"instalovat1b",
     {.nativeClient = true, .installersWork = false},
     u"dotnetfx40_full_x86_x64.exe",
     5,
     {{u"The installer dotnetfx40_full_x86_x64.exe ended with exit code 5.", 2}, {u"{10}", 2}},
     {true, false, false},
     u""},
};

INSTANTIATE_TEST_SUITE_P(Outcomes, OutcomeTest, testing::ValuesIn(outcomeCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Buttons the user presses while a step's first download runs.
struct ReentryCase
{
    const char *name;
    const char16_t *button;
    Machine machine;
    StepFlags before;
    std::vector<const char16_t *> pressed;
    std::vector<const QString *> downloads;
    StepFlags after;
    friend void PrintTo(const ReentryCase &c, std::ostream *os) { *os << c.name; }
};

class ReentryTest : public StepsFixture, public testing::WithParamInterface<ReentryCase>
{
};

TEST_P(ReentryTest, NothingElseStartsWhileAStepRuns)
{
    const ReentryCase &c = GetParam();
    Prepare(c.machine);
    SetSteps(c.before);
    corvane::FakePlatform::DownloadScript script;
    script.notifications = {{0, 10}, {10, 10}};
    bool pressed = false;
    script.beforeNotification = [&](int i) {
        if (i != 0 || std::exchange(pressed, true))
            return;
        for (const char16_t *button : c.pressed)
            Click(QString::fromUtf16(button));
    };
    machine->SetDownloadScript(Url(*c.downloads.front()), script);

    Click(QString::fromUtf16(c.button));

    QStringList expectedUrls;
    for (const QString *path : c.downloads)
        expectedUrls.append(Url(*path));
    EXPECT_EQ(DownloadedUrls(), expectedUrls);
    EXPECT_TRUE(boxes.isEmpty()) << qPrintable(boxes.value(0).text);
    EXPECT_EQ(Steps(), c.after);
    EXPECT_EQ(Lines(u"Memo2"_s), QStringList());
}

const ReentryCase reentryCases[] = {
    {"ContinueAndTheSameStepAgain",
     u"instalovat1b",
     {},
     {true, false, false},
     {u"pokracovatb", u"instalovat1b"},
     {&NetFrameworkPath, &NativeClient64Path},
     {false, true, false}},
    {"AnotherEnabledStep",
     u"instalovat2b",
     {.netFramework = true, .nativeClient = true},
     {false, true, true},
     {u"instalovat3b"},
     {&LocalDb64Path},
     {false, false, true}},
};

INSTANTIATE_TEST_SUITE_P(Presses, ReentryTest, testing::ValuesIn(reentryCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
