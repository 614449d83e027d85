#include "Unit1.h"

#include "Form1Fixture.h"
#include "LogCapture.h"
#include "TestPrinters.h"
#include "fce_import_so.h"
#include <wordmill/comp/LangCombo.h>
#include <wordmill/comp/WordmillEngine.h>
#include <wordmill/core/LangCoreData.h>
#include <wordmill/sys/Descent.h>
#include <wordmill/sys/DisplayText.h>

using namespace Qt::StringLiterals;

namespace {

// The window's captions in both languages (control, Czech, English).
struct Caption
{
    const char *control;
    QString czech;
    QString english;
};

const Caption captions[] = {
    {"pokracovatb", u"pokračovat"_s, u"continue"_s},
    {"konecb", u"konec"_s, u"close"_s},
    {"instalovat1b", u"stáhnout a nainstalovat chybějící součásti"_s,
     u"Download and install the missing component."_s},
    {"instalovat2b", u"stáhnout a instalovat databázi MS SQL 2012 LocalDB"_s,
     u"Download and install the database MS SQL 2012 LocalDB"_s},
    {"instalovat3b", u"stáhnout a instalovat program Corvane"_s,
     u"Download and install the program Corvane"_s},
    {"zrusitb", u"zrušit stahování"_s, u"cancel downloading"_s},
};

class Form1Language : public Form1Fixture
{
protected:
    void StartIn(const QByteArray &code)
    {
        machine->SetAdministrator(true);
        machine->SetLocaleInfo(corvane::LocaleIso639LangName, code);
        Form();
    }

    wordmill::TLangCombo *Combo() { return Control<wordmill::TLangCombo>(u"LangCombo1"_s); }

    void Pick(const QString &language)
    {
        wordmill::TLangCombo *combo = Combo();
        const int index = combo->findText(language, Qt::MatchExactly);
        ASSERT_GE(index, 0) << qPrintable(language);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    void ExpectEnglish(bool english)
    {
        EXPECT_EQ(Form().windowTitle(), english ? u"Local installation of program Corvane"_s
                                                : u"Lokální instalace programu Corvane"_s);
        for (const Caption &c : captions)
            EXPECT_EQ(Button(QString::fromLatin1(c.control))->text(), english ? c.english : c.czech)
                << c.control;
        EXPECT_EQ(
            Control<QLabel>(u"Label1"_s)->text(),
            english ? u"The missing components for the operation of database MS SQL 2012 LocalDB:"_s
                    : u"Chybějící součásti pro provoz  lokální databáze MS SQL LocalDB:"_s);
        EXPECT_EQ(Control<QLabel>(u"Label2"_s)->text(), u"1."_s);
        EXPECT_EQ(Memo(u"Memo1"_s)->toPlainText(), Item(0));
        EXPECT_EQ(Combo()->currentText(), english ? u"english"_s : u"čeština"_s);
    }
};

TEST_F(Form1Language, StartsInTheSystemLocalesLanguage)
{
    StartIn("en");
    ExpectEnglish(true);
    EXPECT_TRUE(Item(0).startsWith(u"This is installation program"_s));
    // The languages followed by the two editor entries.
    EXPECT_EQ(Combo()->count(), 4);
    EXPECT_EQ(Combo()->itemText(0), u"čeština"_s);
    EXPECT_EQ(Combo()->itemText(1), u"english"_s);
}

TEST_F(Form1Language, StartsInTheDesignLanguageWithoutAMatchingLanguage)
{
    StartIn("de");
    ExpectEnglish(false);
    EXPECT_TRUE(Item(0).startsWith(u"Instalační program"_s));
}

TEST_F(Form1Language, TheComboBoxSwitchesCaptionsAndDescriptionButNotTheList)
{
    StartIn("cs");
    ExpectEnglish(false);
    Memo(u"Memo2"_s)->setPlainText(u"Net Framework 4.0.2\nSQL Native Client 11 64bit"_s);

    Pick(u"english"_s);
    ExpectEnglish(true);
    EXPECT_EQ(Memo(u"Memo2"_s)->toPlainText(),
              u"Net Framework 4.0.2\nSQL Native Client 11 64bit"_s);

    Pick(u"čeština"_s);
    ExpectEnglish(false);
    EXPECT_EQ(Memo(u"Memo2"_s)->toPlainText(),
              u"Net Framework 4.0.2\nSQL Native Client 11 64bit"_s);
}

TEST_F(Form1Language, AHugeDescriptionIsCutForTheWindow)
{
    StartIn("en");
    // A language whose description is one unbroken word of a million characters.
    Control<wordmill::TWordmillEngine>(u"WordmillEngine1"_s)
        ->LData()
        ->DataLexicon.WriteItem(u"Form1.Lexicon1"_s, 0, QString(1024 * 1024, u'x'),
                                wordmill::DescentOwn);
    LogCapture log;
    Form().WordmillEngine1ChangeLanguage(nullptr);
    EXPECT_EQ(Memo(u"Memo1"_s)->toPlainText(), QString(wordmill::MaxDisplayTextLength, u'x'));
    EXPECT_EQ(log.Warnings().size(), 1);
}

} // namespace
