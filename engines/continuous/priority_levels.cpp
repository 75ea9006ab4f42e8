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
        const bool runaway = std::any_of(outcome.level.begin(), outcome.level.end(),
                                         [](Real value) { return value > kMaxLevelValue; });
        if (outcome.passes == kMaxLevelPasses || runaway) {
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
    // Lowering every level above an unused whole number by one, until none is unused, maps
    // the whole parts onto their rank among the used ones; the fractions stay.
    std::vector<Real> used;
    for (Real value : level)
        used.push_back(std::floor(value));
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    for (Real& value : level) {
        const Real whole = std::floor(value);
        const auto rank = std::lower_bound(used.begin(), used.end(), whole) - used.begin();
        value = static_cast<Real>(rank) + (value - whole);
    }
}

}  // namespace flowrun
