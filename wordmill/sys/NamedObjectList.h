#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>
#include <bit>
#include <iterator>
#include <memory>
#include <optional>
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

// An open-addressing table of entry numbers, found by the hash of their
// strings. It keeps no strings itself: the owner tells the hash of an entry
// and whether an entry holds a given string.
class HashSlots
{
public:
    static size_t Hash(QStringView s);

    bool IsBuilt() const { return !m_slots.empty(); }
    void Reset();
    // Makes room for `count` entries (rehashing those present with
    // `hashOf(id)`).
    template <typename HashOf> void Reserve(qsizetype count, HashOf hashOf);
    // The entry holding the string, or -1. `matches(id)` compares.
    template <typename Matches> qint64 Find(size_t hash, Matches matches) const;
    // Adds an entry whose string is not present yet.
    template <typename HashOf> void Insert(quint32 id, size_t hash, HashOf hashOf);
    // Removes an entry; `hashOf(id)` tells the hash of every entry.
    template <typename HashOf> void Remove(quint32 id, size_t hash, HashOf hashOf);

private:
    // Entry number + 1 per slot; 0 is a free slot.
    std::vector<quint32> m_slots;
    qsizetype m_used = 0;
};

template <typename HashOf> void HashSlots::Reserve(qsizetype count, HashOf hashOf)
{
    // At most half the slots are used, so that probes stay short.
    std::size_t wanted = 16;
    while (wanted < std::size_t(count) * 2)
        wanted *= 2;
    if (wanted <= m_slots.size())
        return;
    std::vector<quint32> old = std::move(m_slots);
    m_slots.assign(wanted, 0);
    const std::size_t mask = wanted - 1;
    for (const quint32 slot : old) {
        if (!slot)
            continue;
        std::size_t i = hashOf(slot - 1) & mask;
        while (m_slots[i])
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

template <typename Matches> qint64 HashSlots::Find(size_t hash, Matches matches) const
{
    if (m_slots.empty())
        return -1;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask; m_slots[i]; i = (i + 1) & mask) {
        if (matches(m_slots[i] - 1))
            return m_slots[i] - 1;
    }
    return -1;
}

template <typename HashOf> void HashSlots::Insert(quint32 id, size_t hash, HashOf hashOf)
{
    Reserve(m_used + 1, hashOf);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i])
        i = (i + 1) & mask;
    m_slots[i] = id + 1;
    ++m_used;
}

template <typename HashOf> void HashSlots::Remove(quint32 id, size_t hash, HashOf hashOf)
{
    if (m_slots.empty())
        return;
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i] && m_slots[i] != id + 1)
        i = (i + 1) & mask;
    if (!m_slots[i])
        return;
    // Backward shift: move later entries of the run into the hole so that
    // every entry stays reachable from its home slot.
    std::size_t hole = i;
    for (std::size_t j = (i + 1) & mask; m_slots[j]; j = (j + 1) & mask) {
        const std::size_t home = hashOf(m_slots[j] - 1) & mask;
        const bool movable = hole <= j ? (home <= hole || home > j) : (home <= hole && home > j);
        if (movable) {
            m_slots[hole] = m_slots[j];
            hole = j;
        }
    }
    m_slots[hole] = 0;
    --m_used;
}

} // namespace detail

