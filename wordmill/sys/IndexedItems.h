#pragma once

#include <wordmill/sys/WordList.h>

#include <QString>
#include <QStringList>

#include <vector>

namespace wordmill {

// The texts of one lexicon by item number, each with its language descent.
//
// Item numbers are 16-bit (0 to 65535) and may have gaps. Texts are appended
// at new positions; position 0 is reserved, so a store hands out at most
// 65535 positions between two Clears and ignores additions beyond that. A
// position stays with its item until Clear: adding an item again abandons the
// old position, removing an item empties its text but keeps the position.
//
// Operations take item numbers as int so that a number outside 0 to 65535
// is never cut down to 16 bits and folded onto another item: reads of such a
// number give the values of a missing item, writes are ignored.
class TIndexedItems
{
public:
    static constexpr int MaxItemNumber = 0xFFFF;
    static constexpr int MaxPositions = 0xFFFF;

    explicit TIndexedItems(const QString &name = {});

    const QString &ListName() const { return fListName; }

    // Positions used since the last Clear, removed items included.
    quint16 Count() const { return quint16(Items.size() - 1); }
    // The highest item number added so far; 0 when empty.
    quint16 MaxIndex() const { return MaxAddress; }

    // The item's text; empty when it is not included.
    QString Get(int itemNr) const;
    bool IsIncluded(int itemNr) const;
    bool IsGlobal(int itemNr) const;
    // Number of the item whose text equals `text` without regard to letter
    // case, looking at positions in the order they were handed out and
    // skipping abandoned ones; -1 for an empty text or no match.
    int IndexOf(const QString &text) const;

    // Appends the text at a new position and points the item at it. A
    // present item of that number keeps nothing: its old position is
    // abandoned. Ignored once every position is handed out.
    void Add(int itemNr, const QString &text, quint16 langDescent);
    // An included item gets text and descent in place; otherwise Add.
    void Write(int itemNr, const QString &text, quint16 langDescent);
    // New text for an included item, its descent kept.
    void Change(int itemNr, const QString &text);
    // An included item's text becomes empty, its descent 255, and it is no
    // longer included.
    void Remove(int itemNr);
    void Clear();
    // Every descent below 254 moves one level of superior language further.
    void NewLanguage();

    // 255 when the item is not included.
    quint16 LangDescent(int itemNr) const;
    // Ignored when the item is not included.
    void SetLangDescent(int itemNr, quint16 langDescent);

    // Length of the item pointer table (32 at first, item number + 64 when
    // an item beyond it is added).
    int PointerCapacity() const { return int(ItemPointer.size()); }

private:
    // Position of an included item, 0 otherwise.
    int PositionOf(int itemNr) const;
    void SetPointerCapacity(int capacity);

    quint16 MaxAddress = 0;
    // Position of each item number's text; 0 when the item is not present.
    std::vector<quint16> ItemPointer;
    QStringList Items;
    TWordList Descent;
    // The item number each position belongs to, -1 once it is abandoned or
    // removed; lets IndexOf answer with one scan.
    std::vector<int> PositionOwner;
    QString fListName;
};

} // namespace wordmill
