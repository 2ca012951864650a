#include "wizard/nwPageNorm1.h"
#include "wizard/nwPageNorm2.h"

#include "platform/UpDownEdit.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/MetaDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

// The two normal pages, reached with or without a chosen file.
class NormalPages : public CSheetFixture {
protected:
    void OpenNorm1(const QString& path = QString()) {
        Open();
        if (!path.isEmpty()) {
            ui->QueueFileName(path);
            Control<QAbstractButton>(Page(CnewWizPSheet::kPageTop), 1140)->click();
        }
        GoTo(1092);
        ASSERT_EQ(sheet->currentId(), CnewWizPSheet::kPageNorm1);
    }
    void OpenNorm2(const QString& path = QString()) {
        OpenNorm1(path);
        Press(*sheet, QWizard::NextButton);
        ASSERT_EQ(sheet->currentId(), CnewWizPSheet::kPageNorm2);
    }
    QWizardPage* Norm1() const { return Page(CnewWizPSheet::kPageNorm1); }
    QWizardPage* Norm2() const { return Page(CnewWizPSheet::kPageNorm2); }
    QLineEdit* Field(QWizardPage* page, int id) const { return Control<QLineEdit>(page, id); }
    QAbstractButton* Button(QWizardPage* page, int id) const { return Control<QAbstractButton>(page, id); }

    std::string Finish() {
        Press(*sheet, QWizard::FinishButton);
        EXPECT_EQ(sheet->result(), QDialog::Accepted);
        return sheet->GeneratedText();
    }
};

} // namespace

TEST_F(NormalPages, TheHeadPageStartsWithEverythingOffAndZeroSecondsAfterItsFirstPaint) {
    Open();
    // Not shown yet: the seconds are still empty.
    EXPECT_EQ(Field(Norm1(), 1096)->text(), "");
    GoTo(1092);
    EXPECT_EQ(Field(Norm1(), 1096)->text(), "0");
    auto* seconds = Control<CUpDownEdit>(Norm1(), 1098);
    EXPECT_EQ(seconds->Minimum(), 0);
    EXPECT_EQ(seconds->Maximum(), 100);
    EXPECT_TRUE(Field(Norm1(), 1099)->isEnabled());
    EXPECT_FALSE(Button(Norm1(), 1095)->isChecked());
    EXPECT_FALSE(Button(Norm1(), 1100)->isChecked());
    for (int id : {1096, 1097, 1101})
        EXPECT_FALSE(Field(Norm1(), id)->isEnabled()) << id;
    EXPECT_FALSE(Button(Norm1(), 1140)->isEnabled());
    EXPECT_TRUE(Button(Norm1(), 1102)->isEnabled());
    EXPECT_TRUE(sheet->button(QWizard::BackButton)->isEnabled());
    EXPECT_TRUE(sheet->button(QWizard::NextButton)->isEnabled());
}

TEST_F(NormalPages, RefreshEnablesItsFieldsAndBrowseOnlyWhenThePageHasAFile) {
    OpenNorm1();
    Button(Norm1(), 1095)->click();
    EXPECT_TRUE(Field(Norm1(), 1096)->isEnabled());
    EXPECT_TRUE(Field(Norm1(), 1097)->isEnabled());
    EXPECT_FALSE(Button(Norm1(), 1140)->isEnabled()); // no file chosen
    Button(Norm1(), 1100)->click();
    EXPECT_TRUE(Field(Norm1(), 1101)->isEnabled());
    Button(Norm1(), 1100)->click();
    EXPECT_FALSE(Field(Norm1(), 1101)->isEnabled());

    // With a file, Browse follows the refresh box, also after going back and on.
    Press(*sheet, QWizard::BackButton);
    ui->QueueFileName(FilePath("web/top.html"));
    Button(Page(CnewWizPSheet::kPageTop), 1140)->click();
    Press(*sheet, QWizard::NextButton);
    EXPECT_TRUE(Button(Norm1(), 1095)->isChecked());
    EXPECT_TRUE(Button(Norm1(), 1140)->isEnabled());
    Button(Norm1(), 1095)->click();
    for (int id : {1096, 1097})
        EXPECT_FALSE(Field(Norm1(), id)->isEnabled()) << id;
    EXPECT_FALSE(Button(Norm1(), 1140)->isEnabled());
}

