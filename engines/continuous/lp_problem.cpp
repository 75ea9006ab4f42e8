// The linear program of one solve, and its text in the solver's model format.
#include "engines/continuous/lp_problem.h"

#include <cmath>
#include <cstdio>

namespace flowrun {
namespace {

template <typename... Args>
void append(std::string& text, const char* format, Args... args)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, args...);
    text += buffer;
}

}  // namespace

std::string variableName(int t)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "x%04d", t + 1);
    return buffer;
}

LpModel buildLpModel(const LpProblem& problem, double rowSlack)
{
    const Matrix& w = *problem.incidence;
    const int m = w.cols();
    LpModel model;
    model.transitions = m;
    model.relaxed = rowSlack > 0;
    for (int t = 0; t < m; ++t) {
        if (problem.objective[t])
            model.objective.push_back(t);
    }

    int number = 0;
    for (int p = 0; p < w.rows(); ++p) {
        if (!problem.balanceRows[p])
            continue;
        LpRow row;
        row.number = ++number;
        row.place = p;
        double weight = 1;
        for (const Entry& cell : (*problem.incidenceRows)[p]) {
            const int t = cell.index;
            row.terms.push_back({t, cell.weight});
            if (problem.known[t].code == 1 || problem.known[t].code == 2)
                weight += std::fabs(cell.weight * problem.known[t].value);
        }
        if (model.relaxed)
            row.lowerLimit = -rowSlack * weight;
        model.rows.push_back(std::move(row));
    }

    const SharingEquation& sharing = problem.sharing;
    int freed = -1;
    if (sharing.a >= 0 && (problem.objective[sharing.a] || problem.objective[sharing.b])) {
        model.sharing = sharing;
        freed = sharing.ra >= sharing.rb ? sharing.b : sharing.a;
    }

    for (int t = 0; t < m; ++t) {
        if (problem.maxSpeed[t] >= 0)
            model.bounds.push_back({t, BoundKind::kAtMost, problem.maxSpeed[t]});
    }
    for (int t = 0; t < m; ++t) {
        if (t == freed)
            continue;
        const KnownSpeed& known = problem.known[t];
        if (known.code == 2)
            model.bounds.push_back({t, problem.objective[t] ? BoundKind::kAtLeast : BoundKind::kEqual, known.value});
        else if (known.code == 1)
            model.bounds.push_back({t, BoundKind::kEqual, known.value});
    }
    for (int t = 0; t < m; ++t) {
        if (problem.zeroSpeed[t] == 0)
            model.bounds.push_back({t, BoundKind::kZero, 0});
    }
    return model;
}

std::string lpModelText(const LpModel& model)
{
    std::string text = "max: ";
    bool first = true;
    for (int t : model.objective) {
        append(text, first ? "x%04d " : "+ x%04d ", t + 1);
        first = false;
    }
    text += ";\n";

    for (const LpRow& row : model.rows) {
        if (row.terms.empty()) {
            append(text, "/* C%d: >= 0; has no terms and always holds */\n", row.number);
            continue;
        }
        append(text, "C%d: ", row.number);
        bool firstTerm = true;
        for (const LpTerm& term : row.terms) {
            append(text, firstTerm ? "%f x%04d " : "+ %f x%04d ", term.coefficient, term.t + 1);
            firstTerm = false;
        }
        if (model.relaxed)
            append(text, ">= -%.9f;\n", -row.lowerLimit);
        else
            text += ">= 0;\n";
    }

    const SharingEquation& sharing = model.sharing;
    if (sharing.a >= 0) {
        append(text, "%f * x%04d = %f * x%04d;\n", static_cast<double>(sharing.ra), sharing.a + 1,
               static_cast<double>(sharing.rb), sharing.b + 1);
    }

    for (const LpBound& bound : model.bounds) {
        switch (bound.kind) {
        case BoundKind::kAtMost:
            append(text, "x%04d <= %f;\n", bound.t + 1, bound.value);
            break;
        case BoundKind::kAtLeast:
            append(text, "x%04d >= %f;\n", bound.t + 1, bound.value);
            break;
        case BoundKind::kEqual:
            append(text, "x%04d = %f;\n", bound.t + 1, bound.value);
            break;
        case BoundKind::kZero:
            append(text, "x%04d = 0;\n", bound.t + 1);
            break;
        }
    }
    return text;
}

std::string lpModelText(const LpProblem& problem, double rowSlack)
{
    return lpModelText(buildLpModel(problem, rowSlack));
}

}  // namespace flowrun
