#include "app/MainFrame.h"

#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "resources/CommandIds.h"
#include "settings/CommandBar.h"
#include "settings/CommandBarLayout.h"
#include "tests/support/EditorFixture.h"

#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

using Answer = CPlatformUi::Answer;

class MainFrame : public CEditorFixture {
protected:
    MainFrame() { Open(); }

    void Open() {
        frame = std::make_unique<CMainFrame>(doc, router);
        router.SetTargets({frame->View(), frame.get()});
        frame->View()->InitialUpdate();
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        frame->View()->setFocus();
    }

    CWeftpageView* View() const { return frame->View(); }
    QStringList Captions(QMenu* menu) const {
        QStringList out;
        for (QAction* a : menu->actions())
            out.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    QMenu* Popup(int index) const { return menuBar()->actions()[index]->menu(); }
    QMenuBar* menuBar() const { return frame->menuBar(); }
    QStringList VisibleToolBarTips() const {
        QStringList out;
        for (QAction* a : frame->ToolBar()->actions())
            if (!a->isSeparator() && a->isVisible())
                out.append(a->toolTip());
        return out;
    }

    CWeftpageDoc doc;
    CCommandRouter router;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace

TEST_F(MainFrame, MenuBarHasThePopUpsAndItemsWithTheirExactCaptions) {
    QStringList titles;
    for (QAction* a : menuBar()->actions())
        titles.append(a->text());
    EXPECT_EQ(titles,
              QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "挿入(&I)", "表示(&V)", "ツール(&T)", "ﾍﾙﾌﾟ(&H)"}));
    EXPECT_EQ(Captions(Popup(0)), QStringList({"新規作成(&N)\tCtrl+N", "新規作成ウィザード(&W)...",
                                               "白紙作成(&W)", "-", "開く(&O)...", "上書き保存(&S)\tCtrl+S",
                                               "名前を付けて保存(&A)...", "-", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
    EXPECT_EQ(Captions(Popup(1)),
              QStringList({"元に戻す(&U)\tCtrl+Z", "やり直し(&R)\tCtrl+Alt+Z", "-", "検索(&F)...",
                           "置換(&R)...", "-", "行末に<BR>挿入(&B)", "<,>,&&の変換(&L)",
                           "機種依存文字を文字参照に変換(&K)", "-", "切り取り(&T)\tCtrl+X",
                           "ｺﾋﾟｰ(&C)\tCtrl+C", "貼り付け(&P)\tCtrl+V", "-", "すべて選択(&A)"}));
    const QStringList insert = Captions(Popup(2));
    ASSERT_EQ(insert.size(), 20);
    EXPECT_EQ(insert[0], "<A>タグ(&A)...\tCtrl+A");
    EXPECT_EQ(insert[13], QStringLiteral("テーブル(&T)"));
    EXPECT_EQ(insert[14], QStringLiteral("リスト(&L)"));
    EXPECT_EQ(insert[18], QStringLiteral("日付の挿入(&D)"));
    EXPECT_EQ(Captions(Popup(5)), QStringList({"目次(&C)...", "キーワード(&I)...", "-", "ホームページ(&W)",
                                               "-", "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}));
    EXPECT_EQ(frame->MenuAction(Cmd::kFileNew)->statusTip(), QStringLiteral("新規にﾌｧｲﾙを作成"));
}

TEST_F(MainFrame, ToolBarShowsEveryButtonButTheThirteenHiddenByDefault) {
    ASSERT_EQ(frame->ButtonList().size(), 34u);
    const QStringList tips = VisibleToolBarTips();
    EXPECT_EQ(tips.size(), 34 - 13);
    EXPECT_EQ(tips.first(), QStringLiteral("新規ﾌｧｲﾙ"));
    EXPECT_FALSE(tips.contains(QStringLiteral("白紙作成")));
    EXPECT_FALSE(tips.contains(QStringLiteral("<TABLE>タグ挿入")));
    EXPECT_TRUE(tips.contains(QStringLiteral("<A>タグ挿入")));
    EXPECT_EQ(tips.last(), QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"));
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(16, 16));
}

TEST_F(MainFrame, ProfileFlagsShowAndHideToolBarButtons) {
    frame.reset();
    Profile().PutInt("ToolBar", "32771", 0);
    Profile().PutInt("ToolBar", "57600", 1);
    Open();
    const QStringList tips = VisibleToolBarTips();
    EXPECT_TRUE(tips.contains(QStringLiteral("白紙作成")));
    EXPECT_FALSE(tips.contains(QStringLiteral("新規ﾌｧｲﾙ")));
}

TEST_F(MainFrame, StatusBarShowsThePositionPaddedAndTheChangedMark) {
    View()->SetSel(0, 0);
    frame->RefreshStatus();
    EXPECT_EQ(frame->PositionPane()->text(), QStringLiteral("  1行   1桁"));
    EXPECT_EQ(frame->ChangedPane()->text(), "");
    QTest::keyClicks(View(), "x");
    QTest::qWait(250); // one tick of the frame timer
    EXPECT_EQ(frame->ChangedPane()->text(), QStringLiteral("変更あり"));
    EXPECT_EQ(frame->PositionPane()->text(), QStringLiteral("  1行   2桁"));
    ui->QueueFileName(FilePath("s.html"));
    View()->OnFileSave();
    frame->RefreshStatus();
    EXPECT_EQ(frame->ChangedPane()->text(), "");
}

TEST_F(MainFrame, ThePositionKeepsItsPlacesWhileTheCaretMoves) {
    QLabel* pane = frame->PositionPane();
    EXPECT_TRUE(pane->alignment().testFlag(Qt::AlignLeft));
    // Every padded text is as wide as the widest, so the numbers stand in the same columns.
    const QFontMetrics metrics(pane->font());
    const int widest = metrics.horizontalAdvance(QStringLiteral("999行 999桁"));
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("  1行   1桁")), widest);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral(" 23行  45桁")), widest);
    EXPECT_GE(pane->minimumWidth(), widest);
}

TEST_F(MainFrame, CommandBarButtonsFormThreeGroupsOfFour) {
    const CCommandBarLayout layout = LayOutCommandBar(290, 26);
    const int expected[12] = {5, 28, 51, 74, 101, 124, 147, 170, 197, 220, 243, 266};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(layout.keys[i].x(), expected[i]) << i;
        EXPECT_EQ(layout.keys[i].width(), 23);
        EXPECT_EQ(layout.keys[i].height(), 24);
        EXPECT_EQ(layout.keys[i].y(), 1);
    }
    EXPECT_GE(layout.extra.x(), 290);
    frame->CommandBar()->resize(290, 26);
    EXPECT_EQ(frame->CommandBar()->KeyButton(5)->x(), 101);
    EXPECT_EQ(frame->CommandBarHost()->parentWidget(), frame.get());
    EXPECT_EQ(frame->toolBarArea(frame->CommandBarHost()), Qt::BottomToolBarArea);
}

TEST_F(MainFrame, CancelInTheCloseQuestionKeepsTheWindowAndNoClosesWithoutSaving) {
    QTest::keyClicks(View(), "x");
    ui->QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(doc.IsModified());
    ui->QueueAnswer(Answer::No);
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ui->messages.size(), 2u);
}

