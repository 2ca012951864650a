#include "resources/ToolBarImages.h"

#include "resources/CommandIds.h"
#include "resources/PaperSheet.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <cstring>
#include <functional>

namespace {

// One palette for the whole set, so the buttons read as a family.
constexpr QRgb kInk = 0xff36404e;     // letters, outlines of objects
constexpr QRgb kInkSoft = 0xff7a8594; // text lines in pictograms
constexpr QRgb kEdge = 0xff6d7886;    // paper edges
constexpr QRgb kPaper = 0xffffffff;
constexpr QRgb kFold = 0xffd3d9e0; // folded corner, faint parts
constexpr QRgb kRule = 0xffaab4c0; // text lines on paper
constexpr QRgb kBlue = 0xff2f7ed8;
constexpr QRgb kBlueDark = 0xff1f5ea8;
constexpr QRgb kBlueLight = 0xffbcd9f8;
constexpr QRgb kGreen = 0xff2f9e5c;
constexpr QRgb kGreenDark = 0xff217443;
constexpr QRgb kAmber = 0xfff7c04a;
constexpr QRgb kAmberDark = 0xffdc9a22;
constexpr QRgb kAmberEdge = 0xffa8700f;
constexpr QRgb kRed = 0xffe0464b;
constexpr QRgb kPurple = 0xff8a5cd0;
constexpr QRgb kRedDark = 0xffb02a30;
constexpr QRgb kMetal = 0xffdde3ea;
constexpr QRgb kBoard = 0xffb8844a;
constexpr QRgb kBoardEdge = 0xff7f5628;

using DrawFn = void (*)(QPainter&);

// Drawing works in a 16-unit square; the painter is scaled to the pixmap's size, so every
// rectangle with whole-unit corners covers whole pixels at 16 and at 32 pixels.
void Fill(QPainter& p, qreal x, qreal y, qreal w, qreal h, QRgb c) {
    p.fillRect(QRectF(x, y, w, h), QColor(c));
}

void Dot(QPainter& p, qreal x, qreal y, QRgb c) {
    Fill(p, x, y, 1, 1, c);
}

// A small picture given as rows of '#' (drawn) and '.' (left clear).
void Bits(QPainter& p, int x, int y, std::initializer_list<const char*> rows, QRgb c) {
    int row = 0;
    for (const char* line : rows) {
        for (int col = 0; line[col] != '\0'; ++col) {
            if (line[col] == '#')
                Dot(p, x + col, y + row, c);
        }
        ++row;
    }
}

// A box with a one-unit edge; soft boxes leave the corner pixels out, which rounds them.
void Box(QPainter& p, int x, int y, int w, int h, QRgb fill, QRgb edge, bool soft = true) {
    const int s = soft ? 1 : 0;
    Fill(p, x + 1, y + 1, w - 2, h - 2, fill);
    Fill(p, x + s, y, w - 2 * s, 1, edge);
    Fill(p, x + s, y + h - 1, w - 2 * s, 1, edge);
    Fill(p, x, y + s, 1, h - 2 * s, edge);
    Fill(p, x + w - 1, y + s, 1, h - 2 * s, edge);
}

void Stroke(QPainter& p, const QPainterPath& path, QRgb c, qreal width, Qt::PenCapStyle cap = Qt::FlatCap,
            Qt::PenJoinStyle join = Qt::MiterJoin) {
    p.strokePath(path, QPen(QColor(c), width, Qt::SolidLine, cap, join));
}

void FillPolygon(QPainter& p, std::initializer_list<QPointF> points, QRgb c) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    p.fillPath(path, QColor(c));
}

// A sheet of paper with a folded top-right corner, its edge on the outermost pixels.
void Page(QPainter& p, int x, int y, int w, int h, bool lines = false) {
    DrawPaperSheet(p, QRectF(x, y, w, h), 3, kEdge, kPaper, kFold);
    if (lines) {
        for (int ly = y + 5; ly < y + h - 2; ly += 2)
            Fill(p, x + 2, ly, w - 4, 1, kRule);
    }
}

// A letter in a real typeface, hinted at the pixmap's own size.
void Letter(QPainter& p, const QRectF& box, const QString& text, const QString& family, qreal pixelSize,
            QRgb c, bool bold = true, bool italic = false) {
    p.save();
    const QTransform t = p.transform();
    p.resetTransform();
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixelSize * t.m11())));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    p.setFont(font);
    p.setPen(QColor(c));
    p.drawText(t.mapRect(box), Qt::AlignCenter, text);
    p.restore();
}

