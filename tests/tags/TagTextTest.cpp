#include "tags/TagText.h"

#include "resources/CommandIds.h"

#include <gtest/gtest.h>

#include <set>

TEST(PlainTags, TableHoldsEachPlainCommandOnceAndNoDialogOrEntityCommand) {
    std::set<int> commands;
    for (const CPlainTag& tag : PlainTags())
        EXPECT_TRUE(commands.insert(tag.command).second) << tag.command;
    EXPECT_EQ(commands, (std::set<int>{32774, 32778, 32777, 32780, 32781, 32783, 32793, 32811, 32858, 32859,
                                       32860, 32865, 32869, 32872, 32873, 32810, 32791, 32788}));
    EXPECT_EQ(FindPlainTag(Cmd::kTagLinkDlg), nullptr);
}

TEST(LinkTag, WritesSwitchedOnAttributesInTheOrderHrefNameTarget) {
    CLinkFields f;
    EXPECT_EQ(LinkTag(f), "<a>");
    f.hrefOn = true;
    f.href = "a.html";
    EXPECT_EQ(LinkTag(f), "<a href=\"a.html\">");
    f.targetOn = true;
    f.target = "main";
    f.nameOn = true;
    f.name = "n";
    f.href = "x.html";
    EXPECT_EQ(LinkTag(f), "<a href=\"x.html\" name=\"n\" target=\"main\">");
    // Switched-off values are not written; switched-on empty ones are, and nothing is escaped.
    f.nameOn = false;
    f.target.clear();
    f.href = "say \"hi\".html";
    EXPECT_EQ(LinkTag(f), "<a href=\"say \"hi\".html\" target=\"\">");
}

TEST(ImageTag, AlwaysWritesSrcThenTheSwitchedOnAttributes) {
    CImageFields f;
    EXPECT_EQ(ImageTag(f), "<img src=\"\">");
    f.src = "a.gif";
    f.borderOn = true;
    f.border = "0";
    f.altOn = true;
    EXPECT_EQ(ImageTag(f), "<img src=\"a.gif\" border=0 alt=\"\">");
    f.widthOn = f.heightOn = true;
    f.width = "1000";
    f.height = "12px";
    f.border = " 007";
    f.alt = "\x89\xE6\x91\x9C"; // 画像
    EXPECT_EQ(ImageTag(f), "<img src=\"a.gif\" width=1000 height=12 border=7 alt=\"\x89\xE6\x91\x9C\">");
    f.width = "abc";
    f.heightOn = f.borderOn = f.altOn = false;
    EXPECT_EQ(ImageTag(f), "<img src=\"a.gif\" width=0>");
}

TEST(ImageTag, AlignIsChosenByListPosition) {
    CImageFields f;
    f.alignOn = true;
    const std::pair<int, const char*> cases[] = {
        {0, "left"}, {1, "center"}, {2, "right"}, {-1, "right"}, {7, "right"}};
    for (const auto& [position, word] : cases) {
        f.alignPosition = position;
        EXPECT_EQ(ImageTag(f), std::string("<img src=\"\" align=\"") + word + "\">") << position;
    }
}
