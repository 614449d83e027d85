#include <wordmill/sys/ComponentStructure.h>
#include <wordmill/sys/PropertyNames.h>

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;
using namespace wordmill;

struct NameCase
{
    friend void PrintTo(const NameCase &c, std::ostream *os) { *os << c.name; }

    const char *name;
    int number;
    QString expected;
};

class PropertyTypeNames : public testing::TestWithParam<NameCase>
{
};

TEST_P(PropertyTypeNames, NameOfNumber)
{
    const NameCase &c = GetParam();
    EXPECT_EQ(PropertyTypeName(c.number, {u"Extra0"_s, u"Extra1"_s}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    PropertyNames, PropertyTypeNames,
    testing::Values(
        NameCase{"Caption", 0, u"Caption"_s}, NameCase{"Prompt", 20, u"Prompt"_s},
        NameCase{"GapAfterStrings", 21, QString()}, NameCase{"Lines", 32, u"Lines"_s},
        NameCase{"AutoCompleteList", 42, u"AutoCompleteList"_s},
        NameCase{"GapAfterLists", 63, QString()}, NameCase{"Panels", 64, u"Panels"_s},
        NameCase{"KeyCaptions", 80, u"KeyCaptions"_s}, NameCase{"Filter", 96, u"Filter"_s},
        NameCase{"EmptyOther", 102, QString()}, NameCase{"WebOptions", 109, u"WebOptions"_s},
        NameCase{"LastGap", 127, QString()}, NameCase{"AboveGroups", 128, u"Unknown"_s},
        NameCase{"BelowSubItems", 499, u"Unknown"_s}, NameCase{"Header", 500, u"Header"_s},
        NameCase{"EmptySubItem", 519, QString()},
        NameCase{"ServerMessages", 520, u"ServerMessages"_s},
        NameCase{"UnknownSubItem", 521, u"Unknown"_s}, NameCase{"AboveSubItems", 522, u"Unknown"_s},
        NameCase{"FirstAddition", 1000, u"Extra0"_s}, NameCase{"SecondAddition", 1001, u"Extra1"_s},
        NameCase{"BeyondAdditions", 1002, u"Unknown"_s}, NameCase{"Negative", -1, u"Unknown"_s}),
    [](const auto &info) { return std::string(info.param.name); });

struct PathCase
{
    friend void PrintTo(const PathCase &c, std::ostream *os) { *os << c.name; }

    const char *name;
    QString key;
    QString expected;
};

class PropertyPaths : public testing::TestWithParam<PathCase>
{
};

TEST_P(PropertyPaths, PathShownToTheTranslator)
{
    const PathCase &c = GetParam();
    TComponentStructure s;
    s.AddLine(TSimpleStructLine{c.key, u"t"_s, 0, 1});
    EXPECT_EQ(s.GetPropertyName(0, {u"Unknown"_s}), c.expected);
    EXPECT_EQ(PropertyPathOf(c.key, {u"Unknown"_s}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    PropertyNames, PropertyPaths,
    testing::Values(
        PathCase{"PlainProperty", u"Button1@Form1#0["_s, u"Caption"_s},
        PathCase{"NoBracket", u"Button1@Form1#1"_s, u"Hint"_s},
        PathCase{"ListItem", u"ListBox1@Form1#33[5"_s, u"Items.Item[5]"_s},
        PathCase{"NestedItemCaption", u"Cat@Form1#66[2,3.0"_s, u"Category[2].Item[3].Caption"_s},
        PathCase{"SubItemName", u"LV@Form1#70[1.500"_s, u"Groups[1].Header"_s},
        PathCase{"SubItemAbove520IsUnknown", u"LV@Form1#70[1.900"_s, u"Groups[1].Unknown"_s},
        PathCase{"Sub499CountsAsAbsent", u"LV@Form1#70[1.499"_s, u"Groups.Item[1]"_s},
        PathCase{"SafeName", u"Menu@Form1#0[Menu:File"_s, u"Caption.Menu.File"_s},
        PathCase{"SafeNameWithEquals", u"V@Form1#0[Key=Value"_s, u"Caption.Key Value"_s},
        PathCase{"IndexWithSafeSubName", u"V@Form1#64[3.Status:Bar"_s, u"Panels[3].Status.Bar"_s},
        PathCase{"SafeNameAfterEmptyName", u"V@Form1#102[Name"_s, u"Name"_s},
        PathCase{"NonNumericSegmentWithoutLetter", u"V@Form1#33[-,2"_s, u"Items.Item[2]"_s},
        PathCase{"TrailingComma", u"V@Form1#33[4,"_s, u"Items.Item[4]"_s},
        PathCase{"UnreadableNumber", u"x@F#abc[2"_s, u"Unknown.Item[2]"_s},
        PathCase{"AdditionFromCallerList", u"x@F#1000["_s, u"Unknown"_s},
        PathCase{"AdditionBeyondList", u"x@F#1001[1"_s, u"Unknown.Item[1]"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PropertyNames, OutsideTheStructureThereIsNoPath)
{
    TComponentStructure s;
    EXPECT_EQ(s.GetPropertyName(0, {}), QString());
}
