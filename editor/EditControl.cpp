#include "editor/EditControl.h"

#include "editor/GlyphSprites.h"
#include "platform/ClipboardWatch.h"
#include "platform/Cp932.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleHints>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace {

constexpr int kMargin = 2;
constexpr int kCaretWidth = 2;
// The background is filled in strips of at most this many pixel rows: the painter hands a
// larger fill to other threads, and waking them costs more than the fill.
constexpr int kFillStrip = 64;
// Texts above this size are laid out again only when the window has stopped resizing.
constexpr std::size_t kImmediateRelayoutBytes = 1 << 20;
constexpr int kWrapDelayMs = 150;
constexpr int kAutoScrollMs = 50;
constexpr std::size_t kWordScanLimit = 4096;
// Bytes of an unfinished long line wrapped per idle step (a few milliseconds).
constexpr std::size_t kIdleWrapBytes = 64 * 1024;
// Idle wrapping gives the event loop back after this long, so keys never wait for it.
constexpr qint64 kIdleWrapMs = 8;

// Text from other programs uses LF or CR LF; the document's line ends are CR LF.
QString ToDocumentLineEnds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    text.replace(QChar('\n'), QStringLiteral("\r\n"));
    return text;
}

enum class CharClass { Blank, Word, Hiragana, Katakana, HalfKatakana, FullAlnum, Kanji, LineBreak, Other };

CharClass ClassOf(std::uint16_t code) {
    if (code == ' ' || code == '\t' || code == 0x8140)
        return CharClass::Blank;
    if (code == '\r' || code == '\n')
        return CharClass::LineBreak;
    const char16_t c = CTextLayout::GlyphOf(code);
    if (c == '_' || (c < 0x80 && QChar(c).isLetterOrNumber()))
        return CharClass::Word;
    if (c >= 0x3041 && c <= 0x309F)
        return CharClass::Hiragana;
    if (c >= 0x30A0 && c <= 0x30FF)
        return CharClass::Katakana;
    if (c >= 0xFF66 && c <= 0xFF9F)
        return CharClass::HalfKatakana;
    if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A))
        return CharClass::FullAlnum;
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
        c == 0x3005)
        return CharClass::Kanji;
    return CharClass::Other;
}

} // namespace

CEditControl::CEditControl(QWidget* parent) : QAbstractScrollArea(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    // paintEvent fills the background itself (see there).
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);

    m_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_layout.SetFont(m_font);
    m_layout.SetTabStops(m_tabStops);

    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    m_blinkTimer.setInterval(flash > 0 ? flash / 2 : 500);
    connect(&m_blinkTimer, &QTimer::timeout, this, [this] {
        m_caretOn = !m_caretOn;
        viewport()->update(CaretRect());
    });
    m_wrapTimer.setSingleShot(true);
    m_wrapTimer.setInterval(kWrapDelayMs);
    connect(&m_wrapTimer, &QTimer::timeout, this, &CEditControl::ApplyWrapWidth);
    m_autoScrollTimer.setInterval(kAutoScrollMs);
    connect(&m_autoScrollTimer, &QTimer::timeout, this, &CEditControl::AutoScrollTick);
    m_idleWrapTimer.setInterval(0);
    connect(&m_idleWrapTimer, &QTimer::timeout, this, &CEditControl::WrapInIdleTime);
    UpdateScrollBars();
}

CEditControl::~CEditControl() = default;

CEditControl::Selection CEditControl::GetSel() const {
    return {std::min(m_anchor, m_caret), std::max(m_anchor, m_caret)};
}

void CEditControl::SetSel(std::size_t start, std::size_t end) {
    m_anchor = SnapBack(std::min(start, TextLength()));
    m_caret = SnapBack(std::min(end, TextLength()));
    m_upstream = false;
    m_preferredX = -1;
    RestartBlink();
    viewport()->update();
    updateMicroFocus();
}

void CEditControl::ReplaceSel(std::string_view bytes) {
    const Selection sel = GetSel();
    Edit(sel.start, sel.end, bytes);
}

void CEditControl::ReplaceSelAdopting(std::string&& bytes) {
    const Selection sel = GetSel();
    EditAdopting(sel.start, sel.end, std::move(bytes));
}

void CEditControl::ScrollCaret() {
    const CaretPlace place = PlaceOf(m_caret, m_upstream);
    QScrollBar* bar = verticalScrollBar();
    const int rows = VisibleRows();
    const std::int64_t first = FirstVisibleLine();
    // While composing, the rows of the preedit must be in view too, as far as the caret's row
    // stays in view.
    const std::int64_t bottom = m_preedit.IsEmpty() ? place.row : place.row + PreeditFlow(place).rows - 1;
    if (place.row < first)
        bar->setValue(static_cast<int>(place.row));
    else if (bottom >= first + rows)
        bar->setValue(
            static_cast<int>(std::min<std::int64_t>(std::min(bottom - rows + 1, place.row), INT_MAX)));
}

std::size_t CEditControl::TextLength() const {
    return Text().Size();
}
std::string CEditControl::GetText() const {
    return Text().ToString();
}
std::string CEditControl::GetTextRange(std::size_t start, std::size_t end) const {
    return Text().Range(start, end);
}
CTextSnapshot CEditControl::Snapshot() const {
    return Text();
}

void CEditControl::SetText(std::string_view bytes) {
    SetTextAdopting(CByteBuffer::Copy(bytes));
}

void CEditControl::SetTextAdopting(std::string&& bytes) {
    SetTextAdopting(CByteBuffer(std::move(bytes)));
}

void CEditControl::SetTextAdopting(CByteBuffer&& bytes) {
    m_layout.Reset(CTextSnapshot::Adopting(std::move(bytes)));
    if (m_styles)
        m_styles->TextReset(Text());
    if (m_gutter)
        LayOutGutter();
    m_anchor = m_caret = 0;
    m_upstream = false;
    m_preferredX = -1;
    UpdateScrollBars();
    verticalScrollBar()->setValue(0);
    RememberTop();
    viewport()->update();
    updateMicroFocus();
}

