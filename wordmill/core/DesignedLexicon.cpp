#include "DesignedLexicon.h"

#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/WordmillSys.h>

namespace wordmill {

TCustomDesignedLexicon::TCustomDesignedLexicon(QObject *owner) : TLexicon(owner) {}

int TCustomDesignedLexicon::CreateItem(const QString &Text)
{
    QString escaped = Text;
    EncodeControlChars(escaped);
    fItems.append(escaped);
    return int(fItems.size()) - 1;
}

QString TCustomDesignedLexicon::GetItem(int Index)
{
    if (!IsDefined(Index))
        return QString();
    if (fWordmillEngine)
        return fWordmillEngine->TranslateString(fItems.at(Index), this, Index);
    QString text = fItems.at(Index);
    DecodeControlChars(text);
    return text;
}

int TCustomDesignedLexicon::MaxIndex() const
{
    return int(fItems.size()) - 1;
}

bool TCustomDesignedLexicon::IsDefined(int Index) const
{
    // A negative number is no item: it is reported as undefined rather than
    // reaching past the start of the list.
    return Index >= 0 && Index < fItems.size() && !fItems.at(Index).isEmpty();
}

bool TCustomDesignedLexicon::IsDefined(const QString &LocStr) const
{
    for (const QString &line : fItems)
        if (line.compare(LocStr, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString TCustomDesignedLexicon::GetLocStr(int Index) const
{
    return Index >= 0 && Index < fItems.size() ? fItems.at(Index) : QString();
}

} // namespace wordmill
