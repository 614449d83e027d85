#include "WordList.h"

#include <algorithm>

namespace wordmill {

namespace {

constexpr int InitialCapacity = 32;
constexpr int GrowthStep = 64;
constexpr int ShrinkThreshold = 1024;
constexpr int AssignSlack = 32;

// Descents from 254 on no longer inherit: 254 is "inherited from the farthest
// superior language", 255 "no translation", and 256 and up carry the global bit.
constexpr quint16 InheritLimit = 254;

} // namespace

TWordList::TWordList()
{
    SetCapacity(InitialCapacity);
}

void TWordList::SetCapacity(int newCapacity)
{
    // The capacity is the length of the word array. The storage behind it
    // grows geometrically, so appending stays amortised constant even though
    // the visible capacity only grows in steps of 64.
    const auto wanted = static_cast<std::size_t>(newCapacity);
    if (wanted > Words.capacity())
        Words.reserve(std::max(wanted, Words.capacity() * 2));
    Words.resize(wanted, 0);
}

void TWordList::AddWord(quint16 value)
{
    if (FCount >= Capacity())
        SetCapacity(FCount + GrowthStep);
    Words[FCount] = value;
    ++FCount;
}

quint16 TWordList::GetWord(int index) const
{
    if (index < 0 || index >= FCount)
        return 0;
    return Words[index];
}

int TWordList::IndexOfWord(quint16 value) const
{
    const auto end = Words.begin() + FCount;
    const auto it = std::find(Words.begin(), end, value);
    return it == end ? -1 : static_cast<int>(it - Words.begin());
}

void TWordList::RewriteWord(int index, quint16 value)
{
    if (index >= 0 && index < FCount)
        Words[index] = value;
}

void TWordList::Delete(int index)
{
    if (index < 0 || index >= FCount)
        return;
    std::copy(Words.begin() + index + 1, Words.begin() + FCount, Words.begin() + index);
    --FCount;
    Words[FCount] = 0;
}

void TWordList::Inherit(int index)
{
    if (index >= 0 && index < FCount && Words[index] < InheritLimit)
        ++Words[index];
}

void TWordList::InheritAll()
{
    for (int i = 0; i < FCount; ++i) {
        if (Words[i] < InheritLimit)
            ++Words[i];
    }
}

void TWordList::Clear()
{
    FCount = 0;
    if (Capacity() > ShrinkThreshold) {
        Words.assign(InitialCapacity, 0);
        Words.shrink_to_fit();
    } else {
        std::fill(Words.begin(), Words.end(), 0);
    }
}

void TWordList::Assign(const TWordList &source)
{
    if (&source == this)
        return;
    const int count = source.FCount;
    if (Capacity() < count || Capacity() > count + ShrinkThreshold) {
        Words.assign(static_cast<std::size_t>(count + AssignSlack), 0);
        Words.shrink_to_fit();
    } else {
        std::fill(Words.begin(), Words.end(), 0);
    }
    std::copy(source.Words.begin(), source.Words.begin() + count, Words.begin());
    FCount = count;
}

} // namespace wordmill
