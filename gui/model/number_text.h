// Number texts of the GUI program: "%d" integers, "%.12lg" reals, lenient reading; locale-independent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tokarium {

// Integer as "%d" would write it.
std::string formatInteger(std::int64_t value);

// Real as "%.12lg" would write it in the C locale.
std::string formatReal(double value);

// Real with any printf conversion for a double ("%f", "%4.2f", "%lg", ...), always in the C locale.
std::string formatReal(double value, const char* printfFormat);

// Integer text: an optional sign before the first digit, then decimal digits only, at least one.
// Returns nothing for any other text or a value outside the 32-bit range.
std::optional<std::int32_t> parseInteger(std::string_view text);

// Real text: digits, at most one decimal separator ("." or ",") before any exponent, an exponent
// letter ("e"/"E") only after a digit, a sign only at the very start or right after the exponent
// letter, at least one digit. Returns nothing for any other text.
std::optional<double> parseReal(std::string_view text);

// The readers' lenient forms: anything that is not a number reads as 0.
std::int32_t integerOrZero(std::string_view text);
double realOrZero(std::string_view text);

// Text without leading and trailing blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);

} // namespace tokarium
