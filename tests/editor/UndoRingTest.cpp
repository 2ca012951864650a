#include "editor/UndoRing.h"

#include <gtest/gtest.h>

namespace {

CTextSnapshot Text(const std::string& s) {
    return CTextSnapshot(s);
}

} // namespace

TEST(UndoRing, StartsWithNothingToUndoOrRedo) {
    CUndoRing ring;
    ring.Reset(Text("base"));
    EXPECT_FALSE(ring.CanUndo());
    EXPECT_FALSE(ring.CanRedo());
}

TEST(UndoRing, UndoAndRedoWalkThroughTheSnapshotsInOrder) {
    CUndoRing ring;
    ring.Reset(Text(""));
    ring.Record(Text("a"));
    ring.Record(Text("ab"));
    ring.Record(Text("abc"));
    EXPECT_EQ(ring.Undo(Text("abc")).ToString(), "ab");
    EXPECT_EQ(ring.Undo(Text("ab")).ToString(), "a");
    EXPECT_EQ(ring.Undo(Text("a")).ToString(), "");
    EXPECT_FALSE(ring.CanUndo());
    ASSERT_TRUE(ring.CanRedo());
    EXPECT_EQ(ring.Redo().ToString(), "a");
    EXPECT_EQ(ring.Redo().ToString(), "ab");
    EXPECT_EQ(ring.Redo().ToString(), "abc");
    EXPECT_FALSE(ring.CanRedo());
    EXPECT_TRUE(ring.CanUndo());
}

TEST(UndoRing, SixtyChangesLeaveFortyNineStepsToUndo) {
    CUndoRing ring;
    ring.Reset(Text(""));
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += 'x';
        ring.Record(Text(text));
    }
    int steps = 0;
    std::string current = text;
    while (ring.CanUndo()) {
        current = ring.Undo(Text(current)).ToString();
        ++steps;
    }
    EXPECT_EQ(steps, 49);
    EXPECT_EQ(current, std::string(11, 'x'));
}

TEST(UndoRing, AChangeAfterUndoEndsRedo) {
    CUndoRing ring;
    ring.Reset(Text(""));
    ring.Record(Text("a"));
    ring.Undo(Text("a"));
    ASSERT_TRUE(ring.CanRedo());
    ring.Record(Text("b"));
    EXPECT_FALSE(ring.CanRedo());
    EXPECT_EQ(ring.Undo(Text("b")).ToString(), "");
}

TEST(UndoRing, ResetForgetsHistoryAndRedo) {
    CUndoRing ring;
    ring.Reset(Text(""));
    ring.Record(Text("a"));
    ring.Record(Text("ab"));
    ring.Undo(Text("ab"));
    ring.Reset(Text("new"));
    EXPECT_FALSE(ring.CanUndo());
    EXPECT_FALSE(ring.CanRedo());
    EXPECT_EQ(ring.Current(), 0);
    EXPECT_EQ(ring.Oldest(), 0);
    EXPECT_EQ(ring.RedoTop(), -1);
}
