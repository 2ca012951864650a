#include "platform/RelativePath.h"

#include "tests/support/ScriptedUi.h"

#include <gtest/gtest.h>

TEST(RelativePath, ClimbsAsLittleAsPossibleThenDescends) {
    EXPECT_EQ(MakeRelativePath("C:\\web\\index.html", "C:\\web\\img\\a.gif"), "img/a.gif");
    EXPECT_EQ(MakeRelativePath("C:\\web\\sub\\page.html", "C:\\web\\index.html"), "../index.html");
    EXPECT_EQ(MakeRelativePath("C:\\web\\a\\x.html", "C:\\web\\b\\y.html"), "../b/y.html");
    EXPECT_EQ(MakeRelativePath("C:\\w\\a\\b\\x.html", "C:\\w\\y.html"), "../../y.html");
    EXPECT_EQ(MakeRelativePath("C:\\web\\x.html", "C:\\web\\y.html"), "y.html");
}

TEST(RelativePath, WorksOnLinuxPathsAndJapaneseFolderNames) {
    EXPECT_EQ(MakeRelativePath("/home/u/site/index.html", "/home/u/site/img/logo.png"), "img/logo.png");
    EXPECT_EQ(MakeRelativePath(QStringLiteral("/home/u/表/sub/a.html"), QStringLiteral("/home/u/表/b.html")),
              "../b.html");
    EXPECT_EQ(MakeRelativePath("/srv/a/x.html", "/opt/y.html"), "../../opt/y.html");
}

TEST(RelativePath, FoldersDifferingInCaseAreDifferent) {
    EXPECT_EQ(MakeRelativePath("C:\\Web\\x.html", "C:\\web\\y.html"), "../web/y.html");
}

TEST(RelativePath, ResolvingClimbsForDotDotAndDropsDot) {
    EXPECT_EQ(ResolveRelativePath("C:\\web\\sub\\page.html", "../img/a.gif", '\\'), "C:\\web\\img\\a.gif");
    EXPECT_EQ(ResolveRelativePath("C:\\web\\sub\\page.html", "./a.html", '\\'), "C:\\web\\sub\\a.html");
    EXPECT_EQ(ResolveRelativePath("C:\\web\\sub\\page.html", "a.html", '\\'), "C:\\web\\sub\\a.html");
    EXPECT_EQ(ResolveRelativePath("C:\\a.html", "../../x.html", '\\'), "\\..\\x.html");
    EXPECT_EQ(ResolveRelativePath("/home/u/site/sub/page.html", "../img/a.gif"), "/home/u/site/img/a.gif");
    EXPECT_EQ(ResolveRelativePath("/home/u/p.html", "./././q.html"), "/home/u/q.html");
}

TEST(RelativePath, BackslashIsPartOfALinuxFileName) {
    EXPECT_EQ(MakeRelativePath("/w/index.html", "/w/a\\b.gif"), "a\\b.gif");
    EXPECT_EQ(MakeRelativePath("/w/x\\y/index.html", "/w/b.gif"), "../b.gif");
    EXPECT_EQ(ResolveRelativePath("/w/sub/p.html", "a\\b.html"), "/w/sub/a\\b.html");
    EXPECT_EQ(ResolveRelativePath("/w/sub/p.html", "..\\b.html"), "/w/sub/..\\b.html");
    // Windows-style paths keep both separators.
    EXPECT_EQ(MakeRelativePath("C:\\w\\index.html", "C:\\w\\a\\b.gif"), "a/b.gif");
    EXPECT_EQ(ResolveRelativePath("C:\\w\\p.html", "img\\a.gif", '\\'), "C:\\w\\img\\a.gif");
}

TEST(RelativePath, ResolvingAboveTheRootOfALinuxPathFails) {
    EXPECT_EQ(ResolveRelativePath("/w/p.html", "../../x.html"), std::nullopt);
    EXPECT_EQ(ResolveRelativePath("/p.html", "../x.html"), std::nullopt);
    EXPECT_EQ(ResolveRelativePath("/w/p.html", "a/../../../x.html"), std::nullopt);
    EXPECT_EQ(ResolveRelativePath("/w/p.html", "../x.html"), "/x.html");
    EXPECT_EQ(ResolveRelativePath("/w/p.html", "a/../../x.html"), "/w/a/../../x.html");
}

TEST(RelativePath, DrivesDifferOnlyBetweenDriveLetterPaths) {
    EXPECT_TRUE(IsOnOtherDrive("C:\\web\\index.html", "D:\\pic.gif"));
    EXPECT_FALSE(IsOnOtherDrive("C:\\web\\index.html", "C:\\pic.gif"));
    EXPECT_FALSE(IsOnOtherDrive("/home/u/index.html", "/mnt/usb/pic.gif"));
}

TEST(RelativePath, BrowseRefusesAnotherDriveAndGivesARelativePathOtherwise) {
    CScopedScriptedUi ui;
    ui->QueueFileName(QString("D:\\pic.gif"));
    EXPECT_EQ(BrowseRelative("C:\\web\\index.html", "All(*.*)|*.*||"), std::nullopt);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("指定されたファイルは別のドライブに存在します。"));
    EXPECT_EQ(ui->messages[0].icon, CPlatformUi::Icon::Warning);

    ui->QueueFileName(QString("/home/u/site/img/a.gif"));
    EXPECT_EQ(BrowseRelative("/home/u/site/index.html", "All(*.*)|*.*||", "/home/u/site/"), "img/a.gif");
    EXPECT_EQ(ui->fileDialogs.back().initialFolder, "/home/u/site/");
    ui->QueueFileName(std::nullopt);
    EXPECT_EQ(BrowseRelative("/home/u/site/index.html", "All(*.*)|*.*||"), std::nullopt);
    // Without a saved page there is nothing to be relative to.
    EXPECT_EQ(BrowseRelative("", "All(*.*)|*.*||"), std::nullopt);
    EXPECT_EQ(ui->fileDialogs.size(), 3u);
}

TEST(RelativePath, BrowseAsksBeforeWritingANameThatShiftJisWouldChange) {
    CScopedScriptedUi ui;
    const QString wave = QStringLiteral("/home/u/site/a\u301Cb.gif");
    ui->QueueFileName(wave);
    ui->QueueAnswer(CPlatformUi::Answer::No);
    QString chosen = "untouched";
    EXPECT_EQ(BrowseRelative("/home/u/site/index.html", "All(*.*)|*.*||", {}, &chosen), std::nullopt);
    EXPECT_EQ(chosen, "untouched");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->messages[0].text.contains(QChar(0x301C)));
    EXPECT_EQ(ui->messages[0].buttons, CPlatformUi::Buttons::YesNo);
    EXPECT_EQ(ui->messages[0].defaultButton, 2);

    ui->QueueFileName(QStringLiteral("/home/u/site/\u00A5.gif"));
    ui->QueueAnswer(CPlatformUi::Answer::Yes);
    EXPECT_EQ(BrowseRelative("/home/u/site/index.html", "All(*.*)|*.*||"), QStringLiteral("\u00A5.gif"));
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_TRUE(ui->messages[1].text.contains(QChar(0x00A5)));

    // Names CP932 holds exactly, Japanese ones included, go in without a question.
    ui->QueueFileName(QStringLiteral("/home/u/site/\u8868\uFF5E.gif"));
    EXPECT_EQ(BrowseRelative("/home/u/site/index.html", "All(*.*)|*.*||"),
              QStringLiteral("\u8868\uFF5E.gif"));
    EXPECT_EQ(ui->messages.size(), 2u);
}
