#include "editor/TextConversions.h"

#include <gtest/gtest.h>

#include <string>

using namespace TextConversions;

TEST(TextConversions, BrGoesInFrontOfEveryCrLfOnly) {
    EXPECT_EQ(BrAtLineEnds("a\r\nb"), "a<br>\r\nb");
    EXPECT_EQ(BrAtLineEnds("a\r\nb\r\n"), "a<br>\r\nb<br>\r\n");
    EXPECT_EQ(BrAtLineEnds("\r\n\r\n"), "<br>\r\n<br>\r\n");
    EXPECT_EQ(BrAtLineEnds("no line end"), "no line end");
    // A lone LF or CR is not a CR LF.
    EXPECT_EQ(BrAtLineEnds("a\nb\rc"), "a\nb\rc");
    EXPECT_EQ(BrAtLineEnds("a\r"), "a\r");
}

TEST(TextConversions, ReferencesReplaceAmpersandsFirst) {
    EXPECT_EQ(ToCharacterReferences("a<b>&c"), "a&lt;b&gt;&amp;c");
    EXPECT_EQ(ToCharacterReferences("&lt;"), "&amp;lt;");
    // Double-byte characters pass untouched.
    EXPECT_EQ(ToCharacterReferences("\x82\xa0<\x82\xa0"), "\x82\xa0&lt;\x82\xa0");
    EXPECT_EQ(ToCharacterReferences(""), "");
}

TEST(TextConversions, NextCloseIsAtOrAfterTheOffset) {
    const CTextSnapshot text("<a>b<c>");
    EXPECT_EQ(FindNextClose(text, 0), 2u);
    EXPECT_EQ(FindNextClose(text, 2), 2u);
    EXPECT_EQ(FindNextClose(text, 3), 6u);
    EXPECT_EQ(FindNextClose(text, 7), std::nullopt);
    EXPECT_EQ(FindNextClose(CTextSnapshot("abc"), 0), std::nullopt);
}

TEST(TextConversions, PreviousOpenIsStrictlyBeforeTheOffset) {
    const CTextSnapshot text("<a>b<c>");
    EXPECT_EQ(FindPrevOpen(text, 7), 4u);
    EXPECT_EQ(FindPrevOpen(text, 4), 0u);
    EXPECT_EQ(FindPrevOpen(text, 1), 0u);
    EXPECT_EQ(FindPrevOpen(text, 0), std::nullopt);
}

TEST(TextConversions, SearchesCrossTheWindowsOfALargeText) {
    std::string bytes(300000, 'x');
    bytes[5] = '<';
    bytes[299990] = '>';
    const CTextSnapshot text(bytes);
    EXPECT_EQ(FindNextClose(text, 10), 299990u);
    EXPECT_EQ(FindPrevOpen(text, 299000), 5u);
    EXPECT_EQ(FindPrevOpen(text, 5), std::nullopt);
}
