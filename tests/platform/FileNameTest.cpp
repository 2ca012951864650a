#include "platform/FileName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <random>
#include <unistd.h>

TEST(FileName, EveryByteSequenceComesBackExactly) {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(FileName::ToNative(FileName::FromNative(all)), all);
    std::mt19937 random(9);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            // Mostly the bytes of UTF-8 and Shift-JIS, where the hard cases are.
            const unsigned pick = random() % 4;
            const unsigned b = pick == 0   ? 0x80 + random() % 0x80
                               : pick == 1 ? 0xE0 + random() % 0x20
                                           : 1 + random() % 255;
            bytes.append(static_cast<char>(b));
        }
        ASSERT_EQ(FileName::ToNative(FileName::FromNative(bytes)), bytes) << bytes.toHex().constData();
    }
}

TEST(FileName, Utf8NamesAreTheirCharactersAndOtherBytesAreMarked) {
    EXPECT_EQ(FileName::FromNative(QStringLiteral("/サイト/あ😀.html").toUtf8()),
              QStringLiteral("/サイト/あ😀.html"));
    EXPECT_FALSE(FileName::HasForeignBytes(QStringLiteral("/サイト/あ.html")));
    // Shift-JIS "あ", an encoded surrogate and an overlong "/" are not UTF-8.
    for (const QByteArray& foreign :
         {QByteArray("\x82\xa0"), QByteArray("\xed\xb2\x80"), QByteArray("\xc0\xaf")}) {
        const QString name = FileName::FromNative(foreign);
        EXPECT_TRUE(FileName::HasForeignBytes(name)) << foreign.toHex().constData();
        EXPECT_EQ(name.size(), foreign.size());
        EXPECT_EQ(FileName::ToNative(name), foreign);
    }
}

TEST(FileName, ForeignPartsAreShownAsShiftJis) {
    const QString path = FileName::FromNative(QByteArray("/web/\x83\x54\x83\x43\x83\x67/\x82\xa0.html"));
    EXPECT_EQ(FileName::ForDisplay(path), QStringLiteral("/web/サイト/あ.html"));
    EXPECT_EQ(FileName::ForDisplay(QStringLiteral("/web/a[*].html")), QStringLiteral("/web/a[*].html"));
}

TEST(FileName, ADroppedUrlKeepsItsPercentEscapedBytes) {
    EXPECT_EQ(FileName::ToNative(FileName::FromUrl(QUrl(QStringLiteral("file:///tmp/%82%A0%20x.html")))),
              QByteArray("/tmp/\x82\xa0 x.html"));
    EXPECT_EQ(FileName::FromUrl(QUrl(QStringLiteral("file:///tmp/%E3%81%82.html"))),
              QStringLiteral("/tmp/あ.html"));
    EXPECT_EQ(FileName::FromUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/a#b%.html"))),
              QStringLiteral("/tmp/a#b%.html"));
    EXPECT_TRUE(FileName::FromUrl(QUrl(QStringLiteral("https://example.com/a.html"))).isEmpty());
}

TEST(FileName, APathFromQtsFileListFindsTheFileWhoseBytesItCouldNotShow) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    ASSERT_EQ(::mkdir((folder + "/\x83\x54").constData(), 0755), 0);
    const QByteArray file = folder + "/\x83\x54/\x82\xa0.html";
    ::close(::open(file.constData(), O_CREAT | O_WRONLY, 0644));
    // What Qt's dialog hands back for it.
    const QString shown = QFile::decodeName(file);
    ASSERT_TRUE(shown.contains(QChar(QChar::ReplacementCharacter)));
    EXPECT_EQ(FileName::ToNative(FileName::FromQtPath(shown)), file);
    // A new name typed by the user stays as it is.
    EXPECT_EQ(FileName::FromQtPath(dir.path() + "/new.html"), dir.path() + "/new.html");
    ::unlink(file.constData());
    ::rmdir((folder + "/\x83\x54").constData());
}

TEST(FileName, ArgumentsAreTakenFromArgvBytes) {
    char program[] = "weftpage";
    char name[] = "/tmp/\x82\xa0.html";
    char* argv[] = {program, name, nullptr};
    const QStringList arguments = FileName::FromArgv(2, argv);
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(FileName::ToNative(arguments[1]), QByteArray(name));
}

TEST(FileName, ARelativePathIsMadeFullFromTheCurrentFolder) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_EQ(FileName::AbsolutePath(QStringLiteral("a/../b.html")),
              QDir(dir.path()).canonicalPath() + "/b.html");
    QDir::setCurrent(previous);
    EXPECT_EQ(FileName::AbsolutePath(QStringLiteral("/x/./y.html")), QStringLiteral("/x/y.html"));
}
