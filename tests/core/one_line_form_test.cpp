#include <wordmill/sys/OneLineForm.h>

#include "TestPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

struct EncodeCase
{
    friend void PrintTo(const EncodeCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Input;
    QString Expected;
    bool Changed;
};

class EncodeControlCharsTest : public testing::TestWithParam<EncodeCase>
{
};

TEST_P(EncodeControlCharsTest, EscapesControlCharacters)
{
    const EncodeCase &C = GetParam();
    QString S = C.Input;
    EXPECT_EQ(EncodeControlChars(S), C.Changed);
    EXPECT_EQ(S, C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    OneLineForm, EncodeControlCharsTest,
    testing::Values(EncodeCase{"PlainTextUnchanged", u"Hello, world"_s, u"Hello, world"_s, false},
                    EncodeCase{"EmptyUnchanged", QString(), QString(), false},
                    EncodeCase{"LineBreak", u"a\r\nb"_s, u"a'#13''#10'b"_s, true},
                    EncodeCase{"Tab", u"\tx"_s, u"'#9'x"_s, true},
                    EncodeCase{"CodeZeroDropped", QString(u"a\0b"_s), u"ab"_s, true},
                    EncodeCase{"OnlyCodeZero", QString(QChar(u'\0')), QString(), true},
                    EncodeCase{"Code31AndSpace", QString(QChar(31)) + u" "_s, u"'#31' "_s, true},
                    EncodeCase{"NonAsciiKept", u"čeština\u00ab"_s, u"čeština\u00ab"_s, false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

struct DecodeCase
{
    friend void PrintTo(const DecodeCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Input;
    QString Expected;
};

class DecodeControlCharsTest : public testing::TestWithParam<DecodeCase>
{
};

TEST_P(DecodeControlCharsTest, Decodes)
{
    const DecodeCase &C = GetParam();
    QString S = C.Input;
    DecodeControlChars(S);
    EXPECT_EQ(S, C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    OneLineForm, DecodeControlCharsTest,
    testing::Values(DecodeCase{"SeparateEscapes", u"a'#13''#10'b"_s, u"a\r\nb"_s},
                    DecodeCase{"SeveralCodesAfterOneApostrophe", u"a'#13#10'b"_s, u"a\r\nb"_s},
                    DecodeCase{"SpacesInsideApostrophes", u"a' #9 'b"_s, u"a\tb"_s},
                    DecodeCase{"MissingClosingApostrophe", u"x'#9y"_s, u"x\ty"_s},
                    DecodeCase{"ApostropheInWord", u"it's"_s, u"it's"_s},
                    DecodeCase{"HashWithoutDigits", u"'#x'"_s, u"'#x'"_s},
                    DecodeCase{"HashAtEnd", u"ab'#"_s, u"ab'#"_s},
                    DecodeCase{"CodeAbove65535", u"'#70000'"_s, u"'#70000'"_s},
                    DecodeCase{"LargestCode", u"'#65535'"_s, QString(QChar(char16_t(65535)))},
                    DecodeCase{"LeadingZeros", u"'#0000065'"_s, u"A"_s},
                    DecodeCase{"SecondCodeMalformed", u"'#13#x'"_s, u"\r#x'"_s},
                    DecodeCase{"SecondCodeTooLarge", u"'#13#99999'"_s, u"\r#99999'"_s},
                    DecodeCase{"DoubledApostropheBeforeEscape", u"''#65'"_s, u"'A"_s},
                    DecodeCase{"HashAfterClosedEscapeIsText", u"Line1'#13''#10'#1 step"_s,
                               u"Line1\r\n#1 step"_s},
                    DecodeCase{"HashAfterSpaceAndClosedEscapeIsText", u"'#9 '#5"_s, u"\t#5"_s},
                    DecodeCase{"NonControlCode", u"x'#269'y"_s, u"xčy"_s},
                    DecodeCase{"ApostropheOnly", u"'"_s, u"'"_s},
                    DecodeCase{"Empty", QString(), QString()}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(OneLineForm, EncodeDecodeRoundTripsEveryControlCharacterButZero)
{
    QString Original = u"start"_s;
    for (char16_t C = 1; C < 32; ++C)
        Original += QChar(C) + u"'x #"_s + QString::number(C);
    QString S = Original;
    EXPECT_TRUE(EncodeControlChars(S));
    for (QChar C : S)
        EXPECT_GE(C.unicode(), 32);
    DecodeControlChars(S);
    EXPECT_EQ(S, Original);
}

TEST(OneLineForm, FormatCharCode)
{
    EXPECT_EQ(FormatCharCode(9), u"'#9'"_s);
    EXPECT_EQ(FormatCharCode(65535), u"'#65535'"_s);
}

TEST(OneLineForm, EncodeCharEscapesOneCharacter)
{
    QString S = u"a;b;c"_s;
    EXPECT_TRUE(EncodeChar(S, u';'));
    EXPECT_EQ(S, u"a'#59'b'#59'c"_s);
    EXPECT_FALSE(EncodeChar(S, u'x'));
    EXPECT_EQ(S, u"a'#59'b'#59'c"_s);
    DecodeControlChars(S);
    EXPECT_EQ(S, u"a;b;c"_s);
}

struct TrimCase
{
    friend void PrintTo(const TrimCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Input;
    bool KeepEscaped;
    QString Expected;
};

class TrimControlCharsTest : public testing::TestWithParam<TrimCase>
{
};

TEST_P(TrimControlCharsTest, Trims)
{
    const TrimCase &C = GetParam();
    EXPECT_EQ(TrimControlChars(C.Input, C.KeepEscaped), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    OneLineForm, TrimControlCharsTest,
    testing::Values(TrimCase{"SpacesNextToTextStay", u"\n ab \r"_s, false, u" ab "_s},
                    TrimCase{"CutsThroughLastLeadingControl", u"\r\n \t x"_s, false, u" x"_s},
                    TrimCase{"SpacesWithoutControlStay", u"  x  "_s, false, u"  x  "_s},
                    TrimCase{"InnerLineBreaksBecomeSpaces", u"a\r\nb\tc"_s, false, u"a  b\tc"_s},
                    TrimCase{"InnerControlsEscaped", u"\ta\r\nb\n"_s, true, u"a'#13''#10'b"_s},
                    TrimCase{"SpaceAfterLastControlStays", u" \r \n "_s, false, u" "_s},
                    TrimCase{"Empty", QString(), true, QString()}),
    [](const auto &Info) { return std::string(Info.param.Name); });

} // namespace
