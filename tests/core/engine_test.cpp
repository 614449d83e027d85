#include "LanguageFiles.h"
#include "TestEngine.h"
#include "TestPrinters.h"
#include <wordmill/WordmillSys.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/core/StringTranslation.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

void writeLanguage(const QString &path, const QStringList &lines)
{
    ASSERT_TRUE(WriteLanguageFile(path, lines));
}

QString header(const QString &name, const QString &fields = {})
{
    return LanguageHeader(name, fields);
}

// The main window's engine settings, on a data module with a lexicon.
class Engine : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form.setObjectName(u"Form1"_s);
        SetComponentLoading(&form, true);
        engine = new TestEngine(&form);
        // Engine identities stay registered for the whole process: every test
        // gets a fresh one so that its engine is the primary one.
        static int serial = 0;
        engine->setObjectName(u"WordmillEngine"_s + QString::number(++serial));
        engine->langsDir = dir.path() + u'/';
        engine->SetDesignLangISOCode(u"cs - Czech"_s);
        engine->SetDesignLanguageName(u"čeština"_s);
        engine->SetDefaultLanguage(u"čeština"_s);
        engine->SetLangResources({u"ENGLISH"_s});
        engine->SetLangResourcesAllowEdit(true);
        lexicon = new TDesignedLexicon(&form);
        lexicon->setObjectName(u"Lexicon1"_s);
        lexicon->SetItems({u"Instalační program"_s, u"Pro instalaci je třeba"_s});
        lexicon->SetWordmillEngine(engine);
    }

    void finishLoading()
    {
        SetComponentLoading(&form, false);
        engine->Loaded();
    }

    QTemporaryDir dir;
    TDataModule form;
    TestEngine *engine = nullptr;
    TDesignedLexicon *lexicon = nullptr;
};

} // namespace

TEST(EngineSettings, DesignLanguageFollowsTheIsoTableEntryUntilNamed)
{
    TestEngine engine;
    EXPECT_EQ(engine.DesignLanguageName(), u"Design language"_s);
    EXPECT_EQ(engine.LangFileExtension(), u".lng"_s);
    engine.SetDesignLangISOCode(u"cs - Czech"_s);
    EXPECT_EQ(engine.DesignLangISOCode(), u"cs"_s);
    EXPECT_EQ(engine.DesignLanguageName(), u"Czech"_s);
    EXPECT_EQ(engine.CurrentLanguage(), u"Czech"_s);
    engine.SetDesignLanguageName(u"čeština"_s);
    engine.SetDesignLangISOCode(u"de - German"_s);
    EXPECT_EQ(engine.DesignLanguageName(), u"čeština"_s);
    EXPECT_EQ(engine.CurrentLanguageISO(), u"de"_s);
    engine.SetLangFileExtension(u"txt"_s);
    EXPECT_EQ(engine.LangFileExtension(), u".txt"_s);
}

TEST_F(Engine, DiscoveryListsDesignEmbeddedAndFiles)
{
    writeLanguage(dir.filePath(u"de.lng"_s),
                  {u"[LANGUAGE_FILE]"_s, header(u"Deutsch"_s, u"\t%CODE=de;"_s), u"x"_s});
    writeLanguage(dir.filePath(u"de2.lng"_s), {u"[LANGUAGE_FILE]"_s, header(u"deutsch"_s), u"x"_s});
    writeLanguage(dir.filePath(u"cz.lng"_s), {u"[LANGUAGE_FILE]"_s, header(u"čeština"_s), u"x"_s});
    engine->SetLangResources({u"ENGLISH"_s, u"MISSING"_s});
    finishLoading();
    TLangCoreData &d = *engine->LData();
    EXPECT_EQ(d.Languages(), (QStringList{u"čeština"_s, u"english"_s, u"čeština"_s, u"Deutsch"_s}));
    EXPECT_EQ(d.LangCodes(), (QStringList{u"cs"_s, u"en"_s, QString(), u"de"_s}));
    EXPECT_EQ(d.FileNames().at(1), u"ENGLISH"_s);
    EXPECT_EQ(d.FileNames().at(3), dir.filePath(u"de.lng"_s)); // first source of a name wins
    EXPECT_EQ(engine->LangResources(), QStringList{u"ENGLISH"_s});
    // The editor entries join the menu once the engine is initialized.
    EXPECT_EQ(d.LangMenu, d.Languages());
    engine->Initialize(true);
    EXPECT_EQ(d.LangMenu.mid(4), (QStringList{u"> Přidat jazyk <"_s, u"> Upravit jazyk <"_s}));
    EXPECT_EQ(d.Flags.GetFlagStream(4)->data(), QByteArray("special flag 0"));
    EXPECT_EQ(d.Flags.Count(), 6);
}

