#include "LogCapture.h"
#include "TestPrinters.h"

#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/TextLines.h>

#include <QStringEncoder>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace wordmill {
// A language's data prints as the file the writer makes of it.
void PrintTo(const TLanguageFileData &data, std::ostream *os)
{
    *os << '\n' << WriteLanguageText(data, u"[LANGUAGE_FILE]").toStdString();
}
} // namespace wordmill

namespace {

const QString Signature = u"[LANGUAGE_FILE]"_s;

QString fileText(const QStringList &lines)
{
    return lines.join(u"\r\n"_s) + u"\r\n"_s;
}

TFullStructLine component(const QString &name, const QString &owner, int id,
                          const QString &translation, quint16 changeable = ChangeableTranslatable,
                          const QString &item = {})
{
    TFullStructLine line;
    line.CompName = name;
    line.OwnerName = owner;
    line.PropertyID = quint16(id);
    line.Translation = translation;
    line.ItemAddr = item;
    line.Descent = DescentOwn;
    line.Changeable = changeable;
    return line;
}

// A language with every part of the format.
TLanguageFileData fullLanguage()
{
    TLanguageFileData data;
    data.Headers = {{u"Deutsch"_s, u"de"_s, u"čeština"_s, LangFileVersion}};
    data.Components = {
        component(u"Form1"_s, QString(), 0, u"Titel mit \"Zitat\""_s),
        component(u"List1"_s, u"Form1"_s, 33, QString(), ChangeableOld, u"2"_s),
        component(u"Memo1"_s, u"Form1"_s, 32, u"Zeile'#13''#10'zwei"_s, ChangeableTranslatable,
                  u"0"_s),
    };
    data.Lexicons = {{u"Form1.Lexicon1"_s, false, {{0, u"Hallo"_s}, {7, u"Ende"_s}}},
                     {u"WordmillEngine1"_s, true, {{2, u"> Bearbeiten <"_s}}}};
    data.GlobalPairs = {{u"Ano"_s, u"Ja"_s}};
    data.SmartLexicons = {{u"Form1.Lexicon1"_s, {{u"Yes"_s, u"Jawohl"_s}, {u"No"_s, u"Nein"_s}}}};
    data.Flag = QByteArray(51, '\x42');
    return data;
}

} // namespace

TEST(LanguageFileWriter, WritesEveryPartInItsPlace)
{
    const QStringList lines =
        WriteLanguageText(fullLanguage(), u"[LANGUAGE_FILE]").split(u"\r\n"_s);
    EXPECT_EQ(
        lines,
        (QStringList{
            u"[LANGUAGE_FILE]"_s,
            u"0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=de;\t%SUPERIOR_LANGUAGE=čeština;\t%FILEVER=WMLF1;"_s,
            u"0\t\"Titel mit \"Zitat\"\"\t%COMPONENT=Form1;\t%OWNER=;"_s,
            u"33\t%NOTRANS\t%COMPONENT=List1;\t%OWNER=Form1;\t%ITEM=2;\t%OLD"_s,
            u"32\t\"Zeile'#13''#10'zwei\"\t%COMPONENT=Memo1;\t%OWNER=Form1;\t%ITEM=0;"_s,
            u"0\t%LEXICON_STRINGS"_s,
            u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s,
            u"0\t\"Hallo\""_s,
            u"7\t\"Ende\""_s,
            u"0\t%LEXICON_NAME=WordmillEngine1;\t%WORDMILL"_s,
            u"2\t\"> Bearbeiten <\""_s,
            u"0\t%SMART_STRINGS"_s,
            u"0\t\"Ano\""_s,
            u"0\t\"Ja\""_s,
            u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s,
            u"0\t\"Yes\""_s,
            u"0\t\"Jawohl\""_s,
            u"1\t\"No\""_s,
            u"1\t\"Nein\""_s,
            u"0\t%FLAG_ICON"_s,
            u"0\t"_s + QString(50, u'x').replace(u"x"_s, u"42"_s),
            u"1\t42"_s,
            QString(), // the last line ends with CR LF as well
        }));
}

struct EncodingCase
{
    const char *name;
    QStringConverter::Encoding encoding;
    QByteArray mark;
    friend void PrintTo(const EncodingCase &c, std::ostream *os) { *os << c.name; }
};

