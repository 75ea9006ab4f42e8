// XmlValue: a tagged value converting between integers, reals and text with fixed formats.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tokarium {

class XmlValue {
public:
    enum class Tag { kNone = 0, kInteger = 1, kReal = 2, kText = 3 };

    XmlValue() = default;
    explicit XmlValue(std::int32_t value);
    // The real 3.402823466e38 (the largest float, a "no value" marker) gives a value without tag.
    explicit XmlValue(double value);
    explicit XmlValue(std::string text);
    explicit XmlValue(std::string_view text);
    explicit XmlValue(const char* text);

    Tag tag() const { return m_tag; }

    // Integer with "%d" and real with "%.12lg" unless another printf format is given; no value is empty.
    std::string toText(const char* format = nullptr) const;
    // Reals round to the nearest integer, halves towards zero; texts that are not integers give 0.
    std::int32_t toInteger() const;
    // Texts that are not reals give 0.0.
    double toReal() const;
    bool isInteger() const;
    bool isReal() const;

private:
    Tag m_tag = Tag::kNone;
    std::int32_t m_integer = 0;
    double m_real = 0.0;
    std::string m_text;
};

} // namespace tokarium
