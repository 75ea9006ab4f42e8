// XmlValue conversions.
#include "gui/xml/xml_value.h"

#include "gui/model/number_text.h"
#include "gui/xml/constants.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tokarium {

namespace {

constexpr double kIntegerMin = std::numeric_limits<std::int32_t>::min();
constexpr double kIntegerMax = std::numeric_limits<std::int32_t>::max();

// The marker may arrive as the double literal or as the float constant widened to double.
bool isNoValueMarker(double value) {
    return value == xml::kNoValueReal || value == static_cast<double>(FLT_MAX);
}

std::int32_t clampToInteger(double value) {
    if (std::isnan(value))
        return 0;
    if (value <= kIntegerMin)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= kIntegerMax)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

} // namespace

XmlValue::XmlValue(std::int32_t value) : m_tag(Tag::kInteger), m_integer(value) {}

XmlValue::XmlValue(double value) {
    if (!isNoValueMarker(value)) {
        m_tag = Tag::kReal;
        m_real = value;
    }
}

XmlValue::XmlValue(std::string text) : m_tag(Tag::kText), m_text(std::move(text)) {}

XmlValue::XmlValue(std::string_view text) : m_tag(Tag::kText), m_text(text) {}

XmlValue::XmlValue(const char* text) : m_tag(Tag::kText), m_text(text ? text : "") {}

std::string XmlValue::toText(const char* format) const {
    switch (m_tag) {
    case Tag::kInteger: {
        if (!format)
            return formatInteger(m_integer);
        char buffer[64];
        int length = std::snprintf(buffer, sizeof buffer, format, m_integer);
        if (length < 0)
            return {};
        return std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
    }
    case Tag::kReal:
        return format ? formatReal(m_real, format) : formatReal(m_real);
    case Tag::kText:
        return m_text;
    case Tag::kNone:
        break;
    }
    return {};
}

std::int32_t XmlValue::toInteger() const {
    switch (m_tag) {
    case Tag::kInteger:
        return m_integer;
    case Tag::kReal: {
        double half = m_real >= 0 ? std::ceil(2 * m_real) * 0.5 : std::floor(2 * m_real) * 0.5;
        return clampToInteger(std::trunc(half));
    }
    case Tag::kText:
        return parseInteger(m_text).value_or(0);
    case Tag::kNone:
        break;
    }
    return 0;
}

double XmlValue::toReal() const {
    switch (m_tag) {
    case Tag::kInteger:
        return m_integer;
    case Tag::kReal:
        return m_real;
    case Tag::kText:
        return parseReal(m_text).value_or(0.0);
    case Tag::kNone:
        break;
    }
    return 0.0;
}

bool XmlValue::isInteger() const {
    switch (m_tag) {
    case Tag::kInteger:
        return true;
    case Tag::kReal:
        return m_real >= kIntegerMin && m_real <= kIntegerMax && std::trunc(m_real) == m_real;
    case Tag::kText:
        return parseInteger(m_text).has_value();
    case Tag::kNone:
        break;
    }
    return false;
}

bool XmlValue::isReal() const {
    switch (m_tag) {
    case Tag::kInteger:
    case Tag::kReal:
        return true;
    case Tag::kText:
        return parseReal(m_text).has_value();
    case Tag::kNone:
        break;
    }
    return false;
}

} // namespace tokarium
