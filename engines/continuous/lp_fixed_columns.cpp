// Solving a program with its fixed columns taken out.
#include "engines/continuous/lp_fixed_columns.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engines/continuous/constants.h"
#include "engines/continuous/lp_start_basis.h"

namespace flowrun {
namespace {

// Reduced costs and duals are sums of a few of the program's coefficients: one this close to
// 0 is taken for 0, which at worst sends the program to the full solve.
constexpr double kNonZeroDual = 1.0e-7;
constexpr double kUnbounded = 1.0e15;
constexpr double kRounding = 1.0e-11;

// One row of the full program split into the fixed columns' share and the rest.
struct SplitRow {
    int place = -1;          // -1: the sharing equation
    int type = GE;
    double limit = 0;
    double fixedPart = 0;    // the fixed columns' share of the row's activity
    std::vector<int> at;     // columns of the smaller program (1-based)
    std::vector<double> coefficient;
};

// A column of the whole program kept in the smaller one, with its bounds.
struct KeptColumn {
    int column = 0;
    double lower = 0;
    double upper = 0;
};

class Reduction {
public:
    Reduction(lprec* full, const LpModel& model, const ColumnOrder& columns)
        : m_columns(columns),
          m_transitions(model.transitions),
          m_smallColumn(columns.count() + 1, 0),
          m_fixedValue(columns.count() + 1, 0)
    {
        for (int column = 1; column <= columns.count(); ++column) {
            const double lower = get_lowbo(full, column);
            const double upper = get_upbo(full, column);
            if (lower == upper) {
                m_fixedValue[column] = lower;
            } else {
                m_kept.push_back({column, lower, upper});
                m_smallColumn[column] = static_cast<int>(m_kept.size());
            }
        }
        for (const LpRow& row : model.rows) {
            if (row.terms.empty())
                continue;
            SplitRow& split = addRow(row.place, GE, row.lowerLimit);
            for (const LpTerm& term : row.terms)
                addTerm(split, term.t, term.coefficient);
        }
        const SharingEquation& sharing = model.sharing;
        if (sharing.a >= 0) {
            SplitRow& split = addRow(-1, EQ, 0);
            addTerm(split, sharing.a, sharing.ra);
            addTerm(split, sharing.b, -static_cast<double>(sharing.rb));
        }
        for (int t : model.objective) {
            if (const int column = m_smallColumn[columns.column(t)])
                m_objective.push_back(column);
        }
    }

    bool takesColumnsOut() const { return static_cast<int>(m_kept.size()) < m_columns.count(); }

    // Every row of fixed columns only holds exactly (none is left to the solver's tolerance).
    bool fixedRowsHold() const
    {
        for (const SplitRow& row : m_rows) {
            if (!row.at.empty())
                continue;
            if (row.type == EQ ? row.fixedPart != row.limit : row.fixedPart < row.limit)
                return false;
        }
        return true;
    }

    LpHandle buildSmallProgram() const
    {
        LpHandle lp(make_lp(0, static_cast<int>(m_kept.size())));
        if (!lp)
            return lp;
        set_verbose(lp.get(), NEUTRAL);
        set_maxim(lp.get());
        // The library's calls take arrays it may change: they get copies.
        set_add_rowmode(lp.get(), TRUE);
        std::vector<double> ones(m_objective.size(), 1);
        std::vector<int> objective = m_objective;
        set_obj_fnex(lp.get(), static_cast<int>(objective.size()), ones.data(), objective.data());
        for (const SplitRow& row : m_rows) {
            if (row.at.empty())
                continue;
            std::vector<double> coefficient = row.coefficient;
            std::vector<int> at = row.at;
            add_constraintex(lp.get(), static_cast<int>(at.size()), coefficient.data(), at.data(), row.type,
                             row.limit - row.fixedPart);
        }
        set_add_rowmode(lp.get(), FALSE);
        for (std::size_t i = 0; i < m_kept.size(); ++i)
            set_bounds(lp.get(), static_cast<int>(i) + 1, m_kept[i].lower, m_kept[i].upper);
        return lp;
    }

