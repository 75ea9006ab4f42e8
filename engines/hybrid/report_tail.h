// The closing sections of "results_hybrid.htm" and the brief hybrid report.
#pragma once

#include "engines/hybrid/hybrid_net.h"
#include "engines/hybrid/report_text.h"
#include "engines/hybrid/simulation.h"

#include <string>

namespace mixsim {

// Appends the evolution of the IB-states, the repetition line when the run
// ended by a repetition, and "</body>".
void writeReportTail(ReportText& report, const SimulationResult& result);

// The brief report "short_results_hybrid.htm": one block per IB-state and how the run ended.
[[nodiscard]] std::string shortReport(const HybridNet& net, const SimulationResult& result);

}  // namespace mixsim
