#include "editor/TextLayout.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Lines with at least this many rows keep their row starts; shorter ones are wrapped
// again when asked, which costs a few microseconds.
constexpr std::size_t kKeptRows = 16;
constexpr std::size_t kWindow = 16384;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsBlank(std::uint16_t code) {
    return code == ' ' || code == '\t' || code == 0x8140;
}

} // namespace

CTextLayout::CTextLayout() {
    SetFont(QFont());
}

CTextLayout::Char CTextLayout::ReadChar(std::string_view bytes, std::size_t pos) {
    const auto b = static_cast<unsigned char>(bytes[pos]);
    if (Cp932::IsLeadByte(b) && pos + 1 < bytes.size()) {
        const auto t = static_cast<unsigned char>(bytes[pos + 1]);
        if (Cp932::IsTrailByte(t))
            return {2, static_cast<std::uint16_t>((b << 8) | t)};
    }
    return {1, b};
}

char16_t CTextLayout::GlyphOf(std::uint16_t code) {
    const char16_t c = Cp932::DecodeChar(code);
    if (c == 0xFFFF || c < 0x20 || c == 0x7F)
        return 0;
    return c;
}

void CTextLayout::SetFont(const QFont& font) {
    ++m_metrics;
    m_font = font;
    // Advances must add up exactly, so that text drawn in runs lands where it was measured.
    m_font.setKerning(false);
    m_font.setStyleStrategy(QFont::StyleStrategy(m_font.styleStrategy() | QFont::PreferNoShaping));
    UpdateMetrics();
    Reset(m_text);
}

void CTextLayout::SetTabStops(int dialogUnits) {
    ++m_metrics;
    m_tabStops = dialogUnits > 0 ? dialogUnits : 32;
    UpdateMetrics();
    Reset(m_text);
}

void CTextLayout::SetWrapWidth(qreal width) {
    ++m_metrics;
    m_width = std::max<qreal>(width, 1);
    Reset(m_text);
}

void CTextLayout::UpdateMetrics() {
    const QFontMetricsF fm(m_font);
    m_lineHeight = std::max<qreal>(1, std::ceil(fm.lineSpacing()));
    m_ascent = fm.ascent();
    // The dialog unit's base: the mean width of the Latin letters.
    m_averageCharWidth =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
    m_tabWidth = std::max<qreal>(1, m_tabStops * m_averageCharWidth / 4.0);
    m_boxFont = m_font;
    m_boxFont.setPixelSize(std::max(6, static_cast<int>(std::lround(fm.ascent() * 0.6))));
    m_boxFont.setBold(false);
    m_boxFont.setItalic(false);
    const QFontMetricsF bfm(m_boxFont);
    qreal digit = 0;
    for (QChar c : QStringLiteral("0123456789ABCDEF"))
        digit = std::max(digit, bfm.horizontalAdvance(c));
    m_box2 = std::ceil(2 * digit + 4);
    m_box4 = std::ceil(4 * digit + 4);
    m_advance.assign(65536, -1.0f);
    m_fixedAdvance.assign(65536, -1);
}

// A quick test that a line needs no wrapping, in whole 1/64 pixels: every advance rounded
// up and every tab counted as a full tab stop, so a line that passes surely fits. Lines
// that fail are wrapped exactly (trailing blanks, for one, may still fit).
bool CTextLayout::FitsOneRow(std::string_view content) const {
    const auto* p = reinterpret_cast<const unsigned char*>(content.data());
    const std::size_t n = content.size();
    const std::int32_t* fixed = m_fixedAdvance.data();
    const std::int64_t limit = static_cast<std::int64_t>(std::floor(m_width * 64));
    const std::int64_t tab = static_cast<std::int64_t>(std::ceil(m_tabWidth * 64));
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = p[i];
        std::uint16_t code = b;
        if (Cp932::IsLeadByte(b) && i + 1 < n && Cp932::IsTrailByte(p[i + 1])) {
            code = static_cast<std::uint16_t>((b << 8) | p[i + 1]);
            i += 2;
        } else {
            ++i;
        }
        std::int32_t a = fixed[code];
        if (a < 0) {
            a = code == '\t' ? static_cast<std::int32_t>(tab)
                             : static_cast<std::int32_t>(std::ceil(Advance(code, 0) * 64));
            m_fixedAdvance[code] = a;
        }
        sum += a;
        if (sum > limit)
            return false;
    }
    return true;
}

