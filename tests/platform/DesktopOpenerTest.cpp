#include "platform/QtPlatformUi.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Puts a stand-in xdg-open that records its argument and exits with the given code first on
// PATH for the life of the object.
class FakeOpener {
public:
    explicit FakeOpener(int exitCode) : m_oldPath(qgetenv("PATH")) {
        QFile script(m_dir.filePath("xdg-open"));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                         .arg(Record(), QString::number(exitCode))
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(m_dir.path()) + ":" + m_oldPath);
    }
    ~FakeOpener() { qputenv("PATH", m_oldPath); }
    QString Record() const { return m_dir.filePath("target"); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};

} // namespace

TEST(DesktopOpener, AnOpenerThatGivesUpIsReportedFromTheEventLoop) {
    FakeOpener opener(3);
    CQtPlatformUi ui;
    int failures = 0;
    ASSERT_TRUE(ui.OpenWithDesktop(QStringLiteral("/tmp/a page.html"), [&] { ++failures; }));
    EXPECT_EQ(failures, 0); // never from inside the call
    QTRY_COMPARE_WITH_TIMEOUT(failures, 1, 5000);
    QFile record(opener.Record());
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    EXPECT_EQ(record.readAll(), "/tmp/a page.html"); // one argument, blanks and all
}

TEST(DesktopOpener, AnOpenerThatSucceedsReportsNothing) {
    FakeOpener opener(0);
    CQtPlatformUi ui;
    int failures = 0;
    ASSERT_TRUE(ui.OpenWithDesktop(QStringLiteral("https://example.org/"), [&] { ++failures; }));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(opener.Record()), 5000);
    QTest::qWait(200);
    EXPECT_EQ(failures, 0);
}
