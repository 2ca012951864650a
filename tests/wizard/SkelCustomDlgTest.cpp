#include "wizard/SkelCustomDlg.h"

#include "platform/HelpTopics.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/SkelEditDlg.h"
#include "wizard/SkeletonFile.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

namespace {

using Answer = CPlatformUi::Answer;
using Icon = CPlatformUi::Icon;

std::string Record(const std::string& title, const std::string& comment = "",
                   const std::string& source = "") {
    return title + "\r\n" + comment + "\r\n" + source + "&&&&&\r\n";
}

class SkeletonCustomisation : public CWizardFixture {
protected:
    // Makes the dialog (which reads the store) and shows it; script works on it.
    int Run(std::function<int(CSkelCustomDlg&)> script) {
        dialog = std::make_unique<CSkelCustomDlg>();
        ui->QueueDialog([script](QDialog& d) { return script(static_cast<CSkelCustomDlg&>(d)); });
        return Ui().RunDialog(*dialog);
    }
    static QListWidget* List(CSkelCustomDlg& d) { return Control<QListWidget>(&d, 1116); }
    static QAbstractButton* Button(CSkelCustomDlg& d, int id) { return Control<QAbstractButton>(&d, id); }
    static QString Comment(CSkelCustomDlg& d) { return Control<QLineEdit>(&d, 1117)->text(); }
    static QStringList Titles(CSkelCustomDlg& d) {
        QStringList out;
        for (int i = 0; i < List(d)->count(); ++i)
            out.append(List(d)->item(i)->text());
        return out;
    }
    static int Selected(CSkelCustomDlg& d) {
        const auto items = List(d)->selectedItems();
        return items.isEmpty() ? -1 : List(d)->row(items.first());
    }
    static int Ok(CSkelCustomDlg& d) {
        Button(d, 1)->click();
        return d.result();
    }
    static int Cancel(CSkelCustomDlg& d) {
        Button(d, 2)->click();
        return d.result();
    }
    // The next edit dialog gets these texts typed in and OK (or Cancel).
    void QueueEdit(const QString& title, const QString& comment, const QString& source, bool ok = true) {
        ui->QueueDialog([=](QDialog& e) {
            Control<QLineEdit>(&e, 1134)->setText(title);
            Control<QLineEdit>(&e, 1117)->setText(comment);
            Control<QPlainTextEdit>(&e, 1133)->setPlainText(source);
            Control<QAbstractButton>(&e, ok ? 1 : 2)->click();
            return e.result();
        });
    }
    std::string Many(int n) const {
        std::string bytes;
        for (int i = 0; i < n; ++i)
            bytes += Record("s" + std::to_string(100 + i), "c");
        return bytes;
    }

    std::unique_ptr<CSkelCustomDlg> dialog;
};

const std::string kFive = Record("a", "first") + Record("b", "second") + Record("c", "third") +
                          Record("d", "fourth") + Record("e", "fifth");

} // namespace

