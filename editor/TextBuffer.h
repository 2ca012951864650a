#pragma once

#include "platform/ByteBuffer.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// An immutable view of a whole text, cheap to copy: snapshots share their storage with
// the buffer they came from, so keeping many of them costs memory in proportion to
// what changed between them, not to the text size.
//
// The bytes live in a persistent balanced tree of chunks of about 4 KB; an edit copies
// only the chunks it touches and the path to them. Each node knows how many line breaks
// its bytes hold (CR LF, a lone LF and a lone CR each count one), and no chunk boundary
// ever falls between the CR and the LF of a pair, so the counts simply add up.
class CTextSnapshot {
public:
    CTextSnapshot();
    explicit CTextSnapshot(std::string_view bytes);
    // A snapshot that takes bytes over as its storage, without copying them.
    static CTextSnapshot Adopting(std::string&& bytes);
    static CTextSnapshot Adopting(CByteBuffer&& bytes);

    std::size_t Size() const;
    bool Empty() const { return Size() == 0; }
    char At(std::size_t offset) const;
    std::string Range(std::size_t start, std::size_t end) const;
    std::string ToString() const;

    // Calls fn(std::string_view piece) for consecutive pieces covering [start, end).
    template <class Fn> void ForEachPiece(std::size_t start, std::size_t end, Fn&& fn) const {
        VisitPieces(start, end, std::function<void(std::string_view)>(std::forward<Fn>(fn)));
    }

    bool operator==(const CTextSnapshot& other) const; // same bytes

    // A new snapshot with [start, end) replaced by bytes; this one is unchanged.
    CTextSnapshot Replaced(std::size_t start, std::size_t end, std::string_view bytes) const;
    // The same, keeping a large bytes as the storage of the inserted text instead of copying it.
    CTextSnapshot ReplacedAdopting(std::size_t start, std::size_t end, std::string&& bytes) const;

    // Logical lines, counted from 0; a line ends after its line break.
    std::size_t LineCount() const;
    std::size_t LineStart(std::size_t line) const;
    // The offset where the line's break begins (or the end of the text for the last line).
    std::size_t LineContentEnd(std::size_t line) const;
    // The line holding offset: the number of line breaks that end at or before it. An offset
    // between the CR and the LF of a pair belongs to the line the pair ends.
    std::size_t LineFromOffset(std::size_t offset) const;

    // Calls fn(line, start, content) for the lines first to last in order, content being the
    // line's bytes without its break (a view valid during the call), until fn returns false.
    // One pass at memory speed; only a line running over a chunk boundary is copied.
    void ForEachLine(std::size_t first, std::size_t last,
                     const std::function<bool(std::size_t, std::size_t, std::string_view)>& fn) const;

    // Calls fn(length) with the length of every line's content (without its break), in order,
    // finding the breaks sixteen bytes at a time: the quickest way through a whole text.
    void ForEachLineLength(const std::function<void(std::size_t)>& fn) const;

    // The bytes [start, end) as one piece: a view into a chunk when the range lies inside one,
    // otherwise a copy in scratch.
    std::string_view View(std::size_t start, std::size_t end, std::string& scratch) const;

    // Length of the common beginning and of the common end of two texts (the end never
    // overlapping the beginning). Subtrees the two share are skipped without reading them.
    static std::size_t CommonPrefix(const CTextSnapshot& a, const CTextSnapshot& b);
    static std::size_t CommonSuffix(const CTextSnapshot& a, const CTextSnapshot& b, std::size_t prefix);

    // Heap bytes held by all the given snapshots together, shared storage counted once.
    static std::size_t StorageBytes(std::span<const CTextSnapshot> snapshots);

    struct Node;

private:
    friend class CSnapshotMark;
    explicit CTextSnapshot(std::shared_ptr<const Node> root);
    void VisitPieces(std::size_t start, std::size_t end,
                     const std::function<void(std::string_view)>& fn) const;

    std::shared_ptr<const Node> m_root;
};

// Recognises one snapshot later, as undo brings the very same text back, without keeping
// its text alive. An empty mark recognises none.
class CSnapshotMark {
public:
    CSnapshotMark() = default;
    explicit CSnapshotMark(const CTextSnapshot& text);
    // Whether text is the marked snapshot (any empty text, when the marked one was empty).
    bool Marks(const CTextSnapshot& text) const;

private:
    std::weak_ptr<const CTextSnapshot::Node> m_root;
    bool m_set = false;
    bool m_empty = false;
};
