#include "editor/TextSearch.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::size_t> Find(const std::string& text, const std::string& pattern, std::size_t from,
                                CSearchOptions o = {}) {
    const auto m = FindText(CTextSnapshot(text), pattern, from, o);
    if (!m)
        return std::nullopt;
    return m->start;
}

} // namespace

TEST(TextSearch, FindsForwardFromTheCaretAndWrapsAround) {
    const std::string text = "abc abc abc";
    EXPECT_EQ(Find(text, "abc", 0), 0u);
    EXPECT_EQ(Find(text, "abc", 1), 4u);
    EXPECT_EQ(Find(text, "abc", 9), 0u);
    CSearchOptions noWrap;
    noWrap.wrapAround = false;
    EXPECT_EQ(Find(text, "abc", 9, noWrap), std::nullopt);
}

TEST(TextSearch, FindsBackwardMatchesThatEndBeforeTheCaret) {
    CSearchOptions back;
    back.forward = false;
    const std::string text = "abc abc abc";
    EXPECT_EQ(Find(text, "abc", 11, back), 8u);
    EXPECT_EQ(Find(text, "abc", 8, back), 4u);
    EXPECT_EQ(Find(text, "abc", 2, back), 8u); // wraps to the end
    back.wrapAround = false;
    EXPECT_EQ(Find(text, "abc", 2, back), std::nullopt);
}

TEST(TextSearch, NeverMatchesTheSecondByteOfADoubleByteCharacter) {
    // 0x81 0x40 is the ideographic space, 0x83 0x41 is "ア": their trail bytes are "@" and "A".
    const std::string text = "\x81\x40\x83\x41 A@";
    EXPECT_EQ(Find(text, "@", 0), 6u);
    EXPECT_EQ(Find(text, "A", 0), 5u);
    CSearchOptions caseBlind;
    EXPECT_EQ(Find(text, "a", 0, caseBlind), 5u);
}

TEST(TextSearch, CaseBlindSearchFoldsOnlySingleByteLetters) {
    CSearchOptions exact;
    exact.matchCase = true;
    EXPECT_EQ(Find("Body body", "body", 0, exact), 5u);
    EXPECT_EQ(Find("Body body", "BODY", 0), 0u);
    // 0x82 0x60 is "Ａ" and 0x82 0x81 is "ａ": different characters, never folded.
    EXPECT_EQ(Find("\x82\x60", "\x82\x81", 0), std::nullopt);
}

TEST(TextSearch, WholeWordsAreBoundedByNonWordCharacters) {
    CSearchOptions word;
    word.wholeWord = true;
    EXPECT_EQ(Find("table td tdx", "td", 0, word), 6u);
    EXPECT_EQ(Find("<td>", "td", 0, word), 1u);
    EXPECT_EQ(Find("xtd", "td", 0, word), std::nullopt);
}

TEST(TextSearch, DoesNotMatchAcrossLineBreaksAndFindsOnEveryKindOfLine) {
    EXPECT_EQ(Find("ab\r\ncd", "bc", 0), std::nullopt);
    EXPECT_EQ(Find("x\ry\nz\r\nkey", "key", 0), 7u);
    EXPECT_EQ(Find("key\rx", "key", 1), 0u);
}

TEST(TextSearch, FindAllGivesNonOverlappingMatchesInOrder) {
    const auto all = FindAll(CTextSnapshot(std::string("aaaa\r\naa")), "aa", {});
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].start, 0u);
    EXPECT_EQ(all[1].start, 2u);
    EXPECT_EQ(all[2].start, 6u);
}

TEST(TextSearch, ReplaceTakesTheSelectionOnlyWhenItIsItselfAMatch) {
    const CTextSnapshot text(std::string("Table tab\x83\x65"
                                         "ab"));
    EXPECT_TRUE(IsMatch(text, "tab", 0, 3, {}));
    EXPECT_FALSE(IsMatch(text, "tab", 0, 3, CSearchOptions{.matchCase = true}));
    EXPECT_FALSE(IsMatch(text, "tab", 0, 2, {}));
    EXPECT_FALSE(IsMatch(text, "tab", 1, 4, {}));
    // A backward, wrapping dialog still asks about the selection where it stands.
    EXPECT_TRUE(IsMatch(text, "tab", 6, 9, CSearchOptions{.forward = false}));
    // "ab" inside テ's trail byte is no match.
    EXPECT_FALSE(IsMatch(text, "eab", 10, 13, {}));
}

TEST(TextSearch, ReplaceAllIsOneSpanFromTheFirstMatchToTheLastKeepingWhatLiesBetween) {
    const CTextSnapshot text(std::string("<TD>a</TD>\r\n<TD>b"));
    const auto change = ReplaceAllIn(text, "td", "th", {});
    ASSERT_TRUE(change);
    EXPECT_EQ(change->start, 1u);
    EXPECT_EQ(change->end, 15u);
    EXPECT_EQ(change->bytes, "th>a</th>\r\n<th");
    EXPECT_FALSE(ReplaceAllIn(text, "tr", "th", {}));
}
