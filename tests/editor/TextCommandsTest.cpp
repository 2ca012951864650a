#include "editor/WeftpageView.h"

#include "editor/WeftpageDoc.h"
#include "platform/Cp932.h"
#include "platform/FileName.h"
#include "resources/CommandIds.h"
#include "tests/support/EditorFixture.h"

#include <QCoreApplication>
#include <QDir>

#include <fcntl.h>
#include <unistd.h>

#include <memory>

namespace {

class TextCommands : public CEditorFixture {
protected:
    TextCommands() {
        view = std::make_unique<CWeftpageView>(doc);
        router.SetTargets({view.get()});
        view->InitialUpdate();
    }

    void Show(const std::string& text, std::size_t start, std::size_t end) {
        view->SetText(text);
        view->ResetUndoHistory();
        view->SetSel(start, end);
    }
    void Run(int id) { router.Execute(id); }
    bool Enabled(int id) const { return router.State(id).enabled; }
    std::string Text() const { return view->GetText(); }
    std::size_t Caret() const { return view->GetSel().end; }
    std::size_t UndoSteps() {
        std::size_t steps = 0;
        while (view->UndoHistory().CanUndo()) {
            view->OnEditUndo();
            ++steps;
        }
        return steps;
    }
    // Opens a document saved in the test folder, so that it has a file path.
    void OpenDocument(const QString& name, const std::string& text) {
        WriteFile(FilePath(name), text);
        view->OpenFileByPath(FilePath(name));
    }

    CWeftpageDoc doc;
    std::unique_ptr<CWeftpageView> view;
    CCommandRouter router;
};

std::string Sjis(const char* utf8) {
    return Cp932::Encode(QString::fromUtf8(utf8)).bytes;
}

} // namespace

