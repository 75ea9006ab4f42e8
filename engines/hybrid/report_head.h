// The head of "results_hybrid.htm": the net as read, before the simulation.
#pragma once

#include "engines/hybrid/hybrid_net.h"
#include "engines/hybrid/report_text.h"

namespace mixsim {

// Appends the report head for `net` to `report`, ending with the heading of
// the simulation (ALGORITHM 6.1).
void writeReportHead(ReportText& report, const HybridNet& net);

// A matrix as report tables: per row `rowOpen`, one cell per value ("%.1f"), `rowClose`.
void writeMatrix(ReportText& report, const Mat& m, const char* rowOpen, const char* rowClose);

}  // namespace mixsim
