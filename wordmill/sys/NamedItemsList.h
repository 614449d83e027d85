#pragma once

#include <wordmill/sys/LangTranslation.h>
#include <wordmill/sys/NamedObjectList.h>

namespace wordmill {

// Design texts (sorted, letter case significant, unique) with their
// translations. Positions follow the sort order, so they change when texts
// are added or removed. Positions are 16-bit: the list holds at most 65535
// texts and ignores further new texts.
class TNamedItemsList : public TNamedObjectList<TLangTranslation>
{
public:
    static constexpr int MaxTexts = 0xFFFF;

    // Positions must be valid: outside the list reads give an empty text and
    // descent 255, writes are ignored.
    QString Translation(int itemNr) const;
    void SetTranslation(int itemNr, const QString &translation);
    quint16 Descent(int itemNr) const;
    void SetDescent(int itemNr, quint16 descent);
    QString GetBoth(int itemNr, quint16 &langDescent) const;

    // Inserts a new design text with its translation and descent. A present
    // text takes them only when the new translation comes from a language at
    // least as close (low byte of the descent not above the present one), so
    // the closest language wins and equal closeness lets the later one win.
    // Nothing for an empty design text.
    void AddLine(const QString &designed, const QString &translated, quint16 descent);
    // Every descent below 254 moves one level of superior language further.
    void InheritAll();
};

} // namespace wordmill