// A sorted list of strings with one owned object per string.
//
// Strings compare with letter case significant (UTF-16 code-unit order) and
// are unique: adding a string that is present returns the index of the
// present one and adds nothing. Entries are addressed by their position in
// sort order, 0-based. Deleting an entry or clearing the list frees the
// objects.
//
// Each entry (string and object) is stored in place in a pool that never
// moves it; the sort order is kept as chunks of entry numbers with running
// totals of the chunk sizes. Adding, finding and deleting by string and
// reaching an entry by position take logarithmic time (plus a short move
// inside one chunk), and a string that sorts after every present one is
// appended without a search, so lists read from files written in key order
// build in linear time. Lookups of an object by its string go through a hash
// table, made on the first such lookup of a list of some size.
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
    int IndexOf(QStringView s) const;
    // True when `s` is present; `index` receives its position, or the
    // position it would take when absent.
    bool Find(QStringView s, int &index) const;
    // The object stored with `s`; null when `s` is absent or holds none.
    T *ObjectOf(QStringView s) const;

    // Inserts `s` with `object` at its sorted position and returns the
    // position. When `s` is present nothing is added, `object` is freed and
    // the present position is returned.
    int AddObject(const QString &s, std::unique_ptr<T> object);
    int Add(const QString &s) { return AddObject(s, nullptr); }

    // The object held with `s`, after one search: when `s` is absent it is
    // added with the object make() returns (`key`, when given, is `s` as a
    // QString to share). When `s` is present without an object, make()
    // gives it one. `inserted` tells whether `s` was added and `index`
    // receives its position.
    template <typename Make>
    T &FindOrAdd(QStringView s, Make make, bool *inserted = nullptr, int *index = nullptr,
                 const QString *key = nullptr);

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

    // Entries per chunk of the sort order: a chunk is split in two once it
    // holds more, and bulk builds fill chunks to half of it.
    static constexpr std::size_t MaxChunk = 256;

private:
    struct Entry
    {
        QString key;
        std::optional<T> object;
        size_t hash = 0;
    };
    // An entry of the sort order: the entry's number and a view of its
    // string, so that a search reads the strings without visiting the pool.
    struct Ref
    {
        const QChar *data;
        quint32 size;
        quint32 id;
        QStringView Key() const { return QStringView(data, qsizetype(size)); }
    };
    using Chunk = std::vector<Ref>;

    struct Slot
    {
        int chunk = 0;
        int offset = 0;
        bool found = false;
    };

    // Lists shorter than this find strings by binary search alone.
    static constexpr int HashFrom = 32;
    static constexpr std::size_t BulkChunk = MaxChunk / 2;
    // The pool's first block holds 16 entries, block b > 0 holds 2^(b+3),
    // so the pool doubles without moving an entry.
    static constexpr int FirstBlockBits = 4;

    static std::pair<std::size_t, std::size_t> BlockOf(quint32 id);
    Entry &At(quint32 id) const;
    quint32 NewEntry();
    void FreeEntry(quint32 id);
    const QString &KeyOf(quint32 id) const { return At(id).key; }
    Ref RefOf(quint32 id) const
    {
        const QString &key = KeyOf(id);
        return Ref{key.constData(), quint32(key.size()), id};
    }

    Slot LowerBound(QStringView s) const;
    // LowerBound, with no search for a string that sorts after every
    // present one.
    Slot PlaceOf(QStringView s) const;
    int PositionOf(const Slot &slot) const;
    quint32 IdAt(int index) const;
    // Inserts a new entry for `s` at `slot` and returns its number.
    quint32 InsertAt(const Slot &slot, QStringView s, const QString *key);
    void EnsureHash() const;
    void RebuildCounts();
    void ReleaseAll();
    void BuildFrom(std::vector<std::pair<QString, std::optional<T>>> &&sorted);

    // Pool blocks; entries from m_poolSize on are unused, m_free lists the
    // freed ones below it.
    std::vector<std::unique_ptr<Entry[]>> m_blocks;
    quint32 m_poolSize = 0;
    std::vector<quint32> m_free;

    std::vector<Chunk> m_chunks;
    detail::ChunkCounts m_counts;
    int m_count = 0;
    mutable detail::HashSlots m_hash;
};

template <typename T> std::pair<std::size_t, std::size_t> TNamedObjectList<T>::BlockOf(quint32 id)
{
    if (id < (1u << FirstBlockBits))
        return {0, id};
    const int block = std::bit_width(id) - FirstBlockBits;
    return {std::size_t(block), id - (1u << (block + FirstBlockBits - 1))};
}

template <typename T> typename TNamedObjectList<T>::Entry &TNamedObjectList<T>::At(quint32 id) const
{
    const auto [block, offset] = BlockOf(id);
    return m_blocks[block][offset];
}

