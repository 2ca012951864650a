#include "editor/TextSearch.h"

#include "platform/Cp932.h"
#include "platform/LargeBuffer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

// The text is searched where it lies, in the snapshot's pieces: a 50 MB page is never copied.
// Candidates come from memchr/memrchr on one byte of the pattern (the one the text holds
// least often); only a candidate whose bytes match is checked for a character start, by
// looking back over the run of lead-range bytes before it. Line starts need no special case:
// a match never holds a line break, and CR and LF are never the trail of a character.

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

bool IsAsciiWordByte(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsAsciiLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The snapshot's pieces in order, read in place, with a cursor that makes reading near the
// last position read cheap.
class CPieces {
public:
    explicit CPieces(const CTextSnapshot& text) {
        std::size_t at = 0;
        text.ForEachPiece(0, text.Size(), [&](std::string_view piece) {
            if (piece.empty())
                return;
            m_pieces.push_back(piece);
            m_starts.push_back(at);
            at += piece.size();
        });
        m_size = at;
    }

    std::size_t Size() const { return m_size; }
    std::size_t Count() const { return m_pieces.size(); }
    std::string_view Piece(std::size_t i) const { return m_pieces[i]; }
    std::size_t Start(std::size_t i) const { return m_starts[i]; }
    std::size_t End(std::size_t i) const { return m_starts[i] + m_pieces[i].size(); }

    // The piece holding pos (pos < Size()).
    std::size_t Locate(std::size_t pos) {
        if (pos - m_starts[m_hint] >= m_pieces[m_hint].size()) {
            if (m_hint + 1 < Count() && pos - m_starts[m_hint + 1] < m_pieces[m_hint + 1].size())
                ++m_hint;
            else
                m_hint = static_cast<std::size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), pos) -
                                                  m_starts.begin()) -
                         1;
        }
        return m_hint;
    }

    unsigned char At(std::size_t pos) {
        const std::size_t i = Locate(pos);
        return static_cast<unsigned char>(m_pieces[i][pos - m_starts[i]]);
    }

    void AppendTo(std::string& out, std::size_t start, std::size_t end) {
        while (start < end) {
            const std::size_t i = Locate(start);
            const std::size_t offset = start - m_starts[i];
            const std::size_t length = std::min(end - start, m_pieces[i].size() - offset);
            out.append(m_pieces[i].data() + offset, length);
            start += length;
        }
    }

private:
    std::vector<std::string_view> m_pieces;
    std::vector<std::size_t> m_starts;
    std::size_t m_size = 0;
    std::size_t m_hint = 0;
};

// The pattern prepared for matching in place.
struct CPattern {
    std::string_view bytes;
    // Per byte, the other byte the text may hold there: the other case of a single-byte
    // letter when case is ignored, otherwise the byte itself (a double-byte character,
    // trail byte included, is compared exactly).
    std::string other;
    // The last character is a lead byte standing alone: in the text it must not take the
    // byte after the match as its trail.
    bool endsWithLoneLead = false;
    bool wordAtStart = false;
    bool wordAtEnd = false;
    // Index of the byte the scan looks for.
    std::size_t anchor = 0;
    // An empty pattern or one holding a line break matches nowhere.
    bool usable = false;
};

// The byte counts of 16 samples of up to 4 KB spread evenly over the text: which pattern
// byte is rare here, whatever the sizes of the pieces.
std::array<std::size_t, 256> SampleByteCounts(CPieces& text) {
    std::array<std::size_t, 256> counts{};
    constexpr std::size_t kSamples = 16;
    for (std::size_t s = 0; s < kSamples && text.Size() > 0; ++s) {
        const std::size_t at = s * text.Size() / kSamples;
        const std::size_t piece = text.Locate(at);
        for (const char c : text.Piece(piece).substr(at - text.Start(piece), 4096))
            ++counts[static_cast<unsigned char>(c)];
    }
    return counts;
}

