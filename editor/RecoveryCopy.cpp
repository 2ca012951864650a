#include "editor/RecoveryCopy.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace RecoveryCopy {
namespace {

constexpr std::string_view kMagic = "VuroRecovery 1\n";
constexpr std::string_view kPrefix = "recovery-";
constexpr std::string_view kTempMark = ".tmp-";
constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

std::uint64_t Fnv(std::uint64_t hash, std::string_view bytes) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= kFnvPrime;
    }
    return hash;
}

std::string Hex16(std::uint64_t value) {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
    return buffer;
}

std::string Header(const QByteArray& path, std::size_t textSize) {
    std::string h(kMagic);
    h += "path " + std::to_string(path.size()) + "\n";
    h.append(path.constData(), static_cast<std::size_t>(path.size()));
    h += "\ntext " + std::to_string(textSize) + "\n";
    return h;
}

std::string Footer(std::uint64_t hash) {
    return "\ncheck " + Hex16(hash) + "\n";
}

// A decimal number of at most 18 digits (no sign, no blanks, no leading zero) up to the
// next LF: the one way the writer spells it, so a copy reads back only as it was written.
std::optional<std::uint64_t> ReadNumberLine(std::string_view& rest) {
    const std::size_t lf = rest.find('\n');
    if (lf == std::string_view::npos || lf == 0 || lf > 18 || (lf > 1 && rest[0] == '0'))
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + lf, value);
    if (ec != std::errc() || end != rest.data() + lf)
        return std::nullopt;
    rest.remove_prefix(lf + 1);
    return value;
}

bool Consume(std::string_view& rest, std::string_view word) {
    if (!rest.starts_with(word))
        return false;
    rest.remove_prefix(word.size());
    return true;
}

// A field "<word> <n>\n" followed by n bytes and a LF.
std::optional<std::string_view> ReadField(std::string_view& rest, std::string_view word) {
    if (!Consume(rest, word))
        return std::nullopt;
    const auto size = ReadNumberLine(rest);
    if (!size || *size >= rest.size())
        return std::nullopt;
    const std::string_view value = rest.substr(0, static_cast<std::size_t>(*size));
    rest.remove_prefix(static_cast<std::size_t>(*size));
    if (!Consume(rest, "\n"))
        return std::nullopt;
    return value;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::optional<std::string> ReadSmallFile(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string text;
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > 64 * 1024)
            break;
    }
    ::close(fd);
    return text;
}

const std::string& ThisBootId() {
    static const std::string id = [] {
        const auto text = ReadSmallFile("/proc/sys/kernel/random/boot_id");
        const auto boot = text ? BootIdFrom(*text) : std::nullopt;
        return boot.value_or(std::string());
    }();
    return id;
}

std::optional<std::uint64_t> StartTicksOfProcess(std::int64_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    const auto stat = ReadSmallFile(path.c_str());
    return stat ? StartTicksFromStat(*stat) : std::nullopt;
}

} // namespace

std::optional<std::uint64_t> StartTicksFromStat(std::string_view stat) {
    // "pid (comm) state ppid ...": the fields after the last ')' are blank-separated; the
    // start time is the 22nd field of the line, the 20th after the command.
    const std::size_t close = stat.rfind(')');
    if (close == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = stat.substr(close + 1);
    for (int field = 3; field <= 22; ++field) {
        const std::size_t start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(start);
        const std::size_t end = std::min(rest.find_first_of(" \n"), rest.size());
        if (field == 22) {
            std::uint64_t ticks = 0;
            const auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + end, ticks);
            if (ec != std::errc() || ptr != rest.data() + end || end == 0)
                return std::nullopt;
            return ticks;
        }
        rest.remove_prefix(end);
    }
    return std::nullopt;
}

