// Sub-nets of the continuous part and comparison of IB-states.
#include "engines/hybrid/subnet.h"
#include "engines/hybrid/subnet_levels.h"
#include "engines/hybrid/verif_ib1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

namespace mixsim {
namespace {

// Continuous P1 -> T1 -> P2, P2 -> T3 (discrete) -> P4, P4 -> T2 (continuous);
// discrete place P3 -> T1.
struct SplitNet {
    Mat Pre{4, 3};
    Mat Post{4, 3};
    Vec Pozcont{1, 2, 4};
    Vec Trancont{1, 2};
    SplitNet()
    {
        Pre(1, 1) = 1;
        Post(2, 1) = 1;
        Pre(2, 3) = 1;
        Post(4, 3) = 1;
        Pre(4, 2) = 1;
        Pre(3, 1) = 1;
    }
};

// Sub-nets A, B, C, ...; each entry is (conflict, positions of the sub-net's
// transitions in it).
TEST(SubnetLevels, ShiftConflictsUntilEverySubnetSitsAtItsLevel)
{
    struct Case {
        const char* name;
        std::vector<std::vector<double>> priorities;
        std::vector<std::vector<LevelEntry>> subnets;
        std::optional<std::vector<double>> levels;
    };
    const std::vector<Case> cases = {
        {"no conflicts", {}, {{}, {}}, std::vector<double>{0, 0}},
        // X: A 1, B 2; Y: B 5, C 9. B rises to 5 in X; A, below it, stays.
        {"priorities below the shifted one stay",
         {{1, 2}, {5, 9}},
         {{{0, {0}}}, {{0, {1}}, {1, {0}}}, {{1, {1}}}},
         std::vector<double>{1, 5, 9}},
        // X: A 1, B 2; Y: A 3, C 8; Z: B 1, C 7. Three sub-nets ranked alike
        // by all three conflicts, with unequal gaps: shifting whole conflicts
        // could never settle them.
        {"three sub-nets sharing three places",
         {{1, 2}, {3, 8}, {1, 7}},
         {{{0, {0}}, {1, {0}}}, {{0, {1}}, {2, {0}}}, {{1, {1}}, {2, {1}}}},
         std::vector<double>{3, 4, 10}},
        // One sub-net holds two transitions of X (1 and 2): no shift at all.
        {"two transitions of one sub-net in one conflict", {{1, 2}}, {{{0, {0, 1}}}}, std::vector<double>{2}},
        {"equal priorities make one level", {{3, 3}}, {{{0, {0}}}, {{0, {1}}}}, std::vector<double>{3, 3}},
        // X ranks A below B, Y ranks B below A: they lift each other for ever.
        {"crossed priorities never settle",
         {{1, 2}, {2, 1}},
         {{{0, {0}}, {1, {0}}}, {{0, {1}}, {1, {1}}}},
         std::nullopt},
        {"equal in one conflict, ranked in another",
         {{3, 3}, {1, 5}},
         {{{0, {0}}, {1, {0}}}, {{0, {1}}, {1, {1}}}},
         std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(subnetLevels(c.priorities, c.subnets, 1000), c.levels) << c.name;
    }
}

// Seeded random conflicts that all rank the sub-nets by one hidden order
// (equal ranks, equal priorities) settle, and the levels keep that order;
// reversing one conflict of a pair that shares two sub-nets makes them cross.
TEST(SubnetLevels, RandomConsistentConflictsSettleInTheirOrder)
{
    std::mt19937 random(18);
    for (int trial = 0; trial < 300; ++trial) {
        const int subnets = 2 + static_cast<int>(random() % 8);
        std::vector<int> rank(static_cast<std::size_t>(subnets));
        for (int& r : rank) {
            r = static_cast<int>(random() % 4);
        }
        std::vector<std::vector<double>> priorities;
        std::vector<std::vector<LevelEntry>> entries(static_cast<std::size_t>(subnets));
        std::vector<std::vector<std::size_t>> members;
        const int conflicts = 1 + static_cast<int>(random() % 6);
        for (int k = 0; k < conflicts; ++k) {
            std::vector<std::size_t> chosen;
            for (std::size_t q = 0; q < rank.size(); ++q) {
                if (random() % 2 == 0) {
                    chosen.push_back(q);
                }
            }
            if (chosen.size() < 2) {
                continue;
            }
            // Priorities grow with the rank, by random gaps.
            std::vector<double> gap(5);
            for (double& g : gap) {
                g = 1 + static_cast<double>(random() % 5);
            }
            std::vector<double> conflict;
            for (std::size_t q : chosen) {
                double priority = 0;
                for (int r = 0; r < rank[q]; ++r) {
                    priority += gap[static_cast<std::size_t>(r)];
                }
                entries[q].push_back(LevelEntry{priorities.size(), {conflict.size()}});
                conflict.push_back(priority);
            }
            priorities.push_back(conflict);
            members.push_back(chosen);
        }
        const auto levels = subnetLevels(priorities, entries, 1000);
        ASSERT_TRUE(levels.has_value()) << "trial " << trial;
        for (const auto& chosen : members) {
            for (std::size_t a : chosen) {
                for (std::size_t b : chosen) {
                    EXPECT_EQ(rank[a] < rank[b], (*levels)[a] < (*levels)[b]) << "trial " << trial;
                    EXPECT_EQ(rank[a] == rank[b], (*levels)[a] == (*levels)[b]) << "trial " << trial;
                }
            }
        }
    }
}

TEST(Subnet, GrowsTheConnectedContinuousComponentOnly)
{
    const SplitNet net;
    const Subnet first = subnet(net.Pre, net.Post, net.Pozcont, net.Trancont, 2, Grup{});
    EXPECT_EQ(first.grup.pozitie, (Vec{1, 2}));
    EXPECT_EQ(first.grup.tranzitie, (Vec{1}));
    EXPECT_EQ(first.contor, 2);

    const Subnet second = subnet(net.Pre, net.Post, net.Pozcont, net.Trancont, 4, Grup{});
    EXPECT_EQ(second.grup.pozitie, (Vec{4}));
    EXPECT_EQ(second.grup.tranzitie, (Vec{2}));
}

TEST(Subnet, AnIsolatedPlaceIsASubnetOfItsOwn)
{
    Mat Pre(1, 1);
    Mat Post(1, 1);
    const Subnet alone = subnet(Pre, Post, Vec{1}, Vec{1}, 1, Grup{});
    EXPECT_EQ(alone.grup.pozitie, (Vec{1}));
    EXPECT_TRUE(alone.grup.tranzitie.empty());
}

IbState state(Vec marcaj, Vec enable, Vec viteze)
{
    IbState s;
    s.marcaj = std::move(marcaj);
    s.enable = std::move(enable);
    s.viteze = std::move(viteze);
    s.mc_before = Vec{1.5};
    s.residual.resize(s.enable.size());
    return s;
}

TEST(VerifIb1, IdenticalStatesGiveOnlyOnes)
{
    const std::vector<IbState> IB{state({1, 2}, {1, 0}, {0.5}), state({1, 2}, {1, 0}, {0.5})};
    const Vec c = verif_ib1(IB, 2, 1);
    ASSERT_FALSE(c.empty());
    for (double v : c) {
        EXPECT_EQ(v, 1);
    }
}

TEST(VerifIb1, StopsAtTheFirstDifferingPart)
{
    const std::vector<IbState> markings{state({1, 2}, {1, 0}, {0.5}),
                                        state({1, 3}, {1, 0}, {0.5})};
    EXPECT_EQ(verif_ib1(markings, 2, 1), (Vec{1, 0}));

    const std::vector<IbState> speeds{state({1, 2}, {1, 0}, {0.5}),
                                      state({1, 2}, {1, 0}, {0.25})};
    EXPECT_EQ(verif_ib1(speeds, 2, 1), (Vec{0}));

    IbState later = state({1, 2}, {1, 0}, {0.5});
    later.residual[0].timp = Vec{1.5};
    const std::vector<IbState> residual{state({1, 2}, {1, 0}, {0.5}), later};
    const Vec c = verif_ib1(residual, 2, 1);
    EXPECT_NE(std::find(c.begin(), c.end(), 0.0), c.end());
}

TEST(VerifIb1, StatesOfEmptyVectorsGiveAnEmptyResult)
{
    const std::vector<IbState> IB(2);
    EXPECT_TRUE(verif_ib1(IB, 2, 1).empty());
}

}  // namespace
}  // namespace mixsim
