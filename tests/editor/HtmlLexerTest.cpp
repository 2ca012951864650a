#include "editor/HtmlLexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace HtmlLexer;

namespace {

// One letter per byte: . text, t tag, n attribute name, v value, c comment, r reference,
// d doctype, s script, y style sheet.
std::string Letters(const std::vector<Style>& styles) {
    static const char kLetters[] = ".tnvcrdsy";
    std::string out;
    for (Style s : styles)
        out.push_back(kLetters[static_cast<int>(s)]);
    return out;
}

std::string Styles(std::string_view bytes, State start = {}) {
    std::vector<Style> styles(bytes.size());
    Lex(bytes, start, styles.data());
    return Letters(styles);
}

// Lexes line by line, each from the state the previous line left, as the editor does.
std::string StylesByLines(const std::vector<std::string>& lines) {
    std::string out;
    State state;
    for (const std::string& line : lines) {
        std::vector<Style> styles(line.size());
        state = Lex(line, state, styles.data());
        out += Letters(styles);
    }
    return out;
}

} // namespace

TEST(HtmlLexer, ColoursTagsAttributesAndValues) {
    EXPECT_EQ(Styles("a<b class=\"x\" id=y>c</b>"), ".tttnnnnntvvvtnntvt.tttt");
    EXPECT_EQ(Styles("<br/>"), "ttttt");
    EXPECT_EQ(Styles("<input disabled>"), "tttttttnnnnnnnnt");
}

TEST(HtmlLexer, ALessThanInsideAValueStaysInTheValue) {
    EXPECT_EQ(Styles("<a title=\"1<2>0\">x"), "tttnnnnntvvvvvvvt.");
    EXPECT_EQ(Styles("<a title='<b>'>x"), "tttnnnnntvvvvvt.");
    // A lone '<' in text starts nothing.
    EXPECT_EQ(Styles("1 < 2"), ".....");
}

TEST(HtmlLexer, CommentsRunUntilTheirEndAndAnUnterminatedOneToTheEndOfTheText) {
    EXPECT_EQ(Styles("a<!-- <b> -->c"), ".cccccccccccc.");
    EXPECT_EQ(Styles("<!-- a -- b --->x"), "cccccccccccccccc.");
    const std::string rest = StylesByLines({"<!-- open\r\n", "<p class=x>\r\n", "&amp;"});
    EXPECT_EQ(rest, std::string(11 + 13 + 5, 'c'));
}

TEST(HtmlLexer, DoctypeAndDeclarationsHaveTheirOwnStyle) {
    EXPECT_EQ(Styles("<!DOCTYPE html><p>"), "dddddddddddddddttt");
    EXPECT_EQ(Styles("<?xml version=\"1.0\"?>a"), "ddddddddddddddddddddd.");
}

TEST(HtmlLexer, CharacterReferencesInTextAndValues) {
    EXPECT_EQ(Styles("a&amp;b&#160;&#xA0;"), ".rrrrr.rrrrrrrrrrrr");
    EXPECT_EQ(Styles("<a href=\"?a=1&amp;b\">"), "tttnnnntvvvvvrrrrrvvt");
    // An ampersand that starts no reference is text.
    EXPECT_EQ(Styles("R & D"), ".....");
    EXPECT_EQ(Styles("&<b>"), ".ttt");
}

TEST(HtmlLexer, ScriptContentsEndOnlyAtTheirOwnEndTag) {
    // "</" in a string does not end the script; "</script" as a whole word does.
    EXPECT_EQ(Styles("<script>a=\"</p>\";</script>x"), "ttttttttsssssssssttttttttt.");
    EXPECT_EQ(Styles("<SCRIPT type=x>s</scripts></Script >y"), "ttttttttnnnntvtssssssssssstttttttttt.");
    EXPECT_EQ(Styles("<style>p{}</style>"), "tttttttyyytttttttt");
    // Other tags whose names begin the same way are ordinary.
    EXPECT_EQ(Styles("<strong>b</strong>"), "tttttttt.ttttttttt");
    EXPECT_EQ(Styles("<scripts>b"), "ttttttttt.");
    // An end tag named script does not start script contents.
    EXPECT_EQ(Styles("</script>b"), "ttttttttt.");
}

TEST(HtmlLexer, ScriptContentsCarryOverLines) {
    const std::string styles = StylesByLines({"<script>\r\n", "if (a</b) {}\r\n", "</script>\r\n", "x"});
    EXPECT_EQ(styles, "tttttttt" + std::string(16, 's') + "ttttttttt.." + ".");
}

TEST(HtmlLexer, ATagSplitByALineEndKeepsItsState) {
    const std::string styles = StylesByLines({"<img\r\n", "  src=\"a.gif\"\r\n", "  alt='b\r\n", "c'>d"});
    EXPECT_EQ(styles, "tttttt"
                      "ttnnntvvvvvvvtt"
                      "ttnnntvvvv"
                      "vvt.");
    // The state at each line start is what the line before left, so lexing a line alone
    // from it gives the same styles.
    State state = Lex("<img\r\n", {});
    EXPECT_EQ(state.mode, Mode::InTag);
    state = Lex("  src=\"a.gif\"\r\n  alt='b\r\n", state);
    EXPECT_EQ(state.mode, Mode::QuotedValue);
    EXPECT_EQ(Styles("c'>d", state), "vvt.");
}

TEST(HtmlLexer, TrailBytesThatLookLikeBackslashesDoNotEscapeQuotes) {
    // "表" and "ソ" end in 0x5C; in a value they are just characters.
    EXPECT_EQ(Styles("<a title=\"\x95\x5C\">\x83\x5Cx"), "tttnnnnntvvvvt...");
    EXPECT_EQ(Styles("<a title=\x95\x5C\x83\x5C>b"), "tttnnnnntvvvvt.");
}

TEST(HtmlLexer, LexingInPiecesGivesTheSameStylesAsAtOnce) {
    const std::string page = "<!DOCTYPE html>\r\n<html><!-- c -->\r\n<body class=\"a&amp;b\">x &lt; y"
                             "<script>if(a<b)s='</p>';</script><style>p{}</style></body>";
    std::vector<Style> whole(page.size());
    const State end = Lex(page, {}, whole.data());
    for (std::size_t cut = 1; cut < page.size(); ++cut) {
        const State mid = Lex(std::string_view(page).substr(0, cut), {});
        EXPECT_EQ(Lex(std::string_view(page).substr(cut), mid), end) << "cut at " << cut;
    }
}
