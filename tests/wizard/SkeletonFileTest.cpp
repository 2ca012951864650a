#include "wizard/SkeletonFile.h"

#include "tests/wizard/WizardTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Icon = CPlatformUi::Icon;

std::string Record(const std::string& title, const std::string& comment, const std::string& sourceLines) {
    return title + "\r\n" + comment + "\r\n" + sourceLines + "&&&&&\r\n";
}

std::vector<std::string> Titles(const CSkelList& list) {
    std::vector<std::string> out;
    for (const CSkelItem& item : list)
        out.push_back(item.title);
    return out;
}

std::string ManyRecords(int n) {
    std::string bytes;
    for (int i = 0; i < n; ++i) {
        char title[8];
        std::snprintf(title, sizeof title, "t%02d", i);
        bytes += Record(title, "c", "<p>\r\n");
    }
    return bytes;
}

using SkeletonStore = CWizardFixture;

} // namespace

TEST(SkeletonText, ReadsRecordsOfTitleCommentSourceAndSeparator) {
    const CSkelParse p = ParseSkeletonText(Record("top", "simple page", "<html>\r\n</html>\r\n"));
    ASSERT_EQ(p.items.size(), 1u);
    EXPECT_EQ(p.items[0].title, "top");
    EXPECT_EQ(p.items[0].comment, "simple page");
    EXPECT_EQ(p.items[0].source, "<html>\r\n</html>\r\n");
    EXPECT_FALSE(p.leftOut);
}

TEST(SkeletonText, SortsTitlesByUnsignedBytesUpperCaseFirstAndPrefixFirst) {
    const std::string sjisTitle = "\x95\x5c"; // 表: lead byte above every ASCII title
    const CSkelParse p = ParseSkeletonText(Record("b", "", "") + Record("a", "", "") + Record("B", "", "") +
                                           Record(sjisTitle, "", "") + Record("ab", "", ""));
    EXPECT_EQ(Titles(p.items), (std::vector<std::string>{"B", "a", "ab", "b", sjisTitle}));
}

TEST(SkeletonText, ShortRecordsGiveEmptyFieldsAndEmptyTitlesAreDropped) {
    const CSkelParse p = ParseSkeletonText("only title\r\n&&&&&\r\n"
                                           "three\r\nlines\r\n&&&&&\r\n"
                                           "&&&&&\r\n" // two separators in a row
                                           "\r\nno title\r\nsource\r\n&&&&&\r\n");
    ASSERT_EQ(p.items.size(), 2u);
    EXPECT_EQ(p.items[0].title, "only title");
    EXPECT_EQ(p.items[0].comment, "");
    EXPECT_EQ(p.items[0].source, "");
    EXPECT_EQ(p.items[1].title, "three");
    EXPECT_EQ(p.items[1].comment, "lines");
    EXPECT_EQ(p.items[1].source, "");
    EXPECT_FALSE(p.leftOut); // empty titles are a way of deleting, not damage
}

TEST(SkeletonText, LfOnlyLineEndsGiveTheSameListAndSourcesEndInCrLf) {
    const CSkelParse crlf = ParseSkeletonText(Record("x", "y", "a\r\n\r\nb\r\n"));
    const CSkelParse lf = ParseSkeletonText("x\ny\na\n\nb\n&&&&&\n");
    EXPECT_EQ(lf.items, crlf.items);
    EXPECT_EQ(lf.items[0].source, "a\r\n\r\nb\r\n");
}

TEST(SkeletonText, KeepsBytesOtherThanTheLineEndExactly) {
    // A lone CR, a tab, a NUL and a double-byte character whose trail byte is "\".
    const std::string line = std::string("a\rb\tc", 5) + std::string(1, '\0') + "\x95\x5c";
    const CSkelParse p = ParseSkeletonText("t\r\nc\r\n" + line + "\r\n&&&&&\r\n");
    ASSERT_EQ(p.items.size(), 1u);
    EXPECT_EQ(p.items[0].source, line + "\r\n");
}

