// What loading a language leaves in the stores, for a corpus of language
// files, compared with saved expectations. The corpus is the fixture files
// of tests/data/language_corpus, the fuzz seeds, and a few hundred files
// made from a fixed random seed out of the format's pieces (sections,
// keywords, odd IDs, encodings, line ends, damaged bytes). The reader and
// the stores may change how they work; what they hold afterwards may not.
//
// To record the expectations again after a deliberate change of behaviour:
//   WORDMILL_RECORD_EXPECTATIONS=1 build/tests/core_loaded_stores_test

#include "TestEngine.h"
#include "TestPrinters.h"

#include <wordmill/WordmillSys.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/sys/FlagBuffer.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <map>
#include <random>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

const QString ExpectationsPath = QStringLiteral(WORDMILL_TEST_DATA "/language_corpus.expected");

struct Case
{
    std::string name;
    QByteArray bytes;
};

// ---- the generated part of the corpus

// A deterministic source of choices (std::mt19937 gives the same numbers
// everywhere; its distributions are not used because they differ between
// standard libraries).
class Dice
{
public:
    explicit Dice(unsigned seed) : m_random(seed) {}
    int Below(int n) { return n <= 0 ? 0 : int(m_random() % unsigned(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename List> const auto &Pick(const List &list)
    {
        return list[std::size_t(Below(int(std::size(list))))];
    }

private:
    std::mt19937 m_random;
};

const QString Ids[] = {u"0"_s,     u"1"_s,     u"2"_s,           u"5"_s,  u"33"_s,
                       u"-1"_s,    u"+3"_s,    u" 4"_s,          u"4 "_s, u"07"_s,
                       u"65535"_s, u"65536"_s, u"99999999999"_s, u"x"_s,  u""_s,
                       u"1e3"_s,   u"0x10"_s,  u"\uFF15"_s,      u"-0"_s, u"\t"_s};
const QString Texts[] = {u"Hallo"_s,     u"Ano"_s,        u"Ja"_s,        u""_s,
                         u"Zrušit"_s,    u"a\"b\"c"_s,    u"Says %OLD"_s, u"%NOTRANS"_s,
                         u"tab\there"_s, u"'#13''#10'"_s, u"\u0001ctl"_s, u"%LEXICON_STRINGS"_s,
                         u"x"_s,         u"Ne"_s};
const QString Names[] = {u"Label1"_s, u"Edit1"_s, u"Form1"_s, u""_s, u"Button1"_s};
const QString Lexicons[] = {u"Form1.Lexicon1"_s, u"form1.lexicon1"_s, u"Form1.Other"_s, u""_s,
                            u"X.Y"_s};

QString Quoted(Dice &dice)
{
    switch (dice.Below(10)) {
    case 0:
        return u"\""_s + dice.Pick(Texts); // a single double quote
    case 1:
        return dice.Pick(Texts);
    default:
        return u'"' + dice.Pick(Texts) + u'"';
    }
}

QString ComponentLine(Dice &dice)
{
    QStringList parts{dice.Chance(85) ? u"0"_s : dice.Pick(Ids)};
    parts << (dice.Chance(15) ? u"%NOTRANS"_s : Quoted(dice));
    if (dice.Chance(90))
        parts << u"%COMPONENT="_s + dice.Pick(Names) + (dice.Chance(95) ? u";"_s : QString());
    if (dice.Chance(90))
        parts << u"%OWNER="_s + dice.Pick(Names) + u';';
    if (dice.Chance(30))
        parts << u"%ITEM="_s + dice.Pick(Ids) + u';';
    if (dice.Chance(10))
        parts << u"%OLD"_s;
    if (dice.Chance(10))
        std::swap(parts[1], parts[std::size_t(1 + dice.Below(int(parts.size()) - 1))]);
    return parts.join(u'\t');
}

QString LexiconLine(Dice &dice)
{
    if (dice.Chance(12))
        return u"0\t%LEXICON_NAME="_s + dice.Pick(Lexicons) +
               (dice.Chance(90) ? u";"_s : QString()) +
               (dice.Chance(20) ? u"\t%WORDMILL"_s : QString());
    return dice.Pick(Ids) + u'\t' + Quoted(dice);
}

QStringList SmartLines(Dice &dice)
{
    if (dice.Chance(10))
        return {u"0\t%LEXICON_NAME="_s + dice.Pick(Lexicons) + u';'};
    const QString id = dice.Chance(80) ? QString::number(dice.Below(4)) : dice.Pick(Ids);
    QStringList pair{id + u'\t' + Quoted(dice)};
    if (dice.Chance(85))
        pair << (dice.Chance(85) ? id : dice.Pick(Ids)) + u'\t' + Quoted(dice);
    return pair;
}

QString Header(Dice &dice, const QString &name)
{
    QString header = u"0\t%LANGUAGE_NAME=\""_s + name + u'"';
    if (dice.Chance(60))
        header +=
            u"\t%CODE="_s + dice.Pick(std::array{u"de;"_s, u"EN;"_s, u"xx;"_s, u"e;"_s, u"fr"_s});
    if (dice.Chance(40))
        header += u"\t%SUPERIOR_LANGUAGE="_s +
                  dice.Pick(std::array{u"Base;"_s, u"Fuzz;"_s, u"Nowhere;"_s, u";"_s});
    return header;
}

QByteArray Encode(Dice &dice, const QString &text)
{
    switch (dice.Below(6)) {
    case 0:
        return QStringEncoder(QStringConverter::Utf8, QStringConverter::Flag::WriteBom)(text);
    case 1:
        return QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom)(text);
    case 2:
        return QStringEncoder(QStringConverter::Latin1)(
            text); // no mark: the system's 8-bit encoding
    default:
        return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(text);
    }
}

QByteArray GeneratedFile(unsigned seed)
{
    Dice dice(seed);
    QStringList lines;
    lines << dice.Pick(std::array{u"[LANGUAGE_FILE]"_s, u"[LANGUAGE_FILE]"_s,
                                  u"  [LANGUAGE_FILE]\t"_s, u"[language_file]"_s,
                                  u"[LANGUAGE_FILE]"_s});
    for (int i = dice.Below(3); i > 0; --i)
        lines << Header(dice, dice.Pick(std::array{u"Fuzz"_s, u"fuzz"_s, u"Other"_s}));
    lines << Header(dice, u"Fuzz"_s);
    for (int i = dice.Below(12); i > 0; --i)
        lines << ComponentLine(dice);
    if (dice.Chance(90))
        lines << dice.Pick(std::array{u"0\t%LEXICON_STRINGS"_s, u"5\t%LEXICON_STRINGS"_s,
                                      u"x\t%LEXICON_STRINGS"_s, u"0\t\"%LEXICON_STRINGS\""_s});
    for (int i = dice.Below(12); i > 0; --i)
        lines << LexiconLine(dice);
    if (dice.Chance(90))
        lines << dice.Pick(std::array{u"0\t%SMART_STRINGS"_s, u"0\tx%SMART_STRINGS"_s});
    for (int i = dice.Below(10); i > 0; --i)
        lines << SmartLines(dice);
    if (dice.Chance(30)) {
        lines << u"0\t%FLAG_ICON"_s;
        for (int i = dice.Below(4); i > 0; --i)
            lines << QString::number(i) + u'\t' +
                         dice.Pick(
                             std::array{u"424D0A"_s, u"ff00Zz12"_s, u"0"_s, u""_s, u"\"00\""_s});
    }
    for (int i = dice.Below(3); i > 0; --i) // lines of another section out of place
        lines.insert(1 + dice.Below(int(lines.size())),
                     dice.Chance(50) ? ComponentLine(dice) : LexiconLine(dice));
    const QString end = dice.Pick(std::array{u"\r\n"_s, u"\r\n"_s, u"\n"_s, u"\r"_s});
    QString text = lines.join(end);
    if (dice.Chance(70))
        text += end;
    QByteArray bytes = Encode(dice, text);
    for (int i = dice.Chance(25) ? dice.Below(4) + 1 : 0; i > 0 && !bytes.isEmpty(); --i)
        bytes[dice.Below(int(bytes.size()))] = char(dice.Below(256)); // damaged bytes
    return bytes;
}

std::vector<Case> Corpus()
{
    std::vector<Case> cases;
    auto addFolder = [&cases](const QString &folder, const std::string &prefix) {
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo &info : files) {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly))
                cases.push_back({prefix + info.fileName().toStdString(), file.readAll()});
        }
    };
    addFolder(QStringLiteral(WORDMILL_TEST_DATA "/language_corpus"), "fixture_");
    addFolder(QStringLiteral(WORDMILL_TEST_DATA "/../../fuzz/seeds/load_language_fuzz"), "seed_");
    addFolder(QStringLiteral(WORDMILL_TEST_DATA "/../../setup/lang"), "program_");
    for (unsigned seed = 1; seed <= 400; ++seed)
        cases.push_back({"generated_" + std::to_string(seed), GeneratedFile(seed)});
    for (Case &c : cases)
        for (char &ch : c.name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
    return cases;
}