qreal CTextLayout::Advance(std::uint16_t code, qreal x) const {
    if (code == '\t')
        return m_tabWidth - std::fmod(x, m_tabWidth);
    float& a = m_advance[code];
    if (a < 0) {
        const char16_t c = GlyphOf(code);
        if (c == 0)
            a = static_cast<float>(code > 0xFF ? m_box4 : m_box2);
        else
            a = static_cast<float>(std::max<qreal>(1, QFontMetricsF(m_font).horizontalAdvance(QChar(c))));
    }
    return a;
}

CTextLayout::RowBreak CTextLayout::WrapRow(std::string_view piece, std::size_t base, std::size_t rowStart,
                                           bool complete) const {
    const std::size_t first = rowStart - base;
    const std::size_t n = piece.size();
    std::size_t i = first;
    std::size_t examined = first;
    std::size_t lastChance = kNone;
    bool prevBlank = false;
    bool prevDouble = false;
    qreal x = 0;
    while (i < n) {
        const auto b = static_cast<unsigned char>(piece[i]);
        if (Cp932::IsLeadByte(b) && i + 1 >= n && !complete)
            return {0, 0, true};
        const Char c = ReadChar(piece, i);
        examined = std::max(examined, std::min(n, i + (Cp932::IsLeadByte(b) ? 2 : 1)));
        const bool isDouble = c.length == 2;
        const bool blank = IsBlank(c.code);
        if (i > first && (prevBlank || prevDouble || isDouble))
            lastChance = i;
        const qreal advance = Advance(c.code, x);
        if (i > first && !blank && x + advance > m_width) {
            const std::size_t at = lastChance != kNone ? lastChance : i;
            return {base + at, base + examined, false};
        }
        x += advance;
        i += c.length;
        prevBlank = blank;
        prevDouble = isDouble;
    }
    if (!complete)
        return {0, 0, true};
    return {base + n, base + examined, false};
}

void CTextLayout::WrapForward(const CTextSnapshot& text, std::size_t from, std::size_t end,
                              const std::function<bool(std::size_t)>& onRow) const {
    std::string scratch;
    std::size_t pos = from;
    std::size_t window = kWindow;
    while (pos < end) {
        const std::size_t windowEnd = std::min(end, pos + window);
        const std::string_view piece = text.View(pos, windowEnd, scratch);
        const bool complete = windowEnd == end;
        std::size_t p = pos;
        bool progressed = false;
        for (;;) {
            const RowBreak r = WrapRow(piece, pos, p, complete);
            if (r.needMore)
                break;
            if (r.next >= end || !onRow(r.next))
                return;
            p = r.next;
            progressed = true;
        }
        if (progressed) {
            pos = p;
            window = kWindow;
        } else {
            window *= 2;
        }
    }
}

std::vector<std::size_t> CTextLayout::WrapLine(const CTextSnapshot& text, std::size_t lineStart,
                                               std::size_t end) const {
    std::vector<std::size_t> starts{0};
    WrapForward(text, lineStart, end, [&](std::size_t s) {
        starts.push_back(s - lineStart);
        return true;
    });
    return starts;
}

CRowIndex::Entry CTextLayout::MakeEntry(CRowStarts&& relativeStarts) const {
    CRowIndex::Entry e;
    e.rows = static_cast<std::int32_t>(relativeStarts.Size());
    if (relativeStarts.Size() >= kKeptRows) {
        if (m_freeSlots.empty()) {
            e.slot = static_cast<std::int32_t>(m_slots.size());
            m_slots.push_back(std::move(relativeStarts));
        } else {
            e.slot = m_freeSlots.back();
            m_freeSlots.pop_back();
            m_slots[static_cast<std::size_t>(e.slot)] = std::move(relativeStarts);
        }
    }
    return e;
}

void CTextLayout::FreeSlot(std::int32_t slot) {
    if (slot < 0)
        return;
    m_slots[static_cast<std::size_t>(slot)] = {};
    m_freeSlots.push_back(slot);
}