// Tag names of the text-type buttons are drawn in a condensed 7-pixel-high bitmap face,
// which stays sharp at 16 pixels where a scalable face turns to grey smudges.
const char* const* TagGlyph(char c) {
    static const char* const kA[] = {".#.", "#.#", "#.#", "#.#", "###", "#.#", "#.#", nullptr};
    static const char* const kB[] = {"##.", "#.#", "#.#", "##.", "#.#", "#.#", "##.", nullptr};
    static const char* const kC[] = {".##", "#..", "#..", "#..", "#..", "#..", ".##", nullptr};
    static const char* const kD[] = {"##.", "#.#", "#.#", "#.#", "#.#", "#.#", "##.", nullptr};
    static const char* const kE[] = {"###", "#..", "#..", "##.", "#..", "#..", "###", nullptr};
    static const char* const kF[] = {"###", "#..", "#..", "##.", "#..", "#..", "#..", nullptr};
    static const char* const kG[] = {".##.", "#..#", "#...", "#.##", "#..#", "#..#", ".##.", nullptr};
    static const char* const kH[] = {"#.#", "#.#", "#.#", "###", "#.#", "#.#", "#.#", nullptr};
    static const char* const kI[] = {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###", nullptr};
    static const char* const kL[] = {"#..", "#..", "#..", "#..", "#..", "#..", "###", nullptr};
    static const char* const kM[] = {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#", nullptr};
    static const char* const kN[] = {"#..#", "##.#", "##.#", "#.##", "#.##", "#..#", "#..#", nullptr};
    static const char* const kO[] = {".#.", "#.#", "#.#", "#.#", "#.#", "#.#", ".#.", nullptr};
    static const char* const kP[] = {"##.", "#.#", "#.#", "##.", "#..", "#..", "#..", nullptr};
    static const char* const kQ[] = {".##.", "#..#", "#..#", "#..#", "#.##", "#..#", ".##.", "...#", nullptr};
    static const char* const kR[] = {"##.", "#.#", "#.#", "##.", "#.#", "#.#", "#.#", nullptr};
    static const char* const kT[] = {"###", ".#.", ".#.", ".#.", ".#.", ".#.", ".#.", nullptr};
    static const char* const kU[] = {"#.#", "#.#", "#.#", "#.#", "#.#", "#.#", "###", nullptr};
    switch (c) {
    case 'A':
        return kA;
    case 'B':
        return kB;
    case 'C':
        return kC;
    case 'D':
        return kD;
    case 'E':
        return kE;
    case 'F':
        return kF;
    case 'G':
        return kG;
    case 'H':
        return kH;
    case 'I':
        return kI;
    case 'L':
        return kL;
    case 'M':
        return kM;
    case 'N':
        return kN;
    case 'O':
        return kO;
    case 'P':
        return kP;
    case 'Q':
        return kQ;
    case 'R':
        return kR;
    case 'T':
        return kT;
    case 'U':
        return kU;
    default:
        return nullptr;
    }
}

// The tag name sits above a short bar in the colour of its group of buttons.
void TagName(QPainter& p, const char* name, QRgb accent) {
    int width = -1;
    for (const char* c = name; *c; ++c) {
        if (const char* const* glyph = TagGlyph(*c))
            width += int(std::strlen(glyph[0])) + 1;
    }
    const int left = (16 - width) / 2;
    int x = left;
    const int y = 3;
    for (const char* c = name; *c; ++c) {
        const char* const* glyph = TagGlyph(*c);
        if (!glyph)
            continue;
        for (int row = 0; glyph[row]; ++row) {
            for (int col = 0; glyph[row][col]; ++col) {
                if (glyph[row][col] == '#')
                    Dot(p, x + col, y + row, kInk);
            }
        }
        x += int(std::strlen(glyph[0])) + 1;
    }
    const int barWidth = qMax(width + 2, 7);
    Fill(p, (16 - barWidth) / 2, 12, barWidth, 2, accent);
}

// Pictures of the buttons that are not tags.

void DrawNew(QPainter& p) {
    Page(p, 2, 1, 10, 14, true);
    Fill(p, 10, 8, 4, 8, kPaper);
    Fill(p, 8, 10, 8, 4, kPaper);
    Fill(p, 11, 9, 2, 6, kGreen);
    Fill(p, 9, 11, 6, 2, kGreen);
}

void Sparkle(QPainter& p, qreal cx, qreal cy, qreal r, QRgb c) {
    const qreal k = r * 0.3;
    FillPolygon(p,
                {{cx, cy - r},
                 {cx + k, cy - k},
                 {cx + r, cy},
                 {cx + k, cy + k},
                 {cx, cy + r},
                 {cx - k, cy + k},
                 {cx - r, cy},
                 {cx - k, cy - k}},
                c);
}

void DrawWizard(QPainter& p) {
    Page(p, 1, 1, 10, 14, true);
    QPainterPath wand;
    wand.moveTo(6.5, 14.5);
    wand.lineTo(12.5, 8.5);
    Stroke(p, wand, kPaper, 3.5, Qt::RoundCap);
    Stroke(p, wand, kInk, 1.6, Qt::RoundCap);
    Sparkle(p, 12.5, 5.5, 3.5, kAmberEdge);
    Sparkle(p, 12.5, 5.5, 2.6, kAmber);
    Dot(p, 15, 9, kAmberDark);
    Dot(p, 9, 3, kAmberDark);
}

void DrawBlank(QPainter& p) {
    Page(p, 3, 1, 10, 14);
}

void DrawOpen(QPainter& p) {
    Box(p, 1, 3, 13, 11, kAmberDark, kAmberEdge);
    Fill(p, 2, 2, 4, 1, kAmberEdge);
    Fill(p, 2, 3, 4, 1, kAmberDark);
    QPainterPath flap;
    flap.moveTo(3.5, 6.5);
    flap.lineTo(15.5, 6.5);
    flap.lineTo(13.5, 13.5);
    flap.lineTo(1.5, 13.5);
    flap.closeSubpath();
    p.fillPath(flap, QColor(kAmber));
    Stroke(p, flap, kAmberEdge, 1);
}

void DrawSave(QPainter& p) {
    QPainterPath body;
    body.moveTo(1.5, 2.5);
    body.quadTo(1.5, 1.5, 2.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 13.5);
    body.quadTo(14.5, 14.5, 13.5, 14.5);
    body.lineTo(2.5, 14.5);
    body.quadTo(1.5, 14.5, 1.5, 13.5);
    body.closeSubpath();
    p.fillPath(body, QColor(kBlue));
    Stroke(p, body, kBlueDark, 1);
    Box(p, 4, 1, 8, 5, kMetal, kBlueDark, false);
    Fill(p, 9, 2, 2, 3, kBlueDark);
    Box(p, 3, 8, 10, 7, kPaper, kBlueDark, false);
    Fill(p, 5, 10, 6, 1, kRule);
    Fill(p, 5, 12, 6, 1, kRule);
}

void DrawCut(QPainter& p) {
    QPainterPath blades;
    blades.moveTo(6.2, 9.5);
    blades.lineTo(11.5, 1.5);
    blades.moveTo(9.8, 9.5);
    blades.lineTo(4.5, 1.5);
    Stroke(p, blades, kInk, 1.4, Qt::RoundCap);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(kRed), 1.5));
    p.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
}

