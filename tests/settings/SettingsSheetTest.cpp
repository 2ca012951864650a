#include "settings/settingPSheet.h"

#include "platform/FontRecord.h"
#include "platform/HelpBinding.h"
#include "resources/CommandIds.h"
#include "resources/ToolBarTable.h"
#include "settings/SettingsCommand.h"
#include "settings/browserPPage.h"
#include "settings/datetimePPage.h"
#include "settings/etcPPage.h"
#include "settings/toolbarPPage.h"
#include "tests/helplib/FakeHelpLibrary.h"
#include "tests/settings/FrameFixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>

namespace {

class SettingsSheet : public CFrameFixture {
protected:
    // Runs the settings command; script drives the sheet and returns its result.
    void Run(std::function<int(CsettingPSheet&)> script) {
        ui->QueueDialog([script](QDialog& d) {
            auto& sheet = dynamic_cast<CsettingPSheet&>(d);
            Paint(*sheet.Tabs()->currentWidget());
            return script(sheet);
        });
        RunSettingsSheet(*frame);
        EXPECT_TRUE(ui->AllAnswersUsed());
    }
    static int PressOk(CsettingPSheet& sheet) {
        QTest::mouseClick(sheet.OkButton(), Qt::LeftButton);
        return sheet.result();
    }
    static void Visit(CsettingPSheet& sheet, int tab) {
        sheet.Tabs()->setCurrentIndex(tab);
        Paint(*sheet.Tabs()->currentWidget());
    }
    static QStringList Items(QListWidget* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items.append(list->item(i)->text());
        return items;
    }
    QStringList VisibleToolBarTips() const {
        QStringList out;
        for (QAction* a : frame->ToolBar()->actions())
            if (!a->isSeparator() && a->isVisible())
                out.append(a->toolTip());
        return out;
    }

    static inline const QStringList kDefaultHidden = {
        "新規作成ｳｨｻﾞｰﾄﾞ", "白紙作成",     "行末に<BR>挿入",      "<,>,&の変換",  "<TABLE>タグ挿入",
        "<TR>タグ挿入",    "<TD>タグ挿入", "<OL>タグ挿入",        "<UL>タグ挿入", "<LI>タグ挿入",
        "日付の挿入",      "時刻の挿入",   "選択位置のﾌｧｲﾙを編集"};
};

} // namespace

TEST_F(SettingsSheet, HasFourPagesOkCancelAndHelpButNoApply) {
    Run([](CsettingPSheet& sheet) {
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("設定"));
        QStringList titles;
        for (int i = 0; i < sheet.Tabs()->count(); ++i)
            titles.append(sheet.Tabs()->tabText(i));
        EXPECT_EQ(titles, QStringList({"ブラウザ", "ツールバー", "日付と時刻の書式", "その他"}));
        EXPECT_EQ(sheet.Tabs()->currentIndex(), 0);
        QStringList buttons;
        for (QPushButton* b : sheet.findChildren<QPushButton*>())
            if (b->parentWidget() && !qobject_cast<CSettingsPage*>(b->parentWidget()))
                buttons.append(b->text());
        buttons.sort();
        EXPECT_EQ(buttons, QStringList({"OK", "キャンセル", "ヘルプ"}));
        EXPECT_TRUE(sheet.OkButton()->isDefault());
        return QDialog::Rejected;
    });
}

TEST_F(SettingsSheet, FirstRunShowsTheDefaultsOnEveryPage) {
    Run([this](CsettingPSheet& sheet) {
        EXPECT_EQ(Control<QLineEdit>(sheet, 1074)->text(), "");
        EXPECT_EQ(Control<QLineEdit>(sheet, 1075)->text(), "");
        Visit(sheet, 1);
        EXPECT_EQ(Items(Control<QListWidget>(sheet, 1080)), kDefaultHidden);
        EXPECT_EQ(Control<QListWidget>(sheet, 1081)->count(), 34 - 13);
        EXPECT_EQ(Control<QListWidget>(sheet, 1081)->item(0)->text(), "新規ﾌｧｲﾙ");
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1085)->isChecked());
        EXPECT_FALSE(Control<QPushButton>(sheet, 1082)->isEnabled());
        EXPECT_FALSE(Control<QPushButton>(sheet, 1083)->isEnabled());
        Visit(sheet, 2);
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1187)->isChecked());
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1192)->isChecked());
        EXPECT_FALSE(Control<QLineEdit>(sheet, 1191)->isEnabled());
        EXPECT_FALSE(Control<QLineEdit>(sheet, 1197)->isEnabled());
        Visit(sheet, 3);
        EXPECT_EQ(Control<QLineEdit>(sheet, 1136)->text(), "8");
        return QDialog::Rejected;
    });
    EXPECT_FALSE(Profile().GetBinary("Browser", "IE"));
}

