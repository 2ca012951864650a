#include "platform/LargeBuffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void ReserveLarge(std::string& out, std::size_t bytes) {
    out.reserve(bytes);
#if defined(MADV_HUGEPAGE)
    constexpr std::size_t kHugePage = 2 * 1024 * 1024;
    if (out.capacity() < 2 * kHugePage)
        return;
    // Only whole huge pages inside the buffer; the hint is dropped where it is not
    // supported, nothing depends on it.
    const auto start = reinterpret_cast<std::uintptr_t>(out.data());
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (start + out.capacity()) & ~(kHugePage - 1);
    if (first < last)
        (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}
