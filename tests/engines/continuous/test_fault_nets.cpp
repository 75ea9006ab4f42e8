// Nets that once gave wrong runs, with their right runs derived by hand, on both solver paths.
#include <gtest/gtest.h>

#include "engines/continuous/engine.h"
#include "engines/continuous/solver_choice.h"
#include "tests/engines/continuous/flowrun_test_support.h"

namespace flowrun {
namespace {

Simulation simulateWith(SolverKind kind, const std::string& input)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    Report longReport;
    Report briefReport;
    longReport.discard();
    briefReport.discard();
    return simulateText(input, *makeSolver(kind), longReport, briefReport);
}

// "fuzz" as one token per line.
std::string tokenNet(const std::string& tokens)
{
    std::string text = "fuzz\n";
    for (char c : tokens)
        text += c == ' ' ? '\n' : c;
    return text + "\n";
}

// P2 (1) feeds T1 (3 per firing, speed 3), which puts 3 into P1; T5 (0.5) moves P1 back into
// P2. T2 (source, 1) fills P3, T4 (0.5) drains it; T3 (1) drains P4 (6).
// Phase 1: v = 3, 1, 1, 0.5, 0.5; P2 empties at 1 / (9 - 0.5) = 2/17, when P1 = 1 + 8.5 * 2/17 = 2.
// Phase 2: P2 stays 0+, fed by T5 at 0.5, so 3 v1 = 0.5, v1 = 1/6 and P1 keeps 2; P4 empties
// at t = 6, after 6 - 2/17. Phase 3: P3 = 5 + 0.5 * 6 = 8, P4 = 0, every balance >= 0: the end.
// The six-digit 1/6 once left P2 a hair below 0 and ended the run after phase 1.
TEST(FaultNets, AZeroPlusPlaceKeptEmptyByARepeatingFractionDoesNotEndTheRun)
{
    const std::string input = tokenNet("4 5 0 0 0 0 1 3 0 0 0 0 0 0 0 1 0 0 0 1 0 0 3 0 0 0 0 0 0 0 0 1 0 1 0 0 0 0 0 0 0 0 1 1 5 6 3 1 1 0.5 0.5");
    for (SolverKind kind : {SolverKind::kLibrary, SolverKind::kCommandLine}) {
        const Simulation run = simulateWith(kind, input);
        const char* path = kind == SolverKind::kLibrary ? "library" : "program";
        // The program's six digits move the values by up to about 1e-4.
        const double tolerance = kind == SolverKind::kLibrary ? 1e-5 : 1e-3;
        ASSERT_EQ(run.status, 0) << path << ": " << run.failure;
        const auto& states = run.run.states;
        ASSERT_EQ(states.size(), 3u) << path;
        EXPECT_NEAR(states[0].duration, 2.0 / 17, tolerance) << path;
        EXPECT_NEAR(states[1].duration, 6 - 2.0 / 17, tolerance) << path;
        EXPECT_NEAR(states[1].speeds[0], 1.0 / 6, tolerance) << path;
        const Vector& last = run.run.finalMarking;
        EXPECT_NEAR(last[0], 2, tolerance) << path;
        EXPECT_EQ(last[1], kZeroPlus) << path;
        EXPECT_NEAR(last[2], 8, tolerance) << path;
        EXPECT_EQ(last[3], 0) << path;
    }
}

// P4 (0+ in phase 3) is fed by T2 at 1 and shared by T1 and T4 (ratios 1 and 3, equal
// priority); T1's other inputs P5 and P6 are marked. Its sharers must take the whole inflow:
// v1 + v4 = 1 and 1 * v1 = 3 * v4, so v1 = 3/4 and v4 = 1/4. They were once computed before
// T2, which feeds their place, and both stood still while P4 filled.
TEST(FaultNets, SharersOfAFedPlaceAreComputedAfterTheirFeeders)
{
    const std::string input = tokenNet("6 5 0 0 0 0 2 0 0 3 0 0 0 1 0 0 0 1 0 0 1 0 1 0 0 0 1 1 0 0 0 0 2 0 0 0 0 0 3 0 0 0 0 0 0 0 1 0 1 0 0 0 0 0 0 3 0 0 0 0 2 0 0 0 1 2 6 6 4 2 3 0.5 1 2 2 1 3 0 2 1 3");
    for (SolverKind kind : {SolverKind::kLibrary, SolverKind::kCommandLine}) {
        const Simulation run = simulateWith(kind, input);
        const char* path = kind == SolverKind::kLibrary ? "library" : "program";
        ASSERT_EQ(run.status, 0) << path << ": " << run.failure;
        const auto& states = run.run.states;
        ASSERT_GE(states.size(), 3u) << path;
        EXPECT_LT(states[2].marking[3], 0) << path << ": P4 is 0+ in phase 3";
        EXPECT_NEAR(states[2].speeds[0], 0.75, 1e-5) << path;
        EXPECT_NEAR(states[2].speeds[3], 0.25, 1e-5) << path;
        EXPECT_EQ(states.size(), 4u) << path;
    }
}

// T3 (infinite speed) first empties P4 into P2 and P3; then P4 is empty and fed by the source T2 at 5.
// T1, T3, T4 share it at priority 1 with ratios 3, 2, 1 and weights 3, 1, 2: S = 3/3 + 1/2 + 2/1
// = 3.5 and v = 5 / (ratio * S): 10/21, 5/7, 10/7, which use up all 5. T5 (priority 2 at P4)
// gets nothing. It once got its maximal speed 1, as if the shares had left the inflow whole,
// and drained the empty P4.
TEST(FaultNets, ALowerLevelGetsOnlyWhatTheSharersOfAPlaceLeave)
{
    const std::string input = tokenNet("4 5 3 0 0 0 0 0 0 0 0 2 2 0 0 0 0 3 0 1 2 1 0 0 0 0 0 0 0 2 0 0 0 0 3 1 0 0 1 0 0 0 7 0 6 6 3 5 -1 4 1 1 1 1 2 3 2 1");
    for (SolverKind kind : {SolverKind::kLibrary, SolverKind::kCommandLine}) {
        const Simulation run = simulateWith(kind, input);
        const char* path = kind == SolverKind::kLibrary ? "library" : "program";
        ASSERT_EQ(run.status, 0) << path << ": " << run.failure;
        const auto& states = run.run.states;
        ASSERT_GE(states.size(), 2u) << path;
        const Vector expected{10.0f / 21, 5, 5.0f / 7, 10.0f / 7, 0};
        for (int t = 0; t < 5; ++t)
            EXPECT_NEAR(states[1].speeds[t], expected[t], 1e-4) << path << " T" << t + 1;
        EXPECT_GE(run.net.balance(3, states[1].speeds), -1e-4f) << path;
    }
}

// T2 (3) feeds the empty P1 from the marked P2, P3, P5 and puts back into P5 what it takes;
// T1 (1, lower priority at P5) drains P1 and P5. P5 is marked, so its zero balance under T2
// must not hold T1 back: phase 1 runs v = (1, 3) until P2 empties at t = 1 (P1 = 2, P3 = 2,
// P5 = 5); phase 2 runs T1 alone until P1 empties at t = 3 (P5 = 3); then nothing moves.
TEST(FaultNets, AMarkedPlaceWithAZeroBalanceDoesNotHoldItsOutputBack)
{
    const std::string input = tokenNet("5 2 1 0 0 1 0 2 0 0 3 3 0 1 0 0 0 0 0 0 2 3 0 3 8 0 6 1 3 2 1");
    for (SolverKind kind : {SolverKind::kLibrary, SolverKind::kCommandLine}) {
        const Simulation run = simulateWith(kind, input);
        const char* path = kind == SolverKind::kLibrary ? "library" : "program";
        ASSERT_EQ(run.status, 0) << path << ": " << run.failure;
        const auto& states = run.run.states;
        ASSERT_EQ(states.size(), 3u) << path;
        EXPECT_EQ(states[0].speeds, (Vector{1, 3})) << path;
        EXPECT_FLOAT_EQ(states[0].duration, 1) << path;
        EXPECT_EQ(states[1].speeds, (Vector{1, 0})) << path;
        EXPECT_FLOAT_EQ(states[1].duration, 2) << path;
        EXPECT_EQ(run.run.finalMarking, (Vector{0, 0, 2, 0, 3})) << path;
    }
}

}  // namespace
}  // namespace flowrun