template <typename T> quint32 TNamedObjectList<T>::NewEntry()
{
    if (!m_free.empty()) {
        const quint32 id = m_free.back();
        m_free.pop_back();
        return id;
    }
    const quint32 id = m_poolSize++;
    const auto [block, offset] = BlockOf(id);
    if (block == m_blocks.size()) {
        const std::size_t size =
            block == 0 ? (1u << FirstBlockBits) : (std::size_t(1) << (block + FirstBlockBits - 1));
        m_blocks.push_back(std::make_unique<Entry[]>(size));
    }
    return id;
}

template <typename T> void TNamedObjectList<T>::FreeEntry(quint32 id)
{
    Entry &entry = At(id);
    entry.key = QString();
    entry.object.reset();
    m_free.push_back(id);
}

template <typename T> const QString &TNamedObjectList<T>::Strings(int index) const
{
    static const QString empty;
    if (index < 0 || index >= m_count)
        return empty;
    return KeyOf(IdAt(index));
}

template <typename T> T *TNamedObjectList<T>::Objects(int index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    std::optional<T> &object = At(IdAt(index)).object;
    return object ? &*object : nullptr;
}

template <typename T> int TNamedObjectList<T>::IndexOf(QStringView s) const
{
    int index = -1;
    return Find(s, index) ? index : -1;
}

template <typename T> bool TNamedObjectList<T>::Find(QStringView s, int &index) const
{
    const Slot slot = LowerBound(s);
    index = PositionOf(slot);
    return slot.found;
}

template <typename T> T *TNamedObjectList<T>::ObjectOf(QStringView s) const
{
    if (m_count < HashFrom) {
        const Slot slot = LowerBound(s);
        if (!slot.found)
            return nullptr;
        std::optional<T> &object = At(m_chunks[slot.chunk][slot.offset].id).object;
        return object ? &*object : nullptr;
    }
    EnsureHash();
    const size_t hash = detail::HashSlots::Hash(s);
    const qint64 id = m_hash.Find(hash, [this, hash, s](quint32 candidate) {
        const Entry &entry = At(candidate);
        return entry.hash == hash && entry.key == s;
    });
    if (id < 0)
        return nullptr;
    std::optional<T> &object = At(quint32(id)).object;
    return object ? &*object : nullptr;
}

template <typename T>
int TNamedObjectList<T>::AddObject(const QString &s, std::unique_ptr<T> object)
{
    const Slot slot = PlaceOf(s);
    const int position = PositionOf(slot);
    if (slot.found)
        return position;
    const quint32 id = InsertAt(slot, s, &s);
    if (object)
        At(id).object.emplace(std::move(*object));
    return position;
}

template <typename T>
template <typename Make>
T &TNamedObjectList<T>::FindOrAdd(QStringView s, Make make, bool *inserted, int *index,
                                  const QString *key)
{
    const Slot slot = PlaceOf(s);
    if (slot.found) {
        if (inserted)
            *inserted = false;
        if (index)
            *index = PositionOf(slot);
        std::optional<T> &object = At(m_chunks[slot.chunk][slot.offset].id).object;
        if (!object)
            object.emplace(make());
        return *object;
    }
    const int position = PositionOf(slot);
    const quint32 id = InsertAt(slot, s, key);
    if (inserted)
        *inserted = true;
    if (index)
        *index = position;
    return At(id).object.emplace(make());
}

template <typename T> void TNamedObjectList<T>::Delete(int index)
{
    if (index < 0 || index >= m_count)
        return;
    const auto [chunkIndex, offset] = m_counts.Locate(index);
    Chunk &chunk = m_chunks[chunkIndex];
    const quint32 id = chunk[offset].id;
    chunk.erase(chunk.begin() + offset);
    --m_count;
    if (m_hash.IsBuilt())
        m_hash.Remove(id, At(id).hash, [this](quint32 other) { return At(other).hash; });
    FreeEntry(id);
    if (chunk.empty()) {
        m_chunks.erase(m_chunks.begin() + chunkIndex);
        RebuildCounts();
    } else {
        m_counts.Adjust(chunkIndex, -1);
    }
}

