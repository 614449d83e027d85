#include <wordmill/sys/SmartLexiconData.h>

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;
using namespace wordmill;

TEST(SmartLexiconData, EmptyLexiconNameMeansTheGlobalStrings)
{
    TSmartLexiconData data;
    EXPECT_EQ(data.GlobalLexicon().ListName(), u"GlobalLexicon"_s);
    data.AddItem(QString(), u"Save"_s, u"Uložit"_s, 0);
    EXPECT_EQ(data.ReadItem(QString(), u"Save"_s), u"Uložit"_s);
    EXPECT_EQ(data.ReadItem(u"Save"_s), u"Uložit"_s);
    EXPECT_EQ(data.ReadItem(0), u"Uložit"_s);
    EXPECT_EQ(data.GetLocStr(0), u"Save"_s);
    EXPECT_EQ(data.ItemsCount(), 1);
    EXPECT_EQ(data.LexiconCount(), 0);
    EXPECT_EQ(data.ReadItem(u"save"_s), QString()) << "design texts match exactly";
}

struct CloserCase
{
    friend void PrintTo(const CloserCase &c, std::ostream *os) { *os << c.name; }

    const char *name;
    quint16 firstDescent;
    quint16 secondDescent;
    QString kept;
};

class CloserTranslation : public testing::TestWithParam<CloserCase>
{
};

TEST_P(CloserTranslation, AddKeepsTheTranslationOfTheCloserLanguage)
{
    const CloserCase &c = GetParam();
    TNamedItems items(u"Test"_s);
    items.Add(u"Save"_s, u"first"_s, c.firstDescent);
    items.Add(u"Save"_s, u"second"_s, c.secondDescent);
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Get(u"Save"_s), c.kept);
}

INSTANTIATE_TEST_SUITE_P(SmartLexiconData, CloserTranslation,
                         testing::Values(CloserCase{"OwnBeatsInherited", 1, 0, u"second"_s},
                                         CloserCase{"FartherLoses", 1, 2, u"first"_s},
                                         CloserCase{"EqualLetsTheLaterWin", 1, 1, u"second"_s},
                                         // Only the low byte counts: a global 257 is as close as 1.
                                         CloserCase{"GlobalBitIgnored", 257, 1, u"second"_s},
                                         CloserCase{"GlobalAgainstFarther", 256, 1, u"first"_s},
                                         CloserCase{"NoneIsReplaced", 255, 254, u"second"_s}),
                         [](const auto &info) { return std::string(info.param.name); });

struct FindCase
{
    friend void PrintTo(const FindCase &c, std::ostream *os) { *os << c.name; }

    const char *name;
    quint16 storedDescent;
    QString asked;
    quint16 askedDescent;
    bool found;
};

class FindTranslate : public testing::TestWithParam<FindCase>
{
};

TEST_P(FindTranslate, FindsOnlyStrictlyCloserGlobals)
{
    const FindCase &c = GetParam();
    TSmartLexiconData data;
    data.AddItem(u"Open"_s, u"Otevřít"_s, 0);
    data.AddItem(u"Save"_s, u"Uložit"_s, c.storedDescent);
    EXPECT_EQ(data.FindTranslate(c.asked, c.askedDescent), c.found ? 1 : -1);
}

