#include "settings/FkeyDlg.h"

#include "platform/Cp932.h"
#include "platform/HelpBinding.h"
#include "resources/CommandTable.h"
#include "settings/FkeyTable.h"
#include "tests/helplib/FakeHelpLibrary.h"
#include "tests/settings/FrameFixture.h"

#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

class FkeyDialog : public CEditorFixture {
protected:
    // Shows the dialog on the table; script drives it and returns its result.
    int Run(std::function<int(CFkeyDlg&)> script) {
        CFkeyDlg dialog(table);
        ui->QueueDialog([script](QDialog& d) {
            auto& dlg = dynamic_cast<CFkeyDlg&>(d);
            dlg.repaint();
            QApplication::processEvents();
            return script(dlg);
        });
        return Ui().RunDialog(dialog);
    }
    static void ChooseKey(CFkeyDlg& d, int f) {
        QListWidget* keys = d.KeyList();
        QTest::mouseClick(keys->viewport(), Qt::LeftButton, {},
                          keys->visualItemRect(keys->item(f - 1)).center());
        ASSERT_EQ(keys->currentRow(), f - 1);
    }
    static void ChooseModifier(CFkeyDlg& d, int m) {
        QRadioButton* radio = d.ModifierRadio(m);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
        ASSERT_TRUE(radio->isChecked());
    }
    static void ChooseCommand(CFkeyDlg& d, int id) {
        QListWidget* list = d.CommandList();
        const int row =
            static_cast<int>(std::find(CFkeyDlg::kCommands.begin(), CFkeyDlg::kCommands.end(), id) -
                             CFkeyDlg::kCommands.begin());
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        ASSERT_EQ(list->currentRow(), row);
    }
    static void ClickTextCheck(CFkeyDlg& d) {
        QTest::mouseClick(d.TextCheck(), Qt::LeftButton, {}, QPoint(6, d.TextCheck()->height() / 2));
    }
    // Text committed by the input method, as Japanese is typed.
    static void Commit(QLineEdit* field, const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(field, &event);
    }
    static int PressOk(CFkeyDlg& d) {
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
        return d.result();
    }
    static int PressEscape(CFkeyDlg& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    }

    CFkeyTable table;
};

} // namespace

TEST_F(FkeyDialog, OpensWithTwelveKeysShiftOnAndTheBindingControlsGreyed) {
    Run([](CFkeyDlg& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("ファンクションキーの設定"));
        EXPECT_EQ(d.KeyList()->count(), 12);
        EXPECT_EQ(d.KeyList()->item(0)->text(), "F1");
        EXPECT_EQ(d.KeyList()->item(11)->text(), "F12");
        EXPECT_TRUE(d.KeyList()->selectedItems().isEmpty());
        EXPECT_TRUE(d.ModifierRadio(1)->isChecked());
        EXPECT_FALSE(d.CommandList()->isEnabled());
        EXPECT_FALSE(d.TextCheck()->isEnabled());
        EXPECT_FALSE(d.TextCheck()->isChecked());
        EXPECT_FALSE(d.TextField()->isEnabled());
        EXPECT_EQ(d.TextField()->text(), "");
        EXPECT_EQ(d.CurrentKey(), 0);
        EXPECT_TRUE(d.OkButton()->isDefault());
        EXPECT_EQ(d.HelpButton()->text(), QStringLiteral("ヘルプ(&H)"));
        return 0;
    });
}

