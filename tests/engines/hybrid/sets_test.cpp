// Membership, search and integer division.
#include "engines/hybrid/sets.h"

#include <gtest/gtest.h>

namespace mixsim {
namespace {

TEST(Membership, FindsValuesWithCodesOneAndTwo)
{
    const Vec sir{1, 3, 3};
    EXPECT_EQ(apartenenta(3, sir), kFound);
    EXPECT_EQ(apartenenta(4, sir), kNotFound);
    EXPECT_EQ(apartenenta(4, Vec{}), kNotFound);

    const Apartenenta1 first = apartenenta1(3, sir);
    EXPECT_EQ(first.a, kFound);
    EXPECT_EQ(first.loc, 2u);
    EXPECT_EQ(apartenenta1(7, sir).a, kNotFound);

    const Apartenenta2 all = apartenenta2(3, sir);
    EXPECT_EQ(all.a, kFound);
    EXPECT_EQ(all.loc, (Vec{2, 3}));
    EXPECT_EQ(apartenenta2(5, sir).a, kNotFound);
    EXPECT_TRUE(apartenenta2(5, sir).loc.empty());
}

TEST(Membership, EgalitateListsEveryEqualPosition)
{
    EXPECT_EQ(egalitate(1, Vec{1, 2, 1, 1}), (Vec{1, 3, 4}));
    EXPECT_TRUE(egalitate(9, Vec{1, 2}).empty());
}

TEST(Membership, Apartenenta3SearchesTheTransitionsOfEverySubnet)
{
    std::vector<Grup> grup(2);
    grup[0].tranzitie = Vec{2, 5};
    grup[1].tranzitie = Vec{3, 7, 9};
    const Apartenenta3 found = apartenenta3(7, grup);
    EXPECT_EQ(found.a, kFound);
    EXPECT_EQ(found.loc, 2u);
    EXPECT_EQ(found.record, 2u);
    EXPECT_EQ(apartenenta3(4, grup).a, kNotFound);
}

TEST(IntegerDivision, ModuloGivesFloorQuotientAndNonNegativeRemainder)
{
    const Modulo a = modulo(7, 2);
    EXPECT_EQ(a.c, 3);
    EXPECT_EQ(a.r, 1);
    const Modulo b = modulo(-1, 2);
    EXPECT_EQ(b.c, -1);
    EXPECT_EQ(b.r, 1);
    const Modulo c = modulo(0, 5);
    EXPECT_EQ(c.c, 0);
    EXPECT_EQ(c.r, 0);
    const Modulo d = modulo(6, 2);
    EXPECT_EQ(d.c, 3);
    EXPECT_EQ(d.r, 0);
    const Modulo e = modulo(2.5, 0.5);
    EXPECT_EQ(e.c, 5);
    EXPECT_EQ(e.r, 0);
}

TEST(IntegerDivision, ModuloOfAHugeQuotientEndsAtOnce)
{
    const Modulo big = modulo(1e15, 1e-3);
    EXPECT_DOUBLE_EQ(big.c, 1e18);
    EXPECT_GE(big.r, 0.0);
}

TEST(IntegerDivision, ModuloWithoutPositiveDivisorDoesNotLoop)
{
    const Modulo zero = modulo(5, 0);
    EXPECT_EQ(zero.c, 0);
    EXPECT_EQ(zero.r, 5);
    EXPECT_EQ(modulo(5, -2).c, 0);
}

TEST(IntegerDivision, Modulo2CountsANearlyWholeRemainderAsAQuotient)
{
    const Modulo2 nearly = modulo2(2.999999, 1);
    EXPECT_EQ(nearly.c, 3);
    EXPECT_NEAR(nearly.r, -1e-6, 1e-12);
    EXPECT_EQ(nearly.produs, 3);

    const Modulo2 clear = modulo2(2.9, 1);
    EXPECT_EQ(clear.c, 2);
    EXPECT_NEAR(clear.r, 0.9, 1e-12);
    EXPECT_EQ(clear.produs, 2);

    const Modulo2 weight = modulo2(7, 2);
    EXPECT_EQ(weight.c, 3);
    EXPECT_EQ(weight.produs, 6);
}

TEST(IntegerDivision, ZeroPlusCountsAsEmpty)
{
    EXPECT_EQ(fara_zero_plus(-1), 0);
    EXPECT_EQ(fara_zero_plus(2.5), 2.5);
}

}  // namespace
}  // namespace mixsim
