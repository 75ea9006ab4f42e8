// Going back and forward over the states a run has shown, for one sheet and for a whole document.
#pragma once

#include <cstddef>

#include "gui/model/net_document.h"

namespace tokarium {

// Forgets the recorded states and records the sheet's current state as the first.
void StartRecording(NetSheet& sheet);
// Records the sheet's current state as the last, which it becomes; called after a step computed from
// the last recorded state (nothing once the bound of recorded states is reached).
void RecordState(NetSheet& sheet);
// Shows the recorded state (the last one when there are fewer): markings, speeds, clock and the
// stepping position. The histories keep every recorded moment.
void ShowRecordedState(NetSheet& sheet, std::size_t state);
// Shows the recorded state after the shown one; false when the shown one is the last.
bool ShowNextRecordedState(NetSheet& sheet);

// The document's position: the highest shown state of its sheets, and the last state any recorded.
std::size_t ShownState(const NetDocument& document);
std::size_t LastRecordedState(const NetDocument& document);
// Every sheet shows the state (or its last one).
void ShowStateAll(NetDocument& document, std::size_t state);
// One state back; false at the first one.
bool StepBackAll(NetDocument& document);
// One recorded state forward; false when no sheet has one after its shown state (the run must go on).
bool StepForwardAll(NetDocument& document);

} // namespace tokarium
