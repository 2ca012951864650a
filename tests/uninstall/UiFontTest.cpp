#include "resources/UiFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

// Puts the application font back as it was, so the other tests see the usual font.
struct CAppFontGuard {
    QFont saved = QApplication::font();
    ~CAppFontGuard() { QApplication::setFont(saved); }
};

} // namespace

// fonts-noto-cjk is part of the build's packages, so its Japanese face is always there.
TEST(UiFont, PutsTheInstalledJapaneseFamilyFirstAndKeepsTheOthersBehindIt) {
    ASSERT_TRUE(QFontDatabase::families().contains("Noto Sans CJK JP"));
    CAppFontGuard guard;
    QFont start = QApplication::font();
    start.setFamilies({"DejaVu Sans", "Noto Sans CJK JP", "Noto Sans CJK SC"});
    QApplication::setFont(start);

    PreferJapaneseGlyphs();

    const QStringList families = QApplication::font().families();
    EXPECT_EQ(families, QStringList({"Noto Sans CJK JP", "DejaVu Sans", "Noto Sans CJK SC"}));
    EXPECT_EQ(QApplication::font().pointSizeF(), start.pointSizeF());
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), "Noto Sans CJK JP");
    // Menus and message boxes take the application's font.
    QMenu menu;
    EXPECT_EQ(menu.font().families().value(0), "Noto Sans CJK JP");
    // A second call changes nothing.
    PreferJapaneseGlyphs();
    EXPECT_EQ(QApplication::font().families(), families);
}

TEST(UiFont, AddsTheJapaneseFamilyInFrontOfAFontThatNamedOnlyOne) {
    CAppFontGuard guard;
    QApplication::setFont(QFont("DejaVu Serif", 11));

    PreferJapaneseGlyphs();

    EXPECT_EQ(QApplication::font().families(), QStringList({"Noto Sans CJK JP", "DejaVu Serif"}));
    EXPECT_EQ(QApplication::font().pointSize(), 11);
}
