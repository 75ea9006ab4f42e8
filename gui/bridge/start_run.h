// One engine run of a sheet: engine choice, input export, the run and the result import.
#pragma once

#include "gui/bridge/engine_choice.h"
#include "gui/model/net_sheet.h"

namespace tokarium {

// Starts the sheet's run over: clock 0, not ended. Chooses the engine, writes its input file into its
// working folder, removes the results of an earlier run, runs the engine there and imports its place
// and transition results. Any failure ends the run and says why in the run's problem; nothing is
// shown to the user. On success the stepping starts at row 0.
void StartRun(NetSheet& sheet, const BridgeSettings& settings);

} // namespace tokarium