class LanguageFileRoundTrip : public testing::TestWithParam<EncodingCase>
{
};

TEST_P(LanguageFileRoundTrip, ReadsBackWhatWasWritten)
{
    const TLanguageFileData written = fullLanguage();
    ASSERT_EQ(LanguageFileAmbiguity(written), QString());
    const QByteArray bytes = WriteLanguageFile(written, Signature, GetParam().encoding);
    EXPECT_TRUE(bytes.startsWith(GetParam().mark));
    TLanguageFileData read;
    ASSERT_TRUE(ReadLanguageFile(bytes, Signature, u"Deutsch"_s, read));
    EXPECT_EQ(read, written);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, LanguageFileRoundTrip,
    testing::Values(EncodingCase{"Utf16LE", QStringConverter::Utf16LE, "\xFF\xFE"},
                    EncodingCase{"Utf16BE", QStringConverter::Utf16BE, "\xFE\xFF"},
                    EncodingCase{"Utf8", QStringConverter::Utf8, "\xEF\xBB\xBF"},
                    EncodingCase{"SystemWithoutMark", QStringConverter::System, "[LANG"}),
    [](const auto &info) { return std::string(info.param.name); });

// What the reader makes of a file: each row a file and the data expected
// (built from an empty one).
struct ReadCase
{
    const char *name;
    QStringList lines; // after the signature line
    QString language;
    std::function<void(TLanguageFileData &)> expected;
    friend void PrintTo(const ReadCase &c, std::ostream *os) { *os << c.name; }
};

