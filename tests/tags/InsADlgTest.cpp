#include "tags/InsADlg.h"

#include "platform/HelpBinding.h"
#include "tests/helplib/FakeHelpLibrary.h"
#include "tests/support/EditorFixture.h"
#include "tests/tags/DialogDriver.h"

#include <functional>

using namespace DialogDriver;

namespace {

constexpr int kOk = 1, kCancel = 2, kBrowse = 1140;
constexpr int kHrefOn = 1087, kTargetOn = 1088, kNameOn = 1089;
constexpr int kHref = 1000, kName = 1001, kTarget = 1002;

class LinkDialog : public CEditorFixture {
protected:
    // Runs a dialog for a page at reference with the script as the user; the values
    // taken on OK, nullopt after Cancel. The dialog is gone (its lists saved) afterwards.
    std::optional<CLinkFields> Run(const QString& reference, std::function<void(QDialog&)> script) {
        CInsADlg dialog;
        dialog.SetReferencePath(reference);
        ui->QueueDialog([&](QDialog& d) {
            script(d);
            return d.result();
        });
        if (Ui().RunDialog(dialog) != QDialog::Accepted)
            return std::nullopt;
        return dialog.Fields();
    }

    static QComboBox* Combo(QDialog& d, int id) { return Control<QComboBox>(d, id); }

    static std::string Stored(const char* key) { return Profile().GetString("InsADlg", key, "<none>"); }
    static void Store(const char* prefix, std::array<const char*, 5> entries) {
        for (int i = 0; i < 5; ++i)
            Profile().PutString("InsADlg", prefix + QString::number(i), entries[i]);
    }
};

} // namespace

TEST_F(LinkDialog, FirstOpeningOffersTheDefaultsWithOnlyHrefOn) {
    const auto fields = Run("", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<A>タグの挿入"));
        EXPECT_EQ(Items(Combo(d, kHref)), (QStringList{"./index.html", "../index.html"}));
        EXPECT_EQ(Items(Combo(d, kTarget)), (QStringList{"_top", "top"}));
        EXPECT_TRUE(Items(Combo(d, kName)).isEmpty());
        EXPECT_TRUE(IsOn(d, kHrefOn));
        EXPECT_FALSE(IsOn(d, kTargetOn));
        EXPECT_FALSE(IsOn(d, kNameOn));
        EXPECT_TRUE(IsEnabled(d, kHref));
        EXPECT_FALSE(IsEnabled(d, kTarget));
        EXPECT_FALSE(IsEnabled(d, kName));
        // The fields start empty, and typing completes nothing on its own.
        EXPECT_EQ(Combo(d, kHref)->currentText(), "");
        EXPECT_EQ(Combo(d, kTarget)->currentText(), "");
        Type(Combo(d, kHref), "./");
        EXPECT_EQ(Combo(d, kHref)->currentText(), "./");
        for (int id : {kHref, kTarget, kName})
            EXPECT_FALSE(Combo(d, id)->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled)) << id;
        Type(Combo(d, kHref), "a.html");
        Click(d, kOk);
    });
    ASSERT_TRUE(fields);
    EXPECT_EQ(LinkTag(*fields), "<a href=\"a.html\">");
    EXPECT_EQ(Stored("href0"), "a.html");
    EXPECT_EQ(Stored("href1"), "./index.html");
    EXPECT_EQ(Stored("href2"), "../index.html");
    EXPECT_EQ(Stored("href3"), "");
    EXPECT_EQ(Stored("trgt0"), "_top");
    EXPECT_EQ(Stored("trgt1"), "top");
    EXPECT_EQ(Stored("name0"), "");
}

TEST_F(LinkDialog, CancelInsertsNothingButStoresTheLists) {
    EXPECT_FALSE(Run("", [](QDialog& d) {
        Type(Combo(d, kHref), "lost.html");
        Click(d, kCancel);
    }));
    EXPECT_EQ(Stored("href0"), "./index.html");
    EXPECT_EQ(Stored("href1"), "../index.html");
    EXPECT_EQ(Stored("trgt0"), "_top");
    EXPECT_EQ(Stored("name4"), "");
}

TEST_F(LinkDialog, AllAttributesOnAreWrittenHrefNameTarget) {
    const auto fields = Run("", [](QDialog& d) {
        Click(d, kTargetOn);
        Click(d, kNameOn);
        Type(Combo(d, kHref), "x.html");
        Type(Combo(d, kTarget), "main");
        Type(Combo(d, kName), "n");
        Click(d, kOk);
    });
    ASSERT_TRUE(fields);
    EXPECT_EQ(LinkTag(*fields), "<a href=\"x.html\" name=\"n\" target=\"main\">");
}

TEST_F(LinkDialog, AllAttributesOffGiveABareTag) {
    const auto fields = Run("", [](QDialog& d) {
        Click(d, kHrefOn);
        EXPECT_FALSE(IsEnabled(d, kHref));
        Click(d, kOk);
    });
    ASSERT_TRUE(fields);
    EXPECT_EQ(LinkTag(*fields), "<a>");
}

TEST_F(LinkDialog, HistoriesTakeTheEnteredValuesToTheFront) {
    Store("href", {"a", "b", "c", "d", "e"});
    Run("", [](QDialog& d) {
        EXPECT_EQ(Items(Combo(d, kHref)), (QStringList{"a", "b", "c", "d", "e"}));
        Combo(d, kHref)->setCurrentIndex(2); // picked from the drop-down list
        EXPECT_EQ(Combo(d, kHref)->currentText(), "c");
        Click(d, kOk);
    });
    EXPECT_EQ(Stored("href0"), "c");
    EXPECT_EQ(Stored("href1"), "a");
    EXPECT_EQ(Stored("href2"), "b");
    EXPECT_EQ(Stored("href3"), "d");
    EXPECT_EQ(Stored("href4"), "e");
    Run("", [](QDialog& d) {
        Type(Combo(d, kHref), "f");
        Click(d, kOk);
    });
    EXPECT_EQ(Stored("href0"), "f");
    EXPECT_EQ(Stored("href4"), "d");
}

