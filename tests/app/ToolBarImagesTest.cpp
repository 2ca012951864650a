#include "resources/ToolBarImages.h"
#include "resources/ToolBarTable.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

// The tag buttons of the tool bar; every other button is a file, edit or text command.
const std::set<int> kTagButtons = {32775, 32779, 32774, 32857, 32781, 32782, 32865, 32792,
                                   32859, 32860, 32785, 32789, 32787, 32868, 32869, 32873};

std::vector<int> Buttons() {
    std::vector<int> ids;
    for (int id : ToolBarButtons()) {
        if (id != 0)
            ids.push_back(id);
    }
    return ids;
}

QImage Picture(int id, bool textType, qreal ratio = 1.0, QIcon::Mode mode = QIcon::Normal) {
    return ToolBarIcon(id, textType)
        .pixmap(QSize(16, 16), ratio, mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) >= 128)
                ++count;
        }
    }
    return count;
}

} // namespace

TEST(ToolBarImages, EveryButtonHasAVisiblePictureOfBothTypesAtBothSizes) {
    ASSERT_EQ(Buttons().size(), 34u);
    for (int id : Buttons()) {
        for (bool textType : {true, false}) {
            SCOPED_TRACE(testing::Message() << "button " << id << (textType ? " text" : " image"));
            ASSERT_FALSE(ToolBarIcon(id, textType).isNull());
            const QImage small = Picture(id, textType);
            EXPECT_EQ(small.size(), QSize(16, 16));
            EXPECT_GE(OpaquePixels(small), 12);
            EXPECT_LE(OpaquePixels(small), 16 * 16 - 16) << "a picture should not fill its whole button";
            const QImage large = Picture(id, textType, 2.0);
            EXPECT_EQ(large.size(), QSize(32, 32));
            EXPECT_GE(OpaquePixels(large), 4 * 12);
        }
    }
}

TEST(ToolBarImages, TagButtonsChangeWithTheTypeAndOtherButtonsDoNot) {
    for (int id : Buttons()) {
        SCOPED_TRACE(testing::Message() << "button " << id);
        const bool tag = kTagButtons.count(id) != 0;
        EXPECT_EQ(Picture(id, true) != Picture(id, false), tag);
        EXPECT_EQ(Picture(id, true, 2.0) != Picture(id, false, 2.0), tag);
    }
}

TEST(ToolBarImages, NoTwoButtonsLookAlikeInEitherType) {
    for (bool textType : {true, false}) {
        const std::vector<int> ids = Buttons();
        for (size_t i = 0; i < ids.size(); ++i) {
            for (size_t j = i + 1; j < ids.size(); ++j)
                EXPECT_NE(Picture(ids[i], textType), Picture(ids[j], textType))
                    << ids[i] << " and " << ids[j] << (textType ? " (text type)" : " (image type)");
        }
    }
}

TEST(ToolBarImages, TagNamesAreDrawnWithoutBlurredEdgesAtSixteenPixels) {
    for (int id : kTagButtons) {
        const QImage image = Picture(id, true);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                EXPECT_TRUE(alpha == 0 || alpha == 255) << "button " << id << " at " << x << "," << y;
            }
        }
    }
}

TEST(ToolBarImages, DisabledButtonsAreGrey) {
    const QImage disabled = Picture(57603, false, 1.0, QIcon::Disabled);
    EXPECT_NE(disabled, Picture(57603, false));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor c = QColor::fromRgba(disabled.pixel(x, y));
            if (c.alpha() > 0) {
                EXPECT_LT(c.hsvSaturation(), 60) << x << "," << y;
            }
        }
    }
}

TEST(ToolBarImages, IdentifiersWithoutAButtonHaveNoPicture) {
    EXPECT_TRUE(ToolBarIcon(0, true).isNull());
    EXPECT_TRUE(ToolBarIcon(57604, false).isNull()); // Save As has a menu item but no button
    EXPECT_TRUE(ToolBarIcon(32777, true).isNull());  // the plain link tag has only a key
}
