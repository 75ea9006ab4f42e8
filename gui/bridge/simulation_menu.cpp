// Simulation menu commands.
#include "gui/bridge/simulation_menu.h"

#include "gui/bridge/bridge_constants.h"
#include "gui/bridge/step_history.h"

namespace tokarium {

void runInitialization(NetDocument& document, const BridgeSettings& settings, SimulationFeedback& feedback) {
    ResetAll(document);
    (void)InitializeAll(document, settings, feedback);
}

void runStart(NetDocument& document, const BridgeSettings& settings, SimulationFeedback& feedback) {
    if (InitializeAll(document, settings, feedback))
        while (!AllEnded(document))
            StepAll(document);
    ResetAll(document);
}

void runOneStepForward(NetDocument& document, const BridgeSettings& settings, SimulationFeedback& feedback,
                       UserPrompt& prompt) {
    // After going back, the recorded states come again first; past them the run goes on.
    if (!StepForwardAll(document)) {
        if (!InitializeAll(document, settings, feedback))
            return;
        if (!AllEnded(document))
            StepAll(document);
    }
    if (AllEnded(document)) {
        prompt.showInformation(std::string(kEndOfSimulationMessage));
        ResetAll(document);
    }
}

} // namespace tokarium
