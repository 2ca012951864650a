#include "editor/HtmlStyler.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The styles a fresh lexer gives the whole text, as style numbers.
std::vector<std::uint8_t> FullLex(const std::string& text) {
    std::vector<HtmlLexer::Style> styles(text.size());
    HtmlLexer::Lex(text, {}, styles.data());
    return {reinterpret_cast<const std::uint8_t*>(styles.data()),
            reinterpret_cast<const std::uint8_t*>(styles.data()) + styles.size()};
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& v, std::size_t start, std::size_t end) {
    return {v.begin() + static_cast<std::ptrdiff_t>(start), v.begin() + static_cast<std::ptrdiff_t>(end)};
}

std::string SamplePage(std::size_t size) {
    const std::string pieces[] = {
        "<p class=\"a\">text &amp; more</p>\r\n",
        "<!-- a comment\r\nover lines -->\r\n",
        "<script>\r\nif (a < b) s = '</p>';\r\n</script>\r\n",
        "<img src='x.gif'\r\n  alt=\"\x95\x5C\">\r\n",
        "<style>p { color: red }</style>\r\n",
        "\x93\xFA\x96\x7B\x8C\xEA \x87\x40 text\r\n",
        "<a href=x?a=1&b=2>link</a> 1 < 2\r\n",
    };
    std::string page = "<!DOCTYPE html>\r\n";
    for (std::size_t i = 0; page.size() < size; ++i)
        page += pieces[(i * 7 + i / 3) % std::size(pieces)];
    return page;
}

class StylerFixture : public ::testing::Test {
protected:
    void Load(const std::string& text) {
        m_bytes = text;
        m_text = CTextSnapshot(text);
        m_styler.SetMarking(false);
        m_styler.TextReset(m_text);
    }
    void Edit(std::size_t start, std::size_t end, const std::string& bytes) {
        m_bytes.replace(start, end - start, bytes);
        m_text = m_text.Replaced(start, end, bytes);
        m_reach = m_styler.TextEdited(m_text, start, end, start + bytes.size());
    }
    std::vector<std::uint8_t> Styles(std::size_t start, std::size_t end) {
        std::vector<std::uint8_t> out;
        m_styler.StylesOf(start, end, out);
        return out;
    }
    std::string m_bytes;
    CTextSnapshot m_text;
    CHtmlStyler m_styler;
    std::size_t m_reach = 0;
};

} // namespace

TEST_F(StylerFixture, RowsAnywhereGetTheStylesOfTheWholeTextLexedAtOnce) {
    Load(SamplePage(300000));
    const auto expected = FullLex(m_bytes);
    for (std::size_t start : {std::size_t{0}, std::size_t{17}, std::size_t{4099}, std::size_t{150001},
                              m_bytes.size() - 40, std::size_t{70000}, std::size_t{5}}) {
        const std::size_t end = std::min(m_bytes.size(), start + 80);
        EXPECT_EQ(Styles(start, end), Slice(expected, start, end)) << "at " << start;
    }
}

