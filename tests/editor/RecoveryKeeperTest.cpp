#include "editor/RecoveryKeeper.h"

#include "editor/RecoveryCopy.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A keeper over a text the test changes, writing into a folder of its own.
class RecoveryKeeper : public ::testing::Test {
protected:
    RecoveryKeeper()
        : m_keeper(QFile::encodeName(m_dir.path()), "recovery-1-1-0123456789abcdef0123456789abcdef", [this] {
              return CRecoveryKeeper::CSource{m_text, m_path, m_onDisk};
          }) {}

    void Edit(const std::string& bytes) {
        m_text = CTextSnapshot(bytes);
        m_keeper.ModifiedChanged(true);
    }
    bool CopyExists() const { return QFile::exists(QFile::decodeName(m_keeper.CopyFile())); }
    std::optional<RecoveryCopy::CContent> Copy() { return RecoveryCopy::Read(m_keeper.CopyFile()); }
    bool WaitForCopyOf(const std::string& text) {
        return QTest::qWaitFor(
            [&] {
                m_keeper.WaitIdle();
                const auto copy = Copy();
                return copy && copy->text == text;
            },
            10000);
    }

    QTemporaryDir m_dir;
    CTextSnapshot m_text;
    QByteArray m_path = "/web/page.html";
    bool m_onDisk = false;
    CRecoveryKeeper m_keeper;
};

} // namespace

TEST_F(RecoveryKeeper, WritesTheTextAMomentAfterTheLastChange) {
    Edit("a");
    Edit("ab");
    EXPECT_FALSE(CopyExists()); // not on the key press itself
    ASSERT_TRUE(WaitForCopyOf("ab"));
    EXPECT_EQ(Copy()->path, "/web/page.html");
    Edit("abc");
    EXPECT_TRUE(WaitForCopyOf("abc"));
}

TEST_F(RecoveryKeeper, WritesWhileTypingGoesOnWithoutAPause) {
    // Changes every 100 ms, more often than the quiet time: the copy must not wait for a pause.
    QElapsedTimer typing;
    typing.start();
    std::string text;
    bool written = false;
    while (typing.elapsed() < 3 * CRecoveryKeeper::kLatestMs && !written) {
        text += 'x';
        Edit(text);
        QTest::qWait(100);
        m_keeper.WaitIdle();
        written = CopyExists();
    }
    EXPECT_TRUE(written);
}

TEST_F(RecoveryKeeper, RemovesTheCopyWhenNothingIsUnsavedAnyMore) {
    Edit("abc");
    ASSERT_TRUE(m_keeper.Flush(true));
    ASSERT_TRUE(CopyExists());
    m_keeper.ModifiedChanged(false);
    m_keeper.WaitIdle();
    EXPECT_FALSE(CopyExists());
    // A change given up before its copy was due leaves nothing behind either.
    Edit("abcd");
    m_keeper.ModifiedChanged(false);
    QTest::qWait(CRecoveryKeeper::kQuietMs + 300);
    m_keeper.WaitIdle();
    EXPECT_FALSE(CopyExists());
}

TEST_F(RecoveryKeeper, NoCopyIsKeptOfTheTextTheFileHolds) {
    Edit("changed");
    ASSERT_TRUE(WaitForCopyOf("changed"));
    // Undo back to the file's text: the older copy goes and none is written.
    m_onDisk = true;
    Edit("as on disk");
    QTest::qWait(CRecoveryKeeper::kQuietMs + 300);
    m_keeper.WaitIdle();
    EXPECT_FALSE(CopyExists());
    EXPECT_TRUE(m_keeper.Flush(true));
    EXPECT_FALSE(CopyExists());
    m_onDisk = false;
    Edit("changed again");
    EXPECT_TRUE(WaitForCopyOf("changed again"));
}

TEST_F(RecoveryKeeper, FlushWritesAtOnceAndNormalEndRemovesTheCopy) {
    Edit("unsaved");
    ASSERT_TRUE(m_keeper.Flush(true));
    ASSERT_TRUE(Copy());
    EXPECT_EQ(Copy()->text, "unsaved");
    m_keeper.Shutdown();
    EXPECT_FALSE(CopyExists());
}

TEST_F(RecoveryKeeper, AKeptCopyOutlivesTheEndAndLaterRequestsToRemoveIt) {
    Edit("keep me");
    ASSERT_TRUE(m_keeper.Flush(true));
    m_keeper.KeepAtExit();
    // What a dialog ended by the signal might do on its way out must not lose the copy.
    m_keeper.ModifiedChanged(false);
    m_keeper.Remove();
    m_keeper.Shutdown();
    ASSERT_TRUE(Copy());
    EXPECT_EQ(Copy()->text, "keep me");
}

TEST_F(RecoveryKeeper, AdoptsAGoneInstancesCopyOnlyOnce) {
    const QByteArray other =
        QFile::encodeName(m_dir.filePath("recovery-2-2-0123456789abcdef0123456789abcdef"));
    ASSERT_EQ(RecoveryCopy::Write(QFile::encodeName(m_dir.path()),
                                  "recovery-2-2-0123456789abcdef0123456789abcdef", "/old.html",
                                  CTextSnapshot("old work")),
              0);
    ASSERT_TRUE(m_keeper.Adopt(other));
    EXPECT_FALSE(QFile::exists(QFile::decodeName(other)));
    EXPECT_EQ(Copy()->text, "old work");
    EXPECT_FALSE(m_keeper.Adopt(other));
    // Declined: the adopted copy goes.
    m_keeper.Remove();
    m_keeper.WaitIdle();
    EXPECT_FALSE(CopyExists());
}

TEST(RecoveryKeeperFailure, IsToldOnceWhenTheFolderCannotBeWritten) {
    QTemporaryDir dir;
    CTextSnapshot text("x");
    CRecoveryKeeper keeper(QFile::encodeName(dir.filePath("missing")), "recovery-1-1-x", [&] {
        return CRecoveryKeeper::CSource{text, {}};
    });
    QSignalSpy failed(&keeper, &CRecoveryKeeper::WriteFailed);
    EXPECT_FALSE(keeper.Flush(true));
    EXPECT_FALSE(keeper.Flush(true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return failed.count() > 0; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(failed.at(0).at(0).toInt(), ENOENT);
}
