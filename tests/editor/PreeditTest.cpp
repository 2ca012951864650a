#include "editor/Preedit.h"

#include "editor/EditControl.h"
#include "editor/FontSubstitutes.h"

#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QMainWindow>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Attribute = QInputMethodEvent::Attribute;

const QColor kClauseBackground(0x30, 0x8c, 0xc6);
const QColor kClauseText(Qt::white);

QTextCharFormat Highlighted() {
    QTextCharFormat f;
    f.setBackground(kClauseBackground);
    f.setForeground(kClauseText);
    return f;
}

// きょうは / いい / てんきです as an input method sends it while the middle clause is converted.
QList<Attribute> ThreeClauses(int converted, Attribute cursor) {
    const int starts[] = {0, 4, 6};
    const int lengths[] = {4, 2, 5};
    QList<Attribute> attributes;
    for (int c = 0; c < 3; ++c)
        attributes.append(Attribute(QInputMethodEvent::TextFormat, starts[c], lengths[c],
                                    c == converted ? Highlighted() : QTextCharFormat()));
    attributes.append(cursor);
    return attributes;
}
const QString kSentence = QStringLiteral("きょうはいいてんきです");

QFont TestFont() {
    RegisterFontSubstitutes();
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(16);
    return font;
}

} // namespace

TEST(Preedit, TakesTheClausesAndTheCursorTheInputMethodSends) {
    CPreedit preedit;
    preedit.Set(kSentence, ThreeClauses(1, Attribute(QInputMethodEvent::Cursor, 4, 1)));
    EXPECT_EQ(preedit.ClauseCount(), 3);
    EXPECT_EQ(preedit.ClauseAt(3), 0);
    EXPECT_EQ(preedit.ClauseAt(4), 1);
    EXPECT_EQ(preedit.ClauseAt(10), 2);
    EXPECT_EQ(preedit.Cursor(), 4);
    EXPECT_TRUE(preedit.CursorVisible());

    // A cursor of length 0 is hidden; without a cursor attribute it stands at the end.
    preedit.Set(kSentence, ThreeClauses(0, Attribute(QInputMethodEvent::Cursor, 0, 0)));
    EXPECT_FALSE(preedit.CursorVisible());
    preedit.Set(QStringLiteral("にほんご"), {});
    EXPECT_EQ(preedit.Cursor(), 4);
    EXPECT_TRUE(preedit.CursorVisible());
    EXPECT_EQ(preedit.ClauseCount(), 1);

    // Ranges outside the text are cut to it; a gap between formats is a clause of its own.
    preedit.Set(QStringLiteral("あいう"), {Attribute(QInputMethodEvent::TextFormat, 2, 9, Highlighted()),
                                           Attribute(QInputMethodEvent::Cursor, 7, 1)});
    EXPECT_EQ(preedit.ClauseCount(), 2);
    EXPECT_EQ(preedit.ClauseAt(1), 0);
    EXPECT_EQ(preedit.ClauseAt(2), 1);
    EXPECT_EQ(preedit.Cursor(), 3);
}

TEST(Preedit, WrapsAtTheRightEdgeLikeText) {
    const QFont font = TestFont();
    const qreal w = QFontMetricsF(font).horizontalAdvance(QChar(0x3042));
    CPreedit preedit;
    preedit.Set(kSentence, ThreeClauses(1, Attribute(QInputMethodEvent::Cursor, 6, 1)));
    // Four characters fit on a row; the preedit starts after two of them.
    const CPreedit::Flow flow = preedit.Layout(font, 2 * w, 4 * w + 1);
    ASSERT_EQ(flow.pieces.size(), 11u);
    EXPECT_EQ(flow.pieces[1].row, 0);
    EXPECT_EQ(flow.pieces[2].row, 1);
    EXPECT_EQ(flow.pieces[2].x, 0);
    EXPECT_EQ(flow.pieces[10].row, 3);
    EXPECT_EQ(flow.rows, 4);
    EXPECT_DOUBLE_EQ(flow.endX, w);
    EXPECT_EQ(flow.cursorRow, 2);
    EXPECT_DOUBLE_EQ(flow.cursorX, 0);

    // At the very edge the first character already goes to the next row.
    const CPreedit::Flow atEdge = preedit.Layout(font, 4 * w, 4 * w + 1);
    EXPECT_EQ(atEdge.pieces[0].row, 1);
    EXPECT_EQ(atEdge.pieces[0].x, 0);
}

