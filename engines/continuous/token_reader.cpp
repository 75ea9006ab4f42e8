// Token splitting and number conversion of the input file.
#include "engines/continuous/token_reader.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "engines/continuous/constants.h"

namespace flowrun {
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

constexpr long long kCountClamp = 1000000000000LL;

}  // namespace

TokenReader::TokenReader(std::string_view text) : m_text(text)
{
    // A token longer than the reader's limit is read as several tokens.
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSpace(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !isSpace(text[i]))
            ++i;
        m_count += (i - start + kTokenLength - 1) / kTokenLength;
    }
}

std::string_view TokenReader::next()
{
    std::size_t i = m_position;
    while (i < m_text.size() && isSpace(m_text[i]))
        ++i;
    if (i == m_text.size())
        return m_last;
    std::size_t end = i;
    while (end < m_text.size() && end - i < kTokenLength && !isSpace(m_text[end]))
        ++end;
    m_position = end;
    m_last = m_text.substr(i, end - i);
    return m_last;
}

long long parseCount(std::string_view token)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        value = value * 10 + (token[i] - '0');
        if (value > kCountClamp)
            value = kCountClamp;
    }
    return negative ? -value : value;
}

double parseReal(std::string_view token)
{
    std::size_t start = 0;
    if (!token.empty() && token[0] == '+')
        start = 1;
    if (start < token.size() && token[start] == '-' && start == 1)
        return 0;
    double value = 0;
    const auto result = std::from_chars(token.data() + start, token.data() + token.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Tokens are short, so only the exponent takes a number out of range: a negative one
        // means a value too small to hold, which reads as 0.
        const std::size_t exponent = token.find_first_of("eE");
        const bool tiny = exponent != std::string_view::npos && exponent + 1 < token.size() && token[exponent + 1] == '-';
        return tiny ? 0 : std::numeric_limits<double>::quiet_NaN();
    }
    if (result.ec != std::errc())
        return 0;
    return std::isfinite(value) ? value : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace flowrun