void CEditControl::SetText(const CTextSnapshot& snapshot) {
    const CTextSnapshot& current = Text();
    const std::size_t prefix = CTextSnapshot::CommonPrefix(current, snapshot);
    if (prefix != current.Size() || prefix != snapshot.Size()) {
        const std::size_t suffix = CTextSnapshot::CommonSuffix(current, snapshot, prefix);
        const std::size_t oldEnd = current.Size() - suffix;
        m_layout.ApplyEdit(snapshot, prefix, oldEnd, snapshot.Size() - suffix);
        RememberTop();
        if (m_layout.HasPendingWork())
            m_idleWrapTimer.start();
        if (m_styles)
            m_styles->TextEdited(snapshot, prefix, oldEnd, snapshot.Size() - suffix);
        if (m_gutter)
            LayOutGutter();
    }
    m_anchor = m_caret = 0;
    m_upstream = false;
    m_preferredX = -1;
    UpdateScrollBars();
    viewport()->update();
    updateMicroFocus();
}

int CEditControl::LineCount() const {
    m_layout.RowFromOffset(TextLength());
    return static_cast<int>(std::min<std::int64_t>(m_layout.RowCount(), INT_MAX));
}

int CEditControl::LineFromChar(std::size_t offset) const {
    return static_cast<int>(std::min<std::int64_t>(m_layout.RowFromOffset(offset), INT_MAX));
}

std::size_t CEditControl::LineIndex(int line) const {
    if (line < 0)
        return kNoPosition;
    const auto row = m_layout.ExactRowAt(line);
    return row ? row->start : kNoPosition;
}

int CEditControl::FirstVisibleLine() const {
    if (m_layout.RowSpaceGeneration() != m_topGeneration)
        SyncTop();
    return verticalScrollBar()->value();
}

void CEditControl::KeepTopWhile(const std::function<void()>& relayout) {
    const std::size_t top = m_layout.RowAt(FirstVisibleLine()).start;
    relayout();
    if (m_layout.HasPendingWork())
        m_idleWrapTimer.start();
    UpdateScrollBars();
    verticalScrollBar()->setValue(
        static_cast<int>(std::min<std::int64_t>(m_layout.ShownRowOf(top), INT_MAX)));
    RememberTop();
}

void CEditControl::RememberTop() {
    m_topOffset = m_layout.RowAt(verticalScrollBar()->value()).start;
    m_topGeneration = m_layout.RowSpaceGeneration();
}

void CEditControl::SyncTop() const {
    std::int64_t row = 0;
    do {
        m_topGeneration = m_layout.RowSpaceGeneration();
        row = m_layout.ShownRowOf(m_topOffset);
    } while (m_topGeneration != m_layout.RowSpaceGeneration());
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker blocker(bar);
    const_cast<CEditControl*>(this)->UpdateScrollBars();
    bar->setValue(static_cast<int>(std::min<std::int64_t>(row, INT_MAX)));
}

void CEditControl::WrapInIdleTime() {
    const bool reflowing = m_layout.HasPendingWork() && m_layout.EstimatedLines() == 0;
    QElapsedTimer slice;
    slice.start();
    bool more = true;
    while (more && slice.elapsed() < kIdleWrapMs) {
        more = m_layout.ContinueWrapping(kIdleWrapBytes);
        // Then the looks: the lexer's states ahead, so a jump far down finds them ready.
        if (!more && m_styles)
            more = m_styles->ContinueInIdleTime(4 * kIdleWrapBytes);
    }
    if (!more)
        m_idleWrapTimer.stop();
    FirstVisibleLine(); // keeps the text on screen where it is
    UpdateScrollBars();
    if (reflowing)
        viewport()->update();
    if (m_gutter)
        m_gutter->update();
}

void CEditControl::LineScroll(int lines) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(
        static_cast<int>(std::clamp<std::int64_t>(std::int64_t{bar->value()} + lines, 0, bar->maximum())));
}

std::size_t CEditControl::CharFromPos(const QPoint& point) const {
    if (!viewport()->rect().contains(point))
        return kNoPosition;
    return HitTest(point).offset;
}

QPoint CEditControl::PosFromChar(std::size_t offset) const {
    const CaretPlace place = PlaceOf(SnapBack(std::min(offset, TextLength())), false);
    const std::int64_t y =
        (place.row - FirstVisibleLine()) * static_cast<std::int64_t>(m_layout.LineHeight());
    return QPoint(kMargin + static_cast<int>(std::lround(place.x)),
                  static_cast<int>(std::clamp<std::int64_t>(y, INT_MIN / 2, INT_MAX / 2)));
}

void CEditControl::SetTabStops(int dialogUnits) {
    m_tabStops = dialogUnits > 0 ? dialogUnits : 32;
    KeepTopWhile([&] { m_layout.SetTabStops(m_tabStops); });
    UpdateScrollBars();
    viewport()->update();
}

void CEditControl::SetEditorFont(const QFont& font) {
    m_font = font;
    KeepTopWhile([&] { m_layout.SetFont(font); });
    UpdateScrollBars();
    viewport()->update();
    updateMicroFocus();
}

QFont CEditControl::EditorFont() const {
    return m_font;
}

void CEditControl::Copy() {
    const Selection sel = GetSel();
    if (sel.start == sel.end)
        return;
    const std::string bytes = GetTextRange(sel.start, sel.end);
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kMimeType),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    QString text = Cp932::Decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    mime->setText(text);
    QGuiApplication::clipboard()->setMimeData(mime);
}

void CEditControl::Cut() {
    const Selection sel = GetSel();
    if (sel.start == sel.end)
        return;
    Copy();
    Edit(sel.start, sel.end, {});
}

void CEditControl::Paste() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return;
    const QString ours = QString::fromLatin1(kMimeType);
    if (mime->hasFormat(ours)) {
        const QByteArray bytes = mime->data(ours);
        ReplaceSel(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } else if (mime->hasText() && !mime->text().isEmpty()) {
        InsertUserText(ToDocumentLineEnds(mime->text()));
    }
}

