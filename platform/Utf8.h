#pragma once

#include <cstddef>
#include <string_view>

namespace Utf8 {

// The sequence at bytes[i]: its length when it is a well-formed UTF-8 character (1 for
// ASCII), 0 when it is not, and kCutOff when it is well formed as far as bytes go but ends
// past them. Overlong forms, surrogates and code points above U+10FFFF are not characters.
constexpr int kCutOff = -1;
int SequenceAt(std::string_view bytes, std::size_t i);

} // namespace Utf8