INSTANTIATE_TEST_SUITE_P(SmartLexiconData, FindTranslate,
                         testing::Values(FindCase{"CloserFound", 1, u"Save"_s, 2, true},
                                         FindCase{"EqualNotFound", 1, u"Save"_s, 1, false},
                                         FindCase{"ZeroNeverFinds", 1, u"Save"_s, 0, false},
                                         FindCase{"OwnFoundAgainstNone", 0, u"Save"_s, 255, true},
                                         FindCase{"OwnNotFoundAgainstOwn", 0, u"Save"_s, 0, false},
                                         FindCase{"AllSixteenBitsCompared", 256, u"Save"_s, 255,
                                                  false},
                                         FindCase{"GlobalBelowGlobal", 256, u"Save"_s, 257, true},
                                         FindCase{"EmptyTextNeverFound", 0, QString(), 255, false},
                                         FindCase{"OtherCaseNotFound", 0, u"SAVE"_s, 255, false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SmartLexiconData, PositionsFollowTheSortOrder)
{
    TNamedItems items;
    items.Add(u"b"_s, u"B"_s, 0);
    items.Add(u"a"_s, u"A"_s, 3);
    EXPECT_EQ(items.GetLocStr(0), u"a"_s);
    EXPECT_EQ(items.Get(0), u"A"_s);
    EXPECT_EQ(items.LangDescent(0), 3);
    EXPECT_EQ(items.MaxIndex(), 1);
    EXPECT_EQ(items.GetLocStr(2), QString());
    EXPECT_EQ(items.LangDescent(2), 255);
    EXPECT_EQ(items.LangDescent(-1), 255);
    EXPECT_FALSE(items.IsIncluded(2));
    items.Remove(0);
    EXPECT_EQ(items.GetLocStr(0), u"b"_s);
    items.Remove(u"b"_s);
    items.Remove(u"b"_s);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.MaxIndex(), -1);
}

TEST(SmartLexiconData, WriteChangeAndDescentByPositionAndText)
{
    TNamedItems items;
    items.Write(u"Save"_s, u"a"_s, 2);
    items.Write(u"Save"_s, u"b"_s, 5); // Write replaces whatever the closeness
    EXPECT_EQ(items.Get(u"Save"_s), u"b"_s);
    EXPECT_EQ(items.GetLangDescent(u"Save"_s), 5);
    items.Write(0, u"c"_s, 1);
    items.Write(1, u"outside"_s, 1);
    items.Write(QString(), u"empty"_s, 0);
    EXPECT_EQ(items.Count(), 1);
    items.Change(u"Save"_s, u"d"_s);
    items.Change(u"Missing"_s, u"x"_s);
    items.Change(3, u"x"_s);
    quint16 descent = 0;
    EXPECT_EQ(items.Get(u"Save"_s, descent), u"d"_s);
    EXPECT_EQ(descent, 1);
    EXPECT_EQ(items.Get(u"Missing"_s, descent), QString());
    EXPECT_EQ(descent, 255);
    items.SetLangDescent(0, 256);
    EXPECT_TRUE(items.IsGlobal(0));
    EXPECT_TRUE(items.IsGlobal(u"Save"_s));
    EXPECT_FALSE(items.IsGlobal(u"Missing"_s));
}

TEST(SmartLexiconData, SmartLexiconsOpenByExactNameOnly)
{
    TSmartLexiconData data;
    data.NewLexicon(u"Form1.Lexicon1"_s);
    data.AddItem(u"Form1.Lexicon1"_s, u"x"_s, u"X"_s, 0);
    EXPECT_TRUE(data.LexiconExists(u"form1.lexicon1"_s));
    EXPECT_EQ(data.ReadItem(u"form1.lexicon1"_s, u"x"_s), QString());
    EXPECT_EQ(data.ReadItem(u"Form1.Lexicon1"_s, u"x"_s), u"X"_s);
    EXPECT_EQ(data.ItemsCount(u"form1.lexicon1"_s), 0);
    EXPECT_EQ(data.MaxItemNr(u"form1.lexicon1"_s), -1);
    EXPECT_EQ(data.FindTranslate(u"form1.lexicon1"_s, u"x"_s, 255), -1);
    EXPECT_EQ(data.FindTranslate(u"Form1.Lexicon1"_s, u"x"_s, 255), 0);
    // NewLexicon with other letter case neither creates nor opens.
    data.NewLexicon(u"FORM1.LEXICON1"_s);
    EXPECT_EQ(data.LexiconCount(), 1);
    data.AddItem(u"FORM1.LEXICON1"_s, u"y"_s, u"Y"_s, 0);
    EXPECT_EQ(data.ItemsCount(u"Form1.Lexicon1"_s), 1);
    EXPECT_EQ(data.ItemsCount(), 0) << "a failed open must not fall back to the globals";
}

TEST(SmartLexiconData, ClearForgetsTheOpenedLexicon)
{
    TSmartLexiconData data;
    data.NewLexicon(u"A"_s);
    data.AddItem(u"A"_s, u"t"_s, u"T"_s, 0);
    data.AddItem(u"g"_s, u"G"_s, 0);
    data.Clear();
    EXPECT_EQ(data.LexiconCount(), 0);
    EXPECT_EQ(data.ItemsCount(), 0);
    EXPECT_EQ(data.ReadItem(u"A"_s, u"t"_s), QString());
    data.AddItem(u"A"_s, u"t"_s, u"T"_s, 0);
    EXPECT_EQ(data.ItemsCount(u"A"_s), 0);
    data.NewLexicon(u"B"_s);
    EXPECT_EQ(data.ReadItem(u"A"_s, u"t"_s), QString());
}

TEST(SmartLexiconData, SaveChangedGlobalItem)
{
    TNamedItems globals;
    globals.SaveChangedGlobalItem(u"Close"_s, u"Zavřít"_s, false);
    EXPECT_EQ(globals.Get(u"Close"_s), u"Zavřít"_s);
    EXPECT_EQ(globals.GetLangDescent(u"Close"_s), 2);
    globals.SaveChangedGlobalItem(u"Close"_s, u"Zavři"_s, false);
    EXPECT_EQ(globals.Get(u"Close"_s), u"Zavři"_s);
    EXPECT_EQ(globals.GetLangDescent(u"Close"_s), 2);
    globals.SaveChangedGlobalItem(u"Close"_s, u"Zavřít"_s, true);
    EXPECT_EQ(globals.GetLangDescent(u"Close"_s), 1);
    globals.SaveChangedGlobalItem(u"Open"_s, u"Otevřít"_s, true);
    EXPECT_EQ(globals.GetLangDescent(u"Open"_s), 1);
    globals.SaveChangedGlobalItem(QString(), u"x"_s, true);
    EXPECT_EQ(globals.Count(), 2);
}

TEST(SmartLexiconData, NewLanguageRaisesEveryCollection)
{
    const quint16 before[] = {0, 254, 255, 256};
    const quint16 after[] = {1, 254, 255, 256};
    TSmartLexiconData data;
    data.NewLexicon(u"L"_s);
    for (int i = 0; i < 4; ++i) {
        data.AddItem(u"t%1"_s.arg(i), u"x"_s, before[i]);
        data.AddItem(u"L"_s, u"t%1"_s.arg(i), u"x"_s, before[i]);
    }
    data.NewLanguage();
    for (int i = 0; i < 4; ++i) {
        quint16 descent = 0;
        data.ReadItem(u"t%1"_s.arg(i), descent);
        EXPECT_EQ(descent, after[i]) << before[i];
        data.ReadItem(u"L"_s, i, descent);
        EXPECT_EQ(descent, after[i]) << before[i];
    }
}

TEST(SmartLexiconData, AssignGlobalsCopiesEntries)
{
    TSmartLexiconData source;
    source.AddItem(u"Save"_s, u"Uložit"_s, 0);
    source.AddItem(u"Close"_s, u"Zavřít"_s, 257);
    TNamedItems work(u"Work"_s);
    work.Add(u"stale"_s, u"x"_s, 0);
    work.AssignGlobals(source);
    ASSERT_EQ(work.Count(), 2);
    EXPECT_EQ(work.ListName(), u"Work"_s);
    EXPECT_FALSE(work.IsIncluded(u"stale"_s));
    EXPECT_EQ(work.GetLangDescent(u"Close"_s), 257);
    work.Change(u"Save"_s, u"changed"_s);
    EXPECT_EQ(source.ReadItem(u"Save"_s), u"Uložit"_s);
    source.GlobalLexicon().AssignGlobals(source);
    EXPECT_EQ(source.ItemsCount(), 2);
}

TEST(SmartLexiconData, ACollectionHoldsAtMost65535Texts)
{
    TNamedItems items;
    for (int i = 0; i < 65535; ++i)
        items.Add(u"text %1"_s.arg(i, 5, 10, QChar(u'0')), u"x"_s, 0);
    ASSERT_EQ(items.Count(), 65535);
    items.Add(u"one more"_s, u"x"_s, 0);
    items.Write(u"another"_s, u"x"_s, 0);
    items.SaveChangedGlobalItem(u"a third"_s, u"x"_s, true);
    EXPECT_EQ(items.Count(), 65535);
    EXPECT_FALSE(items.IsIncluded(u"one more"_s));
    EXPECT_EQ(items.MaxIndex(), 65534);
    items.Add(u"text 00007"_s, u"closer"_s, 0);
    EXPECT_EQ(items.Get(u"text 00007"_s), u"closer"_s);
    EXPECT_EQ(items.Get(65535), QString());
    EXPECT_EQ(items.GetLocStr(65534), u"text 65534"_s);
}
