#include "platform/QtPlatformUi.h"

#include "tests/support/FakeViewers.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(DesktopOpener, AnOpenerThatGivesUpIsReportedFromTheEventLoop) {
    CFakeViewers viewers;
    viewers.Add("xdg-open", QString(), "/bin/sh", "exit 3");
    CQtPlatformUi ui;
    int failures = 0;
    ASSERT_TRUE(ui.OpenWithDesktop(QStringLiteral("/tmp/a page.html"), [&] { ++failures; }));
    EXPECT_EQ(failures, 0); // never from inside the call
    QTRY_COMPARE_WITH_TIMEOUT(failures, 1, 5000);
    const auto runs = viewers.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].mid(2), QStringList{"/tmp/a page.html"}); // one argument, blanks and all
}

TEST(DesktopOpener, AnOpenerThatSucceedsReportsNothing) {
    CFakeViewers viewers;
    viewers.Add("xdg-open");
    CQtPlatformUi ui;
    int failures = 0;
    ASSERT_TRUE(ui.OpenWithDesktop(QStringLiteral("https://example.org/"), [&] { ++failures; }));
    ASSERT_EQ(viewers.WaitForRuns(1).size(), 1u);
    QTest::qWait(200);
    EXPECT_EQ(failures, 0);
}