void CEditControl::Clear() {
    const Selection sel = GetSel();
    if (sel.start != sel.end)
        Edit(sel.start, sel.end, {});
}

void CEditControl::SelectAll() {
    m_anchor = 0;
    m_caret = TextLength();
    m_upstream = false;
    viewport()->update();
    updateMicroFocus();
}

bool CEditControl::CanPaste() const {
    // Known from the clipboard's last change; asking the clipboard here could wait for
    // another program, and update rules run on every timer tick.
    return CClipboardWatch::Instance().HasText();
}

void CEditControl::SetDropMark(std::optional<std::size_t> offset) {
    if (offset)
        offset = SnapBack(std::min(*offset, TextLength()));
    m_dropMark = offset;
    viewport()->update();
}

void CEditControl::Edit(std::size_t start, std::size_t end, std::string_view bytes) {
    EditAdopting(start, end, std::string(bytes));
}

void CEditControl::EditAdopting(std::size_t start, std::size_t end, std::string&& bytes) {
    const std::int64_t rowsBefore = m_layout.RowCount();
    const std::size_t newEnd = start + bytes.size();
    const CTextSnapshot next = Text().ReplacedAdopting(start, end, std::move(bytes));
    m_layout.ApplyEdit(next, start, end, newEnd);
    RememberTop();
    if (m_layout.HasPendingWork())
        m_idleWrapTimer.start();
    // Styles may change past the edited lines (an opened comment), as far as the provider says.
    const std::size_t styledTo = m_styles ? m_styles->TextEdited(next, start, end, newEnd) : 0;
    m_anchor = m_caret = SnapBack(newEnd);
    m_upstream = false;
    m_preferredX = -1;
    // Repaint the rows of the changed lines; when the row count changed, everything below too,
    // down to the last row the old text had.
    const std::int64_t first = std::max<std::int64_t>(0, m_layout.ShownRowOf(start) - 1);
    const std::int64_t rowsAfter = m_layout.RowCount();
    std::int64_t last = std::max(rowsAfter, rowsBefore);
    if (rowsAfter == rowsBefore) {
        const std::size_t line = next.LineFromOffset(newEnd);
        last = m_layout.ShownRowOf(std::max(next.LineContentEnd(line), std::min(styledTo, next.Size())));
    }
    UpdateRows(first, last);
    if (m_gutter)
        LayOutGutter();
    UpdateScrollBars();
    ScrollCaret();
    RestartBlink();
    updateMicroFocus();
    emit Changed();
}

void CEditControl::UpdateRows(std::int64_t first, std::int64_t last) {
    const std::int64_t top = FirstVisibleLine();
    const std::int64_t bottom = top + VisibleRows();
    first = std::max(first, top);
    last = std::min(last, bottom);
    if (first > last)
        return;
    const qreal lh = m_layout.LineHeight();
    viewport()->update(QRectF(0, static_cast<qreal>(first - top) * lh, viewport()->width(),
                              static_cast<qreal>(last - first + 1) * lh)
                           .toAlignedRect());
}

void CEditControl::InsertUserText(const QString& text) {
    // A character CP932 cannot hold becomes an HTML character reference, so nothing is lost.
    const Cp932::EncodeResult encoded = Cp932::EncodeWithReferences(text);
    ReplaceSel(encoded.bytes);
    if (!encoded.unrepresentable.isEmpty())
        emit UnrepresentableCharacters(encoded.unrepresentable);
}

void CEditControl::DeleteSelection() {
    const Selection sel = GetSel();
    Edit(sel.start, sel.end, {});
}

void CEditControl::MoveCaret(std::size_t offset, bool extend, bool upstream) {
    m_caret = offset;
    if (!extend)
        m_anchor = offset;
    m_upstream = upstream;
    ScrollCaret();
    RestartBlink();
    viewport()->update();
    updateMicroFocus();
}

// The bytes around pos, from a place where a character surely begins: right after a byte
// outside the lead range (such a byte always ends a character), at least two bytes before
// pos so that the character holding pos - 1 lies inside, or the start of the text.
namespace {
struct LocalBytes {
    std::string bytes;
    std::size_t base = 0;
};
LocalBytes BytesAround(const CTextSnapshot& text, std::size_t pos) {
    LocalBytes out;
    if (pos >= 3) {
        std::size_t hi = pos - 2;
        while (hi > 0) {
            const std::size_t lo = hi >= 64 ? hi - 64 : 0;
            const std::string piece = text.Range(lo, hi);
            std::size_t k = piece.size();
            while (k > 0 && Cp932::IsLeadByte(static_cast<unsigned char>(piece[k - 1])))
                --k;
            if (k > 0) {
                out.base = lo + k;
                break;
            }
            hi = lo;
        }
    }
    out.bytes = text.Range(out.base, std::min(text.Size(), pos + 3));
    return out;
}
} // namespace

std::size_t CEditControl::SnapBack(std::size_t pos) const {
    const CTextSnapshot& text = Text();
    pos = std::min(pos, text.Size());
    if (pos == 0 || pos == text.Size())
        return pos;
    if (text.At(pos - 1) == '\r' && text.At(pos) == '\n')
        return pos - 1;
    const LocalBytes local = BytesAround(text, pos);
    return local.base + Cp932::FloorCharBoundary(local.bytes, pos - local.base);
}

std::size_t CEditControl::PrevStop(std::size_t pos) const {
    const CTextSnapshot& text = Text();
    pos = SnapBack(pos);
    if (pos == 0)
        return 0;
    if (pos >= 2 && text.At(pos - 1) == '\n' && text.At(pos - 2) == '\r')
        return pos - 2;
    const LocalBytes local = BytesAround(text, pos);
    return local.base + Cp932::PrevCharStart(local.bytes, pos - local.base);
}