TEST_F(SkeletonCustomisation, StartsWithTheSortedTitlesAndOnlyNewAndImportEnabled) {
    WriteSkeletons(Record("z", "last") + Record("m", "middle"));
    Run([](CSkelCustomDlg& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("スケルトンのカスタマイズ"));
        EXPECT_EQ(Titles(d), (QStringList{"m", "z"}));
        EXPECT_FALSE(Button(d, 1123)->isEnabled());
        EXPECT_FALSE(Button(d, 1083)->isEnabled());
        EXPECT_TRUE(Button(d, 1125)->isEnabled());
        EXPECT_TRUE(Button(d, 1127)->isEnabled());
        EXPECT_TRUE(Control<QPushButton>(&d, 1)->isDefault());
        EXPECT_EQ(Button(d, 1127)->text(), QStringLiteral("ﾌｧｲﾙからｲﾝﾎﾟｰﾄ(&I)"));
        EXPECT_EQ(Comment(d), "");
        List(d)->setCurrentRow(1);
        EXPECT_EQ(Comment(d), "last");
        EXPECT_TRUE(Button(d, 1123)->isEnabled());
        EXPECT_TRUE(Button(d, 1083)->isEnabled());
        return Cancel(d);
    });
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(SkeletonCustomisation, EditKeepsTheItemsPlaceAndOkWritesTheListInItsOrder) {
    WriteSkeletons(Record("m", "", "<m>\r\n") + Record("z", "zed", "<z>\r\n"));
    const int result = Run([this](CSkelCustomDlg& d) {
        QueueEdit("a", QStringLiteral("前はz"), "<a>\n</a>");
        List(d)->setCurrentRow(1);
        Button(d, 1123)->click();
        EXPECT_EQ(Titles(d), (QStringList{"m", "a"}));
        EXPECT_EQ(Selected(d), 1);
        EXPECT_EQ(Comment(d), QStringLiteral("前はz"));
        return Ok(d);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(ReadSkeletons(),
              Record("m", "", "<m>\r\n") + Record("a", "\x91\x4f\x82\xcdz", "<a>\r\n</a>\r\n"));
    // The next reading sorts it.
    CSkelList list;
    LoadSkeletonFile(list);
    EXPECT_EQ(list[0].title, "a");
}

TEST_F(SkeletonCustomisation, TheEditDialogShowsTheItemAndCancelChangesNothing) {
    WriteSkeletons(Record("t", "c", "<p>\r\n</p>\r\n"));
    Run([this](CSkelCustomDlg& d) {
        ui->QueueDialog([](QDialog& e) {
            EXPECT_EQ(e.windowTitle(), QStringLiteral("スケルトンの編集"));
            EXPECT_EQ(Control<QLineEdit>(&e, 1134)->text(), "t");
            EXPECT_EQ(Control<QLineEdit>(&e, 1117)->text(), "c");
            EXPECT_EQ(Control<QPlainTextEdit>(&e, 1133)->toPlainText(), "<p>\n</p>\n");
            Control<QLineEdit>(&e, 1134)->setText("changed");
            Control<QAbstractButton>(&e, 2)->click();
            return e.result();
        });
        Settle();
        const QPoint item = List(d)->visualItemRect(List(d)->item(0)).center();
        QTest::mouseClick(List(d)->viewport(), Qt::LeftButton, {}, item);
        QTest::mouseDClick(List(d)->viewport(), Qt::LeftButton, {}, item);
        EXPECT_EQ(Titles(d), QStringList{"t"});
        return Ok(d);
    });
    EXPECT_EQ(ui->dialogsRun, 2);
    EXPECT_EQ(ReadSkeletons(), Record("t", "c", "<p>\r\n</p>\r\n"));
}

TEST_F(SkeletonCustomisation, DeletingTheThirdOfFiveSelectsTheSecond) {
    WriteSkeletons(kFive);
    ui->QueueAnswer(Answer::Yes);
    Run([](CSkelCustomDlg& d) {
        List(d)->setCurrentRow(2);
        Button(d, 1083)->click();
        EXPECT_EQ(Titles(d), (QStringList{"a", "b", "d", "e"}));
        EXPECT_EQ(Selected(d), 1);
        EXPECT_EQ(Comment(d), "second");
        return Ok(d);
    });
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("cを削除してよろしいですか？"));
    EXPECT_EQ(ui->messages[0].buttons, CPlatformUi::Buttons::YesNo);
    EXPECT_EQ(ui->messages[0].icon, Icon::Question);
    EXPECT_EQ(ui->messages[0].defaultButton, 2);
    EXPECT_EQ(ReadSkeletons(),
              Record("a", "first") + Record("b", "second") + Record("d", "fourth") + Record("e", "fifth"));
}

TEST_F(SkeletonCustomisation, DeletingTheFirstSelectsTheNewFirstAndNoKeepsIt) {
    WriteSkeletons(kFive);
    ui->QueueAnswer(Answer::No);
    ui->QueueAnswer(Answer::Yes);
    Run([](CSkelCustomDlg& d) {
        List(d)->setCurrentRow(0);
        Button(d, 1083)->click();
        EXPECT_EQ(Titles(d).size(), 5);
        Button(d, 1083)->click();
        EXPECT_EQ(Titles(d).front(), "b");
        EXPECT_EQ(Selected(d), 0);
        return Cancel(d);
    });
    EXPECT_EQ(ReadSkeletons(), kFive);
}

TEST_F(SkeletonCustomisation, DeletingTheOnlyItemLeavesAnEmptyListWithNothingSelected) {
    WriteSkeletons(Record("only"));
    ui->QueueAnswer(Answer::Yes);
    Run([](CSkelCustomDlg& d) {
        List(d)->setCurrentRow(0);
        Button(d, 1083)->click();
        EXPECT_EQ(List(d)->count(), 0);
        EXPECT_EQ(Selected(d), -1);
        return Ok(d);
    });
    EXPECT_EQ(ReadSkeletons(), "");
}

TEST_F(SkeletonCustomisation, NewAppendsAtTheEndEvenWithAnEmptyTitleThatTheNextLoadDrops) {
    WriteSkeletons(Record("b") + Record("c"));
    Run([this](CSkelCustomDlg& d) {
        QueueEdit("", "no title", "x");
        QueueEdit("a", "", "<a>");
        Button(d, 1125)->click();
        Button(d, 1125)->click();
        EXPECT_EQ(Titles(d), (QStringList{"b", "c", "", "a"}));
        EXPECT_EQ(Selected(d), 3);
        return Ok(d);
    });
    EXPECT_EQ(ReadSkeletons(),
              Record("b") + Record("c") + Record("", "no title", "x\r\n") + Record("a", "", "<a>\r\n"));
    CSkelList list;
    LoadSkeletonFile(list);
    EXPECT_EQ(list.size(), 3u);
}

TEST_F(SkeletonCustomisation, DeletingAnyItemAlsoRemovesUntitledOnes) {
    WriteSkeletons(Record("b") + Record("c"));
    ui->QueueAnswer(Answer::Yes);
    Run([this](CSkelCustomDlg& d) {
        QueueEdit("", "", "");
        Button(d, 1125)->click();
        List(d)->setCurrentRow(1);
        Button(d, 1083)->click();
        EXPECT_EQ(Titles(d), QStringList{"b"});
        EXPECT_EQ(Selected(d), 0);
        return Ok(d);
    });
    EXPECT_EQ(ReadSkeletons(), Record("b"));
}

TEST_F(SkeletonCustomisation, FiftySkeletonsRefuseNewAndImportButStillEdit) {
    WriteSkeletons(Many(50));
    Run([this](CSkelCustomDlg& d) {
        QueueEdit("edited", "", "");
        Button(d, 1125)->click();
        Button(d, 1127)->click();
        EXPECT_EQ(List(d)->count(), 50);
        List(d)->setCurrentRow(0);
        Button(d, 1123)->click();
        EXPECT_EQ(List(d)->item(0)->text(), "edited");
        return Ok(d);
    });
    ASSERT_EQ(ui->messages.size(), 2u);
    for (const auto& m : ui->messages) {
        EXPECT_EQ(m.text,
                  QStringLiteral("スケルトンは５０個以上登録できません。\n不要なスケルトンを削除して下さい"));
        EXPECT_EQ(m.icon, Icon::None);
        EXPECT_EQ(m.buttons, CPlatformUi::Buttons::Ok);
    }
    EXPECT_TRUE(ui->fileDialogs.empty());
    EXPECT_EQ(ui->dialogsRun, 2); // the dialog and one edit
}

TEST_F(SkeletonCustomisation, ImportTakesNamePathAndEveryLineOfTheFile) {
    WriteSkeletons(Record("z"));
    WriteFile(FilePath("menu.html"), "<ul>\n<li>\x95\x5c\r\n</ul>");
    WriteFile(FilePath("empty.txt"), "");
    ui->QueueFileName(FilePath("menu.html"));
    ui->QueueFileName(FilePath("empty.txt"));
    ui->QueueFileName(std::nullopt);
    Run([](CSkelCustomDlg& d) {
        Button(d, 1127)->click();
        Button(d, 1127)->click();
        Button(d, 1127)->click();
        EXPECT_EQ(Titles(d), (QStringList{"z", "menu.html", "empty.txt"}));
        EXPECT_EQ(Selected(d), 2);
        return Ok(d);
    });
    ASSERT_EQ(ui->fileDialogs.size(), 3u);
    EXPECT_FALSE(ui->fileDialogs[0].save);
    EXPECT_TRUE(ui->fileDialogs[0].mustExist);
    EXPECT_EQ(ui->fileDialogs[0].filter,
              QStringLiteral("HTML Document(*.html;*.htm;*.shtml)|*.html;*.htm;*.shtml|"
                             "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべて(*.*)|*.*||"));
    const std::string menuPath = FilePath("menu.html").toStdString();
    const std::string emptyPath = FilePath("empty.txt").toStdString();
    EXPECT_EQ(ReadSkeletons(), Record("z") +
                                   Record("menu.html", menuPath, "<ul>\r\n<li>\x95\x5c\r\n</ul>\r\n") +
                                   Record("empty.txt", emptyPath, ""));
}

TEST_F(SkeletonCustomisation, ImportWritesFileNamesInShiftJisAndRefusesSeparatorLines) {
    QFile::remove(SkeletonPath());
    WriteFile(FilePath(QStringLiteral("目次.html")), "a\r\n");
    WriteFile(FilePath("split.html"), "<p>\r\n&&&&&\r\n</p>\r\n");
    ui->QueueFileName(FilePath(QStringLiteral("目次.html")));
    ui->QueueFileName(FilePath("split.html"));
    Run([](CSkelCustomDlg& d) {
        Button(d, 1127)->click();
        Button(d, 1127)->click();
        EXPECT_EQ(Titles(d), QStringList{QStringLiteral("目次.html")});
        return Ok(d);
    });
    const CSkelParse p = ParseSkeletonText(ReadSkeletons());
    ASSERT_EQ(p.items.size(), 1u);
    EXPECT_EQ(p.items[0].title, "\x96\xda\x8e\x9f.html");
    // The missing store at opening, then the refused file.
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_TRUE(ui->messages[1].text.contains("split.html"));
}

TEST_F(SkeletonCustomisation, CancelAfterSeveralChangesLeavesTheFileUnchanged) {
    WriteSkeletons(kFive);
    ui->QueueAnswer(Answer::Yes);
    Run([this](CSkelCustomDlg& d) {
        QueueEdit("new", "", "");
        List(d)->setCurrentRow(0);
        Button(d, 1083)->click();
        Button(d, 1125)->click();
        return Cancel(d);
    });
    EXPECT_EQ(ReadSkeletons(), kFive);
}

TEST_F(SkeletonCustomisation, AMissingFileIsToldBeforeTheDialogAndOkWritesWhatWasAdded) {
    QFile::remove(SkeletonPath());
    ui->onMessage = [this](const CPlatformUi::Message&) { EXPECT_EQ(ui->dialogsRun, 0); };
    Run([this](CSkelCustomDlg& d) {
        QueueEdit("first", "", "<p>");
        EXPECT_EQ(List(d)->count(), 0);
        Button(d, 1125)->click();
        return Ok(d);
    });
    EXPECT_EQ(ui->MessageTexts(), QStringList{QStringLiteral("スケルトン定義ファイルが開けません。")});
    EXPECT_EQ(ReadSkeletons(), Record("first", "", "<p>\r\n"));
    EXPECT_FALSE(QFileInfo::exists(SkeletonBackupPath()));
}

TEST_F(SkeletonCustomisation, AStoreWithUnreadableRecordsIsToldAndKeptAsABackupOnOk) {
    const std::string damaged = Many(50) + Record("beyond") + "half\r\nwritten\r\n<p";
    WriteSkeletons(damaged);
    ui->QueueAnswer(Answer::Yes);
    Run([](CSkelCustomDlg& d) {
        EXPECT_EQ(List(d)->count(), 50);
        List(d)->setCurrentRow(0);
        Button(d, 1083)->click();
        return Ok(d);
    });
    ASSERT_EQ(ui->messages.size(), 3u);
    EXPECT_TRUE(ui->messages[0].text.contains("vuroskel.bak"));
    EXPECT_EQ(ui->messages[0].icon, Icon::Warning);
    EXPECT_TRUE(ui->messages[2].text.contains(SkeletonBackupPath()));
    EXPECT_EQ(ReadFile(SkeletonBackupPath()), damaged);
    EXPECT_EQ(ParseSkeletonText(ReadSkeletons()).items.size(), 49u);
}

TEST_F(SkeletonCustomisation, AFailedWriteKeepsTheDialogOpenAndTheFileWhole) {
    WriteSkeletons(kFive);
    Run([&](CSkelCustomDlg& d) {
        QueueEdit("new", "", QString(2000, QLatin1Char('x')));
        Button(d, 1125)->click();
        {
            CFileSizeLimit full(256);
            Button(d, 1)->click();
        }
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_EQ(ReadSkeletons(), kFive);
        EXPECT_EQ(List(d)->count(), 6); // nothing of the work is lost: OK again works
        return Ok(d);
    });
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].icon, Icon::Warning);
    EXPECT_EQ(ParseSkeletonText(ReadSkeletons()).items.size(), 6u);
}

TEST_F(SkeletonCustomisation, HelpButtonAndF1ShowTheCustomisationTopic) {
    WriteSkeletons(Record("a"));
    CRecordedHelp help(*ui);
    Run([&](CSkelCustomDlg& d) {
        Button(d, 1180)->click();
        EXPECT_EQ(help.LastTopic(), kHelpTopicSkeletonCustom);
        PressF1(&d);
        EXPECT_EQ(help.Calls(), 2);
        EXPECT_EQ(help.LastTopic(), kHelpTopicSkeletonCustom);
        return Cancel(d);
    });
}