TEST(EngineList, SettingsChangedTogetherAreListedOnceAtTheFirstRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"sub"_s));
    writeLanguage(dir.filePath(u"sub/de.txt"_s), {u"[MY_SIGN]"_s, header(u"Deutsch"_s), u"x"_s});
    writeLanguage(dir.filePath(u"sub/fr.lng"_s),
                  {u"[LANGUAGE_FILE]"_s, header(u"Français"_s), u"x"_s});
    TestEngine engine;
    EXPECT_EQ(engine.langsDirReads, 0); // constructing reads no folder
    engine.langsDir = dir.path() + u"/sub/"_s;
    engine.SetLangFileExtension(u"txt"_s);
    engine.SetLangFileSignature(u"MY_SIGN"_s);
    engine.SetLangSubdirectory(u"sub"_s);
    engine.SetDesignLanguageName(u"čeština"_s);
    EXPECT_EQ(engine.langsDirReads, 0);

    EXPECT_EQ(engine.LData()->Languages(), (QStringList{u"čeština"_s, u"Deutsch"_s}));
    EXPECT_EQ(engine.langsDirReads, 1);
    EXPECT_EQ(engine.GetLanguageFile(u"Deutsch"_s), dir.filePath(u"sub/de.txt"_s));
    QCoreApplication::processEvents(); // the posted listing finds nothing to do
    EXPECT_EQ(engine.langsDirReads, 1);

    engine.SetLangFileExtension(u"lng"_s);
    engine.SetLangFileSignature(u"LANGUAGE_FILE"_s);
    QCoreApplication::processEvents(); // listed once, without a read
    EXPECT_EQ(engine.langsDirReads, 2);
    EXPECT_EQ(engine.LData()->Languages(), (QStringList{u"čeština"_s, u"Français"_s}));
    EXPECT_EQ(engine.langsDirReads, 2);
}

TEST_F(Engine, FileReplacesAnEditableEmbeddedLanguage)
{
    writeLanguage(dir.filePath(u"en.lng"_s),
                  {u"[LANGUAGE_FILE]"_s, header(u"english"_s, u"\t%CODE=en;"_s),
                   u"0\t%LEXICON_STRINGS"_s, u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s,
                   u"0\t\"From the file\""_s, u"0\t%SMART_STRINGS"_s});
    finishLoading();
    EXPECT_EQ(engine->GetLanguageFile(u"english"_s), dir.filePath(u"en.lng"_s));
    engine->SetLangResourcesAllowEdit(false);
    EXPECT_EQ(engine->GetLanguageFile(u"english"_s), u"ENGLISH"_s);
}

TEST_F(Engine, SecondaryEngineOffersNoEditorEntries)
{
    finishLoading();
    TDataModule second;
    second.setObjectName(u"Form1"_s);
    TestEngine other(&second);
    other.setObjectName(engine->objectName());
    other.langsDir = engine->langsDir;
    other.SetLangResources({u"ENGLISH"_s});
    other.Initialize(true);
    EXPECT_FALSE(engine->IsSecondaryEngine());
    EXPECT_TRUE(other.IsSecondaryEngine());
    EXPECT_EQ(other.LData()->LangMenu, other.LData()->Languages());
}

TEST_F(Engine, SwitchingByCodeOrNameNotifiesEveryone)
{
    finishLoading();
    QStringList events;
    engine->SetOnChangeLanguage([&](QObject *) { events << engine->CurrentLanguage(); });
    lexicon->SetOnChangeLanguage([&](QObject *) { events << u"lexicon"_s; });
    engine->SetCurrentLanguage(u"EN"_s);
    EXPECT_EQ(engine->CurrentLanguage(), u"english"_s);
    EXPECT_EQ(engine->CurrentLanguageISO(), u"en"_s);
    EXPECT_EQ(lexicon->Item(1),
              u"The sample program needs administrator rights."_s);
    EXPECT_EQ(events, (QStringList{u"lexicon"_s, u"english"_s}));
    // The library's own texts follow the built-in English table.
    EXPECT_EQ(engine->LData()->LangMenu.value(2), u"> Add <"_s);

    events.clear();
    engine->SetCurrentLanguage(u"english"_s); // already current
    EXPECT_TRUE(events.isEmpty());
    engine->SetCurrentLanguage(u"čeština"_s);
    EXPECT_EQ(lexicon->Item(1), u"Pro instalaci je třeba"_s);
}

TEST_F(Engine, UnknownOrRefusedRequestsChangeNothing)
{
    finishLoading();
    int queries = 0, changes = 0;
    bool allow = true;
    engine->SetOnChangeLangQuery([&](QObject *, bool &go) {
        ++queries;
        go = allow;
    });
    engine->SetOnChangeLanguage([&](QObject *) { ++changes; });
    EXPECT_EQ(engine->Translate(u"de"_s), u"čeština"_s);
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(engine->IsInitialized());
    allow = false;
    EXPECT_EQ(engine->Translate(u"en"_s), u"čeština"_s);
    EXPECT_EQ(changes, 0);
}

