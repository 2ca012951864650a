#include "settings/FkeyTable.h"

#include "settings/CommandBarText.h"
#include "tests/support/EditorFixture.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QFileInfo>

#include <map>
#include <sys/stat.h>

namespace {

class FkeyTable : public CEditorFixture {
protected:
    QString DataFile() const { return FilePath("vurofkey.dat"); }

    // One block of the file: key, kind, value, then the text field.
    static std::string Block(std::int32_t key, std::int32_t kind, std::int32_t value,
                             const std::string& text) {
        std::string b;
        for (std::int32_t v : {key, kind, value})
            for (int shift = 0; shift < 32; shift += 8)
                b.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> shift) & 0xFF));
        b += text.substr(0, 255);
        b.append(255 - std::min<std::size_t>(text.size(), 255), '\0');
        return b;
    }
    // The file of a table without bindings except the given blocks.
    static std::string FileWith(const std::map<int, std::string>& blocks) {
        std::string file;
        for (int i = 0; i < CFkeyTable::kRecords; ++i)
            file += blocks.count(i) ? blocks.at(i) : Block(i + 4, 0, 0, "");
        return file;
    }
};

} // namespace

TEST_F(FkeyTable, StartsWithEveryKeyUnboundAndKeysFourToFiftyOne) {
    CFkeyTable table;
    for (int i = 0; i < CFkeyTable::kRecords; ++i) {
        EXPECT_EQ(table.Record(i).key, i + 4);
        EXPECT_EQ(table.Record(i).kind, 0);
        EXPECT_EQ(table.GetText(i), "");
    }
    EXPECT_FALSE(table.Find(3));
    EXPECT_FALSE(table.Find(52));
    ASSERT_TRUE(table.Find(CFkeyTable::KeyCode(12, 3)));
    EXPECT_EQ(table.Find(51)->kind, 0);
    EXPECT_TRUE(table.FilePath().isEmpty());
    // Never loaded: nothing is written.
    EXPECT_TRUE(table.Save());
}

TEST_F(FkeyTable, AssignBindsTheFirstRecordOfTheKey) {
    CFkeyTable table;
    EXPECT_TRUE(table.Assign(CFkeyTable::KeyCode(5, 2), CFkeyTable::kText, 33, "<b>%1</b>"));
    const auto text = table.Find(22);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->kind, CFkeyTable::kText);
    EXPECT_EQ(text->value, 18); // its own position, whatever value was given
    EXPECT_EQ(table.GetText(18), "<b>%1</b>");
    EXPECT_TRUE(table.Assign(9, CFkeyTable::kCommand, 32797, "kept"));
    EXPECT_EQ(table.Find(9)->value, 32797);
    EXPECT_EQ(table.GetText(5), "kept");
    EXPECT_FALSE(table.Assign(60, CFkeyTable::kCommand, 1, "x"));
    EXPECT_EQ(table.GetText(-1), "");
    EXPECT_EQ(table.GetText(48), "");
}

