#include "TestEngine.h"
#include "TestPrinters.h"
#include <wordmill/core/ProgrammableLexicon.h>

#include <gtest/gtest.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

TEST(ProgrammableLexicon, DefinedItemsAreEscapedAndEmptyTextsIgnored)
{
    TCustomProgrammableLexicon lexicon;
    EXPECT_EQ(lexicon.MaxIndex(), 0);
    lexicon.DefineItem(3, u"a\tb"_s);
    lexicon.DefineItem(3, QString()); // keeps the text
    lexicon.DefineItem(40, u"forty"_s);
    EXPECT_EQ(lexicon.GetLocStr(3), u"a'#9'b"_s);
    EXPECT_EQ(lexicon.Item(3), u"a\tb"_s);
    EXPECT_EQ(lexicon.MaxIndex(), 40);
    EXPECT_FALSE(lexicon.IsDefined(4));
    EXPECT_FALSE(lexicon.IsDefined(-1));
    EXPECT_FALSE(lexicon.IsDefined(70000)); // never folded onto item 4464
    EXPECT_TRUE(lexicon.IsDefined(u"FORTY"_s));
}

TEST(ProgrammableLexicon, InitializationHandlerRunsWhenAssigned)
{
    TCustomProgrammableLexicon lexicon;
    int runs = 0;
    lexicon.SetOnInitialization([&](QObject *sender) {
        ++runs;
        static_cast<TCustomProgrammableLexicon *>(sender)->DefineItem(0, u"zero"_s);
    });
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(lexicon.Item(0), u"zero"_s);
    lexicon.SetOnInitialization({});
    EXPECT_EQ(runs, 1);
}

struct InternalCase
{
    const char *name;
    QString lang;
    QString code;
    bool load;
    bool known;
    QString loadedName; // empty: the English table stays
    friend void PrintTo(const InternalCase &c, std::ostream *os) { *os << c.name; }
};

class FormLexiconTables : public testing::TestWithParam<InternalCase>
{
};

TEST_P(FormLexiconTables, BuiltInLanguagesByNameOrCode)
{
    TestEngine engine;
    TLangFormLexicon &lexicon = *engine.FormLexicon();
    const InternalCase &c = GetParam();
    EXPECT_EQ(lexicon.InternalLanguages(c.lang, c.code, c.load), c.known);
    EXPECT_EQ(lexicon.InternalLanguage().Name, c.loadedName.isEmpty() ? u"English"_s : c.loadedName);
}

INSTANTIATE_TEST_SUITE_P(
    FormLexicon, FormLexiconTables,
    testing::Values(InternalCase{"slovak_by_name", u"Slovenčina"_s, QString(), true, true, u"Slovenčina"_s},
                    InternalCase{"german_unknown", u"Deutsch"_s, u"de"_s, true, false, QString()},
                    InternalCase{"italian_code_without_loading", QString(), u"IT-it"_s, false, true, QString()},
                    InternalCase{"xx_counts_as_no_code", u"English"_s, u"xx"_s, true, true, u"English"_s},
                    InternalCase{"czech_by_code", u"whatever"_s, u"cs"_s, true, true, u"Čeština"_s},
                    InternalCase{"czech_capital_name", u"ČEŠTINA"_s, QString(), true, true, u"Čeština"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FormLexicon, TablesLeaveItemsNineAndThirteenUndefined)
{
    TestEngine engine;
    TLangFormLexicon &lexicon = *engine.FormLexicon();
    EXPECT_EQ(lexicon.Item(1), u"> Add <"_s);
    EXPECT_EQ(lexicon.Item(49), u"%s items has been imported"_s);
    lexicon.InternalLanguages(QString(), u"it"_s, true);
    EXPECT_EQ(lexicon.Item(2), u"> Modificare lingua <"_s);
    for (int item : {9, 13}) {
        EXPECT_FALSE(lexicon.IsDefined(item));
        EXPECT_EQ(lexicon.Item(item), QString());
    }
    // The form lexicon is named after its engine and bound to it.
    EXPECT_EQ(lexicon.WordmillEngine(), &engine);
}
