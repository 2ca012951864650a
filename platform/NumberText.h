#pragma once

#include <QString>

#include <string_view>

// Numbers typed into dialog fields are read as a leading decimal integer: white space
// skipped, an optional sign, then digits up to the first other character; no digits give
// 0 ("007" is 7, "12px" is 12, "abc" and "" are 0). Values beyond the range of int are
// held at its ends.
int LeadingInteger(std::string_view text);
int LeadingInteger(const QString& text);
inline int LeadingInteger(const char* text) {
    return LeadingInteger(std::string_view(text));
}
