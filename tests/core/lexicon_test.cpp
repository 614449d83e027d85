#include "TestEngine.h"
#include "TestPrinters.h"
#include <wordmill/WordmillCore.h>
#include <wordmill/WordmillSys.h>

#include <gtest/gtest.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

// An engine that answers every lexicon item with a marked text, so tests can
// tell translated texts from design texts.
class MarkingEngine : public TestEngine
{
public:
    using TestEngine::TestEngine;
    QString TranslateString(const QString &Str, TWordmillList *Lexicon, int ItemNr) override
    {
        return u"%1:%2"_s.arg(ItemNr).arg(TWordmillCore::TranslateString(Str, Lexicon, ItemNr));
    }
    void SetCurrent(const QString &language) { fCurrentLanguage = language; }
};

// Counts the hooks a component receives.
class CountingLexicon : public TDesignedLexicon
{
public:
    using TDesignedLexicon::TDesignedLexicon;
    int inits = 0;
    int changes = 0;
    void InitClient() override { ++inits; }
    void LanguageChanged(QObject *Sender) override
    {
        ++changes;
        TDesignedLexicon::LanguageChanged(Sender);
    }
};

} // namespace

TEST(DesignedLexicon, ItemsWithoutEngineAreDecodedDesignTexts)
{
    TDesignedLexicon lexicon;
    lexicon.SetItems({u"A"_s, QString(), u"C"_s, u"Line1'#13''#10'Line2"_s});
    EXPECT_EQ(lexicon.Item(0), u"A"_s);
    EXPECT_EQ(lexicon.Item(1), QString());
    EXPECT_FALSE(lexicon.IsDefined(1));
    EXPECT_EQ(lexicon.Item(2), u"C"_s);
    EXPECT_EQ(lexicon.Item(3), u"Line1\r\nLine2"_s);
    EXPECT_EQ(lexicon.GetLocStr(3), u"Line1'#13''#10'Line2"_s);
    EXPECT_EQ(lexicon.Item(4), QString());
    EXPECT_EQ(lexicon.Item(-1), QString());
    EXPECT_EQ(lexicon.MaxIndex(), 3);
    EXPECT_TRUE(lexicon.IsDefined(u"c"_s));
    EXPECT_FALSE(lexicon.IsDefined(u"D"_s));
    EXPECT_EQ(TDesignedLexicon().MaxIndex(), -1);
}

TEST(DesignedLexicon, CreateItemEscapesAndReturnsTheNewNumber)
{
    TDesignedLexicon lexicon;
    lexicon.SetItems({u"x"_s});
    EXPECT_EQ(lexicon.CreateItem(u"a\tb"_s), 1);
    EXPECT_EQ(lexicon.GetLocStr(1), u"a'#9'b"_s);
    EXPECT_EQ(lexicon.Item(1), u"a\tb"_s);
    EXPECT_EQ(lexicon.GetLink(5), u"«#5;"_s);
}

TEST(DesignedLexicon, ItemsPassThroughTheEngine)
{
    MarkingEngine engine;
    TDesignedLexicon lexicon;
    lexicon.SetItems({u"Ahoj"_s, QString()});
    lexicon.SetWordmillEngine(&engine);
    EXPECT_EQ(lexicon.Item(0), u"0:Ahoj"_s);
    EXPECT_EQ(lexicon.Item(1), QString()); // undefined items never reach the engine
}

struct CompleteCase
{
    const char *name;
    QString input;
    QString expected;
    friend void PrintTo(const CompleteCase &c, std::ostream *os) { *os << c.name; }
};

class CompleteString : public testing::TestWithParam<CompleteCase>
{
};

