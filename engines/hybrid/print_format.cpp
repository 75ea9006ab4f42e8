// Number conversions of the engine's formatted output.
#include "engines/hybrid/print_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace mixsim {

namespace {

// Integral values up to this magnitude are printed through a 64-bit integer.
constexpr double kLargestPrintedInteger = 1e18;

std::string nonFinite(double value)
{
    if (std::isnan(value)) {
        return "NaN";
    }
    return value > 0 ? "Inf" : "-Inf";
}

// Appends the value as "%.<minDigits>lld": at least minDigits digits, zero-padded, after the sign.
void appendInteger(std::string& text, double value, int minDigits)
{
    if (std::fabs(value) >= kLargestPrintedInteger) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        text += buffer;
        return;
    }
    const long long whole = static_cast<long long>(value);
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, whole < 0 ? -whole : whole).ptr;
    const auto count = static_cast<int>(end - digits);
    if (whole < 0) {
        text += '-';
    }
    text.append(static_cast<std::size_t>(std::max(0, minDigits - count)), '0');
    text.append(digits, end);
}

// "%.<decimals>e", or twelve decimals when that would not give the value back.
std::string exponential(double value, int decimals)
{
    std::string text = formatReal(decimals == 2 ? "%.2e" : "%e", value);
    if (std::strtod(text.c_str(), nullptr) != value) {
        text = formatReal("%.12e", value);
    }
    return text;
}

// A conversion "%[0][width][.precision][l]f", "...e" or "...g" with nothing around it.
struct SimpleConversion {
    std::chars_format kind = std::chars_format::fixed;
    int precision = 6;
    int width = 0;
};

std::optional<SimpleConversion> simpleConversion(const char* format)
{
    const auto number = [&format] {
        int value = 0;
        while (*format >= '0' && *format <= '9') {
            value = value * 10 + (*format++ - '0');
        }
        return value;
    };
    if (*format++ != '%') {
        return std::nullopt;
    }
    SimpleConversion conversion;
    conversion.width = number();
    if (*format == '.') {
        ++format;
        conversion.precision = number();
    }
    if (*format == 'l') {
        ++format;
    }
    if (*format == 'e') {
        conversion.kind = std::chars_format::scientific;
    } else if (*format == 'g') {
        conversion.kind = std::chars_format::general;
    } else if (*format != 'f') {
        return std::nullopt;
    }
    return format[1] == '\0' ? std::optional(conversion) : std::nullopt;
}

}  // namespace

std::string formatReal(const char* format, double value)
{
    // std::to_chars gives the same text as the C conversion, without parsing the format each time.
    if (const std::optional<SimpleConversion> conversion = simpleConversion(format);
        conversion && std::isfinite(value)) {
        char text[64];
        const auto [end, error] =
            std::to_chars(text, text + sizeof text, value, conversion->kind, conversion->precision);
        if (error == std::errc() && end - text >= conversion->width) {
            return std::string(text, end);
        }
    }
    char small[64];
    const int length = std::snprintf(small, sizeof small, format, value);
    if (length < 0) {
        return {};
    }
    if (static_cast<std::size_t>(length) < sizeof small) {
        return std::string(small, static_cast<std::size_t>(length));
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), format, value);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

void appendD(std::string& text, double value)
{
    if (!std::isfinite(value)) {
        text += nonFinite(value);
    } else if (value == std::floor(value)) {
        appendInteger(text, value, 1);
    } else {
        text += exponential(value, 6);
    }
}

void appendD2(std::string& text, double value)
{
    if (!std::isfinite(value)) {
        text += nonFinite(value);
    } else if (value == std::floor(value)) {
        appendInteger(text, value, 2);
    } else {
        text += exponential(value, 2);
    }
}

std::string formatD(double value)
{
    std::string text;
    appendD(text, value);
    return text;
}

std::string formatD2(double value)
{
    std::string text;
    appendD2(text, value);
    return text;
}

}  // namespace mixsim
