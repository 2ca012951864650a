#include "editor/TextLayout.h"

#include "platform/Cp932.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// Wraps a whole text by the layout's rule, written the plain way: every line measured
// from its start, character by character, with the font's own advances.
std::vector<std::size_t> ReferenceRowStarts(const std::string& text, const CTextLayout& layout) {
    const QFontMetricsF fm(layout.Font());
    const qreal width = layout.WrapWidth();
    std::vector<std::size_t> rows;
    std::size_t lineStart = 0;
    for (;;) {
        std::size_t end = lineStart;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        std::size_t rowStart = lineStart;
        rows.push_back(rowStart);
        qreal x = 0;
        std::size_t chance = std::string::npos;
        bool prevBlank = false, prevDouble = false;
        for (std::size_t i = rowStart; i < end;) {
            const std::size_t len = Cp932::CharLength(std::string_view(text).substr(0, end), i);
            const std::uint16_t code =
                len == 2 ? static_cast<std::uint16_t>(static_cast<unsigned char>(text[i]) << 8 |
                                                      static_cast<unsigned char>(text[i + 1]))
                         : static_cast<unsigned char>(text[i]);
            const bool blank = code == ' ' || code == '\t' || code == 0x8140;
            if (i > rowStart && (prevBlank || prevDouble || len == 2))
                chance = i;
            qreal adv;
            if (code == '\t')
                adv = layout.TabWidth() - std::fmod(x, layout.TabWidth());
            else if (char16_t c = CTextLayout::GlyphOf(code))
                adv = std::max<qreal>(1, static_cast<float>(fm.horizontalAdvance(QChar(c))));
            else
                adv = layout.BoxWidth(code > 0xFF);
            if (i > rowStart && !blank && x + adv > width) {
                rowStart = chance != std::string::npos && chance > rowStart ? chance : i;
                rows.push_back(rowStart);
                i = rowStart;
                x = 0;
                chance = std::string::npos;
                prevBlank = prevDouble = false;
                continue;
            }
            x += adv;
            prevBlank = blank;
            prevDouble = len == 2;
            i += len;
        }
        if (end >= text.size())
            break;
        lineStart = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return rows;
}

std::string RandomText(std::mt19937& rng, std::size_t n, int lineBreakWeight) {
    static const std::vector<std::string> pieces{
        "a",        "b",        "c",        "<a href=\"x\">",     " ",
        " ",        "\t",       "\x93\xfa", "\x96\x7b",           "\x8c\xea",
        "\x81\x40", "\xb1",     "\x82\xa0", std::string("\0", 1), "\x80",
        "\xff",     "\x85\x40", "\x81"};
    static const std::vector<std::string> breaks{"\r\n", "\n", "\r"};
    std::string s;
    while (s.size() < n) {
        if (static_cast<int>(rng() % 100) < lineBreakWeight)
            s += breaks[rng() % breaks.size()];
        else
            s += pieces[rng() % pieces.size()];
    }
    return s;
}

void ExpectLayoutMatchesReference(const CTextLayout& layout, const std::string& text) {
    const auto rows = ReferenceRowStarts(text, layout);
    ASSERT_EQ(layout.RowCount(), static_cast<std::int64_t>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        ASSERT_EQ(layout.RowAt(static_cast<std::int64_t>(r)).start, rows[r]) << "row " << r;
    for (std::size_t off = 0; off <= text.size(); ++off) {
        std::size_t r =
            static_cast<std::size_t>(std::upper_bound(rows.begin(), rows.end(), off) - rows.begin()) - 1;
        ASSERT_EQ(layout.RowFromOffset(off), static_cast<std::int64_t>(r)) << "offset " << off;
    }
}

QFont TestFont() {
    QFont font("Noto Sans Mono CJK JP");
    font.setPixelSize(14);
    return font;
}

} // namespace

TEST(TextLayout, WrapsRandomTextsLikeThePlainReferenceAtManyWidths) {
    std::mt19937 rng(5);
    CTextLayout layout;
    layout.SetFont(TestFont());
    for (int round = 0; round < 40; ++round) {
        const std::string text = RandomText(rng, 200 + rng() % 3000, static_cast<int>(rng() % 10));
        layout.SetWrapWidth(1 + rng() % 400);
        layout.SetTabStops(static_cast<int>(4 + rng() % 40));
        layout.Reset(CTextSnapshot(text));
        ExpectLayoutMatchesReference(layout, text);
    }
}

TEST(TextLayout, EditsKeepTheSameRowsAsLayingOutAnew) {
    std::mt19937 rng(9);
    CTextLayout layout;
    layout.SetFont(TestFont());
    for (int round = 0; round < 12; ++round) {
        // Few line breaks and a narrow width give lines of dozens of rows, whose row starts are kept.
        std::string text = RandomText(rng, 4000 + rng() % 20000, round % 3 == 0 ? 0 : 1);
        layout.SetWrapWidth(40 + rng() % 200);
        layout.Reset(CTextSnapshot(text));
        for (int step = 0; step < 40; ++step) {
            const std::size_t a = rng() % (text.size() + 1);
            const std::size_t b = std::min(text.size(), a + (rng() % 5 == 0 ? rng() % 3000 : rng() % 4));
            const std::string ins = RandomText(rng, rng() % 4 == 0 ? rng() % 400 : rng() % 3, 3);
            CTextSnapshot next = layout.Text().Replaced(a, b, ins);
            layout.ApplyEdit(next, a, b, a + ins.size());
            text.replace(a, b - a, ins);
            if (step % 8 == 7)
                ExpectLayoutMatchesReference(layout, text);
        }
        ExpectLayoutMatchesReference(layout, text);
    }
}

TEST(TextLayout, ALongLineReflowedByAnEditIsFinishedLaterAndEndsTheSame) {
    std::mt19937 rng(17);
    CTextLayout layout;
    layout.SetFont(TestFont());
    // Rows are wrapped eagerly only a little past each edit, so most edits leave work behind.
    layout.SetEagerWrapBytes(64);
    int deferred = 0;
    for (int round = 0; round < 6; ++round) {
        std::string text = RandomText(rng, 20000, round % 2);
        layout.SetWrapWidth(60 + rng() % 100);
        layout.Reset(CTextSnapshot(text));
        for (int step = 0; step < 60; ++step) {
            const std::size_t a = rng() % (text.size() + 1);
            const std::size_t b = std::min(text.size(), a + rng() % 4);
            const std::string ins = RandomText(rng, rng() % 3, rng() % 2 ? 0 : 30);
            layout.ApplyEdit(layout.Text().Replaced(a, b, ins), a, b, a + ins.size());
            text.replace(a, b - a, ins);
            deferred += layout.HasPendingWork();
            if (rng() % 3 == 0)
                layout.ContinueWrapping(rng() % 2000);
        }
        layout.FinishWrapping();
        EXPECT_FALSE(layout.HasPendingWork());
        ExpectLayoutMatchesReference(layout, text);
    }
    EXPECT_GT(deferred, 50);
}

TEST(TextLayout, AWholeTextSetBackFromASnapshotIsLaidOutOnlyWhereItDiffers) {
    std::mt19937 rng(13);
    CTextLayout layout;
    layout.SetFont(TestFont());
    layout.SetWrapWidth(120);
    std::string text = RandomText(rng, 40000, 1);
    layout.Reset(CTextSnapshot(text));
    std::vector<std::pair<CTextSnapshot, std::string>> undo;
    for (int i = 0; i < 30; ++i) {
        undo.emplace_back(layout.Text(), text);
        const std::size_t a = rng() % text.size();
        const std::string ins = RandomText(rng, rng() % 50, 10);
        layout.ApplyEdit(layout.Text().Replaced(a, a + 1, ins), a, a + 1, a + ins.size());
        text.replace(a, 1, ins);
    }
    // Step back through the snapshots the way undo does: only the differing range is given.
    while (!undo.empty()) {
        const CTextSnapshot target = undo.back().first;
        const CTextSnapshot current = layout.Text();
        const std::size_t p = CTextSnapshot::CommonPrefix(current, target);
        const std::size_t s = CTextSnapshot::CommonSuffix(current, target, p);
        layout.ApplyEdit(target, p, current.Size() - s, target.Size() - s);
        text = undo.back().second;
        undo.pop_back();
        if (undo.size() % 10 == 0)
            ExpectLayoutMatchesReference(layout, text);
    }
}

TEST(TextLayout, DrawsUndecodableBytesAndControlsAsBoxesAndTabsToStops) {
    CTextLayout layout;
    layout.SetFont(TestFont());
    layout.SetWrapWidth(1000);
    layout.SetTabStops(32);
    const std::string text("a\tb\x80\x1b\x85\x40\x93\xfa", 9);
    layout.Reset(CTextSnapshot(text));
    const auto items = layout.RowItems(layout.RowAt(0));
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[1].kind, CTextLayout::ItemKind::Tab);
    EXPECT_DOUBLE_EQ(items[2].x, layout.TabWidth());
    EXPECT_NEAR(layout.TabWidth(), 8 * layout.AverageCharWidth(), 0.01);
    EXPECT_EQ(items[3].kind, CTextLayout::ItemKind::Box);
    EXPECT_EQ(items[4].kind, CTextLayout::ItemKind::Box);
    // An unassigned double-byte code is one box, still two bytes long.
    EXPECT_EQ(items[5].kind, CTextLayout::ItemKind::Box);
    EXPECT_EQ(items[5].length, 2);
    EXPECT_EQ(items[6].ch, u'日');
}