TEST(SkeletonText, DropsAnUnterminatedLastRecordAndSaysContentWasLeftOut) {
    const CSkelParse p = ParseSkeletonText(Record("kept", "", "") + "lost\r\ncomment\r\n<p>");
    EXPECT_EQ(Titles(p.items), std::vector<std::string>{"kept"});
    EXPECT_TRUE(p.leftOut);
    // Blank lines after the last separator are no loss.
    EXPECT_FALSE(ParseSkeletonText(Record("kept", "", "") + "\r\n\r\n").leftOut);
    // A separator without its line end still ends the record.
    EXPECT_EQ(ParseSkeletonText("t\r\nc\r\n&&&&&").items.size(), 1u);
}

TEST(SkeletonText, ReadsAtMostFiftyRecordsAndSaysTheRestWasLeftOut) {
    const CSkelParse exactly = ParseSkeletonText(ManyRecords(50));
    EXPECT_EQ(exactly.items.size(), 50u);
    EXPECT_FALSE(exactly.leftOut);
    const CSkelParse more = ParseSkeletonText(ManyRecords(53));
    EXPECT_EQ(more.items.size(), 50u);
    EXPECT_EQ(more.items.back().title, "t49");
    EXPECT_TRUE(more.leftOut);
    // Records with empty titles count towards the fifty (they are read, then dropped).
    const CSkelParse withEmpty = ParseSkeletonText("&&&&&\r\n" + ManyRecords(50));
    EXPECT_EQ(withEmpty.items.size(), 49u);
    EXPECT_TRUE(withEmpty.leftOut);
}

TEST(SkeletonText, WritesEveryItemInListOrderWithASeparatorLine) {
    const CSkelList list = {{"z", "last", "<p>\r\n"}, {"a", "", ""}};
    EXPECT_EQ(FormatSkeletonText(list), "z\r\nlast\r\n<p>\r\n&&&&&\r\na\r\n\r\n&&&&&\r\n");
    EXPECT_EQ(FormatSkeletonText({}), "");
}

TEST(SkeletonText, ALoadedListIsWrittenBackByteForByte) {
    const std::string file = Record("a", "one", "<html>\r\n\r\n</html>\r\n") + Record("b", "", "") +
                             Record("c", "\x95\x5c", "x\r\n");
    EXPECT_EQ(FormatSkeletonText(ParseSkeletonText(file).items), file);
}

TEST(SkeletonText, ASourceWithoutFinalLineEndGetsOneSoTheSeparatorStandsAlone) {
    const CSkelList list = {{"t", "c", "<p>\r\n</p>"}};
    const std::string bytes = FormatSkeletonText(list);
    EXPECT_EQ(bytes, "t\r\nc\r\n<p>\r\n</p>\r\n&&&&&\r\n");
    EXPECT_EQ(ParseSkeletonText(bytes).items[0].source, "<p>\r\n</p>\r\n");
}

TEST(SkeletonText, LineBreaksInTitleOrCommentCannotShiftTheFields) {
    const CSkelList list = {{"two\r\nlines", "a\nb", "s\r\n"}};
    const CSkelParse p = ParseSkeletonText(FormatSkeletonText(list));
    ASSERT_EQ(p.items.size(), 1u);
    EXPECT_EQ(p.items[0].title, "two  lines");
    EXPECT_EQ(p.items[0].comment, "a b");
    EXPECT_EQ(p.items[0].source, "s\r\n");
}

TEST(SkeletonText, FindsLinesThatWouldReadAsTheSeparator) {
    EXPECT_TRUE(HasSeparatorLine({"&&&&&", "", ""}));
    EXPECT_TRUE(HasSeparatorLine({"t", "&&&&&", ""}));
    EXPECT_TRUE(HasSeparatorLine({"t", "", "<p>\r\n&&&&&\r\n</p>\r\n"}));
    EXPECT_TRUE(HasSeparatorLine({"t", "", "&&&&&"}));
    EXPECT_FALSE(HasSeparatorLine({"t", "&&&&", "&&&&&&\r\n &&&&&\r\n"}));
}

