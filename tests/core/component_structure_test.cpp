#include <wordmill/sys/ComponentStructure.h>
#include <wordmill/sys/LineID.h>

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

TSimpleStructLine Simple(const QString &key, const QString &text, quint16 descent = 0,
                         quint16 changeable = 1)
{
    return TSimpleStructLine{key, text, descent, changeable};
}

} // namespace

TEST(ComponentStructure, KeysAreSortedAndLookupIsCaseSensitive)
{
    TComponentStructure s;
    s.AddLine(Simple(u"b@F#0["_s, u"B"_s));
    s.AddLine(Simple(u"a@F#0["_s, u"A"_s));
    ASSERT_EQ(s.Count(), 2);
    EXPECT_EQ(s.LineID(0), u"a@F#0["_s);
    EXPECT_EQ(s.LineID(1), u"b@F#0["_s);
    EXPECT_EQ(s.Find(u"A@F#0["_s), -1);
    EXPECT_EQ(s.LastFoundIndex(), -1);
    EXPECT_EQ(s.FoundItem(), QString());
    EXPECT_EQ(s.Find(u"b@F#0["_s), 1);
    EXPECT_EQ(s.FoundItem(), u"B"_s);
    s.SetFoundItem(u"B2"_s);
    EXPECT_EQ(s.Translation(1), u"B2"_s);
    EXPECT_EQ(s.LineID(2), QString());
}

TEST(ComponentStructure, AddLineReplacesTheDataOfAPresentKey)
{
    TComponentStructure s;
    s.AddLine(TFullStructLine{u"konecb"_s, u"Form1"_s, u"close"_s, {}, 0, 0, 1});
    s.AddLine(Simple(u"konecb@Form1#0["_s, u"zavřít"_s, 3, 6));
    ASSERT_EQ(s.Count(), 1);
    EXPECT_EQ(s.Translation(0), u"zavřít"_s);
    EXPECT_EQ(s.Descent(0), 3);
    EXPECT_EQ(s.Changeable(0), 6);
}

TEST(ComponentStructure, FullLinesRoundTripThroughTheKey)
{
    TComponentStructure s;
    const TFullStructLine line{u"ListView1"_s, u"Form1"_s, u"text"_s, u"2,3.1"_s, 69, 1, 5};
    s.AddLine(line);
    EXPECT_EQ(s.LineID(0), u"ListView1@Form1#69[2,3.1"_s);
    const TFullStructLine back = s.GetFull(0);
    EXPECT_EQ(back.CompName, line.CompName);
    EXPECT_EQ(back.OwnerName, line.OwnerName);
    EXPECT_EQ(back.ItemAddr, line.ItemAddr);
    EXPECT_EQ(back.PropertyID, 69);
    EXPECT_EQ(back.Translation, line.Translation);
    EXPECT_EQ(back.Descent, 1);
    EXPECT_EQ(back.Changeable, 5);
    EXPECT_EQ(s.PropertyID(0), 69);
    EXPECT_EQ(s.ComponentName(0), u"ListView1"_s);
    EXPECT_EQ(s.Find(line), 0);
    EXPECT_EQ(s.Find(u"ListView1"_s, u"Form1"_s, 69, u"2,3.1"_s), 0);
    EXPECT_EQ(s.GetString(u"ListView1"_s, u"Form1"_s, 69, u"2,3.1"_s), u"text"_s);
    EXPECT_EQ(s.GetString(u"ListView1"_s, u"Form1"_s, 69, u"2,3"_s), QString());
}

TEST(ComponentStructure, ReadsOutsideTheListGiveEmptyValues)
{
    TComponentStructure s;
    s.AddLine(Simple(u"a@F#0["_s, u"A"_s));
    for (const int index : {-1, 1}) {
        const TSimpleStructLine simple = s.GetSimple(index);
        EXPECT_EQ(simple.LineID, QString());
        EXPECT_EQ(simple.Translation, QString());
        EXPECT_EQ(simple.Descent, 255);
        EXPECT_EQ(simple.Changeable, 0);
        const TFullStructLine full = s.GetFull(index);
        EXPECT_EQ(full.CompName, QString());
        EXPECT_EQ(full.PropertyID, 521);
        EXPECT_EQ(full.Descent, 255);
        EXPECT_EQ(full.Changeable, 0);
        EXPECT_EQ(s.Translation(index), QString());
        EXPECT_FALSE(s.ValidItem(index));
    }
}

