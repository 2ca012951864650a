#pragma once

#include <QRect>

#include <array>

// Where the command bar's buttons go in a bar of width w and height h: twelve buttons
// (F1..F12) in three groups of four with 4-pixel gaps, then the extra button parked
// beyond the visible bar.
struct CCommandBarLayout {
    std::array<QRect, 12> keys;
    QRect extra;
};

CCommandBarLayout LayOutCommandBar(int w, int h);
