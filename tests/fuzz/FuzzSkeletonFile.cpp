// vuroskel.dat, the skeletons of the new-page wizard.
#include "tests/fuzz/FuzzCheck.h"
#include "wizard/SkeletonFile.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CSkelParse parse = ParseSkeletonText(std::string_view(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(parse.items.size() <= kMaxSkeletons);
    for (const CSkelItem& item : parse.items)
        FUZZ_CHECK(!item.title.empty());
    // The list as written reads back as the same list, unless an item holds the separator line
    // itself (the editor refuses to store those). Title and comment are written as one line
    // each (a line break in them becomes a blank), which may change their order.
    if (std::none_of(parse.items.begin(), parse.items.end(), HasSeparatorLine)) {
        CSkelList expected = parse.items;
        for (CSkelItem& item : expected) {
            for (std::string* line : {&item.title, &item.comment})
                std::replace_if(
                    line->begin(), line->end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const CSkelItem& a, const CSkelItem& b) { return a.title < b.title; });
        const CSkelParse again = ParseSkeletonText(FormatSkeletonText(parse.items));
        FUZZ_CHECK(again.items == expected);
        FUZZ_CHECK(!again.leftOut);
    }
    return 0;
}
