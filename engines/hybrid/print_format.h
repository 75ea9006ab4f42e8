// Number conversions of the engine's formatted output.
#pragma once

#include <string>

namespace mixsim {

// One real through a C format such as "%.2f" (C numeric locale).
[[nodiscard]] std::string formatReal(const char* format, double value);

// "%d": an integral value as a decimal integer, any other value as "%e"
// (with twelve decimals when six would not give the value back).
[[nodiscard]] std::string formatD(double value);

// "%.2d": an integral value with at least two digits, zero-padded, any
// other value as "%.2e" (with twelve decimals when two would not give the
// value back, so that times and markings keep their precision).
[[nodiscard]] std::string formatD2(double value);

// formatD and formatD2 appended to `text`, for writers of long texts.
void appendD(std::string& text, double value);
void appendD2(std::string& text, double value);

}  // namespace mixsim
