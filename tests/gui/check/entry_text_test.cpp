// The summary text of a priority entry.
#include "gui/check/entry_text.h"

#include <gtest/gtest.h>

namespace tokarium {
namespace {

PriorityEntry entryOf(std::initializer_list<std::tuple<std::int32_t, std::int32_t, double>> elements) {
    PriorityEntry entry;
    for (auto [transition, priority, ratio] : elements)
        entry.addElement(transition, priority, ratio);
    return entry;
}

TEST(EntryText, SharedClassShowsRatiosOtherThanOne) {
    EXPECT_EQ(entryText(entryOf({{1, 1, 2.0}, {2, 1, 1.0}, {4, 2, 0.0}})), "[2T1, T2] < T4");
}

TEST(EntryText, NegativePrioritiesComeFirstFromMinusOneDownwards) {
    EXPECT_EQ(entryText(entryOf({{3, -1, 0.0}, {5, -2, 0.0}})), "T3 < T5");
    EXPECT_EQ(entryText(entryOf({{1, 3, 0.0}, {2, -5, 0.0}, {3, 0, 0.0}, {4, -1, 0.0}, {6, 1, 0.0}})),
              "T4 < T2 < T3 < T6 < T1");
}

TEST(EntryText, MembersKeepEntryOrderAndRatiosUseTwelveDigits) {
    EXPECT_EQ(entryText(entryOf({{7, 2, 1.0 / 3.0}, {3, 2, 0.5}, {9, 1, 1.0}})), "T9 < [0.333333333333T7, 0.5T3]");
}

TEST(EntryText, ClassOfOneNeverShowsItsRatio) {
    EXPECT_EQ(entryText(entryOf({{4, 1, 2.0}})), "T4");
}

TEST(EntryText, ExtremePrioritiesAndAnEmptyEntry) {
    EXPECT_EQ(entryText(entryOf({{1, 2147483647, 0.0}, {2, -2147483647 - 1, 0.0}})), "T2 < T1");
    EXPECT_EQ(entryText(PriorityEntry{}), "");
}

} // namespace
} // namespace tokarium
