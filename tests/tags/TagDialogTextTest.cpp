#include "tags/TagDialogText.h"
#include "tags/OpeningTag.h"
#include "tags/TagValues.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(OpeningTag, WritesEachAttributeInItsFormWithOneBlankInFront) {
    EXPECT_EQ(COpeningTag("td").Text(), "<td>");
    EXPECT_EQ(COpeningTag("hr")
                  .Percent("width", 80)
                  .Number("size", -2)
                  .Quoted("align", "a\"b")
                  .Bare("noshade")
                  .Text(),
              "<hr width=\"80%\" size=-2 align=\"a\"b\" noshade>");
}

TEST(TagForms, WriteEveryRowExactlyOnce) {
    for (const CTagForm* form : {&FontTagForm(), &RuleTagForm(), &ParagraphTagForm(), &OrderedListTagForm(),
                                 &TableTagForm(), &RowTagForm(), &CellTagForm()}) {
        ASSERT_EQ(form->writeOrder.size(), form->rows.size()) << form->tag;
        for (const CAttributeSpec& row : form->rows)
            EXPECT_EQ(std::count(form->writeOrder.begin(), form->writeOrder.end(), row.name), 1)
                << form->tag << " " << row.name;
    }
}

TEST(FontTag, SizeIsPulledIntoOneToSevenAndColorIsWrittenAsTyped) {
    CTagValues font(FontTagForm());
    EXPECT_EQ(font.Tag(), "<font>");
    font["color"].on = true;
    EXPECT_EQ(font.Tag(), "<font color=\"#\">");
    font["size"].on = true;
    EXPECT_EQ(font.Tag(), "<font color=\"#\" size=4>");
    font["color"].on = false;
    for (const auto& [typed, written] :
         std::vector<std::pair<std::string, std::string>>{{"9", "<font size=7>"},
                                                          {"7", "<font size=7>"},
                                                          {"0", "<font size=1>"},
                                                          {"-3", "<font size=1>"},
                                                          {"x", "<font size=1>"},
                                                          {" 3pt", "<font size=3>"}}) {
        font["size"].text = typed;
        EXPECT_EQ(font.Tag(), written) << typed;
    }
}

TEST(RuleTag, OkAtOnceGivesAWidthOfEightyPercent) {
    EXPECT_EQ(CTagValues(RuleTagForm()).Tag(), "<hr width=\"80%\">");
}

TEST(RuleTag, WritesWidthAlignSizeNoshadeInThatOrder) {
    CTagValues rule(RuleTagForm());
    rule["width"].percent = false;
    rule["width"].text = "600";
    rule["align"].on = true;
    rule["align"].position = 0;
    rule["size"].on = true;
    rule["size"].text = "2";
    rule["noshade"].on = true;
    EXPECT_EQ(rule.Tag(), "<hr width=600 align=\"left\" size=2 noshade>");
    rule["width"].on = false;
    rule["width"].percent = true;
    EXPECT_EQ(rule.Tag(), "<hr align=\"left\" size=2 noshade>");
}

TEST(RuleTag, AlignIsRightForAnyPositionBeyondTheSecond) {
    CTagValues rule(RuleTagForm());
    rule["width"].on = false;
    rule["align"].on = true;
    const std::vector<std::pair<int, std::string>> cases{
        {0, "left"}, {1, "center"}, {2, "right"}, {5, "right"}, {-1, "right"}};
    for (const auto& [position, word] : cases) {
        rule["align"].position = position;
        EXPECT_EQ(rule.Tag(), "<hr align=\"" + word + "\">") << position;
    }
}

TEST(ParagraphTag, CentredByDefaultAndBareWithAlignOff) {
    CTagValues p(ParagraphTagForm());
    EXPECT_EQ(p.Tag(), "<p align=\"center\">");
    p["align"].on = false;
    EXPECT_EQ(p.Tag(), "<p>");
}

TEST(OrderedListTag, TypeComesFromThePositionAndStartFromTheNumber) {
    CTagValues ol(OrderedListTagForm());
    EXPECT_EQ(ol.Tag(), "<ol>");
    ol["type"].on = true;
    ol["start"].on = true;
    ol["start"].text = "3";
    EXPECT_EQ(ol.Tag(), "<ol type=\"i\" start=3>");
    const std::vector<std::pair<int, std::string>> cases{{0, "A"}, {1, "a"}, {2, "I"},
                                                         {3, "i"}, {4, "1"}, {-1, "1"}};
    ol["start"].on = false;
    for (const auto& [position, word] : cases) {
        ol["type"].position = position;
        EXPECT_EQ(ol.Tag(), "<ol type=\"" + word + "\">") << position;
    }
    ol["start"].on = true;
    ol["start"].text = "99"; // beyond the arrows' range, written as typed
    ol["type"].on = false;
    EXPECT_EQ(ol.Tag(), "<ol start=99>");
}

