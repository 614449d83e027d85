#include "LanguageFiles.h"
#include "TestPrinters.h"
#include "TestEngine.h"
#include <wordmill/WordmillCore.h>
#include <wordmill/WordmillSys.h>
#include <wordmill/core/ImportExport.h>
#include <wordmill/core/PackedImport.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/core/StringTranslation.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

// The data object of an engine whose editor window is open, or not.
// A per-form client whose design texts are given directly.
class TextClient : public TWordmillCPC
{
public:
    using TWordmillCPC::TWordmillCPC;
    void ProcessAll(bool) override {}
};

QStringList readLines(const QString &path)
{
    QStringList lines;
    LoadTextFile(path, lines);
    return lines;
}

// A form with a client (two buttons, a label whose text holds "="), a
// lexicon, a resource-string translator, the design language English and a
// German language that translates some of it.
class ImportExport : public testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form.setObjectName(u"Form1"_s);
        SetComponentLoading(&form, true);
        auto data = std::make_unique<TestLangData>();
        editor = data.get();
        engine = new TestEngine(&form, std::move(data));
        static int serial = 0;
        engine->setObjectName(u"Engine"_s + QString::number(++serial));
        engine->langsDir = dir.path() + u'/';
        engine->SetDesignLangISOCode(u"en"_s);
        engine->SetDesignLanguageName(u"English"_s);
        engine->SetDefaultLanguage(u"English"_s);
        client = new TextClient(&form);
        client->setObjectName(u"Client1"_s);
        client->DesignStruct.AddTextProperty(u"Button1"_s, u"Form1"_s, 0, u"Cancel"_s, {});
        client->DesignStruct.AddTextProperty(u"Label1"_s, u"Form1"_s, 0, u"Name"_s, {});
        client->DesignStruct.AddTextProperty(u"Label2"_s, u"Form1"_s, 0, u"a=b"_s, {});
        client->SetWordmillEngine(engine);
        lexicon = new TDesignedLexicon(&form);
        lexicon->setObjectName(u"Lexicon1"_s);
        lexicon->SetItems({u"Open"_s, u"Close"_s});
        lexicon->SetWordmillEngine(engine);
        translator = new TCustomResourcesTranslator(&form);
        translator->setObjectName(u"Translator1"_s);
        translator->RegisterResourceString(u"&Paste"_s);
        translator->SetWordmillEngine(engine);
        writeUtf16(
            u"de.lng"_s,
            {u"[LANGUAGE_FILE]"_s, LanguageHeader(u"Deutsch"_s, u"\t%CODE=de;"_s),
             u"0\t\"Abbrechen\"\t%COMPONENT=Button1;\t%OWNER=Form1;"_s, u"0\t%LEXICON_STRINGS"_s,
             u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Öffnen\""_s, u"0\t%SMART_STRINGS"_s,
             u"0\t%LEXICON_NAME=Form1.Translator1;"_s, u"0\t\"&Paste\""_s, u"0\t\"Einf&ügen\""_s});
        SetComponentLoading(&form, false);
        engine->Loaded();
        translator->Loaded();
    }

    QString writeUtf16(const QString &name, const QStringList &lines)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteLanguageFile(path, lines));
        return path;
    }

    QString writeBytes(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // The import's failure number; 0 when it succeeded.
    int failure(const QString &path, bool toCurrent)
    {
        try {
            engine->ImportFromFile(path, toCurrent);
        } catch (const EImportExport &error) {
            EXPECT_EQ(error.Message, u"This file can not be imported"_s);
            return error.Number;
        }
        return 0;
    }

    QString buttonText() { return FindTranslation(client, u"Button1"_s, u"Form1"_s, QString(), 0); }

    QTemporaryDir dir;
    TDataModule form;
    TestLangData *editor = nullptr;
    TestEngine *engine = nullptr;
    TextClient *client = nullptr;
    TDesignedLexicon *lexicon = nullptr;
    TCustomResourcesTranslator *translator = nullptr;
};

// ---- the thirteen failures

struct FailureCase
{
    const char *name;
    QStringList lines; // the import file; none: the file is missing
    bool toCurrent;
    bool german; // German is the current language
    int number;
    std::function<void(ImportExport &)> prepare = {};
};

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.name;
}