std::size_t CEditControl::NextStop(std::size_t pos) const {
    const CTextSnapshot& text = Text();
    pos = SnapBack(pos);
    if (pos >= text.Size())
        return text.Size();
    if (text.At(pos) == '\r' && text.At(pos + 1) == '\n')
        return pos + 2;
    const LocalBytes local = BytesAround(text, pos);
    return local.base + Cp932::NextCharStart(local.bytes, pos - local.base);
}

void CEditControl::WordAt(std::size_t pos, std::size_t& start, std::size_t& end) const {
    const CTextSnapshot& text = Text();
    pos = SnapBack(pos);
    const std::size_t line = text.LineFromOffset(pos);
    const std::size_t lineStart = text.LineStart(line);
    const std::size_t contentEnd = text.LineContentEnd(line);
    start = end = pos;
    if (lineStart == contentEnd)
        return;
    // Decode a bounded stretch of the line around pos, from a known character start.
    std::size_t from = pos > lineStart + kWordScanLimit ? SnapBack(pos - kWordScanLimit) : lineStart;
    const std::size_t to = std::min(contentEnd, pos + kWordScanLimit);
    const std::string bytes = text.Range(from, to);
    struct Unit {
        std::size_t offset;
        std::size_t length;
        CharClass cls;
    };
    std::vector<Unit> units;
    for (std::size_t i = 0; i < bytes.size();) {
        const CTextLayout::Char c = CTextLayout::ReadChar(bytes, i);
        units.push_back({from + i, c.length, ClassOf(c.code)});
        i += c.length;
    }
    if (units.empty())
        return;
    // The character under pos; at the end of the line, the one before it.
    std::size_t k = 0;
    while (k + 1 < units.size() && units[k + 1].offset <= pos)
        ++k;
    if (pos >= contentEnd)
        k = units.size() - 1;
    const CharClass cls = units[k].cls;
    std::size_t a = k;
    std::size_t b = k;
    if (cls != CharClass::Other) {
        while (a > 0 && units[a - 1].cls == cls)
            --a;
        while (b + 1 < units.size() && units[b + 1].cls == cls)
            ++b;
    }
    start = units[a].offset;
    end = units[b].offset + units[b].length;
}

CEditControl::CaretPlace CEditControl::PlaceOf(std::size_t offset, bool upstream) const {
    CaretPlace place;
    place.row = m_layout.ShownRowOf(offset);
    CTextLayout::Row row = m_layout.RowAt(place.row);
    if (upstream && place.row > 0 && row.start == offset) {
        const CTextLayout::Row prev = m_layout.RowAt(place.row - 1);
        if (!prev.lastInLine) {
            --place.row;
            row = prev;
        }
    }
    const auto items = m_layout.RowItems(row);
    place.x = CTextLayout::XOfOffset(items, offset);
    return place;
}

CEditControl::Hit CEditControl::HitRow(std::int64_t row, qreal x) const {
    row = std::clamp<std::int64_t>(row, 0, std::max<std::int64_t>(m_layout.RowCount() - 1, 0));
    const CTextLayout::Row r = m_layout.RowAt(row);
    const auto items = m_layout.RowItems(r);
    Hit hit;
    hit.offset = CTextLayout::OffsetAtX(r, items, x);
    hit.upstream = hit.offset == r.end && !r.lastInLine;
    return hit;
}

CEditControl::Hit CEditControl::HitTest(const QPointF& point) const {
    const std::int64_t row =
        FirstVisibleLine() + static_cast<std::int64_t>(std::floor(point.y() / m_layout.LineHeight()));
    if (row >= m_layout.RowCount())
        return {TextLength(), false};
    return HitRow(row, point.x() - kMargin);
}

int CEditControl::VisibleRows() const {
    return std::max(1, static_cast<int>(viewport()->height() / m_layout.LineHeight()));
}

QRect CEditControl::CaretRect() const {
    const CaretPlace place = PlaceOf(m_caret, m_upstream);
    const int lh = static_cast<int>(m_layout.LineHeight());
    std::int64_t row = place.row;
    qreal x = place.x;
    // While composing, the caret is the preedit's cursor (the input method's candidate
    // window goes there).
    if (!m_preedit.IsEmpty()) {
        const CPreedit::Flow flow = PreeditFlow(place);
        row += flow.cursorRow;
        x = flow.cursorX;
    }
    const std::int64_t y = (row - FirstVisibleLine()) * lh;
    return QRect(kMargin + static_cast<int>(std::floor(x)) - 1,
                 static_cast<int>(std::clamp<std::int64_t>(y, -lh, INT_MAX / 2)), kCaretWidth + 2, lh);
}

CPreedit::Flow CEditControl::PreeditFlow(const CaretPlace& caret) const {
    return m_preedit.Layout(m_layout.Font(), caret.x, m_layout.WrapWidth());
}

std::vector<std::vector<CTextLayout::Item>>
CEditControl::FlowBehindPreedit(std::vector<CTextLayout::Item> items, const CPreedit::Flow& flow) const {
    std::vector<std::vector<CTextLayout::Item>> rows(1);
    qreal x = flow.endX;
    const qreal width = m_layout.WrapWidth();
    const qreal tab = m_layout.TabWidth();
    for (CTextLayout::Item item : items) {
        if (item.kind == CTextLayout::ItemKind::Tab)
            item.width = tab - std::fmod(x, tab);
        // Blanks hang at the edge, as they do in the layout.
        const bool blank = item.code == ' ' || item.code == '\t' || item.code == 0x8140;
        if (x > 0 && !blank && x + item.width > width) {
            rows.emplace_back();
            x = 0;
            if (item.kind == CTextLayout::ItemKind::Tab)
                item.width = tab;
        }
        item.x = x;
        x += item.width;
        rows.back().push_back(item);
    }
    return rows;
}

