// The run of mixsim in its current directory, from "data.txt" to the report.
#include "engines/hybrid/driver.h"

#include "engines/hybrid/constants.h"
#include "engines/hybrid/file_output.h"
#include "engines/hybrid/report_head.h"

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
    writeReportHead(run.report, run.net);
    return {std::move(run), {}};
}

int runMixsim(std::FILE* errors)
{
    const std::optional<std::string> text = readWholeFile(kDataFileName);
    if (!text) {
        std::fprintf(errors, "mixsim: %s: cannot be read\n", kDataFileName);
        return kExitBadInput;
    }
    EngineRunResult started = startRun(*text);
    if (!started.run) {
        std::fprintf(errors, "mixsim: %s: %s\n", kDataFileName, started.error.c_str());
        return kExitBadInput;
    }
    std::string error;
    if (!writeFileReplacing(kReportFileName, started.run->report, error)) {
        std::fprintf(errors, "mixsim: %s\n", error.c_str());
        return kExitOutputFailed;
    }
    return kExitOk;
}

}  // namespace mixsim
