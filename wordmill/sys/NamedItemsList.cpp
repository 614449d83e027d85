#include "NamedItemsList.h"

namespace wordmill {

namespace {

constexpr quint16 LowByte(quint16 descent)
{
    return descent & 0xFF;
}

} // namespace

QString TNamedItemsList::Translation(int itemNr) const
{
    const TLangTranslation *item = Objects(itemNr);
    return item ? item->Translation : QString();
}

void TNamedItemsList::SetTranslation(int itemNr, const QString &translation)
{
    if (TLangTranslation *item = Objects(itemNr))
        item->Translation = translation;
}

quint16 TNamedItemsList::Descent(int itemNr) const
{
    const TLangTranslation *item = Objects(itemNr);
    return item ? item->Descent : DescentNone;
}

void TNamedItemsList::SetDescent(int itemNr, quint16 descent)
{
    if (TLangTranslation *item = Objects(itemNr))
        item->Descent = descent;
}

QString TNamedItemsList::GetBoth(int itemNr, quint16 &langDescent) const
{
    const TLangTranslation *item = Objects(itemNr);
    langDescent = item ? item->Descent : DescentNone;
    return item ? item->Translation : QString();
}

void TNamedItemsList::AddLine(const QString &designed, const QString &translated, quint16 descent)
{
    if (designed.isEmpty())
        return;
    if (Count() >= MaxTexts) {
        // Full: present texts may still take a closer translation.
        TLangTranslation *present = ObjectOf(designed);
        if (present && LowByte(present->Descent) >= LowByte(descent))
            *present = TLangTranslation{translated, descent};
        return;
    }
    bool inserted = false;
    TLangTranslation &item = FindOrAdd(
        designed,
        [&] {
            return TLangTranslation{translated, descent};
        },
        &inserted, nullptr, &designed);
    if (!inserted && LowByte(item.Descent) >= LowByte(descent))
        item = TLangTranslation{translated, descent};
}

void TNamedItemsList::InheritAll()
{
    ForEach([](const QString &, TLangTranslation *item) {
        if (item)
            item->Descent = InheritedDescent(item->Descent);
    });
}

} // namespace wordmill
