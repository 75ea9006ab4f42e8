// The recorded states of a run and its working markings.
#pragma once

#include <vector>

#include "engines/continuous/continuous_net.h"

namespace flowrun {

// One state of invariant behaviour ("IB-state" in the reports).
struct IbState {
    Vector marking;     // initial marking, kZeroPlus for "0+"
    Vector speeds;      // kInfiniteSpeed in the instantaneous states before the first phase
    Real duration = 0;  // 0: instantaneous or last phase; kInfiniteDuration: negative duration
    Vector balances;    // phase states only (zeros otherwise)
};

struct EngineRun {
    Vector M;      // marking at the start of the phase
    Vector Mnext;  // working marking the phase updates
    Vector v;
    Vector B;
    std::vector<IbState> states;
    Vector finalMarking;  // the marking after the last state

    // Marking i of the K + 1 markings: the initial marking of state i, or the final one.
    const Vector& marking(std::size_t i) const { return i < states.size() ? states[i].marking : finalMarking; }
};

}  // namespace flowrun
