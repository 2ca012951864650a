#include "editor/ViewRules.h"

namespace ViewRules {

CTemplateInsertion ExpandTemplate(std::string_view pattern, std::string_view selected) {
    static constexpr std::string_view kMarker = "%1";
    CTemplateInsertion r;
    const std::size_t first = pattern.find(kMarker);
    std::size_t from = 0;
    for (std::size_t at = pattern.find(kMarker); at != std::string_view::npos;
         at = pattern.find(kMarker, from)) {
        r.text.append(pattern.substr(from, at - from));
        r.text.append(selected);
        from = at + kMarker.size();
    }
    r.text.append(pattern.substr(from));
    // Right after the first inserted selection; with several "%1" counting the characters
    // after the first one from the end would put the caret elsewhere, even before the text.
    r.caret = first == std::string_view::npos ? r.text.size() : first + selected.size();
    return r;
}

int AutoScrollStep(int y, int bottom) {
    if (y > bottom - 50)
        return 3;
    if (y > bottom - 100)
        return 1;
    if (y < 50)
        return -3;
    if (y < 100)
        return -1;
    return 0;
}

bool StartsDrag(std::size_t start, std::size_t end, std::size_t p) {
    return start < end && start <= p && p <= end;
}

CDropAction DropAction(std::size_t start, std::size_t end, std::size_t p, std::size_t length) {
    if (p > length)
        return {};
    if (p >= start && p <= end)
        return {CDropAction::Kind::PlaceCaret, p};
    if (p > end)
        p -= end - start;
    return {CDropAction::Kind::Move, p};
}

} // namespace ViewRules
