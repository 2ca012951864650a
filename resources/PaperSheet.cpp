#include "resources/PaperSheet.h"

#include <QPainter>
#include <QPainterPath>

void DrawPaperSheet(QPainter& p, const QRectF& box, qreal ear, QRgb edge, QRgb paper, QRgb fold) {
    // Half-pixel insets put the one-unit strokes exactly on the box's outer pixels.
    const qreal l = box.left() + 0.5, t = box.top() + 0.5, r = box.right() - 0.5, b = box.bottom() - 0.5;
    QPainterPath outline;
    outline.moveTo(l, t);
    outline.lineTo(r - ear, t);
    outline.lineTo(r, t + ear);
    outline.lineTo(r, b);
    outline.lineTo(l, b);
    outline.closeSubpath();
    p.fillPath(outline, QColor(paper));
    QPainterPath flap;
    flap.moveTo(r - ear, t);
    flap.lineTo(r - ear, t + ear);
    flap.lineTo(r, t + ear);
    p.fillPath(flap, QColor(fold));
    const QPen pen(QColor(edge), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.strokePath(flap, pen);
    p.strokePath(outline, pen);
}
