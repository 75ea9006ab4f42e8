// Structural verification of a sheet before it is simulated or its conflicts are edited.
#pragma once

#include <string>
#include <vector>

#include "gui/model/net_sheet.h"

namespace tokarium {

class Arc;

// Checks, in this order, that the sheet has places and transitions, none of them isolated; that arcs
// between discrete nodes have whole weights; and that every continuous transition touching a discrete
// place does so through arcs of equal total weight in both directions; that markings, durations, speeds,
// weights and the simulation duration are finite, markings 0 or more or 0+ (whole numbers on discrete
// places), durations, speeds and weights 0 or more, durations and speeds also inf.
// Each fault appends one message;
// every rule runs. With no fault, brings the priority table into normal form (stale and repeated entries
// dropped, the others normalised, new conflict places given an entry) and returns true; otherwise
// returns false and leaves the sheet unchanged.
[[nodiscard]] bool verify(NetSheet& sheet, std::vector<std::string>& messages);

// How the messages name an arc: "P1 - T2".
std::string verifiedArcName(const Arc& arc);

} // namespace tokarium
