#pragma once

#include "editor/TextBuffer.h"

#include <array>

// Multi-level undo and redo from whole-text snapshots: a ring of 50 slots running from
// the oldest snapshot to the one equal to the current text (so at most 49 steps can be
// undone), and a stack of the texts that Undo replaced, for Redo.
class CUndoRing {
public:
    static constexpr int kSlots = 50;

    // Forgets everything; the given text is the base snapshot.
    void Reset(const CTextSnapshot& text);
    // The text was changed: it becomes the newest snapshot and Redo is no longer possible.
    void Record(const CTextSnapshot& text);

    bool CanUndo() const { return m_oldest != m_current; }
    bool CanRedo() const { return m_redoTop >= 0 && m_redoTop < kSlots; }

    // Moves one step back; currentText is kept for Redo. Returns the text to show.
    CTextSnapshot Undo(const CTextSnapshot& currentText);
    // Moves one step forward again. Returns the text to show.
    CTextSnapshot Redo();

    int Oldest() const { return m_oldest; }
    int Current() const { return m_current; }
    int RedoTop() const { return m_redoTop; }

private:
    std::array<CTextSnapshot, kSlots> m_ring;
    std::array<CTextSnapshot, kSlots> m_redo;
    int m_oldest = 0;
    int m_current = 0;
    int m_redoTop = -1;
};
