// The run of mixsim in its current directory, from "data.txt" to the report.
#include "engines/hybrid/driver.h"

#include "engines/hybrid/constants.h"
#include "engines/continuous/file_replace.h"
#include "engines/hybrid/report_head.h"
#include "engines/hybrid/report_tail.h"
#include "engines/hybrid/result_files.h"
#include "engines/hybrid/simulation.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace mixsim {

namespace {

std::optional<std::string> readWholeFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return content.str();
}

}  // namespace

EngineRunResult startRun(std::string_view dataText)
{
    DataFileResult file = parseDataText(dataText);
    if (!file.file) {
        return {std::nullopt, std::move(file.error)};
    }
    HybridNetResult net = buildHybridNet(*file.file);
    if (!net.net) {
        return {std::nullopt, std::move(net.error)};
    }
    EngineRun run;
    run.net = std::move(*net.net);
    run.state = initialState(run.net);
    return {std::move(run), {}};
}

int runMixsim(std::FILE* errors, SpeedSolver& solver, double horizon, flowrun::ClockWatch watch)
{
    std::optional<std::string> text = readWholeFile(kDataFileName);
    if (!text) {
        std::fprintf(errors, "mixsim: %s: cannot be read\n", kDataFileName);
        return kExitBadInput;
    }
    EngineRunResult started = startRun(*text);
    text.reset();  // the net holds what the run needs
    if (!started.run) {
        std::fprintf(errors, "mixsim: %s: %s\n", kDataFileName, started.error.c_str());
        return kExitBadInput;
    }
    EngineRun& run = *started.run;
    run.state.horizon = horizon;
    run.state.watch = std::move(watch);
    // The long report goes to its file as it grows, under a temporary name until it is complete.
    const std::string reportTemporary = std::string(kReportFileName) + ".tmp";
    ReportText report;
    if (!report.open(reportTemporary.c_str())) {
        std::fprintf(errors, "mixsim: cannot create %s\n", reportTemporary.c_str());
        return kExitOutputFailed;
    }
    report.limitTo(kMaxReportBytes);
    writeReportHead(report, run.net);
    const SimulationResult result = simulate(run.net, std::move(run.state), solver, report);
    writeReportTail(report, result);
    const bool reportWritten = report.close();

    std::string error;
    const auto write = [&error](const NamedText& file) {
        return flowrun::writeFileReplacing(file.name, file.text, error);
    };
    if (forEachResultFile(run.net, result, write)) {
        static_cast<void>(write({kShortReportFileName, shortReport(run.net, result)}));
    }
    if (error.empty() && !reportWritten) {
        error = "cannot write " + reportTemporary;
    }
    if (error.empty() && std::rename(reportTemporary.c_str(), kReportFileName) != 0) {
        error = std::string("cannot replace ") + kReportFileName;
    }
    if (!error.empty()) {
        std::remove(reportTemporary.c_str());
        std::fprintf(errors, "mixsim: %s\n", error.c_str());
        return kExitOutputFailed;
    }
    if (result.end == RunEnd::kStopped) {
        std::fprintf(errors, "mixsim: the simulation stopped: %s\n", result.stopReason.c_str());
        return result.notFinite ? kExitBadInput : kExitStopped;
    }
    return kExitOk;
}

}  // namespace mixsim
