#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageFile.h>

#include "TestPrinters.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

QByteArray pattern(int Size)
{
    QByteArray Bytes;
    for (int I = 0; I < Size; ++I)
        Bytes.append(char(I * 7 + 3));
    return Bytes;
}

void fillFlagBuffer(const QByteArray &Bytes)
{
    ClearFlagBuffer();
    FlagIconBuffer().write(Bytes);
}

struct HexCase
{
    friend void PrintTo(const HexCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Hex;
    int Max;
    QByteArray Expected;
};

class HexToBinTest : public testing::TestWithParam<HexCase>
{
};

TEST_P(HexToBinTest, Decodes)
{
    const HexCase &C = GetParam();
    QByteArray Buf = "stale";
    EXPECT_EQ(HexToBin(C.Hex, Buf, C.Max), C.Expected.size());
    EXPECT_EQ(Buf, C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    FlagSection, HexToBinTest,
    testing::Values(HexCase{"UpperAndLowerCase", u"00fFa9Bc"_s, 10,
                            QByteArray("\x00\xff\xa9\xbc", 4)},
                    HexCase{"StopsAtMax", u"010203"_s, 2, QByteArray("\x01\x02", 2)},
                    HexCase{"StopsAtNonHexPair", u"01zz02"_s, 10, QByteArray("\x01", 1)},
                    HexCase{"StopsAtHalfHexPair", u"014G02"_s, 10, QByteArray("\x01", 1)},
                    HexCase{"OddLastCharacterIgnored", u"0102F"_s, 10, QByteArray("\x01\x02", 2)},
                    HexCase{"NonAsciiIsNoDigit", u"01\uff10\uff10"_s, 10, QByteArray("\x01", 1)},
                    HexCase{"ZeroMax", u"0102"_s, 0, QByteArray()},
                    HexCase{"NegativeMax", u"0102"_s, -5, QByteArray()},
                    HexCase{"Empty", QString(), 10, QByteArray()}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(FlagBuffer, ClearAndHasData)
{
    fillFlagBuffer("abc");
    EXPECT_TRUE(FlagBufferHasData());
    QBuffer &Buffer = GetFlagBuffer();
    EXPECT_EQ(Buffer.pos(), 0);
    EXPECT_EQ(Buffer.readAll(), "abc");
    ClearFlagBuffer();
    EXPECT_FALSE(FlagBufferHasData());
    EXPECT_TRUE(FlagIconBuffer().isOpen());
    EXPECT_EQ(&FlagIconBuffer(), &GetFlagBuffer());
}

TEST(FlagSection, WriterSplitsAtFiftyBytes)
{
    const QByteArray Picture = pattern(120);
    fillFlagBuffer(Picture);
    QStringList List = {u"existing"_s};
    WriteFlagIcon(List);
    ASSERT_EQ(List.size(), 5);
    EXPECT_EQ(List.at(0), u"existing"_s);
    EXPECT_EQ(List.at(1), u"0\t%FLAG_ICON"_s);
    EXPECT_EQ(List.at(2), u"0\t"_s + QString::fromLatin1(Picture.left(50).toHex().toUpper()));
    EXPECT_EQ(List.at(3), u"1\t"_s + QString::fromLatin1(Picture.mid(50, 50).toHex().toUpper()));
    EXPECT_EQ(List.at(4), u"2\t"_s + QString::fromLatin1(Picture.mid(100).toHex().toUpper()));
    EXPECT_EQ(List.at(4).size(), 2 + 40);
}

struct SizeCase
{
    friend void PrintTo(const SizeCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    int Size;
    int DataLines;
};

class FlagRoundTripTest : public testing::TestWithParam<SizeCase>
{
};

TEST_P(FlagRoundTripTest, WritesAndReadsBack)
{
    const QByteArray Picture = pattern(GetParam().Size);
    fillFlagBuffer(Picture);
    QStringList List;
    WriteFlagIcon(List);
    EXPECT_EQ(List.size(), 1 + GetParam().DataLines);
    EXPECT_TRUE(List.last().endsWith(u'\t') || Picture.size() % 50 != 0)
        << "a multiple of 50 bytes ends with a line without digits";

    fillFlagBuffer("something else");
    ReadFlagIcon(List, 1);
    EXPECT_EQ(FlagIconBuffer().pos(), 0);
    EXPECT_EQ(FlagIconBuffer().data(), Picture);
}

INSTANTIATE_TEST_SUITE_P(FlagSection, FlagRoundTripTest,
                         testing::Values(SizeCase{"Empty", 0, 1}, SizeCase{"Short", 7, 1},
                                         SizeCase{"ExactlyOneLine", 50, 2},
                                         SizeCase{"ExactlyHundred", 100, 3},
                                         SizeCase{"Bitmap", 822, 17}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(FlagSection, ReaderIgnoresFirstColumnAndStopsEachLineAtNonHex)
{
    const QStringList List = {u"0\t%FLAG_ICON"_s, u"x\t4142"_s, u"7\t43zz44"_s,
                              u"no tab 45"_s,     u"9\t"_s,     u"1\t46 47"_s};
    fillFlagBuffer("old");
    ReadFlagIcon(List, 1);
    EXPECT_EQ(FlagIconBuffer().data(), "ABCF");
}

TEST(FlagSection, ReaderTakesAtMost256BytesPerLine)
{
    const QStringList List = {u"0\t"_s + QString(600, u'A'), u"1\t0102"_s};
    ReadFlagIcon(List, 0);
    const QByteArray Data = FlagIconBuffer().data();
    ASSERT_EQ(Data.size(), 258);
    EXPECT_EQ(Data.left(256), QByteArray(256, char(0xAA)));
    EXPECT_EQ(Data.mid(256), QByteArray("\x01\x02", 2));
}

TEST(FlagSection, ReaderPastTheEndEmptiesBuffer)
{
    fillFlagBuffer("old");
    ReadFlagIcon({u"0\t41"_s}, 5);
    EXPECT_FALSE(FlagBufferHasData());
    fillFlagBuffer("old");
    ReadFlagIcon({u"0\t41"_s}, -3);
    EXPECT_EQ(FlagIconBuffer().data(), "A");
}

} // namespace
