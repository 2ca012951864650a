#include "platform/SafeFileWriter.h"
#include "platform/FileName.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using SafeFile::Strategy;

namespace {

QByteArray Native(const QString& path) {
    return FileName::ToNative(path);
}

std::string ReadRaw(const QString& path) {
    const SafeFile::ReadResult r = SafeFile::Read(path);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    return r.bytes;
}

void WriteRaw(const QString& path, const std::string& bytes) {
    QFile f(QFile::decodeName(Native(path)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

struct stat StatOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::stat(Native(path).constData(), &st), 0);
    return st;
}

// Everything in a folder, hidden files included.
QStringList EntriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QString StateBackups() {
    return qEnvironmentVariable("XDG_STATE_HOME") + QStringLiteral("/Brellmoor/Vuro");
}

// A folder the user nobody may enter (and, with writable, write).
void OpenUp(const QString& folder, bool writable) {
    ASSERT_EQ(::chmod(Native(folder).constData(), writable ? 0777 : 0755), 0);
}

void Own(const QString& path, uid_t uid, gid_t gid) {
    ASSERT_EQ(::chown(Native(path).constData(), uid, gid), 0);
}

SafeFile::CTargetFacts OwnFile() {
    SafeFile::CTargetFacts f;
    f.exists = true;
    return f;
}

class SafeFileFailPoint {
public:
    explicit SafeFileFailPoint(std::function<int(const char*)> failPoint) {
        SafeFile::SetFailPointForTest(std::move(failPoint));
    }
    ~SafeFileFailPoint() { SafeFile::SetFailPointForTest({}); }
};

} // namespace

// The decision alone, for every kind of target.

TEST(SaveStrategy, ANewFileIsWrittenBesideAndRenamedWhenTheFolderIsWritable) {
    SafeFile::CTargetFacts f;
    EXPECT_EQ(SafeFile::ChooseStrategy(f).strategy, Strategy::Replace);
    f.folderWritable = false;
    f.folderError = EROFS;
    const auto refused = SafeFile::ChooseStrategy(f);
    EXPECT_EQ(refused.strategy, Strategy::Refuse);
    EXPECT_EQ(refused.error, EROFS);
}

TEST(SaveStrategy, AnOwnSingleLinkedFileInAWritableFolderIsReplacedAtomically) {
    EXPECT_EQ(SafeFile::ChooseStrategy(OwnFile()).strategy, Strategy::Replace);
    // Read-only for the user: the question comes first; the new file then keeps mode 444.
    SafeFile::CTargetFacts readOnly = OwnFile();
    readOnly.writable = false;
    EXPECT_EQ(SafeFile::ChooseStrategy(readOnly).strategy, Strategy::Replace);
}

TEST(SaveStrategy, WhatAReplacingFileWouldLoseIsKeptByWritingInPlace) {
    for (auto lose : {&SafeFile::CTargetFacts::singleLink, &SafeFile::CTargetFacts::ownerKeepable,
                      &SafeFile::CTargetFacts::groupKeepable}) {
        SafeFile::CTargetFacts f = OwnFile();
        f.*lose = false;
        EXPECT_EQ(SafeFile::ChooseStrategy(f).strategy, Strategy::InPlaceBackupBeside);
    }
    SafeFile::CTargetFacts attributes = OwnFile();
    attributes.extraAttributes = true;
    EXPECT_EQ(SafeFile::ChooseStrategy(attributes).strategy, Strategy::InPlaceBackupBeside);
}

TEST(SaveStrategy, AFileInAFolderTheUserMayNotWriteIsBackedUpToTheStateFolder) {
    SafeFile::CTargetFacts f = OwnFile();
    f.folderWritable = false;
    f.folderError = EACCES;
    EXPECT_EQ(SafeFile::ChooseStrategy(f).strategy, Strategy::InPlaceBackupInStateFolder);
    f.singleLink = false;
    EXPECT_EQ(SafeFile::ChooseStrategy(f).strategy, Strategy::InPlaceBackupInStateFolder);
}

TEST(SaveStrategy, InPlaceIsRefusedWhenTheFileCannotBeWrittenOrItsOldBytesCannotBeRead) {
    SafeFile::CTargetFacts f = OwnFile();
    f.folderWritable = false;
    f.writable = false;
    EXPECT_EQ(SafeFile::ChooseStrategy(f).strategy, Strategy::Refuse);
    EXPECT_EQ(SafeFile::ChooseStrategy(f).error, EACCES);
    f.writable = true;
    f.readable = false;
    EXPECT_EQ(SafeFile::ChooseStrategy(f).error, SafeFile::kCannotBackUp);
}

TEST(SaveStrategy, FoldersAndSpecialFilesAreNeverWritten) {
    SafeFile::CTargetFacts folder = OwnFile();
    folder.regular = false;
    folder.directory = true;
    EXPECT_EQ(SafeFile::ChooseStrategy(folder).strategy, Strategy::Refuse);
    EXPECT_EQ(SafeFile::ChooseStrategy(folder).error, EISDIR);
    SafeFile::CTargetFacts fifo = OwnFile();
    fifo.regular = false;
    EXPECT_EQ(SafeFile::ChooseStrategy(fifo).strategy, Strategy::Refuse);
}

// Reading.

TEST(SafeFileRead, ReadsEveryByteAsItIs) {
    QTemporaryDir dir;
    const std::string bytes("<p>\x82\xa0\r\n\x00\x80\xff\nend\r", 14);
    WriteRaw(dir.filePath("a.html"), bytes);
    EXPECT_EQ(ReadRaw(dir.filePath("a.html")), bytes);
}

TEST(SafeFileRead, AMissingFileOrAFolderIsReportedByName) {
    QTemporaryDir dir;
    const auto missing = SafeFile::Read(dir.filePath("none.html"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.contains("none.html"));
    EXPECT_TRUE(missing.error.contains(QStringLiteral("見つかりません")));
    EXPECT_FALSE(SafeFile::Read(dir.path()).ok);
}

// Writing real files.

TEST(SafeFileWrite, WritesExactlyTheBytesAndKeepsPermissionsLeavingNothingBehind) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "old");
    ASSERT_EQ(::chmod(Native(path).constData(), 0640), 0);
    const std::string bytes("a\nb\rc\r\n\x81", 8);
    const auto r = SafeFile::Write(path, bytes);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.used, Strategy::Replace);
    EXPECT_EQ(ReadRaw(path), bytes);
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0640u);
    EXPECT_EQ(EntriesOf(dir.path()), QStringList{"page.html"});
    EXPECT_EQ(r.stamp, CFileStamp::Of(path));
}

