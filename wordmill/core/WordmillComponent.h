#pragma once

#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/toolkit/Component.h>

#include <QPointer>

namespace wordmill {

class TComponentStructure;

// Base of every component that works for an engine: lexicons, resource
// translators and the per-form clients. It keeps the engine reference,
// enters itself into the engine's client registry and receives the engine's
// notifications.
class TWordmillComponent : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(wordmill::TWordmillCore *WordmillEngine READ WordmillEngine WRITE SetWordmillEngine)

public:
    explicit TWordmillComponent(QObject *owner = nullptr);
    ~TWordmillComponent() override;

    // The language the component was last brought to; empty before the first
    // notification or without engine.
    QString WordmillComponentLanguage;

    TWordmillCore *WordmillEngine() const { return fWordmillEngine; }
    void SetWordmillEngine(TWordmillCore *Value);

    bool GlobalLexicon() const { return fConnectedGlobal; }
    void SetGlobalLexicon(bool Value);

    const TNotifyEvent &OnChangeLanguage() const { return fOnChangeLanguage; }
    void SetOnChangeLanguage(const TNotifyEvent &handler) { fOnChangeLanguage = handler; }

    // Called when the component is first bound to an engine outside loading.
    virtual void InitClient() {}
    // Called before the engine's translations are edited.
    virtual void PrepareForEdit() {}
    // Called after every language switch.
    virtual void LanguageChanged(QObject *Sender);
    // The design texts a per-form client collected; nullptr for components
    // that translate no properties.
    virtual TComponentStructure *DesignStructure() { return nullptr; }

    bool SetEventHandler(const QString &event, const TNotifyEvent &handler) override;

protected:
    QPointer<TWordmillCore> fWordmillEngine;
    bool fConnectedGlobal = false;
    TNotifyEvent fOnChangeLanguage;

private:
    void EngineDestroyed();

    QMetaObject::Connection m_engineWatch;
};

} // namespace wordmill