// ---- the dump of the stores

// Every code unit outside printable ASCII as \uXXXX, so that the dump is
// exact (lone surrogates included) and readable.
QString Escaped(const QString &text)
{
    QString out;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= 32 && u < 127 && u != u'\\')
            out += ch;
        else
            out += u"\\u%1"_s.arg(int(u), 4, 16, QChar(u'0'));
    }
    return out;
}

QString Dump(TestEngine &engine, bool loaded)
{
    TLangCoreData &d = *engine.LData();
    QString out;
    out += u"loaded %1 language [%2] code [%3] superior [%4] [%5]\n"_s.arg(
        loaded ? u"yes"_s : u"no"_s, Escaped(engine.CurrentLanguage()),
        Escaped(engine.CurrentLanguageISO()), Escaped(d.CurrentSuperiorLang.Name),
        Escaped(d.CurrentSuperiorLang.Code));
    out += u"lines %1\n"_s.arg(d.DataStruct.Count());
    for (int i = 0; i < d.DataStruct.Count(); ++i) {
        const TSimpleStructLine line = d.DataStruct.GetSimple(i);
        out += u"  [%1] [%2] %3 %4\n"_s.arg(Escaped(line.LineID), Escaped(line.Translation))
                   .arg(int(line.Descent))
                   .arg(int(line.Changeable));
    }
    out += u"lexicons %1\n"_s.arg(int(d.DataLexicon.LexiconCount()));
    for (int l = 0; l < d.DataLexicon.LexiconCount(); ++l) {
        const QString name = d.DataLexicon.LexiconName(l);
        out += u"  [%1] count %2 max %3\n"_s.arg(Escaped(name))
                   .arg(int(d.DataLexicon.ItemsCount(name)))
                   .arg(d.DataLexicon.MaxItemNr(name));
        for (int n = 0; n <= d.DataLexicon.MaxItemNr(name); ++n) {
            if (!d.DataLexicon.IsIncluded(name, n))
                continue;
            quint16 descent = 0;
            const QString text = d.DataLexicon.ReadItem(name, n, descent);
            out += u"    %1 [%2] %3\n"_s.arg(n).arg(Escaped(text)).arg(int(descent));
        }
    }
    auto smart = [&out, &d](const QString &name) {
        out += u"  smart [%1] count %2\n"_s.arg(Escaped(name))
                   .arg(int(d.SmartLexicon.ItemsCount(name)));
        for (int n = 0; n <= d.SmartLexicon.MaxItemNr(name); ++n) {
            quint16 descent = 0;
            const QString text = d.SmartLexicon.ReadItem(name, n, descent);
            out += u"    [%1] [%2] %3\n"_s
                       .arg(Escaped(d.SmartLexicon.GetLocStr(name, n)), Escaped(text))
                       .arg(int(descent));
        }
    };
    out += u"smart lexicons %1\n"_s.arg(int(d.SmartLexicon.LexiconCount()));
    smart(QString());
    for (int l = 0; l < d.SmartLexicon.LexiconCount(); ++l)
        smart(d.SmartLexicon.LexiconName(l));
    out += u"flag [%1]\n"_s.arg(QString::fromLatin1(GetFlagBuffer().data().toHex()));
    return out;
}

