#include "WordmillEngine.h"

#include <wordmill/WordmillSys.h>
#include <wordmill/comp/Accelerators.h>
#include <wordmill/ctrls/FlagImage.h>
#include <wordmill/comp/LanguageSelector.h>
#include <wordmill/ctrls/ActivationWatcher.h>
#include <wordmill/ctrls/MessageBox.h>

#include <QActionGroup>
#include <QBuffer>
#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// The exclusive group that makes the language menu's items radio items.
const QString MenuGroupName = u"WordmillLanguageGroup"_s;

QIcon BlankFlag()
{
    QImage blank(FlagImageSize, FlagImageSize, QImage::Format_ARGB32);
    blank.fill(QColor(255, 255, 255, 0)); // white, and white is transparent
    return QIcon(QPixmap::fromImage(blank));
}

} // namespace

TWordmillEngine::TWordmillEngine(QObject *owner) : TWordmillCore(owner)
{
    InstallApplicationActivationWatcher();
    // The hook outlives the engine when another engine hooked in after it:
    // a hook whose engine is gone only passes the activation on.
    TApplicationEvents &application = TApplicationEvents::Instance();
    ApplicationOnActivate = application.OnActivate();
    const TNotifyEvent previous = ApplicationOnActivate;
    const std::shared_ptr<bool> alive = m_alive;
    application.SetOnActivate([this, alive, previous](QObject *sender) {
        if (*alive)
            ApplicationActivated(sender);
        else if (previous)
            previous(sender);
    });
}

TWordmillEngine::~TWordmillEngine()
{
    *m_alive = false;
    if (QMenu *menu = fLanguageMenu) {
        const QList<QAction *> items = menu->actions();
        for (QAction *item : items) {
            menu->removeAction(item);
            if (item->parent() == menu)
                delete item;
        }
        delete menu->findChild<QActionGroup *>(MenuGroupName, Qt::FindDirectChildrenOnly);
    }
}

void TWordmillEngine::ApplicationActivated(QObject *Sender)
{
    // One use only: start the engine, then give the application its own
    // handler back and run it.
    const TNotifyEvent previous = ApplicationOnActivate;
    *m_alive = false;
    TApplicationEvents::Instance().SetOnActivate(previous);
    Initialize(true);
    if (previous)
        previous(Sender);
}

// ---- settings

void TWordmillEngine::SetDesignLangFlag(const QByteArray &Picture)
{
    QByteArray bytes;
    if (!Picture.isEmpty()) {
        QImage image;
        const bool bitmap = Picture.startsWith("BM");
        const bool loaded = image.loadFromData(Picture);
        if (loaded && image.size() == QSize(FlagImageSize, FlagImageSize) &&
            (bitmap || QImage().loadFromData(Picture, "ICO")))
            bytes = Picture; // a flag already: kept as it is
        else if (loaded)
            bytes = EncodeFlagBitmap(FitFlagImage(image));
    }
    fDesignLangFlag = bytes;
    RefreshLanguages();
}

void TWordmillEngine::SetLangMenuFlags(bool Value)
{
    const bool changed = Value != LangMenuFlags();
    TWordmillCore::SetLangMenuFlags(Value);
    if (changed && fLanguageMenu)
        FillLanguageMenu(fLanguageMenu);
}

void TWordmillEngine::SetLanguageMenu(QMenu *Value)
{
    if (Value == fLanguageMenu)
        return;
    if (QMenu *old = fLanguageMenu) {
        disconnect(old, nullptr, this, nullptr);
        for (QAction *item : old->actions())
            item->setIcon(QIcon());
    }
    fLanguageMenu = Value;
    if (Value) {
        connect(Value, &QObject::destroyed, this, [this] { fLanguageMenu = nullptr; });
        FillLanguageMenu(Value);
    }
}

bool TWordmillEngine::IsSecondaryEngine() const
{
    return TWordmillCore::IsSecondaryEngine() || ForceSecondary();
}

// ---- language list

int TWordmillEngine::LoadFlagPicture(QPixmap &Picture, int Index)
{
    TFlagsList &flags = LData()->Flags;
    if (!flags.Present(Index))
        return 0;
    const QByteArray bytes = flags.GetFlagStream(Index)->data();
    const QImage image = DecodeFlagImage(bytes);
    if (image.isNull())
        return 0;
    Picture = QPixmap::fromImage(image);
    return bytes.startsWith("BM") ? 1 : 2;
}