std::int64_t CEditControl::PreeditExtraRows(const CaretPlace& caret, const CPreedit::Flow& flow) const {
    auto items = m_layout.RowItems(m_layout.RowAt(caret.row));
    std::erase_if(items, [&](const CTextLayout::Item& i) { return i.offset < m_caret; });
    return flow.rows - 1 + static_cast<std::int64_t>(FlowBehindPreedit(std::move(items), flow).size()) - 1;
}

void CEditControl::UpdateScrollBars() {
    QScrollBar* bar = verticalScrollBar();
    const int rows = VisibleRows();
    // While composing, the rows the preedit adds can be scrolled into view too.
    std::int64_t extra = 0;
    if (!m_preedit.IsEmpty()) {
        const CaretPlace caret = PlaceOf(m_caret, m_upstream);
        extra = PreeditExtraRows(caret, PreeditFlow(caret));
    }
    const std::int64_t maximum = std::max<std::int64_t>(0, m_layout.RowCount() + extra - rows);
    bar->setRange(0, static_cast<int>(std::min<std::int64_t>(maximum, INT_MAX)));
    bar->setPageStep(rows);
}

void CEditControl::ApplyWrapWidth() {
    const qreal width = std::max(1, viewport()->width() - 2 * kMargin);
    if (width == m_layout.WrapWidth())
        return;
    KeepTopWhile([&] { m_layout.SetWrapWidth(width); });
    viewport()->update();
    updateMicroFocus();
}

void CEditControl::RestartBlink() {
    m_caretOn = true;
    if (hasFocus())
        m_blinkTimer.start();
}

void CEditControl::AutoScrollTick() {
    if (!m_selecting) {
        m_autoScrollTimer.stop();
        return;
    }
    const int height = viewport()->height();
    const qreal lh = m_layout.LineHeight();
    int step = 0;
    if (m_mousePoint.y() < 0)
        step = -1 - static_cast<int>(-m_mousePoint.y() / lh);
    else if (m_mousePoint.y() >= height)
        step = 1 + static_cast<int>((m_mousePoint.y() - height) / lh);
    if (step == 0) {
        m_autoScrollTimer.stop();
        return;
    }
    LineScroll(step);
    const QPointF inside(m_mousePoint.x(), std::clamp<qreal>(m_mousePoint.y(), 0, height - 1));
    const Hit hit = HitTest(inside);
    m_caret = hit.offset;
    m_upstream = hit.upstream;
    viewport()->update();
}

