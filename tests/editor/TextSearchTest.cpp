#include "editor/TextSearch.h"

#include "tests/editor/TextSearchReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::optional<std::size_t> Find(const std::string& text, const std::string& pattern, std::size_t from,
                                CSearchOptions o = {}) {
    const auto m = FindText(CTextSnapshot(text), pattern, from, o);
    if (!m)
        return std::nullopt;
    return m->start;
}

} // namespace

TEST(TextSearch, FindsForwardFromTheCaretAndWrapsAround) {
    const std::string text = "abc abc abc";
    EXPECT_EQ(Find(text, "abc", 0), 0u);
    EXPECT_EQ(Find(text, "abc", 1), 4u);
    EXPECT_EQ(Find(text, "abc", 9), 0u);
    CSearchOptions noWrap;
    noWrap.wrapAround = false;
    EXPECT_EQ(Find(text, "abc", 9, noWrap), std::nullopt);
}

TEST(TextSearch, FindsBackwardMatchesThatEndBeforeTheCaret) {
    CSearchOptions back;
    back.forward = false;
    const std::string text = "abc abc abc";
    EXPECT_EQ(Find(text, "abc", 11, back), 8u);
    EXPECT_EQ(Find(text, "abc", 8, back), 4u);
    EXPECT_EQ(Find(text, "abc", 2, back), 8u); // wraps to the end
    back.wrapAround = false;
    EXPECT_EQ(Find(text, "abc", 2, back), std::nullopt);
}

TEST(TextSearch, NeverMatchesTheSecondByteOfADoubleByteCharacter) {
    // 0x81 0x40 is the ideographic space, 0x83 0x41 is "ア": their trail bytes are "@" and "A".
    const std::string text = "\x81\x40\x83\x41 A@";
    EXPECT_EQ(Find(text, "@", 0), 6u);
    EXPECT_EQ(Find(text, "A", 0), 5u);
    CSearchOptions caseBlind;
    EXPECT_EQ(Find(text, "a", 0, caseBlind), 5u);
}

TEST(TextSearch, CaseBlindSearchFoldsOnlySingleByteLetters) {
    CSearchOptions exact;
    exact.matchCase = true;
    EXPECT_EQ(Find("Body body", "body", 0, exact), 5u);
    EXPECT_EQ(Find("Body body", "BODY", 0), 0u);
    // 0x82 0x60 is "Ａ" and 0x82 0x81 is "ａ": different characters, never folded.
    EXPECT_EQ(Find("\x82\x60", "\x82\x81", 0), std::nullopt);
}

TEST(TextSearch, WholeWordsAreBoundedByNonWordCharacters) {
    CSearchOptions word;
    word.wholeWord = true;
    EXPECT_EQ(Find("table td tdx", "td", 0, word), 6u);
    EXPECT_EQ(Find("<td>", "td", 0, word), 1u);
    EXPECT_EQ(Find("xtd", "td", 0, word), std::nullopt);
}

TEST(TextSearch, DoesNotMatchAcrossLineBreaksAndFindsOnEveryKindOfLine) {
    EXPECT_EQ(Find("ab\r\ncd", "bc", 0), std::nullopt);
    EXPECT_EQ(Find("x\ry\nz\r\nkey", "key", 0), 7u);
    EXPECT_EQ(Find("key\rx", "key", 1), 0u);
}

TEST(TextSearch, FindAllGivesNonOverlappingMatchesInOrder) {
    const auto all = FindAll(CTextSnapshot(std::string("aaaa\r\naa")), "aa", {});
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].start, 0u);
    EXPECT_EQ(all[1].start, 2u);
    EXPECT_EQ(all[2].start, 6u);
}

