#include "editor/EditControl.h"

#include "editor/FontSubstitutes.h"
#include "platform/Cp932.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

using namespace std::string_literals;

// Japanese words whose trail bytes fall in the lead range (日 93 FA, 語 8C EA) or are
// ASCII (ソ 83 5C, 表 95 5C), the cases where a byte-wise caret would land inside a character.
const std::string kNihongo = "\x93\xfa\x96\x7b\x8c\xea"; // 日本語
const std::string kSoHyou = "\x83\x5c\x95\x5c";          // ソ表
const std::string kDesu = "\x82\xc5\x82\xb7";            // です

class EditControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        window = std::make_unique<QMainWindow>();
        edit = new CEditControl;
        window->setCentralWidget(edit);
        QFont font(QStringLiteral("ＭＳ ゴシック"));
        font.setPixelSize(16);
        edit->SetEditorFont(font);
        window->resize(320, 240);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        edit->setFocus();
        QObject::connect(edit, &CEditControl::Changed, [this] { ++changes; });
        QObject::connect(edit, &CEditControl::UnrepresentableCharacters,
                         [this](const QString& chars) { unrepresentable.push_back(chars); });
    }

    QPoint PointOf(std::size_t offset) const {
        return edit->PosFromChar(offset) + QPoint(1, edit->fontMetrics().height() / 2);
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(edit, key, mods); }
    void Type(const QString& text) {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text, Qt::NoModifier);
    }
    void SendMouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = {}) {
        QMouseEvent e(type, QPointF(at), edit->viewport()->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, mods);
        QApplication::sendEvent(edit->viewport(), &e);
    }
    bool CaretOnStop(std::size_t pos) const {
        const std::string text = edit->GetText();
        if (pos > 0 && pos < text.size() && text[pos - 1] == '\r' && text[pos] == '\n')
            return false;
        return Cp932::IsCharBoundary(text, pos);
    }

    std::unique_ptr<QMainWindow> window;
    CEditControl* edit = nullptr;
    int changes = 0;
    std::vector<QString> unrepresentable;
};

std::vector<std::string> Corpus() {
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.push_back(static_cast<char>(b));
    return {
        "",
        "<html>\r\n<body>\r\n" + kNihongo + "\r\n</body></html>",
        "no final line end " + kNihongo,
        "lf\nonly\n" + kSoHyou + "\n",
        "cr\ronly\r\r",
        "mixed\r\n\n\r\r\n\n\r",
        "nul\0inside\0"s,
        // NEC and IBM duplicates of the same characters: ≒ 87 90 / 81 E0, ∵ 87 9A / 81 E6, ⅰ FA 40 / EE EF.
        "\x87\x90\x81\xe0\x87\x9a\x81\xe6\xfa\x40\xee\xef",
        "\x80\xa0\xfd\xfe\xff\x81\r\n\x9f\x85\x40",
        everyByte,
        std::string(9000, 'x') + "\r" + std::string(5000, 'y'),
    };
}

} // namespace

TEST(FontSubstitutes, TheStoredWindowsFaceFindsAJapaneseMonospaceFont) {
    RegisterFontSubstitutes();
    const QFontInfo info(QFont(QStringLiteral("ＭＳ ゴシック"), 12));
    EXPECT_EQ(info.family(), QStringLiteral("Noto Sans Mono CJK JP"));
}

TEST_F(EditControlTest, OpeningAndSavingKeepsEveryByte) {
    for (const std::string& bytes : Corpus()) {
        edit->SetText(bytes);
        EXPECT_EQ(edit->GetText(), bytes);
        EXPECT_EQ(edit->TextLength(), bytes.size());
        edit->repaint();
        EXPECT_EQ(edit->GetText(), bytes);
        // An edit elsewhere changes its own range and nothing else.
        edit->SetSel(0, 0);
        edit->ReplaceSel("<p>");
        EXPECT_EQ(edit->GetText(), "<p>" + bytes);
        edit->SetSel(edit->TextLength(), edit->TextLength());
        edit->ReplaceSel("\r\n");
        EXPECT_EQ(edit->GetText(), "<p>" + bytes + "\r\n");
    }
    EXPECT_EQ(changes, 2 * static_cast<int>(Corpus().size()));
}

