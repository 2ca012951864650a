#include "platform/LargeBuffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void ReserveLarge(std::string& out, std::size_t bytes) {
    out.reserve(bytes);
    AdviseHugePages(out.data(), out.capacity());
}

void AdviseHugePages(void* data, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
    // Only whole huge pages inside the buffer.
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    const std::uintptr_t last = (start + bytes) & ~(kHugePageBytes - 1);
    if (first < last)
        (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}