void DrawCopy(QPainter& p) {
    Page(p, 1, 1, 9, 11);
    Page(p, 6, 4, 9, 11, true);
}

void DrawPaste(QPainter& p) {
    Box(p, 2, 2, 12, 13, kBoard, kBoardEdge);
    Box(p, 4, 4, 8, 10, kPaper, kEdge, false);
    for (int y = 7; y <= 11; y += 2)
        Fill(p, 5, y, 6, 1, kRule);
    Box(p, 5, 1, 6, 4, kMetal, kEdge);
}

// Three text lines, each ending in a small return arrow.
void DrawBrAtLineEnds(QPainter& p) {
    for (int y = 1; y <= 11; y += 5) {
        Fill(p, 1, y + 2, 7, 2, kInkSoft);
        Bits(p, 10, y, {"....#", ".#..#", "#####", ".#..."}, kBlue);
    }
}

void DrawEntities(QPainter& p) {
    Letter(p, QRectF(0, 0, 11, 16), QStringLiteral("&"), QStringLiteral("DejaVu Sans"), 13, kInk);
    Fill(p, 12, 6, 2, 2, kBlue);
    Fill(p, 12, 10, 2, 3, kBlue);
    Dot(p, 11, 13, kBlue);
}

void UndoArrow(QPainter& p) {
    QPainterPath arc;
    arc.moveTo(12.5, 13);
    arc.lineTo(12.5, 9);
    arc.arcTo(QRectF(4, 4.5, 8.5, 9), 0, 180);
    Stroke(p, arc, kBlue, 2);
    FillPolygon(p, {{1.25, 8.5}, {6.75, 8.5}, {4, 12.5}}, kBlue);
}

