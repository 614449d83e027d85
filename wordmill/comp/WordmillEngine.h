#pragma once

#include <wordmill/WordmillCore.h>

#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QMenu>
#include <QPixmap>
#include <QPointer>

#include <memory>

namespace wordmill {

// The engine component placed on a form. It completes the engine core with
// what needs the host: the language folder beside the executable, the flag
// images of the language list, the design language's flag, the language
// menu, the language selectors and the start of the engine at the
// application's first activation.
class TWordmillEngine : public TWordmillCore
{
    Q_OBJECT
    Q_PROPERTY(bool LangMenuFlags READ LangMenuFlags WRITE SetLangMenuFlags)
    Q_PROPERTY(QMenu *LanguageMenu READ LanguageMenu WRITE SetLanguageMenu)
    Q_PROPERTY(QByteArray DesignLangFlag READ DesignLangFlag WRITE SetDesignLangFlag)

public:
    explicit TWordmillEngine(QObject *owner = nullptr);
    ~TWordmillEngine() override;

    // The menu whose items list the languages: checkable, exclusive items,
    // with the flags as icons while LangMenuFlags is on. The application
    // owns the menu; the items the engine adds are children of the menu and
    // the engine deletes them when the list shrinks and when it is
    // destroyed. Given another menu, the engine leaves the old menu its items
    // (without icons) to own. The engine only watches the menu: a menu
    // deleted first is simply dropped.
    QMenu *LanguageMenu() const { return fLanguageMenu; }
    void SetLanguageMenu(QMenu *Value);
    void SetLangMenuFlags(bool Value) override;

    // The design language's flag: the bytes of a bitmap or icon file. Any
    // other picture given is fitted into a 16 x 16 bitmap.
    QByteArray DesignLangFlag() const { return fDesignLangFlag; }
    void SetDesignLangFlag(const QByteArray &Picture);

    // One 16 x 16 image per entry of the language menu list; an entry
    // without flag has a blank (white, transparent) image.
    const QList<QIcon> &FlagsList() const { return fFlagsList; }

    // The flag of a menu-list position: 0 when there is none (or it cannot
    // be read), 1 for a bitmap, 2 for an icon.
    int LoadFlagPicture(QPixmap &Picture, int Index);

    bool IsSecondaryEngine() const override;
    // The core's list, then the flag images, the language menu and every
    // selector.
    bool RebuildLanguageMenu() override;
    void RefreshControl(QObject *Control, int Index) override;
    QString GetLangsDir() const override;
    void FillSpecialFlag(QIODevice &Stream, int Kind) override;
    // Also empties a selector that leaves.
    void UnregisterClient(QObject *Client) override;
    // Translate for requests the user makes in a control: an error (the
    // language folder cannot be created) is shown instead of thrown.
    QString TranslateReportingErrors(const QString &ISOorLangName, QWidget *parent);
    // Makes the sub-items of MenuItem the entries of the language menu list.
    virtual void FillLanguageMenu(QMenu *MenuItem);

private:
    void ApplicationActivated(QObject *Sender);
    void LanguageMenuClick(QObject *Sender);
    void LanguageMenuTriggered();

    QPointer<QMenu> fLanguageMenu;
    QByteArray fDesignLangFlag;
    TNotifyEvent ApplicationOnActivate;
    QList<QIcon> fFlagsList;
    // Cleared when the engine has used its activation hook or is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace wordmill
