#include "editor/ViewRules.h"

#include <gtest/gtest.h>

using namespace ViewRules;

TEST(TemplateText, SelectionGoesWhereThePlaceholderStandsAndTheCaretAfterIt) {
    const auto r = ExpandTemplate("<b>%1</b>", "abc");
    EXPECT_EQ(r.text, "<b>abc</b>");
    EXPECT_EQ(r.caret, 6u); // before "</b>"
}

TEST(TemplateText, WithoutPlaceholderTheSelectionIsReplacedAndTheCaretGoesToTheEnd) {
    const auto r = ExpandTemplate("<hr>", "anything");
    EXPECT_EQ(r.text, "<hr>");
    EXPECT_EQ(r.caret, 4u);
}

TEST(TemplateText, EmptySelectionLeavesTheCaretBetweenTheTags) {
    const auto r = ExpandTemplate("<i>%1</i>", "");
    EXPECT_EQ(r.text, "<i></i>");
    EXPECT_EQ(r.caret, 3u);
}

TEST(TemplateText, SeveralPlaceholdersAllTakeTheSelectionAndTheCaretFollowsTheFirst) {
    const auto r = ExpandTemplate("<a href=\"%1\">%1</a>", "x.html");
    EXPECT_EQ(r.text, "<a href=\"x.html\">x.html</a>");
    EXPECT_EQ(r.caret, 15u);
    // With an empty selection the caret must still lie inside the inserted text.
    const auto empty = ExpandTemplate("a%1b%1c", "");
    EXPECT_EQ(empty.text, "abc");
    EXPECT_EQ(empty.caret, 1u);
}

TEST(TemplateText, DoubleByteSelectionIsCountedInBytes) {
    const std::string kanji = "\x93\xfa\x96\x7b"; // 日本
    const auto r = ExpandTemplate("<b>%1</b>", kanji);
    EXPECT_EQ(r.caret, 3u + 4u);
}

TEST(AutoScroll, BandsNearTheEdgesGiveTheirSteps) {
    const int bottom = 400;
    EXPECT_EQ(AutoScrollStep(399, bottom), 3);
    EXPECT_EQ(AutoScrollStep(351, bottom), 3);
    EXPECT_EQ(AutoScrollStep(350, bottom), 1);
    EXPECT_EQ(AutoScrollStep(301, bottom), 1);
    EXPECT_EQ(AutoScrollStep(300, bottom), 0);
    EXPECT_EQ(AutoScrollStep(200, bottom), 0);
    EXPECT_EQ(AutoScrollStep(100, bottom), 0);
    EXPECT_EQ(AutoScrollStep(99, bottom), -1);
    EXPECT_EQ(AutoScrollStep(50, bottom), -1);
    EXPECT_EQ(AutoScrollStep(49, bottom), -3);
    EXPECT_EQ(AutoScrollStep(0, bottom), -3);
}

TEST(DragRules, OnlyAPressInsideANonEmptySelectionStartsADrag) {
    EXPECT_TRUE(StartsDrag(2, 5, 2));
    EXPECT_TRUE(StartsDrag(2, 5, 5));
    EXPECT_FALSE(StartsDrag(2, 5, 6));
    EXPECT_FALSE(StartsDrag(3, 3, 3));
}

TEST(DragRules, DroppingPastTheSelectionIsCorrectedByItsLength) {
    // "one two three": "two" (4..7) dropped at 13, the end of the text
    const auto a = DropAction(4, 7, 13, 13);
    EXPECT_EQ(a.kind, CDropAction::Kind::Move);
    EXPECT_EQ(a.offset, 10u);
    const auto before = DropAction(4, 7, 1, 13);
    EXPECT_EQ(before.kind, CDropAction::Kind::Move);
    EXPECT_EQ(before.offset, 1u);
}

TEST(DragRules, DroppingInsideTheSelectionOnlyPlacesTheCaretAndBeyondTheTextDoesNothing) {
    EXPECT_EQ(DropAction(4, 7, 5, 13).kind, CDropAction::Kind::PlaceCaret);
    EXPECT_EQ(DropAction(4, 7, 5, 13).offset, 5u);
    EXPECT_EQ(DropAction(4, 7, 14, 13).kind, CDropAction::Kind::Nothing);
    EXPECT_EQ(DropAction(4, 7, static_cast<std::size_t>(-1), 13).kind, CDropAction::Kind::Nothing);
}
