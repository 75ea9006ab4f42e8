#include "gui/xml/xml_attributes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tokarium;

namespace {

std::vector<std::string> orderOf(const std::vector<std::string>& names) {
    XmlAttributes attributes;
    for (const auto& name : names)
        attributes.set(name, XmlValue(std::int32_t{1}));
    std::vector<std::string> order;
    attributes.forEach([&](const XmlAttributes::Entry& entry) { order.push_back(entry.name); });
    return order;
}

using Names = std::vector<std::string>;

} // namespace

TEST(XmlAttributes, IterationOrderFollowsTheHashLayout) {
    EXPECT_EQ(orderOf({"left", "top", "right", "bottom"}), (Names{"top", "left", "bottom", "right"}));
    EXPECT_EQ(orderOf({"id", "name"}), (Names{"name", "id"}));
    EXPECT_EQ(orderOf({"back", "fore", "line"}), (Names{"line", "back", "fore"}));
    EXPECT_EQ(orderOf({"paper", "width", "height", "orientation"}), (Names{"width", "paper", "height", "orientation"}));
    EXPECT_EQ(orderOf({"up", "down"}), (Names{"down", "up"}));
    EXPECT_EQ(orderOf({"left", "top", "right", "bottom", "id"}), (Names{"top", "left", "id", "bottom", "right"}));
    EXPECT_EQ(orderOf({"name", "size", "style"}), (Names{"name", "style", "size"}));
    EXPECT_EQ(orderOf({"size", "show", "align"}), (Names{"show", "size", "align"}));
    EXPECT_EQ(orderOf({"rdp", "place", "color"}), (Names{"place", "rdp", "color"}));
    // Insertion order does not matter.
    EXPECT_EQ(orderOf({"bottom", "right", "top", "left"}), (Names{"top", "left", "bottom", "right"}));
}

TEST(XmlAttributes, HashSamplesBytesFromTheEndAsSignedNumbers) {
    EXPECT_EQ(XmlAttributes::hashName(""), 0);
    EXPECT_EQ(XmlAttributes::hashName("a"), 'a');
    EXPECT_EQ(XmlAttributes::hashName("ab"), 'b' * 33 + 'a');
    EXPECT_EQ(XmlAttributes::hashName("\xE9"), -23);
    // Nine bytes give a step of 2: positions 8, 6, 4, 2, 0.
    EXPECT_EQ(XmlAttributes::hashName("abcdefghi"), XmlAttributes::hashName("aXcXeXgXi"));
    EXPECT_NE(XmlAttributes::hashName("abcdefgh"), XmlAttributes::hashName("aXcXeXgX"));
}

TEST(XmlAttributes, GrowsByEightBucketsAtFourEntriesPerBucket) {
    XmlAttributes attributes;
    for (int i = 0; i < 31; ++i)
        attributes.set("a" + std::to_string(i), XmlValue(std::int32_t{i}));
    EXPECT_EQ(attributes.bucketCount(), 8u);
    attributes.set("a31", XmlValue(std::int32_t{31}));
    EXPECT_EQ(attributes.bucketCount(), 16u);
    for (int i = 0; i < 32; ++i) {
        const XmlValue* value = attributes.find("a" + std::to_string(i));
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->toInteger(), i);
    }
    // Iteration walks the buckets in order, each bucket by ascending hash.
    std::int64_t lastBucket = -1;
    std::int32_t lastHash = 0;
    attributes.forEach([&](const XmlAttributes::Entry& entry) {
        std::int64_t magnitude = entry.hash < 0 ? -static_cast<std::int64_t>(entry.hash) : entry.hash;
        std::int64_t bucket = magnitude % 16;
        EXPECT_GE(bucket, lastBucket);
        if (bucket == lastBucket) {
            EXPECT_GE(entry.hash, lastHash);
        }
        lastBucket = bucket;
        lastHash = entry.hash;
    });
}

TEST(XmlAttributes, LookupIsCaseSensitive) {
    XmlAttributes attributes;
    attributes.set("id", XmlValue("5"));
    EXPECT_NE(attributes.find("id"), nullptr);
    EXPECT_EQ(attributes.find("ID"), nullptr);
    EXPECT_EQ(attributes.find("name"), nullptr);
    attributes.clear();
    EXPECT_TRUE(attributes.empty());
    EXPECT_EQ(attributes.find("id"), nullptr);
}
