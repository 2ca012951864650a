#include "settings/FunctionKeys.h"

#include "resources/AcceleratorTable.h"
#include "resources/CommandIds.h"
#include "settings/CommandBar.h"
#include "settings/FkeyDlg.h"
#include "settings/FkeyTable.h"
#include "settings/settingPSheet.h"
#include "tests/settings/FrameFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>

namespace {

class FunctionKeys : public CFrameFixture {
protected:
    CWeftpageView* View() const { return frame->View(); }
    CFkeyTable& Table() const { return frame->FkeyTable(); }
    void Show(const std::string& text, std::size_t start, std::size_t end) {
        View()->SetText(text);
        View()->SetSel(start, end);
    }
    QStringList Captions() const {
        QStringList out;
        for (int f = 1; f <= 12; ++f)
            out.append(frame->CommandBar()->KeyButton(f)->text());
        return out;
    }
    // Holds a modifier key down (or releases it) as the window system reports it.
    void Hold(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyPress(frame->windowHandle(), key, modifiers);
    }
    void Release(Qt::Key key) { QTest::keyRelease(frame->windowHandle(), key, Qt::NoModifier); }
};

} // namespace

TEST_F(FunctionKeys, HeldModifierPrefersShiftThenCtrlThenAlt) {
    EXPECT_EQ(HeldModifierCode(Qt::NoModifier, 3), 3);
    EXPECT_EQ(HeldModifierCode(Qt::NoModifier, 1), 1);
    EXPECT_EQ(HeldModifierCode(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 3), 1);
    EXPECT_EQ(HeldModifierCode(Qt::ControlModifier | Qt::AltModifier, 3), 2);
    EXPECT_EQ(HeldModifierCode(Qt::AltModifier, 1), 3);
    EXPECT_EQ(HeldModifierCode(Qt::MetaModifier, 2), 2);
    Hold(Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(GetHeldModifier(3), 1);
    Release(Qt::Key_Shift);
    EXPECT_EQ(GetHeldModifier(3), 3);
}

TEST_F(FunctionKeys, WithoutAFileNoKeyDoesAnythingAndTheBarIsEmpty) {
    Show("abc", 0, 3);
    for (int id = Cmd::kFirstFunctionKey; id <= Cmd::kLastFunctionKey; ++id)
        EXPECT_TRUE(router.Execute(id)) << id;
    EXPECT_EQ(View()->GetText(), "abc");
    RefreshCommandBarCaptions(*frame);
    EXPECT_EQ(Captions(), QStringList(12, QString()));
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(FunctionKeys, ATextBindingInsertsAroundTheSelectionAndShowsWhileItsModifierIsHeld) {
    Table().Assign(CFkeyTable::KeyCode(5, 2), CFkeyTable::kText, 0, "<b>%1</b>");
    Show("xabcx", 1, 4);
    router.Execute(FunctionKeyCommand(5, 2));
    EXPECT_EQ(View()->GetText(), "x<b>abc</b>x");
    EXPECT_EQ(View()->GetSel().start, 7u);
    EXPECT_EQ(View()->GetSel().end, 7u);
    EXPECT_TRUE(doc.IsModified());
    RefreshCommandBarCaptions(*frame);
    EXPECT_EQ(Captions()[4], "");
    Hold(Qt::Key_Control, Qt::ControlModifier);
    RefreshCommandBarCaptions(*frame);
    EXPECT_EQ(Captions()[4], "<b>%1</b>");
    Release(Qt::Key_Control);
    RefreshCommandBarCaptions(*frame);
    EXPECT_EQ(Captions()[4], "");
}

TEST_F(FunctionKeys, ACommandBindingRunsTheCommandAsItsMenuItemWould) {
    Table().Assign(CFkeyTable::KeyCode(2, 1), CFkeyTable::kCommand, Cmd::kSettings, "");
    ui->QueueDialog([](QDialog& d) {
        EXPECT_NE(dynamic_cast<CsettingPSheet*>(&d), nullptr);
        return QDialog::Rejected;
    });
    router.Execute(FunctionKeyCommand(2, 1));
    EXPECT_EQ(ui->dialogsRun, 1);
    Hold(Qt::Key_Shift, Qt::ShiftModifier);
    RefreshCommandBarCaptions(*frame);
    Release(Qt::Key_Shift);
    EXPECT_EQ(Captions()[1], QStringLiteral("環境設定"));
}

TEST_F(FunctionKeys, AGreyedCommandIsNotRunByItsKey) {
    Table().Assign(CFkeyTable::KeyCode(1, 1), CFkeyTable::kCommand, Cmd::kBrAtLineEnds, "");
    Show("a\r\nb", 1, 1);
    router.Execute(FunctionKeyCommand(1, 1));
    EXPECT_EQ(View()->GetText(), "a\r\nb");
    View()->SetSel(0, 4);
    router.Execute(FunctionKeyCommand(1, 1));
    EXPECT_EQ(View()->GetText(), "a<br>\r\nb");
}

TEST_F(FunctionKeys, ACommandBarClickRunsTheAltBindingWhenNoKeyIsHeldAndGivesTheFocusBack) {
    Table().Assign(CFkeyTable::KeyCode(7, 3), CFkeyTable::kText, 0, "[alt]");
    Table().Assign(CFkeyTable::KeyCode(7, 1), CFkeyTable::kText, 0, "[shift]");
    Show("", 0, 0);
    View()->clearFocus();
    ASSERT_FALSE(View()->hasFocus());
    frame->UpdateCommandStates();
    QTest::mouseClick(frame->CommandBar()->KeyButton(7), Qt::LeftButton);
    EXPECT_EQ(View()->GetText(), "[alt]");
    EXPECT_TRUE(View()->hasFocus());
    RefreshCommandBarCaptions(*frame);
    EXPECT_EQ(Captions()[6], "[alt]");
}

TEST_F(FunctionKeys, CaptionsAreShownAsWrittenAndOnlyWhileTheBarIsVisible) {
    Table().Assign(CFkeyTable::KeyCode(4, 3), CFkeyTable::kText, 0, "&lt;&amp;");
    RefreshCommandBarCaptions(*frame);
    EXPECT_EQ(Captions()[3], "&&lt;&&amp;");
    router.Execute(Cmd::kViewCommandBar);
    EXPECT_FALSE(frame->CommandBarHost()->isVisible());
    Table().Assign(CFkeyTable::KeyCode(4, 3), CFkeyTable::kText, 0, "new");
    RefreshCommandBarCaptions(*frame);
    EXPECT_EQ(Captions()[3], "&&lt;&&amp;");
    router.Execute(Cmd::kViewCommandBar);
    RefreshCommandBarCaptions(*frame);
    EXPECT_EQ(Captions()[3], "new");
}

TEST_F(FunctionKeys, ABindingThatRunsItsOwnKeyDoesNotRunAgain) {
    Table().Assign(CFkeyTable::KeyCode(1, 1), CFkeyTable::kCommand, FunctionKeyCommand(1, 1), "");
    Table().Assign(CFkeyTable::KeyCode(2, 1), CFkeyTable::kCommand, Cmd::kFirstCommandBarButton + 1, "");
    EXPECT_TRUE(router.Execute(FunctionKeyCommand(1, 1)));
    EXPECT_TRUE(router.Execute(FunctionKeyCommand(2, 1)));
}

TEST_F(FunctionKeys, TheDialogEditsTheFramesTableInPlace) {
    ui->QueueDialog([](QDialog& d) {
        auto& dlg = dynamic_cast<CFkeyDlg&>(d);
        dlg.repaint();
        QApplication::processEvents();
        dlg.KeyList()->setCurrentRow(8);
        dlg.TextCheck()->setChecked(true);
        dlg.TextField()->setText("nine");
        dlg.OkButton()->click();
        return dlg.result();
    });
    router.Execute(Cmd::kFunctionKeys);
    ASSERT_EQ(Table().Find(CFkeyTable::KeyCode(9, 1))->kind, CFkeyTable::kText);
    Show("", 0, 0);
    router.Execute(FunctionKeyCommand(9, 1));
    EXPECT_EQ(View()->GetText(), "nine");
}

TEST_F(FunctionKeys, TheFrameReadsTheKeysWhenMadeAndWritesThemWhenDestroyed) {
    const QString file = QDir(m_programDir.path()).filePath("vurofkey.dat");
    EXPECT_EQ(Table().FilePath(), file);
    Table().Assign(CFkeyTable::KeyCode(3, 2), CFkeyTable::kText, 0, "kept");
    frame.reset();
    EXPECT_EQ(QFileInfo(file).size(), CFkeyTable::kFileSize);
    frame = std::make_unique<CMainFrame>(doc, router);
    router.SetTargets({frame->View(), frame.get()});
    const auto found = Table().Find(CFkeyTable::KeyCode(3, 2));
    ASSERT_TRUE(found);
    EXPECT_EQ(Table().GetText(found->value), "kept");
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(FunctionKeys, AFileThatCannotBeWrittenAtTheEndIsTold) {
    QDir(m_programDir.path()).mkpath("vurofkey.dat");
    frame.reset();
    EXPECT_EQ(ui->MessageTexts(), QStringList{QStringLiteral("ファンクションキーの設定が書き込めません。")});
}