TEST_F(NormalPages, BrowseWritesTheUrlRelativeToTheNewPage) {
    OpenNorm1(FilePath("web/top.html"));
    Button(Norm1(), 1095)->click();
    ui->QueueFileName(FilePath("web/sub/next.html"));
    Button(Norm1(), 1140)->click();
    EXPECT_EQ(Field(Norm1(), 1097)->text(), "sub/next.html");
    ASSERT_EQ(ui->fileDialogs.size(), 2u);
    EXPECT_FALSE(ui->fileDialogs[1].save);
    EXPECT_EQ(ui->fileDialogs[1].filter,
              "HTML Document(*.htm;*.html;*.shtml)|*.htm;*.html;*.shtml|All File(*.*)|*.*||");
    ui->QueueFileName(std::nullopt);
    Button(Norm1(), 1140)->click();
    EXPECT_EQ(Field(Norm1(), 1097)->text(), "sub/next.html");
}

TEST_F(NormalPages, TheBodyPageStartsWithTheFiveColoursOnAndBackgroundOff) {
    OpenNorm2();
    for (int id : {1023, 1105, 1107, 1106, 1108})
        EXPECT_TRUE(Button(Norm2(), id)->isChecked()) << id;
    for (int id : {1030, 1111, 1112, 1113, 1114}) {
        EXPECT_EQ(Field(Norm2(), id)->text(), "#") << id;
        EXPECT_TRUE(Field(Norm2(), id)->isEnabled()) << id;
    }
    EXPECT_FALSE(Button(Norm2(), 1103)->isChecked());
    EXPECT_FALSE(Field(Norm2(), 1109)->isEnabled());
    EXPECT_FALSE(Button(Norm2(), 1140)->isEnabled());
    EXPECT_FALSE(Button(Norm2(), 1115)->isChecked());
    EXPECT_FALSE(Button(Norm2(), 1147)->isChecked());
    EXPECT_EQ(Button(Norm2(), 1103)->text(), "back&ground=");
    EXPECT_EQ(Button(Norm2(), 1023)->text(), "bg&color=");
    // Each colour button switches its own field.
    Button(Norm2(), 1106)->click();
    EXPECT_FALSE(Field(Norm2(), 1113)->isEnabled());
    EXPECT_TRUE(Field(Norm2(), 1112)->isEnabled());
}

TEST_F(NormalPages, BackgroundBrowseNeedsAFileAndWritesARelativePath) {
    OpenNorm2();
    Button(Norm2(), 1103)->click();
    EXPECT_TRUE(Field(Norm2(), 1109)->isEnabled());
    EXPECT_FALSE(Button(Norm2(), 1140)->isEnabled());

    sheet->restart();
    Settle();
    ui->QueueFileName(FilePath("web/sub/page.html"));
    Button(Page(CnewWizPSheet::kPageTop), 1140)->click();
    Press(*sheet, QWizard::NextButton);
    Press(*sheet, QWizard::NextButton);
    EXPECT_TRUE(Button(Norm2(), 1140)->isEnabled()); // background is still on
    ui->QueueFileName(FilePath("web/img/bg.gif"));
    Button(Norm2(), 1140)->click();
    EXPECT_EQ(Field(Norm2(), 1109)->text(), "../img/bg.gif");
    EXPECT_EQ(ui->fileDialogs.back().filter,
              "Image File(*.gif;*.jpg;*.jpeg,*.png)|*.gif;*.jpg;*.jpeg;*.png|All(*.*)|*.*||");
    Button(Norm2(), 1103)->click();
    EXPECT_FALSE(Button(Norm2(), 1140)->isEnabled());
    EXPECT_FALSE(Field(Norm2(), 1109)->isEnabled());
}

