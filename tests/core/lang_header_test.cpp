#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/TextLines.h>

#include "TestPrinters.h"

#include <QBuffer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

const QString Signature = u"[LANGUAGE_FILE]"_s;

const QStringList EnglishFile = {
    u"[LANGUAGE_FILE]"_s,
    u"0\t%LANGUAGE_NAME=\"english\"\t%CODE=en;\t%SUPERIOR_LANGUAGE=čeština;\t%FILEVER=WMLF1;"_s,
    u"0\t\"close\"\t%COMPONENT=konecb;\t%OWNER=Form1;"_s,
    u"0\t%LEXICON_STRINGS"_s,
    u"0\t%SMART_STRINGS"_s,
};

// Text lines.

struct SplitCase
{
    friend void PrintTo(const SplitCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QString Text;
    QStringList Expected;
};

class SplitTextLinesTest : public testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitTextLinesTest, Splits)
{
    EXPECT_EQ(SplitTextLines(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextLines, SplitTextLinesTest,
    testing::Values(SplitCase{"CrLf", u"a\r\nb\r\n"_s, {u"a"_s, u"b"_s}},
                    SplitCase{"LoneLf", u"a\nb"_s, {u"a"_s, u"b"_s}},
                    SplitCase{"LoneCr", u"a\rb\r"_s, {u"a"_s, u"b"_s}},
                    SplitCase{"LfCrIsTwoBreaks", u"a\n\rb"_s, {u"a"_s, QString(), u"b"_s}},
                    SplitCase{"EmptyLinesKept", u"\r\n\r\nx"_s, {QString(), QString(), u"x"_s}},
                    SplitCase{"OnlyBreak", u"\r\n"_s, {QString()}},
                    SplitCase{"TabsStay", u"0\ta\tb"_s, {u"0\ta\tb"_s}},
                    SplitCase{"Empty", QString(), {}}),
    [](const auto &Info) { return std::string(Info.param.Name); });

struct EncodingCase
{
    friend void PrintTo(const EncodingCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QByteArray Bom;
    QStringConverter::Encoding Encoding;
};

class TextEncodingTest : public testing::TestWithParam<EncodingCase>
{
};

QByteArray encodedFile(const EncodingCase &C, const QString &Text)
{
    QStringEncoder Encoder(C.Encoding);
    return C.Bom + QByteArray(Encoder.encode(Text));
}

TEST_P(TextEncodingTest, DecodesByByteOrderMark)
{
    const QString Text = u"[LANGUAGE_FILE]\r\n0\t\"Čeština ÿ €\"\r\n"_s;
    EXPECT_EQ(DecodeText(encodedFile(GetParam(), Text)), Text);
}

TEST_P(TextEncodingTest, FileHeaderReadsEveryEncoding)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString FileName = Dir.filePath(u"czech.lng"_s);
    QFile File(FileName);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    const QString Text =
        u"[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"čeština\"\t%CODE=cs;\r\n0\t%LEXICON_STRINGS\r\n"_s;
    File.write(encodedFile(GetParam(), Text));
    File.close();

    TLangIDs IDs{u"stale"_s, u"xx"_s};
    ReadLangFileHeader(FileName, Signature, false, IDs);
    EXPECT_EQ(IDs.Name, u"čeština"_s);
    EXPECT_EQ(IDs.Code, u"cs"_s);
}

INSTANTIATE_TEST_SUITE_P(
    TextLines, TextEncodingTest,
    testing::Values(EncodingCase{"Utf16LittleEndian", "\xFF\xFE", QStringConverter::Utf16LE},
                    EncodingCase{"Utf16BigEndian", "\xFE\xFF", QStringConverter::Utf16BE},
                    EncodingCase{"Utf8", "\xEF\xBB\xBF", QStringConverter::Utf8},
                    EncodingCase{"SystemWithoutMark", QByteArray(), QStringConverter::System}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(TextLines, SecondMarkBelongsToText)
{
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF\xEF\xBB\xBFx"), u"\ufeffx"_s);
}

TEST(TextLines, LoadTextLinesReadsFromCurrentPositionAndOpensClosedDevices)
{
    QBuffer Buffer;
    Buffer.setData("skip\r\na\r\nb");
    QStringList Lines{u"stale"_s};
    EXPECT_TRUE(LoadTextLines(Buffer, Lines));
    EXPECT_EQ(Lines, QStringList({u"skip"_s, u"a"_s, u"b"_s}));
    EXPECT_FALSE(Buffer.isOpen());

    Buffer.open(QIODevice::ReadOnly);
    Buffer.seek(6);
    EXPECT_TRUE(LoadTextLines(Buffer, Lines));
    EXPECT_EQ(Lines, QStringList({u"a"_s, u"b"_s}));
    EXPECT_TRUE(Buffer.isOpen());
}

TEST(TextLines, UnreadableDeviceFails)
{
    QBuffer WriteOnly;
    WriteOnly.open(QIODevice::WriteOnly);
    QStringList Lines{u"stale"_s};
    EXPECT_FALSE(LoadTextLines(WriteOnly, Lines));
    EXPECT_TRUE(Lines.isEmpty());
    EXPECT_FALSE(LoadTextFile(u"/nonexistent/dir/file.lng"_s, Lines));
}

// Header reader.

struct HeaderCase
{
    friend void PrintTo(const HeaderCase &C, std::ostream *Os) { *Os << C.Name; }

    const char *Name;
    QStringList Lines;
    TLangIDs Expected;
};

class ReadLangHeaderTest : public testing::TestWithParam<HeaderCase>
{
};

TEST_P(ReadLangHeaderTest, Reads)
{
    TLangIDs IDs{u"stale"_s, u"zz"_s};
    ReadLangHeader(GetParam().Lines, Signature, false, IDs);
    EXPECT_EQ(IDs.Name, GetParam().Expected.Name);
    EXPECT_EQ(IDs.Code, GetParam().Expected.Code);
}

QStringList withHeader(const QString &HeaderValue, const QString &First = u"[LANGUAGE_FILE]"_s)
{
    return {First, u"0\t"_s + HeaderValue, u"0\t%LEXICON_STRINGS"_s};
}

INSTANTIATE_TEST_SUITE_P(
    LangHeader, ReadLangHeaderTest,
    testing::Values(
        HeaderCase{"EnglishResource", EnglishFile, {u"english"_s, u"en"_s}},
        HeaderCase{"TwoLinesAreNoLanguage",
                   {u"[LANGUAGE_FILE]"_s, u"0\t%LANGUAGE_NAME=\"x\"\t%CODE=en;"_s},
                   {}},
        HeaderCase{"SignatureCaseMatters",
                   withHeader(u"%LANGUAGE_NAME=\"x\";"_s, u"[language_file]"_s),
                   {}},
        HeaderCase{"SignatureTrimmed",
                   withHeader(u"%LANGUAGE_NAME=\"x\""_s, u" \t[LANGUAGE_FILE] \r"_s),
                   {u"x"_s, QString()}},
        HeaderCase{
            "OtherSignature", withHeader(u"%LANGUAGE_NAME=\"x\""_s, u"[LEXICON_FILE]"_s), {}},
        HeaderCase{
            "CodeLowered", withHeader(u"%LANGUAGE_NAME=\"x\"\t%CODE=EN;"_s), {u"x"_s, u"en"_s}},
        HeaderCase{
            "CodeXxIsNone", withHeader(u"%LANGUAGE_NAME=\"x\"\t%CODE=xx;"_s), {u"x"_s, QString()}},
        HeaderCase{
            "CodeTooShort", withHeader(u"%LANGUAGE_NAME=\"x\"\t%CODE=e;"_s), {u"x"_s, QString()}},
        HeaderCase{"CodeWithoutSemicolon",
                   withHeader(u"%LANGUAGE_NAME=\"x\"\t%CODE=en"_s),
                   {u"x"_s, QString()}},
        HeaderCase{"InnerQuotesKept",
                   withHeader(u"%LANGUAGE_NAME=\"a \"b\" c\""_s),
                   {u"a \"b\" c"_s, QString()}},
        HeaderCase{"UnnamedHeaderSkipped",
                   {u"[LANGUAGE_FILE]"_s, u"0\t%LANGUAGE_NAME=\t%CODE=de;"_s,
                    u"0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=de;"_s},
                   {u"Deutsch"_s, u"de"_s}},
        HeaderCase{"CodeOfLastHeaderWithoutName",
                   {u"[LANGUAGE_FILE]"_s, u"0\t%LANGUAGE_NAME=\t%CODE=de;"_s, u"0\t\"x\""_s},
                   {QString(), u"de"_s}},
        HeaderCase{"HeaderNeedsTab",
                   {u"[LANGUAGE_FILE]"_s, u"%LANGUAGE_NAME=\"x\"\t%CODE=en;"_s, u"0\t"_s},
                   {QString(), QString()}}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(LangHeader, LoadFlagReadsFlagSectionAfterHeader)
{
    QStringList Lines = EnglishFile;
    Lines << u"0\t%FLAG_ICON"_s << u"0\t424D"_s << u"1\t0102"_s;
    ClearFlagBuffer();
    TLangIDs IDs;
    ReadLangHeader(Lines, Signature, true, IDs);
    EXPECT_EQ(IDs.Name, u"english"_s);
    EXPECT_EQ(FlagIconBuffer().data(), QByteArray("BM\x01\x02"));
    EXPECT_EQ(FlagIconBuffer().pos(), 0);
}

TEST(LangHeader, FlagMarkerInsideQuotedTextIsNoSection)
{
    QStringList Lines = EnglishFile;
    Lines << u"0\t\"%FLAG_ICON\""_s << u"0\t4142"_s;
    FlagIconBuffer().write("old");
    TLangIDs IDs;
    ReadLangHeader(Lines, Signature, true, IDs);
    EXPECT_FALSE(FlagBufferHasData());
}

TEST(LangHeader, WithoutLoadFlagBufferIsLeftAlone)
{
    QStringList Lines = EnglishFile;
    Lines << u"0\t%FLAG_ICON"_s << u"0\t4142"_s;
    ClearFlagBuffer();
    FlagIconBuffer().write("old");
    TLangIDs IDs;
    ReadLangHeader(Lines, Signature, false, IDs);
    EXPECT_EQ(FlagIconBuffer().data(), "old");
}

TEST(LangHeader, MissingOrUnreadableFileGivesEmptyIDs)
{
    QTemporaryDir Dir;
    TLangIDs IDs{u"stale"_s, u"en"_s};
    ReadLangFileHeader(Dir.filePath(u"missing.lng"_s), Signature, true, IDs);
    EXPECT_EQ(IDs, TLangIDs());
    IDs = {u"stale"_s, u"en"_s};
    ReadLangFileHeader(Dir.path(), Signature, true, IDs);
    EXPECT_EQ(IDs, TLangIDs());
    IDs = {u"stale"_s, u"en"_s};
    ReadLangFileHeader(QString(), Signature, true, IDs);
    EXPECT_EQ(IDs, TLangIDs());
}

TEST(LangHeader, StreamHeader)
{
    QStringEncoder Encoder(QStringConverter::Utf16LE);
    QBuffer Stream;
    Stream.setData("\xFF\xFE" + QByteArray(Encoder.encode(EnglishFile.join(u"\r\n"_s))));
    TLangIDs IDs;
    ReadLangStreamHeader(Stream, Signature, false, IDs);
    EXPECT_EQ(IDs, (TLangIDs{u"english"_s, u"en"_s}));

    QBuffer Empty;
    IDs = {u"stale"_s, u"en"_s};
    ReadLangStreamHeader(Empty, Signature, false, IDs);
    EXPECT_EQ(IDs, TLangIDs());
}

} // namespace