bool CEditControl::event(QEvent* event) {
    // Every key the control does not use belongs to the window's accelerators first.
    if (event->type() == QEvent::ShortcutOverride) {
        event->ignore();
        return true;
    }
    // Tab is typed into the text, not used to move the focus.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CEditControl::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPalette& pal = palette();
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    const qreal lh = m_layout.LineHeight();
    const qreal ascent = m_layout.Ascent();
    const QColor textColor = pal.color(group, QPalette::Text);
    const QColor selectedText = pal.color(group, QPalette::HighlightedText);
    const QColor highlight = pal.color(group, QPalette::Highlight);
    QColor boxColor = textColor;
    boxColor.setAlphaF(0.55f);
    painter.setFont(m_layout.Font());
    // Glyphs drawn before are copied rather than blended again: a page of text in a fraction
    // of the time.
    CGlyphSprites& sprites = CGlyphSprites::Shared();
    const bool copies = sprites.Begin(painter);
    const QBrush background = viewport()->palette().brush(viewport()->backgroundRole());
    for (const QRect& r : event->region()) {
        for (int top = r.top(); top <= r.bottom(); top += kFillStrip)
            painter.fillRect(QRect(r.left(), top, r.width(), std::min(kFillStrip, r.bottom() + 1 - top)),
                             background);
    }

    const Selection sel = GetSel();
    const std::int64_t first = FirstVisibleLine();
    const std::int64_t last = std::min<std::int64_t>(m_layout.RowCount(), first + VisibleRows() + 1);
    // Only the rows inside the damaged rectangle are laid out and drawn.
    const QRect damaged = event->rect();
    std::int64_t paintFirst = first + static_cast<std::int64_t>(std::floor(damaged.top() / lh));
    std::int64_t paintLast = std::min<std::int64_t>(
        last, first + static_cast<std::int64_t>(std::floor(damaged.bottom() / lh)) + 1);
    const CaretPlace caret = PlaceOf(m_caret, m_upstream);
    const bool composing = !m_preedit.IsEmpty();
    const CPreedit::Flow flow = composing ? PreeditFlow(caret) : CPreedit::Flow();
    // While composing, the rows below the caret's row move down by the rows the preedit takes.
    const std::int64_t extraRows = composing ? PreeditExtraRows(caret, flow) : 0;
    if (composing) {
        paintFirst = first;
        paintLast = last;
    }

    // The looks the style provider gives the row being painted (nullptr: the plain look).
    std::size_t stylesStart = 0;
    std::array<const CTextLook*, 256> looks{};
    auto lookOf = [&](const CTextLayout::Item& item) -> const CTextLook* {
        const std::size_t i = item.offset - stylesStart;
        if (!m_styles || item.offset < stylesStart || i >= m_rowStyles.size() || m_rowStyles[i] == 0)
            return nullptr;
        const CTextLook*& look = looks[m_rowStyles[i]];
        if (!look)
            look = &m_styles->LookOf(m_rowStyles[i], pal);
        return look;
    };

    // Draws items of a row, or the part [partStart, partEnd) of it that begins at startX.
    auto paintItems = [&](const CTextLayout::Row& row, const std::vector<CTextLayout::Item>& items, qreal y,
                          std::size_t partStart, std::size_t partEnd, qreal startX, bool endsRow) {
        if (sel.start < sel.end && sel.start < (endsRow ? row.lineEnd : partEnd) && sel.end > partStart) {
            const qreal partEndX = items.empty() ? startX : m_layout.RowWidth(items);
            const qreal x0 = sel.start <= partStart ? (items.empty() ? startX : items.front().x)
                                                    : CTextLayout::XOfOffset(items, sel.start);
            qreal x1 = sel.end >= partEnd ? partEndX : CTextLayout::XOfOffset(items, sel.end);
            // A selected line break shows as a little highlight past the row's end.
            if (endsRow && row.lastInLine && sel.end > row.end && row.lineEnd > row.end)
                x1 += m_layout.AverageCharWidth();
            if (x1 > x0)
                painter.fillRect(QRectF(kMargin + x0, y, x1 - x0, lh), highlight);
        }
        // Runs of ordinary characters are drawn at once, at the x of their first character.
        QString run;
        qreal runX = 0;
        bool runSelected = false;
        const CTextLook* runLook = nullptr;
        auto flush = [&] {
            if (run.isEmpty())
                return;
            const bool coloured = !runSelected && runLook && runLook->foreground.isValid();
            painter.setPen(runSelected ? selectedText : coloured ? runLook->foreground : textColor);
            if (runLook && runLook->underline) {
                QFont underlined = m_layout.Font();
                underlined.setUnderline(true);
                painter.setFont(underlined);
            }
            painter.drawText(QPointF(kMargin + runX, y + ascent), run);
            if (runLook && runLook->underline)
                painter.setFont(m_layout.Font());
            run.clear();
        };
        qreal runEnd = 0;
        for (const auto& item : items) {
            const bool selected = item.offset >= sel.start && item.offset < sel.end;
            const CTextLook* look = lookOf(item);
            if (item.kind != CTextLayout::ItemKind::Glyph || selected != runSelected || item.x != runEnd ||
                look != runLook) {
                flush();
                runSelected = selected;
                runLook = look;
            }
            runEnd = item.x + item.width;
            // A marked character: its own background (the selection's wins) and a frame.
            if (look && look->frame) {
                const QRectF cell(kMargin + item.x, y + 1, item.width - 1, lh - 2);
                if (!selected && look->background.isValid())
                    painter.fillRect(cell, look->background);
                QPen frame(selected                     ? selectedText
                           : look->foreground.isValid() ? look->foreground
                                                        : textColor);
                frame.setStyle(look->dashedFrame ? Qt::DashLine : Qt::SolidLine);
                painter.setPen(frame);
                painter.drawRect(cell);
            }
            if (item.kind == CTextLayout::ItemKind::Glyph) {
                // An underlined glyph is drawn as text with its run; a framed one owns the
                // pixels inside its frame.
                if (copies && !(look && look->underline)) {
                    const qreal left = kMargin + item.x;
                    const int cellLeft = static_cast<int>(std::ceil(left));
                    const int cellRight = static_cast<int>(std::floor(left + item.width));
                    QRect cell(cellLeft, static_cast<int>(std::lround(y)), cellRight - cellLeft,
                               static_cast<int>(lh));
                    if (look && look->frame)
                        cell.adjust(1, 2, -1, -2);
                    flush();
                    const bool coloured = !selected && look && look->foreground.isValid();
                    const QColor& fg = selected ? selectedText : coloured ? look->foreground : textColor;
                    if (sprites.Draw(painter, item.ch, QPointF(left, y + ascent), fg, cell))
                        continue;
                }
                if (run.isEmpty())
                    runX = item.x;
                run.append(QChar(item.ch));
            } else if (item.kind == CTextLayout::ItemKind::Box) {
                const QRectF box(kMargin + item.x + 1, y + 2, item.width - 2, lh - 4);
                painter.setPen(selected ? selectedText : boxColor);
                painter.drawRect(box);
                painter.setFont(m_layout.BoxFont());
                const int digits = item.code > 0xFF ? 4 : 2;
                painter.drawText(box, Qt::AlignCenter,
                                 QStringLiteral("%1").arg(item.code, digits, 16, QChar('0')).toUpper());
                painter.setFont(m_layout.Font());
            }
        }
        flush();
    };

    for (std::int64_t r = paintFirst; r < paintLast; ++r) {
        const CTextLayout::Row row = m_layout.RowAt(r);
        auto items = m_layout.RowItems(row);
        if (m_styles) {
            m_styles->StylesOf(row.start, row.end, m_rowStyles);
            stylesStart = row.start;
        }
        const qreal y = static_cast<qreal>(r - first + (r > caret.row ? extraRows : 0)) * lh;
        if (!composing || r != caret.row) {
            paintItems(row, items, y, row.start, row.end, 0, true);
            continue;
        }
        // The preedit stands at the caret; the rest of the row flows on behind it.
        const auto split = std::partition_point(
            items.begin(), items.end(), [&](const CTextLayout::Item& i) { return i.offset < m_caret; });
        const std::vector<CTextLayout::Item> before(items.begin(), split);
        paintItems(row, before, y, row.start, m_caret, 0, false);
        const auto behind = FlowBehindPreedit(std::vector<CTextLayout::Item>(split, items.end()), flow);
        for (std::size_t k = 0; k < behind.size(); ++k) {
            const std::size_t partStart = k == 0 ? m_caret : behind[k].front().offset;
            const std::size_t partEnd = k + 1 < behind.size() ? behind[k + 1].front().offset : row.end;
            paintItems(row, behind[k], y + static_cast<qreal>(flow.rows - 1 + static_cast<int>(k)) * lh,
                       partStart, partEnd, k == 0 ? flow.endX : 0, k + 1 == behind.size());
        }
        m_preedit.Paint(painter, flow, m_layout.Font(), QPointF(kMargin, y), lh, ascent, textColor);
        painter.setFont(m_layout.Font());
    }

    auto drawCaret = [&](std::int64_t row, qreal x) {
        if (row < first || row >= last + extraRows)
            return;
        const qreal y = static_cast<qreal>(row - first) * lh;
        painter.fillRect(QRectF(kMargin + std::floor(x), y, kCaretWidth, lh), textColor);
    };
    if (m_dropMark) {
        const CaretPlace mark = PlaceOf(*m_dropMark, false);
        drawCaret(mark.row, mark.x);
    } else if (hasFocus() && m_caretOn) {
        if (!composing)
            drawCaret(caret.row, caret.x);
        else if (m_preedit.CursorVisible())
            drawCaret(caret.row + flow.cursorRow, flow.cursorX);
    }
    // Lines not wrapped yet are wrapped in idle time once the page is on screen, and the
    // looks prepared ahead.
    if (!m_idleWrapTimer.isActive() &&
        (m_layout.HasPendingWork() || (m_styles && m_styles->ContinueInIdleTime(0))))
        m_idleWrapTimer.start();
}

