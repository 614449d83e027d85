#include <wordmill/sys/FlagPictures.h>
#include <wordmill/sys/PictureText.h>

#include "TestPrinters.h"

#include <QBuffer>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

QByteArray decode(const QString &Text)
{
    QByteArray Bytes = "previous content";
    DecodePictureText(Bytes, Text);
    return Bytes;
}

QByteArray bytes(std::initializer_list<int> Values)
{
    QByteArray Result;
    for (int V : Values)
        Result.append(char(V));
    return Result;
}

struct PictureCase
{
    friend void PrintTo(const PictureCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Text;
    QByteArray Expected;
};

class DecodePictureTextTest : public testing::TestWithParam<PictureCase>
{
};

TEST_P(DecodePictureTextTest, Decodes)
{
    EXPECT_EQ(decode(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    PictureText, DecodePictureTextTest,
    testing::Values(
        PictureCase{"OwnCodes", u"ABC"_s, "ABC"}, PictureCase{"Space", u" 8"_s, " 8"},
        PictureCase{"Zero", u"&"_s, bytes({0})}, PictureCase{"Pair", u"+8"_s, bytes({64})},
        PictureCase{"PairWrapsModulo256", u"(("_s, bytes({0})},
        PictureCase{"PairOfLowCharacters", u"'("_s, bytes({240})},
        PictureCase{"OnlyLowByteCounts", QString(QChar(char16_t(0x0141))), "A"},
        PictureCase{"RunOfCountOneGivesTwo", u"!(A"_s, "AA"},
        PictureCase{"RunThenText", u"!*&Z"_s, bytes({0, 0, 0, 0, 'Z'})},
        PictureCase{"RunOfPair", u"!)+8"_s, bytes({64, 64, 64})},
        PictureCase{"LongRunCount", u"!!(A"_s, QByteArray(89, 'A')},
        PictureCase{"LongRunCountAmpersandIsZero", u"!!&A"_s, QByteArray(88, 'A')},
        PictureCase{"StrideThreeHolesFilled", u"#(AXY"_s, "AXYA"},
        PictureCase{"StrideTwo", u"\")AXY"_s, "AXAYA"},
        PictureCase{"StrideHoleLeftOpen", u"#(AX"_s, "AX_A"},
        PictureCase{"StrideSkipsWrittenBytes", u"\"(A\"(BC"_s, "ABACB"},
        PictureCase{"RunOfHoleMarkerChangesMarker", u"\"(__X"_s, "___X"},
        PictureCase{"HoleMarkerChangeKeepsHolesAhead", u"$(A\"(_Z"_s, "A_Z_A"},
        PictureCase{"CutShortPair", u"AB+"_s, "AB"}, PictureCase{"CutShortRun", u"A!"_s, "A"},
        PictureCase{"CutShortCount", u"A!!"_s, "A"}, PictureCase{"Empty", QString(), QByteArray()}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(PictureText, HugeRunStopsAtTheSizeLimit)
{
    // Seven base-88 digits of the highest value ask for far more than the limit.
    const QByteArray Bytes = decode(u"A!'~~~~~~~B"_s);
    EXPECT_EQ(Bytes, "A");
}

TEST(PictureText, DecodesIntoBufferAtStart)
{
    QBuffer Buffer;
    Buffer.setData("old bytes that are longer");
    Buffer.open(QIODevice::ReadOnly);
    DecodePictureText(Buffer, u"ABC"_s);
    EXPECT_TRUE(Buffer.isOpen());
    EXPECT_EQ(Buffer.pos(), 0);
    EXPECT_EQ(Buffer.readAll(), "ABC");
}

struct FlagCase
{
    friend void PrintTo(const FlagCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString (*Picture)();
};

class BuiltInFlagTest : public testing::TestWithParam<FlagCase>
{
};

TEST_P(BuiltInFlagTest, IsCompleteSixteenBySixteenBitmapFile)
{
    const QByteArray File = decode(GetParam().Picture());
    ASSERT_GE(File.size(), 54);
    const uchar *D = reinterpret_cast<const uchar *>(File.constData());
    EXPECT_EQ(File.left(2), "BM");
    EXPECT_EQ(qFromLittleEndian<quint32>(D + 2), quint32(File.size()));
    const quint32 Offset = qFromLittleEndian<quint32>(D + 10);
    EXPECT_EQ(qFromLittleEndian<quint32>(D + 14), 40u); // info header size
    EXPECT_EQ(qFromLittleEndian<qint32>(D + 18), 16);   // width
    EXPECT_EQ(qFromLittleEndian<qint32>(D + 22), 16);   // height
    EXPECT_EQ(qFromLittleEndian<quint16>(D + 26), 1);   // planes
    EXPECT_EQ(qFromLittleEndian<quint16>(D + 28), 24);  // bits per pixel
    EXPECT_EQ(qFromLittleEndian<quint32>(D + 30), 0u);  // uncompressed
    EXPECT_EQ(File.size(), qsizetype(Offset + 16 * 16 * 3));
}

INSTANTIATE_TEST_SUITE_P(PictureText, BuiltInFlagTest,
                         testing::Values(FlagCase{"Create", &CreateLanguageFlagPicture},
                                         FlagCase{"Edit", &EditLanguageFlagPicture}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(PictureText, BuiltInFlagsDiffer)
{
    EXPECT_NE(decode(CreateLanguageFlagPicture()), decode(EditLanguageFlagPicture()));
}

} // namespace
