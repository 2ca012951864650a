#include "editor/WeftpageView.h"

#include "editor/FindReplaceDlg.h"
#include "editor/WeftpageDoc.h"
#include "platform/FontRecord.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ShownViewFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

using Answer = CPlatformUi::Answer;

class WeftpageView : public CShownViewFixture {
protected:
    std::string Text() const { return view->GetText(); }
    void SetTextAndForgetHistory(const std::string& text) {
        view->SetText(text);
        view->ResetUndoHistory();
    }
    // The viewport point of a text offset, for mouse events.
    QPoint PointOf(std::size_t offset) const { return view->PosFromChar(offset) + QPoint(1, 2); }
};

} // namespace

TEST_F(WeftpageView, StartsWithTheDefaultPageAndTheCaretInTheTitle) {
    EXPECT_EQ(Text(), "<html><head>\r\n<title></title>\r\n</head>\r\n<body>\r\n\r\n</body></html>");
    EXPECT_EQ(view->GetSel().start, 21u);
    EXPECT_EQ(view->GetSel().end, 21u);
    EXPECT_EQ(caption, QStringLiteral("無題 - Vuro"));
    EXPECT_FALSE(view->UndoHistory().CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(WeftpageView, TypingThreeCharactersIsUndoneStepByStep) {
    view->OnFileBlank();
    Type("abc");
    EXPECT_EQ(Text(), "abc");
    EXPECT_TRUE(doc.IsModified());
    view->OnEditUndo();
    EXPECT_EQ(Text(), "ab");
    EXPECT_EQ(view->GetSel().end, 2u);
    view->OnEditUndo();
    EXPECT_EQ(Text(), "a");
    EXPECT_EQ(view->GetSel().end, 1u);
    view->OnEditUndo();
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(view->GetSel().end, 0u);
    EXPECT_FALSE(view->UndoHistory().CanUndo());
    view->OnEditRedo();
    view->OnEditRedo();
    EXPECT_EQ(Text(), "ab");
    EXPECT_EQ(view->GetSel().end, 2u);
}

TEST_F(WeftpageView, SixtyEditsLeaveFortyNineUndoSteps) {
    view->OnFileBlank();
    for (int i = 0; i < 60; ++i)
        Type("x");
    int steps = 0;
    while (view->UndoHistory().CanUndo()) {
        view->OnEditUndo();
        ++steps;
    }
    EXPECT_EQ(steps, 49);
    EXPECT_EQ(Text(), std::string(11, 'x'));
}

TEST_F(WeftpageView, TypingAfterUndoMakesRedoUnavailable) {
    Type("a");
    view->OnEditUndo();
    EXPECT_TRUE(view->UndoHistory().CanRedo());
    Type("b");
    EXPECT_FALSE(view->UndoHistory().CanRedo());
}

TEST_F(WeftpageView, SaveQuestionForAnUnnamedDocumentNamesMutaiHtml) {
    Type("x");
    ui->QueueAnswer(Answer::Yes);
    const QString path = FilePath("saved.html");
    ui->QueueFileName(path);
    view->OnFileNew();
    ASSERT_EQ(ui->messages.size(), 1u);
    const auto& m = ui->messages[0];
    EXPECT_EQ(m.text, QStringLiteral("無題.htmlへの変更を保存しますか？"));
    EXPECT_EQ(m.buttons, CPlatformUi::Buttons::YesNoCancel);
    EXPECT_EQ(m.icon, CPlatformUi::Icon::Question);
    EXPECT_EQ(m.defaultButton, 3);
    ASSERT_EQ(ui->fileDialogs.size(), 1u);
    EXPECT_TRUE(ui->fileDialogs[0].save);
    EXPECT_EQ(ui->fileDialogs[0].initialName, QStringLiteral("無題.html"));
    EXPECT_EQ(ui->fileDialogs[0].defaultExtension, "html");
    EXPECT_TRUE(ui->fileDialogs[0].overwritePrompt);
    // Saved first, then the new default page.
    EXPECT_NE(ReadFile(path).find("x"), std::string::npos);
    EXPECT_EQ(view->GetSel().end, 21u);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(WeftpageView, TheCaptionShowsTheNameTakenBySavingBeforeAnOpenThatIsCancelled) {
    Type("x");
    const QString path = FilePath("named.html");
    ui->QueueAnswer(Answer::Yes);
    ui->QueueFileName(path);
    ui->QueueFileName(std::nullopt);
    view->OnFileOpen();
    EXPECT_EQ(view->Naming().filePath, path);
    EXPECT_EQ(caption, path + " - Vuro");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(ui->AllAnswersUsed());
}

TEST_F(WeftpageView, NewWithoutChangesAsksNothing) {
    view->OnFileNew();
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(view->GetSel().start, 21u);
}

TEST_F(WeftpageView, CancellingTheSaveDialogAfterYesKeepsTheText) {
    Type("keep me");
    const std::string before = Text();
    ui->QueueAnswer(Answer::Yes);
    ui->QueueFileName(std::nullopt);
    EXPECT_FALSE(view->AskSaveChanges());
    ui->QueueAnswer(Answer::Yes);
    ui->QueueFileName(std::nullopt);
    view->OnFileBlank();
    EXPECT_EQ(Text(), before);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(WeftpageView, CancelInTheQuestionStopsTheCommandAndNoDiscards) {
    Type("x");
    const std::string changed = Text();
    ui->QueueAnswer(Answer::Cancel);
    view->OnFileBlank();
    EXPECT_EQ(Text(), changed);
    ui->QueueAnswer(Answer::No);
    view->OnFileBlank();
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(WeftpageView, OpenSetsNamesAndCaptionAndSaveChangesTheCaptionToTheDashForm) {
    const QString path = FilePath("b.htm");
    WriteFile(path, "<p>hello</p>");
    ui->QueueFileName(path);
    view->OnFileOpen();
    EXPECT_EQ(Text(), "<p>hello</p>");
    EXPECT_EQ(view->Naming().fileTitle, "b");
    EXPECT_EQ(view->Naming().fileExtension, "htm");
    EXPECT_EQ(view->Naming().previewCopyPath, FilePath("~b.htm"));
    EXPECT_EQ(caption, path + " - Vuro");
    ASSERT_EQ(ui->fileDialogs.size(), 1u);
    EXPECT_TRUE(ui->fileDialogs[0].mustExist);
    EXPECT_EQ(ui->fileDialogs[0].filter,
              "HTML Document(*.htm;*.html;*.shtml)|*.htm;*.html;*.shtml|All File(*.*)|*.*||");
    Type("x");
    view->OnFileSave();
    EXPECT_EQ(caption, path + "-Vuro");
    EXPECT_EQ(ReadFile(path), Text());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(WeftpageView, AfterEveryFileCommandUndoAndRedoAreUnavailable) {
    const QString path = FilePath("f.html");
    WriteFile(path, "text");
    auto dirty = [&] {
        Type("ab");
        view->OnEditUndo();
        ASSERT_TRUE(view->UndoHistory().CanUndo());
        ASSERT_TRUE(view->UndoHistory().CanRedo());
    };
    auto clean = [&](const char* after) {
        EXPECT_FALSE(view->UndoHistory().CanUndo()) << after;
        EXPECT_FALSE(view->UndoHistory().CanRedo()) << after;
    };
    dirty();
    ui->QueueAnswer(Answer::No);
    ui->QueueFileName(path);
    view->OnFileOpen();
    clean("open");
    dirty();
    view->OnFileSave();
    clean("save");
    dirty();
    ui->QueueFileName(FilePath("g.html"));
    view->OnFileSaveAs();
    clean("save as");
    dirty();
    ui->QueueAnswer(Answer::No);
    view->OnFileNew();
    clean("new");
    dirty();
    ui->QueueAnswer(Answer::No);
    view->OnFileBlank();
    clean("blank");
    dirty();
    ui->QueueAnswer(Answer::No);
    view->OpenFileByPath(path);
    clean("drop");
}

TEST_F(WeftpageView, AFileWithLfOnlyLineEndsIsWrittenBackUnchanged) {
    const QString path = FilePath("lf.html");
    const std::string bytes("<p>\n\x82\xa0\x82\xa2\n\x87\x90\xed\x40\xfa\x5c\x80\x00\r</p>", 21);
    WriteFile(path, bytes);
    view->OpenFileByPath(path);
    view->OnFileSave();
    EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(WeftpageView, AFailedSaveKeepsTheOldFileAndTheChanges) {
    const QString path = FilePath("keep.html");
    WriteFile(path, "old text");
    view->OpenFileByPath(path);
    for (int i = 0; i < 20; ++i)
        Type("new ");
    {
        CFileSizeLimit limit(10);
        view->OnFileSave();
    }
    EXPECT_EQ(ReadFile(path), "old text");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(view->UndoHistory().CanUndo());
    EXPECT_EQ(caption, path + " - Vuro");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->messages[0].text.contains("keep.html"));
    // Closing after the failure asks again instead of losing the text.
    ui->QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(view->AskSaveChanges());
}

TEST_F(WeftpageView, CancelledSaveOfAnUnnamedDocumentChangesNothing) {
    Type("ab");
    ui->QueueFileName(std::nullopt);
    view->OnFileSave();
    EXPECT_EQ(caption, QStringLiteral("無題 - Vuro"));
    EXPECT_TRUE(view->UndoHistory().CanUndo());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(WeftpageView, AnUnreadableFileLeavesTextNamesAndCaptionAsTheyWere) {
    Type("x");
    const std::string before = Text();
    ui->QueueAnswer(Answer::No);
    ui->QueueFileName(FilePath("missing.html"));
    view->OnFileOpen();
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(caption, QStringLiteral("無題 - Vuro"));
    EXPECT_TRUE(view->Naming().filePath.isEmpty());
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_TRUE(ui->messages[1].text.contains("missing.html"));
}

TEST_F(WeftpageView, CommandLinePathLosesItsQuotesAndKeepsItsBlanks) {
    const QString path = FilePath("my page.html");
    WriteFile(path, "<b>x</b>");
    CWeftpageView fresh(doc);
    QString freshCaption;
    QObject::connect(&fresh, &CWeftpageView::CaptionChanged, [&](const QString& c) { freshCaption = c; });
    ASSERT_TRUE(fresh.InitialUpdate("\"" + path + "\""));
    EXPECT_EQ(fresh.GetText(), "<b>x</b>");
    EXPECT_EQ(fresh.Naming().filePath, path);
    EXPECT_EQ(freshCaption, path + " - Vuro");
    EXPECT_FALSE(fresh.UndoHistory().CanUndo());
    // Only the first set-up opens the command line.
    fresh.InitialUpdate("\"" + path + "\"");
    EXPECT_EQ(fresh.GetSel().start, 21u);
}

TEST_F(WeftpageView, ARelativeCommandLinePathBecomesAFullPath) {
    WriteFile(FilePath("rel.html"), "r");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    CWeftpageView fresh(doc);
    const bool opened = fresh.InitialUpdate("rel.html");
    QDir::setCurrent(previous);
    ASSERT_TRUE(opened);
    EXPECT_EQ(fresh.Naming().filePath, FilePath("rel.html"));
    EXPECT_EQ(fresh.Naming().previewCopyPath, FilePath("~rel.html"));
}

TEST_F(WeftpageView, ACommandLineFileThatCannotBeReadEndsStartUp) {
    CWeftpageView fresh(doc);
    EXPECT_FALSE(fresh.InitialUpdate(FilePath("nowhere.html")));
    ASSERT_EQ(ui->messages.size(), 1u);
}

TEST_F(WeftpageView, DraggingAWordPastItsOwnEndMovesItInTwoUndoSteps) {
    SetTextAndForgetHistory("one two three");
    view->SetSel(4, 7); // "two"
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, PointOf(5));
    QTest::mouseMove(view->viewport(), PointOf(10));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, PointOf(13));
    EXPECT_EQ(Text(), "one  threetwo");
    EXPECT_EQ(view->GetSel().start, 13u);
    view->OnEditUndo();
    EXPECT_EQ(Text(), "one  three");
    view->OnEditUndo();
    EXPECT_EQ(Text(), "one two three");
    EXPECT_FALSE(view->UndoHistory().CanUndo());
}

TEST_F(WeftpageView, ClickingInsideASelectionWithoutMovingDropsItAtTheClick) {
    SetTextAndForgetHistory("one two three");
    view->SetSel(4, 7);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, PointOf(5));
    EXPECT_EQ(view->GetSel().start, 5u);
    EXPECT_EQ(view->GetSel().end, 5u);
    EXPECT_EQ(Text(), "one two three");
    EXPECT_FALSE(view->UndoHistory().CanUndo());
}

TEST_F(WeftpageView, DraggingBeforeTheSelectionMovesTheTextThere) {
    SetTextAndForgetHistory("one two three");
    view->SetSel(8, 13); // "three"
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, PointOf(9));
    QTest::mouseMove(view->viewport(), PointOf(2));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, PointOf(0));
    EXPECT_EQ(Text(), "threeone two ");
}

TEST_F(WeftpageView, TemplateTextWrapsTheSelection) {
    SetTextAndForgetHistory("xx abc yy");
    view->SetSel(3, 6);
    view->InsertTemplateText("<b>%1</b>");
    EXPECT_EQ(Text(), "xx <b>abc</b> yy");
    EXPECT_EQ(view->GetSel().start, 9u);
    EXPECT_EQ(view->GetSel().end, 9u);
    view->SetSel(0, 2);
    view->InsertTemplateText("<hr>");
    EXPECT_EQ(Text(), "<hr> <b>abc</b> yy");
    EXPECT_EQ(view->GetSel().end, 4u);
    // Each insertion is one undo step.
    view->OnEditUndo();
    EXPECT_EQ(Text(), "xx <b>abc</b> yy");
}

TEST_F(WeftpageView, CaretLineAndColumnCountDisplayLinesAndBytes) {
    SetTextAndForgetHistory("ab\r\n\x82\xa0x");
    view->SetSel(0, 0);
    EXPECT_EQ(view->CaretLineColumn().line, 1);
    EXPECT_EQ(view->CaretLineColumn().column, 1);
    view->SetSel(7, 7);
    EXPECT_EQ(view->CaretLineColumn().line, 2);
    EXPECT_EQ(view->CaretLineColumn().column, 4);
    // One long line wraps: the start of its third display line is line 3, column 1.
    SetTextAndForgetHistory(std::string(2000, 'w'));
    const std::size_t third = view->LineIndex(2);
    ASSERT_GT(third, 0u);
    view->SetSel(third, third);
    EXPECT_EQ(view->CaretLineColumn().line, 3);
    EXPECT_EQ(view->CaretLineColumn().column, 1);
}

TEST_F(WeftpageView, AFontValueOfTheWrongLengthGivesTheDefaultFace) {
    Profile().PutBinary("Settings", "Font", FontRecord::Pack(FontRecord::CLogFont{}).left(59));
    EXPECT_EQ(CWeftpageView::ProfileFont().family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_DOUBLE_EQ(CWeftpageView::ProfileFont().pointSizeF(), 12.0);
    FontRecord::CLogFont big = FontRecord::DefaultEditorFont();
    big.height = -24;
    Profile().PutBinary("Settings", "Font", FontRecord::Pack(big));
    EXPECT_DOUBLE_EQ(CWeftpageView::ProfileFont().pointSizeF(), 18.0);
    EXPECT_EQ(CWeftpageView::ProfileTabStops(), 32);
}

TEST_F(WeftpageView, RemovingThePreviewCopyNeverDeletesAFileTheUserMade) {
    const QString path = FilePath("site.html");
    WriteFile(path, "page");
    view->OpenFileByPath(path);
    const QString copy = view->Naming().previewCopyPath;
    WriteFile(copy, "the user's own notes");
    view->RemovePreviewCopy();
    EXPECT_EQ(ReadFile(copy), "the user's own notes");
    EXPECT_TRUE(view->Naming().previewCopyPath.isEmpty());
}

TEST_F(WeftpageView, ReplaceAllIsOneUndoStepAndFindSaysWhenNothingIsFound) {
    SetTextAndForgetHistory("<B>a</B> <b>c</b>");
    view->SetSel(0, 0);
    view->OnEditReplace();
    ASSERT_NE(view->FindDialog(), nullptr);
    view->FindDialog()->FindField()->setText("b>");
    view->FindDialog()->ReplaceField()->setText("strong>");
    view->FindDialog()->ReplaceAllButton()->click();
    EXPECT_EQ(Text(), "<strong>a</strong> <strong>c</strong>");
    view->OnEditUndo();
    EXPECT_EQ(Text(), "<B>a</B> <b>c</b>");

    view->OnEditFind();
    view->FindDialog()->FindField()->setText(QStringLiteral("見出し"));
    view->FindDialog()->FindNextButton()->click();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("「見出し」が見つかりません。"));
}

TEST_F(WeftpageView, FindSelectsTheNextMatchAndReplaceReplacesOnlyAMatch) {
    SetTextAndForgetHistory("td td td");
    view->SetSel(0, 0);
    view->OnEditReplace();
    auto* dlg = view->FindDialog();
    dlg->FindField()->setText("td");
    dlg->ReplaceField()->setText("th");
    dlg->FindNextButton()->click();
    EXPECT_EQ(view->GetSel().start, 0u);
    EXPECT_EQ(view->GetSel().end, 2u);
    dlg->ReplaceButton()->click();
    EXPECT_EQ(Text(), "th td td");
    EXPECT_EQ(view->GetSel().start, 3u);
    dlg->ReplaceButton()->click();
    EXPECT_EQ(Text(), "th th td");
    view->OnEditUndo();
    EXPECT_EQ(Text(), "th td td");
}

TEST_F(WeftpageView, WrappingAndReplacingAreOneChangeEachAndPlaceTheCaret) {
    SetTextAndForgetHistory("0123456789abc!");
    view->SetSel(10, 13);
    view->InsertWrapped("<b>", "</b>");
    EXPECT_EQ(Text(), "0123456789<b>abc</b>!");
    EXPECT_EQ(view->GetSel().start, 16u);
    EXPECT_EQ(view->GetSel().end, 16u);
    view->SetSel(0, 0);
    view->InsertWrapped("<a >", "</a>", 3);
    EXPECT_EQ(view->GetSel().start, 3u);
    view->SetSel(0, 8); // the empty link
    view->InsertReplacing("<img >", 5);
    EXPECT_EQ(Text(), "<img >0123456789<b>abc</b>!");
    EXPECT_EQ(view->GetSel().end, 5u);
    view->OnEditUndo();
    view->OnEditUndo();
    view->OnEditUndo();
    EXPECT_EQ(Text(), "0123456789abc!");
}
