#include "wizard/nwPageSkel.h"

#include "tests/wizard/WizardTestSupport.h"
#include "wizard/SkelPreviewDlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

class SkeletonPage : public CSheetFixture {
protected:
    void OpenWith(const std::string& store) {
        WriteSkeletons(store);
        Open();
        GoTo(1094);
        ASSERT_EQ(sheet->currentId(), CnewWizPSheet::kPageSkel);
    }
    QWizardPage* Skel() const { return Page(CnewWizPSheet::kPageSkel); }
    QListWidget* List() const { return Control<QListWidget>(Skel(), 1116); }
    QStringList Titles() const {
        QStringList out;
        for (int i = 0; i < List()->count(); ++i)
            out.append(List()->item(i)->text());
        return out;
    }
    bool FinishEnabled() const {
        return sheet->button(QWizard::FinishButton)->isVisible() &&
               sheet->button(QWizard::FinishButton)->isEnabled();
    }
};

const std::string kStore = "b\r\nsecond\r\n<b>\r\n&&&&&\r\n"
                           "a\r\n\x95\x5c\r\n<html>\r\n</html>\r\n&&&&&\r\n"
                           "B\r\nupper\r\n&&&&&\r\n";

} // namespace

TEST_F(SkeletonPage, ListsTheTitlesSortedAndOffersFinishOnlyOnceOneIsSelected) {
    OpenWith(kStore);
    EXPECT_EQ(Titles(), (QStringList{"B", "a", "b"}));
    EXPECT_TRUE(sheet->button(QWizard::BackButton)->isEnabled());
    EXPECT_TRUE(sheet->button(QWizard::FinishButton)->isVisible());
    EXPECT_FALSE(sheet->button(QWizard::FinishButton)->isEnabled());
    EXPECT_FALSE(Control<QAbstractButton>(Skel(), 1121)->isEnabled());
    EXPECT_EQ(Control<QLineEdit>(Skel(), 1117)->text(), "");
    List()->setCurrentRow(1);
    EXPECT_TRUE(FinishEnabled());
    EXPECT_TRUE(Control<QAbstractButton>(Skel(), 1121)->isEnabled());
    EXPECT_EQ(Control<QLineEdit>(Skel(), 1117)->text(), QStringLiteral("表"));
    EXPECT_TRUE(Control<QLineEdit>(Skel(), 1117)->isReadOnly());
}

TEST_F(SkeletonPage, FinishGivesTheSourceWithCrLfAfterEveryLine) {
    OpenWith("t\nc\n<html>\n</html>\n&&&&&\n");
    List()->setCurrentRow(0);
    Press(*sheet, QWizard::FinishButton);
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(sheet->GeneratedText(), "<html>\r\n</html>\r\n");
}

TEST_F(SkeletonPage, AThreeLineRecordGivesAnEmptyPage) {
    OpenWith("empty\r\nnothing\r\n&&&&&\r\n");
    List()->setCurrentRow(0);
    Press(*sheet, QWizard::FinishButton);
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(sheet->GeneratedText(), "");
}

TEST_F(SkeletonPage, PreviewShowsTheSelectedSourceUnwrappedAndReadOnly) {
    OpenWith(kStore);
    List()->setCurrentRow(1);
    ui->QueueDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("スケルトンプレビュー"));
        auto* text = Control<QPlainTextEdit>(&d, 1122);
        EXPECT_EQ(text->toPlainText(), "<html>\n</html>\n");
        EXPECT_TRUE(text->isReadOnly());
        EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
        Control<QAbstractButton>(&d, 1)->click();
        return d.result();
    });
    Control<QAbstractButton>(Skel(), 1121)->click();
    EXPECT_EQ(ui->dialogsRun, 1);
    EXPECT_EQ(sheet->currentId(), CnewWizPSheet::kPageSkel);
}

TEST_F(SkeletonPage, WithoutAStoreTheWizardSaysSoAndTheListStaysEmpty) {
    QFile::remove(SkeletonPath());
    Open();
    EXPECT_EQ(ui->MessageTexts(), QStringList{QStringLiteral("スケルトン定義ファイルが開けません。")});
    GoTo(1094);
    EXPECT_EQ(List()->count(), 0);
    EXPECT_FALSE(sheet->button(QWizard::FinishButton)->isEnabled());
    EXPECT_TRUE(sheet->button(QWizard::BackButton)->isEnabled());
}

TEST_F(SkeletonPage, TheStoreIsReadWhenTheWizardIsMadeNotWhenThePageIsShown) {
    WriteSkeletons("before\r\n\r\n&&&&&\r\n");
    Open();
    WriteSkeletons("after\r\n\r\n&&&&&\r\n");
    GoTo(1094);
    EXPECT_EQ(Titles(), QStringList{"before"});
}