// A form with an engine whose language "Fuzz" is the file under test, and a
// language "Base" for the superior chains.
class World
{
public:
    World()
    {
        form.setObjectName(u"Form1"_s);
        engine = new TestEngine(&form);
        engine->langsDir = temp.path() + u'/';
        engine->setObjectName(u"WordmillEngine1"_s);
        engine->SetDesignLanguageName(u"design"_s);
        engine->SetLanguageCacheFolder(temp.filePath(u"cache"_s));
        lexicon = new TDesignedLexicon(&form);
        lexicon->setObjectName(u"Lexicon1"_s);
        lexicon->SetItems({u"a"_s, u"b"_s, u"c"_s});
        lexicon->SetWordmillEngine(engine);
        QFile base(temp.filePath(u"base.lng"_s));
        base.open(QIODevice::WriteOnly);
        base.write(
            "[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Base\"\t%CODE=bs;\t%SUPERIOR_LANGUAGE=Fuzz;\r\n"
            "0\t\"t\"\t%COMPONENT=Label1;\t%OWNER=Form1;\r\n"
            "0\t\"u\"\t%COMPONENT=Edit1;\t%OWNER=Form1;\r\n0\t%LEXICON_STRINGS\r\n"
            "0\t%LEXICON_NAME=Form1.Lexicon1;\r\n1\t\"B\"\r\n2\t\"C\"\r\n0\t%SMART_STRINGS\r\n"
            "0\t\"Ano\"\r\n0\t\"Yes\"\r\n0\t%LEXICON_NAME=X.Y;\r\n0\t\"x\"\r\n0\t\"y\"\r\n");
        base.close();
        engine->RefreshLanguages();
        // The file under test is listed under a fixed name whatever its
        // header says.
        TLangCoreData &d = *engine->LData();
        d.LanguageList.append({u"Fuzz"_s, QString(), temp.filePath(u"fuzz.lng"_s), true, {}});
    }

