#include "gui/xml/xml_value.h"

#include <gtest/gtest.h>

#include <cfloat>

using namespace tokarium;

TEST(XmlValue, NumberTextsUseFixedFormats) {
    EXPECT_EQ(XmlValue(0.1).toText(), "0.1");
    EXPECT_EQ(XmlValue(1.0 / 3.0).toText(), "0.333333333333");
    EXPECT_EQ(XmlValue(-1.0).toText(), "-1");
    EXPECT_EQ(XmlValue(std::int32_t{-42}).toText(), "-42");
    EXPECT_EQ(XmlValue(std::int32_t{7}).toText("%03d"), "007");
    EXPECT_EQ(XmlValue(2.5).toText("%4.2f"), "2.50");
    EXPECT_EQ(XmlValue("P 1").toText(), "P 1");
    EXPECT_EQ(XmlValue().toText(), "");
}

TEST(XmlValue, LargestFloatMeansNoValue) {
    EXPECT_EQ(XmlValue(3.402823466e38).tag(), XmlValue::Tag::kNone);
    EXPECT_EQ(XmlValue(static_cast<double>(FLT_MAX)).tag(), XmlValue::Tag::kNone);
    EXPECT_EQ(XmlValue(3.4e38).tag(), XmlValue::Tag::kReal);
    EXPECT_EQ(XmlValue(3.402823466e38).toText(), "");
    EXPECT_FALSE(XmlValue(3.402823466e38).isReal());
    EXPECT_EQ(XmlValue(3.402823466e38).toInteger(), 0);
}

TEST(XmlValue, RealsRoundToIntegersWithHalvesTowardsZero) {
    EXPECT_EQ(XmlValue(2.5).toInteger(), 2);
    EXPECT_EQ(XmlValue(2.51).toInteger(), 3);
    EXPECT_EQ(XmlValue(2.49).toInteger(), 2);
    EXPECT_EQ(XmlValue(-1.5).toInteger(), -1);
    EXPECT_EQ(XmlValue(-1.51).toInteger(), -2);
    EXPECT_EQ(XmlValue(-0.5).toInteger(), 0);
    EXPECT_EQ(XmlValue(0.5).toInteger(), 0);
    EXPECT_EQ(XmlValue(1e300).toInteger(), 2147483647);
    EXPECT_EQ(XmlValue(-1e300).toInteger(), -2147483647 - 1);
}

TEST(XmlValue, TextsConvertOnlyWhenTheyAreNumbers) {
    EXPECT_DOUBLE_EQ(XmlValue("1,5").toReal(), 1.5);
    EXPECT_DOUBLE_EQ(XmlValue("1.5").toReal(), 1.5);
    EXPECT_DOUBLE_EQ(XmlValue("1e3").toReal(), 1000.0);
    for (const char* bad : {"e3", "1.2.3", "--1", "", "abc", "1 "}) {
        EXPECT_FALSE(XmlValue(bad).isReal()) << bad;
        EXPECT_EQ(XmlValue(bad).toReal(), 0.0) << bad;
    }
    EXPECT_TRUE(XmlValue("-12").isInteger());
    EXPECT_EQ(XmlValue("+12").toInteger(), 12);
    EXPECT_FALSE(XmlValue("1.5").isInteger());
    EXPECT_EQ(XmlValue("1.5").toInteger(), 0);
    EXPECT_FALSE(XmlValue("1-").isInteger());
    EXPECT_FALSE(XmlValue().isInteger());
    EXPECT_FALSE(XmlValue().isReal());
}

TEST(XmlValue, RealIsIntegerOnlyWhenWholeAndInRange) {
    EXPECT_TRUE(XmlValue(3.0).isInteger());
    EXPECT_FALSE(XmlValue(3.5).isInteger());
    EXPECT_TRUE(XmlValue(-2147483648.0).isInteger());
    EXPECT_FALSE(XmlValue(2147483648.0).isInteger());
    EXPECT_TRUE(XmlValue(std::int32_t{4}).isReal());
    EXPECT_DOUBLE_EQ(XmlValue(std::int32_t{4}).toReal(), 4.0);
}