void DrawUndo(QPainter& p) {
    UndoArrow(p);
}

void DrawRedo(QPainter& p) {
    p.save();
    p.translate(16, 0);
    p.scale(-1, 1);
    UndoArrow(p);
    p.restore();
}

void DrawDate(QPainter& p) {
    Box(p, 1, 2, 14, 13, kPaper, kEdge);
    Fill(p, 1, 3, 14, 3, kRed);
    Fill(p, 2, 2, 12, 1, kRedDark);
    Fill(p, 4, 1, 1, 3, kInk);
    Fill(p, 11, 1, 1, 3, kInk);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const bool today = row == 1 && col == 2;
            Fill(p, 3 + col * 3, 7 + row * 2 + (row > 0 ? row - 1 : 0), 2, 1, today ? kBlue : kRule);
        }
    }
}

void DrawTime(QPainter& p) {
    p.setPen(QPen(QColor(kInk), 1));
    p.setBrush(QColor(kPaper));
    p.drawEllipse(QRectF(1.5, 1.5, 12, 12));
    Dot(p, 7, 3, kInkSoft);
    Dot(p, 11, 7, kInkSoft);
    Dot(p, 7, 11, kInkSoft);
    Dot(p, 3, 7, kInkSoft);
    Fill(p, 7, 5, 1, 3, kInk);
    QPainterPath minute;
    minute.moveTo(7.5, 7.5);
    minute.lineTo(10, 10);
    Stroke(p, minute, kBlue, 1.2, Qt::RoundCap);
    Dot(p, 7, 7, kRed);
}

// An arrow leading to a caret placed beside a ">" or "<".
void JumpNext(QPainter& p, bool open) {
    Fill(p, 1, 2, 9, 1, kBlue);
    Bits(p, 10, 0, {"#..", "##.", "###", "##.", "#.."}, kBlue);
    if (open)
        Bits(p, 6, 7, {"...#", "..#.", ".#..", "#...", ".#..", "..#.", "...#"}, kInk);
    else
        Bits(p, 6, 7, {"#...", ".#..", "..#.", "...#", "..#.", ".#..", "#..."}, kInk);
    Fill(p, 12, 7, 1, 7, kBlueDark);
    Fill(p, 11, 6, 3, 1, kBlueDark);
    Fill(p, 11, 14, 3, 1, kBlueDark);
}

void DrawJumpNextClose(QPainter& p) {
    JumpNext(p, false);
}

void DrawJumpPrevOpen(QPainter& p) {
    p.save();
    p.translate(16, 0);
    p.scale(-1, 1);
    JumpNext(p, true);
    p.restore();
}

void DrawPreview(QPainter& p) {
    p.setPen(QPen(QColor(kBlue), 1));
    p.setBrush(QColor(kBlueLight));
    p.drawEllipse(QRectF(1.5, 1.5, 12, 12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4.5, 1.5, 6, 12));
    Fill(p, 3, 4, 9, 1, kBlue);
    Fill(p, 2, 7, 11, 1, kBlue);
    Fill(p, 3, 10, 9, 1, kBlue);
    Fill(p, 7, 2, 1, 11, kBlue);
}

void DrawEditSelected(QPainter& p) {
    Page(p, 1, 1, 10, 14, true);
    QPainterPath pencil;
    pencil.moveTo(6.5, 14.5);
    pencil.lineTo(14, 7);
    Stroke(p, pencil, kPaper, 5, Qt::FlatCap);
    Stroke(p, pencil, kAmberEdge, 3.6, Qt::FlatCap);
    Stroke(p, pencil, kAmber, 1.6, Qt::FlatCap);
    QPainterPath eraser;
    eraser.moveTo(12.6, 8.4);
    eraser.lineTo(14.5, 6.5);
    Stroke(p, eraser, kRed, 3.6, Qt::FlatCap);
    FillPolygon(p, {{4.6, 15.4}, {5.2, 12.4}, {7.6, 14.8}}, kInk);
}

// Pictograms of the tag buttons.

void DrawLink(QPainter& p) {
    for (int side = 0; side < 2; ++side) {
        const int x = side == 0 ? 0 : 9;
        Fill(p, x + (side == 0 ? 2 : 0), 4, 5, 2, kBlue);
        Fill(p, x + (side == 0 ? 2 : 0), 10, 5, 2, kBlue);
        Fill(p, side == 0 ? 0 : 14, 6, 2, 4, kBlue);
        Dot(p, side == 0 ? 1 : 14, 5, kBlue);
        Dot(p, side == 0 ? 1 : 14, 10, kBlue);
    }
    Fill(p, 4, 7, 8, 2, kBlueDark);
}

