#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// An immutable view of a whole text, cheap to copy: snapshots share their storage with
// the buffer they came from, so keeping many of them costs memory in proportion to
// what changed between them, not to the text size.
class CTextSnapshot {
public:
    CTextSnapshot();
    explicit CTextSnapshot(std::string_view bytes);

    std::size_t Size() const;
    bool Empty() const { return Size() == 0; }
    char At(std::size_t offset) const;
    std::string Range(std::size_t start, std::size_t end) const;
    std::string ToString() const;

    // Calls fn(std::string_view piece) for consecutive pieces covering [start, end).
    template <class Fn> void ForEachPiece(std::size_t start, std::size_t end, Fn&& fn) const;

    bool operator==(const CTextSnapshot& other) const; // same bytes
};