TEST_F(FkeyTable, SavedFileHasFortyEightBlocksOfTheExactFormat) {
    CFkeyTable table;
    table.Load(DataFile());
    table.Assign(22, CFkeyTable::kText, 0, "<b>%1</b>");
    table.Assign(9, CFkeyTable::kCommand, 32797, "");
    ASSERT_TRUE(table.Save());
    const std::string file = ReadFile(DataFile());
    ASSERT_EQ(file.size(), 12816u);
    EXPECT_EQ(file, FileWith({{18, Block(22, 2, 18, "<b>%1</b>")}, {5, Block(9, 1, 32797, "")}}));
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(FkeyTable, ATextOfTwoHundredFiftyFiveBytesFillsItsFieldAndIsReadBackWhole) {
    const std::string full(253, 'a');
    const std::string text = full + "\x82\xa0"; // 255 bytes, ending in a double-byte character
    {
        CFkeyTable table;
        table.Load(DataFile());
        table.Assign(7, CFkeyTable::kText, 0, text);
    }
    const std::string file = ReadFile(DataFile());
    ASSERT_EQ(file.size(), 12816u);
    EXPECT_EQ(file.substr(3 * 267 + 12, 255), text);
    CFkeyTable again;
    again.Load(DataFile());
    EXPECT_EQ(again.GetText(3), text);
    EXPECT_EQ(again.Find(7)->kind, CFkeyTable::kText);
}

TEST_F(FkeyTable, LoadTakesTheTextToItsFirstNulWithoutTrailingBlanks) {
    WriteFile(DataFile(), FileWith({{0, Block(4, 2, 0, std::string("abc  \t\r\n\0zzz", 12))},
                                    {1, Block(5, 2, 1, "  lead")},
                                    {47, Block(51, 1, 32816, "")}}));
    CFkeyTable table;
    table.Load(DataFile());
    EXPECT_EQ(table.GetText(0), "abc");
    EXPECT_EQ(table.GetText(1), "  lead");
    EXPECT_EQ(table.Find(51)->value, 32816);
    EXPECT_EQ(table.FilePath(), DataFile());
}

TEST_F(FkeyTable, TheFileDecidesTheKeyOfEveryRecord) {
    WriteFile(DataFile(), FileWith({{5, Block(99, 1, 57600, "")}, {6, Block(99, 1, 57601, "")}}));
    CFkeyTable table;
    table.Load(DataFile());
    EXPECT_FALSE(table.Find(9));
    EXPECT_EQ(table.Find(99)->value, 57600); // the first record with the key
    EXPECT_TRUE(table.Assign(99, CFkeyTable::kText, 0, "t"));
    EXPECT_EQ(table.Find(99)->value, 5);
    EXPECT_EQ(table.Record(6).value, 57601);
}

TEST_F(FkeyTable, AShortFileGivesTheRecordsUpToTheFirstIncompleteOne) {
    const std::string file = FileWith({{0, Block(4, 1, 57600, "a")},
                                       {1, Block(5, 1, 57601, "b")},
                                       {2, Block(6, 1, 57603, "c")},
                                       {3, Block(7, 1, 57604, "d")}});
    // Records 0 and 1 whole, record 2 with one byte of its text.
    WriteFile(DataFile(), file.substr(0, 2 * 267 + 12 + 1));
    {
        CFkeyTable table;
        table.Load(DataFile());
        EXPECT_EQ(table.Find(5)->value, 57601);
        EXPECT_EQ(table.Find(6)->value, 57603);
        EXPECT_EQ(table.GetText(2), "c");
        EXPECT_EQ(table.Find(7)->kind, 0);
    }
    // Record 3's numbers cut short.
    WriteFile(DataFile(), file.substr(0, 3 * 267 + 7));
    CFkeyTable table;
    table.Load(DataFile());
    EXPECT_EQ(table.Find(6)->value, 57603);
    EXPECT_EQ(table.Find(7)->kind, 0);
    EXPECT_EQ(table.Record(3).key, 7);
}

TEST_F(FkeyTable, AMissingFileLeavesEveryKeyUnboundAndIsCreatedOnSave) {
    CFkeyTable table;
    table.Load(DataFile());
    EXPECT_EQ(table.Find(5)->kind, 0);
    EXPECT_TRUE(ui->messages.empty());
    ASSERT_TRUE(table.Save());
    // Records 0, 4, 8, ... (no modifier) are written too, unbound.
    EXPECT_EQ(ReadFile(DataFile()), FileWith({}));
}

TEST_F(FkeyTable, AFailedWriteIsTold) {
    const QString path = FilePath("gone/vurofkey.dat");
    CFkeyTable table;
    table.Load(path);
    EXPECT_TRUE(ui->messages.empty());
    table.Assign(5, CFkeyTable::kCommand, 57600, "");
    EXPECT_FALSE(table.Save());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("ファンクションキーの設定が書き込めません。"));
    EXPECT_EQ(ui->messages[0].icon, CPlatformUi::Icon::Stop);
}

