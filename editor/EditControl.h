#pragma once

#include "editor/Preedit.h"
#include "editor/StyleProvider.h"
#include "editor/TextBuffer.h"
#include "editor/TextLayout.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A byte-exact multi-line edit control over CP932 text. The bytes are the only truth;
// every position is a byte offset; the caret and the selection ends never fall inside
// a double-byte character. Long lines wrap at the window edge (no horizontal scrolling)
// and "lines" are display lines after wrapping. The control has no undo of its own and
// leaves every key with Ctrl or Alt that it does not use itself to the window's
// shortcuts (the main frame's accelerators).
class CEditControl : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Returned by CharFromPos for a point outside the text area.
    static constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);

    explicit CEditControl(QWidget* parent = nullptr);
    ~CEditControl() override;

    // Selection (start <= end); the caret stands at end unless the user extended the
    // selection backwards.
    struct Selection {
        std::size_t start = 0;
        std::size_t end = 0;
    };
    Selection GetSel() const;
    // Sets the selection; the caret goes to end. Offsets are clamped to the text and moved
    // back to a character boundary.
    void SetSel(std::size_t start, std::size_t end);
    // Replaces the selection by bytes as one change: exactly one Changed() signal, caret
    // (empty selection) after the inserted bytes, caret scrolled into view.
    void ReplaceSel(std::string_view bytes);
    // The same, taking a large bytes over as the text's storage instead of copying it.
    void ReplaceSelAdopting(std::string&& bytes);
    void ScrollCaret();

    // The whole text. Setting it raises no Changed() signal and leaves an empty selection at
    // the start; setting bytes scrolls to the top, setting a snapshot (undo, redo) keeps the
    // scroll position and lays out again only the lines that differ.
    std::size_t TextLength() const;
    std::string GetText() const;
    std::string GetTextRange(std::size_t start, std::size_t end) const;
    CTextSnapshot Snapshot() const; // cheap: shares storage with the control
    void SetText(std::string_view bytes);
    // The same, taking bytes over as the text's storage without copying them.
    void SetTextAdopting(std::string&& bytes);
    void SetTextAdopting(CByteBuffer&& bytes);
    void SetText(const CTextSnapshot& snapshot);

    // Display lines (after wrapping), counted from 0. Exact: lines not wrapped yet are
    // wrapped as far as needed to answer.
    int LineCount() const;
    int LineFromChar(std::size_t offset) const;
    std::size_t LineIndex(int line) const;
    int FirstVisibleLine() const;
    // Scrolls the text by whole display lines (negative: up).
    void LineScroll(int lines);

    // Viewport coordinates. CharFromPos gives the character boundary nearest to the point,
    // or kNoPosition when the point lies outside the viewport.
    std::size_t CharFromPos(const QPoint& point) const;
    QPoint PosFromChar(std::size_t offset) const;

    // Tab stops in dialog units: 4 units are one average character width of the font.
    void SetTabStops(int dialogUnits);
    void SetEditorFont(const QFont& font);
    QFont EditorFont() const;

    // Clipboard and selection commands (the frame's accelerators call these).
    void Cut();
    void Copy();
    void Paste();
    void Clear(); // delete the selection
    void SelectAll();
    bool CanPaste() const;

    // Shows a caret at offset without moving the selection (the drop mark while the
    // selection is dragged); nullopt hides it again.
    void SetDropMark(std::optional<std::size_t> offset);

    // Who decides the looks of the text (colours, marks); nullptr for plain text. The control
    // tells it of every change and asks it only for the rows it paints.
    void SetStyleProvider(CStyleProvider* provider);
    CStyleProvider* StyleProvider() const { return m_styles; }

    // A gutter at the left with the numbers of the text's lines (not of wrapped rows); a click
    // in it selects that line.
    void SetLineNumbersShown(bool shown);
    bool LineNumbersShown() const { return m_gutter != nullptr; }

    // The private clipboard format that carries the exact bytes of a copy.
    static constexpr const char* kMimeType = "application/x-vuro-cp932";

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // The user or ReplaceSel changed the text (once per change).
    void Changed();
    // Typed or pasted text held characters CP932 cannot hold; they were inserted as
    // HTML character references, and the chars are listed here.
    void UnrepresentableCharacters(const QString& characters);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct CaretPlace {
        std::int64_t row = 0;
        qreal x = 0;
    };
    struct Hit {
        std::size_t offset = 0;
        bool upstream = false; // the end of a wrapped row rather than the start of the next
    };

    const CTextSnapshot& Text() const { return m_layout.Text(); }
    // Replaces [start, end) and puts the caret after the new bytes; a user's edit or ReplaceSel.
    void Edit(std::size_t start, std::size_t end, std::string_view bytes);
    void EditAdopting(std::size_t start, std::size_t end, std::string&& bytes);
    void InsertUserText(const QString& text);
    void DeleteSelection();
    void MoveCaret(std::size_t offset, bool extend, bool upstream = false);

    // Character stops: CP932 boundaries, with CR LF as one unit.
    std::size_t SnapBack(std::size_t pos) const;
    std::size_t PrevStop(std::size_t pos) const;
    std::size_t NextStop(std::size_t pos) const;
    void WordAt(std::size_t pos, std::size_t& start, std::size_t& end) const;

    CaretPlace PlaceOf(std::size_t offset, bool upstream) const;
    Hit HitTest(const QPointF& point) const;
    Hit HitRow(std::int64_t row, qreal x) const;
    void MoveVertically(std::int64_t rows, bool extend);
    int VisibleRows() const;
    QRect CaretRect() const;
    // The preedit laid out from the caret, and the rows it and the text behind it on the
    // caret's row take below that row.
    CPreedit::Flow PreeditFlow(const CaretPlace& caret) const;
    std::int64_t PreeditExtraRows(const CaretPlace& caret, const CPreedit::Flow& flow) const;
    // Lays the caret row's items behind the caret out after the preedit, one list per row.
    std::vector<std::vector<CTextLayout::Item>> FlowBehindPreedit(std::vector<CTextLayout::Item> items,
                                                                  const CPreedit::Flow& flow) const;
    void UpdateScrollBars();
    void UpdateRows(std::int64_t first, std::int64_t last);
    void ApplyWrapWidth();
    // Lays out anew by relayout, keeping the text at the top of the window in place.
    void KeepTopWhile(const std::function<void()>& relayout);
    // Takes the current top row's start as the view's anchor.
    void RememberTop();
    // Moves the scroll bar to the anchor's row after rows above it were wrapped.
    void SyncTop() const;
    // Wraps lines not wrapped yet for a few milliseconds; goes on later while work remains.
    void WrapInIdleTime();
    void RestartBlink();
    void AutoScrollTick();
    // The line-number gutter: its width follows the digits of the line count.
    friend class CLineNumberGutter;
    void LayOutGutter();
    void PaintGutter(QPainter& painter, const QRect& rect);
    void SelectLineAt(qreal y);

    CTextLayout m_layout;
    QFont m_font;
    int m_tabStops = 32;
    std::size_t m_anchor = 0;
    std::size_t m_caret = 0;
    bool m_upstream = false;
    qreal m_preferredX = -1;
    std::optional<std::size_t> m_dropMark;
    CPreedit m_preedit;
    bool m_caretOn = true;
    bool m_selecting = false;
    bool m_sized = false;
    QPointF m_mousePoint;
    QTimer m_blinkTimer;
    QTimer m_wrapTimer;
    QTimer m_autoScrollTimer;
    QTimer m_idleWrapTimer;
    // The view's top row is kept by the offset where it starts, so that rows wrapped above it
    // (their estimates made exact) never move the text on screen.
    std::size_t m_topOffset = 0;
    mutable std::uint64_t m_topGeneration = 0;
    CStyleProvider* m_styles = nullptr;
    std::vector<std::uint8_t> m_rowStyles; // of the row being painted
    QWidget* m_gutter = nullptr;
    int m_gutterWidth = 0;
};
