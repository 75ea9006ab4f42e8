// The duration and marking update of a phase.
#include "engines/continuous/phase_update.h"

#include <algorithm>
#include <cmath>

namespace flowrun {
namespace {

bool anyFiring(const std::vector<int>& transitions, const Vector& v)
{
    return std::any_of(transitions.begin(), transitions.end(), [&v](int t) { return v[t] > 0; });
}

bool fedByFiring(const ContinuousNet& net, int p, const Vector& v)
{
    return anyFiring(net.arcs.producers[p], v);
}

bool drainedByFiring(const ContinuousNet& net, int p, const Vector& v)
{
    return anyFiring(net.arcs.consumers[p], v);
}

// Sum over the transitions of |W[p][t]| * v[t]: the size of the flows through the place.
Real throughput(const ContinuousNet& net, int p, const Vector& v)
{
    Real sum = 0;
    for (const Entry& entry : net.arcs.row[p])
        sum += std::fabs(entry.weight) * v[entry.index];
    return sum;
}

}  // namespace

Real computeBalancesAndDuration(const ContinuousNet& net, const Vector& marking, const Vector& v, Vector& B)
{
    B.assign(net.n, 0);
    Real duration = 0;
    for (int p = 0; p < net.n; ++p) {
        const Real sum = net.balance(p, v);
        B[p] = sum;
        if (B[p] > -kBalanceTolerance && B[p] < kBalanceTolerance)
            B[p] = 0;
        if (B[p] < 0 && marking[p] <= 0)
            B[p] = 0;
        // At an empty place a deficit within the rounding of the speeds through it is a zero
        // balance: the speeds were chosen to keep the place at 0, not to drain it.
        const bool roundingOnly = marking[p] <= 0 && sum < 0 && -sum <= kLpRowSlack * (1 + throughput(net, p, v));
        // A "0+" place is stored as -1, so a drained 0+ place gives a negative candidate.
        const Real candidate = sum < -kBalanceTolerance && !roundingOnly ? marking[p] / -sum : 0;
        if (p == 0 || (candidate > 0 && candidate < duration) || duration == 0)
            duration = candidate;
    }
    return duration;
}

PhaseUpdate updatePhase(const ContinuousNet& net, Vector& Mnext, const Vector& v, Vector& B, const Vector* previousSpeeds)
{
    PhaseUpdate update;
    update.duration = computeBalancesAndDuration(net, Mnext, v, B);
    const Real d = std::max<Real>(update.duration, 0);
    const Vector start = Mnext;

    for (int p = 0; p < net.n; ++p) {
        if (Mnext[p] > 0) {
            Mnext[p] = std::max<Real>(Mnext[p] + d * B[p], 0);
        } else if (B[p] > 0 && d > 0) {
            Mnext[p] = d * B[p];
        } else if (Mnext[p] == 0 && B[p] == 0 && drainedByFiring(net, p, v)) {
            Mnext[p] = kZeroPlus;
        }
    }

    update.annulled.assign(net.n, false);
    if (d > 0) {
        for (int p = 0; p < net.n; ++p) {
            if (start[p] != 0 && Mnext[p] >= 0 && Mnext[p] <= kAnnulTolerance) {
                update.annulled[p] = true;
                Mnext[p] = fedByFiring(net, p, v) ? kZeroPlus : 0;
            }
        }
    }
    for (int t = 0; t < net.m; ++t) {
        if (net.maxSpeed[t] != kInfiniteSpeed || v[t] <= 0)
            continue;
        for (int p : net.arcs.inputs[t]) {
            if (Mnext[p] < 0)
                Mnext[p] = 0;
        }
    }
    if (previousSpeeds) {
        for (int p = 0; p < net.n; ++p) {
            if (Mnext[p] >= 0 || fedByFiring(net, p, v))
                continue;
            if (drainedByFiring(net, p, *previousSpeeds))
                Mnext[p] = 0;
        }
    }
    for (Real& marking : Mnext) {
        if (marking != 0 && marking != kZeroPlus && marking < kTinyMarking)
            marking = kZeroPlus;
    }

    update.last = update.duration < 0 || std::all_of(B.begin(), B.end(), [](Real b) { return b >= 0; });
    return update;
}

}  // namespace flowrun
