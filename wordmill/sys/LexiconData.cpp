#include "LexiconData.h"

#include <wordmill/sys/Descent.h>
#include <wordmill/sys/IndexedItems.h>

namespace wordmill {

TLexiconData::TLexiconData() = default;
TLexiconData::~TLexiconData() = default;

int TLexiconData::NameIndex(const QString &name) const
{
    for (qsizetype i = 0; i < LexiconsNames.size(); ++i) {
        if (LexiconsNames.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void TLexiconData::ForgetOpened() const
{
    OpenedLexiconName.clear();
    OpenedLexiconIndex = -2;
}

TIndexedItems *TLexiconData::OpenLexicon(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    if (OpenedLexiconIndex < 0 || name != OpenedLexiconName) {
        OpenedLexiconIndex = NameIndex(name);
        if (OpenedLexiconIndex >= 0)
            OpenedLexiconName = name;
        else
            ForgetOpened();
    }
    return OpenedLexiconIndex >= 0 ? LexiconsDatas[OpenedLexiconIndex].get() : nullptr;
}

void TLexiconData::NewLexicon(const QString &name)
{
    if (OpenLexicon(name) || name.isEmpty() || LexiconsNames.size() >= MaxLexicons)
        return;
    LexiconsDatas.push_back(std::make_unique<TIndexedItems>(name));
    LexiconsNames.append(name);
    OpenedLexiconName = name;
    OpenedLexiconIndex = int(LexiconsNames.size()) - 1;
}

void TLexiconData::DeleteLexicon(const QString &lexName)
{
    // Forget the opened lexicon first: its position may belong to another
    // lexicon once the lists shift.
    ForgetOpened();
    const int index = lexName.isEmpty() ? -1 : NameIndex(lexName);
    if (index < 0)
        return;
    LexiconsDatas.erase(LexiconsDatas.begin() + index);
    LexiconsNames.removeAt(index);
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
    return index >= 0 && index < LexiconsNames.size() ? LexiconsNames.at(index) : QString();
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
    return !lexName.isEmpty() && NameIndex(lexName) >= 0;
}

void TLexiconData::Clear()
{
    ForgetOpened();
    LexiconsDatas.clear();
    LexiconsNames.clear();
}

void TLexiconData::NewLanguage()
{
    for (const auto &items : LexiconsDatas)
        items->NewLanguage();
}

} // namespace wordmill