TEST_F(SettingsSheet, OkWithoutChangesWritesEveryValue) {
    Run(PressOk);
    EXPECT_EQ(Profile().GetString("Browser", "IE", "unset"), "");
    EXPECT_EQ(Profile().GetString("Browser", "NN", "unset"), "");
    EXPECT_EQ(Profile().GetInt("ToolBar", "Resource", -1), 1);
    EXPECT_EQ(Profile().GetInt("Settings", "TabStop", -1), 32);
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Date", -1), 1);
    EXPECT_EQ(Profile().GetString("DateTimeFormat", "DateEx", "unset"), "");
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Time", -1), 1);
    EXPECT_EQ(Profile().GetString("DateTimeFormat", "TimeEx", "unset"), "");
    for (const auto& button : frame->ButtonList()) {
        const int id = static_cast<int>(button->m_commandId);
        EXPECT_EQ(Profile().GetInt("ToolBar", QString::number(id), -1), IsHiddenByDefault(id) ? 1 : 0) << id;
    }
    EXPECT_TRUE(Profile().GetBarState("State"));
}

TEST_F(SettingsSheet, TabStopIsShownInColumnsAndWrittenBackTimesFour) {
    Profile().PutInt("Settings", "TabStop", 30);
    Run([](CsettingPSheet& sheet) {
        Visit(sheet, 3);
        EXPECT_EQ(Control<QLineEdit>(sheet, 1136)->text(), "7");
        return PressOk(sheet);
    });
    EXPECT_EQ(Profile().GetInt("Settings", "TabStop", -1), 28);
}

TEST_F(SettingsSheet, TabWidthIsCheckedWhenThePageIsLeftAndOnOk) {
    Run([this](CsettingPSheet& sheet) {
        Visit(sheet, 3);
        auto* field = Control<QLineEdit>(sheet, 1136);
        field->setText("abc");
        sheet.Tabs()->setCurrentIndex(2);
        QApplication::processEvents();
        EXPECT_EQ(sheet.Tabs()->currentIndex(), 3);
        EXPECT_EQ(ui->MessageTexts().value(0), QStringLiteral("タブの桁数には整数を入力してください。"));
        // The page that was not entered has not been painted.
        EXPECT_FALSE(sheet.DatetimePage().FirstPaintDone());
        EXPECT_TRUE(field->hasFocus());
        field->setText("17");
        EXPECT_EQ(PressOk(sheet), QDialog::Rejected);
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(ui->MessageTexts().value(1),
                  QStringLiteral("タブの桁数には 1 から 16 までの整数を入力してください。"));
        field->setText(" 16 ");
        return PressOk(sheet);
    });
    EXPECT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(Profile().GetInt("Settings", "TabStop", -1), 64);
}

