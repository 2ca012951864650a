#include "editor/GlyphSprites.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QString kSample = QStringLiteral("漢字かなカナＡ①ﾊabcWgjy|_ 、。");

QFont EditorFont(int pixels = 16) {
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setPixelSize(pixels);
    return font;
}

struct Glyph {
    QChar ch;
    QPointF pen;
    QRect cell;
};

// The sample laid out in rows as the edit control lays text out: rows of a whole line height,
// each glyph owning the pixel columns inside its advance, the row starting at x0.
std::vector<Glyph> Layout(const QFont& font, qreal x0, int top) {
    const QFontMetricsF fm(font);
    const int lh = static_cast<int>(std::ceil(fm.lineSpacing()));
    std::vector<Glyph> glyphs;
    qreal x = x0;
    for (QChar ch : kSample) {
        const qreal advance = fm.horizontalAdvance(ch);
        const int left = static_cast<int>(std::ceil(x));
        const int right = static_cast<int>(std::floor(x + advance));
        glyphs.push_back({ch, QPointF(x, top + fm.ascent()), QRect(left, top, right - left, lh)});
        x += advance;
    }
    return glyphs;
}

// Draws the glyphs one by one as text: what the copies must reproduce.
void DrawAsText(QImage& image, const QFont& font, const std::vector<Glyph>& glyphs, const QColor& fg) {
    QPainter p(&image);
    p.setFont(font);
    p.setPen(fg);
    for (const Glyph& g : glyphs)
        p.drawText(g.pen, QString(g.ch));
}

// Draws the glyphs through the copies; returns how many of them were drawn as text instead.
int DrawWithCopies(CGlyphSprites& sprites, QImage& image, const QFont& font, const std::vector<Glyph>& glyphs,
                   const QColor& fg) {
    QPainter p(&image);
    p.setFont(font);
    p.setPen(fg);
    EXPECT_TRUE(sprites.Begin(p));
    int asText = 0;
    for (const Glyph& g : glyphs) {
        if (!sprites.Draw(p, g.ch.unicode(), g.pen, fg, g.cell)) {
            p.setPen(fg);
            p.drawText(g.pen, QString(g.ch));
            ++asText;
        }
    }
    return asText;
}

