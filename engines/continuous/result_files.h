// The tab-separated and per-node result files ".rez" read by the GUI and other tools.
#pragma once

#include <string>
#include <vector>

#include "engines/continuous/run_state.h"

namespace flowrun {

struct ResultFile {
    std::string name;
    std::string text;
};

// "P%d.rez" for every place, "P.rez", "T.rez", "T%d.rez" for every transition, in that order.
std::vector<ResultFile> resultFiles(const EngineRun& run, int places, int transitions);

// Writes each file through a temporary name and renames it into place. When one fails,
// the ones already written by this call are removed again, so that no partial set of
// results is left; the message names the file.
[[nodiscard]] bool writeResultFiles(const std::vector<ResultFile>& files, std::string& message);

// Removes every "*.rez" file (any letter case) of the current directory.
void removeOldResults();

}  // namespace flowrun
