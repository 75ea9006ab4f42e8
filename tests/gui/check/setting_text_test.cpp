// Field texts of the "Stop Conditions" and "Conflicts Resolution" dialogs.
#include "gui/check/setting_text.h"

#include <gtest/gtest.h>

#include "gui/model/net_sheet.h"

namespace tokarium {
namespace {

TEST(DurationText, NewSheetShowsHundredAndTakesTwoCommaFive) {
    NetSheet sheet;
    EXPECT_EQ(durationText(sheet.duration()), "100");
    sheet.setDuration(durationFromText("2,5"));
    EXPECT_EQ(sheet.duration(), 2.5);
    EXPECT_EQ(durationText(sheet.duration()), "2.5");
}

TEST(DurationText, CommaIsADecimalSeparator) {
    EXPECT_DOUBLE_EQ(durationFromText("2,5"), 2.5);
    EXPECT_DOUBLE_EQ(durationFromText("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(durationFromText("1e3"), 1000.0);
}

TEST(DurationText, AnythingElseIsZeroAndNegativeIsKept) {
    EXPECT_EQ(durationFromText("abc"), 0.0);
    EXPECT_EQ(durationFromText(""), 0.0);
    EXPECT_EQ(durationFromText("2,5 s"), 0.0);
    EXPECT_EQ(durationFromText("1.2.3"), 0.0);
    EXPECT_DOUBLE_EQ(durationFromText("-3"), -3.0);
}

TEST(PriorityText, SignAndDigitsOnly) {
    EXPECT_EQ(priorityFromText("-4"), -4);
    EXPECT_EQ(priorityFromText("+5"), 5);
    EXPECT_EQ(priorityFromText("0"), 0);
    EXPECT_EQ(priorityFromText("abc"), 0);
    EXPECT_EQ(priorityFromText("2.5"), 0);
    EXPECT_EQ(priorityFromText("3-"), 0);
    EXPECT_EQ(priorityFromText(""), 0);
}

TEST(RatioText, ReadsCommaAndShowsNothingForZero) {
    EXPECT_DOUBLE_EQ(ratioFromText("0,25"), 0.25);
    EXPECT_EQ(ratioFromText("half"), 0.0);
    EXPECT_EQ(ratioText(0.0), "");
    EXPECT_EQ(ratioText(1.0), "1");
    EXPECT_EQ(ratioText(1.0 / 3.0), "0.333333333333");
}

} // namespace
} // namespace tokarium