template <typename T> void TNamedObjectList<T>::ReleaseAll()
{
    m_blocks.clear();
    m_poolSize = 0;
    m_free.clear();
    m_free.shrink_to_fit();
    m_chunks.clear();
    m_count = 0;
    m_hash.Reset();
}

template <typename T> void TNamedObjectList<T>::Clear()
{
    ReleaseAll();
    RebuildCounts();
}

template <typename T> void TNamedObjectList<T>::ReplaceObject(int index, std::unique_ptr<T> object)
{
    if (index < 0 || index >= m_count)
        return;
    std::optional<T> &held = At(IdAt(index)).object;
    if (object)
        held.emplace(std::move(*object));
    else
        held.reset();
}

template <typename T> template <typename Fn> void TNamedObjectList<T>::ForEach(Fn fn) const
{
    for (const Chunk &chunk : m_chunks) {
        for (const Ref &ref : chunk) {
            Entry &entry = At(ref.id);
            fn(std::as_const(entry.key), entry.object ? &*entry.object : nullptr);
        }
    }
}

template <typename T>
template <typename Clone>
void TNamedObjectList<T>::AssignFrom(const TNamedObjectList &source, Clone clone)
{
    if (&source == this)
        return;
    std::vector<std::pair<QString, std::optional<T>>> copies;
    copies.reserve(static_cast<std::size_t>(source.m_count));
    source.ForEach([&](const QString &key, const T *object) {
        std::optional<T> copy;
        if (object)
            copy.emplace(std::move(*clone(*object)));
        copies.emplace_back(key, std::move(copy));
    });
    BuildFrom(std::move(copies));
}

template <typename T> template <typename Rename> bool TNamedObjectList<T>::RenameAll(Rename rename)
{
    struct Renamed
    {
        QString key;
        std::optional<T> object;
        bool changed = false;
    };
    std::vector<Renamed> all;
    all.reserve(static_cast<std::size_t>(m_count));
    bool anyChanged = false;
    for (const Chunk &chunk : m_chunks) {
        for (const Ref &ref : chunk) {
            QString key = At(ref.id).key;
            const bool changed = rename(key);
            anyChanged = anyChanged || changed;
            all.push_back(Renamed{std::move(key), std::nullopt, changed});
        }
    }
    if (!anyChanged)
        return false;

    std::size_t position = 0;
    for (const Chunk &chunk : m_chunks) {
        for (const Ref &ref : chunk)
            all[position++].object = std::move(At(ref.id).object);
    }
    // Equal strings: the changed entry sorts first and is the one kept.
    std::stable_sort(all.begin(), all.end(), [](const Renamed &a, const Renamed &b) {
        if (const int order = QString::compare(a.key, b.key, Qt::CaseSensitive))
            return order < 0;
        return a.changed && !b.changed;
    });
    std::vector<std::pair<QString, std::optional<T>>> sorted;
    sorted.reserve(all.size());
    for (Renamed &item : all) {
        if (!sorted.empty() && sorted.back().first == item.key)
            continue;
        sorted.emplace_back(std::move(item.key), std::move(item.object));
    }
    BuildFrom(std::move(sorted));
    return true;
}

template <typename T>
typename TNamedObjectList<T>::Slot TNamedObjectList<T>::LowerBound(QStringView s) const
{
    if (m_chunks.empty())
        return {};
    // The first chunk whose last string is not below s holds s or the place
    // where it belongs; past every chunk, s belongs at the very end.
    const auto chunk = std::partition_point(m_chunks.begin(), m_chunks.end(),
                                            [s](const Chunk &c) { return c.back().Key() < s; });
    if (chunk == m_chunks.end()) {
        const auto last = static_cast<int>(m_chunks.size()) - 1;
        return {last, static_cast<int>(m_chunks.back().size()), false};
    }
    const auto entry = std::partition_point(chunk->begin(), chunk->end(),
                                            [s](const Ref &ref) { return ref.Key() < s; });
    return {static_cast<int>(chunk - m_chunks.begin()), static_cast<int>(entry - chunk->begin()),
            entry->Key() == s};
}

