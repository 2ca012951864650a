#include "wizard/nwPageFrame1.h"
#include "wizard/nwPageFrame2.h"

#include "platform/UpDownEdit.h"
#include "tests/wizard/WizardTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <functional>

namespace {

// Ids of frame n's size, SRC, Browse, NAME and options button.
struct FrameIds {
    int size, src, browse, name, more;
};
constexpr FrameIds kFrame[] = {{1209, 1212, 1213, 1214, 1216},
                               {1217, 1220, 1221, 1222, 1224},
                               {1225, 1228, 1229, 1230, 1232},
                               {1233, 1236, 1237, 1238, 1240}};

class FramePages : public CSheetFixture {
protected:
    void OpenFrame1(const QString& path = QString()) {
        Open();
        if (!path.isEmpty()) {
            ui->QueueFileName(path);
            Control<QAbstractButton>(Page(CnewWizPSheet::kPageTop), 1140)->click();
        }
        GoTo(1093);
        ASSERT_EQ(sheet->currentId(), CnewWizPSheet::kPageFrame1);
    }
    // Frame page 1 with its direction and count, then on to page 2.
    void OpenFrame2(bool vertical, const QString& count, const QString& path = QString()) {
        OpenFrame1(path);
        Control<QAbstractButton>(Frame1(), vertical ? 1199 : 1198)->click();
        Control<QLineEdit>(Frame1(), 1200)->setText(count);
        Press(*sheet, QWizard::NextButton);
        ASSERT_EQ(sheet->currentId(), CnewWizPSheet::kPageFrame2);
    }
    QWizardPage* Frame1() const { return Page(CnewWizPSheet::kPageFrame1); }
    QWizardPage* Frame2() const { return Page(CnewWizPSheet::kPageFrame2); }
    QLineEdit* Field(int id) const { return Control<QLineEdit>(Frame2(), id); }
    QAbstractButton* Button(int id) const { return Control<QAbstractButton>(Frame2(), id); }
    QString Label(int id) const { return Control<QLabel>(Frame2(), id)->text(); }

    // Presses a frame's options button with a script for the FRAME settings.
    void SetOptions(int frame, std::function<void(QDialog&)> script, bool ok = true) {
        ui->QueueDialog([script, ok](QDialog& d) {
            script(d);
            Control<QAbstractButton>(&d, ok ? 1 : 2)->click();
            return d.result();
        });
        Button(kFrame[frame].more)->click();
    }

    std::string Finish() {
        Press(*sheet, QWizard::FinishButton);
        EXPECT_EQ(sheet->result(), QDialog::Accepted);
        return sheet->GeneratedText();
    }
};

} // namespace

TEST_F(FramePages, TheFirstFramePageStartsHorizontalWithTwoFrames) {
    OpenFrame1();
    EXPECT_TRUE(Control<QRadioButton>(Frame1(), 1198)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(Frame1(), 1199)->isChecked());
    EXPECT_EQ(Control<QLineEdit>(Frame1(), 1200)->text(), "2");
    EXPECT_EQ(Control<QLineEdit>(Frame1(), 1134)->text(), "");
    auto* count = Control<CUpDownEdit>(Frame1(), 1201);
    EXPECT_EQ(count->Minimum(), 2);
    EXPECT_EQ(count->Maximum(), 4);
    count->Step(1);
    count->Step(1);
    count->Step(1);
    EXPECT_EQ(count->Text(), "4");
    EXPECT_TRUE(sheet->button(QWizard::BackButton)->isEnabled());
    EXPECT_TRUE(sheet->button(QWizard::NextButton)->isEnabled());
}

TEST_F(FramePages, TheSecondPageShowsDirectionAndCountAndEnablesTheFramesInUse) {
    OpenFrame2(true, "3");
    EXPECT_EQ(Label(1203), QStringLiteral("分割方向:垂直"));
    EXPECT_EQ(Label(1204), QStringLiteral("分割数:3"));
    EXPECT_TRUE(Control<QGroupBox>(Frame2(), 1207)->isEnabled());
    EXPECT_FALSE(Control<QGroupBox>(Frame2(), 1208)->isEnabled());
    EXPECT_TRUE(Field(1228)->isEnabled());
    EXPECT_TRUE(Control<QLabel>(Frame2(), 1227)->isEnabled());
    EXPECT_FALSE(Field(1236)->isEnabled());
    EXPECT_FALSE(Control<QLabel>(Frame2(), 1235)->isEnabled());
    EXPECT_FALSE(Button(1240)->isEnabled());
    // Without a file no Browse button works.
    for (const FrameIds& f : kFrame)
        EXPECT_FALSE(Button(f.browse)->isEnabled()) << f.browse;
    EXPECT_TRUE(sheet->button(QWizard::FinishButton)->isEnabled());

    // Typed counts are held within 2 to 4; the field keeps what was typed.
    Press(*sheet, QWizard::BackButton);
    Control<QLineEdit>(Frame1(), 1200)->setText("9");
    Control<QAbstractButton>(Frame1(), 1198)->click();
    Press(*sheet, QWizard::NextButton);
    EXPECT_EQ(Label(1203), QStringLiteral("分割方向:水平"));
    EXPECT_EQ(Label(1204), QStringLiteral("分割数:4"));
    EXPECT_TRUE(Control<QGroupBox>(Frame2(), 1208)->isEnabled());
    Press(*sheet, QWizard::BackButton);
    EXPECT_EQ(Control<QLineEdit>(Frame1(), 1200)->text(), "9");
    Control<QLineEdit>(Frame1(), 1200)->setText("x");
    Press(*sheet, QWizard::NextButton);
    EXPECT_EQ(Label(1204), QStringLiteral("分割数:2"));
    EXPECT_FALSE(Control<QGroupBox>(Frame2(), 1207)->isEnabled());
}

