#include "platform/SafeFileWriter.h"

#include "platform/FileName.h"
#include "platform/StateFolder.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace SafeFile {
namespace {

std::function<int(const char*)>& FailPoint() {
    static std::function<int(const char*)> failPoint;
    return failPoint;
}

// Zero, or the errno the test seam injects at this step.
int Injected(const char* step) {
    return FailPoint() ? FailPoint()(step) : 0;
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

// Copies everything from one descriptor to another; 0 or the errno of the failure.
int CopyAll(int from, int to) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n == 0)
            return 0;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (!WriteAll(to, buffer, static_cast<std::size_t>(n)))
            return errno;
    }
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray BaseNameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool InOurGroups(gid_t gid) {
    if (gid == ::getegid())
        return true;
    const int n = ::getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(n));
    const int got = ::getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid)
            return true;
    return false;
}

// ACLs and the user's own attributes belong to the inode; a replacing file would not
// carry them. Security labels are given to a new file by the system itself.
bool HasExtraAttributes(const QByteArray& path) {
    const ssize_t size = ::listxattr(path.constData(), nullptr, 0);
    if (size <= 0)
        return false;
    std::vector<char> names(static_cast<std::size_t>(size));
    const ssize_t got = ::listxattr(path.constData(), names.data(), names.size());
    for (ssize_t i = 0; i < got;) {
        const char* name = names.data() + i;
        if (std::strncmp(name, "security.", 9) != 0)
            return true;
        i += static_cast<ssize_t>(std::strlen(name)) + 1;
    }
    return false;
}

CTargetFacts FactsOfNative(const QByteArray& target) {
    CTargetFacts facts;
    const QByteArray folder = FolderOf(target);
    if (::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0) {
        facts.folderWritable = false;
        facts.folderError = errno;
    }
    struct stat st {};
    if (::stat(target.constData(), &st) != 0)
        return facts;
    facts.exists = true;
    facts.regular = S_ISREG(st.st_mode);
    facts.directory = S_ISDIR(st.st_mode);
    facts.singleLink = st.st_nlink <= 1;
    const bool root = ::geteuid() == 0;
    facts.ownerKeepable = st.st_uid == ::geteuid() || root;
    facts.groupKeepable = InOurGroups(st.st_gid) || root;
    facts.extraAttributes = HasExtraAttributes(target);
    facts.readable = ::faccessat(AT_FDCWD, target.constData(), R_OK, AT_EACCESS) == 0;
    facts.writable = ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) == 0;
    return facts;
}

QByteArray ResolveLinksNative(const QByteArray& path) {
    QByteArray current = path;
    // As many links as the system itself follows before it gives up.
    for (int hops = 0; hops < 40; ++hops) {
        char buffer[4096];
        const ssize_t n = ::readlink(current.constData(), buffer, sizeof buffer);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer)
            return current;
        const QByteArray link(buffer, n);
        current = link.startsWith('/') ? link : FolderOf(current) + '/' + link;
    }
    return current;
}

QString Described(const QString& path) {
    return FileName::ForDisplay(path);
}

struct Outcome {
    int error = 0;
    bool fallBack = false; // the replacing file could not take the old owner or mode
};

Outcome ReplaceFile(const QByteArray& target, const PieceSource& pieces, bool existed) {
    const QByteArray folder = FolderOf(target);
    QByteArray tempName = folder + "/.~vuro-save-XXXXXX";
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return {errno};
    int error = 0;
    pieces([&](std::string_view piece) {
        if (error == 0 && !WriteAll(fd, piece.data(), piece.size()))
            error = errno;
    });
    if (error == 0)
        error = Injected("write");
    bool fallBack = false;
    struct stat old {};
    if (existed && ::stat(target.constData(), &old) == 0) {
        // Owner first: giving a file away clears its set-id bits, which the mode then restores.
        struct stat mine {};
        ::fstat(fd, &mine);
        if (error == 0 && (mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) &&
            (::fchown(fd, old.st_uid, old.st_gid) != 0 || Injected("chown") != 0))
            fallBack = true;
        if (error == 0 && !fallBack && ::fchmod(fd, old.st_mode & 07777) != 0)
            fallBack = true;
    } else if (error == 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (error == 0 && !fallBack && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && !fallBack) {
        error = Injected("rename");
        if (error == 0 && ::rename(tempName.constData(), target.constData()) != 0)
            error = errno;
    }
    if (error != 0 || fallBack) {
        ::unlink(tempName.constData());
        return {error, fallBack};
    }
    SyncFolder(folder);
    return {};
}

struct InPlaceOutcome {
    int error = 0;
    QString keptBackup; // the backup that still holds the old bytes after a failure
};

// The name of a backup of the file named name, without mkstemp's six characters.
QByteArray BackupPrefix(const QByteArray& name) {
    return "." + name + ".vuro-backup-";
}

// A copy of the old bytes in folder; the backup's path, or empty with error set.
QByteArray BackUp(int source, const QByteArray& folder, const QByteArray& name, int& error) {
    QByteArray backup = folder + "/" + BackupPrefix(name) + "XXXXXX";
    const int fd = ::mkstemp(backup.data());
    if (fd < 0) {
        error = errno;
        return {};
    }
    error = ::lseek(source, 0, SEEK_SET) < 0 ? errno : CopyAll(source, fd);
    if (error == 0)
        error = Injected("backup");
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(backup.constData());
        return {};
    }
    return backup;
}

