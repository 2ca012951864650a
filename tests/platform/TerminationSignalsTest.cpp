#include "platform/TerminationSignals.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

TEST(TerminationSignals, ArriveOnTheEventLoopInsteadOfEndingTheProgram) {
    CTerminationSignals watcher({SIGUSR1, SIGUSR2});
    ASSERT_TRUE(watcher.Active());
    QSignalSpy received(&watcher, &CTerminationSignals::Received);
    ASSERT_EQ(std::raise(SIGUSR2), 0);
    ASSERT_EQ(std::raise(SIGUSR1), 0);
    EXPECT_TRUE(received.isEmpty()); // nothing happens inside the handler itself
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.count() == 2; }, 5000));
    EXPECT_EQ(received.at(0).at(0).toInt(), SIGUSR2);
    EXPECT_EQ(received.at(1).at(0).toInt(), SIGUSR1);
}

TEST(TerminationSignals, GiveTheDefaultActionBackWhenDone) {
    { CTerminationSignals watcher({SIGUSR1}); }
    struct sigaction now {};
    ASSERT_EQ(::sigaction(SIGUSR1, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
    // A second watcher works once the first is gone.
    CTerminationSignals again({SIGUSR1});
    EXPECT_TRUE(again.Active());
}