TEST_F(FramePages, SrcAndNameFieldsShowAFileNameWhole) {
    OpenFrame2(false, "4");
    QApplication::processEvents();
    for (const FrameIds& f : kFrame)
        for (int id : {f.src, f.name}) {
            QLineEdit* field = Field(id);
            field->setText("third.html");
            const int textRoom = field->contentsRect().width() - 8; // the frame's inner margins
            EXPECT_GE(textRoom, field->fontMetrics().horizontalAdvance("third.html")) << id;
        }
}

TEST_F(FramePages, BrowseButtonsFollowTheCountWhenThePageHasAFile) {
    OpenFrame2(false, "3", FilePath("site/index.html"));
    EXPECT_TRUE(Button(1213)->isEnabled());
    EXPECT_TRUE(Button(1221)->isEnabled());
    EXPECT_TRUE(Button(1229)->isEnabled());
    EXPECT_FALSE(Button(1237)->isEnabled());
    ui->QueueFileName(FilePath("site/frames/menu.html"));
    Button(1229)->click();
    EXPECT_EQ(Field(1228)->text(), "frames/menu.html");
    EXPECT_EQ(ui->fileDialogs.back().filter,
              "HTML Document(*.htm;*.html;*.shtml)|*.htm;*.html;*.shtml|All File(*.*)|*.*||");
}

TEST_F(FramePages, FinishComposesTheFramesetFromBothPages) {
    OpenFrame2(true, "3");
    Field(kFrame[0].size)->setText("100");
    Field(kFrame[2].size)->setText("*");
    Field(kFrame[0].src)->setText("a.html");
    Field(kFrame[0].name)->setText("main");
    SetOptions(0, [](QDialog& d) {
        Control<QAbstractButton>(&d, 1217)->click();
        Control<QLineEdit>(&d, 1221)->setText("5");
        Control<QAbstractButton>(&d, 1220)->click();
        Control<QComboBox>(&d, 1223)->setCurrentIndex(2);
        Control<QAbstractButton>(&d, 1219)->click();
    });
    EXPECT_EQ(Finish(),
              "<html><head>\r\n<title></title>\r\n</head>\r\n<frameset rows=\"100,*,*\">\r\n"
              "\t<frame src=\"a.html\" name=\"main\" marginheight=5 scrolling=\"no\" noresize>\r\n"
              "\t<frame src=\"\" name=\"\">\r\n\t<frame src=\"\" name=\"\">\r\n"
              "\t<noframes>\r\n\t<body>\r\n\t\r\n\t</body>\r\n\t</noframes>\r\n</frameset>\r\n</html>");
}

TEST_F(FramePages, FramesBeyondALoweredCountKeepTheirTextsButAreNotWritten) {
    OpenFrame2(false, "4");
    Control<QLineEdit>(Frame1(), 1134)->setText(QStringLiteral("目次"));
    Field(kFrame[2].src)->setText("third.html");
    Field(kFrame[3].src)->setText("fourth.html");
    Press(*sheet, QWizard::BackButton);
    Control<QLineEdit>(Frame1(), 1200)->setText("2");
    Press(*sheet, QWizard::NextButton);
    EXPECT_EQ(Field(kFrame[3].src)->text(), "fourth.html");
    const std::string page = Finish();
    EXPECT_EQ(page.find("third.html"), std::string::npos);
    EXPECT_NE(page.find("<title>\x96\xda\x8e\x9f</title>\r\n</head>\r\n<frameset cols=\"*,*\">"),
              std::string::npos);
}

TEST_F(FramePages, CancelledOptionsKeepTheEarlierOnesAndTheDialogAlwaysStartsFresh) {
    OpenFrame2(false, "2");
    SetOptions(1, [](QDialog& d) { Control<QAbstractButton>(&d, 1219)->click(); });
    SetOptions(
        1,
        [](QDialog& d) {
            // A new dialog: nothing of the earlier choice is shown.
            EXPECT_FALSE(Control<QAbstractButton>(&d, 1219)->isChecked());
            Control<QAbstractButton>(&d, 1218)->click();
        },
        false);
    EXPECT_NE(Finish().find("\t<frame src=\"\" name=\"\" noresize>\r\n\t<noframes>"), std::string::npos);
}
