#pragma once

#include "editor/TextBuffer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Text commands that rewrite the selection or look for a tag bracket. "<", ">" and "&"
// are never the second byte of a double-byte character, so plain byte searches are safe.
namespace TextConversions {

// "<br>" in front of every CR LF of the selected text; a last line without CR LF gets none.
std::string BrAtLineEnds(std::string_view selected);

// "&", "<" and ">" written as "&amp;", "&lt;" and "&gt;" (ampersands first, so the new
// references are not converted again).
std::string ToCharacterReferences(std::string_view selected);

// The first ">" at or after from.
std::optional<std::size_t> FindNextClose(const CTextSnapshot& text, std::size_t from);
// The last "<" before offset before.
std::optional<std::size_t> FindPrevOpen(const CTextSnapshot& text, std::size_t before);

} // namespace TextConversions
