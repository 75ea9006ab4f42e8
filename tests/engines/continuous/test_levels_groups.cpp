// Global priority levels, groups and the conflict type of a group.
#include <gtest/gtest.h>

#include "engines/continuous/conflicts.h"
#include "engines/continuous/groups.h"
#include "engines/continuous/net_reader.h"
#include "engines/continuous/priority_levels.h"
#include "engines/continuous/run_reports.h"

namespace flowrun {
namespace {

ContinuousNet read(const std::string& text)
{
    ContinuousNet net;
    Report report;
    EXPECT_TRUE(readNet(text, net, report).ok);
    net.level = computeLevels(net).level;
    net.group = buildGroups(net);
    return net;
}

TEST(PriorityLevels, LiftsLaterTransitionsEverywhereAndClosesGaps)
{
    // P1: T1 priority 2, T3 priority 1; P2: T1 priority 1, T2 priority 2.
    ContinuousNet net = read("t\n2 3\n1 0 1\n1 1 0\n0 0 0\n0 0 0\n1 1\n1 1 1\n2 1\n1 2\n");
    const LevelOutcome levels = computeLevels(net);
    EXPECT_EQ(levels.passes, 2);
    EXPECT_TRUE(levels.converged);
    EXPECT_EQ(levels.level, (Vector{1, 2, 0}));
    Report report;
    writeLevelsAndGroups(report, net);
    EXPECT_NE(report.pending().find("The global priority level is:  <font color=#0000aa>[ 2, 3, 1 ]"), std::string::npos);
    EXPECT_NE(report.pending().find("Lowest priority level is <font color=#0000aa>3</font>"), std::string::npos);
}

TEST(PriorityLevels, NetWithoutConflictsHasLevelZeroAfterOnePass)
{
    const ContinuousNet net = read("t\n2 2\n1 0\n0 1\n0 0\n0 0\n1 1\n1 1\n");
    const LevelOutcome levels = computeLevels(net);
    EXPECT_EQ(levels.passes, 1);
    EXPECT_EQ(levels.level, (Vector{0, 0}));
}

TEST(PriorityLevels, ContradictoryPrioritiesStopAtTheBound)
{
    // P1 ranks T1 before T2, P2 ranks T2 before T1.
    const ContinuousNet net = read("t\n2 2\n1 1\n1 1\n0 0\n0 0\n1 1\n1 1\n1 2\n2 1\n");
    const LevelOutcome levels = computeLevels(net);
    EXPECT_FALSE(levels.converged);
    EXPECT_LE(levels.passes, kMaxLevelPasses);
    for (Real level : levels.level)
        EXPECT_LE(level, 1);
}

TEST(PriorityLevels, GapClosingKeepsFractionsAndOrder)
{
    Vector level{0, 3, 5.5f};
    closeLevelGaps(level);
    EXPECT_EQ(level, (Vector{0, 1, 2.5f}));
}

TEST(Groups, ChainFormsOneGroupAndIndependentTransitionsJoinTheFirst)
{
    const ContinuousNet chain = read("t\n3 2\n1 0\n0 1\n0 0\n0 0\n1 0\n0 1\n1 0 0\n1 1\n");
    EXPECT_EQ(chain.group, (std::vector<int>{0, 0}));
    const ContinuousNet separate = read("t\n2 2\n1 0\n0 1\n0 0\n0 0\n1 1\n1 1\n");
    EXPECT_EQ(separate.group, (std::vector<int>{0, 0}));
}

TEST(Groups, FeedingGroupsComeFirstWhenBothShare)
{
    // T1, T2 share P1 (equal priority); they feed P2 shared by T3, T4 (equal priority).
    const ContinuousNet net = read("t\n4 4\n"
                                   "1 1 0 0\n0 0 1 1\n0 0 0 0\n0 0 0 0\n"
                                   "0 0 0 0\n1 0 0 0\n0 0 1 0\n0 0 0 1\n"
                                   "5 0 0 0\n1 1 1 1\n"
                                   "1 1 1 1\n1 1 1 1\n");
    EXPECT_EQ(net.group, (std::vector<int>{0, 0, 1, 1}));
    Flags first{true, true, false, false};
    const GroupConflict conflict = classifyGroup(net, first);
    EXPECT_EQ(conflict.type, 2);
    EXPECT_EQ(conflict.t1, 0);
    EXPECT_EQ(conflict.t2, 1);
    EXPECT_EQ(conflict.place, 0);
}

TEST(Groups, MutuallyFeedingSharingGroupsEndUpMerged)
{
    // T1, T2 share P1 and feed P2; T3, T4 share P2 and feed P1 back.
    const ContinuousNet net = read("t\n2 4\n"
                                   "1 1 0 0\n0 0 1 1\n"
                                   "0 0 1 1\n1 1 0 0\n"
                                   "5 0\n1 1 1 1\n"
                                   "1 1 1 1\n1 1 1 1\n");
    EXPECT_EQ(net.group, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(classifyGroup(net, Flags(4, true)).type, 4);
}

TEST(ConflictType, CountsSharingPlacesAndPairs)
{
    ContinuousNet net;
    net.resize(2, 3);
    Flags all(3, true);
    EXPECT_EQ(classifyGroup(net, all).type, 1);
    net.pre(0, 0) = net.pre(0, 1) = 1;
    net.indexArcs();
    EXPECT_EQ(classifyGroup(net, all).type, 2);
    net.pre(0, 2) = 1;
    net.indexArcs();
    const GroupConflict three = classifyGroup(net, all);
    EXPECT_EQ(three.type, 3);
    EXPECT_EQ(three.pairs, 3);
    net.level[2] = 1;
    EXPECT_EQ(classifyGroup(net, all).type, 2);
    net.level[2] = 0;
    net.pre(1, 0) = net.pre(1, 1) = 1;
    net.indexArcs();
    EXPECT_EQ(classifyGroup(net, all).type, 4);
}

}  // namespace
}  // namespace flowrun
