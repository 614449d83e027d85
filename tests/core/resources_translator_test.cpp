#include "LanguageFiles.h"
#include "TestEngine.h"
#include "TestPrinters.h"
#include <wordmill/core/ComponentClasses.h>
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/core/TsReader.h>
#include <wordmill/toolkit/Form.h>
#include <wordmill/toolkit/FormReader.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

QString qtText(const char *context, const char *source)
{
    return QCoreApplication::translate(context, source);
}

// ---- the stored "Resources" list

struct ReadCase
{
    const char *name;
    QVariantList values;
    QStringList keys;    // expected entry texts, in list order
    QStringList designs; // expected design forms, parallel to keys
    QString code;
    bool fails = false;
};

void PrintTo(const ReadCase &c, std::ostream *os)
{
    *os << c.name;
}

class ResourcesListRead : public testing::TestWithParam<ReadCase>
{
};

TEST_P(ResourcesListRead, ReadsTheStoredForm)
{
    const ReadCase &c = GetParam();
    TResourcesList list;
    if (c.fails) {
        try {
            list.ReadList(c.values);
            FAIL() << "no error";
        } catch (const EResourcesListError &error) {
            EXPECT_EQ(error.Message, u"Wordmill can not retrieve a list of resource strings!"_s);
        }
        EXPECT_EQ(list.Count(), 0);
        return;
    }
    list.ReadList(c.values);
    QStringList keys, designs;
    for (int i = 0; i < list.Count(); ++i) {
        keys << list.Strings(i);
        designs << list.DesignStrings(i);
    }
    EXPECT_EQ(keys, c.keys);
    EXPECT_EQ(designs, c.designs);
    EXPECT_EQ(list.LibraryLangCode, c.code);
}

const QChar eAcute(0xE9);

INSTANTIATE_TEST_SUITE_P(
    Cases, ResourcesListRead,
    testing::Values(
        ReadCase{"CurrentHeaderWithCode",
                 {u"1;cs"_s, u"SOk"_s, u"OK"_s, u"Dobře"_s, 0x200001, u"SCancel"_s, u"Cancel"_s,
                  u"Zrušit"_s, 0x200002},
                 {u"Cancel"_s, u"OK"_s},
                 {u"Zrušit"_s, u"Dobře"_s},
                 u"cs"_s},
        ReadCase{"HeaderWithoutSemicolonHasNoCode",
                 {u"1"_s, u"a"_s, u"Text"_s, u"Text"_s, 0},
                 {u"Text"_s},
                 {u"Text"_s},
                 QString()},
        ReadCase{"AnsiEscapeWithSpaceIsOneCharacter",
                 {u"ANSI;fr"_s, u"a"_s, u"caf~233 "_s, u"caf~233 !"_s, 0},
                 {u"caf"_s + eAcute},
                 {u"caf"_s + eAcute + u'!'},
                 u"fr"_s},
        ReadCase{"AnsiEscapeKeepsLowEightBitsAndEscapesControls",
                 {u"ANSI"_s, u"a"_s, u"x~300y"_s, u"a~13~10b"_s, 0},
                 {u"x,y"_s},
                 {u"a'#13''#10'b"_s},
                 QString()},
        ReadCase{"AnsiCodeAboveCharacterRangeStaysAsWritten",
                 {u"ANSI"_s, u"a"_s, u"~70000 x~"_s, u"~x"_s, 0},
                 {u"~70000 x~"_s},
                 {u"~x"_s},
                 QString()},
        ReadCase{"CurrentHeaderKeepsTildes",
                 {u"1;en"_s, u"a"_s, u"~233 "_s, u"~233 "_s, 0},
                 {u"~233 "_s},
                 {u"~233 "_s},
                 u"en"_s},
        ReadCase{"ListCutInsideAnEntryStopsQuietly",
                 {u"1;en"_s, u"a"_s, u"One"_s, u"One"_s, 0, u"b"_s, u"Two"_s},
                 {u"One"_s},
                 {u"One"_s},
                 u"en"_s},
        ReadCase{"LaterEntryOfOneTextWins",
                 {u"1;en"_s, u"a"_s, u"One"_s, u"First"_s, 0, u"b"_s, u"One"_s, u"Second"_s, 0},
                 {u"One"_s},
                 {u"Second"_s},
                 u"en"_s},
        ReadCase{
            "UnknownHeaderFails", {u"2;en"_s, u"a"_s, u"One"_s, u"One"_s, 0}, {}, {}, {}, true},
        ReadCase{"HeaderThatIsNoStringFails", {1, u"a"_s, u"One"_s, u"One"_s, 0}, {}, {}, {}, true},
        ReadCase{"FlagsThatAreNoIntegerFail",
                 {u"1;en"_s, u"a"_s, u"One"_s, u"One"_s, u"zero"_s},
                 {},
                 {},
                 {},
                 true}),
    [](const testing::TestParamInfo<ReadCase> &info) { return std::string(info.param.name); });

