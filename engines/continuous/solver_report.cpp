// Parsing of the solver's report.
#include "engines/continuous/solver_report.h"

#include "engines/continuous/constants.h"
#include "engines/continuous/token_reader.h"

namespace flowrun {
namespace {

std::string_view trim(std::string_view line)
{
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

// 0-based transition of a name "x%04d", or -1.
int transitionOf(std::string_view name, int transitions)
{
    if (name.size() != 5 || name[0] != 'x')
        return -1;
    int number = 0;
    for (char c : name.substr(1)) {
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + (c - '0');
    }
    return number >= 1 && number <= transitions ? number - 1 : -1;
}

std::string firstNonEmptyLine(std::string_view report)
{
    while (!report.empty()) {
        const std::size_t end = report.find('\n');
        const std::string_view line = trim(report.substr(0, end));
        if (!line.empty())
            return std::string(line);
        if (end == std::string_view::npos)
            break;
        report.remove_prefix(end + 1);
    }
    return "The solver printed nothing.";
}

}  // namespace

SolveResult parseSolverReport(std::string_view report, int transitions)
{
    SolveResult result;
    result.speeds.assign(transitions, 0);
    const std::size_t header = report.find(kSolverVariablesHeader);
    if (header == std::string_view::npos) {
        result.status = SolveStatus::kInfeasible;
        result.message = firstNonEmptyLine(report);
        return result;
    }
    std::string_view rest = report.substr(header + std::string_view(kSolverVariablesHeader).size());
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.empty())
            continue;
        if (line.starts_with(kSolverConstraintsHeader) || line.starts_with("Dual value"))
            break;
        const std::size_t gap = line.find_first_of(" \t");
        if (gap == std::string_view::npos)
            continue;
        const int t = transitionOf(line.substr(0, gap), transitions);
        if (t >= 0)
            result.speeds[t] = static_cast<Real>(parseReal(trim(line.substr(gap))));
    }
    result.status = SolveStatus::kOptimal;
    return result;
}

}  // namespace flowrun
