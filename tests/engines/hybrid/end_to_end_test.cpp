// The built mixsim with the real flowrun and lp_solve on small hybrid nets,
// checked against markings and times worked out by hand.
#include "tests/engines/hybrid/data_text.h"
#include "tests/engines/hybrid/program_fixture.h"

#include <gtest/gtest.h>

namespace mixsim {
namespace {

using testing::NetText;
using testing::ProgramRun;

class HybridNets : public testing::MixsimProgram {
protected:
    // Runs mixsim on `net` with the flowrun program, then in process; the runs must succeed
    // and write the same files to the byte.
    void simulate(const NetText& net)
    {
        addFlowrun();
        writeData(net.text());
        const ProgramRun program = run({"--flowrun=./flowrun"});
        ASSERT_EQ(program.status, 0) << program.errors;
        std::vector<std::pair<std::string, std::string>> written;
        for (const std::string& name : resultFiles()) {
            if (name.starts_with("Pos") || name.starts_with("Tran") || name.ends_with("_hybrid.htm")) {
                written.emplace_back(name, readFile(name));
            }
        }
        std::filesystem::remove(m_folder / "flowrun");
        const ProgramRun inProcess = run();
        ASSERT_EQ(inProcess.status, 0) << inProcess.errors;
        ASSERT_TRUE(inProcess.errors.empty()) << inProcess.errors;
        for (const auto& [name, text] : written) {
            EXPECT_EQ(readFile(name), text) << name << " differs between the two ways";
        }
    }

