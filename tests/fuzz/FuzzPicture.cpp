// A picture reader plug-in (GIF, JPEG or PNG, chosen when this file is compiled), through
// its exported entry point with the picture in memory.
#include "plugins/PictureInfo.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int32_t GetPictureInfo(const char* source, int64_t position, uint32_t flags,
                                  VuroPictureInfo* info);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's size, so a read past its end is caught.
    std::vector<char> bytes(data, data + size);
    VuroPictureInfo info;
    std::memset(&info, 0x5a, sizeof info);
    const int32_t status =
        GetPictureInfo(size ? bytes.data() : "", static_cast<int64_t>(size), kPictureFromMemory, &info);
    if (status == kPictureOk) {
        FUZZ_CHECK(info.width >= 1 && info.height >= 1);
        FUZZ_CHECK(info.bitsPerPixel >= 1);
        FUZZ_CHECK(info.reserved[0] == 0 && info.reserved[1] == 0);
    } else {
        const VuroPictureInfo empty{};
        FUZZ_CHECK(std::memcmp(&info, &empty, sizeof info) == 0);
    }
    return 0;
}
