// Place holders of the verification messages.
#include "gui/check/check_messages.h"
#include "gui/model/user_prompt.h"

#include <gtest/gtest.h>

namespace tokarium {
namespace {

TEST(FormatMessage, ReplacesPlaceHoldersInTurn) {
    EXPECT_EQ(formatMessage(kMessageUnequalArcs, "T3", "P2"), "No arc between transition T3 and place P2.");
    EXPECT_EQ(formatMessage(kMessageIsolatedPlace, "P4"), "Place P4 without input and output arc.");
}

TEST(FormatMessage, PercentSignsInTheValuesStayAsTheyAre) {
    EXPECT_EQ(formatMessage(kMessageWeightNotInteger, "%s%d"), "The weight of arc %s%d is not an integer.");
}

} // namespace
} // namespace tokarium