TEST(ResourcesList, RoundTripsAndPacksTheUnitBits)
{
    TResourcesList list;
    list.LibraryLangCode = u"en"_s;
    EXPECT_EQ(list.RegisterKnown(u"Open"_s, u"Open"_s, u"SOpen"_s, 3), 0);
    EXPECT_EQ(list.RegisterKnown(u"Open"_s, u"Ignored"_s, u"SOpen2"_s, 5), 0); // found again
    EXPECT_EQ(list.RegisterCustom(u"Close"_s, u"Zavřít"_s, QString(), 0), 0);
    EXPECT_EQ(list.RegisterCustom(QString(), u"x"_s, QString(), 0), -1);
    EXPECT_EQ(list.RegisterKnown(u"x"_s, QString(), QString(), 1), -1);

    const TResourceInfo &open = *list.Info(list.IndexOf(u"Open"_s));
    EXPECT_EQ(open.DesignForm, u"Open"_s);
    EXPECT_EQ(open.UnitId(), 3);
    EXPECT_EQ(open.Repetity(), 1);
    EXPECT_TRUE(open.Linked());
    EXPECT_FALSE(open.Blind());
    EXPECT_EQ(open.GetFlags(), 3u | (1u << 10) | (1u << 21));
    const TResourceInfo &close = *list.Info(list.IndexOf(u"Close"_s));
    EXPECT_TRUE(close.Blind());
    EXPECT_TRUE(list.UnsortedItemsExists());
    EXPECT_EQ(list.IndexByName(u"SOpen"_s), list.IndexOf(u"Open"_s));

    TResourcesList copy;
    copy.ReadList(list.WriteList());
    EXPECT_TRUE(copy.Equal(list));
    EXPECT_TRUE(copy.UnsortedItemsExists());
    copy.SetDesignStrings(0, u"Other"_s);
    EXPECT_FALSE(copy.Equal(list));

    TResourceInfo info;
    info.LinkFound(7);
    info.LinkFound(9);
    EXPECT_EQ(info.UnitId(), 7);
    EXPECT_FALSE(info.LinkRemove());
    EXPECT_TRUE(info.LinkRemove());
    EXPECT_FALSE(info.Linked());
}

TEST(UnitList, NamesComeBeforeTheSeparatorAndMatchInAnyCase)
{
    TUnitList units;
    units.Strings = {u"Unsorted"_s, u"QLineEdit=12"_s, u"MainWindow"_s, u"qlineedit"_s};
    EXPECT_EQ(units.GetNameEx(1), u"QLineEdit"_s);
    EXPECT_EQ(units.GetNameEx(9), QString());
    EXPECT_EQ(units.IndexOfName(u"QLINEEDIT"_s), 1);
    EXPECT_EQ(units.OtherIndexOfName(u"QLineEdit"_s, 1), 3);
    EXPECT_EQ(units.IndexOfName(u"None"_s), -1);
}

// ---- the translator in Qt's translation chain

