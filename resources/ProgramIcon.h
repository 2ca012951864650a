#pragma once

#include <QIcon>
#include <QImage>

#include <array>

class QPainter;

// The editor's icon (window, About box, desktop menu) and the uninstaller's: one drawing
// each, in code, pixel by pixel at 16 pixels and as shapes at every other size. The icon
// files of the desktop theme are rendered from these same drawings when the program is
// built. Only Qt is used here, so the uninstaller and the icon exporter compile this file
// on their own.
QIcon ProgramIcon();
QIcon UninstallIcon();

// The sizes the icons come in, for the window and for the desktop theme.
inline constexpr std::array<int, 7> kProgramIconSizes{16, 24, 32, 48, 64, 128, 256};

// Paint the icon into the square (0, 0, size, size) of p's current coordinates.
void PaintProgramIcon(QPainter& p, qreal size);
void PaintUninstallIcon(QPainter& p, qreal size);
// One of the painters above, rendered into a transparent image of size x size pixels.
QImage RenderIcon(void (*paint)(QPainter&, qreal), int size);
