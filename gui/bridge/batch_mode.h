// Headless batch mode of the GUI program: "tokarium --simulate DOC.pn [--out DIR]" and "--help".
#pragma once

#include <ostream>

#include "gui/bridge/engine_choice.h"

namespace tokarium {

// Exit statuses of the batch mode.
inline constexpr int kBatchSuccess = 0;
inline constexpr int kBatchUsageError = 1;    // bad arguments, or the document cannot be opened
inline constexpr int kBatchVerifyFailed = 2;  // a sheet fails verification: nothing is simulated
inline constexpr int kBatchRunFailed = 3;     // a sheet's engine run or a table file failed

// True when the arguments ask for the batch mode (--simulate or --help) rather than the windows.
bool wantsBatchMode(int argc, const char* const* argv);

// Opens the document, simulates every sheet as "Start" does, writes each sheet's Plotter table as a
// text file into the output folder (default: the document's folder) and prints a summary per sheet.
int runBatch(int argc, char** argv, std::ostream& out, std::ostream& err);
// The same with the engines looked up below the given program folder.
int runBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
             const BridgeSettings& settings);

} // namespace tokarium
