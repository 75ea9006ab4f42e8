// Which engine serves a sheet, and where that engine's files lie.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string_view>

#include "gui/model/net_sheet.h"

namespace tokarium {

struct EngineSetup {
    EngineKind kind;
    std::string_view folder;            // working folder below the program folder
    std::string_view program;           // started in the working folder
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

// Where the bridge finds the engines: the folder of the GUI program, never the current directory.
struct BridgeSettings {
    std::filesystem::path programFolder;
    std::chrono::milliseconds engineTimeLimit;
    // Called repeatedly while an engine runs (a user interface keeps itself painted there); returning
    // false stops the engine, and the sheet's run ends as failed.
    std::function<bool()> keepWaiting;

    // The folder of the running program (from /proc/self/exe).
    static BridgeSettings forRunningProgram();
    static BridgeSettings forProgramFolder(std::filesystem::path folder);

    std::filesystem::path workingFolder(const EngineSetup& engine) const {
        return programFolder / engine.folder;
    }
};

// The running program's own file, empty when it cannot be found.
std::filesystem::path runningProgramFile();

// The report opened by "Long Results..." or "Short Results..." for the sheet.
std::filesystem::path reportFile(const BridgeSettings& settings, const NetSheet& sheet, bool longReport);

} // namespace tokarium
