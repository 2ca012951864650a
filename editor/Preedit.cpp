#include "editor/Preedit.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

void CPreedit::Set(const QString& text, const QList<QInputMethodEvent::Attribute>& attributes) {
    m_text = text;
    m_clauses.clear();
    m_cursor = static_cast<int>(text.size());
    m_cursorVisible = true;
    const int size = static_cast<int>(text.size());
    // Later formats win where they overlap; characters no format covers keep the plain look.
    std::vector<int> formatOf(static_cast<std::size_t>(size), -1);
    std::vector<QTextCharFormat> formats;
    for (const QInputMethodEvent::Attribute& a : attributes) {
        if (a.type == QInputMethodEvent::Cursor) {
            m_cursor = std::clamp(a.start, 0, size);
            m_cursorVisible = a.length != 0;
        } else if (a.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = qvariant_cast<QTextFormat>(a.value).toCharFormat();
            const int from = std::clamp(a.start, 0, size);
            const int to = std::clamp(a.start + a.length, from, size);
            for (int i = from; i < to; ++i)
                formatOf[static_cast<std::size_t>(i)] = static_cast<int>(formats.size());
            formats.push_back(format);
        }
    }
    for (int i = 0; i < size;) {
        const int f = formatOf[static_cast<std::size_t>(i)];
        int j = i + 1;
        while (j < size && formatOf[static_cast<std::size_t>(j)] == f)
            ++j;
        m_clauses.push_back({i, j - i, f >= 0 ? formats[static_cast<std::size_t>(f)] : QTextCharFormat()});
        i = j;
    }
}

int CPreedit::ClauseAt(int position) const {
    for (int c = 0; c < ClauseCount(); ++c) {
        if (position <
            m_clauses[static_cast<std::size_t>(c)].start + m_clauses[static_cast<std::size_t>(c)].length)
            return c;
    }
    return ClauseCount() - 1;
}

QFont CPreedit::ClauseFont(const QFont& font, int clause) const {
    QFont out = font;
    const QTextCharFormat& f = m_clauses[static_cast<std::size_t>(clause)].format;
    if (f.hasProperty(QTextFormat::FontWeight))
        out.setWeight(f.font().weight());
    if (f.hasProperty(QTextFormat::FontItalic))
        out.setItalic(f.fontItalic());
    if (f.hasProperty(QTextFormat::FontStrikeOut))
        out.setStrikeOut(f.fontStrikeOut());
    return out;
}

CPreedit::Flow CPreedit::Layout(const QFont& font, qreal x, qreal width) const {
    Flow flow;
    width = std::max<qreal>(width, 1);
    std::vector<QFontMetricsF> metrics;
    for (int c = 0; c < ClauseCount(); ++c)
        metrics.emplace_back(ClauseFont(font, c));
    int row = 0;
    for (int i = 0; i < m_text.size();) {
        const int length = m_text.at(i).isHighSurrogate() && i + 1 < m_text.size() ? 2 : 1;
        const int clause = ClauseAt(i);
        const qreal advance =
            metrics[static_cast<std::size_t>(clause)].horizontalAdvance(m_text.mid(i, length));
        // Like text, a character that would cross the right edge starts the next row.
        if (x > 0 && x + advance > width) {
            ++row;
            x = 0;
        }
        flow.pieces.push_back({i, length, clause, row, x, advance});
        x += advance;
        i += length;
    }
    flow.rows = row + 1;
    flow.endX = x;
    flow.cursorRow = row;
    flow.cursorX = x;
    for (const Piece& p : flow.pieces) {
        if (p.start >= m_cursor) {
            flow.cursorRow = p.row;
            flow.cursorX = p.x;
            break;
        }
    }
    return flow;
}

namespace {

void DrawUnderline(QPainter& painter, QTextCharFormat::UnderlineStyle style, const QColor& color, qreal x0,
                   qreal x1, qreal y, qreal thickness) {
    if (x1 <= x0)
        return;
    if (style == QTextCharFormat::WaveUnderline || style == QTextCharFormat::SpellCheckUnderline) {
        const qreal step = 2;
        QPainterPath wave(QPointF(x0, y));
        bool up = true;
        for (qreal x = x0 + step; x <= x1; x += step, up = !up)
            wave.lineTo(x, up ? y - step / 2 : y + step / 2);
        painter.setPen(QPen(color, thickness));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
        return;
    }
    Qt::PenStyle pen = Qt::SolidLine;
    switch (style) {
    case QTextCharFormat::DashUnderline:
        pen = Qt::DashLine;
        break;
    case QTextCharFormat::DotLine:
        pen = Qt::DotLine;
        break;
    case QTextCharFormat::DashDotLine:
        pen = Qt::DashDotLine;
        break;
    case QTextCharFormat::DashDotDotLine:
        pen = Qt::DashDotDotLine;
        break;
    default:
        break;
    }
    QPen p(color, thickness, pen, Qt::FlatCap);
    painter.setPen(p);
    painter.drawLine(QPointF(x0, y), QPointF(x1, y));
}

} // namespace

void CPreedit::Paint(QPainter& painter, const Flow& flow, const QFont& font, QPointF origin, qreal lineHeight,
                     qreal ascent, const QColor& textColor) const {
    painter.save();
    const auto& pieces = flow.pieces;
    // One stretch at a time: the characters of one clause on one row.
    for (std::size_t a = 0; a < pieces.size();) {
        std::size_t b = a + 1;
        while (b < pieces.size() && pieces[b].clause == pieces[a].clause && pieces[b].row == pieces[a].row)
            ++b;
        const Piece& first = pieces[a];
        const Piece& last = pieces[b - 1];
        const Clause& clause = m_clauses[static_cast<std::size_t>(first.clause)];
        const QTextCharFormat& f = clause.format;
        const QFont clauseFont = ClauseFont(font, first.clause);
        const QFontMetricsF fm(clauseFont);
        const qreal left = origin.x() + first.x;
        const qreal right = origin.x() + last.x + last.width;
        const qreal top = origin.y() + first.row * lineHeight;
        const bool filled = f.background().style() != Qt::NoBrush;
        if (filled)
            painter.fillRect(QRectF(left, top, right - left, lineHeight), f.background());
        const QColor ink = f.foreground().style() != Qt::NoBrush ? f.foreground().color() : textColor;
        painter.setFont(clauseFont);
        painter.setPen(ink);
        painter.drawText(QPointF(left, top + ascent),
                         m_text.mid(first.start, last.start + last.length - first.start));
        // A clause without a look of its own is underlined plainly, so that composed text
        // never passes for typed text; a little gap at both ends keeps the clauses apart.
        QTextCharFormat::UnderlineStyle style = f.underlineStyle();
        if (style == QTextCharFormat::NoUnderline && !filled)
            style = QTextCharFormat::SingleUnderline;
        if (style != QTextCharFormat::NoUnderline) {
            const QColor color = f.underlineColor().isValid() ? f.underlineColor() : ink;
            const qreal thickness = std::max<qreal>(1, std::round(fm.lineWidth()));
            const qreal y =
                std::min(top + ascent + std::max<qreal>(1, std::round(fm.underlinePos())) + thickness / 2,
                         top + lineHeight - thickness / 2);
            const bool clauseStart = first.start == clause.start;
            const bool clauseEnd = last.start + last.length == clause.start + clause.length;
            DrawUnderline(painter, style, color, left + (clauseStart ? 1 : 0), right - (clauseEnd ? 1 : 0), y,
                          thickness);
        }
        a = b;
    }
    painter.restore();
}