TEST(TextSearch, ReplaceTakesTheSelectionOnlyWhenItIsItselfAMatch) {
    const CTextSnapshot text(std::string("Table tab\x83\x65"
                                         "ab"));
    EXPECT_TRUE(IsMatch(text, "tab", 0, 3, {}));
    EXPECT_FALSE(IsMatch(text, "tab", 0, 3, CSearchOptions{.matchCase = true}));
    EXPECT_FALSE(IsMatch(text, "tab", 0, 2, {}));
    EXPECT_FALSE(IsMatch(text, "tab", 1, 4, {}));
    // A backward, wrapping dialog still asks about the selection where it stands.
    EXPECT_TRUE(IsMatch(text, "tab", 6, 9, CSearchOptions{.forward = false}));
    // "ab" inside テ's trail byte is no match.
    EXPECT_FALSE(IsMatch(text, "eab", 10, 13, {}));
}

TEST(TextSearch, ReplaceAllIsOneSpanFromTheFirstMatchToTheLastKeepingWhatLiesBetween) {
    const CTextSnapshot text(std::string("<TD>a</TD>\r\n<TD>b"));
    const auto change = ReplaceAllIn(text, "td", "th", {});
    ASSERT_TRUE(change);
    EXPECT_EQ(change->start, 1u);
    EXPECT_EQ(change->end, 15u);
    EXPECT_EQ(change->bytes, "th>a</th>\r\n<th");
    EXPECT_FALSE(ReplaceAllIn(text, "tr", "th", {}));
}

namespace {

// Bytes that make CP932 hard to search: letters of both cases (also as trail bytes), word and
// non-word bytes, every kind of line break, valid pairs whose trail is a letter, "\", "@" or a
// lead-range byte, lone lead bytes, a lead before a byte that cannot be its trail, and
// single bytes above 0x7F that are no lead.
const std::vector<std::string> kTokens{
    "t",        "d",        "T",        "D",        "a",        "A",        "_",    "1",        " ",
    "<",        ">",        "\\",       "@",        "\r",       "\n",       "\r\n", "\x83\x41", "\x83\x61",
    "\x83\x5C", "\x81\x40", "\x88\x9F", "\x9F\x88", "\xE0\xE0", "\x82\xDC", "\x83", "\x88",     "\xE0",
    "\xFC",     "\x83\x7F", "\x83\x0D", "\xA0",     "\xDC",     "\xFD",     "\x80"};

std::string RandomText(std::mt19937& rng, std::size_t tokens) {
    std::string s;
    for (std::size_t i = 0; i < tokens; ++i) {
        // Now and then a long run of lead-range bytes, whose parity decides what follows it.
        if (rng() % 40 == 0)
            s.append(1 + rng() % 9, "\x88\x9F\xE0\xFC"[rng() % 4]);
        else
            s += kTokens[rng() % kTokens.size()];
    }
    return s;
}

// A pattern likely to be found: a piece of the text, sometimes with its letters' case
// flipped, or a few random tokens.
std::string RandomPattern(std::mt19937& rng, const std::string& text) {
    std::string p;
    if (!text.empty() && rng() % 3 != 0) {
        const std::size_t at = rng() % text.size();
        p = text.substr(at, 1 + rng() % 5);
        if (rng() % 2)
            for (char& c : p)
                if (std::isalpha(static_cast<unsigned char>(c)) && rng() % 2)
                    c = static_cast<char>(c ^ 0x20);
    } else {
        p = RandomText(rng, 1 + rng() % 3);
    }
    return p;
}

// The text as edits leave it: its slices put in place in a random order, so that the
// snapshot's pieces end at places of no particular meaning.
CTextSnapshot RandomlyBuilt(std::mt19937& rng, const std::string& text) {
    std::vector<std::size_t> cuts{0, text.size()};
    for (std::size_t i = 0, n = text.size() / 300; i < n; ++i)
        cuts.push_back(rng() % (text.size() + 1));
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::size_t> order(cuts.size() - 1);
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), rng);
    std::vector<bool> placed(order.size());
    CTextSnapshot snap;
    for (std::size_t slice : order) {
        std::size_t at = 0;
        for (std::size_t j = 0; j < slice; ++j)
            if (placed[j])
                at += cuts[j + 1] - cuts[j];
        snap =
            snap.Replaced(at, at, std::string_view(text).substr(cuts[slice], cuts[slice + 1] - cuts[slice]));
        placed[slice] = true;
    }
    return snap;
}

