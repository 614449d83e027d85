#include "NamedObjectList.h"

#include <QHashFunctions>

namespace wordmill::detail {

void ChunkCounts::Rebuild(const std::vector<int> &sizes)
{
    const auto n = static_cast<int>(sizes.size());
    m_tree.assign(static_cast<std::size_t>(n) + 1, 0);
    for (int i = 1; i <= n; ++i) {
        m_tree[i] += sizes[i - 1];
        const int parent = i + (i & -i);
        if (parent <= n)
            m_tree[parent] += m_tree[i];
    }
    m_topBit = 0;
    if (n > 0) {
        m_topBit = 1;
        while (m_topBit <= n / 2)
            m_topBit *= 2;
    }
}

void ChunkCounts::Adjust(int chunk, int delta)
{
    const auto size = static_cast<int>(m_tree.size());
    for (int i = chunk + 1; i < size; i += i & -i)
        m_tree[i] += delta;
}

int ChunkCounts::Before(int chunk) const
{
    int sum = 0;
    for (int i = chunk; i > 0; i -= i & -i)
        sum += m_tree[i];
    return sum;
}

std::pair<int, int> ChunkCounts::Locate(int index) const
{
    // Descend the tree: `position` ends as the number of whole chunks whose
    // entries all come before `index`, which is the 0-based chunk holding it.
    const auto size = static_cast<int>(m_tree.size());
    int position = 0;
    int remaining = index;
    for (int step = m_topBit; step > 0; step /= 2) {
        const int next = position + step;
        if (next < size && m_tree[next] <= remaining) {
            position = next;
            remaining -= m_tree[next];
        }
    }
    return {position, remaining};
}

size_t HashSlots::Hash(QStringView s)
{
    // Seeded per process: a crafted language file cannot line its texts up
    // on one chain of slots.
    return qHash(s, QHashSeed::globalSeed());
}

void HashSlots::Reset()
{
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_used = 0;
}

} // namespace wordmill::detail