// A form with an engine and a translator, and German and Czech languages
// that translate the translator's texts.
class ResourcesTranslatorEngine : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        static int serial = 0;
        form.setObjectName(u"Form"_s + QString::number(++serial));
        SetComponentLoading(&form, true);
        engine = new TestEngine(&form);
        engine->setObjectName(u"Engine"_s);
        engine->langsDir = dir.path() + u'/';
        engine->SetDesignLangISOCode(u"en"_s);
        engine->SetDesignLanguageName(u"English"_s);
        engine->SetDefaultLanguage(u"English"_s);
        translator = new TCustomResourcesTranslator(&form);
        translator->setObjectName(u"Translator1"_s);
        translator->SetWordmillEngine(engine);
        const QString lexicon = u"0\t%LEXICON_NAME="_s + form.objectName() + u".Translator1;"_s;
        ASSERT_TRUE(
            WriteLanguageFile(dir.filePath(u"de.lng"_s),
                              {u"[LANGUAGE_FILE]"_s, LanguageHeader(u"Deutsch"_s, u"\t%CODE=de;"_s),
                               u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s, lexicon,
                               u"0\t\"Cancel\""_s, u"0\t\"Abbrechen\""_s,
                               u"1\t\"Two'#13''#10'lines\""_s, u"1\t\"Zwei'#13''#10'Zeilen\""_s}));
        ASSERT_TRUE(
            WriteLanguageFile(dir.filePath(u"cs.lng"_s),
                              {u"[LANGUAGE_FILE]"_s, LanguageHeader(u"Čeština"_s, u"\t%CODE=cs;"_s),
                               u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s, lexicon,
                               u"0\t\"Cancel\""_s, u"0\t\"Zrušit\""_s}));
    }

    void finishLoading()
    {
        SetComponentLoading(&form, false);
        engine->Loaded();
        translator->Loaded();
    }

    QTemporaryDir dir;
    TDataModule form;
    TestEngine *engine = nullptr;
    TCustomResourcesTranslator *translator = nullptr;
};

TEST_F(ResourcesTranslatorEngine, KnownTextsFollowTheLanguageAndOthersPassUntouched)
{
    translator->RegisterResourceString(u"Cancel"_s);
    translator->RegisterResourceString(u"Two\r\nlines"_s);
    finishLoading();
    EXPECT_TRUE(TranslatorRegistry().IsInstalled());
    EXPECT_EQ(qtText("QPlatformTheme", "Cancel"), u"Cancel"_s);

    engine->Translate(u"de"_s);
    EXPECT_EQ(qtText("QPlatformTheme", "Cancel"), u"Abbrechen"_s);
    EXPECT_EQ(qtText("Any", "Two\r\nlines"), u"Zwei\r\nZeilen"_s);
    EXPECT_EQ(qtText("QPlatformTheme", "Unknown text"), u"Unknown text"_s);
    EXPECT_TRUE(TranslatorRegistry().Lookup("Unknown text").isNull()); // "not mine"
    EXPECT_EQ(translator->GetItem(translator->List.IndexOf(u"Cancel"_s)), u"Abbrechen"_s);

    engine->Translate(u"cs"_s);
    EXPECT_EQ(qtText("QPlatformTheme", "Cancel"), u"Zrušit"_s);
    EXPECT_EQ(qtText("Any", "Two\r\nlines"), u"Two\r\nlines"_s); // not translated in Czech

    // Without its engine the translator shows design forms again.
    delete engine;
    EXPECT_EQ(qtText("QPlatformTheme", "Cancel"), u"Cancel"_s);
}

TEST_F(ResourcesTranslatorEngine, SwitchAnnouncesALanguageChange)
{
    translator->RegisterResourceString(u"Cancel"_s);
    finishLoading();
    struct Counter : QObject
    {
        int changes = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            changes += event->type() == QEvent::LanguageChange;
            return false;
        }
    } counter;
    QCoreApplication::instance()->installEventFilter(&counter);
    QCoreApplication::sendPostedEvents();
    counter.changes = 0;
    engine->Translate(u"de"_s);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::instance()->removeEventFilter(&counter);
    EXPECT_GE(counter.changes, 1);
}

