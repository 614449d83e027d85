#pragma once

#include <QString>

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace wordmill {

namespace detail {

// Running totals over the sizes of consecutive chunks (a Fenwick tree), so
// that the chunk holding the n-th entry and the number of entries before a
// chunk are both found in logarithmic time.
class ChunkCounts
{
public:
    void Rebuild(const std::vector<int> &sizes);
    void Adjust(int chunk, int delta);
    // Number of entries in the chunks before `chunk`.
    int Before(int chunk) const;
    // The chunk holding entry `index` and the entry's offset inside it;
    // `index` must be below the total.
    std::pair<int, int> Locate(int index) const;

private:
    std::vector<int> m_tree; // 1-based; m_tree[0] is unused
    int m_topBit = 0;
};

} // namespace detail

// A sorted list of strings with one owned object per string.
//
// Strings compare with letter case significant (UTF-16 code-unit order) and
// are unique: adding a string that is present returns the index of the
// present one and adds nothing. Entries are addressed by their position in
// sort order, 0-based. Deleting an entry or clearing the list frees the
// objects.
//
// The entries sit in chunks of a few hundred, with running totals of the
// chunk sizes. Adding, finding and deleting by string and reaching an entry
// by position all take logarithmic time (plus a short move inside one
// chunk), so building a list of tens of thousands of strings in any order
// stays near linear.
template <typename T> class TNamedObjectList
{
public:
    TNamedObjectList() = default;
    TNamedObjectList(const TNamedObjectList &) = delete;
    TNamedObjectList &operator=(const TNamedObjectList &) = delete;
    TNamedObjectList(TNamedObjectList &&) noexcept = default;
    TNamedObjectList &operator=(TNamedObjectList &&) noexcept = default;
    ~TNamedObjectList() = default;

    int Count() const { return m_count; }

    // The string at `index`; an empty string outside the list.
    const QString &Strings(int index) const;
    // The object at `index`; null outside the list or when none is held.
    T *Objects(int index) const;

    // Position of `s`, or -1.
    int IndexOf(const QString &s) const;
    // True when `s` is present; `index` receives its position, or the
    // position it would take when absent.
    bool Find(const QString &s, int &index) const;
    // The object stored with `s`; null when `s` is absent.
    T *ObjectOf(const QString &s) const;

    // Inserts `s` with `object` at its sorted position and returns the
    // position. When `s` is present nothing is added, `object` is freed and
    // the present position is returned.
    int AddObject(const QString &s, std::unique_ptr<T> object);
    int Add(const QString &s) { return AddObject(s, nullptr); }

    // Removes the entry at `index` and frees its object; ignored outside.
    void Delete(int index);
    void Clear();
    // Frees the object held at `index`, if any, and stores `object` there.
    void ReplaceObject(int index, std::unique_ptr<T> object);

    // Calls fn(string, object) for every entry in sort order.
    template <typename Fn> void ForEach(Fn fn) const;

    // Replaces the content by copies of `source`'s entries; `clone` turns a
    // const T& into a std::unique_ptr<T>. Null objects stay null.
    template <typename Clone> void AssignFrom(const TNamedObjectList &source, Clone clone);

    // Offers every string to rename(QString &) which may change it and
    // returns whether it did; then restores the sort order. When a changed
    // string meets a string already present, the changed entry wins and the
    // other one is freed, so strings stay unique. Returns whether any string
    // changed.
    template <typename Rename> bool RenameAll(Rename rename);

private:
    struct Entry
    {
        QString key;
        std::unique_ptr<T> object;
    };
    using Chunk = std::vector<Entry>;

    struct Slot
    {
        int chunk = 0;
        int offset = 0;
        bool found = false;
    };

    // A chunk is split in two once it holds more than this many entries;
    // bulk builds fill chunks to half of it.
    static constexpr std::size_t MaxChunk = 512;
    static constexpr std::size_t BulkChunk = MaxChunk / 2;

    Slot LowerBound(const QString &s) const;
    const Entry *EntryAt(int index) const;
    Entry *EntryAt(int index);
    void RebuildCounts();
    void BuildFrom(std::vector<Entry> &&sorted);

    std::vector<Chunk> m_chunks;
    detail::ChunkCounts m_counts;
    int m_count = 0;
};

template <typename T> const QString &TNamedObjectList<T>::Strings(int index) const
{
    static const QString empty;
    const Entry *entry = EntryAt(index);
    return entry ? entry->key : empty;
}

template <typename T> T *TNamedObjectList<T>::Objects(int index) const
{
    const Entry *entry = EntryAt(index);
    return entry ? entry->object.get() : nullptr;
}

template <typename T> int TNamedObjectList<T>::IndexOf(const QString &s) const
{
    int index = -1;
    return Find(s, index) ? index : -1;
}

template <typename T> bool TNamedObjectList<T>::Find(const QString &s, int &index) const
{
    const Slot slot = LowerBound(s);
    index = m_chunks.empty() ? 0 : m_counts.Before(slot.chunk) + slot.offset;
    return slot.found;
}

template <typename T> T *TNamedObjectList<T>::ObjectOf(const QString &s) const
{
    const Slot slot = LowerBound(s);
    return slot.found ? m_chunks[slot.chunk][slot.offset].object.get() : nullptr;
}

template <typename T>
int TNamedObjectList<T>::AddObject(const QString &s, std::unique_ptr<T> object)
{
    if (m_chunks.empty()) {
        m_chunks.emplace_back();
        m_chunks.front().push_back(Entry{s, std::move(object)});
        m_count = 1;
        RebuildCounts();
        return 0;
    }
    const Slot slot = LowerBound(s);
    const int index = m_counts.Before(slot.chunk) + slot.offset;
    if (slot.found)
        return index;

    Chunk &chunk = m_chunks[slot.chunk];
    chunk.insert(chunk.begin() + slot.offset, Entry{s, std::move(object)});
    ++m_count;
    if (chunk.size() > MaxChunk) {
        Chunk upper;
        upper.reserve(MaxChunk);
        const auto middle = chunk.begin() + static_cast<std::ptrdiff_t>(chunk.size() / 2);
        std::move(middle, chunk.end(), std::back_inserter(upper));
        chunk.erase(middle, chunk.end());
        m_chunks.insert(m_chunks.begin() + slot.chunk + 1, std::move(upper));
        RebuildCounts();
    } else {
        m_counts.Adjust(slot.chunk, 1);
    }
    return index;
}

template <typename T> void TNamedObjectList<T>::Delete(int index)
{
    if (index < 0 || index >= m_count)
        return;
    const auto [chunkIndex, offset] = m_counts.Locate(index);
    Chunk &chunk = m_chunks[chunkIndex];
    chunk.erase(chunk.begin() + offset);
    --m_count;
    if (chunk.empty()) {
        m_chunks.erase(m_chunks.begin() + chunkIndex);
        RebuildCounts();
    } else {
        m_counts.Adjust(chunkIndex, -1);
    }
}

template <typename T> void TNamedObjectList<T>::Clear()
{
    m_chunks.clear();
    m_count = 0;
    RebuildCounts();
}

template <typename T> void TNamedObjectList<T>::ReplaceObject(int index, std::unique_ptr<T> object)
{
    if (Entry *entry = EntryAt(index))
        entry->object = std::move(object);
}

template <typename T> template <typename Fn> void TNamedObjectList<T>::ForEach(Fn fn) const
{
    for (const Chunk &chunk : m_chunks) {
        for (const Entry &entry : chunk)
            fn(entry.key, entry.object.get());
    }
}

template <typename T>
template <typename Clone>
void TNamedObjectList<T>::AssignFrom(const TNamedObjectList &source, Clone clone)
{
    if (&source == this)
        return;
    std::vector<Entry> copies;
    copies.reserve(static_cast<std::size_t>(source.m_count));
    source.ForEach([&](const QString &key, const T *object) {
        copies.push_back(Entry{key, object ? clone(*object) : std::unique_ptr<T>()});
    });
    BuildFrom(std::move(copies));
}

template <typename T> template <typename Rename> bool TNamedObjectList<T>::RenameAll(Rename rename)
{
    std::vector<bool> changed;
    changed.reserve(static_cast<std::size_t>(m_count));
    bool anyChanged = false;
    for (Chunk &chunk : m_chunks) {
        for (Entry &entry : chunk) {
            const bool entryChanged = rename(entry.key);
            changed.push_back(entryChanged);
            anyChanged = anyChanged || entryChanged;
        }
    }
    if (!anyChanged)
        return false;

    struct Renamed
    {
        Entry entry;
        bool changed;
    };
    std::vector<Renamed> all;
    all.reserve(changed.size());
    std::size_t position = 0;
    for (Chunk &chunk : m_chunks) {
        for (Entry &entry : chunk)
            all.push_back(Renamed{std::move(entry), changed[position++]});
    }
    // Equal strings: the changed entry sorts first and is the one kept.
    std::sort(all.begin(), all.end(), [](const Renamed &a, const Renamed &b) {
        if (const int order = QString::compare(a.entry.key, b.entry.key, Qt::CaseSensitive))
            return order < 0;
        return a.changed && !b.changed;
    });
    std::vector<Entry> sorted;
    sorted.reserve(all.size());
    for (Renamed &item : all) {
        if (!sorted.empty() && sorted.back().key == item.entry.key)
            continue;
        sorted.push_back(std::move(item.entry));
    }
    BuildFrom(std::move(sorted));
    return true;
}

template <typename T>
typename TNamedObjectList<T>::Slot TNamedObjectList<T>::LowerBound(const QString &s) const
{
    if (m_chunks.empty())
        return {};
    // The first chunk whose last string is not below s holds s or the place
    // where it belongs; past every chunk, s belongs at the very end.
    const auto chunk = std::partition_point(m_chunks.begin(), m_chunks.end(),
                                            [&s](const Chunk &c) { return c.back().key < s; });
    if (chunk == m_chunks.end()) {
        const auto last = static_cast<int>(m_chunks.size()) - 1;
        return {last, static_cast<int>(m_chunks.back().size()), false};
    }
    const auto entry = std::partition_point(chunk->begin(), chunk->end(),
                                            [&s](const Entry &e) { return e.key < s; });
    return {static_cast<int>(chunk - m_chunks.begin()), static_cast<int>(entry - chunk->begin()),
            entry->key == s};
}

template <typename T>
const typename TNamedObjectList<T>::Entry *TNamedObjectList<T>::EntryAt(int index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    const auto [chunk, offset] = m_counts.Locate(index);
    return &m_chunks[chunk][offset];
}

template <typename T> typename TNamedObjectList<T>::Entry *TNamedObjectList<T>::EntryAt(int index)
{
    return const_cast<Entry *>(std::as_const(*this).EntryAt(index));
}

template <typename T> void TNamedObjectList<T>::RebuildCounts()
{
    std::vector<int> sizes;
    sizes.reserve(m_chunks.size());
    for (const Chunk &chunk : m_chunks)
        sizes.push_back(static_cast<int>(chunk.size()));
    m_counts.Rebuild(sizes);
}

template <typename T> void TNamedObjectList<T>::BuildFrom(std::vector<Entry> &&sorted)
{
    m_chunks.clear();
    m_count = static_cast<int>(sorted.size());
    for (std::size_t first = 0; first < sorted.size(); first += BulkChunk) {
        const std::size_t last = std::min(sorted.size(), first + BulkChunk);
        Chunk chunk;
        chunk.reserve(MaxChunk);
        std::move(sorted.begin() + static_cast<std::ptrdiff_t>(first),
                  sorted.begin() + static_cast<std::ptrdiff_t>(last), std::back_inserter(chunk));
        m_chunks.push_back(std::move(chunk));
    }
    RebuildCounts();
}

} // namespace wordmill
