// Reading "date.dat" into a ContinuousNet, echoing the values into the long report.
#pragma once

#include <string>
#include <string_view>

#include "engines/continuous/continuous_net.h"
#include "engines/continuous/report.h"

namespace flowrun {

struct ReadOutcome {
    bool ok = false;
    std::string message;  // why the net is refused
};

// Splits off the title line (at most kTitleLength characters, newline kept); returns the rest.
std::string_view splitTitle(std::string_view content, std::string& title);

// Reads the whole input text. The counts are checked against the safety bounds before
// anything is sized; a refused net leaves the message in the outcome.
[[nodiscard]] ReadOutcome readNet(std::string_view content, ContinuousNet& net, Report& longReport);

}  // namespace flowrun
