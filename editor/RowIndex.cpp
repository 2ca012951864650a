#include "editor/RowIndex.h"

#include <algorithm>
#include <cassert>

void CRowIndex::Block::Count() {
    rows = 0;
    estimated = 0;
    for (const Entry& e : entries) {
        rows += e.rows;
        estimated += e.Estimated() ? 1 : 0;
    }
}

void CRowIndex::Assign(std::span<const Entry> entries) {
    m_blocks = Chop(entries);
    Rebuild();
}

void CRowIndex::Clear() {
    m_blocks.clear();
    Rebuild();
}

void CRowIndex::Append(const Entry& entry) {
    if (m_blocks.empty() || m_blocks.back().entries.size() == kBlock) {
        m_blocks.emplace_back();
        m_blocks.back().entries.reserve(kBlock);
    }
    Block& b = m_blocks.back();
    b.entries.push_back(entry);
    b.rows += entry.rows;
    b.estimated += entry.Estimated() ? 1 : 0;
}

std::vector<CRowIndex::Block> CRowIndex::Chop(std::span<const Entry> entries) {
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < entries.size(); i += kBlock) {
        Block b;
        const std::size_t end = std::min(entries.size(), i + kBlock);
        b.entries.assign(entries.begin() + static_cast<std::ptrdiff_t>(i),
                         entries.begin() + static_cast<std::ptrdiff_t>(end));
        b.Count();
        blocks.push_back(std::move(b));
    }
    return blocks;
}

// Sums over the blocks' stored totals, so it costs one step per block, not per line.
void CRowIndex::Rebuild() {
    const std::size_t n = m_blocks.size();
    m_rowTree.assign(n + 1, 0);
    m_lineTree.assign(n + 1, 0);
    m_lineCount = 0;
    m_rowCount = 0;
    m_estimated = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Block& b = m_blocks[i];
        m_estimated += b.estimated;
        m_rowTree[i + 1] += b.rows;
        m_lineTree[i + 1] += static_cast<std::int64_t>(b.entries.size());
        m_lineCount += b.entries.size();
        m_rowCount += b.rows;
    }
    // Linear-time Fenwick construction: push each partial sum to its parent.
    for (std::size_t i = 1; i <= n; ++i) {
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= n) {
            m_rowTree[parent] += m_rowTree[i];
            m_lineTree[parent] += m_lineTree[i];
        }
    }
}

void CRowIndex::FenwickAdd(std::vector<std::int64_t>& tree, std::size_t block, std::int64_t delta) {
    for (std::size_t i = block + 1; i < tree.size(); i += i & (~i + 1))
        tree[i] += delta;
}

std::int64_t CRowIndex::FenwickPrefix(const std::vector<std::int64_t>& tree, std::size_t blocks) {
    std::int64_t sum = 0;
    for (std::size_t i = blocks; i > 0; i -= i & (~i + 1))
        sum += tree[i];
    return sum;
}

// Fenwick descent: the block holding the given entry number, and its index inside it.
std::size_t CRowIndex::BlockOf(std::size_t line, std::size_t& index) const {
    std::size_t pos = 0;
    std::int64_t rest = static_cast<std::int64_t>(line);
    std::size_t step = 1;
    while (step * 2 < m_lineTree.size())
        step *= 2;
    for (; step > 0; step /= 2) {
        if (pos + step < m_lineTree.size() && m_lineTree[pos + step] <= rest) {
            pos += step;
            rest -= m_lineTree[pos];
        }
    }
    index = static_cast<std::size_t>(rest);
    return pos;
}

const CRowIndex::Entry& CRowIndex::Get(std::size_t line) const {
    assert(line < m_lineCount);
    std::size_t index;
    const std::size_t block = BlockOf(line, index);
    return m_blocks[block].entries[index];
}

std::int64_t CRowIndex::RowsBefore(std::size_t line) const {
    if (line >= m_lineCount)
        return m_rowCount;
    std::size_t index;
    const std::size_t block = BlockOf(line, index);
    std::int64_t sum = FenwickPrefix(m_rowTree, block);
    const auto& entries = m_blocks[block].entries;
    for (std::size_t i = 0; i < index; ++i)
        sum += entries[i].rows;
    return sum;
}

std::size_t CRowIndex::LineOfRow(std::int64_t row, std::int64_t& rowInLine) const {
    row = std::clamp<std::int64_t>(row, 0, std::max<std::int64_t>(m_rowCount - 1, 0));
    std::size_t pos = 0;
    std::int64_t rest = row;
    std::size_t lines = 0;
    std::size_t step = 1;
    while (step * 2 < m_rowTree.size())
        step *= 2;
    for (; step > 0; step /= 2) {
        if (pos + step < m_rowTree.size() && m_rowTree[pos + step] <= rest) {
            pos += step;
            rest -= m_rowTree[pos];
            lines += static_cast<std::size_t>(m_lineTree[pos]);
        }
    }
    if (pos >= m_blocks.size()) {
        rowInLine = 0;
        return m_lineCount ? m_lineCount - 1 : 0;
    }
    const auto& entries = m_blocks[pos].entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (rest < entries[i].rows) {
            rowInLine = rest;
            return lines + i;
        }
        rest -= entries[i].rows;
    }
    rowInLine = 0;
    return lines + entries.size() - 1;
}

