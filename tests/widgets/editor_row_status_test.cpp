#include "EditorFixture.h"

#include <wordmill/WordmillCtrls.h>

using namespace editor_test;
using namespace wordmill;

namespace {

// ---- colours

struct TextColourCase
{
    const char *name;
    quint16 descent;
    QString text;
    QString reference;
    quint32 colour;
};

void PrintTo(const TextColourCase &c, std::ostream *os)
{
    *os << c.name;
}

class TextColour : public testing::TestWithParam<TextColourCase>
{
};

TEST_P(TextColour, FollowsWhereTheTextComesFrom)
{
    const TextColourCase &c = GetParam();
    EXPECT_EQ(TLangCoreData::GetItemColor(c.descent, c.text, c.reference), c.colour);
}

const TextColourCase TextColourCases[] = {
    {"inherited_unchanged_is_the_source", 1, u"Close"_s, u"Close"_s,
     EditorColor::SourceTranslation},
    {"inherited_typed_over_is_translated", 1, u"Zu"_s, u"Close"_s, EditorColor::Translated},
    {"inherited_emptied_is_invalid", 1, QString(), u"Close"_s, EditorColor::InvalidTranslation},
    {"inherited_global_emptied_is_invalid", 257, QString(), u"Save"_s,
     EditorColor::InvalidGlobalTranslation},
    {"own_emptied_is_cancelled", 0, QString(), u"Close"_s, EditorColor::CancelTranslation},
    {"own_equal_to_the_source_is_translated", 0, u"Close"_s, u"Close"_s, EditorColor::Translated},
    {"design_text_unchanged_is_internal", 255, u"Zavřít"_s, u"Zavřít"_s,
     EditorColor::InternalLanguage},
    {"inherited_global_unchanged_is_the_global_source", 257, u"Save"_s, u"Save"_s,
     EditorColor::GlobalSourceTranslation},
    {"global_emptied_is_removed", 256, QString(), u"Save"_s, EditorColor::GlobalTranslationRemoved},
    {"global_typed_is_a_global_translation", 256, u"Sichern"_s, u"Save"_s,
     EditorColor::GlobalTranslation},
    {"translated_without_source_text", 0, u"Zu"_s, QString(), EditorColor::TranslatedWithoutSource},
};

INSTANTIATE_TEST_SUITE_P(Rules, TextColour, testing::ValuesIn(TextColourCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SourceColour, FollowsTheSourceDescent)
{
    EXPECT_EQ(TLangCoreData::GetItemColor(quint16(255), false), EditorColor::InternalLanguage);
    EXPECT_EQ(TLangCoreData::GetItemColor(quint16(257), true),
              EditorColor::GlobalSourceTranslation);
    EXPECT_EQ(TLangCoreData::GetItemColor(quint16(1), true), EditorColor::KeepSourceTranslation);
    EXPECT_EQ(TLangCoreData::GetItemColor(quint16(1), false), EditorColor::SourceTranslation);
}

// Every colour of the table: the pixel a widget paints reads back as the
// same value, whose hint is the library's text of its state.
struct HintCase
{
    const char *name;
    quint32 colour;
    int red, green, blue;
    int item; // -1: no hint
};

void PrintTo(const HintCase &c, std::ostream *os)
{
    *os << c.name;
}

class ColourHint : public EditorFixture, public testing::WithParamInterface<HintCase>
{
};

TEST_P(ColourHint, PaintedColourReadsBackToItsHint)
{
    const HintCase &c = GetParam();
    page->PrepareForEditor();
    const QColor painted = EditorColorToQColor(c.colour);
    EXPECT_EQ(painted, QColor(c.red, c.green, c.blue));
    const quint32 read = QColorToEditorColor(painted);
    EXPECT_EQ(read, c.colour);
    const QString hint = c.item >= 0 ? engine->FormLexicon()->GetItem(c.item) : QString();
    EXPECT_EQ(page->GetColorHint(read), hint);
    if (c.item >= 0) {
        EXPECT_FALSE(hint.isEmpty());
    }
}

const HintCase HintCases[] = {
    {"internal_language", 0x0003F1F8, 248, 241, 3, 31},
    {"source_translation", 0x0028FFD4, 212, 255, 40, 32},
    {"global_source_translation", 0x00FFE580, 128, 229, 255, 33},
    {"translated", 0x0000E922, 34, 233, 0, 34},
    {"global_translation", 0x00FF6600, 0, 102, 255, 35},
    {"cancel_translation", 0x002222CA, 202, 34, 34, 36},
    {"restored_translation", 0x00FF55DD, 221, 85, 255, 37},
    {"keep_source_translation", 0x00AFC6F9, 249, 198, 175, 38},
    {"invalid_translation", 0x005AA02C, 44, 160, 90, 39},
    {"invalid_global_translation", 0x00A0892C, 44, 137, 160, 39},
    {"not_evaluated", 0x007C7C7C, 124, 124, 124, 39},
    {"global_translation_removed", 0x001111EE, 238, 17, 17, 48},
    {"translated_without_source_has_no_hint", 0x004C6C4C, 76, 108, 76, -1},
    {"other_colour_has_no_hint", 0x00123456, 0x56, 0x34, 0x12, -1},
};

INSTANTIATE_TEST_SUITE_P(Table, ColourHint, testing::ValuesIn(HintCases),
                         [](const auto &info) { return std::string(info.param.name); });

class EditorRows : public EditorFixture
{
protected:
    quint32 Colour(int row)
    {
        return page->GetItemColor(row, page->ClientName(-1), page->GetEditorRow(row));
    }
};

TEST_F(EditorRows, RowColoursFollowTheTypedText)
{
    CreateFrom(u"English"_s);
    Open(u"Form1.Lexicon1"_s);
    EXPECT_EQ(Colour(0), EditorColor::SourceTranslation);
    EXPECT_EQ(Colour(2), EditorColor::InternalLanguage);
    page->Type(0, u"Hallo"_s);
    EXPECT_EQ(Colour(0), EditorColor::Translated);
    page->Type(0, QString());
    EXPECT_EQ(Colour(0), EditorColor::InvalidTranslation);
    EXPECT_EQ(Colour(7), EditorColor::NotEvaluated);

    Open(u"Form1.Lexicon2"_s);
    EXPECT_EQ(Colour(1), EditorColor::GlobalSourceTranslation); // English's global "Save"

    Open(u"Form1.Translator1"_s, u"Dialogs"_s);
    EXPECT_EQ(Colour(0), EditorColor::InternalLanguage);
    EXPECT_EQ(Colour(1), EditorColor::SourceTranslation);
    page->Type(1, u"Abbrechen"_s);
    EXPECT_EQ(Colour(1), EditorColor::Translated);

    // After a change of group and before its page is built nothing is
    // evaluated.
    page->ChangeEditorClient(0);
    EXPECT_EQ(Colour(0), EditorColor::NotEvaluated);
}

TEST_F(EditorRows, RestoredRowKeepsItsColourUntilItsTextChanges)
{
    Write(u"alt.lng"_s, {LanguageHeader(u"Alt"_s),
                         u"0\t\"Altes Etikett\"\t%COMPONENT=Label1;\t%OWNER=Form1;\t%OLD"_s,
                         u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s});
    engine->RefreshLanguages();
    Edit(u"Alt"_s);
    Open(u"Form1"_s, u"Label1"_s);
    EXPECT_EQ(page->Texts(), QStringList{u"Altes Etikett"_s});
    EXPECT_EQ(Colour(0), EditorColor::RestoredTranslation);
    EXPECT_TRUE(page->IsUntranslated(u"Form1"_s, u"Label1"_s));
    page->Type(0, u"Etikett"_s);
    EXPECT_EQ(Colour(0), EditorColor::Translated);
    page->Type(0, u"Altes Etikett"_s);
    EXPECT_EQ(Colour(0), EditorColor::Translated); // the mark is gone for good
    EXPECT_FALSE(page->IsUntranslated(u"Form1"_s, u"Label1"_s));
}

TEST_F(EditorRows, SelectionGivesTheSourceTextItsColourAndTheRowsOfTheSameText)
{
    lexicon1->SetGlobalLexicon(true);
    lexicon1->SetItems({u"Ahoj"_s, u"Zavřít"_s, u"Konec"_s, u"Zavřít"_s});
    CreateFrom(u"English"_s);
    Open(u"Form1.Lexicon1"_s);
    TWordList same;
    quint32 colour = 0;
    EXPECT_EQ(page->SelectEditorItem(1, &same, colour), u"End"_s);
    EXPECT_EQ(colour, EditorColor::SourceTranslation);
    ASSERT_EQ(same.Count(), 1);
    EXPECT_EQ(same.GetWord(0), 3);
    EXPECT_EQ(page->SelectEditorItem(2, &same, colour), u"Konec"_s);
    EXPECT_EQ(colour, EditorColor::InternalLanguage);
    EXPECT_EQ(same.Count(), 0);
}

// ---- status switch

// The status of a component row: its own translation, the global one, or
// the source language's kept.
QString Status(const TLangCoreData &data, int line)
{
    if (!(data.WorkStruct.Changeable(line) & ChangeableTranslatable))
        return u"keep"_s;
    return data.WorkStruct.IsGlobal(line) ? u"global"_s : u"own"_s;
}

struct SwitchCase
{
    const char *name;
    bool clientGlobals;
    QString object;
    QString sourceText;
    QStringList statuses; // before the first switch and after each
};

void PrintTo(const SwitchCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatusSwitch : public EditorFixture, public testing::WithParamInterface<SwitchCase>
{
};

TEST_P(StatusSwitch, CyclesThroughTheStatesOfAComponentRow)
{
    const SwitchCase &c = GetParam();
    client->SetGlobalLexicon(c.clientGlobals);
    CreateFrom(u"English"_s);
    Open(u"Form1"_s, c.object);
    const int line = page->WorkIndexes.GetWord(0);
    bool allowNoTrans = false;
    QStringList statuses{Status(*page, line)};
    QStringList texts;
    for (int i = 1; i < c.statuses.size(); ++i) {
        QString text;
        ASSERT_TRUE(page->SwitchEditorItem(0, page->GetEditorRow(0), allowNoTrans, text));
        page->Type(0, text);
        statuses << Status(*page, line);
        texts << text;
    }
    EXPECT_EQ(statuses, c.statuses) << texts.join(u'|').toStdString();
    // The keep-source state shows the source text.
    for (int i = 1; i < statuses.size(); ++i) {
        if (statuses.at(i) == u"keep"_s) {
            EXPECT_EQ(texts.at(i - 1), c.sourceText);
        }
    }
}

// Label1 is English's own "Label"; Button2 has English's global "Save".
const SwitchCase SwitchCases[] = {
    {"own_with_global_strings",
     true,
     u"Label1"_s,
     u"Label"_s,
     {u"own"_s, u"global"_s, u"keep"_s, u"own"_s, u"global"_s}},
    {"global_with_global_strings",
     true,
     u"Button2"_s,
     u"Save"_s,
     {u"global"_s, u"own"_s, u"keep"_s, u"global"_s}},
    {"own_without_global_strings",
     false,
     u"Label1"_s,
     u"Label"_s,
     {u"own"_s, u"keep"_s, u"own"_s, u"keep"_s}},
};

INSTANTIATE_TEST_SUITE_P(Rows, StatusSwitch, testing::ValuesIn(SwitchCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EditorRows, GlobalRowShowsTheGlobalTranslationAndItsOwnTextBack)
{
    client->SetGlobalLexicon(true);
    CreateFrom(u"English"_s);
    page->WorkGlobalLexicon.Write(u"Uložit"_s, u"Sichern"_s, 1);
    Open(u"Form1"_s, u"Button2"_s);
    EXPECT_EQ(page->Texts(), QStringList{u"Sichern"_s});
    bool allowNoTrans = false;
    QString text;
    ASSERT_TRUE(page->SwitchEditorItem(0, u"Sichern!"_s, allowNoTrans, text));
    EXPECT_EQ(page->WorkGlobalLexicon.Get(u"Uložit"_s), u"Sichern!"_s); // the edit went global
    EXPECT_EQ(text, u"Sichern"_s); // its own text started as the global one
}

TEST_F(EditorRows, LexiconRowsSwitchOnlyWithGlobalStrings)
{
    CreateFrom(u"English"_s);
    Open(u"Form1.Lexicon1"_s);
    bool allowNoTrans = false;
    QString text = u"untouched"_s;
    EXPECT_FALSE(page->SwitchEditorItem(0, u"Hello"_s, allowNoTrans, text));
    EXPECT_FALSE(page->WorkLexicon.IsGlobal(0));

    Open(u"Form1.Lexicon2"_s);
    page->Type(0, u"Zu"_s);
    ASSERT_TRUE(page->SwitchEditorItem(0, u"Zu"_s, allowNoTrans, text));
    EXPECT_TRUE(page->WorkLexicon.IsGlobal(0));
    EXPECT_EQ(text, u"Zu"_s); // no global translation of "Zavřít": the row's text
    ASSERT_TRUE(page->SwitchEditorItem(0, u"Zu"_s, allowNoTrans, text));
    EXPECT_FALSE(page->WorkLexicon.IsGlobal(0));
    EXPECT_EQ(text, u"Zu"_s);
}

// ---- untranslated objects

struct UntranslatedCase
{
    const char *name;
    QString group;
    QString object;
    std::function<void(EditorFixture &, EditorPageData &)> edit;
    bool untranslated;
};

void PrintTo(const UntranslatedCase &c, std::ostream *os)
{
    *os << c.name;
}

class Untranslated : public EditorFixture, public testing::WithParamInterface<UntranslatedCase>
{
};

TEST_P(Untranslated, TellsWhetherAnObjectStillNeedsTranslating)
{
    const UntranslatedCase &c = GetParam();
    client->SetGlobalLexicon(true);
    CreateFrom(u"English"_s);
    Open(c.group, c.object);
    if (c.edit)
        c.edit(*this, *page);
    page->StoreEditorPage();
    EXPECT_EQ(page->IsUntranslated(c.group, c.object), c.untranslated);
}

void Switch(EditorPageData &page, int times)
{
    bool allowNoTrans = false;
    for (int i = 0; i < times; ++i) {
        QString text;
        page.SwitchEditorItem(0, page.GetEditorRow(0), allowNoTrans, text);
        page.Type(0, text);
    }
}

const UntranslatedCase UntranslatedCases[] = {
    {"inherited_unchanged", u"Form1"_s, u"Label1"_s, nullptr, true},
    {"inherited_typed_over", u"Form1"_s, u"Label1"_s,
     [](EditorFixture &, EditorPageData &p) { p.Type(0, u"Etikett"_s); }, false},
    {"keeping_the_source", u"Form1"_s, u"Label1"_s,
     [](EditorFixture &, EditorPageData &p) { Switch(p, 2); }, false},
    {"global_without_global_translation", u"Form1"_s, u"Label1"_s,
     [](EditorFixture &, EditorPageData &p) { Switch(p, 1); }, true},
    {"global_with_global_translation", u"Form1"_s, u"Label1"_s,
     [](EditorFixture &, EditorPageData &p) {
         Switch(p, 1);
         p.Type(0, u"Etikett"_s);
     },
     false},
    {"global_row_typed", u"Form1"_s, u"Button2"_s,
     [](EditorFixture &, EditorPageData &p) { p.Type(0, u"Speichern"_s); }, false},
    {"whole_group_with_one_row_left", u"Form1"_s, QString(),
     [](EditorFixture &, EditorPageData &p) {
         p.Type(0, u"Zu"_s);
         p.Type(1, u"Speichern"_s);
     },
     true},
    {"lexicon_inherited", u"Form1.Lexicon1"_s, QString(), nullptr, true},
    {"unit_inherited", u"Form1.Translator1"_s, u"Dialogs"_s, nullptr, true},
    {"unit_all_typed", u"Form1.Translator1"_s, u"Dialogs"_s,
     [](EditorFixture &, EditorPageData &p) {
         p.Type(0, u"&Öffnen"_s);
         p.Type(1, u"Abbrechen"_s);
     },
     false},
    {"unknown_unit", u"Form1.Translator1"_s, u"Nowhere"_s, nullptr, false},
    {"lexicon_all_typed", u"Form1.Lexicon1"_s, QString(),
     [](EditorFixture &, EditorPageData &p) {
         for (int i = 0; i < p.rows.size(); ++i)
             p.Type(i, u"x"_s + QString::number(i));
     },
     false},
};

INSTANTIATE_TEST_SUITE_P(Objects, Untranslated, testing::ValuesIn(UntranslatedCases),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- search

struct SearchCase
{
    const char *name;
    QString searched;
    int startRow;
    TEditorSearchMode mode;
    int row; // -1: not found
    TEditorSearch column;
    int start;
};

void PrintTo(const SearchCase &c, std::ostream *os)
{
    *os << c.name;
}

class Search : public EditorFixture, public testing::WithParamInterface<SearchCase>
{
};

// Rows: "Close", "Uložit", "Etikett"; sources "Close", "Uložit", "Label";
// designed texts "Zavřít", "Uložit", "Popisek".
TEST_P(Search, FindsTheFirstHitFromTheStartRow)
{
    const SearchCase &c = GetParam();
    CreateFrom(u"English"_s);
    Open(u"Form1"_s);
    page->Type(2, u"Etikett"_s);
    EXPECT_EQ(page->SearchWord(c.searched, c.startRow, c.mode), c.row >= 0);
    if (c.row < 0)
        return;
    EXPECT_EQ(page->selection.row, c.row);
    EXPECT_EQ(page->selection.column, c.column);
    EXPECT_EQ(page->selection.start, c.start);
    EXPECT_EQ(page->selection.length, c.searched.size());
}

const SearchCase SearchCases[] = {
    {"exact", u"lose"_s, 0, seItem, 0, seItem, 1},
    {"lower_case_finds_upper_case", u"close"_s, 0, seItem, 0, seItem, 0},
    {"diacritic_is_not_lowered", u"ULOŽIT"_s, 0, seItem, -1, seItem, 0},
    {"ascii_letters_around_it_are", u"ULOžIT"_s, 0, seItem, 1, seItem, 0},
    {"wraps_to_the_first_row", u"Close"_s, 1, seItem, 0, seItem, 0},
    {"negative_start_is_the_first_row", u"Etikett"_s, -3, seItem, 2, seItem, 0},
    {"source_column", u"abel"_s, 0, seItem | seSource, 2, seSource, 1},
    {"source_column_only_when_asked", u"abel"_s, 0, seItem, -1, seItem, 0},
    {"designed_text", u"popis"_s, 0, seItem | seOriginal, 2, seOriginal, 0},
    {"own_text_before_the_source", u"Close"_s, 0, seItem | seSource, 0, seItem, 0},
    {"empty_text", QString(), 0, seItem, -1, seItem, 0},
};

INSTANTIATE_TEST_SUITE_P(Pages, Search, testing::ValuesIn(SearchCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EditorRows, RepeatedSearchContinuesAfterTheLastHitAndASelectionRestartsIt)
{
    CreateFrom(u"English"_s);
    Open(u"Form1.Lexicon1"_s);
    page->Type(0, u"Ende gut"_s);
    page->Type(1, u"Nichts"_s);
    page->Type(2, u"ende"_s);
    QList<int> hits;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(page->SearchWord(u"ende"_s, page->selection.row, seItem));
        hits << page->selection.row;
    }
    EXPECT_EQ(hits, (QList<int>{0, 2, 0}));
    // The user selects row 2: the same search starts there, including it.
    quint32 colour = 0;
    page->SelectEditorItem(2, nullptr, colour);
    ASSERT_TRUE(page->SearchWord(u"ende"_s, 2, seItem));
    EXPECT_EQ(page->selection.row, 2);
}

TEST_F(EditorRows, OneRowPageWithoutHitIsLookedAtOnce)
{
    CreateFrom(u"English"_s);
    Open(u"Form1"_s, u"Label1"_s);
    page->reads = 0;
    EXPECT_FALSE(page->SearchWord(u"nowhere"_s, 0, seItem));
    EXPECT_EQ(page->reads, 1);
    EXPECT_FALSE(page->SearchWord(u"nowhere"_s, 0, seItem)); // repeated: still one row
    EXPECT_EQ(page->reads, 2);
}

} // namespace
