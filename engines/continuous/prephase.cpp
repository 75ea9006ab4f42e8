// Firing cycles of the infinite-speed transitions.
#include "engines/continuous/prephase.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "engines/continuous/number_format.h"

namespace flowrun {

Flags flagInfiniteTransitions(const ContinuousNet& net, const Vector& M)
{
    Flags flagged(net.m, false);
    for (int t = 0; t < net.m; ++t) {
        if (net.maxSpeed[t] != kInfiniteSpeed)
            continue;
        const std::vector<int>& inputs = net.arcs.inputs[t];
        flagged[t] = std::none_of(inputs.begin(), inputs.end(), [&M](int p) { return M[p] == 0; });
    }
    for (int t = 0; t < net.m; ++t) {
        if (!flagged[t])
            continue;
        for (int u = 0; u < t; ++u) {
            if (!flagged[u])
                continue;
            const std::vector<int>& first = net.arcs.inputs[t];
            const std::vector<int>& second = net.arcs.inputs[u];
            if (std::find_first_of(first.begin(), first.end(), second.begin(), second.end()) == first.end())
                continue;
            if (net.level[u] <= net.level[t])
                flagged[t] = false;
            else
                flagged[u] = false;
        }
    }
    return flagged;
}

bool fireCycle(const ContinuousNet& net, const Flags& flagged, Vector& M)
{
    bool another = false;
    for (int t = 0; t < net.m; ++t) {
        if (!flagged[t])
            continue;
        Real q = 0;
        bool first = true;
        for (int p : net.arcs.inputs[t]) {
            if (M[p] <= 0) {
                q = -1;
                break;
            }
            const Real amount = M[p] / net.pre(p, t);
            if (first || amount < q)
                q = amount;
            first = false;
        }
        if (q <= 0) {
            for (Real& marking : M) {
                if (marking < 0)
                    marking = 0;
            }
        } else {
            for (int p : net.arcs.inputs[t])
                M[p] = std::max<Real>(M[p] - q * net.pre(p, t), 0);
        }
        for (int p : net.arcs.outputs[t]) {
            another = true;
            if (q <= 0) {
                if (M[p] == 0)
                    M[p] = kZeroPlus;
            } else if (M[p] <= 0) {
                M[p] = q * net.post(p, t);
            } else {
                M[p] += q * net.post(p, t);
            }
        }
    }
    return another;
}

PrephaseOutcome firePrephase(const ContinuousNet& net, Vector& M, std::vector<IbState>& states, Report& report)
{
    PrephaseOutcome outcome;
    std::set<Vector> seen;
    bool another = true;
    while (another) {
        if (outcome.cycles == kMaxFiringCycles) {
            outcome.bounded = true;
            report << "The infinite-speed transitions stop firing after " << std::to_string(kMaxFiringCycles)
                   << " cycles.\n<br>";
            break;
        }
        ++outcome.cycles;
        const Flags flagged = flagInfiniteTransitions(net, M);
        if (std::find(flagged.begin(), flagged.end(), true) == flagged.end())
            break;
        if (states.size() >= kMaxStates) {
            outcome.tooManyStates = true;
            break;
        }
        IbState state;
        state.marking = M;
        state.speeds.assign(net.m, 0);
        for (int t = 0; t < net.m; ++t) {
            if (flagged[t])
                state.speeds[t] = kInfiniteSpeed;
        }
        state.balances.assign(net.n, 0);
        seen.insert(state.marking);
        states.push_back(state);
        another = fireCycle(net, flagged, M);
        if (!std::all_of(M.begin(), M.end(), [](Real value) { return std::isfinite(value); }))
            break;
        if (another && seen.count(M) > 0) {
            outcome.repeated = true;
            another = false;
            report << "The infinite-speed transitions came back to an earlier marking; their firing stops here.\n<br>";
        }
        if (another) {
            report << "The new marking is: Mo=<font color=#0000aa>[ ";
            for (int p = 0; p < net.n; ++p)
                report << markingText(M[p], "%4.2f", "0+") << (p + 1 < net.n ? ", " : " ");
            report << "]</font>\n<br>";
        }
    }
    report << "\n";
    return outcome;
}

}  // namespace flowrun
