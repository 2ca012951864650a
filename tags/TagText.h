#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the tag commands put into the text, without any window: the plain tags with their
// caret places, and the link and image tags built from their dialogs' values. All texts
// are CP932 bytes; carets are byte offsets from the start of the former selection.

// A tag command that needs no dialog: it either wraps the selection between open and
// close or replaces it by open.
struct CPlainTag {
    int command;
    std::string_view open;
    std::string_view close;
    bool wraps;
    // A fixed caret offset (inside the opening tag, where attributes are typed); none
    // puts the caret after the selection (wrapping) or after the tag (replacing).
    std::optional<std::size_t> caret;
};

std::span<const CPlainTag> PlainTags();
const CPlainTag* FindPlainTag(int command);

// The link dialog's values after OK.
struct CLinkFields {
    bool hrefOn = false;
    std::string href;
    bool nameOn = false;
    std::string name;
    bool targetOn = false;
    std::string target;
};

// "<a", then href, name and target in that order for each one switched on, then ">".
std::string LinkTag(const CLinkFields& fields);

// The image dialog's values after OK; the number texts are taken by their leading integer.
struct CImageFields {
    std::string src;
    bool altOn = false;
    std::string alt;
    bool widthOn = false;
    std::string width;
    bool heightOn = false;
    std::string height;
    bool borderOn = false;
    std::string border;
    bool alignOn = false;
    int alignPosition = -1; // 0 left, 1 center, anything else right
};

// "<img src=...", then width, height, border, alt and align for each one switched on.
std::string ImageTag(const CImageFields& fields);

// The words of the image dialog's align list, in the order the list shows them; a position
// without a word of its own writes "right".
inline const std::vector<std::string> kAlignWords = {"left", "center", "right"};
inline constexpr int kAlignFallback = 2;
