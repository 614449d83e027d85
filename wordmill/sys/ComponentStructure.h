#pragma once

#include <wordmill/sys/NamedObjectList.h>
#include <wordmill/sys/StructLines.h>

#include <QString>
#include <QStringList>

namespace wordmill {

// Maps every translatable text of a form's components to one line, keyed by
// component name, owner name, property-type number and item address (see
// ComposeLineID). It serves as the design structure of a client, as the
// engine's translations of the current language, as the editor's work and
// source data and as the lists of import and export.
//
// Lines are kept sorted by key (case-sensitive); line indexes count from 0 in
// key order. Reads outside the list give empty values (empty texts, descent
// 255, changeable 0); writes outside the list are ignored.
class TComponentStructure
{
public:
    TComponentStructure() = default;
    TComponentStructure(const TComponentStructure &) = delete;
    TComponentStructure &operator=(const TComponentStructure &) = delete;

    int Count() const { return Lines.Count(); }
    QString LineID(int index) const;

    // Index of the line with that key, or -1; remembered as LastFoundIndex.
    int Find(const QString &lineID);
    // Index of the line whose key is that of `byStruct`'s line `lineIndex`.
    int Find(int lineIndex, const TComponentStructure &byStruct);
    int Find(const TFullStructLine &lineData);
    int Find(const QString &compName, const QString &ownerName, int propertyType,
             const QString &addr);
    // Follows its line when other lines are added or deleted; -1 once that
    // line is deleted, the list is cleared or its keys are rewritten.
    int LastFoundIndex() const { return fLastFoundIndex; }

    // Translation of line LastFoundIndex; empty when the last Find failed.
    QString FoundItem() const;
    void SetFoundItem(const QString &translation);

    TSimpleStructLine GetSimple(int index) const;
    // The property-type number is UnreadablePropertyID when the key's
    // number cannot be read.
    TFullStructLine GetFull(int index) const;

    QString Translation(int index) const;
    void SetTranslation(int index, const QString &translation);
    quint16 Descent(int index) const;
    void SetDescent(int index, quint16 descent);
    quint16 Changeable(int index) const;
    void SetChangeable(int index, quint16 changeable);
    // Property-type number of the key; UnreadablePropertyID when it cannot
    // be read or the index is outside the list.
    int PropertyID(int index) const;
    QString ComponentName(int index) const;

    // The data of the line with that key, or null; unlike Find it keeps
    // LastFoundIndex and needs no position, so it is the lookup of the
    // translation passes.
    const TStructItem *FindItem(QStringView lineID) const;

    // Translation of the line with that key; empty when there is none.
    QString GetString(const QString &compName, const QString &ownerName, int propertyType,
                      const QString &addr) const;
    QString GetString(int lineIndex, const TComponentStructure &byStruct) const;

    // The line with that key, added (no text, descent 255, changeable 0)
    // when there is none, after one search; `added` tells which.
    TStructItem &FindOrAddLine(const QString &lineID, bool &added);

    // Adds the line, or replaces translation, descent and changeable of the
    // line with the same key.
    void AddLine(const TFullStructLine &inputData);
    void AddLine(const TSimpleStructLine &inputData);
    // Adds a design text: only a text holding a letter is translatable. It is
    // kept in one-line form with descent 255 and changeable 1; a line with
    // the same key takes these values.
    void AddTextProperty(const QString &componentName, const QString &ownerName, int propertyType,
                         const QString &input, const QString &addr);
    // Adds (or replaces) line `index` of `from`.
    void Copy(int index, const TComponentStructure &from);
    void Assign(const TComponentStructure &source);

    void SetupLine(int lineIndex, const QString &translation, quint16 descent, quint16 changeable);
    // Copies translation and descent of `byStruct`'s line `sourceLine` into
    // line `lineIndex` and sets its changeable to `mark` or-ed with the
    // source's; nothing unless both indexes are inside their structures.
    void SetupLineBy(int lineIndex, int sourceLine, const TComponentStructure &byStruct,
                     quint16 mark);

    void DeleteLine(int index);
    void Clear();

    // Every descent below 254 moves one level of superior language further.
    void NewLanguage();
    // Clears the old flag of the line and tells whether it is translatable.
    bool ValidItem(int index);
    bool IsGlobal(int index) const;
    // Every line whose owner name is exactly `current` gets the owner `newOwner`;
    // true when a line changed. A renamed line replaces a line that already
    // had its new key.
    bool SwitchLanguageOwner(const QString &current, const QString &newOwner);

    // The property path of line `itemIndex` shown to the translator, for
    // example "Category[2].Item[3].Caption"; empty outside the list.
    QString GetPropertyName(int itemIndex, const QStringList &wordmillAdditionNames) const;

private:
    TStructItem *Item(int index) const { return Lines.Objects(index); }
    void StoreLine(const QString &lineID, const QString &translation, quint16 descent,
                   quint16 changeable);

    int fLastFoundIndex = -1;
    TNamedObjectList<TStructItem> Lines;
};

} // namespace wordmill
