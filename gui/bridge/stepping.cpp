// InitializeSheet, the continuous and hybrid steps, and their document-wide forms.
#include "gui/bridge/stepping.h"

#include <cmath>

#include "gui/bridge/bridge_constants.h"
#include "gui/bridge/start_run.h"
#include "gui/bridge/step_history.h"
#include "gui/check/verify.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/plot/graph_curves.h"

namespace tokarium {
namespace {

constexpr double kZeroPlus = -1.0;

// Places and transitions in the order of the result columns.
struct SteppedNodes {
    std::vector<Place*> places;
    std::vector<Transition*> transitions;

    explicit SteppedNodes(const NetSheet& sheet) {
        for (NetObject* object : sheet.sortedByIndex(kPlaceKinds))
            places.push_back(static_cast<Place*>(object));
        for (NetObject* object : sheet.sortedByIndex(kTransitionKinds))
            transitions.push_back(static_cast<Transition*>(object));
    }
};

// A marking after dt at the rate; the "0+" code is an empty place, not the number -1.
double extrapolated(double marking, double rate, double dt) {
    if (marking == kZeroPlus)
        return rate > 0.0 && dt > 0.0 ? dt * rate : kZeroPlus;
    return marking + dt * rate;
}

// A time increment read from a file never moves the clock backwards.
double increment(double value) {
    return value > 0.0 ? value : 0.0;
}

void showTransitionRow(const SteppedNodes& nodes, const ResultMatrix& matrix, std::size_t row) {
    for (std::size_t i = 0; i < nodes.transitions.size(); ++i)
        nodes.transitions[i]->setShownValue(matrix.at(row, i + 1));
}

void continuousStep(NetSheet& sheet, SimulationRun& run) {
    const SteppedNodes nodes(sheet);
    const std::size_t k = static_cast<std::size_t>(run.stepIndex);
    const std::size_t rows = run.placeResults.rows;
    if (k >= rows) {
        run.ended = true;
        return;
    }
    if (k + 1 < rows) {
        if (k > 0)
            run.clock += increment(run.placeResults.at(k - 1, 0));
        for (std::size_t i = 0; i < nodes.places.size(); ++i) {
            const double marking = run.placeResults.at(k, i + 1);
            nodes.places[i]->setShownMarking(marking);
            nodes.places[i]->setWorkingMarking(marking);
        }
    } else {
        // The rates row: one more phase of the mean length so far, or up to the duration.
        const double end = run.clock != 0.0 && k >= 2 ? run.clock + run.clock / static_cast<double>(k - 1)
                                                      : sheet.duration();
        const double dt = end - run.clock;
        for (std::size_t i = 0; i < nodes.places.size(); ++i) {
            Place& place = *nodes.places[i];
            const double rate = run.placeResults.at(k, i + 1);
            place.setWorkingMarking(extrapolated(place.workingMarking(), rate, dt));
            place.setShownMarking(extrapolated(place.shownMarking(), rate, dt));
        }
        run.clock = end;
        run.ended = true;
    }
    if (k < run.transitionResults.rows)
        showTransitionRow(nodes, run.transitionResults, k);
    run.stepIndex = static_cast<std::int32_t>(k + 1);
}

void hybridFinalStep(NetSheet& sheet, SimulationRun& run, const SteppedNodes& nodes) {
    const double dt = sheet.duration() - run.clock;
    for (std::size_t i = 0; i < nodes.places.size(); ++i) {
        Place& place = *nodes.places[i];
        const double rate = i + 1 < run.finalRates.size() ? run.finalRates[i + 1] : 0.0;
        place.setShownMarking(extrapolated(place.shownMarking(), rate, dt));
        place.setWorkingMarking(place.shownMarking());
    }
    run.clock = sheet.duration();
    run.ended = true;
    ++run.stepIndex;
}

void hybridStep(NetSheet& sheet, SimulationRun& run) {
    const SteppedNodes nodes(sheet);
    const std::int64_t k = run.stepIndex;
    const std::size_t r = static_cast<std::size_t>(2 * k);
    if (r >= run.placeResults.rows) {
        hybridFinalStep(sheet, run, nodes);
        return;
    }
    std::size_t a = r + 1;
    const double jumpValue = run.placeResults.at(a, 0);
    const std::int64_t j = std::isfinite(jumpValue) ? static_cast<std::int64_t>(std::trunc(jumpValue)) : 0;
    const bool jumps = j >= 1 && j <= run.stepCount;
    if (jumps)
        a = static_cast<std::size_t>(2 * j - 1);
    run.clock += increment(run.placeResults.at(r, 0));
    for (std::size_t i = 0; i < nodes.places.size(); ++i) {
        nodes.places[i]->setWorkingMarking(run.placeResults.at(r, i + 1));
        nodes.places[i]->setShownMarking(run.placeResults.at(a, i + 1));
    }
    showTransitionRow(nodes, run.transitionResults, static_cast<std::size_t>(k));
    run.stepIndex = static_cast<std::int32_t>((a - 1) / 2 + 1);
    if (jumps && j <= k) {
        // A walk that comes back without the clock having moved would never reach the duration.
        if (run.clock <= run.clockAtLastJump) {
            run.ended = true;
            run.problem = "the results repeat steps that take no time";
        }
        run.clockAtLastJump = run.clock;
    }
}

} // namespace

bool InitializeSheet(NetDocument& document, NetSheet& sheet, const BridgeSettings& settings,
                     std::vector<std::string>& messages) {
    if (sheet.isInitialised())
        return true;
    if (!verify(sheet, messages))
        return false;
    sheet.resetAll();
    bindSheetCurves(sheet, document);
    StartRun(sheet, settings);
    sheet.recordHistories(0.0);
    recordSheetCurves(sheet);
    recordSheetCurves(sheet);
    StartRecording(sheet);
    sheet.setInitialised(true);
    return true;
}

void StepSheet(NetSheet& sheet) {
    // After going back, the states already recorded are shown again before the run goes on.
    if (ShowNextRecordedState(sheet))
        return;
    if (IsSheetEnded(sheet))
        return;
    SimulationRun& run = sheet.simulationRun();
    if (run.engine == EngineKind::kHybrid)
        hybridStep(sheet, run);
    else
        continuousStep(sheet, run);
    if (++run.stepsShown >= kMaxStepsPerRun && !run.ended) {
        run.ended = true;
        run.problem = "stopped after " + std::to_string(kMaxStepsPerRun) + " steps";
    }
    sheet.recordHistories(run.clock);
    recordSheetCurves(sheet);
    RecordState(sheet);
}

bool IsSheetEnded(const NetSheet& sheet) {
    const SimulationRun& run = sheet.simulationRun();
    return run.ended || run.clock >= sheet.duration();
}

bool InitializeAll(NetDocument& document, const BridgeSettings& settings, SimulationFeedback& feedback) {
    for (const auto& sheet : document.sheets()) {
        std::vector<std::string> messages;
        if (!InitializeSheet(document, *sheet, settings, messages)) {
            feedback.showVerificationFailure(*sheet, messages);
            return false;
        }
    }
    feedback.sheetsInitialised(document);
    return true;
}

void StepAll(NetDocument& document) {
    for (const auto& sheet : document.sheets())
        StepSheet(*sheet);
}

bool AllEnded(const NetDocument& document) {
    for (const auto& sheet : document.sheets())
        if (!IsSheetEnded(*sheet))
            return false;
    return true;
}

void ResetAll(NetDocument& document) {
    for (const auto& sheet : document.sheets())
        sheet->resetSimulation();
}

} // namespace tokarium
