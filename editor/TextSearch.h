#pragma once

#include "editor/TextBuffer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finding a CP932 string in the text. A match starts on a character boundary (the second
// byte of a double-byte character is never taken for an ASCII letter), never crosses a
// line break, and without match case compares only single-byte letters case-blind.
struct CSearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
    bool forward = true;
    bool wrapAround = true;
};

struct CSearchMatch {
    std::size_t start = 0;
    std::size_t end = 0;
};

// Forward: the first match starting at or after from; backward: the last match ending at
// or before from. With wrapAround the search continues from the other end of the text.
std::optional<CSearchMatch> FindText(const CTextSnapshot& text, std::string_view pattern, std::size_t from,
                                     const CSearchOptions& options);

// Every match from the start of the text to its end, none overlapping another.
std::vector<CSearchMatch> FindAll(const CTextSnapshot& text, std::string_view pattern,
                                  const CSearchOptions& options);

// Whether [start, end) is itself a match, as Replace asks of the selection before replacing it.
bool IsMatch(const CTextSnapshot& text, std::string_view pattern, std::size_t start, std::size_t end,
             const CSearchOptions& options);

// Replace All as one change: the span from the first match to the end of the last, and the
// bytes that take its place. Nothing when there is no match.
struct CReplacement {
    std::size_t start = 0;
    std::size_t end = 0;
    std::string bytes;
};
std::optional<CReplacement> ReplaceAllIn(const CTextSnapshot& text, std::string_view pattern,
                                         std::string_view replacement, const CSearchOptions& options);