namespace {

class ComposingTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<QMainWindow>();
        edit = new CEditControl;
        window->setCentralWidget(edit);
        edit->SetEditorFont(TestFont());
        window->resize(320, 240);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        edit->setFocus();
        edit->SetText("a\r\nb");
        lineHeight = edit->PosFromChar(3).y();
        glyph = QFontMetrics(edit->EditorFont()).horizontalAdvance(QChar(0x3042));
    }
    void Compose(const QString& text, const QList<Attribute>& attributes) {
        QInputMethodEvent event(text, attributes);
        QApplication::sendEvent(edit, &event);
    }
    QImage Shot() const { return edit->viewport()->grab().toImage(); }
    QRect CursorRect() const { return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect(); }
    // Pixels of colour in the strip [x0, x1) of a row.
    static int Count(const QImage& image, int x0, int x1, int top, int bottom, const QColor& colour) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            for (int y = top; y < bottom; ++y)
                n += image.pixelColor(x, y) == colour;
        return n;
    }

    std::unique_ptr<QMainWindow> window;
    CEditControl* edit = nullptr;
    int lineHeight = 0;
    int glyph = 0;
};

} // namespace

TEST_F(ComposingTest, TheClauseBeingConvertedIsDrawnInTheInputMethodsColours) {
    edit->SetText("ab");
    edit->SetSel(1, 1);
    const int x0 = edit->PosFromChar(1).x();
    Compose(kSentence, ThreeClauses(1, Attribute(QInputMethodEvent::Cursor, 0, 0)));
    const QImage image = Shot();
    const int h = lineHeight - 1;
    const int area = (2 * glyph - 4) * h;
    // Under the converted clause (characters 4 and 5) the input method's background dominates,
    // with its text colour; under the others there is none of it.
    EXPECT_GT(Count(image, x0 + 4 * glyph + 2, x0 + 6 * glyph - 2, 0, h, kClauseBackground), area / 2);
    EXPECT_GT(Count(image, x0 + 4 * glyph + 2, x0 + 6 * glyph - 2, 0, h, kClauseText), 10);
    EXPECT_EQ(Count(image, x0, x0 + 4 * glyph, 0, h, kClauseBackground), 0);
    EXPECT_EQ(Count(image, x0 + 6 * glyph, x0 + 11 * glyph, 0, h, kClauseBackground), 0);
    // The other clauses are underlined: an unbroken line under all their characters.
    const QColor base = edit->palette().color(QPalette::Base);
    auto underline = [&](const QImage& shot, int xa, int xb) {
        for (int y = lineHeight / 2; y < lineHeight; ++y) {
            if (Count(shot, xa, xb, y, y + 1, base) == 0)
                return y;
        }
        return -1;
    };
    EXPECT_GE(underline(image, x0 + 2, x0 + 4 * glyph - 2), 0);
    EXPECT_GE(underline(image, x0 + 6 * glyph + 2, x0 + 11 * glyph - 2), 0);
    // The text behind the preedit moved aside: "b" stands after all eleven characters.
    EXPECT_LT(Count(image, x0 + 11 * glyph, x0 + 11 * glyph + 8, 0, h, base), 8 * h);

    // Moving on to the last clause moves the colours with it.
    Compose(kSentence, ThreeClauses(2, Attribute(QInputMethodEvent::Cursor, 0, 0)));
    const QImage next = Shot();
    EXPECT_EQ(Count(next, x0 + 4 * glyph + 2, x0 + 6 * glyph - 2, 0, h, kClauseBackground), 0);
    EXPECT_GT(Count(next, x0 + 6 * glyph + 2, x0 + 11 * glyph - 2, 0, h, kClauseBackground), area);
    // Two underlined clauses side by side keep a gap between their lines.
    const int y = underline(next, x0 + 2, x0 + 4 * glyph - 2);
    ASSERT_GE(y, 0);
    EXPECT_EQ(underline(next, x0 + 4 * glyph + 2, x0 + 6 * glyph - 2), y);
    EXPECT_EQ(Count(next, x0 + 4 * glyph - 1, x0 + 4 * glyph + 1, y, y + 1, base), 2);
}

TEST_F(ComposingTest, TheCursorStandsWhereTheInputMethodPutsItOrIsHidden) {
    edit->SetText("");
    const QColor ink = edit->palette().color(QPalette::Text);
    const int x0 = edit->PosFromChar(0).x();
    // The caret bar in a blank column: after two characters and at the preedit's end.
    auto caretAt = [&](const QImage& image, int x) {
        return Count(image, x, x + 2, 1, lineHeight - 4, ink) >= 2 * (lineHeight - 6);
    };
    Compose(QStringLiteral("にほんご"), {Attribute(QInputMethodEvent::Cursor, 2, 1)});
    EXPECT_EQ(CursorRect().left() - edit->viewport()->x(), x0 + 2 * glyph);
    EXPECT_TRUE(caretAt(Shot(), x0 + 2 * glyph));
    Compose(QStringLiteral("にほんご"), {Attribute(QInputMethodEvent::Cursor, 4, 0)});
    EXPECT_FALSE(caretAt(Shot(), x0 + 4 * glyph));
    Compose(QStringLiteral("にほんご"), {Attribute(QInputMethodEvent::Cursor, 4, 1)});
    EXPECT_TRUE(caretAt(Shot(), x0 + 4 * glyph));
}

