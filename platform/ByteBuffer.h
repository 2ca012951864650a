#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Bytes in memory of their own: either a string taken over, or pages mapped for the buffer
// alone, backed by huge pages where the system offers them, so that reading a large file
// does not fault once per 4 KB page.
class CByteBuffer {
public:
    CByteBuffer() = default;
    explicit CByteBuffer(std::string&& bytes);
    // Room for capacity bytes, mapped when it is large; the size is 0.
    static CByteBuffer WithCapacity(std::size_t capacity);
    // A buffer holding a copy of bytes.
    static CByteBuffer Copy(std::string_view bytes);
    CByteBuffer(CByteBuffer&& other) noexcept;
    CByteBuffer& operator=(CByteBuffer&& other) noexcept;
    CByteBuffer(const CByteBuffer&) = delete;
    CByteBuffer& operator=(const CByteBuffer&) = delete;
    ~CByteBuffer();

    char* Data() { return m_data; }
    const char* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }
    std::size_t Capacity() const { return m_capacity; }
    std::string_view View() const { return {m_data, m_size}; }
    // size must not exceed the capacity.
    void SetSize(std::size_t size) { m_size = size; }
    // At least capacity bytes of room, the bytes kept.
    void Reserve(std::size_t capacity);

private:
    void Release();

    std::string m_string; // the storage when not mapped
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    bool m_mapped = false;
};
