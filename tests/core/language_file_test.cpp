#include "LanguageFiles.h"
#include "LogCapture.h"
#include "TestEngine.h"
#include "TestPrinters.h"
#include <wordmill/WordmillSys.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/TextLines.h>

#include <QBuffer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

// A form with an engine, a lexicon and a language folder to fill.
class LanguageFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form.setObjectName(u"Form1"_s);
        engine = new TestEngine(&form);
        engine->langsDir = dir.path() + u'/';
        engine->setObjectName(u"WordmillEngine1"_s);
        engine->SetDesignLanguageName(u"čeština"_s);
        engine->SetDesignLangISOCode(u"cs"_s);
        lexicon = new TDesignedLexicon(&form);
        lexicon->setObjectName(u"Lexicon1"_s);
        lexicon->SetItems({u"Ahoj"_s, u"Konec"_s, u"Řádek'#13''#10'dva"_s});
        lexicon->SetWordmillEngine(engine);
    }

    // Writes a language file: UTF-16 LE with mark, CR LF line ends.
    void write(const QString &fileName, const QStringList &lines)
    {
        ASSERT_TRUE(WriteLanguageFile(dir.filePath(fileName), lines));
    }

    static QString header(const QString &name, const QString &fields = {})
    {
        return LanguageHeader(name, fields);
    }

    QTemporaryDir dir;
    TDataModule form;
    TestEngine *engine = nullptr;
    TDesignedLexicon *lexicon = nullptr;
};

} // namespace

