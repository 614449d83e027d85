#include "Unit1.h"

#include "Form1Fixture.h"
#include "fce_import_so.h"
#include "TestPrinters.h"

#include <QApplication>
#include <QFont>

using namespace Qt::StringLiterals;

namespace {

class Form1WindowTest : public Form1Fixture
{
};

struct ControlCase
{
    const char *name;
    const char *className;
    QRect geometry;
    bool enabled;
    const char16_t *text; // nullptr: the control has no caption
    friend void PrintTo(const ControlCase &c, std::ostream *os) { *os << c.name; }
};

class ControlTest : public Form1Fixture, public testing::WithParamInterface<ControlCase>
{
};

QString TextOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
        return memo->toPlainText();
    if (auto *bar = qobject_cast<QStatusBar *>(widget))
        return bar->currentMessage();
    return QString();
}

TEST_P(ControlTest, StartsAsDesigned)
{
    const ControlCase &c = GetParam();
    machine->SetAdministrator(true);
    machine->SetLocaleInfo(corvane::LocaleIso639LangName, "cs"); // the design language
    auto *widget = Control<QWidget>(QString::fromLatin1(c.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), c.className);
    EXPECT_EQ(widget->geometry(), c.geometry);
    EXPECT_EQ(widget->isEnabled(), c.enabled);
    EXPECT_TRUE(widget->isVisible());
    if (c.text)
        EXPECT_EQ(TextOf(widget), QString::fromUtf16(c.text));
}

const ControlCase controlCases[] = {
    {"Label1",
     "QLabel",
     {8, 186, 546, 13},
     true,
     u"Chybějící součásti pro provoz  lokální databáze MS SQL LocalDB:"},
    {"Label2", "QLabel", {4, 279, 20, 25}, true, u"1."},
    {"Label3", "QLabel", {4, 313, 20, 25}, true, u"2."},
    {"Label4", "QLabel", {4, 352, 20, 25}, true, u"3."},
    {"Memo1", "QPlainTextEdit", {0, 0, 594, 141}, true, nullptr},
    {"pokracovatb", "QPushButton", {8, 155, 111, 25}, true, u"pokračovat"},
    {"konecb", "QPushButton", {479, 352, 75, 25}, true, u"konec"},
    {"Memo2", "QPlainTextEdit", {4, 202, 550, 71}, true, u""},
    {"sb1", "QStatusBar", {0, 406, 594, 19}, true, u""},
    {"pb1", "QProgressBar", {0, 393, 594, 13}, true, nullptr},
    {"instalovat1b",
     "QPushButton",
     {36, 279, 315, 25},
     false,
     u"stáhnout a nainstalovat chybějící součásti"},
    {"instalovat2b",
     "QPushButton",
     {36, 313, 315, 25},
     false,
     u"stáhnout a instalovat databázi MS SQL 2012 LocalDB"},
    {"instalovat3b",
     "QPushButton",
     {36, 352, 315, 25},
     false,
     u"stáhnout a instalovat program Corvane"},
    {"zrusitb", "QPushButton", {428, 313, 126, 25}, false, u"zrušit stahování"},
};

INSTANTIATE_TEST_SUITE_P(Controls, ControlTest, testing::ValuesIn(controlCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Form1WindowTest, IsAFixedCentredWindowWithoutMaximiseButton)
{
    machine->SetLocaleInfo(corvane::LocaleIso639LangName, "cs"); // the design language
    TForm1 &window = Form();
    EXPECT_EQ(window.objectName(), u"Form1"_s);
    EXPECT_EQ(window.windowTitle(), u"Lokální instalace programu Corvane"_s);
    EXPECT_EQ(window.size(), QSize(594, 425));
    EXPECT_EQ(window.minimumSize(), QSize(594, 425));
    EXPECT_EQ(window.maximumSize(), QSize(594, 425));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window.font().family(), u"Tahoma"_s);
    EXPECT_EQ(window.font().pixelSize(), 11);
}

