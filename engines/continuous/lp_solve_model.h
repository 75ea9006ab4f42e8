// What the lp_solve library's models share: their owner and the order of their columns.
#pragma once

#include <lpsolve/lp_lib.h>

#include <memory>
#include <vector>

#include "engines/continuous/lp_problem.h"

namespace flowrun {

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
