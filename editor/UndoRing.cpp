#include "editor/UndoRing.h"

void CUndoRing::Reset(const CTextSnapshot& text) {
    m_current = 0;
    m_oldest = 0;
    m_redoTop = -1;
    m_ring.fill(CTextSnapshot());
    m_redo.fill(CTextSnapshot());
    m_ring[0] = text;
}

void CUndoRing::Record(const CTextSnapshot& text) {
    m_redoTop = -1;
    m_current = (m_current + 1) % kSlots;
    m_ring[m_current] = text;
    if (m_oldest == m_current)
        m_oldest = (m_oldest + 1) % kSlots;
}

CTextSnapshot CUndoRing::Undo(const CTextSnapshot& currentText) {
    ++m_redoTop;
    if (m_redoTop >= 0 && m_redoTop < kSlots)
        m_redo[m_redoTop] = currentText;
    m_current = (m_current + kSlots - 1) % kSlots;
    return m_ring[m_current];
}

CTextSnapshot CUndoRing::Redo() {
    m_current = (m_current + 1) % kSlots;
    const CTextSnapshot text = m_redo[m_redoTop];
    --m_redoTop;
    return text;
}
