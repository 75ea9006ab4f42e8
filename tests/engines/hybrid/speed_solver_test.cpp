// The sub-net input written for flowrun and the reading of its results.
#include "engines/hybrid/speed_solver.h"

#include "engines/continuous/solver_choice.h"
#include "engines/hybrid/engine_speed_solver.h"

#include <gtest/gtest.h>

#include <random>

namespace mixsim {
namespace {

TEST(FlowrunInput, OneValuePerLineAfterTheTitle)
{
    SubnetProblem problem;
    problem.number = 2;
    problem.pre = Mat(1, 2, 1.0);
    problem.post = Mat(1, 2);
    problem.marcaj = {-1};
    problem.viteze = {0.5, -1};
    problem.conflicte = {1, 1, 2, 3};
    EXPECT_EQ(flowrunInputText(problem),
              "Subreteaua_2\n1\n2\n1\n1\n0\n0\n-1\n0.5\n-1\n1\n1\n2\n3\n");
}

TEST(FlowrunResults, TheFirstPhaseFollowsTheInstantaneousStates)
{
    // State 1 fires an infinite-speed transition; state 2 is the first
    // phase (P1 empties after 2.5); state 3 is the last.
    const char* tRez = "3\n0\t-1\t0\n2.50\t2\t1.5000\n0\t0\t1\n";
    const char* pRez = "3\n0\t4\t0\n2.50\t5\t00\n\t0\t-1\n\t0\t0\n";
    const SubnetSpeeds result = parseFlowrunResults(tRez, pRez, 2, 2);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.viteze, (Vec{2, 1.5}));
    EXPECT_DOUBLE_EQ(result.durata, 2.5);
    EXPECT_EQ(result.stari, 3);
    EXPECT_EQ(result.marcajStart, (Vec{5, 0}));
    EXPECT_EQ(result.marcajFinal, (Vec{0, -1}));
}

TEST(FlowrunResults, ASingleStateIsItsOwnEnd)
{
    const SubnetSpeeds result = parseFlowrunResults("1\n0\t3\n", "1\n\t7\n\t0\n", 1, 1);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.viteze, (Vec{3}));
    EXPECT_EQ(result.durata, 0.0);
    EXPECT_EQ(result.marcajFinal, (Vec{7}));
}

TEST(FlowrunResults, DamagedFilesAreRefused)
{
    const struct {
        const char* name;
        const char* tRez;
        const char* pRez;
    } cases[] = {
        {"empty", "", ""},
        {"count not a number", "x\n0\t1\n", "1\n\t1\n\t0\n"},
        {"fewer rows than states", "2\n0\t1\n", "2\n0\t1\n\t1\n\t0\n"},
        {"row too short", "1\n0\n", "1\n\t1\n\t0\n"},
        {"letters in a speed", "1\n0\tabc\n", "1\n\t1\n\t0\n"},
        {"only instantaneous states", "1\n0\t-1\n", "1\n\t1\n\t0\n"},
    };
    for (const auto& bad : cases) {
        const SubnetSpeeds result = parseFlowrunResults(bad.tRez, bad.pRez, 1, 1);
        EXPECT_FALSE(result.ok) << bad.name;
        EXPECT_FALSE(result.error.empty()) << bad.name;
    }
}

// A tank P1 draining through T1 into P2, which T2 drains; seeded random markings and bounds.
SubnetProblem tanks(std::mt19937& random)
{
    SubnetProblem problem;
    problem.number = 1;
    problem.pre = Mat(2, 2);
    problem.post = Mat(2, 2);
    problem.pre(1, 1) = 1;
    problem.post(2, 1) = 1;
    problem.pre(2, 2) = 1;
    problem.marcaj = {static_cast<double>(random() % 3), static_cast<double>(random() % 3)};
    problem.viteze = {1.0 + random() % 2, 1.0 + random() % 2};
    return problem;
}

// The in-process solver answers a sub-net asked again with the problem it last solved without
// solving again, with the answer a fresh solver gives; any other problem is solved.
TEST(EngineSpeeds, ASubnetAskedTheSameProblemAgainGetsTheSameAnswer)
{
    const std::unique_ptr<flowrun::LpSolver> reusing = flowrun::makeSolver(flowrun::SolverKind::kLibrary);
    EngineSpeedSolver solver(*reusing);
    std::mt19937 random(5);
    SubnetProblem previous;
    for (int i = 1; i <= 40; ++i) {
        // Every third problem is the one before it again.
        const SubnetProblem problem = i % 3 == 0 ? previous : tanks(random);
        const bool repeated = i > 1 && problem.marcaj == previous.marcaj && problem.viteze == previous.viteze;
        const int solvesBefore = reusing->solveCount();
        const SubnetSpeeds answer = solver.solve(problem);

        const std::unique_ptr<flowrun::LpSolver> fresh = flowrun::makeSolver(flowrun::SolverKind::kLibrary);
        EngineSpeedSolver freshSolver(*fresh);
        const SubnetSpeeds expected = freshSolver.solve(problem);
        ASSERT_TRUE(answer.ok) << answer.error;
        EXPECT_EQ(answer.viteze, expected.viteze);
        EXPECT_EQ(answer.durata, expected.durata);
        EXPECT_EQ(answer.marcajFinal, expected.marcajFinal);
        EXPECT_EQ(reusing->solveCount() == solvesBefore, repeated || fresh->solveCount() == 0) << "problem " << i;
        EXPECT_EQ(solver.runs(), i);
        previous = problem;
    }
}

}  // namespace
}  // namespace mixsim
