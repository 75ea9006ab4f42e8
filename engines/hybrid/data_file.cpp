// Text reading of "data.txt": the title and the flat list of numbers.
#include "engines/hybrid/data_file.h"

#include <charconv>
#include <cmath>

namespace mixsim {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::optional<double> parseNumber(std::string_view token)
{
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
    }
    double value = 0.0;
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Cuts a token no longer than this from a message.
constexpr std::size_t kShownTokenLength = 40;

}  // namespace

DataFileResult parseDataText(std::string_view text)
{
    DataFile file;
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    if (pos == text.size()) {
        return {std::nullopt, "the file is empty"};
    }
    std::size_t titleEnd = pos;
    while (titleEnd < text.size() && !isBlank(text[titleEnd])) {
        ++titleEnd;
    }
    file.names = std::string(text.substr(pos, titleEnd - pos));

    // The numbers start after the first line end (CR, LF or CR LF).
    std::size_t i = text.find_first_of("\r\n");
    i = (i == std::string_view::npos) ? text.size() : i;
    int line = 1;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            ++line;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            ++i;
            continue;
        }
        if (isBlank(c)) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !isBlank(text[end])) {
            ++end;
        }
        const std::string_view token = text.substr(i, end - i);
        const std::optional<double> value = parseNumber(token);
        if (!value) {
            std::string shown(token.substr(0, kShownTokenLength));
            return {std::nullopt,
                    "line " + std::to_string(line) + ": \"" + shown + "\" is not a number"};
        }
        file.date.push_back(*value);
        file.linii.push_back(line);
        i = end;
    }
    return {std::move(file), {}};
}

}  // namespace mixsim
