#pragma once

#include "toolkit/Component.h"

#include <memory>

namespace wordmill {

class TSpans;
class TWordmillList;

// The language engine. This declares what the components bound to an
// engine rely on: the client registry, string translation, the
// TranslateWordmill setting and the initialized state.
class TWordmillCore : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(bool TranslateWordmill READ TranslateWordmill WRITE SetTranslateWordmill)

public:
    explicit TWordmillCore(QObject *owner = nullptr);
    ~TWordmillCore() override;

    // The components bound to this engine; nullptr once the engine's data
    // is gone (while it is destroyed).
    TSpans *SpanClients() const { return fSpanClients.get(); }

    // Text of a lexicon item (ItemNr 0 or more) or of a quoted smart string
    // (ItemNr below 0) in the current language, decoded. Without a
    // translation the design text Str comes back decoded.
    virtual QString TranslateString(const QString &Str, TWordmillList *Lexicon, int ItemNr);

    bool TranslateWordmill() const { return fTranslateWordmill; }
    void SetTranslateWordmill(bool Value) { fTranslateWordmill = Value; }

    bool IsInitialized() const { return fIsInitialized; }
    QString CurrentLanguage() const { return fCurrentLanguage; }
    QString DesignLanguageName() const { return fDesignLanguage; }

protected:
    std::unique_ptr<TSpans> fSpanClients;
    bool fIsInitialized = false;
    bool fTranslateWordmill = true;
    QString fCurrentLanguage;
    QString fDesignLanguage;
};

} // namespace wordmill
