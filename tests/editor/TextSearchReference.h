#pragma once

// The plain search the fast one in editor/TextSearch.cpp must agree with: the whole text
// copied into one string, every line scanned character by character, each character start
// tried in turn. Slow but obviously right; the differential test and the search benchmark
// compare against it.

#include "editor/TextSearch.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace SimpleSearch {
namespace Detail {

inline bool IsAsciiWordByte(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

inline unsigned char Fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

inline bool IsBreak(char c) {
    return c == '\n' || c == '\r';
}

// Whether pattern matches at the character start pos of text; pattern is compared
// character by character so that a lead byte is never folded.
inline bool MatchesAt(std::string_view text, std::size_t pos, std::string_view pattern,
                      const CSearchOptions& o) {
    if (pos + pattern.size() > text.size())
        return false;
    for (std::size_t i = 0; i < pattern.size();) {
        const std::size_t len = Cp932::CharLength(pattern, i);
        if (Cp932::CharLength(text, pos + i) != len)
            return false;
        if (len == 1) {
            const auto a = static_cast<unsigned char>(text[pos + i]);
            const auto b = static_cast<unsigned char>(pattern[i]);
            if (o.matchCase ? a != b : Fold(a) != Fold(b))
                return false;
        } else if (text.compare(pos + i, 2, pattern.substr(i, 2)) != 0) {
            return false;
        }
        i += len;
    }
    if (o.wholeWord) {
        const std::size_t end = pos + pattern.size();
        // A word ends where an ASCII word character meets something else.
        if (IsAsciiWordByte(static_cast<unsigned char>(pattern.front())) && pos > 0 &&
            Cp932::CharLength(text, Cp932::PrevCharStart(text, pos)) == 1 &&
            IsAsciiWordByte(static_cast<unsigned char>(text[pos - 1])))
            return false;
        if (IsAsciiWordByte(static_cast<unsigned char>(pattern.back())) && end < text.size() &&
            Cp932::CharLength(text, end) == 1 && IsAsciiWordByte(static_cast<unsigned char>(text[end])))
            return false;
    }
    return true;
}

// All match starts on one line [lineStart, lineEnd), scanning by character.
inline void MatchesOnLine(std::string_view text, std::size_t lineStart, std::size_t lineEnd,
                          std::string_view pattern, const CSearchOptions& o, std::vector<std::size_t>& out) {
    for (std::size_t p = lineStart; p + pattern.size() <= lineEnd; p += Cp932::CharLength(text, p))
        if (MatchesAt(text, p, pattern, o))
            out.push_back(p);
}

inline std::size_t LineStartBefore(std::string_view text, std::size_t pos) {
    while (pos > 0 && !IsBreak(text[pos - 1]))
        --pos;
    return pos;
}

inline std::size_t LineEndFrom(std::string_view text, std::size_t pos) {
    while (pos < text.size() && !IsBreak(text[pos]))
        ++pos;
    return pos;
}

// The first match starting in [from, limit).
inline std::optional<std::size_t> SearchForward(std::string_view text, std::string_view pattern,
                                                std::size_t from, std::size_t limit,
                                                const CSearchOptions& o) {
    std::vector<std::size_t> found;
    for (std::size_t lineStart = LineStartBefore(text, from);;) {
        const std::size_t lineEnd = LineEndFrom(text, lineStart);
        found.clear();
        MatchesOnLine(text, lineStart, lineEnd, pattern, o, found);
        for (std::size_t p : found)
            if (p >= from && p < limit)
                return p;
        if (lineEnd >= text.size() || lineEnd >= limit)
            return std::nullopt;
        lineStart = lineEnd + 1;
    }
}

// The last match ending at or before from and starting at or after limit.
inline std::optional<std::size_t> SearchBackward(std::string_view text, std::string_view pattern,
                                                 std::size_t from, std::size_t limit,
                                                 const CSearchOptions& o) {
    std::vector<std::size_t> found;
    for (std::size_t lineStart = LineStartBefore(text, from);;) {
        const std::size_t lineEnd = LineEndFrom(text, lineStart);
        found.clear();
        MatchesOnLine(text, lineStart, lineEnd, pattern, o, found);
        for (auto it = found.rbegin(); it != found.rend(); ++it)
            if (*it + pattern.size() <= from && *it >= limit)
                return *it;
        if (lineStart == 0 || lineStart <= limit)
            return std::nullopt;
        lineStart = LineStartBefore(text, lineStart - 1);
    }
}

} // namespace Detail

using namespace Detail;

inline std::optional<CSearchMatch> FindText(const CTextSnapshot& snapshot, std::string_view pattern,
                                            std::size_t from, const CSearchOptions& o) {
    if (pattern.empty())
        return std::nullopt;
    const std::string whole = snapshot.ToString();
    const std::string_view text = whole;
    from = std::min(from, text.size());
    std::optional<std::size_t> at;
    if (o.forward) {
        at = SearchForward(text, pattern, from, text.size(), o);
        if (!at && o.wrapAround)
            at = SearchForward(text, pattern, 0, from, o);
    } else {
        at = SearchBackward(text, pattern, from, 0, o);
        if (!at && o.wrapAround)
            at = SearchBackward(text, pattern, text.size(), from, o);
    }
    if (!at)
        return std::nullopt;
    return CSearchMatch{*at, *at + pattern.size()};
}

inline std::vector<CSearchMatch> FindAll(const CTextSnapshot& snapshot, std::string_view pattern,
                                         const CSearchOptions& o) {
    std::vector<CSearchMatch> out;
    if (pattern.empty())
        return out;
    const std::string whole = snapshot.ToString();
    const std::string_view text = whole;
    std::vector<std::size_t> found;
    for (std::size_t lineStart = 0;;) {
        const std::size_t lineEnd = LineEndFrom(text, lineStart);
        found.clear();
        MatchesOnLine(text, lineStart, lineEnd, pattern, o, found);
        for (std::size_t p : found)
            if (out.empty() || p >= out.back().end)
                out.push_back({p, p + pattern.size()});
        if (lineEnd >= text.size())
            return out;
        lineStart = lineEnd + 1;
    }
}

inline bool IsMatch(const CTextSnapshot& text, std::string_view pattern, std::size_t start, std::size_t end,
                    const CSearchOptions& options) {
    CSearchOptions here = options;
    here.forward = true;
    here.wrapAround = false;
    const auto match = SimpleSearch::FindText(text, pattern, start, here);
    return match && match->start == start && match->end == end;
}

inline std::optional<CReplacement> ReplaceAllIn(const CTextSnapshot& text, std::string_view pattern,
                                                std::string_view replacement, const CSearchOptions& options) {
    const std::vector<CSearchMatch> matches = SimpleSearch::FindAll(text, pattern, options);
    if (matches.empty())
        return std::nullopt;
    CReplacement out{matches.front().start, matches.back().end, {}};
    std::size_t from = out.start;
    for (const CSearchMatch& m : matches) {
        out.bytes += text.Range(from, m.start);
        out.bytes += replacement;
        from = m.end;
    }
    return out;
}

} // namespace SimpleSearch
