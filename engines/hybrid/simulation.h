// Algorithm 6.1: the event-driven simulation of a hybrid net.
#pragma once

#include "engines/hybrid/hybrid_net.h"
#include "engines/hybrid/initial_state.h"
#include "engines/hybrid/records.h"
#include "engines/hybrid/report_text.h"
#include "engines/hybrid/speed_solver.h"

#include <string>
#include <vector>

namespace mixsim {

enum class RunEnd {
    kEvents,      // no event left ("END")
    kRepetition,  // an IB-state repeated an earlier one
    kStopped,     // a bound was reached or the speeds could not be computed
    kHorizon,     // the events of the first event time past the horizon were handled
};

// What happened at the event time that closes a state: the time IB(g).timp
// of state g, whose events are handled at the start of state g + 1.
struct StateEvents {
    Vec fired;           // discrete transitions fired, once per firing
    Vec enableChanged;   // discrete transitions whose enabling degree changed
    Vec emptied;         // continuous places that became empty
};

struct SimulationResult {
    std::vector<IbState> IB;          // IB(1) .. IB(N), all complete
    std::vector<StateEvents> events;  // one per element of IB
    int adun_spec = 0;                // special states among IB(2..N)
    Vec balanta;    // balances of the continuous places in the last state, by Pozcont position
    RunEnd end = RunEnd::kEvents;
    int contor_2 = 0;  // at a repetition: the step at which the walk resumes
    int stare_2 = 0;   // at a repetition: the number of the repeating state
    std::string stopReason;  // at a stop: why, as written in the report
    bool notFinite = false;  // the stop came from numbers that are no longer finite
    int flowrunRuns = 0;
    double horizon = 0.0;  // the horizon of the run (infinity: none)
};

// Runs Algorithm 6.1 from `state` (built by initialState) and appends its
// steps to `report`. Never throws for a net that buildHybridNet accepted.
[[nodiscard]] SimulationResult simulate(const HybridNet& net, SimulationState state,
                                        SpeedSolver& solver, ReportText& report);

}  // namespace mixsim
