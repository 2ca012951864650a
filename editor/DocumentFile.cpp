#include "editor/DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace DocumentFile {
namespace {

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

QString ReasonOf(int e) {
    switch (e) {
    case ENOENT:
        return QStringLiteral("ファイルまたはフォルダーが見つかりません。");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが拒否されました。");
    case EISDIR:
        return QStringLiteral("フォルダーです。");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクの空き領域が足りません。");
    case EROFS:
        return QStringLiteral("読み取り専用のドライブです。");
    case ENOMEM:
        return QStringLiteral("メモリが足りません。");
    case EIO:
        return QStringLiteral("入出力エラーが発生しました。");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます。");
    default:
        return QString::fromLocal8Bit(std::strerror(e));
    }
}

ReadResult Read(const QString& path) {
    ReadResult r;
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        r.error = QStringLiteral("%1 を開けません。\n%2").arg(path, ReasonOf(errno));
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        r.error = QStringLiteral("%1 を開けません。\n%2").arg(path, ReasonOf(EISDIR));
        return r;
    }
    try {
        if (st.st_size > 0)
            r.bytes.reserve(static_cast<std::size_t>(st.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                const int e = errno;
                ::close(fd);
                r.bytes.clear();
                r.error = QStringLiteral("%1 を読み込めません。\n%2").arg(path, ReasonOf(e));
                return r;
            }
            r.bytes.append(buffer, static_cast<std::size_t>(n));
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        r.bytes = std::string();
        r.error = QStringLiteral("%1 を開けません。\n%2").arg(path, ReasonOf(ENOMEM));
        return r;
    }
    ::close(fd);
    r.ok = true;
    return r;
}

namespace {

using PieceSink = std::function<void(std::string_view)>;

// The atomic write of bytes that forEachPiece hands out piece by piece.
WriteResult WriteAtomicallyFrom(const QString& path,
                                const std::function<void(const PieceSink&)>& forEachPiece) {
    WriteResult r;
    // Write through a symbolic link to the file it names, so the link stays a link.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString resolved = info.symLinkTarget();
        if (!resolved.isEmpty())
            target = resolved;
    }
    const QString folder = QFileInfo(target).absolutePath();
    auto fail = [&](int e) {
        r.error = QStringLiteral("%1 に保存できません。\n%2").arg(path, ReasonOf(e));
        if (QFileInfo::exists(target))
            r.error += QStringLiteral("\n元のファイルは変更されていません。");
        return r;
    };

    struct stat old {};
    const bool existed = ::stat(Native(target).constData(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode))
        return fail(EISDIR);

    QByteArray tempName = Native(QDir(folder).filePath(QStringLiteral(".~vuro-save-XXXXXX")));
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return fail(errno);
    bool ok = true;
    int error = 0;
    forEachPiece([&](std::string_view piece) {
        if (ok && !WriteAll(fd, piece.data(), piece.size())) {
            ok = false;
            error = errno;
        }
    });
    // Keep the old file's permissions; a new file gets the usual ones (0666 less umask).
    mode_t mode = 0;
    if (existed) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (ok && ::fchmod(fd, mode) != 0 && existed) {
        ok = false;
        error = errno;
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tempName.constData(), Native(target).constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return fail(error);
    }
    r.ok = true;
    return r;
}

} // namespace

WriteResult WriteAtomically(const QString& path, const CTextSnapshot& text) {
    return WriteAtomicallyFrom(path,
                               [&text](const PieceSink& sink) { text.ForEachPiece(0, text.Size(), sink); });
}

WriteResult WriteAtomically(const QString& path, std::string_view bytes) {
    return WriteAtomicallyFrom(path, [bytes](const PieceSink& sink) { sink(bytes); });
}

} // namespace DocumentFile
