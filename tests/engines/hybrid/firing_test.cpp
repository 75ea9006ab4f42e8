// Enabling, firing and the choice of firings among expiring timers.
#include "engines/hybrid/firing.h"

#include <gtest/gtest.h>

#include <random>

namespace mixsim {
namespace {

// P1 -> T1 -> P2 (weights 1), P1 -> T2, P2 -> T3; T4 has no input place.
struct SmallNet {
    Mat Pre{2, 4};
    Mat Post{2, 4};
    SmallNet()
    {
        Pre(1, 1) = 1;
        Pre(1, 2) = 1;
        Pre(2, 3) = 1;
        Post(2, 1) = 1;
        Post(1, 4) = 1;
    }
};

TEST(Enabling, CautareTdGivesTheDurationOnlyWhenEveryInputPlaceIsCovered)
{
    const SmallNet net;
    EXPECT_EQ(cautare_td(1, net.Pre, Vec{1, 0}, 2.5), 2.5);
    EXPECT_FALSE(cautare_td(3, net.Pre, Vec{1, 0}, 2.5).has_value());
    EXPECT_EQ(cautare_td(4, net.Pre, Vec{0, 0}, 3.0), 3.0);
}

TEST(Enabling, ZeroPlusHoldsNoTokenForADiscreteTransition)
{
    const SmallNet net;
    EXPECT_FALSE(cautare_td(3, net.Pre, Vec{0, -1}, 1.0).has_value());
    EXPECT_EQ(grad_activare(3, net.Pre, Vec{0, -1}), 0);
}

TEST(Enabling, CautareTd1AlsoNeedsAnInputPlace)
{
    const SmallNet net;
    EXPECT_FALSE(cautare_td1(4, net.Pre, Vec{0, 0}, 3.0).has_value());
    EXPECT_EQ(cautare_td1(1, net.Pre, Vec{1, 0}, 3.0), 3.0);
}

TEST(Enabling, DegreeCountsWholeCoveringsOfEveryInputPlace)
{
    const SmallNet net;
    EXPECT_EQ(grad_activare(1, net.Pre, Vec{3, 0}), 3);
    EXPECT_EQ(grad_activare(1, net.Pre, Vec{2.9999999, 0}), 3);
    EXPECT_EQ(grad_activare(4, net.Pre, Vec{0, 0}), -1);
}

TEST(Firing, ExecutieTdMovesTokensAndRefreshesBothViews)
{
    const SmallNet net;
    const ExecutieTd fired = executie_td(1, Vec{1, -1}, net.Pre, net.Post, Vec{2}, Vec{1});
    EXPECT_EQ(fired.marcaj1, (Vec{0, 1}));
    EXPECT_EQ(fired.marcaj_cont, (Vec{1}));
    EXPECT_EQ(fired.marcaj_dis, (Vec{0}));
}

TEST(Firing, ExecutieTdLeavesTheMarkingOfADisabledTransition)
{
    const SmallNet net;
    const ExecutieTd fired = executie_td(1, Vec{0, -1}, net.Pre, net.Post, Vec{2}, Vec{1});
    EXPECT_EQ(fired.marcaj1, (Vec{0, -1}));
    EXPECT_EQ(fired.marcaj_cont, (Vec{-1}));
}

std::vector<ConflictRecord> conflictAtP1()
{
    ConflictRecord record;
    record.pozitie = 1;
    record.tranzitii = Vec{1, 2};
    record.trandis = Vec{1, 2};
    record.prioritate = Vec{1, 2};
    record.existenta = 1;
    return {record};
}

TEST(Firing, GasireTranFiresTheHighestPriorityValueFirst)
{
    const SmallNet net;
    D1List expira;
    expira.add(2, 1, 1, 1);
    expira.add(2, 2, 1, 2);
    D1List D1 = expira;
    D1.add(5, 3, 0, 0);

    const GasireTran chosen =
        gasire_tran(expira, D1, conflictAtP1(), Vec{1, 0}, NetArcs(net.Pre, net.Post));
    EXPECT_EQ(chosen.efectiv.tranzitie, (Vec{2}));
    EXPECT_EQ(chosen.efectiv.conflict, (Vec{1}));
    EXPECT_EQ(chosen.scoase.tranzitie, (Vec{1}));
    EXPECT_EQ(chosen.scoase.timp, (Vec{2}));
    EXPECT_EQ(chosen.D1.tranzitie, (Vec{3}));
}

TEST(Firing, GasireTranDropsTimersTheRemainingMarkingNoLongerCovers)
{
    const SmallNet net;
    D1List expira;
    expira.add(2, 1, 1, 2);
    expira.add(2, 1, 1, 2);
    expira.add(2, 3, 0, 0);
    D1List D1 = expira;
    D1.add(4, 2, 1, 1);
    D1.add(4, 2, 1, 1);

    const GasireTran chosen =
        gasire_tran(expira, D1, conflictAtP1(), Vec{2, 1}, NetArcs(net.Pre, net.Post));
    EXPECT_EQ(chosen.efectiv.tranzitie, (Vec{3, 1, 1}));
    EXPECT_EQ(chosen.efectiv.conflict, (Vec{0, 1, 1}));
    EXPECT_EQ(chosen.scoase.tranzitie, (Vec{2, 2}));
    EXPECT_EQ(chosen.scoase.timp, (Vec{4, 4}));
    EXPECT_EQ(chosen.D1.size(), 0u);
}

TEST(Firing, GasireTranKeepsTimersThatAreStillCovered)
{
    const SmallNet net;
    D1List expira;
    expira.add(2, 2, 1, 2);
    D1List D1 = expira;
    D1.add(3, 1, 1, 1);
    D1.add(4, 1, 1, 1);

    const GasireTran chosen =
        gasire_tran(expira, D1, conflictAtP1(), Vec{2, 0}, NetArcs(net.Pre, net.Post));
    EXPECT_EQ(chosen.efectiv.tranzitie, (Vec{2}));
    // One token is left for T1: its later timer goes, its earlier one stays.
    EXPECT_EQ(chosen.D1.timp, (Vec{3}));
    EXPECT_EQ(chosen.scoase.timp, (Vec{4}));
}

// The arcs taken once from Pre and Post answer as the whole-matrix operations do, on seeded
// random nets with markings that include 0+ and rounding noise.
TEST(Firing, NetArcsEnableAndFireAsTheWholeMatrixOperations)
{
    std::mt19937 random(7);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 200; ++round) {
        const std::size_t places = 1 + static_cast<std::size_t>(pick(6));
        const std::size_t transitions = 1 + static_cast<std::size_t>(pick(6));
        Mat Pre(places, transitions);
        Mat Post(places, transitions);
        Vec marking(places);
        for (std::size_t p = 1; p <= places; ++p) {
            for (std::size_t t = 1; t <= transitions; ++t) {
                Pre(p, t) = pick(3) == 0 ? 1 + pick(3) : 0;
                Post(p, t) = pick(3) == 0 ? 1 + pick(3) : 0;
            }
            const double kinds[] = {-1.0, 0.0, 1.0, 2.0, 3.0, 2.9999999999, 4.5};
            marking(p) = kinds[pick(7)];
        }
        const NetArcs arcs(Pre, Post);
        for (std::size_t t = 1; t <= transitions; ++t) {
            const int number = static_cast<int>(t);
            EXPECT_EQ(covers(arcs.inputs(t), marking), cautare_td(number, Pre, marking, 1.0).has_value());
            EXPECT_EQ(!arcs.inputs(t).empty() && covers(arcs.inputs(t), marking),
                      cautare_td1(number, Pre, marking, 1.0).has_value());
            EXPECT_EQ(enablingDegree(arcs.inputs(t), marking), grad_activare(number, Pre, marking));
            Vec fired = marking;
            if (covers(arcs.inputs(t), fired)) {
                fire(arcs.arcs(t), fired);
            }
            EXPECT_EQ(fired, executie_td(number, marking, Pre, Post, Vec{}, Vec{}).marcaj1) << "T" << t;
        }
    }
}

}  // namespace
}  // namespace mixsim