    // Starts the simplex where the previous program ended.
    void startFrom(lprec* lp, const SimplexStart& start) const
    {
        if (static_cast<int>(start.speeds.size()) != m_transitions ||
            static_cast<int>(start.basic.size()) != m_transitions)
            return;
        std::vector<double> values(1 + m_kept.size(), 0);
        std::vector<char> basic(1 + m_kept.size(), 0);
        for (std::size_t i = 0; i < m_kept.size(); ++i) {
            const int t = m_columns.transition(m_kept[i].column);
            values[i + 1] = start.speeds[t];
            basic[i + 1] = start.basic[t];
        }
        startNear(lp, values, basic);
    }

    // `basic`: by the library's index of a variable (rows first, then columns).
    void keepBasis(lprec* lp, const std::vector<char>& basic, SimplexStart& start) const
    {
        start.basic.assign(m_transitions, 0);
        const int rows = get_Nrows(lp);
        for (std::size_t i = 0; i < m_kept.size(); ++i) {
            if (basic[rows + 1 + i])
                start.basic[m_columns.transition(m_kept[i].column)] = 1;
        }
    }

    // The smaller program's solution holds every row and bound of the whole program up to
    // the rounding of its sums. The library's tolerances apply to the rows as it scales them,
    // which differs between the two programs: a point it accepts for the smaller one could
    // be refused in the whole one. A speed without bound is the library's answer to an
    // unbounded program, which only the whole program gives as before.
    bool holdsEveryRow(lprec* lp) const
    {
        double* values = nullptr;
        if (!get_ptr_variables(lp, &values))
            return false;
        for (std::size_t i = 0; i < m_kept.size(); ++i) {
            const KeptColumn& kept = m_kept[i];
            if (std::fabs(values[i]) >= kUnbounded || values[i] < kept.lower - kRounding * (1 + std::fabs(kept.lower)) ||
                values[i] > kept.upper + kRounding * (1 + std::fabs(kept.upper)))
                return false;
        }
        for (const SplitRow& row : m_rows) {
            double activity = row.fixedPart;
            double size = 1 + std::fabs(row.fixedPart) + std::fabs(row.limit);
            for (std::size_t k = 0; k < row.at.size(); ++k) {
                const double term = row.coefficient[k] * values[row.at[k] - 1];
                activity += term;
                size += std::fabs(term);
            }
            const double slack = activity - row.limit;
            if (row.type == EQ ? std::fabs(slack) > kRounding * size : slack < -kRounding * size)
                return false;
        }
        return true;
    }

    // The optimum of the solved smaller program is the only one: no non-basic variable that
    // can move has a reduced cost (or dual) of 0. With rows wanted, no basic variable is on
    // a bound either, so that the duals are unique too. The reduced costs are worked out from
    // the rows' duals: the library gives 0 for a column that is in no row.
    bool hasOneOptimum(lprec* lp, const std::vector<char>& basic, bool rowsWanted) const
    {
        const int rows = get_Nrows(lp);
        const int sum = rows + get_Ncolumns(lp);
        double* duals = nullptr;
        double* activity = nullptr;
        double* values = nullptr;
        if (!get_ptr_sensitivity_rhs(lp, &duals, nullptr, nullptr) || !duals || !get_ptr_constraints(lp, &activity) ||
            !get_ptr_variables(lp, &values))
            return false;

        std::vector<double> reducedCost(1 + sum, 0);
        for (int column : m_objective)
            reducedCost[rows + column] = 1;
        int index = 0;
        for (const SplitRow& row : m_rows) {
            if (row.at.empty())
                continue;
            reducedCost[index + 1] = duals[index];
            for (std::size_t k = 0; k < row.at.size(); ++k)
                reducedCost[rows + row.at[k]] -= duals[index] * row.coefficient[k];
            ++index;
        }

        for (index = 1; index <= sum; ++index) {
            const bool isRow = index <= rows;
            if (!basic[index]) {
                const bool canMove = !isRow || !is_constr_type(lp, index, EQ);
                if (canMove && std::fabs(reducedCost[index]) <= kNonZeroDual)
                    return false;
            } else if (rowsWanted) {
                if (isRow) {
                    const double rhs = get_rh(lp, index);
                    if (is_constr_type(lp, index, EQ) || !clearAbove(activity[index - 1], rhs))
                        return false;
                } else {
                    const double value = values[index - rows - 1];
                    const KeptColumn& kept = m_kept[index - rows - 1];
                    if (!clearAbove(value, kept.lower) || !clearBelow(value, kept.upper))
                        return false;
                }
            }
        }
        return true;
    }