TEST(TextLayout, LinesNotWrappedYetAreWrappedWhereTheyAreShownOrAskedAbout) {
    std::mt19937 rng(21);
    CTextLayout layout;
    layout.SetFont(TestFont());
    layout.SetEagerLayoutBytes(0);
    for (int round = 0; round < 8; ++round) {
        const std::string text = RandomText(rng, 3000 + rng() % 6000, 2 + static_cast<int>(rng() % 6));
        layout.SetWrapWidth(30 + rng() % 300);
        layout.Reset(CTextSnapshot(text));
        ASSERT_EQ(layout.EstimatedLines(), layout.Text().LineCount());
        const auto rows = ReferenceRowStarts(text, layout);
        for (int probe = 0; probe < 30; ++probe) {
            // Scrolling to any row gives a real row, wherever the estimates put it.
            const auto shown = static_cast<std::int64_t>(rng() % static_cast<std::size_t>(layout.RowCount()));
            const std::size_t start = layout.RowAt(shown).start;
            EXPECT_TRUE(std::binary_search(rows.begin(), rows.end(), start)) << "row " << shown;
            EXPECT_EQ(layout.RowAt(layout.ShownRowOf(start)).start, start);
            // The caret's row is exact however little is wrapped.
            const std::size_t off = rng() % (text.size() + 1);
            const auto exact = std::upper_bound(rows.begin(), rows.end(), off) - rows.begin() - 1;
            ASSERT_EQ(layout.RowFromOffset(off), exact) << "offset " << off;
            if (probe % 10 == 0)
                layout.ContinueWrapping(rng() % 500);
        }
        layout.FinishWrapping();
        EXPECT_EQ(layout.EstimatedLines(), 0u);
        ExpectLayoutMatchesReference(layout, text);
    }
}

