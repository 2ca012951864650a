#pragma once

#include <QString>

// The tab width typed on the settings page: a whole number of columns from 1 to 16, with
// blanks around it allowed and nothing else.
struct CTabWidthCheck {
    int columns = 0;
    QString problem; // the message for the user; empty when the width is acceptable
};

CTabWidthCheck CheckTabWidth(const QString& text);

inline constexpr int kMinTabColumns = 1;
inline constexpr int kMaxTabColumns = 16;