TEST_P(CompleteString, ExpandsReferences)
{
    TDesignedLexicon lexicon;
    lexicon.SetItems({u"Hello"_s, u"«#0;, world"_s});
    EXPECT_EQ(lexicon.CompleteString(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lexicon, CompleteString,
    testing::Values(
        CompleteCase{"item_link", u"«#0;, world"_s, u"Hello, world"_s},
        CompleteCase{"linked_item_not_expanded_again", u"[«#1;]"_s, u"[«#0;, world]"_s},
        CompleteCase{"link_past_end", u"«#7;"_s, u"???"_s},
        CompleteCase{"link_without_digits", u"«#x;"_s, u"«#x;"_s},
        CompleteCase{"link_empty_number", u"«#;"_s, u"«#;"_s},
        CompleteCase{"opener_at_end", u"abc«"_s, u"abc«"_s},
        CompleteCase{"link_without_semicolon", u"«#5"_s, u"«#5"_s},
        CompleteCase{"quoted_text_decoded", u"«\"a'#9'b\"» c"_s, u"a\tb c"_s},
        CompleteCase{"quoted_never_closed", u"A«\"bc"_s, u"A"_s},
        CompleteCase{"empty_quoted_expands_to_nothing", u"x«\"\"»y"_s, u"xy"_s},
        CompleteCase{"plain_guillemets", u"«ab»"_s, u"«ab»"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DesignedLexicon, QuotedStringsGoToTheEngineAsSmartStrings)
{
    MarkingEngine engine;
    TDesignedLexicon lexicon;
    lexicon.SetWordmillEngine(&engine);
    EXPECT_EQ(lexicon.CompleteString(u"«\"Yes\"»!"_s), u"-1:Yes!"_s);
}

TEST(WordmillComponent, BindingWhileLoadingDefersHooks)
{
    MarkingEngine engine;
    TDataModule form;
    auto *lexicon = new CountingLexicon(&form);
    SetComponentLoading(&form, true);
    lexicon->SetWordmillEngine(&engine);
    EXPECT_EQ(lexicon->inits, 0);
    EXPECT_EQ(lexicon->changes, 0);
    EXPECT_TRUE(engine.SpanClients()->Components().contains(lexicon));
    SetComponentLoading(&form, false);

    // Bound later, outside loading: InitClient once, then LanguageChanged.
    CountingLexicon late;
    late.SetWordmillEngine(&engine);
    EXPECT_EQ(late.inits, 1);
    EXPECT_EQ(late.changes, 1);
}

TEST(WordmillComponent, EngineAndComponentLifetimes)
{
    auto engine = std::make_unique<MarkingEngine>();
    engine->SetCurrent(u"english"_s);
    auto lexicon = std::make_unique<TDesignedLexicon>();
    lexicon->SetWordmillEngine(engine.get());
    EXPECT_EQ(lexicon->WordmillComponentLanguage, u"english"_s);

    const qsizetype before = engine->SpanClients()->Count();
    {
        TDesignedLexicon second;
        second.SetWordmillEngine(engine.get());
        EXPECT_EQ(engine->SpanClients()->Count(), before + 1);
    }
    EXPECT_EQ(engine->SpanClients()->Count(), before); // a destroyed client leaves

    engine.reset();
    EXPECT_EQ(lexicon->WordmillEngine(), nullptr);
    EXPECT_TRUE(lexicon->WordmillComponentLanguage.isEmpty());
    lexicon->SetItems({u"still works"_s});
    EXPECT_EQ(lexicon->Item(0), u"still works"_s);
}

TEST(Lexicon, LanguageChangeRunsSlavesThenEvent)
{
    MarkingEngine engine;
    engine.SetCurrent(u"english"_s);
    TDesignedLexicon lexicon;
    QStringList calls;
    lexicon.AddSlave([&] { calls << u"slave"_s; });
    lexicon.SetOnChangeLanguage([&](QObject *sender) {
        calls << (sender == &lexicon ? u"event"_s : u"wrong sender"_s);
    });
    lexicon.SetWordmillEngine(&engine);
    EXPECT_EQ(calls, (QStringList{u"slave"_s, u"event"_s}));
    EXPECT_EQ(lexicon.WordmillComponentLanguage, u"english"_s);
}

TEST(Spans, InitToLanguageStampsUntranslatedClientsOfTheDesignLanguage)
{
    MarkingEngine engine;
    CountingLexicon fresh, english;
    fresh.SetWordmillEngine(&engine);
    english.SetWordmillEngine(&engine);
    fresh.WordmillComponentLanguage.clear();
    english.WordmillComponentLanguage = u"english"_s;
    fresh.changes = english.changes = 0;

    engine.SpanClients()->InitToLanguage(u"čeština"_s, true);
    EXPECT_EQ(fresh.changes, 0);
    EXPECT_EQ(fresh.WordmillComponentLanguage, u"čeština"_s);
    EXPECT_EQ(english.changes, 1);

    english.WordmillComponentLanguage = u"english"_s;
    fresh.WordmillComponentLanguage.clear();
    fresh.changes = english.changes = 0;
    engine.SpanClients()->InitToLanguage(u"english"_s, false);
    EXPECT_EQ(english.changes, 0);
    EXPECT_EQ(fresh.changes, 1);
}

TEST(Spans, EmptyRegistryAndNameLookups)
{
    TSpans empty;
    empty.InitClients();
    EXPECT_EQ(empty.GetListByName(u"Form1.Lexicon1"_s), nullptr);
    EXPECT_TRUE(empty.SpanName(0).isEmpty());
    EXPECT_FALSE(empty.IsRegistered(u"x"_s));

    TDataModule form;
    form.setObjectName(u"Form1"_s);
    auto *lexicon = new TDesignedLexicon(&form);
    lexicon->setObjectName(u"Lexicon1"_s);
    TSpans spans;
    spans.RegisterClient(lexicon);
    EXPECT_EQ(spans.GetListByName(u"Form1.Lexicon1"_s), lexicon);
    EXPECT_EQ(spans.GetListByName(u"form1.lexicon1"_s), nullptr);
    EXPECT_TRUE(spans.IsRegistered(u"Form1.Lexicon1"_s));
    delete lexicon;
    EXPECT_EQ(spans.Count(), 0);
}

TEST(QualifiedName, NamesFollowTheOwner)
{
    TDataModule form;
    form.setObjectName(u"Form1"_s);
    TComponent named(&form), unnamed(&form), orphan;
    named.setObjectName(u"Lexicon1"_s);
    orphan.setObjectName(u"Lexicon2"_s);
    EXPECT_EQ(QualifiedName(&named), u"Form1.Lexicon1"_s);
    EXPECT_EQ(QualifiedName(&unnamed), u"Form1"_s);
    EXPECT_EQ(QualifiedName(&orphan), QString());
    EXPECT_EQ(QualifiedName(nullptr), QString());
}
