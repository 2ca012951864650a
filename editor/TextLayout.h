#pragma once

#include "editor/RowIndex.h"
#include "editor/RowStarts.h"
#include "editor/TextBuffer.h"

#include <QFont>
#include <QFontMetricsF>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// Wraps CP932 text into display rows at a pixel width and answers row <-> offset
// questions. It keeps only the row count of every logical line (and the row starts of
// long lines); the rows themselves are wrapped anew when asked, so only what is shown is
// ever decoded. Wrapping rule: a row breaks after its last blank, or between two
// characters of which one is double-byte, or else before the character that overflows;
// blanks never overflow (they hang at the edge).
class CTextLayout {
public:
    enum class ItemKind : std::uint8_t { Glyph, Tab, Box };
    struct Item {
        std::size_t offset = 0;
        std::uint8_t length = 1;
        ItemKind kind = ItemKind::Glyph;
        char16_t ch = 0;
        std::uint16_t code = 0; // the CP932 code (lead << 8 | trail for double-byte)
        qreal x = 0;
        qreal width = 0;
    };
    struct Row {
        std::size_t start = 0;
        std::size_t end = 0;     // where the next row starts, or where the line break begins
        std::size_t lineEnd = 0; // the start of the next logical line (end of text on the last)
        bool lastInLine = true;
    };

    CTextLayout();

    void SetFont(const QFont& font);
    const QFont& Font() const { return m_font; }
    void SetTabStops(int dialogUnits);
    void SetWrapWidth(qreal width);
    qreal WrapWidth() const { return m_width; }

    qreal LineHeight() const { return m_lineHeight; }
    qreal Ascent() const { return m_ascent; }
    qreal AverageCharWidth() const { return m_averageCharWidth; }
    qreal TabWidth() const { return m_tabWidth; }
    const QFont& BoxFont() const { return m_boxFont; }
    // Width of the hex box that stands for a byte (two digits) or an unassigned pair (four).
    qreal BoxWidth(bool pair) const { return pair ? m_box4 : m_box2; }

    const CTextSnapshot& Text() const { return m_text; }
    // Lays out the whole text anew. A large text only gets estimated row counts here; its lines
    // are wrapped when they are shown or asked about, and in idle time (ContinueWrapping).
    void Reset(const CTextSnapshot& text);
    // Texts up to this size, and edits inserting up to this much, are wrapped at once.
    void SetEagerLayoutBytes(std::size_t bytes) { m_eagerLayoutBytes = bytes; }
    // Takes over newText, which differs from the current text only in that [start, oldEnd)
    // became [start, newEnd); only the lines touched are wrapped again.
    void ApplyEdit(const CTextSnapshot& newText, std::size_t start, std::size_t oldEnd, std::size_t newEnd);

    // An edit wraps its own line only this far past its end; when the rows there still
    // differ from before (a typed character reflows the rest of a long Japanese line), the
    // rest of the line keeps its old row starts, shifted, until ContinueWrapping gets to it.
    void SetEagerWrapBytes(std::size_t bytes) { m_eagerWrapBytes = bytes; }
    bool HasPendingWork() const { return !m_pending.empty() || m_rows.EstimatedLines() > 0; }
    // Wraps about budget more bytes of a line left unfinished or of lines not wrapped yet;
    // says whether work remains.
    bool ContinueWrapping(std::size_t budget);
    void FinishWrapping();
    // Lines whose rows are still an estimate.
    std::size_t EstimatedLines() const { return m_rows.EstimatedLines(); }
    // Counts the times rows of lines not wrapped yet became exact, which moves the rows below.
    std::uint64_t RowSpaceGeneration() const { return m_generation; }

    // All rows, the estimated ones included.
    std::int64_t RowCount() const { return m_rows.RowCount(); }
    // The row holding offset; an offset where a wrapped row ends belongs to the next row.
    // Exact: every line up to the one holding offset is wrapped first.
    std::int64_t RowFromOffset(std::size_t offset) const;
    // The same row among the rows as they stand, estimates included: only the line holding
    // offset is wrapped. For placing the view, never for telling a position.
    std::int64_t ShownRowOf(std::size_t offset) const;
    Row RowAt(std::int64_t row) const;
    // The row numbered row once every line up to it is wrapped; nothing past the last row.
    std::optional<Row> ExactRowAt(std::int64_t row) const;
    std::vector<Item> RowItems(const Row& row) const;
    // x of offset inside the row's items (the end of the row for offsets past it).
    static qreal XOfOffset(const std::vector<Item>& items, std::size_t offset);
    // The character boundary in the row nearest to x.
    static std::size_t OffsetAtX(const Row& row, const std::vector<Item>& items, qreal x);
    qreal RowWidth(const std::vector<Item>& items) const;

