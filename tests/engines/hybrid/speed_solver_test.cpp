// The sub-net input written for flowrun and the reading of its results.
#include "engines/hybrid/speed_solver.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace mixsim