CPattern Prepare(std::string_view pattern, const CSearchOptions& o, CPieces& text) {
    CPattern p;
    p.bytes = pattern;
    if (pattern.empty() || pattern.find_first_of("\r\n") != std::string_view::npos)
        return p;
    p.usable = true;
    p.other.assign(pattern);
    std::size_t last = 0;
    for (std::size_t i = 0; i < pattern.size(); i += Cp932::CharLength(pattern, i)) {
        last = i;
        const auto c = static_cast<unsigned char>(pattern[i]);
        if (!o.matchCase && Cp932::CharLength(pattern, i) == 1 && IsAsciiLetter(c))
            p.other[i] = static_cast<char>(c ^ 0x20);
    }
    p.endsWithLoneLead =
        last == pattern.size() - 1 && Cp932::IsLeadByte(static_cast<unsigned char>(pattern.back()));
    p.wordAtStart = o.wholeWord && IsAsciiWordByte(static_cast<unsigned char>(pattern.front()));
    p.wordAtEnd = o.wholeWord && IsAsciiWordByte(static_cast<unsigned char>(pattern.back()));
    if (pattern.size() > 1) {
        const auto counts = SampleByteCounts(text);
        std::size_t best = kNone;
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            const auto a = static_cast<unsigned char>(pattern[i]);
            const auto b = static_cast<unsigned char>(p.other[i]);
            const std::size_t seen = counts[a] + (a != b ? counts[b] : 0);
            if (seen < best) {
                best = seen;
                p.anchor = i;
            }
        }
    }
    return p;
}

class CSearch {
public:
    CSearch(const CTextSnapshot& snapshot, std::string_view pattern, const CSearchOptions& o)
        : m_text(snapshot), m_p(Prepare(pattern, o, m_text)) {}

    bool Usable() const { return m_p.usable; }
    std::size_t Length() const { return m_p.bytes.size(); }
    CPieces& Text() { return m_text; }

    // Whether the pattern matches at pos: the bytes, then the character start and the
    // word bounds.
    bool MatchesAt(std::size_t pos) {
        const std::size_t size = m_text.Size();
        const std::size_t n = m_p.bytes.size();
        if (!m_p.usable || pos > size || size - pos < n || !BytesMatch(pos))
            return false;
        const std::size_t end = pos + n;
        if (m_p.endsWithLoneLead && end < size && Cp932::IsTrailByte(m_text.At(end)))
            return false;
        if (!IsCharStart(pos))
            return false;
        // A word ends where an ASCII word character meets something else; the byte before
        // is a character of its own only if it is not the trail of a double-byte one.
        if (m_p.wordAtStart && pos > 0 && IsAsciiWordByte(m_text.At(pos - 1)) && IsCharStart(pos - 1))
            return false;
        if (m_p.wordAtEnd && end < size && IsAsciiWordByte(m_text.At(end)))
            return false;
        return true;
    }

    // Calls onMatch(start) for the matches starting in [from, limit), in order; onMatch
    // gives the position the next match may start at, or kNone to stop.
    template <class OnMatch> void Forward(std::size_t from, std::size_t limit, OnMatch&& onMatch) {
        const std::size_t n = m_p.bytes.size();
        if (!m_p.usable || n > m_text.Size())
            return;
        limit = std::min(limit, m_text.Size() - n + 1);
        const std::size_t k = m_p.anchor;
        const auto a = static_cast<unsigned char>(m_p.bytes[k]);
        const auto b = static_cast<unsigned char>(m_p.other[k]);
        // h walks the anchor byte's positions; the candidate starts k bytes before.
        std::size_t h = from + k;
        const std::size_t hEnd = limit + k;
        while (h < hEnd) {
            const std::size_t piece = m_text.Locate(h);
            const char* base = m_text.Piece(piece).data();
            const std::size_t start = m_text.Start(piece);
            const std::size_t stop = std::min(m_text.End(piece), hEnd);
            // The next position of either byte in this piece (stop: none), kept until passed.
            std::size_t nextA = kNone;
            std::size_t nextB = kNone;
            const auto next = [&](unsigned char c, std::size_t& cached) {
                if (cached == kNone || cached < h) {
                    const void* hit = std::memchr(base + (h - start), c, stop - h);
                    cached =
                        hit ? start + static_cast<std::size_t>(static_cast<const char*>(hit) - base) : stop;
                }
                return cached;
            };
            while (h < stop) {
                const std::size_t hit = a == b ? next(a, nextA) : std::min(next(a, nextA), next(b, nextB));
                if (hit >= stop) {
                    h = stop;
                    break;
                }
                if (MatchesAt(hit - k)) {
                    const std::size_t resume = onMatch(hit - k);
                    if (resume == kNone)
                        return;
                    h = resume + k;
                } else {
                    h = hit + 1;
                }
            }
        }
    }

