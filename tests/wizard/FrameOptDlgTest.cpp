#include "wizard/FrameOptDlg.h"

#include "platform/UpDownEdit.h"
#include "tests/wizard/WizardTestSupport.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

using FrameOptions = CWizardFixture;

} // namespace

TEST_F(FrameOptions, StartsWithEveryAttributeOffAndItsDefaultsInPlace) {
    CFrameOptDlg dialog;
    // Before the first paint the list is still empty.
    EXPECT_EQ(Control<QComboBox>(&dialog, 1223)->count(), 0);
    ui->QueueDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("FRAMEの設定"));
        for (int id : {1217, 1218, 1220, 1219})
            EXPECT_FALSE(Control<QAbstractButton>(&d, id)->isChecked()) << id;
        for (int id : {1221, 1222})
            EXPECT_FALSE(Control<QLineEdit>(&d, id)->isEnabled()) << id;
        EXPECT_EQ(Control<QLineEdit>(&d, 1221)->text(), "0");
        EXPECT_EQ(Control<QLineEdit>(&d, 1222)->text(), "0");
        EXPECT_EQ(Control<CUpDownEdit>(&d, 1224)->Maximum(), 100);
        EXPECT_EQ(Control<CUpDownEdit>(&d, 1225)->Minimum(), 0);
        auto* scrolling = Control<QComboBox>(&d, 1223);
        EXPECT_FALSE(scrolling->isEnabled());
        EXPECT_EQ(scrolling->count(), 3);
        EXPECT_EQ(scrolling->itemText(0), "auto");
        EXPECT_EQ(scrolling->itemText(1), "yes");
        EXPECT_EQ(scrolling->itemText(2), "no");
        EXPECT_EQ(scrolling->currentIndex(), 0);
        Control<QAbstractButton>(&d, 1)->click();
        return d.result();
    });
    EXPECT_EQ(Ui().RunDialog(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.Options(), "");
}

TEST_F(FrameOptions, ButtonsEnableTheirValuesAndOkWritesTheSwitchedOnOnes) {
    CFrameOptDlg dialog;
    ui->QueueDialog([](QDialog& d) {
        Control<QAbstractButton>(&d, 1218)->click();
        EXPECT_TRUE(Control<QLineEdit>(&d, 1222)->isEnabled());
        EXPECT_FALSE(Control<QLineEdit>(&d, 1221)->isEnabled());
        Control<QLineEdit>(&d, 1222)->setText("12px");
        Control<QAbstractButton>(&d, 1220)->click();
        EXPECT_TRUE(Control<QComboBox>(&d, 1223)->isEnabled());
        Control<QComboBox>(&d, 1223)->setCurrentIndex(1);
        Control<QAbstractButton>(&d, 1)->click();
        return d.result();
    });
    Ui().RunDialog(dialog);
    EXPECT_EQ(dialog.Options(), " marginwidth=12 scrolling=\"yes\"");
}

TEST_F(FrameOptions, CancelLeavesNoOptions) {
    CFrameOptDlg dialog;
    ui->QueueDialog([](QDialog& d) {
        Control<QAbstractButton>(&d, 1219)->click();
        Control<QAbstractButton>(&d, 2)->click();
        return d.result();
    });
    EXPECT_EQ(Ui().RunDialog(dialog), QDialog::Rejected);
    EXPECT_EQ(dialog.Options(), "");
}
