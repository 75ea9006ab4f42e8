// Engine table and program folder.
#include "gui/bridge/engine_choice.h"

#include <system_error>

#include "gui/bridge/bridge_constants.h"
#include "gui/bridge/run_folder.h"

namespace tokarium {
namespace {

constexpr EngineSetup kContinuousEngine{EngineKind::kContinuous, kContinuousFolder, kContinuousProgram,
                                        kContinuousInput, kContinuousPlaceResults,
                                        kContinuousTransitionResults, kLongReport, kShortReport};
constexpr EngineSetup kHybridEngine{EngineKind::kHybrid, kHybridFolder, kHybridProgram, kHybridInput,
                                    kHybridPlaceResults, kHybridTransitionResults, kHybridLongReport,
                                    kHybridShortReport};

} // namespace

bool IsContinuousNet(const NetSheet& sheet) {
    for (NetObject* object : sheet.objects(kNodeKinds))
        if (!object->isKindIn(kContinuousFamily))
            return false;
    return true;
}

EngineKind engineFor(const NetSheet& sheet) {
    return IsContinuousNet(sheet) ? EngineKind::kContinuous : EngineKind::kHybrid;
}

const EngineSetup& engineSetup(EngineKind kind) {
    return kind == EngineKind::kHybrid ? kHybridEngine : kContinuousEngine;
}

std::filesystem::path runningProgramFile() {
    std::error_code error;
    std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : file;
}

BridgeSettings BridgeSettings::forRunningProgram() {
    return forProgramFolder(runningProgramFile().parent_path());
}

BridgeSettings BridgeSettings::forProgramFolder(std::filesystem::path folder) {
    return BridgeSettings{std::move(folder), defaultRunParents(), false, kEngineTimeLimit, {}};
}

std::filesystem::path BridgeSettings::enginePath(const EngineSetup& engine) const {
    const std::filesystem::path prefix = programFolder.parent_path();
    const std::filesystem::path places[] = {programFolder / engine.folder / engine.program,
                                            prefix / "libexec" / "tokarium" / engine.program,
                                            prefix / "lib" / "tokarium" / engine.program};
    std::error_code error;
    for (const std::filesystem::path& place : places)
        if (std::filesystem::is_regular_file(place, error))
            return place;
    return places[0];
}

std::filesystem::path reportFile(const NetSheet& sheet, bool longReport) {
    const SimulationRun& run = sheet.simulationRun();
    const EngineSetup& engine = engineSetup(run.folder ? run.engine : engineFor(sheet));
    const std::string_view name = longReport ? engine.longReport : engine.shortReport;
    return run.folder ? run.folder->path() / name : std::filesystem::path(name);
}

} // namespace tokarium
