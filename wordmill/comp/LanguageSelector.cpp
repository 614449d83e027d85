#include "LanguageSelector.h"

#include <QWidget>

namespace wordmill {

TLanguageSelector::~TLanguageSelector()
{
    QObject::disconnect(m_engineWatch);
}

void TLanguageSelector::SetWordmillEngine(TWordmillEngine *Value)
{
    EmptySelector();
    BindSelector(Value);
}

void TLanguageSelector::BindSelector(TWordmillEngine *Value)
{
    if (Value == fWordmillEngine)
        return;
    QObject *self = SelectorObject();
    QObject::disconnect(m_engineWatch);
    if (Value) {
        if (fWordmillEngine)
            fWordmillEngine->UnregisterClient(self);
        fWordmillEngine = Value;
        Value->RegisterClient(self);
        if (!Value->IsLoading() && !IsComponentLoading(self))
            Value->RefreshLangControl(self);
    } else {
        fWordmillEngine->UnregisterClient(self);
        fWordmillEngine = nullptr;
    }
    if (fWordmillEngine)
        m_engineWatch = QObject::connect(fWordmillEngine, &QObject::destroyed, self,
                                         [this] { EngineDestroyed(); });
}

void TLanguageSelector::EngineDestroyed()
{
    // The engine and its registry are gone already: only the control is left
    // to empty.
    fWordmillEngine = nullptr;
    EmptySelector();
}

void TLanguageSelector::Loaded()
{
    if (fWordmillEngine)
        fWordmillEngine->RefreshLangControl(SelectorObject());
}

void TLanguageSelector::SelectLanguage(const QString &Text)
{
    if (!fWordmillEngine || Text == fWordmillEngine->CurrentLanguage())
        return;
    const QPointer<QObject> self = SelectorObject();
    // The engine refreshes every selector afterwards, so the control shows
    // the language that is then current, also after a refused switch.
    fWordmillEngine->TranslateReportingErrors(Text, qobject_cast<QWidget *>(self.data()));
    if (self && fOnChangeLanguage)
        fOnChangeLanguage(self);
}

} // namespace wordmill
