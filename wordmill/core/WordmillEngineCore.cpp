#include "WordmillEngineCore.h"

#include "Spans.h"
#include "WordmillSys.h"

namespace wordmill {

TWordmillCore::TWordmillCore(QObject *owner)
    : TComponent(owner), fSpanClients(std::make_unique<TSpans>())
{
}

TWordmillCore::~TWordmillCore()
{
    MarkComponentDestroying(this);
    fSpanClients.reset();
}

QString TWordmillCore::TranslateString(const QString &Str, TWordmillList *Lexicon, int ItemNr)
{
    QString text = Str;
    DecodeControlChars(text);
    return text;
}

} // namespace wordmill
