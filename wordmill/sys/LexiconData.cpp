#include "LexiconData.h"

#include <wordmill/sys/Descent.h>
#include <wordmill/sys/IndexedItems.h>

namespace wordmill {

TLexiconData::TLexiconData() = default;
TLexiconData::~TLexiconData() = default;

TIndexedItems *TLexiconData::OpenLexicon(const QString &name) const
{
    const int index = Names.Open(name);
    return index >= 0 ? LexiconsDatas[size_t(index)].get() : nullptr;
}

void TLexiconData::NewLexicon(const QString &name)
{
    if (OpenLexicon(name) || name.isEmpty() || Names.Count() >= MaxLexicons)
        return;
    LexiconsDatas.push_back(std::make_unique<TIndexedItems>(name));
    Names.Append(name);
}

void TLexiconData::DeleteLexicon(const QString &lexName)
{
    const int index = lexName.isEmpty() ? -1 : Names.IndexOf(lexName);
    if (index < 0)
        return;
    LexiconsDatas.erase(LexiconsDatas.begin() + index);
    Names.RemoveAt(index);
}

void TLexiconData::WriteItem(const QString &lexName, int itemNumber, const QString &text,
                             quint16 langDescent)
{
    if (TIndexedItems *items = OpenLexicon(lexName))
        items->Write(itemNumber, text, langDescent);
}

void TLexiconData::ChangeItem(const QString &lexName, int itemNumber, const QString &text)
{
    if (TIndexedItems *items = OpenLexicon(lexName))
        items->Change(itemNumber, text);
}

void TLexiconData::RemoveItem(const QString &lexName, int itemNumber)
{
    if (TIndexedItems *items = OpenLexicon(lexName))
        items->Remove(itemNumber);
}

QString TLexiconData::ReadItem(const QString &lexName, int itemNumber) const
{
    const TIndexedItems *items = OpenLexicon(lexName);
    return items ? items->Get(itemNumber) : QString();
}

QString TLexiconData::ReadItem(const QString &lexName, int itemNumber, quint16 &langDescent) const
{
    const TIndexedItems *items = OpenLexicon(lexName);
    if (!items) {
        langDescent = DescentNone;
        return {};
    }
    langDescent = items->LangDescent(itemNumber);
    return items->Get(itemNumber);
}

QString TLexiconData::LexiconName(int index) const
{
    return Names.Name(index);
}

quint16 TLexiconData::ItemsCount(const QString &lexName) const
{
    const TIndexedItems *items = OpenLexicon(lexName);
    return items ? items->Count() : 0;
}

int TLexiconData::MaxItemNr(const QString &lexName) const
{
    const TIndexedItems *items = OpenLexicon(lexName);
    return items ? items->MaxIndex() : -1;
}

bool TLexiconData::IsIncluded(const QString &lexName, int itemNumber) const
{
    const TIndexedItems *items = OpenLexicon(lexName);
    return items && items->IsIncluded(itemNumber);
}

bool TLexiconData::LexiconExists(const QString &lexName) const
{
    return !lexName.isEmpty() && Names.IndexOf(lexName) >= 0;
}

void TLexiconData::Clear()
{
    Names.Clear();
    LexiconsDatas.clear();
}

void TLexiconData::NewLanguage()
{
    for (const auto &items : LexiconsDatas)
        items->NewLanguage();
}

} // namespace wordmill