CRowIndex::Entry CTextLayout::WrapWholeLine(std::string_view content, std::size_t lineStart) const {
    if (FitsOneRow(content))
        return CRowIndex::Entry{};
    std::vector<std::size_t> starts{0};
    std::size_t pos = lineStart;
    const std::size_t end = lineStart + content.size();
    for (;;) {
        const RowBreak r = WrapRow(content, lineStart, pos, true);
        if (r.next >= end)
            break;
        starts.push_back(r.next - lineStart);
        pos = r.next;
    }
    return starts.size() >= kKeptRows ? MakeEntry(CRowStarts::From(starts))
                                      : CRowIndex::Entry{static_cast<std::int32_t>(starts.size()), -1};
}

// Rows a line of this many bytes would take at the average width, never fewer than one.
CRowIndex::Entry CTextLayout::Estimate(std::size_t contentBytes) const {
    const std::size_t perRow =
        std::max<std::size_t>(1, static_cast<std::size_t>(m_width / m_averageCharWidth));
    const std::size_t rows = std::max<std::size_t>(1, (contentBytes + perRow - 1) / perRow);
    return CRowIndex::Entry{static_cast<std::int32_t>(std::min<std::size_t>(rows, 1u << 30)),
                            CRowIndex::kEstimated};
}

void CTextLayout::Reset(const CTextSnapshot& text) {
    m_text = text;
    m_removed = {};
    ++m_version;
    ++m_generation;
    m_pending.clear();
    m_slots.clear();
    m_freeSlots.clear();
    m_rows.Clear();
    if (text.Size() <= m_eagerLayoutBytes) {
        text.ForEachLine(0, text.LineCount() - 1,
                         [&](std::size_t, std::size_t lineStart, std::string_view content) {
                             m_rows.Append(WrapWholeLine(content, lineStart));
                             return true;
                         });
    } else {
        text.ForEachLineLength([&](std::size_t length) { m_rows.Append(Estimate(length)); });
    }
    m_rows.EndAppending();
}

void CTextLayout::Refine(std::size_t first, std::size_t last, std::size_t budget) const {
    // Runs of a few thousand lines, so that each splice of the row index stays small.
    constexpr std::size_t kRun = 4096;
    std::size_t spent = 0;
    for (first = m_rows.NextEstimated(first); first <= last && first < m_rows.LineCount() && spent < budget;
         first = m_rows.NextEstimated(first)) {
        const std::size_t end = std::min({last, m_rows.LineCount() - 1, first + kRun - 1});
        std::vector<CRowIndex::Entry> entries = m_rows.Entries(first, end + 1);
        std::size_t done = 0;
        m_text.ForEachLine(first, end,
                           [&](std::size_t line, std::size_t lineStart, std::string_view content) {
                               CRowIndex::Entry& e = entries[line - first];
                               if (e.Estimated()) {
                                   e = WrapWholeLine(content, lineStart);
                                   spent += content.size() + 1;
                               }
                               done = line - first + 1;
                               return spent < budget;
                           });
        entries.resize(done);
        m_rows.Splice(first, done, entries);
        ++m_generation;
        first += done;
    }
}

