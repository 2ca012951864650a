#pragma once

#include "editor/TextBuffer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Characters that exist only in CP932 and turn into garbage elsewhere: NEC row 13 (lead
// byte 0x87), the NEC-selected IBM extensions (0xED, 0xEE), the IBM extensions (0xFA to
// 0xFC) and the user-defined area (0xF0 to 0xF9). A lead byte counts only with a valid
// trail byte; an unassigned code in the vendor rows is no character and is not counted.
namespace DependentChars {

enum class Kind : std::uint8_t { None, Vendor, UserDefined };

// The kind of the double-byte code lead << 8 | trail (single bytes are never dependent).
Kind KindOf(std::uint16_t code);
// The kind of the character starting at pos of bytes that begin at a character boundary.
Kind KindAt(std::string_view bytes, std::size_t pos);

// The first dependent character (of either kind) starting at or after from, a character
// boundary; then, wrapping around, the first one from the start of the text before from.
std::optional<std::size_t> FindNext(const CTextSnapshot& text, std::size_t from);

// Every vendor character of selected (which starts at a character boundary) written as a
// hexadecimal character reference of its Unicode character ("&#x2460;" for the circled 1);
// user-defined characters, which have no portable meaning, stay as they are.
std::string ToHexReferences(std::string_view selected);

} // namespace DependentChars
