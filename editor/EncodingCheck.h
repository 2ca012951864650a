#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Finds pages that are probably not Shift-JIS, or whose charset declaration names another
// encoding than the bytes are in, from the beginning of the file only.
namespace EncodingCheck {

// Only this much of a file is looked at.
constexpr std::size_t kHeadBytes = 256 * 1024;

enum class CEncoding { ShiftJis, Ascii, Utf8, Utf8Bom, Utf16, EucJp, Iso2022Jp };

struct CFinding {
    CEncoding encoding = CEncoding::Ascii; // what the bytes are in
    std::string declared;                  // the charset a <meta> declares, as written; empty if none
    bool declaredMatches = true;           // the declaration names the bytes' encoding
};

// head: the first bytes of the file (at most kHeadBytes are read); complete says it is the
// whole file, so a character cut off at its end is an error rather than the cut.
CFinding Examine(std::string_view head, bool complete);

// The charset the first <meta charset> or <meta http-equiv="Content-Type"> outside comments
// declares, as written (quotes and blanks removed); empty when there is none.
std::string DeclaredCharset(std::string_view head);

// Whether a charset name stands for Shift-JIS as Windows writes it, in any letter case.
bool IsShiftJisName(std::string_view name);

// The message for the user, or nullopt when the page is Shift-JIS (or plain ASCII) and
// declares nothing else.
std::optional<QString> Warning(const CFinding& finding);

} // namespace EncodingCheck
