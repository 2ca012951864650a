#include "platform/ByteBuffer.h"
#include "platform/LargeBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
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

// A large buffer starts on a huge-page boundary, so that none of its whole huge pages is
// left to 4 KB pages; a last part of at least half a huge page is rounded up to a whole one.
// The room past the size is the buffer's to use.
TEST(ByteBuffer, ALargeBufferStartsOnAHugePageAndRoundsUpALargeLastPart) {
    const std::size_t mb = std::size_t{1} << 20;
    const std::pair<std::size_t, std::size_t> cases[] = {
        {mb, 2 * mb}, {5 * mb + 7, 6 * mb}, {4 * mb, 4 * mb}, {4 * mb + 39, 4 * mb + 4096}, {5 * mb - 1, 5 * mb}};
    for (const auto& [size, capacity] : cases) {
        const std::string bytes(size, '\x82');
        CByteBuffer b = CByteBuffer::Copy(bytes);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b.Data()) % kHugePageBytes, 0u);
        EXPECT_EQ(b.Capacity(), capacity) << size;
        std::memset(b.Data() + size, 'x', b.Capacity() - size);
        EXPECT_EQ(b.View(), bytes);
    }
}

// Released buffers leave nothing mapped, whatever part of their mapping was trimmed.
TEST(ByteBuffer, ReleasedBuffersLeaveNothingMapped) {
    const auto mappedKb = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmSize:", 0) == 0)
                return std::stol(line.substr(7));
        }
        return -1L;
    };
    const std::string bytes((std::size_t{3} << 20) + 5, 'a');
    const long before = mappedKb();
    for (int i = 0; i < 20; ++i) {
        CByteBuffer b = CByteBuffer::Copy(std::string_view(bytes).substr(0, bytes.size() - static_cast<std::size_t>(i) * 4099));
        ASSERT_EQ(b.Size(), bytes.size() - static_cast<std::size_t>(i) * 4099);
    }
    EXPECT_EQ(mappedKb(), before);
}