template <typename T>
typename TNamedObjectList<T>::Slot TNamedObjectList<T>::PlaceOf(QStringView s) const
{
    if (!m_chunks.empty() && m_chunks.back().back().Key() < s)
        return {int(m_chunks.size()) - 1, int(m_chunks.back().size()), false};
    return LowerBound(s);
}

template <typename T> int TNamedObjectList<T>::PositionOf(const Slot &slot) const
{
    if (m_chunks.empty())
        return 0;
    if (slot.chunk == int(m_chunks.size()) - 1)
        return m_count - int(m_chunks.back().size()) + slot.offset;
    return m_counts.Before(slot.chunk) + slot.offset;
}

template <typename T> quint32 TNamedObjectList<T>::IdAt(int index) const
{
    const auto [chunk, offset] = m_counts.Locate(index);
    return m_chunks[chunk][offset].id;
}

template <typename T>
quint32 TNamedObjectList<T>::InsertAt(const Slot &slot, QStringView s, const QString *key)
{
    const quint32 id = NewEntry();
    Entry &entry = At(id);
    entry.key = key ? *key : s.toString();
    if (m_hash.IsBuilt()) {
        entry.hash = detail::HashSlots::Hash(s);
        m_hash.Insert(id, entry.hash, [this](quint32 other) { return At(other).hash; });
    }
    ++m_count;
    const Ref ref = RefOf(id);
    if (m_chunks.empty()) {
        m_chunks.emplace_back().push_back(ref);
        RebuildCounts();
        return id;
    }
    Chunk &chunk = m_chunks[slot.chunk];
    if (slot.chunk == int(m_chunks.size()) - 1 && std::size_t(slot.offset) == chunk.size() &&
        chunk.size() >= MaxChunk) {
        // Appending to a full last chunk starts a new one.
        Chunk &next = m_chunks.emplace_back();
        next.reserve(MaxChunk);
        next.push_back(ref);
        RebuildCounts();
        return id;
    }
    chunk.insert(chunk.begin() + slot.offset, ref);
    if (chunk.size() > MaxChunk) {
        Chunk upper(chunk.begin() + static_cast<std::ptrdiff_t>(chunk.size() / 2), chunk.end());
        chunk.resize(chunk.size() / 2);
        m_chunks.insert(m_chunks.begin() + slot.chunk + 1, std::move(upper));
        RebuildCounts();
    } else {
        m_counts.Adjust(slot.chunk, 1);
    }
    return id;
}

template <typename T> void TNamedObjectList<T>::EnsureHash() const
{
    if (m_hash.IsBuilt() || m_count == 0)
        return;
    auto hashOf = [this](quint32 id) { return At(id).hash; };
    m_hash.Reserve(m_count, hashOf);
    for (const Chunk &chunk : m_chunks) {
        for (const Ref &ref : chunk) {
            Entry &entry = At(ref.id);
            entry.hash = detail::HashSlots::Hash(entry.key);
            m_hash.Insert(ref.id, entry.hash, hashOf);
        }
    }
}

template <typename T> void TNamedObjectList<T>::RebuildCounts()
{
    std::vector<int> sizes;
    sizes.reserve(m_chunks.size());
    for (const Chunk &chunk : m_chunks)
        sizes.push_back(static_cast<int>(chunk.size()));
    m_counts.Rebuild(sizes);
}

template <typename T>
void TNamedObjectList<T>::BuildFrom(std::vector<std::pair<QString, std::optional<T>>> &&sorted)
{
    ReleaseAll();
    for (std::size_t first = 0; first < sorted.size(); first += BulkChunk) {
        const std::size_t last = std::min(sorted.size(), first + BulkChunk);
        Chunk &chunk = m_chunks.emplace_back();
        chunk.reserve(BulkChunk);
        for (std::size_t i = first; i < last; ++i) {
            const quint32 id = NewEntry();
            Entry &entry = At(id);
            entry.key = std::move(sorted[i].first);
            entry.object = std::move(sorted[i].second);
            chunk.push_back(RefOf(id));
        }
    }
    m_count = static_cast<int>(sorted.size());
    RebuildCounts();
}

} // namespace wordmill