void CTextLayout::ApplyEdit(const CTextSnapshot& newText, std::size_t start, std::size_t oldEnd,
                            std::size_t newEnd) {
    const CTextSnapshot& old = m_text;
    const std::size_t i0 = start > 0 ? old.LineFromOffset(start - 1) : 0;
    const std::size_t i1 = old.LineFromOffset(oldEnd);
    const std::size_t j1 = newText.LineFromOffset(newEnd);
    const auto delta = static_cast<std::ptrdiff_t>(newEnd) - static_cast<std::ptrdiff_t>(oldEnd);

    // Unfinished lines: one the edit touches is wrapped again here; the others move along.
    std::size_t pendingFirst = kNone; // in line i0
    std::size_t pendingLast = kNone;  // in line i1
    std::vector<std::size_t> pendingKept;
    for (std::size_t p : m_pending) {
        const std::size_t line = old.LineFromOffset(p);
        if (line == i0)
            pendingFirst = p;
        if (line == i1)
            pendingLast = p;
        if (line < i0 || line > i1)
            pendingKept.push_back(
                p >= oldEnd ? static_cast<std::size_t>(static_cast<std::ptrdiff_t>(p) + delta) : p);
    }

    if (TakeRemovedBack(newText, i0, i1, j1, pendingKept))
        return;

    // The first rows of line i0 stay as they are when their breaks were decided by bytes
    // before the edit alone; wrapping starts again at the last of them. The kept rows and
    // the rows behind the edit are taken over from the old lines, not copied.
    const CRowIndex::Entry firstEntry = m_rows.Get(i0);
    const CRowIndex::Entry lastEntry = m_rows.Get(i1);
    const std::size_t firstStart = old.LineStart(i0);
    const std::size_t lastStart = i1 == i0 ? firstStart : old.LineStart(i1);
    const std::size_t newLastStart = j1 == i0 ? firstStart : newText.LineStart(j1);
    CRowStarts kept;
    CRowStarts tail;
    // Tail rows at or after this offset (from new line j1's start) are only approximations.
    std::size_t exactTailEnd = kNone;
    if (lastEntry.slot >= 0) {
        CRowStarts& rows = m_slots[static_cast<std::size_t>(lastEntry.slot)];
        // Row starts at or after oldEnd, moved to offsets from the start of new line j1.
        const std::size_t from = oldEnd > lastStart ? rows.UpperBound(oldEnd - lastStart - 1) : 0;
        if (pendingLast != kNone)
            exactTailEnd = pendingLast >= oldEnd
                               ? static_cast<std::size_t>(static_cast<std::ptrdiff_t>(pendingLast) + delta) -
                                     newLastStart
                               : 0;
        tail = rows.SplitOff(from);
        tail.Shift(static_cast<std::ptrdiff_t>(lastStart) + delta -
                   static_cast<std::ptrdiff_t>(newLastStart));
    }
    if (firstEntry.slot >= 0) {
        CRowStarts& rows = m_slots[static_cast<std::size_t>(firstEntry.slot)];
        std::size_t m = rows.Empty() ? 0 : rows.UpperBound(start - firstStart) - 1;
        const std::size_t contentEnd = old.LineContentEnd(i0);
        std::string scratch;
        while (m > 0) {
            const std::size_t rowStart = firstStart + rows.At(m - 1);
            std::size_t examined = 0;
            for (std::size_t window = kWindow;; window *= 2) {
                const std::size_t windowEnd = std::min(contentEnd, rowStart + window);
                const RowBreak r = WrapRow(old.View(rowStart, windowEnd, scratch), rowStart, rowStart,
                                           windowEnd == contentEnd);
                if (!r.needMore) {
                    examined = r.examinedEnd;
                    break;
                }
            }
            if (examined <= start)
                break;
            --m;
        }
        if (pendingFirst != kNone)
            m = std::min(m, rows.UpperBound(pendingFirst - firstStart) - 1);
        if (rows.Empty())
            rows.Push(0);
        rows.Truncate(m + 1);
        kept = std::move(rows);
    } else {
        kept.Push(0);
    }

    // A large insertion gets estimated rows between its first and its last line.
    const bool lazy = newEnd - start > m_eagerLayoutBytes;
    std::vector<CRowIndex::Entry> entries;
    entries.reserve(j1 - i0 + 1);
    for (std::size_t j = i0; j <= j1; ++j) {
        if (lazy && j > i0 && j < j1) {
            newText.ForEachLine(j, j1 - 1, [&](std::size_t, std::size_t, std::string_view content) {
                entries.push_back(Estimate(content.size()));
                return true;
            });
            j = j1 - 1;
            continue;
        }
        const std::size_t lineStart = j == i0 ? firstStart : j == j1 ? newLastStart : newText.LineStart(j);
        const std::size_t contentEnd = newText.LineContentEnd(j);
        CRowStarts rows;
        if (j == i0)
            rows = std::move(kept);
        else
            rows.Push(0);
        const bool resync = j == j1 && !tail.Empty();
        const std::size_t limit = newEnd + m_eagerWrapBytes;
        WrapForward(newText, lineStart + rows.Last(), contentEnd, [&](std::size_t s) {
            const std::size_t rel = s - lineStart;
            if (resync) {
                const std::size_t t = tail.UpperBound(rel);
                if (t > 0 && tail.At(t - 1) == rel && rel < exactTailEnd) {
                    rows.Append(tail.SplitOff(t - 1));
                    if (exactTailEnd != kNone)
                        pendingKept.push_back(newLastStart + exactTailEnd);
                    return false;
                }
                if (s > limit) {
                    rows.Push(rel);
                    rows.Append(tail.SplitOff(t));
                    pendingKept.push_back(s);
                    return false;
                }
            }
            rows.Push(rel);
            return true;
        });
        entries.push_back(MakeEntry(std::move(rows)));
    }
    ReplaceLines(i0, i1, entries);
    m_pending = std::move(pendingKept);
    m_text = newText;
    ++m_version;
}

