// What the lp_solve library's models share: their owner, the order of their columns, and how
// their values are compared with limits and bounds.
#pragma once

#include <lpsolve/lp_lib.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engines/continuous/constants.h"
#include "engines/continuous/lp_problem.h"

namespace flowrun {

// A row whose activity meets its limit up to the rounding of the engine's numbers.
inline bool isBinding(double activity, double limit)
{
    return std::fabs(activity - limit) <= kLpRealSlack * (1 + std::fabs(limit));
}

// A value clear of a bound by more than the rounding of a solve: above a lower one, below an
// upper one.
inline constexpr double kClearOfBound = 1.0e-9;

inline bool clearAbove(double value, double bound)
{
    return value - bound > kClearOfBound * (1 + std::fabs(bound));
}

inline bool clearBelow(double value, double bound)
{
    return bound - value > kClearOfBound * (1 + std::fabs(bound));
}

struct LpDeleter {
    void operator()(lprec* lp) const { delete_lp(lp); }
};
using LpHandle = std::unique_ptr<lprec, LpDeleter>;

// Columns in the order the variables first appear in the model text, so that the solver
// meets the same program as when it reads that text, and picks the same optimum.
class ColumnOrder {
public:
    explicit ColumnOrder(const LpModel& model) : m_column(model.transitions, 0)
    {
        for (int t : model.objective)
            see(t);
        for (const LpRow& row : model.rows) {
            for (const LpTerm& term : row.terms)
                see(term.t);
        }
        if (model.sharing.a >= 0) {
            see(model.sharing.a);
            see(model.sharing.b);
        }
        for (const LpBound& bound : model.bounds)
            see(bound.t);
    }

    int count() const { return static_cast<int>(m_transition.size()); }
    int column(int t) const { return m_column[t]; }     // 1-based
    int transition(int column) const { return m_transition[column - 1]; }

private:
    void see(int t)
    {
        if (m_column[t] == 0) {
            m_transition.push_back(t);
            m_column[t] = count();
        }
    }

    std::vector<int> m_column;
    std::vector<int> m_transition;
};

}  // namespace flowrun