TEST(SafeFileWrite, ANewFileGetsTheUsualPermissions) {
    QTemporaryDir dir;
    const mode_t mask = ::umask(022);
    const auto r = SafeFile::Write(dir.filePath("new.html"), "x");
    ::umask(mask);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(StatOf(dir.filePath("new.html")).st_mode & 07777, 0644u);
}

TEST(SafeFileWrite, AFailedWriteLeavesTheOldFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "precious old text");
    {
        // Files may grow to 8 bytes only: the write fails as on a full disk.
        CFileSizeLimit limit(8);
        const auto r = SafeFile::Write(path, std::string(1000, 'x'));
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains("page.html"));
        EXPECT_TRUE(r.error.contains(QStringLiteral("元のファイルは変更されていません")));
    }
    EXPECT_EQ(ReadRaw(path), "precious old text");
    EXPECT_EQ(EntriesOf(dir.path()), QStringList{"page.html"});
}

TEST(SafeFileWrite, ANewFileInAMissingFolderIsReportedWithoutClaimingAnOldFile) {
    QTemporaryDir dir;
    const auto r = SafeFile::Write(dir.filePath("no/such/page.html"), "x");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.contains(QStringLiteral("元のファイル")));
}

TEST(SafeFileWrite, ASymbolicLinkStaysALinkAndItsTargetIsWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("site"));
    const QString target = dir.filePath("site/real.html");
    WriteRaw(target, "old");
    // A relative link to a relative link.
    ASSERT_EQ(::symlink("site/real.html", Native(dir.filePath("one.html")).constData()), 0);
    ASSERT_EQ(::symlink("one.html", Native(dir.filePath("two.html")).constData()), 0);
    ASSERT_TRUE(SafeFile::Write(dir.filePath("two.html"), "new").ok);
    EXPECT_TRUE(QFileInfo(dir.filePath("two.html")).isSymLink());
    EXPECT_TRUE(QFileInfo(dir.filePath("one.html")).isSymLink());
    EXPECT_EQ(ReadRaw(target), "new");
    EXPECT_EQ(SafeFile::ResolveLinks(dir.filePath("two.html")), dir.filePath("site/real.html"));
    // A dangling link gets its target made, as the link promises.
    ASSERT_EQ(::symlink("site/later.html", Native(dir.filePath("later.html")).constData()), 0);
    ASSERT_TRUE(SafeFile::Write(dir.filePath("later.html"), "made").ok);
    EXPECT_TRUE(QFileInfo(dir.filePath("later.html")).isSymLink());
    EXPECT_EQ(ReadRaw(dir.filePath("site/later.html")), "made");
}

