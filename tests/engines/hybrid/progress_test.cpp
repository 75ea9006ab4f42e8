// The clock a hybrid run reports while it goes on: told at every event time, kept in a file by --progress.
#include "engines/continuous/progress_option.h"
#include "engines/continuous/solver_choice.h"
#include "engines/hybrid/constants.h"
#include "engines/hybrid/driver.h"
#include "engines/hybrid/engine_speed_solver.h"
#include "engines/hybrid/simulation.h"
#include "tests/engines/hybrid/data_text.h"
#include "tests/engines/hybrid/program_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace mixsim {
namespace {

using testing::NetText;

// Continuous tanks P1..Pn holding 1..n, each drained at speed 1 by its own transition into nothing
// (tank k empties at time k), and a discrete P(n+1) whose token T(n+1) takes away after 0.5.
NetText tanksAndATimer(int n)
{
    NetText net;
    net.title = "Tanks";
    net.P = n + 1;
    net.T = n + 1;
    net.pozdis = {n + 1};
    net.trandis = {n + 1};
    net.pre.assign(static_cast<std::size_t>(n + 1), std::vector<double>(static_cast<std::size_t>(n + 1), 0.0));
    net.post = net.pre;
    for (int k = 0; k <= n; ++k) {
        net.pre[static_cast<std::size_t>(k)][static_cast<std::size_t>(k)] = 1;
        net.marcaj.push_back(k + 1);
        net.valori.push_back(1);
    }
    net.marcaj.back() = 1;
    net.valori.back() = 0.5;
    return net;
}

// A discrete clock (P1 and T1 of duration 1 in a loop) and a continuous source T2 filling P2 at
// speed 1: an event every time unit, for ever; the horizon ends the run.
NetText clockAndSource()
{
    NetText net;
    net.title = "Clock";
    net.P = 2;
    net.T = 2;
    net.pozdis = {1};
    net.trandis = {1};
    net.pre = {{1, 0}, {0, 0}};
    net.post = {{1, 0}, {0, 1}};
    net.marcaj = {1, 0};
    net.valori = {1, 1};
    return net;
}

std::vector<double> watchedRun(const NetText& net, double horizon)
{
    EngineRunResult started = startRun(net.text());
    EXPECT_TRUE(started.run.has_value()) << started.error;
    std::vector<double> clocks;
    started.run->state.horizon = horizon;
    started.run->state.watch = [&clocks](double clock) { clocks.push_back(clock); };
    const std::unique_ptr<flowrun::LpSolver> lpSolver = flowrun::makeSolver(flowrun::SolverKind::kLibrary);
    EngineSpeedSolver solver(*lpSolver);
    ReportText report;
    const SimulationResult result = simulate(started.run->net, std::move(started.run->state), solver, report);
    EXPECT_NE(result.end, RunEnd::kStopped) << result.stopReason;
    // The last clock told is the time of the last state, from which the run's end extrapolates.
    EXPECT_EQ(clocks.empty() ? 0.0 : clocks.back(), result.IB.back().timp);
    return clocks;
}

TEST(Progress, EachEventTimeIsToldInOrderUpToTheLastState)
{
    const struct {
        NetText net;
        double horizon;
        std::vector<double> clocks;
    } cases[] = {
        {tanksAndATimer(1), 100, {0.5, 1}},
        {tanksAndATimer(4), 100, {0.5, 1, 2, 3, 4}},
        {tanksAndATimer(4), 2.5, {0.5, 1, 2, 3}},  // the first event past the horizon is the last
        {clockAndSource(), 5, {1, 2, 3, 4, 5, 6}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(watchedRun(c.net, c.horizon), c.clocks) << c.net.title << " up to " << c.horizon;
}

class ProgressProgram : public testing::MixsimProgram {};

TEST_F(ProgressProgram, TheProgramKeepsTheLastClockInTheFileAndChangesNothingElse)
{
    writeData(clockAndSource().text());
    ASSERT_EQ(run({"--until=40"}).status, 0);
    std::map<std::string, std::string> plain;
    for (const std::string& name : resultFiles())
        plain[name] = readFile(name);
    ASSERT_EQ(run({"--until=40", "--progress=clock"}).status, 0);
    EXPECT_EQ(readFile("clock"), "41\n");
    std::map<std::string, std::string> watched;
    for (const std::string& name : resultFiles())
        if (name != "clock")
            watched[name] = readFile(name);
    EXPECT_EQ(watched, plain);
    // The option needs a file name.
    EXPECT_EQ(run({"--progress="}).status, kExitBadInput);
}

}  // namespace
}  // namespace mixsim