QImage Canvas(const QColor& background) {
    QImage image(700, 160, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

} // namespace

TEST(GlyphSprites, CopiesGivePixelForPixelWhatDrawingTheTextGives) {
    // Whole and fractional pen positions, two colours over two backgrounds (the selection),
    // all through one set of copies, which must keep each offset and colour apart.
    CGlyphSprites sprites;
    const QFont font = EditorFont();
    for (const auto& [fg, bg] : {std::pair{QColor(Qt::black), QColor(Qt::white)},
                                 std::pair{QColor(0x20, 0x40, 0xC0), QColor(0x30, 0x60, 0xA0)}}) {
        QImage expected = Canvas(bg);
        QImage actual = Canvas(bg);
        int top = 0;
        for (const qreal x0 : {2.0, 7.25, 3.515625, 2.0, 7.25}) {
            DrawAsText(expected, font, Layout(font, x0, top), fg);
            DrawWithCopies(sprites, actual, font, Layout(font, x0, top), fg);
            top += 30;
        }
        EXPECT_EQ(actual, expected) << "colour " << fg.name().toStdString();
    }
    EXPECT_GT(sprites.Size(), 3 * 15u);
}

TEST(GlyphSprites, SecondUseDrawsCopiesAndTakesNothingNew) {
    CGlyphSprites sprites;
    const QFont font = EditorFont();
    QImage image = Canvas(Qt::white);
    DrawWithCopies(sprites, image, font, Layout(font, 2, 10), Qt::black);
    const std::size_t taken = sprites.Size();
    // Glyphs whose ink leaves their cell ('j' reaches left, '_' and '|' may too) are text.
    const int asText = DrawWithCopies(sprites, image, font, Layout(font, 2, 60), Qt::black);
    EXPECT_EQ(sprites.Size(), taken);
    EXPECT_LE(asText, 3);
}

TEST(GlyphSprites, HundredsOfGlyphsAreKeptAndFoundAgain) {
    // Far more copies than the table starts with, so that it grows while holding them.
    const QFont font = EditorFont();
    const QFontMetricsF fm(font);
    const int lh = static_cast<int>(std::ceil(fm.lineSpacing()));
    std::vector<Glyph> glyphs;
    for (int i = 0; i < 600; ++i) {
        const QChar ch(static_cast<char16_t>(0x4E00 + i * 7));
        const int left = 4 + (i % 40) * 16;
        const int top = 4 + (i / 40) * lh;
        glyphs.push_back({ch, QPointF(left, top + fm.ascent()), QRect(left, top, 16, lh)});
    }
    QImage expected(700, 4 + 15 * lh + 4, QImage::Format_RGB32);
    expected.fill(Qt::white);
    DrawAsText(expected, font, glyphs, Qt::black);
    CGlyphSprites sprites;
    for (int pass = 0; pass < 2; ++pass) {
        QImage actual(expected.size(), QImage::Format_RGB32);
        actual.fill(Qt::white);
        EXPECT_LE(DrawWithCopies(sprites, actual, font, glyphs, Qt::black), 10) << "pass " << pass;
        EXPECT_EQ(actual, expected) << "pass " << pass;
    }
    EXPECT_GE(sprites.Size(), 590u);
    EXPECT_LE(sprites.Size(), 600u);
}

TEST(GlyphSprites, CopiesAreKeptApartByFontColourAndBackground) {
    CGlyphSprites sprites;
    const QFont small = EditorFont(16);
    const QFont large = EditorFont(20);
    QImage actual = Canvas(Qt::white);
    QImage expected = Canvas(Qt::white);
    // The same characters at the same places: first black, then red, then larger, then over grey.
    auto glyphs = Layout(small, 2, 10);
    DrawWithCopies(sprites, actual, small, glyphs, Qt::black);
    DrawAsText(expected, small, glyphs, Qt::black);
    glyphs = Layout(small, 2, 50);
    DrawWithCopies(sprites, actual, small, glyphs, Qt::red);
    DrawAsText(expected, small, glyphs, Qt::red);
    glyphs = Layout(large, 2, 90);
    DrawWithCopies(sprites, actual, large, glyphs, Qt::red);
    DrawAsText(expected, large, glyphs, Qt::red);
    EXPECT_EQ(actual, expected);

    QImage grey = Canvas(Qt::lightGray);
    QImage greyExpected = Canvas(Qt::lightGray);
    DrawWithCopies(sprites, grey, small, Layout(small, 2, 10), Qt::black);
    DrawAsText(greyExpected, small, Layout(small, 2, 10), Qt::black);
    EXPECT_EQ(grey, greyExpected);
}

TEST(GlyphSprites, AGlyphReachingPastItsCellOrOverMixedBackgroundIsLeftToTheCaller) {
    CGlyphSprites sprites;
    const QFont font = EditorFont();
    QImage image = Canvas(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    ASSERT_TRUE(sprites.Begin(p));
    const QFontMetricsF fm(font);
    const int lh = static_cast<int>(std::ceil(fm.lineSpacing()));
    const QPointF pen(20, 10 + fm.ascent());
    ASSERT_TRUE(sprites.Draw(p, u'漢', pen, Qt::black, QRect(20, 10, 16, lh))); // taken
    // The same glyph with a cell too narrow for its ink.
    EXPECT_FALSE(sprites.Draw(p, u'漢', pen + QPointF(100, 0), Qt::black, QRect(120, 10, 4, lh)));
    // A cell whose corners show different colours.
    p.fillRect(QRect(220, 10, 8, lh), Qt::yellow);
    EXPECT_FALSE(sprites.Draw(p, u'漢', pen + QPointF(200, 0), Qt::black, QRect(220, 10, 16, lh)));
    // A colour that is not opaque.
    EXPECT_FALSE(sprites.Draw(p, u'漢', pen + QPointF(300, 0), QColor(0, 0, 0, 128), QRect(320, 10, 16, lh)));
}

TEST(GlyphSprites, NotUsedWhereCopiesCannotBeExact) {
    CGlyphSprites sprites;
    QImage image = Canvas(Qt::white);
    {
        QPainter p(&image);
        p.scale(2, 2); // a high-density device draws glyphs at another size
        EXPECT_FALSE(sprites.Begin(p));
    }
    {
        QPainter p(&image);
        p.translate(0.5, 0);
        EXPECT_FALSE(sprites.Begin(p));
    }
    {
        QPainter p(&image);
        QFont underlined = EditorFont();
        underlined.setUnderline(true); // the line runs across whole runs of text
        p.setFont(underlined);
        EXPECT_FALSE(sprites.Begin(p));
    }
    {
        QImage alpha8(10, 10, QImage::Format_Alpha8);
        QPainter p(&alpha8);
        EXPECT_FALSE(sprites.Begin(p));
    }
    CGlyphSprites::SetEnabled(false);
    {
        QPainter p(&image);
        EXPECT_FALSE(sprites.Begin(p));
    }
    CGlyphSprites::SetEnabled(true);
}
