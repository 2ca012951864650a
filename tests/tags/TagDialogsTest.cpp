#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "platform/AttributeButton.h"
#include "platform/CommandRouter.h"
#include "platform/HelpKeyFilter.h"
#include "platform/UpDownEdit.h"
#include "resources/CommandIds.h"
#include "tags/InsCommentDlg.h"
#include "tags/InsFontDlg.h"
#include "tags/InsHrDlg.h"
#include "tags/InsTableDlg.h"
#include "tags/TagCommands.h"
#include "tags/TagDialogCommands.h"
#include "tests/support/EditorFixture.h"
#include "tests/tags/DialogDriver.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace DialogDriver;

namespace {

using Script = CScriptedUi::DialogScript;

CAttributeButton* Button(QDialog& d, int id) {
    return Control<CAttributeButton>(d, id);
}
QLineEdit* Field(QDialog& d, int id) {
    return Control<QLineEdit>(d, id);
}
QComboBox* List(QDialog& d, int id) {
    return Control<QComboBox>(d, id);
}
QCheckBox* Percent(QDialog& d, int id) {
    return Control<QCheckBox>(d, id);
}
CUpDownEdit* Spin(QDialog& d, int id) {
    return Control<CUpDownEdit>(d, id);
}
void Type(QDialog& d, int fieldId, const QString& text) {
    DialogDriver::Type(Field(d, fieldId), text);
}

bool Disabled(QDialog& d, std::initializer_list<int> ids) {
    return std::none_of(ids.begin(), ids.end(), [&](int id) { return IsEnabled(d, id); });
}

bool TakesNoInputMethod(QDialog& d, int fieldId) {
    return !Field(d, fieldId)->testAttribute(Qt::WA_InputMethodEnabled);
}

// Presses OK (or Cancel) the way a user does and hands back the dialog's result.
int PressOk(QDialog& d) {
    Click(d, 1);
    return d.result();
}
int PressCancel(QDialog& d) {
    Click(d, 2);
    return d.result();
}

class TagDialogs : public CEditorFixture {
protected:
    TagDialogs() {
        view = std::make_unique<CWeftpageView>(doc);
        RegisterTagCommands(*view);
        RegisterTagDialogCommands(*view);
        view->resize(400, 300);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->InitialUpdate();
        router.SetTargets({view.get()});
    }

    void Start(const std::string& text, std::size_t start, std::size_t end) {
        view->SetText(text);
        view->ResetUndoHistory();
        view->SetSel(start, end);
    }
    // Runs a command with the dialog script queued; false when the command did not run.
    bool Run(int command, Script script) {
        ui->QueueDialog(std::move(script));
        return router.Execute(command);
    }
    std::string Text() const { return view->GetText(); }
    std::size_t Caret() const {
        EXPECT_EQ(view->GetSel().start, view->GetSel().end);
        return view->GetSel().end;
    }

    CWeftpageDoc doc;
    std::unique_ptr<CWeftpageView> view;
    CCommandRouter router;
};

} // namespace

