#include "editor/TextBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

// Line starts by the plain rule: CR LF, lone LF and lone CR each end a line.
std::vector<std::size_t> ReferenceLineStarts(const std::string& s) {
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            ++i;
        if (s[i] == '\n' || s[i] == '\r')
            starts.push_back(i + 1);
    }
    return starts;
}

std::string RandomBytes(std::mt19937& rng, std::size_t n) {
    static const std::vector<std::string> pieces{
        "a",    "<p>",  " ",   "\r\n", "\n", "\r", "\x93\xfa", "\x96\x7b", std::string("\0", 1),
        "\x80", "\xff", "\x81"};
    std::string s;
    while (s.size() < n)
        s += pieces[rng() % pieces.size()];
    return s;
}

// A random text of about n bytes after a few random insertions, which leave leaves of odd
// sizes with lines running over their boundaries; model gets the same bytes.
CTextSnapshot RandomlyEdited(std::mt19937& rng, std::size_t n, int insertions, std::size_t longest,
                             std::string& model) {
    model = RandomBytes(rng, n);
    CTextSnapshot snap(model);
    for (int i = 0; i < insertions && !model.empty(); ++i) {
        const std::size_t at = rng() % model.size();
        const std::string ins = RandomBytes(rng, rng() % longest);
        snap = snap.Replaced(at, at, ins);
        model.insert(at, ins);
    }
    return snap;
}

void ExpectSameText(const CTextSnapshot& snap, const std::string& model) {
    ASSERT_EQ(snap.Size(), model.size());
    ASSERT_EQ(snap.ToString(), model);
    const auto starts = ReferenceLineStarts(model);
    ASSERT_EQ(snap.LineCount(), starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i)
        ASSERT_EQ(snap.LineStart(i), starts[i]) << "line " << i;
    for (std::size_t off = 0; off <= model.size(); off += 1 + off % 7) {
        const auto line =
            static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), off) - starts.begin()) -
            1;
        // An offset between CR and LF belongs to the line the pair ends.
        ASSERT_EQ(snap.LineFromOffset(off), line) << "offset " << off;
    }
}

} // namespace

TEST(TextSnapshot, KeepsEveryByteOfTextsAroundChunkSizes) {
    std::mt19937 rng(1);
    for (std::size_t n : {0u, 1u, 4095u, 4096u, 4097u, 12289u, 100000u}) {
        std::string bytes = RandomBytes(rng, n);
        CTextSnapshot snap(bytes);
        ExpectSameText(snap, bytes);
        EXPECT_EQ(snap.Range(n / 3, n / 2), bytes.substr(n / 3, n / 2 - n / 3));
    }
}

TEST(TextSnapshot, CountsCrLfSplitByAChunkBoundaryAsOneBreak) {
    for (std::size_t at : {4094u, 4095u, 4096u, 8191u}) {
        std::string bytes(10000, 'x');
        bytes[at] = '\r';
        bytes[at + 1] = '\n';
        CTextSnapshot snap(bytes);
        EXPECT_EQ(snap.LineCount(), 2u);
        EXPECT_EQ(snap.LineStart(1), at + 2);
        EXPECT_EQ(snap.LineContentEnd(0), at);
        // Removing the byte between a CR and an LF that sit in different chunks joins them.
        std::string split = bytes;
        split.insert(at + 1, "y");
        CTextSnapshot joined = CTextSnapshot(split).Replaced(at + 1, at + 2, "");
        ExpectSameText(joined, bytes);
    }
}

TEST(TextSnapshot, RandomEditsMatchAStringAndLeaveOlderSnapshotsIntact) {
    std::mt19937 rng(7);
    std::string model = RandomBytes(rng, 30000);
    CTextSnapshot snap(model);
    std::vector<std::pair<CTextSnapshot, std::string>> history;
    for (int step = 0; step < 300; ++step) {
        const std::size_t a = rng() % (model.size() + 1);
        const std::size_t len = rng() % 4 == 0 ? rng() % 9000 : rng() % 5;
        const std::size_t b = std::min(model.size(), a + len);
        const std::string ins = RandomBytes(rng, rng() % 3 == 0 ? rng() % 6000 : rng() % 4);
        history.emplace_back(snap, model);
        snap = snap.Replaced(a, b, ins);
        model.replace(a, b - a, ins);
        ASSERT_EQ(snap.Size(), model.size());
        if (step % 25 == 0)
            ExpectSameText(snap, model);
    }
    ExpectSameText(snap, model);
    for (std::size_t i = 0; i < history.size(); i += 37)
        EXPECT_EQ(history[i].first.ToString(), history[i].second);
}

TEST(TextSnapshot, CommonPrefixAndSuffixFindExactlyTheChangedRange) {
    std::mt19937 rng(11);
    const std::string base = RandomBytes(rng, 50000);
    CTextSnapshot a(base);
    for (int i = 0; i < 60; ++i) {
        const std::size_t at = rng() % base.size();
        const std::size_t end = std::min(base.size(), at + rng() % 20);
        const std::string ins = RandomBytes(rng, rng() % 10);
        CTextSnapshot b = a.Replaced(at, end, ins);
        std::string m = base;
        m.replace(at, end - at, ins);
        std::size_t p = 0;
        while (p < base.size() && p < m.size() && base[p] == m[p])
            ++p;
        std::size_t s = 0;
        while (s < base.size() - p && s < m.size() - p && base[base.size() - 1 - s] == m[m.size() - 1 - s])
            ++s;
        ASSERT_EQ(CTextSnapshot::CommonPrefix(a, b), p);
        ASSERT_EQ(CTextSnapshot::CommonSuffix(a, b, p), s);
        // Texts built separately share nothing but compare the same way.
        ASSERT_EQ(CTextSnapshot::CommonPrefix(CTextSnapshot(base), CTextSnapshot(m)), p);
    }
    EXPECT_TRUE(a == CTextSnapshot(base));
    EXPECT_FALSE(a == a.Replaced(10, 11, "?"));
}

