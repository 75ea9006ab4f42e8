// Balances, duration, the "0+" rules and the firing of infinite-speed transitions.
#include <gtest/gtest.h>

#include "engines/continuous/phase_update.h"
#include "engines/continuous/prephase.h"

namespace flowrun {
namespace {

// P1 -> T1 -> P2 with the given marking and speed; T2 (speed 0 unless given) drains P2.
ContinuousNet chain(Real speed1 = 1, Real speed2 = 1)
{
    ContinuousNet net;
    net.resize(2, 2);
    net.pre(0, 0) = 1;
    net.post(1, 0) = 1;
    net.pre(1, 1) = 1;
    net.indexArcs();
    net.maxSpeed = {speed1, speed2};
    return net;
}

TEST(PhaseUpdate, PlaceReachingZeroIsAnnulledAndBecomesZeroPlusWhenFed)
{
    // P1: 3 drained at 1.5 lasts 2 and ends at 0; P2 fills at 1.5.
    ContinuousNet net = chain();
    net.post(0, 1) = 0;
    Vector marking{3, 0};
    Vector B;
    const PhaseUpdate update = updatePhase(net, marking, Vector{1.5f, 0}, B, nullptr);
    EXPECT_FLOAT_EQ(update.duration, 2);
    EXPECT_EQ(B, (Vector{-1.5f, 1.5f}));
    EXPECT_TRUE(update.annulled[0]);
    EXPECT_EQ(marking, (Vector{0, 3}));
    EXPECT_FALSE(update.last);

    // The same place, fed by a transition that fires, becomes 0+ instead.
    ContinuousNet fed = chain();
    fed.post(0, 1) = 1;
    fed.indexArcs();
    Vector fedMarking{3, 10};
    const PhaseUpdate fedUpdate = updatePhase(fed, fedMarking, Vector{2, 0.5f}, B, nullptr);
    EXPECT_FLOAT_EQ(fedUpdate.duration, 2);
    EXPECT_TRUE(fedUpdate.annulled[0]);
    EXPECT_EQ(fedMarking[0], kZeroPlus);
}

TEST(PhaseUpdate, NoEmptyingPlaceMeansDurationZeroAndLastPhase)
{
    ContinuousNet net = chain();
    Vector marking{0, 0};
    Vector B;
    const PhaseUpdate update = updatePhase(net, marking, Vector{0, 0}, B, nullptr);
    EXPECT_EQ(update.duration, 0);
    EXPECT_EQ(update.recorded(), 0);
    EXPECT_TRUE(update.last);
}

TEST(PhaseUpdate, TinyRemainderBecomesZeroPlus)
{
    // P2 (2, drained at 2 - 1) empties after 2 time units and leaves 0.00005 in P1.
    ContinuousNet net = chain();
    Vector marking{2.00005f, 2};
    Vector B;
    const PhaseUpdate update = updatePhase(net, marking, Vector{1, 2}, B, nullptr);
    EXPECT_FLOAT_EQ(update.duration, 2);
    EXPECT_FALSE(update.annulled[0]);
    EXPECT_TRUE(update.annulled[1]);
    EXPECT_EQ(marking, (Vector{kZeroPlus, kZeroPlus}));
}

TEST(PhaseUpdate, EmptyPlaceDrainedAtItsFeedBecomesZeroPlusAndLaterZero)
{
    // T1 feeds P2 at 1, T2 drains it at 1: P2 stays 0 with balance 0 and becomes 0+.
    ContinuousNet net = chain();
    Vector marking{2, 0};
    Vector B;
    updatePhase(net, marking, Vector{1, 1}, B, nullptr);
    EXPECT_EQ(marking, (Vector{0, kZeroPlus}));
    // Next phase nothing feeds P2 any more; T2 fired before, so the 0+ becomes 0.
    const Vector previous{1, 1};
    updatePhase(net, marking, Vector{0, 0}, B, &previous);
    EXPECT_EQ(marking[1], 0);
    // In a first phase there is no earlier state and the 0+ stays.
    Vector first{0, kZeroPlus};
    updatePhase(net, first, Vector{0, 0}, B, nullptr);
    EXPECT_EQ(first[1], kZeroPlus);
}

TEST(PhaseUpdate, NegativeDurationNeverMovesMarkingsBackwards)
{
    // P1 at 0+ drained faster than fed comes first and gives a negative candidate.
    ContinuousNet net = chain();
    net.post(0, 1) = 0;
    Vector marking{kZeroPlus, 4};
    Vector B;
    const PhaseUpdate update = updatePhase(net, marking, Vector{1, 2}, B, nullptr);
    EXPECT_LT(update.duration, 0);
    EXPECT_EQ(update.recorded(), kInfiniteDuration);
    EXPECT_TRUE(update.last);
    EXPECT_EQ(marking[1], 4);
}

// T1 of infinite speed moves P1 into P2; T2 has no arc.
ContinuousNet infiniteChain()
{
    ContinuousNet net;
    net.resize(3, 2);
    net.pre(0, 0) = 1;
    net.post(1, 0) = 1;
    net.indexArcs();
    net.maxSpeed = {kInfiniteSpeed, 1};
    return net;
}

TEST(Prephase, InfiniteTransitionOnZeroPlusClearsZeroPlusAndMarksOutputs)
{
    const ContinuousNet net = infiniteChain();
    Vector M{kZeroPlus, 0, kZeroPlus};
    const Flags flagged = flagInfiniteTransitions(net, M);
    ASSERT_EQ(flagged, (Flags{true, false}));
    EXPECT_TRUE(fireCycle(net, flagged, M));
    EXPECT_EQ(M, (Vector{0, kZeroPlus, 0}));
}

TEST(Prephase, FiresTheWholeContentAndRecordsOneState)
{
    const ContinuousNet net = infiniteChain();
    Vector M{3, 1, 0};
    std::vector<IbState> states;
    Report report;
    const PrephaseOutcome outcome = firePrephase(net, M, states, report);
    EXPECT_EQ(M, (Vector{0, 4, 0}));
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].marking, (Vector{3, 1, 0}));
    EXPECT_EQ(states[0].speeds, (Vector{kInfiniteSpeed, 0}));
    EXPECT_EQ(outcome.cycles, 2);
    EXPECT_NE(report.pending().find("The new marking is: Mo=<font color=#0000aa>[ 0, 4, 0 ]</font>"), std::string::npos);
}

