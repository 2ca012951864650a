#include "platform/LargeBuffer.h"

#include <gtest/gtest.h>

TEST(LargeBuffer, KeepsTheBytesAndHoldsTheWholeSizeWithoutMovingThem) {
    for (const std::size_t size : {std::size_t{100}, std::size_t{9} * 1024 * 1024}) {
        std::string out = "<td>";
        ReserveLarge(out, size);
        ASSERT_GE(out.capacity(), size);
        EXPECT_EQ(out, "<td>");
        const char* data = out.data();
        while (out.size() + 4 <= size)
            out += "<TD>";
        EXPECT_EQ(out.data(), data); // appending up to the reserved size never moves the buffer
        EXPECT_EQ(out.compare(0, 8, "<td><TD>"), 0);
        EXPECT_EQ(out.compare(out.size() - 4, 4, "<TD>"), 0);
    }
}