TEST_F(ResourcesTranslatorEngine, LookupsFromAnotherThreadSeeWholeLanguages)
{
    translator->RegisterResourceString(u"Cancel"_s);
    translator->RegisterResourceString(u"Two\r\nlines"_s);
    finishLoading();
    std::atomic<bool> stop = false;
    std::atomic<int> wrong = 0, lookups = 0;
    std::thread reader([&] {
        const QStringList allowed{u"Cancel"_s, u"Abbrechen"_s, u"Zrušit"_s};
        while (!stop) {
            if (!allowed.contains(qtText("QPlatformTheme", "Cancel")))
                ++wrong;
            if (qtText("Other", "Not known") != u"Not known"_s)
                ++wrong;
            ++lookups;
        }
    });
    for (int i = 0; i < 60; ++i) {
        engine->Translate(i % 2 ? u"cs"_s : u"de"_s);
        translator->RegisterResourceString(u"Text "_s + QString::number(i));
    }
    while (lookups < 100)
        std::this_thread::yield();
    stop = true;
    reader.join();
    EXPECT_EQ(wrong, 0);
}

TEST(ResourcesTranslator, FirstCreatedTranslatorWinsAndDesignFormsStandWithoutEngine)
{
    TDataModule form;
    form.setObjectName(u"TwoTranslators"_s);
    auto *first = new TCustomResourcesTranslator(&form);
    auto *second = new TCustomResourcesTranslator(&form);
    second->RegisterResourceString(u"&Save"_s, u"&Uložit"_s);
    first->RegisterResourceString(u"&Save"_s, u"&Speichern"_s);
    EXPECT_EQ(qtText("Ctx", "&Save"), u"&Speichern"_s);
    delete first;
    EXPECT_EQ(qtText("Ctx", "&Save"), u"&Uložit"_s);

    // Registration counts entries; the same text again keeps one entry with
    // the later design form.
    second->RegisterResourceString(u"Line\tbreak\n"_s);
    EXPECT_EQ(second->RegisteredStrings(), 2);
    EXPECT_EQ(qtText("Ctx", "Line\tbreak\n"), u"Line\tbreak\n"_s); // exactly as loaded
    second->RegisterResourceString(u"&Save"_s, u"Save"_s);
    EXPECT_EQ(second->RegisteredStrings(), 2);
    EXPECT_EQ(qtText("Ctx", "&Save"), u"Save"_s);
    EXPECT_TRUE(second->IsDefined(u"Line'#9'break'#10'"_s));
    EXPECT_FALSE(second->IsDefined(u"line'#9'break'#10'"_s));
    EXPECT_EQ(second->MaxIndex(), 1);
    EXPECT_EQ(second->GetItem(2), QString());
}

// ---- stored definitions

struct StoredCase
{
    const char *name;
    bool ancestor;       // compare with an ancestor translator
    bool sameAsAncestor; // the ancestor has the same entries and units
    bool otherClass;     // the ancestor is some other component
    bool entries;        // the translator has entries
    bool written;
};

void PrintTo(const StoredCase &c, std::ostream *os)
{
    *os << c.name;
}

class StoredTranslatorLists : public testing::TestWithParam<StoredCase>
{
};

