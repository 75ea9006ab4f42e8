// The head of "results_hybrid.htm": the net as read, before Algorithm 6.1.
#pragma once

#include "engines/hybrid/hybrid_net.h"

#include <string>

namespace mixsim {

// Appends the report head for `net` to `report`, ending with the heading of
// Algorithm 6.1.
void writeReportHead(std::string& report, const HybridNet& net);

}  // namespace mixsim