TEST_F(MainFrame, BarLayoutIsSavedOnCloseAndRestoredAtTheNextStart) {
    router.Execute(Cmd::kViewToolBar);
    router.Execute(Cmd::kViewStatusBar);
    EXPECT_FALSE(frame->ToolBar()->isVisible());
    EXPECT_FALSE(router.State(Cmd::kViewToolBar).checked.value());
    ASSERT_TRUE(frame->close());
    frame.reset();
    Open();
    EXPECT_FALSE(frame->ToolBar()->isVisible());
    EXPECT_FALSE(frame->statusBar()->isVisible());
    EXPECT_TRUE(frame->CommandBarHost()->isVisible());
    router.Execute(Cmd::kViewToolBar);
    EXPECT_TRUE(frame->ToolBar()->isVisible());
}

TEST_F(MainFrame, AcceleratorsReachTheFrameWhileTheEditorHasTheFocus) {
    ui->QueueFileName(FilePath("keys.html"));
    QTest::keyClicks(View(), "abc");
    QTest::keyClick(View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ui->fileDialogs.size(), 1u);
    EXPECT_NE(ReadFile(FilePath("keys.html")).find("abc"), std::string::npos);
    // Ctrl+Z comes back through the frame's undo command.
    QTest::keyClicks(View(), "d");
    QTest::keyClick(View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(View()->GetText().find("abcd"), std::string::npos);
}

TEST_F(MainFrame, ACommandChosenFromTheMenuBarGivesTheKeysBackToTheText) {
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    menuBar()->setFocus();
    ASSERT_TRUE(menuBar()->hasFocus());
    frame->UpdateCommandStates();
    frame->MenuAction(Cmd::kEditSelectAll)->trigger();
    EXPECT_TRUE(View()->hasFocus());
    EXPECT_EQ(View()->GetSel().end, View()->TextLength());
}

TEST_F(MainFrame, GreyedCommandsNeverRunFromKeysOrMenus) {
    View()->SetText(std::string("text"));
    View()->ResetUndoHistory();
    View()->SetSel(1, 1);
    // Cut needs a selection; the key does nothing without one.
    QTest::keyClick(View(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(View()->GetText(), "text");
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->MenuAction(Cmd::kEditCut)->isEnabled());
    EXPECT_FALSE(frame->MenuAction(Cmd::kEditUndo)->isEnabled());
    frame->MenuAction(Cmd::kEditCut)->trigger();
    EXPECT_EQ(View()->GetText(), "text");
    // An identifier that no part of the program handles stays greyed.
    EXPECT_FALSE(router.State(Cmd::kCommandBarExtra).enabled);
}

TEST_F(MainFrame, DroppingFilesOpensOnlyTheFirstAfterTheSaveQuestion) {
    WriteFile(FilePath("first.html"), "first");
    WriteFile(FilePath("second.html"), "second");
    QTest::keyClicks(View(), "x");
    ui->QueueAnswer(Answer::No);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(FilePath("first.html")), QUrl::fromLocalFile(FilePath("second.html"))});
    // A drop reaches a window only after it accepted the drag's entry.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(View()->GetText(), "first");
    EXPECT_EQ(frame->windowTitle(), FilePath("first.html") + " - Vuro");
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(MainFrame, OnlyDragsThatCarryALocalFileAreTaken) {
    WriteFile(FilePath("local.html"), "local");
    QMimeData web;
    web.setUrls({QUrl("https://example.com/page.html")});
    for (QWidget* target : {static_cast<QWidget*>(frame.get()), static_cast<QWidget*>(View()->viewport())}) {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        EXPECT_FALSE(enter.isAccepted());
    }
    // A web address first and a file after it: the file is what the drag brings.
    QMimeData mixed;
    mixed.setUrls({QUrl("https://example.com/page.html"), QUrl::fromLocalFile(FilePath("local.html"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mixed, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mixed, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(View()->GetText(), "local");
}

TEST_F(MainFrame, HomePageFailureIsReportedWithAStopIcon) {
    ui->SetOpenResult(false);
    router.Execute(Cmd::kHomePage);
    ASSERT_EQ(ui->opened.size(), 1u);
    EXPECT_TRUE(ui->opened[0].startsWith("https://"));
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("ブラウザが実行できません。"));
    EXPECT_EQ(ui->messages[0].icon, CPlatformUi::Icon::Stop);
    // An opener that starts and only then gives up is told the same way.
    ui->SetOpenResult(true);
    router.Execute(Cmd::kHomePage);
    EXPECT_EQ(ui->messages.size(), 1u);
    ui->FailLastOpenLater();
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(ui->messages[1].text, QStringLiteral("ブラウザが実行できません。"));
}

TEST_F(MainFrame, ContextMenuOffersTheEditCommandsWithTheirRules) {
    View()->SetText(std::string("abc"));
    View()->ResetUndoHistory();
    View()->SetSel(0, 3);
    bool checked = false;
    QTimer::singleShot(100, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QStringList captions;
        for (QAction* a : menu->actions())
            captions.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        EXPECT_EQ(captions, QStringList({"元に戻す(&U)", "やり直し(&R)", "-", "切り取り(&T)", "コピー(&C)",
                                         "貼り付け(&P)", "-", "全て選択(&A)"}));
        EXPECT_FALSE(menu->actions()[0]->isEnabled());
        EXPECT_TRUE(menu->actions()[3]->isEnabled());
        menu->actions()[3]->trigger(); // cut
        menu->close();
        checked = true;
    });
    QTest::mousePress(View()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(View()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(checked);
    EXPECT_EQ(View()->GetText(), "");
}
