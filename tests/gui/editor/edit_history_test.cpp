// The undo and redo lists on their own: depth limit, labels and the exchange between the lists.
#include <gtest/gtest.h>

#include "gui/editor/edit_history.h"

namespace tokarium {
namespace {

TEST(EditHistoryTest, KeepsTheNewestEntriesUpToTheLimit) {
    EditHistory history(3);
    for (int i = 1; i <= 5; ++i)
        history.record({"edit " + std::to_string(i), "state " + std::to_string(i)});
    EXPECT_EQ(history.undoCount(), 3u);
    EXPECT_EQ(history.undoLabel(), "edit 5");
    std::vector<std::string> restored;
    std::string current = "now";
    while (auto entry = history.undo(current)) {
        restored.push_back(entry->snapshot);
        current = entry->snapshot;
    }
    EXPECT_EQ(restored, (std::vector<std::string>{"state 5", "state 4", "state 3"}));
    EXPECT_EQ(history.redoCount(), 3u);
    EXPECT_EQ(history.redoLabel(), "edit 3");
}

TEST(EditHistoryTest, RedoGivesBackWhatUndoTookAndANewEditClearsIt) {
    EditHistory history(50);
    history.record({"Delete", "before delete"});
    auto undone = history.undo("after delete");
    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->snapshot, "before delete");
    auto redone = history.redo("before delete");
    ASSERT_TRUE(redone);
    EXPECT_EQ(redone->snapshot, "after delete");
    EXPECT_EQ(history.undoLabel(), "Delete");
    ASSERT_TRUE(history.undo("after delete"));
    EXPECT_TRUE(history.canRedo());
    history.record({"Paste", "x"});
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(history.redo("y"));
}

} // namespace
} // namespace tokarium
