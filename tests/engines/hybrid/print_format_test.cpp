// Integer conversions of the engine's output.
#include "engines/hybrid/print_format.h"

#include <gtest/gtest.h>

namespace mixsim {
namespace {

TEST(PrintFormat, DPrintsIntegralValuesAsIntegersAndOthersExponential)
{
    EXPECT_EQ(formatD(3), "3");
    EXPECT_EQ(formatD(-1), "-1");
    EXPECT_EQ(formatD(0), "0");
    EXPECT_EQ(formatD(2.5), "2.500000e+00");
    EXPECT_EQ(formatD(1e20), "100000000000000000000");
}

TEST(PrintFormat, D2PadsIntegersToTwoDigits)
{
    EXPECT_EQ(formatD2(5), "05");
    EXPECT_EQ(formatD2(0), "00");
    EXPECT_EQ(formatD2(-1), "-01");
    EXPECT_EQ(formatD2(12), "12");
    EXPECT_EQ(formatD2(2.5), "2.50e+00");
    EXPECT_EQ(formatD2(1.5), "1.50e+00");
}

TEST(PrintFormat, ExponentialFormsKeepTheValueWhenTheirDecimalsWouldLoseIt)
{
    EXPECT_EQ(formatD2(1.0 / 3.0), "3.333333333333e-01");
    EXPECT_EQ(formatD(1.0 / 3.0), "3.333333333333e-01");
    EXPECT_EQ(formatD2(0.1), "1.00e-01");
}

TEST(PrintFormat, RealFormatsUseAPoint)
{
    EXPECT_EQ(formatReal("%.2f", 0.0), "0.00");
    EXPECT_EQ(formatReal("%2.2f", 1.5), "1.50");
    EXPECT_EQ(formatReal("%.1f", -2.0), "-2.0");
}

}  // namespace
}  // namespace mixsim
