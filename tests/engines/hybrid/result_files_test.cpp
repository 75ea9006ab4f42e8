// "Pos.dat", "Tran.dat" and the per-node files built from hand-made IB-states.
#include "engines/hybrid/result_files.h"

#include <gtest/gtest.h>

namespace mixsim {
namespace {

// P1 continuous, P2 discrete; T1 continuous, T2 discrete.
HybridNet twoByTwo()
{
    HybridNet net;
    net.nr_poz = 2;
    net.nr_tran = 2;
    net.Pozcont = {1};
    net.Pozdis = {2};
    net.Trancont = {1};
    net.Trandis = {2};
    return net;
}

IbState state(double timp, double mcBefore, double mcAfter, double marcaj, double viteza, double enable)
{
    IbState s;
    s.timp = timp;
    s.mc_before = {mcBefore};
    s.mc_after = {mcAfter};
    s.marcaj = {marcaj};
    s.viteze = {viteza};
    s.enable = {enable};
    return s;
}

// Three states: t = 0, t = 1.5 and the last one.
SimulationResult threeStates()
{
    SimulationResult result;
    result.IB = {state(0, 2.5, 3, 3, 0, 1), state(1.5, 4, 4, 3, 1, 1), state(1.5, 4, 4, 2, 0, 0)};
    result.balanta = {0};
    return result;
}

TEST(PosDat, ThreeStatesGiveTwoStepsOfTwoRowsAndTheFinalRates)
{
    const SimulationResult result = threeStates();
    EXPECT_EQ(placeTable(twoByTwo(), result),
              "2\n"
              "0\t2.50e+00\t3\n"
              "\t03\t3\n"
              "1.50e+00\t04\t3\n"
              "\t04\t2\n"
              "-1\t0\t0");
}

TEST(PosDat, ARepetitionNamesTheResumeStepInTheLastAfterRow)
{
    SimulationResult result = threeStates();
    result.end = RunEnd::kRepetition;
    result.contor_2 = 1;
    EXPECT_EQ(placeTable(twoByTwo(), result),
              "2\n0\t2.50e+00\t3\n\t03\t3\n1.50e+00\t04\t3\n1\t04\t2");
    EXPECT_EQ(transitionTable(twoByTwo(), result), "2\n0\t1\t1\n1.50e+00\t0\t0\n1");
}

TEST(PosDat, ASpecialStateAddsTwoRowsAndAStepButNoTransitionRow)
{
    SimulationResult plain = threeStates();
    SimulationResult special = threeStates();
    special.IB[2].special = 1;
    special.IB[2].mc_bef_spec = {4, 1};
    special.IB[2].mc_aft_spec = {4, 5};
    special.adun_spec = 1;
    EXPECT_EQ(placeTable(twoByTwo(), special),
              "3\n"
              "0\t2.50e+00\t3\n"
              "\t03\t3\n"
              "1.50e+00\t04\t3\n"
              "\t4\t1\n"
              "00\t4\t5\n"
              "\t04\t2\n"
              "-1\t0\t0");
    EXPECT_EQ(transitionTable(twoByTwo(), special), transitionTable(twoByTwo(), plain));
}

TEST(PosDat, AResumeStepCountsEarlierSpecialStatesTwice)
{
    SimulationResult result = threeStates();
    result.IB.push_back(state(2.5, 5, 5, 2, 0, 0));
    result.IB[1].special = 1;
    result.IB[1].mc_bef_spec = {4, 0};
    result.IB[1].mc_aft_spec = {4, 3};
    result.adun_spec = 1;
    result.end = RunEnd::kRepetition;
    result.contor_2 = 2;
    const std::string text = placeTable(twoByTwo(), result);
    EXPECT_EQ(text.substr(0, 2), "4\n");
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), "3\t04\t2");
}

TEST(TranDat, StepsThatTakeNoTimeShareTheRowOfTheirTime)
{
    SimulationResult result = threeStates();
    result.IB.push_back(state(4, 6, 6, 2, 2, 0));
    // Steps 2 and 3 both happen at t = 1.5: one row, with the values after step 3.
    EXPECT_EQ(transitionTable(twoByTwo(), result), "2\n0\t1\t1\n1.50e+00\t2\t0\n-1");
    const std::string pos = placeTable(twoByTwo(), result);
    EXPECT_NE(pos.find("\n00\t04\t2\n"), std::string::npos) << pos;
}

TEST(PerNodeFiles, HoldOneValuePerLineWithTheClosingValues)
{
    std::vector<NamedText> files;
    EXPECT_TRUE(forEachResultFile(twoByTwo(), threeStates(), [&files](const NamedText& file) {
        files.push_back(file);
        return true;
    }));
    ASSERT_EQ(files.size(), 6u);
    EXPECT_EQ(files[0].name, "Pos.dat");
    EXPECT_EQ(files[1].name, "Pos1.dat");
    EXPECT_EQ(files[1].text, "2\n0\n2.50e+00\n03\n1.50e+00\n04\n04\n-1\n0");
    EXPECT_EQ(files[2].text, "2\n0\n3\n3\n1.50e+00\n3\n2\n-1\n0");
    EXPECT_EQ(files[3].name, "Tran.dat");
    EXPECT_EQ(files[4].name, "Tran1.dat");
    EXPECT_EQ(files[4].text, "2\n0\n1\n1.500000e+00\n0\n-1\n");
    EXPECT_EQ(files[5].text, "2\n0\n1\n1.500000e+00\n0\n-1\n");
}

TEST(PerNodeFiles, ARunStoppedBeforeItsFirstStepWritesOnlyTheCount)
{
    SimulationResult result;
    result.IB = {state(0, 1, 1, 1, 0, 0)};
    result.balanta = {0};
    result.end = RunEnd::kStopped;
    EXPECT_EQ(placeTable(twoByTwo(), result), "0\n");
    EXPECT_EQ(transitionTable(twoByTwo(), result), "0\n");
}

}  // namespace
}  // namespace mixsim
