#include "uninstall/UninstallDlg.h"
#include "uninstall/UninstallAboutDlg.h"

#include "tests/uninstall/ProfileFixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <vector>

namespace {

struct CMessage {
    QMessageBox::Icon icon;
    QString text;
};

class UninstallDialog : public CProfileFixture {
protected:
    void SetUp() override {
        CProfileFixture::SetUp();
        m_dialog = std::make_unique<CUninstallDlg>();
        m_dialog->SetMessageFunction([this](QMessageBox::Icon icon, const QString& text) {
            m_messages.push_back({icon, text});
        });
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void TearDown() override {
        m_dialog.reset();
        CProfileFixture::TearDown();
    }

    QPushButton* Button(const QString& text) const {
        for (QPushButton* button : m_dialog->findChildren<QPushButton*>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    }
    void Click(QAbstractButton* button) {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    CUninstallAboutDlg* OpenAbout() const {
        QApplication::processEvents();
        return m_dialog->findChild<CUninstallAboutDlg*>();
    }

    std::unique_ptr<CUninstallDlg> m_dialog;
    std::vector<CMessage> m_messages;
};

} // namespace

TEST_F(UninstallDialog, ShowsItsCaptionExplanationAndButtons) {
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Brellmoor uninstaller"));
    QApplication::processEvents();
    auto* explanation = m_dialog->findChild<QLineEdit*>();
    ASSERT_NE(explanation, nullptr);
    EXPECT_TRUE(explanation->isReadOnly());
    EXPECT_EQ(explanation->text(),
              QStringLiteral("OKボタンをクリックするとVuroの情報をレジストリから削除します。"));
    ASSERT_NE(Button(QStringLiteral("OK")), nullptr);
    EXPECT_TRUE(Button(QStringLiteral("OK"))->isDefault());
    ASSERT_NE(Button(QStringLiteral("ｷｬﾝｾﾙ")), nullptr);
    EXPECT_FALSE(Button(QStringLiteral("ｷｬﾝｾﾙ"))->isDefault());
    const QList<QSize> sizes = m_dialog->windowIcon().availableSizes();
    for (int size : {16, 32, 48})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

TEST_F(UninstallDialog, TheExplanationIsPutInPlaceWhenTheWindowIsPainted) {
    CUninstallDlg unshown;
    auto* explanation = unshown.findChild<QLineEdit*>();
    EXPECT_TRUE(explanation->text().isEmpty());
    unshown.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&unshown));
    QApplication::processEvents();
    EXPECT_TRUE(explanation->text().startsWith(QStringLiteral("OKボタンをクリックすると")));
    EXPECT_EQ(explanation->cursorPosition(), 0) << "the beginning of the line stays in view";
}

TEST_F(UninstallDialog, OkDeletesTheSettingsReportsItAndCloses) {
    WriteEditorProfile();
    Click(Button(QStringLiteral("OK")));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("削除しました。"));
    EXPECT_EQ(m_messages[0].icon, QMessageBox::Information);
    EXPECT_FALSE(QFileInfo::exists(ProfileFile()));
    EXPECT_EQ(StoredValues(), 0);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(m_dialog->isVisible());
}

TEST(UninstallMessageBox, IsWideEnoughForItsCaptionAndHasOnlyACloseButton) {
    const QString caption = QStringLiteral("Brellmoor uninstaller");
    const auto box = CUninstallDlg::MakeMessageBox(nullptr, QMessageBox::Information, caption,
                                                   QStringLiteral("削除しました。"));
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    // The title bar needs the caption and its own icon and close button beside it.
    EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(caption) + 48);
    EXPECT_EQ(box->minimumSize(), box->maximumSize());
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST(UninstallFont, IsAJapaneseInterfaceFaceAtTheTemplatesNinePoints) {
    const QFont before = QApplication::font();
    CUninstallDlg::UseTemplateFont();
    const QFont font = QApplication::font();
    QApplication::setFont(before);
    EXPECT_EQ(font.pointSize(), 9);
    // Kanji come from a Japanese face, where the system has one.
    if (QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK JP")))
        EXPECT_EQ(font.families().value(0), QStringLiteral("Noto Sans CJK JP"));
}

TEST_F(UninstallDialog, OkWithoutSettingsStillReportsThemDeleted) {
    Click(Button(QStringLiteral("OK")));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("削除しました。"));
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(QFileInfo::exists(MakerDir()));
}

TEST_F(UninstallDialog, CancelEscapeAndClosingChangeNothing) {
    WriteEditorProfile();
    const QByteArray before = ProfileBytes();

    Click(Button(QStringLiteral("ｷｬﾝｾﾙ")));
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(m_dialog->isVisible());

    m_dialog->show();
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(m_dialog->isVisible());

    m_dialog->show();
    m_dialog->close();
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);

    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(ProfileBytes(), before);
}

TEST_F(UninstallDialog, AFailedDeletionIsShownAsAnErrorAndTheUserCanTryAgain) {
    QDir().mkpath(ProfileFile());
    Click(Button(QStringLiteral("OK")));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].icon, QMessageBox::Critical);
    EXPECT_NE(m_messages[0].text, QStringLiteral("削除しました。"));
    EXPECT_TRUE(m_messages[0].text.contains(ProfileFile()));
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_NE(m_dialog->result(), QDialog::Accepted);

    QDir().rmdir(ProfileFile());
    WriteEditorProfile();
    Click(Button(QStringLiteral("OK")));
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1].text, QStringLiteral("削除しました。"));
    EXPECT_FALSE(QFileInfo::exists(ProfileFile()));
}

TEST_F(UninstallDialog, TheAboutBoxOpensFromTheMenuItemAndTheHelpButton) {
    EXPECT_EQ(m_dialog->contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* item = nullptr;
    for (QAction* action : m_dialog->actions()) {
        if (action->text() == QStringLiteral("uninstall のﾊﾞｰｼﾞｮﾝ情報(&A)..."))
            item = action;
    }
    ASSERT_NE(item, nullptr);
    item->trigger();
    CUninstallAboutDlg* about = OpenAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("uninstのﾊﾞｰｼﾞｮﾝ情報"));
    QStringList lines;
    for (QLabel* label : about->findChildren<QLabel*>())
        lines << label->text();
    EXPECT_TRUE(lines.contains(QStringLiteral("Brellmoor uninstaller Version 0.90")));
    auto* ok = about->findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    Click(ok);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_dialog->findChild<CUninstallAboutDlg*>(), nullptr);
    EXPECT_TRUE(m_dialog->isVisible()) << "the uninstaller goes on after its About box";

    Click(m_dialog->findChild<QToolButton*>());
    ASSERT_NE(OpenAbout(), nullptr);
    EXPECT_TRUE(OpenAbout()->isVisible());
    EXPECT_TRUE(m_messages.empty());
}
