#include "LanguageFiles.h"
#include "TestEngine.h"
#include "TestPrinters.h"
#include <wordmill/core/LangCoreData.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

const QString Lexicon = u"Form1.Lexicon1"_s;

class SuperiorChains : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        engine.langsDir = dir.path() + u'/';
        engine.SetDesignLanguageName(u"design"_s);
    }

    // A language file whose lexicon holds item number -> text.
    void Write(const QString &name, const QStringList &headers,
               const QList<std::pair<int, QString>> &items)
    {
        QStringList lines{u"[LANGUAGE_FILE]"_s};
        lines << headers << u"0\t%LEXICON_STRINGS"_s << u"0\t%LEXICON_NAME="_s + Lexicon + u';';
        for (const auto &[number, text] : items)
            lines << QString::number(number) + u"\t\""_s + text + u'"';
        lines << u"0\t%SMART_STRINGS"_s;
        ASSERT_TRUE(WriteLanguageFile(dir.filePath(name + u".lng"_s), lines));
    }

    QString Item(int number, quint16 &descent)
    {
        return engine.LData()->DataLexicon.ReadItem(Lexicon, number, descent);
    }

    QTemporaryDir dir;
    TestEngine engine;
};

QString Superior(const QString &name)
{
    return u"\t%SUPERIOR_LANGUAGE="_s + name + u';';
}

TEST_F(SuperiorChains, DeepChainWithTwoHeaderLinesPerFileLoadsQuickly)
{
    // Every file has a nameless header line before its own, both naming the
    // level below as superior: each level would double the work if every
    // header line loaded its superior.
    constexpr int Levels = 20;
    for (int level = 0; level < Levels; ++level) {
        const QString name = u"L%1"_s.arg(level);
        const QString superior = level > 0 ? Superior(u"L%1"_s.arg(level - 1)) : QString();
        Write(name, {LanguageHeader(QString(), superior), LanguageHeader(name, superior)},
              {{level, name}});
    }
    engine.RefreshLanguages();
    const QString top = u"L%1"_s.arg(Levels - 1);

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(engine.LoadLanguage(top, 0, QString()));
    EXPECT_LT(clock.elapsed(), 5000);

    for (int level = 0; level < Levels; ++level) {
        quint16 descent = 0;
        EXPECT_EQ(Item(level, descent), u"L%1"_s.arg(level));
        EXPECT_EQ(descent, Levels - 1 - level);
    }
    EXPECT_EQ(engine.CurrentLanguage(), top);
    EXPECT_EQ(engine.LData()->CurrentSuperiorLang.Name, u"L%1"_s.arg(Levels - 2));
}

TEST_F(SuperiorChains, TheHeaderLineThatNamesTheLanguageChoosesItsSuperior)
{
    Write(u"a"_s, {LanguageHeader(u"A"_s)}, {{0, u"from A"_s}});
    Write(u"b"_s, {LanguageHeader(u"B"_s)}, {{0, u"from B"_s}, {2, u"only in B"_s}});
    Write(u"x"_s,
          {LanguageHeader(QString(), Superior(u"B"_s) + u"\t%CODE=fr;"_s),
           LanguageHeader(u"X"_s, Superior(u"A"_s) + u"\t%CODE=de;"_s)},
          {{1, u"own"_s}});
    engine.RefreshLanguages();
    quint16 descent = 0;

    ASSERT_TRUE(engine.LoadLanguage(u"X"_s, 0, QString()));
    EXPECT_EQ(Item(0, descent), u"from A"_s);
    EXPECT_EQ(Item(1, descent), u"own"_s);
    EXPECT_EQ(Item(2, descent), QString());
    EXPECT_EQ(engine.CurrentLanguageISO(), u"de"_s);
    EXPECT_EQ(engine.LData()->CurrentSuperiorLang.Name, u"A"_s);

    // Asked in other letter case, no header line names the language: the
    // last one gives the superior, and the file's own lines are not read.
    ASSERT_TRUE(engine.LoadLanguage(u"x"_s, 0, QString()));
    EXPECT_EQ(Item(0, descent), u"from A"_s);
    EXPECT_EQ(Item(1, descent), QString());
}

} // namespace
