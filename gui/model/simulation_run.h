// Per-sheet results of the last engine run and the position of the stepping through them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tokarium {

class RunFolder;

// Real matrix stored row by row; reading outside it gives 0.
struct ResultMatrix {
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::vector<double> values;

    double at(std::size_t row, std::size_t column) const {
        return row < rows && column < columns ? values[row * columns + column] : 0.0;
    }
    void clear(std::size_t columnCount) {
        rows = 0;
        columns = columnCount;
        values.clear();
    }
    void appendRow(const std::vector<double>& row) {
        for (std::size_t c = 0; c < columns; ++c)
            values.push_back(c < row.size() ? row[c] : 0.0);
        ++rows;
    }
};

// What a sheet showed after one step: enough to show that moment again and to step on from it.
struct RecordedState {
    double clock = 0.0;
    bool ended = false;
    std::int32_t stepIndex = 0;
    std::int32_t stepsShown = 0;
    double clockAtLastJump = -1.0;
    std::string problem;
    std::vector<double> workingMarkings; // places in index order
    std::vector<double> shownMarkings;
    std::vector<double> shownValues;     // transitions in index order
    std::int32_t speedRow = -1;
};

enum class EngineKind { kNone, kContinuous, kHybrid };

// The continuous engine's cause of a transition's speed below its maximum in one phase.
struct EngineSpeedCause {
    std::size_t row = 0;        // the result row of the phase
    std::size_t transition = 0; // the transition's position in index order
    std::string text;           // with the nodes' display names
};

// Filled by the simulation bridge; never saved.
struct SimulationRun {
    double clock = 0.0;
    bool ended = false;
    std::int32_t stepCount = 0; // hybrid: the number of steps K
    std::int32_t stepIndex = 0; // the result row (or step) the next step shows
    ResultMatrix placeResults;
    ResultMatrix transitionResults;
    std::vector<double> finalRates;

    EngineKind engine = EngineKind::kNone;
    // Why the run ended early (no engine, no usable results, or a walk that cannot reach the
    // duration); empty otherwise.
    std::string problem;
    // The engine's report that tells more about the problem, when the engine left one.
    std::string reportPath;
    // Steps shown since the run started, and the clock at the last jump back of a hybrid walk.
    std::int32_t stepsShown = 0;
    double clockAtLastJump = -1.0;

    // The states shown since the run started (the first one at time 0), and which of them is shown:
    // the user may go back to an earlier one and forward again.
    std::vector<RecordedState> recorded;
    std::size_t shownState = 0;
    // The result row whose speeds the transitions of a continuous run show; -1 before the first.
    std::int32_t speedRow = -1;
    // The causes the continuous engine gave for its speeds; known only when it wrote them.
    bool speedCausesKnown = false;
    std::vector<EngineSpeedCause> speedCauses;
    // The working folder of the last engine run, holding its reports; it goes with the last holder.
    std::shared_ptr<RunFolder> folder;
};

} // namespace tokarium