    // The dump of every kind of load; Cached receives what a plain load
    // taken from the compiled cache leaves (the library's own texts
    // included), Uncached the same for the plain load that made it.
    QString Load(const QByteArray &bytes, QString &Uncached, QString &Cached)
    {
        QFile file(temp.filePath(u"fuzz.lng"_s));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return u"cannot write"_s;
        file.write(bytes);
        file.close();
        QString out;
        for (const int flags : {0, int(llAddLines | llMarkOld | llReadFlag), int(llAsSuperior)}) {
            const bool loaded = engine->LoadLanguage(u"Fuzz"_s, flags, QString());
            const QString dump = Dump(*engine, loaded);
            out += u"-- flags %1\n"_s.arg(flags) + dump;
            if (flags == 0) {
                Uncached = dump + OwnTexts();
                const bool again = engine->LoadLanguage(u"Fuzz"_s, 0, QString());
                Cached = Dump(*engine, again) + OwnTexts();
            }
        }
        return out;
    }

    // Which built-in table the library's own texts come from.
    QString OwnTexts() const
    {
        return u"own texts [%1]\n"_s.arg(engine->FormLexicon()->InternalLanguage().Code);
    }

    QTemporaryDir temp;
    TDataModule form;
    TestEngine *engine = nullptr;
    TDesignedLexicon *lexicon = nullptr;
};

std::map<std::string, QString> ReadExpectations()
{
    std::map<std::string, QString> expected;
    QFile file(ExpectationsPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return expected;
    const QStringList sections =
        QString::fromUtf8(file.readAll()).split(u"== "_s, Qt::SkipEmptyParts);
    for (const QString &section : sections) {
        const qsizetype newline = section.indexOf(u'\n');
        expected[section.left(newline).toStdString()] = section.mid(newline + 1);
    }
    return expected;
}

bool Recording()
{
    return !qEnvironmentVariableIsEmpty("WORDMILL_RECORD_EXPECTATIONS");
}

class LoadedStores : public testing::TestWithParam<Case>
{
protected:
    static World &world()
    {
        static World w;
        return w;
    }
    static inline std::map<std::string, QString> expected = ReadExpectations();
    static inline std::map<std::string, QString> recorded;

    static void TearDownTestSuite()
    {
        if (!Recording())
            return;
        QFile file(ExpectationsPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return;
        for (const auto &[name, dump] : recorded)
            file.write(("== " + name + "\n").c_str() + dump.toUtf8());
    }
};

} // namespace

TEST_P(LoadedStores, HoldWhatTheyHeldWhenRecorded)
{
    const Case &c = GetParam();
    QString uncached, cached;
    const QString dump = world().Load(c.bytes, uncached, cached);
    // The compiled cache holds exactly what the file gave.
    EXPECT_EQ(cached, uncached);
    if (Recording()) {
        recorded[c.name] = dump;
        return;
    }
    const auto it = expected.find(c.name);
    ASSERT_NE(it, expected.end()) << "no expectation recorded for " << c.name;
    EXPECT_EQ(dump, it->second);
}

INSTANTIATE_TEST_SUITE_P(Corpus, LoadedStores, testing::ValuesIn(Corpus()),
                         [](const testing::TestParamInfo<Case> &info) { return info.param.name; });
