#include "plugins/PictureReader.h"

namespace {

constexpr int kSoi = 0xD8;
constexpr int kEoi = 0xD9;
constexpr int kSos = 0xDA;
constexpr int kDnl = 0xDC;

// The frame headers of every coding process (baseline, extended, progressive, lossless,
// arithmetic); C4, C8 and CC share the range but are tables.
bool IsFrameHeader(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length.
bool IsStandalone(int marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= kSoi);
}

// The next marker at or after pos, skipping whatever is not one: entropy-coded data,
// stuffed zero bytes, restart markers, fill bytes and stray garbage. pos ends after the
// marker byte; -1 when the data ends first.
int NextMarker(CByteSource& source, std::uint64_t& pos) {
    for (;;) {
        int b = source.ByteAt(pos++);
        if (b < 0)
            return -1;
        if (b != 0xFF)
            continue;
        do
            b = source.ByteAt(pos++);
        while (b == 0xFF);
        if (b < 0)
            return -1;
        if (b != 0x00 && !IsStandalone(b))
            return b;
    }
}

} // namespace

// Walks the segments in whatever order they come (Exif and other application data,
// tables, comments) to the frame header; a frame whose height is given later by a DNL
// segment takes it from there.
int ReadPicture(CByteSource& source, VuroPictureInfo& info) {
    if (source.ByteAt(0) != 0xFF || source.ByteAt(1) != kSoi)
        return kPictureNotThisFormat;
    std::uint64_t pos = 2;
    bool haveFrame = false;
    for (;;) {
        const int marker = NextMarker(source, pos);
        if (marker < 0 || marker == kEoi)
            return kPictureBroken;
        unsigned char lengthBytes[2];
        if (!source.Read(pos, lengthBytes, 2))
            return kPictureBroken;
        const std::uint32_t length = Be16(lengthBytes);
        if (length < 2)
            return kPictureBroken;
        if (IsFrameHeader(marker) && !haveFrame) {
            unsigned char frame[8];
            if (length < 8 || !source.Read(pos, frame, 8))
                return kPictureBroken;
            const unsigned components = frame[7];
            if (components == 0 || length != 8 + 3 * components)
                return kPictureBroken;
            const std::uint32_t height = Be16(frame + 3);
            const std::uint32_t width = Be16(frame + 5);
            // A sample precision of 0 bits belongs to no coding process.
            if (width == 0 || frame[2] == 0)
                return kPictureBroken;
            info.width = static_cast<std::int32_t>(width);
            info.height = static_cast<std::int32_t>(height);
            info.bitsPerPixel = static_cast<std::int32_t>(frame[2] * components);
            if (height != 0)
                return kPictureOk;
            haveFrame = true;
        } else if (marker == kSos && !haveFrame) {
            return kPictureBroken; // image data without a frame header
        } else if (marker == kDnl && haveFrame) {
            unsigned char lines[4];
            if (length != 4 || !source.Read(pos, lines, 4) || Be16(lines + 2) == 0)
                return kPictureBroken;
            info.height = static_cast<std::int32_t>(Be16(lines + 2));
            return kPictureOk;
        }
        // The segment's length counts its own two bytes; after an SOS header the scan's
        // data follows, which NextMarker skips.
        pos += length;
    }
}
