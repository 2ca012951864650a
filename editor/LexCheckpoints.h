#pragma once

#include "editor/HtmlLexer.h"

#include <cstddef>
#include <vector>

// Lexer states kept at offsets of a text, in offset order, with a point at offset 0 always.
// A gap buffer: the points before the gap hold their offsets, the points after it their
// distance from the end of the text, so an edit at the gap moves nothing, and typing in
// one place of a 50 MB page costs the same as in a small one.
class CLexCheckpoints {
public:
    struct Point {
        std::size_t offset = 0;
        HtmlLexer::State state;
    };

    CLexCheckpoints() { Reset(0); }
    // Only the start of a text of size bytes.
    void Reset(std::size_t size);
    std::size_t TextSize() const { return m_size; }

    std::size_t Count() const { return m_front.size() + m_back.size(); }
    Point At(std::size_t index) const;
    // The index of the last point at or before offset.
    std::size_t Floor(std::size_t offset) const;
    Point Last() const { return At(Count() - 1); }
    // Adds a point where no point stands.
    void Insert(const Point& point);
    // Keeps the points up to index.
    void TruncateAfter(std::size_t index);

    // The text's [start, oldEnd) became [start, newEnd): the points in (start, oldEnd] are
    // dropped, the later ones move with the text, and the gap stands after start.
    void Edit(std::size_t start, std::size_t oldEnd, std::size_t newEnd);
    // The points at or before offset, for a text now of size bytes.
    CLexCheckpoints Before(std::size_t offset, std::size_t size) const;
    // The points after the gap, nearest first: re-lexing after an edit compares its states
    // with them and stops where they agree.
    bool HasAfterGap() const { return !m_back.empty(); }
    Point FirstAfterGap() const;
    void DropFirstAfterGap() { m_back.pop_back(); }
    void DropAfterGap() { m_back.clear(); }
    // Adds a point at the gap (after every point before it, before every point after it).
    void InsertAtGap(const Point& point) { m_front.push_back(point); }

private:
    struct Far {
        std::size_t fromEnd;
        HtmlLexer::State state;
    };
    void MoveGap(std::size_t offset); // points at or before offset go in front of the gap

    std::vector<Point> m_front;
    std::vector<Far> m_back; // nearest to the gap last
    std::size_t m_size = 0;
};
