// Whitespace-separated tokens of "date.dat", repeating the last token once the text ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace flowrun {

class TokenReader {
public:
    explicit TokenReader(std::string_view text);

    // The next token; past the end the last token again (empty when there was none).
    const std::string& next();
    bool empty() const { return m_tokens.empty(); }
    std::size_t size() const { return m_tokens.size(); }

private:
    std::vector<std::string> m_tokens;
    std::size_t m_position = 0;
    std::string m_last;
};

// Decimal integer at the start of the token, 0 when there is none; clamped to +-1e12.
long long parseCount(std::string_view token);
// Real at the start of the token (C locale), 0 when there is none, NaN when it is not finite
// (nan, inf, or beyond the range of a double) so that the reader can refuse it.
double parseReal(std::string_view token);

}  // namespace flowrun
