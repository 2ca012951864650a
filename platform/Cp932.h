#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Shift-JIS as Windows writes it (code page 932, NEC and IBM extensions included).
// The bytes of a document are never converted; these functions only derive display
// text from them and turn typed or pasted Unicode text into bytes.
namespace Cp932 {

// Lead bytes take exactly one trail byte; everything else is one byte long.
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Length in bytes (1 or 2) of the character starting at pos; a lead byte without a
// valid trail byte (or at the end of the text) stands alone.
std::size_t CharLength(std::string_view text, std::size_t pos);

// Character boundaries. Both work from any position without scanning from the start
// of the text: they look back only over the run of lead-range bytes before pos.
bool IsCharBoundary(std::string_view text, std::size_t pos);
std::size_t PrevCharStart(std::string_view text, std::size_t pos);
std::size_t NextCharStart(std::string_view text, std::size_t pos);
// The boundary at or before pos.
std::size_t FloorCharBoundary(std::string_view text, std::size_t pos);

// Bytes that have no character (invalid, truncated or unassigned) are shown as
// placeholder characters U+F700 + byte, which map back to the exact byte.
constexpr char16_t kPlaceholderBase = 0xF700;
constexpr bool IsPlaceholder(char16_t c) {
    return c >= kPlaceholderBase && c <= kPlaceholderBase + 0xFF;
}
constexpr unsigned char PlaceholderByte(char16_t c) {
    return static_cast<unsigned char>(c - kPlaceholderBase);
}

// Unicode of one character code (a single byte, or lead << 8 | trail); 0xFFFF when the
// code has no character.
char16_t DecodeChar(std::uint16_t code);

struct DisplayText {
    QString text;
    // offsets[i] is the byte offset (plus the base) where the character holding text[i] starts.
    std::vector<std::size_t> offsets;
};

// Decodes bytes for display; every byte is represented, nothing is dropped.
DisplayText DecodeForDisplay(std::string_view bytes, std::size_t baseOffset = 0);
QString Decode(std::string_view bytes);

struct EncodeResult {
    std::string bytes;
    // Characters CP932 cannot hold, in the order met (each once).
    QString unrepresentable;
};

// Encodes text; placeholders become their bytes again. A character CP932 cannot
// hold is written as "?" and reported in unrepresentable.
EncodeResult Encode(const QString& text);

// Encodes text for the page: a character CP932 cannot hold becomes an HTML character
// reference ("&#x1F600;"), so nothing is lost, and is reported in unrepresentable.
EncodeResult EncodeWithReferences(const QString& text);

// Code of one Unicode character (BMP), or -1 when CP932 cannot hold it.
int EncodeChar(char16_t c);

// The characters of text (each once) that CP932 holds only as another character, so that
// they read back changed: "〜" (U+301C) is written as the code of "～" (U+FF5E), "¥" as "\".
QString ChangedByRoundTrip(const QString& text);

} // namespace Cp932
