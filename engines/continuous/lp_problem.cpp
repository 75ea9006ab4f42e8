// Writing a linear program in the solver's text model format.
#include "engines/continuous/lp_problem.h"

#include <cmath>
#include <cstdio>

namespace flowrun {
namespace {

void append(std::string& text, const char* format, double value, int t)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, value, t + 1);
    text += buffer;
}

void appendVariable(std::string& text, const char* format, int t)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, t + 1);
    text += buffer;
}

void appendBound(std::string& text, const char* format, int t, double value)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, t + 1, value);
    text += buffer;
}

}  // namespace

std::string variableName(int t)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "x%04d", t + 1);
    return buffer;
}

std::string lpModelText(const LpProblem& problem, double rowSlack)
{
    const Matrix& w = *problem.incidence;
    const int m = w.cols();
    std::string text = "max: ";
    bool first = true;
    for (int t = 0; t < m; ++t) {
        if (!problem.objective[t])
            continue;
        appendVariable(text, first ? "x%04d " : "+ x%04d ", t);
        first = false;
    }
    text += ";\n";

    int row = 0;
    for (int p = 0; p < w.rows(); ++p) {
        if (!problem.balanceRows[p])
            continue;
        ++row;
        std::string terms;
        bool firstTerm = true;
        double weight = 1;
        for (int t = 0; t < m; ++t) {
            if (w(p, t) == 0)
                continue;
            append(terms, firstTerm ? "%f x%04d " : "+ %f x%04d ", w(p, t), t);
            firstTerm = false;
            if (problem.known[t].code == 1 || problem.known[t].code == 2)
                weight += std::fabs(w(p, t) * problem.known[t].value);
        }
        char label[32];
        std::snprintf(label, sizeof label, "C%d: ", row);
        if (firstTerm) {
            text += std::string("/* ") + label + ">= 0; has no terms and always holds */\n";
        } else if (rowSlack > 0) {
            char bound[64];
            std::snprintf(bound, sizeof bound, ">= -%.9f;\n", rowSlack * weight);
            text += label + terms + bound;
        } else {
            text += label + terms + ">= 0;\n";
        }
    }

    const SharingEquation& sharing = problem.sharing;
    int freed = -1;
    if (sharing.a >= 0 && (problem.objective[sharing.a] || problem.objective[sharing.b])) {
        char buffer[160];
        std::snprintf(buffer, sizeof buffer, "%f * x%04d = %f * x%04d;\n", static_cast<double>(sharing.ra),
                      sharing.a + 1, static_cast<double>(sharing.rb), sharing.b + 1);
        text += buffer;
        freed = sharing.ra >= sharing.rb ? sharing.b : sharing.a;
    }

    for (int t = 0; t < m; ++t) {
        if (problem.maxSpeed[t] >= 0)
            appendBound(text, "x%04d <= %f;\n", t, problem.maxSpeed[t]);
    }
    for (int t = 0; t < m; ++t) {
        if (t == freed)
            continue;
        const KnownSpeed& known = problem.known[t];
        if (known.code == 2)
            appendBound(text, problem.objective[t] ? "x%04d >= %f;\n" : "x%04d = %f;\n", t, known.value);
        else if (known.code == 1)
            appendBound(text, "x%04d = %f;\n", t, known.value);
    }
    for (int t = 0; t < m; ++t) {
        if (problem.zeroSpeed[t] == 0)
            appendVariable(text, "x%04d = 0;\n", t);
    }
    return text;
}

}  // namespace flowrun
