#include "plugins/PictureReader.h"

#include <cstring>

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t kLargest = 0x7FFFFFFF; // the format's own limit, and the record's

std::uint32_t Crc32(const unsigned char* data, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

// Samples per pixel of a colour type, 0 for an invalid type or depth.
int Channels(unsigned colourType, unsigned depth) {
    switch (colourType) {
    case 0:
        return (depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16) ? 1 : 0;
    case 3:
        return (depth == 1 || depth == 2 || depth == 4 || depth == 8) ? 1 : 0;
    case 2:
        return (depth == 8 || depth == 16) ? 3 : 0;
    case 4:
        return (depth == 8 || depth == 16) ? 2 : 0;
    case 6:
        return (depth == 8 || depth == 16) ? 4 : 0;
    default:
        return 0;
    }
}

} // namespace

// The size stands in the IHDR chunk, which must follow the signature at once.
int ReadPicture(CByteSource& source, VuroPictureInfo& info) {
    unsigned char head[8 + 8 + 13 + 4];
    if (!source.Read(0, head, 8) || std::memcmp(head, kSignature, 8) != 0)
        return kPictureNotThisFormat;
    if (!source.Read(0, head, sizeof head))
        return kPictureBroken;
    const unsigned char* chunk = head + 8;
    if (Be32(chunk) != 13 || std::memcmp(chunk + 4, "IHDR", 4) != 0)
        return kPictureBroken;
    const unsigned char* data = chunk + 8;
    if (Crc32(chunk + 4, 4 + 13) != Be32(data + 13))
        return kPictureBroken;
    const std::uint32_t width = Be32(data);
    const std::uint32_t height = Be32(data + 4);
    if (width == 0 || height == 0 || width > kLargest || height > kLargest)
        return kPictureBroken;
    const unsigned depth = data[8];
    const int channels = Channels(data[9], depth);
    if (channels == 0)
        return kPictureBroken;
    info.width = static_cast<std::int32_t>(width);
    info.height = static_cast<std::int32_t>(height);
    info.bitsPerPixel = static_cast<std::int32_t>(depth) * channels;
    return kPictureOk;
}
