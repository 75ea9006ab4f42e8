// Priority level passes and gap closing.
#include "engines/continuous/priority_levels.h"

#include <algorithm>
#include <cmath>

namespace flowrun {

LevelOutcome computeLevels(const ContinuousNet& net)
{
    LevelOutcome outcome;
    outcome.level.assign(net.m, 0);
    Vector previous(net.m, 0);
    Matrix priority = net.priority;
    bool again = true;
    while (again) {
        // Contradictory priorities (T1 before T2 at one place, after it at another) lift
        // the levels without end; the bound stops them and the gap closing tidies up.
        if (outcome.passes == kMaxLevelPasses) {
            outcome.converged = false;
            break;
        }
        ++outcome.passes;
        for (int t = 0; t < net.m; ++t) {
            Real mx = 0;
            for (int p = 0; p < net.n; ++p)
                mx = std::max(mx, priority(p, t));
            for (int p = 0; p < net.n; ++p) {
                if (priority(p, t) < 0 || priority(p, t) >= mx)
                    continue;
                const Real base = priority(p, t);
                const Real d = mx - base;
                for (int t2 = 0; t2 < net.m; ++t2) {
                    if (priority(p, t2) >= base)
                        priority(p, t2) += d;
                }
            }
            outcome.level[t] = mx;
        }
        again = false;
        for (int t = 0; t < net.m; ++t) {
            if (outcome.level[t] != previous[t]) {
                previous[t] = outcome.level[t];
                again = true;
            }
        }
    }
    closeLevelGaps(outcome.level);
    return outcome;
}

void closeLevelGaps(Vector& level)
{
    Real top = 0;
    for (Real value : level)
        top = std::max(top, std::floor(value));
    Real i = 0;
    while (i < top) {
        const bool used = std::any_of(level.begin(), level.end(), [i](Real value) { return std::floor(value) == i; });
        if (used) {
            ++i;
            continue;
        }
        --top;
        for (Real& value : level) {
            if (std::floor(value) > i)
                value -= 1;
        }
    }
}

}  // namespace flowrun