void CEditControl::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (m_gutter)
        LayOutGutter();
    // The first size the window gets is used at once; later ones wait for the resizing to end.
    if (!m_sized || TextLength() <= kImmediateRelayoutBytes)
        ApplyWrapWidth();
    else
        m_wrapTimer.start();
    m_sized = true;
    UpdateScrollBars();
}

void CEditControl::scrollContentsBy(int, int) {
    RememberTop();
    viewport()->update();
    if (m_gutter)
        m_gutter->update();
    updateMicroFocus();
}

void CEditControl::MoveVertically(std::int64_t rows, bool extend) {
    const CaretPlace place = PlaceOf(m_caret, m_upstream);
    if (m_preferredX < 0)
        m_preferredX = place.x;
    const std::int64_t target = place.row + rows;
    const qreal x = m_preferredX;
    if (target < 0 || target >= m_layout.RowCount()) {
        // Past the first or last row the caret goes to the start or end of the text.
        MoveCaret(target < 0 ? 0 : TextLength(), extend);
        m_preferredX = x;
        return;
    }
    const Hit hit = HitRow(target, x);
    MoveCaret(hit.offset, extend, hit.upstream);
    m_preferredX = x;
}

void CEditControl::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    if (mods & (Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    const int key = event->key();
    const Selection sel = GetSel();
    const bool hasSelection = sel.start != sel.end;
    if (ctrl) {
        if (key == Qt::Key_Home || key == Qt::Key_End) {
            m_preferredX = -1;
            MoveCaret(key == Qt::Key_Home ? 0 : TextLength(), shift);
            event->accept();
        } else {
            event->ignore();
        }
        return;
    }
    switch (key) {
    case Qt::Key_Left:
        m_preferredX = -1;
        MoveCaret(hasSelection && !shift ? sel.start : PrevStop(m_caret), shift);
        break;
    case Qt::Key_Right:
        m_preferredX = -1;
        MoveCaret(hasSelection && !shift ? sel.end : NextStop(m_caret), shift);
        break;
    case Qt::Key_Up:
        MoveVertically(-1, shift);
        break;
    case Qt::Key_Down:
        MoveVertically(1, shift);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int page = std::max(1, VisibleRows() - 1);
        const int sign = key == Qt::Key_PageUp ? -1 : 1;
        LineScroll(sign * page);
        MoveVertically(sign * page, shift);
        break;
    }
    case Qt::Key_Home:
    case Qt::Key_End: {
        m_preferredX = -1;
        const CaretPlace place = PlaceOf(m_caret, m_upstream);
        const CTextLayout::Row row = m_layout.RowAt(place.row);
        if (key == Qt::Key_Home)
            MoveCaret(row.start, shift);
        else
            MoveCaret(row.end, shift, !row.lastInLine);
        break;
    }
    case Qt::Key_Backspace:
        if (hasSelection)
            DeleteSelection();
        else if (m_caret > 0)
            Edit(PrevStop(m_caret), m_caret, {});
        break;
    case Qt::Key_Delete:
        if (shift) {
            event->ignore();
            return;
        }
        if (hasSelection)
            DeleteSelection();
        else if (m_caret < TextLength())
            Edit(m_caret, NextStop(m_caret), {});
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (shift) {
            event->ignore();
            return;
        }
        ReplaceSel("\r\n");
        break;
    case Qt::Key_Tab:
        if (shift) {
            event->ignore();
            return;
        }
        ReplaceSel("\t");
        break;
    default: {
        const QString text = event->text();
        const bool printable = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() >= 0x20 && c.unicode() != 0x7F;
        });
        if (!printable) {
            event->ignore();
            return;
        }
        InsertUserText(text);
        break;
    }
    }
    event->accept();
}

void CEditControl::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (!commit.isEmpty() || event->replacementLength() > 0) {
        if (event->replacementLength() > 0 || event->replacementStart() != 0) {
            // The replaced range is counted in characters from the caret.
            std::size_t from = m_caret;
            for (int i = 0; i > event->replacementStart(); --i)
                from = PrevStop(from);
            for (int i = 0; i < event->replacementStart(); ++i)
                from = NextStop(from);
            std::size_t to = from;
            for (int i = 0; i < event->replacementLength(); ++i)
                to = NextStop(to);
            m_anchor = from;
            m_caret = to;
        }
        InsertUserText(commit);
    }
    m_preedit.Set(event->preeditString(), event->attributes());
    UpdateScrollBars();
    if (!m_preedit.IsEmpty())
        ScrollCaret();
    RestartBlink();
    viewport()->update();
    updateMicroFocus();
    event->accept();
}