TEST(TextSnapshot, ManySnapshotsOfALargeTextCostLittleMoreThanOne) {
    std::mt19937 rng(3);
    const std::string bytes = RandomBytes(rng, 5'000'000);
    std::vector<CTextSnapshot> kept{CTextSnapshot(bytes)};
    const std::size_t one = CTextSnapshot::StorageBytes(kept);
    EXPECT_LT(one, bytes.size() * 11 / 10);
    for (int i = 0; i < 49; ++i) {
        const std::size_t at = rng() % bytes.size();
        kept.push_back(kept.back().Replaced(at, at, "x"));
    }
    // Each edit costs about one chunk and the path to it, whatever the text's size.
    const std::size_t all = CTextSnapshot::StorageBytes(kept);
    EXPECT_LT(all - one, 49u * 12 * 1024);
    EXPECT_LT(all - one, bytes.size() / 10);
}

TEST(TextSnapshot, LargeInsertionsKeepTheirBufferAndEveryByteAroundThem) {
    std::mt19937 rng(5);
    std::string model = RandomBytes(rng, 20000);
    CTextSnapshot snap = CTextSnapshot::Adopting(std::string(model));
    ExpectSameText(snap, model);
    for (int step = 0; step < 8; ++step) {
        const std::size_t a = rng() % (model.size() + 1);
        const std::size_t b = std::min(model.size(), a + rng() % 3000);
        std::string ins = RandomBytes(rng, 64 * 1024 + rng() % 5000);
        // CR and LF at the edges, so that pairs form across the junctions.
        if (step % 3 == 0)
            ins.front() = '\n';
        if (step % 4 == 0)
            ins.back() = '\r';
        model.replace(a, b - a, ins);
        snap = snap.ReplacedAdopting(a, b, std::move(ins));
        ASSERT_EQ(snap.ToString(), model);
        ASSERT_EQ(snap.LineCount(), ReferenceLineStarts(model).size());
    }
    ExpectSameText(snap, model);
    // The adopted buffers are counted once however many leaves point into them.
    const std::size_t storage = CTextSnapshot::StorageBytes(std::vector<CTextSnapshot>{snap});
    EXPECT_LT(storage, model.size() * 3);
}

TEST(TextSnapshot, ForEachLineGivesEveryLineOfARangeAndStopsWhenAsked) {
    std::mt19937 rng(9);
    for (std::size_t n : {0u, 5u, 4096u, 30000u}) {
        std::string model;
        const CTextSnapshot snap = RandomlyEdited(rng, n, 20, 50, model);
        const auto starts = ReferenceLineStarts(model);
        auto contentEnd = [&](std::size_t line) {
            if (line + 1 == starts.size())
                return model.size();
            std::size_t end = starts[line + 1] - 1;
            if (end > 0 && model[end] == '\n' && model[end - 1] == '\r')
                --end;
            return end;
        };
        for (int round = 0; round < 10; ++round) {
            const std::size_t first = rng() % starts.size();
            const std::size_t last = first + rng() % (starts.size() - first);
            const std::size_t stopAfter = rng() % 3 == 0 ? rng() % (last - first + 1) : SIZE_MAX;
            std::size_t expected = first;
            snap.ForEachLine(first, last, [&](std::size_t line, std::size_t start, std::string_view content) {
                EXPECT_EQ(line, expected);
                EXPECT_EQ(start, starts[line]);
                EXPECT_EQ(content, std::string_view(model).substr(start, contentEnd(line) - start));
                return line - first != stopAfter && ++expected;
            });
            EXPECT_EQ(expected, stopAfter == SIZE_MAX ? last + 1 : first + stopAfter);
        }
    }
}

TEST(TextSnapshot, LineLengthsCountEveryLineWithoutItsBreak) {
    std::mt19937 rng(31);
    for (std::size_t n : {0u, 1u, 15u, 16u, 17u, 4096u, 50000u}) {
        std::string model;
        const CTextSnapshot snap = RandomlyEdited(rng, n, 10, 40, model);
        std::vector<std::size_t> lengths;
        snap.ForEachLineLength([&](std::size_t length) { lengths.push_back(length); });
        std::vector<std::size_t> expected;
        snap.ForEachLine(0, snap.LineCount() - 1, [&](std::size_t, std::size_t, std::string_view content) {
            expected.push_back(content.size());
            return true;
        });
        ASSERT_EQ(lengths, expected) << "size " << n;
        ASSERT_EQ(lengths.size(), ReferenceLineStarts(model).size());
    }
}

// What undo hands back is the very snapshot; the same bytes made again by edits are not.
TEST(SnapshotMark, RecognisesTheVerySnapshotOnly) {
    const CTextSnapshot text(std::string(100000, 'a'));
    const CSnapshotMark mark(text);
    const CTextSnapshot copy = text;
    EXPECT_TRUE(mark.Marks(copy));
    EXPECT_FALSE(mark.Marks(CTextSnapshot(std::string(100000, 'a'))));
    const CTextSnapshot edited = text.Replaced(5, 6, "b");
    EXPECT_FALSE(mark.Marks(edited));
    EXPECT_FALSE(mark.Marks(edited.Replaced(5, 6, "a")));
    EXPECT_FALSE(CSnapshotMark().Marks(copy));
    EXPECT_TRUE(CSnapshotMark(CTextSnapshot()).Marks(CTextSnapshot(std::string_view())));
    EXPECT_FALSE(CSnapshotMark(CTextSnapshot()).Marks(copy));
}
