#include "plugins/PictureReader.h"

// The plug-in's only export. Nothing here throws or allocates, so no failure can cross
// the C boundary.
extern "C" __attribute__((visibility("default"))) int32_t
GetPictureInfo(const char* source, int64_t position, uint32_t flags, VuroPictureInfo* info) {
    if (info == nullptr)
        return kPictureBadArgument;
    *info = VuroPictureInfo{};
    if (source == nullptr || position < 0 || (flags & ~static_cast<uint32_t>(kPictureFromMemory)) != 0)
        return kPictureBadArgument;
    VuroPictureInfo result{};
    int status;
    if (flags & kPictureFromMemory) {
        CByteSource bytes(reinterpret_cast<const unsigned char*>(source),
                          static_cast<std::uint64_t>(position));
        status = ReadPicture(bytes, result);
    } else {
        CByteSource file;
        status = file.OpenFile(source, position);
        if (status == kPictureOk)
            status = ReadPicture(file, result);
        if (status != kPictureOk && file.ReadFailed())
            status = kPictureReadError;
    }
    if (status == kPictureOk)
        *info = result;
    return status;
}