InPlaceOutcome RewriteInPlace(const QByteArray& target, const PieceSource& pieces, bool besideFile) {
    const int fd = ::open(target.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return {errno, {}};
    int error = 0;
    QByteArray backup;
    if (besideFile)
        backup = BackUp(fd, FolderOf(target), BaseNameOf(target), error);
    if (backup.isEmpty()) {
        // Beside the file there may be no room; the state folder may be on another disk.
        const QString state = StateFolder();
        if (state.isEmpty()) {
            ::close(fd);
            return {error != 0 ? error : EACCES, {}};
        }
        backup = BackUp(fd, FileName::ToNative(state), BaseNameOf(target), error);
        if (backup.isEmpty()) {
            ::close(fd);
            return {error, {}};
        }
    }
    struct stat old {};
    ::fstat(fd, &old);

    std::size_t written = 0;
    if (::lseek(fd, 0, SEEK_SET) < 0)
        error = errno;
    pieces([&](std::string_view piece) {
        if (error == 0 && !WriteAll(fd, piece.data(), piece.size()))
            error = errno;
        written += piece.size();
    });
    if (error == 0)
        error = Injected("write");
    if (error == 0 && ::ftruncate(fd, static_cast<off_t>(written)) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (error == 0) {
        ::close(fd);
        ::unlink(backup.constData());
        return {};
    }

    // Put the old bytes back; their blocks were all allocated before, so this fits.
    int restoreError = Injected("restore");
    const int saved = restoreError == 0 ? ::open(backup.constData(), O_RDONLY | O_CLOEXEC) : -1;
    if (restoreError == 0 && saved < 0)
        restoreError = errno;
    if (restoreError == 0 && ::lseek(fd, 0, SEEK_SET) < 0)
        restoreError = errno;
    if (restoreError == 0)
        restoreError = CopyAll(saved, fd);
    if (restoreError == 0 && ::ftruncate(fd, old.st_size) != 0)
        restoreError = errno;
    if (restoreError == 0 && ::fsync(fd) != 0)
        restoreError = errno;
    if (saved >= 0)
        ::close(saved);
    ::close(fd);
    if (restoreError == 0) {
        ::unlink(backup.constData());
        return {error, {}};
    }
    return {error, FileName::FromNative(backup)};
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
    case EFBIG:
        return QStringLiteral("ディスクの空き領域が足りません。");
    case EROFS:
        return QStringLiteral("読み取り専用のドライブです。");
    case ENOMEM:
        return QStringLiteral("メモリが足りません。");
    case EIO:
        return QStringLiteral("入出力エラーが発生しました。");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます。");
    case ELOOP:
        return QStringLiteral("シンボリックリンクが循環しています。");
    case kCannotBackUp:
        return QStringLiteral("元の内容を読み取れないため、退避してから上書きすることができません。");
    default:
        return QString::fromLocal8Bit(std::strerror(e));
    }
}

BufferResult ReadBuffer(const QString& path) {
    BufferResult r;
    const QString shown = Described(path);
    const int fd = ::open(FileName::ToNative(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        r.error = QStringLiteral("%1 を開けません。\n%2").arg(shown, ReasonOf(errno));
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        r.error = QStringLiteral("%1 を開けません。\n%2").arg(shown, ReasonOf(EISDIR));
        return r;
    }
    try {
        // One byte more than the size, so that the end is seen without growing; a file that
        // grows while it is read still comes whole.
        r.bytes =
            CByteBuffer::WithCapacity(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 1 << 16);
        for (;;) {
            if (r.bytes.Size() == r.bytes.Capacity())
                r.bytes.Reserve(r.bytes.Capacity() * 2);
            const ssize_t n =
                ::read(fd, r.bytes.Data() + r.bytes.Size(), r.bytes.Capacity() - r.bytes.Size());
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                const int e = errno;
                ::close(fd);
                r.bytes = CByteBuffer();
                r.error = QStringLiteral("%1 を読み込めません。\n%2").arg(shown, ReasonOf(e));
                return r;
            }
            r.bytes.SetSize(r.bytes.Size() + static_cast<std::size_t>(n));
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        r.bytes = CByteBuffer();
        r.error = QStringLiteral("%1 を開けません。\n%2").arg(shown, ReasonOf(ENOMEM));
        return r;
    }
    ::close(fd);
    r.ok = true;
    return r;
}

ReadResult Read(const QString& path) {
    BufferResult read = ReadBuffer(path);
    ReadResult r;
    r.ok = read.ok;
    r.bytes.assign(read.bytes.View());
    r.error = read.error;
    return r;
}

CDecision ChooseStrategy(const CTargetFacts& f) {
    if (!f.exists) {
        if (!f.folderWritable)
            return {Strategy::Refuse, f.folderError != 0 ? f.folderError : EACCES};
        return {Strategy::Replace};
    }
    if (f.directory)
        return {Strategy::Refuse, EISDIR};
    if (!f.regular)
        return {Strategy::Refuse, EINVAL};
    if (f.folderWritable && f.singleLink && f.ownerKeepable && f.groupKeepable && !f.extraAttributes)
        return {Strategy::Replace};
    if (!f.writable)
        return {Strategy::Refuse, EACCES};
    if (!f.readable)
        return {Strategy::Refuse, kCannotBackUp};
    return {f.folderWritable ? Strategy::InPlaceBackupBeside : Strategy::InPlaceBackupInStateFolder};
}

CTargetFacts FactsOf(const QString& path) {
    return FactsOfNative(ResolveLinksNative(FileName::ToNative(path)));
}

QString ResolveLinks(const QString& path) {
    return FileName::FromNative(ResolveLinksNative(FileName::ToNative(path)));
}

QStringList LeftBackups(const QString& path) {
    const QByteArray target = ResolveLinksNative(FileName::ToNative(path));
    const QByteArray folder = FolderOf(target);
    const QByteArray prefix = BackupPrefix(BaseNameOf(target));
    QStringList found;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.size() == prefix.size() + 6 && name.startsWith(prefix))
            found << FileName::FromNative(folder + '/' + name);
    }
    ::closedir(dir);
    found.sort();
    return found;
}