void CRowIndex::Splice(std::size_t line, std::size_t removeCount, std::span<const Entry> inserted) {
    line = std::min(line, m_lineCount);
    removeCount = std::min(removeCount, m_lineCount - line);
    if (m_blocks.empty()) {
        Assign(std::vector<Entry>(inserted.begin(), inserted.end()));
        return;
    }
    std::size_t index;
    std::size_t block = line == m_lineCount ? m_blocks.size() - 1 : BlockOf(line, index);
    if (line == m_lineCount)
        index = m_blocks[block].entries.size();
    const std::size_t blockCount = m_blocks.size();

    // The removed range may run over several blocks: the whole blocks inside it are dropped,
    // and the rest of the last one joins the first.
    Block& first = m_blocks[block];
    std::size_t removeEnd = index + removeCount;
    std::size_t next = block + 1;
    if (removeEnd > first.entries.size()) {
        std::size_t lastIndex;
        const std::size_t end = line + removeCount;
        const std::size_t last = end == m_lineCount ? m_blocks.size() - 1 : BlockOf(end, lastIndex);
        if (end == m_lineCount)
            lastIndex = m_blocks[last].entries.size();
        first.entries.resize(index);
        auto& rest = m_blocks[last].entries;
        first.entries.insert(first.entries.end(), rest.begin() + static_cast<std::ptrdiff_t>(lastIndex),
                             rest.end());
        removeEnd = index;
        next = last + 1;
    }
    m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(block + 1),
                   m_blocks.begin() + static_cast<std::ptrdiff_t>(next));
    Block& target = m_blocks[block];
    target.entries.erase(target.entries.begin() + static_cast<std::ptrdiff_t>(index),
                         target.entries.begin() + static_cast<std::ptrdiff_t>(removeEnd));
    target.entries.insert(target.entries.begin() + static_cast<std::ptrdiff_t>(index), inserted.begin(),
                          inserted.end());

    const bool structureChanged = next != block + 1 || target.entries.size() > 2 * kBlock ||
                                  target.entries.empty() || m_blocks.size() != blockCount;
    if (!structureChanged) {
        const std::int64_t oldRows = target.rows;
        m_estimated -= target.estimated;
        target.Count();
        m_estimated += target.estimated;
        const std::int64_t lineDelta =
            static_cast<std::int64_t>(inserted.size()) - static_cast<std::int64_t>(removeCount);
        FenwickAdd(m_rowTree, block, target.rows - oldRows);
        FenwickAdd(m_lineTree, block, lineDelta);
        m_rowCount += target.rows - oldRows;
        m_lineCount = static_cast<std::size_t>(static_cast<std::int64_t>(m_lineCount) + lineDelta);
        return;
    }
    if (target.entries.size() > 2 * kBlock) {
        std::vector<Entry> all = std::move(target.entries);
        std::vector<Block> pieces = Chop(all);
        m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(block));
        m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(block),
                        std::make_move_iterator(pieces.begin()), std::make_move_iterator(pieces.end()));
    } else if (target.entries.empty()) {
        m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(block));
    } else {
        target.Count();
    }
    Rebuild();
}

std::size_t CRowIndex::NextEstimated(std::size_t line) const {
    if (m_estimated == 0 || line >= m_lineCount)
        return m_lineCount;
    std::size_t index;
    std::size_t block = BlockOf(line, index);
    std::size_t blockFirst = line - index;
    for (; block < m_blocks.size(); ++block) {
        const Block& b = m_blocks[block];
        if (b.estimated > 0) {
            for (std::size_t i = index; i < b.entries.size(); ++i) {
                if (b.entries[i].Estimated())
                    return blockFirst + i;
            }
        }
        blockFirst += b.entries.size();
        index = 0;
    }
    return m_lineCount;
}

std::vector<CRowIndex::Entry> CRowIndex::Entries(std::size_t line, std::size_t end) const {
    std::vector<Entry> out;
    end = std::min(end, m_lineCount);
    if (line >= end)
        return out;
    out.reserve(end - line);
    std::size_t index;
    for (std::size_t block = BlockOf(line, index); out.size() < end - line; ++block, index = 0) {
        const auto& entries = m_blocks[block].entries;
        const std::size_t take = std::min(entries.size() - index, end - line - out.size());
        out.insert(out.end(), entries.begin() + static_cast<std::ptrdiff_t>(index),
                   entries.begin() + static_cast<std::ptrdiff_t>(index + take));
    }
    return out;
}

std::size_t CRowIndex::SplitAt(std::size_t line) {
    if (line >= m_lineCount)
        return m_blocks.size();
    std::size_t index;
    const std::size_t block = BlockOf(line, index);
    if (index == 0)
        return block;
    Block tail;
    auto& entries = m_blocks[block].entries;
    tail.entries.assign(entries.begin() + static_cast<std::ptrdiff_t>(index), entries.end());
    entries.resize(index);
    m_blocks[block].Count();
    tail.Count();
    m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(block + 1), std::move(tail));
    Rebuild();
    return block + 1;
}

CRowIndex::Lines CRowIndex::Take(std::size_t line, std::size_t end) {
    Lines taken;
    end = std::min(end, m_lineCount);
    if (line >= end)
        return taken;
    const std::size_t first = SplitAt(line);
    const std::size_t last = SplitAt(end);
    taken.m_blocks.assign(std::make_move_iterator(m_blocks.begin() + static_cast<std::ptrdiff_t>(first)),
                          std::make_move_iterator(m_blocks.begin() + static_cast<std::ptrdiff_t>(last)));
    m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(first),
                   m_blocks.begin() + static_cast<std::ptrdiff_t>(last));
    Rebuild();
    return taken;
}

void CRowIndex::Put(std::size_t line, Lines&& lines) {
    const std::size_t at = SplitAt(std::min(line, m_lineCount));
    m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(lines.m_blocks.begin()),
                    std::make_move_iterator(lines.m_blocks.end()));
    lines.m_blocks.clear();
    Rebuild();
}

std::size_t CRowIndex::Lines::LineCount() const {
    std::size_t count = 0;
    for (const Block& b : m_blocks)
        count += b.entries.size();
    return count;
}