TEST(TextLayout, EditsAndResizesWhileLinesWaitToBeWrappedEndTheSame) {
    std::mt19937 rng(23);
    CTextLayout layout;
    layout.SetFont(TestFont());
    for (int round = 0; round < 6; ++round) {
        // Large insertions get estimated lines between their first and last line.
        layout.SetEagerLayoutBytes(round % 2 ? 0 : 200);
        std::string text = RandomText(rng, 2000 + rng() % 4000, 4);
        layout.SetWrapWidth(40 + rng() % 200);
        layout.Reset(CTextSnapshot(text));
        for (int step = 0; step < 30; ++step) {
            const std::size_t a = rng() % (text.size() + 1);
            const std::size_t b = std::min(text.size(), a + rng() % 50);
            const std::string ins = RandomText(rng, rng() % 3 == 0 ? 300 + rng() % 1500 : rng() % 3, 4);
            layout.ApplyEdit(layout.Text().Replaced(a, b, ins), a, b, a + ins.size());
            text.replace(a, b - a, ins);
            if (rng() % 4 == 0)
                layout.ContinueWrapping(rng() % 800);
            if (rng() % 10 == 0)
                layout.SetWrapWidth(40 + rng() % 200); // a resize lays out anew, estimated again
            if (step % 10 == 9) {
                const std::size_t off = rng() % (text.size() + 1);
                const auto rows = ReferenceRowStarts(text, layout);
                ASSERT_EQ(layout.RowFromOffset(off),
                          std::upper_bound(rows.begin(), rows.end(), off) - rows.begin() - 1);
            }
        }
        layout.FinishWrapping();
        ExpectLayoutMatchesReference(layout, text);
    }
}

