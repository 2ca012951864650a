#include "tags/HistoryList.h"

#include "tests/support/EditorFixture.h"

namespace {

using Entries = std::array<std::string, CHistoryList::kLength>;

class HistoryList : public CEditorFixture {
protected:
    void Store(const Entries& entries) {
        for (std::size_t i = 0; i < entries.size(); ++i)
            Profile().PutString("InsADlg", "href" + QString::number(i), entries[i]);
    }
};

} // namespace

TEST_F(HistoryList, ANewTextPushesTheOldestOut) {
    Store({"a", "b", "c", "d", "e"});
    CHistoryList list("InsADlg", "href");
    list.Push("f");
    EXPECT_EQ(list.Entries(), (Entries{"f", "a", "b", "c", "d"}));
}

TEST_F(HistoryList, AKnownTextMovesToTheFrontOnce) {
    Store({"a", "b", "c", "d", "e"});
    CHistoryList list("InsADlg", "href");
    list.Push("c");
    EXPECT_EQ(list.Entries(), (Entries{"c", "a", "b", "d", "e"}));
    list.Push("e");
    EXPECT_EQ(list.Entries(), (Entries{"e", "c", "a", "b", "d"}));
    list.Push("e");
    EXPECT_EQ(list.Entries(), (Entries{"e", "c", "a", "b", "d"}));
    // The comparison is exact.
    list.Push("E");
    EXPECT_EQ(list.Entries(), (Entries{"E", "e", "c", "a", "b"}));
    list.Push("");
    EXPECT_EQ(list.Entries()[0], "E");
}

TEST_F(HistoryList, DefaultsFillOnlyEmptyEntriesAndEmptyOnesStayInPlace) {
    Store({"", "mine", "", "", ""});
    CHistoryList list("InsADlg", "href");
    list.SetDefault(0, "./index.html");
    list.SetDefault(1, "../index.html");
    EXPECT_EQ(list.Entries(), (Entries{"./index.html", "mine", "", "", ""}));
    EXPECT_EQ(list.Filled(), (std::vector<std::string>{"./index.html", "mine"}));
    list.Push("x");
    EXPECT_EQ(list.Entries(), (Entries{"x", "./index.html", "mine", "", ""}));
}

TEST_F(HistoryList, SavesAllFiveEntriesAsCp932Text) {
    CHistoryList list("InsImgDlg", "src");
    list.Push("\x89\xE6\x91\x9C.gif"); // 画像.gif
    list.Save();
    EXPECT_EQ(Profile().GetString("InsImgDlg", "src0", "?"), "\x89\xE6\x91\x9C.gif");
    EXPECT_EQ(Profile().GetString("InsImgDlg", "src4", "?"), "");
    EXPECT_EQ(CHistoryList("InsImgDlg", "src").Entries()[0], "\x89\xE6\x91\x9C.gif");
}
