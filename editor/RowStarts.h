#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The increasing row start offsets of one logical line, relative to the line start. They
// are kept in blocks with a base offset each, so that an edit in a line of a hundred
// thousand rows rewrites one or two blocks and moves the rest by changing their bases.
class CRowStarts {
public:
    CRowStarts() = default;
    static CRowStarts From(const std::vector<std::size_t>& values);

    std::size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    std::size_t At(std::size_t index) const;
    std::size_t Last() const;
    // Index of the first value greater than value (Size() when there is none).
    std::size_t UpperBound(std::size_t value) const;

    // value must be greater than Last().
    void Push(std::size_t value);
    // Keeps the first count values.
    void Truncate(std::size_t count);
    // Removes the values from index on and returns them.
    CRowStarts SplitOff(std::size_t index);
    // Adds delta to every value.
    void Shift(std::ptrdiff_t delta);
    // other's values, all greater than Last(), go to the end.
    void Append(CRowStarts&& other);

private:
    struct Block {
        std::size_t base = 0;
        std::vector<std::uint32_t> values; // relative to base, the first is 0
    };
    static constexpr std::size_t kBlock = 1024;

    std::size_t BlockOf(std::size_t index, std::size_t& inBlock) const;
    void Reindex();

    std::vector<Block> m_blocks;
    std::vector<std::size_t> m_first; // index of each block's first value
    std::size_t m_size = 0;
};
