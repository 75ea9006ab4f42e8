// InitializeSheet, the continuous and hybrid steps, and their document-wide forms.
#include "gui/bridge/stepping.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

// The marking a fraction of the way from `from` to `to`; speeds are constant inside a phase, so the
// line is exact. Two "0+" ends stay "0+".
double between(double from, double to, double fraction) {
    if (from == kZeroPlus && to == kZeroPlus)
        return kZeroPlus;
    const double a = from == kZeroPlus ? 0.0 : from;
    const double b = to == kZeroPlus ? 0.0 : to;
    return a + (b - a) * fraction;
}

// A step whose markings `next` hold at `nextClock`, past the duration: the sheet stops at the duration
// with the markings of that moment, and ends.
void cutAtDuration(const NetSheet& sheet, SimulationRun& run, const SteppedNodes& nodes, double startClock,
                   double nextClock, const std::vector<double>& next) {
    const double fraction = (sheet.duration() - startClock) / (nextClock - startClock);
    for (std::size_t i = 0; i < nodes.places.size(); ++i) {
        Place& place = *nodes.places[i];
        place.setShownMarking(between(place.shownMarking(), next[i], fraction));
        place.setWorkingMarking(place.shownMarking());
    }
    run.clock = sheet.duration();
    run.ended = true;
}

std::vector<double> rowMarkings(const ResultMatrix& matrix, std::size_t row, std::size_t places) {
    std::vector<double> markings(places);
    for (std::size_t i = 0; i < places; ++i)
        markings[i] = matrix.at(row, i + 1);
    return markings;
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
        const double next = k > 0 ? run.clock + increment(run.placeResults.at(k - 1, 0)) : run.clock;
        if (next > sheet.duration()) {
            cutAtDuration(sheet, run, nodes, run.clock, next, rowMarkings(run.placeResults, k, nodes.places.size()));
            run.stepIndex = static_cast<std::int32_t>(k + 1);
            return;
        }
        run.clock = next;
        for (std::size_t i = 0; i < nodes.places.size(); ++i) {
            const double marking = run.placeResults.at(k, i + 1);
            nodes.places[i]->setShownMarking(marking);
            nodes.places[i]->setWorkingMarking(marking);
        }
    } else {
        // The rates row: one more phase of the mean length so far, or up to the duration; never past it.
        const double mean = run.clock != 0.0 && k >= 2 ? run.clock + run.clock / static_cast<double>(k - 1)
                                                       : sheet.duration();
        const double end = std::min(mean, sheet.duration());
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
    if (k < run.transitionResults.rows) {
        showTransitionRow(nodes, run.transitionResults, k);
        run.speedRow = static_cast<std::int32_t>(k);
    }
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
    const double next = run.clock + increment(run.placeResults.at(r, 0));
    if (next > sheet.duration()) {
        cutAtDuration(sheet, run, nodes, run.clock, next, rowMarkings(run.placeResults, r, nodes.places.size()));
        ++run.stepIndex;
        return;
    }
    run.clock = next;
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
        const bool fresh = !sheet->isInitialised();
        if (!InitializeSheet(document, *sheet, settings, messages)) {
            feedback.showVerificationFailure(*sheet, messages);
            return false;
        }
        if (fresh && !sheet->simulationRun().problem.empty())
            feedback.showEngineProblem(*sheet);
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