void CTextLayout::ReplaceLines(std::size_t i0, std::size_t i1, std::span<const CRowIndex::Entry> entries) {
    // Only worth keeping for edits of many lines (Select All and typing, Replace All).
    constexpr std::size_t kManyLines = 10000;
    if (i1 - i0 < kManyLines) {
        if (m_slots.size() > m_freeSlots.size()) {
            for (const CRowIndex::Entry& e : m_rows.Entries(i0, i1 + 1))
                FreeSlot(e.slot);
        }
        m_rows.Splice(i0, i1 - i0 + 1, entries);
        return;
    }
    CRowIndex::Lines lines = m_rows.Take(i0, i1 + 1);
    m_rows.Splice(i0, 0, entries);
    // Kept row starts belong to the lines as they are now: such lines are wrapped again when
    // they come back, as are those still waiting for the rest of their rows.
    if (m_slots.size() > m_freeSlots.size()) {
        lines.Change([this](CRowIndex::Entry& e) {
            if (e.slot >= 0) {
                FreeSlot(e.slot);
                e.slot = CRowIndex::kEstimated;
            }
        });
    }
    m_removed = {m_text, i0, std::move(lines), m_metrics};
}

bool CTextLayout::TakeRemovedBack(const CTextSnapshot& newText, std::size_t i0, std::size_t i1,
                                  std::size_t j1, std::vector<std::size_t>& pendingKept) {
    // The text is compared last: two texts of one size but different trees are read through.
    if (m_removed.metrics != m_metrics || m_removed.first != i0 || m_removed.lines.LineCount() != j1 - i0 + 1 ||
        !(m_removed.text == newText))
        return false;
    // The lines replaced now are kept in turn, for a redo.
    CRowIndex::Lines back = std::move(m_removed.lines);
    m_removed = {};
    ReplaceLines(i0, i1, {});
    m_rows.Put(i0, std::move(back));
    m_pending = std::move(pendingKept);
    m_text = newText;
    ++m_version;
    return true;
}

bool CTextLayout::ContinueWrapping(std::size_t budget) {
    if (m_pending.empty()) {
        Refine(0, static_cast<std::size_t>(-1), budget);
        return HasPendingWork();
    }
    const std::size_t resume = m_pending.back();
    m_pending.pop_back();
    const std::size_t line = m_text.LineFromOffset(resume);
    CRowIndex::Entry e = m_rows.Get(line);
    if (e.slot < 0)
        return !m_pending.empty();
    const std::size_t lineStart = m_text.LineStart(line);
    CRowStarts& rows = m_slots[static_cast<std::size_t>(e.slot)];
    CRowStarts approximate = rows.SplitOff(rows.UpperBound(resume - lineStart));
    const std::size_t limit =
        budget > static_cast<std::size_t>(-1) - resume ? static_cast<std::size_t>(-1) : resume + budget;
    WrapForward(m_text, resume, m_text.LineContentEnd(line), [&](std::size_t s) {
        const std::size_t rel = s - lineStart;
        rows.Push(rel);
        if (s <= limit)
            return true;
        rows.Append(approximate.SplitOff(approximate.UpperBound(rel)));
        m_pending.push_back(s);
        return false;
    });
    e.rows = static_cast<std::int32_t>(rows.Size());
    m_rows.Splice(line, 1, std::span<const CRowIndex::Entry>(&e, 1));
    ++m_version;
    return HasPendingWork();
}

void CTextLayout::FinishWrapping() {
    while (ContinueWrapping(static_cast<std::size_t>(-1))) {
    }
}

const CRowStarts& CTextLayout::RelativeStarts(std::size_t line, std::size_t& lineStart) const {
    static const CRowStarts kSingleRow = CRowStarts::From({0});
    if (m_rows.Get(line).Estimated())
        Refine(line, line);
    const CRowIndex::Entry& e = m_rows.Get(line);
    if (e.slot >= 0) {
        lineStart = m_text.LineStart(line);
        return m_slots[static_cast<std::size_t>(e.slot)];
    }
    if (e.rows == 1) {
        lineStart = m_text.LineStart(line);
        return kSingleRow;
    }
    for (const Memo& m : m_memo) {
        if (m.line == line && m.version == m_version) {
            lineStart = m.lineStart;
            return m.starts;
        }
    }
    Memo& m = m_memo[m_memoNext++ % 4];
    m.line = line;
    m.version = m_version;
    m.lineStart = m_text.LineStart(line);
    m.starts = CRowStarts::From(WrapLine(m_text, m.lineStart, m_text.LineContentEnd(line)));
    lineStart = m.lineStart;
    return m.starts;
}

