#include "resources/ProgramIcon.h"
#include "resources/PaperSheet.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr QRgb kPaper = 0xffffffff;
constexpr QRgb kEdge = 0xff5d6876;
constexpr QRgb kFold = 0xffd3d9e0;
constexpr QRgb kBlue = 0xff2f7ed8;
constexpr QRgb kBlueDark = 0xff1f5ea8;
constexpr QRgb kRed = 0xffe0464b;
constexpr QRgb kRedDark = 0xffb02a30;

void Fill(QPainter& p, qreal x, qreal y, qreal w, qreal h, QRgb c) {
    p.fillRect(QRectF(x, y, w, h), QColor(c));
}

// Drawing works in a 16-unit square scaled to the icon's size, so whole-unit edges stay
// on whole pixels at 16, 32, 48 and the larger theme sizes.
void Sheet(QPainter& p) {
    DrawPaperSheet(p, QRectF(0, 0, 16, 16), 4, kEdge, kPaper, kFold);
    Fill(p, 1, 1, 10, 2, kBlue);
}

// "</>" on the sheet: drawn pixel by pixel at 16, as strokes at the larger sizes.
void Markup(QPainter& p, qreal scale) {
    if (scale == 1) {
        const char* rows[] = {"...#...#.#...", "..#....#..#..", ".#....#....#.", "#.....#.....#",
                              ".#....#....#.", "..#..#....#..", "...#.#...#..."};
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; rows[row][col]; ++col) {
                if (rows[row][col] == '#')
                    Fill(p, 1 + col, 5 + row, 1, 1, col >= 5 && col <= 7 ? kBlueDark : kBlue);
            }
        }
        return;
    }
    QPainterPath marks;
    marks.moveTo(5.5, 5);
    marks.lineTo(2.5, 8.25);
    marks.lineTo(5.5, 11.5);
    marks.moveTo(10.5, 5);
    marks.lineTo(13.5, 8.25);
    marks.lineTo(10.5, 11.5);
    p.strokePath(marks, QPen(QColor(kBlue), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath slash;
    slash.moveTo(9, 4.75);
    slash.lineTo(7, 11.75);
    p.strokePath(slash, QPen(QColor(kBlueDark), 1.5, Qt::SolidLine, Qt::RoundCap));
    Fill(p, 2.5, 13.25, 7, 0.75, kFold);
}

void DrawProgram(QPainter& p, qreal scale) {
    Sheet(p);
    Markup(p, scale);
    if (scale == 1)
        Fill(p, 2, 13, 7, 1, kFold);
}

// A red round badge with a white cross over the sheet: "remove".
void DrawUninstall(QPainter& p, qreal scale) {
    Sheet(p);
    Markup(p, scale);
    if (scale == 1) {
        const char* rows[] = {".rrrrr.", "rwrrrwr", "rrwrwrr", "rrrwrrr", "rrwrwrr", "rwrrrwr", ".rrrrr."};
        Fill(p, 8, 9, 1, 6, kPaper);
        Fill(p, 9, 8, 6, 1, kPaper);
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 7; ++col) {
                if (rows[row][col] != '.')
                    Fill(p, 9 + col, 9 + row, 1, 1, rows[row][col] == 'w' ? kPaper : kRed);
            }
        }
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kPaper));
    p.drawEllipse(QRectF(7, 7, 9, 9));
    p.setBrush(QColor(kRed));
    p.drawEllipse(QRectF(8, 8, 8, 8));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(kRedDark), 1.0 / scale));
    p.drawEllipse(QRectF(8 + 0.5 / scale, 8 + 0.5 / scale, 8 - 1.0 / scale, 8 - 1.0 / scale));
    QPainterPath cross;
    cross.moveTo(10.25, 10.25);
    cross.lineTo(13.75, 13.75);
    cross.moveTo(13.75, 10.25);
    cross.lineTo(10.25, 13.75);
    p.strokePath(cross, QPen(QColor(kPaper), 1.25, Qt::SolidLine, Qt::RoundCap));
}

void Paint(QPainter& p, void (*draw)(QPainter&, qreal), qreal size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16, size / 16);
    draw(p, size / 16);
    p.restore();
}

QIcon Build(void (*paint)(QPainter&, qreal)) {
    QIcon icon;
    for (int size : kProgramIconSizes)
        icon.addPixmap(QPixmap::fromImage(RenderIcon(paint, size)));
    return icon;
}

} // namespace

void PaintProgramIcon(QPainter& p, qreal size) {
    Paint(p, DrawProgram, size);
}

void PaintUninstallIcon(QPainter& p, qreal size) {
    Paint(p, DrawUninstall, size);
}

QImage RenderIcon(void (*paint)(QPainter&, qreal), int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paint(p, size);
    p.end();
    return image;
}

QIcon ProgramIcon() {
    return Build(PaintProgramIcon);
}

QIcon UninstallIcon() {
    return Build(PaintUninstallIcon);
}
