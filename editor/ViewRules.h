#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Rules of the editor view that need no window.
namespace ViewRules {

// A template with "%1" standing for the selected text: the text that replaces the
// selection and where the caret goes, counted from the start of the replaced range
// (right after the inserted selection for one "%1", at the end without one).
struct CTemplateInsertion {
    std::string text;
    std::size_t caret = 0;
};
CTemplateInsertion ExpandTemplate(std::string_view pattern, std::string_view selected);

// Lines to scroll per auto-scroll tick while dragged text is held at height y of a
// client area whose bottom edge is at bottom: 3 or 1 near the bottom, -3 or -1 near
// the top, 0 (stop) in between.
int AutoScrollStep(int y, int bottom);

// What releasing dragged text at offset p does, for a selection start..end and a text
// of length length.
struct CDropAction {
    enum class Kind { Move, PlaceCaret, Nothing };
    Kind kind = Kind::Nothing;
    // Move: where the text goes once the selection is removed; PlaceCaret: the caret.
    std::size_t offset = 0;
};
CDropAction DropAction(std::size_t start, std::size_t end, std::size_t p, std::size_t length);

// Whether a button press at offset p starts dragging the selection start..end.
bool StartsDrag(std::size_t start, std::size_t end, std::size_t p);

} // namespace ViewRules
