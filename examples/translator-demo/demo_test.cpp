#include "DemoWindow.h"
#include "TestPrinters.h"

#include <wordmill/comp/LangCombo.h>
#include <wordmill/comp/WordmillEngine.h>
#include <wordmill/core/ResourcesTranslator.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void deliverLanguageChange()
{
    // posted to the application, then by it to every window
    QApplication::sendPostedEvents();
    QApplication::sendPostedEvents();
}

struct LanguageCase
{
    const char *name;
    QString request;
    QString title;
    QString cancel;  // message box button
    QString discard; // button box button
    QString paste;   // line edit context menu
};

void PrintTo(const LanguageCase &c, std::ostream *os)
{
    *os << c.name;
}

class DemoLanguages : public testing::TestWithParam<LanguageCase>
{
};

TEST_P(DemoLanguages, WindowMessageBoxAndContextMenuFollowTheLanguage)
{
    const LanguageCase &c = GetParam();
    DemoWindow window;
    // every text the window and Qt show was found in the .ts file
    EXPECT_GE(window.Translator()->RegisteredStrings(), 20);
    window.Engine()->SetCurrentLanguage(c.request);
    deliverLanguageChange();
    QMessageBox *box = window.ShowMessage();
    EXPECT_EQ(window.windowTitle(), c.title);
    EXPECT_EQ(box->button(QMessageBox::Cancel)->text(), c.cancel);
    EXPECT_EQ(window.Buttons()->button(QDialogButtonBox::Discard)->text(), c.discard);
    std::unique_ptr<QMenu> menu(window.Edit()->createStandardContextMenu());
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << action->text().section(u'\t', 0, 0);
    EXPECT_TRUE(texts.contains(c.paste)) << texts.join(u", "_s).toStdString();
    box->close();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DemoLanguages,
    testing::Values(LanguageCase{"English", u"English"_s, u"Wordmill translator demo"_s,
                                 u"Cancel"_s, u"Discard"_s, u"&Paste"_s},
                    LanguageCase{"German", u"de"_s, u"Wordmill-Übersetzer-Demo"_s, u"Abbrechen"_s,
                                 u"Verwerfen"_s, u"Einf&ügen"_s},
                    LanguageCase{"Czech", u"cs"_s, u"Ukázka překladače Wordmill"_s, u"Zrušit"_s,
                                 u"Zahodit"_s, u"V&ložit"_s}),
    [](const testing::TestParamInfo<LanguageCase> &info) { return std::string(info.param.name); });

TEST(Demo, SwitchingBackShowsTheDesignTextsAgain)
{
    DemoWindow window;
    window.Engine()->SetCurrentLanguage(u"de"_s);
    deliverLanguageChange();
    window.Engine()->SetCurrentLanguage(u"English"_s);
    deliverLanguageChange();
    EXPECT_EQ(window.Buttons()->button(QDialogButtonBox::Save)->text(), u"Save"_s);
    EXPECT_EQ(window.windowTitle(), u"Wordmill translator demo"_s);
}

} // namespace
