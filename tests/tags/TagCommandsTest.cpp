#include "tags/TagCommands.h"

#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "resources/CommandIds.h"
#include "tags/TagDialogCommands.h"
#include "tests/support/EditorFixture.h"
#include "tests/tags/DialogDriver.h"

#include <QDir>

#include <memory>

using namespace DialogDriver;

namespace {

class TagCommands : public CEditorFixture {
protected:
    TagCommands() {
        view = std::make_unique<CWeftpageView>(doc);
        RegisterTagCommands(*view);
        RegisterTagDialogCommands(*view);
        view->resize(400, 300);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->InitialUpdate();
    }

    // Sets the text (as a fresh document) and selects [start, end).
    void Start(const std::string& text, std::size_t start, std::size_t end) {
        view->SetText(text);
        view->ResetUndoHistory();
        doc.SetModifiedFlag(false);
        view->SetSel(start, end);
    }
    void Run(int command) {
        const CCommandTarget& target = *view;
        ASSERT_TRUE(target.HandlesCommand(command)) << command;
        target.RunCommand(command);
    }
    std::string Text() const { return view->GetText(); }
    std::size_t Caret() const {
        EXPECT_EQ(view->GetSel().start, view->GetSel().end) << "text is still selected";
        return view->GetSel().end;
    }

    CWeftpageDoc doc;
    std::unique_ptr<CWeftpageView> view;
};

const std::string kBefore = "0123456789";
const std::string kAfter = "XYZ";

} // namespace

TEST_F(TagCommands, PlainTagsAroundOrInPlaceOfTheSelection) {
    struct Case {
        int command;
        const char* inserted;
        std::size_t caret; // from the selection's start
    };
    const Case cases[] = {
        {32774, "<br>", 4},
        {32778, "<br>\r\n", 6},
        {32777, "<a >abc</a>", 3},
        {32780, "<img >", 5},
        {32781, "<center>\r\nabc\r\n</center>\r\n", 13},
        {32783, "<hr>", 4},
        {32793, "<font >abc</font>", 6},
        {32811, "<!-- abc -->", 8},
        {32858, "<p>abc</p>", 6},
        {32859, "<b>abc</b>", 6},
        {32860, "<i>abc</i>", 6},
        {32865, "<blockquote>abc</blockquote>", 15},
        {32869, "<ul>abc</ul>", 7},
        {32872, "<ol>abc</ol>", 7},
        {32873, "<li>", 4},
    };
    for (const Case& c : cases) {
        Start(kBefore + "abc" + kAfter, 10, 13);
        Run(c.command);
        EXPECT_EQ(Text(), kBefore + c.inserted + kAfter) << c.command;
        EXPECT_EQ(Caret(), 10 + c.caret) << c.command;
        EXPECT_TRUE(doc.IsModified()) << c.command;
    }
}

TEST_F(TagCommands, WithoutSelectionTheCaretStandsBetweenTheTags) {
    Start("ab", 1, 1);
    Run(Cmd::kTagBold);
    EXPECT_EQ(Text(), "a<b></b>b");
    EXPECT_EQ(Caret(), 4u);
    Start("", 0, 0);
    Run(Cmd::kTagCenter);
    EXPECT_EQ(Text(), "<center>\r\n\r\n</center>\r\n");
    EXPECT_EQ(Caret(), 10u);
    EXPECT_EQ(view->LineFromChar(Caret()), 1);
    Start("", 0, 0);
    Run(Cmd::kTagFont);
    EXPECT_EQ(Caret(), 6u);
}

TEST_F(TagCommands, LinkAndFontLeaveTheCaretInsideTheOpeningTagForAttributes) {
    Start("home", 0, 4);
    Run(Cmd::kTagLink);
    EXPECT_EQ(Text(), "<a >home</a>");
    EXPECT_EQ(Caret(), 3u);
    Start("", 0, 0);
    Run(Cmd::kTagFont);
    EXPECT_EQ(Text(), "<font ></font>");
    EXPECT_EQ(Caret(), 6u);
    // With a selection too, rather than one byte before the selection's end.
    Start("\x82\xA0\x82\xA2", 0, 4);
    Run(Cmd::kTagFont);
    EXPECT_EQ(Text(), "<font >\x82\xA0\x82\xA2</font>");
    EXPECT_EQ(Caret(), 6u);
    Start("gone", 0, 4);
    Run(Cmd::kTagImage);
    EXPECT_EQ(Text(), "<img >");
    EXPECT_EQ(Caret(), 5u);
}

