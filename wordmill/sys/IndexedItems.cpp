#include "IndexedItems.h"

#include <wordmill/sys/Descent.h>

#include <algorithm>

namespace wordmill {

namespace {

constexpr int InitialPointerCapacity = 32;
constexpr int PointerGrowth = 64;
constexpr int PointerShrinkThreshold = 1024;

} // namespace

TIndexedItems::TIndexedItems(const QString &name) : fListName(name)
{
    SetPointerCapacity(InitialPointerCapacity);
    Items.append(QString());
    Descent.AddWord(DescentNone);
    PositionOwner.push_back(-1);
}

void TIndexedItems::SetPointerCapacity(int capacity)
{
    // The table's length follows the capacity rule; the storage behind it
    // grows geometrically so that ascending additions stay linear.
    const auto wanted = static_cast<std::size_t>(capacity);
    if (wanted > ItemPointer.capacity())
        ItemPointer.reserve(std::max(wanted, ItemPointer.capacity() * 2));
    ItemPointer.resize(wanted, 0);
}

int TIndexedItems::PositionOf(int itemNr) const
{
    if (itemNr < 0 || itemNr > MaxAddress)
        return 0;
    return ItemPointer[itemNr];
}

QString TIndexedItems::Get(int itemNr) const
{
    const int position = PositionOf(itemNr);
    return position ? Items.at(position) : QString();
}

bool TIndexedItems::IsIncluded(int itemNr) const
{
    return PositionOf(itemNr) != 0;
}

bool TIndexedItems::IsGlobal(int itemNr) const
{
    return IsGlobalDescent(LangDescent(itemNr));
}

int TIndexedItems::IndexOf(const QString &text) const
{
    if (text.isEmpty())
        return -1;
    for (qsizetype position = 1; position < Items.size(); ++position) {
        const int owner = PositionOwner[position];
        if (owner >= 0 && Items.at(position).compare(text, Qt::CaseInsensitive) == 0)
            return owner;
    }
    return -1;
}

void TIndexedItems::Add(int itemNr, const QString &text, quint16 langDescent)
{
    if (itemNr < 0 || itemNr > MaxItemNumber || Items.size() > MaxPositions)
        return;
    if (itemNr >= PointerCapacity())
        SetPointerCapacity(itemNr + PointerGrowth);
    if (itemNr > MaxAddress)
        MaxAddress = quint16(itemNr);
    if (const int abandoned = ItemPointer[itemNr])
        PositionOwner[abandoned] = -1;

    const auto position = quint16(Items.size());
    Items.append(text);
    Descent.AddWord(langDescent);
    PositionOwner.push_back(itemNr);
    ItemPointer[itemNr] = position;
}

void TIndexedItems::Write(int itemNr, const QString &text, quint16 langDescent)
{
    if (const int position = PositionOf(itemNr)) {
        Items[position] = text;
        Descent.RewriteWord(position, langDescent);
    } else {
        Add(itemNr, text, langDescent);
    }
}

void TIndexedItems::Change(int itemNr, const QString &text)
{
    if (const int position = PositionOf(itemNr))
        Items[position] = text;
}

void TIndexedItems::Remove(int itemNr)
{
    const int position = PositionOf(itemNr);
    if (!position)
        return;
    Items[position].clear();
    Descent.RewriteWord(position, DescentNone);
    PositionOwner[position] = -1;
    ItemPointer[itemNr] = 0;
}

void TIndexedItems::Clear()
{
    MaxAddress = 0;
    if (PointerCapacity() > PointerShrinkThreshold) {
        ItemPointer.assign(InitialPointerCapacity, 0);
        ItemPointer.shrink_to_fit();
    } else {
        std::fill(ItemPointer.begin(), ItemPointer.end(), 0);
    }
    Items.clear();
    Items.append(QString());
    Descent.Clear();
    Descent.AddWord(DescentNone);
    PositionOwner.assign(1, -1);
}

void TIndexedItems::NewLanguage()
{
    Descent.InheritAll();
}

quint16 TIndexedItems::LangDescent(int itemNr) const
{
    const int position = PositionOf(itemNr);
    return position ? Descent.GetWord(position) : DescentNone;
}

void TIndexedItems::SetLangDescent(int itemNr, quint16 langDescent)
{
    if (const int position = PositionOf(itemNr))
        Descent.RewriteWord(position, langDescent);
}

} // namespace wordmill
