// Number conversions of the engine's formatted output.
#include "engines/hybrid/print_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// As "%.<minDigits>lld": at least minDigits digits, zero-padded, after the sign.
std::string formatInteger(double value, int minDigits)
{
    char buffer[64];
    if (std::fabs(value) < kLargestPrintedInteger) {
        const long long whole = static_cast<long long>(value);
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, whole < 0 ? -whole : whole).ptr;
        const auto count = static_cast<int>(end - digits);
        std::string text(whole < 0 ? 1 : 0, '-');
        text.append(static_cast<std::size_t>(std::max(0, minDigits - count)), '0');
        text.append(digits, end);
        return text;
    } else {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    }
    return buffer;
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

}  // namespace

std::string formatReal(const char* format, double value)
{
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

std::string formatD(double value)
{
    if (!std::isfinite(value)) {
        return nonFinite(value);
    }
    if (value == std::floor(value)) {
        return formatInteger(value, 1);
    }
    return exponential(value, 6);
}

std::string formatD2(double value)
{
    if (!std::isfinite(value)) {
        return nonFinite(value);
    }
    if (value == std::floor(value)) {
        return formatInteger(value, 2);
    }
    return exponential(value, 2);
}

}  // namespace mixsim