TEST_F(SettingsSheet, OkAppliesTabStopsAndTheStoredFontToTheView) {
    QFont chosen(QStringLiteral("DejaVu Sans Mono"));
    chosen.setPointSize(16);
    ui->QueueFont(chosen);
    Run([](CsettingPSheet& sheet) {
        Visit(sheet, 3);
        Click(sheet, 1139);
        Control<QLineEdit>(sheet, 1136)->setText("4");
        return PressOk(sheet);
    });
    ASSERT_EQ(ui->fontDialogs.size(), 1u);
    EXPECT_EQ(ui->fontDialogs[0].minPoints, 8);
    EXPECT_EQ(ui->fontDialogs[0].maxPoints, 24);
    EXPECT_FALSE(ui->fontDialogs[0].effects);
    EXPECT_TRUE(ui->fontDialogs[0].screenFontsOnly);
    const auto block = Profile().GetBinary("Settings", "Font");
    ASSERT_TRUE(block);
    EXPECT_EQ(block->size(), 60);
    EXPECT_EQ(frame->View()->EditorFont().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(frame->View()->EditorFont().pointSize(), 16);
}

TEST_F(SettingsSheet, FontChosenThenCancelIsStoredButNotShownYet) {
    const QFont before = frame->View()->EditorFont();
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(20);
    ui->QueueFont(chosen);
    ui->QueueFont(std::nullopt);
    Run([](CsettingPSheet& sheet) {
        Visit(sheet, 3);
        Click(sheet, 1139);
        Click(sheet, 1139);
        return QDialog::Rejected;
    });
    EXPECT_EQ(frame->View()->EditorFont(), before);
    const auto record = FontRecord::Unpack(*Profile().GetBinary("Settings", "Font"));
    ASSERT_TRUE(record);
    EXPECT_EQ(FontRecord::ToQFont(*record).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_FALSE(Profile().GetBinary("Settings", "TabStop"));
    // The font dialog starts from the font the editor shows.
    EXPECT_EQ(ui->fontDialogs[0].initial, before);
}

TEST_F(SettingsSheet, FontDialogOkWithoutAChangeKeepsTheStoredFaceName) {
    // The dialog lists the face drawn for "ＭＳ ゴシック"; OK on it changes nothing stored.
    ui->QueueFont(FontRecord::DrawnFont(frame->View()->EditorFont()));
    Run([](CsettingPSheet& sheet) {
        Visit(sheet, 3);
        Click(sheet, 1139);
        return PressOk(sheet);
    });
    const auto record = FontRecord::Unpack(*Profile().GetBinary("Settings", "Font"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->faceName, FontRecord::DefaultEditorFont().faceName);
    EXPECT_EQ(record->height, FontRecord::DefaultEditorFont().height);
    EXPECT_EQ(frame->View()->EditorFont().family(), QStringLiteral("ＭＳ ゴシック"));
}

TEST_F(SettingsSheet, AStoredFontBlockOfAnotherLengthLeavesTheViewFont) {
    const QFont before = frame->View()->EditorFont();
    Profile().PutBinary("Settings", "Font", QByteArray(59, 'x'));
    Run(PressOk);
    EXPECT_EQ(frame->View()->EditorFont(), before);
}

TEST_F(SettingsSheet, AddingThreeHiddenButtonsShowsThemInTableOrder) {
    Run([this](CsettingPSheet& sheet) {
        Visit(sheet, 1);
        auto* hidden = Control<QListWidget>(sheet, 1080);
        auto* shown = Control<QListWidget>(sheet, 1081);
        hidden->item(10)->setSelected(true);
        hidden->item(0)->setSelected(true);
        hidden->item(4)->setSelected(true);
        EXPECT_TRUE(Control<QPushButton>(sheet, 1082)->isEnabled());
        Click(sheet, 1082);
        EXPECT_EQ(hidden->count(), 10);
        EXPECT_EQ(shown->count(), 24);
        EXPECT_EQ(shown->item(1)->text(), "新規作成ｳｨｻﾞｰﾄﾞ");
        EXPECT_EQ(Items(shown).indexOf("<TABLE>タグ挿入") < Items(shown).indexOf("日付の挿入"), true);
        EXPECT_FALSE(Control<QPushButton>(sheet, 1082)->isEnabled());
        EXPECT_FALSE(Control<QPushButton>(sheet, 1083)->isEnabled());
        shown->item(0)->setSelected(true);
        EXPECT_TRUE(Control<QPushButton>(sheet, 1083)->isEnabled());
        Click(sheet, 1083);
        EXPECT_EQ(Items(hidden).value(0), "新規ﾌｧｲﾙ");
        return PressOk(sheet);
    });
    EXPECT_EQ(Profile().GetInt("ToolBar", QString::number(Cmd::kNewWizard), -1), 0);
    EXPECT_EQ(Profile().GetInt("ToolBar", QString::number(Cmd::kFileNew), -1), 1);
    const QStringList tips = VisibleToolBarTips();
    EXPECT_TRUE(tips.contains("日付の挿入"));
    EXPECT_TRUE(tips.contains("<TABLE>タグ挿入"));
    EXPECT_FALSE(tips.contains("新規ﾌｧｲﾙ"));
}

TEST_F(SettingsSheet, CancelKeepsTheMovedButtonsForTheNextOpeningOnly) {
    Run([this](CsettingPSheet& sheet) {
        Visit(sheet, 1);
        Control<QListWidget>(sheet, 1080)->item(0)->setSelected(true);
        Click(sheet, 1082);
        return QDialog::Rejected;
    });
    EXPECT_FALSE(VisibleToolBarTips().contains("新規作成ｳｨｻﾞｰﾄﾞ"));
    EXPECT_FALSE(Profile().GetBinary("ToolBar", QString::number(Cmd::kNewWizard)));
    Run([this](CsettingPSheet& sheet) {
        Visit(sheet, 1);
        EXPECT_FALSE(Items(Control<QListWidget>(sheet, 1080)).contains("新規作成ｳｨｻﾞｰﾄﾞ"));
        return PressOk(sheet);
    });
    EXPECT_TRUE(VisibleToolBarTips().contains("新規作成ｳｨｻﾞｰﾄﾞ"));
}

TEST_F(SettingsSheet, ImageTypeReloadsTheToolBarWithTheSameHiddenButtons) {
    const QStringList before = VisibleToolBarTips();
    Run([](CsettingPSheet& sheet) {
        Visit(sheet, 1);
        Click(sheet, 1086);
        return PressOk(sheet);
    });
    EXPECT_EQ(Profile().GetInt("ToolBar", "Resource", -1), 0);
    EXPECT_EQ(VisibleToolBarTips(), before);
    Run([](CsettingPSheet& sheet) {
        Visit(sheet, 1);
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1086)->isChecked());
        Click(sheet, 1085);
        return PressOk(sheet);
    });
    EXPECT_EQ(Profile().GetInt("ToolBar", "Resource", -1), 1);
}

TEST_F(SettingsSheet, DateAndTimeStylesAndUserFormatsAreWrittenOnOk) {
    Run([](CsettingPSheet& sheet) {
        Visit(sheet, 2);
        Click(sheet, 1190);
        EXPECT_TRUE(Control<QLineEdit>(sheet, 1191)->isEnabled());
        Control<QLineEdit>(sheet, 1191)->setText(QStringLiteral("%Y年%m月"));
        Click(sheet, 1195);
        Click(sheet, 1196);
        Click(sheet, 1193);
        EXPECT_FALSE(Control<QLineEdit>(sheet, 1197)->isEnabled());
        return PressOk(sheet);
    });
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Date", -1), 0);
    EXPECT_EQ(Profile().GetString("DateTimeFormat", "DateEx", ""), "%Y\x94\x4e%m\x8c\x8e");
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Time", -1), 2);
}

TEST_F(SettingsSheet, UnknownStoredCodesShowTheUserChoiceAndAreWrittenBackUnchanged) {
    Profile().PutInt("DateTimeFormat", "Date", 7);
    Profile().PutString("DateTimeFormat", "DateEx", "%D");
    Profile().PutInt("DateTimeFormat", "Time", -3);
    Run([](CsettingPSheet& sheet) {
        Visit(sheet, 2);
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1190)->isChecked());
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1196)->isChecked());
        EXPECT_TRUE(Control<QLineEdit>(sheet, 1191)->isEnabled());
        EXPECT_EQ(Control<QLineEdit>(sheet, 1191)->text(), "%D");
        return PressOk(sheet);
    });
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Date", -1), 7);
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Time", -1), -3);
    EXPECT_EQ(Profile().GetString("DateTimeFormat", "DateEx", ""), "%D");
}