void DrawImage(QPainter& p) {
    Box(p, 1, 2, 14, 12, 0xffd8ecfd, kInk, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kAmber));
    p.drawEllipse(QRectF(9.5, 3.5, 3, 3));
    FillPolygon(p, {{2, 13}, {6, 7}, {9, 10.5}, {11, 8.5}, {14, 12}, {14, 13}}, kGreen);
    FillPolygon(p, {{6, 7}, {7.2, 8.8}, {6, 8.2}, {4.9, 8.6}}, kPaper);
}

void DrawBr(QPainter& p) {
    QPainterPath bend;
    bend.moveTo(12, 2);
    bend.lineTo(12, 9);
    bend.lineTo(5, 9);
    Stroke(p, bend, kBlue, 2);
    FillPolygon(p, {{1.5, 9}, {6, 5}, {6, 13}}, kBlue);
}

void DrawParagraph(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kInk));
    p.drawPie(QRectF(3, 2, 8, 8), 90 * 16, 180 * 16);
    Fill(p, 7, 2, 7, 2, kInk);
    Fill(p, 7, 2, 2, 13, kInk);
    Fill(p, 11, 2, 2, 13, kInk);
}

void DrawCenter(QPainter& p) {
    const int widths[] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i)
        Fill(p, 8 - widths[i] / 2, 2 + i * 4, widths[i], 2, i % 2 ? kInkSoft : kInk);
}

void DrawRule(QPainter& p) {
    Fill(p, 1, 2, 14, 1, kRule);
    Fill(p, 1, 4, 10, 1, kRule);
    Fill(p, 1, 7, 14, 2, kInk);
    Fill(p, 1, 11, 14, 1, kRule);
    Fill(p, 1, 13, 9, 1, kRule);
}

void DrawBlockquote(QPainter& p) {
    Fill(p, 1, 2, 14, 2, kInkSoft);
    Fill(p, 3, 6, 2, 5, kBlue);
    Fill(p, 7, 6, 8, 1, kInk);
    Fill(p, 7, 8, 8, 1, kInk);
    Fill(p, 7, 10, 6, 1, kInk);
    Fill(p, 1, 13, 11, 2, kInkSoft);
}

void DrawFont(QPainter& p) {
    Letter(p, QRectF(0, -1, 16, 14), QStringLiteral("A"), QStringLiteral("DejaVu Sans"), 12, kInk);
    Fill(p, 2, 12, 12, 3, kRed);
}

void DrawBold(QPainter& p) {
    Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("B"), QStringLiteral("DejaVu Sans"), 14, kInk);
}

void DrawItalic(QPainter& p) {
    Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("I"), QStringLiteral("DejaVu Serif"), 14, kInk, true,
           true);
}

// A three by three table with a header row; the highlight marks a row or a cell.
enum class TablePart { kNone, kRow, kCell };

void Table(QPainter& p, TablePart part) {
    Box(p, 2, 2, 13, 13, kPaper, kInk, false);
    Fill(p, 3, 3, 11, 3, kBlueLight);
    if (part == TablePart::kRow)
        Fill(p, 3, 7, 11, 3, kAmber);
    if (part == TablePart::kCell)
        Fill(p, 7, 7, 3, 3, kAmber);
    for (int i = 6; i <= 10; i += 4) {
        Fill(p, 3, i, 11, 1, kEdge);
        Fill(p, i, 3, 1, 11, kEdge);
    }
    if (part == TablePart::kRow) {
        Fill(p, 2, 6, 13, 1, kAmberEdge);
        Fill(p, 2, 10, 13, 1, kAmberEdge);
    }
    if (part == TablePart::kCell)
        Box(p, 6, 6, 5, 5, kAmber, kAmberEdge, false);
}

void DrawTable(QPainter& p) {
    Table(p, TablePart::kNone);
}
void DrawRow(QPainter& p) {
    Table(p, TablePart::kRow);
}
void DrawCell(QPainter& p) {
    Table(p, TablePart::kCell);
}

