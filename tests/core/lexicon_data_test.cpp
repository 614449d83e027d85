#include <wordmill/sys/LexiconData.h>

#include "TestPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wordmill;

TEST(LexiconData, NamesMatchWithoutLetterCase)
{
    TLexiconData data;
    data.NewLexicon(u"Form1.Lexicon1"_s);
    EXPECT_TRUE(data.LexiconExists(u"form1.lexicon1"_s));
    data.WriteItem(u"FORM1.LEXICON1"_s, 2, u"t"_s, 0);
    EXPECT_EQ(data.ReadItem(u"Form1.Lexicon1"_s, 2), u"t"_s);
    data.NewLexicon(u"FORM1.lexicon1"_s);
    EXPECT_EQ(data.LexiconCount(), 1);
    EXPECT_EQ(data.LexiconName(0), u"Form1.Lexicon1"_s);
    EXPECT_EQ(data.LexiconName(1), QString());
}

TEST(LexiconData, AbsentLexiconsReadEmptyAndTakeNoWrites)
{
    TLexiconData data;
    data.WriteItem(u"Missing"_s, 0, u"t"_s, 0);
    EXPECT_EQ(data.LexiconCount(), 0);
    quint16 descent = 0;
    EXPECT_EQ(data.ReadItem(u"Missing"_s, 0, descent), QString());
    EXPECT_EQ(descent, 255);
    EXPECT_EQ(data.ItemsCount(u"Missing"_s), 0);
    EXPECT_EQ(data.MaxItemNr(u"Missing"_s), -1);
    EXPECT_FALSE(data.IsIncluded(u"Missing"_s, 0));
    EXPECT_FALSE(data.LexiconExists(QString()));

    data.NewLexicon(QString());
    EXPECT_EQ(data.LexiconCount(), 0) << "an empty name can never be opened";
    data.NewLexicon(u"Empty"_s);
    EXPECT_EQ(data.MaxItemNr(u"Empty"_s), 0);
    EXPECT_EQ(data.ItemsCount(u"Empty"_s), 0);
}

TEST(LexiconData, DeletingAnotherLexiconKeepsTheOpenedOneRight)
{
    TLexiconData data;
    data.NewLexicon(u"A"_s);
    data.WriteItem(u"A"_s, 0, u"from A"_s, 0);
    data.NewLexicon(u"B"_s);
    data.WriteItem(u"B"_s, 0, u"from B"_s, 0);
    ASSERT_EQ(data.ReadItem(u"B"_s, 0), u"from B"_s); // B is opened
    data.DeleteLexicon(u"A"_s);
    EXPECT_EQ(data.ReadItem(u"B"_s, 0), u"from B"_s);
    EXPECT_EQ(data.LexiconCount(), 1);
    EXPECT_FALSE(data.LexiconExists(u"A"_s));
    data.DeleteLexicon(u"a"_s);
    EXPECT_EQ(data.LexiconCount(), 1);

    data.Clear();
    EXPECT_EQ(data.ReadItem(u"B"_s, 0), QString());
    data.NewLexicon(u"C"_s);
    data.WriteItem(u"C"_s, 0, u"from C"_s, 0);
    EXPECT_EQ(data.ReadItem(u"B"_s, 0), QString());
}

TEST(LexiconData, ClosestLanguageWinsAfterNewLanguage)
{
    // Superior language first, then NewLanguage, then the language's own file.
    TLexiconData data;
    data.NewLexicon(u"Form1.Lexicon1"_s);
    data.WriteItem(u"Form1.Lexicon1"_s, 0, u"superior 0"_s, 0);
    data.WriteItem(u"Form1.Lexicon1"_s, 1, u"superior 1"_s, 0);
    data.NewLanguage();
    data.WriteItem(u"Form1.Lexicon1"_s, 0, u"own 0"_s, 0);

    quint16 descent = 99;
    EXPECT_EQ(data.ReadItem(u"Form1.Lexicon1"_s, 0, descent), u"own 0"_s);
    EXPECT_EQ(descent, 0);
    EXPECT_EQ(data.ReadItem(u"Form1.Lexicon1"_s, 1, descent), u"superior 1"_s);
    EXPECT_EQ(descent, 1);
    EXPECT_EQ(data.ReadItem(u"Form1.Lexicon1"_s, 2, descent), QString());
    EXPECT_EQ(descent, 255);
    EXPECT_EQ(data.ItemsCount(u"Form1.Lexicon1"_s), 2);
    EXPECT_EQ(data.MaxItemNr(u"Form1.Lexicon1"_s), 1);
}

TEST(LexiconData, ChangeAndRemoveReachTheStore)
{
    TLexiconData data;
    data.NewLexicon(u"L"_s);
    data.WriteItem(u"L"_s, 5, u"a"_s, 3);
    data.ChangeItem(u"l"_s, 5, u"b"_s);
    quint16 descent = 0;
    EXPECT_EQ(data.ReadItem(u"L"_s, 5, descent), u"b"_s);
    EXPECT_EQ(descent, 3);
    data.RemoveItem(u"L"_s, 5);
    EXPECT_FALSE(data.IsIncluded(u"L"_s, 5));
    data.WriteItem(u"L"_s, 70000, u"too high"_s, 0);
    EXPECT_FALSE(data.IsIncluded(u"L"_s, 70000 - 65536));
    EXPECT_EQ(data.MaxItemNr(u"L"_s), 5);
}