std::optional<std::string> BootIdFrom(std::string_view text) {
    std::string id;
    for (const char c : text) {
        if (c == '-' || c == '\n')
            continue;
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        id += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (id.size() != 32)
        return std::nullopt;
    return id;
}

std::optional<CInstanceId> CurrentInstance() {
    CInstanceId id;
    id.pid = ::getpid();
    id.bootId = ThisBootId();
    const auto ticks = StartTicksOfProcess(id.pid);
    if (!ticks || id.bootId.empty())
        return std::nullopt;
    id.startTicks = *ticks;
    return id;
}

std::string FileNameOf(const CInstanceId& id) {
    return std::string(kPrefix) + std::to_string(id.pid) + "-" + std::to_string(id.startTicks) + "-" +
           id.bootId;
}

std::optional<CInstanceId> InstanceOf(std::string_view name) {
    if (!Consume(name, kPrefix))
        return std::nullopt;
    CInstanceId id;
    const auto number = [&name](auto& value) {
        const auto [ptr, ec] = std::from_chars(name.data(), name.data() + name.size(), value);
        if (ec != std::errc() || ptr == name.data() || ptr == name.data() + name.size() || *ptr != '-')
            return false;
        name.remove_prefix(static_cast<std::size_t>(ptr - name.data()) + 1);
        return true;
    };
    if (!number(id.pid) || id.pid <= 0 || !number(id.startTicks))
        return std::nullopt;
    const auto boot = BootIdFrom(name);
    if (!boot || name.size() != 32)
        return std::nullopt;
    id.bootId = *boot;
    return id;
}

bool IsInstanceAlive(const CInstanceId& id, std::string_view currentBootId,
                     const StartTicksLookup& startTicksOf) {
    if (id.bootId != currentBootId)
        return false;
    const auto ticks = startTicksOf(id.pid);
    return ticks && *ticks == id.startTicks;
}

bool IsInstanceAlive(const CInstanceId& id) {
    return IsInstanceAlive(id, ThisBootId(), StartTicksOfProcess);
}

std::string Serialize(const QByteArray& path, const CTextSnapshot& text) {
    std::string out = Header(path, text.Size());
    std::uint64_t hash =
        Fnv(kFnvOffset, std::string_view(path.constData(), static_cast<std::size_t>(path.size())));
    text.ForEachPiece(0, text.Size(), [&](std::string_view piece) {
        out += piece;
        hash = Fnv(hash, piece);
    });
    out += Footer(hash);
    return out;
}

std::optional<CContent> Parse(std::string_view bytes) {
    std::string_view rest = bytes;
    if (!Consume(rest, kMagic))
        return std::nullopt;
    const auto path = ReadField(rest, "path ");
    if (!path)
        return std::nullopt;
    const auto text = ReadField(rest, "text ");
    if (!text)
        return std::nullopt;
    const std::uint64_t hash = Fnv(Fnv(kFnvOffset, *path), *text);
    if (rest != "check " + Hex16(hash) + "\n")
        return std::nullopt;
    CContent content;
    content.path = QByteArray(path->data(), static_cast<qsizetype>(path->size()));
    content.text = std::string(*text);
    return content;
}

int Write(const QByteArray& folder, const std::string& fileName, const QByteArray& path,
          const CTextSnapshot& text) {
    const std::string target = folder.toStdString() + "/" + fileName;
    std::string temp = folder.toStdString() + "/." + fileName + std::string(kTempMark) + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return errno;
    int error = 0;
    const auto put = [&](std::string_view bytes) {
        if (error == 0 && !WriteAll(fd, bytes))
            error = errno ? errno : EIO;
    };
    put(Header(path, text.Size()));
    std::uint64_t hash =
        Fnv(kFnvOffset, std::string_view(path.constData(), static_cast<std::size_t>(path.size())));
    text.ForEachPiece(0, text.Size(), [&](std::string_view piece) {
        put(piece);
        hash = Fnv(hash, piece);
    });
    put(Footer(hash));
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return error;
    }
    // The rename itself reaches the disk with the folder.
    if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

std::optional<CContent> Read(const QByteArray& file) {
    const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    try {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && st.st_size > 0)
            bytes.reserve(static_cast<std::size_t>(st.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                ::close(fd);
                return std::nullopt;
            }
            if (n == 0)
                break;
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        return std::nullopt;
    }
    ::close(fd);
    return Parse(bytes);
}

std::vector<CLeftover> Leftovers(const QByteArray& folder,
                                 const std::function<bool(const CInstanceId&)>& isAlive) {
    std::vector<CLeftover> found;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view name = entry->d_name;
        const bool temp = name.starts_with('.');
        if (temp) {
            name.remove_prefix(1);
            const std::size_t mark = name.rfind(kTempMark);
            if (mark == std::string_view::npos)
                continue;
            name = name.substr(0, mark);
        }
        const auto writer = InstanceOf(name);
        if (!writer || isAlive(*writer))
            continue;
        const QByteArray file = folder + '/' + QByteArray(entry->d_name);
        if (temp) {
            ::unlink(file.constData());
            continue;
        }
        struct stat st {};
        if (::stat(file.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        found.push_back(
            {file, *writer, static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec});
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(),
              [](const CLeftover& a, const CLeftover& b) { return a.modifiedNs > b.modifiedNs; });
    return found;
}

} // namespace RecoveryCopy