TEST_F(Engine, FailedLoadFallsBackToTheDesignLanguageAndStillNotifies)
{
    writeLanguage(dir.filePath(u"de.lng"_s), {u"[LANGUAGE_FILE]"_s, header(u"Deutsch"_s), u"x"_s});
    finishLoading();
    int changes = 0;
    engine->SetOnChangeLanguage([&](QObject *) { ++changes; });
    QFile::remove(dir.filePath(u"de.lng"_s));
    EXPECT_EQ(engine->Translate(u"Deutsch"_s), u"čeština"_s);
    EXPECT_EQ(changes, 1);
}

TEST_F(Engine, StartLanguageAndDefaultLanguageRules)
{
    engine->SetDefaultLanguage(u"en"_s);
    finishLoading();
    // The first item fetched starts the engine, with the switch to the default.
    EXPECT_EQ(lexicon->Item(1),
              u"The sample program needs administrator rights."_s);
    EXPECT_EQ(engine->CurrentLanguage(), u"english"_s);
    // The current language was the old default: a new default switches.
    engine->SetDefaultLanguage(u"čeština"_s);
    EXPECT_EQ(engine->CurrentLanguage(), u"čeština"_s);
    engine->SetCurrentLanguage(u"en"_s);
    engine->SetDefaultLanguage(u"cs"_s); // current is not the old default
    EXPECT_EQ(engine->CurrentLanguage(), u"english"_s);
}

TEST_F(Engine, EditorRequestWithoutEditorReturnsToTheCurrentLanguage)
{
    finishLoading();
    engine->Initialize(true);
    int before = 0, after = 0;
    engine->SetOnBeforeEdit([&](QObject *) { ++before; });
    engine->SetOnAfterEdit([&](QObject *) { ++after; });
    engine->SetCurrentLanguage(u"en"_s);
    engine->ShowLangEditor();
    EXPECT_EQ(engine->CurrentLanguage(), u"english"_s);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
}

TEST_F(Engine, GlobalStringsStandInForMissingOrDistantTranslations)
{
    writeLanguage(dir.filePath(u"b.lng"_s),
                  {u"[LANGUAGE_FILE]"_s, header(u"B"_s), u"0\t%LEXICON_STRINGS"_s,
                   u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"B zero\""_s,
                   u"0\t%SMART_STRINGS"_s});
    writeLanguage(dir.filePath(u"a.lng"_s),
                  {u"[LANGUAGE_FILE]"_s, header(u"A"_s, u"\t%SUPERIOR_LANGUAGE=B;"_s),
                   u"0\t%LEXICON_STRINGS"_s, u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s,
                   u"1\t\"A one\""_s, u"0\t%SMART_STRINGS"_s, u"0\t\"Instalační program\""_s,
                   u"0\t\"Global zero\""_s, u"1\t\"Pro instalaci je třeba\""_s,
                   u"1\t\"Global one\""_s, u"2\t\"Konec\""_s, u"2\t\"End'#13''#10'here\""_s});
    finishLoading();
    engine->Translate(u"A"_s);
    EXPECT_EQ(lexicon->Item(0), u"B zero"_s); // inherited, no global lookup
    lexicon->SetGlobalLexicon(true);
    EXPECT_EQ(lexicon->Item(0), u"Global zero"_s); // the global string is closer
    EXPECT_EQ(lexicon->Item(1), u"A one"_s);       // own translation wins
    EXPECT_EQ(engine->TranslateString(u"Konec"_s, nullptr, -1), u"End\r\nhere"_s);
    EXPECT_EQ(engine->GlobalToOriginal(u"Global one"_s), u"Pro instalaci je třeba"_s);
    EXPECT_EQ(engine->GlobalToOriginal(u"none"_s), u"none"_s);
    EXPECT_EQ(engine->GlobalToLink(u"Global one"_s), u"«\"Pro instalaci je třeba\"»"_s);
    EXPECT_EQ(engine->GlobalToLink(QString()), QString());
}

TEST_F(Engine, UniqueFileNamesAndExtractedResources)
{
    finishLoading();
    EXPECT_EQ(engine->UniqueLanguageFileName(u"ENGLISH"_s), dir.filePath(u"ENGLISH.lng"_s));
    ASSERT_TRUE(engine->ExtractResourceLanguage(1));
    EXPECT_EQ(engine->GetLanguageFile(1), dir.filePath(u"ENGLISH.lng"_s));
    EXPECT_EQ(engine->UniqueLanguageFileName(u"ENGLISH"_s), dir.filePath(u"ENGLISH2.lng"_s));
    EXPECT_EQ(engine->UniqueLanguageFileName(u"german.LNG"_s), dir.filePath(u"german.LNG"_s));
    EXPECT_FALSE(engine->ExtractResourceLanguage(0));
}
