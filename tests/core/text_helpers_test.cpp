#include <wordmill/WordmillSys.h>

#include "TestPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

TEST(TextHelpers, AsciiLowerCaseLeavesNonAsciiCapitals)
{
    EXPECT_EQ(AsciiLowerCase(u"ČEština AZ az 09"_s), u"Čeština az az 09"_s);
}

TEST(TextHelpers, ReplaceChar)
{
    QString S = u"a.b.c"_s;
    ReplaceChar(S, u'.', u':');
    EXPECT_EQ(S, u"a:b:c"_s);
}

TEST(TextHelpers, ContainsLetterNeedsCodeFromCapitalA)
{
    EXPECT_FALSE(ContainsLetter(u"1. - 3.@ ?"_s));
    EXPECT_FALSE(ContainsLetter(QString()));
    EXPECT_TRUE(ContainsLetter(u"1A"_s));
    EXPECT_TRUE(ContainsLetter(u"[_]"_s));
    EXPECT_TRUE(ContainsLetter(u"ř"_s));
}

struct LastPosCase
{
    friend void PrintTo(const LastPosCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Sub;
    int FirstPos;
    QString S;
    int Expected;
};

class LastPosTest : public testing::TestWithParam<LastPosCase>
{
};

TEST_P(LastPosTest, FindsLastOccurrence)
{
    const LastPosCase &C = GetParam();
    EXPECT_EQ(LastPos(C.Sub, C.FirstPos, C.S), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(TextHelpers, LastPosTest,
                         testing::Values(LastPosCase{"NoFirstOccurrence", u"ab"_s, 0, u"xx"_s, 0},
                                         LastPosCase{"NegativeFirstPos", u"ab"_s, -1, u"ab"_s, 0},
                                         LastPosCase{"OnlyOccurrence", u"ab"_s, 3, u"xxab"_s, 3},
                                         LastPosCase{"LaterOccurrence", u"ab"_s, 1, u"abxab"_s, 4},
                                         LastPosCase{"Overlapping", u"aa"_s, 1, u"aaa"_s, 2}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(TextHelpers, TrimTextCutsSpacesAndControls)
{
    EXPECT_EQ(TrimText(u" \t a b \r\n"_s), u"a b"_s);
    EXPECT_EQ(TrimText(u" \t "_s), QString());
    EXPECT_EQ(TrimText(u"\u00a0x\u00a0"_s), u"\u00a0x\u00a0"_s);
}

// Language-file line fields.

struct FieldCase
{
    friend void PrintTo(const FieldCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Line;
    QString Key;
    QString Expected;
};

class ExtractFieldTest : public testing::TestWithParam<FieldCase>
{
};

TEST_P(ExtractFieldTest, Extracts)
{
    const FieldCase &C = GetParam();
    EXPECT_EQ(ExtractField(C.Line, C.Key), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    LineFields, ExtractFieldTest,
    testing::Values(
        FieldCase{"FollowedByMoreFields", u"%CODE=en;\t%FILEVER=WMLF1;"_s, u"%CODE="_s, u"en"_s},
        FieldCase{"NoSemicolon", u"%CODE=en"_s, u"%CODE="_s, QString()},
        FieldCase{"EmptyValue", u"%OWNER=;"_s, u"%OWNER="_s, QString()},
        FieldCase{"KeyAbsent", u"%OWNER=Form1;"_s, u"%COMPONENT="_s, QString()},
        FieldCase{"CaseSensitive", u"%code=en;"_s, u"%CODE="_s, QString()},
        FieldCase{"FirstOccurrence", u"%ITEM=1;%ITEM=2;"_s, u"%ITEM="_s, u"1"_s},
        FieldCase{"InsideQuotedText", u"\"x %OWNER=y; z\"\t%OWNER=F;"_s, u"%OWNER="_s, u"y"_s}),
    [](const auto &Info) { return std::string(Info.param.Name); });

struct QuotedCase
{
    friend void PrintTo(const QuotedCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Line;
    QString Expected;
};

class ExtractQuotedTest : public testing::TestWithParam<QuotedCase>
{
};

TEST_P(ExtractQuotedTest, Extracts)
{
    const QuotedCase &C = GetParam();
    EXPECT_EQ(ExtractQuoted(C.Line), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(LineFields, ExtractQuotedTest,
                         testing::Values(QuotedCase{"InnerQuotesKept",
                                                    u"\"Say \"hi\" now\"\t%COMPONENT=a;"_s,
                                                    u"Say \"hi\" now"_s},
                                         QuotedCase{"NoQuote", u"%COMPONENT=a;"_s, QString()},
                                         QuotedCase{"SingleQuote", u"\"abc"_s, QString()},
                                         QuotedCase{"QuoteIsLastCharacter", u"abc\""_s, QString()},
                                         QuotedCase{"EmptyQuotes", u"\"\"\t%ITEM=1;"_s, QString()},
                                         QuotedCase{"RawTab", u"\"a\tb\""_s, u"a\tb"_s}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(LineFields, ExtractQuotedTextEscapesControls)
{
    EXPECT_EQ(ExtractQuotedText(u"\"a\tb\"\t%COMPONENT=x;"_s), u"a'#9'b"_s);
}

TEST(LineFields, LineValueIsTextAfterFirstTab)
{
    EXPECT_EQ(LineValue(u"0\t\"a\"\t%OLD"_s), u"\"a\"\t%OLD"_s);
    EXPECT_EQ(LineValue(u"no tab"_s), QString());
}

TEST(LineFields, TryLineIDReadsIntegerFirstColumn)
{
    const QStringList List = {u"12\tvalue"_s, u"-3\t"_s, u"abc\tvalue"_s,
                              u"\tvalue"_s,   u"42"_s,   u"1x\t"_s};
    int ID = 99;
    EXPECT_TRUE(TryLineID(List, 0, ID));
    EXPECT_EQ(ID, 12);
    EXPECT_TRUE(TryLineID(List, 1, ID));
    EXPECT_EQ(ID, -3);
    ID = 99;
    EXPECT_FALSE(TryLineID(List, 2, ID));
    EXPECT_FALSE(TryLineID(List, 3, ID));
    EXPECT_FALSE(TryLineID(List, 4, ID)) << "a line without tab is no line";
    EXPECT_FALSE(TryLineID(List, 5, ID));
    EXPECT_FALSE(TryLineID(List, 6, ID));
    EXPECT_FALSE(TryLineID(List, -1, ID));
    EXPECT_EQ(ID, 99);
}

// Names and item addresses.

TEST(ItemAddress, SanitizeNameMakesNamesSafe)
{
    EXPECT_EQ(SanitizeName(u"Menu.File,Open;\"x\""_s), u"Menu:File Open  x "_s);
}

struct IdentifierCase
{
    friend void PrintTo(const IdentifierCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Input;
    QString Expected;
};

class MakeIdentifierTest : public testing::TestWithParam<IdentifierCase>
{
};

TEST_P(MakeIdentifierTest, Builds)
{
    EXPECT_EQ(MakeIdentifier(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    ItemAddress, MakeIdentifierTest,
    testing::Values(IdentifierCase{"LeadingDigit", u"2nd item"_s, u"_2nditem"_s},
                    IdentifierCase{"InnerDigitsKept", u"Item 10"_s, u"Item10"_s},
                    IdentifierCase{"PunctuationDropped", u"&Open...!"_s, u"Open"_s},
                    IdentifierCase{"UnderscoreAndNonAsciiKept", u"_Ulož-to"_s, u"_Uložto"_s},
                    IdentifierCase{"NothingLeft", u" - 1. "_s, u"_1"_s},
                    IdentifierCase{"Empty", u"?!"_s, QString()}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(ItemAddress, BuildsAddresses)
{
    EXPECT_EQ(IndexText(-7), u"-7"_s);
    EXPECT_EQ(AppendIndex(IndexText(2), 3), u"2,3"_s);
    EXPECT_EQ(AppendIndexText(u"2"_s, u"x"_s), u"2,x"_s);
    EXPECT_EQ(AppendPropertyID(u"2,3"_s, 128 + 64), u"2,3.64"_s);
    EXPECT_EQ(AppendSubID(u"1"_s, 500), u"1.500"_s);
    EXPECT_EQ(AppendName(u"1"_s, SanitizeName(u"Menu.File"_s)), u"1.Menu:File"_s);
}

TEST(ItemAddress, PropertyTypeNumbers)
{
    static_assert(StringPropertyID(5) == 5 && StringPropertyID(130) == 2);
    static_assert(StringsPropertyID(1) == 33);
    static_assert(StructuredPropertyID(2) == 66);
    static_assert(OtherPropertyID(129) == 97);
    SUCCEED();
}

// Language names and codes.

struct ISOCase
{
    friend void PrintTo(const ISOCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Input;
    bool Valid;
    QString Expected;
};

class NormalizeISOCodeTest : public testing::TestWithParam<ISOCase>
{
};

TEST_P(NormalizeISOCodeTest, Normalizes)
{
    const ISOCase &C = GetParam();
    QString Code = C.Input;
    EXPECT_EQ(NormalizeISOCode(Code), C.Valid);
    EXPECT_EQ(Code, C.Expected);
}

INSTANTIATE_TEST_SUITE_P(LanguageNames, NormalizeISOCodeTest,
                         testing::Values(ISOCase{"TrimmedAndLowered", u" CS "_s, true, u"cs"_s},
                                         ISOCase{"TableEntry", u"cs - Czech"_s, true, u"cs"_s},
                                         ISOCase{"RegionCut", u"EN-us"_s, true, u"en"_s},
                                         ISOCase{"ControlCharsTrimmed", u"\tde\r\n"_s, true,
                                                 u"de"_s},
                                         ISOCase{"TooShort", u"c"_s, false, QString()},
                                         ISOCase{"Digit", u"1a"_s, false, QString()},
                                         ISOCase{"NoCodeMarker", u"xx"_s, false, QString()},
                                         ISOCase{"NonAsciiLetter", u"čs"_s, false, QString()},
                                         ISOCase{"OnlySpaces", u"   "_s, false, QString()},
                                         ISOCase{"Empty", QString(), false, QString()}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct NameCase
{
    friend void PrintTo(const NameCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Input;
    bool Czech;
    bool Slovak;
    bool English;
};

class LanguageNameTest : public testing::TestWithParam<NameCase>
{
};

TEST_P(LanguageNameTest, Recognises)
{
    const NameCase &C = GetParam();
    EXPECT_EQ(IsCzechName(C.Input), C.Czech);
    EXPECT_EQ(IsSlovakName(C.Input), C.Slovak);
    EXPECT_EQ(IsEnglishName(C.Input), C.English);
}

INSTANTIATE_TEST_SUITE_P(
    LanguageNames, LanguageNameTest,
    testing::Values(NameCase{"CzechUpperCase", u"ČEŠTINA"_s, true, false, false},
                    NameCase{"CzechAsciiCapitalLowered", u"čEština"_s, true, false, false},
                    NameCase{"CzechNonAsciiCapitalNotLowered", u"ČEština"_s, false, false, false},
                    NameCase{"CzechInGerman", u"Tschechisch"_s, true, false, false},
                    NameCase{"CzechInItalian", u"Ceco"_s, true, false, false},
                    NameCase{"CzechPhrase", u"Český jazyk"_s, true, false, false},
                    NameCase{"CzechMustMatchWhole", u"Czech Republic"_s, false, false, false},
                    NameCase{"SlovakInSlovak", u"Slovenčina"_s, false, true, false},
                    NameCase{"SlovakInGerman", u"SLOWAKISCH"_s, false, true, false},
                    NameCase{"EnglishInCzech", u"Angličtina"_s, false, false, true},
                    NameCase{"EnglishInSpanish", u"Inglés"_s, false, false, true},
                    NameCase{"EnglishUpperSpanish", u"INGLÉS"_s, false, false, true},
                    NameCase{"EnglishUpperCzech", u"ANGLIČTINA"_s, false, false, true},
                    NameCase{"British", u"Britannique"_s, false, false, true},
                    NameCase{"German", u"Deutsch"_s, false, false, false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Paths.

struct PathCase
{
    friend void PrintTo(const PathCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    PathFlavour Flavour;
    QString Base;
    QString Sub;
    QString Expected;
};

class CombinePathTest : public testing::TestWithParam<PathCase>
{
};

TEST_P(CombinePathTest, Combines)
{
    const PathCase &C = GetParam();
    EXPECT_EQ(CombinePath(C.Base, C.Sub, C.Flavour), C.Expected);
}

constexpr PathFlavour Win = PathFlavour::Windows;
constexpr PathFlavour Posix = PathFlavour::Posix;

INSTANTIATE_TEST_SUITE_P(
    Paths, CombinePathTest,
    testing::Values(
        PathCase{"WinRelative", Win, u"C:\\App\\"_s, u"lang"_s, u"C:\\App\\lang\\"_s},
        PathCase{"WinLeadingBackslash", Win, u"C:\\App\\"_s, u"\\lang"_s, u"C:\\App\\lang\\"_s},
        PathCase{"WinLeadingSlash", Win, u"C:\\App\\"_s, u"/lang"_s, u"C:\\App\\lang\\"_s},
        PathCase{"WinDrive", Win, u"C:\\App\\"_s, u"D:\\x"_s, u"D:\\x\\"_s},
        PathCase{"WinShare", Win, u"C:\\App\\"_s, u"\\\\srv\\share\\l"_s, u"\\\\srv\\share\\l\\"_s},
        PathCase{"WinForwardSlashes", Win, u"C:\\App\\"_s, u"a/b"_s, u"C:\\App\\a\\b\\"_s},
        PathCase{"WinEmptySub", Win, u"C:\\App\\"_s, QString(), u"C:\\App\\"_s},
        PathCase{"WinBaseWithoutSeparator", Win, u"C:\\App"_s, u"lang"_s, u"C:\\App\\lang\\"_s},
        PathCase{"WinBareDrive", Win, u"C:"_s, u"lang"_s, u"C:lang\\"_s},
        PathCase{"WinBothEmpty", Win, QString(), QString(), QString()},
        PathCase{"PosixRelative", Posix, u"/opt/app/"_s, u"lang"_s, u"/opt/app/lang/"_s},
        PathCase{"PosixBackslashRelative", Posix, u"/opt/app/"_s, u"\\lang"_s, u"/opt/app/lang/"_s},
        PathCase{"PosixAbsolute", Posix, u"/opt/app/"_s, u"/usr/share/l"_s, u"/usr/share/l/"_s},
        PathCase{"PosixBackslashes", Posix, u"/opt/app/"_s, u"a\\b"_s, u"/opt/app/a/b/"_s},
        PathCase{"PosixBaseWithoutSeparator", Posix, u"/opt/app"_s, u"lang"_s, u"/opt/app/lang/"_s},
        PathCase{"PosixDriveIsNotAbsolute", Posix, u"/opt/"_s, u"D:\\x"_s, u"/opt/D:/x/"_s}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(Paths, NormalizeDirectory)
{
    EXPECT_EQ(NormalizeDirectory(u"C:/a//b"_s, Win), u"C:\\a\\\\b\\"_s);
    EXPECT_EQ(NormalizeDirectory(u"C:\\a\\"_s, Win), u"C:\\a\\"_s);
    EXPECT_EQ(NormalizeDirectory(QString(), Win), QString());
    EXPECT_EQ(NormalizeDirectory(u"a\\b"_s, Posix), u"a/b/"_s);
    EXPECT_EQ(NormalizeDirectory(u"/"_s, Posix), u"/"_s);
}

TEST(Paths, NativeFlavourIsDefault)
{
#ifdef Q_OS_WIN
    EXPECT_EQ(CombinePath(u"C:\\App\\"_s, u"lang"_s), u"C:\\App\\lang\\"_s);
#else
    EXPECT_EQ(CombinePath(u"/opt/app/"_s, u"\\lang"_s), u"/opt/app/lang/"_s);
#endif
}

} // namespace