TEST(TextLayout, SettingBackTheTextOfALargeEditTakesItsRowsBackAndMatchesTheReference) {
    std::mt19937 rng(29);
    CTextLayout layout;
    layout.SetFont(TestFont());
    layout.SetWrapWidth(90);
    layout.SetEagerLayoutBytes(1000); // so that anything wrapped anew would come back estimated
    std::string text;
    while (text.size() < 200000)
        text += RandomText(rng, 10, 0) + "\r\n";
    layout.Reset(CTextSnapshot(text));
    layout.FinishWrapping();
    const CTextSnapshot before = layout.Text();
    // Select All and type: every line goes; undo brings the same snapshot back.
    layout.ApplyEdit(before.Replaced(0, before.Size(), "x"), 0, before.Size(), 1);
    layout.ApplyEdit(before, 0, 1, before.Size());
    EXPECT_EQ(layout.EstimatedLines(), 0u);
    ExpectLayoutMatchesReference(layout, text);
    // The same after a change of width: nothing kept may be taken then.
    const CTextSnapshot replaced = before.Replaced(0, before.Size(), "y");
    layout.ApplyEdit(replaced, 0, before.Size(), 1);
    layout.SetWrapWidth(70);
    layout.ApplyEdit(before, 0, 1, before.Size());
    EXPECT_GT(layout.EstimatedLines(), 0u);
    layout.FinishWrapping();
    ExpectLayoutMatchesReference(layout, text);

    // Replace All: many lines on both sides, some long enough to keep their row starts.
    // Undo and redo each take back the rows the step before kept; only the long lines, whose
    // row starts are not kept, wait to be wrapped again.
    std::string longText;
    while (longText.size() < 400000)
        longText += RandomText(rng, rng() % 50 == 0 ? 600 : 10, 0) + "\r\n";
    std::string longReplaced = longText;
    std::replace(longReplaced.begin(), longReplaced.end(), 'a', 'b');
    layout.Reset(CTextSnapshot(longText));
    layout.FinishWrapping();
    const CTextSnapshot original = layout.Text();
    const CTextSnapshot changed = original.Replaced(0, original.Size(), longReplaced);
    layout.ApplyEdit(changed, 0, original.Size(), changed.Size());
    layout.FinishWrapping();
    ExpectLayoutMatchesReference(layout, longReplaced);
    layout.ApplyEdit(original, 0, changed.Size(), original.Size());
    EXPECT_LT(layout.EstimatedLines(), original.LineCount() / 20);
    layout.FinishWrapping();
    ExpectLayoutMatchesReference(layout, longText);
    layout.ApplyEdit(changed, 0, original.Size(), changed.Size());
    EXPECT_LT(layout.EstimatedLines(), original.LineCount() / 20);
    layout.FinishWrapping();
    ExpectLayoutMatchesReference(layout, longReplaced);
}