void DrawOrderedList(QPainter& p) {
    Bits(p, 1, 1, {".#.", "##.", ".#.", ".#.", "###"}, kBlue);
    Bits(p, 1, 6, {"##.", "..#", ".#.", "#..", "###"}, kBlue);
    Bits(p, 1, 11, {"##.", "..#", ".#.", "..#", "##."}, kBlue);
    for (int y = 2; y <= 12; y += 5)
        Fill(p, 6, y, 9, 2, kInkSoft);
}

void DrawUnorderedList(QPainter& p) {
    for (int y = 2; y <= 12; y += 5) {
        Box(p, 1, y - 1, 4, 4, kBlue, kBlue);
        Fill(p, 6, y, 9, 2, kInkSoft);
    }
}

void DrawListItem(QPainter& p) {
    Box(p, 1, 1, 4, 4, kFold, kFold);
    Fill(p, 6, 2, 9, 2, kFold);
    Box(p, 1, 6, 4, 4, kBlue, kBlue);
    Fill(p, 6, 7, 9, 2, kInk);
    Box(p, 1, 11, 4, 4, kFold, kFold);
    Fill(p, 6, 12, 9, 2, kFold);
}

struct CButtonArt {
    int id;
    const char* tagName; // the text-type caption of a tag button, null for other buttons
    QRgb accent;         // the colour of the tag button's group
    DrawFn picture;
};

const CButtonArt* FindArt(int id) {
    using namespace Cmd;
    static const CButtonArt kArt[] = {
        {kFileNew, nullptr, 0, DrawNew},
        {kNewWizard, nullptr, 0, DrawWizard},
        {kFileBlank, nullptr, 0, DrawBlank},
        {kFileOpen, nullptr, 0, DrawOpen},
        {kFileSave, nullptr, 0, DrawSave},
        {kEditCut, nullptr, 0, DrawCut},
        {kEditCopy, nullptr, 0, DrawCopy},
        {kEditPaste, nullptr, 0, DrawPaste},
        {kBrAtLineEnds, nullptr, 0, DrawBrAtLineEnds},
        {kConvertEntities, nullptr, 0, DrawEntities},
        {kEditUndo, nullptr, 0, DrawUndo},
        {kEditRedo, nullptr, 0, DrawRedo},
        {kTagLinkDlg, "A", kBlue, DrawLink},
        {kTagImageDlg, "IMG", kBlue, DrawImage},
        {kTagBr, "BR", kPurple, DrawBr},
        {kTagParagraphDlg, "P", kPurple, DrawParagraph},
        {kTagCenter, "CEN", kPurple, DrawCenter},
        {kTagRuleDlg, "HR", kPurple, DrawRule},
        {kTagBlockquote, "BQ", kPurple, DrawBlockquote},
        {kTagFontDlg, "FONT", kRed, DrawFont},
        {kTagBold, "B", kRed, DrawBold},
        {kTagItalic, "I", kRed, DrawItalic},
        {kTagTableDlg, "TBL", kAmberDark, DrawTable},
        {kTagRowDlg, "TR", kAmberDark, DrawRow},
        {kTagCellDlg, "TD", kAmberDark, DrawCell},
        {kTagOrderedListDlg, "OL", kGreen, DrawOrderedList},
        {kTagUnorderedList, "UL", kGreen, DrawUnorderedList},
        {kTagListItem, "LI", kGreen, DrawListItem},
        {kInsertDate, nullptr, 0, DrawDate},
        {kInsertTime, nullptr, 0, DrawTime},
        {kJumpNextClose, nullptr, 0, DrawJumpNextClose},
        {kJumpPrevOpen, nullptr, 0, DrawJumpPrevOpen},
        {kPreview, nullptr, 0, DrawPreview},
        {kEditSelectedFile, nullptr, 0, DrawEditSelected},
    };
    for (const CButtonArt& art : kArt) {
        if (art.id == id)
            return &art;
    }
    return nullptr;
}

QPixmap Render(const std::function<void(QPainter&)>& draw, int scale) {
    QImage image(16 * scale, 16 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    draw(p);
    p.end();
    return QPixmap::fromImage(image);
}

} // namespace

QIcon ToolBarIcon(int commandId, bool textType) {
    const CButtonArt* art = FindArt(commandId);
    if (!art)
        return QIcon();
    std::function<void(QPainter&)> draw = art->picture;
    if (textType && art->tagName) {
        const char* name = art->tagName;
        const QRgb accent = art->accent;
        draw = [name, accent](QPainter& p) { TagName(p, name, accent); };
    }
    QIcon icon;
    icon.addPixmap(Render(draw, 1));
    icon.addPixmap(Render(draw, 2));
    return icon;
}
