#include "wizard/newWizPSheet.h"

#include "app/MainFrame.h"
#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "platform/HelpTopics.h"
#include "resources/CommandIds.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/SkelCustomDlg.h"
#include "wizard/WizardCommands.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

#include <functional>

namespace {

using Answer = CPlatformUi::Answer;
using Sheet = CSheetFixture;
using SkeletonCommand = CWizardFixture;

constexpr int kNormal = 1092;
constexpr int kFrame = 1093;
constexpr int kSkeleton = 1094;

// The launch command with a view and its document.
class NewWizard : public CSheetFixture {
protected:
    NewWizard() {
        view = std::make_unique<CWeftpageView>(doc);
        RegisterWizardCommand(*view);
        QObject::connect(view.get(), &CWeftpageView::CaptionChanged,
                         [this](const QString& c) { caption = c; });
        view->InitialUpdate();
    }

    // Runs command 32812; script drives the wizard while it is shown.
    void Launch(std::function<void(CnewWizPSheet&)> script) {
        ui->QueueDialog([script](QDialog& dialog) {
            auto& wizard = static_cast<CnewWizPSheet&>(dialog);
            script(wizard);
            return dialog.result();
        });
        static_cast<const CCommandTarget&>(*view).RunCommand(Cmd::kNewWizard);
    }

    static void FinishNormalPage(CnewWizPSheet& w, const QString& title) {
        Press(w, QWizard::NextButton);
        Control<QLineEdit>(w.page(CnewWizPSheet::kPageNorm1), 1099)->setText(title);
        Press(w, QWizard::NextButton);
        Press(w, QWizard::FinishButton);
    }

    void MakeModified() {
        view->SetSel(0, 0);
        view->ReplaceSel("edited ");
        ASSERT_TRUE(doc.IsModified());
    }

    CWeftpageDoc doc;
    std::unique_ptr<CWeftpageView> view;
    QString caption;
};

const std::string kTopPage =
    "<html><head>\r\n<title>Top</title>\r\n</head>\r\n"
    "<body bgcolor=\"#\" text=\"#\" link=\"#\" vlink=\"#\" alink=\"#\">\r\n\r\n</body></html>\r\n";

} // namespace

TEST_F(Sheet, ShowsJapaneseButtonsAndOnlyNextOnTheFirstPage) {
    Open();
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("新規作成"));
    EXPECT_EQ(sheet->buttonText(QWizard::BackButton), QStringLiteral("< 戻る(&B)"));
    EXPECT_EQ(sheet->buttonText(QWizard::NextButton), QStringLiteral("次へ(&N) >"));
    EXPECT_EQ(sheet->buttonText(QWizard::FinishButton), QStringLiteral("完了"));
    EXPECT_EQ(sheet->buttonText(QWizard::CancelButton), QStringLiteral("キャンセル"));
    EXPECT_EQ(sheet->buttonText(QWizard::HelpButton), QStringLiteral("ヘルプ"));
    EXPECT_EQ(sheet->currentId(), CnewWizPSheet::kPageTop);
    EXPECT_FALSE(sheet->button(QWizard::BackButton)->isEnabled());
    EXPECT_TRUE(sheet->button(QWizard::NextButton)->isEnabled());
    EXPECT_FALSE(sheet->button(QWizard::FinishButton)->isVisible());
    QWizardPage* top = Page(CnewWizPSheet::kPageTop);
    EXPECT_TRUE(Control<QRadioButton>(top, kNormal)->isChecked());
    EXPECT_TRUE(Control<QLineEdit>(top, 1176)->isReadOnly());
    EXPECT_EQ(sheet->FilePath(), QString());
    EXPECT_TRUE(sheet->GeneratedText().empty());
}

TEST_F(Sheet, TheFirstPageBranchesByChoiceAndOtherPagesBackToIt) {
    Open();
    GoTo(kFrame);
    EXPECT_EQ(sheet->currentId(), CnewWizPSheet::kPageFrame1);
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("新規作成 - フレームページ"));
    Control<QLineEdit>(Page(CnewWizPSheet::kPageFrame1), 1134)->setText("kept");
    Press(*sheet, QWizard::BackButton);
    EXPECT_EQ(sheet->currentId(), CnewWizPSheet::kPageTop);
    GoTo(kNormal);
    EXPECT_EQ(sheet->currentId(), CnewWizPSheet::kPageNorm1);
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("新規作成 - 通常のページ"));
    Press(*sheet, QWizard::NextButton);
    EXPECT_EQ(sheet->currentId(), CnewWizPSheet::kPageNorm2);
    EXPECT_TRUE(sheet->button(QWizard::FinishButton)->isVisible());
    EXPECT_TRUE(sheet->button(QWizard::FinishButton)->isEnabled());
    EXPECT_FALSE(sheet->button(QWizard::NextButton)->isVisible());
    Press(*sheet, QWizard::BackButton);
    Press(*sheet, QWizard::BackButton);
    GoTo(kSkeleton);
    EXPECT_EQ(sheet->currentId(), CnewWizPSheet::kPageSkel);
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("新規作成 - スケルトンの選択"));
    Press(*sheet, QWizard::BackButton);
    EXPECT_EQ(sheet->currentId(), CnewWizPSheet::kPageTop);
    // The frame page kept what was typed on it.
    GoTo(kFrame);
    EXPECT_EQ(Control<QLineEdit>(Page(CnewWizPSheet::kPageFrame1), 1134)->text(), "kept");
}

