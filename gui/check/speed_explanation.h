// Why a continuous transition runs below its maximal speed in the phase a sheet shows.
#pragma once

#include <string>
#include <vector>

#include "gui/model/net_sheet.h"

namespace tokarium {

// A run of the continuous engine brings the engine's own causes, taken from the steps and linear
// programs that fixed each speed (the priority level, the sharing step, the binding rows and their
// dual values); the cause of the phase the sheet shows is that one.
// For other runs the cause is read off the state the sheet shows: each place its marking at the
// start of the phase, each continuous transition its speed in the phase. The speeds come from linear programs
// whose constraints keep every empty place's balance at or above zero; a transition below its
// maximal speed is held by such a constraint that the solved speeds make tight (an empty input place
// whose outflow equals its inflow), by a discrete input place without enough tokens, or by an empty
// place that nothing feeds. The cause names the place, its feeders with their rates, and how the
// place's conflict was settled (priorities or sharing ratios) when other transitions draw from it.
// Empty when the transition runs at its maximal speed or is not continuous.
std::string speedCause(const NetSheet& sheet, const Transition& transition);

// "T3 at time 2 runs at 0.5 instead of 2: <cause>", one line per continuous transition that runs
// below its maximal speed, in index order.
std::vector<std::string> speedExplanations(const NetSheet& sheet, double time);

// The explanations of the phases a sheet shows one after the other; a phase whose transitions run
// at the same speeds for the same causes as the phase before adds nothing.
class ExplanationLog {
public:
    // Explains the state the sheet shows now, at its run's clock.
    void record(const NetSheet& sheet);
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    std::vector<std::string> m_previousCauses;
};

} // namespace tokarium