TEST_F(SettingsSheet, OkWithoutVisitingTheDatePageKeepsItsValues) {
    Profile().PutInt("DateTimeFormat", "Date", 3);
    Profile().PutString("DateTimeFormat", "DateEx", "x");
    Profile().PutInt("DateTimeFormat", "Time", 4);
    Profile().PutString("DateTimeFormat", "TimeEx", "y");
    Run(PressOk);
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Date", -1), 3);
    EXPECT_EQ(Profile().GetString("DateTimeFormat", "DateEx", ""), "x");
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Time", -1), 4);
    EXPECT_EQ(Profile().GetString("DateTimeFormat", "TimeEx", ""), "y");
}

TEST_F(SettingsSheet, BrowserPathsAreTypedOrBrowsedAndEnableThePreviews) {
    Profile().PutString("Browser", "NN", "/opt/old");
    ui->QueueFileName(QStringLiteral("/usr/bin/first browser"));
    ui->QueueFileName(std::nullopt);
    Run([](CsettingPSheet& sheet) {
        EXPECT_EQ(Control<QLineEdit>(sheet, 1075)->text(), "/opt/old");
        Control<QLineEdit>(sheet, 1075)->setText("/opt/typed");
        Click(sheet, 1076);
        EXPECT_EQ(Control<QLineEdit>(sheet, 1074)->text(), "/usr/bin/first browser");
        // What was typed into the other field is kept.
        EXPECT_EQ(Control<QLineEdit>(sheet, 1075)->text(), "/opt/typed");
        Click(sheet, 1077);
        EXPECT_EQ(Control<QLineEdit>(sheet, 1075)->text(), "/opt/typed");
        return PressOk(sheet);
    });
    EXPECT_EQ(Profile().GetString("Browser", "IE", ""), "/usr/bin/first browser");
    EXPECT_EQ(Profile().GetString("Browser", "NN", ""), "/opt/typed");
    ASSERT_EQ(ui->fileDialogs.size(), 2u);
    EXPECT_FALSE(ui->fileDialogs[0].save);
}

