#include "editor/DependentChars.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <cstdio>

namespace DependentChars {
namespace {

// The text is searched in windows of this size, so a jump reads only as far as it must.
constexpr std::size_t kWindow = 64 * 1024;

bool IsVendorLead(unsigned char b) {
    return b == 0x87 || b == 0xED || b == 0xEE || (b >= 0xFA && b <= 0xFC);
}
bool IsUserDefinedLead(unsigned char b) {
    return b >= 0xF0 && b <= 0xF9;
}

// The first dependent character in [from, end) of text, where from is a character
// boundary; end is clamped so that the scan never stops inside a character.
std::optional<std::size_t> Scan(const CTextSnapshot& text, std::size_t from, std::size_t end) {
    std::string scratch;
    std::size_t pos = from;
    while (pos < end) {
        // One byte more than the window, so that a pair across its end is seen whole.
        const std::size_t windowEnd = std::min(text.Size(), pos + kWindow + 1);
        const std::string_view bytes = text.View(pos, windowEnd, scratch);
        const std::size_t limit = std::min(end, pos + kWindow) - pos;
        std::size_t i = 0;
        while (i < limit) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (!Cp932::IsLeadByte(b)) {
                ++i;
                continue;
            }
            if (KindAt(bytes, i) != Kind::None)
                return pos + i;
            i += Cp932::CharLength(bytes, i);
        }
        pos += i;
    }
    return std::nullopt;
}

} // namespace

Kind KindOf(std::uint16_t code) {
    const auto lead = static_cast<unsigned char>(code >> 8);
    const auto trail = static_cast<unsigned char>(code & 0xFF);
    if (!Cp932::IsTrailByte(trail))
        return Kind::None;
    if (IsUserDefinedLead(lead))
        return Kind::UserDefined;
    if (IsVendorLead(lead) && Cp932::DecodeChar(code) != 0xFFFF)
        return Kind::Vendor;
    return Kind::None;
}

Kind KindAt(std::string_view bytes, std::size_t pos) {
    if (pos + 1 >= bytes.size())
        return Kind::None;
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (!IsVendorLead(lead) && !IsUserDefinedLead(lead))
        return Kind::None;
    return KindOf(static_cast<std::uint16_t>((lead << 8) | static_cast<unsigned char>(bytes[pos + 1])));
}

std::optional<std::size_t> FindNext(const CTextSnapshot& text, std::size_t from) {
    from = std::min(from, text.Size());
    if (const auto hit = Scan(text, from, text.Size()))
        return hit;
    // Before from, a scan from the start ends at the first character boundary at or after it.
    return Scan(text, 0, from);
}

std::string ToHexReferences(std::string_view selected) {
    std::string out;
    out.reserve(selected.size());
    for (std::size_t i = 0; i < selected.size();) {
        const std::size_t length = Cp932::CharLength(selected, i);
        if (length == 2 && KindAt(selected, i) == Kind::Vendor) {
            const auto code = static_cast<std::uint16_t>((static_cast<unsigned char>(selected[i]) << 8) |
                                                         static_cast<unsigned char>(selected[i + 1]));
            char reference[16];
            std::snprintf(reference, sizeof reference, "&#x%X;",
                          static_cast<unsigned>(Cp932::DecodeChar(code)));
            out.append(reference);
        } else {
            out.append(selected.substr(i, length));
        }
        i += length;
    }
    return out;
}

} // namespace DependentChars
