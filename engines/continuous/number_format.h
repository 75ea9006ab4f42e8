// Number texts of the reports and result files (C numeric locale, printf formats).
#pragma once

#include <string>

#include "engines/continuous/constants.h"

namespace flowrun {

// printf of one real with the given format.
std::string formatReal(const char* format, double value);

// "%d" of the whole part when it equals the value exactly, otherwise the real format.
std::string integerForm(Real value, const char* realFormat);

// "%d" of the whole part unless the fraction is at least 0.0001, otherwise the real format.
std::string resultForm(Real value, const char* realFormat);

// Marking in integer form, or the given text for a "0+" (negative) marking.
std::string markingText(Real value, const char* realFormat, const char* zeroPlusText);

// Text made safe to show inside HTML.
std::string htmlEscape(const std::string& text);

}  // namespace flowrun