QVariant CEditControl::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    case Qt::ImFont:
        return m_layout.Font();
    case Qt::ImCursorRectangle:
        return QRect(CaretRect().translated(viewport()->pos()).adjusted(1, 0, -1, 0));
    case Qt::ImSurroundingText:
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        // The caret's row, decoded; positions count its characters.
        const CTextLayout::Row row = m_layout.RowAt(PlaceOf(m_caret, m_upstream).row);
        const Cp932::DisplayText shown = Cp932::DecodeForDisplay(GetTextRange(row.start, row.end), row.start);
        if (query == Qt::ImSurroundingText)
            return shown.text;
        const std::size_t target =
            query == Qt::ImCursorPosition ? m_caret : std::clamp(m_anchor, row.start, row.end);
        const auto at = std::lower_bound(shown.offsets.begin(), shown.offsets.end(), target);
        return static_cast<int>(at - shown.offsets.begin());
    }
    case Qt::ImCurrentSelection: {
        const Selection sel = GetSel();
        if (sel.end - sel.start > 65536)
            return QString();
        return Cp932::Decode(GetTextRange(sel.start, sel.end));
    }
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void CEditControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    // A click ends the composition where it was composed, and then places the caret. Input
    // methods commit what they hold on commit (ibus) or on reset (fcitx5), at once.
    if (!m_preedit.IsEmpty()) {
        QGuiApplication::inputMethod()->commit();
        if (!m_preedit.IsEmpty())
            QGuiApplication::inputMethod()->reset();
        m_preedit.Clear();
    }
    const Hit hit = HitTest(event->position());
    m_preferredX = -1;
    MoveCaret(hit.offset, event->modifiers() & Qt::ShiftModifier, hit.upstream);
    m_selecting = true;
    m_mousePoint = event->position();
    event->accept();
}

void CEditControl::mouseMoveEvent(QMouseEvent* event) {
    if (!m_selecting || !(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    m_mousePoint = event->position();
    const int height = viewport()->height();
    const QPointF inside(m_mousePoint.x(), std::clamp<qreal>(m_mousePoint.y(), 0, height - 1));
    const Hit hit = HitTest(inside);
    m_caret = hit.offset;
    m_upstream = hit.upstream;
    if (m_mousePoint.y() < 0 || m_mousePoint.y() >= height) {
        if (!m_autoScrollTimer.isActive())
            m_autoScrollTimer.start();
    } else {
        m_autoScrollTimer.stop();
    }
    ScrollCaret();
    viewport()->update();
    event->accept();
}

void CEditControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_selecting = false;
    m_autoScrollTimer.stop();
    updateMicroFocus();
    event->accept();
}

void CEditControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const Hit hit = HitTest(event->position());
    std::size_t start;
    std::size_t end;
    WordAt(hit.offset, start, end);
    m_anchor = start;
    m_caret = end;
    m_upstream = false;
    m_preferredX = -1;
    m_selecting = false;
    RestartBlink();
    viewport()->update();
    updateMicroFocus();
    event->accept();
}

void CEditControl::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartBlink();
    viewport()->update();
}

void CEditControl::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_blinkTimer.stop();
    viewport()->update();
}

// The strip left of the text with the line numbers; the control paints it and takes its clicks.
class CLineNumberGutter : public QWidget {
public:
    explicit CLineNumberGutter(CEditControl* control) : QWidget(control), m_control(control) {
        setCursor(Qt::ArrowCursor);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        m_control->PaintGutter(painter, event->rect());
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_control->SelectLineAt(event->position().y());
    }

private:
    CEditControl* m_control;
};

void CEditControl::SetStyleProvider(CStyleProvider* provider) {
    m_styles = provider;
    if (m_styles)
        m_styles->TextReset(Text());
    viewport()->update();
}

void CEditControl::SetLineNumbersShown(bool shown) {
    if (shown == LineNumbersShown())
        return;
    if (shown) {
        m_gutter = new CLineNumberGutter(this);
        m_gutter->show();
        LayOutGutter();
    } else {
        delete m_gutter;
        m_gutter = nullptr;
        m_gutterWidth = 0;
        setViewportMargins(0, 0, 0, 0);
    }
}

void CEditControl::LayOutGutter() {
    int digits = 3;
    for (std::size_t n = Text().LineCount(); n >= 1000; n /= 10)
        ++digits;
    const int width =
        QFontMetrics(m_layout.Font()).horizontalAdvance(QString(digits, QChar('0'))) + 4 * kMargin;
    // Changing the margins resizes the viewport, which comes back here: only a new width does.
    if (width != m_gutterWidth) {
        m_gutterWidth = width;
        setViewportMargins(width, 0, 0, 0);
    }
    const QRect area = contentsRect();
    m_gutter->setGeometry(area.left(), area.top(), width, viewport()->height());
    m_gutter->update();
}

void CEditControl::PaintGutter(QPainter& painter, const QRect& rect) {
    painter.fillRect(rect, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(m_layout.Font());
    const qreal lh = m_layout.LineHeight();
    const std::int64_t first = FirstVisibleLine();
    const std::int64_t last = std::min<std::int64_t>(m_layout.RowCount(), first + VisibleRows() + 1);
    // While composing, the rows below the caret's row stand lower by the rows the preedit takes.
    const CaretPlace caret = PlaceOf(m_caret, m_upstream);
    const std::int64_t extraRows = m_preedit.IsEmpty() ? 0 : PreeditExtraRows(caret, PreeditFlow(caret));
    const CTextSnapshot& text = Text();
    const qreal right = m_gutter->width() - 2 * kMargin;
    for (std::int64_t r = first; r < last; ++r) {
        const std::size_t start = m_layout.RowAt(r).start;
        const std::size_t line = text.LineFromOffset(start);
        // A line's number stands at its first row only.
        if (text.LineStart(line) != start)
            continue;
        const qreal y = static_cast<qreal>(r - first + (r > caret.row ? extraRows : 0)) * lh;
        painter.drawText(QRectF(0, y, right, lh), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(line + 1));
    }
    painter.drawLine(QPointF(m_gutter->width() - 0.5, rect.top()),
                     QPointF(m_gutter->width() - 0.5, rect.bottom()));
}

void CEditControl::SelectLineAt(qreal y) {
    const CTextSnapshot& text = Text();
    const std::int64_t row = std::clamp<std::int64_t>(
        FirstVisibleLine() + static_cast<std::int64_t>(std::floor(y / m_layout.LineHeight())), 0,
        std::max<std::int64_t>(0, m_layout.RowCount() - 1));
    const std::size_t line = text.LineFromOffset(m_layout.RowAt(row).start);
    const std::size_t end = line + 1 < text.LineCount() ? text.LineStart(line + 1) : text.Size();
    setFocus(Qt::MouseFocusReason);
    SetSel(text.LineStart(line), end);
}