TEST(Prephase, ConflictingInfiniteTransitionsFireByLevel)
{
    ContinuousNet net;
    net.resize(3, 2);
    net.pre(0, 0) = net.pre(0, 1) = 1;
    net.post(1, 0) = 1;
    net.post(2, 1) = 1;
    net.indexArcs();
    net.maxSpeed = {kInfiniteSpeed, kInfiniteSpeed};
    net.level = {1, 0};
    const Flags flagged = flagInfiniteTransitions(net, Vector{2, 0, 0});
    EXPECT_EQ(flagged, (Flags{false, true}));
}

TEST(Prephase, InfiniteLoopStopsWhenAMarkingComesBack)
{
    // T1: P1 -> P2 and T2: P2 -> P1, both infinite: the content would swing for ever.
    ContinuousNet net;
    net.resize(2, 2);
    net.pre(0, 0) = net.post(1, 0) = 1;
    net.pre(1, 1) = net.post(0, 1) = 1;
    net.indexArcs();
    net.maxSpeed = {kInfiniteSpeed, kInfiniteSpeed};
    Vector M{1, 0};
    std::vector<IbState> states;
    Report report;
    const PrephaseOutcome outcome = firePrephase(net, M, states, report);
    EXPECT_TRUE(outcome.repeated);
    EXPECT_EQ(states.size(), 2u);
    EXPECT_EQ(M, (Vector{1, 0}));
}

TEST(Prephase, NetWithoutInfiniteSpeedRecordsNothing)
{
    ContinuousNet net = chain();
    Vector M{1, 0};
    std::vector<IbState> states;
    Report report;
    firePrephase(net, M, states, report);
    EXPECT_TRUE(states.empty());
}

}  // namespace
}  // namespace flowrun