const QString LexiconHead = u"[Wordmill LeXicon File]"_s;
const QString RefEnglish = u"0\t%REF_LANG=\"English\"\t%CODE=en;"_s;
const QString GermanHeader = u"0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=de;\t%FILEVER=WMLF1;"_s;

class ImportFailures : public ImportExport, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(ImportFailures, RaiseTheirNumber)
{
    const FailureCase &c = GetParam();
    if (c.german)
        engine->Translate(u"de"_s);
    if (c.prepare)
        c.prepare(*this);
    const QString path =
        c.lines.isEmpty() ? dir.filePath(u"missing.lng"_s) : writeUtf16(u"import.lng"_s, c.lines);
    EXPECT_EQ(failure(path, c.toCurrent), c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportFailures,
    testing::Values(
        FailureCase{"FileMissing", {}, false, false, ifFileMissing},
        FailureCase{
            "IntoTheDesignLanguage", {u"Cancel=Storno"_s}, true, false, ifIntoDesignLanguage},
        FailureCase{"TabFileOfThreeLines",
                    {LexiconHead, RefEnglish, GermanHeader},
                    false,
                    false,
                    ifTooFewLines},
        FailureCase{"SourceCodeIsNotTheDesignCode",
                    {u"$translation=de"_s, u"$original=fr - Français"_s, u"Cancel=Storno"_s},
                    false,
                    false,
                    ifSourceCode},
        FailureCase{"SourceNameIsNotTheDesignName",
                    {u"$translation=de"_s, u"$original=Englisch"_s, u"Cancel=Storno"_s},
                    false,
                    false,
                    ifSourceName},
        FailureCase{"WrongFileVersion",
                    {LexiconHead, RefEnglish,
                     u"0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=de;\t%FILEVER=WMLF2;"_s,
                     u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s},
                    false,
                    false,
                    ifFileVersion},
        FailureCase{"TargetIsAnotherLanguage",
                    {u"$translation=fr - Français"_s, u"Cancel=Annuler"_s},
                    true,
                    true,
                    ifNotCurrentLanguage},
        FailureCase{"TargetCannotBeLoaded",
                    {LexiconHead, RefEnglish, GermanHeader, u"0\t%LEXICON_STRINGS"_s,
                     u"0\t%SMART_STRINGS"_s},
                    false,
                    false,
                    ifTargetNotLoaded,
                    [](ImportExport &t) { QFile::remove(t.dir.filePath(u"de.lng"_s)); }},
        FailureCase{"NoLanguageName",
                    {LexiconHead, RefEnglish, u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s},
                    false,
                    false,
                    ifNoLanguageName},
        FailureCase{"FormLexiconWithoutName",
                    {LexiconHead, RefEnglish, GermanHeader, u"0\t%LEXICON_STRINGS"_s,
                     u"0\t%WORDMILL"_s, u"0\t\"Editor\""_s, u"0\t%SMART_STRINGS"_s},
                    false,
                    false,
                    ifFormLexiconUnnamed,
                    [](ImportExport &t) {
                        t.engine->SetTranslateWordmill(true);
                        t.engine->setObjectName(QString());
                    }},
        FailureCase{"LexiconWithoutName",
                    {LexiconHead, RefEnglish, GermanHeader, u"0\t%LEXICON_STRINGS"_s,
                     u"0\t%LEXICON_NAME=;"_s, u"0\t%SMART_STRINGS"_s},
                    false,
                    false,
                    ifLexiconUnnamed},
        FailureCase{"SmartLexiconWithoutName",
                    {LexiconHead, RefEnglish, GermanHeader, u"0\t%LEXICON_STRINGS"_s,
                     u"0\t%SMART_STRINGS"_s, u"0\t%LEXICON_NAME=;"_s},
                    false,
                    false,
                    ifSmartLexiconUnnamed},
        FailureCase{"TextListWithoutTarget",
                    {u"$original=en - English"_s, u"Cancel=Storno"_s},
                    false,
                    false,
                    ifTextListLanguages},
        FailureCase{"TextListWithoutSource",
                    {u"$translation=de"_s, u"Cancel=Storno"_s},
                    false,
                    false,
                    ifTextListLanguages}),
    [](const testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

// ---- text lists: target and overwrite settings

struct TextListCase
{
    const char *name;
    QString setting; // the first line
    int taken;       // -1: refused with failure 7
};

void PrintTo(const TextListCase &c, std::ostream *os)
{
    *os << c.name;
}

class TextListIntoCurrent : public ImportExport, public testing::WithParamInterface<TextListCase>
{
};

TEST_P(TextListIntoCurrent, FollowsItsSettings)
{
    const TextListCase &c = GetParam();
    engine->Translate(u"de"_s);
    const QString path = writeUtf16(
        u"list.txt"_s, {c.setting, u"Cancel=Storno"_s, u"Close=Schließen"_s, u"Unknown=Nichts"_s});
    if (c.taken < 0) {
        EXPECT_EQ(failure(path, true), ifNotCurrentLanguage);
        return;
    }
    EXPECT_EQ(engine->ImportFromFile(path, true), c.taken);
    // the button's own translation goes only when overwriting is allowed
    EXPECT_EQ(buttonText(), c.taken == 1 ? u"Abbrechen"_s : u"Storno"_s);
    EXPECT_EQ(lexicon->Item(1), u"Schließen"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextListIntoCurrent,
    testing::Values(
        TextListCase{"CurrentLanguageByCode", u"$translation=de"_s, 1},
        TextListCase{"CurrentLanguageByCodeAndName", u"$translation=DE - Deutsch"_s, 1},
        TextListCase{"CurrentLanguageByName", u"$translation=Deutsch"_s, 1},
        TextListCase{"AnotherLanguage", u"$translation=fr - Français"_s, -1},
        TextListCase{"OverwriteWithComment", u"$overwrite_existing=yes // ask first"_s, 2},
        TextListCase{"OverwriteSpelledPermit", u" $Overwrite_Existing = PERMIT"_s, 2},
        TextListCase{"NoOverwrite", u"$overwrite_existing=no"_s, 1},
        TextListCase{"OverwriteValueWithMoreWords", u"$overwrite_existing=yes please"_s, 1}),
    [](const testing::TestParamInfo<TextListCase> &info) { return std::string(info.param.name); });

// ---- export

TEST_F(ImportExport, TextListForAnyLetterCaseOfTxtWithEqualsSignsEscaped)
{
    engine->Translate(u"de"_s);
    const QString path = dir.filePath(u"deutsch.TXT"_s);
    engine->ExportToFile(path);
    EXPECT_EQ(readLines(path),
              (QStringList{u"$translation=de - Deutsch"_s, u"$original=en - English"_s,
                           u"$overwrite_existing=false"_s, QString(50, u'-'), u"&Paste=Einf&ügen"_s,
                           u"Cancel=Abbrechen"_s, u"Close="_s, u"Name="_s, u"Open=Öffnen"_s,
                           u"a'#61'b="_s}));
}

TEST_F(ImportExport, LexiconFileCarriesTheDifferingTexts)
{
    engine->Translate(u"de"_s);
    const QString path = dir.filePath(u"deutsch.lex"_s);
    engine->ExportToFile(path);
    EXPECT_EQ(readLines(path),
              (QStringList{LexiconHead, RefEnglish, GermanHeader, u"0\t%LEXICON_STRINGS"_s,
                           u"0\t%SMART_STRINGS"_s, u"0\t\"&Paste\""_s, u"0\t\"Einf&ügen\""_s,
                           u"1\t\"Cancel\""_s, u"1\t\"Abbrechen\""_s, u"2\t\"Open\""_s,
                           u"2\t\"Öffnen\""_s}));
}

TEST_F(ImportExport, DesignLanguageIsNotExported)
{
    try {
        engine->ExportToFile(dir.filePath(u"english.txt"_s));
        FAIL() << "exported";
    } catch (const EImportExport &error) {
        EXPECT_EQ(error.Message, u"The design language of the application can not be exported"_s);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(u"english.txt"_s)));
}

TEST_F(ImportExport, EqualsSignInADesignTextRoundTripsThroughATextList)
{
    const QString path = writeUtf16(
        u"fr.txt"_s, {u"$translation=fr - Français"_s, u"$original=en"_s, u"a'#61'b=c=d"_s});
    EXPECT_EQ(engine->ImportFromFile(path, false), 1);
    // a text list changes the data in memory only: no file, no switch
    EXPECT_EQ(engine->CurrentLanguage(), u"Français"_s);
    EXPECT_EQ(FindTranslation(client, u"Label2"_s, u"Form1"_s, QString(), 0), u"c=d"_s);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"fr.lng"_s)));
}