    [[nodiscard]] std::string report() const { return readFile("results_hybrid.htm"); }
};

// P1 -> T1 (discrete, 2) -> P2 -> T2 (discrete, 3) -> P4, and the continuous
// T3 (speed 1) that fills P3 while P2 holds its token (a loop arc on P2).
TEST_F(HybridNets, ADiscreteTransitionSwitchesAContinuousFlowOnAndOff)
{
    NetText net;
    net.P = 4;
    net.T = 3;
    net.pozdis = {1, 2, 4};
    net.trandis = {1, 2};
    net.pre = {{1, 0, 0}, {0, 1, 1}, {0, 0, 0}, {0, 0, 0}};
    net.post = {{0, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}};
    net.marcaj = {1, 0, 0, 0};
    net.valori = {2, 3, 1};
    net.conflicte = {1, 2};
    simulate(net);
    // The flow runs from t = 2 to t = 5 and leaves 3 in P3.
    EXPECT_EQ(readFile("Pos.dat"),
              "3\n"
              "0\t1\t0\t00\t0\n"
              "\t1\t0\t00\t0\n"
              "02\t1\t0\t00\t0\n"
              "\t0\t1\t00\t0\n"
              "03\t0\t1\t03\t0\n"
              "\t0\t0\t03\t1\n"
              "-1\t0\t0\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "3\n0\t1\t0\t0\n02\t0\t1\t1\n03\t0\t0\t0\n-1");
    EXPECT_NE(report().find("<br>Then <font color=#cc0000>END</font color><br>"), std::string::npos);
}

// The continuous T1 (no input place, speed 2) fills P1; the discrete T2
// (duration 1) takes 4 from P1 each time P1 reaches 4 (a D2 event).
TEST_F(HybridNets, AContinuousPlaceReachingAThresholdEnablesADiscreteTransition)
{
    NetText net;
    net.P = 1;
    net.T = 2;
    net.trandis = {2};
    net.pre = {{0, 4}};
    net.post = {{1, 0}};
    net.marcaj = {0};
    net.valori = {2, 1};
    simulate(net);
    // t = 2: P1 reaches 4; t = 3: T2 fires at 6, leaving 2; t = 4: 4 again,
    // which repeats the state from t = 2: the walk resumes after step 2.
    EXPECT_EQ(readFile("Pos.dat"),
              "4\n"
              "0\t00\n"
              "\t00\n"
              "02\t04\n"
              "\t04\n"
              "01\t06\n"
              "\t02\n"
              "01\t04\n"
              "2\t04");
    EXPECT_EQ(readFile("Tran.dat"), "4\n0\t2\t0\n02\t2\t1\n01\t2\t0\n01\t2\t1\n2");
    EXPECT_NE(report().find("D2(2.00)-event( m1=4 :T2)occuring at t<sub>s</sub>=2.00"),
              std::string::npos);
    EXPECT_NE(report().find("is identical with <font color=#0000aa>IB-state 2</font color=#0000aa>"),
              std::string::npos);
}

// P1 (10) -> T1 (continuous, speed 2) -> P2: P1 empties at t = 5 (a C1 event).
TEST_F(HybridNets, AContinuousPlaceEmpties)
{
    NetText net;
    net.P = 2;
    net.T = 1;
    net.pre = {{1}, {0}};
    net.post = {{0}, {1}};
    net.marcaj = {10, 0};
    net.valori = {2};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"), "2\n0\t10\t00\n\t10\t00\n05\t00\t10\n\t00\t10\n-1\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "2\n0\t2\n05\t0\n-1");
    EXPECT_EQ(readFile("Pos1.dat"), "2\n0\n10\n10\n05\n00\n00\n-1\n0");
    EXPECT_NE(report().find("The marking m<sub>1</sub> becomes 0 at the moment 5.00"), std::string::npos);
}

// The discrete P1 (one token) is a loop place of the continuous T1 (priority
// 1) and T2 (priority 2): T1 empties P2 first, then T2 empties P4.
TEST_F(HybridNets, ADiscretePlaceSharedByContinuousTransitionsServesThemByPriority)
{
    NetText net;
    net.P = 5;
    net.T = 2;
    net.pozdis = {1};
    net.pre = {{1, 1}, {1, 0}, {0, 0}, {0, 1}, {0, 0}};
    net.post = {{1, 1}, {0, 0}, {1, 0}, {0, 0}, {0, 1}};
    net.marcaj = {1, 10, 0, 10, 0};
    net.valori = {1, 1};
    net.conflicte = {1, 2};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"),
              "3\n"
              "0\t1\t10\t00\t10\t00\n"
              "\t1\t10\t00\t10\t00\n"
              "10\t1\t00\t10\t10\t00\n"
              "\t1\t00\t10\t10\t00\n"
              "10\t1\t00\t10\t00\t10\n"
              "\t1\t00\t10\t00\t10\n"
              "-1\t0\t0\t0\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "3\n0\t1\t0\n10\t0\t1\n10\t0\t0\n-1");
    EXPECT_NE(report().find("On the priority level 1 there are the subnets 1"), std::string::npos);
    EXPECT_NE(report().find("On the priority level 2 there are the subnets 2"), std::string::npos);
}

// The discrete P1 (two tokens) serves the continuous T1 and T2 of two
// sub-nets at one priority level with ratios 1 and 3 (1 * v1 = 3 * v2):
// T1 gets 1.5, T2 0.5; when P2 is empty at t = 8, T2 gets the whole of P1.
TEST_F(HybridNets, SubnetsOfOneLevelShareADiscretePlaceByTheirRatios)
{
    NetText net;
    net.P = 5;
    net.T = 2;
    net.pozdis = {1};
    net.pre = {{1, 1}, {1, 0}, {0, 0}, {0, 1}, {0, 0}};
    net.post = {{1, 1}, {0, 0}, {1, 0}, {0, 0}, {0, 1}};
    net.marcaj = {2, 12, 0, 10, 0};
    net.valori = {1, 1};
    net.conflicte = {1, 1, 1, 3};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"),
              "3\n"
              "0\t2\t12\t00\t10\t00\n"
              "\t2\t12\t00\t10\t00\n"
              "08\t2\t00\t12\t06\t04\n"
              "\t2\t00\t12\t06\t04\n"
              "03\t2\t00\t12\t00\t10\n"
              "\t2\t00\t12\t00\t10\n"
              "-1\t0\t0\t0\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "3\n0\t1.500000e+00\t5.000000e-01\n08\t0\t2\n03\t0\t0\n-1");
    EXPECT_NE(report().find("This priority level contains more subnets:  1  2"), std::string::npos);
}

// A continuous place fed at speed 1 and emptied by T2 and T3 of equal
// priority with ratios 1 and 3 inside one sub-net: flowrun shares the flow.
TEST_F(HybridNets, AContinuousConflictInsideASubnetIsSharedByFlowrun)
{
    NetText net;
    net.P = 3;
    net.T = 3;
    net.pre = {{0, 1, 1}, {0, 0, 0}, {0, 0, 0}};
    net.post = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    net.marcaj = {0, 0, 0};
    net.valori = {1, 2, 2};
    net.conflicte = {1, 1, 1, 3};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"), "1\n0\t00\t00\t00\n\t00\t00\t00\n-1\t0\t7.500000e-01\t2.500000e-01");
    EXPECT_EQ(readFile("date.dat"), "Subreteaua_1\n3\n3\n0\n1\n1\n0\n0\n0\n0\n0\n0\n1\n0\n0\n0\n"
                                    "1\n0\n0\n0\n1\n0\n0\n0\n1\n2\n2\n1\n1\n1\n3\n");
}

// A tank P1 filled by T1 (speed 2) and drained by T2 (speed 4) while the
// valve P2 is open; the valve opens (T4) and closes (T3) every 2 time units.
// At t = 4 the tank empties exactly when the valve closes: one event time,
// and the tank, still fed, is at 0+.
TEST_F(HybridNets, ATankEmptiesWhenItsValveCloses)
{
    NetText net;
    net.P = 3;
    net.T = 4;
    net.pozdis = {2, 3};
    net.trandis = {3, 4};
    net.pre = {{0, 1, 0, 0}, {0, 1, 1, 0}, {0, 0, 0, 1}};
    net.post = {{1, 0, 0, 0}, {0, 1, 0, 1}, {0, 0, 1, 0}};
    net.marcaj = {0, 0, 1};
    net.valori = {2, 4, 2, 2};
    net.conflicte = {1, 2};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"),
              "4\n"
              "0\t00\t0\t1\n"
              "\t00\t0\t1\n"
              "02\t04\t0\t1\n"
              "\t04\t1\t0\n"
              "02\t-01\t1\t0\n"
              "\t-01\t0\t1\n"
              "02\t04\t0\t1\n"
              "2\t04\t1\t0");
    EXPECT_EQ(readFile("Tran.dat"), "4\n0\t2\t0\t0\t1\n02\t2\t4\t1\t0\n02\t2\t0\t0\t1\n02\t2\t4\t1\t0\n2");
}

// P1 -> T1 (1) -> P2 -> T2 (2) -> P1: the third state repeats the first.
TEST_F(HybridNets, ACyclicNetEndsByRepetition)
{
    NetText net;
    net.P = 2;
    net.T = 2;
    net.pozdis = {1, 2};
    net.trandis = {1, 2};
    net.pre = {{1, 0}, {0, 1}};
    net.post = {{0, 1}, {1, 0}};
    net.marcaj = {1, 0};
    net.valori = {1, 2};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"), "3\n0\t1\t0\n\t1\t0\n01\t1\t0\n\t0\t1\n02\t0\t1\n1\t1\t0");
    EXPECT_EQ(readFile("Tran.dat"), "3\n0\t1\t0\n01\t0\t1\n02\t1\t0\n1");
    EXPECT_EQ(readFile("Pos1.dat"), "3\n0\n1\n1\n01\n1\n0\n02\n0\n1\n1\n");
    EXPECT_NE(report().find(" )<br> <font color=#0000aa>IB-state 3 </font color=#0000aa> is "
                            "identical with <font color=#0000aa>IB-state 1</font color=#0000aa></body>"),
              std::string::npos);
}

// P1 (3 tokens) -> T1 (duration 2) -> P2: degree 3, three timers fire together.
TEST_F(HybridNets, APurelyDiscreteTimedNetFiresEveryEnabledInstance)
{
    NetText net;
    net.P = 2;
    net.T = 1;
    net.pozdis = {1, 2};
    net.trandis = {1};
    net.pre = {{1}, {0}};
    net.post = {{0}, {1}};
    net.marcaj = {3, 0};
    net.valori = {2};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"), "2\n0\t3\t0\n\t3\t0\n02\t3\t0\n\t0\t3\n-1\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "2\n0\t3\n02\t0\n-1");
    EXPECT_NE(report().find("D1(2.00)={T<sub>1</sub>  T<sub>1</sub>  T<sub>1</sub>  }"),
              std::string::npos);
    EXPECT_NE(report().find("firing of [ (T<sub>1</sub>)<sup>3</sup> ]"), std::string::npos);
    EXPECT_FALSE(exists("date.dat")) << "a net without continuous part never runs flowrun";
}

