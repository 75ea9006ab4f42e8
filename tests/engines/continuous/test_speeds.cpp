// Speeds of one phase through Algorithm 5.C and the algorithms it calls, with the real solver.
#include <gtest/gtest.h>

#include "engines/continuous/conflicts.h"
#include "engines/continuous/groups.h"
#include "engines/continuous/lp_solve_cli.h"
#include "engines/continuous/net_reader.h"
#include "engines/continuous/priority_levels.h"
#include "tests/engines/continuous/flowrun_test_support.h"

namespace flowrun {
namespace {

struct PhaseSpeeds {
    Vector v;
    Vector M;
    int solves = 0;
    std::string report;
};

// Reads the net, computes its levels and groups, and the speeds of its first phase.
PhaseSpeeds firstPhase(const std::string& input)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    ContinuousNet net;
    Report report;
    EXPECT_TRUE(readNet(input, net, report).ok);
    net.level = computeLevels(net).level;
    net.group = buildGroups(net);
    LpSolveCli solver;
    Report trace;
    EngineContext context{net, solver, trace, {}};
    PhaseSpeeds result;
    result.M = net.m0;
    Vector Mnext = result.M;
    result.v.assign(net.m, 0);
    computePhaseSpeeds(context, result.M, Mnext, result.v, "");
    EXPECT_FALSE(context.failed()) << context.fatal;
    result.solves = solver.solveCount();
    result.report = trace.pending();
    return result;
}

TEST(PhaseSpeeds, MarkedInputsNeedOneLinearProgram)
{
    const PhaseSpeeds speeds = firstPhase("t\n2 2\n1 0\n0 1\n0 0\n0 0\n3 5\n2 4\n");
    EXPECT_EQ(speeds.v, (Vector{2, 4}));
    EXPECT_EQ(speeds.solves, 1);
}

TEST(PhaseSpeeds, EmptyUnfedInputForcesZeroWithoutAnyLinearProgram)
{
    const PhaseSpeeds speeds = firstPhase("t\n2 1\n1\n0\n0\n1\n0 0\n2\n");
    EXPECT_EQ(speeds.v, (Vector{0}));
    EXPECT_EQ(speeds.solves, 0);
    EXPECT_NE(speeds.report.find("No need for further computing"), std::string::npos);
}

TEST(PhaseSpeeds, UnfedZeroPlusInputOfAFireableTransitionBecomesZero)
{
    // T1 drains P1 (0+) and P2 (marked); nothing feeds P1, so the solver gives T1 speed 0.
    const PhaseSpeeds speeds = firstPhase("t\n3 1\n1\n1\n0\n0\n0\n1\n-1 2 0\n1\n");
    EXPECT_EQ(speeds.v, (Vector{0}));
    EXPECT_EQ(speeds.M[0], 0);
}

TEST(PhaseSpeeds, PriorityDecidesWhoTakesTheFeedOfAnEmptyPlace)
{
    // T1 (1) feeds the empty P2; T2 has priority 1 and T3 priority 2 at P2.
    const PhaseSpeeds speeds =
        firstPhase("t\n4 3\n1 0 0\n0 1 1\n0 0 0\n0 0 0\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n2 0 0 0\n1 1 1\n1 2\n");
    EXPECT_EQ(speeds.v, (Vector{1, 1, 0}));
}

TEST(PhaseSpeeds, MarkedSharingPlaceBetweenTwoKeepsTheFirstTrial)
{
    // P1 (4) is shared by T1 (1) and T2 (2) with ratios 1 and 3: both run at full speed.
    const PhaseSpeeds speeds = firstPhase("t\n3 2\n1 1\n0 0\n0 0\n0 0\n1 0\n0 1\n4 0 0\n1 2\n1 1 1 3\n");
    EXPECT_EQ(speeds.v, (Vector{1, 2}));
    EXPECT_NE(speeds.report.find("ALGORITHM 5.A: the number of markings in sharing place is positive"),
              std::string::npos);
}

TEST(PhaseSpeeds, EmptySharingPlaceBetweenTwoFollowsTheRatios)
{
    // T1 (2) feeds P2, shared by T2 and T3 (5 each) with ratios 2 and 1: 2 v2 = v3.
    const PhaseSpeeds speeds =
        firstPhase("t\n4 3\n1 0 0\n0 1 1\n0 0 0\n0 0 0\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n4 0 0 0\n2 5 5\n1 1 2 1\n");
    EXPECT_FLOAT_EQ(speeds.v[0], 2);
    EXPECT_NEAR(speeds.v[1], 2.0 / 3, 1e-4);
    EXPECT_NEAR(speeds.v[2], 4.0 / 3, 1e-4);
}

TEST(PhaseSpeeds, MarkedSharingPlaceAmongThreeGivesMaximalSpeeds)
{
    const PhaseSpeeds speeds =
        firstPhase("t\n4 3\n1 1 1\n0 0 0\n0 0 0\n0 0 0\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n5 0 0 0\n1 2 3\n1 1 1\n1 1 1\n");
    EXPECT_EQ(speeds.v, (Vector{1, 2, 3}));
    EXPECT_NE(speeds.report.find("KF set is: T<sub>1</sub>, T<sub>2</sub>, T<sub>3</sub>"), std::string::npos);
}

TEST(PhaseSpeeds, InfiniteSpeedInASharingAmongThreeIsCappedByItsFeed)
{
    // T1 (3) feeds the empty P2 shared by T2 (infinite), T3 and T4 (5) with equal ratios.
    const PhaseSpeeds speeds = firstPhase(
        "t\n5 4\n1 0 0 0\n0 1 1 1\n0 0 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0\n1 0 0 0\n0 1 0 0\n0 0 1 0\n0 0 0 1\n"
        "6 0 0 0 0\n3 -1 5 5\n1 1 1\n1 1 1\n");
    EXPECT_FLOAT_EQ(speeds.v[0], 3);
    EXPECT_FLOAT_EQ(speeds.v[1], 1);
    EXPECT_FLOAT_EQ(speeds.v[2], 1);
    EXPECT_FLOAT_EQ(speeds.v[3], 1);
}

TEST(PhaseSpeeds, GroupWithTwoSharingPlacesKeepsSpeedZero)
{
    const PhaseSpeeds speeds = firstPhase("t\n2 4\n"
                                          "1 1 0 0\n0 0 1 1\n"
                                          "0 0 1 1\n1 1 0 0\n"
                                          "5 5\n1 1 1 1\n"
                                          "1 1 1 1\n1 1 1 1\n");
    EXPECT_EQ(speeds.v, Vector(4, 0));
    EXPECT_EQ(speeds.solves, 0);
}

TEST(PhaseSpeeds, SolverThatCannotRunStopsTheComputation)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    ContinuousNet net;
    Report report;
    ASSERT_TRUE(readNet("t\n1 1\n1\n0\n1\n1\n", net, report).ok);
    LpSolveCli solver((folder.path() / "missing").string());
    EngineContext context{net, solver, report, {}};
    Vector M = net.m0;
    Vector Mnext = M;
    Vector v(1, 0);
    computePhaseSpeeds(context, M, Mnext, v, "");
    EXPECT_TRUE(context.failed());
}

}  // namespace
}  // namespace flowrun
