// StartRun.
#include "gui/bridge/start_run.h"

#include <cmath>
#include <cstdio>
#include <system_error>

#include "engines/continuous/horizon_option.h"
#include "engines/continuous/progress_option.h"
#include "gui/bridge/bridge_constants.h"
#include "gui/bridge/input_export.h"
#include "gui/bridge/result_import.h"
#include "gui/bridge/run_folder.h"
#include "gui/bridge/speed_cause_import.h"
#include "process/child_process.h"

namespace tokarium {
namespace {

bool fail(SimulationRun& run, std::string problem) {
    run.ended = true;
    run.problem = std::move(problem);
    return false;
}

void nameReport(SimulationRun& run, const EngineSetup& engine) {
    if (!run.folder)
        return;
    const std::filesystem::path report = run.folder->path() / engine.longReport;
    std::error_code error;
    if (std::filesystem::is_regular_file(report, error))
        run.reportPath = report.string();
}

// The engine need not compute past the sheet's duration: it ends after the first phase or event past it.
std::vector<std::string> horizonArguments(const NetSheet& sheet) {
    if (!std::isfinite(sheet.duration()) || sheet.duration() < 0)
        return {};
    char value[64];
    std::snprintf(value, sizeof value, "%.17g", sheet.duration());
    return {std::string(flowrun::kHorizonOption) + value};
}

// Runs the engine in a fresh working folder; its exit status and the first line it wrote to its
// standard error are kept for the message of a failing engine.
bool exportAndRun(NetSheet& sheet, const BridgeSettings& settings, const EngineSetup& engine, int& exitStatus,
                  std::string& engineMessage) {
    SimulationRun& run = sheet.simulationRun();
    const std::filesystem::path program = settings.enginePath(engine);
    std::error_code error;
    if (!std::filesystem::is_regular_file(program, error))
        return fail(run, "engine program " + program.string() + " not found");

    std::string problem;
    run.folder = RunFolder::create(settings.runParents, problem);
    if (!run.folder)
        return fail(run, problem);
    const std::filesystem::path input = run.folder->path() / engine.input;
    const bool written = engine.kind == EngineKind::kContinuous ? WriteContinuousInput(sheet, input)
                                                                : WriteHybridInput(sheet, input);
    if (!written)
        return fail(run, "cannot write " + input.string());

    ChildRequest request;
    request.program = program;
    request.arguments = horizonArguments(sheet);
    if (engine.kind == EngineKind::kContinuous)
        request.arguments.emplace_back(kExplainEngineOption);
    request.folder = run.folder->path();
    request.captureErrors = true;
    request.ownProcessGroup = true;
    request.timeLimit = settings.engineTimeLimit;
    // A wait that watches the run gets the clock the engine keeps in its progress file.
    ProgressReader progressFile(run.folder->path() / kProgressFile);
    EngineProgress progress{sheet.name(), sheet.duration(), std::nullopt};
    if (settings.keepWaiting) {
        request.arguments.push_back(std::string(flowrun::kProgressOption) + std::string(kProgressFile));
        request.keepWaiting = [&settings, &progressFile, &progress] {
            progress.clock = progressFile.read();
            return settings.keepWaiting(progress);
        };
    }
    const ChildOutcome programRun = runChild(request);
    if (!programRun.problem.empty()) {
        fail(run, programRun.problem);
        nameReport(run, engine);
        return false;
    }
    exitStatus = programRun.exitStatus;
    engineMessage = programRun.errors.substr(0, programRun.errors.find('\n'));
    return true;
}

bool importResults(NetSheet& sheet, const EngineSetup& engine) {
    SimulationRun& run = sheet.simulationRun();
    const std::filesystem::path& folder = run.folder->path();
    const std::size_t places = sheet.count(kPlaceKinds);
    const std::size_t transitions = sheet.count(kTransitionKinds);
    std::string problem;
    const std::optional<std::string> placeText = readResultFile(folder, engine.placeResults, problem);
    if (!placeText)
        return fail(run, problem);
    const bool placesRead = engine.kind == EngineKind::kContinuous
                                ? readContinuousPlaceResults(*placeText, places, run, problem)
                                : readHybridPlaceResults(*placeText, places, run, problem);
    if (!placesRead)
        return fail(run, problem);
    const std::optional<std::string> transitionText = readResultFile(folder, engine.transitionResults, problem);
    if (!transitionText)
        return fail(run, problem);
    const bool transitionsRead = engine.kind == EngineKind::kContinuous
                                     ? readContinuousTransitionResults(*transitionText, transitions, run, problem)
                                     : readHybridTransitionResults(*transitionText, transitions, run, problem);
    if (!transitionsRead)
        return fail(run, problem);
    if (engine.kind == EngineKind::kContinuous) {
        std::string absent; // an engine that explains nothing leaves the tool tips without causes
        if (const std::optional<std::string> causes = readResultFile(folder, kSpeedCauseFile, absent))
            readSpeedCauses(*causes, sheet);
    }
    return true;
}

} // namespace

std::string engineProblemText(const NetSheet& sheet) {
    const SimulationRun& run = sheet.simulationRun();
    if (run.problem.empty())
        return {};
    std::string text = "The simulation of \"" + sheet.name() + "\" failed: " + run.problem + ".";
    if (!run.reportPath.empty())
        text += " The engine's report is \"" + run.reportPath + "\".";
    return text;
}

void StartRun(NetSheet& sheet, const BridgeSettings& settings) {
    SimulationRun& run = sheet.simulationRun();
    run.clock = 0.0;
    run.ended = false;
    run.problem.clear();
    run.reportPath.clear();
    run.stepsShown = 0;
    run.clockAtLastJump = -1.0;
    run.stepCount = 0;
    run.stepIndex = 0;
    run.placeResults.clear(0);
    run.transitionResults.clear(0);
    run.finalRates.clear();
    run.speedRow = -1;
    run.speedCausesKnown = false;
    run.speedCauses.clear();
    run.engine = engineFor(sheet);
    run.folder.reset();
    const EngineSetup& engine = engineSetup(run.engine);
    int exitStatus = 0;
    std::string engineMessage;
    if (exportAndRun(sheet, settings, engine, exitStatus, engineMessage)) {
        const bool imported = importResults(sheet, engine);
        if (exitStatus != 0) {
            // A failing engine is always told, even when it left results to step through.
            const std::string status = std::string(engine.program) +
                                       (exitStatus < 0 ? " was stopped by a signal"
                                                       : " ended with status " + std::to_string(exitStatus)) +
                                       (engineMessage.empty() ? "" : ": " + engineMessage);
            run.problem = imported ? status : run.problem + " (" + status + ")";
            nameReport(run, engine);
        }
    }
    if (!run.folder)
        return;
    if (settings.keepRuns)
        run.folder->keep();
    else
        run.folder->keepOnly({engine.longReport, engine.shortReport});
}

} // namespace tokarium
