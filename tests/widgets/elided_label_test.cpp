// The editor's one-line label of source texts.

#include <wordmill/editor/ElidedLabel.h>

#include "TestPrinters.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(ElidedLabel, ShowsTheTextInOneLineAndElidesItWhereItIsTooLong)
{
    wordmill::TElidedLabel label;
    label.resize(400, 20);
    label.show();
    label.SetFullText(u"First line\r\nsecond\nthird"_s);
    EXPECT_EQ(label.text(), u"First line second third"_s);
    EXPECT_EQ(label.toolTip(), QString()) << "no hint while the whole text shows";

    const QString longText = QString(u"word "_s).repeated(40).trimmed();
    label.SetFullText(longText);
    EXPECT_TRUE(label.text().endsWith(QChar(0x2026))) << label.text().toStdString();
    EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), label.contentsRect().width());
    EXPECT_EQ(label.toolTip(), longText);

    // Made wide enough, the label shows it whole again.
    label.resize(label.fontMetrics().horizontalAdvance(longText) + 10, 20);
    EXPECT_EQ(label.text(), longText);
    EXPECT_EQ(label.toolTip(), QString());
}

} // namespace