TEST_F(Sheet, BrowseChoosesPathTitleAndExtensionTogetherAndNextTakesThePath) {
    Open();
    QWizardPage* top = Page(CnewWizPSheet::kPageTop);
    ui->QueueFileName(FilePath("web/top.html"));
    Control<QAbstractButton>(top, 1140)->click();
    ASSERT_EQ(ui->fileDialogs.size(), 1u);
    const CPlatformUi::FileDialog& asked = ui->fileDialogs[0];
    EXPECT_TRUE(asked.save);
    EXPECT_TRUE(asked.overwritePrompt);
    EXPECT_EQ(asked.defaultExtension, "html");
    EXPECT_TRUE(asked.initialName.isEmpty());
    EXPECT_EQ(asked.filter,
              "HTML Document(*.html)|*.html|HTML Document(*.htm)|*.htm|SHTML Document(*.shtml)|*.shtml||");
    EXPECT_EQ(Control<QLineEdit>(top, 1176)->text(), FilePath("web/top.html"));
    EXPECT_EQ(sheet->FileTitle(), "top");
    EXPECT_EQ(sheet->FileExtension(), "html");
    EXPECT_EQ(sheet->FilePath(), QString()); // taken on Next only

    ui->QueueFileName(FilePath("other/menu.shtml"));
    Control<QAbstractButton>(top, 1140)->click();
    ui->QueueFileName(std::nullopt); // cancelling changes nothing
    Control<QAbstractButton>(top, 1140)->click();
    EXPECT_EQ(sheet->FileTitle(), "menu");
    EXPECT_EQ(sheet->FileExtension(), "shtml");
    Press(*sheet, QWizard::NextButton);
    EXPECT_EQ(sheet->FilePath(), FilePath("other/menu.shtml"));
    Press(*sheet, QWizard::BackButton);
    Press(*sheet, QWizard::NextButton);
    EXPECT_EQ(sheet->FilePath(), FilePath("other/menu.shtml"));
}

TEST_F(Sheet, HelpShowsTheTopicOfThePageBeingShown) {
    CRecordedHelp help(*ui);
    Open();
    const std::pair<int, const char*> topics[] = {
        {CnewWizPSheet::kPageTop, kHelpTopicWizardTop},
        {CnewWizPSheet::kPageNorm1, kHelpTopicWizardNorm1},
        {CnewWizPSheet::kPageNorm2, kHelpTopicWizardNorm2},
        {CnewWizPSheet::kPageSkel, kHelpTopicWizardSkeleton},
        {CnewWizPSheet::kPageFrame1, kHelpTopicWizardFrame1},
        {CnewWizPSheet::kPageFrame2, kHelpTopicWizardFrame2},
    };
    auto showPage = [&](int id) {
        sheet->restart();
        Settle();
        if (id == CnewWizPSheet::kPageTop)
            return;
        GoTo(id == CnewWizPSheet::kPageSkel     ? kSkeleton
             : id >= CnewWizPSheet::kPageFrame1 ? kFrame
                                                : kNormal);
        if (id == CnewWizPSheet::kPageNorm2 || id == CnewWizPSheet::kPageFrame2)
            Press(*sheet, QWizard::NextButton);
    };
    for (const auto& [id, topic] : topics) {
        showPage(id);
        ASSERT_EQ(sheet->currentId(), id);
        PressF1(sheet.get());
        EXPECT_EQ(help.LastTopic(), topic) << "F1 on page " << id;
        EXPECT_EQ(help.LastCommand(), 0);
        sheet->button(QWizard::HelpButton)->click();
        EXPECT_EQ(help.LastTopic(), topic) << "help button on page " << id;
    }
    EXPECT_EQ(help.Calls(), 12);
}

