#include "LanguageFiles.h"
#include "TestEngine.h"
#include "TestPrinters.h"
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/toolkit/Form.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

// A label that shows an application text and retranslates it on a
// language change, the way a window built with tr() does.
class GreetingLabel : public QLabel
{
public:
    GreetingLabel() { Retranslate(); }
    void Retranslate() { setText(QCoreApplication::translate("Greeting", "Good morning")); }

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            Retranslate();
        QLabel::changeEvent(event);
    }
};

QStringList menuTexts(QLineEdit &edit)
{
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(u'\t', 0, 0);
    return texts;
}

class QtTextsTranslated : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form.setObjectName(u"QtTexts"_s);
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
        for (const QString &text :
             {u"OK"_s, u"Cancel"_s, u"&Undo"_s, u"Select All"_s, u"Good morning"_s})
            translator->RegisterResourceString(text);
        ASSERT_TRUE(WriteLanguageFile(
            dir.filePath(u"de.lng"_s),
            {u"[LANGUAGE_FILE]"_s, LanguageHeader(u"Deutsch"_s, u"\t%CODE=de;"_s),
             u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s,
             u"0\t%LEXICON_NAME=QtTexts.Translator1;"_s, u"0\t\"Cancel\""_s, u"0\t\"Abbrechen\""_s,
             u"1\t\"&Undo\""_s, u"1\t\"&Rückgängig\""_s, u"2\t\"Select All\""_s,
             u"2\t\"Alles auswählen\""_s, u"3\t\"Good morning\""_s, u"3\t\"Guten Morgen\""_s}));
        SetComponentLoading(&form, false);
        engine->Loaded();
        translator->Loaded();
    }

    QTemporaryDir dir;
    TDataModule form;
    TestEngine *engine = nullptr;
    TCustomResourcesTranslator *translator = nullptr;
};

TEST_F(QtTextsTranslated, DialogButtonsContextMenuAndApplicationTextsFollowTheSwitch)
{
    QMessageBox box(QMessageBox::Question, u"Title"_s, u"Text"_s,
                    QMessageBox::Ok | QMessageBox::Cancel);
    GreetingLabel label;
    QLineEdit edit(u"text"_s);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), u"Cancel"_s);
    EXPECT_EQ(label.text(), u"Good morning"_s);

    engine->Translate(u"de"_s);
    QApplication::sendPostedEvents(); // the language change reaches the widgets
    QApplication::sendPostedEvents();
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), u"Abbrechen"_s);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), u"OK"_s); // known, not translated
    EXPECT_EQ(label.text(), u"Guten Morgen"_s);
    const QStringList menu = menuTexts(edit);
    EXPECT_TRUE(menu.contains(u"&Rückgängig"_s)) << menu.join(u", "_s).toStdString();
    EXPECT_TRUE(menu.contains(u"Alles auswählen"_s));
    EXPECT_TRUE(menu.contains(u"Cu&t"_s)); // unknown to the translator

    engine->Translate(u"English"_s);
    QApplication::sendPostedEvents();
    QApplication::sendPostedEvents();
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), u"Cancel"_s);
    EXPECT_EQ(label.text(), u"Good morning"_s);
}

} // namespace