TEST_F(LanguageFiles, SignatureAndHeaderDecideWhatIsListed)
{
    write(u"ok.lng"_s, {u"  [LANGUAGE_FILE] "_s, header(u"Deutsch"_s, u"\t%CODE=DE;"_s),
                        u"0\t%LEXICON_STRINGS"_s});
    write(u"case.lng"_s, {u"[language_file]"_s, header(u"Lower"_s), u"0\t%LEXICON_STRINGS"_s});
    write(u"short.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"Short"_s)});
    write(u"noname.lng"_s, {u"[LANGUAGE_FILE]"_s, u"0\t%CODE=fr;"_s, u"x"_s});
    write(u"nocode.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"Klingon"_s, u"\t%CODE=xx;"_s), u"x"_s});
    write(u"other.txt"_s, {u"[LANGUAGE_FILE]"_s, header(u"Text"_s), u"x"_s});
    engine->RefreshLanguages();
    const TLangCoreData &d = *engine->LData();
    // Files come in the order of the folder listing (by name here).
    EXPECT_EQ(d.Languages(), (QStringList{u"čeština"_s, u"Klingon"_s, u"Deutsch"_s}));
    EXPECT_EQ(d.LangCodes(), (QStringList{u"cs"_s, QString(), u"de"_s}));
    EXPECT_EQ(d.FileNames().at(2), dir.filePath(u"ok.lng"_s));
    EXPECT_EQ(d.Flags.Count(), 3);
}

TEST_F(LanguageFiles, ComponentLexiconAndSmartSectionsAreRead)
{
    write(u"de.lng"_s,
          {u"[LANGUAGE_FILE]"_s, header(u"Deutsch"_s, u"\t%CODE=de;\t%FILEVER=WMLF1;"_s),
           u"0\t\"Sag \"hi\" jetzt\"\t%COMPONENT=Label1;\t%OWNER=Form1;"_s,
           u"5\t\"Text\"\t%COMPONENT=Edit1;\t%OWNER=Form1;\t%ITEM=3;"_s,
           u"0\t\"No component\"\t%OWNER=Form1;"_s,
           u"-1\t\"Negative\"\t%COMPONENT=X;\t%OWNER=Form1;"_s,
           u"0\t\"Says %OLD here\"\t%COMPONENT=Label2;\t%OWNER=Form1;"_s,
           u"0\t%LEXICON_STRINGS"_s, u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Hallo\"\t"_s,
           u"1\t\"\""_s, u"2\t\"Zeile'#13''#10'zwei\""_s, u"0\t%SMART_STRINGS"_s,
           u"0\t\"Ano\""_s, u"0\t\"Ja\""_s, u"1\t\"Ne\""_s, u"1\t\"\""_s, u"2\t\"Zrušit\""_s,
           u"2\t\"Abbrechen\""_s});
    engine->RefreshLanguages();
    ASSERT_TRUE(engine->LoadLanguage(u"Deutsch"_s, 0, QString()));
    TLangCoreData &d = *engine->LData();
    EXPECT_EQ(engine->CurrentLanguage(), u"Deutsch"_s);
    EXPECT_EQ(engine->CurrentLanguageISO(), u"de"_s);
    EXPECT_EQ(d.DataStruct.Count(), 3);
    EXPECT_EQ(d.DataStruct.GetString(u"Label1"_s, u"Form1"_s, 0, QString()), u"Sag \"hi\" jetzt"_s);
    EXPECT_EQ(d.DataStruct.GetString(u"Edit1"_s, u"Form1"_s, 5, u"3"_s), u"Text"_s);
    const int old = d.DataStruct.Find(u"Label2"_s, u"Form1"_s, 0, QString());
    ASSERT_GE(old, 0);
    EXPECT_EQ(d.DataStruct.Changeable(old), ChangeableTranslatable | ChangeableOld);

    EXPECT_EQ(lexicon->Item(0), u"Hallo"_s);
    EXPECT_EQ(lexicon->Item(1), u"Konec"_s); // empty item line: nothing stored
    EXPECT_EQ(lexicon->Item(2), u"Zeile\r\nzwei"_s);
    EXPECT_EQ(engine->TranslateString(u"Ano"_s, nullptr, -1), u"Ja"_s);
    // An empty translation drops the pair; its line starts the next one.
    EXPECT_EQ(engine->TranslateString(u"Ne"_s, nullptr, -1), u"Ne"_s);
    EXPECT_EQ(engine->TranslateString(u"Zrušit"_s, nullptr, -1), u"Abbrechen"_s);
}

TEST_F(LanguageFiles, SuperiorChainsInheritAndBreakLoops)
{
    write(u"a.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"A"_s, u"\t%SUPERIOR_LANGUAGE=B;"_s),
                       u"0\t%NOTRANS\t%COMPONENT=Label1;\t%OWNER=Form1;"_s,
                       u"0\t%LEXICON_STRINGS"_s, u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s,
                       u"0\t\"A0\""_s, u"0\t%SMART_STRINGS"_s});
    write(u"b.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"B"_s, u"\t%SUPERIOR_LANGUAGE=A;"_s),
                       u"0\t\"B label\"\t%COMPONENT=Label1;\t%OWNER=Form1;"_s,
                       u"0\t%LEXICON_STRINGS"_s, u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s,
                       u"0\t\"B0\""_s, u"1\t\"B1\""_s, u"0\t%SMART_STRINGS"_s});
    write(u"c.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"C"_s, u"\t%SUPERIOR_LANGUAGE=Nowhere;"_s),
                       u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s});
    engine->RefreshLanguages();

    ASSERT_TRUE(engine->LoadLanguage(u"A"_s, 0, QString()));
    TLangCoreData &d = *engine->LData();
    quint16 descent = 0;
    EXPECT_EQ(d.DataLexicon.ReadItem(u"Form1.Lexicon1"_s, 0, descent), u"A0"_s);
    EXPECT_EQ(descent, 0);
    EXPECT_EQ(d.DataLexicon.ReadItem(u"Form1.Lexicon1"_s, 1, descent), u"B1"_s);
    EXPECT_EQ(descent, 1);
    // %NOTRANS keeps the superior's translation, now as the language's own.
    const int label = d.DataStruct.Find(u"Label1"_s, u"Form1"_s, 0, QString());
    EXPECT_EQ(d.DataStruct.Translation(label), u"B label"_s);
    EXPECT_EQ(d.DataStruct.Descent(label), 0);
    EXPECT_EQ(d.DataStruct.Changeable(label), 0);
    EXPECT_EQ(d.CurrentSuperiorLang.Name, u"B"_s);

    ASSERT_TRUE(engine->LoadLanguage(u"C"_s, 0, QString()));
    EXPECT_EQ(d.CurrentSuperiorLang.Name, u"čeština"_s);
}