const ReadCase readCases[] = {
    {"HeadersUntilTheNamedOneAreKeptAndSectionsFollowIt",
     {u"0\t\"before\"\t%COMPONENT=A;\t%OWNER=;"_s,
      u"0\t%LANGUAGE_NAME=\"Other\"\t%CODE=EN-us;\t%SUPERIOR_LANGUAGE=X;"_s,
      u"%LANGUAGE_NAME=\"Deutsch\" %FILEVER=WMLF0;"_s, // a header line needs no ID
      u"0\t\"after\"\t%COMPONENT=B;\t%OWNER=;"_s, u"0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=fr;"_s},
     u"Deutsch"_s,
     [](TLanguageFileData &d) {
         d.Headers = {{u"Other"_s, u"en"_s, u"X"_s, QString()},
                      {u"Deutsch"_s, QString(), QString(), u"WMLF0"_s}};
         d.Components = {component(u"B"_s, QString(), 0, u"after"_s)};
         // The later header line is an ordinary line of the section:
         // it has no component and is skipped.
     }},
    {"HeadersNamingTheLanguageOtherwiseGiveNoSections",
     {u"0\t%LANGUAGE_NAME=\"deutsch\""_s, u"0\t\"x\"\t%COMPONENT=B;\t%OWNER=;"_s},
     u"Deutsch"_s,
     [](TLanguageFileData &d) {
         d.Headers = {{u"deutsch"_s, {}, {}, {}}};
     }},
    {"ComponentLinesKeepTheirFieldsAndSkipWhatIsNoLine",
     {u"0\t%LANGUAGE_NAME=\"L\""_s, u"5\t\"a\tb\"\t%COMPONENT=Edit1;\t%OWNER=Form1;\t%ITEM=1,2;"_s,
      u"0\t\"says %OLD\"\t%OWNER=Form1;\t%COMPONENT=Label1;"_s,
      u"7\tx %NOTRANS \"kept\"\t%COMPONENT=C;"_s, u"0\t\"no component\"\t%OWNER=Form1;"_s,
      u"-1\t\"negative\"\t%COMPONENT=N;"_s, u"65536\t\"too big\"\t%COMPONENT=N;"_s,
      u"x\t\"no ID\"\t%COMPONENT=N;"_s, u"0\t\"\""_s, u"no tab %COMPONENT=N;"_s},
     u"L"_s,
     [](TLanguageFileData &d) {
         d.Headers = {{u"L"_s, {}, {}, {}}};
         d.Components = {
             component(u"Edit1"_s, u"Form1"_s, 5, u"a'#9'b"_s, ChangeableTranslatable, u"1,2"_s),
             component(u"Label1"_s, u"Form1"_s, 0, u"says %OLD"_s,
                       ChangeableTranslatable | ChangeableOld),
             component(u"C"_s, QString(), 7, u"kept"_s, 0)};
     }},
    {"LexiconItemsFollowTheirLexiconLine",
     {u"0\t%LANGUAGE_NAME=\"L\""_s, u"0\t%LEXICON_STRINGS"_s, u"0\t\"before any lexicon\""_s,
      u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"3\t\"three\""_s, u"1\t\"\""_s,
      u"70000\t\"out of range\""_s, u"0\t%WORDMILL"_s, u"1\t\"one\""_s, u"0\t\"\"\"\""_s},
     u"L"_s,
     [](TLanguageFileData &d) {
         d.Headers = {{u"L"_s, {}, {}, {}}};
         d.Lexicons = {{u"Form1.Lexicon1"_s, false, {{3, u"three"_s}}},
                       {QString(), true, {{1, u"one"_s}, {0, u"\"\""_s}}}};
     }},
    {"SmartPairsShareAnIdAndHaveBothTexts",
     {u"0\t%LANGUAGE_NAME=\"L\""_s, u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s,
      u"0\t\"Ano\""_s, u"not a line"_s, u"0\t\"Ja\""_s, u"1\t\"Ne\""_s, u"1\t\"\""_s,
      u"2\t\"Zrušit\""_s, u"3\t\"Storno\""_s, u"3\t\"Abbrechen\""_s,
      u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Yes\""_s, u"0\t\"Jawohl\""_s,
      u"0\t\"dangling\""_s},
     u"L"_s,
     [](TLanguageFileData &d) {
         d.Headers = {{u"L"_s, {}, {}, {}}};
         d.GlobalPairs = {{u"Ano"_s, u"Ja"_s}, {u"Storno"_s, u"Abbrechen"_s}};
         d.SmartLexicons = {{u"Form1.Lexicon1"_s, {{u"Yes"_s, u"Jawohl"_s}}}};
     }},
    {"FlagLinesAreDecodedToTheEndWhateverTheirId",
     {u"0\t%LANGUAGE_NAME=\"L\""_s, u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s,
      u"0\t%FLAG_ICON"_s, u"0\t424d"_s, u"no tab 4142"_s, u"x\t43zz44"_s, u"9\t"_s},
     u"L"_s,
     [](TLanguageFileData &d) {
         d.Headers = {{u"L"_s, {}, {}, {}}};
         d.Flag = "BMC";
     }},
    {"WithoutLexiconMarkerEverythingIsComponentLines",
     {u"0\t%LANGUAGE_NAME=\"L\""_s, u"0\t\"t\"\t%COMPONENT=Form1;\t%OWNER=;"_s,
      u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t%SMART_STRINGS"_s, u"0\t\"Ano\""_s,
      u"0\t\"Ja\""_s},
     u"L"_s,
     [](TLanguageFileData &d) {
         d.Headers = {{u"L"_s, {}, {}, {}}};
         d.Components = {component(u"Form1"_s, QString(), 0, u"t"_s)};
     }},
};

class LanguageFileReader : public testing::TestWithParam<ReadCase>
{
};

TEST_P(LanguageFileReader, Reads)
{
    const ReadCase &c = GetParam();
    TLanguageFileData expected;
    c.expected(expected);
    TLanguageFileData read;
    read.Flag = "stale"; // the reader starts afresh
    ASSERT_TRUE(ReadLanguageText(fileText(QStringList{u"  [LANGUAGE_FILE]\t"_s} + c.lines),
                                 Signature, c.language, read));
    EXPECT_EQ(read, expected);
}

