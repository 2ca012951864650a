#include "platform/DialogControls.h"
#include "platform/QtPlatformUi.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// What a window manager is told about a window: its buttons and whether its size can change.
struct CFrame {
    bool close = false;
    bool minimise = false;
    bool maximise = false;
    bool fixedSize = false;
};

CFrame FrameOf(const QWidget& window) {
    const Qt::WindowFlags flags = window.windowFlags();
    CFrame frame;
    // Without CustomizeWindowHint the window manager gets every button.
    const bool custom = flags.testFlag(Qt::CustomizeWindowHint);
    frame.close = !custom || flags.testFlag(Qt::WindowCloseButtonHint);
    frame.minimise = !custom || flags.testFlag(Qt::WindowMinimizeButtonHint);
    frame.maximise = !custom || flags.testFlag(Qt::WindowMaximizeButtonHint);
    frame.fixedSize = window.minimumSize() == window.maximumSize();
    return frame;
}

void ExpectCloseButtonOnlyAndFixedSize(const CFrame& frame) {
    EXPECT_TRUE(frame.close);
    EXPECT_FALSE(frame.minimise);
    EXPECT_FALSE(frame.maximise);
    EXPECT_TRUE(frame.fixedSize);
}

} // namespace

TEST(DialogFrame, KeepsTheGivenSizeOrTheLayoutsAndOffersOnlyTheCloseButton) {
    QDialog sized;
    auto* layout = new QVBoxLayout(&sized);
    layout->addWidget(new QLineEdit);
    sized.resize(440, 300);
    FixDialogFrame(sized);
    ExpectCloseButtonOnlyAndFixedSize(FrameOf(sized));
    EXPECT_EQ(sized.size(), QSize(440, 300));
    sized.show();
    sized.resize(600, 500);
    EXPECT_EQ(sized.size(), QSize(440, 300));

    QDialog laidOut;
    (new QVBoxLayout(&laidOut))->addWidget(new QPushButton("OK"));
    FixDialogFrame(laidOut);
    EXPECT_EQ(laidOut.maximumSize(), laidOut.sizeHint().expandedTo(laidOut.minimumSizeHint()));
}

TEST(DialogFrame, TheProgramsDialogsAndMessageBoxesAreShownFramedSo) {
    CQtPlatformUi ui;
    QDialog dialog;
    (new QVBoxLayout(&dialog))->addWidget(new QLineEdit);
    CFrame shownDialog;
    QTimer::singleShot(0, &dialog, [&] {
        shownDialog = FrameOf(dialog);
        dialog.reject();
    });
    ui.RunDialog(dialog);
    ExpectCloseButtonOnlyAndFixedSize(shownDialog);

    CFrame shownBox;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        shownBox = FrameOf(*box);
        box->defaultButton()->click();
    });
    EXPECT_EQ(ui.Ask(QStringLiteral("ヘルプ用DLLが見つかりません。")), CPlatformUi::Answer::Ok);
    ExpectCloseButtonOnlyAndFixedSize(shownBox);
}
