#include <wordmill/sys/WordList.h>

#include <gtest/gtest.h>

using namespace wordmill;

namespace {

TWordList ListOf(std::initializer_list<quint16> words)
{
    TWordList list;
    for (const quint16 word : words)
        list.AddWord(word);
    return list;
}

} // namespace

TEST(WordList, CapacityStartsAt32AndGrowsTo64BeyondCount)
{
    TWordList list;
    EXPECT_EQ(list.Capacity(), 32);
    for (int i = 0; i < 32; ++i)
        list.AddWord(quint16(i));
    EXPECT_EQ(list.Capacity(), 32);
    list.AddWord(32);
    EXPECT_EQ(list.Capacity(), 96);
    EXPECT_EQ(list.Count(), 33);
    for (int i = 0; i < 33; ++i)
        EXPECT_EQ(list.GetWord(i), i) << i;
}

TEST(WordList, ClearShrinksOnlyBeyond1024)
{
    TWordList small;
    for (int i = 0; i < 500; ++i)
        small.AddWord(1);
    const int smallCapacity = small.Capacity();
    small.Clear();
    EXPECT_EQ(small.Count(), 0);
    EXPECT_EQ(small.Capacity(), smallCapacity);

    TWordList large;
    for (int i = 0; i < 2000; ++i)
        large.AddWord(1);
    ASSERT_GT(large.Capacity(), 1024);
    large.Clear();
    EXPECT_EQ(large.Count(), 0);
    EXPECT_EQ(large.Capacity(), 32);
    EXPECT_EQ(large.GetWord(0), 0);
}

TEST(WordList, ReadsAndWritesOutsideTheListAreHarmless)
{
    TWordList list = ListOf({7, 8});
    EXPECT_EQ(list.GetWord(-1), 0);
    EXPECT_EQ(list.GetWord(list.Count()), 0);
    list.RewriteWord(2, 99);
    list.RewriteWord(-1, 99);
    list.Delete(2);
    list.Delete(-1);
    list.Inherit(5);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetWord(0), 7);
    EXPECT_EQ(list.GetWord(1), 8);
    // A word written beyond the count never surfaces.
    list.AddWord(1);
    EXPECT_EQ(list.GetWord(2), 1);
}

TEST(WordList, DeleteMovesLaterWordsDownAndIndexOfFindsTheFirst)
{
    TWordList list = ListOf({1, 2, 3, 2});
    EXPECT_EQ(list.IndexOfWord(2), 1);
    EXPECT_EQ(list.IndexOfWord(9), -1);
    list.Delete(1);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetWord(0), 1);
    EXPECT_EQ(list.GetWord(1), 3);
    EXPECT_EQ(list.GetWord(2), 2);
    EXPECT_EQ(list.IndexOfWord(2), 2);
    // Deleted words are not found behind the count.
    list.Delete(2);
    EXPECT_EQ(list.IndexOfWord(2), -1);
}

TEST(WordList, InheritRaisesOnlyDescentsBelow254)
{
    TWordList list = ListOf({0, 5, 253, 254, 255, 256, 257});
    list.InheritAll();
    const quint16 expected[] = {1, 6, 254, 254, 255, 256, 257};
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.GetWord(i), expected[i]) << i;
    list.Inherit(2);
    list.Inherit(3);
    EXPECT_EQ(list.GetWord(2), 254);
    EXPECT_EQ(list.GetWord(3), 254);
}

TEST(WordList, AssignCopiesWordsAndResetsCapacityOnlyWhenFarOff)
{
    TWordList source;
    for (int i = 0; i < 100; ++i)
        source.AddWord(quint16(i * 3));

    TWordList tooSmall;
    tooSmall.Assign(source);
    EXPECT_EQ(tooSmall.Count(), 100);
    EXPECT_EQ(tooSmall.Capacity(), 132);
    EXPECT_EQ(tooSmall.GetWord(99), 297);

    TWordList fitting;
    for (int i = 0; i < 150; ++i)
        fitting.AddWord(1);
    const int fittingCapacity = fitting.Capacity();
    fitting.Assign(source);
    EXPECT_EQ(fitting.Capacity(), fittingCapacity);
    EXPECT_EQ(fitting.Count(), 100);
    EXPECT_EQ(fitting.IndexOfWord(1), -1) << "old words must not survive behind the count";

    TWordList huge;
    for (int i = 0; i < 3000; ++i)
        huge.AddWord(1);
    huge.Assign(source);
    EXPECT_EQ(huge.Capacity(), 132);
    EXPECT_EQ(huge.GetWord(50), 150);
}