TEST(ComponentStructure, UnreadablePropertyNumberReads521)
{
    TComponentStructure s;
    s.AddLine(Simple(u"x@F#abc[1"_s, u"t"_s));
    s.AddLine(Simple(u"y@F#70000["_s, u"t"_s));
    s.AddLine(Simple(u"z@F#-1["_s, u"t"_s));
    for (int i = 0; i < s.Count(); ++i) {
        EXPECT_EQ(s.GetFull(i).PropertyID, 521) << s.LineID(i).toStdString();
        EXPECT_EQ(s.PropertyID(i), 521) << s.LineID(i).toStdString();
    }
    EXPECT_TRUE(s.GetPropertyName(0, {}).startsWith(u"Unknown"_s));
}

struct TextCase
{
    friend void PrintTo(const TextCase &c, std::ostream *os) { *os << c.name; }

    const char *name;
    QString input;
    bool added;
    QString stored;
};

class AddTextProperty : public testing::TestWithParam<TextCase>
{
};

TEST_P(AddTextProperty, StoresOnlyTextsWithALetterInOneLineForm)
{
    const TextCase &c = GetParam();
    TComponentStructure s;
    s.AddTextProperty(u"Label1"_s, u"Form1"_s, 0, c.input, {});
    ASSERT_EQ(s.Count(), c.added ? 1 : 0);
    if (!c.added)
        return;
    EXPECT_EQ(s.LineID(0), u"Label1@Form1#0["_s);
    EXPECT_EQ(s.Translation(0), c.stored);
    EXPECT_EQ(s.Descent(0), 255);
    EXPECT_EQ(s.Changeable(0), 1);
}

