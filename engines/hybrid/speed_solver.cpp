// Instantaneous firing speeds of a continuous sub-net, computed by flowrun.
#include "engines/hybrid/speed_solver.h"

#include "engines/hybrid/constants.h"
#include "engines/continuous/file_replace.h"
#include "engines/hybrid/print_format.h"
#include "process/child_process.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace mixsim {

namespace {

using Row = std::vector<std::string>;

std::vector<Row> tabRows(std::string_view text)
{
    std::vector<Row> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        Row row;
        std::string_view line = text.substr(start, end - start);
        std::size_t field = 0;
        while (true) {
            const std::size_t tab = line.find('\t', field);
            row.emplace_back(line.substr(field, tab == std::string_view::npos ? line.npos : tab - field));
            if (tab == std::string_view::npos) {
                break;
            }
            field = tab + 1;
        }
        if (!(row.size() == 1 && row.front().empty())) {
            rows.push_back(std::move(row));
        }
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return rows;
}

// A number of flowrun's result files (C locale); an empty field is 0.
std::optional<double> fieldValue(const std::string& field)
{
    if (field.empty()) {
        return 0.0;
    }
    char* end = nullptr;
    const double value = std::strtod(field.c_str(), &end);
    if (end == field.c_str() || *end != '\0') {
        return std::nullopt;
    }
    return value;
}

std::optional<Vec> rowValues(const Row& row, std::size_t count)
{
    if (row.size() < count + 1) {
        return std::nullopt;
    }
    Vec values;
    for (std::size_t i = 1; i <= count; ++i) {
        const std::optional<double> value = fieldValue(row[i]);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

std::optional<std::string> readText(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

SubnetSpeeds failed(std::string error)
{
    SubnetSpeeds result;
    result.error = std::move(error);
    return result;
}

}  // namespace

std::string flowrunInputText(const SubnetProblem& problem)
{
    std::string text = "Subreteaua_" + std::to_string(problem.number) + "\n";
    // Most values repeat the one before them (the zeros of the matrices): their line is kept.
    std::string last;
    double lastValue = 0.0;
    const auto line = [&](double value) {
        if (last.empty() || value != lastValue || std::signbit(value) != std::signbit(lastValue)) {
            last = formatReal("%.12g", value) + "\n";
            lastValue = value;
        }
        text += last;
    };
    line(static_cast<double>(problem.pre.rows()));
    line(static_cast<double>(problem.pre.cols()));
    for (const Mat* matrix : {&problem.pre, &problem.post}) {
        for (std::size_t i = 1; i <= matrix->rows(); ++i) {
            for (std::size_t j = 1; j <= matrix->cols(); ++j) {
                line((*matrix)(i, j));
            }
        }
    }
    for (const Vec* values : {&problem.marcaj, &problem.viteze, &problem.conflicte}) {
        for (double value : *values) {
            line(value);
        }
    }
    return text;
}

SubnetSpeeds parseFlowrunResults(std::string_view tRez, std::string_view pRez, std::size_t n,
                                 std::size_t m)
{
    const std::vector<Row> speedRows = tabRows(tRez);
    const std::vector<Row> markingRows = tabRows(pRez);
    if (speedRows.empty() || markingRows.empty()) {
        return failed("flowrun left an empty result file");
    }
    const std::optional<double> count = fieldValue(speedRows.front().front());
    if (!count || *count < 1 || *count != static_cast<double>(static_cast<int>(*count))) {
        return failed("flowrun's T.rez does not start with its number of states");
    }
    const auto states = static_cast<std::size_t>(*count);
    if (speedRows.size() < states + 1 || markingRows.size() < states + 1) {
        return failed("flowrun's result files hold fewer rows than their number of states");
    }
    std::size_t phase = 0;
    Vec viteze;
    for (std::size_t i = 1; i <= states; ++i) {
        std::optional<Vec> values = rowValues(speedRows[i], m);
        if (!values) {
            return failed("flowrun's T.rez has a malformed row");
        }
        bool instantaneous = false;
        for (double v : *values) {
            instantaneous = instantaneous || v < 0;
        }
        if (!instantaneous) {
            phase = i;
            viteze = std::move(*values);
            break;
        }
    }
    if (phase == 0) {
        return failed("flowrun's T.rez holds no phase with finite speeds");
    }
    const std::optional<double> durata = fieldValue(speedRows[phase].front());
    std::optional<Vec> start = rowValues(markingRows[phase], n);
    std::optional<Vec> final = rowValues(markingRows[phase < states ? phase + 1 : phase], n);
    if (!durata || !start || !final) {
        return failed("flowrun's result files have a malformed row");
    }
    SubnetSpeeds result;
    result.ok = true;
    result.viteze = std::move(viteze);
    result.durata = *durata;
    result.stari = static_cast<int>(states);
    result.marcajStart = std::move(*start);
    result.marcajFinal = std::move(*final);
    return result;
}

SubnetSpeeds FlowrunSolver::solve(const SubnetProblem& problem)
{
    std::string error;
    if (!flowrun::writeFileReplacing(kFlowrunInputFileName, flowrunInputText(problem), error)) {
        return failed(error);
    }
    std::remove(kFlowrunSpeedsFileName);
    std::remove(kFlowrunMarkingsFileName);
    ++m_runs;
    tokarium::ChildRequest request;
    request.program = m_program;
    request.timeLimit = std::chrono::seconds(kFlowrunTimeoutSeconds);
    const tokarium::ChildOutcome run = tokarium::runChild(request);
    if (!run.finished) {
        return failed("the continuous simulator: " + run.problem);
    }
    const std::optional<std::string> tRez = readText(kFlowrunSpeedsFileName);
    const std::optional<std::string> pRez = readText(kFlowrunMarkingsFileName);
    if (!tRez || !pRez) {
        return failed("the continuous simulator flowrun left no " +
                      std::string(!tRez ? kFlowrunSpeedsFileName : kFlowrunMarkingsFileName) +
                      " (exit status " + std::to_string(run.exitStatus) +
                      "; its report results.htm says why)");
    }
    return parseFlowrunResults(*tRez, *pRez, problem.pre.rows(), problem.pre.cols());
}

}  // namespace mixsim