TEST(SkeletonText, SplitsLinesAtLfDroppingOneCrBeforeIt) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(SplitTextLines("a\r\nb\nc"), (V{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines("a\r\r\n\r\n"), (V{"a\r", ""}));
    EXPECT_EQ(SplitTextLines(""), V{});
    EXPECT_EQ(SplitTextLines("\n"), V{""});
}

TEST(SkeletonText, TheShippedStoreReadsCompletelyAndWritesBackUnchanged) {
    QFile file(QStringLiteral(VURO_SHIPPED_SKELETONS));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string bytes = file.readAll().toStdString();
    const CSkelParse p = ParseSkeletonText(bytes);
    EXPECT_GE(p.items.size(), 3u);
    EXPECT_LE(p.items.size(), kMaxSkeletons);
    EXPECT_FALSE(p.leftOut);
    for (const CSkelItem& item : p.items) {
        EXPECT_FALSE(item.comment.empty()) << item.title;
        EXPECT_NE(item.source.find("</html>"), std::string::npos) << item.title;
    }
    // Stored sorted, so that saving it unchanged gives the same file.
    EXPECT_EQ(FormatSkeletonText(p.items), bytes);
}

TEST_F(SkeletonStore, LivesBesideTheProgram) {
    EXPECT_EQ(SkeletonFilePath(), QDir(ui->ProgramFolder()).filePath("vuroskel.dat"));
}

TEST_F(SkeletonStore, LoadsAndSavesTheFile) {
    WriteSkeletons(Record("b", "2", "<b>\r\n") + Record("a", "1", ""));
    CSkelList list;
    const CSkelLoadReport report = LoadSkeletonFile(list);
    EXPECT_TRUE(report.opened);
    EXPECT_FALSE(report.leftOut);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"a", "b"}));
    list.push_back({"new", "", "x"});
    EXPECT_TRUE(SaveSkeletonFile(list));
    EXPECT_EQ(ReadSkeletons(),
              Record("a", "1", "") + Record("b", "2", "<b>\r\n") + Record("new", "", "x\r\n"));
    EXPECT_TRUE(ui->messages.empty());
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(ui->ProgramFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"vuroskel.dat"});
}

TEST_F(SkeletonStore, AMissingFileIsToldWithTheStopIconAndGivesAnEmptyList) {
    CSkelList list = {{"stale", "", ""}};
    const CSkelLoadReport report = LoadSkeletonFile(list);
    EXPECT_FALSE(report.opened);
    EXPECT_TRUE(list.empty());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("スケルトン定義ファイルが開けません。"));
    EXPECT_EQ(ui->messages[0].icon, Icon::Stop);
}

TEST_F(SkeletonStore, AnUnreadableFileIsToldAndLeftAsItIs) {
    // Something that cannot be read as a file, whoever runs the test.
    QDir(ui->ProgramFolder()).mkpath("vuroskel.dat/inside");
    CSkelList list = {{"stale", "", ""}};
    EXPECT_FALSE(LoadSkeletonFile(list).opened);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(ui->MessageTexts(), QStringList{QStringLiteral("スケルトン定義ファイルが開けません。")});
    // Saving over it fails and says so; what is there stays.
    EXPECT_FALSE(SaveSkeletonFile({{"new", "", ""}}, true));
    EXPECT_TRUE(QFileInfo(SkeletonPath() + "/inside").isDir());
    EXPECT_EQ(ui->messages.size(), 2u);
}

TEST_F(SkeletonStore, AFileWithoutReadPermissionIsToldAndLeftAsItIs) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const std::string bytes = Record("mine", "", "");
    WriteSkeletons(bytes);
    ::chmod(QFile::encodeName(SkeletonPath()).constData(), 0);
    CSkelList list;
    EXPECT_FALSE(LoadSkeletonFile(list).opened);
    EXPECT_EQ(ui->MessageTexts(), QStringList{QStringLiteral("スケルトン定義ファイルが開けません。")});
    // Replacing it keeps the unread file aside.
    EXPECT_TRUE(SaveSkeletonFile({{"new", "", ""}}, true));
    ::chmod(QFile::encodeName(SkeletonBackupPath()).constData(), 0644);
    EXPECT_EQ(ReadFile(SkeletonBackupPath()), bytes);
}