TEST(SafeFileWrite, AHardLinkedFileIsRewrittenInPlaceSoEveryNameSeesTheNewText) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "old text that is longer than the new");
    ASSERT_EQ(::link(Native(path).constData(), Native(dir.filePath("other.html")).constData()), 0);
    const ino_t inode = StatOf(path).st_ino;
    const auto r = SafeFile::Write(path, "new");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.used, Strategy::InPlaceBackupBeside);
    EXPECT_EQ(ReadRaw(dir.filePath("other.html")), "new");
    EXPECT_EQ(StatOf(path).st_ino, inode);
    EXPECT_EQ(StatOf(path).st_nlink, 2u);
    // The backup is gone once the new content is complete.
    EXPECT_EQ(EntriesOf(dir.path()), (QStringList{"other.html", "page.html"}));
}

TEST(SafeFileWrite, AFailedInPlaceWriteIsUndoneFromTheBackup) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "old");
    ASSERT_EQ(::link(Native(path).constData(), Native(dir.filePath("other.html")).constData()), 0);
    SafeFileFailPoint fail([](const char* step) { return std::string_view(step) == "write" ? ENOSPC : 0; });
    const auto r = SafeFile::Write(path, std::string(5000, 'n'));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("ディスクの空き領域が足りません")));
    EXPECT_TRUE(r.error.contains(QStringLiteral("元のファイルは変更されていません")));
    EXPECT_EQ(ReadRaw(path), "old");
    EXPECT_EQ(EntriesOf(dir.path()), (QStringList{"other.html", "page.html"}));
}

TEST(SafeFileWrite, WhenTheOldBytesCannotBePutBackTheMessageNamesTheBackup) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "old");
    ASSERT_EQ(::link(Native(path).constData(), Native(dir.filePath("other.html")).constData()), 0);
    SafeFileFailPoint fail([](const char* step) {
        const std::string_view s(step);
        return s == "write" ? EIO : s == "restore" ? EIO : 0;
    });
    const auto r = SafeFile::Write(path, "new");
    EXPECT_FALSE(r.ok);
    QStringList entries = EntriesOf(dir.path());
    entries.removeAll("other.html");
    entries.removeAll("page.html");
    ASSERT_EQ(entries.size(), 1);
    EXPECT_TRUE(entries[0].startsWith(".page.html.vuro-backup-"));
    EXPECT_TRUE(r.error.contains(dir.filePath(entries[0]))) << r.error.toStdString();
    EXPECT_EQ(ReadRaw(dir.filePath(entries[0])), "old");
    // Opening the file later finds the backup, also through a symbolic link from elsewhere;
    // files that only look alike are not taken for one.
    const QStringList left{dir.filePath(entries[0])};
    EXPECT_EQ(SafeFile::LeftBackups(path), left);
    QTemporaryDir elsewhere;
    ASSERT_EQ(::symlink(Native(path).constData(), Native(elsewhere.filePath("link.html")).constData()), 0);
    EXPECT_EQ(SafeFile::LeftBackups(elsewhere.filePath("link.html")), left);
    WriteRaw(dir.filePath(".page.html.vuro-backup-toolong"), "x");
    WriteRaw(dir.filePath(".other.html.vuro-backup-AbCdEf"), "x");
    WriteRaw(dir.filePath("page.html.vuro-backup-AbCdEf"), "x");
    EXPECT_EQ(SafeFile::LeftBackups(path), left);
    EXPECT_TRUE(SafeFile::LeftBackups(dir.filePath("none.html")).isEmpty());
}