TEST_F(LanguageFiles, FailedLoadsResetToTheDesignLanguage)
{
    write(u"de.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"Deutsch"_s), u"0\t%LEXICON_STRINGS"_s,
                        u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Hallo\""_s,
                        u"0\t%SMART_STRINGS"_s});
    write(u"bad.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"Bad"_s), u"0\t%LEXICON_STRINGS"_s,
                         u"0\t\"orphan\""_s, u"0\t%LEXICON_NAME=;"_s, u"0\t%SMART_STRINGS"_s});
    engine->RefreshLanguages();
    ASSERT_TRUE(engine->LoadLanguage(u"Deutsch"_s, 0, QString()));
    EXPECT_FALSE(engine->LoadLanguage(u"Bad"_s, 0, QString()));
    EXPECT_EQ(engine->CurrentLanguage(), u"čeština"_s);
    EXPECT_EQ(engine->LData()->DataLexicon.LexiconCount(), 0);
    EXPECT_FALSE(engine->LoadLanguage(u"Unknown"_s, 0, QString()));
    QFile::remove(dir.filePath(u"de.lng"_s));
    EXPECT_FALSE(engine->LoadLanguage(u"Deutsch"_s, 0, QString()));
    EXPECT_TRUE(engine->LoadLanguage(u"čeština"_s, 0, QString()));
}

TEST_F(LanguageFiles, MalformedFilesAndFailedLoadsAreLogged)
{
    write(u"bad.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"Bad"_s), u"0\t%LEXICON_STRINGS"_s,
                         u"0\tno name"_s, u"0\t%SMART_STRINGS"_s});
    write(u"unsigned.lng"_s, {u"[OTHER]"_s, header(u"Unsigned"_s), u"0\t%LEXICON_STRINGS"_s});
    write(u"gone.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"Gone"_s), u"0\t%LEXICON_STRINGS"_s});
    LogCapture log;
    engine->RefreshLanguages();
    EXPECT_TRUE(log.Contains(u"unsigned.lng"_s)) << log.Warnings().join(u'\n').toStdString();
    EXPECT_FALSE(engine->LoadLanguage(u"Bad"_s, 0, QString()));
    EXPECT_TRUE(log.Contains(u"line 4: a lexicon line without a lexicon name"_s));
    QFile::remove(dir.filePath(u"gone.lng"_s));
    EXPECT_FALSE(engine->LoadLanguage(u"Gone"_s, 0, QString()));
    EXPECT_TRUE(log.Contains(u"cannot load language \"Gone\""_s));
}

TEST_F(LanguageFiles, HeaderNamingTheLanguageDifferentlyContributesNothing)
{
    write(u"de.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"Deutsch"_s), u"0\t%LEXICON_STRINGS"_s,
                        u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Hallo\""_s,
                        u"0\t%SMART_STRINGS"_s});
    engine->RefreshLanguages();
    EXPECT_TRUE(engine->LoadLanguage(u"deutsch"_s, 0, QString()));
    EXPECT_EQ(engine->LData()->DataLexicon.LexiconCount(), 0);
}

TEST_F(LanguageFiles, FileWithoutLexiconMarkerIsAllComponentLines)
{
    write(u"de.lng"_s, {u"[LANGUAGE_FILE]"_s, header(u"Deutsch"_s),
                        u"0\t\"Titel\"\t%COMPONENT=Form1;\t%OWNER=;"_s,
                        u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Hallo\""_s});
    engine->RefreshLanguages();
    ASSERT_TRUE(engine->LoadLanguage(u"Deutsch"_s, 0, QString()));
    EXPECT_EQ(engine->LData()->DataStruct.Count(), 1);
    EXPECT_EQ(lexicon->Item(0), u"Ahoj"_s);
}

struct EncodingCase
{
    const char *name;
    TLFEncoding encoding;
    QByteArray mark;
    friend void PrintTo(const EncodingCase &c, std::ostream *os) { *os << c.name; }
};

class SaveRoundTrip : public LanguageFiles, public testing::WithParamInterface<EncodingCase>
{
};

