#pragma once

#include <wordmill/comp/LanguageSelector.h>

#include <QLabel>
#include <QPixmap>

namespace wordmill {

// An image showing the flag of the engine's current language.
class TLangFlag : public QLabel, public TLanguageSelector
{
    Q_OBJECT
    Q_PROPERTY(
        wordmill::TWordmillEngine *WordmillEngine READ WordmillEngine WRITE SetWordmillEngine)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE SetPicture)

public:
    explicit TLangFlag(QWidget *parent = nullptr);
    ~TLangFlag() override;

    // The parent shows through where the picture has no pixels (default).
    bool Transparent() const { return !autoFillBackground(); }
    void SetTransparent(bool Value) { setAutoFillBackground(!Value); }
    // The picture sits in the middle of the control (default), else top left.
    bool Center() const;
    void SetCenter(bool Value);
    QPixmap Picture() const { return pixmap(); }
    void SetPicture(const QPixmap &Value);

    void EmptySelector() override;
    void ShowEngineLanguages(TWordmillEngine &Engine, int Index) override;
    void LeftEngine() override;

protected:
    QObject *SelectorObject() override { return this; }
};

} // namespace wordmill