TEST_F(TagCommands, CaretCountsTheBytesOfDoubleByteCharacters) {
    Start("\x82\xA0\x82\xA0\x82\xA2\x82\xA4", 2, 6); // あ[いう]え... selected in the middle
    Run(Cmd::kTagBold);
    EXPECT_EQ(Text(), "\x82\xA0<b>\x82\xA0\x82\xA2</b>\x82\xA4");
    EXPECT_EQ(Caret(), 2u + 3u + 4u);
}

TEST_F(TagCommands, OneUndoRestoresTheTextBeforeTheTag) {
    Start(kBefore + "abc", 10, 13);
    Run(Cmd::kTagBlockquote);
    Run(Cmd::kTagBr);
    view->OnEditUndo();
    EXPECT_EQ(Text(), kBefore + "<blockquote>abc</blockquote>");
    view->OnEditUndo();
    EXPECT_EQ(Text(), kBefore + "abc");
}

TEST_F(TagCommands, EveryTagCommandIsEnabledAlsoOnAnEmptyText) {
    Start("", 0, 0);
    CCommandRouter router;
    router.SetTargets({view.get()});
    for (int command : {32774, 32778, 32777, 32780, 32781, 32783, 32793, 32811, 32858, 32859, 32860, 32865,
                        32869, 32872, 32873, 32775, 32779})
        EXPECT_TRUE(router.State(command).enabled) << command;
}

TEST_F(TagCommands, LinkDialogWrapsTheSelectionAndLeavesTheCaretBeforeTheEnd) {
    Start("see text here", 4, 8);
    ui->QueueDialog([](QDialog& d) {
        Type(Control<QComboBox>(d, 1000), "a.html");
        Click(d, 1);
        return d.result();
    });
    Run(Cmd::kTagLinkDlg);
    EXPECT_EQ(Text(), "see <a href=\"a.html\">text</a> here");
    EXPECT_EQ(Caret(), 4u + std::string("<a href=\"a.html\">text").size());
    EXPECT_EQ(Profile().GetString("InsADlg", "href0", ""), "a.html");
}

TEST_F(TagCommands, CancelledDialogsChangeNeitherTextNorSelection) {
    Start("see text here", 4, 8);
    for (int command : {Cmd::kTagLinkDlg, Cmd::kTagImageDlg}) {
        ui->QueueDialog([](QDialog& d) {
            Type(Control<QComboBox>(d, d.windowTitle().startsWith("<A>") ? 1000 : 1004), "x");
            Click(d, 2);
            return d.result();
        });
        Run(command);
        EXPECT_EQ(Text(), "see text here");
        EXPECT_EQ(view->GetSel().start, 4u);
        EXPECT_EQ(view->GetSel().end, 8u);
        EXPECT_FALSE(doc.IsModified());
    }
    // The histories are written all the same.
    EXPECT_EQ(Profile().GetString("InsADlg", "trgt0", ""), "_top");
}

TEST_F(TagCommands, ImageDialogReplacesTheSelectionAndBrowsesFromTheEditedFile) {
    const QString page = FilePath("site/page.html");
    QDir().mkpath(FilePath("site/img"));
    WriteFile(page, "<p>old</p>");
    view->OpenFileByPath(page);
    ASSERT_EQ(view->Naming().filePath, page);
    view->SetSel(3, 6);
    ui->QueueFileName(FilePath("site/img/a.gif"));
    ui->QueueDialog([](QDialog& d) {
        Click(d, 1140);
        Click(d, 1);
        return d.result();
    });
    Run(Cmd::kTagImageDlg);
    const std::string tag = "<img src=\"img/a.gif\" border=0 alt=\"\">";
    EXPECT_EQ(Text(), "<p>" + tag + "</p>");
    EXPECT_EQ(Caret(), 3u + tag.size());
    EXPECT_EQ(ui->fileDialogs.back().initialFolder, FilePath("site/"));
}