TEST_F(EditControlTest, EveryUserEditRaisesOneChangeAndSettingTheTextNone) {
    edit->SetText("abc");
    EXPECT_EQ(changes, 0);
    edit->SetText(edit->Snapshot());
    EXPECT_EQ(changes, 0);
    edit->SetSel(3, 3);
    Type("d");
    EXPECT_EQ(changes, 1);
    edit->SetSel(0, 2);
    edit->ReplaceSel("xyz");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(edit->GetText(), "xyzcd");
    EXPECT_EQ(edit->GetSel().start, 3u);
    EXPECT_EQ(edit->GetSel().end, 3u);
    edit->SetSel(0, 0);
    Press(Qt::Key_Backspace); // nothing before the caret: no change
    EXPECT_EQ(changes, 2);
}

TEST_F(EditControlTest, BackspaceAndDeleteRemoveWholeCharactersAndLineBreaks) {
    edit->SetText("a" + kNihongo + "\r\nb");
    edit->SetSel(9, 9);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(edit->GetText(), "a" + kNihongo + "b");
    Press(Qt::Key_Backspace);
    EXPECT_EQ(edit->GetText(), "a\x93\xfa\x96\x7b"
                               "b");
    edit->SetSel(1, 1);
    Press(Qt::Key_Delete);
    EXPECT_EQ(edit->GetText(), "a\x96\x7b"
                               "b");
    edit->SetText("x\r\ny");
    edit->SetSel(1, 1);
    Press(Qt::Key_Delete);
    EXPECT_EQ(edit->GetText(), "xy");
    EXPECT_EQ(changes, 4);
}

TEST_F(EditControlTest, EnterTabAndTypedTextGoInAsCp932) {
    edit->SetText("");
    Type(QStringLiteral("日本"));
    Press(Qt::Key_Return);
    Press(Qt::Key_Tab);
    Type(QStringLiteral("ｱ"));
    EXPECT_EQ(edit->GetText(), "\x93\xfa\x96\x7b\r\n\t\xb1");
    EXPECT_TRUE(edit->hasFocus());
    Type(QStringLiteral("한"));
    EXPECT_EQ(edit->GetText(), "\x93\xfa\x96\x7b\r\n\t\xb1&#xD55C;");
    ASSERT_EQ(unrepresentable.size(), 1u);
    EXPECT_EQ(unrepresentable[0], QStringLiteral("한"));
}

TEST_F(EditControlTest, ArrowsMoveByCharacterAndLineKeepingTheColumn) {
    edit->SetText("abc" + kNihongo + "\r\nab\r\nabcdefghij");
    edit->SetSel(3, 3);
    Press(Qt::Key_Right);
    EXPECT_EQ(edit->GetSel().end, 5u);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(edit->GetSel().start, 5u);
    EXPECT_EQ(edit->GetSel().end, 7u);
    Press(Qt::Key_Left); // collapses to the selection's start
    EXPECT_EQ(edit->GetSel().end, 5u);
    edit->SetSel(9, 9);
    Press(Qt::Key_Right); // over CR LF at once
    EXPECT_EQ(edit->GetSel().end, 11u);
    Press(Qt::Key_Left);
    EXPECT_EQ(edit->GetSel().end, 9u);
    edit->SetSel(7, 7); // after 本, x = 7 half widths
    Press(Qt::Key_Down);
    EXPECT_EQ(edit->GetSel().end, 13u); // the short line's end
    Press(Qt::Key_Down);
    EXPECT_EQ(edit->GetSel().end, 22u); // back at the remembered column
    Press(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->GetSel().start, 0u);
    EXPECT_EQ(edit->GetSel().end, 22u);
    Press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(edit->GetSel().start, edit->TextLength());
}

