#include "editor/TextConversions.h"

#include <algorithm>
#include <cstring>

namespace TextConversions {
namespace {

// The text is looked at in windows of this size, so a jump in a large text reads only as
// far as the bracket it finds.
constexpr std::size_t kWindow = 64 * 1024;

std::string ReplaceAll(std::string_view text, char from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == from)
            out.append(to);
        else
            out.push_back(c);
    }
    return out;
}

} // namespace

std::string BrAtLineEnds(std::string_view selected) {
    std::string out;
    out.reserve(selected.size() + selected.size() / 8);
    std::size_t from = 0;
    for (;;) {
        const std::size_t crlf = selected.find("\r\n", from);
        if (crlf == std::string_view::npos)
            break;
        out.append(selected.substr(from, crlf - from)).append("<br>\r\n");
        from = crlf + 2;
    }
    out.append(selected.substr(from));
    return out;
}

std::string ToCharacterReferences(std::string_view selected) {
    std::string text = ReplaceAll(selected, '&', "&amp;");
    text = ReplaceAll(text, '<', "&lt;");
    return ReplaceAll(text, '>', "&gt;");
}

std::optional<std::size_t> FindNextClose(const CTextSnapshot& text, std::size_t from) {
    std::string scratch;
    const std::size_t size = text.Size();
    for (std::size_t start = from; start < size; start += kWindow) {
        const std::size_t end = std::min(size, start + kWindow);
        const std::string_view window = text.View(start, end, scratch);
        const void* hit = std::memchr(window.data(), '>', window.size());
        if (hit)
            return start + static_cast<std::size_t>(static_cast<const char*>(hit) - window.data());
    }
    return std::nullopt;
}

std::optional<std::size_t> FindPrevOpen(const CTextSnapshot& text, std::size_t before) {
    std::string scratch;
    std::size_t end = std::min(before, text.Size());
    while (end > 0) {
        const std::size_t start = end > kWindow ? end - kWindow : 0;
        const std::string_view window = text.View(start, end, scratch);
        const std::size_t hit = window.rfind('<');
        if (hit != std::string_view::npos)
            return start + hit;
        end = start;
    }
    return std::nullopt;
}

} // namespace TextConversions
