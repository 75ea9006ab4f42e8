// The simulation state the run starts from, before the event-driven simulation.
#pragma once

#include "engines/continuous/progress_option.h"
#include "engines/hybrid/hybrid_net.h"
#include "engines/hybrid/records.h"

#include <limits>
#include <vector>

namespace mixsim {

struct SimulationState {
    std::vector<IbState> IB;  // IB-states; IB(1) is the initial state
    TosList TOS;
    C1List C1;
    D1List D1;
    D2List D2;
    MarkingHistory istoric_mc;  // the histories `mc.marcaj`, `mc.timp`
    MarkingHistory istoric_md;  // the histories `md.marcaj`, `md.timp`
    Vec Trandis_conf;        // by position in Trandis: last conflict holding the transition
    Vec Trandis_prioritate;  // its priority in that conflict
    double Ts = 0.0;
    double Ts_anterior = 0.0;
    int stare = 2;
    int adun_spec = 0;
    int stare_2 = 0;   // at a repetition: the number of the repeating state
    int contor_2 = 0;  // at a repetition: the step at which the walk resumes
    // The run ends after the first event time past this one (no horizon: infinity).
    double horizon = std::numeric_limits<double>::infinity();
    // Told each event time the run reaches (none: nobody watches).
    flowrun::ClockWatch watch;
};

// Per discrete transition (position in Trandis): the number of the last
// conflict whose `trandis` holds it and its priority there; 0 and 0 when none.
struct TrandisConflicte {
    Vec Trandis_conf;
    Vec Trandis_prioritate;
};
[[nodiscard]] TrandisConflicte trandis_conflicte(const HybridNet& net);

// IB(1), TOS = (0, 0, 0, -1), empty C1, D1 and D2, the histories at time 0.
[[nodiscard]] SimulationState initialState(const HybridNet& net);

}  // namespace mixsim