// The text as opening a file leaves it, its buffer taken over whole, then edited in a few
// places that put the same bytes back.
CTextSnapshot AdoptedAndEdited(std::mt19937& rng, const std::string& text) {
    CTextSnapshot snap = CTextSnapshot::Adopting(std::string(text));
    for (int i = 0; i < 6; ++i) {
        const std::size_t at = rng() % (text.size() + 1);
        const std::size_t length = std::min<std::size_t>(rng() % 50, text.size() - at);
        snap = snap.Replaced(at, at + length, std::string_view(text).substr(at, length));
    }
    return snap;
}

std::string Escaped(const std::string& bytes) {
    std::ostringstream out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\')
            out << c;
        else
            out << "\\x"
                << "0123456789ABCDEF"[b >> 4] << "0123456789ABCDEF"[b & 15];
    }
    return out.str();
}

std::vector<CSearchOptions> AllOptions() {
    std::vector<CSearchOptions> all;
    for (int bits = 0; bits < 16; ++bits)
        all.push_back({.matchCase = (bits & 1) != 0,
                       .wholeWord = (bits & 2) != 0,
                       .forward = (bits & 4) != 0,
                       .wrapAround = (bits & 8) != 0});
    return all;
}

std::string Describe(const std::string& text, const std::string& pattern, const CSearchOptions& o) {
    std::ostringstream out;
    out << "pattern \"" << Escaped(pattern) << "\" matchCase " << o.matchCase << " wholeWord " << o.wholeWord
        << " forward " << o.forward << " wrap " << o.wrapAround << " text size " << text.size();
    if (text.size() <= 200)
        out << " text \"" << Escaped(text) << "\"";
    return out.str();
}

// Compares every answer of the search with the plain character-by-character search.
void ExpectSameAsPlainSearch(std::mt19937& rng, const std::string& text, const CTextSnapshot& snap,
                             const std::string& pattern) {
    ASSERT_EQ(snap.ToString(), text);
    for (const CSearchOptions& o : AllOptions()) {
        SCOPED_TRACE(Describe(text, pattern, o));
        const auto all = FindAll(snap, pattern, o);
        const auto plainAll = SimpleSearch::FindAll(snap, pattern, o);
        ASSERT_EQ(all.size(), plainAll.size());
        for (std::size_t i = 0; i < all.size(); ++i) {
            ASSERT_EQ(all[i].start, plainAll[i].start) << "match " << i;
            ASSERT_EQ(all[i].end, plainAll[i].end) << "match " << i;
        }

        // Every start position on small texts; on large ones the ends, the matches and
        // their neighbours, and random places.
        std::vector<std::size_t> froms{0, text.size(), text.size() + 3};
        if (text.size() <= 300) {
            for (std::size_t f = 1; f < text.size(); ++f)
                froms.push_back(f);
        } else {
            for (std::size_t i = 0; i < all.size(); i += 1 + all.size() / 10)
                for (const std::size_t f : {all[i].start, all[i].start + 1, all[i].end, all[i].end - 1})
                    froms.push_back(f);
            for (int i = 0; i < 10; ++i)
                froms.push_back(rng() % text.size());
        }
        for (const std::size_t from : froms) {
            const auto found = FindText(snap, pattern, from, o);
            const auto plain = SimpleSearch::FindText(snap, pattern, from, o);
            ASSERT_EQ(found.has_value(), plain.has_value()) << "from " << from;
            if (found) {
                ASSERT_EQ(found->start, plain->start) << "from " << from;
                ASSERT_EQ(found->end, plain->end) << "from " << from;
            }
            for (const std::size_t end : {from + pattern.size(), from + pattern.size() + 1, from})
                ASSERT_EQ(IsMatch(snap, pattern, from, end, o),
                          SimpleSearch::IsMatch(snap, pattern, from, end, o))
                    << "selection " << from << "-" << end;
        }

        for (const std::string& replacement : {std::string(), std::string("X\x83\x41")}) {
            const auto change = ReplaceAllIn(snap, pattern, replacement, o);
            const auto plain = SimpleSearch::ReplaceAllIn(snap, pattern, replacement, o);
            ASSERT_EQ(change.has_value(), plain.has_value());
            if (change) {
                ASSERT_EQ(change->start, plain->start);
                ASSERT_EQ(change->end, plain->end);
                ASSERT_EQ(change->bytes, plain->bytes);
            }
        }
    }
}

} // namespace