TEST_F(SkeletonStore, ReadsTheShippedCopyUntilTheUserHasOwnFile) {
    // An installed program: its folder is read-only, the user's store lives elsewhere.
    QDir(m_dir.path()).mkpath("program");
    const QString program = m_dir.filePath("program");
    WriteFile(program + "/vuroskel.dat", Record("shipped", "", ""));
    ::chmod(QFile::encodeName(program).constData(), 0555);
    ui->SetProgramFolder(program);
    if (QFileInfo(program).isWritable()) {
        ::chmod(QFile::encodeName(program).constData(), 0755);
        GTEST_SKIP() << "root writes every folder";
    }
    EXPECT_NE(SkeletonFilePath(), program + "/vuroskel.dat");
    QFile::remove(SkeletonFilePath());
    CSkelList list;
    EXPECT_TRUE(LoadSkeletonFile(list).opened);
    EXPECT_EQ(Titles(list), std::vector<std::string>{"shipped"});
    list.push_back({"own", "", ""});
    EXPECT_TRUE(SaveSkeletonFile(list));
    LoadSkeletonFile(list);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"own", "shipped"}));
    EXPECT_EQ(ReadFile(program + "/vuroskel.dat"), Record("shipped", "", ""));
    QFile::remove(SkeletonFilePath());
    ::chmod(QFile::encodeName(program).constData(), 0755);
}

TEST_F(SkeletonStore, AFailedWriteKeepsTheOldFileWholeAndIsTold) {
    const std::string old = Record("old", "", "");
    WriteSkeletons(old);
    bool saved = true;
    {
        CFileSizeLimit full(64);
        saved = SaveSkeletonFile({{"new", "", std::string(1000, 'x')}});
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadSkeletons(), old);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->messages[0].text.contains(SkeletonPath()));
    EXPECT_EQ(ui->messages[0].icon, Icon::Warning);
    EXPECT_EQ(QDir(ui->ProgramFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"vuroskel.dat"});
}

TEST_F(SkeletonStore, AFailedWriteAfterMovingTheOldFileAsidePutsItBack) {
    const std::string old = ManyRecords(51);
    WriteSkeletons(old);
    bool saved = true;
    {
        CFileSizeLimit full(64);
        saved = SaveSkeletonFile({{"new", "", std::string(1000, 'x')}}, true);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadSkeletons(), old);
    EXPECT_FALSE(QFileInfo::exists(SkeletonBackupPath()));
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(SkeletonStore, KeepsTheReplacedFileAsABackupWhenAsked) {
    const std::string old = ManyRecords(51);
    WriteSkeletons(old);
    EXPECT_TRUE(SaveSkeletonFile({{"new", "", ""}}, true));
    EXPECT_EQ(ReadSkeletons(), Record("new", "", ""));
    EXPECT_EQ(ReadFile(SkeletonBackupPath()), old);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->messages[0].text.contains(SkeletonBackupPath()));
    // Without an old file there is nothing to keep and nothing to say.
    QFile::remove(SkeletonPath());
    QFile::remove(SkeletonBackupPath());
    EXPECT_TRUE(SaveSkeletonFile({}, true));
    EXPECT_FALSE(QFileInfo::exists(SkeletonBackupPath()));
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(SkeletonStore, WhenTheOldFileCannotBeKeptNothingIsWritten) {
    const std::string old = Record("old", "", "");
    WriteSkeletons(old);
    // A folder where the backup should go makes moving the old file aside fail.
    QDir(ui->ProgramFolder()).mkpath("vuroskel.bak/inside");
    EXPECT_FALSE(SaveSkeletonFile({{"new", "", ""}}, true));
    EXPECT_EQ(ReadSkeletons(), old);
    EXPECT_EQ(ui->messages.size(), 1u);
}