TEST_F(EditControlTest, HomeAndEndWorkOnTheWrappedRow) {
    std::string longLine;
    for (int i = 0; i < 30; ++i)
        longLine += "word ";
    edit->SetText(longLine);
    ASSERT_GE(edit->LineCount(), 3);
    const std::size_t row1 = edit->LineIndex(1);
    const std::size_t row2 = edit->LineIndex(2);
    edit->SetSel(row1 + 2, row1 + 2);
    Press(Qt::Key_End);
    EXPECT_EQ(edit->GetSel().end, row2);
    // The caret stands at the end of row 1, so Home goes to that row's start.
    Press(Qt::Key_Home);
    EXPECT_EQ(edit->GetSel().end, row1);
    // The status bar's rule: the caret at the start of the third row is line 3, column 1.
    edit->SetSel(row2, row2);
    EXPECT_EQ(edit->LineFromChar(edit->GetSel().end), 2);
    EXPECT_EQ(edit->GetSel().end - edit->LineIndex(2), 0u);
}

TEST_F(EditControlTest, PageDownMovesTheCaretAndTheTextByAWindow) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    edit->SetText(text);
    Press(Qt::Key_PageDown);
    const int line = edit->LineFromChar(edit->GetSel().end);
    EXPECT_GT(line, 3);
    EXPECT_GT(edit->FirstVisibleLine(), 0);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(edit->LineFromChar(edit->GetSel().end), 0);
}

TEST_F(EditControlTest, TheCaretNeverStandsInsideACharacter) {
    std::mt19937 rng(21);
    std::string text;
    for (int i = 0; i < 60; ++i) {
        const std::string parts[] = {kNihongo, kSoHyou, kDesu, "ab", " ", "\r\n", "\n", "\x81", "\x80"};
        text += parts[rng() % 9];
    }
    edit->SetText(text);
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,        Qt::Key_Down,
                            Qt::Key_Home, Qt::Key_End,   Qt::Key_Backspace, Qt::Key_Delete};
    for (int step = 0; step < 400; ++step) {
        const unsigned op = rng() % 4;
        switch (op) {
        case 0: {
            const QPoint at(static_cast<int>(rng() % 300), static_cast<int>(rng() % 200));
            QTest::mouseClick(edit->viewport(), Qt::LeftButton,
                              rng() % 3 ? Qt::NoModifier : Qt::ShiftModifier, at);
            break;
        }
        case 1:
            edit->SetSel(rng() % (edit->TextLength() + 1), rng() % (edit->TextLength() + 1));
            break;
        case 2:
            Type(rng() % 2 ? QStringLiteral("漢") : QStringLiteral("a"));
            break;
        default:
            Press(keys[rng() % 8], rng() % 3 ? Qt::NoModifier : Qt::ShiftModifier);
        }
        const auto sel = edit->GetSel();
        ASSERT_TRUE(CaretOnStop(sel.start)) << "step " << step << " at " << sel.start;
        ASSERT_TRUE(CaretOnStop(sel.end)) << "step " << step << " at " << sel.end;
    }
}

TEST_F(EditControlTest, MouseClicksDragsAndDoubleClicksSelect) {
    edit->SetText("hello " + kNihongo + kDesu + " world");
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, PointOf(2));
    EXPECT_EQ(edit->GetSel().start, 2u);
    EXPECT_EQ(edit->GetSel().end, 2u);
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::ShiftModifier, PointOf(8));
    EXPECT_EQ(edit->GetSel().start, 2u);
    EXPECT_EQ(edit->GetSel().end, 8u);

    SendMouse(QEvent::MouseButtonPress, PointOf(1), Qt::LeftButton);
    SendMouse(QEvent::MouseMove, PointOf(10), Qt::LeftButton);
    SendMouse(QEvent::MouseButtonRelease, PointOf(10), Qt::NoButton);
    EXPECT_EQ(edit->GetSel().start, 1u);
    EXPECT_EQ(edit->GetSel().end, 10u);

    // A double click takes a run of one script: the kanji, not the kana after them.
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, PointOf(8));
    EXPECT_EQ(edit->GetSel().start, 6u);
    EXPECT_EQ(edit->GetSel().end, 12u);
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, PointOf(1));
    EXPECT_EQ(edit->GetSel().start, 0u);
    EXPECT_EQ(edit->GetSel().end, 5u);
    EXPECT_EQ(edit->CharFromPos(PointOf(3)), 3u);
    EXPECT_EQ(edit->CharFromPos(QPoint(-5, 3)), CEditControl::kNoPosition);
}

