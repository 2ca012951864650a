#include "wizard/SkelEditDlg.h"

#include "platform/HelpTopics.h"
#include "tests/wizard/WizardTestSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

namespace {

class SkeletonEdit : public CWizardFixture {
protected:
    int Run(const CSkelItem& item, std::function<void(QDialog&)> script) {
        dialog.SetItem(item);
        ui->QueueDialog([script](QDialog& d) {
            script(d);
            return d.result();
        });
        return Ui().RunDialog(dialog);
    }
    static void Ok(QDialog& d) { Control<QAbstractButton>(&d, 1)->click(); }
    static QLineEdit* Title(QDialog& d) { return Control<QLineEdit>(&d, 1134); }
    static QLineEdit* Comment(QDialog& d) { return Control<QLineEdit>(&d, 1117); }
    static QPlainTextEdit* Source(QDialog& d) { return Control<QPlainTextEdit>(&d, 1133); }

    CSkelEditDlg dialog;
};

} // namespace

TEST_F(SkeletonEdit, UntouchedFieldsKeepTheirExactBytes) {
    // Bytes without a character, a lone CR and a duplicate encoding of an NEC character
    // (0xED40 and 0xFA5C are the same character).
    const CSkelItem item{"t\x80\xff", "\xed\x40", "<p>\r\nx\ry\r\n\xfa\x5c\r\n"};
    EXPECT_EQ(Run(item, Ok), QDialog::Accepted);
    EXPECT_EQ(dialog.Item(), item);
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(SkeletonEdit, EditedSourceGetsCrLfLineEndsAndOtherFieldsStayExact) {
    const CSkelItem item{"\xed\x40", "c", "old\r\n"};
    Run(item, [](QDialog& d) {
        EXPECT_EQ(Source(d)->lineWrapMode(), QPlainTextEdit::NoWrap);
        Source(d)->setPlainText(QStringLiteral("<html>\n表\n</html>"));
        Ok(d);
    });
    EXPECT_EQ(dialog.Item().title, "\xed\x40");
    EXPECT_EQ(dialog.Item().source, "<html>\r\n\x95\x5c\r\n</html>");
}

TEST_F(SkeletonEdit, EnterInTheSourceInsertsALineBreakInsteadOfClosing) {
    Run({"t", "", ""}, [](QDialog& d) {
        Source(d)->setFocus();
        QTest::keyClicks(Source(d), "a");
        QTest::keyClick(Source(d), Qt::Key_Return);
        QTest::keyClicks(Source(d), "b");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Rejected);
        Ok(d);
    });
    EXPECT_EQ(dialog.Item().source, "a\r\nb");
}

TEST_F(SkeletonEdit, AcceptsAnEmptyTitleAndTellsOfCharactersWrittenAsReferences) {
    Run({"old", "", ""}, [](QDialog& d) {
        Title(d)->clear();
        Comment(d)->setText(QStringLiteral("caf\u00e9"));
        Ok(d);
    });
    EXPECT_EQ(dialog.Item().title, "");
    EXPECT_EQ(dialog.Item().comment, "caf&#xE9;");
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(SkeletonEdit, RefusesALineThatWouldEndTheRecordAndStaysOpen) {
    const CSkelItem item{"t", "c", "s\r\n"};
    Run(item, [](QDialog& d) {
        Source(d)->setPlainText("<p>\n&&&&&\n</p>");
        Ok(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Rejected);
        Source(d)->setPlainText("<p>\n&&&&& \n</p>");
        Ok(d);
    });
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].icon, CPlatformUi::Icon::Warning);
    EXPECT_EQ(dialog.Item().source, "<p>\r\n&&&&& \r\n</p>");
}

TEST_F(SkeletonEdit, LineBreaksPutIntoTitleOrCommentBecomeBlanks) {
    Run({"", "", ""}, [](QDialog& d) {
        Title(d)->setText("two\nlines");
        Ok(d);
    });
    EXPECT_EQ(dialog.Item().title.find('\n'), std::string::npos);
}

TEST_F(SkeletonEdit, F1ShowsTheEditTopic) {
    CRecordedHelp help(*ui);
    Run({"", "", ""}, [&](QDialog& d) {
        PressF1(&d);
        EXPECT_EQ(help.LastTopic(), kHelpTopicSkeletonEdit);
        Control<QAbstractButton>(&d, 2)->click();
    });
}
