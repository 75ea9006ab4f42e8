// The lp_solve library behind the LpSolver interface.
#include "engines/continuous/lp_solve_library.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>

#include "engines/continuous/constants.h"
#include "engines/continuous/lp_fixed_columns.h"
#include "engines/continuous/lp_solve_model.h"

namespace flowrun {
namespace {

bool nearlyEqual(double a, double b)
{
    return std::fabs(a - b) <= kLpRealSlack * std::max(1.0, std::fabs(b));
}

// Applies the single-variable lines in order, as the text reader does: each replaces the
// bounds it names. A line that contradicts the earlier ones only by the rounding of the
// engine's numbers is moved onto them; any other contradiction makes the program infeasible.
bool applyBounds(lprec* lp, const LpModel& model, const ColumnOrder& columns, std::string& message)
{
    for (const LpBound& bound : model.bounds) {
        const int column = columns.column(bound.t);
        double value = bound.value;
        const double lower = get_lowbo(lp, column);
        const double upper = get_upbo(lp, column);
        const bool setsUpper = bound.kind != BoundKind::kAtLeast;
        const bool setsLower = bound.kind != BoundKind::kAtMost;
        if (setsUpper && value < lower)
            value = nearlyEqual(value, lower) ? lower : std::nan("");
        if (setsLower && value > upper)
            value = nearlyEqual(value, upper) ? upper : std::nan("");
        if (std::isnan(value)) {
            message = "the bounds of T" + std::to_string(bound.t + 1) + " contradict each other";
            return false;
        }
        if (setsUpper)
            set_upbo(lp, column, value);
        if (setsLower)
            set_lowbo(lp, column, value);
    }
    return true;
}

void addRows(lprec* lp, const LpModel& model, const ColumnOrder& columns)
{
    std::vector<double> values;
    std::vector<int> indices;
    set_add_rowmode(lp, TRUE);
    for (int t : model.objective) {
        values.push_back(1);
        indices.push_back(columns.column(t));
    }
    set_obj_fnex(lp, static_cast<int>(values.size()), values.data(), indices.data());
    for (const LpRow& row : model.rows) {
        if (row.terms.empty())
            continue;
        values.clear();
        indices.clear();
        for (const LpTerm& term : row.terms) {
            values.push_back(term.coefficient);
            indices.push_back(columns.column(term.t));
        }
        add_constraintex(lp, static_cast<int>(values.size()), values.data(), indices.data(), GE, row.lowerLimit);
    }
    const SharingEquation& sharing = model.sharing;
    if (sharing.a >= 0) {
        double pair[2] = {sharing.ra, -static_cast<double>(sharing.rb)};
        int pairColumns[2] = {columns.column(sharing.a), columns.column(sharing.b)};
        add_constraintex(lp, 2, pair, pairColumns, EQ, 0);
    }
    set_add_rowmode(lp, FALSE);
}

std::string statusMessage(int status)
{
    switch (status) {
    case INFEASIBLE:
        return "This problem is infeasible";
    case UNBOUNDED:
        return "This problem is unbounded";
    default:
        return "the solver failed with status " + std::to_string(status);
    }
}

void readRows(lprec* lp, const LpModel& model, SolveResult& result)
{
    double* duals = nullptr;
    double* activity = nullptr;
    const bool haveDuals = get_ptr_sensitivity_rhs(lp, &duals, nullptr, nullptr) && duals;
    get_ptr_constraints(lp, &activity);
    int index = 0;
    const auto add = [&](int place, double limit) {
        RowDual row;
        row.place = place;
        row.dual = haveDuals ? duals[index] : 0;
        row.binding = activity && isBinding(activity[index], limit);
        result.rows.push_back(row);
        ++index;
    };
    for (const LpRow& row : model.rows) {
        if (!row.terms.empty())
            add(row.place, row.lowerLimit);
    }
    if (model.sharing.a >= 0)
        add(-1, 0);
}

}  // namespace

SolveResult LpSolveLibrary::solve(const LpProblem& problem)
{
    countSolve();
    LpModel model = buildLpModel(problem);
    if (m_writeModelFile) {
        std::ofstream file(kLpModelFile, std::ios::binary | std::ios::trunc);
        file << lpModelText(model);
    }
    restorePrecision(model);
    SolveResult result = run(model);
    if (result.status == SolveStatus::kInfeasible) {
        // A known speed computed by the engine itself (not taken from a solution) may still
        // overdraw an empty place by its rounding; the program is tried once more with that allowance.
        LpModel relaxedModel = buildLpModel(problem, kLpRealSlack);
        restorePrecision(relaxedModel);
        SolveResult relaxed = run(relaxedModel);
        if (relaxed.status == SolveStatus::kOptimal) {
            relaxed.message = "solved with the balance rows relaxed by the rounding of earlier speeds";
            result = std::move(relaxed);
        }
    }
    if (result.status == SolveStatus::kOptimal) {
        if (m_exactSpeeds.size() != result.exactSpeeds.size())
            m_exactSpeeds.assign(result.exactSpeeds.size(), 0);
        for (std::size_t t = 0; t < m_exactSpeeds.size(); ++t) {
            if (problem.objective[t])
                m_exactSpeeds[t] = result.exactSpeeds[t];
        }
        m_start.speeds = result.exactSpeeds;
    }
    return result;
}

void LpSolveLibrary::restorePrecision(LpModel& model) const
{
    if (static_cast<int>(m_exactSpeeds.size()) != model.transitions)
        return;
    for (LpBound& bound : model.bounds) {
        const double exact = m_exactSpeeds[bound.t];
        const bool known = bound.kind == BoundKind::kEqual || bound.kind == BoundKind::kAtLeast;
        if (known && static_cast<Real>(exact) == static_cast<Real>(bound.value))
            bound.value = exact;
    }
}

SolveResult LpSolveLibrary::run(const LpModel& model)
{
    SolveResult result;
    result.speeds.assign(model.transitions, 0);
    result.exactSpeeds.assign(model.transitions, 0);
    const ColumnOrder columns(model);
    LpHandle lp(make_lp(0, columns.count()));
    if (!lp) {
        result.status = SolveStatus::kCannotStart;
        result.message = "The solver library could not create a program.";
        return result;
    }
    set_verbose(lp.get(), NEUTRAL);
    set_maxim(lp.get());
    if (rowsWanted())
        set_presolve(lp.get(), PRESOLVE_SENSDUALS, get_presolveloops(lp.get()));
    addRows(lp.get(), model, columns);
    if (!applyBounds(lp.get(), model, columns, result.message))
        return result;
    if (solveWithoutFixedColumns(lp.get(), model, columns, m_start, rowsWanted(), result))
        return result;

    const int status = ::solve(lp.get());
    if (status != OPTIMAL && status != SUBOPTIMAL) {
        result.message = statusMessage(status);
        return result;
    }
    double* values = nullptr;
    get_ptr_variables(lp.get(), &values);
    for (int column = 1; column <= columns.count(); ++column) {
        const int t = columns.transition(column);
        result.exactSpeeds[t] = values[column - 1];
        result.speeds[t] = static_cast<Real>(values[column - 1]);
    }
    if (rowsWanted())
        readRows(lp.get(), model, result);
    result.status = SolveStatus::kOptimal;
    return result;
}

}  // namespace flowrun
