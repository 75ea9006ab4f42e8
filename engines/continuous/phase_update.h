// Balances, duration and new marking of a phase, with the "0+" rules.
#pragma once

#include "engines/continuous/continuous_net.h"

namespace flowrun {

struct PhaseUpdate {
    Real duration = 0;     // as computed: smallest positive time candidate, 0 or negative
    Flags annulled;        // places whose tiny remaining marking was set to 0 (or 0+)
    bool last = false;     // every balance is >= 0, or the duration is negative

    // The duration as recorded: kInfiniteDuration for a negative duration.
    Real recorded() const { return duration < 0 ? kInfiniteDuration : duration; }
};

// Fills B, the balances; returns the duration as computed from the time candidates.
Real computeBalancesAndDuration(const ContinuousNet& net, const Vector& marking, const Vector& v, Vector& B);

// Updates Mnext (the marking at the start of the phase) in place. previousSpeeds are the
// speeds of the state recorded before this phase (nullptr for the first). A negative
// duration does not move the markings: it is recorded as infinite and ends the run.
PhaseUpdate updatePhase(const ContinuousNet& net, Vector& Mnext, const Vector& v, Vector& B,
                        const Vector* previousSpeeds);

}  // namespace flowrun
