#include "settings/CommandBarLayout.h"

CCommandBarLayout LayOutCommandBar(int w, int h) {
    CCommandBarLayout layout;
    const int a = (w - 14) / 12;
    for (int i = 0; i < 12; ++i) {
        // g counts the group starts (0, 4, 8) at or before button i.
        const int g = 1 + (i >= 4 ? 1 : 0) + (i >= 8 ? 1 : 0);
        layout.keys[static_cast<std::size_t>(i)] = QRect(1 + 4 * g + a * i, 1, a, h - 2);
    }
    layout.extra = QRect(layout.keys[11].x() + 2 * a, 1, a, h - 2);
    return layout;
}