TEST_F(ComposingTest, ALongPreeditWrapsAndTheRowsBelowMakeRoom) {
    edit->SetText("ab\r\nnext");
    edit->SetSel(1, 1);
    const int nextRowY = edit->PosFromChar(4).y();
    const QImage before = Shot().copy(0, nextRowY, 60, lineHeight);
    QString longText;
    for (int i = 0; i < 30; ++i)
        longText += QChar(0x3042 + i);
    Compose(longText, {Attribute(QInputMethodEvent::Cursor, 30, 1)});
    // The cursor (and the candidate window) is on a later row, inside the window's width.
    const QRect cursor = CursorRect().translated(-edit->viewport()->pos());
    EXPECT_GE(cursor.top(), lineHeight);
    EXPECT_LT(cursor.right(), edit->viewport()->width());
    const int rows = cursor.top() / lineHeight;
    // The next line has moved down below the preedit's last row.
    const QImage during = Shot();
    EXPECT_NE(during.copy(0, nextRowY, 60, lineHeight), before);
    EXPECT_EQ(during.copy(0, nextRowY + rows * lineHeight, 60, lineHeight), before);
    EXPECT_EQ(edit->GetText(), "ab\r\nnext");
}

TEST_F(ComposingTest, TheCandidateWindowFollowsTheCaretOnWrappedRowsAndAfterScrolling) {
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "word" + std::to_string(i) + " ";
    text += "\r\n";
    for (int i = 0; i < 40; ++i)
        text += "line\r\n";
    edit->SetText(text);
    ASSERT_GT(edit->LineFromChar(200), 1); // the first line wraps
    edit->SetSel(200, 200);
    const QPoint caret = edit->PosFromChar(200);
    QRect rect = CursorRect();
    EXPECT_EQ(rect.top(), caret.y() + edit->viewport()->y());
    EXPECT_EQ(rect.left(), caret.x() + edit->viewport()->x());

    // Scrolling tells the input method, whose rectangle then moves with the text.
    QSignalSpy moved(QGuiApplication::inputMethod(), &QInputMethod::cursorRectangleChanged);
    const QRectF shownBefore = QGuiApplication::inputMethod()->cursorRectangle();
    edit->LineScroll(2);
    EXPECT_GE(moved.count(), 1);
    EXPECT_EQ(CursorRect().top(), rect.top() - 2 * lineHeight);
    EXPECT_DOUBLE_EQ(QGuiApplication::inputMethod()->cursorRectangle().top(),
                     shownBefore.top() - 2 * lineHeight);
    moved.clear();
    edit->verticalScrollBar()->setValue(0);
    EXPECT_GE(moved.count(), 1);

    // Moving the caret by keys tells it too.
    moved.clear();
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_GE(moved.count(), 1);
    EXPECT_EQ(CursorRect().top(), rect.top() + lineHeight);
}

TEST_F(ComposingTest, APreeditWrappingBelowTheLastRowIsScrolledIntoView) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line\r\n";
    text += "end";
    edit->SetText(text);
    edit->SetSel(text.size(), text.size());
    edit->ScrollCaret();
    const int bottom = edit->verticalScrollBar()->maximum();
    ASSERT_EQ(edit->FirstVisibleLine(), bottom);
    QString longText;
    for (int i = 0; i < 30; ++i)
        longText += QChar(0x3042 + i);
    Compose(longText, {Attribute(QInputMethodEvent::Cursor, 30, 1)});
    // The text scrolls on past its end, so the preedit's last row is shown with its caret row.
    EXPECT_GT(edit->verticalScrollBar()->maximum(), bottom);
    const QRect cursor = CursorRect().translated(-edit->viewport()->pos());
    EXPECT_LE(cursor.bottom(), edit->viewport()->height());
    EXPECT_GE(edit->PosFromChar(text.size()).y(), 0);
    // Once the composition ends the text ends where it did.
    Compose(QString(), {});
    EXPECT_EQ(edit->verticalScrollBar()->maximum(), bottom);
}