TEST_F(NormalPages, FinishComposesThePageFromBothPages) {
    OpenNorm1();
    Field(Norm1(), 1099)->setText("Top");
    Press(*sheet, QWizard::NextButton);
    EXPECT_EQ(Finish(),
              "<html><head>\r\n<title>Top</title>\r\n</head>\r\n"
              "<body bgcolor=\"#\" text=\"#\" link=\"#\" vlink=\"#\" alink=\"#\">\r\n\r\n</body></html>\r\n");
}

TEST_F(NormalPages, FinishWritesEverySwitchedOnSetting) {
    OpenNorm1();
    Field(Norm1(), 1099)->setText(QStringLiteral("表紙"));
    Button(Norm1(), 1095)->click();
    Field(Norm1(), 1096)->setText("abc");
    Button(Norm1(), 1100)->click();
    Field(Norm1(), 1101)->setText("0");
    ui->QueueDialog([](QDialog& d) {
        Control<QLineEdit>(&d, 1161)->setText("author");
        Control<QLineEdit>(&d, 1162)->setText("me");
        Control<QAbstractButton>(&d, 1160)->click();
        Control<QAbstractButton>(&d, 1082)->click();
        Control<QAbstractButton>(&d, 1)->click();
        return d.result();
    });
    Button(Norm1(), 1102)->click();
    Press(*sheet, QWizard::NextButton);
    for (int id : {1023, 1105, 1107, 1106, 1108})
        Button(Norm2(), id)->click();
    Button(Norm2(), 1103)->click();
    Field(Norm2(), 1109)->setText("bg.gif");
    Button(Norm2(), 1115)->click();
    Button(Norm2(), 1147)->click();
    EXPECT_EQ(Finish(),
              "<html><head>\r\n<title>\x95\x5c\x8e\x86</title>\r\n"
              "<meta http-equiv=\"refresh\" content=\"0\">\r\n"
              "<meta http-equiv=\"expires\" content=\"0\">\r\n"
              "<meta name=\"author\" content=\"me\">\r\n"
              "<script language=\"JavaScript\">\r\n<!--\r\n\r\n//-->\r\n</script>\r\n"
              "</head>\r\n<body background=\"bg.gif\">\r\n<center>\r\n\r\n</center>\r\n</body></html>\r\n");
}

TEST_F(NormalPages, CharactersShiftJisCannotHoldBecomeReferencesAndAreToldOnce) {
    OpenNorm1();
    Field(Norm1(), 1099)->setText(QStringLiteral("a\u00E9b\U0001F600"));
    Press(*sheet, QWizard::NextButton);
    Field(Norm2(), 1030)->setText(QStringLiteral("#\u00E9"));
    const std::string page = Finish();
    EXPECT_NE(page.find("<title>a&#xE9;b&#x1F600;</title>"), std::string::npos);
    EXPECT_NE(page.find("bgcolor=\"#&#xE9;\""), std::string::npos);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->messages[0].text.endsWith(QStringLiteral("\u00E9\U0001F600")));
}

TEST_F(NormalPages, GoingBackAndOnKeepsBothPagesAndTheMetaList) {
    OpenNorm1();
    Field(Norm1(), 1099)->setText("kept");
    ui->QueueDialog([](QDialog& d) {
        Control<QAbstractButton>(&d, 1082)->click();
        Control<QAbstractButton>(&d, 1)->click();
        return d.result();
    });
    Button(Norm1(), 1102)->click();
    Press(*sheet, QWizard::NextButton);
    Field(Norm2(), 1030)->setText("#123456");
    Press(*sheet, QWizard::BackButton);
    Press(*sheet, QWizard::BackButton);
    Press(*sheet, QWizard::NextButton);
    Press(*sheet, QWizard::NextButton);
    EXPECT_EQ(Field(Norm1(), 1099)->text(), "kept");
    EXPECT_EQ(Field(Norm2(), 1030)->text(), "#123456");
    const std::string page = Finish();
    EXPECT_NE(page.find("<title>kept</title>\r\n<meta http-equiv=\"\" content=\"\">\r\n</head>"),
              std::string::npos);
    EXPECT_NE(page.find("bgcolor=\"#123456\""), std::string::npos);
}