TEST_F(EditControlTest, DraggingBelowTheWindowScrollsAndExtendsTheSelection) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "row\r\n";
    edit->SetText(text);
    SendMouse(QEvent::MouseButtonPress, PointOf(0), Qt::LeftButton);
    SendMouse(QEvent::MouseMove, QPoint(10, edit->viewport()->height() + 40), Qt::LeftButton);
    QTest::qWait(400);
    SendMouse(QEvent::MouseButtonRelease, QPoint(10, edit->viewport()->height() + 40), Qt::NoButton);
    EXPECT_GT(edit->FirstVisibleLine(), 3);
    EXPECT_GT(edit->LineFromChar(edit->GetSel().end), edit->FirstVisibleLine());
    const int first = edit->FirstVisibleLine();
    QTest::qWait(150);
    EXPECT_EQ(edit->FirstVisibleLine(), first); // the scrolling stopped with the button
}

TEST_F(EditControlTest, CopyAndPasteInsideTheProgramKeepTheExactBytes) {
    const std::string bytes = "\x87\x90\x81\xe0\x80\xff\x00\r\x85\x40\xfa\x40\xee\xef"s;
    edit->SetText(bytes);
    edit->SelectAll();
    edit->Copy();
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasText());
    edit->SetText("[]");
    edit->SetSel(1, 1);
    ASSERT_TRUE(edit->CanPaste());
    edit->Paste();
    EXPECT_EQ(edit->GetText(), "[" + bytes + "]");
    edit->SetSel(1, 1 + bytes.size());
    edit->Cut();
    EXPECT_EQ(edit->GetText(), "[]");
    EXPECT_EQ(changes, 2);
    edit->Paste();
    EXPECT_EQ(edit->GetText(), "[" + bytes + "]");
}

TEST_F(EditControlTest, TextFromOtherProgramsIsEncodedWithCrLfAndReferences) {
    QGuiApplication::clipboard()->setText(QStringLiteral("日本\nabc\r\n😀☃"));
    edit->SetText("");
    edit->Paste();
    EXPECT_EQ(edit->GetText(), "\x93\xfa\x96\x7b\r\nabc\r\n&#x1F600;&#x2603;");
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(unrepresentable.size(), 1u);
    EXPECT_EQ(unrepresentable[0], QStringLiteral("😀☃"));
    // What goes out is Unicode text with the line ends of this desktop.
    edit->SetSel(0, 9);
    edit->Copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("日本\nabc"));
}

TEST_F(EditControlTest, TheInputMethodComposesAtTheCaretAndCommitsCp932) {
    edit->SetText("ab");
    edit->SetSel(1, 1);
    const QRect before = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QInputMethodEvent compose(QStringLiteral("かんじ"),
                              {QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, 3, 1)});
    QApplication::sendEvent(edit, &compose);
    EXPECT_EQ(edit->GetText(), "ab");
    EXPECT_EQ(changes, 0);
    const QRect during = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_GT(during.x(), before.x() + 20);
    EXPECT_EQ(during.y(), before.y());

    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("漢字"));
    QApplication::sendEvent(edit, &commit);
    EXPECT_EQ(edit->GetText(), "a\x8a\xbf\x8e\x9a"
                               "b");
    EXPECT_EQ(edit->GetSel().end, 5u);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->inputMethodQuery(Qt::ImCursorPosition).toInt(), 3);

    QInputMethodEvent emoji;
    emoji.setCommitString(QStringLiteral("😀"));
    QApplication::sendEvent(edit, &emoji);
    EXPECT_EQ(edit->GetText(), "a\x8a\xbf\x8e\x9a&#x1F600;b");
    EXPECT_EQ(changes, 2);
    ASSERT_EQ(unrepresentable.size(), 1u);
}

