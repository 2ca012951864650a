#include "platform/CommandRouter.h"

#include <gtest/gtest.h>

namespace {

class CTarget : public CCommandTarget {
public:
    void Handle(int id, int& counter, bool* enabled = nullptr) {
        OnCommand(
            id, [&counter] { ++counter; },
            enabled ? UpdateRule([enabled](CCommandState& s) { s.enabled = *enabled; }) : UpdateRule());
    }
};

} // namespace

TEST(CommandRouter, TheFirstTargetThatHandlesACommandWins) {
    CTarget view, frame;
    int inView = 0, inFrame = 0;
    view.Handle(1, inView);
    frame.Handle(1, inFrame);
    frame.Handle(2, inFrame);
    CCommandRouter router;
    router.SetTargets({&view, &frame});
    EXPECT_TRUE(router.Execute(1));
    EXPECT_TRUE(router.Execute(2));
    EXPECT_EQ(inView, 1);
    EXPECT_EQ(inFrame, 1);
}

TEST(CommandRouter, ACommandNobodyHandlesIsGreyedAndDoesNothing) {
    CTarget view;
    CCommandRouter router;
    router.SetTargets({&view});
    EXPECT_FALSE(router.State(32859).enabled);
    EXPECT_FALSE(router.Execute(32859));
}

TEST(CommandRouter, AGreyedCommandNeverRunsAndComesBackWhenItsRuleAllows) {
    CTarget view;
    int runs = 0;
    bool enabled = false;
    view.Handle(7, runs, &enabled);
    CCommandRouter router;
    router.SetTargets({&view});
    EXPECT_FALSE(router.State(7).enabled);
    EXPECT_FALSE(router.Execute(7));
    EXPECT_EQ(runs, 0);
    enabled = true;
    EXPECT_TRUE(router.Execute(7));
    EXPECT_EQ(runs, 1);
}
