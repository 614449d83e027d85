#include "BindingFixture.h"
#include "LogCapture.h"

#include <QLabel>
#include <QPlainTextEdit>

using namespace binding_test;
using namespace wordmill;

namespace {

class LongTexts : public BindingFixture
{
};

TEST_F(LongTexts, TextsWrittenIntoWidgetsAreCutWithAWarning)
{
    auto *label = Add<QLabel>(u"Label1"_s);
    label->setText(u"Ahoj"_s);
    auto *memo = Add<QPlainTextEdit>(u"Memo1"_s);
    memo->setPlainText(u"Úvod"_s);
    // One unbroken word of a million characters.
    const QString word(1024 * 1024, u'x');
    WriteTestish({ComponentLine(0, word, u"Label1"_s, u"Form1"_s),
                  ComponentLine(32, word, u"Memo1"_s, u"Form1"_s, u"0"_s)});
    NewClient()->SetWordmillEngine(engine);

    LogCapture log;
    engine->Translate(u"Testish"_s);

    EXPECT_EQ(label->text(), word.left(MaxDisplayTextLength));
    EXPECT_EQ(memo->toPlainText(), word.left(MaxDisplayTextLength));
    ASSERT_EQ(log.Warnings().size(), 2) << qPrintable(log.Warnings().join(u'\n'));
    EXPECT_TRUE(
        log.Warnings().at(0).startsWith(u"wordmill: The text for Label1 has 1048576 characters"_s))
        << qPrintable(log.Warnings().at(0));
    EXPECT_TRUE(log.Warnings().at(1).contains(u"Memo1"_s));
}

TEST(DisplayText, IsCutOnlyWhenTooLongAndNeverInsideASurrogatePair)
{
    EXPECT_EQ(CapDisplayText(u"short"_s, u"x"_s), u"short"_s);
    const QString exact(MaxDisplayTextLength, u'a');
    EXPECT_EQ(CapDisplayText(exact, u"x"_s), exact);
    // A character outside the basic plane straddling the limit is left out whole.
    const QString straddling = QString(MaxDisplayTextLength - 1, u'a') + u"😀b"_s;
    EXPECT_EQ(CapDisplayText(straddling, u"x"_s), QString(MaxDisplayTextLength - 1, u'a'));
}

} // namespace
