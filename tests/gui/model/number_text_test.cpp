#include "gui/model/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace tokarium;

TEST(NumberText, RealsUseTwelveSignificantDigits) {
    EXPECT_EQ(formatReal(1.0), "1");
    EXPECT_EQ(formatReal(2.5), "2.5");
    EXPECT_EQ(formatReal(-1.0), "-1");
    EXPECT_EQ(formatReal(1.0 / 3.0), "0.333333333333");
    EXPECT_EQ(formatReal(1e20), "1e+20");
    EXPECT_EQ(formatReal(0.0001), "0.0001");
    EXPECT_EQ(formatReal(0.00001), "1e-05");
    EXPECT_EQ(formatReal(3.15, "%4.2f"), "3.15");
}

TEST(NumberText, IntegerTextAcceptsOnlySignAndDigits) {
    EXPECT_EQ(parseInteger("42"), 42);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483648LL);
    EXPECT_FALSE(parseInteger("2147483648"));
    EXPECT_FALSE(parseInteger(""));
    EXPECT_FALSE(parseInteger("-"));
    EXPECT_FALSE(parseInteger("1.0"));
    EXPECT_FALSE(parseInteger(" 1"));
    EXPECT_FALSE(parseInteger("1-"));
    EXPECT_EQ(integerOrZero("  12 "), 12);
    EXPECT_EQ(integerOrZero("abc"), 0);
}

TEST(NumberText, RealTextFollowsTheSeparatorExponentAndSignRules) {
    EXPECT_EQ(parseReal("2,5"), 2.5);
    EXPECT_EQ(parseReal("2.5"), 2.5);
    EXPECT_EQ(parseReal("-1e3"), -1000.0);
    EXPECT_EQ(parseReal("+.5"), 0.5);
    EXPECT_EQ(parseReal("1E-2"), 0.01);
    EXPECT_FALSE(parseReal("1.2.3"));
    EXPECT_FALSE(parseReal("1e2.5"));
    EXPECT_FALSE(parseReal("e5"));
    EXPECT_FALSE(parseReal("1-2"));
    EXPECT_FALSE(parseReal("inf"));
    EXPECT_FALSE(parseReal(""));
    EXPECT_FALSE(parseReal("."));
    EXPECT_EQ(realOrZero(" 3,25\t"), 3.25);
    EXPECT_EQ(realOrZero("x"), 0.0);
}

TEST(NumberText, CommaDecimalLocaleDoesNotLeakIntoTexts) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale installed";
    EXPECT_EQ(formatReal(1.5), "1.5");
    EXPECT_EQ(formatReal(1.5, "%f"), "1.500000");
    EXPECT_EQ(parseReal("1.5"), 1.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}