TEST(SafeFileWrite, NoBackupMeansNoInPlaceWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "old");
    ASSERT_EQ(::link(Native(path).constData(), Native(dir.filePath("other.html")).constData()), 0);
    // The backup fails beside the file and in the state folder.
    SafeFileFailPoint fail([](const char* step) { return std::string_view(step) == "backup" ? ENOSPC : 0; });
    const auto r = SafeFile::Write(path, "new");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(ReadRaw(path), "old");
    EXPECT_EQ(EntriesOf(dir.path()), (QStringList{"other.html", "page.html"}));
    EXPECT_TRUE(EntriesOf(StateBackups()).isEmpty());
}

TEST(SafeFileWrite, RootSavingAnotherUsersFileKeepsItsOwnerGroupAndMode) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give files away";
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "old");
    Own(path, Unprivileged::kNobody, Unprivileged::kNobody);
    ASSERT_EQ(::chmod(Native(path).constData(), 02640), 0);
    const auto r = SafeFile::Write(path, "new");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.used, Strategy::Replace);
    const struct stat st = StatOf(path);
    EXPECT_EQ(st.st_uid, Unprivileged::kNobody);
    EXPECT_EQ(st.st_gid, Unprivileged::kNobody);
    EXPECT_EQ(st.st_mode & 07777, 02640u);
    EXPECT_EQ(ReadRaw(path), "new");
}

TEST(SafeFileWrite, AReplacingFileThatCannotTakeTheOwnerGivesWayToAnInPlaceWrite) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give files away";
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "old");
    Own(path, Unprivileged::kNobody, Unprivileged::kNobody);
    const ino_t inode = StatOf(path).st_ino;
    SafeFileFailPoint fail([](const char* step) { return std::string_view(step) == "chown" ? EPERM : 0; });
    const auto r = SafeFile::Write(path, "new");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.used, Strategy::InPlaceBackupBeside);
    EXPECT_EQ(StatOf(path).st_ino, inode);
    EXPECT_EQ(StatOf(path).st_uid, Unprivileged::kNobody);
    EXPECT_EQ(EntriesOf(dir.path()), QStringList{"page.html"});
}

TEST(SafeFileWrite, AFullFileSystemKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString mount = dir.filePath("small");
    ASSERT_TRUE(QDir().mkpath(mount));
    if (::mount("tmpfs", Native(mount).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "a small file system cannot be mounted here; the size limit test covers the failure";
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount(at.constData()); }
    } unmount{Native(mount)};
    const QString path = mount + "/page.html";
    WriteRaw(path, std::string(20000, 'o'));
    // The replacing file does not fit beside the old one.
    const auto replaced = SafeFile::Write(path, std::string(60000, 'n'));
    EXPECT_FALSE(replaced.ok);
    EXPECT_TRUE(replaced.error.contains(QStringLiteral("ディスクの空き領域が足りません")));
    EXPECT_EQ(ReadRaw(path), std::string(20000, 'o'));
    // In place, the backup goes to the state folder when there is no room beside the file.
    ASSERT_EQ(::link(Native(path).constData(), Native(mount + "/other.html").constData()), 0);
    WriteRaw(mount + "/filler", std::string(30000, 'f'));
    const auto inPlace = SafeFile::Write(path, std::string(20000, 'n'));
    EXPECT_TRUE(inPlace.ok) << inPlace.error.toStdString();
    EXPECT_EQ(ReadRaw(mount + "/other.html"), std::string(20000, 'n'));
    // Too big even in place: the old bytes are put back.
    const auto tooBig = SafeFile::Write(path, std::string(100000, 'x'));
    EXPECT_FALSE(tooBig.ok);
    EXPECT_EQ(ReadRaw(path), std::string(20000, 'n'));
    EXPECT_EQ(EntriesOf(mount).size(), 3);
    EXPECT_TRUE(EntriesOf(StateBackups()).isEmpty());
}

