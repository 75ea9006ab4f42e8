// Sub-nets of the continuous part and comparison of IB-states.
#include "engines/hybrid/subnet.h"
#include "engines/hybrid/verif_ib1.h"

#include <gtest/gtest.h>

#include <algorithm>

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