TEST_F(FkeyDialog, OffersTheMenuCommandsByTheirToolTips) {
    const QStringList expected = {"新規ﾌｧｲﾙ",
                                  "新規作成ｳｨｻﾞｰﾄﾞ",
                                  "白紙作成",
                                  "開く",
                                  "保存",
                                  "名前をつけて保存",
                                  "終了",
                                  "元に戻す",
                                  "やり直し",
                                  "検索",
                                  "置換",
                                  "行末に<BR>挿入",
                                  "<,>,&の変換",
                                  "機種依存文字の変換",
                                  "切り取り",
                                  "ｺﾋﾟｰ",
                                  "貼り付け",
                                  "すべて選択",
                                  "<A>タグ挿入",
                                  "<IMG>タグ挿入",
                                  "<BR>タグ挿入",
                                  "<P>タグ挿入",
                                  "<CENTER>タグ挿入",
                                  "<HR>タグ挿入",
                                  "<FONT>タグ挿入",
                                  "<B>タグ挿入",
                                  "<I>タグ挿入",
                                  "<TABLE>タグ挿入",
                                  "<TR>タグ挿入",
                                  "<TD>タグ挿入",
                                  "<OL>タグ挿入",
                                  "<UL>タグ挿入",
                                  "<LI>タグ挿入",
                                  "コメント挿入",
                                  "日付の挿入",
                                  "時刻の挿入",
                                  "ﾌﾟﾚﾋﾞｭｰ",
                                  "IEでﾌﾟﾚﾋﾞｭｰ",
                                  "NCでﾌﾟﾚﾋﾞｭｰ",
                                  "次の>",
                                  "前の<",
                                  "次の機種依存文字",
                                  "HTMLの色分け",
                                  "機種依存文字の強調",
                                  "行番号の表示切替",
                                  "ﾂｰﾙ ﾊﾞｰの表示切替",
                                  "ｽﾃｰﾀｽ ﾊﾞｰの表示切替",
                                  "ｺﾏﾝﾄﾞﾊﾞｰの表示切替",
                                  "選択位置のﾌｧｲﾙを編集",
                                  "スケルトンの編集",
                                  "ﾌｧﾝｸｼｮﾝｷｰの設定",
                                  "環境設定",
                                  "目次",
                                  "キーワード",
                                  "ホームページ",
                                  "ﾊﾞｰｼﾞｮﾝ情報"};
    Run([&expected](CFkeyDlg& d) {
        QStringList shown;
        for (int i = 0; i < d.CommandList()->count(); ++i)
            shown.append(d.CommandList()->item(i)->text());
        EXPECT_EQ(shown, expected);
        return 0;
    });
}

