// Algorithm 6.1 run in process, with a scripted speed solver where speeds are needed.
#include "engines/continuous/solver_choice.h"
#include "engines/hybrid/driver.h"
#include "engines/hybrid/engine_speed_solver.h"
#include "engines/hybrid/firing.h"
#include "engines/hybrid/report_head.h"
#include "engines/hybrid/result_files.h"
#include "engines/hybrid/simulation.h"
#include "tests/engines/hybrid/data_text.h"
#include "tests/engines/hybrid/random_hybrid_net.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

namespace mixsim {
namespace {

using testing::NetText;

// Answers every sub-net with the next scripted result (the last one repeats).
class ScriptedSolver : public SpeedSolver {
public:
    explicit ScriptedSolver(std::vector<SubnetSpeeds> answers) : m_answers(std::move(answers)) {}

    SubnetSpeeds solve(const SubnetProblem& problem) override
    {
        m_problems.push_back(problem);
        const std::size_t i = std::min<std::size_t>(static_cast<std::size_t>(m_runs), m_answers.size() - 1);
        ++m_runs;
        return m_answers[i];
    }

    std::vector<SubnetProblem> m_problems;

private:
    std::vector<SubnetSpeeds> m_answers;
};

SubnetSpeeds speeds(Vec viteze)
{
    SubnetSpeeds result;
    result.ok = true;
    result.viteze = std::move(viteze);
    result.stari = 1;
    return result;
}

struct SimulatedRun {
    SimulationResult result;
    std::string report;
};

SimulatedRun simulateText(const NetText& net, SpeedSolver& solver)
{
    EngineRunResult started = startRun(net.text());
    EXPECT_TRUE(started.run.has_value()) << started.error;
    SimulatedRun run;
    ReportText report;
    writeReportHead(report, started.run->net);
    run.result = simulate(started.run->net, std::move(started.run->state), solver, report);
    run.report = report.pending();
    return run;
}

NetText discreteChain(double tokens, std::vector<double> durations)
{
    NetText net;
    net.P = 3;
    net.T = 2;
    net.pozdis = {1, 2, 3};
    net.trandis = {1, 2};
    net.pre = {{1, 0}, {0, 1}, {0, 0}};
    net.post = {{0, 0}, {1, 0}, {0, 1}};
    net.marcaj = {tokens, 0, 0};
    net.valori = std::move(durations);
    return net;
}

TEST(Simulation, EnablingDegreeThreeStartsThreeTimersThatFireTogether)
{
    ScriptedSolver solver({speeds({})});
    const SimulatedRun run = simulateText(discreteChain(3, {2, 5}), solver);
    const IbState& first = run.result.IB.front();
    EXPECT_EQ(first.enable, (Vec{3, 0}));
    EXPECT_EQ(first.residual[0].timp, (Vec{2, 2, 2}));
    EXPECT_NE(run.report.find("D1(2.00)={T<sub>1</sub>  T<sub>1</sub>  T<sub>1</sub>  }"), std::string::npos);
    // At t = 2 all three fire and T2 gets three timers of its own.
    EXPECT_EQ(run.result.IB[2].marcaj, (Vec{0, 3, 0}));
    EXPECT_EQ(run.result.IB[2].enable, (Vec{0, 3}));
    EXPECT_EQ(run.result.end, RunEnd::kEvents);
    EXPECT_EQ(solver.runs(), 0);
}

TEST(Simulation, ZeroTimeFiringsAfterAFiringMakeOneSpecialState)
{
    ScriptedSolver solver({speeds({})});
    const SimulatedRun run = simulateText(discreteChain(1, {1, 0}), solver);
    EXPECT_EQ(run.result.adun_spec, 1);
    ASSERT_EQ(run.result.IB.size(), 3u);
    EXPECT_EQ(run.result.IB[2].special, 1);
    EXPECT_EQ(run.result.IB[2].mc_bef_spec, (Vec{0, 1, 0}));
    EXPECT_EQ(run.result.IB[2].mc_aft_spec, (Vec{0, 0, 1}));
}

TEST(Simulation, AZeroTimeCycleStopsWithAReportLine)
{
    NetText net;
    net.P = 2;
    net.T = 2;
    net.pozdis = {1, 2};
    net.trandis = {1, 2};
    net.pre = {{1, 0}, {0, 1}};
    net.post = {{0, 1}, {1, 0}};
    net.marcaj = {1, 0};
    net.valori = {0, 0};
    ScriptedSolver solver({speeds({})});
    const SimulatedRun run = simulateText(net, solver);
    EXPECT_EQ(run.result.end, RunEnd::kStopped);
    EXPECT_NE(run.result.stopReason.find("zero-time loop"), std::string::npos) << run.result.stopReason;
    EXPECT_NE(run.report.find("The simulation stops: discrete transitions kept firing at t=0.00"),
              std::string::npos);
    EXPECT_EQ(run.result.IB.size(), 1u);
}

TEST(Simulation, ANetThatNeverRepeatsStopsAtTheStateBound)
{
    // T1 (duration 1) puts its token back into P1 and one more into P2.
    NetText net;
    net.P = 2;
    net.T = 1;
    net.pozdis = {1, 2};
    net.trandis = {1};
    net.pre = {{1}, {0}};
    net.post = {{1}, {1}};
    net.marcaj = {1, 0};
    net.valori = {1};
    ScriptedSolver solver({speeds({})});
    const SimulatedRun run = simulateText(net, solver);
    EXPECT_EQ(run.result.end, RunEnd::kStopped);
    EXPECT_NE(run.result.stopReason.find("IB-states without ending or repeating"), std::string::npos);
    const IbState& last = run.result.IB.back();
    EXPECT_EQ(last.marcaj(2), static_cast<double>(run.result.IB.size()) - 2);
}

TEST(Simulation, AnEnablingDegreeThatKeepsDoublingStopsAtItsBound)
{
    // T1 takes one token from P1 and puts two back.
    NetText net;
    net.P = 1;
    net.T = 1;
    net.pozdis = {1};
    net.trandis = {1};
    net.pre = {{1}};
    net.post = {{2}};
    net.marcaj = {1};
    net.valori = {1};
    ScriptedSolver solver({speeds({})});
    const SimulatedRun run = simulateText(net, solver);
    EXPECT_EQ(run.result.end, RunEnd::kStopped);
    EXPECT_EQ(run.result.stopReason, "the enabling degree of T1 at t=10.00 exceeds 1000 (one timer per degree)");
    // The state reached at t = 10 is incomplete; the last complete one holds 512 tokens.
    EXPECT_EQ(run.result.IB.back().marcaj(1), 512.0);
}

// P1 (10) -> T1 (speed 2) -> P2: the solver answers 2, then fails.
TEST(Simulation, ASolverFailureKeepsTheCompleteStates)
{
    NetText net;
    net.P = 2;
    net.T = 1;
    net.pre = {{1}, {0}};
    net.post = {{0}, {1}};
    net.marcaj = {10, 0};
    net.valori = {2};
    SubnetSpeeds failure;
    failure.error = "no T.rez";
    ScriptedSolver solver({speeds({2}), failure});
    const SimulatedRun run = simulateText(net, solver);
    EXPECT_EQ(run.result.end, RunEnd::kStopped);
    EXPECT_NE(run.result.stopReason.find("the speeds of subnet 1 at t=5.00 cannot be computed: no T.rez"),
              std::string::npos)
        << run.result.stopReason;
    ASSERT_EQ(run.result.IB.size(), 2u);
    EXPECT_EQ(run.result.IB[1].timp, 5.0);
    EXPECT_EQ(run.result.IB[1].mc_before, (Vec{0, 10}));
    ASSERT_EQ(solver.m_problems.size(), 2u);
    EXPECT_EQ(solver.m_problems[0].viteze, (Vec{2}));
    EXPECT_EQ(solver.m_problems[1].marcaj, (Vec{0, 10}));
}

// A discrete place with one token bounds the continuous T1 it serves (loop arc).
TEST(Simulation, TheSpeedBoundFollowsTheDiscreteMarking)
{
    NetText net;
    net.P = 3;
    net.T = 1;
    net.pozdis = {1};
    net.pre = {{2}, {1}, {0}};
    net.post = {{2}, {0}, {1}};
    net.marcaj = {3, 4, 0};
    net.valori = {2};
    ScriptedSolver solver({speeds({3})});
    const SimulatedRun run = simulateText(net, solver);
    ASSERT_FALSE(solver.m_problems.empty());
    // V' = U * md / Pre = 2 * 3 / 2.
    EXPECT_EQ(solver.m_problems[0].viteze, (Vec{3}));
    EXPECT_NE(run.report.find("V`<sub>1</sub>=2.00*1.50=3.00<br>"), std::string::npos);
}

// Two sub-nets P3 -> T1 and P4 -> T2 share the discrete P1 (T1 1, T2 2) and
// P2 (T1 2, T2 1): the two conflicts rank them in opposite orders.
TEST(Simulation, CrossedPrioritiesStopTheRunWithAReportLine)
{
    NetText net;
    net.P = 4;
    net.T = 2;
    net.pozdis = {1, 2};
    net.pre = {{1, 1}, {1, 1}, {1, 0}, {0, 1}};
    net.post = {{1, 1}, {1, 1}, {0, 0}, {0, 0}};
    net.marcaj = {1, 1, 2, 2};
    net.valori = {1, 1};
    net.conflicte = {1, 2, 2, 1};
    ScriptedSolver solver({speeds({1})});
    const SimulatedRun run = simulateText(net, solver);
    EXPECT_EQ(run.result.end, RunEnd::kStopped);
    EXPECT_EQ(run.result.stopReason,
              "the priority levels of the subnets did not settle after 1002 passes (conflicts rank "
              "the same subnets in opposite orders)");
    EXPECT_NE(run.report.find("The simulation stops: the priority levels of the subnets"), std::string::npos);
    EXPECT_EQ(run.result.IB.size(), 1u);
    EXPECT_EQ(solver.runs(), 0);
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1) {
        result.push_back(text.substr(from, end - from));
    }
    result.push_back(text.substr(from));
    return result;
}

// T1 (duration 1) takes one of the six tokens of P3 into P2 at a time, its
// loop place P1 making one firing at a time: events at t = 0, 1, ..., 6. A
// horizon of 3.5 ends the run after the events at t = 4; the tables hold the
// same rows up to there, then end like a run out of events.
TEST(Simulation, AHorizonEndsTheRunAfterTheFirstEventTimePastIt)
{
    NetText net;
    net.P = 3;
    net.T = 1;
    net.pozdis = {1, 2, 3};
    net.trandis = {1};
    net.pre = {{1}, {0}, {1}};
    net.post = {{1}, {1}, {0}};
    net.marcaj = {1, 0, 6};
    net.valori = {1};
    ScriptedSolver solver({speeds({})});
    const SimulatedRun full = simulateText(net, solver);
    EngineRunResult started = startRun(net.text());
    ASSERT_TRUE(started.run.has_value());
    started.run->state.horizon = 3.5;
    ReportText reportText;
    const SimulationResult cut = simulate(started.run->net, std::move(started.run->state), solver, reportText);
    const std::string& report = reportText.pending();

    EXPECT_EQ(full.result.end, RunEnd::kEvents);
    EXPECT_EQ(cut.end, RunEnd::kHorizon);
    ASSERT_EQ(cut.IB.back().timp, 4.0);
    EXPECT_NE(report.find("<br>t<sub>s</sub>=4.00 is past the horizon t=3.50<br>Then <font color=#cc0000>END"),
              std::string::npos);
    const std::vector<std::string> fullPlaces = lines(placeTable(started.run->net, full.result));
    const std::vector<std::string> cutPlaces = lines(placeTable(started.run->net, cut));
    EXPECT_EQ(cutPlaces.front(), "5");
    // Steps at t = 0, 1, 2, 3, 4: the before and after rows of each; the last after row
    // holds the marking reached at t = 4, which the full run shows as the next before row.
    ASSERT_EQ(cutPlaces.size(), 12u);
    for (std::size_t row = 1; row + 2 < cutPlaces.size(); ++row) {
        EXPECT_EQ(cutPlaces[row], fullPlaces[row]) << "row " << row;
    }
    EXPECT_EQ(cutPlaces[10], "\t1\t4\t2");
    EXPECT_EQ(cutPlaces[11], "-1\t0\t0\t0");
    const std::vector<std::string> fullTransitions = lines(transitionTable(started.run->net, full.result));
    const std::vector<std::string> cutTransitions = lines(transitionTable(started.run->net, cut));
    ASSERT_EQ(cutTransitions.size(), 7u);
    for (std::size_t row = 1; row + 1 < cutTransitions.size(); ++row) {
        EXPECT_EQ(cutTransitions[row], fullTransitions[row]) << "row " << row;
    }
}

// Every state starts with one timer per degree of enabling of each discrete transition, the
// degree taken afresh from the state's markings, though the engine revisits only the
// transitions around the places an event changed.
TEST(Simulation, EveryStateHasOneTimerPerEnablingDegreeOnRandomNets)
{
    std::mt19937 random(11);
    const std::unique_ptr<flowrun::LpSolver> lpSolver = flowrun::makeSolver(flowrun::SolverKind::kLibrary);
    int checked = 0;
    for (int round = 0; round < 150; ++round) {
        const NetText text = testing::randomHybridNet(random);
        EngineRunResult started = startRun(text.text());
        ASSERT_TRUE(started.run.has_value()) << started.error << "\n" << text.text();
        const HybridNet& net = started.run->net;
        started.run->state.horizon = 12.0;
        EngineSpeedSolver solver(*lpSolver);
        ReportText report;
        report.discard();
        const SimulationResult result = simulate(net, std::move(started.run->state), solver, report);
        const NetArcs arcs(net.Pre, net.Post);
        for (std::size_t g = 2; g <= result.IB.size(); ++g) {
            const IbState& state = result.IB[g - 1];
            Vec marking(static_cast<std::size_t>(net.nr_poz));
            for (std::size_t l = 1; l <= net.Pozdis.size(); ++l) {
                marking(static_cast<std::size_t>(net.Pozdis(l))) = state.marcaj(l);
            }
            for (std::size_t l = 1; l <= net.Pozcont.size(); ++l) {
                marking(static_cast<std::size_t>(net.Pozcont(l))) = result.IB[g - 2].mc_after(l);
            }
            for (std::size_t i = 1; i <= net.Trandis.size(); ++i) {
                const double degree = enablingDegree(arcs.inputs(net.Trandis(i)), marking);
                if (degree >= 0.0) {
                    EXPECT_EQ(state.enable(i), degree) << "T" << net.Trandis(i) << " in IB-state " << g << "\n"
                                                       << text.text();
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

}  // namespace
}  // namespace mixsim
