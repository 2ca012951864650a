#include "platform/HelpKeyFilter.h"

#include "platform/HelpBinding.h"
#include "tests/helplib/FakeHelpLibrary.h"
#include "tests/support/ScriptedUi.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A field that counts the F1 presses it receives itself.
class CCountingEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    int f1Seen = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F1)
            ++f1Seen;
        QLineEdit::keyPressEvent(event);
    }
};

class HelpKeyTest : public testing::Test {
protected:
    void SetUp() override {
        m_ui->SetProgramFolder(m_fake.Folder());
        CHelpBinding::Instance().Bind();
    }
    void TearDown() override { CHelpBinding::Instance().Release(); }

    // A shown dialog with a line field and a text area.
    std::unique_ptr<QDialog> MakeDialog(QWidget* parent = nullptr) {
        auto dialog = std::make_unique<QDialog>(parent);
        auto* layout = new QVBoxLayout(dialog.get());
        layout->addWidget(new CCountingEdit(dialog.get()));
        layout->addWidget(new QPlainTextEdit(dialog.get()));
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }
    static CCountingEdit* Edit(QDialog& d) { return d.findChild<CCountingEdit*>(); }

    CScopedScriptedUi m_ui;
    CFakeHelpLibrary m_fake{"mode0"};
};

} // namespace

TEST_F(HelpKeyTest, F1OnAnyControlOfTheWindowShowsItsTopicAndIsHandled) {
    auto dialog = MakeDialog();
    CHelpKeyFilter::Install(dialog.get(), "insdlg.html");
    const int before = m_fake.Calls();
    QTest::keyClick(Edit(*dialog), Qt::Key_F1);
    QTest::keyClick(dialog->findChild<QPlainTextEdit*>(), Qt::Key_F1);
    EXPECT_EQ(m_fake.Calls(), before + 2);
    EXPECT_EQ(m_fake.LastTopic(), QByteArray("insdlg.html"));
    EXPECT_EQ(m_fake.LastCommand(), 0);
    EXPECT_EQ(Edit(*dialog)->f1Seen, 0);
}

TEST_F(HelpKeyTest, F1IsStillHandledWhenHelpIsOff) {
    CHelpBinding::Instance().Release();
    auto dialog = MakeDialog();
    CHelpKeyFilter::Install(dialog.get(), "insdlg.html");
    const int before = m_fake.Calls();
    QTest::keyClick(Edit(*dialog), Qt::Key_F1);
    EXPECT_EQ(m_fake.Calls(), before);
    EXPECT_EQ(Edit(*dialog)->f1Seen, 0);
}

TEST_F(HelpKeyTest, OtherWindowsModifiedF1AndKeyRepeatAreNotHelpRequests) {
    auto helped = MakeDialog();
    auto other = MakeDialog();
    CHelpKeyFilter::Install(helped.get(), "fkey.html");
    const int before = m_fake.Calls();
    QTest::keyClick(Edit(*other), Qt::Key_F1);
    QTest::keyClick(Edit(*helped), Qt::Key_F1, Qt::ShiftModifier);
    QTest::keyClick(Edit(*helped), Qt::Key_F1, Qt::ControlModifier);
    QTest::keyEvent(QTest::Press, Edit(*helped), Qt::Key_F1, Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(Edit(*helped), &repeat);
    EXPECT_EQ(m_fake.Calls(), before + 1);
    EXPECT_EQ(Edit(*other)->f1Seen, 1);
    EXPECT_EQ(Edit(*helped)->f1Seen, 2);
}

TEST_F(HelpKeyTest, TopicIsAskedForAtEachPressAndNestedWindowsKeepTheirOwn) {
    auto sheet = MakeDialog();
    QByteArray page = "setting.html#bls";
    CHelpKeyFilter::Install(sheet.get(), [&page] { return page; });
    QTest::keyClick(Edit(*sheet), Qt::Key_F1);
    EXPECT_EQ(m_fake.LastTopic(), QByteArray("setting.html#bls"));
    page = "setting.html#datetime";
    QTest::keyClick(Edit(*sheet), Qt::Key_F1);
    EXPECT_EQ(m_fake.LastTopic(), QByteArray("setting.html#datetime"));

    auto inner = MakeDialog(sheet.get());
    CHelpKeyFilter::Install(inner.get(), "skel.html#editdlg");
    const int before = m_fake.Calls();
    QTest::keyClick(Edit(*inner), Qt::Key_F1);
    EXPECT_EQ(m_fake.Calls(), before + 1);
    EXPECT_EQ(m_fake.LastTopic(), QByteArray("skel.html#editdlg"));
}
