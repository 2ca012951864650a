#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The number of display rows of every logical line, with prefix sums, so that display
// row <-> logical line lookups cost a logarithmic search plus a short scan. Lines are
// kept in blocks of a few hundred; an edit splices the block it touches.
class CRowIndex {
public:
    struct Entry {
        std::int32_t rows = 1;
        // Index of the row starts kept for a long line, or -1 (short lines are wrapped anew
        // when asked), or kEstimated: the line is not wrapped yet and rows is a guess.
        std::int32_t slot = -1;
        bool Estimated() const { return slot == kEstimated; }
    };
    static constexpr std::int32_t kEstimated = -2;

    void Assign(std::span<const Entry> entries);
    // Assigning line by line, without a list of all the entries first: Clear, Append for
    // every line, then EndAppending.
    void Clear();
    void Append(const Entry& entry);
    void EndAppending() { Rebuild(); }
    std::size_t LineCount() const { return m_lineCount; }
    std::int64_t RowCount() const { return m_rowCount; }
    // Lines whose row count is only estimated.
    std::size_t EstimatedLines() const { return m_estimated; }
    // The first estimated line at or after line, or LineCount() when there is none.
    std::size_t NextEstimated(std::size_t line) const;
    // The entries of lines [line, end).
    std::vector<Entry> Entries(std::size_t line, std::size_t end) const;

    const Entry& Get(std::size_t line) const;
    // Rows of all lines before line.
    std::int64_t RowsBefore(std::size_t line) const;
    // The line holding display row row (0 <= row < RowCount()), and the row's number within it.
    std::size_t LineOfRow(std::int64_t row, std::int64_t& rowInLine) const;

    // Replaces removeCount entries from line on by inserted.
    void Splice(std::size_t line, std::size_t removeCount, std::span<const Entry> inserted);

private:
    struct Block {
        std::vector<Entry> entries;
        std::int64_t rows = 0;
        std::size_t estimated = 0;
        void Count();
    };

public:
    // Lines taken out of an index whole, to be put back later (undo of a large edit). Their
    // blocks move out and back; only the entries of the two blocks cut in half are copied.
    class Lines {
    public:
        std::size_t LineCount() const;
        // Calls change(entry) on every entry, which it may alter.
        template <class F> void Change(F change) {
            for (Block& b : m_blocks) {
                for (Entry& e : b.entries)
                    change(e);
                b.Count();
            }
        }

    private:
        friend class CRowIndex;
        std::vector<Block> m_blocks;
    };
    // Removes lines [line, end) and hands them over.
    Lines Take(std::size_t line, std::size_t end);
    // Inserts lines before line.
    void Put(std::size_t line, Lines&& lines);

private:
    static constexpr std::size_t kBlock = 512;

    static std::vector<Block> Chop(std::span<const Entry> entries);
    // Splits the block holding line so that line starts a block; returns that block's
    // number (the block count when line is the end).
    std::size_t SplitAt(std::size_t line);
    std::size_t BlockOf(std::size_t line, std::size_t& index) const;
    void Rebuild();
    void FenwickAdd(std::vector<std::int64_t>& tree, std::size_t block, std::int64_t delta);
    static std::int64_t FenwickPrefix(const std::vector<std::int64_t>& tree, std::size_t blocks);

    std::vector<Block> m_blocks;
    std::vector<std::int64_t> m_rowTree;  // Fenwick tree over the blocks' row sums
    std::vector<std::int64_t> m_lineTree; // ... and over their entry counts
    std::size_t m_lineCount = 0;
    std::int64_t m_rowCount = 0;
    std::size_t m_estimated = 0;
};
