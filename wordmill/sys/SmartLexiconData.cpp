#include "SmartLexiconData.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace wordmill {

TSmartLexiconData::TSmartLexiconData() : fGlobalLexicon(u"GlobalLexicon"_s) {}

TSmartLexiconData::~TSmartLexiconData() = default;

const TNamedItems *TSmartLexiconData::Collection(const QString &lexName) const
{
    if (lexName.isEmpty())
        return &fGlobalLexicon;
    const int index = OpenLexicon(lexName);
    return index >= 0 ? LexiconsData[index].get() : nullptr;
}

TNamedItems *TSmartLexiconData::Collection(const QString &lexName)
{
    return const_cast<TNamedItems *>(std::as_const(*this).Collection(lexName));
}

void TSmartLexiconData::NewLexicon(const QString &name)
{
    if (name.isEmpty())
        return;
    if (Names.IndexOf(name) >= 0) {
        OpenLexicon(name);
        return;
    }
    if (Names.Count() >= MaxLexicons)
        return;
    LexiconsData.push_back(std::make_unique<TNamedItems>(name));
    Names.Append(name);
}

void TSmartLexiconData::AddItem(const QString &designed, const QString &translated,
                                quint16 langDescent)
{
    fGlobalLexicon.Add(designed, translated, langDescent);
}

void TSmartLexiconData::AddItem(const QString &lexName, const QString &designed,
                                const QString &translated, quint16 langDescent)
{
    if (TNamedItems *items = Collection(lexName))
        items->Add(designed, translated, langDescent);
}

void TSmartLexiconData::WriteItem(const QString &designed, const QString &translated,
                                  quint16 langDescent)
{
    fGlobalLexicon.Write(designed, translated, langDescent);
}

void TSmartLexiconData::WriteItem(const QString &lexName, const QString &designed,
                                  const QString &translated, quint16 langDescent)
{
    if (TNamedItems *items = Collection(lexName))
        items->Write(designed, translated, langDescent);
}

void TSmartLexiconData::ChangeItem(const QString &designed, const QString &translated)
{
    fGlobalLexicon.Change(designed, translated);
}

void TSmartLexiconData::ChangeItem(const QString &lexName, const QString &designed,
                                   const QString &translated)
{
    if (TNamedItems *items = Collection(lexName))
        items->Change(designed, translated);
}

void TSmartLexiconData::RemoveItem(int itemNumber)
{
    fGlobalLexicon.Remove(itemNumber);
}

void TSmartLexiconData::RemoveItem(const QString &locStr)
{
    fGlobalLexicon.Remove(locStr);
}

void TSmartLexiconData::RemoveItem(const QString &lexName, int itemNumber)
{
    if (TNamedItems *items = Collection(lexName))
        items->Remove(itemNumber);
}

void TSmartLexiconData::RemoveItem(const QString &lexName, const QString &locStr)
{
    if (TNamedItems *items = Collection(lexName))
        items->Remove(locStr);
}

QString TSmartLexiconData::GetLocStr(int itemNumber) const
{
    return fGlobalLexicon.GetLocStr(itemNumber);
}

QString TSmartLexiconData::GetLocStr(const QString &lexName, int itemNumber) const
{
    const TNamedItems *items = Collection(lexName);
    return items ? items->GetLocStr(itemNumber) : QString();
}

QString TSmartLexiconData::ReadItem(int itemNumber) const
{
    return fGlobalLexicon.Get(itemNumber);
}

QString TSmartLexiconData::ReadItem(const QString &locStr) const
{
    return fGlobalLexicon.Get(locStr);
}

QString TSmartLexiconData::ReadItem(const QString &lexName, int itemNumber) const
{
    const TNamedItems *items = Collection(lexName);
    return items ? items->Get(itemNumber) : QString();
}

QString TSmartLexiconData::ReadItem(const QString &lexName, const QString &locStr) const
{
    const TNamedItems *items = Collection(lexName);
    return items ? items->Get(locStr) : QString();
}

QString TSmartLexiconData::ReadItem(int itemNumber, quint16 &langDescent) const
{
    return ReadItem(QString(), itemNumber, langDescent);
}

QString TSmartLexiconData::ReadItem(const QString &locStr, quint16 &langDescent) const
{
    return fGlobalLexicon.Get(locStr, langDescent);
}

QString TSmartLexiconData::ReadItem(const QString &lexName, int itemNumber,
                                    quint16 &langDescent) const
{
    const TNamedItems *items = Collection(lexName);
    langDescent = items ? items->LangDescent(itemNumber) : DescentNone;
    return items ? items->Get(itemNumber) : QString();
}

QString TSmartLexiconData::ReadItem(const QString &lexName, const QString &locStr,
                                    quint16 &langDescent) const
{
    if (const TNamedItems *items = Collection(lexName))
        return items->Get(locStr, langDescent);
    langDescent = DescentNone;
    return {};
}

int TSmartLexiconData::FindTranslate(const QString &locStr, quint16 langDescent) const
{
    return fGlobalLexicon.Find(locStr, langDescent);
}

int TSmartLexiconData::FindTranslate(const QString &lexName, const QString &locStr,
                                     quint16 langDescent) const
{
    const TNamedItems *items = Collection(lexName);
    return items ? items->Find(locStr, langDescent) : -1;
}

quint16 TSmartLexiconData::ItemsCount() const
{
    return fGlobalLexicon.Count();
}

quint16 TSmartLexiconData::ItemsCount(const QString &lexName) const
{
    const TNamedItems *items = Collection(lexName);
    return items ? items->Count() : 0;
}

int TSmartLexiconData::MaxItemNr() const
{
    return fGlobalLexicon.MaxIndex();
}

int TSmartLexiconData::MaxItemNr(const QString &lexName) const
{
    const TNamedItems *items = Collection(lexName);
    return items ? items->MaxIndex() : -1;
}

bool TSmartLexiconData::IsIncluded(int itemNumber) const
{
    return fGlobalLexicon.IsIncluded(itemNumber);
}

bool TSmartLexiconData::IsIncluded(const QString &locStr) const
{
    return fGlobalLexicon.IsIncluded(locStr);
}

bool TSmartLexiconData::IsIncluded(const QString &lexName, int itemNumber) const
{
    const TNamedItems *items = Collection(lexName);
    return items && items->IsIncluded(itemNumber);
}

bool TSmartLexiconData::IsIncluded(const QString &lexName, const QString &locStr) const
{
    const TNamedItems *items = Collection(lexName);
    return items && items->IsIncluded(locStr);
}

bool TSmartLexiconData::LexiconExists(const QString &lexName) const
{
    return !lexName.isEmpty() && Names.IndexOf(lexName) >= 0;
}

QString TSmartLexiconData::LexiconName(int index) const
{
    return Names.Name(index);
}

void TSmartLexiconData::ClearGlobals()
{
    fGlobalLexicon.Clear();
}

void TSmartLexiconData::Clear()
{
    Names.Clear();
    LexiconsData.clear();
    fGlobalLexicon.Clear();
}

void TSmartLexiconData::NewLanguage()
{
    fGlobalLexicon.NewLanguage();
    for (const auto &items : LexiconsData)
        items->NewLanguage();
}

} // namespace wordmill
