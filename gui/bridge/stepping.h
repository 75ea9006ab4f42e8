// Initialising sheets for simulation and stepping them through their results.
#pragma once

#include <string>
#include <vector>

#include "gui/bridge/engine_choice.h"
#include "gui/model/net_document.h"

namespace tokarium {

// What the document-level operations tell the user interface.
class SimulationFeedback {
public:
    virtual ~SimulationFeedback() = default;
    // A sheet failed verification: bring a view of it to the front and list the messages in the
    // "Messages" dialog.
    virtual void showVerificationFailure(NetSheet& sheet, const std::vector<std::string>& messages) = 0;
    // The sheet's engine run has a problem (see engineProblemText): tell the user.
    virtual void showEngineProblem(const NetSheet& sheet) { (void)sheet; }
    // Every sheet is initialised: the open views are to be repainted once the command has finished.
    virtual void sheetsInitialised(NetDocument& document) { (void)document; }
};

// Does nothing for an initialised sheet. Otherwise verifies it (false with the messages when it
// fails, the sheet unchanged), resets its objects, binds its graphs, runs its engine, records the
// state at time 0 and marks it initialised; an engine failure only ends the run.
[[nodiscard]] bool InitializeSheet(NetDocument& document, NetSheet& sheet, const BridgeSettings& settings,
                                   std::vector<std::string>& messages);

// After the user went back to an earlier state, shows the next recorded one. Otherwise shows the next
// result row of an initialised sheet that has not ended, records histories at the new clock and
// records the state.
void StepSheet(NetSheet& sheet);

// The run has ended or its clock has reached the simulation duration.
bool IsSheetEnded(const NetSheet& sheet);

// InitializeSheet on every sheet in order; stops at the first failure and reports it.
[[nodiscard]] bool InitializeAll(NetDocument& document, const BridgeSettings& settings,
                                 SimulationFeedback& feedback);
void StepAll(NetDocument& document);
bool AllEnded(const NetDocument& document);
// Clears the initialised flag of every sheet; markings, clocks and histories stay.
void ResetAll(NetDocument& document);

} // namespace tokarium
