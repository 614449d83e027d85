#include "BindingTable.h"

namespace wordmill {

void TBindingTable::Begin()
{
    ++fGeneration;
    fEntries.clear();
    fValid = false;
}

void TBindingTable::Clear()
{
    ++fGeneration;
    fEntries.clear();
    fEntries.shrink_to_fit();
    fValid = false;
}

TBindingTable::TEntry &TBindingTable::AddEntry(QObject *Component)
{
    TEntry &entry = fEntries.emplace_back();
    entry.Component = Component;
    entry.Name = Component ? Component->objectName() : QString();
    return entry;
}

void TBindingTable::ReturnEntries(std::vector<TEntry> &&Entries, quint64 Generation)
{
    if (Generation == fGeneration)
        fEntries = std::move(Entries);
}

bool TBindingTable::Matches(const QList<QObject *> &Components) const
{
    if (!fValid || qsizetype(fEntries.size()) != Components.size())
        return false;
    for (qsizetype i = 0; i < Components.size(); ++i) {
        const TEntry &entry = fEntries[size_t(i)];
        QObject *component = Components.at(i);
        // A destroyed component leaves a null pointer behind, so a new object
        // at the same address never passes for it.
        if (entry.Component.data() != component || component->objectName() != entry.Name)
            return false;
        if (entry.Shape && entry.Shape() != entry.BuiltShape)
            return false;
    }
    return true;
}

} // namespace wordmill