    // The character at pos of a complete line piece: its length and CP932 code.
    struct Char {
        std::size_t length;
        std::uint16_t code;
    };
    static Char ReadChar(std::string_view bytes, std::size_t pos);
    // The Unicode character drawn for a CP932 code, or 0 when it is drawn as a hex box.
    static char16_t GlyphOf(std::uint16_t code);

private:
    struct RowBreak {
        std::size_t next;        // start of the next row (== content end for the last row)
        std::size_t examinedEnd; // the bytes read to decide the break end here
        bool needMore;           // the piece ended before the row did
    };
    // One row from rowStart, inside piece = bytes [base, base + piece.size()); complete
    // says the piece ends where the line's content ends.
    RowBreak WrapRow(std::string_view piece, std::size_t base, std::size_t rowStart, bool complete) const;
    // Row starts of the line content [from, end) after from, handed to onRow until it says
    // stop; from must be a row start.
    void WrapForward(const CTextSnapshot& text, std::size_t from, std::size_t end,
                     const std::function<bool(std::size_t)>& onRow) const;
    CRowIndex::Entry MakeEntry(CRowStarts&& relativeStarts) const;
    void FreeSlot(std::int32_t slot);
    // The exact entry of a line whose content (without its break) starts at lineStart.
    CRowIndex::Entry WrapWholeLine(std::string_view content, std::size_t lineStart) const;
    CRowIndex::Entry Estimate(std::size_t contentBytes) const;
    // Replaces the entries of lines i0..i1 by entries, keeping the old ones when there are many.
    void ReplaceLines(std::size_t i0, std::size_t i1, std::span<const CRowIndex::Entry> entries);
    // Takes kept entries back when newText is the text they belong to, lines i0..j1 of it
    // taking the place of the current lines i0..i1, which are kept in turn.
    bool TakeRemovedBack(const CTextSnapshot& newText, std::size_t i0, std::size_t i1, std::size_t j1,
                         std::vector<std::size_t>& pendingKept);
    // Wraps the estimated lines among first..last, about budget bytes of them.
    void Refine(std::size_t first, std::size_t last, std::size_t budget = static_cast<std::size_t>(-1)) const;
    // Row starts relative to the line start.
    const CRowStarts& RelativeStarts(std::size_t line, std::size_t& lineStart) const;
    std::vector<std::size_t> WrapLine(const CTextSnapshot& text, std::size_t lineStart,
                                      std::size_t end) const;
    qreal Advance(std::uint16_t code, qreal x) const;
    bool FitsOneRow(std::string_view content) const;
    void UpdateMetrics();

    QFont m_font;
    QFont m_boxFont;
    qreal m_width = 400;
    int m_tabStops = 32;
    qreal m_lineHeight = 16;
    qreal m_ascent = 12;
    qreal m_averageCharWidth = 8;
    qreal m_tabWidth = 64;
    qreal m_box2 = 16;
    qreal m_box4 = 28;
    mutable std::vector<float> m_advance;             // per CP932 code, negative until measured
    mutable std::vector<std::int32_t> m_fixedAdvance; // the same rounded up to 1/64 pixel

    CTextSnapshot m_text;
    // Wrapping lines not wrapped yet changes these even when asking, hence mutable.
    mutable CRowIndex m_rows;
    mutable std::vector<CRowStarts> m_slots;
    mutable std::vector<std::int32_t> m_freeSlots;
    mutable std::uint64_t m_generation = 0;
    std::size_t m_eagerLayoutBytes = 1024 * 1024;

    // Recently wrapped short lines, so painting and the status bar do not wrap them again.
    struct Memo {
        std::size_t line = static_cast<std::size_t>(-1);
        std::uint64_t version = 0;
        std::size_t lineStart = 0;
        CRowStarts starts;
    };
    mutable Memo m_memo[4];
    mutable unsigned m_memoNext = 0;
    std::uint64_t m_version = 1;
    std::size_t m_eagerWrapBytes = 256 * 1024;
    // Exact row starts from which the rest of their line still waits to be wrapped.
    std::vector<std::size_t> m_pending;
    // The entries of the lines a large edit removed, with the text they belonged to, so that
    // setting that text back (undo) takes them again instead of wrapping its lines anew.
    struct Removed {
        CTextSnapshot text;
        std::size_t first = 0;
        CRowIndex::Lines lines;
        std::uint64_t metrics = 0;
    };
    Removed m_removed;
    // Changes with the font, the tab stops and the width, which decide every row.
    std::uint64_t m_metrics = 0;
};