// P1 (5) -> T1 (infinite speed) -> P2 -> T2 (speed 1) -> P3: T1 moves all of
// P1 at once, then T2 empties P2 by t = 5.
TEST_F(HybridNets, AnInfiniteSpeedTransitionFiresInstantaneously)
{
    NetText net;
    net.P = 3;
    net.T = 2;
    net.pre = {{1, 0}, {0, 1}, {0, 0}};
    net.post = {{0, 0}, {1, 0}, {0, 1}};
    net.marcaj = {5, 0, 0};
    net.valori = {-1, 1};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"),
              "2\n0\t05\t00\t00\n\t00\t05\t00\n05\t00\t00\t05\n\t00\t00\t05\n-1\t0\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "2\n0\t0\t1\n05\t0\t0\n-1");
}

// P1 -> T1 (1) -> P2 -> T2 (0) -> P3: T2 fires at t = 1 in zero time after
// T1, which makes the state special: two more rows, the second starting 00.
TEST_F(HybridNets, ZeroTimeFiringsMakeASpecialState)
{
    NetText net;
    net.P = 3;
    net.T = 2;
    net.pozdis = {1, 2, 3};
    net.trandis = {1, 2};
    net.pre = {{1, 0}, {0, 1}, {0, 0}};
    net.post = {{0, 0}, {1, 0}, {0, 1}};
    net.marcaj = {1, 0, 0};
    net.valori = {1, 0};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"),
              "3\n"
              "0\t1\t0\t0\n"
              "\t1\t0\t0\n"
              "01\t1\t0\t0\n"
              "\t0\t1\t0\n"
              "00\t0\t0\t1\n"
              "\t0\t0\t1\n"
              "-1\t0\t0\t0");
    // The second step of the special state takes no time and has no row.
    EXPECT_EQ(readFile("Tran.dat"), "2\n0\t1\t0\n01\t0\t0\n-1");
}

