// Which engine serves a sheet, and where that engine's files lie.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "gui/bridge/engine_progress.h"
#include "gui/model/net_sheet.h"

namespace tokarium {

struct EngineSetup {
    EngineKind kind;
    std::string_view folder;            // the engine's folder below the program folder in the build tree
    std::string_view program;           // started in the run's working folder
    std::string_view input;
    std::string_view placeResults;
    std::string_view transitionResults;
    std::string_view longReport;
    std::string_view shortReport;
};

// True when every place and transition is continuous; a sheet without nodes counts as continuous.
bool IsContinuousNet(const NetSheet& sheet);
EngineKind engineFor(const NetSheet& sheet);
const EngineSetup& engineSetup(EngineKind kind);

// Where the bridge finds the engines (from the folder of the GUI program, never the current
// directory) and where it runs them.
struct BridgeSettings {
    std::filesystem::path programFolder;
    // Each run gets a fresh working folder in the first of these where one can be made.
    std::vector<std::filesystem::path> runParents;
    // Working folders stay on the disk after the run; otherwise only the reports stay, until the
    // sheet runs again or goes.
    bool keepRuns = false;
    std::chrono::milliseconds engineTimeLimit;
    // Called repeatedly while an engine runs, with how far it has got (a user interface keeps itself
    // painted there and shows the progress); returning false stops the engine, and the sheet's run
    // ends as failed. Without it the engine is not asked to report its clock.
    std::function<bool(const EngineProgress&)> keepWaiting;

    // The folder of the running program (from /proc/self/exe).
    static BridgeSettings forRunningProgram();
    static BridgeSettings forProgramFolder(std::filesystem::path folder);

    // The engine program: in its folder beside the GUI program, or in the install's
    // libexec/tokarium or lib/tokarium folder. The first place when it is in none of them.
    std::filesystem::path enginePath(const EngineSetup& engine) const;
};

// The running program's own file, empty when it cannot be found.
std::filesystem::path runningProgramFile();

// The report opened by "Long Results..." or "Short Results..." for the sheet: in the working folder
// of its last run, or the bare file name when it has not run.
std::filesystem::path reportFile(const NetSheet& sheet, bool longReport);

} // namespace tokarium
