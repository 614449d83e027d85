#include "BindingFixture.h"

#include <QActionGroup>
#include <QMenu>

using namespace binding_test;
using namespace wordmill;

namespace {

bool IsBlank(const QIcon &icon)
{
    if (icon.isNull())
        return false;
    const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

QRgb CentreOf(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage().pixel(8, 8);
}

QStringList Captions(const QMenu &menu)
{
    QStringList captions;
    for (QAction *item : menu.actions())
        captions.append(item->text());
    return captions;
}

// "Testish" has a red flag, "Tom & Jerry" none, the design language none.
class LanguageMenu : public BindingFixture
{
protected:
    void SetUp() override
    {
        BindingFixture::SetUp();
        WriteLanguage(dir.filePath(u"tom.lng"_s), u"Tom & Jerry"_s, u"tj"_s, {});
        WriteLanguage(dir.filePath(u"testish.lng"_s), u"Testish"_s, u"tt"_s, {},
                      FlagBitmap(Qt::red));
        engine->SetLangSubdirectory(dir.path());
        engine->Initialize(true);
        menu = new QMenu(form.get());
        engine->SetLanguageMenu(menu);
    }

    QMenu *menu = nullptr;
};

TEST_F(LanguageMenu, ListsTheLanguagesAsRadioItemsWithFlags)
{
    const QStringList &entries = engine->LData()->LangMenu;
    ASSERT_EQ(entries.mid(0, 3), (QStringList{u"čeština"_s, u"Testish"_s, u"Tom & Jerry"_s}));
    ASSERT_EQ(entries.size(), 5); // and the two editor entries
    EXPECT_EQ(Captions(*menu).mid(0, 3),
              (QStringList{u"čeština"_s, u"Testish"_s, u"Tom && Jerry"_s}));
    for (QAction *item : menu->actions()) {
        EXPECT_TRUE(item->isCheckable());
        ASSERT_NE(item->actionGroup(), nullptr);
        EXPECT_TRUE(item->actionGroup()->isExclusive());
        EXPECT_EQ(item->isChecked(), item == menu->actions().first());
    }
    // Image i belongs to entry i; entries without a flag have a blank one.
    const QList<QIcon> &flags = engine->FlagsList();
    ASSERT_EQ(flags.size(), entries.size());
    EXPECT_TRUE(IsBlank(flags.at(0)));
    EXPECT_EQ(CentreOf(flags.at(1)), qRgb(255, 0, 0));
    EXPECT_TRUE(IsBlank(flags.at(2)));
    EXPECT_FALSE(IsBlank(flags.at(3))); // the built-in picture of the create entry
    EXPECT_EQ(CentreOf(menu->actions().at(1)->icon()), qRgb(255, 0, 0));
}

TEST_F(LanguageMenu, ClickingAnItemSwitchesToItsLanguage)
{
    menu->actions().at(2)->trigger();
    EXPECT_EQ(engine->CurrentLanguage(), u"Tom & Jerry"_s);
    EXPECT_TRUE(menu->actions().at(2)->isChecked());
    EXPECT_FALSE(menu->actions().at(0)->isChecked());

    int asked = 0;
    engine->SetOnChangeLangQuery([&](QObject *, bool &proceed) {
        ++asked;
        proceed = false;
    });
    menu->actions().at(1)->trigger(); // refused: the check goes back
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(menu->actions().at(2)->isChecked());
    EXPECT_FALSE(menu->actions().at(1)->isChecked());
    menu->actions().at(2)->trigger(); // the current language: not even asked
    EXPECT_EQ(asked, 1);
}

TEST_F(LanguageMenu, FlagsSwitchedOffKeepTheItemsWithoutImages)
{
    const QStringList before = Captions(*menu);
    engine->SetLangMenuFlags(false);
    EXPECT_EQ(Captions(*menu), before);
    for (QAction *item : menu->actions())
        EXPECT_TRUE(item->icon().isNull());
    engine->SetLangMenuFlags(true);
    EXPECT_EQ(CentreOf(menu->actions().at(1)->icon()), qRgb(255, 0, 0));
}

TEST_F(LanguageMenu, ShrinksWithTheListAndLetsGoOfAnOldMenu)
{
    engine->SetLangCreatorVisible(false);
    EXPECT_EQ(menu->actions().size(), engine->LData()->LangMenu.size());
    EXPECT_EQ(menu->actions().size(), 4);

    QMenu other;
    engine->SetLanguageMenu(&other);
    EXPECT_EQ(other.actions().size(), 4);
    for (QAction *item : menu->actions())
        EXPECT_TRUE(item->icon().isNull());

    delete engine; // its items go with it
    engine = nullptr;
    EXPECT_TRUE(other.actions().isEmpty());
}

TEST_F(LanguageMenu, DesignFlagIsFittedIntoABitmap)
{
    QImage big(32, 32, QImage::Format_RGB32);
    big.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    big.save(&buffer, "PNG");
    engine->SetDesignLangFlag(png);
    EXPECT_TRUE(engine->DesignLangFlag().startsWith("BM"));
    QImage stored;
    ASSERT_TRUE(stored.loadFromData(engine->DesignLangFlag()));
    EXPECT_EQ(stored.size(), QSize(16, 16));
    EXPECT_EQ(CentreOf(engine->FlagsList().at(0)), qRgb(0, 0, 255));

    engine->SetDesignLangFlag(QByteArray("not a picture"));
    EXPECT_TRUE(engine->DesignLangFlag().isEmpty());
    EXPECT_TRUE(IsBlank(engine->FlagsList().at(0)));
}

class SecondaryEngine : public TWordmillEngine
{
public:
    using TWordmillEngine::TWordmillEngine;
    bool ForceSecondary() const override { return true; }
};

TEST(EngineComponent, ForcedSecondaryEngineOffersNoEditor)
{
    TForm form;
    form.setObjectName(u"Form1"_s);
    SecondaryEngine engine(&form);
    engine.setObjectName(FreshEngineName());
    engine.Initialize(true);
    EXPECT_TRUE(engine.IsSecondaryEngine());
    EXPECT_EQ(engine.LData()->LangMenu, engine.LData()->Languages());
}

} // namespace
