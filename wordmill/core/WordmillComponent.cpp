#include "WordmillComponent.h"

#include <wordmill/core/Spans.h>
#include <wordmill/core/WordmillEngineCore.h>

using namespace Qt::StringLiterals;

namespace wordmill {

TWordmillComponent::TWordmillComponent(QObject *owner) : TComponent(owner) {}

TWordmillComponent::~TWordmillComponent()
{
    if (fWordmillEngine)
        if (TSpans *clients = fWordmillEngine->SpanClients())
            clients->UnregisterClient(this);
}

void TWordmillComponent::SetWordmillEngine(TWordmillCore *Value)
{
    if (Value == fWordmillEngine)
        return;
    WordmillComponentLanguage.clear();
    QObject::disconnect(m_engineWatch);

    if (fWordmillEngine) {
        if (TSpans *clients = fWordmillEngine->SpanClients())
            clients->UnregisterClient(this);
        fWordmillEngine = Value;
    } else {
        fWordmillEngine = Value;
        if (!IsLoading())
            InitClient();
    }

    if (fWordmillEngine) {
        // Free notification: the reference empties itself when the engine goes.
        m_engineWatch = connect(fWordmillEngine, &QObject::destroyed, this,
                                &TWordmillComponent::EngineDestroyed);
        if (TSpans *clients = fWordmillEngine->SpanClients())
            clients->RegisterClient(this);
        if (!fWordmillEngine->IsLoading() && !IsLoading())
            LanguageChanged(this);
    } else if (!IsLoading()) {
        LanguageChanged(this);
    }
}

void TWordmillComponent::SetGlobalLexicon(bool Value)
{
    if (Value == fConnectedGlobal)
        return;
    fConnectedGlobal = Value;
    if (!IsLoading() && fWordmillEngine && fWordmillEngine->IsInitialized())
        LanguageChanged(this);
}

void TWordmillComponent::LanguageChanged(QObject *Sender)
{
    WordmillComponentLanguage = fWordmillEngine ? fWordmillEngine->CurrentLanguage() : QString();
    if (fOnChangeLanguage)
        fOnChangeLanguage(this);
}

bool TWordmillComponent::SetEventHandler(const QString &event, const TNotifyEvent &handler)
{
    if (event == u"OnChangeLanguage"_s) {
        fOnChangeLanguage = handler;
        return true;
    }
    return false;
}

void TWordmillComponent::EngineDestroyed()
{
    fWordmillEngine = nullptr;
    WordmillComponentLanguage.clear();
}

} // namespace wordmill
