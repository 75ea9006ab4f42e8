// The clock of a running engine as the bridge reads it: from a progress file written mid-run by the
// real engine, and from missing, half written and garbled files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "gui/bridge/bridge_constants.h"
#include "gui/bridge/engine_progress.h"
#include "gui/bridge/run_folder.h"
#include "gui/bridge/start_run.h"
#include "tests/gui/bridge/bridge_test_support.h"

namespace tokarium {
namespace {

using namespace testing;

TEST(EngineProgress, AFileThatIsNotAWholeClockKeepsTheClockReadBefore) {
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "progress";
    ProgressReader reader(file);
    const struct {
        std::optional<std::string> content; // none: no file
        std::optional<double> clock;
    } reads[] = {
        {std::nullopt, std::nullopt},
        {"", std::nullopt},
        {"2.5", std::nullopt},  // caught before its line end
        {"2.5\n", 2.5},
        {"x\n", 2.5},
        {std::nullopt, 2.5},
        {"1\n", 2.5},           // a clock never goes back
        {"-3\n", 2.5},
        {"nan\n", 2.5},
        {std::string(200, '7') + "\n", 2.5},
        {std::string("7\n\0", 3), 2.5},
        {"7\n", 7.0},
        {"1e+300\n", 1e300},
    };
    for (const auto& read : reads) {
        std::filesystem::remove(file);
        if (read.content)
            writeText(file, *read.content);
        EXPECT_EQ(reader.read(), read.clock) << (read.content ? *read.content : "(no file)");
    }
}

// A discrete clock (P1 and T1 of duration 1 in a loop) beside a continuous source T2 filling P2: an
// event every time unit up to the first one past the duration.
void buildClockAndSource(NetSheet& sheet) {
    Place& p1 = discretePlace(sheet, 1, 1);
    Transition& t1 = discreteTransition(sheet, 1, 1);
    Place& p2 = continuousPlace(sheet, 2);
    Transition& t2 = continuousTransition(sheet, 2, 1);
    addArc(sheet, p1, t1);
    addArc(sheet, t1, p1);
    addArc(sheet, t2, p2);
}

TEST(EngineProgress, AWatchedRunSeesTheEnginesClockGrowUpToItsLastEvent) {
    ProgramFolder programs;
    auto document = newDocument();
    NetSheet& sheet = document->sheet(0);
    sheet.setName("clock");
    sheet.setDuration(1500);
    buildClockAndSource(sheet);
    BridgeSettings settings = programs.settings();
    std::vector<EngineProgress> seen;
    settings.keepWaiting = [&](const EngineProgress& progress) {
        seen.push_back(progress);
        return true;
    };
    StartRun(sheet, settings);
    const SimulationRun& run = sheet.simulationRun();
    ASSERT_TRUE(run.problem.empty()) << run.problem;
    ASSERT_FALSE(seen.empty());
    std::vector<double> clocks;
    for (const EngineProgress& progress : seen) {
        EXPECT_EQ(progress.sheetName, "clock");
        EXPECT_EQ(progress.duration, 1500.0);
        if (progress.clock)
            clocks.push_back(*progress.clock);
    }
    ASSERT_FALSE(clocks.empty()) << "the engine reports its first event at once";
    EXPECT_TRUE(std::is_sorted(clocks.begin(), clocks.end()));
    // The first clock was read while the engine still had most of its way to go.
    EXPECT_GE(clocks.front(), 1.0);
    EXPECT_LT(clocks.front(), 1501.0);
    EXPECT_LE(clocks.back(), 1501.0);
    // Each clock is an event time; the results hold the state at 0 and one per event, up to t = 1501.
    for (double clock : clocks)
        EXPECT_EQ(clock, std::floor(clock));
    EXPECT_EQ(run.stepCount, 1502);
    // The file goes with the run's other working files.
    ASSERT_TRUE(run.folder);
    EXPECT_FALSE(std::filesystem::exists(run.folder->path() / kProgressFile));
}

} // namespace
} // namespace tokarium
