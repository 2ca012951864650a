#include "app/WeftpageApp.h"

#include "app/MainFrame.h"
#include "editor/WeftpageView.h"
#include "resources/CommandIds.h"
#include "tests/support/EditorFixture.h"

#include <QDialog>
#include <QLabel>
#include <QTest>

namespace {

class WeftpageApp : public CEditorFixture {};

} // namespace

TEST(CommandLine, ArgumentsAreJoinedWithBlanksAndLoseTheirQuotes) {
    EXPECT_EQ(CWeftpageApp::CommandLineOf({}), "");
    EXPECT_EQ(CWeftpageApp::CommandLineOf({"/tmp/my", "page.html"}), "/tmp/my page.html");
    EXPECT_EQ(CWeftpageApp::CommandLineOf({"\"/tmp/my page.html\""}), "/tmp/my page.html");
}

TEST_F(WeftpageApp, StartsWithTheDefaultPageAndTellsOnceThatHelpIsMissing) {
    CWeftpageApp app;
    bool visibleWhenTold = false;
    ui->onMessage = [&](const CPlatformUi::Message&) {
        visibleWhenTold = app.MainFrame() && app.MainFrame()->isVisible();
    };
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_EQ(app.MainFrame()->windowTitle(), QStringLiteral("無題 - Vuro"));
    EXPECT_EQ(app.MainFrame()->View()->GetSel().start, 21u);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("ヘルプ用DLLが見つかりません。"));
    EXPECT_EQ(ui->messages[0].buttons, CPlatformUi::Buttons::Ok);
    // Help commands then do nothing, and no image plug-in is missed aloud.
    app.Router().Execute(Cmd::kHelpContents);
    EXPECT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->opened.isEmpty());
    EXPECT_TRUE(visibleWhenTold);
    app.ExitInstance();
}

TEST_F(WeftpageApp, OpensAQuotedPathWithBlanksAndRemembersIt) {
    const QString path = FilePath("a page.html");
    WriteFile(path, "<p>x</p>");
    CWeftpageApp app;
    ASSERT_TRUE(app.InitInstance({"\"" + path.section(' ', 0, 0), path.section(' ', 1) + "\""}));
    EXPECT_EQ(app.MainFrame()->View()->GetText(), "<p>x</p>");
    EXPECT_EQ(app.MainFrame()->windowTitle(), path + " - Vuro");
    app.ExitInstance();
    CRecentFileList recent;
    recent.Load();
    ASSERT_FALSE(recent.Files().isEmpty());
    EXPECT_EQ(recent.Files().first(), path);
}

TEST_F(WeftpageApp, ACommandLineFileThatCannotBeOpenedEndsStartUp) {
    CWeftpageApp app;
    EXPECT_FALSE(app.InitInstance({FilePath("absent.html")}));
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->messages[0].text.contains("absent.html"));
}

TEST_F(WeftpageApp, AboutBoxShowsNameAndVersion) {
    CWeftpageApp app;
    ASSERT_TRUE(app.InitInstance({}));
    QStringList texts;
    QString title;
    ui->QueueDialog([&](QDialog& dialog) {
        title = dialog.windowTitle();
        for (QLabel* label : dialog.findChildren<QLabel*>())
            texts.append(label->text());
        dialog.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    app.Router().Execute(Cmd::kAbout);
    EXPECT_EQ(title, QStringLiteral("Vuroのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_TRUE(texts.contains("Vuro Version 0.95"));
    app.ExitInstance();
}
