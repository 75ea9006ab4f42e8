// Number texts of the reports and result files.
#include "engines/continuous/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace flowrun {
namespace {

// Whole parts beyond this do not fit an int and are printed with the real format.
constexpr double kIntegerRange = 2.0e9;

bool fitsInt(double value)
{
    return std::isfinite(value) && std::fabs(value) < kIntegerRange;
}

// The text of "%d".
std::string formatInt(double value)
{
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int>(std::trunc(value))).ptr;
    return std::string(buffer, end);
}

}  // namespace

std::string formatReal(const char* format, double value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string integerForm(Real value, const char* realFormat)
{
    if (fitsInt(value) && std::trunc(value) == value)
        return formatInt(value);
    return formatReal(realFormat, value);
}

std::string resultForm(Real value, const char* realFormat)
{
    if (fitsInt(value) && value - std::trunc(value) < kResultFraction)
        return formatInt(value);
    return formatReal(realFormat, value);
}

std::string markingText(Real value, const char* realFormat, const char* zeroPlusText)
{
    if (value < 0)
        return zeroPlusText;
    return integerForm(value, realFormat);
}

std::string htmlEscape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        default: out += c; break;
        }
    }
    return out;
}

}  // namespace flowrun
