#pragma once

#include <QRgb>

class QPainter;
class QRectF;

// A sheet of paper with a folded top-right corner of ear units, its edge on the outermost
// pixels of box. Shared by the tool-bar images and the program icon.
void DrawPaperSheet(QPainter& p, const QRectF& box, qreal ear, QRgb edge, QRgb paper, QRgb fold);
