#include "BindingFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBox>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

using namespace binding_test;
using namespace wordmill;

namespace {

// One translatable text of a mapped class: how to build the component, where
// its text is stored and how to read it back.
struct Case
{
    const char *name;
    std::function<QObject *(BindingFixture &, TForm *)> make;
    int property;
    QString addr;
    QString design;
    std::function<QString(QObject *)> read;
    // Sets to publish for this case (0: the defaults).
    quint32 stringProp = 0;
    quint32 structuredProp = 0;
    QString component = u"C1"_s;
    QString owner = u"Form1"_s;

    friend void PrintTo(const Case &c, std::ostream *os) { *os << c.name; }
};

class ClientProperty : public BindingFixture, public testing::WithParamInterface<Case>
{
public:
    template <typename W> W *Make(const QString &Name = u"C1"_s) { return Add<W>(Name); }
};

QObject *makeListWidget(BindingFixture &f, TForm *)
{
    auto *list = static_cast<ClientProperty &>(f).Make<QListWidget>();
    list->addItems({u"první"_s, u"druhá"_s, u"třetí"_s});
    return list;
}

QObject *makeTree(BindingFixture &f, TForm *)
{
    auto *tree = static_cast<ClientProperty &>(f).Make<QTreeWidget>();
    tree->setColumnCount(2);
    tree->setHeaderLabels({u"Název"_s, u"Velikost"_s});
    auto *top = new QTreeWidgetItem(tree, {u"Kořen"_s});
    new QTreeWidgetItem(top, {u"Větev A"_s});
    new QTreeWidgetItem(top, {u"Větev B"_s});
    return tree;
}

QObject *makeTable(BindingFixture &f, TForm *)
{
    auto *table = static_cast<ClientProperty &>(f).Make<QTableWidget>();
    table->setRowCount(2);
    table->setColumnCount(2);
    table->setHorizontalHeaderLabels({u"Jméno"_s, u"Popis"_s});
    table->setItem(1, 0, new QTableWidgetItem(u"Řádek"_s));
    table->setItem(1, 1, new QTableWidgetItem(u"Podrobnost"_s));
    return table;
}

QObject *makeMenuBar(BindingFixture &f, TForm *)
{
    auto *bar = static_cast<ClientProperty &>(f).Make<QMenuBar>();
    QMenu *file = bar->addMenu(u"&Soubor"_s);
    file->addAction(u"&Otevřít"_s);
    return bar;
}

QString menuBarItem(QObject *c)
{
    return static_cast<QMenuBar *>(c)->actions().at(0)->menu()->actions().at(0)->text();
}

const Case cases[] = {
    {"form_window_title",
     [](BindingFixture &, TForm *form) -> QObject * {
         form->setWindowTitle(u"Hlavní okno"_s);
         return form;
     },
     0,
     {},
     u"Hlavní okno"_s,
     [](QObject *c) { return static_cast<QWidget *>(c)->windowTitle(); },
     0,
     0,
     u"Form1"_s,
     QString()},
    {"label_caption",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *l = static_cast<ClientProperty &>(f).Make<QLabel>();
         l->setText(u"Popisek"_s);
         return l;
     },
     0,
     {},
     u"Popisek"_s,
     [](QObject *c) { return static_cast<QLabel *>(c)->text(); }},
    {"push_button_caption",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *b = static_cast<ClientProperty &>(f).Make<QPushButton>();
         b->setText(u"&Pokračovat"_s);
         return b;
     },
     0,
     {},
     u"&Pokračovat"_s,
     [](QObject *c) { return static_cast<QPushButton *>(c)->text(); }},
    {"check_box_caption",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *b = static_cast<ClientProperty &>(f).Make<QCheckBox>();
         b->setText(u"Zapamatovat"_s);
         return b;
     },
     0,
     {},
     u"Zapamatovat"_s,
     [](QObject *c) { return static_cast<QCheckBox *>(c)->text(); }},
    {"group_box_title",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *g = static_cast<ClientProperty &>(f).Make<QGroupBox>();
         g->setTitle(u"Volby"_s);
         return g;
     },
     0,
     {},
     u"Volby"_s,
     [](QObject *c) { return static_cast<QGroupBox *>(c)->title(); }},
    {"dock_widget_title",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *d = static_cast<ClientProperty &>(f).Make<QDockWidget>();
         d->setWindowTitle(u"Vlastnosti"_s);
         return d;
     },
     0,
     {},
     u"Vlastnosti"_s,
     [](QObject *c) { return static_cast<QWidget *>(c)->windowTitle(); }},
    {"action_caption",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *a = static_cast<ClientProperty &>(f).Make<QAction>();
         a->setText(u"&Uložit"_s);
         return a;
     },
     0,
     {},
     u"&Uložit"_s,
     [](QObject *c) { return static_cast<QAction *>(c)->text(); }},
    {"action_hint",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *a = static_cast<ClientProperty &>(f).Make<QAction>();
         a->setText(u"Uložit"_s);
         a->setToolTip(u"Uloží dokument"_s);
         return a;
     },
     1,
     {},
     u"Uloží dokument"_s,
     [](QObject *c) { return static_cast<QAction *>(c)->toolTip(); }},
    {"menu_title",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *m = static_cast<ClientProperty &>(f).Make<QMenu>();
         m->setTitle(u"&Soubor"_s);
         return m;
     },
     0,
     {},
     u"&Soubor"_s,
     [](QObject *c) { return static_cast<QMenu *>(c)->title(); }},
    {"widget_hint",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *l = static_cast<ClientProperty &>(f).Make<QLabel>();
         l->setToolTip(u"Nápověda"_s);
         return l;
     },
     1,
     {},
     u"Nápověda"_s,
     [](QObject *c) { return static_cast<QWidget *>(c)->toolTip(); }},
    {"line_edit_text",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *e = static_cast<ClientProperty &>(f).Make<QLineEdit>();
         e->setText(u"Výchozí"_s);
         return e;
     },
     5,
     {},
     u"Výchozí"_s,
     [](QObject *c) { return static_cast<QLineEdit *>(c)->text(); }},
    {"line_edit_placeholder",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *e = static_cast<ClientProperty &>(f).Make<QLineEdit>();
         e->setPlaceholderText(u"Zadejte jméno"_s);
         return e;
     },
     2,
     {},
     u"Zadejte jméno"_s,
     [](QObject *c) { return static_cast<QLineEdit *>(c)->placeholderText(); }},
    {"editable_combo_text",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *b = static_cast<ClientProperty &>(f).Make<QComboBox>();
         b->setEditable(true);
         b->setEditText(u"Vlastní"_s);
         return b;
     },
     5,
     {},
     u"Vlastní"_s,
     [](QObject *c) { return static_cast<QComboBox *>(c)->currentText(); }},
    {"valued_label_name",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *l = static_cast<ClientProperty &>(f).Make<TValuedLabel>();
         l->SetValueName(u"Velikost"_s);
         l->SetValueSeparator(u":"_s);
         l->SetValueSpaces(1);
         l->SetValue(u"15 MB"_s);
         return l;
     },
     7,
     {},
     u"Velikost"_s,
     [](QObject *c) { return static_cast<TValuedLabel *>(c)->ValueName(); }},
    {"memo_lines",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *m = static_cast<ClientProperty &>(f).Make<QPlainTextEdit>();
         m->setPlainText(u"Úvod\nDruhý řádek\nZávěr"_s);
         return m;
     },
     32, u"1"_s, u"Druhý řádek"_s,
     [](QObject *c) {
         return static_cast<QPlainTextEdit *>(c)->toPlainText().split(u'\n').value(1);
     }},
    {"rich_memo_lines",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *m = static_cast<ClientProperty &>(f).Make<QTextEdit>();
         m->setPlainText(u"Jeden\nDva"_s);
         return m;
     },
     32, u"0"_s, u"Jeden"_s,
     [](QObject *c) { return static_cast<QTextEdit *>(c)->toPlainText().split(u'\n').value(0); }},
    {"list_items", makeListWidget, 33, u"2"_s, u"třetí"_s,
     [](QObject *c) { return static_cast<QListWidget *>(c)->item(2)->text(); }},
    {"combo_items",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *b = static_cast<ClientProperty &>(f).Make<QComboBox>();
         b->addItems({u"malý"_s, u"velký"_s});
         return b;
     },
     33, u"1"_s, u"velký"_s, [](QObject *c) { return static_cast<QComboBox *>(c)->itemText(1); }},
    {"tab_texts",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *t = static_cast<ClientProperty &>(f).Make<QTabWidget>();
         t->addTab(new QWidget, u"Obecné"_s);
         t->addTab(new QWidget, u"Pokročilé"_s);
         return t;
     },
     35, u"1"_s, u"Pokročilé"_s,
     [](QObject *c) { return static_cast<QTabWidget *>(c)->tabText(1); }},
    {"tool_box_pages",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *t = static_cast<ClientProperty &>(f).Make<QToolBox>();
         t->addItem(new QWidget, u"Stránka"_s);
         return t;
     },
     36, u"0"_s, u"Stránka"_s, [](QObject *c) { return static_cast<QToolBox *>(c)->itemText(0); }},
    {"tree_child_item", makeTree, 68, u"0,1"_s, u"Větev B"_s,
     [](QObject *c) { return static_cast<QTreeWidget *>(c)->topLevelItem(0)->child(1)->text(0); },
     0, DefaultTransStructuredProp | SetOf({pnTreeItems})},
    {"tree_header_column", makeTree, 69, u"1.0"_s, u"Velikost"_s,
     [](QObject *c) { return static_cast<QTreeWidget *>(c)->headerItem()->text(1); }},
    {"table_header_column", makeTable, 69, u"0.0"_s, u"Jméno"_s,
     [](QObject *c) { return static_cast<QTableWidget *>(c)->horizontalHeaderItem(0)->text(); }},
    {"table_item_caption", makeTable, 71, u"1.0"_s, u"Řádek"_s,
     [](QObject *c) { return static_cast<QTableWidget *>(c)->item(1, 0)->text(); }, 0,
     DefaultTransStructuredProp | SetOf({pnListItems})},
    {"table_sub_item", makeTable, 71, u"1,0"_s, u"Podrobnost"_s,
     [](QObject *c) { return static_cast<QTableWidget *>(c)->item(1, 1)->text(); }, 0,
     DefaultTransStructuredProp | SetOf({pnListItems})},
    {"file_dialog_title",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *d = static_cast<ClientProperty &>(f).Make<QFileDialog>();
         d->setWindowTitle(u"Otevřít soubor"_s);
         return d;
     },
     6,
     {},
     u"Otevřít soubor"_s,
     [](QObject *c) { return static_cast<QWidget *>(c)->windowTitle(); }},
    {"file_dialog_filter",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *d = static_cast<ClientProperty &>(f).Make<QFileDialog>();
         d->setNameFilters({u"Textové soubory (*.txt)"_s, u"Obrázky (*.png *.bmp)"_s});
         return d;
     },
     96, u"[*:png *:bmp]"_s, u"Obrázky"_s,
     [](QObject *c) {
         const QString filter = static_cast<QFileDialog *>(c)->nameFilters().value(1);
         return filter.left(filter.indexOf(u" ("_s));
     }},
    {"status_bar_message",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *s = static_cast<ClientProperty &>(f).Make<QStatusBar>();
         s->showMessage(u"Připraven"_s);
         return s;
     },
     11,
     {},
     u"Připraven"_s,
     [](QObject *c) { return static_cast<QStatusBar *>(c)->currentMessage(); },
     DefaultTransStringProp | SetOf({pnSimpleText})},
    {"help_keyword",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *l = static_cast<ClientProperty &>(f).Make<QLabel>();
         l->setProperty("HelpKeyword", u"Instalace"_s);
         return l;
     },
     8,
     {},
     u"Instalace"_s,
     [](QObject *c) { return c->property("HelpKeyword").toString(); },
     DefaultTransStringProp | SetOf({pnHelpKeyword})},
    {"action_help_keyword",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *a = static_cast<ClientProperty &>(f).Make<QAction>();
         a->setProperty("HelpKeyword", u"Ukládání"_s);
         return a;
     },
     8,
     {},
     u"Ukládání"_s,
     [](QObject *c) { return c->property("HelpKeyword").toString(); },
     DefaultTransStringProp | SetOf({pnHelpKeyword})},
    {"message_box_text",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *m = static_cast<ClientProperty &>(f).Make<QMessageBox>();
         m->setText(u"Opravdu smazat?"_s);
         return m;
     },
     6,
     {},
     u"Opravdu smazat?"_s,
     [](QObject *c) { return static_cast<QMessageBox *>(c)->text(); }},
    {"message_box_informative_text",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *m = static_cast<ClientProperty &>(f).Make<QMessageBox>();
         m->setInformativeText(u"Nelze vrátit"_s);
         return m;
     },
     5,
     {},
     u"Nelze vrátit"_s,
     [](QObject *c) { return static_cast<QMessageBox *>(c)->informativeText(); }},
    {"message_box_own_button",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *m = static_cast<ClientProperty &>(f).Make<QMessageBox>();
         m->addButton(u"Smazat vše"_s, QMessageBox::AcceptRole);
         return m;
     },
     77, u"0.0"_s, u"Smazat vše"_s,
     [](QObject *c) { return static_cast<QMessageBox *>(c)->buttons().at(0)->text(); }},
    {"tray_icon_hint",
     [](BindingFixture &f, TForm *) -> QObject * {
         auto *t = static_cast<ClientProperty &>(f).Make<QSystemTrayIcon>();
         t->setToolTip(u"Instalátor"_s);
         return t;
     },
     1,
     {},
     u"Instalátor"_s,
     [](QObject *c) { return static_cast<QSystemTrayIcon *>(c)->toolTip(); }},
    {"menu_bar_item_without_component", makeMenuBar, 102, u"Otevřít,Caption"_s, u"&Otevřít"_s,
     menuBarItem},
};

TEST_P(ClientProperty, CollectsAndAppliesTheText)
{
    const Case &row = GetParam();
    QObject *component = row.make(*this, form.get());
    const QString translation = u"TT "_s + row.design;
    WriteTestish({ComponentLine(row.property, translation, row.component, row.owner, row.addr)});
    TWordmillClient *client = NewClient();
    if (row.stringProp)
        client->SetTransStringProp(row.stringProp);
    if (row.structuredProp)
        client->SetTransStructuredProp(row.structuredProp);
    client->SetWordmillEngine(engine);

    EXPECT_EQ(client->DesignStruct.GetString(row.component, row.owner, row.property, row.addr),
              row.design);
    engine->Translate(u"Testish"_s);
    EXPECT_EQ(row.read(component), translation);
    engine->Translate(u"čeština"_s);
    EXPECT_EQ(row.read(component), row.design);
    // The later switches replay what the first one resolved.
    engine->Translate(u"Testish"_s);
    EXPECT_EQ(row.read(component), translation);
}

INSTANTIATE_TEST_SUITE_P(MappedClasses, ClientProperty, testing::ValuesIn(cases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