    void fillResult(lprec* lp, const LpModel& model, bool rowsWanted, SolveResult& result) const
    {
        double* values = nullptr;
        get_ptr_variables(lp, &values);
        result.speeds.assign(model.transitions, 0);
        result.exactSpeeds.assign(model.transitions, 0);
        for (int column = 1; column <= m_columns.count(); ++column) {
            const int small = m_smallColumn[column];
            const double value = small ? values[small - 1] : m_fixedValue[column];
            const int t = m_columns.transition(column);
            result.exactSpeeds[t] = value;
            result.speeds[t] = static_cast<Real>(value);
        }
        if (rowsWanted) {
            double* duals = nullptr;
            double* activity = nullptr;
            get_ptr_sensitivity_rhs(lp, &duals, nullptr, nullptr);
            get_ptr_constraints(lp, &activity);
            int index = 0;
            for (const SplitRow& row : m_rows) {
                RowDual dual;
                dual.place = row.place;
                if (!row.at.empty()) {
                    dual.dual = duals[index];
                    dual.binding = isBinding(activity[index] + row.fixedPart, row.limit);
                    ++index;
                } else {
                    dual.binding = isBinding(row.fixedPart, row.limit);
                }
                result.rows.push_back(dual);
            }
        }
        result.status = SolveStatus::kOptimal;
    }

private:
    SplitRow& addRow(int place, int type, double limit)
    {
        SplitRow& row = m_rows.emplace_back();
        row.place = place;
        row.type = type;
        row.limit = limit;
        return row;
    }

    void addTerm(SplitRow& row, int t, double coefficient) const
    {
        const int column = m_columns.column(t);
        if (const int small = m_smallColumn[column]) {
            row.at.push_back(small);
            row.coefficient.push_back(coefficient);
        } else {
            row.fixedPart += coefficient * m_fixedValue[column];
        }
    }

    const ColumnOrder& m_columns;
    int m_transitions;
    std::vector<int> m_smallColumn;     // full column -> column of the smaller program, 0 when fixed
    std::vector<double> m_fixedValue;   // by full column
    std::vector<KeptColumn> m_kept;
    std::vector<SplitRow> m_rows;       // in the order the full program has them
    std::vector<int> m_objective;       // columns of the smaller program
};

// Which variables are basic at the end of a solve, by the library's index (1-based, rows
// first, then columns); empty when the library has no basis.
std::vector<char> basicVariables(lprec* lp)
{
    const int rows = get_Nrows(lp);
    const int sum = rows + get_Ncolumns(lp);
    std::vector<int> basis(1 + sum, 0);
    if (!get_basis(lp, basis.data(), FALSE))
        return {};
    std::vector<char> basic(1 + sum, 0);
    for (int i = 1; i <= rows; ++i)
        basic[std::abs(basis[i])] = 1;
    return basic;
}

}  // namespace

bool solveWithoutFixedColumns(lprec* full, const LpModel& model, const ColumnOrder& columns, SimplexStart& start,
                              bool rowsWanted, SolveResult& result)
{
    const Reduction reduction(full, model, columns);
    if (!reduction.takesColumnsOut() || !reduction.fixedRowsHold())
        return false;
    const LpHandle lp = reduction.buildSmallProgram();
    if (!lp)
        return false;
    reduction.startFrom(lp.get(), start);
    if (::solve(lp.get()) != OPTIMAL || !reduction.holdsEveryRow(lp.get()))
        return false;
    const std::vector<char> basic = basicVariables(lp.get());
    if (basic.empty() || !reduction.hasOneOptimum(lp.get(), basic, rowsWanted))
        return false;
    reduction.fillResult(lp.get(), model, rowsWanted, result);
    reduction.keepBasis(lp.get(), basic, start);
    return true;
}

}  // namespace flowrun