bool IsReadOnlyForUser(const QString& path) {
    const QByteArray native = FileName::ToNative(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (::geteuid() == 0)
        return (st.st_mode & 0222) == 0;
    return ::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

WriteResult Write(const QString& path, const PieceSource& pieces) {
    WriteResult r;
    const QByteArray target = ResolveLinksNative(FileName::ToNative(path));
    const CTargetFacts facts = FactsOfNative(target);
    CDecision decision = ChooseStrategy(facts);
    const QString lead = QStringLiteral("%1 に保存できません。\n").arg(Described(path));
    const QString untouched =
        facts.exists ? QStringLiteral("\n元のファイルは変更されていません。") : QString();

    if (decision.strategy == Strategy::Replace) {
        const Outcome outcome = ReplaceFile(target, pieces, facts.exists);
        if (!outcome.fallBack) {
            if (outcome.error != 0) {
                r.error = lead + ReasonOf(outcome.error) + untouched;
                return r;
            }
            r.ok = true;
            r.used = Strategy::Replace;
            r.stamp = CFileStamp::Of(FileName::FromNative(target));
            return r;
        }
        // The new file could not take the old one's owner, group or mode: rewrite in place.
        CTargetFacts inPlace = facts;
        inPlace.ownerKeepable = false;
        decision = ChooseStrategy(inPlace);
    }
    if (decision.strategy == Strategy::Refuse) {
        r.error = lead + ReasonOf(decision.error) + untouched;
        return r;
    }
    const InPlaceOutcome outcome =
        RewriteInPlace(target, pieces, decision.strategy == Strategy::InPlaceBackupBeside);
    if (outcome.error != 0) {
        r.error = lead + ReasonOf(outcome.error);
        if (outcome.keptBackup.isEmpty())
            r.error += untouched;
        else
            r.error +=
                QStringLiteral("\n元の内容は %1 に残してあります。").arg(Described(outcome.keptBackup));
        return r;
    }
    r.ok = true;
    r.used = decision.strategy;
    r.stamp = CFileStamp::Of(FileName::FromNative(target));
    return r;
}

WriteResult Write(const QString& path, std::string_view bytes) {
    return Write(path, [bytes](const PieceSink& sink) { sink(bytes); });
}

void SetFailPointForTest(std::function<int(const char* step)> failPoint) {
    FailPoint() = std::move(failPoint);
}

} // namespace SafeFile
