#include "plugins/ByteSource.h"

#include "plugins/PictureInfo.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CByteSource::CByteSource(const unsigned char* data, std::uint64_t size)
    : m_data(data), m_size(size < kExaminedLimit ? size : kExaminedLimit) {}

CByteSource::~CByteSource() {
    if (m_fd >= 0)
        ::close(m_fd);
}

int CByteSource::OpenFile(const char* path, std::int64_t offset) {
    // Non-blocking, so that opening a pipe returns at once instead of waiting for a writer.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return kPictureReadError;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return kPictureReadError;
    }
    m_fd = fd;
    m_start = static_cast<std::uint64_t>(offset);
    const std::uint64_t fileSize = static_cast<std::uint64_t>(st.st_size);
    const std::uint64_t available = fileSize > m_start ? fileSize - m_start : 0;
    m_size = available < kExaminedLimit ? available : kExaminedLimit;
    return kPictureOk;
}

bool CByteSource::Fill(std::uint64_t pos) {
    std::size_t wanted = sizeof m_window;
    if (m_size - pos < wanted)
        wanted = static_cast<std::size_t>(m_size - pos);
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t n =
            ::pread(m_fd, m_window + got, wanted - got, static_cast<off_t>(m_start + pos + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            m_failed = true;
        if (n <= 0)
            break; // the file shrank or cannot be read: what is missing reads as the end
        got += static_cast<std::size_t>(n);
    }
    m_windowPos = pos;
    m_windowSize = got;
    return got > 0;
}

int CByteSource::ByteAt(std::uint64_t pos) {
    if (pos >= m_size)
        return -1;
    if (m_data != nullptr)
        return m_data[pos];
    if (pos < m_windowPos || pos - m_windowPos >= m_windowSize) {
        if (!Fill(pos))
            return -1;
    }
    return m_window[pos - m_windowPos];
}

bool CByteSource::Read(std::uint64_t pos, unsigned char* out, std::size_t n) {
    if (pos > m_size || m_size - pos < n)
        return false;
    if (m_data != nullptr) {
        std::memcpy(out, m_data + pos, n);
        return true;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const int b = ByteAt(pos + i);
        if (b < 0)
            return false;
        out[i] = static_cast<unsigned char>(b);
    }
    return true;
}
