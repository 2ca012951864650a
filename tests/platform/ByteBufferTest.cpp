#include "platform/ByteBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

// Small buffers live on the heap, large ones in pages of their own; both keep every byte
// when they grow and when they are moved.
TEST(ByteBuffer, KeepsItsBytesWhenItGrowsAndMoves) {
    for (const std::size_t capacity : {std::size_t{16}, std::size_t{3} << 20}) {
        CByteBuffer b = CByteBuffer::WithCapacity(capacity);
        ASSERT_GE(b.Capacity(), capacity);
        EXPECT_EQ(b.Size(), 0u);
        std::string model;
        for (std::size_t i = 0; model.size() < capacity * 3; ++i) {
            const std::string piece = "<td>" + std::to_string(i) + "\x93\xfa";
            if (b.Size() + piece.size() > b.Capacity())
                b.Reserve(b.Capacity() * 2);
            std::memcpy(b.Data() + b.Size(), piece.data(), piece.size());
            b.SetSize(b.Size() + piece.size());
            model += piece;
        }
        ASSERT_EQ(b.View(), model);
        CByteBuffer moved = std::move(b);
        EXPECT_EQ(moved.View(), model);
        EXPECT_EQ(b.Size(), 0u);
        b = std::move(moved);
        EXPECT_EQ(b.View(), model);
    }
    // A copy holds the same bytes, small or large.
    for (const std::size_t size : {std::size_t{0}, std::size_t{5}, std::size_t{2} << 20}) {
        const std::string bytes(size, '\x93');
        EXPECT_EQ(CByteBuffer::Copy(bytes).View(), bytes);
    }
    // A string taken over is the buffer itself, not a copy.
    std::string text(1000, 'x');
    const char* data = text.data();
    CByteBuffer adopted(std::move(text));
    EXPECT_EQ(adopted.Data(), data);
    EXPECT_EQ(adopted.Size(), 1000u);
}
