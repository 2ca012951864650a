#include "wizard/NormalPageText.h"

#include <gtest/gtest.h>

namespace {

// The pages as they start: the five colours on with "#".
CNormalPageInput Defaults(const std::string& title) {
    CNormalPageInput in;
    in.title = title;
    for (CNormalPageInput::Attribute* a : {&in.bgcolor, &in.text, &in.link, &in.vlink, &in.alink})
        *a = {true, "#"};
    return in;
}

} // namespace

TEST(NormalPageText, StartStateWithTitleTop) {
    EXPECT_EQ(ComposeNormalPage(Defaults("Top")),
              "<html><head>\r\n<title>Top</title>\r\n</head>\r\n"
              "<body bgcolor=\"#\" text=\"#\" link=\"#\" vlink=\"#\" alink=\"#\">\r\n\r\n</body></html>\r\n");
}

TEST(NormalPageText, RefreshSecondsAreReadAsALeadingNumberAndTheUrlOnlyWhenGiven) {
    CNormalPageInput in = Defaults("");
    in.refresh = true;
    in.refreshSeconds = "abc";
    EXPECT_NE(
        ComposeNormalPage(in).find("</title>\r\n<meta http-equiv=\"refresh\" content=\"0\">\r\n</head>"),
        std::string::npos);
    in.refreshSeconds = "5";
    in.refreshUrl = "next.html";
    EXPECT_NE(ComposeNormalPage(in).find("<meta http-equiv=\"refresh\" content=\"5;URL=next.html\">\r\n"),
              std::string::npos);
    // Outside the arrows' range and with a sign, as typed.
    in.refreshSeconds = "-300s";
    EXPECT_NE(ComposeNormalPage(in).find("content=\"-300;URL="), std::string::npos);
    in.refresh = false;
    EXPECT_EQ(ComposeNormalPage(in).find("refresh"), std::string::npos);
}

TEST(NormalPageText, HeadTagsComeInOrderRefreshExpiresMetaThenScript) {
    CNormalPageInput in = Defaults("T");
    in.refresh = true;
    in.refreshSeconds = "1";
    in.expires = true;
    in.expiryDate = "Tue, 01 Jan 2002 00:00:00 GMT";
    in.metaTags = {ComposeMetaTag(false, "A", "1"), ComposeMetaTag(true, "B", "2")};
    in.javaScript = true;
    const std::string page = ComposeNormalPage(in);
    EXPECT_EQ(page.substr(0, page.find("<body")),
              "<html><head>\r\n<title>T</title>\r\n"
              "<meta http-equiv=\"refresh\" content=\"1\">\r\n"
              "<meta http-equiv=\"expires\" content=\"Tue, 01 Jan 2002 00:00:00 GMT\">\r\n"
              "<meta name=\"A\" content=\"1\">\r\n"
              "<meta http-equiv=\"B\" content=\"2\">\r\n"
              "<script language=\"JavaScript\">\r\n<!--\r\n\r\n//-->\r\n</script>\r\n"
              "</head>\r\n");
}

TEST(NormalPageText, BodyAttributesInFixedOrderOnlyWhenOn) {
    CNormalPageInput in;
    EXPECT_NE(ComposeNormalPage(in).find("</head>\r\n<body>\r\n\r\n</body></html>\r\n"), std::string::npos);
    in.alink = {true, "red"};
    in.background = {true, "img/bg.gif"};
    in.vlink = {false, "ignored"};
    in.centering = true;
    EXPECT_NE(ComposeNormalPage(in).find("<body background=\"img/bg.gif\" alink=\"red\">\r\n"
                                         "<center>\r\n\r\n</center>\r\n</body></html>\r\n"),
              std::string::npos);
}

TEST(NormalPageText, ValuesAreWrittenExactlyWithoutEscapingOrTrimming) {
    CNormalPageInput in;
    in.title = " a\"<b>&\x95\x5c ";
    in.bgcolor = {true, " #fff\""};
    const std::string page = ComposeNormalPage(in);
    EXPECT_NE(page.find("<title> a\"<b>&\x95\x5c </title>"), std::string::npos);
    EXPECT_NE(page.find("<body bgcolor=\" #fff\"\">"), std::string::npos);
}

TEST(NormalPageText, MetaTagsOfBothKindsAcceptEmptyValues) {
    EXPECT_EQ(ComposeMetaTag(true, "", ""), "<meta http-equiv=\"\" content=\"\">");
    EXPECT_EQ(ComposeMetaTag(false, "author", "x"), "<meta name=\"author\" content=\"x\">");
}
