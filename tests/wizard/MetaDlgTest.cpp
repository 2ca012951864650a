#include "wizard/MetaDlg.h"

#include "platform/HelpTopics.h"
#include "tests/wizard/WizardTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <functional>

namespace {

class MetaDialog : public CWizardFixture {
protected:
    // Opens the dialog; script works on it while it is shown and returns its result.
    int Run(std::function<int(CMetaDlg&)> script) {
        ui->QueueDialog([script](QDialog& d) { return script(static_cast<CMetaDlg&>(d)); });
        return dialog.Open();
    }
    static QListWidget* List(CMetaDlg& d) { return Control<QListWidget>(&d, 1163); }
    static QAbstractButton* Button(CMetaDlg& d, int id) { return Control<QAbstractButton>(&d, id); }
    static void Add(CMetaDlg& d, const QString& name, const QString& content, bool httpEquiv = true) {
        Button(d, httpEquiv ? 1159 : 1160)->click();
        Control<QLineEdit>(&d, 1161)->setText(name);
        Control<QLineEdit>(&d, 1162)->setText(content);
        Button(d, 1082)->click();
    }
    static QStringList Items(CMetaDlg& d) {
        QStringList out;
        for (int i = 0; i < List(d)->count(); ++i)
            out.append(List(d)->item(i)->text());
        return out;
    }
    static int SelectedRowOf(CMetaDlg& d) {
        const QList<QListWidgetItem*> selected = List(d)->selectedItems();
        return selected.isEmpty() ? -1 : List(d)->row(selected.first());
    }
    static int Ok(CMetaDlg& d) {
        Button(d, 1)->click();
        return d.result();
    }
    static int Cancel(CMetaDlg& d) {
        Button(d, 2)->click();
        return d.result();
    }

    CMetaDlg dialog;
};

} // namespace

TEST_F(MetaDialog, OpensWithHttpEquivAndAnEmptyList) {
    Run([](CMetaDlg& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<META>タグの追加"));
        EXPECT_TRUE(Control<QRadioButton>(&d, 1159)->isChecked());
        EXPECT_EQ(List(d)->count(), 0);
        EXPECT_FALSE(Button(d, 1083)->isEnabled());
        EXPECT_EQ(Button(d, 2)->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        // The list's caption is shown as written, not read as markup.
        bool captionShown = false;
        for (QLabel* label : d.findChildren<QLabel*>())
            if (label->buddy() == List(d))
                captionShown = label->text() == QStringLiteral("追加された<META>タグ(&M)") &&
                               label->textFormat() == Qt::PlainText;
        EXPECT_TRUE(captionShown);
        return Cancel(d);
    });
}

TEST_F(MetaDialog, AddBuildsTheTagAndEmptiesBothFields) {
    const int result = Run([](CMetaDlg& d) {
        Add(d, "", "");
        Add(d, "author", QStringLiteral("山田"), false);
        Add(d, "Refresh", "5");
        EXPECT_EQ(Control<QLineEdit>(&d, 1161)->text(), "");
        EXPECT_EQ(Control<QLineEdit>(&d, 1162)->text(), "");
        EXPECT_EQ(Items(d), (QStringList{"<meta http-equiv=\"\" content=\"\">",
                                         QStringLiteral("<meta name=\"author\" content=\"山田\">"),
                                         "<meta http-equiv=\"Refresh\" content=\"5\">"}));
        EXPECT_FALSE(Button(d, 1083)->isEnabled()); // nothing selected yet
        return Ok(d);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.MetaList(),
              (std::vector<std::string>{"<meta http-equiv=\"\" content=\"\">",
                                        "<meta name=\"author\" content=\"\x8e\x52\x93\x63\">",
                                        "<meta http-equiv=\"Refresh\" content=\"5\">"}));
}

TEST_F(MetaDialog, DeleteSelectsTheItemAboveOrNothingAfterTheFirst) {
    Run([](CMetaDlg& d) {
        Add(d, "a", "");
        Add(d, "b", "");
        Add(d, "c", "");
        List(d)->setCurrentRow(2);
        EXPECT_TRUE(Button(d, 1083)->isEnabled());
        Button(d, 1083)->click();
        EXPECT_EQ(Items(d).size(), 2);
        EXPECT_EQ(SelectedRowOf(d), 1);
        EXPECT_TRUE(Button(d, 1083)->isEnabled());
        List(d)->setCurrentRow(0);
        Button(d, 1083)->click();
        EXPECT_EQ(Items(d), QStringList{"<meta http-equiv=\"b\" content=\"\">"});
        EXPECT_EQ(SelectedRowOf(d), -1);
        EXPECT_FALSE(Button(d, 1083)->isEnabled());
        return Ok(d);
    });
    EXPECT_EQ(dialog.MetaList(), std::vector<std::string>{"<meta http-equiv=\"b\" content=\"\">"});
}

TEST_F(MetaDialog, DeletingTheOnlyItemLeavesNothingSelected) {
    Run([](CMetaDlg& d) {
        Add(d, "x", "y");
        List(d)->setCurrentRow(0);
        Button(d, 1083)->click();
        EXPECT_EQ(List(d)->count(), 0);
        EXPECT_FALSE(Button(d, 1083)->isEnabled());
        return Ok(d);
    });
    EXPECT_TRUE(dialog.MetaList().empty());
}

TEST_F(MetaDialog, CancelKeepsTheListAndTheNextOpeningShowsItWithHttpEquivAgain) {
    Run([](CMetaDlg& d) {
        Add(d, "kept", "1");
        return Ok(d);
    });
    Run([](CMetaDlg& d) {
        EXPECT_EQ(Items(d), QStringList{"<meta http-equiv=\"kept\" content=\"1\">"});
        Button(d, 1160)->click();
        Add(d, "dropped", "2", false);
        List(d)->setCurrentRow(0);
        Button(d, 1083)->click();
        return Cancel(d);
    });
    EXPECT_EQ(dialog.MetaList(), std::vector<std::string>{"<meta http-equiv=\"kept\" content=\"1\">"});
    Run([](CMetaDlg& d) {
        EXPECT_TRUE(Control<QRadioButton>(&d, 1159)->isChecked());
        EXPECT_EQ(Items(d), QStringList{"<meta http-equiv=\"kept\" content=\"1\">"});
        return Cancel(d);
    });
}

TEST_F(MetaDialog, EachOpeningStartsWithEmptyFields) {
    Run([](CMetaDlg& d) {
        Control<QLineEdit>(&d, 1161)->setText("typed");
        Control<QLineEdit>(&d, 1162)->setText("then cancelled");
        return Cancel(d);
    });
    Run([](CMetaDlg& d) {
        EXPECT_EQ(Control<QLineEdit>(&d, 1161)->text(), "");
        EXPECT_EQ(Control<QLineEdit>(&d, 1162)->text(), "");
        Control<QLineEdit>(&d, 1161)->setText("left after OK");
        return Ok(d);
    });
    Run([](CMetaDlg& d) {
        EXPECT_EQ(Control<QLineEdit>(&d, 1161)->text(), "");
        return Cancel(d);
    });
}

TEST_F(MetaDialog, F1ShowsItsOwnTopic) {
    CRecordedHelp help(*ui);
    Run([&](CMetaDlg& d) {
        PressF1(&d);
        EXPECT_EQ(help.LastTopic(), kHelpTopicMetaDialog);
        EXPECT_TRUE(d.isVisible());
        return Cancel(d);
    });
    EXPECT_EQ(help.Calls(), 1);
}
