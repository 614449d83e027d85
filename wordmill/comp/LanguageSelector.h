#pragma once

#include <wordmill/comp/WordmillEngine.h>
#include <wordmill/toolkit/Component.h>

#include <QPointer>

namespace wordmill {

// What the language selector controls have in common: the engine they show
// and the binding to it. Selectors are no clients: they join the engine's
// registry only so that the engine can refresh them after every switch.
class TLanguageSelector : public ComponentHooks
{
public:
    TLanguageSelector() = default;
    ~TLanguageSelector() override;
    TLanguageSelector(const TLanguageSelector &) = delete;
    TLanguageSelector &operator=(const TLanguageSelector &) = delete;

    TWordmillEngine *WordmillEngine() const { return fWordmillEngine; }
    // Empties the control, then binds it to Value: a control bound outside
    // loading shows the engine's list at once.
    void SetWordmillEngine(TWordmillEngine *Value);

    // Fired after the user picked an entry other than the current language,
    // whether the switch happened or not.
    const TNotifyEvent &OnChangeLanguage() const { return fOnChangeLanguage; }
    void SetOnChangeLanguage(const TNotifyEvent &handler) { fOnChangeLanguage = handler; }

    // Shows the engine's list once the form has been read.
    void Loaded() override;

    // Called by the engine after its language list or language changed:
    // shows what Engine lists; Index is the current language's position in
    // its menu list.
    virtual void ShowEngineLanguages(TWordmillEngine &Engine, int Index) = 0;
    // Called by the engine when the control leaves its registry: the lists
    // empty themselves.
    virtual void LeftEngine() { EmptySelector(); }

protected:
    // The control as a component.
    virtual QObject *SelectorObject() = 0;
    // Removes what the control shows.
    virtual void EmptySelector() = 0;

    // The user picked the entry with this text: switch to it (or open the
    // editor) unless it is the current language, then tell the application.
    void SelectLanguage(const QString &Text);

    TNotifyEvent fOnChangeLanguage;

private:
    void BindSelector(TWordmillEngine *Value);
    void EngineDestroyed();

    QPointer<TWordmillEngine> fWordmillEngine;
    QMetaObject::Connection m_engineWatch;
};

} // namespace wordmill