INSTANTIATE_TEST_SUITE_P(
    ComponentStructure, AddTextProperty,
    testing::Values(TextCase{"Time", u"12:30"_s, false, {}},
                    TextCase{"Numbering", u"1."_s, false, {}}, TextCase{"Dash", u"-"_s, false, {}},
                    TextCase{"Empty", QString(), false, {}},
                    TextCase{"LineBreakOnly", u"\r\n"_s, false, {}},
                    TextCase{"Word", u"Save"_s, true, u"Save"_s},
                    TextCase{"LineBreakEscaped", u"one\r\ntwo"_s, true, u"one'#13''#10'two"_s},
                    TextCase{"TabEscaped", u"a\tb"_s, true, u"a'#9'b"_s},
                    TextCase{"AtSignIsBelowA", u"@ 1"_s, false, {}},
                    TextCase{"UnderscoreIsAboveA", u"_"_s, true, u"_"_s},
                    TextCase{"NonAsciiLetter", u"Uložit"_s, true, u"Uložit"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ComponentStructure, AddTextPropertyResetsAPresentLine)
{
    TComponentStructure s;
    s.AddLine(Simple(u"b@F#0["_s, u"old"_s, 0, 6));
    s.AddTextProperty(u"b"_s, u"F"_s, 0, u"new"_s, {});
    ASSERT_EQ(s.Count(), 1);
    EXPECT_EQ(s.Translation(0), u"new"_s);
    EXPECT_EQ(s.Descent(0), 255);
    EXPECT_EQ(s.Changeable(0), 1);
}

TEST(ComponentStructure, NewLanguageRaisesDescentsBelow254AndLeavesGlobals)
{
    const quint16 before[] = {0, 5, 253, 254, 255, 256, 257};
    const quint16 after[] = {1, 6, 254, 254, 255, 256, 257};
    TComponentStructure s;
    for (int i = 0; i < 7; ++i)
        s.AddLine(Simple(u"c%1@F#0["_s.arg(i), u"t"_s, before[i]));
    s.NewLanguage();
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(s.Descent(i), after[i]) << before[i];
    EXPECT_FALSE(s.IsGlobal(4));
    EXPECT_TRUE(s.IsGlobal(5));
}

struct ValidCase
{
    friend void PrintTo(const ValidCase &c, std::ostream *os) { *os << c.name; }

    const char *name;
    quint16 changeable;
    bool valid;
    quint16 after;
};

class ValidItem : public testing::TestWithParam<ValidCase>
{
};

TEST_P(ValidItem, ClearsTheOldFlagAndTellsTranslatable)
{
    const ValidCase &c = GetParam();
    TComponentStructure s;
    s.AddLine(Simple(u"a@F#0["_s, u"t"_s, 0, c.changeable));
    EXPECT_EQ(s.ValidItem(0), c.valid);
    EXPECT_EQ(s.Changeable(0), c.after);
}

INSTANTIATE_TEST_SUITE_P(ComponentStructure, ValidItem,
                         testing::Values(ValidCase{"OldTranslatable", 3, true, 1},
                                         ValidCase{"OldOnly", 2, false, 0},
                                         ValidCase{"NotTranslatable", 0, false, 0},
                                         ValidCase{"OwnTranslationKept", 7, true, 5}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ComponentStructure, SwitchLanguageOwnerRenamesExactOwnersOnly)
{
    TComponentStructure s;
    s.AddLine(Simple(u"konecb@Form1#0["_s, u"close"_s, 0, 1));
    s.AddLine(Simple(u"Form1@#0["_s, u"title"_s, 0, 1));
    s.AddLine(Simple(u"x@Form10#0["_s, u"other"_s, 0, 1));
    EXPECT_TRUE(s.SwitchLanguageOwner(u"Form1"_s, u"Form2"_s));
    ASSERT_EQ(s.Count(), 3);
    EXPECT_GE(s.Find(u"konecb@Form2#0["_s), 0);
    EXPECT_EQ(s.FoundItem(), u"close"_s);
    EXPECT_GE(s.Find(u"Form1@#0["_s), 0);
    EXPECT_GE(s.Find(u"x@Form10#0["_s), 0);
    EXPECT_EQ(s.Find(u"konecb@Form1#0["_s), -1);
    for (int i = 1; i < s.Count(); ++i)
        EXPECT_LT(s.LineID(i - 1), s.LineID(i)) << "keys must be sorted again";
    EXPECT_FALSE(s.SwitchLanguageOwner(u"Form1"_s, u"Form2"_s));
    EXPECT_FALSE(s.SwitchLanguageOwner(u"Form2"_s, u"Form2"_s));
}

TEST(ComponentStructure, SwitchLanguageOwnerKeepsKeysUniqueOnCollision)
{
    TComponentStructure s;
    s.AddLine(Simple(u"b@Form1#0["_s, u"moved"_s));
    s.AddLine(Simple(u"b@Form2#0["_s, u"stale"_s));
    EXPECT_TRUE(s.SwitchLanguageOwner(u"Form1"_s, u"Form2"_s));
    ASSERT_EQ(s.Count(), 1);
    EXPECT_EQ(s.LineID(0), u"b@Form2#0["_s);
    EXPECT_EQ(s.Translation(0), u"moved"_s);
}

TEST(ComponentStructure, LinesAreMatchedAcrossStructuresByKey)
{
    TComponentStructure design;
    design.AddTextProperty(u"a"_s, u"F"_s, 0, u"Alpha"_s, {});
    design.AddTextProperty(u"c"_s, u"F"_s, 0, u"Gamma"_s, {});
    TComponentStructure data;
    data.AddLine(Simple(u"b@F#0["_s, u"beta"_s, 0, 1));
    data.AddLine(Simple(u"c@F#0["_s, u"gama"_s, 1, 2));

    EXPECT_EQ(data.Find(1, design), 1);
    EXPECT_EQ(data.GetString(1, design), u"gama"_s);
    EXPECT_EQ(data.Find(0, design), -1);
    EXPECT_EQ(data.Find(2, design), -1);
    EXPECT_EQ(data.Find(-1, design), -1);
    EXPECT_EQ(data.GetString(5, design), QString());

    design.SetupLineBy(1, 1, data, 4);
    EXPECT_EQ(design.Translation(1), u"gama"_s);
    EXPECT_EQ(design.Descent(1), 1);
    EXPECT_EQ(design.Changeable(1), 6);
    design.SetupLineBy(1, 7, data, 4);
    design.SetupLineBy(9, 0, data, 4);
    EXPECT_EQ(design.Translation(1), u"gama"_s);

    TComponentStructure copy;
    copy.Copy(0, data);
    copy.Copy(5, data);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.GetSimple(0).LineID, u"b@F#0["_s);
    copy.Assign(design);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.LineID(1), u"c@F#0["_s);
    EXPECT_EQ(copy.Changeable(1), 6);
    copy.SetTranslation(1, u"changed"_s);
    EXPECT_EQ(design.Translation(1), u"gama"_s) << "Assign must copy lines, not share them";
}

TEST(ComponentStructure, LastFoundIndexFollowsItsLine)
{
    TComponentStructure s;
    s.AddLine(Simple(u"m@F#0["_s, u"M"_s));
    ASSERT_EQ(s.Find(u"m@F#0["_s), 0);
    s.AddLine(Simple(u"a@F#0["_s, u"A"_s));
    EXPECT_EQ(s.LastFoundIndex(), 1);
    EXPECT_EQ(s.FoundItem(), u"M"_s);
    s.DeleteLine(0);
    EXPECT_EQ(s.LastFoundIndex(), 0);
    EXPECT_EQ(s.FoundItem(), u"M"_s);
    s.DeleteLine(0);
    EXPECT_EQ(s.LastFoundIndex(), -1);
    s.SetFoundItem(u"nowhere"_s);
    EXPECT_EQ(s.Count(), 0);
}

struct SplitCase
{
    friend void PrintTo(const SplitCase &c, std::ostream *os) { *os << c.name; }

    const char *name;
    QString key;
    QString comp;
    QString owner;
    QString number;
    QString addr;
    bool hasAddr;
};

class LineIDSplit : public testing::TestWithParam<SplitCase>
{
};

TEST_P(LineIDSplit, TakesTheKeyApartFromTheLeft)
{
    const SplitCase &c = GetParam();
    const TLineIDParts parts = SplitLineID(c.key);
    EXPECT_EQ(parts.CompName, c.comp);
    EXPECT_EQ(parts.OwnerName, c.owner);
    EXPECT_EQ(parts.PropertyText, c.number);
    EXPECT_EQ(parts.ItemAddr, c.addr);
    EXPECT_EQ(parts.HasItemAddr, c.hasAddr);
}

INSTANTIATE_TEST_SUITE_P(
    ComponentStructure, LineIDSplit,
    testing::Values(
        SplitCase{"FormItself", u"Form1@#0["_s, u"Form1"_s, {}, u"0"_s, {}, true},
        SplitCase{"OwnedButton", u"konecb@Form1#0["_s, u"konecb"_s, u"Form1"_s, u"0"_s, {}, true},
        SplitCase{"AddressKeepsLaterSeparators", u"m@F#33[1.@#[x"_s, u"m"_s, u"F"_s, u"33"_s,
                  u"1.@#[x"_s, true},
        SplitCase{"NoAddress", u"m@F#33"_s, u"m"_s, u"F"_s, u"33"_s, {}, false},
        SplitCase{"NoNumber", u"m@F"_s, u"m"_s, u"F"_s, {}, {}, false},
        SplitCase{"NoOwner", u"m"_s, u"m"_s, {}, {}, {}, false},
        SplitCase{"Empty", QString(), {}, {}, {}, {}, false}),
    [](const auto &info) { return std::string(info.param.name); });