TEST_F(LinkDialog, ANameTypedWhileItsButtonIsOffIsStoredButNotWritten) {
    const auto fields = Run("", [](QDialog& d) {
        Click(d, kNameOn);
        Type(Combo(d, kName), "anchor");
        Click(d, kNameOn);
        EXPECT_FALSE(IsEnabled(d, kName));
        Click(d, kOk);
    });
    ASSERT_TRUE(fields);
    EXPECT_EQ(LinkTag(*fields), "<a href=\"\">");
    EXPECT_EQ(Stored("name0"), "anchor");
    EXPECT_EQ(Stored("href0"), "./index.html");
}

TEST_F(LinkDialog, BrowseStaysOffForAnUnsavedPage) {
    Run("", [](QDialog& d) {
        EXPECT_FALSE(IsEnabled(d, kBrowse));
        Click(d, kHrefOn);
        Click(d, kHrefOn);
        EXPECT_TRUE(IsEnabled(d, kHref));
        EXPECT_FALSE(IsEnabled(d, kBrowse));
        Click(d, kCancel);
    });
}

TEST_F(LinkDialog, BrowseWritesThePathRelativeToTheEditedFile) {
    ui->QueueFileName(QString("/home/u/web/index.html"));
    ui->QueueFileName(std::nullopt);
    const auto fields = Run("/home/u/web/sub/page.html", [](QDialog& d) {
        EXPECT_TRUE(IsEnabled(d, kBrowse));
        Click(d, kHrefOn);
        EXPECT_FALSE(IsEnabled(d, kBrowse));
        Click(d, kHrefOn);
        Click(d, kBrowse);
        EXPECT_EQ(Combo(d, kHref)->currentText(), "../index.html");
        Click(d, kBrowse); // cancelled
        EXPECT_EQ(Combo(d, kHref)->currentText(), "../index.html");
        Click(d, kOk);
    });
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->href, "../index.html");
    ASSERT_EQ(ui->fileDialogs.size(), 2u);
    EXPECT_EQ(ui->fileDialogs[0].initialFolder, "/home/u/web/sub/");
    EXPECT_EQ(ui->fileDialogs[0].filter,
              "HTML Document(*.htm;*.html;*.shtml)|*.htm;*.html;*.shtml|All(*.*)|*.*||");
    EXPECT_FALSE(ui->fileDialogs[0].save);
}

TEST_F(LinkDialog, AFileOnAnotherDriveIsRefusedAndHrefKeepsItsText) {
    ui->QueueFileName(QString("D:\\pic.html"));
    const auto fields = Run("C:\\web\\index.html", [](QDialog& d) {
        Type(Combo(d, kHref), "kept.html");
        Click(d, kBrowse);
        Click(d, kOk);
    });
    EXPECT_EQ(ui->MessageTexts(),
              QStringList{QStringLiteral("指定されたファイルは別のドライブに存在します。")});
    EXPECT_EQ(ui->fileDialogs[0].initialFolder, "C:\\web\\");
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->href, "kept.html");
}

TEST_F(LinkDialog, RepaintingKeepsWhatTheUserEntered) {
    Run("", [](QDialog& d) {
        Type(Combo(d, kHref), "mine.html");
        Click(d, kHrefOn);
        Click(d, kTargetOn);
        d.repaint();
        QCoreApplication::processEvents();
        EXPECT_FALSE(IsOn(d, kHrefOn));
        EXPECT_TRUE(IsOn(d, kTargetOn));
        EXPECT_EQ(Combo(d, kHref)->currentText(), "mine.html");
        EXPECT_EQ(Combo(d, kTarget)->count(), 2);
        Click(d, kCancel);
    });
}

TEST_F(LinkDialog, EnterInAFieldPressesOk) {
    const auto fields = Run("", [](QDialog& d) {
        Type(Combo(d, kHref), "enter.html");
        QTest::keyClick(Combo(d, kHref)->lineEdit(), Qt::Key_Return);
    });
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->href, "enter.html");
}

TEST_F(LinkDialog, CharactersOutsideShiftJisBecomeReferencesAndTheUserIsTold) {
    const auto fields = Run("", [](QDialog& d) {
        Combo(d, kHref)->lineEdit()->setText(QStringLiteral("\uD55C\u8868.html")); // 한 表
        Click(d, kOk);
    });
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->href, "&#xD55C;\x95\x5C.html");
    EXPECT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(Stored("href0"), "&#xD55C;\x95\x5C.html");
}

TEST_F(LinkDialog, F1ShowsTheTagDialogTopic) {
    CFakeHelpLibrary help("mode0");
    ui->SetProgramFolder(help.Folder());
    CHelpBinding::Instance().Bind();
    const int before = help.Calls();
    Run("", [](QDialog& d) {
        QTest::keyClick(Combo(d, kHref)->lineEdit(), Qt::Key_F1);
        Click(d, kCancel);
    });
    CHelpBinding::Instance().Release();
    EXPECT_EQ(help.Calls(), before + 1);
    EXPECT_EQ(help.LastTopic(), QByteArray("insdlg.html"));
    EXPECT_EQ(help.LastCommand(), 0);
}