INSTANTIATE_TEST_SUITE_P(Sections, LanguageFileReader, testing::ValuesIn(readCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct ErrorCase
{
    const char *name;
    QStringList lines;
    TLangFileError error;
    int line;
    friend void PrintTo(const ErrorCase &c, std::ostream *os) { *os << c.name; }
};

const ErrorCase errorCases[] = {
    {"EmptyFile", {}, TLangFileError::NoSignature, 1},
    {"SignatureInOtherCase",
     {u"[language_file]"_s, u"0\t%LANGUAGE_NAME=\"L\""_s},
     TLangFileError::NoSignature,
     1},
    {"LexiconLineWithoutName",
     {Signature, u"0\t%LANGUAGE_NAME=\"L\""_s, u"0\t%LEXICON_STRINGS"_s, u"0\tgarbage"_s},
     TLangFileError::LexiconWithoutName,
     4},
    {"EmptyLexiconName",
     {Signature, u"0\t%LANGUAGE_NAME=\"L\""_s, u"0\t%LEXICON_STRINGS"_s, u"0\t%LEXICON_NAME=;"_s},
     TLangFileError::LexiconWithoutName,
     4},
    {"EmptySmartLexiconName",
     {Signature, u"0\t%LANGUAGE_NAME=\"L\""_s, u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s,
      u"x"_s, u"0\t%LEXICON_NAME=;"_s},
     TLangFileError::SmartLexiconWithoutName,
     6},
};

class LanguageFileErrors : public testing::TestWithParam<ErrorCase>
{
};

TEST_P(LanguageFileErrors, TellWhatAndWhere)
{
    const ErrorCase &c = GetParam();
    TLanguageFileData read;
    const TLangFileReadResult result = ReadLanguageText(
        c.lines.isEmpty() ? QString() : fileText(c.lines), Signature, u"L"_s, read);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Error, c.error);
    EXPECT_EQ(result.Line, c.line);
    EXPECT_FALSE(result.Message().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, LanguageFileErrors, testing::ValuesIn(errorCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Data the format cannot carry unchanged: the writer says so (and logs it).
struct AmbiguityCase
{
    const char *name;
    std::function<void(TLanguageFileData &)> change;
    const char16_t *reason;
    friend void PrintTo(const AmbiguityCase &c, std::ostream *os) { *os << c.name; }
};

const AmbiguityCase ambiguityCases[] = {
    {"QuoteInAName", [](TLanguageFileData &d) { d.Components[0].OwnerName = u"a\"b"_s; },
     u"double quote"},
    {"SemicolonInAName", [](TLanguageFileData &d) { d.Lexicons[0].Name = u"a;b"_s; }, u"\";\""},
    {"KeyInATranslation",
     [](TLanguageFileData &d) { d.Components[0].Translation = u"see %OWNER=x;"_s; }, u"%OWNER="},
    {"KeyInAName", [](TLanguageFileData &d) { d.SmartLexicons[0].Name = u"a%FLAG_ICON"_s; },
     u"%FLAG_ICON"},
    {"ControlCharacterInAText", [](TLanguageFileData &d) { d.GlobalPairs[0].second = u"a\tb"_s; },
     u"control character"},
    {"EmptySmartTranslation", [](TLanguageFileData &d) { d.GlobalPairs[0].second.clear(); },
     u"empty"},
    {"LineBreakInTheLanguageName", [](TLanguageFileData &d) { d.Headers[0].Name = u"a\nb"_s; },
     u"line break"},
    {"SectionsWithoutHeader", [](TLanguageFileData &d) { d.Headers.clear(); }, u"no header"},
};

class LanguageFileAmbiguities : public testing::TestWithParam<AmbiguityCase>
{
};

TEST_P(LanguageFileAmbiguities, AreReported)
{
    TLanguageFileData data = fullLanguage();
    GetParam().change(data);
    EXPECT_TRUE(LanguageFileAmbiguity(data).contains(QStringView(GetParam().reason)))
        << LanguageFileAmbiguity(data).toStdString();
    LogCapture log;
    WriteLanguageFile(data, Signature, QStringConverter::Utf8);
    EXPECT_TRUE(log.Contains(u"will not read back"_s));
}

INSTANTIATE_TEST_SUITE_P(Data, LanguageFileAmbiguities, testing::ValuesIn(ambiguityCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(LanguageFileHeader, ReadsNameCodeAndFlagFromBytes)
{
    const QByteArray bytes =
        WriteLanguageFile(fullLanguage(), Signature, QStringConverter::Utf16BE);
    const TLangFileHeaderInfo header = ReadLanguageHeader(bytes, Signature, true);
    EXPECT_EQ(header.IDs, (TLangIDs{u"Deutsch"_s, u"de"_s}));
    EXPECT_EQ(header.Flag, fullLanguage().Flag);
    EXPECT_TRUE(ReadLanguageHeader(bytes, Signature, false).Flag.isEmpty());
    EXPECT_EQ(ReadLanguageHeader(bytes, u"[OTHER]", true).IDs, TLangIDs());
    // Two lines are no language file.
    EXPECT_EQ(ReadLanguageHeader("[LANGUAGE_FILE]\n0\t%LANGUAGE_NAME=\"L\"", Signature, false).IDs,
              TLangIDs());
}

// A large file in an encoding other than the machine's UTF-16 is decoded only
// at its two ends for its header: whatever the encoding, where the header
// line sits and how long the flag is, the header reads as it does from the
// whole text.
struct LargeHeaderCase
{
    const char *name;
    QStringConverter::Encoding encoding;
    int linesBeforeHeader; // lines without a tab between signature and header
    int flagBytes;
    const char *lineEnd;
    bool nameless; // the only header line names no language
};

void PrintTo(const LargeHeaderCase &c, std::ostream *os)
{
    *os << c.name;
}

class LargeLanguageHeader : public testing::TestWithParam<LargeHeaderCase>
{
};

TEST_P(LargeLanguageHeader, ReadsAsFromTheWholeText)
{
    const LargeHeaderCase &c = GetParam();
    QStringList lines{Signature};
    for (int i = 0; i < c.linesBeforeHeader; ++i)
        lines.append(u"Zeile ohne Tabulator %1 č"_s.arg(i));
    lines.append(c.nameless ? u"0\t%LANGUAGE_NAME=\t%CODE=DE;"_s
                            : u"0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=DE;\t%FILEVER=WMLF1;"_s);
    for (int i = 0; i < 3000; ++i)
        lines.append(u"0\t\"Übersetzung %1\"\t%COMPONENT=C%1;\t%OWNER=Form1;"_s.arg(i));
    QByteArray picture;
    for (int i = 0; i < c.flagBytes; ++i)
        picture.append(char(i * 7));
    TLanguageFileData flag;
    flag.Flag = picture;
    const QStringList flagLines =
        WriteLanguageText(flag, Signature).split(u"\r\n"_s, Qt::SkipEmptyParts).mid(1);
    lines += flagLines;
    const QString lineEnd = QString::fromLatin1(c.lineEnd);
    const QString text = lines.join(lineEnd) + lineEnd;
    const QByteArray bytes = EncodeText(text, c.encoding);

    const TLangFileHeaderInfo header = ReadLanguageHeader(bytes, Signature, true);
    const TLangFileHeaderInfo whole =
        ReadLanguageHeader(EncodeText(DecodeText(bytes), QStringConverter::Utf16), Signature, true);
    EXPECT_EQ(header.IDs, whole.IDs);
    EXPECT_EQ(header.Flag, whole.Flag);
    EXPECT_EQ(header.IDs,
              c.nameless ? (TLangIDs{QString(), u"de"_s}) : (TLangIDs{u"Deutsch"_s, u"de"_s}));
    EXPECT_EQ(header.Flag, c.nameless ? QByteArray() : picture);
}

const LargeHeaderCase largeHeaderCases[] = {
    {"Utf8HeaderAtTheStart", QStringConverter::Utf8, 0, 100, "\r\n", false},
    {"Utf8HeaderFarDown", QStringConverter::Utf8, 2000, 100, "\n", false},
    {"Utf8LongFlag", QStringConverter::Utf8, 0, 20000, "\r\n", false},
    {"Utf16BigEndianLongFlag", QStringConverter::Utf16BE, 500, 20000, "\r\n", false},
    {"Utf16BigEndianCarriageReturns", QStringConverter::Utf16BE, 10, 3000, "\r", false},
    {"SystemEncodingNoFlag", QStringConverter::System, 0, 0, "\r\n", false},
    {"Utf8NamelessHeaderKeepsItsCode", QStringConverter::Utf8, 100, 100, "\r\n", true},
    {"Utf16NativeFlagEndingOnAFullLine", QStringConverter::Utf16, 0, 5000, "\r\n", false},
};

INSTANTIATE_TEST_SUITE_P(Encodings, LargeLanguageHeader, testing::ValuesIn(largeHeaderCases),
                         [](const auto &info) { return std::string(info.param.name); });
