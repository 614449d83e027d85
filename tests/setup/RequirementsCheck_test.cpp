#include "Unit1.h"

#include "Form1Fixture.h"
#include "TestPrinters.h"
#include "fce_import_so.h"

using namespace Qt::StringLiterals;

namespace {

using StepFlags = std::array<bool, 3>;

// What "continue" finds on a machine and what it makes of it. Lines that
// name a lexicon item carry its number instead of a text.
struct CheckCase
{
    const char *name;
    quint32 platformId, major, minor;
    bool wow64;
    bool netFramework, nativeClient, localDb;
    StepFlags before;
    StepFlags after;
    QList<QVariant> lines; // QString: a fixed line; int: the item; "system": the refusal line
    bool refused;          // the unsupported-version box
    friend void PrintTo(const CheckCase &c, std::ostream *os) { *os << c.name; }
};

class RequirementsCheckTest : public Form1Fixture, public testing::WithParamInterface<CheckCase>
{
protected:
    void Prepare(const CheckCase &c)
    {
        machine->SetWindowsVersion(c.platformId, c.major, c.minor);
        machine->SetWow64(c.wow64);
        if (c.netFramework)
            machine->AddRegistryKey(corvane::NetFramework4Key.toString());
        if (c.nativeClient)
            machine->AddRegistryKey(corvane::NativeClientKey.toString());
        if (c.localDb)
            machine->AddRegistryKey(corvane::LocalDbKey.toString());
        SetSteps(c.before);
    }

    QStringList Expected(const CheckCase &c)
    {
        QStringList lines;
        for (const QVariant &line : c.lines) {
            if (line.typeId() == QMetaType::Int)
                lines.append(Item(line.toInt()));
            else if (line.toString() == u"system"_s)
                lines.append(u"System: "_s +
                             corvane::WindowsName({c.platformId, c.major, c.minor}) + u" - "_s +
                             Item(19));
            else
                lines.append(line.toString());
        }
        return lines;
    }
};

TEST_P(RequirementsCheckTest, OffersTheStepsTheMachineNeeds)
{
    const CheckCase &c = GetParam();
    Prepare(c);
    Memo(u"Memo2"_s)->setPlainText(u"earlier list"_s);

    Click(u"pokracovatb"_s);

    EXPECT_EQ(Steps(), c.after);
    if (c.localDb)
        EXPECT_EQ(Lines(u"Memo2"_s), QStringList{u"earlier list"_s});
    else
        EXPECT_EQ(Lines(u"Memo2"_s), Expected(c));
    if (c.refused) {
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes.first(), ItemBox(18, 2));
    } else {
        EXPECT_TRUE(boxes.isEmpty());
    }
    EXPECT_TRUE(Button(u"pokracovatb"_s)->isEnabled());
}

TEST_P(RequirementsCheckTest, ClickingAgainGivesTheSameResult)
{
    const CheckCase &c = GetParam();
    Prepare(c);
    Click(u"pokracovatb"_s);
    const QStringList first = Lines(u"Memo2"_s);
    const StepFlags steps = Steps();
    Click(u"pokracovatb"_s);
    EXPECT_EQ(Lines(u"Memo2"_s), first);
    EXPECT_EQ(Steps(), steps);
}

const CheckCase checkCases[] = {
    {"LocalDbPresentOffersOnlyTheApplication",
     2,
     6,
     1,
     true,
     false,
     false,
     true,
     {true, true, false},
     {false, false, true},
     {},
     false},
    {"LocalDbPresentOnXpStillOffersTheApplication",
     2,
     5,
     1,
     false,
     false,
     false,
     true,
     {false, false, false},
     {false, false, true},
     {},
     false},
    {"Windows7x64NothingInstalled",
     2,
     6,
     1,
     true,
     false,
     false,
     false,
     {false, false, false},
     {true, false, false},
     {u"Net Framework 4.0.2"_s, u"SQL Native Client 11 64bit"_s},
     false},
    {"VistaNativeClientMissing32bit",
     2,
     6,
     0,
     false,
     true,
     false,
     false,
     {false, true, true},
     {true, true, true},
     {u"SQL Native Client 11 32bit"_s},
     false},
    {"Windows8NetFrameworkMissing",
     2,
     6,
     2,
     true,
     false,
     true,
     false,
     {false, false, false},
     {true, false, false},
     {u"Net Framework 4.0.2"_s},
     false},
    {"BothPrerequisitesPresentOffersTheDatabase",
     2,
     6,
     1,
     true,
     true,
     true,
     false,
     {true, false, true},
     {true, true, true},
     {20},
     false},
    {"WindowsXpIsRefused",
     2,
     5,
     1,
     false,
     false,
     false,
     false,
     {false, false, false},
     {false, false, false},
     {u"system"_s},
     true},
    {"Windows81ReportedAs63IsRefused",
     2,
     6,
     3,
     true,
     true,
     true,
     false,
     {true, false, false},
     {true, false, false},
     {u"system"_s},
     true},
    {"Windows2000IsRefused",
     2,
     5,
     0,
     false,
     false,
     false,
     false,
     {false, false, false},
     {false, false, false},
     {u"system"_s},
     true},
};

INSTANTIATE_TEST_SUITE_P(Machines, RequirementsCheckTest, testing::ValuesIn(checkCases),
                         [](const auto &info) { return std::string(info.param.name); });

class RequirementsCheckErrorTest : public Form1Fixture
{
};

TEST_F(RequirementsCheckErrorTest, ProbeErrorIsShownAndKeepsTheLinesSoFar)
{
    machine->SetWow64Error(u"Access is denied"_s);
    Click(u"pokracovatb"_s);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first().text, u"Access is denied"_s);
    EXPECT_EQ(boxes.first().icon, QMessageBox::Critical);
    EXPECT_EQ(Lines(u"Memo2"_s), QStringList{u"Net Framework 4.0.2"_s});
    EXPECT_TRUE(Button(u"instalovat1b"_s)->isEnabled());
}

TEST_F(RequirementsCheckErrorTest, HiddenStepThreeIsEnabledButStaysHidden)
{
    machine->AddRegistryKey(corvane::LocalDbKey.toString());
    Button(u"instalovat3b"_s)->setVisible(false);
    Click(u"pokracovatb"_s);
    EXPECT_TRUE(Button(u"instalovat3b"_s)->isEnabled());
    EXPECT_FALSE(Button(u"instalovat3b"_s)->isVisible());
}

} // namespace
