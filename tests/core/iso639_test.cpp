#include <wordmill/WordmillISO.h>

#include "TestPrinters.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

TEST(ISO639, TableShapeAndOrder)
{
    const QStringList &Entries = ISO639Entries();
    ASSERT_EQ(Entries.size(), 186);
    EXPECT_EQ(Entries.first(), u"ab - Abkhazian"_s);
    EXPECT_EQ(Entries.at(29), u"ny - Chewa"_s);
    EXPECT_EQ(Entries.at(37), u"cs - Czech"_s);
    EXPECT_EQ(Entries.at(52), u"lg - Ganda"_s);
    EXPECT_EQ(Entries.at(53), u"gd - Gaelic"_s);
    EXPECT_EQ(Entries.at(117), u"nb - Norwegian Bokmål"_s);
    EXPECT_EQ(Entries.at(119), u"ny - Nyanja"_s);
    EXPECT_EQ(Entries.at(176), u"vo - Volapük"_s);
    EXPECT_EQ(Entries.last(), u"zu - Zulu"_s);

    const QRegularExpression Shape(u"^[a-z]{2} - \\S.*\\S$"_s);
    QSet<QString> Codes;
    for (const QString &Entry : Entries) {
        EXPECT_TRUE(Shape.match(Entry).hasMatch()) << Entry.toStdString();
        Codes.insert(Entry.left(2));
    }
    EXPECT_EQ(Codes.size(), 185) << "only ny occurs twice";
}

struct CodeCase
{
    friend void PrintTo(const CodeCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Code;
    QString Expected;
};

class NameForCodeTest : public testing::TestWithParam<CodeCase>
{
};

TEST_P(NameForCodeTest, Looks)
{
    EXPECT_EQ(NameForCode(GetParam().Code), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(ISO639, NameForCodeTest,
                         testing::Values(CodeCase{"TrimmedUpperCase", u" EN "_s, u"English"_s},
                                         CodeCase{"FirstOfTwoEntries", u"ny"_s, u"Chewa"_s},
                                         CodeCase{"LowerCaseName", u"la"_s, u"latin"_s},
                                         CodeCase{"CommaInName", u"ro"_s, u"Romanian, Moldavian"_s},
                                         CodeCase{"LastEntry", u"zu"_s, u"Zulu"_s},
                                         CodeCase{"ThreeLetters", u"eng"_s, QString()},
                                         CodeCase{"OneLetter", u"e"_s, QString()},
                                         CodeCase{"NotInTable", u"xx"_s, QString()},
                                         CodeCase{"EntryIsNoCode", u"cs - Czech"_s, QString()},
                                         CodeCase{"Empty", QString(), QString()}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

class NameOfEntryTest : public testing::TestWithParam<CodeCase>
{
};

TEST_P(NameOfEntryTest, Splits)
{
    EXPECT_EQ(NameOfEntry(GetParam().Code), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(ISO639, NameOfEntryTest,
                         testing::Values(CodeCase{"Entry", u"cs - Czech"_s, u"Czech"_s},
                                         CodeCase{"CommaInName", u"ro - Romanian, Moldavian"_s,
                                                  u"Romanian, Moldavian"_s},
                                         CodeCase{"OnlyFirstDashSplits", u"lu - Luba-Katanga"_s,
                                                  u"Luba-Katanga"_s},
                                         CodeCase{"AnyText", u"en-GB"_s, u"GB"_s},
                                         CodeCase{"DashFirst", u"-x"_s, QString()},
                                         CodeCase{"DashLast", u"x-"_s, QString()},
                                         CodeCase{"DashBeforeOnlySpaces", u"x- \t"_s, QString()},
                                         CodeCase{"NoDash", u"Czech"_s, QString()}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

} // namespace