    std::optional<std::size_t> First(std::size_t from, std::size_t limit) {
        std::optional<std::size_t> found;
        Forward(from, limit, [&](std::size_t at) {
            found = at;
            return kNone;
        });
        return found;
    }

    // The last match starting in [lo, hi].
    std::optional<std::size_t> Last(std::size_t lo, std::size_t hi) {
        const std::size_t n = m_p.bytes.size();
        if (!m_p.usable || n > m_text.Size())
            return std::nullopt;
        hi = std::min(hi, m_text.Size() - n);
        if (lo > hi)
            return std::nullopt;
        const std::size_t k = m_p.anchor;
        const auto a = static_cast<unsigned char>(m_p.bytes[k]);
        const auto b = static_cast<unsigned char>(m_p.other[k]);
        // Anchor positions [hLo, h) are left to look at, from the top down.
        std::size_t h = hi + k + 1;
        const std::size_t hLo = lo + k;
        while (h > hLo) {
            const std::size_t piece = m_text.Locate(h - 1);
            const char* base = m_text.Piece(piece).data();
            const std::size_t start = m_text.Start(piece);
            const std::size_t floor = std::max(start, hLo);
            // One past the last position of either byte below h in this piece (floor: none),
            // kept while it stays below h.
            std::size_t lastA = kNone;
            std::size_t lastB = kNone;
            const auto previous = [&](unsigned char c, std::size_t& cached) {
                if (cached == kNone || cached > h) {
                    const void* hit = memrchr(base + (floor - start), c, h - floor);
                    cached = hit ? start + static_cast<std::size_t>(static_cast<const char*>(hit) - base) + 1
                                 : floor;
                }
                return cached;
            };
            while (h > floor) {
                const std::size_t past =
                    a == b ? previous(a, lastA) : std::max(previous(a, lastA), previous(b, lastB));
                if (past == floor) {
                    h = floor;
                    break;
                }
                const std::size_t hit = past - 1;
                if (MatchesAt(hit - k))
                    return hit - k;
                h = hit;
            }
        }
        return std::nullopt;
    }

private:
    bool BytesMatch(std::size_t pos) {
        const std::size_t n = m_p.bytes.size();
        const std::size_t piece = m_text.Locate(pos);
        if (pos + n <= m_text.End(piece)) {
            const char* at = m_text.Piece(piece).data() + (pos - m_text.Start(piece));
            for (std::size_t i = 0; i < n; ++i)
                if (at[i] != m_p.bytes[i] && at[i] != m_p.other[i])
                    return false;
            return true;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const char c = static_cast<char>(m_text.At(pos + i));
            if (c != m_p.bytes[i] && c != m_p.other[i])
                return false;
        }
        return true;
    }

