// Number texts of the GUI program.
#include "gui/model/number_text.h"

#include <charconv>
#include <cstdio>
#include <clocale>
#include <limits>
#include <system_error>

namespace tokarium {

std::string formatInteger(std::int64_t value) {
    return std::to_string(value);
}

std::string formatReal(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 12);
    return std::string(buffer, result.ptr);
}

std::string formatReal(double value, const char* printfFormat) {
    // printf follows LC_NUMERIC; the files of this system always use ".".
    char buffer[512];
    int length = std::snprintf(buffer, sizeof buffer, printfFormat, value);
    if (length < 0)
        return {};
    std::string text(buffer, static_cast<std::size_t>(length) < sizeof buffer ? length : sizeof buffer - 1);
    const char* point = std::localeconv()->decimal_point;
    if (point && point[0] && point[0] != '.' && point[1] == '\0')
        for (char& c : text)
            if (c == point[0])
                c = '.';
    return text;
}

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t start = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        start = 1;
    }
    if (start == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> parseReal(std::string_view text) {
    std::string normalized;
    normalized.reserve(text.size());
    bool digitSeen = false, separatorSeen = false, exponentSeen = false, mantissaDigit = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            digitSeen = true;
            if (!exponentSeen)
                mantissaDigit = true;
        } else if (c == '.' || c == ',') {
            if (separatorSeen || exponentSeen)
                return std::nullopt;
            separatorSeen = true;
            c = '.';
        } else if (c == 'e' || c == 'E') {
            if (exponentSeen || !mantissaDigit)
                return std::nullopt;
            exponentSeen = true;
        } else if (c == '+' || c == '-') {
            bool atStart = i == 0;
            bool afterExponent = i > 0 && (text[i - 1] == 'e' || text[i - 1] == 'E');
            if (!atStart && !afterExponent)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
        normalized.push_back(c);
    }
    if (!digitSeen)
        return std::nullopt;
    // from_chars takes no leading '+', and an exponent without digits ("1e") reads as the mantissa, as "%lg" does.
    std::string_view view = normalized;
    if (!view.empty() && view[0] == '+')
        view.remove_prefix(1);
    double value = 0.0;
    auto result = std::from_chars(view.data(), view.data() + view.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return std::nullopt;
    if (result.ec != std::errc())
        return 0.0;
    return value;
}

std::int32_t integerOrZero(std::string_view text) {
    return parseInteger(trimBlanks(text)).value_or(0);
}

double realOrZero(std::string_view text) {
    return parseReal(trimBlanks(text)).value_or(0.0);
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace tokarium
