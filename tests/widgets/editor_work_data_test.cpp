#include "EditorFixture.h"

#include <wordmill/sys/TextLines.h>

#include <QFile>

using namespace editor_test;
using namespace wordmill;

namespace {

const QStringList AllComponentLabels{u"Button1.Caption"_s, u"Button2.Caption"_s,
                                     u"Label1.Caption"_s};

QString FileText(const QString &path)
{
    QStringList lines;
    return LoadTextFile(path, lines) ? lines.join(u'\n') : QString();
}

class EditorWorkData : public EditorFixture
{
};

TEST_F(EditorWorkData, NewLanguageFromEnglishIsEditedAndSavedToAFileThatLoadsBack)
{
    CreateFrom(u"English"_s);
    EXPECT_EQ(groups, (QStringList{u"Form1"_s, u"Form1.Lexicon1"_s, u"Form1.Lexicon2"_s,
                                   u"Form1.Translator1"_s}));
    EXPECT_EQ(engine->CurrentLanguage(), u"Neu"_s);

    Open(u"Form1"_s);
    EXPECT_EQ(page->Labels(), AllComponentLabels);
    EXPECT_EQ(page->Texts(), (QStringList{u"Close"_s, u"Uložit"_s, u"Label"_s}));
    // English's own texts are one level up; what it leaves is the design text.
    EXPECT_EQ(page->WorkStruct.Descent(0), 1);
    EXPECT_EQ(page->WorkStruct.Descent(1), DescentNone);
    QStringList objects;
    page->LoadObjects(objects);
    EXPECT_EQ(objects, (QStringList{u"Button1"_s, u"Button2"_s, u"Label1"_s}));
    page->Type(Row(u"Label1.Caption"_s), u"Etikett"_s);
    page->Type(Row(u"Button2.Caption"_s), u"Speichern"_s);

    Open(u"Form1.Lexicon1"_s);
    EXPECT_EQ(page->Labels(), (QStringList{u"Item[0]"_s, u"Item[1]"_s, u"Item[2]"_s}));
    EXPECT_EQ(page->Texts(), (QStringList{u"Hello"_s, u"End"_s, u"Zavřít"_s}));
    page->Type(2, u"Schließen"_s);

    // Lexicon2 uses global strings: English's global "Save" stands in.
    Open(u"Form1.Lexicon2"_s);
    EXPECT_EQ(page->Texts(), (QStringList{u"Close"_s, u"Save"_s, u"Soubor"_s}));
    EXPECT_TRUE(page->WorkLexicon.IsGlobal(1));
    page->Type(1, u"Sichern"_s);

    Save(u"neu.lng"_s);
    EXPECT_TRUE(FileText(dir.filePath(u"neu.lng"_s)).contains(u"%SUPERIOR_LANGUAGE=English;"_s));
    EXPECT_EQ(engine->GetISOCode(u"Neu"_s), u"nn"_s);

    engine->Translate(u"Neu"_s);
    EXPECT_EQ(Shown(u"Label1"_s), u"Etikett"_s);
    EXPECT_EQ(Shown(u"Button1"_s), u"Close"_s); // left as English had it
    EXPECT_EQ(Shown(u"Button2"_s), u"Speichern"_s);
    EXPECT_EQ(lexicon1->GetItem(0), u"Hello"_s);
    EXPECT_EQ(lexicon1->GetItem(2), u"Schließen"_s);
    EXPECT_EQ(lexicon2->GetItem(1), u"Sichern"_s); // through the new global string
    EXPECT_EQ(lexicon2->GetItem(2), u"Soubor"_s);
    // Only what the new language says itself is in its file.
    const QString text = FileText(dir.filePath(u"neu.lng"_s));
    EXPECT_FALSE(text.contains(u"Hello"_s)) << text.toStdString();
    EXPECT_FALSE(text.contains(u"Close"_s)) << text.toStdString();
}

TEST_F(EditorWorkData, EditedLanguageKeepsItsOwnTextsAndGlobalStrings)
{
    Edit(u"Deutsch"_s);
    EXPECT_EQ(engine->CurrentLanguage(), u"Deutsch"_s);
    EXPECT_EQ(page->CurrentSuperiorLang.Name, u"English"_s);

    Open(u"Form1"_s);
    EXPECT_EQ(page->Texts(), (QStringList{u"Close"_s, u"Uložit"_s, u"Beschriftung"_s}));
    EXPECT_EQ(page->WorkStruct.Descent(2), DescentOwn);
    // Deutsch's global "Datei" stands in for Lexicon2's untranslated item.
    Open(u"Form1.Lexicon2"_s);
    EXPECT_EQ(page->Texts(), (QStringList{u"Close"_s, u"Save"_s, u"Datei"_s}));
    page->Type(0, u"Zu"_s);

    Save(u"deutsch.lng"_s);
    engine->Translate(u"Deutsch"_s);
    EXPECT_EQ(Shown(u"Label1"_s), u"Beschriftung"_s);
    EXPECT_EQ(lexicon1->GetItem(0), u"Hallo"_s);
    EXPECT_EQ(lexicon2->GetItem(0), u"Zu"_s);
    EXPECT_EQ(lexicon2->GetItem(2), u"Datei"_s);
    const QString text = FileText(dir.filePath(u"deutsch.lng"_s));
    EXPECT_FALSE(text.contains(u"Close"_s)) << text.toStdString();
}

TEST_F(EditorWorkData, EmbeddedLanguageIsCopiedToTheLanguageFolderBeforeItIsEdited)
{
    QFile::remove(dir.filePath(u"english.lng"_s));
    QFile::remove(dir.filePath(u"deutsch.lng"_s));
    engine->SetLangResourcesAllowEdit(true);
    engine->SetLangResources({u"ENGLISH"_s});
    ASSERT_EQ(engine->GetLanguageFile(u"english"_s), u"ENGLISH"_s);

    Edit(u"english"_s);
    const QString copy = dir.filePath(u"ENGLISH.lng"_s);
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_EQ(engine->GetLanguageFile(u"english"_s), copy);
    Open(u"Form1"_s, u"Label1"_s);
    ASSERT_EQ(page->Texts(),
              QStringList{u"Parts still missing:"_s});
    page->Type(0, u"Still missing:"_s);
    Save(u"ENGLISH.lng"_s);

    EXPECT_TRUE(FileText(copy).contains(u"Still missing:"_s));
    // The program's own language is untouched.
    EXPECT_FALSE(
        FileText(TWordmillCore::ResourceLanguagePath(u"ENGLISH"_s)).contains(u"Still missing:"_s));
    engine->Translate(u"english"_s);
    EXPECT_EQ(Shown(u"Label1"_s), u"Still missing:"_s);
}

TEST_F(EditorWorkData, EditorEntryRunsTheEditorAndSwitchesToTheSavedLanguage)
{
    int runs = 0;
    page->run = [&](EditorPageData &, int mode) {
        ++runs;
        EXPECT_EQ(mode, 1);
        Edit(u"Deutsch"_s);
        Open(u"Form1"_s, u"Button1"_s);
        page->Type(0, u"Schließen"_s);
        Save(u"deutsch.lng"_s);
        return u"Deutsch"_s;
    };
    engine->Translate(engine->FormLexicon()->GetItem(2));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(engine->CurrentLanguage(), u"Deutsch"_s);
    EXPECT_EQ(Shown(u"Button1"_s), u"Schließen"_s);
    EXPECT_FALSE(page->EditorOpened());
}

TEST_F(EditorWorkData, TranslatorStringsAreEditedUnitByUnit)
{
    CreateFrom(u"English"_s);
    Open(u"Form1.Translator1"_s, u"Dialogs"_s);
    EXPECT_EQ(page->EditorMode, emResources);
    QStringList objects;
    page->LoadObjects(objects);
    EXPECT_EQ(objects, (QStringList{u"Unsorted"_s, u"Dialogs"_s, u"Menus"_s}));
    EXPECT_EQ(page->Labels(), (QStringList{u"&Open"_s, u"Cancel"_s}));
    EXPECT_EQ(page->Texts(), (QStringList{u"&Otevřít"_s, u"Cancel"_s}));
    EXPECT_EQ(page->GetSourceForEditorItem(1), u"Cancel"_s);
    EXPECT_EQ(page->GetOriginalForEditorItem(1), u"Zrušit"_s);
    page->Type(0, u"&Öffnen"_s);
    ShowObject(u"Menus"_s);
    EXPECT_EQ(page->Labels(), QStringList{u"a~b"_s}); // a label holds no "="
    ShowObject(u"Unsorted"_s);
    EXPECT_EQ(page->Labels(), QStringList{u"Quit"_s});
    EXPECT_EQ(page->Texts(), QStringList{u"Konec"_s});
    page->Type(0, u"Beenden"_s);

    Save(u"neu.lng"_s);
    const QString text = FileText(dir.filePath(u"neu.lng"_s));
    EXPECT_TRUE(text.contains(u"%LEXICON_NAME=Form1.Translator1;"_s)) << text.toStdString();
    EXPECT_FALSE(text.contains(u"\"Cancel\""_s)) << text.toStdString(); // English's, unchanged
    engine->Translate(u"Neu"_s);
    const TResourcesList &list = translator->List;
    EXPECT_EQ(translator->GetItem(list.IndexOf(u"&Open"_s)), u"&Öffnen"_s);
    EXPECT_EQ(translator->GetItem(list.IndexOf(u"Cancel"_s)), u"Cancel"_s);
    EXPECT_EQ(translator->GetItem(list.IndexOf(u"Quit"_s)), u"Beenden"_s);
}

TEST_F(EditorWorkData, StringsOfNoUnitHaveAPageWithoutAUnitList)
{
    translator->UnitList.Strings.clear();
    translator->ListChanged();
    CreateFrom(u"English"_s);
    Open(u"Form1.Translator1"_s);
    QStringList objects;
    page->LoadObjects(objects);
    EXPECT_EQ(objects, QStringList{QString()});
    EXPECT_EQ(page->Labels(), QStringList{u"Quit"_s});
}

// When the program's own texts are written in the edited language, they are
// its translation of their design forms.
struct CurrentTextsCase
{
    const char *name;
    QString original;
    bool globals;
    QStringList texts;
    bool global;
};

void PrintTo(const CurrentTextsCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProgramTexts : public EditorFixture, public testing::WithParamInterface<CurrentTextsCase>
{
};

TEST_P(ProgramTexts, AreTheTranslationWhenTheProgramSpeaksTheEditedLanguage)
{
    const CurrentTextsCase &c = GetParam();
    translator->SetOriginalLanguage(c.original);
    translator->SetGlobalLexicon(c.globals);
    CreateFrom(u"English"_s);
    Open(u"Form1.Translator1"_s, u"Dialogs"_s);
    EXPECT_EQ(page->Texts(), c.texts);
    int work = -1;
    EXPECT_EQ(page->EditorItemIsGlobal(0, work), c.global);
    if (c.global) {
        EXPECT_EQ(page->WorkGlobalLexicon.Get(u"&Otevřít"_s), u"&Open"_s);
    }
}

const CurrentTextsCase CurrentTextsCases[] = {
    {"named_like_the_edited_language", u"neu"_s, false, {u"&Open"_s, u"Cancel"_s}, false},
    {"coded_like_the_edited_language", u"NN"_s, false, {u"&Open"_s, u"Cancel"_s}, false},
    {"another_language", u"de"_s, false, {u"&Otevřít"_s, u"Cancel"_s}, false},
    {"unknown_language", QString(), false, {u"&Otevřít"_s, u"Cancel"_s}, false},
    {"with_global_strings_they_become_global", u"neu"_s, true, {u"&Open"_s, u"Cancel"_s}, true},
};

INSTANTIATE_TEST_SUITE_P(Translators, ProgramTexts, testing::ValuesIn(CurrentTextsCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EditorWorkData, ObjectFilterSelectsTheRowsOfAPage)
{
    CreateFrom(u"English"_s);
    Open(u"Form1"_s, u"Nobody"_s);
    EXPECT_TRUE(page->rows.isEmpty());
    EXPECT_EQ(page->GetEditorRowsCount(), 0);
    Open(u"Form1"_s, u"Label1"_s);
    EXPECT_EQ(page->Labels(), QStringList{u"Caption"_s});
    Open(u"Form1"_s);
    EXPECT_EQ(page->Labels(), AllComponentLabels);
}

TEST_F(EditorWorkData, ClientsOfOneGroupNameMakeOneGroup)
{
    auto *second = Add<TWordmillClient>(u"WordmillClient2"_s);
    second->SetWordmillEngine(engine);
    auto *renamed = Add<TWordmillClient>(u"WordmillClient3"_s);
    renamed->LanguageOwner = u"FORM1"_s;
    renamed->SetWordmillEngine(engine);
    CreateFrom(u"English"_s);
    EXPECT_EQ(groups, (QStringList{u"Form1"_s, u"Form1.Lexicon1"_s, u"Form1.Lexicon2"_s,
                                   u"Form1.Translator1"_s}));
    ASSERT_EQ(page->ClientGroups.size(), 4);
    EXPECT_EQ(page->ClientGroups.at(0).data(), client);
    EXPECT_EQ(page->ClientName(0), u"Form1"_s);
    EXPECT_EQ(page->ClientName(4), QString());
    EXPECT_EQ(page->ChangeEditorClient(7), emIndexedLexicon);
    EXPECT_EQ(page->SelectedClient, -1);
}

// Where an untranslated lexicon item's text comes from: the nearest language
// that has it, one level further per step, or the design text.
TEST_F(EditorWorkData, UntranslatedLexiconItemShowsTheNearestTextWithItsDescent)
{
    CreateFrom(u"Deutsch"_s);
    Open(u"Form1.Lexicon1"_s);
    EXPECT_EQ(page->Texts(), (QStringList{u"Hallo"_s, u"End"_s, u"Zavřít"_s}));
    EXPECT_EQ(page->WorkLexicon.LangDescent(0), 1);
    EXPECT_EQ(page->WorkLexicon.LangDescent(1), 2);
    EXPECT_EQ(page->WorkLexicon.LangDescent(2), DescentNone);
    EXPECT_EQ(page->GetSourceForEditorItem(1), u"End"_s);
    EXPECT_EQ(page->GetOriginalForEditorItem(1), u"Konec"_s);
}

TEST_F(EditorWorkData, EditsSurviveAChangeOfGroupAndBack)
{
    CreateFrom(u"English"_s);
    Open(u"Form1"_s);
    page->Type(Row(u"Label1.Caption"_s), u"Etikett"_s);
    Open(u"Form1.Lexicon1"_s);
    page->Type(1, u"Ende"_s);
    Open(u"Form1"_s);
    EXPECT_EQ(page->Texts(), (QStringList{u"Close"_s, u"Uložit"_s, u"Etikett"_s}));
    Open(u"Form1.Lexicon1"_s);
    EXPECT_EQ(page->Texts(), (QStringList{u"Hello"_s, u"Ende"_s, u"Zavřít"_s}));
}

TEST_F(EditorWorkData, RowSwitchedToKeepTheSourceIsWrittenAsNotTranslated)
{
    CreateFrom(u"English"_s);
    Open(u"Form1"_s);
    const int row = Row(u"Label1.Caption"_s);
    bool allowNoTrans = false;
    QString text;
    ASSERT_TRUE(page->SwitchEditorItem(row, page->GetEditorRow(row), allowNoTrans, text));
    EXPECT_EQ(text, u"Label"_s);
    page->Type(row, text);
    Save(u"neu.lng"_s);
    const QStringList lines = FileText(dir.filePath(u"neu.lng"_s)).split(u'\n');
    EXPECT_TRUE(lines.contains(u"0\t%NOTRANS\t%COMPONENT=Label1;\t%OWNER=Form1;"_s))
        << lines.join(u'|').toStdString();
    engine->Translate(u"Neu"_s);
    EXPECT_EQ(Shown(u"Label1"_s), u"Label"_s);
}

// One inherited lexicon row (English "End"), typed over on successive visits
// of its page; what the new language stores for it.
struct StoreCase
{
    const char *name;
    QList<QStringList> visits; // the texts typed on each visit, in order
    bool stored;
    QString text;
};

void PrintTo(const StoreCase &c, std::ostream *os)
{
    *os << c.name;
}

class InheritedRowStore : public EditorFixture, public testing::WithParamInterface<StoreCase>
{
};

TEST_P(InheritedRowStore, IsStoredOnlyWhenItDiffersFromWhatWasStoredBefore)
{
    CreateFrom(u"English"_s);
    for (const QStringList &visit : GetParam().visits) {
        Open(u"Form1.Lexicon1"_s);
        for (const QString &typed : visit)
            page->Type(1, typed);
        Open(u"Form1"_s); // storing the lexicon page and group
    }
    const TLexiconData &data = page->DataLexicon;
    EXPECT_EQ(data.IsIncluded(u"Form1.Lexicon1"_s, 1), GetParam().stored);
    EXPECT_EQ(data.ReadItem(u"Form1.Lexicon1"_s, 1), GetParam().text);
    EXPECT_FALSE(data.IsIncluded(u"Form1.Lexicon1"_s, 0)); // never touched
}

const StoreCase StoreCases[] = {
    {"unchanged", {{}}, false, {}},
    {"changed", {{u"Ende"_s}}, true, u"Ende"_s},
    {"changed_and_changed_back_on_one_page", {{u"Ende"_s, u"End"_s}}, false, {}},
    {"stored_once_then_set_back", {{u"Ende"_s}, {u"End"_s}}, true, u"End"_s},
    {"emptied", {{QString()}}, false, {}},
};

INSTANTIATE_TEST_SUITE_P(Rows, InheritedRowStore, testing::ValuesIn(StoreCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The library's own texts are a group of their own only for languages it
// does not speak itself.
struct LibraryGroupCase
{
    const char *name;
    QString language;
    QString code;
    bool translateWordmill;
    bool isGroup;
};

void PrintTo(const LibraryGroupCase &c, std::ostream *os)
{
    *os << c.name;
}

class LibraryTextsGroup : public EditorFixture, public testing::WithParamInterface<LibraryGroupCase>
{
};

TEST_P(LibraryTextsGroup, IsOfferedOnlyForOtherLanguages)
{
    engine->SetTranslateWordmill(GetParam().translateWordmill);
    page->PrepareForEditor();
    page->EditorLang = GetParam().language;
    page->EditorISO = GetParam().code;
    ASSERT_TRUE(page->LoadGroups(groups));
    const QString library = QualifiedName(engine->FormLexicon());
    EXPECT_EQ(groups.contains(library), GetParam().isGroup);
    if (GetParam().isGroup) {
        EXPECT_EQ(groups.last(), library);
        EXPECT_EQ(page->ClientGroups.last().data(), engine->FormLexicon());
    }
}

const LibraryGroupCase LibraryGroupCases[] = {
    {"english", u"English"_s, u"en"_s, true, false},
    {"czech_by_name", u"čeština"_s, QString(), true, false},
    {"slovak", u"Slovensky"_s, u"sk"_s, true, false},
    {"italian", u"Italiano"_s, u"it"_s, true, false},
    {"other_language", u"Deutsch"_s, u"de"_s, true, true},
    {"other_language_without_translating_the_library", u"Deutsch"_s, u"de"_s, false, false},
};

INSTANTIATE_TEST_SUITE_P(Languages, LibraryTextsGroup, testing::ValuesIn(LibraryGroupCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EditorWorkData, GlobalStringsAreWrittenBackWhileTheyAreUsedOrTheLanguagesOwn)
{
    Edit(u"Deutsch"_s);
    // "Zavřít" (Button1 has no Deutsch line) and "Soubor" (Lexicon2's item
    // without translation) are used; "Nikde" is used by nothing.
    page->WorkGlobalLexicon.Write(u"Zavřít"_s, u"Zu"_s, 1);
    page->WorkGlobalLexicon.Write(u"Nikde"_s, u"Nirgends"_s, 1);
    page->WorkGlobalLexicon.Write(u"Uložit"_s, u"Speichern"_s, 2); // not to be saved
    page->WorkGlobalLexicon.Write(u"Konec"_s, QString(), 1);       // emptied
    page->StoreNewGlobals();
    const TNamedItems &globals = page->SmartLexicon.GlobalLexicon();
    QStringList written;
    for (int i = 0; i <= globals.MaxIndex(); ++i)
        written << globals.GetLocStr(i) + u'=' + globals.Get(i) + u'/' +
                       QString::number(globals.LangDescent(i));
    EXPECT_EQ(written, (QStringList{u"Soubor=Datei/0"_s, u"Zavřít=Zu/0"_s}));
}

TEST_F(EditorWorkData, LoadedGlobalStringsJoinTheWorkingCopyOnce)
{
    Edit(u"Deutsch"_s);
    page->WorkGlobalLexicon.Clear();
    page->WorkGlobalLexicon.Write(u"Uložit"_s, u"Sichern"_s, 2);
    page->SmartLexicon.WriteItem(u"Uložit"_s, u"Speichern"_s, DescentOwn);
    page->SmartLexicon.WriteItem(u"Konec"_s, u"Ende"_s, 1); // inherited: not the language's
    page->LoadNewWorkGlobals();
    EXPECT_EQ(page->WorkGlobalLexicon.Get(u"Soubor"_s), u"Datei"_s);
    EXPECT_EQ(page->WorkGlobalLexicon.GetLangDescent(u"Soubor"_s), 1);
    EXPECT_EQ(page->WorkGlobalLexicon.Get(u"Uložit"_s), u"Sichern"_s); // already there
    EXPECT_FALSE(page->WorkGlobalLexicon.IsIncluded(u"Konec"_s));
}

TEST_F(EditorWorkData, SavingWithoutANameOrFileFailsLoudly)
{
    CreateFrom(u"English"_s);
    EXPECT_THROW(page->EditorAction(eaSaveLang, QString()), EWordmillFileError);
    page->EditorLang.clear();
    EXPECT_THROW(page->EditorAction(eaSaveLang, dir.filePath(u"x.lng"_s)), EWordmillFileError);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"x.lng"_s)));
}

TEST_F(EditorWorkData, LanguagesThatCannotBeOpenedReportFailure)
{
    page->PrepareForEditor();
    EXPECT_FALSE(page->EditorAction(eaLoadLangForEdit, u"Nowhere"_s));
    QFile::remove(dir.filePath(u"deutsch.lng"_s));
    EXPECT_FALSE(page->EditorAction(eaLoadLangForEdit, u"Deutsch"_s)); // listed, file gone
    EXPECT_FALSE(page->EditorAction(eaLoadLangForCreate, u"Nowhere"_s));
}

} // namespace
