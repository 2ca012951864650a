#include "resources/ProgramIcon.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

QImage Picture(const QIcon& icon, int size) {
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) >= 128;
    }
    return count;
}

} // namespace

TEST(ProgramIcons, BothComeDrawnAtSixteenThirtyTwoAndFortyEightPixelsAndDifferFromEachOther) {
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        const QImage editor = Picture(ProgramIcon(), size);
        const QImage uninstaller = Picture(UninstallIcon(), size);
        EXPECT_EQ(editor.size(), QSize(size, size));
        EXPECT_EQ(uninstaller.size(), QSize(size, size));
        EXPECT_GE(OpaquePixels(editor), size * size / 2);
        EXPECT_GE(OpaquePixels(uninstaller), size * size / 2);
        EXPECT_NE(editor, uninstaller);
        EXPECT_TRUE(ProgramIcon().availableSizes().contains(QSize(size, size)));
        EXPECT_TRUE(UninstallIcon().availableSizes().contains(QSize(size, size)));
    }
}
