#include "wizard/FramePageText.h"

#include <gtest/gtest.h>

TEST(FramePageText, StartStateIsTwoColumnsWithEmptyFramesAndNoFinalLineEnd) {
    EXPECT_EQ(ComposeFramePage(CFramePageInput()),
              "<html><head>\r\n<title></title>\r\n</head>\r\n<frameset cols=\"*,*\">\r\n"
              "\t<frame src=\"\" name=\"\">\r\n\t<frame src=\"\" name=\"\">\r\n"
              "\t<noframes>\r\n\t<body>\r\n\t\r\n\t</body>\r\n\t</noframes>\r\n</frameset>\r\n</html>");
}

TEST(FramePageText, VerticalSplitUsesRowsAndEmptySizesBecomeStars) {
    CFramePageInput in;
    in.title = "T";
    in.direction = 1;
    in.count = 3;
    in.frames[0].size = "100";
    in.frames[2].size = "*";
    const std::string page = ComposeFramePage(in);
    EXPECT_NE(page.find("<title>T</title>\r\n</head>\r\n<frameset rows=\"100,*,*\">\r\n"), std::string::npos);
}

TEST(FramePageText, WritesOnlyTheFramesUpToTheCountWithTheirOptions) {
    CFramePageInput in;
    in.count = 2;
    in.frames[0] = {"20%", "a.html", "main", " marginheight=5 scrolling=\"no\" noresize"};
    in.frames[1] = {"", "b.html", "", ""};
    in.frames[2] = {"9", "c.html", "third", ""};
    in.frames[3] = {"9", "d.html", "fourth", ""};
    const std::string page = ComposeFramePage(in);
    EXPECT_NE(page.find("<frameset cols=\"20%,*\">\r\n"
                        "\t<frame src=\"a.html\" name=\"main\" marginheight=5 scrolling=\"no\" noresize>\r\n"
                        "\t<frame src=\"b.html\" name=\"\">\r\n\t<noframes>"),
              std::string::npos);
    EXPECT_EQ(page.find("c.html"), std::string::npos);
    in.count = 4;
    EXPECT_NE(ComposeFramePage(in).find("cols=\"20%,*,9,9\""), std::string::npos);
    EXPECT_NE(ComposeFramePage(in).find("\t<frame src=\"d.html\" name=\"fourth\">\r\n"), std::string::npos);
}

TEST(FramePageText, CountIsALeadingNumberHeldWithinTwoToFour) {
    EXPECT_EQ(FrameCountOf("9"), 4);
    EXPECT_EQ(FrameCountOf("1"), 2);
    EXPECT_EQ(FrameCountOf("x"), 2);
    EXPECT_EQ(FrameCountOf("3 frames"), 3);
}

TEST(FrameOptionsText, AttributesInFixedOrderOnlyWhenOn) {
    CFrameOptions o;
    EXPECT_EQ(ComposeFrameOptions(o), "");
    o.marginHeightOn = true;
    o.marginHeight = "5";
    o.scrollingOn = true;
    o.scrollingIndex = 2;
    o.noResize = true;
    EXPECT_EQ(ComposeFrameOptions(o), " marginheight=5 scrolling=\"no\" noresize");
    o.marginWidthOn = true;
    o.marginWidth = "abc";
    o.scrollingIndex = 1;
    o.noResize = false;
    EXPECT_EQ(ComposeFrameOptions(o), " marginheight=5 marginwidth=0 scrolling=\"yes\"");
    o.scrollingIndex = -1; // nothing selected
    EXPECT_EQ(ComposeFrameOptions(o), " marginheight=5 marginwidth=0 scrolling=\"auto\"");
}
