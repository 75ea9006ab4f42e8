// Engine table and program folder.
#include "gui/bridge/engine_choice.h"

#include <system_error>

#include "gui/bridge/bridge_constants.h"

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
    return BridgeSettings{std::move(folder), kEngineTimeLimit, {}};
}

std::filesystem::path reportFile(const BridgeSettings& settings, const NetSheet& sheet, bool longReport) {
    const EngineSetup& engine = engineSetup(engineFor(sheet));
    return settings.workingFolder(engine) / (longReport ? engine.longReport : engine.shortReport);
}

} // namespace tokarium