TEST_F(FkeyTable, AFileThatExistsButCannotBeReadIsToldOnceAndNeverOverwritten) {
    QDir(m_dir.path()).mkpath("vurofkey.dat");
    {
        CFkeyTable table;
        table.Load(DataFile());
        table.Assign(5, CFkeyTable::kCommand, 57600, "");
        EXPECT_TRUE(table.Save());
    }
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(ui->messages[0].text.startsWith(
        QStringLiteral("ファンクションキーの設定ファイルを読み込めません。")));
    EXPECT_TRUE(ui->messages[0].text.contains(QStringLiteral("書き換えずに残します")));
    EXPECT_TRUE(QFileInfo(DataFile()).isDir());

    // A file without read permission, as an ordinary user sees it.
    const QString folder = FilePath("user");
    QDir().mkpath(folder);
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    ::chmod(QFile::encodeName(folder).constData(), 0777);
    const std::string bindings = FileWith({{1, Block(5, CFkeyTable::kText, 0, "keep me")}});
    WriteFile(folder + "/vurofkey.dat", bindings);
    ::chmod(QFile::encodeName(folder + "/vurofkey.dat").constData(), 0);
    EXPECT_EQ(Unprivileged::Run("FkeyTableChild.KeepsAFileItCannotRead", folder), "");
    ::chmod(QFile::encodeName(folder + "/vurofkey.dat").constData(), 0644);
    EXPECT_EQ(ReadFile(folder + "/vurofkey.dat"), bindings);
}

TEST(FkeyTableChild, KeepsAFileItCannotRead) {
    VURO_CHILD_ONLY();
    CScopedScriptedUi ui;
    const QString path = Unprivileged::ChildFolder() + "/vurofkey.dat";
    {
        CFkeyTable table;
        table.Load(path);
        EXPECT_EQ(ui->messages.size(), 1u);
        EXPECT_TRUE(ui->messages[0].text.contains(QStringLiteral("アクセスが拒否されました")));
        table.Assign(5, CFkeyTable::kCommand, 57600, "");
    }
    // The table's end (the program's exit) wrote nothing and said nothing more.
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(FkeyTable, CommandBarShowsTheFirstTenBytesOfTheBinding) {
    CFkeyTable table;
    EXPECT_EQ(CommandBarText(table, 1, 1), "");
    table.Assign(CFkeyTable::KeyCode(5, 2), CFkeyTable::kText, 0, "<b>%1</b>");
    table.Assign(CFkeyTable::KeyCode(2, 1), CFkeyTable::kCommand, 32797, "");
    table.Assign(CFkeyTable::KeyCode(3, 3), CFkeyTable::kText, 0, "0123456789abc");
    table.Assign(CFkeyTable::KeyCode(4, 3), CFkeyTable::kCommand, 32863, "");
    table.Assign(CFkeyTable::KeyCode(6, 3), CFkeyTable::kCommand, 12345, "");
    EXPECT_EQ(CommandBarText(table, 5, 2), "<b>%1</b>");
    EXPECT_EQ(CommandBarText(table, 5, 3), "");
    EXPECT_EQ(CommandBarText(table, 2, 1), QStringLiteral("環境設定"));
    EXPECT_EQ(CommandBarText(table, 3, 3), "0123456789");
    EXPECT_EQ(CommandBarText(table, 4, 3), QStringLiteral("<,>,&の変"));
    EXPECT_EQ(CommandBarText(table, 6, 3), "");
}

TEST(CommandBarCaption, ACutThroughADoubleByteCharacterLeavesItOut) {
    EXPECT_EQ(CutCaption("123456789\x82\xa0"), "123456789");
    EXPECT_EQ(CutCaption("12345678\x82\xa0x"), QStringLiteral("12345678あ"));
    EXPECT_EQ(CutCaption("\x8a\xc2\x8b\xab\x90\xdd\x92\xe8\x82\xcc\x95\xcf"), QStringLiteral("環境設定の"));
    EXPECT_EQ(CutCaption(""), "");
}
