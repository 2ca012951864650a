#include "editor/DocumentFile.h"

#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::string ReadRaw(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll().toStdString();
}

void WriteRaw(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

} // namespace

TEST(DocumentFile, ReadsEveryByteAsItIs) {
    QTemporaryDir dir;
    const std::string bytes("<p>\x82\xa0\r\n\x00\x80\xff\nend\r", 14);
    WriteRaw(dir.filePath("a.html"), bytes);
    const auto r = DocumentFile::Read(dir.filePath("a.html"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, bytes);
}

TEST(DocumentFile, AMissingFileOrAFolderIsReportedByName) {
    QTemporaryDir dir;
    const auto missing = DocumentFile::Read(dir.filePath("none.html"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.contains("none.html"));
    EXPECT_TRUE(missing.error.contains(QStringLiteral("見つかりません")));
    const auto folder = DocumentFile::Read(dir.path());
    EXPECT_FALSE(folder.ok);
}

TEST(DocumentFile, WritesExactlyTheTextAndKeepsPermissions) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const std::string bytes("a\nb\rc\r\n\x81", 8);
    const auto r = DocumentFile::WriteAtomically(path, CTextSnapshot(bytes));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(ReadRaw(path), bytes);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // Nothing is left behind beside the file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(DocumentFile, AFailedWriteLeavesTheOldFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WriteRaw(path, "precious old text");
    {
        // Files may grow to 8 bytes only: the write fails as on a full disk.
        CFileSizeLimit limit(8);
        const auto r = DocumentFile::WriteAtomically(path, CTextSnapshot(std::string(1000, 'x')));
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains("page.html"));
        EXPECT_TRUE(r.error.contains(QStringLiteral("元のファイルは変更されていません")));
    }
    EXPECT_EQ(ReadRaw(path), "precious old text");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(DocumentFile, WritingThroughASymbolicLinkKeepsTheLink) {
    QTemporaryDir dir;
    const QString target = dir.filePath("real.html");
    const QString link = dir.filePath("link.html");
    WriteRaw(target, "old");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(DocumentFile::WriteAtomically(link, CTextSnapshot(std::string("new"))).ok);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadRaw(target), "new");
}

TEST(DocumentFile, ANewFileInAMissingFolderIsReportedWithoutClaimingAnOldFile) {
    QTemporaryDir dir;
    const auto r =
        DocumentFile::WriteAtomically(dir.filePath("no/such/page.html"), CTextSnapshot(std::string("x")));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.contains(QStringLiteral("元のファイル")));
}