TEST_P(StoredTranslatorLists, AreWrittenOnlyWhenTheyDiffer)
{
    const StoredCase &c = GetParam();
    TDataModule form;
    TCustomResourcesTranslator translator(&form), ancestor(&form);
    TDataModule other;
    if (c.entries)
        translator.RegisterResourceString(u"Open"_s);
    translator.UnitList.Strings = {u"Unsorted"_s};
    if (c.sameAsAncestor) {
        ancestor.List.Assign(translator.List);
        ancestor.UnitList = translator.UnitList;
    } else {
        ancestor.RegisterResourceString(u"Close"_s);
    }
    const QObject *against = c.otherClass ? static_cast<QObject *>(&other)
                             : c.ancestor ? &ancestor
                                          : nullptr;
    const QList<TStoredList> lists = translator.WriteStoredLists(against);
    EXPECT_EQ(!lists.isEmpty(), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredTranslatorLists,
    testing::Values(StoredCase{"NoAncestorWithEntries", false, false, false, true, true},
                    StoredCase{"NoAncestorEmpty", false, false, false, false, false},
                    StoredCase{"SameAsAncestor", true, true, false, true, false},
                    StoredCase{"DiffersFromAncestor", true, false, false, true, true},
                    StoredCase{"AncestorOfAnotherClass", true, false, true, false, true}),
    [](const testing::TestParamInfo<StoredCase> &info) { return std::string(info.param.name); });

TEST(StoredTranslatorLists, FormDefinitionFillsTheTranslatorOrReportsTheListError)
{
    RegisterCoreComponentClasses();
    const QByteArray good = R"({"components": [{"class": "TCustomResourcesTranslator",
        "name": "Translator1", "properties": {"OriginalLanguage": "en",
        "Units": ["Unsorted", "QPlatformTheme"],
        "Resources": ["1;en", "qt.1", "Cancel", "Cancel", 2097153]}}]})";
    TDataModule form;
    TFormReader reader(&form);
    QString error;
    ASSERT_TRUE(reader.Read(good, &error)) << error.toStdString();
    auto *translator = form.findChild<TCustomResourcesTranslator *>(u"Translator1"_s);
    ASSERT_TRUE(translator);
    EXPECT_EQ(translator->RegisteredStrings(), 1);
    EXPECT_EQ(translator->UnitList.GetNameEx(translator->List.Info(0)->UnitId()),
              u"QPlatformTheme"_s);
    EXPECT_EQ(translator->OriginalLanguage(), u"en"_s);

    QByteArray bad = good;
    bad.replace("\"1;en\"", "\"7;en\"");
    TDataModule badForm;
    TFormReader badReader(&badForm);
    EXPECT_FALSE(badReader.Read(bad, &error));
    EXPECT_EQ(error, u"Wordmill can not retrieve a list of resource strings!"_s);
}

// ---- translation sources written by lupdate

TEST(TsReader, ContextsBecomeUnitsAndSourcesTheTexts)
{
    QByteArray ts = R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en_GB">
<context>
    <name>MainWindow</name>
    <message>
        <location filename="main.cpp" line="3"/>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="tab.text">
        <source>Tab<byte value="x9"/>stop</source>
        <comment>with a tab</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Open</source>
        <translation></translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation type="unfinished"><numerusform></numerusform></translation>
    </message>
</context>
</TS>
)";
    QBuffer buffer(&ts);
    TResourcesList list;
    TUnitList units;
    QString error;
    ASSERT_TRUE(ReadTsFile(buffer, list, units, &error)) << error.toStdString();
    EXPECT_EQ(units.Strings, (QStringList{u"Unsorted"_s, u"MainWindow"_s, u"QLineEdit"_s}));
    EXPECT_EQ(list.LibraryLangCode, u"en"_s);
    ASSERT_EQ(list.Count(), 3);
    const TResourceInfo &open = *list.Info(list.IndexOf(u"&Open"_s));
    EXPECT_EQ(open.Name, u"MainWindow#0"_s);
    EXPECT_EQ(open.UnitId(), 1);
    EXPECT_EQ(open.Repetity(), 1); // found again in QLineEdit
    const int tab = list.IndexOf(u"Tab\tstop"_s);
    ASSERT_GE(tab, 0);
    EXPECT_EQ(list.Info(tab)->Name, u"tab.text"_s);
    EXPECT_EQ(list.DesignStrings(tab), u"Tab'#9'stop"_s);
    EXPECT_EQ(list.Info(list.IndexOf(u"%n file(s)"_s))->UnitId(), 2);

    for (const QByteArray &bad :
         {QByteArray("<html><body/></html>"), QByteArray("<TS><context><name>X</name>")}) {
        QByteArray copy = bad;
        QBuffer broken(&copy);
        TResourcesList none;
        TUnitList noUnits;
        EXPECT_FALSE(ReadTsFile(broken, none, noUnits, &error)) << bad.constData();
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
