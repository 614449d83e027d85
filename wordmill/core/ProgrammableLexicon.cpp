#include "ProgrammableLexicon.h"

#include <wordmill/WordmillSys.h>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// Item numbers are 16-bit: anything outside 0..65535 is no item.
bool isItemNumber(int Index)
{
    return Index >= 0 && Index <= TIndexedItems::MaxItemNumber;
}

} // namespace

TCustomProgrammableLexicon::TCustomProgrammableLexicon(QObject *owner)
    : TLexicon(owner), fIndexedItems(objectName())
{
}

void TCustomProgrammableLexicon::DefineItem(quint16 ItemNr, const QString &Text)
{
    if (Text.isEmpty())
        return;
    QString escaped = Text;
    EncodeControlChars(escaped);
    fIndexedItems.Write(ItemNr, escaped, DescentOwn);
}

void TCustomProgrammableLexicon::SetOnInitialization(const TNotifyEvent &handler)
{
    fOnInitialization = handler;
    if (fOnInitialization)
        fOnInitialization(this);
}

bool TCustomProgrammableLexicon::SetEventHandler(const QString &event, const TNotifyEvent &handler)
{
    if (event == u"OnInitialization"_s) {
        SetOnInitialization(handler);
        return true;
    }
    return TLexicon::SetEventHandler(event, handler);
}

QString TCustomProgrammableLexicon::GetItem(int Index)
{
    if (!IsDefined(Index))
        return QString();
    const QString stored = fIndexedItems.Get(Index);
    if (fWordmillEngine)
        return fWordmillEngine->TranslateString(stored, this, Index);
    QString text = stored;
    DecodeControlChars(text);
    return text;
}

int TCustomProgrammableLexicon::MaxIndex() const
{
    return fIndexedItems.MaxIndex();
}

bool TCustomProgrammableLexicon::IsDefined(int Index) const
{
    return isItemNumber(Index) && fIndexedItems.IsIncluded(Index)
           && !fIndexedItems.Get(Index).isEmpty();
}

bool TCustomProgrammableLexicon::IsDefined(const QString &LocStr) const
{
    return fIndexedItems.IndexOf(LocStr) >= 0;
}

QString TCustomProgrammableLexicon::GetLocStr(int Index) const
{
    return isItemNumber(Index) && fIndexedItems.IsIncluded(Index) ? fIndexedItems.Get(Index)
                                                                   : QString();
}

TLangFormLexicon::TLangFormLexicon(TWordmillCore *owner) : TCustomProgrammableLexicon(owner)
{
    fConnectedGlobal = false;
    LoadLang(EnglishDefs());
    SetWordmillEngine(owner);
}

void TLangFormLexicon::LoadLang(const TInternalLangDefs &StringArray)
{
    fIntLang.Name = StringArray[0];
    fIntLang.Code = StringArray[1];
    for (int i = 0; i < 50; ++i)
        DefineItem(quint16(i), StringArray[size_t(i) + 2]);
}

bool TLangFormLexicon::InternalLanguages(const QString &Lang, const QString &Code, bool LoadDefs)
{
    QString code = Code;
    if (!NormalizeISOCode(code)) {
        if (IsSlovakName(Lang))
            code = u"sk"_s;
        if (IsCzechName(Lang))
            code = u"cs"_s;
        if (IsEnglishName(Lang))
            code = u"en"_s;
        if (!NormalizeISOCode(code))
            return false;
    }
    const TInternalLangDefs *table = nullptr;
    if (code == u"en"_s)
        table = &EnglishDefs();
    else if (code == u"cs"_s)
        table = &CzechDefs();
    else if (code == u"sk"_s)
        table = &SlovakDefs();
    else if (code == u"it"_s)
        table = &ItalianDefs();
    else
        return false;
    if (LoadDefs)
        LoadLang(*table);
    return true;
}

QString TLangFormLexicon::GetItem(int Index)
{
    if (!IsDefined(Index))
        return QString();
    const QString stored = fIndexedItems.Get(Index);
    if (fWordmillEngine && fWordmillEngine->TranslateWordmill())
        return fWordmillEngine->TranslateString(stored, this, Index);
    return stored;
}

} // namespace wordmill