TEST_F(SettingsSheet, APathShiftJisCannotHoldIsRefused) {
    ui->QueueFileName(QStringLiteral("/opt/\U0001F600/browser"));
    Run([this](CsettingPSheet& sheet) {
        Click(sheet, 1076);
        EXPECT_EQ(Control<QLineEdit>(sheet, 1074)->text(), "");
        EXPECT_EQ(ui->messages.size(), 1u);
        Control<QLineEdit>(sheet, 1074)->setText(QStringLiteral("/opt/\u00e9\u4e02"));
        EXPECT_EQ(PressOk(sheet), QDialog::Rejected);
        EXPECT_EQ(ui->messages.size(), 2u);
        Control<QLineEdit>(sheet, 1074)->setText(QStringLiteral("/opt/日本"));
        return PressOk(sheet);
    });
    EXPECT_EQ(Profile().GetString("Browser", "IE", ""), "/opt/\x93\xfa\x96\x7b");
}

TEST_F(SettingsSheet, F1AndTheHelpButtonShowTheActivePagesTopic) {
    CFakeHelpLibrary help("mode0");
    ui->SetProgramFolder(help.Folder());
    CHelpBinding::Instance().Bind();
    Run([&help](CsettingPSheet& sheet) {
        const char* topics[] = {"setting.html#bls", "setting.html#tbar", "setting.html#datetime",
                                "setting.html#etc"};
        for (int tab = 0; tab < 4; ++tab) {
            Visit(sheet, tab);
            QTest::keyClick(sheet.Tabs()->currentWidget(), Qt::Key_F1);
            EXPECT_EQ(help.LastTopic(), QByteArray(topics[tab]));
            EXPECT_EQ(help.LastCommand(), 0);
        }
        const int calls = help.Calls();
        QTest::mouseClick(sheet.HelpButton(), Qt::LeftButton);
        EXPECT_EQ(help.Calls(), calls + 1);
        EXPECT_EQ(help.LastTopic(), QByteArray("setting.html#etc"));
        return QDialog::Rejected;
    });
    CHelpBinding::Instance().Release();
}