TEST_F(TextCommands, BrAtLineEndsReplacesTheSelectionAsOneUndoStep) {
    Show("xa\r\nby", 1, 5);
    Run(Cmd::kBrAtLineEnds);
    EXPECT_EQ(Text(), "xa<br>\r\nby");
    EXPECT_EQ(Caret(), 9u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(UndoSteps(), 1u);
    EXPECT_EQ(Text(), "xa\r\nby");
}

TEST_F(TextCommands, BrAtLineEndsWithoutLineBreakPutsTheTextBackAndStillRecordsAStep) {
    Show("abc", 0, 3);
    Run(Cmd::kBrAtLineEnds);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(Caret(), 3u);
    EXPECT_EQ(UndoSteps(), 1u);
}

TEST_F(TextCommands, SelectionCommandsAreGreyedWithoutASelectionAndDoNothing) {
    Show("a<b", 1, 1);
    EXPECT_FALSE(Enabled(Cmd::kBrAtLineEnds));
    EXPECT_FALSE(Enabled(Cmd::kConvertEntities));
    Run(Cmd::kConvertEntities);
    EXPECT_EQ(Text(), "a<b");
    view->SetSel(0, 2);
    EXPECT_TRUE(Enabled(Cmd::kBrAtLineEnds));
    EXPECT_TRUE(Enabled(Cmd::kConvertEntities));
}

TEST_F(TextCommands, ConversionWritesReferencesAndPutsTheCaretAfterThem) {
    Show("[a<b>&c]", 1, 7);
    Run(Cmd::kConvertEntities);
    EXPECT_EQ(Text(), "[a&lt;b&gt;&amp;c]");
    EXPECT_EQ(Caret(), 17u);
}

TEST_F(TextCommands, SingleReferencesReplaceTheSelectionOrInsertAtTheCaret) {
    Show("xabcx", 1, 4);
    Run(Cmd::kEntityLt);
    EXPECT_EQ(Text(), "x&lt;x");
    EXPECT_EQ(Caret(), 5u);
    Run(Cmd::kEntityGt);
    EXPECT_EQ(Text(), "x&lt;&gt;x");
    EXPECT_EQ(Caret(), 9u);
    Run(Cmd::kEntityAmp);
    EXPECT_EQ(Text(), "x&lt;&gt;&amp;x");
    EXPECT_EQ(Caret(), 14u);
    EXPECT_TRUE(Enabled(Cmd::kEntityLt));
}

TEST_F(TextCommands, JumpsMovePastTheNextCloseAndBeforeThePreviousOpen) {
    Show("<a>b<c>", 3, 3);
    Run(Cmd::kJumpNextClose);
    EXPECT_EQ(Caret(), 7u);
    EXPECT_EQ(view->GetSel().start, 7u);
    Run(Cmd::kJumpPrevOpen);
    EXPECT_EQ(Caret(), 4u);
    // Standing just before "<" goes on to the one before it.
    Run(Cmd::kJumpPrevOpen);
    EXPECT_EQ(Caret(), 0u);
    // At the very start, and with no ">" after the caret, nothing moves.
    Run(Cmd::kJumpPrevOpen);
    EXPECT_EQ(Caret(), 0u);
    view->SetSel(7, 7);
    Run(Cmd::kJumpNextClose);
    EXPECT_EQ(Caret(), 7u);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TextCommands, NextCloseSearchesFromTheSelectionStart) {
    Show("a>bc>d", 0, 4);
    Run(Cmd::kJumpNextClose);
    EXPECT_EQ(view->GetSel().start, 2u);
    EXPECT_EQ(view->GetSel().end, 2u);
}

TEST_F(TextCommands, DateAndTimeFollowTheProfileStyles) {
    ui->SetTime(QDateTime(QDate(2000, 3, 7), QTime(0, 30, 0)));
    Show("[]", 1, 1);
    Run(Cmd::kInsertDate);
    EXPECT_EQ(Text(), "[" + Sjis("2000年 3月 7日（火）") + "]");
    Profile().PutInt("DateTimeFormat", "Date", 0);
    Profile().PutString("DateTimeFormat", "DateEx", "%Y-%M-%D (%W)");
    Profile().PutInt("DateTimeFormat", "Time", 9);
    Profile().PutString("DateTimeFormat", "TimeEx", "%P %t:%M");
    Show("[xy]", 1, 3);
    Run(Cmd::kInsertDate);
    EXPECT_EQ(Text(), "[2000-03-07 (Tue)]");
    EXPECT_EQ(Caret(), 17u);
    Run(Cmd::kInsertTime);
    EXPECT_EQ(Text(), "[2000-03-07 (Tue)AM  0:30]");
    EXPECT_EQ(Caret(), 25u);
}

TEST_F(TextCommands, EmptyUserFormatStillReplacesTheSelection) {
    Profile().PutInt("DateTimeFormat", "Time", 0);
    Show("abc", 0, 2);
    Run(Cmd::kInsertTime);
    EXPECT_EQ(Text(), "c");
    EXPECT_EQ(Caret(), 0u);
}

TEST_F(TextCommands, EditSelectedFileIsGreyedForAnUnnamedDocument) {
    Show("a.html", 0, 6);
    EXPECT_FALSE(Enabled(Cmd::kEditSelectedFile));
    OpenDocument("page.html", "a.html");
    EXPECT_FALSE(Enabled(Cmd::kEditSelectedFile));
    view->SetSel(0, 6);
    EXPECT_TRUE(Enabled(Cmd::kEditSelectedFile));
}

TEST_F(TextCommands, EditSelectedFileStartsASecondEditorWithTheResolvedPath) {
    QDir(m_dir.path()).mkpath("site/sub");
    QDir(m_dir.path()).mkpath("site/img");
    WriteFile(FilePath("site/img/b.html"), "b");
    OpenDocument("site/sub/page.html", "x ../img/b.html y");
    view->SetSel(2, 15);
    Run(Cmd::kEditSelectedFile);
    ASSERT_EQ(ui->started.size(), 1u);
    EXPECT_EQ(ui->started[0].first, QCoreApplication::applicationFilePath());
    EXPECT_EQ(ui->started[0].second, QStringList{FilePath("site/img/b.html")});
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(Text(), "x ../img/b.html y");
}

TEST_F(TextCommands, EditSelectedFileDecodesAJapaneseName) {
    WriteFile(FilePath(QStringLiteral("日本語.html")), "j");
    OpenDocument("page.html", Sjis("./日本語.html"));
    view->SelectAll();
    Run(Cmd::kEditSelectedFile);
    ASSERT_EQ(ui->started.size(), 1u);
    EXPECT_EQ(ui->started[0].second, QStringList{FilePath(QStringLiteral("日本語.html"))});
}

TEST_F(TextCommands, EditSelectedFileFindsAFileNamedInThePagesOwnShiftJisBytes) {
    // An old site's file "日本語.html" under its Shift-JIS bytes, and one whose name is no
    // character at all: both reach the second editor with the exact bytes.
    for (const std::string& name : {Sjis("日本語.html"), std::string("\xff.html")}) {
        const QByteArray native = FileName::ToNative(m_dir.path()) + "/" + QByteArray::fromStdString(name);
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
        OpenDocument("page.html", name);
        view->SelectAll();
        Run(Cmd::kEditSelectedFile);
        ASSERT_EQ(ui->started.size(), 1u);
        ASSERT_EQ(ui->started[0].second.size(), 1);
        EXPECT_EQ(FileName::ToNative(ui->started[0].second[0]), native);
        EXPECT_TRUE(ui->messages.empty());
        ui->started.clear();
        // Qt's own clean-up of the folder cannot name the file.
        ::unlink(native.constData());
    }
}

TEST_F(TextCommands, EditSelectedFileDoesNothingForAMissingFileOrAFolder) {
    QDir(m_dir.path()).mkpath("folder");
    OpenDocument("page.html", "missing.html folder");
    view->SetSel(0, 12);
    Run(Cmd::kEditSelectedFile);
    view->SetSel(13, 19);
    Run(Cmd::kEditSelectedFile);
    EXPECT_TRUE(ui->started.empty());
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(TextCommands, EditSelectedFileDoesNothingForANameThatClimbsAboveTheRoot) {
    WriteFile(FilePath("a.html"), "a");
    // Enough ".." to pass the root, then down again to the file: the system would read
    // it as the file itself, but the name does not lead there from the page.
    const int depth = static_cast<int>(m_dir.path().count(QLatin1Char('/')));
    const QString name = QStringLiteral("../").repeated(depth + 2) + m_dir.path().mid(1) + "/a.html";
    OpenDocument("page.html", name.toStdString());
    view->SelectAll();
    Run(Cmd::kEditSelectedFile);
    EXPECT_TRUE(ui->started.empty());
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(TextCommands, EditSelectedFileTellsWhenTheSelectionCannotBeAPath) {
    WriteFile(FilePath("a.html"), "a");
    OpenDocument("page.html", "a.html\r\nb.html \"a.html\" \xff.html");
    view->SetSel(0, 14);
    Run(Cmd::kEditSelectedFile);
    view->SetSel(15, 23);
    Run(Cmd::kEditSelectedFile);
    view->SetSel(24, 30);
    Run(Cmd::kEditSelectedFile);
    EXPECT_TRUE(ui->started.empty());
    ASSERT_EQ(ui->messages.size(), 3u);
    for (const auto& m : ui->messages)
        EXPECT_TRUE(m.text.startsWith(QStringLiteral("選択された文字列はファイル名として使えません。")))
            << m.text.toStdString();
    EXPECT_TRUE(ui->messages[1].text.contains(QStringLiteral("「\"」")));
}

TEST_F(TextCommands, EditSelectedFileTellsWhenTheEditorCannotStart) {
    WriteFile(FilePath("a.html"), "a");
    OpenDocument("page.html", "a.html");
    view->SelectAll();
    ui->SetStartResult(false);
    Run(Cmd::kEditSelectedFile);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].icon, CPlatformUi::Icon::Stop);
}