std::int64_t CTextLayout::RowFromOffset(std::size_t offset) const {
    offset = std::min(offset, m_text.Size());
    const std::size_t line = m_text.LineFromOffset(offset);
    Refine(0, line);
    std::size_t lineStart;
    const CRowStarts& starts = RelativeStarts(line, lineStart);
    return m_rows.RowsBefore(line) + static_cast<std::int64_t>(starts.UpperBound(offset - lineStart)) - 1;
}

std::int64_t CTextLayout::ShownRowOf(std::size_t offset) const {
    offset = std::min(offset, m_text.Size());
    const std::size_t line = m_text.LineFromOffset(offset);
    std::size_t lineStart;
    const CRowStarts& starts = RelativeStarts(line, lineStart);
    return m_rows.RowsBefore(line) + static_cast<std::int64_t>(starts.UpperBound(offset - lineStart)) - 1;
}

CTextLayout::Row CTextLayout::RowAt(std::int64_t row) const {
    std::int64_t inLine = 0;
    const std::size_t line = m_rows.LineOfRow(row, inLine);
    std::size_t lineStart;
    const auto& starts = RelativeStarts(line, lineStart);
    const auto r = static_cast<std::size_t>(
        std::min<std::int64_t>(inLine, static_cast<std::int64_t>(starts.Size()) - 1));
    Row out;
    out.start = lineStart + starts.At(r);
    out.lastInLine = r + 1 == starts.Size();
    out.lineEnd = line + 1 < m_text.LineCount() ? m_text.LineStart(line + 1) : m_text.Size();
    out.end = out.lastInLine ? m_text.LineContentEnd(line) : lineStart + starts.At(r + 1);
    return out;
}

std::optional<CTextLayout::Row> CTextLayout::ExactRowAt(std::int64_t row) const {
    // Wrapping the lines before the one the row falls in moves the row into a later line
    // or an earlier one; repeat until no estimate lies before it.
    for (;;) {
        if (row < 0 || row >= m_rows.RowCount()) {
            if (m_rows.EstimatedLines() == 0)
                return std::nullopt;
            Refine(0, static_cast<std::size_t>(-1));
            continue;
        }
        std::int64_t inLine = 0;
        const std::size_t line = m_rows.LineOfRow(row, inLine);
        if (m_rows.NextEstimated(0) > line)
            return RowAt(row);
        Refine(0, line);
    }
}

std::vector<CTextLayout::Item> CTextLayout::RowItems(const Row& row) const {
    std::vector<Item> items;
    std::string scratch;
    const std::string_view bytes = m_text.View(row.start, row.end, scratch);
    items.reserve(bytes.size());
    qreal x = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const Char c = ReadChar(bytes, i);
        Item item;
        item.offset = row.start + i;
        item.length = static_cast<std::uint8_t>(c.length);
        item.code = c.code;
        item.x = x;
        item.width = Advance(c.code, x);
        if (c.code == '\t') {
            item.kind = ItemKind::Tab;
        } else {
            item.ch = GlyphOf(c.code);
            item.kind = item.ch ? ItemKind::Glyph : ItemKind::Box;
        }
        items.push_back(item);
        x += item.width;
        i += c.length;
    }
    return items;
}

qreal CTextLayout::XOfOffset(const std::vector<Item>& items, std::size_t offset) {
    for (const Item& item : items) {
        if (item.offset >= offset)
            return item.x;
    }
    return items.empty() ? 0 : items.back().x + items.back().width;
}

std::size_t CTextLayout::OffsetAtX(const Row& row, const std::vector<Item>& items, qreal x) {
    for (const Item& item : items) {
        if (x < item.x + item.width / 2)
            return item.offset;
    }
    return row.end;
}

qreal CTextLayout::RowWidth(const std::vector<Item>& items) const {
    return items.empty() ? 0 : items.back().x + items.back().width;
}
