// Editing of TOS and D2.
#include "engines/hybrid/event_lists.h"

#include <gtest/gtest.h>

namespace mixsim {
namespace {

TosList sampleTos()
{
    TosList TOS;
    TOS.add(2, 1, 4, -1);
    TOS.add(2, 3, 5, 1);
    TOS.add(2, 3, 6, 1);
    TOS.add(3, 2, 4, -1);
    TOS.add(2, 1, 4, -1);
    TOS.add(5, 3, 5, 2);
    return TOS;
}

TEST(EventLists, EliminareTsRemovesOnlyTheFirstEntryAtThatTime)
{
    const TosList TOS = eliminare_ts(sampleTos(), 2);
    ASSERT_EQ(TOS.size(), 5u);
    EXPECT_EQ(TOS.timp, (Vec{2, 2, 3, 2, 5}));
    EXPECT_EQ(TOS.cauza, (Vec{5, 6, 4, 4, 5}));
    EXPECT_EQ(eliminare_ts(sampleTos(), 9).size(), 6u);
}

TEST(EventLists, EliminareEvenRemovesEveryEntryOfCauseAndKind)
{
    const TosList TOS = eliminare_even(sampleTos(), 4, 1);
    EXPECT_EQ(TOS.timp, (Vec{2, 2, 3, 5}));
    EXPECT_EQ(TOS.eveniment, (Vec{3, 3, 2, 3}));
}

TEST(EventLists, EliminareC1RemovesEveryAdjacentC1EntryAtTs)
{
    const TosList TOS = eliminare_c1(sampleTos(), 2);
    EXPECT_EQ(TOS.eveniment, (Vec{1, 2, 1, 3}));
    EXPECT_EQ(TOS.timp, (Vec{2, 3, 2, 5}));
}

TEST(EventLists, EliminareTosRemovesAllMatchesAndTos6OnlyTheFirst)
{
    const TosList all = eliminare_tos(sampleTos(), 2, 4, 1);
    EXPECT_EQ(all.cauza, (Vec{5, 6, 4, 5}));
    const TosList first = eliminare_tos6(sampleTos(), 2, 4, 1);
    EXPECT_EQ(first.cauza, (Vec{5, 6, 4, 4, 5}));
}

TEST(EventLists, EliminareTos6EmptiesASingleMatchingEntry)
{
    TosList TOS;
    TOS.add(1.5, 1, 2, -1);
    const TosList left = eliminare_tos6(TOS, 1.5, 2, 1);
    EXPECT_EQ(left.size(), 0u);
    EXPECT_TRUE(left.subretea.empty());
}

TEST(EventLists, EliminareD22DropsScheduledRowsAndArmsTheirCandidatesAgain)
{
    D2List D2;
    // Candidates: (threshold, transition, place, armed flag).
    D2.marcaj = Vec{2, 1};
    D2.tranzitie = Vec{4, 5};
    D2.pozitie = Vec{3, 3};
    D2.adaugat = Vec{1, 1};
    // Scheduled rows for transitions 4 and 5.
    D2.timp = Vec{6, 6};
    D2.flux = Vec{0.5, 0.5};
    D2.pozitie_flux = Vec{3, 3};
    D2.tranzitie_1 = Vec{2, 1};
    D2.tranzitie_2 = Vec{4, 5};

    const D2List left = eliminare_d22(D2, 6, 4);
    EXPECT_EQ(left.timp, (Vec{6}));
    EXPECT_EQ(left.tranzitie_2, (Vec{5}));
    EXPECT_EQ(left.tranzitie_1, (Vec{1}));
    EXPECT_EQ(left.flux, (Vec{0.5}));
    EXPECT_EQ(left.pozitie_flux, (Vec{3}));
    EXPECT_EQ(left.adaugat, (Vec{0, 1}));
    EXPECT_EQ(left.marcaj, D2.marcaj);
}

}  // namespace
}  // namespace mixsim
