#include "BindingFixture.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

using namespace binding_test;
using namespace wordmill;

namespace {

class ClientRules : public BindingFixture
{
public:
    template <typename W> W *Make(const QString &Name) { return Add<W>(Name); }

    // Collects the form and returns its lines with component names.
    QStringList Collect(TWordmillClient *client = nullptr)
    {
        if (!client)
            client = NewClient();
        client->SetWordmillEngine(engine);
        return LineKeys(client->DesignStruct, true);
    }
};

// Texts the client must leave out of the design structure, and what it
// collects instead.
struct SkipCase
{
    const char *name;
    std::function<void(ClientRules &)> build;
    QStringList collected;

    friend void PrintTo(const SkipCase &c, std::ostream *os) { *os << c.name; }
};

class ClientSkips : public ClientRules, public testing::WithParamInterface<SkipCase>
{
};

QAction *openAction(ClientRules &f)
{
    auto *action = f.Make<QAction>(u"ActOpen"_s);
    action->setText(u"&Otevřít"_s);
    action->setToolTip(u"Otevře soubor"_s);
    return action;
}

const SkipCase skipCases[] = {
    {"caption_equal_to_the_name",
     [](ClientRules &f) { f.Make<QPushButton>(u"Button1"_s)->setText(u"Button1"_s); },
     {}},
    {"text_without_letters",
     [](ClientRules &f) { f.Make<QLabel>(u"Label2"_s)->setText(u"1."_s); },
     {}},
    {"component_without_name",
     [](ClientRules &f) { f.Make<QLabel>(QString())->setText(u"Bez jména"_s); },
     {}},
    {"caption_and_hint_of_the_bound_action",
     [](ClientRules &f) {
         auto *button = f.Make<QToolButton>(u"OpenButton"_s);
         button->setDefaultAction(openAction(f));
     },
     {u"ActOpen/0:"_s, u"ActOpen/1:"_s}},
    {"caption_like_the_action_without_marker_and_case",
     [](ClientRules &f) {
         auto *button = f.Make<QToolButton>(u"OpenButton"_s);
         button->setDefaultAction(openAction(f));
         button->setText(u"OTEVŘÍT"_s);
     },
     {u"ActOpen/0:"_s, u"ActOpen/1:"_s}},
    {"action_tool_tip_taken_from_its_text",
     [](ClientRules &f) { f.Make<QAction>(u"ActSave"_s)->setText(u"&Uložit..."_s); },
     {u"ActSave/0:"_s}},
    {"selectors_and_font_box_items",
     [](ClientRules &f) {
         f.Make<TLangCombo>(u"LangCombo1"_s)->addItems({u"english"_s, u"čeština"_s});
         f.Make<TLangFlagsCombo>(u"LangFlags1"_s)->addItems({u"english"_s, u"čeština"_s});
         f.Make<TLangFlag>(u"LangFlag1"_s)->setText(u"vlajka"_s);
         f.Make<QFontComboBox>(u"Fonts1"_s);
     },
     {}},
    {"valued_label_caption_itself",
     [](ClientRules &f) {
         auto *label = f.Make<TValuedLabel>(u"Size1"_s);
         label->SetValueName(u"Velikost"_s);
         label->SetValue(u"patnáct"_s);
     },
     {u"Size1/7:"_s}},
    {"standard_message_box_buttons",
     [](ClientRules &f) {
         f.Make<QMessageBox>(u"Box1"_s)->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
     },
     {}},
    {"tree_items_and_status_text_by_default",
     [](ClientRules &f) {
         auto *tree = f.Make<QTreeWidget>(u"Tree1"_s);
         new QTreeWidgetItem(tree, {u"Kořen"_s});
         f.Make<QStatusBar>(u"Status1"_s)->showMessage(u"Připraven"_s);
     },
     {}},
    {"text_browser_document",
     [](ClientRules &f) { f.Make<QTextBrowser>(u"Browser1"_s)->setPlainText(u"Dokument"_s); },
     {}},
    {"tag_799_on_a_bar_and_its_items",
     [](ClientRules &f) {
         auto *bar = f.Make<QMenuBar>(u"Bar1"_s);
         bar->setProperty("Tag", -799);
         bar->addMenu(u"Soubor"_s)->addAction(u"Konec"_s);
     },
     {}},
    {"menu_items_with_one_caption_share_a_line",
     [](ClientRules &f) {
         auto *bar = f.Make<QMenuBar>(u"Bar1"_s);
         QMenu *file = bar->addMenu(u"&Soubor"_s);
         file->addAction(u"&Zavřít"_s);
         file->addSeparator();
         bar->addMenu(u"&Okno"_s)->addAction(u"&Zavřít"_s);
     },
     {u"Bar1/102:Okno,Caption"_s, u"Bar1/102:Soubor,Caption"_s, u"Bar1/102:Zavřít,Caption"_s}},
};

TEST_P(ClientSkips, CollectsOnlyWhatIsTranslatable)
{
    GetParam().build(*this);
    EXPECT_EQ(Collect(), GetParam().collected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ClientSkips, testing::ValuesIn(skipCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The Tag of a component narrows the sets for that component alone.
struct TagCase
{
    const char *name;
    int tag;
    quint32 published;
    QStringList collected;

    friend void PrintTo(const TagCase &c, std::ostream *os) { *os << c.name; }
};

class ClientTags : public ClientRules, public testing::WithParamInterface<TagCase>
{
};

const TagCase tagCases[] = {
    {"no_tag_takes_the_published_sets",
     0,
     DefaultTransStringProp,
     {u"Edit1/1:"_s, u"Edit1/2:"_s, u"Edit1/5:"_s, u"List1/33:0"_s, u"List1/33:1"_s}},
    {"tag_799_skips_the_component", -799, DefaultTransStringProp, {}},
    {"tag_798_drops_hints",
     -798,
     DefaultTransStringProp,
     {u"Edit1/5:"_s, u"List1/33:0"_s, u"List1/33:1"_s}},
    {"tag_797_drops_the_text",
     -797,
     DefaultTransStringProp,
     {u"Edit1/1:"_s, u"Edit1/2:"_s, u"List1/33:0"_s, u"List1/33:1"_s}},
    {"tag_790_keeps_only_the_text", -790, DefaultTransStringProp, {u"Edit1/5:"_s}},
    {"tag_790_text_even_when_not_published",
     -790,
     DefaultTransStringProp & ~SetOf({pnText}),
     {u"Edit1/5:"_s}},
    {"tag_789_keeps_only_hints", -789, DefaultTransStringProp, {u"Edit1/1:"_s, u"Edit1/2:"_s}},
    {"tag_789_hints_only_when_published",
     -789,
     DefaultTransStringProp & ~SetOf({pnHint}),
     {u"Edit1/2:"_s}},
};

TEST_P(ClientTags, NarrowTheSets)
{
    auto *edit = Make<QLineEdit>(u"Edit1"_s);
    edit->setText(u"Hodnota"_s);
    edit->setPlaceholderText(u"Vyberte"_s);
    edit->setToolTip(u"Nápověda"_s);
    auto *list = Make<QListWidget>(u"List1"_s);
    list->addItems({u"Alfa"_s, u"Beta"_s});
    if (GetParam().tag) {
        edit->setProperty("Tag", GetParam().tag);
        list->setProperty("Tag", GetParam().tag);
    }
    TWordmillClient *client = NewClient();
    client->SetTransStringProp(GetParam().published);
    QStringList keys = Collect(client);
    keys.sort();
    EXPECT_EQ(keys, GetParam().collected);
}

INSTANTIATE_TEST_SUITE_P(Tags, ClientTags, testing::ValuesIn(tagCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Filters are stored by their masks; the apply pass rebuilds them from
// complete pairs.
struct FilterCase
{
    const char *name;
    QString filter;
    QStringList collected;
    QString applied;

    friend void PrintTo(const FilterCase &c, std::ostream *os) { *os << c.name; }
};

class ClientFilters : public ClientRules, public testing::WithParamInterface<FilterCase>
{
};

const FilterCase filterCases[] = {
    {"two_pairs_keyed_by_their_masks",
     u"Texty|*.txt|Obrázky|*.png;*.bmp"_s,
     {u"96:[*:png *:bmp]"_s, u"96:[*:txt]"_s},
     u"TT Texty|*.txt|TT Obrázky|*.png;*.bmp"_s},
    {"a_description_without_mask_is_dropped",
     u"Texty|*.txt|Zbytek"_s,
     {u"96:[*:txt]"_s},
     u"TT Texty|*.txt"_s},
    {"a_filter_without_bar_comes_back_empty", u"Texty"_s, {}, QString()},
    {"an_untranslated_pair_keeps_its_description", u"Vše|*.*"_s, {u"96:[*:*]"_s}, u"Vše|*.*"_s},
};

TEST_P(ClientFilters, TransFilter)
{
    const FilterCase &row = GetParam();
    auto *owner = Make<QLabel>(u"Dialog1"_s);
    WriteTestish(
        {ComponentLine(96, u"TT Texty"_s, u"Dialog1"_s, u"Form1"_s, u"[*:txt]"_s),
         ComponentLine(96, u"TT Obrázky"_s, u"Dialog1"_s, u"Form1"_s, u"[*:png *:bmp]"_s)});
    TWordmillClient *client = NewClient();
    client->SetWordmillEngine(engine);
    EXPECT_EQ(client->TransFilter(owner, 96, true, row.filter), row.filter);
    QStringList keys = LineKeys(client->DesignStruct);
    keys.removeIf([](const QString &k) { return !k.startsWith(u"96:"_s); });
    EXPECT_EQ(keys, row.collected);
    engine->Translate(u"Testish"_s);
    EXPECT_EQ(client->TransFilter(owner, 96, false, row.filter), row.applied);
}

INSTANTIATE_TEST_SUITE_P(Filters, ClientFilters, testing::ValuesIn(filterCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ClientRules, MemoFilledAfterTheCollectPassIsLeftAlone)
{
    auto *label = Make<QLabel>(u"Label1"_s);
    label->setText(u"Popisek"_s);
    auto *memo = Make<QPlainTextEdit>(u"Memo2"_s);
    WriteTestish({ComponentLine(0, u"Caption"_s, u"Label1"_s, u"Form1"_s)});
    Collect();
    memo->setPlainText(u"chybí .NET Framework 4\nchybí SQL Native Client"_s);
    engine->Translate(u"Testish"_s);
    EXPECT_EQ(label->text(), u"Caption"_s);
    EXPECT_EQ(memo->toPlainText(), u"chybí .NET Framework 4\nchybí SQL Native Client"_s);
}

TEST_F(ClientRules, LateBindingOnAVisibleFormCollectsAndAppliesAtOnce)
{
    auto *label = Make<QLabel>(u"Label1"_s);
    label->setText(u"Popisek"_s);
    WriteTestish({ComponentLine(0, u"Caption"_s, u"Label1"_s, u"Form1"_s)});
    form->show();
    engine->Initialize(true);
    engine->Translate(u"Testish"_s);
    EXPECT_EQ(label->text(), u"Popisek"_s); // nobody translates the form yet

    TWordmillClient *client = NewClient();
    client->SetWordmillEngine(engine);
    EXPECT_EQ(client->DesignStruct.GetString(u"Label1"_s, u"Form1"_s, 0, QString()), u"Popisek"_s);
    EXPECT_EQ(label->text(), u"Caption"_s);
    EXPECT_EQ(client->WordmillComponentLanguage, u"Testish"_s);

    // Unbinding gives the design texts back; binding again starts afresh.
    client->SetWordmillEngine(nullptr);
    EXPECT_EQ(label->text(), u"Popisek"_s);
    EXPECT_EQ(client->DesignStruct.Count(), 0);
    client->SetWordmillEngine(engine);
    EXPECT_EQ(client->DesignStruct.GetString(u"Label1"_s, u"Form1"_s, 0, QString()), u"Popisek"_s);
    EXPECT_EQ(label->text(), u"Caption"_s);
}

TEST_F(ClientRules, RecreateTransStructCollectsDesignTextsAndAppliesAgain)
{
    auto *label = Make<QLabel>(u"Label1"_s);
    label->setText(u"Popisek"_s);
    label->setToolTip(u"Nápověda"_s);
    WriteTestish({ComponentLine(0, u"Caption"_s, u"Label1"_s, u"Form1"_s),
                  ComponentLine(1, u"Hint"_s, u"Label1"_s, u"Form1"_s)});
    TWordmillClient *client = NewClient();
    client->SetWordmillEngine(engine);
    engine->Initialize(true);
    engine->Translate(u"Testish"_s);
    ASSERT_EQ(label->toolTip(), u"Hint"_s);

    // Hints are no longer handled: the structure is rebuilt from the
    // design texts, and the hint keeps its design text.
    client->SetTransStringProp(DefaultTransStringProp & ~SetOf({pnHint}));
    EXPECT_EQ(LineKeys(client->DesignStruct), QStringList{u"0:"_s});
    EXPECT_EQ(client->DesignStruct.GetString(u"Label1"_s, u"Form1"_s, 0, QString()), u"Popisek"_s);
    EXPECT_EQ(label->text(), u"Caption"_s);
    EXPECT_EQ(label->toolTip(), u"Nápověda"_s);

    client->RecreateTransStruct();
    EXPECT_EQ(client->DesignStruct.GetString(u"Label1"_s, u"Form1"_s, 0, QString()), u"Popisek"_s);
    EXPECT_EQ(label->text(), u"Caption"_s);
}

TEST_F(ClientRules, SetsAreCutToWhatCanBeHandled)
{
    TWordmillClient *client = NewClient();
    EXPECT_EQ(client->TransStringProp(), 1046271u);
    EXPECT_EQ(client->TransTStringsProp(), 255u);
    EXPECT_EQ(client->TransStructuredProp(), 98158u);
    EXPECT_EQ(client->TransOtherProp(), 321u);
    EXPECT_EQ(client->TransAdditions(), 0u);
    client->SetTransStringProp(0xFFFFFFFF);
    client->SetTransTStringsProp(0xFFFFFFFF);
    client->SetTransStructuredProp(0xFFFFFFFF);
    client->SetTransOtherProp(0xFFFFFFFF);
    EXPECT_EQ(client->TransStringProp(), 0xFFFFFu); // never pnPrompt
    EXPECT_EQ(client->TransTStringsProp(), 0xFFu);
    EXPECT_EQ(client->TransStructuredProp(), 0x17FFFu); // never pnMessages
    EXPECT_EQ(client->TransOtherProp(), 0x1C1u);
}

TEST_F(ClientRules, TranslateAsKeepsTheLinesUnderAnotherFormName)
{
    auto *label = Make<QLabel>(u"Label1"_s);
    label->setText(u"Popisek"_s);
    WriteTestish({ComponentLine(0, u"First window"_s, u"Label1"_s, u"Form1"_s),
                  ComponentLine(0, u"Second window"_s, u"Label1"_s, u"Form1b"_s)});
    TWordmillClient *client = NewClient();
    int notified = 0;
    client->SetOnChangeLanguage([&](QObject *) { ++notified; });
    client->SetWordmillEngine(engine);
    engine->Initialize(true);
    engine->Translate(u"Testish"_s);
    ASSERT_EQ(label->text(), u"First window"_s);

    notified = 0;
    client->TranslateAs(u"Form1"_s); // the name in use: nothing to do
    EXPECT_EQ(notified, 0);
    client->TranslateAs(u"Form1b"_s);
    EXPECT_EQ(label->text(), u"Second window"_s);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(client->DesignStruct.GetString(u"Label1"_s, u"Form1b"_s, 0, QString()), u"Popisek"_s);
    EXPECT_EQ(TSpans::SpanNameOf(client), u"Form1b"_s);
}

TEST_F(ClientRules, ComponentsAddedAtRunTime)
{
    WriteTestish({ComponentLine(0, u"Added"_s, u"Late1"_s, u"Form1"_s)});
    TWordmillClient *client = NewClient();
    client->SetWordmillEngine(engine);
    engine->Initialize(true);
    engine->Translate(u"Testish"_s);

    auto *late = new QLabel(u"Přidaný"_s, form.get());
    SetComponentOwner(late, form.get());
    EXPECT_TRUE(client->AddComponent(late, u"Late1"_s, true));
    EXPECT_EQ(late->text(), u"Added"_s);
    EXPECT_EQ(client->DesignStruct.GetString(u"Late1"_s, u"Form1"_s, 0, QString()), u"Přidaný"_s);

    QWidget stranger;
    auto *foreign = new QLabel(u"Cizí"_s, &stranger);
    EXPECT_FALSE(client->AddComponent(foreign, u"Late1"_s, true));
    EXPECT_EQ(foreign->text(), u"Cizí"_s);
}

TEST(IntegratedHandler, RemembersOneMaster)
{
    TIntegratedWordmillHandler handler;
    EXPECT_EQ(handler.GetIntegrator(), nullptr);
    handler.SetIntegrator(nullptr);
    EXPECT_EQ(handler.GetIntegrator(), nullptr);
    QObject first;
    QObject second;
    handler.SetIntegrator(&first);
    handler.SetIntegrator(nullptr); // an empty master changes nothing
    EXPECT_EQ(handler.GetIntegrator(), &first);
    handler.SetIntegrator(&second);
    EXPECT_EQ(handler.GetIntegrator(), &second);
}

} // namespace
