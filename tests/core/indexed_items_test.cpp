#include <wordmill/sys/IndexedItems.h>

#include "TestPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wordmill;

TEST(IndexedItems, NewStoreIsEmpty)
{
    TIndexedItems items(u"Form1.Lexicon1"_s);
    EXPECT_EQ(items.ListName(), u"Form1.Lexicon1"_s);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.MaxIndex(), 0);
    EXPECT_FALSE(items.IsIncluded(0));
    EXPECT_EQ(items.Get(0), QString());
    EXPECT_EQ(items.LangDescent(0), 255);
    EXPECT_FALSE(items.IsGlobal(0));
    EXPECT_EQ(items.PointerCapacity(), 32);
}

TEST(IndexedItems, NumbersMayHaveGaps)
{
    TIndexedItems items;
    items.Write(40, u"x"_s, 0);
    EXPECT_EQ(items.MaxIndex(), 40);
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items.PointerCapacity(), 104);
    for (int n = 0; n < 40; ++n)
        EXPECT_FALSE(items.IsIncluded(n)) << n;
    EXPECT_TRUE(items.IsIncluded(40));
    EXPECT_FALSE(items.IsIncluded(41));
    EXPECT_EQ(items.Get(40), u"x"_s);
}

TEST(IndexedItems, WriteInPlaceAddAbandonsThePosition)
{
    TIndexedItems items;
    items.Write(3, u"a"_s, 1);
    items.Write(3, u"b"_s, 0);
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Get(3), u"b"_s);
    EXPECT_EQ(items.LangDescent(3), 0);

    items.Add(3, u"c"_s, 0);
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Get(3), u"c"_s);
    EXPECT_EQ(items.IndexOf(u"b"_s), -1) << "text at an abandoned position";
    EXPECT_EQ(items.IndexOf(u"C"_s), 3);
}

TEST(IndexedItems, IndexOfSkipsAbandonedPositionsAndIgnoresCase)
{
    TIndexedItems items;
    items.Write(0, u"same"_s, 0);
    items.Add(0, u"other"_s, 0); // "same" at position 1 is abandoned
    items.Write(7, u"SAME"_s, 0);
    items.Write(2, u""_s, 0);
    EXPECT_EQ(items.IndexOf(u"Same"_s), 7);
    EXPECT_EQ(items.IndexOf(QString()), -1) << "an empty text never matches";
    EXPECT_EQ(items.IndexOf(u"abc"_s), -1);
    items.Write(9, u"abc"_s, 0);
    EXPECT_EQ(items.IndexOf(u"ABC"_s), 9);
}

TEST(IndexedItems, RemoveKeepsThePositionButDropsTheItem)
{
    TIndexedItems items;
    items.Write(3, u"gone"_s, 0);
    items.Remove(3);
    EXPECT_FALSE(items.IsIncluded(3));
    EXPECT_EQ(items.LangDescent(3), 255);
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items.IndexOf(u"gone"_s), -1);
    items.Change(3, u"z"_s);
    items.SetLangDescent(3, 0);
    EXPECT_FALSE(items.IsIncluded(3));
    EXPECT_EQ(items.Get(3), QString());
    items.Remove(3);
    items.Remove(500);
    EXPECT_EQ(items.Count(), 1);
}

TEST(IndexedItems, ChangeKeepsDescentAndGlobalBitShows)
{
    TIndexedItems items;
    items.Write(1, u"a"_s, 257);
    items.Change(1, u"b"_s);
    EXPECT_EQ(items.Get(1), u"b"_s);
    EXPECT_EQ(items.LangDescent(1), 257);
    EXPECT_TRUE(items.IsGlobal(1));
    items.SetLangDescent(1, 1);
    EXPECT_FALSE(items.IsGlobal(1));
    EXPECT_FALSE(items.IsGlobal(100));
}

TEST(IndexedItems, NewLanguageRaisesDescents)
{
    const quint16 before[] = {0, 253, 254, 255, 257};
    const quint16 after[] = {1, 254, 254, 255, 257};
    TIndexedItems items;
    for (int i = 0; i < 5; ++i)
        items.Write(i, u"t"_s, before[i]);
    items.NewLanguage();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(items.LangDescent(i), after[i]) << before[i];
    EXPECT_EQ(items.LangDescent(5), 255);
}

TEST(IndexedItems, ClearReturnsToTheNewState)
{
    TIndexedItems items;
    items.Write(2000, u"far"_s, 0);
    items.Write(1, u"near"_s, 0);
    ASSERT_GT(items.PointerCapacity(), 1024);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.MaxIndex(), 0);
    EXPECT_EQ(items.PointerCapacity(), 32);
    EXPECT_FALSE(items.IsIncluded(1));
    EXPECT_EQ(items.IndexOf(u"near"_s), -1);
    items.Write(1, u"again"_s, 0);
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Get(1), u"again"_s);
}

TEST(IndexedItems, ItemNumbersOutside16BitsAreIgnoredNotFolded)
{
    TIndexedItems items;
    items.Write(4464, u"kept"_s, 0);
    for (const int number : {65536, 65536 + 4464, -1, -65536}) {
        items.Write(number, u"intruder"_s, 0);
        items.Add(number, u"intruder"_s, 0);
        items.Change(number, u"intruder"_s);
        items.SetLangDescent(number, 7);
        items.Remove(number);
        EXPECT_FALSE(items.IsIncluded(number)) << number;
        EXPECT_EQ(items.Get(number), QString()) << number;
        EXPECT_EQ(items.LangDescent(number), 255) << number;
    }
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items.MaxIndex(), 4464);
    EXPECT_EQ(items.Get(4464), u"kept"_s);
    EXPECT_EQ(items.LangDescent(4464), 0);

    items.Write(65535, u"top"_s, 0);
    EXPECT_EQ(items.MaxIndex(), 65535);
    EXPECT_EQ(items.Get(65535), u"top"_s);
}

TEST(IndexedItems, AStoreHandsOutAtMost65535Positions)
{
    TIndexedItems items;
    for (int round = 0; round < 65535; ++round)
        items.Add(round % 10, u"t%1"_s.arg(round), 0);
    EXPECT_EQ(items.Count(), 65535);
    EXPECT_EQ(items.Get(4), u"t65534"_s);

    items.Add(4, u"one too many"_s, 0);
    items.Write(11, u"new item"_s, 0);
    EXPECT_EQ(items.Count(), 65535);
    EXPECT_EQ(items.Get(4), u"t65534"_s);
    EXPECT_FALSE(items.IsIncluded(11));

    // Items that are present can still be rewritten in place.
    items.Write(4, u"rewritten"_s, 1);
    EXPECT_EQ(items.Get(4), u"rewritten"_s);
    EXPECT_EQ(items.LangDescent(4), 1);
    EXPECT_EQ(items.IndexOf(u"REWRITTEN"_s), 4);

    items.Clear();
    items.Add(11, u"after clear"_s, 0);
    EXPECT_EQ(items.Get(11), u"after clear"_s);
}
