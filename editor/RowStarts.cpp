#include "editor/RowStarts.h"

#include <algorithm>
#include <iterator>

CRowStarts CRowStarts::From(const std::vector<std::size_t>& values) {
    CRowStarts out;
    for (std::size_t v : values)
        out.Push(v);
    return out;
}

void CRowStarts::Reindex() {
    m_first.resize(m_blocks.size());
    std::size_t n = 0;
    for (std::size_t b = 0; b < m_blocks.size(); ++b) {
        m_first[b] = n;
        n += m_blocks[b].values.size();
    }
    m_size = n;
}

std::size_t CRowStarts::BlockOf(std::size_t index, std::size_t& inBlock) const {
    const auto b =
        static_cast<std::size_t>(std::upper_bound(m_first.begin(), m_first.end(), index) - m_first.begin()) -
        1;
    inBlock = index - m_first[b];
    return b;
}

std::size_t CRowStarts::At(std::size_t index) const {
    std::size_t k;
    const Block& block = m_blocks[BlockOf(index, k)];
    return block.base + block.values[k];
}

std::size_t CRowStarts::Last() const {
    const Block& block = m_blocks.back();
    return block.base + block.values.back();
}

std::size_t CRowStarts::UpperBound(std::size_t value) const {
    // The last block that starts at or before value holds the answer's predecessor.
    const auto after = std::partition_point(m_blocks.begin(), m_blocks.end(),
                                            [value](const Block& b) { return b.base <= value; });
    if (after == m_blocks.begin())
        return 0;
    const auto b = static_cast<std::size_t>(after - m_blocks.begin()) - 1;
    const Block& block = m_blocks[b];
    const std::size_t rel = value - block.base;
    const auto k = std::upper_bound(block.values.begin(), block.values.end(), rel) - block.values.begin();
    return m_first[b] + static_cast<std::size_t>(k);
}

void CRowStarts::Push(std::size_t value) {
    if (m_blocks.empty() || m_blocks.back().values.size() >= kBlock) {
        m_blocks.push_back(Block{value, {0}});
        m_first.push_back(m_size);
    } else {
        m_blocks.back().values.push_back(static_cast<std::uint32_t>(value - m_blocks.back().base));
    }
    ++m_size;
}

void CRowStarts::Truncate(std::size_t count) {
    if (count >= m_size)
        return;
    std::size_t k;
    const std::size_t b = BlockOf(count, k);
    m_blocks[b].values.resize(k);
    m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(k == 0 ? b : b + 1), m_blocks.end());
    Reindex();
}

CRowStarts CRowStarts::SplitOff(std::size_t index) {
    CRowStarts out;
    if (index >= m_size)
        return out;
    std::size_t k;
    const std::size_t b = BlockOf(index, k);
    Block& first = m_blocks[b];
    Block head{first.base + first.values[k], {}};
    head.values.reserve(first.values.size() - k);
    for (std::size_t i = k; i < first.values.size(); ++i)
        head.values.push_back(first.values[i] - first.values[k]);
    out.m_blocks.push_back(std::move(head));
    out.m_blocks.insert(out.m_blocks.end(),
                        std::make_move_iterator(m_blocks.begin() + static_cast<std::ptrdiff_t>(b + 1)),
                        std::make_move_iterator(m_blocks.end()));
    out.Reindex();
    Truncate(index);
    return out;
}

void CRowStarts::Shift(std::ptrdiff_t delta) {
    for (Block& block : m_blocks)
        block.base = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(block.base) + delta);
}

void CRowStarts::Append(CRowStarts&& other) {
    if (other.m_blocks.empty())
        return;
    auto from = other.m_blocks.begin();
    // Two small blocks meeting here become one, so that repeated edits do not fragment.
    if (!m_blocks.empty() && m_blocks.back().values.size() + from->values.size() <= kBlock) {
        Block& last = m_blocks.back();
        const auto offset = static_cast<std::uint32_t>(from->base - last.base);
        for (std::uint32_t v : from->values)
            last.values.push_back(v + offset);
        ++from;
    }
    m_blocks.insert(m_blocks.end(), std::make_move_iterator(from),
                    std::make_move_iterator(other.m_blocks.end()));
    other = CRowStarts();
    Reindex();
}
