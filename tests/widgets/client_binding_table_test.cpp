// A client resolves its components once and replays that on later switches.
// These cases change the form between switches in the ways applications do
// and check that every switch still ends where a full pass would.

#include "BindingFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include <functional>

using namespace binding_test;
using namespace wordmill;

namespace {

class BindingTable : public BindingFixture
{
protected:
    void SetUp() override
    {
        BindingFixture::SetUp();
        label = Add<QLabel>(u"Label1"_s);
        label->setText(u"Jméno"_s);
        edit = Add<QLineEdit>(u"Edit1"_s);
        edit->setText(u"Hodnota"_s);
        list = Add<QListWidget>(u"List1"_s);
        list->addItems({u"první"_s, u"druhá"_s});
        button = Add<QPushButton>(u"Button1"_s);
        button->setText(u"Zavřít"_s);
        WriteTestish({
            ComponentLine(0, u"TT Jméno"_s, u"Label1"_s, u"Form1"_s),
            ComponentLine(5, u"TT Hodnota"_s, u"Edit1"_s, u"Form1"_s),
            ComponentLine(33, u"TT první"_s, u"List1"_s, u"Form1"_s, u"0"_s),
            ComponentLine(33, u"TT druhá"_s, u"List1"_s, u"Form1"_s, u"1"_s),
            ComponentLine(33, u"TT třetí"_s, u"List1"_s, u"Form1"_s, u"2"_s),
            ComponentLine(0, u"TT Zavřít"_s, u"Button1"_s, u"Form1"_s),
            ComponentLine(0, u"TT Nové"_s, u"Button2"_s, u"Form1"_s),
            ComponentLine(1, u"TT tip bez návrhu"_s, u"Label1"_s, u"Form1"_s),
            ComponentLine(1, u"TT Uloží"_s, u"Button1"_s, u"Form1"_s),
        });
        button->setToolTip(u"Uloží"_s);
        client = NewClient();
        client->SetWordmillEngine(engine);
        // The first switch builds the table, the second replays if.
        engine->Translate(u"Testish"_s);
        engine->Translate(u"čeština"_s);
    }

public:
    template <typename W> W *Make(const QString &Name) { return Add<W>(Name); }
    TForm *Form() const { return form.get(); }

    QStringList Texts() const
    {
        QStringList texts{label->text(), edit->text(), button->text(), button->toolTip()};
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }

    QLabel *label = nullptr;
    QLineEdit *edit = nullptr;
    QListWidget *list = nullptr;
    QPushButton *button = nullptr;
    TWordmillClient *client = nullptr;
};

TEST_F(BindingTable, EverySwitchEndsWhereAFullPassWould)
{
    const QStringList design{u"Jméno"_s, u"Hodnota"_s, u"Zavřít"_s,
                             u"Uloží"_s, u"první"_s,   u"druhá"_s};
    const QStringList testish{u"TT Jméno"_s, u"TT Hodnota"_s, u"TT Zavřít"_s,
                              u"TT Uloží"_s, u"TT první"_s,   u"TT druhá"_s};
    EXPECT_EQ(Texts(), design);
    for (int round = 0; round < 2; ++round) {
        engine->Translate(u"Testish"_s);
        EXPECT_EQ(Texts(), testish);
        engine->Translate(u"čeština"_s);
        EXPECT_EQ(Texts(), design);
    }
    // A tool tip nobody collected is not looked up: the label has none
    // although the file holds one for if.
    engine->Translate(u"Testish"_s);
    EXPECT_TRUE(label->toolTip().isEmpty());
}

// Changes an application makes between two switches.
struct FormChange
{
    const char *name;
    std::function<void(BindingTable &)> change;
    std::function<void(BindingTable &)> check;

    friend void PrintTo(const FormChange &c, std::ostream *os) { *os << c.name; }
};

class BindingTableChanges : public BindingTable, public testing::WithParamInterface<FormChange>
{
};

const FormChange formChanges[] = {
    {"text_set_by_the_application", [](BindingTable &f) { f.label->setText(u"Stav"_s); },
     [](BindingTable &f) { EXPECT_EQ(f.label->text(), u"TT Jméno"_s); }},
    {"item_added_to_a_list", [](BindingTable &f) { f.list->addItem(u"třetí"_s); },
     [](BindingTable &f) { EXPECT_EQ(f.list->item(2)->text(), u"TT třetí"_s); }},
    {"item_removed_from_a_list", [](BindingTable &f) { delete f.list->takeItem(1); },
     [](BindingTable &f) {
         ASSERT_EQ(f.list->count(), 1);
         EXPECT_EQ(f.list->item(0)->text(), u"TT první"_s);
     }},
    {"component_renamed",
     [](BindingTable &f) {
         f.button->setObjectName(u"Button2"_s);
         f.button->setText(u"Nové"_s);
     },
     [](BindingTable &f) { EXPECT_EQ(f.button->text(), u"TT Nové"_s); }},
    {"component_created_without_AddComponent",
     [](BindingTable &f) { f.Make<QPushButton>(u"Button2"_s)->setText(u"Nové"_s); },
     [](BindingTable &f) {
         auto *made = f.Form()->findChild<QPushButton *>(u"Button2"_s);
         ASSERT_TRUE(made);
         EXPECT_EQ(made->text(), u"TT Nové"_s);
     }},
    {"component_destroyed", [](BindingTable &f) { delete f.edit; },
     [](BindingTable &f) { EXPECT_EQ(f.label->text(), u"TT Jméno"_s); }},
    {"write_that_destroys_a_later_component",
     [](BindingTable &f) {
         const QPointer<QListWidget> victim = f.list;
         QObject::connect(f.edit, &QLineEdit::textChanged, f.button,
                          [victim] { delete victim.data(); });
     },
     [](BindingTable &f) {
         EXPECT_EQ(f.edit->text(), u"TT Hodnota"_s);
         EXPECT_EQ(f.button->text(), u"TT Zavřít"_s);
     }},
    {"write_that_rebuilds_the_structure",
     [](BindingTable &f) {
         QObject::connect(f.edit, &QLineEdit::textChanged, f.button, [&f] {
             auto *late = f.Make<QLabel>(u"Late1"_s);
             late->setText(u"Pozdě"_s);
             f.client->AddComponent(late, QString(), false);
         });
     },
     [](BindingTable &f) {
         EXPECT_EQ(f.edit->text(), u"TT Hodnota"_s);
         EXPECT_EQ(f.button->text(), u"TT Zavřít"_s);
         EXPECT_EQ(f.list->item(1)->text(), u"TT druhá"_s);
     }},
};

TEST_P(BindingTableChanges, TheNextSwitchSeesTheChange)
{
    GetParam().change(*this);
    engine->Translate(u"Testish"_s);
    GetParam().check(*this);
}

INSTANTIATE_TEST_SUITE_P(Changes, BindingTableChanges, testing::ValuesIn(formChanges),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
