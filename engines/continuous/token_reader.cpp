// Token splitting and number conversion of the input file.
#include "engines/continuous/token_reader.h"

#include <charconv>
#include <cmath>

#include "engines/continuous/constants.h"

namespace flowrun {
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

constexpr long long kCountClamp = 1000000000000LL;

}  // namespace

TokenReader::TokenReader(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSpace(text[i]))
            ++i;
        std::size_t start = i;
        while (i < text.size() && !isSpace(text[i]))
            ++i;
        // A token longer than the reader's limit is read as several tokens.
        for (std::size_t piece = start; piece < i; piece += kTokenLength)
            m_tokens.emplace_back(text.substr(piece, std::min(kTokenLength, i - piece)));
    }
}

const std::string& TokenReader::next()
{
    if (m_position < m_tokens.size())
        m_last = m_tokens[m_position++];
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
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

}  // namespace flowrun
