// Place holders of the verification messages.
#include "gui/check/check_messages.h"

#include <gtest/gtest.h>

namespace tokarium {
namespace {

TEST(FillMessage, ReplacesPlaceHoldersInTurn) {
    EXPECT_EQ(fillMessage(kMessageUnequalArcs, "T3", "P2"), "No arc between transition T3 and place P2.");
    EXPECT_EQ(fillMessage(kMessageIsolatedPlace, "P4"), "Place P4 without input and output arc.");
}

TEST(FillMessage, PercentSignsInTheValuesStayAsTheyAre) {
    EXPECT_EQ(fillMessage(kMessageWeightNotInteger, "%s%d"), "The weight of arc %s%d is not an integer.");
}

} // namespace
} // namespace tokarium