TEST_F(EditControlTest, AcceleratorKeysReachTheWindowsCommands) {
    edit->SetText("abc");
    edit->SetSel(1, 1);
    const QKeySequence keys[] = {
        QKeySequence(Qt::CTRL | Qt::Key_A),           QKeySequence(Qt::CTRL | Qt::Key_B),
        QKeySequence(Qt::CTRL | Qt::Key_E),           QKeySequence(Qt::CTRL | Qt::Key_Left),
        QKeySequence(Qt::CTRL | Qt::Key_Right),       QKeySequence(Qt::CTRL | Qt::Key_Return),
        QKeySequence(Qt::SHIFT | Qt::Key_Return),     QKeySequence(Qt::SHIFT | Qt::Key_Insert),
        QKeySequence(Qt::SHIFT | Qt::Key_Delete),     QKeySequence(Qt::CTRL | Qt::Key_Insert),
        QKeySequence(Qt::ALT | Qt::Key_Backspace),    QKeySequence(Qt::CTRL | Qt::Key_Z),
        QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_V),
        QKeySequence(Qt::SHIFT | Qt::Key_F5),         QKeySequence(Qt::Key_F1),
    };
    std::vector<int> fired(std::size(keys), 0);
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        auto* action = new QAction(window.get());
        action->setShortcut(keys[i]);
        QObject::connect(action, &QAction::triggered, [&fired, i] { ++fired[i]; });
        window->addAction(action);
    }
    for (const QKeySequence& key : keys)
        QTest::keySequence(edit, key);
    for (std::size_t i = 0; i < std::size(keys); ++i)
        EXPECT_EQ(fired[i], 1) << keys[i].toString().toStdString();
    EXPECT_EQ(edit->GetText(), "abc");
    EXPECT_EQ(edit->GetSel().end, 1u);
    EXPECT_EQ(changes, 0);
}

TEST_F(EditControlTest, KeysWithCtrlOrAltThatNobodyUsesChangeNothing) {
    edit->SetText("abc");
    edit->SetSel(1, 1);
    Press(Qt::Key_B, Qt::ControlModifier);
    Press(Qt::Key_X, Qt::AltModifier);
    Press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(edit->GetText(), "abc");
    EXPECT_EQ(changes, 0);
}

TEST_F(EditControlTest, SettingASnapshotBackLaysOutLikeAFreshText) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "<td>" + kNihongo + kDesu + " " + std::to_string(i) + (i % 7 ? " " : "\r\n");
    edit->SetText(text);
    std::vector<CTextSnapshot> undo{edit->Snapshot()};
    QObject::connect(edit, &CEditControl::Changed, [&] { undo.push_back(edit->Snapshot()); });
    std::mt19937 rng(4);
    for (int i = 0; i < 25; ++i) {
        edit->SetSel(rng() % edit->TextLength(), rng() % edit->TextLength());
        if (i % 3 == 0)
            Press(Qt::Key_Return);
        else
            Type(i % 2 ? QStringLiteral("漢字かな") : QStringLiteral("x"));
    }
    ASSERT_EQ(undo.size(), 26u);
    CEditControl fresh;
    fresh.SetEditorFont(edit->EditorFont());
    fresh.resize(edit->size());
    fresh.show();
    for (auto it = undo.rbegin(); it != undo.rend(); ++it) {
        edit->SetText(*it);
        fresh.SetText(it->ToString());
        ASSERT_EQ(edit->GetText(), it->ToString());
        ASSERT_EQ(edit->LineCount(), fresh.LineCount());
        for (int line = 0; line < fresh.LineCount(); ++line)
            ASSERT_EQ(edit->LineIndex(line), fresh.LineIndex(line)) << "line " << line;
    }
    EXPECT_EQ(edit->GetText(), text);
}

TEST_F(EditControlTest, ResizingWrapsAgainAndTheWheelScrolls) {
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += kNihongo + kNihongo + kNihongo + kNihongo + kNihongo + kNihongo + kNihongo + "\r\n";
    edit->SetText(text);
    const int narrow = edit->LineCount();
    window->resize(900, 240);
    QApplication::processEvents();
    EXPECT_LT(edit->LineCount(), narrow);
    EXPECT_EQ(edit->LineCount(), 21);
    QWheelEvent wheel(QPointF(20, 20), edit->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit->viewport(), &wheel);
    EXPECT_GT(edit->FirstVisibleLine(), 0);
}

