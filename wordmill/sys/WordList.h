#pragma once

#include <QtGlobal>

#include <vector>

namespace wordmill {

// A growable list of 16-bit numbers: the language descents of an indexed
// store and the row index lists of the editor.
//
// The list keeps an explicit capacity: it starts at 32 words, grows to
// count + 64 when a word is appended to a full list and falls back to 32 on
// Clear once it went beyond 1024.
class TWordList
{
public:
    TWordList();

    void AddWord(quint16 value);
    // The word at index; 0 for an index outside the list.
    quint16 GetWord(int index) const;
    // Position of the first word equal to value, or -1.
    int IndexOfWord(quint16 value) const;
    // Ignored outside the list.
    void RewriteWord(int index, quint16 value);
    // Ignored outside the list; later words move down.
    void Delete(int index);
    // Raises a language descent by one level: adds 1 to a word below 254.
    void Inherit(int index);
    void InheritAll();
    void Clear();
    // Copies count and words; the capacity follows the copied count.
    void Assign(const TWordList &source);

    int Count() const { return FCount; }
    int Capacity() const { return static_cast<int>(Words.size()); }

private:
    void SetCapacity(int newCapacity);

    int FCount = 0;
    // Its size is the list's capacity; words from FCount on are unused.
    std::vector<quint16> Words;
};

} // namespace wordmill