TEST_F(Sheet, WithoutAHelpLibraryF1DoesNothingAndKeepsThePage) {
    Open();
    PressF1(sheet.get());
    EXPECT_EQ(sheet->currentId(), CnewWizPSheet::kPageTop);
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(NewWizard, FinishWithoutAPathGivesAnUnnamedDocumentThatTheSaveQuestionProtects) {
    Launch([](CnewWizPSheet& w) { FinishNormalPage(w, "Top"); });
    EXPECT_EQ(view->GetText(), kTopPage);
    EXPECT_EQ(caption, QStringLiteral("無題 - Vuro"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view->Naming().filePath, QString());
    EXPECT_EQ(view->Naming().fileTitle, QStringLiteral("無題"));
    EXPECT_EQ(view->Naming().fileExtension, "html");
    EXPECT_EQ(view->Naming().previewCopyPath, QString());
    EXPECT_FALSE(view->UndoHistory().CanUndo());
    EXPECT_TRUE(ui->AllAnswersUsed());
    // New would throw the composed page away: it asks first.
    ui->QueueAnswer(Answer::Cancel);
    view->OnFileNew();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("無題.htmlへの変更を保存しますか？"));
    EXPECT_EQ(view->GetText(), kTopPage);
}

TEST_F(NewWizard, FinishWithAChosenPathNamesTheDocumentAndMarksItChangedButWritesNothing) {
    const QString path = FilePath("top.html");
    Launch([&](CnewWizPSheet& w) {
        ui->QueueFileName(path);
        Control<QAbstractButton>(w.page(CnewWizPSheet::kPageTop), 1140)->click();
        FinishNormalPage(w, "Top");
    });
    EXPECT_EQ(view->GetText(), kTopPage);
    EXPECT_EQ(caption, path + QStringLiteral(" - Vuro"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view->Naming().filePath, path);
    EXPECT_EQ(view->Naming().fileTitle, "top");
    EXPECT_EQ(view->Naming().fileExtension, "html");
    EXPECT_EQ(view->Naming().previewCopyPath, FilePath("~top.html"));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(view->UndoHistory().CanUndo());
    // The next wizard asks to save the generated page under its name.
    ui->QueueAnswer(Answer::Cancel);
    static_cast<const CCommandTarget&>(*view).RunCommand(Cmd::kNewWizard);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("top.htmlへの変更を保存しますか？"));
    EXPECT_EQ(ui->dialogsRun, 1);
}

TEST_F(NewWizard, CancelOnAnyPageKeepsTheOldTextAfterNoToTheSaveQuestion) {
    MakeModified();
    const std::string before = view->GetText();
    const QString captionBefore = caption;
    ui->QueueAnswer(Answer::No);
    Launch([](CnewWizPSheet& w) {
        Press(w, QWizard::NextButton);
        Press(w, QWizard::CancelButton);
    });
    EXPECT_EQ(view->GetText(), before);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(caption, captionBefore);
    EXPECT_TRUE(view->UndoHistory().CanUndo());
}

TEST_F(NewWizard, CancelInTheSaveQuestionShowsNoWizard) {
    MakeModified();
    ui->QueueAnswer(Answer::Cancel);
    static_cast<const CCommandTarget&>(*view).RunCommand(Cmd::kNewWizard);
    EXPECT_EQ(ui->dialogsRun, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(NewWizard, AbandonedSaveShowsNoWizard) {
    MakeModified();
    ui->QueueAnswer(Answer::Yes);
    ui->QueueFileName(std::nullopt); // the unnamed document's Save dialog is cancelled
    static_cast<const CCommandTarget&>(*view).RunCommand(Cmd::kNewWizard);
    EXPECT_EQ(ui->dialogsRun, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(NewWizard, TheWizardReadsTheSkeletonStoreWhenItStarts) {
    QFile::remove(SkeletonPath());
    Launch([](CnewWizPSheet& w) { Press(w, QWizard::CancelButton); });
    EXPECT_EQ(ui->MessageTexts(), QStringList{QStringLiteral("スケルトン定義ファイルが開けません。")});
}

TEST_F(NewWizard, EachLaunchStartsWithFreshPages) {
    Launch([](CnewWizPSheet& w) {
        Control<QAbstractButton>(w.page(CnewWizPSheet::kPageTop), kFrame)->click();
        Press(w, QWizard::CancelButton);
    });
    Launch([](CnewWizPSheet& w) {
        EXPECT_TRUE(Control<QRadioButton>(w.page(CnewWizPSheet::kPageTop), kNormal)->isChecked());
        Press(w, QWizard::CancelButton);
    });
}

TEST_F(SkeletonCommand, TheFrameOpensTheSkeletonCustomisationThroughItsCommand) {
    CWeftpageDoc doc;
    CCommandRouter router;
    CMainFrame frame(doc, router);
    router.SetTargets({frame.View(), &frame});
    frame.View()->InitialUpdate();
    WriteSkeletons("a\r\n\r\n&&&&&\r\n");
    ui->QueueDialog([](QDialog& dialog) {
        EXPECT_NE(dynamic_cast<CSkelCustomDlg*>(&dialog), nullptr);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("スケルトンのカスタマイズ"));
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_TRUE(router.Execute(Cmd::kEditSkeletons));
    EXPECT_EQ(ui->dialogsRun, 1);
    // The wizard is the view's command.
    ui->QueueDialog([](QDialog& dialog) {
        EXPECT_NE(dynamic_cast<CnewWizPSheet*>(&dialog), nullptr);
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_TRUE(router.Execute(Cmd::kNewWizard));
    EXPECT_EQ(ui->dialogsRun, 2);
}