TEST(SafeFileWrite, ANameThatIsNotUtf8IsWrittenUnderItsOwnBytes) {
    QTemporaryDir dir;
    // "あ.html" in Shift-JIS.
    const QString path = FileName::FromNative(Native(dir.path()) + "/\x82\xa0.html");
    ASSERT_TRUE(SafeFile::Write(path, "sjis").ok);
    struct stat st {};
    EXPECT_EQ(::stat((Native(dir.path()) + "/\x82\xa0.html").constData(), &st), 0);
    EXPECT_EQ(ReadRaw(path), "sjis");
    // Qt's own clean-up of the folder cannot name the file.
    ::unlink((Native(dir.path()) + "/\x82\xa0.html").constData());
}

// An ordinary user's view, run as nobody (see Unprivileged.h).

TEST(SafeFileAsUser, ReadOnlyFileIsSeenAsReadOnly) {
    QTemporaryDir dir;
    OpenUp(dir.path(), true);
    WriteRaw(dir.filePath("ro.html"), "old");
    WriteRaw(dir.filePath("rw.html"), "old");
    ::chmod(Native(dir.filePath("ro.html")).constData(), 0444);
    ::chmod(Native(dir.filePath("rw.html")).constData(), 0666);
    // Root, too, is told about a file without write bits.
    EXPECT_TRUE(SafeFile::IsReadOnlyForUser(dir.filePath("ro.html")));
    EXPECT_FALSE(SafeFile::IsReadOnlyForUser(dir.filePath("rw.html")));
    EXPECT_FALSE(SafeFile::IsReadOnlyForUser(dir.filePath("none.html")));
    // As nobody, a root-owned 0644 file is read-only too.
    WriteRaw(dir.filePath("roots.html"), "old");
    ::chmod(Native(dir.filePath("roots.html")).constData(), 0644);
    EXPECT_EQ(Unprivileged::Run("SafeFileChild.SeesReadOnly", dir.path()), "");
}

TEST(SafeFileChild, SeesReadOnly) {
    VURO_CHILD_ONLY();
    const QDir dir(Unprivileged::ChildFolder());
    EXPECT_TRUE(SafeFile::IsReadOnlyForUser(dir.filePath("ro.html")));
    EXPECT_FALSE(SafeFile::IsReadOnlyForUser(dir.filePath("rw.html")));
    if (::geteuid() == Unprivileged::kNobody) {
        EXPECT_TRUE(SafeFile::IsReadOnlyForUser(dir.filePath("roots.html")));
    }
}

TEST(SafeFileAsUser, WritesInPlaceWhereTheFolderOrTheOwnerForbidsReplacing) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hand the files to nobody";
    QTemporaryDir dir;
    OpenUp(dir.path(), false); // root's folder: nobody may not write in it
    ASSERT_TRUE(QDir(dir.path()).mkdir("shared"));
    OpenUp(dir.filePath("shared"), true);
    // Nobody's own file in root's folder.
    WriteRaw(dir.filePath("mine.html"), "old mine");
    Own(dir.filePath("mine.html"), Unprivileged::kNobody, Unprivileged::kNobody);
    // Root's writable file in a shared folder.
    WriteRaw(dir.filePath("shared/roots.html"), "old roots");
    ::chmod(Native(dir.filePath("shared/roots.html")).constData(), 0666);
    // Root's read-only file in root's folder, and a write-only one nobody cannot back up.
    WriteRaw(dir.filePath("locked.html"), "old locked");
    WriteRaw(dir.filePath("writeonly.html"), "old writeonly");
    ::chmod(Native(dir.filePath("writeonly.html")).constData(), 0222);
    // Nobody's own read-only file in the shared folder.
    WriteRaw(dir.filePath("shared/ro.html"), "old ro");
    Own(dir.filePath("shared/ro.html"), Unprivileged::kNobody, Unprivileged::kNobody);
    ::chmod(Native(dir.filePath("shared/ro.html")).constData(), 0444);

    EXPECT_EQ(Unprivileged::Run("SafeFileChild.WritesWhereAllowed", dir.path()), "");

    EXPECT_EQ(ReadRaw(dir.filePath("mine.html")), "new mine");
    EXPECT_EQ(ReadRaw(dir.filePath("shared/roots.html")), "new roots");
    EXPECT_EQ(StatOf(dir.filePath("shared/roots.html")).st_uid, 0u);
    EXPECT_EQ(ReadRaw(dir.filePath("locked.html")), "old locked");
    EXPECT_EQ(ReadRaw(dir.filePath("writeonly.html")), "old writeonly");
    EXPECT_EQ(ReadRaw(dir.filePath("shared/ro.html")), "new ro");
    EXPECT_EQ(StatOf(dir.filePath("shared/ro.html")).st_mode & 07777, 0444u);
    EXPECT_EQ(EntriesOf(dir.path()), (QStringList{"locked.html", "mine.html", "writeonly.html"}));
    EXPECT_EQ(EntriesOf(dir.filePath("shared")), (QStringList{"ro.html", "roots.html"}));
}

