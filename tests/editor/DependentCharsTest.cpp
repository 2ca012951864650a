#include "editor/DependentChars.h"

#include <gtest/gtest.h>

#include <string>

using namespace DependentChars;

TEST(DependentChars, VendorRowsAndTheUserAreaCountOnlyAsWholeCharacters) {
    EXPECT_EQ(KindOf(0x8740), Kind::Vendor); // circled 1
    EXPECT_EQ(KindOf(0x8754), Kind::Vendor); // roman numeral 1
    EXPECT_EQ(KindOf(0xED40), Kind::Vendor); // NEC-selected IBM extension
    EXPECT_EQ(KindOf(0xFA40), Kind::Vendor); // IBM extension
    EXPECT_EQ(KindOf(0xFC4B), Kind::Vendor); // the last IBM extension
    EXPECT_EQ(KindOf(0xF040), Kind::UserDefined);
    EXPECT_EQ(KindOf(0xF9FC), Kind::UserDefined);
    EXPECT_EQ(KindOf(0x82A0), Kind::None); // hiragana
    EXPECT_EQ(KindOf(0x889F), Kind::None); // JIS X 0208 kanji
    // Unassigned codes and invalid trail bytes are no characters.
    EXPECT_EQ(KindOf(0x879F), Kind::None);
    EXPECT_EQ(KindOf(0xFC4C), Kind::None);
    EXPECT_EQ(KindOf(0x8720), Kind::None);
}

TEST(DependentChars, AByteThatLooksLikeALeadIsNotOneAfterALeadByte) {
    // 0x81 0x87 is "∞"; the 0x87 is its trail byte, not the start of a NEC character.
    const std::string bytes = "\x81\x87\x40";
    EXPECT_EQ(KindAt(bytes, 0), Kind::None);
    const CTextSnapshot text(bytes);
    EXPECT_EQ(FindNext(text, 0), std::nullopt);
}

TEST(DependentChars, NextOneIsFoundAfterTheCaretAndWrapsAround) {
    // a ① b ㈱ c
    const CTextSnapshot text("a\x87\x40"
                             "b\x87\x8A"
                             "c");
    EXPECT_EQ(FindNext(text, 0), 1u);
    EXPECT_EQ(FindNext(text, 3), 4u);
    EXPECT_EQ(FindNext(text, 6), 1u);
    EXPECT_EQ(FindNext(text, 7), 1u);
    EXPECT_EQ(FindNext(CTextSnapshot("plain \x82\xa0"), 0), std::nullopt);
    EXPECT_EQ(FindNext(CTextSnapshot(""), 0), std::nullopt);
}

TEST(DependentChars, SearchKeepsInStepWithCharactersAcrossItsWindows) {
    // Double-byte characters whose trail bytes look like vendor leads fill the text, so a
    // search that lost step at a window edge would report a false hit.
    std::string bytes;
    while (bytes.size() < 200000)
        bytes += "\x81\xFA"; // "♪", trail 0xFA
    bytes += "\xFA\x40";     // a real IBM extension
    const CTextSnapshot text(bytes);
    EXPECT_EQ(FindNext(text, 0), 200000u);
    EXPECT_EQ(FindNext(text, 200002), 200000u);
    const CTextSnapshot shifted("x" + bytes);
    EXPECT_EQ(FindNext(shifted, 0), 200001u);
}

TEST(DependentChars, ConversionWritesHexReferencesAndKeepsTheRest) {
    EXPECT_EQ(ToHexReferences("\x87\x40"), "&#x2460;");                 // ①
    EXPECT_EQ(ToHexReferences("\x87\x54\x87\x8A"), "&#x2160;&#x3231;"); // Ⅰ㈱
    EXPECT_EQ(ToHexReferences("\xFA\xB1"), "&#xFA11;");                 // 﨑
    EXPECT_EQ(ToHexReferences("\xED\x95"), "&#xFA11;");                 // 﨑 at its NEC-selected code
    // Ordinary characters, text and markup stay; user-defined characters stay too.
    EXPECT_EQ(ToHexReferences("<p>\x82\xa0\xF0\x40x</p>"), "<p>\x82\xa0\xF0\x40x</p>");
    // A trail byte that equals a vendor lead is part of its own character.
    EXPECT_EQ(ToHexReferences("\x81\x87\x40"), "\x81\x87\x40");
    // A lead byte cut off at the end stays as it is.
    EXPECT_EQ(ToHexReferences("a\x87"), "a\x87");
}
