// How far a running engine has got: the clock it keeps in a progress file in the run's working folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tokarium {

// What the wait for an engine is told each time it looks at the running engine.
struct EngineProgress {
    std::string sheetName;
    double duration = 0.0;         // the sheet's simulation duration (may be unbounded)
    std::optional<double> clock;   // the simulation clock the engine last reported; none before its first report
};

// Reads the clock an engine writes into its progress file. A missing, half written or garbled file
// keeps the clock read before, so the clock shown never goes back or away during a run.
class ProgressReader {
public:
    explicit ProgressReader(std::filesystem::path file) : m_file(std::move(file)) {}

    // Reads the file again; the last clock read.
    std::optional<double> read();

private:
    std::filesystem::path m_file;
    std::optional<double> m_clock;
};

} // namespace tokarium
