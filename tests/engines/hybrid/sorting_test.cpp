// Sorts and counts that keep equal keys in order.
#include "engines/hybrid/sorting.h"

#include <gtest/gtest.h>

namespace mixsim {
namespace {

TEST(Sorting, AranjareGivesDistinctValuesAscending)
{
    EXPECT_EQ(aranjare(Vec{3, 1, 3, 2}), (Vec{1, 2, 3}));
    EXPECT_TRUE(aranjare(Vec{}).empty());
}

TEST(Sorting, Aranjare4CarriesCompanionsAndKeepsDuplicatesInOrder)
{
    const Aranjare4 sorted = aranjare4(Vec{3, 1, 3}, Vec{10, 20, 30});
    EXPECT_EQ(sorted.sir, (Vec{1, 3, 3}));
    EXPECT_EQ(sorted.b, (Vec{20, 10, 30}));
}

TEST(Sorting, Aranjare44SortsDescendingWithEqualKeysInOrder)
{
    const Aranjare4 sorted = aranjare44(Vec{1, 2, 1, 2}, Vec{10, 20, 30, 40});
    EXPECT_EQ(sorted.sir, (Vec{2, 2, 1, 1}));
    EXPECT_EQ(sorted.b, (Vec{20, 40, 10, 30}));
}

TEST(Sorting, Aranjare5SortsTosByTimeCarryingTheOtherColumns)
{
    TosList TOS;
    TOS.add(4, 1, 7, -1);
    TOS.add(2, 3, 5, 2);
    TOS.add(4, 2, 8, -1);
    TOS.add(0, 0, 0, -1);
    const TosList sorted = aranjare5(TOS);
    EXPECT_EQ(sorted.timp, (Vec{0, 2, 4, 4}));
    EXPECT_EQ(sorted.eveniment, (Vec{0, 3, 1, 2}));
    EXPECT_EQ(sorted.cauza, (Vec{0, 5, 7, 8}));
    EXPECT_EQ(sorted.subretea, (Vec{-1, 2, -1, -1}));
}

TEST(Sorting, AranjareD1SortsTimersByTime)
{
    D1List D1;
    D1.add(5, 1, 0, 0);
    D1.add(3, 2, 1, 2);
    D1.add(5, 3, 1, 1);
    const D1List sorted = aranjare_d1(D1);
    EXPECT_EQ(sorted.timp, (Vec{3, 5, 5}));
    EXPECT_EQ(sorted.tranzitie, (Vec{2, 1, 3}));
    EXPECT_EQ(sorted.conflict, (Vec{1, 0, 1}));
    EXPECT_EQ(sorted.prioritate, (Vec{2, 0, 1}));
}

TEST(Sorting, Aranjare33GroupsPositionsByIntegerKey)
{
    const Aranjare33 grouped = aranjare33(Vec{2, 1, 2}, Vec{10, 20, 30}, Vec{100, 200, 300});
    EXPECT_EQ(grouped.a, (Vec{1, 2, 2}));
    EXPECT_EQ(grouped.b, (Vec{20, 10, 30}));
    EXPECT_EQ(grouped.c, (Vec{200, 100, 300}));
}

TEST(Sorting, Aranjare33SkipsKeysNotMetByUnitSteps)
{
    const Aranjare33 grouped = aranjare33(Vec{0, 1.5, 2}, Vec{1, 2, 3}, Vec{4, 5, 6});
    EXPECT_EQ(grouped.a, (Vec{0, 2}));
    EXPECT_EQ(grouped.b, (Vec{1, 3}));
}

TEST(Sorting, NumarareCountsOccurrences)
{
    const Numarare counted = numarare(Vec{4, 2, 4});
    EXPECT_EQ(counted.vector, (Vec{2, 4}));
    EXPECT_EQ(counted.aparitie, (Vec{1, 2}));
}

}  // namespace
}  // namespace mixsim
