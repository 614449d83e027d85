#include "Unit1.h"

#include "Form1Fixture.h"
#include "TestPrinters.h"
#include "fce_import_so.h"

#include <QRegularExpression>

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
                return true;
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
        return true;
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

class StepThreeTest : public StepsFixture
{
};

TEST_F(StepThreeTest, ReportsCompletionEvenWhenItsInstallerFails)
{
    Prepare({.localDb = true});
    SetSteps({false, false, true});
    machine->SetRunEffect(Temp() + u"crvsetup.exe"_s,
                          [](const corvane::FakePlatform::RunCall &) { return false; });
    Click(u"instalovat3b"_s);
    EXPECT_EQ(machine->Runs().size(), 1);
    EXPECT_EQ(StatusBar()->currentMessage(), Item(17));
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(Steps(), (StepFlags{false, false, false}));
}

} // namespace
