#include "BindingFixture.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPainter>
#include <QTemporaryFile>

#include <wordmill/ctrls/MessageBox.h>

using namespace binding_test;
using namespace wordmill;

namespace {

class Selectors : public BindingFixture
{
protected:
    void SetUp() override
    {
        BindingFixture::SetUp();
        label = Add<QLabel>(u"Label1"_s);
        label->setText(u"Popisek"_s);
        WriteTestish({ComponentLine(0, u"Caption"_s, u"Label1"_s, u"Form1"_s),
                      ComponentLine(33, u"Nonsense"_s, u"LangCombo1"_s, u"Form1"_s, u"0"_s)});
        client = NewClient();
        client->SetWordmillEngine(engine);
        engine->Initialize(true);
    }

    // The user picks entry Text as if from the open list.
    template <typename Combo> void Pick(Combo *combo, const QString &Text)
    {
        int index = combo->findText(Text, Qt::MatchExactly);
        if (index < 0) {
            combo->addItem(Text);
            index = combo->count() - 1;
        }
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    QStringList Items(QComboBox *combo)
    {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }

    QLabel *label = nullptr;
    TWordmillClient *client = nullptr;
};

TEST_F(Selectors, BindingFillsAndUnbindingEmpties)
{
    auto *combo = Add<TLangCombo>(u"LangCombo1"_s);
    auto *flags = Add<TLangFlagsCombo>(u"LangFlags1"_s);
    EXPECT_EQ(combo->count(), 0);
    combo->SetWordmillEngine(engine);
    flags->SetWordmillEngine(engine);
    EXPECT_EQ(Items(combo), engine->LData()->LangMenu);
    EXPECT_EQ(Items(flags), engine->LData()->LangMenu);
    EXPECT_EQ(combo->currentText(), u"čeština"_s);
    EXPECT_EQ(flags->currentIndex(), 0);
    EXPECT_FALSE(flags->itemIcon(1).isNull());

    combo->SetWordmillEngine(nullptr);
    flags->SetWordmillEngine(nullptr);
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(flags->count(), 0);
    EXPECT_FALSE(engine->SpanClients()->Components().contains(combo));
    EXPECT_FALSE(engine->SpanClients()->Components().contains(flags));

    // Switching languages leaves unbound selectors alone.
    engine->Translate(u"Testish"_s);
    EXPECT_EQ(combo->count(), 0);
}

TEST_F(Selectors, PickingALanguageSwitchesAndTells)
{
    auto *combo = Add<TLangCombo>(u"LangCombo1"_s);
    combo->SetWordmillEngine(engine);
    QList<QObject *> senders;
    combo->SetOnChangeLanguage([&](QObject *sender) { senders << sender; });

    Pick(combo, u"Testish"_s);
    EXPECT_EQ(engine->CurrentLanguage(), u"Testish"_s);
    EXPECT_EQ(label->text(), u"Caption"_s);
    EXPECT_EQ(senders, QList<QObject *>{combo});
    // The selector's own items are language names, whatever the file says.
    EXPECT_EQ(Items(combo), engine->LData()->LangMenu);
    EXPECT_EQ(combo->currentText(), u"Testish"_s);
}

TEST_F(Selectors, PickingTheCurrentLanguageDoesNothing)
{
    auto *combo = Add<TLangCombo>(u"LangCombo1"_s);
    combo->SetWordmillEngine(engine);
    int asked = 0;
    int told = 0;
    engine->SetOnChangeLangQuery([&](QObject *, bool &) { ++asked; });
    combo->SetOnChangeLanguage([&](QObject *) { ++told; });
    Pick(combo, u"čeština"_s);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(told, 0);
}

// A pick the engine does not follow: the box returns to the current
// language, and the application hears of it anyway.
struct RefusedCase
{
    const char *name;
    QString entry;
    bool refuse;

