#pragma once

#include "editor/TextBuffer.h"

#include <QAbstractScrollArea>
#include <QFont>

#include <cstddef>
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
    void ScrollCaret();

    // The whole text. Setting it raises no Changed() signal.
    std::size_t TextLength() const;
    std::string GetText() const;
    std::string GetTextRange(std::size_t start, std::size_t end) const;
    CTextSnapshot Snapshot() const; // cheap: shares storage with the control
    void SetText(std::string_view bytes);
    void SetText(const CTextSnapshot& snapshot);

    // Display lines (after wrapping), counted from 0.
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

signals:
    // The user or ReplaceSel changed the text (once per change).
    void Changed();
    // Typed or pasted text held characters CP932 cannot hold; they were inserted as
    // HTML character references, and the chars are listed here.
    void UnrepresentableCharacters(const QString& characters);
};