TEST_F(FkeyDialog, BindsATextAndACommandAndStoresThemOnSwitchAndOk) {
    const int result = Run([](CFkeyDlg& d) {
        ChooseKey(d, 5);
        EXPECT_EQ(d.CurrentKey(), 21);
        EXPECT_TRUE(d.CommandList()->isEnabled());
        EXPECT_TRUE(d.TextCheck()->isEnabled());
        ChooseModifier(d, 2);
        EXPECT_EQ(d.CurrentKey(), 22);
        ClickTextCheck(d);
        EXPECT_TRUE(d.TextField()->isEnabled());
        EXPECT_FALSE(d.CommandList()->isEnabled());
        QTest::keyClicks(d.TextField(), "<b>%1</b>");
        ChooseModifier(d, 1);
        EXPECT_EQ(d.TextField()->text(), "");
        EXPECT_FALSE(d.TextCheck()->isChecked());
        ChooseKey(d, 2);
        ChooseCommand(d, 32797);
        return PressOk(d);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    ASSERT_EQ(table.Find(22)->kind, CFkeyTable::kText);
    EXPECT_EQ(table.GetText(table.Find(22)->value), "<b>%1</b>");
    EXPECT_EQ(table.Find(9)->kind, CFkeyTable::kCommand);
    EXPECT_EQ(table.Find(9)->value, 32797);
    EXPECT_EQ(table.Find(21)->kind, CFkeyTable::kNone);
}

TEST_F(FkeyDialog, SwitchingShowsTheStoredBindingsAgain) {
    table.Assign(CFkeyTable::KeyCode(3, 1), CFkeyTable::kCommand, 32875, "");
    table.Assign(CFkeyTable::KeyCode(3, 2), CFkeyTable::kText, 0, "\x82\xa0%1");
    table.Assign(CFkeyTable::KeyCode(3, 3), CFkeyTable::kCommand, 32865, "");
    Run([](CFkeyDlg& d) {
        ChooseKey(d, 3);
        EXPECT_EQ(d.CommandList()->selectedItems().value(0)->text(), QStringLiteral("日付の挿入"));
        EXPECT_FALSE(d.TextField()->isEnabled());
        ChooseModifier(d, 2);
        EXPECT_TRUE(d.TextCheck()->isChecked());
        EXPECT_EQ(d.TextField()->text(), QStringLiteral("あ%1"));
        EXPECT_TRUE(d.CommandList()->selectedItems().isEmpty());
        EXPECT_FALSE(d.CommandList()->isEnabled());
        // A command the list does not offer is shown with nothing selected, and kept.
        ChooseModifier(d, 3);
        EXPECT_TRUE(d.CommandList()->selectedItems().isEmpty());
        EXPECT_TRUE(d.CommandList()->isEnabled());
        return PressEscape(d);
    });
    EXPECT_EQ(table.Find(CFkeyTable::KeyCode(3, 3))->value, 32865);
    EXPECT_EQ(table.Find(CFkeyTable::KeyCode(3, 2))->kind, CFkeyTable::kText);
    EXPECT_EQ(table.Find(CFkeyTable::KeyCode(3, 1))->value, 32875);
}

TEST_F(FkeyDialog, EscapeLeavesTheLastKeyAsItWasButKeepsEarlierSwitches) {
    table.Assign(CFkeyTable::KeyCode(3, 3), CFkeyTable::kCommand, 57601, "");
    const int result = Run([](CFkeyDlg& d) {
        ChooseKey(d, 3);
        ChooseCommand(d, 32796);
        ChooseModifier(d, 3);
        // The Shift binding was stored before the Alt one is shown.
        EXPECT_EQ(d.CommandList()->selectedItems().value(0)->text(), QStringLiteral("開く"));
        ChooseCommand(d, 32881);
        return PressEscape(d);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(table.Find(CFkeyTable::KeyCode(3, 1))->value, 32796);
    EXPECT_EQ(table.Find(CFkeyTable::KeyCode(3, 3))->value, 57601);
}

TEST_F(FkeyDialog, ModifierWithoutAKeyMatchesNothingAndChangesNothing) {
    Run([this](CFkeyDlg& d) {
        ChooseModifier(d, 2);
        EXPECT_EQ(d.CurrentKey(), 2);
        EXPECT_FALSE(d.TextCheck()->isEnabled());
        return PressOk(d);
    });
    for (int i = 0; i < CFkeyTable::kRecords; ++i)
        EXPECT_EQ(table.Record(i).kind, CFkeyTable::kNone);
}

TEST_F(FkeyDialog, TheTextTakesAtMostTwoHundredFiftyFiveBytes) {
    Run([](CFkeyDlg& d) {
        ChooseKey(d, 1);
        ClickTextCheck(d);
        QLineEdit* field = d.TextField();
        QTest::keyClicks(field, QString(254, QLatin1Char('a')));
        // A double-byte character no longer fits; a single-byte one does, once.
        Commit(field, QStringLiteral("あ"));
        EXPECT_EQ(field->text().size(), 254);
        QTest::keyClicks(field, QStringLiteral("bc"));
        EXPECT_EQ(field->text(), QString(254, QLatin1Char('a')) + "b");
        // A paste is cut to what fits.
        field->clear();
        QTest::keyClicks(field, QString(250, QLatin1Char('x')));
        field->insert(QStringLiteral("あいうえ"));
        EXPECT_EQ(field->text(), QString(250, QLatin1Char('x')) + QStringLiteral("あい"));
        return PressOk(d);
    });
    EXPECT_EQ(table.GetText(table.Find(5)->value), std::string(250, 'x') + "\x82\xa0\x82\xa2");
}

TEST_F(FkeyDialog, F1AndTheHelpButtonShowTheFunctionKeyTopic) {
    CFakeHelpLibrary help("mode0");
    ui->SetProgramFolder(help.Folder());
    CHelpBinding::Instance().Bind();
    Run([&help](CFkeyDlg& d) {
        QTest::keyClick(d.KeyList(), Qt::Key_F1);
        EXPECT_EQ(help.LastTopic(), QByteArray("fkey.html"));
        const int calls = help.Calls();
        QTest::mouseClick(d.HelpButton(), Qt::LeftButton);
        EXPECT_EQ(help.Calls(), calls + 1);
        EXPECT_EQ(help.LastCommand(), 0);
        return 0;
    });
    CHelpBinding::Instance().Release();
}
