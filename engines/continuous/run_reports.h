// The long report's run sections and the brief results of both reports.
#pragma once

#include <string>

#include "engines/continuous/continuous_net.h"
#include "engines/continuous/phase_update.h"
#include "engines/continuous/report.h"
#include "engines/continuous/run_state.h"

namespace flowrun {

void writeLongHead(Report& report, const std::string& title);
void writeLevelsAndGroups(Report& report, const ContinuousNet& net);
void writePhaseHeader(Report& report, std::size_t phase);
// Speed vector, balances, and when the phase lasts, its duration, new marking and annulled places.
void writePhaseResult(Report& report, std::size_t phase, const Vector& v, const Vector& B, const PhaseUpdate& update,
                      const Vector& newMarking);
void writePhaseSummary(Report& report, std::size_t phase, const Vector& start, const Vector& v, Real duration,
                       const Vector& newMarking);
void writeLastPhaseNotice(Report& report);

// Per state into both reports, then the closing lines of both.
void writeBriefResults(Report& longReport, Report& briefReport, const std::string& title, const EngineRun& run);

// A refused or failed run: a clear line in both reports, and their closing lines.
void writeFailure(Report& longReport, Report& briefReport, const std::string& message);

}  // namespace flowrun
