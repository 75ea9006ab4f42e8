// The causes of the speeds below their maximum as a section of the long report and as the
// file "why.rez" that the GUI program reads for its tool tips and batch lines.
#pragma once

#include <string>
#include <vector>

#include "engines/continuous/continuous_net.h"
#include "engines/continuous/report.h"
#include "engines/continuous/speed_reasons.h"

namespace flowrun {

inline constexpr const char* kSpeedReasonsFile = "why.rez";

// The cause with its node names as the reports print them: "{P2}" becomes "P2".
std::string plainNames(const std::string& cause);

// "WHY THESE SPEEDS:", then per phase one line per transition running below its maximal speed.
void writeSpeedReasons(Report& report, const ContinuousNet& net, const std::vector<PhaseCauses>& phases);

// One line per cause: the 0-based state (the row of "T.rez"), a tab, the 1-based transition, a tab,
// the cause with its node names in braces ("{P2}", "{T1}") for the reader to replace.
std::string speedReasonsFileText(const std::vector<PhaseCauses>& phases);

}  // namespace flowrun