TEST(TableTag, AlignComesFirstWhateverTheScreenOrder) {
    CTagValues table(TableTagForm());
    EXPECT_EQ(table.Tag(), "<table>");
    table["width"].on = true;
    table["width"].text = "80";
    table["width"].percent = true;
    table["border"].on = true;
    table["border"].text = "1";
    table["align"].on = true;
    table["align"].position = 0;
    EXPECT_EQ(table.Tag(), "<table align=\"left\" width=\"80%\" border=1>");
}

TEST(TableTag, EveryAttributeInTheFixedOrder) {
    CTagValues table(TableTagForm());
    for (const char* name : {"width", "height", "border", "bgcolor", "align", "cellpadding", "cellspacing"})
        table[name].on = true;
    EXPECT_EQ(table.Tag(),
              "<table align=\"center\" width=500 height=500 border=0 bgcolor=\"#\" cellpadding=0 "
              "cellspacing=0>");
}

TEST(TableTag, NumbersAreReadAsALeadingInteger) {
    CTagValues table(TableTagForm());
    table["width"].on = true;
    for (const auto& [typed, written] :
         std::vector<std::pair<std::string, std::string>>{{"12px", "width=12"},
                                                          {"abc", "width=0"},
                                                          {"", "width=0"},
                                                          {"-5", "width=-5"},
                                                          {"007", "width=7"}}) {
        table["width"].text = typed;
        EXPECT_EQ(table.Tag(), "<table " + written + ">") << typed;
    }
    table["width"].on = false;
    table["bgcolor"].on = true;
    table["bgcolor"].text = "";
    EXPECT_EQ(table.Tag(), "<table bgcolor=\"\">");
    table["bgcolor"].text = " red\" x";
    EXPECT_EQ(table.Tag(), "<table bgcolor=\" red\" x\">");
}

TEST(RowTag, AlignAndValignFallBackToTheMiddleEntry) {
    CTagValues row(RowTagForm());
    EXPECT_EQ(row.Tag(), "<tr>");
    row["align"].on = true;
    row["valign"].on = true;
    EXPECT_EQ(row.Tag(), "<tr align=\"center\" valign=\"middle\">");
    row["align"].position = 2;
    row["valign"].position = 0;
    EXPECT_EQ(row.Tag(), "<tr align=\"right\" valign=\"top\">");
    row["align"].position = -1;
    row["valign"].position = 2;
    EXPECT_EQ(row.Tag(), "<tr align=\"center\" valign=\"bottom\">");
}

TEST(CellTag, DefaultsGivePercentSizesAndSpansOfTwo) {
    CTagValues cell(CellTagForm());
    cell["width"].on = true;
    EXPECT_EQ(cell.Tag(), "<td width=\"100%\">");
    cell["width"].on = false;
    cell["colspan"].on = true;
    cell["rowspan"].on = true;
    EXPECT_EQ(cell.Tag(), "<td colspan=2 rowspan=2>");
    for (const char* name : {"align", "valign", "bgcolor", "width", "height", "nowrap"})
        cell[name].on = true;
    cell["height"].percent = false;
    EXPECT_EQ(cell.Tag(),
              "<td align=\"center\" valign=\"middle\" width=\"100%\" height=100 bgcolor=\"#\" colspan=2 "
              "rowspan=2 nowrap>");
}

TEST(CommentText, WrapsTheTextAndWritesEveryLineBreakAsCrLf) {
    EXPECT_EQ(CommentText(""), "<!--  -->");
    EXPECT_EQ(CommentText("a\nb"), "<!-- a\r\nb -->");
    EXPECT_EQ(CommentText("a\r\nb\rc\n"), "<!-- a\r\nb\r\nc\r\n -->");
    // "表" ends in 0x5C: double-byte text passes through unchanged.
    EXPECT_EQ(CommentText("\x95\x5C\n"), "<!-- \x95\x5C\r\n -->");
}