TEST_F(TagDialogs, RuleDialogOpensWithItsDefaultsAndOkReplacesTheSelection) {
    Start("xxabcyy", 2, 5);
    ASSERT_TRUE(Run(Cmd::kTagRuleDlg, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<HR>タグの挿入"));
        EXPECT_TRUE(Button(d, 1011)->IsOn());
        EXPECT_TRUE(Percent(d, 1017)->isChecked());
        EXPECT_TRUE(Percent(d, 1017)->isEnabled());
        EXPECT_EQ(Field(d, 1006)->text(), "80");
        EXPECT_EQ(Spin(d, 1016)->Maximum(), 100);
        EXPECT_FALSE(Button(d, 1171)->IsOn());
        EXPECT_EQ(Field(d, 1173)->text(), "5");
        EXPECT_EQ(Spin(d, 1174)->Minimum(), 1);
        EXPECT_EQ(Spin(d, 1174)->Maximum(), 20);
        EXPECT_EQ(Items(List(d, 1034)), QStringList({"left", "center", "right"}));
        EXPECT_EQ(List(d, 1034)->currentIndex(), 1);
        EXPECT_TRUE(Disabled(d, {1173, 1174, 1034}));
        EXPECT_FALSE(Button(d, 1170)->IsOn());
        EXPECT_EQ(Button(d, 1170)->text(), "&noshade");
        EXPECT_TRUE(TakesNoInputMethod(d, 1006));
        EXPECT_TRUE(TakesNoInputMethod(d, 1173));
        EXPECT_EQ(Control<QPushButton>(d, 2)->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        EXPECT_TRUE(Control<QPushButton>(d, 1)->isDefault());
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "xx<hr width=\"80%\">yy");
    EXPECT_EQ(Caret(), 2u + 16u);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TagDialogs, RulePercentBoxChangesOnlyTheArrowsRange) {
    Start("", 0, 0);
    ASSERT_TRUE(Run(Cmd::kTagRuleDlg, [](QDialog& d) {
        Type(d, 1006, "600");
        Click(d, 1017);
        EXPECT_EQ(Spin(d, 1016)->Maximum(), 1000);
        EXPECT_EQ(Field(d, 1006)->text(), "600");
        QTest::keyClick(Field(d, 1006), Qt::Key_Up);
        EXPECT_EQ(Field(d, 1006)->text(), "601");
        Click(d, 1017);
        EXPECT_EQ(Spin(d, 1016)->Maximum(), 100);
        Click(d, 1017);
        Type(d, 1006, "600");
        Click(d, 1024);
        QTest::keyClick(List(d, 1034), Qt::Key_Up);
        Click(d, 1171);
        Type(d, 1173, "2");
        Click(d, 1170);
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<hr width=600 align=\"left\" size=2 noshade>");
}

TEST_F(TagDialogs, FontOkIsGreyedUntilAnAttributeIsSwitchedOnOnce) {
    Start("..abc..", 2, 5);
    ASSERT_TRUE(Run(Cmd::kTagFontDlg, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<FONT>タグの挿入"));
        EXPECT_EQ(Field(d, 1071)->text(), "#");
        EXPECT_EQ(Field(d, 1072)->text(), "4");
        EXPECT_EQ(Spin(d, 1073)->Minimum(), 1);
        EXPECT_EQ(Spin(d, 1073)->Maximum(), 7);
        EXPECT_TRUE(Disabled(d, {1071, 1072, 1073, 1}));
        EXPECT_TRUE(TakesNoInputMethod(d, 1071));
        EXPECT_TRUE(TakesNoInputMethod(d, 1072));
        QTest::mouseClick(Control<QPushButton>(d, 1), Qt::LeftButton); // greyed: nothing happens
        EXPECT_TRUE(d.isVisible());
        Click(d, 1070);
        Click(d, 1070);
        EXPECT_TRUE(Control<QPushButton>(d, 1)->isEnabled());
        Click(d, 1069);
        Type(d, 1071, "#ff0000");
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "..<font color=\"#ff0000\">abc</font>..");
    EXPECT_EQ(Caret(), 2u + 22u + 3u);
}

TEST_F(TagDialogs, ParagraphIsCentredAtOnceAndBareWithAlignOff) {
    Start("abc", 0, 3);
    ASSERT_TRUE(Run(Cmd::kTagParagraphDlg, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<P>タグの挿入"));
        EXPECT_TRUE(Button(d, 1024)->IsOn());
        EXPECT_TRUE(List(d, 1034)->isEnabled());
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<p align=\"center\">abc</p>");
    EXPECT_EQ(Caret(), 21u);

    Start("abc", 0, 3);
    ASSERT_TRUE(Run(Cmd::kTagParagraphDlg, [](QDialog& d) {
        Click(d, 1024);
        EXPECT_FALSE(List(d, 1034)->isEnabled());
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<p>abc</p>");
    EXPECT_EQ(Caret(), 6u);
}

TEST_F(TagDialogs, OrderedListTypeIsReadByPositionAndStartAsANumber) {
    Start("abc", 0, 3);
    ASSERT_TRUE(Run(Cmd::kTagOrderedListDlg, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<OL>タグの挿入"));
        EXPECT_EQ(Items(List(d, 1184)), QStringList({"A", "a", "I", "i", "1"}));
        EXPECT_EQ(List(d, 1184)->currentText(), "i");
        EXPECT_EQ(Field(d, 1185)->text(), "1");
        EXPECT_EQ(Spin(d, 1186)->Minimum(), 0);
        EXPECT_EQ(Spin(d, 1186)->Maximum(), 20);
        EXPECT_TRUE(Disabled(d, {1184, 1185, 1186}));
        EXPECT_TRUE(TakesNoInputMethod(d, 1185));
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<ol>abc</ol>");
    EXPECT_EQ(Caret(), 7u);

    Start("", 0, 0);
    ASSERT_TRUE(Run(Cmd::kTagOrderedListDlg, [](QDialog& d) {
        Click(d, 1182);
        Click(d, 1183);
        QTest::keyClick(Field(d, 1185), Qt::Key_Up);
        QTest::keyClick(Field(d, 1185), Qt::Key_Up);
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<ol type=\"i\" start=3></ol>");
}

TEST_F(TagDialogs, CommentKeepsTheTypedLinesAndReplacesTheSelection) {
    Start("[sel]", 0, 5);
    ASSERT_TRUE(Run(Cmd::kTagCommentDlg, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("コメントの挿入"));
        auto* text = Control<QPlainTextEdit>(d, 1091);
        EXPECT_TRUE(text->testAttribute(Qt::WA_InputMethodEnabled));
        EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
        text->setFocus();
        QTest::keyClicks(text, "a");
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, "b");
        EXPECT_TRUE(d.isVisible()); // Enter made a new line, it did not press OK
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<!-- a\r\nb -->");
    EXPECT_EQ(Caret(), 13u);

    Start("", 0, 0);
    ASSERT_TRUE(Run(Cmd::kTagCommentDlg, [](QDialog& d) { return PressOk(d); }));
    EXPECT_EQ(Text(), "<!--  -->");
}

TEST_F(TagDialogs, CommentWithJapaneseTextCountsCaretInBytes) {
    Start("", 0, 0);
    ASSERT_TRUE(Run(Cmd::kTagCommentDlg, [](QDialog& d) {
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("表示"));
        QCoreApplication::sendEvent(Control<QPlainTextEdit>(d, 1091), &commit);
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<!-- \x95\x5C\x8E\xA6 -->");
    EXPECT_EQ(Caret(), 13u);
}

TEST_F(TagDialogs, TableWithNothingOnPutsTheCaretOnTheEmptyMiddleLine) {
    Start("", 0, 0);
    ASSERT_TRUE(Run(Cmd::kTagTableDlg, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<TABLE>タグの挿入"));
        for (int id : {1011, 1012, 1013, 1023, 1024, 1025, 1026})
            EXPECT_FALSE(Button(d, id)->IsOn()) << id;
        EXPECT_TRUE(Disabled(
            d, {1006, 1016, 1040, 1007, 1019, 1041, 1008, 1014, 1030, 1034, 1031, 1038, 1032, 1039}));
        EXPECT_EQ(Button(d, 1023)->text(), "bg&color=");
        EXPECT_EQ(Field(d, 1006)->text(), "500");
        EXPECT_EQ(Field(d, 1007)->text(), "500");
        EXPECT_EQ(Field(d, 1008)->text(), "0");
        EXPECT_EQ(Field(d, 1030)->text(), "#");
        EXPECT_EQ(Field(d, 1031)->text(), "");
        EXPECT_EQ(Field(d, 1032)->text(), "");
        EXPECT_FALSE(Percent(d, 1040)->isChecked());
        EXPECT_FALSE(Percent(d, 1041)->isChecked());
        EXPECT_EQ(Spin(d, 1016)->Maximum(), 1000);
        EXPECT_EQ(Spin(d, 1019)->Maximum(), 1000);
        EXPECT_EQ(Spin(d, 1014)->Maximum(), 10);
        EXPECT_EQ(Spin(d, 1038)->Maximum(), 100);
        EXPECT_EQ(Spin(d, 1039)->Minimum(), 0);
        EXPECT_EQ(Items(List(d, 1034)), QStringList({"left", "center", "right"}));
        EXPECT_EQ(List(d, 1034)->currentIndex(), 1);
        for (int id : {1006, 1007, 1008, 1030, 1031, 1032})
            EXPECT_TRUE(TakesNoInputMethod(d, id)) << id;
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<table>\r\n\r\n</table>");
    EXPECT_EQ(Caret(), 9u);
}

TEST_F(TagDialogs, TableWritesAlignFirstAndPutsTheSelectionOnItsOwnLine) {
    Start("abc", 0, 3);
    ASSERT_TRUE(Run(Cmd::kTagTableDlg, [](QDialog& d) {
        Click(d, 1011);
        Click(d, 1040);
        EXPECT_EQ(Spin(d, 1016)->Maximum(), 100);
        EXPECT_EQ(Field(d, 1006)->text(), "500"); // the box leaves the text alone
        Type(d, 1006, "80");
        Click(d, 1013);
        QTest::keyClick(Field(d, 1008), Qt::Key_Up);
        Click(d, 1024);
        QTest::keyClick(List(d, 1034), Qt::Key_Up);
        return PressOk(d);
    }));
    const std::string tag = "<table align=\"left\" width=\"80%\" border=1>";
    EXPECT_EQ(Text(), tag + "\r\nabc\r\n</table>");
    EXPECT_EQ(Caret(), tag.size() + 2 + 3);
}

TEST_F(TagDialogs, RepaintingKeepsWhatTheUserEntered) {
    Start("", 0, 0);
    ASSERT_TRUE(Run(Cmd::kTagTableDlg, [](QDialog& d) {
        Click(d, 1012);
        Click(d, 1041);
        Type(d, 1007, "75");
        Click(d, 1023);
        Type(d, 1030, "#123456");
        Click(d, 1024);
        QTest::keyClick(List(d, 1034), Qt::Key_Down);
        d.repaint();
        d.hide();
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        QCoreApplication::processEvents();
        EXPECT_TRUE(Button(d, 1012)->IsOn());
        EXPECT_TRUE(Percent(d, 1041)->isChecked());
        EXPECT_EQ(Field(d, 1007)->text(), "75");
        EXPECT_EQ(Field(d, 1030)->text(), "#123456");
        EXPECT_EQ(List(d, 1034)->currentIndex(), 2);
        EXPECT_EQ(Spin(d, 1019)->Maximum(), 100);
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<table align=\"right\" height=\"75%\" bgcolor=\"#123456\">\r\n\r\n</table>");
}

TEST_F(TagDialogs, RowDialogWrapsTheSelectionOnALineOfItsOwn) {
    Start("abc", 0, 3);
    ASSERT_TRUE(Run(Cmd::kTagRowDlg, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<TR>タグの挿入"));
        EXPECT_EQ(Items(List(d, 1052)), QStringList({"top", "middle", "bottom"}));
        EXPECT_EQ(List(d, 1052)->currentIndex(), 1);
        EXPECT_TRUE(Disabled(d, {1034, 1052}));
        Click(d, 1024);
        Click(d, 1047);
        QTest::keyClick(List(d, 1052), Qt::Key_Down);
        return PressOk(d);
    }));
    const std::string tag = "<tr align=\"center\" valign=\"bottom\">";
    EXPECT_EQ(Text(), tag + "\r\nabc\r\n</tr>");
    EXPECT_EQ(Caret(), tag.size() + 5);
}

TEST_F(TagDialogs, CellDefaultsGiveAPercentWidthAndSpansOfTwo) {
    Start("x", 0, 1);
    ASSERT_TRUE(Run(Cmd::kTagCellDlg, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<TD>タグの挿入"));
        EXPECT_TRUE(Percent(d, 1040)->isChecked());
        EXPECT_TRUE(Percent(d, 1059)->isChecked());
        EXPECT_EQ(Spin(d, 1016)->Maximum(), 100);
        EXPECT_EQ(Spin(d, 1062)->Maximum(), 10);
        EXPECT_EQ(Field(d, 1056)->text(), "2");
        EXPECT_EQ(Field(d, 1006)->text(), "100");
        EXPECT_EQ(Button(d, 1023)->text(), "&bgcolor=");
        for (int id : {1030, 1006, 1007, 1056, 1057})
            EXPECT_TRUE(TakesNoInputMethod(d, id)) << id;
        Click(d, 1011);
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<td width=\"100%\">x</td>");
    EXPECT_EQ(Caret(), 18u);

    Start("", 0, 0);
    ASSERT_TRUE(Run(Cmd::kTagCellDlg, [](QDialog& d) {
        Click(d, 1048);
        Click(d, 1049);
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<td colspan=2 rowspan=2></td>");
}

TEST_F(TagDialogs, CellNeverWritesWhatWasTypedIntoTheListsEditField) {
    Start("", 0, 0);
    ASSERT_TRUE(Run(Cmd::kTagCellDlg, [](QDialog& d) {
        Click(d, 1024);
        QComboBox* align = List(d, 1034);
        QTest::keyClick(align, Qt::Key_Up);
        EXPECT_EQ(align->currentText(), "left");
        align->lineEdit()->selectAll();
        QTest::keyClicks(align->lineEdit(), "justify");
        Click(d, 1047);
        QComboBox* valign = List(d, 1052);
        valign->lineEdit()->selectAll();
        QTest::keyClicks(valign->lineEdit(), "baseline");
        QTest::keyClick(valign, Qt::Key_Up); // choosing from the list again counts
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<td align=\"center\" valign=\"top\"></td>");
}

TEST_F(TagDialogs, TextThatShiftJisCannotHoldIsWrittenAsAReference) {
    Start("", 0, 0);
    ui->QueueAnswer(CPlatformUi::Answer::Ok);
    ASSERT_TRUE(Run(Cmd::kTagCellDlg, [](QDialog& d) {
        Click(d, 1023);
        QGuiApplication::clipboard()->setText(QStringLiteral("赤\u00e9"));
        Field(d, 1030)->selectAll();
        QTest::keySequence(Field(d, 1030), QKeySequence::Paste);
        return PressOk(d);
    }));
    EXPECT_EQ(Text(), "<td bgcolor=\"\x90\xD4&#xE9;\"></td>");
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(TagDialogs, CancelChangesNeitherTextNorSelectionNorUndoHistory) {
    for (int command : {Cmd::kTagFontDlg, Cmd::kTagRuleDlg, Cmd::kTagParagraphDlg, Cmd::kTagOrderedListDlg,
                        Cmd::kTagCommentDlg, Cmd::kTagTableDlg, Cmd::kTagRowDlg, Cmd::kTagCellDlg}) {
        Start("one two", 0, 0);
        view->SetSel(7, 7);
        QTest::keyClicks(view.get(), "!");
        view->OnEditUndo(); // leaves a step to redo, which any change would drop
        view->SetSel(4, 7);
        doc.SetModifiedFlag(false);
        const int current = view->UndoHistory().Current();
        ASSERT_TRUE(Run(command, [](QDialog& d) {
            if (auto* first = d.findChild<CAttributeButton*>())
                first->click();
            return PressCancel(d);
        })) << command;
        EXPECT_EQ(Text(), "one two") << command;
        EXPECT_EQ(view->GetSel().start, 4u) << command;
        EXPECT_EQ(view->GetSel().end, 7u) << command;
        EXPECT_TRUE(view->UndoHistory().CanRedo()) << command;
        EXPECT_EQ(view->UndoHistory().Current(), current) << command;
        EXPECT_FALSE(doc.IsModified()) << command;
    }
    EXPECT_EQ(ui->dialogsRun, 8);
}

TEST_F(TagDialogs, BareTableRowAndCellCommandsWrapTheSelection) {
    Start("abc", 0, 3);
    ASSERT_TRUE(router.Execute(Cmd::kTagTable));
    EXPECT_EQ(Text(), "<table>abc</table>");
    EXPECT_EQ(Caret(), 10u);
    view->OnEditUndo();
    EXPECT_EQ(Text(), "abc");

    view->SetSel(0, 3);
    ASSERT_TRUE(router.Execute(Cmd::kTagRow));
    EXPECT_EQ(Text(), "<tr>\r\nabc\r\n</tr>");
    EXPECT_EQ(Caret(), 9u);

    Start("\x95\x5C\x8E\xA6", 0, 4); // two double-byte characters
    ASSERT_TRUE(router.Execute(Cmd::kTagCell));
    EXPECT_EQ(Text(), "<td>\x95\x5C\x8E\xA6</td>");
    EXPECT_EQ(Caret(), 8u);
    EXPECT_EQ(ui->dialogsRun, 0);
}

TEST_F(TagDialogs, EveryTagDialogButTheCommentHasF1Help) {
    const auto hasHelp = [](QDialog& d) {
        for (QObject* child : d.children()) {
            if (dynamic_cast<CHelpKeyFilter*>(child))
                return true;
        }
        return false;
    };
    CInsFontDlg font;
    CInsTableDlg table;
    CInsCommentDlg comment;
    EXPECT_TRUE(hasHelp(font));
    EXPECT_TRUE(hasHelp(table));
    EXPECT_FALSE(hasHelp(comment));
}

TEST_F(TagDialogs, NothingIsInPlaceBeforeTheFirstPaintAndOkStillGivesTheDefaults) {
    CInsHrDlg rule;
    EXPECT_EQ(Field(rule, 1006)->text(), "");
    EXPECT_EQ(List(rule, 1034)->count(), 0);
    EXPECT_TRUE(Field(rule, 1006)->isEnabled()); // the row the first paint switches on
    EXPECT_FALSE(Field(rule, 1173)->isEnabled());
    rule.accept(); // e.g. OK before the dialog was ever painted
    EXPECT_EQ(rule.Result(), "<hr width=\"80%\">");
    EXPECT_EQ(Field(rule, 1006)->text(), "80");
}