TEST_F(StylerFixture, OnlyWhatIsShownIsLexed) {
    Load(SamplePage(5'000'000));
    Styles(0, 100);
    EXPECT_LT(m_styler.LexedBytes(), 10'000u);
    Styles(2'000'000, 2'000'100);
    EXPECT_LT(m_styler.LexedBytes(), 2'100'000u);
    // Shown again, a row costs only the way from the point before it.
    const std::size_t before = m_styler.LexedBytes();
    Styles(1'000'000, 1'000'100);
    EXPECT_LT(m_styler.LexedBytes() - before, 70'000u);
}

TEST_F(StylerFixture, APageOfRowsInALongLineIsLexedOnceAndRightly) {
    // 300 KB in one line, an attribute value with no '<' to keep a point at: each row used to
    // be lexed from a point up to 64 KB before it.
    Load("<p>x</p><img alt=\"" + std::string(300'000, 'a') + "\" src=x.gif> &amp; <b>b</b>\r\n");
    const auto expected = FullLex(m_bytes);
    Styles(200'000, 200'100);
    const std::size_t before = m_styler.LexedBytes();
    for (std::size_t row = 200'100; row < 200'100 + 40 * 100; row += 100)
        EXPECT_EQ(Styles(row, row + 100), Slice(expected, row, row + 100)) << "at " << row;
    EXPECT_LT(m_styler.LexedBytes() - before, 40u * (2 * 100 + 16) + 1000);
    // The rows at the line's end, after the value, still come out right.
    const std::size_t tail = m_bytes.size() - 30;
    EXPECT_EQ(Styles(tail - 100, tail), Slice(expected, tail - 100, tail));
    EXPECT_EQ(Styles(tail, m_bytes.size()), Slice(expected, tail, m_bytes.size()));
    // An edit forgets where the last rows ended.
    Edit(200'050, 200'050, "\"");
    const auto edited = FullLex(m_bytes);
    EXPECT_EQ(Styles(200'100, 200'200), Slice(edited, 200'100, 200'200));
}

TEST_F(StylerFixture, KeptStatesStandAtLineStartsOrFarOnInLongLinesAcrossEveryPieceOfTheText) {
    // Short lines, long lines with and without '<', over a text of many pieces (edits split
    // it), so that the search for the next point runs over piece boundaries.
    std::mt19937 rng(7);
    std::string page;
    while (page.size() < 700'000) {
        const auto kind = rng() % 4;
        if (kind == 0)
            page += std::string(rng() % 90'000, 'a') + "\r\n";
        else if (kind == 1)
            for (int i = 0; i < 300; ++i)
                page += std::string(rng() % 200, 'b') + "<i>";
        else
            page += std::string(rng() % 400, 'c') + "\n";
    }
    Load(page);
    for (std::size_t at = 1000; at < page.size(); at += 97'000)
        Edit(at, at + 5, "<b>\n");
    m_styler.StateAt(m_bytes.size());
    // The rule, byte by byte: the first line start at least 256 bytes on, or from 4096 bytes
    // on the first '<' if that comes first, and never more than 64 KB on.
    std::vector<std::size_t> expected{0};
    for (std::size_t p = 0;;) {
        std::size_t q = std::min(m_bytes.size(), p + 64 * 1024);
        if (m_bytes.size() - p <= 256)
            q = m_bytes.size();
        for (std::size_t k = p + 256; k < q; ++k) {
            if (m_bytes[k] == '\n') {
                q = k + 1;
                break;
            }
            if (m_bytes[k] == '<' && k >= p + 4096) {
                q = k;
                break;
            }
        }
        if (q >= m_bytes.size())
            break;
        expected.push_back(q);
        p = q;
    }
    std::vector<std::size_t> points;
    for (std::size_t i = 0; i < m_styler.Points().Count(); ++i)
        points.push_back(m_styler.Points().At(i).offset);
    EXPECT_EQ(points, expected);
}

TEST_F(StylerFixture, AnEditThatLeavesTheSameStateReLexesOnlyItsNeighbourhood) {
    Load(SamplePage(2'000'000));
    Styles(1'500'000, 1'500'100);
    const std::size_t before = m_styler.LexedBytes();
    const std::size_t at = m_bytes.find("text &amp;", 1000);
    Edit(at, at, "x");
    EXPECT_EQ(m_reach, at + 1);
    EXPECT_LT(m_styler.LexedBytes() - before, 5'000u);
    // The points beyond the edit moved with the text and still hold the right states.
    const auto expected = FullLex(m_bytes);
    EXPECT_EQ(Styles(1'500'001, 1'500'101), Slice(expected, 1'500'001, 1'500'101));
}

TEST_F(StylerFixture, ReplacingTheWholePageAndTakingItBackLexesOnlyWhatIsShown) {
    const std::string page = SamplePage(2'000'000);
    Load(page);
    Styles(1'900'000, 1'900'100); // every state up to there is known
    std::size_t before = m_styler.LexedBytes();
    Edit(0, m_bytes.size(), "x");
    EXPECT_EQ(m_reach, m_bytes.size());
    Edit(0, 1, page); // the undo of it
    EXPECT_EQ(m_reach, page.size());
    EXPECT_LT(m_styler.LexedBytes() - before, 200'000u);
    // The undo brought back the text the states were lexed for, and the states with it.
    before = m_styler.LexedBytes();
    EXPECT_EQ(Styles(1000, 1100), Slice(FullLex(m_bytes), 1000, 1100));
    EXPECT_EQ(Styles(1'900'000, 1'900'100), Slice(FullLex(m_bytes), 1'900'000, 1'900'100));
    EXPECT_LT(m_styler.LexedBytes() - before, 200'000u);
    // A redo and another undo swap them again; a different large text gets none of them.
    Edit(0, m_bytes.size(), "x");
    Edit(0, 1, page);
    EXPECT_EQ(Styles(1'900'000, 1'900'100), Slice(FullLex(m_bytes), 1'900'000, 1'900'100));
    Edit(0, m_bytes.size(), SamplePage(1'950'000) + "<!--");
    EXPECT_EQ(Styles(1'900'000, 1'900'100), Slice(FullLex(m_bytes), 1'900'000, 1'900'100));
}

TEST_F(StylerFixture, IdleTimeLexesAheadSoThatTheEndOfThePageIsQuickToStyle) {
    Load(SamplePage(1'000'000));
    EXPECT_TRUE(m_styler.ContinueInIdleTime(0)); // only asks
    EXPECT_EQ(m_styler.LexedBytes(), 0u);
    int steps = 0;
    while (m_styler.ContinueInIdleTime(100'000))
        ASSERT_LT(++steps, 20);
    EXPECT_GE(steps, 8);
    const std::size_t before = m_styler.LexedBytes();
    EXPECT_EQ(Styles(999'000, 999'100), Slice(FullLex(m_bytes), 999'000, 999'100));
    EXPECT_LT(m_styler.LexedBytes() - before, 140'000u);
}

TEST_F(StylerFixture, OpeningACommentRecoloursWhatFollowsAndClosingItRestoresIt) {
    Load(SamplePage(500'000));
    Styles(0, 20'000);
    Edit(17, 17, "<!--");
    // Everything up to the page's first "-->" became comment, and the change is reported as
    // reaching at least that far.
    const std::size_t commentEnd = m_bytes.find("-->") + 3;
    EXPECT_GE(m_reach, commentEnd);
    EXPECT_EQ(
        Styles(17, commentEnd),
        std::vector<std::uint8_t>(commentEnd - 17, static_cast<std::uint8_t>(HtmlLexer::Style::Comment)));
    EXPECT_EQ(Styles(commentEnd, commentEnd + 300), Slice(FullLex(m_bytes), commentEnd, commentEnd + 300));
    Edit(17, 21, "");
    EXPECT_EQ(Styles(17, 1100), Slice(FullLex(m_bytes), 17, 1100));
    EXPECT_EQ(Styles(400'000, 400'100), Slice(FullLex(m_bytes), 400'000, 400'100));
}

TEST_F(StylerFixture, RandomEditsAlwaysLeaveTheStylesOfAFreshLex) {
    Load(SamplePage(60'000));
    std::mt19937 random(14);
    const std::string inserts[] = {"<", ">", "\"", "'",    "<!--",    "-->",      "<script>", "</script>",
                                   "&", "=", "x",  "\r\n", "<style>", "\x87\x40", " "};
    for (int round = 0; round < 300; ++round) {
        const std::size_t start = random() % (m_bytes.size() + 1);
        const std::size_t length = std::min<std::size_t>(random() % 8, m_bytes.size() - start);
        Edit(start, start + length, round % 5 == 0 ? std::string() : inserts[random() % std::size(inserts)]);
        const std::size_t show = random() % m_bytes.size();
        const std::size_t end = std::min(m_bytes.size(), show + 200);
        const auto got = Styles(show, end);
        const auto want = Slice(FullLex(m_bytes), show, end);
        const auto diff = std::mismatch(got.begin(), got.end(), want.begin()).first - got.begin();
        ASSERT_EQ(got, want) << "round " << round << " at " << show + diff << " near \""
                             << m_bytes.substr(std::max<std::size_t>(show + diff, 40) - 40, 60) << "\"";
    }
}

TEST_F(StylerFixture, DependentCharactersAreMarkedAtTheEdgesOfTheRowsAsked) {
    Load("\x87\x40"
         "a\x81\x87\x40\xF0\x40"
         "\xFA\x40");
    m_styler.SetColouring(false);
    m_styler.SetMarking(true);
    const std::uint8_t v = CHtmlStyler::kVendorMark;
    const std::uint8_t u = CHtmlStyler::kUserDefinedMark;
    EXPECT_EQ(Styles(0, 2), (std::vector<std::uint8_t>{v, v}));
    // "∞" (0x81 0x87) then '@': the 0x87 is a trail byte, not a NEC character.
    EXPECT_EQ(Styles(2, 10), (std::vector<std::uint8_t>{0, 0, 0, 0, u, u, v, v}));
    EXPECT_EQ(Styles(8, 10), (std::vector<std::uint8_t>{v, v}));
    // A lead byte without its trail (the row's end cut the text) is not marked.
    Load("a\x87");
    m_styler.SetMarking(true);
    EXPECT_EQ(Styles(0, 2), (std::vector<std::uint8_t>{0, 0}));
}

TEST(HtmlStylerLooks, EveryStyleReadsOnLightAndDarkBases) {
    for (const QColor base : {QColor(Qt::white), QColor(0xF0, 0xF0, 0xF0), QColor(0xFF, 0xFF, 0xE0),
                              QColor(Qt::black), QColor(0x2B, 0x2B, 0x2B), QColor(0x1E, 0x1E, 0x2E)}) {
        const QColor text = base.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
        for (int style = 0; style < 64; ++style) {
            const CTextLook look = CHtmlStyler::LookFor(static_cast<std::uint8_t>(style), base, text);
            const QColor background = look.background.isValid() ? look.background : base;
            const QColor foreground = look.foreground.isValid() ? look.foreground : text;
            EXPECT_GE(CHtmlStyler::Contrast(foreground, background), 4.5)
                << base.name().toStdString() << " " << style;
            if (style & (CHtmlStyler::kVendorMark | CHtmlStyler::kUserDefinedMark)) {
                // The mark is more than a colour: a frame, dashed for the user-defined area.
                EXPECT_TRUE(look.frame);
                EXPECT_EQ(look.dashedFrame, (style & CHtmlStyler::kUserDefinedMark) != 0);
                EXPECT_GE(CHtmlStyler::Contrast(background, base), 1.3);
            }
        }
    }
}

TEST(HtmlStylerLooks, StylesOfTheMarkupDifferFromEachOther) {
    const QColor base(Qt::white);
    for (int a = 1; a < HtmlLexer::kStyleCount; ++a)
        for (int b = a + 1; b < HtmlLexer::kStyleCount; ++b)
            EXPECT_NE(CHtmlStyler::LookFor(static_cast<std::uint8_t>(a), base, Qt::black).foreground,
                      CHtmlStyler::LookFor(static_cast<std::uint8_t>(b), base, Qt::black).foreground)
                << a << " " << b;
}
