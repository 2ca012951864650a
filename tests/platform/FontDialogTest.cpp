#include "platform/FontRecord.h"
#include "platform/QtPlatformUi.h"
#include "tests/support/ScriptedUi.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

CPlatformUi::FontDialog EditorFontRequest(const QFont& initial) {
    CPlatformUi::FontDialog request;
    request.initial = initial;
    request.minPoints = 8;
    request.maxPoints = 24;
    return request;
}

// The sizes the dialog's size list lets the user pick.
QList<int> OfferedSizes(QFontDialog& dialog) {
    for (QListView* list : dialog.findChildren<QListView*>()) {
        QList<int> sizes;
        bool allNumbers = list->model()->rowCount() > 0;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            bool number = false;
            const int size = list->model()->index(row, 0).data().toString().toInt(&number);
            allNumbers = allNumbers && number;
            if (!list->isRowHidden(row))
                sizes.append(size);
        }
        if (allNumbers)
            return sizes;
    }
    return {};
}

QLineEdit* SizeField(QFontDialog& dialog) {
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
        if (edit->text() == QString::number(dialog.currentFont().pointSize()))
            return edit;
    return nullptr;
}

} // namespace

TEST(FontDialog, OpensOnTheFaceDrawnForAStoredWindowsFaceName) {
    QFont stored(QStringLiteral("ＭＳ ゴシック"));
    stored.setPointSize(12);
    const auto dialog = MakeFontDialog(EditorFontRequest(stored), nullptr);
    EXPECT_EQ(dialog->currentFont().family(), QFontInfo(stored).family());
    EXPECT_NE(dialog->currentFont().family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(dialog->currentFont().pointSize(), 12);
}

TEST(FontDialog, OffersOnlySizesWithinTheLimitsForEveryFace) {
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const auto dialog = MakeFontDialog(EditorFontRequest(mono), nullptr);
    dialog->show();
    const QList<int> sizes = OfferedSizes(*dialog);
    ASSERT_FALSE(sizes.isEmpty());
    EXPECT_EQ(sizes.first(), 8);
    EXPECT_EQ(sizes.last(), 24);
    // Another face fills the list anew; it stays within the limits.
    dialog->setCurrentFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    for (int size : OfferedSizes(*dialog))
        EXPECT_TRUE(size >= 8 && size <= 24) << size;
}

TEST(FontDialog, RefusesATypedSizeOutsideTheLimits) {
    CScopedScriptedUi ui;
    const auto dialog =
        MakeFontDialog(EditorFontRequest(QFontDatabase::systemFont(QFontDatabase::FixedFont)), nullptr);
    dialog->show();
    QLineEdit* size = SizeField(*dialog);
    ASSERT_TRUE(size);
    size->clear();
    QTest::keyClicks(size, "28");
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("サイズは 8 から 24 ポイントの間で指定してください。"));
    size->setText("7");
    dialog->accept();
    EXPECT_EQ(ui->messages.size(), 2u);
    size->setText("20");
    dialog->accept();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->selectedFont().pointSize(), 20);
}
