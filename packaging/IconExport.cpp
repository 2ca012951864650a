// Writes the icon files of the desktop theme from the drawings the programs use for their
// windows, so the menu, the task bar and the window always show the same picture:
//   vuro-icons <folder> <editor icon name> <uninstaller icon name>
// gives <folder>/hicolor/<n>x<n>/apps/<name>.png for every size and
// <folder>/hicolor/scalable/apps/<name>.svg.
#include "resources/ProgramIcon.h"

#include <QDir>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool Export(const QString& root, const QString& name, void (*paint)(QPainter&, qreal)) {
    for (int size : kProgramIconSizes) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(folder) || !RenderIcon(paint, size).save(folder + '/' + name + ".png", "PNG"))
            return false;
    }
    const QString folder = root + "/hicolor/scalable/apps";
    if (!QDir().mkpath(folder))
        return false;
    // The shapes scaled to 256 units; the pixel-exact drawing of 16 pixels stays in the PNG.
    constexpr int kUnits = 256;
    QSvgGenerator svg;
    svg.setFileName(folder + '/' + name + ".svg");
    svg.setSize(QSize(kUnits, kUnits));
    svg.setViewBox(QRect(0, 0, kUnits, kUnits));
    svg.setTitle(name);
    QPainter p;
    if (!p.begin(&svg))
        return false;
    paint(p, kUnits);
    return p.end();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: vuro-icons <folder> <editor icon name> <uninstaller icon name>\n", stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    if (!Export(root, QString::fromLocal8Bit(argv[2]), PaintProgramIcon) ||
        !Export(root, QString::fromLocal8Bit(argv[3]), PaintUninstallIcon)) {
        std::fprintf(stderr, "vuro-icons: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