// Three sub-nets PA -> TA, PB -> TB, PC -> TC (speed 1, two units each)
// pairwise share the discrete places X (TA 1, TB 2), Y (TA 3, TC 8) and
// Z (TB 1, TC 7), one token each: all three rank A before B before C. The
// levels settle at 3, 4 and 10 (shifting a whole conflict, lower priorities
// too, would keep the three unequal gaps and never settle). Each level takes
// the tokens it needs, so the tanks drain one after the other.
TEST_F(HybridNets, SubnetsSharingThreePlacesDrainInTheirPriorityOrder)
{
    NetText net;
    net.P = 6;
    net.T = 3;
    net.pozdis = {1, 2, 3};
    net.pre = {{1, 1, 0}, {1, 0, 1}, {0, 1, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    net.post = {{1, 1, 0}, {1, 0, 1}, {0, 1, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    net.marcaj = {1, 1, 1, 2, 2, 2};
    net.valori = {1, 1, 1};
    net.conflicte = {1, 2, 3, 8, 1, 7};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"),
              "4\n"
              "0\t1\t1\t1\t02\t02\t02\n"
              "\t1\t1\t1\t02\t02\t02\n"
              "02\t1\t1\t1\t00\t02\t02\n"
              "\t1\t1\t1\t00\t02\t02\n"
              "02\t1\t1\t1\t00\t00\t02\n"
              "\t1\t1\t1\t00\t00\t02\n"
              "02\t1\t1\t1\t00\t00\t00\n"
              "\t1\t1\t1\t00\t00\t00\n"
              "-1\t0\t0\t0\t0\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "4\n0\t1\t0\t0\n02\t0\t1\t0\n02\t0\t0\t1\n02\t0\t0\t0\n-1");
    EXPECT_NE(report().find("<br>The priority levels:\t3 4 10 <br>On the priority level 3 there are the "
                            "subnets 1<br>On the priority level 4 there are the subnets 2<br>On the "
                            "priority level 10 there are the subnets 3<br>"),
              std::string::npos);
}

// One sub-net P2 -> T1 -> P3 -> T2 -> P4 whose T1 (priority 1) and T2
// (priority 2) share the discrete P1: the sub-net's level is 2, its largest
// priority, and the conflict inside it is not shifted against itself.
TEST_F(HybridNets, TwoTransitionsOfOneSubnetInOneConflictGiveItsLevel)
{
    NetText net;
    net.P = 4;
    net.T = 2;
    net.pozdis = {1};
    net.pre = {{1, 1}, {1, 0}, {0, 1}, {0, 0}};
    net.post = {{1, 1}, {0, 0}, {1, 0}, {0, 1}};
    net.marcaj = {1, 10, 0, 0};
    net.valori = {1, 1};
    net.conflicte = {1, 2};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"),
              "2\n0\t1\t10\t00\t00\n\t1\t10\t00\t00\n10\t1\t00\t00\t10\n\t1\t00\t00\t10\n"
              "-1\t0\t0\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "2\n0\t1\t1\n10\t0\t0\n-1");
    EXPECT_NE(report().find("has the priority 2</B> "), std::string::npos);
    EXPECT_NE(report().find("<br>The priority levels:\t2 <br>"), std::string::npos);
}

// P1 -> T1 (discrete, 1) -> P2 -> T2 (continuous, infinite speed) -> P3 ->
// T3 (discrete, 2) -> P4. At t = 1 T1 fires, T2 moves the token to P3 at
// once, which enables T3 until it fires at t = 3. The state from t = 1 holds
// P3 = 1 and T3's timer, so it records T3 enabled: its enabling degrees are
// taken after the instantaneous firings and the timers they start.
TEST_F(HybridNets, ATimerStartedByAnInstantaneousFiringIsInTheStateItStarts)
{
    NetText net;
    net.P = 4;
    net.T = 3;
    net.pozdis = {1, 4};
    net.trandis = {1, 3};
    net.pre = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
    net.post = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    net.marcaj = {1, 0, 0, 0};
    net.valori = {1, -1, 2};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"),
              "3\n"
              "0\t1\t00\t00\t0\n"
              "\t1\t00\t00\t0\n"
              "01\t1\t00\t00\t0\n"
              "\t0\t00\t01\t0\n"
              "02\t0\t00\t01\t0\n"
              "\t0\t00\t00\t1\n"
              "-1\t0\t0\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "3\n0\t1\t0\t0\n01\t0\t0\t1\n02\t0\t0\t0\n-1");
}

// A continuous place at 0+ holds no token for a discrete transition.
TEST_F(HybridNets, ZeroPlusDoesNotEnableADiscreteTransition)
{
    NetText net;
    net.P = 2;
    net.T = 1;
    net.pozdis = {2};
    net.trandis = {1};
    net.pre = {{1}, {0}};
    net.post = {{0}, {1}};
    net.marcaj = {-1, 0};
    net.valori = {1};
    simulate(net);
    EXPECT_EQ(readFile("Pos.dat"), "1\n0\t-01\t0\n\t-01\t0\n-1\t0\t0");
    EXPECT_EQ(readFile("Tran.dat"), "1\n0\t0\n-1");
}

}  // namespace
}  // namespace mixsim