bool TWordmillEngine::RebuildLanguageMenu()
{
    if (!TWordmillCore::RebuildLanguageMenu())
        return false;
    const TLangCoreData &d = *LData();
    // Image i always belongs to entry i: an entry without a readable flag
    // gets a blank one.
    fFlagsList.clear();
    const qsizetype count = qMax(qsizetype(d.Flags.Count()), d.LangMenu.size());
    for (int i = 0; i < count; ++i) {
        QPixmap picture;
        fFlagsList.append(LoadFlagPicture(picture, i) ? QIcon(picture) : BlankFlag());
    }
    if (fLanguageMenu)
        FillLanguageMenu(fLanguageMenu);
    RefreshAllControls();
    return true;
}

void TWordmillEngine::FillLanguageMenu(QMenu *MenuItem)
{
    if (!MenuItem)
        return;
    ListLanguagesIfStale();
    const QStringList &entries = LData()->LangMenu;
    auto *group = MenuItem->findChild<QActionGroup *>(MenuGroupName, Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QActionGroup(MenuItem);
        group->setObjectName(MenuGroupName);
        group->setExclusive(true);
    }
    const QList<QAction *> existing = MenuItem->actions();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QAction *item = i < existing.size() ? existing.at(i) : nullptr;
        if (!item) {
            item = new QAction(MenuItem);
            MenuItem->addAction(item);
        }
        // Names are shown as they are, "&" included.
        item->setText(EscapeAccelerators(entries.at(i)));
        item->setCheckable(true);
        item->setActionGroup(group);
        item->setChecked(entries.at(i) == CurrentLanguage());
        item->setIcon(LangMenuFlags() ? fFlagsList.value(i) : QIcon());
        connect(item, &QAction::triggered, this, &TWordmillEngine::LanguageMenuTriggered,
                Qt::UniqueConnection);
    }
    QList<QAction *> items = MenuItem->actions();
    while (items.size() > entries.size()) {
        QAction *surplus = items.takeLast();
        MenuItem->removeAction(surplus);
        if (surplus->parent() == MenuItem)
            delete surplus;
    }
}

void TWordmillEngine::LanguageMenuTriggered()
{
    LanguageMenuClick(sender());
}

void TWordmillEngine::LanguageMenuClick(QObject *Sender)
{
    auto *item = qobject_cast<QAction *>(Sender);
    if (!item)
        return;
    const QString caption = StripAccelerators(item->text());
    if (caption != CurrentLanguage())
        TranslateReportingErrors(caption, nullptr);
}

QString TWordmillEngine::TranslateReportingErrors(const QString &ISOorLangName, QWidget *parent)
{
    // A request made by the user from a control has no caller to hand an
    // error to: it is shown, and the controls go back to the current language.
    try {
        return Translate(ISOorLangName);
    } catch (const EWordmillFileError &error) {
        ShowErrorMessage(parent, error.Message);
        RebuildLanguageMenu();
        return CurrentLanguage();
    }
}

QString TWordmillEngine::GetLangsDir() const
{
    return CombinePath(QCoreApplication::applicationDirPath(), LangSubdirectory());
}

void TWordmillEngine::FillSpecialFlag(QIODevice &Stream, int Kind)
{
    QByteArray bytes;
    if (Kind == 0)
        DecodePictureText(bytes, CreateLanguageFlagPicture());
    else if (Kind == 1)
        DecodePictureText(bytes, EditLanguageFlagPicture());
    else if (Kind == 2)
        bytes = fDesignLangFlag;
    if (auto *buffer = qobject_cast<QBuffer *>(&Stream)) {
        buffer->buffer() = bytes;
        buffer->seek(0);
    } else {
        Stream.write(bytes);
    }
}

// ---- selectors

void TWordmillEngine::RefreshControl(QObject *Control, int Index)
{
    if (auto *selector = dynamic_cast<TLanguageSelector *>(Control))
        selector->ShowEngineLanguages(*this, Index);
}

void TWordmillEngine::UnregisterClient(QObject *Client)
{
    TWordmillCore::UnregisterClient(Client);
    if (auto *selector = dynamic_cast<TLanguageSelector *>(Client))
        selector->LeftEngine();
}

} // namespace wordmill