    // Where the run of lead-range bytes ending at pos begins. The last run found is kept:
    // every byte of it is lead-range, so a position inside it, or a later one the run goes
    // on to, needs no second look at the same bytes.
    std::size_t LeadRunStart(std::size_t pos) {
        if (pos >= m_runStart && pos <= m_runEnd)
            return m_runStart;
        const bool extends = pos > m_runEnd;
        const std::size_t stop = extends ? m_runEnd : 0;
        std::size_t q = pos;
        while (q > stop && Cp932::IsLeadByte(m_text.At(q - 1)))
            --q;
        if (!(extends && q == stop))
            m_runStart = q;
        m_runEnd = pos;
        return m_runStart;
    }

    // A byte outside the lead range always ends a character; the lead-range bytes after it
    // pair up, so pos starts a character when an even number of them stand before it, or
    // when the byte at pos cannot be a trail.
    bool IsCharStart(std::size_t pos) {
        if (pos == 0 || pos >= m_text.Size())
            return true;
        return (pos - LeadRunStart(pos)) % 2 == 0 || !Cp932::IsTrailByte(m_text.At(pos));
    }

    CPieces m_text;
    CPattern m_p;
    std::size_t m_runStart = 0;
    std::size_t m_runEnd = 0;
};

} // namespace

std::optional<CSearchMatch> FindText(const CTextSnapshot& snapshot, std::string_view pattern,
                                     std::size_t from, const CSearchOptions& o) {
    CSearch search(snapshot, pattern, o);
    if (!search.Usable())
        return std::nullopt;
    const std::size_t size = search.Text().Size();
    const std::size_t n = search.Length();
    from = std::min(from, size);
    std::optional<std::size_t> at;
    if (o.forward) {
        at = search.First(from, size);
        if (!at && o.wrapAround)
            at = search.First(0, from);
    } else {
        // The last match ending at or before from; wrapping, the last one starting at or after it.
        if (from >= n)
            at = search.Last(0, from - n);
        if (!at && o.wrapAround)
            at = search.Last(from, size);
    }
    if (!at)
        return std::nullopt;
    return CSearchMatch{*at, *at + n};
}

std::vector<CSearchMatch> FindAll(const CTextSnapshot& snapshot, std::string_view pattern,
                                  const CSearchOptions& o) {
    std::vector<CSearchMatch> out;
    CSearch search(snapshot, pattern, o);
    const std::size_t n = search.Length();
    // Counted first, so that a million matches take one allocation and no copying.
    std::size_t count = 0;
    search.Forward(0, search.Text().Size(), [&](std::size_t at) {
        ++count;
        return at + n;
    });
    out.reserve(count);
    search.Forward(0, search.Text().Size(), [&](std::size_t at) {
        out.push_back({at, at + n});
        return at + n;
    });
    return out;
}

bool IsMatch(const CTextSnapshot& text, std::string_view pattern, std::size_t start, std::size_t end,
             const CSearchOptions& options) {
    CSearch search(text, pattern, options);
    return end >= start && end - start == pattern.size() && search.MatchesAt(start);
}

std::optional<CReplacement> ReplaceAllIn(const CTextSnapshot& text, std::string_view pattern,
                                         std::string_view replacement, const CSearchOptions& options) {
    CSearch search(text, pattern, options);
    const std::size_t n = search.Length();
    // Counting first gives the exact size, so the result is reserved once and no list of a
    // million matches is kept: a second scan costs less than fresh memory for the list.
    std::size_t count = 0;
    std::size_t first = 0;
    std::size_t last = 0;
    search.Forward(0, search.Text().Size(), [&](std::size_t at) {
        if (count++ == 0)
            first = at;
        last = at;
        return at + n;
    });
    if (count == 0)
        return std::nullopt;
    CReplacement out{first, last + n, {}};
    ReserveLarge(out.bytes, out.end - out.start - count * n + count * replacement.size());
    std::size_t from = first;
    search.Forward(first, last + 1, [&](std::size_t at) {
        search.Text().AppendTo(out.bytes, from, at);
        out.bytes.append(replacement);
        from = at + n;
        return from;
    });
    return out;
}