TEST_F(ImportExport, ExportedLexiconFileImportsIntoANewLanguageOnce)
{
    engine->Translate(u"de"_s);
    const QString path = dir.filePath(u"german.lex"_s);
    engine->ExportToFile(path);
    engine->Translate(u"English"_s);
    QFile::remove(dir.filePath(u"de.lng"_s));
    engine->RefreshLanguages();
    ASSERT_FALSE(engine->LangExists(u"Deutsch"_s));

    // &Paste (translator), Cancel (client), Open (lexicon)
    EXPECT_EQ(engine->ImportFromFile(path, false), 3);
    EXPECT_EQ(engine->CurrentLanguage(), u"Deutsch"_s);
    EXPECT_EQ(engine->GetLanguageFile(u"de"_s), dir.filePath(u"german.lng"_s));
    EXPECT_EQ(buttonText(), u"Abbrechen"_s);
    EXPECT_EQ(lexicon->Item(0), u"Öffnen"_s);
    EXPECT_EQ(QCoreApplication::translate("Any", "&Paste"), u"Einf&ügen"_s);

    EXPECT_EQ(engine->ImportFromFile(path, false), 0);
    EXPECT_EQ(buttonText(), u"Abbrechen"_s);
}

TEST_F(ImportExport, ImportIntoTheCurrentLanguageWithoutEditorIsSaved)
{
    engine->Translate(u"de"_s);
    const QString path = writeUtf16(
        u"more.lex"_s, {LexiconHead, RefEnglish, GermanHeader, u"0\t%LEXICON_STRINGS"_s,
                        u"0\t%SMART_STRINGS"_s, u"0\t\"Close\""_s, u"0\t\"Schließen\""_s});
    EXPECT_EQ(engine->ImportFromFile(path, true), 1);
    EXPECT_EQ(lexicon->Item(1), u"Schließen"_s); // read back from the saved file
    EXPECT_EQ(buttonText(), u"Abbrechen"_s);
}