TEST_F(Form1WindowTest, ControlsCarryTheirDesignedSettings)
{
    for (const char16_t *label : {u"Label2", u"Label3", u"Label4"}) {
        const QFont font = Control<QLabel>(QString::fromUtf16(label))->font();
        EXPECT_EQ(font.pixelSize(), 21);
        EXPECT_TRUE(font.bold());
    }
    QPlainTextEdit *memo1 = Memo(u"Memo1"_s);
    EXPECT_TRUE(memo1->isReadOnly());
    EXPECT_EQ(memo1->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(memo1->font().pixelSize(), 12);
    EXPECT_EQ(memo1->focusPolicy(), Qt::ClickFocus);
    QPlainTextEdit *memo2 = Memo(u"Memo2"_s);
    EXPECT_FALSE(memo2->isReadOnly());
    EXPECT_EQ(memo2->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(memo2->font().pixelSize(), 11);

    QProgressBar *bar = ProgressBar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(Form1WindowTest, TabKeyWalksTheControlsInDesignedOrder)
{
    const QStringList designed = {u"pokracovatb"_s,  u"instalovat1b"_s, u"instalovat2b"_s,
                                  u"instalovat3b"_s, u"zrusitb"_s,      u"konecb"_s,
                                  u"Memo1"_s,        u"Memo2"_s,        u"pb1"_s};
    QStringList chain;
    QWidget *start = Button(u"pokracovatb"_s);
    QWidget *w = start;
    do {
        if (designed.contains(w->objectName()))
            chain.append(w->objectName());
        w = w->nextInFocusChain();
    } while (w && w != start);
    EXPECT_EQ(chain, designed);
}

TEST_F(Form1WindowTest, AlignedBarsFollowTheWindowsBottomEdge)
{
    // The bars keep to the bottom edge and the memo to the top edge, with the
    // status bar below the progress bar, even when the window changes size.
    TForm1 &window = Form();
    window.setFixedSize(700, 500);
    EXPECT_EQ(StatusBar()->geometry(), QRect(0, 481, 700, 19));
    EXPECT_EQ(ProgressBar()->geometry(), QRect(0, 468, 700, 13));
    EXPECT_EQ(Memo(u"Memo1"_s)->geometry(), QRect(0, 0, 700, 141));
}

TEST_F(Form1WindowTest, LexiconHoldsTheDesignedMessages)
{
    machine->SetLocaleInfo(corvane::LocaleIso639LangName, "cs");
    auto *lexicon = Control<wordmill::TDesignedLexicon>(u"Lexicon1"_s);
    ASSERT_EQ(lexicon->Items().size(), 24);
    EXPECT_EQ(lexicon->Items().last(), QString());
    EXPECT_EQ(Item(1), u"Pro instalaci je třeba program spustit pod účtem administrátora."_s);
    EXPECT_EQ(Item(2), u"Chyba instalace."_s);
    EXPECT_EQ(Item(5), u"stahuje se"_s);
    EXPECT_EQ(Item(6), u"s hlášením:"_s);
    EXPECT_EQ(Item(17), u"instalace byla dokončena"_s);
    EXPECT_EQ(Item(19), u"nevyhovuje požadavkům pro instalaci."_s);
    EXPECT_EQ(Item(21), u"instalátor databáze"_s);
    EXPECT_EQ(Item(22), u"Corvane"_s);
}

TEST_F(Form1WindowTest, DescriptionIsItemZero)
{
    machine->SetLocaleInfo(corvane::LocaleIso639LangName, "cs");
    EXPECT_TRUE(Item(0).startsWith(u"Instalační program pro lokální (jednouživatelskou"_s));
    EXPECT_EQ(Memo(u"Memo1"_s)->toPlainText(), Item(0));
}

// The window follows the system locale: English texts on an English system,
// the design texts where no language matches.
TEST_F(Form1WindowTest, StartsInTheSystemLanguage)
{
    machine->SetLocaleInfo(corvane::LocaleIso639LangName, "en");
    machine->SetAdministrator(false);
    EXPECT_TRUE(Memo(u"Memo1"_s)->toPlainText().startsWith(
        u"This is installation program for local (single-user, non-networked) version"_s));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first(), (ShownBox{u"The installation program must be run under an "
                                       u"administrator account."_s,
                                       u"Setup Error."_s, QMessageBox::Critical}));
}

TEST_F(Form1WindowTest, UnknownSystemLanguageKeepsTheDesignLanguage)
{
    machine->SetLocaleInfo(corvane::LocaleIso639LangName, "de");
    EXPECT_TRUE(Memo(u"Memo1"_s)->toPlainText().startsWith(u"Instalační program"_s));
}

TEST_F(Form1WindowTest, LanguageChangeRefillsTheDescription)
{
    Memo(u"Memo1"_s)->setPlainText(u"stale"_s);
    Memo(u"Memo2"_s)->setPlainText(u"a list"_s);
    QMetaObject::invokeMethod(&Form(), "WordmillEngine1ChangeLanguage", Q_ARG(QObject *, nullptr));
    EXPECT_EQ(Memo(u"Memo1"_s)->toPlainText(), Item(0));
    EXPECT_EQ(Memo(u"Memo2"_s)->toPlainText(), u"a list"_s);
}

TEST_F(Form1WindowTest, AdministratorSeesNoMessage)
{
    machine->SetAdministrator(true);
    Form();
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(Form1WindowTest, NonAdministratorIsToldOnceAndTheWindowStillOpens)
{
    machine->SetAdministrator(false);
    Form();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first(), ItemBox(1, 2));
    EXPECT_TRUE(Form().isVisible());
    EXPECT_EQ(Memo(u"Memo1"_s)->toPlainText(), Item(0));
    EXPECT_EQ(Steps(), (std::array<bool, 3>{false, false, false}));
    EXPECT_TRUE(Button(u"pokracovatb"_s)->isEnabled());
}

TEST_F(Form1WindowTest, StepThreeIsOfferedWithoutInstalledApplication)
{
    EXPECT_TRUE(Control<QLabel>(u"Label4"_s)->isVisible());
    EXPECT_TRUE(Button(u"instalovat3b"_s)->isVisible());
}

TEST_F(Form1WindowTest, CloseButtonClosesTheWindow)
{
    Form();
    Click(u"konecb"_s);
    EXPECT_FALSE(Form().isVisible());
}

} // namespace
