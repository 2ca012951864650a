#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <string>

using Utf8::SequenceAt;

TEST(Utf8, TakesEveryWellFormedCharacterWhole) {
    EXPECT_EQ(SequenceAt("a", 0), 1);
    EXPECT_EQ(SequenceAt("\xC2\xA5", 0), 2);          // ¥
    EXPECT_EQ(SequenceAt("\xE3\x81\x82", 0), 3);      // あ
    EXPECT_EQ(SequenceAt("x\xF0\x9F\x98\x80", 1), 4); // an emoji, after a letter
    EXPECT_EQ(SequenceAt("\xF4\x8F\xBF\xBF", 0), 4);  // U+10FFFF
}

TEST(Utf8, RefusesWhatIsNoCharacter) {
    for (const std::string bytes :
         {"\x80", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF0\x80\x80\xAF",
          "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xE3\x41\x82", "\xE3\x81\x41", "\x82\xA0"})
        EXPECT_EQ(SequenceAt(bytes, 0), 0) << testing::PrintToString(bytes);
}

TEST(Utf8, TellsACharacterCutOffByTheEndFromABrokenOne) {
    EXPECT_EQ(SequenceAt("\xE3\x81", 0), Utf8::kCutOff);
    EXPECT_EQ(SequenceAt("\xF0\x9F", 0), Utf8::kCutOff);
    EXPECT_EQ(SequenceAt("\xE3", 0), Utf8::kCutOff);
    // Broken before the end: no waiting for more bytes makes it a character.
    EXPECT_EQ(SequenceAt("\xED\xA0", 0), 0);
    EXPECT_EQ(SequenceAt("\xF0\x9F\x41", 0), 0);
}
