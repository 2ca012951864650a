#include "editor/WeftpageView.h"

#include "editor/WeftpageDoc.h"
#include "resources/CommandIds.h"
#include "tests/support/EditorFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

class PreviewCommands : public CEditorFixture {
protected:
    PreviewCommands() {
        view = std::make_unique<CWeftpageView>(doc);
        router.SetTargets({view.get()});
        QObject::connect(view.get(), &CWeftpageView::CaptionChanged,
                         [this](const QString& c) { caption = c; });
        view->InitialUpdate();
    }

    // Opens web/a.html and types over it, so the document is changed and unsaved.
    void OpenAndChange() {
        QDir(m_dir.path()).mkpath("my web");
        WriteFile(Page(), "saved");
        view->OpenFileByPath(Page());
        view->SelectAll();
        view->ReplaceSel("unsaved \x82\xa0");
    }
    QString Page() const { return FilePath("my web/a.html"); }
    QString Copy() const { return FilePath("my web/~a.html"); }
    bool Enabled(int id) const { return router.State(id).enabled; }

    CWeftpageDoc doc;
    std::unique_ptr<CWeftpageView> view;
    CCommandRouter router;
    QString caption;
};

} // namespace

TEST_F(PreviewCommands, AreGreyedForAnUnnamedDocument) {
    Profile().PutString("Browser", "IE", "/usr/bin/first");
    Profile().PutString("Browser", "NN", "/usr/bin/second");
    EXPECT_FALSE(Enabled(Cmd::kPreview));
    EXPECT_FALSE(Enabled(Cmd::kPreviewFirstBrowser));
    EXPECT_FALSE(Enabled(Cmd::kPreviewSecondBrowser));
    EXPECT_FALSE(router.Execute(Cmd::kPreview));
    EXPECT_TRUE(ui->opened.isEmpty());
}

TEST_F(PreviewCommands, BrowserPreviewsNeedTheirProgramPath) {
    OpenAndChange();
    EXPECT_TRUE(Enabled(Cmd::kPreview));
    EXPECT_FALSE(Enabled(Cmd::kPreviewFirstBrowser));
    EXPECT_FALSE(Enabled(Cmd::kPreviewSecondBrowser));
    Profile().PutString("Browser", "NN", "/usr/bin/second");
    EXPECT_FALSE(Enabled(Cmd::kPreviewFirstBrowser));
    EXPECT_TRUE(Enabled(Cmd::kPreviewSecondBrowser));
}

TEST_F(PreviewCommands, PreviewWritesTheUnsavedTextBesideTheFileAndOpensIt) {
    OpenAndChange();
    const QString before = caption;
    router.Execute(Cmd::kPreview);
    EXPECT_EQ(ReadFile(Copy()), "unsaved \x82\xa0");
    EXPECT_EQ(ui->opened, QStringList{Copy()});
    EXPECT_TRUE(ui->messages.empty());
    // The document itself is untouched: still changed, same caption, file as saved.
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(caption, before);
    EXPECT_EQ(ReadFile(Page()), "saved");
    EXPECT_TRUE(view->UndoHistory().CanUndo());
}

TEST_F(PreviewCommands, BrowserGetsTheCopyPathAsOneUnquotedArgument) {
    OpenAndChange();
    Profile().PutString("Browser", "IE", "/opt/first browser/run");
    Profile().PutString("Browser", "NN", "/opt/second");
    router.Execute(Cmd::kPreviewFirstBrowser);
    router.Execute(Cmd::kPreviewSecondBrowser);
    ASSERT_EQ(ui->started.size(), 2u);
    EXPECT_EQ(ui->started[0].first, "/opt/first browser/run");
    EXPECT_EQ(ui->started[0].second, QStringList{Copy()});
    EXPECT_EQ(ui->started[1].first, "/opt/second");
    EXPECT_EQ(ReadFile(Copy()), "unsaved \x82\xa0");
}

TEST_F(PreviewCommands, FailureToShowIsToldAndTheCopyStays) {
    OpenAndChange();
    ui->SetOpenResult(false);
    router.Execute(Cmd::kPreview);
    EXPECT_EQ(ui->MessageTexts(), QStringList{QStringLiteral("プレビューの表示に失敗しました")});
    // The opener started but then found nothing to show the page with.
    ui->SetOpenResult(true);
    router.Execute(Cmd::kPreview);
    EXPECT_EQ(ui->messages.size(), 1u);
    ui->FailLastOpenLater();
    EXPECT_EQ(ui->MessageTexts().value(1), QStringLiteral("プレビューの表示に失敗しました"));
    Profile().PutString("Browser", "IE", "/nowhere/browser");
    ui->SetStartResult(false);
    router.Execute(Cmd::kPreviewFirstBrowser);
    EXPECT_EQ(ui->messages.size(), 3u);
    EXPECT_TRUE(QFileInfo::exists(Copy()));
}

TEST_F(PreviewCommands, RepeatedPreviewRewritesItsOwnCopyAndOpeningAnotherFileRemovesIt) {
    OpenAndChange();
    router.Execute(Cmd::kPreview);
    view->ReplaceSel("more");
    router.Execute(Cmd::kPreview);
    EXPECT_EQ(ReadFile(Copy()), "unsaved \x82\xa0more");
    EXPECT_TRUE(ui->messages.empty());
    WriteFile(FilePath("b.html"), "b");
    doc.SetModifiedFlag(false);
    view->OpenFileByPath(FilePath("b.html"));
    EXPECT_FALSE(QFileInfo::exists(Copy()));
}

TEST_F(PreviewCommands, AFileTheUserKeepsUnderTheCopysNameIsNeverOverwritten) {
    OpenAndChange();
    WriteFile(Copy(), "my own notes");
    router.Execute(Cmd::kPreview);
    EXPECT_EQ(ReadFile(Copy()), "my own notes");
    EXPECT_TRUE(ui->opened.isEmpty());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->messages[0].text.contains(Copy()));
    // Also a copy of ours that the user changed afterwards is theirs now.
    QFile::remove(Copy());
    router.Execute(Cmd::kPreview);
    ASSERT_EQ(ui->opened.size(), 1);
    WriteFile(Copy(), "edited by hand");
    router.Execute(Cmd::kPreview);
    EXPECT_EQ(ReadFile(Copy()), "edited by hand");
    EXPECT_EQ(ui->opened.size(), 1);
}

TEST_F(PreviewCommands, ASymbolicLinkUnderTheCopysNameIsLeftAlone) {
    OpenAndChange();
    WriteFile(FilePath("target.html"), "target");
    ASSERT_TRUE(QFile::link(FilePath("target.html"), Copy()));
    router.Execute(Cmd::kPreview);
    EXPECT_EQ(ReadFile(FilePath("target.html")), "target");
    EXPECT_TRUE(ui->opened.isEmpty());
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(PreviewCommands, ACopyThatCannotBeWrittenIsToldAndNothingStarts) {
    OpenAndChange();
    // The folder went away after the file was opened.
    ASSERT_TRUE(QDir(FilePath("my web")).removeRecursively());
    router.Execute(Cmd::kPreview);
    EXPECT_TRUE(ui->opened.isEmpty());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->messages[0].text.contains(QStringLiteral("保存できません")));
    EXPECT_TRUE(doc.IsModified());
}
