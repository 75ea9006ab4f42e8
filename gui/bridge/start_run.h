// One engine run of a sheet: engine choice, input export, the run and the result import.
#pragma once

#include "gui/bridge/engine_choice.h"
#include "gui/model/net_sheet.h"

namespace tokarium {

// Starts the sheet's run over: clock 0, not ended. Chooses the engine, writes its input file into a
// fresh working folder of the run, runs the engine there and imports its place and transition results;
// the folder then keeps only the engine's reports (or everything, when runs are kept). Any failure ends the run and says why in the run's problem, with the engine's
// report when it left one; an engine that ends with a non-zero status is a problem even when its results
// can be stepped through (the run then goes on). Nothing is shown to the user here. On success the
// stepping starts at row 0.
void StartRun(NetSheet& sheet, const BridgeSettings& settings);

// The message that tells the user about the run's problem: the sheet, what failed and where the
// engine's report is. Empty when the run has no problem.
std::string engineProblemText(const NetSheet& sheet);

} // namespace tokarium