TEST_P(SaveRoundTrip, WritesWhatLoadingReadsBack)
{
    write(u"src.lng"_s,
          {u"[LANGUAGE_FILE]"_s, header(u"Deutsch"_s, u"\t%CODE=de;"_s),
           u"0\t\"Grüße \"ihr\"\"\t%COMPONENT=Label1;\t%OWNER=Form1;"_s,
           u"33\t%NOTRANS\t%COMPONENT=List1;\t%OWNER=Form1;\t%ITEM=2;\t%OLD"_s,
           u"0\t%LEXICON_STRINGS"_s, u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s,
           u"0\t\"Hallo'#9'Welt\""_s, u"2\t\"Zeile\""_s, u"0\t%SMART_STRINGS"_s, u"0\t\"Ano\""_s,
           u"0\t\"Ja\""_s, u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Yes\""_s,
           u"0\t\"Jawohl\""_s, u"0\t%FLAG_ICON"_s, u"0\t424D0102"_s});
    engine->RefreshLanguages();
    ASSERT_TRUE(engine->LoadLanguage(u"Deutsch"_s, llReadFlag, QString()));
    engine->SetLangFileEncoding(GetParam().encoding);
    const QString target = dir.filePath(u"saved.lng"_s);
    engine->SaveLanguageFile(u"Deutsch2"_s, u"čeština"_s, u"de"_s, target);

    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith(GetParam().mark));
    QStringList lines;
    QBuffer buffer;
    buffer.setData(bytes);
    ASSERT_TRUE(LoadTextLines(buffer, lines));
    EXPECT_EQ(lines.value(1), u"0\t%LANGUAGE_NAME=\"Deutsch2\"\t%CODE=de;\t%SUPERIOR_LANGUAGE=čeština;\t%FILEVER=WMLF1;"_s);
    EXPECT_TRUE(lines.contains(u"33\t%NOTRANS\t%COMPONENT=List1;\t%OWNER=Form1;\t%ITEM=2;\t%OLD"_s));
    EXPECT_TRUE(lines.contains(u"0\t%FLAG_ICON"_s));
    // Every line ends with CR LF, in the file's own encoding.
    const QString text = DecodeText(bytes);
    EXPECT_EQ(text.count(u"\r\n"_s), lines.size());
    EXPECT_EQ(text.count(u'\n'), lines.size());
    EXPECT_TRUE(text.endsWith(u"\r\n"_s));
    // Without a mark the file is read in the system's 8-bit encoding, which
    // is the one ANSI files are written in.
    engine->RefreshLanguages();
    ASSERT_TRUE(engine->LoadLanguage(u"Deutsch2"_s, 0, QString()));
    EXPECT_EQ(engine->LData()->DataStruct.GetString(u"Label1"_s, u"Form1"_s, 0, QString()),
              u"Grüße \"ihr\""_s);
    EXPECT_EQ(lexicon->Item(0), u"Hallo\tWelt"_s);
    EXPECT_EQ(lexicon->CompleteString(u"«\"Yes\"»"_s), u"Jawohl"_s);
    EXPECT_EQ(engine->TranslateString(u"Ano"_s, nullptr, -1), u"Ja"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, SaveRoundTrip,
    testing::Values(EncodingCase{"Unicode", TLFEncoding::Unicode, QByteArray("\xFF\xFE", 2)},
                    EncodingCase{"BigEndianUnicode", TLFEncoding::BigEndianUnicode,
                                 QByteArray("\xFE\xFF", 2)},
                    EncodingCase{"UTF8", TLFEncoding::UTF8, QByteArray("\xEF\xBB\xBF", 3)},
                    EncodingCase{"ANSI", TLFEncoding::ANSI, QByteArray("[", 1)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LanguageFiles, SaveErrorsReachTheCaller)
{
    EXPECT_THROW(engine->SaveLanguageFile(u"Keep"_s, QString(), QString(),
                                          dir.filePath(u"missing/keep.lng"_s)),
                 EWordmillFileError);
    // Nothing is written without a name or a file name.
    engine->SaveLanguageFile(QString(), QString(), QString(), dir.filePath(u"x.lng"_s));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"x.lng"_s)));
}
