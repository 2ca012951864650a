#include "platform/ByteBuffer.h"

#include "platform/LargeBuffer.h"

#include <sys/mman.h>

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
        void* p = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        AdviseHugePages(p, capacity);
        b.m_data = static_cast<char*>(p);
        b.m_capacity = capacity;
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
