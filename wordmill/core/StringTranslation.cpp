// Texts in the current language: lexicon items, smart strings and global
// strings.

#include <wordmill/core/WordmillEngineCore.h>

#include "StringTranslation.h"
#include <wordmill/WordmillSys.h>
#include <wordmill/core/LangCoreData.h>
#include <wordmill/core/Lexicon.h>
#include <wordmill/toolkit/ComponentNames.h>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// The global translation of a design text whose level is below Bound;
// empty when there is none.
QString globalBelow(const TSmartLexiconData &smart, const QString &design, int bound)
{
    if (bound == 0 || design.isEmpty())
        return QString();
    quint16 descent = DescentNone;
    QString translation = smart.ReadItem(design, descent);
    return descent < bound ? translation : QString();
}

QString decoded(QString text)
{
    DecodeControlChars(text);
    return text;
}

} // namespace

QString TWordmillCore::TranslateString(const QString &Str, TWordmillList *Lexicon, int ItemNr)
{
    if (!fIsInitialized)
        Initialize(true);
    TLangCoreData &d = *fData;
    QString result;
    if (!Lexicon) {
        result = d.SmartLexicon.ReadItem(Str);
    } else {
        quint16 descent = DescentNone;
        const QString name = QualifiedName(Lexicon);
        if (ItemNr < 0)
            result = d.SmartLexicon.ReadItem(name, Str, descent);
        else if (ItemNr <= 0xFFFF)
            result = d.DataLexicon.ReadItem(name, ItemNr, descent);
        if (descent != DescentOwn && Lexicon->GlobalLexicon()) {
            const QString global = globalBelow(d.SmartLexicon, Str, descent & 0xFF);
            if (!global.isEmpty())
                return decoded(global);
        }
    }
    if (result.isEmpty())
        result = Str;
    return decoded(result);
}

QString FindTranslation(TWordmillComponent *Client, const QString &CompName,
                        const QString &OwnerName, const QString &ItemAddr, int PropertyID)
{
    // Both structures are searched by the same key: build it once.
    const QString key = ComposeLineID(CompName, OwnerName, PropertyID, ItemAddr);
    const TComponentStructure *design = Client ? Client->DesignStructure() : nullptr;
    const TStructItem *designLine = design ? design->FindItem(key) : nullptr;
    return ResolveTranslation(Client, key, designLine ? designLine->Translation : QString());
}

QString ResolveTranslation(TWordmillComponent *Client, QStringView LineID,
                           const QString &DesignText)
{
    TWordmillCore *engine = Client ? Client->WordmillEngine() : nullptr;
    if (!engine || !engine->LData())
        return decoded(DesignText);
    TLangCoreData &d = *engine->LData();
    const TStructItem *found = d.DataStruct.FindItem(LineID);
    QString result;
    if (!found) {
        result = DesignText;
        if (Client->GlobalLexicon()) {
            const QString global = globalBelow(d.SmartLexicon, DesignText, DescentNone + 1);
            if (!global.isEmpty())
                result = global;
        }
    } else {
        result = found->Translation;
        if (result.isEmpty())
            result = DesignText;
        const int level = found->Descent & 0xFF;
        if (Client->GlobalLexicon() && level != 0) {
            const QString global = globalBelow(d.SmartLexicon, DesignText, level);
            if (!global.isEmpty())
                result = global;
        }
    }
    return decoded(result);
}

QString TWordmillCore::GlobalToOriginal(const QString &GlobalStr) const
{
    const TSmartLexiconData &smart = fData->SmartLexicon;
    for (int i = 0; i <= smart.MaxItemNr(); ++i)
        if (smart.IsIncluded(i) && smart.ReadItem(i) == GlobalStr)
            return smart.GetLocStr(i);
    return GlobalStr;
}

QString TWordmillCore::GlobalToLink(const QString &GlobalStr) const
{
    if (GlobalStr.isEmpty())
        return QString();
    return u"«\""_s + GlobalToOriginal(GlobalStr) + u"\"»"_s;
}

} // namespace wordmill