TEST(TextSearch, AgreesWithThePlainSearchOnRandomShortTexts) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(rng, rng() % 40);
        const CTextSnapshot snap(text);
        for (int i = 0; i < 4; ++i)
            ExpectSameAsPlainSearch(rng, text, snap, RandomPattern(rng, text));
        if (HasFatalFailure())
            return;
    }
}

TEST(TextSearch, AgreesWithThePlainSearchWhereMatchesAndLeadRunsCrossPieces) {
    std::mt19937 rng(915);
    std::size_t manyPieces = 0;
    for (int round = 0; round < 16; ++round) {
        const std::string text = RandomText(rng, 4000 + rng() % 8000);
        const CTextSnapshot snap = round % 4 == 3 ? AdoptedAndEdited(rng, text) : RandomlyBuilt(rng, text);
        std::size_t pieces = 0;
        snap.ForEachPiece(0, snap.Size(), [&](std::string_view) { ++pieces; });
        manyPieces += pieces > 2;
        for (int i = 0; i < 5; ++i)
            ExpectSameAsPlainSearch(rng, text, snap, RandomPattern(rng, text));
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(manyPieces, 10u); // the texts were really searched across pieces
}

TEST(TextSearch, ALongRunOfLeadRangeBytesAcrossPiecesDecidesWhereCharactersStart) {
    // "\x88\x9F" is a kanji whose trail byte is in the lead range as well: only counting the
    // whole run from its start tells whether the "A" after it is a letter or a trail byte.
    for (const std::size_t run : {9001u, 9000u}) {
        const std::string text = "x" + std::string(run, '\x88') + "A td";
        std::mt19937 rng(static_cast<unsigned>(run));
        const CTextSnapshot snap = RandomlyBuilt(rng, text);
        const bool letter = run % 2 == 0;
        const auto found = FindText(snap, "A", 0, {.matchCase = true});
        ASSERT_EQ(found.has_value(), letter) << run;
        if (letter) {
            EXPECT_EQ(found->start, run + 1);
        }
        const auto back = FindText(snap, "a", snap.Size(), {.forward = false});
        EXPECT_EQ(back.has_value(), letter) << run;
        EXPECT_EQ(IsMatch(snap, "A", run + 1, run + 2, {}), letter);
        // The word after the run is found either way.
        EXPECT_EQ(FindAll(snap, "td", {.wholeWord = true}).size(), 1u);
    }
}

TEST(TextSearch, ReplaceAllBuildsTheChangeFromEveryPieceOfALargeText) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += i % 7 == 0 ? "<TD>\x83\x65\x83\x58\r\n" : "<td>\x82\xDC";
    std::mt19937 rng(7);
    const CTextSnapshot snap = RandomlyBuilt(rng, text);
    const auto change = ReplaceAllIn(snap, "td", "th", {});
    ASSERT_TRUE(change);
    std::string expected = text;
    for (std::size_t at = 0; (at = expected.find("<", at)) != std::string::npos; at += 3)
        expected.replace(at + 1, 2, "th");
    EXPECT_EQ(change->start, 1u);
    EXPECT_EQ(snap.Replaced(change->start, change->end, std::string_view(change->bytes)).ToString(),
              expected);
}