TEST(SafeFileChild, WritesWhereAllowed) {
    VURO_CHILD_ONLY();
    const QDir dir(Unprivileged::ChildFolder());
    const auto mine = SafeFile::Write(dir.filePath("mine.html"), "new mine");
    EXPECT_TRUE(mine.ok) << mine.error.toStdString();
    EXPECT_EQ(mine.used, Strategy::InPlaceBackupInStateFolder);
    EXPECT_TRUE(EntriesOf(StateBackups()).isEmpty());

    const auto roots = SafeFile::Write(dir.filePath("shared/roots.html"), "new roots");
    EXPECT_TRUE(roots.ok) << roots.error.toStdString();
    EXPECT_EQ(roots.used, Strategy::InPlaceBackupBeside);

    const auto locked = SafeFile::Write(dir.filePath("locked.html"), "new locked");
    EXPECT_FALSE(locked.ok);
    EXPECT_TRUE(locked.error.contains(QStringLiteral("アクセスが拒否されました")));
    EXPECT_TRUE(locked.error.contains(QStringLiteral("元のファイルは変更されていません")));

    const auto writeOnly = SafeFile::Write(dir.filePath("writeonly.html"), "new writeonly");
    EXPECT_FALSE(writeOnly.ok);
    EXPECT_TRUE(writeOnly.error.contains(QStringLiteral("元の内容を読み取れない")));

    // The user agreed to overwrite a read-only file of their own (the question is asked
    // before): the replacing file keeps mode 444.
    const auto ro = SafeFile::Write(dir.filePath("shared/ro.html"), "new ro");
    EXPECT_TRUE(ro.ok) << ro.error.toStdString();
    EXPECT_EQ(ro.used, Strategy::Replace);
}

// A save killed at any moment leaves the old or the new text, never a mix.

TEST(SafeFileKill, AKilledReplaceLeavesTheOldOrTheNewBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.html");
    constexpr std::size_t kSize = 4 << 20;
    const std::string oldBytes(kSize, 'o');
    const std::string newBytes(kSize, 'n');
    int sawOld = 0;
    int sawNew = 0;
    for (int delayMs : {0, 5, 20, 40, 80, 120, 160, 250, 400}) {
        WriteRaw(path, oldBytes);
        QFile::remove(dir.filePath("started"));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VURO_KILL_SAVE", dir.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SafeFileChild.SavesSlowly"});
        ASSERT_TRUE(child.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(dir.filePath("started")) && waited.elapsed() < 30000)
            QThread::msleep(1);
        QThread::msleep(static_cast<unsigned long>(delayMs));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        const std::string now = ReadRaw(path);
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "a mix after " << delayMs << " ms";
        (now == oldBytes ? sawOld : sawNew)++;
    }
    // The kills fell both before and after the rename, so both outcomes were seen.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

TEST(SafeFileChild, SavesSlowly) {
    const QString folder = qEnvironmentVariable("VURO_KILL_SAVE");
    if (folder.isEmpty())
        GTEST_SKIP() << "run by SafeFileKill as a child to be killed";
    const std::string piece(64 << 10, 'n');
    WriteRaw(folder + "/started", "");
    // 64 pieces, a few milliseconds apart: about 200 ms of writing before the rename.
    SafeFile::Write(folder + "/big.html", [&](const SafeFile::PieceSink& sink) {
        for (int i = 0; i < 64; ++i) {
            sink(piece);
            QThread::msleep(3);
        }
    });
    QThread::sleep(5);
}
