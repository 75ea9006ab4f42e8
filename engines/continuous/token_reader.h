// Whitespace-separated tokens of "date.dat", repeating the last token once the text ends.
#pragma once

#include <string_view>

namespace flowrun {

// The tokens are views into the text, which must outlive the reader; they are found as they
// are read, so that a large net does not hold a string per number.
class TokenReader {
public:
    explicit TokenReader(std::string_view text);

    // The next token; past the end the last token again (empty when there was none).
    std::string_view next();
    bool empty() const { return m_count == 0; }
    std::size_t size() const { return m_count; }

private:
    std::string_view m_text;
    std::size_t m_position = 0;  // where the search for the next token starts
    std::size_t m_count = 0;
    std::string_view m_last;
};

// Decimal integer at the start of the token, 0 when there is none; clamped to +-1e12.
long long parseCount(std::string_view token);
// Real at the start of the token (C locale), 0 when there is none, NaN when it is not finite
// (nan, inf, or beyond the range of a double) so that the reader can refuse it.
double parseReal(std::string_view token);

}  // namespace flowrun
