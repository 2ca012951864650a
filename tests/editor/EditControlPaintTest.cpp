#include "editor/EditControl.h"

#include "editor/FontSubstitutes.h"
#include "editor/GlyphSprites.h"
#include "editor/HtmlStyler.h"

#include <QMainWindow>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Markup, Japanese prose, a character reference (underlined), platform-dependent characters
// (① 87 40, 髙 FB FC, a user-defined F0 40), undecodable bytes (80, FD), a tab and a line
// long enough to wrap.
const std::string kPage = "<!DOCTYPE html>\r\n"
                          "<p class=\"a\">\x93\xfa\x96\x7b\x8c\xea &amp; text</p>\r\n"
                          "<!-- \x83\x52\x83\x81\x83\x93\x83\x67 -->\r\n"
                          "\x87\x40\x82\xa0\xfb\xfc\xf0\x40 \x80\xfd\tend\r\n"
                          "<script>if (a < b) s = '</p>';</script>\r\n" +
                          std::string(20, 'w') + "\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8" +
                          std::string(30, 'i') + "\r\n";

QPalette Dark() {
    QPalette p;
    p.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    p.setColor(QPalette::Text, QColor(0xE6, 0xE6, 0xE6));
    p.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
    p.setColor(QPalette::WindowText, QColor(0xE6, 0xE6, 0xE6));
    p.setColor(QPalette::Highlight, QColor(0x26, 0x4F, 0x78));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

class EditControlPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        window = std::make_unique<QMainWindow>();
        edit = new CEditControl;
        window->setCentralWidget(edit);
        QFont font(QStringLiteral("ＭＳ ゴシック"));
        font.setPixelSize(16);
        edit->SetEditorFont(font);
        edit->SetStyleProvider(&styler);
        window->resize(360, 260);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        edit->SetStyleProvider(nullptr);
        CGlyphSprites::SetEnabled(true);
    }

    // The viewport drawn with every glyph as text, then twice with copies (the first time
    // taking them, the second using them): all three must be the same pixels.
    void ExpectCopiesDrawAsText(const char* what) {
        CGlyphSprites::SetEnabled(false);
        const QImage asText = edit->viewport()->grab().toImage();
        CGlyphSprites::SetEnabled(true);
        const QImage taking = edit->viewport()->grab().toImage();
        const std::size_t taken = CGlyphSprites::Shared().Size();
        const QImage copying = edit->viewport()->grab().toImage();
        EXPECT_EQ(taking, asText) << what;
        EXPECT_EQ(copying, asText) << what;
        EXPECT_EQ(CGlyphSprites::Shared().Size(), taken) << what;
        EXPECT_GT(taken, 30u) << what;
    }

    CHtmlStyler styler;
    std::unique_ptr<QMainWindow> window;
    CEditControl* edit = nullptr;
};

} // namespace

TEST_F(EditControlPaintTest, GlyphCopiesLookExactlyLikeTextInEveryLook) {
    edit->SetText(kPage);
    ExpectCopiesDrawAsText("coloured and marked");
    // A selection across coloured text, marks and a line end.
    edit->SetSel(20, 90);
    ExpectCopiesDrawAsText("selected");
    styler.SetColouring(false);
    styler.SetMarking(false);
    edit->SetText(kPage);
    edit->SetSel(5, 40);
    ExpectCopiesDrawAsText("plain");
    styler.SetColouring(true);
    styler.SetMarking(true);
    edit->SetText(kPage);
    edit->SetLineNumbersShown(true);
    edit->setPalette(Dark());
    edit->SetSel(30, 120);
    ExpectCopiesDrawAsText("dark palette with line numbers");
}

TEST_F(EditControlPaintTest, TheWholeViewportIsPaintedOverWhereverTextWas) {
    // The control fills its own background: after scrolling to shorter rows, nothing of the
    // longer ones may stay behind.
    std::string longRows;
    for (int i = 0; i < 40; ++i)
        longRows += std::string(30, 'M') + "\r\n";
    edit->SetText(longRows + std::string(40, '\n'));
    edit->viewport()->repaint();
    edit->LineScroll(40);
    const QImage image = edit->viewport()->grab().toImage();
    const QColor base = edit->palette().color(QPalette::Base);
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            ASSERT_EQ(image.pixelColor(x, y), base) << x << "," << y;
}

TEST_F(EditControlPaintTest, PaintingInNarrowPiecesGivesWhatPaintingTheWholeGives) {
    // A blinking caret or a typed key repaints a sliver: glyphs cut by its edges must come out
    // as the whole repaint draws them. The screen image is what the window really holds.
    edit->SetText(kPage);
    edit->SetSel(20, 90);
    QWidget* viewport = edit->viewport();
    const QPoint at = viewport->mapTo(window.get(), QPoint(0, 0));
    auto shown = [&] {
        return window->screen()
            ->grabWindow(window->winId(), at.x(), at.y(), viewport->width(), viewport->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    CGlyphSprites::SetEnabled(false);
    viewport->repaint();
    const QImage whole = shown();
    CGlyphSprites::SetEnabled(true);
    CGlyphSprites::Shared().Clear();
    viewport->repaint(QRect(0, 0, viewport->width(), viewport->height() / 2)); // takes copies
    EXPECT_GT(CGlyphSprites::Shared().Size(), 20u);
    for (int x = 0; x < viewport->width(); x += 5)
        viewport->repaint(QRect(x, 0, 2, viewport->height()));
    EXPECT_EQ(shown(), whole);
    for (int y = 1; y < viewport->height(); y += 7)
        viewport->repaint(QRect(0, y, viewport->width(), 3));
    EXPECT_EQ(shown(), whole);
}