    friend void PrintTo(const RefusedCase &c, std::ostream *os) { *os << c.name; }
};

class RefusedPick : public Selectors, public testing::WithParamInterface<RefusedCase>
{
};

TEST_P(RefusedPick, BoxReturnsToTheCurrentLanguage)
{
    auto *combo = Add<TLangCombo>(u"LangCombo1"_s);
    auto *flags = Add<TLangFlagsCombo>(u"LangFlags1"_s);
    combo->SetWordmillEngine(engine);
    flags->SetWordmillEngine(engine);
    engine->SetOnChangeLangQuery([](QObject *, bool &proceed) {
        if (GetParam().refuse)
            proceed = false;
    });
    int told = 0;
    combo->SetOnChangeLanguage([&](QObject *) { ++told; });
    flags->SetOnChangeLanguage([&](QObject *) { ++told; });

    Pick(combo, GetParam().entry);
    EXPECT_EQ(engine->CurrentLanguage(), u"čeština"_s);
    EXPECT_EQ(combo->currentText(), u"čeština"_s);
    EXPECT_EQ(Items(combo), engine->LData()->LangMenu);
    Pick(flags, GetParam().entry);
    EXPECT_EQ(flags->currentText(), u"čeština"_s);
    EXPECT_EQ(Items(flags), engine->LData()->LangMenu);
    EXPECT_EQ(told, 2);
    EXPECT_EQ(label->text(), u"Popisek"_s);
}

const RefusedCase refusedCases[] = {
    {"unknown_language", u"klingonština"_s, false},
    {"switch_refused_by_the_application", u"Testish"_s, true},
};

INSTANTIATE_TEST_SUITE_P(Picks, RefusedPick, testing::ValuesIn(refusedCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The create entry needs the language folder; when it cannot be made, the
// user sees why and the box returns to the current language.
TEST_F(Selectors, LanguageFolderErrorIsShownNotThrown)
{
    QTemporaryFile blocker;
    ASSERT_TRUE(blocker.open());
    engine->SetLangSubdirectory(blocker.fileName() + u"/lang"_s);
    auto *combo = Add<TLangCombo>(u"LangCombo1"_s);
    combo->SetWordmillEngine(engine);
    QStringList shown;
    const MessageBoxHandler previous =
        SetMessageBoxHandler([&](const MessageBoxRequest &box) { shown << box.text; });
    Pick(combo, u"> Přidat jazyk <"_s);
    SetMessageBoxHandler(previous);
    EXPECT_EQ(shown, QStringList{u"Chybná cesta k jazykovým souborům!"_s});
    EXPECT_EQ(combo->currentText(), u"čeština"_s);
}

TEST_F(Selectors, DuplicateNamesSelectTheFirst)
{
    // A file named like the design language is listed a second time.
    WriteLanguage(dir.filePath(u"cestina.lng"_s), u"čeština"_s, QString(), {});
    engine->RefreshLanguages();
    auto *combo = Add<TLangCombo>(u"LangCombo1"_s);
    auto *flags = Add<TLangFlagsCombo>(u"LangFlags1"_s);
    combo->SetWordmillEngine(engine);
    flags->SetWordmillEngine(engine);
    ASSERT_EQ(engine->LData()->Languages().count(u"čeština"_s), 2);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(flags->currentIndex(), 0);
    engine->Translate(u"Testish"_s);
    engine->Translate(u"čeština"_s);
    EXPECT_EQ(flags->currentIndex(), 0);
}

TEST_F(Selectors, EngineDestroyedEmptiesTheSelectors)
{
    auto *combo = Add<TLangCombo>(u"LangCombo1"_s);
    auto *flag = Add<TLangFlag>(u"LangFlag1"_s);
    combo->SetWordmillEngine(engine);
    flag->SetWordmillEngine(engine);
    delete engine;
    engine = nullptr;
    EXPECT_EQ(combo->WordmillEngine(), nullptr);
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(flag->WordmillEngine(), nullptr);
    EXPECT_EQ(client->WordmillEngine(), nullptr);
}

TEST_F(Selectors, FlagShowsTheCurrentLanguagesFlag)
{
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray bitmap;
    QBuffer buffer(&bitmap);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "BMP");
    engine->SetDesignLangFlag(bitmap);

    auto *flag = Add<TLangFlag>(u"LangFlag1"_s);
    EXPECT_TRUE(flag->Transparent());
    EXPECT_TRUE(flag->Center());
    flag->SetWordmillEngine(engine);
    ASSERT_FALSE(flag->Picture().isNull());
    EXPECT_EQ(flag->Picture().toImage().pixel(5, 5), qRgb(255, 0, 0));
    engine->Translate(u"Testish"_s); // no flag in its file
    EXPECT_TRUE(flag->Picture().isNull());
}

TEST_F(Selectors, StyleComboKeepsToTheListStyles)
{
    auto *combo = Add<TLangCombo>(u"LangCombo1"_s);
    EXPECT_EQ(combo->StyleCombo(), scDropDownList);
    combo->SetStyleCombo(scOwnerDrawVariable);
    EXPECT_EQ(combo->StyleCombo(), scOwnerDrawVariable);
    combo->setEditable(true);
    EXPECT_EQ(combo->StyleCombo(), scDropDownList);
    EXPECT_FALSE(combo->isEditable());
    combo->SetStyleCombo(TLangComboStyle(7));
    EXPECT_EQ(combo->StyleCombo(), scDropDownList);
}

TEST_F(Selectors, OwnerDrawnEntriesAreLeftToTheApplication)
{
    auto *combo = Add<TLangCombo>(u"LangCombo1"_s);
    combo->SetWordmillEngine(engine);
    combo->SetStyleCombo(scOwnerDrawVariable);
    QList<int> drawn;
    bool fieldDrawn = false;
    combo->SetOnDrawItem(
        [&](QObject *, int index, QPainter *, const QRect &, const TOwnerDrawState &state) {
            if (state.ComboEdit)
                fieldDrawn = true;
            else
                drawn << index;
        });
    combo->SetOnMeasureItem([](QObject *, int index, int &height) { height += index; });

    combo->resize(150, 24);
    combo->grab();
    EXPECT_TRUE(fieldDrawn);
    QAbstractItemView *list = combo->view();
    const QModelIndex second = combo->model()->index(1, 0);
    EXPECT_EQ(list->itemDelegate()->sizeHint(QStyleOptionViewItem(), second).height(),
              combo->ItemHeight() + 1);

    // Back to plain texts: the box's own delegate again.
    combo->SetStyleCombo(scDropDownList);
    EXPECT_NE(list->itemDelegate()->sizeHint(QStyleOptionViewItem(), second).height(), 0);
    fieldDrawn = false;
    combo->grab();
    EXPECT_FALSE(fieldDrawn);
}

// The valued label composes its caption from its parts.
struct ValuedCase
{
    const char *name;
    QString valueName;
    QString separator;
    quint8 spaces;
    QString value;
    QString caption;

    friend void PrintTo(const ValuedCase &c, std::ostream *os) { *os << c.name; }
};

class ValuedLabel : public testing::TestWithParam<ValuedCase>
{
};

TEST_P(ValuedLabel, ComposesItsCaption)
{
    const ValuedCase &row = GetParam();
    TValuedLabel label;
    label.SetValueSpaces(row.spaces);
    label.SetValueName(row.valueName);
    label.SetValue(row.value);
    label.SetValueSeparator(row.separator);
    EXPECT_EQ(label.text(), row.caption);
}

const ValuedCase valuedCases[] = {
    {"separator_and_one_blank", u"Velikost"_s, u":"_s, 1, u"15 MB"_s, u"Velikost: 15 MB"_s},
    {"no_separator_no_blanks", u"A"_s, QString(), 0, u"B"_s, u"AB"_s},
    {"several_blanks", u"Verze"_s, u" ="_s, 3, u"1.0"_s, u"Verze =   1.0"_s},
    {"no_value", u"Stav"_s, u":"_s, 1, QString(), u"Stav: "_s},
};

INSTANTIATE_TEST_SUITE_P(Parts, ValuedLabel, testing::ValuesIn(valuedCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Selectors, ValuedLabelShowsItsTranslatedName)
{
    auto *valued = Add<TValuedLabel>(u"Size1"_s);
    valued->SetValueName(u"Velikost"_s);
    valued->SetValueSeparator(u":"_s);
    valued->SetValueSpaces(1);
    valued->SetValue(u"15 MB"_s);
    WriteTestish({ComponentLine(7, u"Size"_s, u"Size1"_s, u"Form1"_s)});
    client->RecreateTransStruct();
    engine->Translate(u"Testish"_s);
    EXPECT_EQ(valued->text(), u"Size: 15 MB"_s);
    valued->SetValue(u"16 MB"_s);
    EXPECT_EQ(valued->text(), u"Size: 16 MB"_s);
}

} // namespace