struct BuiltInCase
{
    const char *name;
    QString header;
    int taken;
};

void PrintTo(const BuiltInCase &c, std::ostream *os)
{
    *os << c.name;
}

class ImportFormLexicon : public ImportExport, public testing::WithParamInterface<BuiltInCase>
{
};

TEST_P(ImportFormLexicon, CountsItsItemsOnlyOutsideTheBuiltInLanguages)
{
    engine->SetTranslateWordmill(true);
    const QString path = writeUtf16(
        u"lexicon.lex"_s, {LexiconHead, RefEnglish, GetParam().header, u"0\t%LEXICON_STRINGS"_s,
                           u"0\t%WORDMILL"_s, u"0\t\"Editor\""_s, u"1\t\"> Plus <\""_s,
                           u"0\t%SMART_STRINGS"_s, u"0\t\"Open\""_s, u"0\t\"Otevřít\""_s});
    EXPECT_EQ(engine->ImportFromFile(path, false), GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportFormLexicon,
    testing::Values(BuiltInCase{"BuiltInCzech",
                                u"0\t%LANGUAGE_NAME=\"Čeština\"\t%CODE=cs;\t%FILEVER=WMLF1;"_s, 1},
                    BuiltInCase{"OtherLanguage",
                                u"0\t%LANGUAGE_NAME=\"Polski\"\t%CODE=pl;\t%FILEVER=WMLF1;"_s, 3}),
    [](const testing::TestParamInfo<BuiltInCase> &info) { return std::string(info.param.name); });

// ---- packed multi-language files

QByteArray le32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray packedString(const QString &text)
{
    QByteArray bytes = le32(qint32(text.size()));
    for (QChar c : text)
        bytes += QByteArray(1, char(c.unicode() & 0xFF)) + char(c.unicode() >> 8);
    return bytes;
}

struct PackedCase
{
    const char *name;
    QByteArray bytes;
    TPackedImport::Shape shape;
    QString text;
};

void PrintTo(const PackedCase &c, std::ostream *os)
{
    *os << c.name;
}

class PackedStreams : public testing::TestWithParam<PackedCase>
{
};

TEST_P(PackedStreams, AreCheckedBeforeAnythingIsRead)
{
    const TPackedImport packed =
        ReadPackedImport(GetParam().bytes, [](const QString &code) { return code == u"de"_s; });
    EXPECT_EQ(packed.Result, GetParam().shape);
    EXPECT_EQ(packed.Text, GetParam().text);
}

const QByteArray Lead = packedString(u"Wordmill"_s);

INSTANTIATE_TEST_SUITE_P(
    Cases, PackedStreams,
    testing::Values(
        PackedCase{
            "CurrentLanguagePair",
            WritePackedImport(u"lead"_s, {{u"fr"_s, u"x"_s}, {u"DE - Deutsch"_s, u"text"_s}}),
            TPackedImport::Found, u"text"_s},
        PackedCase{"NoPairs", Lead + le32(0), TPackedImport::Empty, QString()},
        PackedCase{"NoPairsButMoreBytes", Lead + le32(0) + "x", TPackedImport::NotPacked,
                   QString()},
        PackedCase{"OtherLanguagesOnly", WritePackedImport(u""_s, {{u"fr"_s, u"x"_s}}),
                   TPackedImport::NotPacked, QString()},
        PackedCase{"LanguageWithoutCode", WritePackedImport(u""_s, {{u"1de"_s, u"x"_s}}),
                   TPackedImport::NotPacked, QString()},
        PackedCase{"StringLongerThanTheFile", le32(0x7FFFFFFF) + "abc", TPackedImport::NotPacked,
                   QString()},
        PackedCase{"NegativeStringLength", Lead + le32(1) + le32(-2), TPackedImport::NotPacked,
                   QString()},
        PackedCase{"NegativePairCount", Lead + le32(-1), TPackedImport::NotPacked, QString()},
        PackedCase{"HugePairCount", Lead + le32(0x40000000) + packedString(u"de"_s),
                   TPackedImport::NotPacked, QString()},
        PackedCase{"CountLargerThanThePairsThere",
                   Lead + le32(5) + packedString(u"de"_s) + packedString(u"text"_s),
                   TPackedImport::Found, u"text"_s},
        PackedCase{"HalfAStringAfterThePair",
                   WritePackedImport(u""_s, {{u"de"_s, u"text"_s}}) + le32(3) + "a",
                   TPackedImport::NotPacked, QString()}),
    [](const testing::TestParamInfo<PackedCase> &info) { return std::string(info.param.name); });

TEST_F(ImportExport, PackedFileWhileTheEditorIsOpenOrItsLiesReadAsText)
{
    engine->Translate(u"de"_s);
    editor->open = true;
    const QString good = writeBytes(
        u"packed.dat"_s,
        WritePackedImport(u"x"_s, {{u"cs"_s, u"Close=Zavřít"_s}, {u"de"_s, u"Close=Schließen"_s}}));
    EXPECT_EQ(engine->ImportFromFile(good, true), 1);
    EXPECT_EQ(lexicon->Item(1), u"Schließen"_s);
    EXPECT_EQ(engine->ImportFromFile(writeBytes(u"empty.dat"_s, Lead + le32(0)), true), 0);
    for (const QByteArray &lie : {le32(0x7FFFFFFF) + "Close=x", Lead + le32(-5) + "Open=y",
                                  Lead + le32(0x40000000) + packedString(u"de"_s)}) {
        const QString path = writeBytes(u"lie.dat"_s, lie);
        EXPECT_EQ(engine->ImportFromFile(path, true), 0);
    }
}

} // namespace
