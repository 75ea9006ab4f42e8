// Integer conversions of the engine's output.
#include "engines/hybrid/print_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

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

// formatReal takes a shortcut for the plain conversions; its text must be the C library's own.
TEST(PrintFormat, RealFormatsGiveTheTextOfTheCLibrary)
{
    const char* formats[] = {"%.1f", "%.2f", "%0.2f", "%2.2f", "%f", "%.2e", "%e", "%.12e", "%.12g", "%.12lg",
                             "%.17g", "%9.2f", "%05.1f", "x%.2f"};
    std::vector<double> values = {0.0,  -0.0,   0.5,   1.5,    2.5,  -2.5, 0.125, 0.005, 0.015, 2.675, 1e15,
                                  1e16, 1e22,   1e300, -1e300, 1e-7, 1.0 / 3.0,  -1.0, NAN,   INFINITY, -INFINITY};
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> spread(-1000.0, 1000.0);
    for (int i = 0; i < 2000; ++i) {
        const double value = spread(random);
        values.push_back(value);
        values.push_back(std::round(value * 100.0) / 100.0);
        values.push_back(std::ldexp(value, static_cast<int>(random() % 120) - 60));
    }
    for (const char* format : formats) {
        for (const double value : values) {
            char expected[512];
            std::snprintf(expected, sizeof expected, format, value);
            ASSERT_EQ(formatReal(format, value), expected) << format << " of " << value;
        }
    }
}

}  // namespace
}  // namespace mixsim
