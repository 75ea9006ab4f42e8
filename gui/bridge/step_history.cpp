// Recording and showing again the states of a run.
#include "gui/bridge/step_history.h"

#include <algorithm>

#include "gui/bridge/bridge_constants.h"

#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium {

namespace {

RecordedState currentState(const NetSheet& sheet) {
    const SimulationRun& run = sheet.simulationRun();
    RecordedState state{run.clock, run.ended, run.stepIndex, run.stepsShown, run.clockAtLastJump, run.problem,
                        {}, {}, {}, run.speedRow};
    for (const NetObject* object : sheet.sortedByIndex(kPlaceKinds)) {
        const auto* place = static_cast<const Place*>(object);
        state.workingMarkings.push_back(place->workingMarking());
        state.shownMarkings.push_back(place->shownMarking());
    }
    for (const NetObject* object : sheet.sortedByIndex(kTransitionKinds))
        state.shownValues.push_back(static_cast<const Transition*>(object)->shownValue());
    return state;
}

void restore(NetSheet& sheet, const RecordedState& state) {
    SimulationRun& run = sheet.simulationRun();
    run.clock = state.clock;
    run.ended = state.ended;
    run.stepIndex = state.stepIndex;
    run.stepsShown = state.stepsShown;
    run.clockAtLastJump = state.clockAtLastJump;
    run.problem = state.problem;
    run.speedRow = state.speedRow;
    std::size_t i = 0;
    // The net cannot be edited between recording and showing (editing resets the run), but a count
    // that differs anyway leaves the extra nodes as they are.
    for (NetObject* object : sheet.sortedByIndex(kPlaceKinds)) {
        if (i < state.shownMarkings.size()) {
            auto* place = static_cast<Place*>(object);
            place->setWorkingMarking(state.workingMarkings[i]);
            place->setShownMarking(state.shownMarkings[i]);
        }
        ++i;
    }
    i = 0;
    for (NetObject* object : sheet.sortedByIndex(kTransitionKinds)) {
        if (i < state.shownValues.size())
            static_cast<Transition*>(object)->setShownValue(state.shownValues[i]);
        ++i;
    }
}

} // namespace

void StartRecording(NetSheet& sheet) {
    SimulationRun& run = sheet.simulationRun();
    run.recorded.clear();
    run.recorded.push_back(currentState(sheet));
    run.shownState = 0;
}

void RecordState(NetSheet& sheet) {
    SimulationRun& run = sheet.simulationRun();
    if (run.recorded.size() >= kMaxRecordedStates)
        return;
    run.recorded.push_back(currentState(sheet));
    run.shownState = run.recorded.size() - 1;
}

void ShowRecordedState(NetSheet& sheet, std::size_t state) {
    SimulationRun& run = sheet.simulationRun();
    if (run.recorded.empty())
        return;
    run.shownState = std::min(state, run.recorded.size() - 1);
    restore(sheet, run.recorded[run.shownState]);
}

bool ShowNextRecordedState(NetSheet& sheet) {
    const SimulationRun& run = sheet.simulationRun();
    if (run.shownState + 1 >= run.recorded.size())
        return false;
    ShowRecordedState(sheet, run.shownState + 1);
    return true;
}

std::size_t ShownState(const NetDocument& document) {
    std::size_t shown = 0;
    for (const auto& sheet : document.sheets())
        shown = std::max(shown, sheet->simulationRun().shownState);
    return shown;
}

std::size_t LastRecordedState(const NetDocument& document) {
    std::size_t last = 0;
    for (const auto& sheet : document.sheets())
        last = std::max(last, sheet->simulationRun().recorded.size());
    return last > 0 ? last - 1 : 0;
}

void ShowStateAll(NetDocument& document, std::size_t state) {
    for (const auto& sheet : document.sheets())
        ShowRecordedState(*sheet, state);
}

bool StepBackAll(NetDocument& document) {
    const std::size_t shown = ShownState(document);
    if (shown == 0)
        return false;
    ShowStateAll(document, shown - 1);
    return true;
}

bool StepForwardAll(NetDocument& document) {
    const std::size_t shown = ShownState(document);
    if (shown >= LastRecordedState(document))
        return false;
    ShowStateAll(document, shown + 1);
    return true;
}

} // namespace tokarium
