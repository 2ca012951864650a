#pragma once

#include <cstddef>
#include <cstdint>

// The bytes of one picture, from a plain file or from memory, read through a small
// window. Every read is bounds-checked: a position past the end (or past the examined
// limit) reads as absent, never as stale or foreign memory.
class CByteSource {
public:
    // At most this many bytes from the picture's start are ever examined, so a hostile
    // file of gigabytes costs no more than a fraction of a second.
    static constexpr std::uint64_t kExaminedLimit = 64u * 1024u * 1024u;

    CByteSource() = default;
    CByteSource(const unsigned char* data, std::uint64_t size);
    ~CByteSource();
    CByteSource(const CByteSource&) = delete;
    CByteSource& operator=(const CByteSource&) = delete;

    // Opens a plain file and starts the picture at offset; pipes, devices and folders are
    // refused without waiting on them. Returns one of the kPicture results.
    int OpenFile(const char* path, std::int64_t offset);

    // The byte at pos, or -1 beyond the end.
    int ByteAt(std::uint64_t pos);
    // Copies n bytes from pos; false (and nothing promised in out) when any is beyond the end.
    bool Read(std::uint64_t pos, unsigned char* out, std::size_t n);
    // True once reading the file failed (rather than reaching its end).
    bool ReadFailed() const { return m_failed; }

private:
    bool Fill(std::uint64_t pos);

    const unsigned char* m_data = nullptr; // memory source
    int m_fd = -1;                         // file source
    std::uint64_t m_start = 0;             // offset of the picture in the file
    std::uint64_t m_size = 0;              // bytes available, already cut to the limit
    unsigned char m_window[8192];
    std::uint64_t m_windowPos = 0;
    std::size_t m_windowSize = 0;
    bool m_failed = false;
};

// Big- and little-endian integers of the headers, read from plain bytes.
inline std::uint32_t Be16(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0] << 8 | p[1]);
}
inline std::uint32_t Le16(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[1] << 8 | p[0]);
}
inline std::uint32_t Be32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}
