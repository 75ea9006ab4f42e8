// The document commands "Initialization", "Start" and "One Step Forward".
#pragma once

#include "gui/bridge/stepping.h"
#include "gui/model/user_prompt.h"

namespace tokarium {

// ResetAll, then InitializeAll: every sheet's engine runs again.
void runInitialization(NetDocument& document, const BridgeSettings& settings, SimulationFeedback& feedback);

// InitializeAll; when it succeeds, steps every sheet until all have ended. Then ResetAll in any case,
// so the views show the final state and the next command starts a new run.
void runStart(NetDocument& document, const BridgeSettings& settings, SimulationFeedback& feedback);

// After the user went back over the recorded states, shows the next recorded one. Otherwise
// InitializeAll (only sheets not yet initialised run their engine), then one StepAll unless every sheet
// has ended. Once every sheet has ended, tells "End of simulation." and resets the sheets.
void runOneStepForward(NetDocument& document, const BridgeSettings& settings, SimulationFeedback& feedback,
                       UserPrompt& prompt);

} // namespace tokarium
