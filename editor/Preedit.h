#pragma once

#include <QColor>
#include <QFont>
#include <QInputMethodEvent>
#include <QPointF>
#include <QString>
#include <QTextCharFormat>

#include <vector>

class QPainter;

// The text an input method is composing at the caret, drawn the way the input method asks:
// each clause with its format (the clause being converted highlighted, underline styles),
// the cursor where the input method puts it or hidden. It flows from the caret like typed
// text and wraps at the right edge.
class CPreedit {
public:
    // Takes over the preedit string, its text formats and its cursor from an input-method event.
    void Set(const QString& text, const QList<QInputMethodEvent::Attribute>& attributes);
    void Clear() { Set({}, {}); }
    bool IsEmpty() const { return m_text.isEmpty(); }
    const QString& Text() const { return m_text; }
    // The cursor inside the preedit, in UTF-16 units; a cursor of length 0 is hidden.
    int Cursor() const { return m_cursor; }
    bool CursorVisible() const { return m_cursorVisible; }

    // Where the preedit's characters go when it starts at x of a row wrap width wide; rows are
    // counted from the row holding the caret.
    struct Piece {
        int start = 0; // in UTF-16 units
        int length = 0;
        int clause = 0;
        int row = 0;
        qreal x = 0;
        qreal width = 0;
    };
    struct Flow {
        std::vector<Piece> pieces;
        int rows = 1;
        qreal endX = 0; // where the text behind the preedit goes on, on the last row
        int cursorRow = 0;
        qreal cursorX = 0;
    };
    Flow Layout(const QFont& font, qreal x, qreal width) const;

    // Draws a flow whose first row's top left is origin (the row's x 0).
    void Paint(QPainter& painter, const Flow& flow, const QFont& font, QPointF origin, qreal lineHeight,
               qreal ascent, const QColor& textColor) const;

    // The clause holding a UTF-16 position and its format (an unformatted stretch is a clause too).
    int ClauseAt(int position) const;
    int ClauseCount() const { return static_cast<int>(m_clauses.size()); }

private:
    struct Clause {
        int start = 0;
        int length = 0;
        QTextCharFormat format;
    };
    QFont ClauseFont(const QFont& font, int clause) const;

    QString m_text;
    std::vector<Clause> m_clauses; // in order; together they cover the text
    int m_cursor = 0;
    bool m_cursorVisible = true;
};
