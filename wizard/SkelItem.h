#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One stored page template: the title shown in the lists (and sorted by), a one-line
// comment, and the page text. All three are CP932 bytes.
struct CSkelItem {
    std::string title;
    std::string comment;
    std::string source;

    bool operator==(const CSkelItem&) const = default;
};

// The skeleton store holds at most this many items.
inline constexpr std::size_t kMaxSkeletons = 50;

// Items in list order; never more than kMaxSkeletons.
using CSkelList = std::vector<CSkelItem>;
