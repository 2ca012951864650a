#include "platform/ByteBuffer.h"

#include "platform/LargeBuffer.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

namespace {

// Below this, the heap is as quick and wastes no page.
constexpr std::size_t kMapFrom = 1 << 20;

} // namespace

CByteBuffer::CByteBuffer(std::string&& bytes) : m_string(std::move(bytes)) {
    m_data = m_string.data();
    m_size = m_string.size();
    m_capacity = m_string.capacity();
}

CByteBuffer CByteBuffer::WithCapacity(std::size_t capacity) {
    CByteBuffer b;
    if (capacity >= kMapFrom) {
        // Huge pages from a huge-page boundary: a part of a mapping that begins or ends inside
        // a huge page gets 4 KB pages, each filled by a fault of its own. A last part of at
        // least half a huge page is rounded up to a whole one (less than 1 MB unused); a
        // smaller one stays in 4 KB pages (at most 256 faults).
        constexpr std::size_t kPage = 4096;
        const std::size_t tail = capacity % kHugePageBytes;
        const std::size_t length = tail >= kHugePageBytes / 2 ? capacity - tail + kHugePageBytes
                                                              : (capacity + kPage - 1) / kPage * kPage;
        void* p = ::mmap(nullptr, length + kHugePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                         -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        const auto mapped = reinterpret_cast<std::uintptr_t>(p);
        const std::uintptr_t start = (mapped + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
        if (start > mapped)
            ::munmap(p, start - mapped);
        if (mapped + kHugePageBytes > start)
            ::munmap(reinterpret_cast<void*>(start + length), mapped + kHugePageBytes - start);
        AdviseHugePages(reinterpret_cast<void*>(start), length);
        b.m_data = reinterpret_cast<char*>(start);
        b.m_capacity = length;
        b.m_mapped = true;
        return b;
    }
    b.m_string.resize(capacity);
    b.m_data = b.m_string.data();
    b.m_capacity = capacity;
    return b;
}

CByteBuffer CByteBuffer::Copy(std::string_view bytes) {
    CByteBuffer b = WithCapacity(bytes.size());
    if (!bytes.empty())
        std::memcpy(b.m_data, bytes.data(), bytes.size());
    b.m_size = bytes.size();
    return b;
}

CByteBuffer::CByteBuffer(CByteBuffer&& other) noexcept {
    *this = std::move(other);
}

CByteBuffer& CByteBuffer::operator=(CByteBuffer&& other) noexcept {
    if (this == &other)
        return *this;
    Release();
    m_mapped = other.m_mapped;
    m_size = other.m_size;
    m_capacity = other.m_capacity;
    if (m_mapped) {
        m_data = other.m_data;
    } else {
        m_string = std::move(other.m_string);
        m_data = m_string.data();
    }
    other.m_data = nullptr;
    other.m_size = other.m_capacity = 0;
    other.m_mapped = false;
    other.m_string.clear();
    return *this;
}

CByteBuffer::~CByteBuffer() {
    Release();
}

void CByteBuffer::Release() {
    if (m_mapped)
        ::munmap(m_data, m_capacity);
    m_mapped = false;
    m_data = nullptr;
    m_size = m_capacity = 0;
    m_string = std::string();
}

void CByteBuffer::Reserve(std::size_t capacity) {
    if (capacity <= m_capacity)
        return;
    CByteBuffer bigger = WithCapacity(capacity);
    if (m_size > 0)
        std::memcpy(bigger.m_data, m_data, m_size);
    bigger.m_size = m_size;
    *this = std::move(bigger);
}
