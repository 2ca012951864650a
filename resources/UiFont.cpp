#include "resources/UiFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void PreferJapaneseGlyphs() {
    // Debian's fonts-noto-cjk first, then the other Japanese gothic fonts Debian packages.
    const QStringList japanese{"Noto Sans CJK JP",      "IPAPGothic", "VL PGothic",
                               "TakaoPGothic",          "IPAGothic",  "VL Gothic",
                               "Noto Sans Mono CJK JP", "IPAexGothic"};
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : japanese) {
        if (!installed.contains(family))
            continue;
        QFont font = QApplication::font();
        QStringList families = font.families();
        if (families.isEmpty())
            families.append(font.family());
        families.removeAll(family);
        families.prepend(family);
        font.setFamilies(families);
        QApplication::setFont(font);
        return;
    }
}
