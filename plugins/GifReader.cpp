#include "plugins/PictureReader.h"

#include <cstring>

namespace {

constexpr int kImageDescriptor = 0x2C;
constexpr int kExtension = 0x21;

// Walks the blocks after the header to the first image descriptor; false when the data
// ends first or holds something that is not a block.
bool FirstImage(CByteSource& source, std::uint64_t pos, unsigned char descriptor[10]) {
    for (;;) {
        const int block = source.ByteAt(pos);
        if (block == kImageDescriptor)
            return source.Read(pos, descriptor, 10);
        if (block != kExtension)
            return false; // trailer, end of data or garbage
        pos += 2;         // introducer and label
        // Data sub-blocks, each led by its size, up to the empty one.
        for (;;) {
            const int size = source.ByteAt(pos);
            if (size < 0)
                return false;
            pos += 1 + static_cast<std::uint64_t>(size);
            if (size == 0)
                break;
        }
    }
}

} // namespace

// A GIF's size is its logical screen; a screen given as 0 by 0 takes the first image's.
int ReadPicture(CByteSource& source, VuroPictureInfo& info) {
    unsigned char header[13];
    if (!source.Read(0, header, 3) || std::memcmp(header, "GIF", 3) != 0)
        return kPictureNotThisFormat;
    if (!source.Read(0, header, sizeof header))
        return kPictureBroken;
    if (std::memcmp(header + 3, "87a", 3) != 0 && std::memcmp(header + 3, "89a", 3) != 0)
        return kPictureBroken;
    std::uint32_t width = Le16(header + 6);
    std::uint32_t height = Le16(header + 8);
    const unsigned packed = header[10];
    const bool globalTable = (packed & 0x80) != 0;
    std::int32_t bits = globalTable ? static_cast<std::int32_t>((packed & 7) + 1) : 8;
    if (width == 0 || height == 0) {
        const std::uint64_t tableSize = globalTable ? 3u << ((packed & 7) + 1) : 0;
        unsigned char descriptor[10];
        if (!FirstImage(source, sizeof header + tableSize, descriptor))
            return kPictureBroken;
        width = Le16(descriptor + 5);
        height = Le16(descriptor + 7);
        if (width == 0 || height == 0)
            return kPictureBroken;
        if (descriptor[9] & 0x80)
            bits = static_cast<std::int32_t>((descriptor[9] & 7) + 1);
    }
    info.width = static_cast<std::int32_t>(width);
    info.height = static_cast<std::int32_t>(height);
    info.bitsPerPixel = bits;
    return kPictureOk;
}