TEST_F(EditControlTest, PaintsTheSelectionAndUndecodableBytes) {
    edit->SetText("a      b\r\n\x80");
    edit->SetSel(2, 6);
    const QImage image = edit->viewport()->grab().toImage();
    const QColor highlight = edit->palette().color(QPalette::Active, QPalette::Highlight);
    const QPoint inSelection = (edit->PosFromChar(2) + edit->PosFromChar(6)) / 2 + QPoint(0, 4);
    EXPECT_EQ(image.pixelColor(inSelection), highlight);
    const QPoint outside = edit->PosFromChar(7) + QPoint(2, 4);
    EXPECT_NE(image.pixelColor(outside), highlight);
    // The hex box of byte 80 leaves ink where a blank would leave none.
    const QPoint box = edit->PosFromChar(10);
    const QColor base = edit->palette().color(QPalette::Base);
    int ink = 0;
    for (int x = box.x(); x < box.x() + 16; ++x)
        for (int y = box.y(); y < box.y() + 16; ++y)
            ink += image.pixelColor(x, y) != base;
    EXPECT_GT(ink, 20);
    // A selection starting on the next line leaves this line's end unmarked.
    edit->SetSel(10, 11);
    const QImage next = edit->viewport()->grab().toImage();
    EXPECT_NE(next.pixelColor(edit->PosFromChar(8) + QPoint(3, 4)), highlight);
    edit->SetSel(7, 11);
    const QImage over = edit->viewport()->grab().toImage();
    EXPECT_EQ(over.pixelColor(edit->PosFromChar(8) + QPoint(3, 4)), highlight);
}

namespace {
// Collects the regions a widget is asked to repaint.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};
} // namespace

TEST_F(EditControlTest, AnEditThatRemovesRowsRepaintsWhereTheyWere) {
    edit->SetText("<html>\r\n<body>\r\n\r\n</body>\r\n</html>");
    const QPoint lastRow = edit->PosFromChar(edit->TextLength()) + QPoint(2, 4);
    edit->SetSel(0, edit->TextLength());
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    edit->viewport()->installEventFilter(&recorder);
    Type(QStringLiteral("b"));
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->GetText(), "b");
    EXPECT_TRUE(recorder.painted.contains(lastRow));
}

TEST_F(EditControlTest, ALargeTextIsWrappedAgainOnceTheResizingStops) {
    std::string text;
    while (text.size() < (1u << 20) + 1000)
        text +=
            "<td>" + kNihongo + kNihongo + kNihongo + kNihongo + kNihongo + kNihongo + kDesu + "</td>\r\n";
    edit->SetText(text);
    const int narrow = edit->LineCount();
    window->resize(1200, 240);
    QApplication::processEvents();
    EXPECT_EQ(edit->LineCount(), narrow); // still the old width while the window is being resized
    QTest::qWait(400);
    EXPECT_LT(edit->LineCount(), narrow);
    EXPECT_EQ(edit->GetText(), text);
}

TEST_F(EditControlTest, ALongLineReflowedByTypingIsFinishedInTheBackground) {
    std::string text;
    while (text.size() < 600 * 1024)
        text += kNihongo + kDesu;
    edit->SetText(text);
    edit->SetSel(2, 2);
    Type(QStringLiteral("漢")); // shifts every later row of the line by one character
    CEditControl fresh;
    fresh.SetEditorFont(edit->EditorFont());
    fresh.resize(edit->size());
    fresh.show();
    fresh.SetText(edit->GetText());
    // The rows up to the caret are right at once; the rest follows within moments.
    EXPECT_EQ(edit->LineIndex(1), fresh.LineIndex(1));
    const int last = fresh.LineCount() - 1;
    EXPECT_NE(edit->LineIndex(last - 1), fresh.LineIndex(last - 1)); // not yet wrapped again there
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return edit->LineCount() == fresh.LineCount() &&
                   edit->LineIndex(last - 1) == fresh.LineIndex(last - 1);
        },
        5000));
    for (int line = 0; line < fresh.LineCount(); line += 97)
        ASSERT_EQ(edit->LineIndex(line), fresh.LineIndex(line)) << "line " << line;
    EXPECT_EQ(edit->LineIndex(last), fresh.LineIndex(last));
}

