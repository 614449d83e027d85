#include "ComponentStructure.h"

#include <wordmill/sys/LineID.h>
#include <wordmill/sys/OneLineForm.h> // EncodeControlChars
#include <wordmill/sys/PropertyNames.h>
#include <wordmill/sys/TextHelpers.h> // ContainsLetter

#include <memory>

namespace wordmill {

QString TComponentStructure::LineID(int index) const
{
    return Lines.Strings(index);
}

int TComponentStructure::Find(const QString &lineID)
{
    fLastFoundIndex = Lines.IndexOf(lineID);
    return fLastFoundIndex;
}

int TComponentStructure::Find(int lineIndex, const TComponentStructure &byStruct)
{
    if (lineIndex < 0 || lineIndex >= byStruct.Count()) {
        fLastFoundIndex = -1;
        return fLastFoundIndex;
    }
    return Find(byStruct.LineID(lineIndex));
}

int TComponentStructure::Find(const TFullStructLine &lineData)
{
    return Find(ComposeLineID(lineData.CompName, lineData.OwnerName, lineData.PropertyID,
                              lineData.ItemAddr));
}

int TComponentStructure::Find(const QString &compName, const QString &ownerName, int propertyType,
                              const QString &addr)
{
    return Find(ComposeLineID(compName, ownerName, propertyType, addr));
}

QString TComponentStructure::FoundItem() const
{
    return Translation(fLastFoundIndex);
}

void TComponentStructure::SetFoundItem(const QString &translation)
{
    SetTranslation(fLastFoundIndex, translation);
}

TSimpleStructLine TComponentStructure::GetSimple(int index) const
{
    TSimpleStructLine line;
    if (const TStructItem *item = Item(index)) {
        line.LineID = Lines.Strings(index);
        line.Translation = item->Translation;
        line.Descent = item->Descent;
        line.Changeable = item->Changeable;
    }
    return line;
}

TFullStructLine TComponentStructure::GetFull(int index) const
{
    TFullStructLine line;
    line.PropertyID = UnreadablePropertyID;
    if (const TStructItem *item = Item(index)) {
        TLineIDParts parts = SplitLineID(Lines.Strings(index));
        line.CompName = std::move(parts.CompName);
        line.OwnerName = std::move(parts.OwnerName);
        line.ItemAddr = std::move(parts.ItemAddr);
        line.PropertyID = quint16(ReadPropertyID(parts.PropertyText));
        line.Translation = item->Translation;
        line.Descent = item->Descent;
        line.Changeable = item->Changeable;
    }
    return line;
}

QString TComponentStructure::Translation(int index) const
{
    const TStructItem *item = Item(index);
    return item ? item->Translation : QString();
}

void TComponentStructure::SetTranslation(int index, const QString &translation)
{
    if (TStructItem *item = Item(index))
        item->Translation = translation;
}

quint16 TComponentStructure::Descent(int index) const
{
    const TStructItem *item = Item(index);
    return item ? item->Descent : DescentNone;
}

void TComponentStructure::SetDescent(int index, quint16 descent)
{
    if (TStructItem *item = Item(index))
        item->Descent = descent;
}

quint16 TComponentStructure::Changeable(int index) const
{
    const TStructItem *item = Item(index);
    return item ? item->Changeable : 0;
}

void TComponentStructure::SetChangeable(int index, quint16 changeable)
{
    if (TStructItem *item = Item(index))
        item->Changeable = changeable;
}

int TComponentStructure::PropertyID(int index) const
{
    if (index < 0 || index >= Count())
        return UnreadablePropertyID;
    return ReadPropertyID(SplitLineID(Lines.Strings(index)).PropertyText);
}

QString TComponentStructure::ComponentName(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return SplitLineID(Lines.Strings(index)).CompName;
}

const TStructItem *TComponentStructure::FindItem(QStringView lineID) const
{
    return Lines.ObjectOf(lineID);
}

QString TComponentStructure::GetString(const QString &compName, const QString &ownerName,
                                       int propertyType, const QString &addr) const
{
    const TStructItem *item =
        Lines.ObjectOf(ComposeLineID(compName, ownerName, propertyType, addr));
    return item ? item->Translation : QString();
}

QString TComponentStructure::GetString(int lineIndex, const TComponentStructure &byStruct) const
{
    if (lineIndex < 0 || lineIndex >= byStruct.Count())
        return {};
    const TStructItem *item = Lines.ObjectOf(byStruct.LineID(lineIndex));
    return item ? item->Translation : QString();
}

TStructItem &TComponentStructure::FindOrAddLine(const QString &lineID, bool &added)
{
    int index = -1;
    TStructItem &item = Lines.FindOrAdd(
        lineID, [] { return TStructItem(); }, &added, &index, &lineID);
    // Keep the remembered line the same line although its index moved.
    if (added && fLastFoundIndex >= index)
        ++fLastFoundIndex;
    return item;
}

void TComponentStructure::StoreLine(const QString &lineID, const QString &translation,
                                    quint16 descent, quint16 changeable)
{
    bool added = false;
    TStructItem &item = FindOrAddLine(lineID, added);
    item.Translation = translation;
    item.Descent = descent;
    item.Changeable = changeable;
}

void TComponentStructure::AddLine(const TFullStructLine &inputData)
{
    StoreLine(ComposeLineID(inputData.CompName, inputData.OwnerName, inputData.PropertyID,
                            inputData.ItemAddr),
              inputData.Translation, inputData.Descent, inputData.Changeable);
}

void TComponentStructure::AddLine(const TSimpleStructLine &inputData)
{
    StoreLine(inputData.LineID, inputData.Translation, inputData.Descent, inputData.Changeable);
}

void TComponentStructure::AddTextProperty(const QString &componentName, const QString &ownerName,
                                          int propertyType, const QString &input,
                                          const QString &addr)
{
    // Texts without a letter ("1.", "12:30", "-") are never translated.
    if (!ContainsLetter(input))
        return;
    QString text = input;
    EncodeControlChars(text);
    StoreLine(ComposeLineID(componentName, ownerName, propertyType, addr), text, DescentNone,
              ChangeableTranslatable);
}

void TComponentStructure::Copy(int index, const TComponentStructure &from)
{
    if (const TStructItem *item = from.Item(index))
        StoreLine(from.LineID(index), item->Translation, item->Descent, item->Changeable);
}

void TComponentStructure::Assign(const TComponentStructure &source)
{
    if (&source == this)
        return;
    Lines.AssignFrom(source.Lines,
                     [](const TStructItem &item) { return std::make_unique<TStructItem>(item); });
    fLastFoundIndex = -1;
}

void TComponentStructure::SetupLine(int lineIndex, const QString &translation, quint16 descent,
                                    quint16 changeable)
{
    if (TStructItem *item = Item(lineIndex)) {
        item->Translation = translation;
        item->Descent = descent;
        item->Changeable = changeable;
    }
}

void TComponentStructure::SetupLineBy(int lineIndex, int sourceLine,
                                      const TComponentStructure &byStruct, quint16 mark)
{
    TStructItem *item = Item(lineIndex);
    const TStructItem *source = byStruct.Item(sourceLine);
    if (!item || !source)
        return;
    item->Translation = source->Translation;
    item->Descent = source->Descent;
    item->Changeable = mark | source->Changeable;
}

void TComponentStructure::DeleteLine(int index)
{
    if (index < 0 || index >= Count())
        return;
    Lines.Delete(index);
    if (fLastFoundIndex == index)
        fLastFoundIndex = -1;
    else if (fLastFoundIndex > index)
        --fLastFoundIndex;
}

void TComponentStructure::Clear()
{
    Lines.Clear();
    fLastFoundIndex = -1;
}

void TComponentStructure::NewLanguage()
{
    Lines.ForEach([](const QString &, TStructItem *item) {
        if (item)
            item->Descent = InheritedDescent(item->Descent);
    });
}

bool TComponentStructure::ValidItem(int index)
{
    TStructItem *item = Item(index);
    if (!item)
        return false;
    item->Changeable &= quint16(~ChangeableOld);
    return (item->Changeable & ChangeableTranslatable) != 0;
}

bool TComponentStructure::IsGlobal(int index) const
{
    return IsGlobalDescent(Descent(index));
}

bool TComponentStructure::SwitchLanguageOwner(const QString &current, const QString &newOwner)
{
    const bool changed = Lines.RenameAll(
        [&](QString &lineID) { return ReplaceLineIDOwner(lineID, current, newOwner); });
    if (changed)
        fLastFoundIndex = -1;
    return changed;
}

QString TComponentStructure::GetPropertyName(int itemIndex,
                                             const QStringList &wordmillAdditionNames) const
{
    if (itemIndex < 0 || itemIndex >= Count())
        return {};
    return PropertyPathOf(Lines.Strings(itemIndex), wordmillAdditionNames);
}

} // namespace wordmill