TEST_F(EditControlTest, TextAfterTheCaretMovesAsideForThePreedit) {
    edit->SetText("abcd");
    edit->SetSel(2, 2);
    const QPoint c = edit->PosFromChar(2);
    const int glyph = edit->PosFromChar(3).x() - c.x();
    const int height = edit->PosFromChar(0).y() + edit->fontMetrics().height();
    const QImage plain = edit->viewport()->grab().toImage().copy(c.x() + 2, 0, glyph - 2, height);
    QInputMethodEvent compose(QStringLiteral("ＸＹ"), {});
    QApplication::sendEvent(edit, &compose);
    const int shift = QFontMetrics(edit->EditorFont()).horizontalAdvance(QStringLiteral("ＸＹ"));
    const QImage composing = edit->viewport()->grab().toImage();
    EXPECT_EQ(composing.copy(c.x() + 2 + shift, 0, glyph - 2, height), plain);
    EXPECT_NE(composing.copy(c.x() + 2, 0, glyph - 2, height), plain);
}

// A text over a megabyte is shown before its lines are wrapped; they are wrapped where they are
// shown or asked about, and the rest in idle time, without the text on screen moving.
TEST_F(EditControlTest, ALargeTextNotWrappedYetScrollsEditsAndResizesLikeAWrappedOne) {
    std::string text;
    for (int i = 0; text.size() < (3u << 20); ++i)
        text += "<td>\t" + std::string(static_cast<std::size_t>(i % 97), 'x') + "\t\t" + kNihongo + kDesu + "</td>\r\n";
    const auto exactTwin = [&](const std::string& bytes) {
        auto twin = std::make_unique<CEditControl>();
        twin->SetEditorFont(edit->EditorFont());
        twin->resize(edit->size());
        twin->show();
        twin->SetText(bytes);
        twin->LineCount(); // wraps every line
        return twin;
    };
    const auto rowStarts = [](const CEditControl& e) {
        std::vector<std::size_t> starts;
        for (int row = 0; row < e.LineCount(); ++row)
            starts.push_back(e.LineIndex(row));
        return starts;
    };
    edit->SetText(text);
    const std::vector<std::size_t> exact = rowStarts(*exactTwin(text));
    QScrollBar* bar = edit->verticalScrollBar();

    // Scrolling into rows not wrapped yet (tabs make the estimates short) shows real rows.
    bar->setValue(bar->maximum() / 2);
    const std::size_t top = edit->CharFromPos(QPoint(2, 2));
    EXPECT_TRUE(std::binary_search(exact.begin(), exact.end(), top)) << top;
    // Idle wrapping moves the scroll bar, never the text at the top of the window.
    const int before = edit->FirstVisibleLine();
    EXPECT_TRUE(QTest::qWaitFor([&] { return edit->FirstVisibleLine() != before; }, 5000));
    EXPECT_EQ(edit->CharFromPos(QPoint(2, 2)), top);
    // The caret there has its exact line at once.
    edit->SetText(text);
    bar->setValue(bar->maximum() / 2);
    const std::size_t caret = edit->CharFromPos(QPoint(2, 2));
    edit->SetSel(caret, caret);
    const auto expectedLine = std::upper_bound(exact.begin(), exact.end(), caret) - exact.begin() - 1;
    EXPECT_EQ(edit->LineFromChar(caret), expectedLine);
    EXPECT_EQ(edit->CharFromPos(QPoint(2, 2)), caret);

    // An edit there and a resize while lines wait to be wrapped end as if laid out at once.
    edit->SetText(text);
    bar->setValue(bar->maximum() * 3 / 4);
    const std::size_t at = edit->CharFromPos(QPoint(2, 2));
    edit->SetSel(at, at + 40);
    Type(QStringLiteral("漢字"));
    window->resize(500, 300);
    QTest::qWait(300);
    std::string edited = text;
    edited.replace(at, 40, "\x8a\xbf\x8e\x9a");
    ASSERT_EQ(edit->GetText(), edited);
    // The row holding the old top stays at the top, now wrapped at the new width.
    EXPECT_LE(edit->CharFromPos(QPoint(2, 2)), at);
    EXPECT_GT(edit->LineIndex(edit->LineFromChar(edit->CharFromPos(QPoint(2, 2))) + 1), at);
    EXPECT_EQ(rowStarts(*edit), rowStarts(*exactTwin(edited)));
}
