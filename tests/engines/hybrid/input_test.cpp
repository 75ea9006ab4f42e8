// Reading "data.txt" into the engine's net and its initial state.
#include "engines/hybrid/driver.h"
#include "tests/engines/hybrid/data_text.h"

#include <gtest/gtest.h>

namespace mixsim {
namespace {

using testing::NetText;

HybridNet build(const std::string& text)
{
    EngineRunResult result = startRun(text);
    EXPECT_TRUE(result.run.has_value()) << result.error;
    return result.run ? result.run->net : HybridNet{};
}

// Discrete places P1, P4; continuous P2, P3. Discrete transitions T1, T4;
// continuous T2, T3. Conflicts: P1 -> T2, T3 (priorities 1, 1, ratios 0.5,
// 1.5) and P2 -> T1, T4 (priorities 2, 1). P3 has a single output T3.
NetText guiNet()
{
    NetText net;
    net.title = "Mixed";
    net.P = 4;
    net.T = 4;
    net.pozdis = {1, 4};
    net.trandis = {1, 4};
    net.pre = {{0, 1, 2, 0}, {1, 0, 0, 2.5}, {0, 0, 1, 0}, {0, 0, 0, 0}};
    net.post = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 1}, {0, 0, 1, 0}};
    net.marcaj = {3, -1, 2.5, 0};
    net.valori = {2, 1.5, -1, 0};
    net.conflicte = {1, 1, 0.5, 1.5, 2, 1};
    return net;
}

TEST(DataInput, BuildsTheRecordsOfANetWrittenByTheGui)
{
    EngineRunResult result = startRun(guiNet().text());
    ASSERT_TRUE(result.run.has_value()) << result.error;
    const HybridNet& net = result.run->net;

    EXPECT_EQ(net.names, "Mixed");
    EXPECT_EQ(net.nr_poz, 4);
    EXPECT_EQ(net.nr_pozd, 2);
    EXPECT_EQ(net.nr_tran, 4);
    EXPECT_EQ(net.nr_trand, 2);
    EXPECT_EQ(net.Pozitii, (Vec{1, 2, 3, 4}));
    EXPECT_EQ(net.Pozdis, (Vec{1, 4}));
    EXPECT_EQ(net.Pozcont, (Vec{2, 3}));
    EXPECT_EQ(net.Trandis, (Vec{1, 4}));
    EXPECT_EQ(net.Trancont, (Vec{2, 3}));
    EXPECT_EQ(net.Pre(2, 4), 2.5);
    EXPECT_EQ(net.Post(4, 3), 1);
    EXPECT_EQ(net.W(1, 1), 1);
    EXPECT_EQ(net.W(1, 3), -2);
    EXPECT_EQ(net.W(3, 3), -1);

    EXPECT_EQ(net.marcaj_cont, (Vec{-1, 2.5}));
    EXPECT_EQ(net.mc, (Vec{0, 2.5}));
    EXPECT_EQ(net.md, (Vec{3, 0}));
    EXPECT_EQ(net.marcaj1, (Vec{3, 0, 2.5, 0}));
    EXPECT_EQ(net.marcaj_dis, net.md);
    EXPECT_EQ(net.md_u, net.md);
    EXPECT_EQ(net.U, (Vec{1.5, -1}));
    EXPECT_EQ(net.td, (Vec{2, 0}));

    ASSERT_EQ(net.conflict.size(), 2u);
    const ConflictRecord& first = net.conflict[0];
    EXPECT_EQ(first.existenta, 1);
    EXPECT_EQ(first.pozitie, 1);
    EXPECT_EQ(first.tranzitii, (Vec{2, 3}));
    EXPECT_EQ(first.tippoz, NodeKind::kDiscrete);
    EXPECT_EQ(first.tiptran, (std::vector{NodeKind::kContinuous, NodeKind::kContinuous}));
    EXPECT_EQ(first.trancont, (Vec{2, 3}));
    EXPECT_TRUE(first.trandis.empty());
    EXPECT_EQ(first.tip, 4);
    EXPECT_EQ(first.tip_caz3, 0);
    EXPECT_EQ(first.prioritate, (Vec{1, 1}));
    EXPECT_EQ(first.prioritate1, (Vec{1, 1}));
    EXPECT_EQ(first.sharing, (Vec{0.5, 1.5}));
    EXPECT_EQ(first.tr_sharing, (Vec{2, 3}));
    EXPECT_TRUE(first.sharing_dis.empty());

    const ConflictRecord& second = net.conflict[1];
    EXPECT_EQ(second.pozitie, 2);
    EXPECT_EQ(second.tranzitii, (Vec{1, 4}));
    EXPECT_EQ(second.tippoz, NodeKind::kContinuous);
    EXPECT_EQ(second.trandis, (Vec{1, 4}));
    EXPECT_EQ(second.tip, 1);
    EXPECT_EQ(second.prioritate, (Vec{2, 1}));
    EXPECT_EQ(second.prioritate2, (Vec{2, 1}));
    EXPECT_TRUE(second.sharing.empty());
    EXPECT_TRUE(second.sharing_dis.empty());
    EXPECT_EQ(net.conflicte, (Vec{1, 1, 0.5, 1.5, 2, 1}));

    const SimulationState& state = result.run->state;
    EXPECT_EQ(state.Trandis_conf, (Vec{2, 2}));
    EXPECT_EQ(state.Trandis_prioritate, (Vec{2, 1}));
    ASSERT_EQ(state.IB.size(), 1u);
    const IbState& ib = state.IB[0];
    EXPECT_EQ(ib.marcaj, (Vec{3, 0}));
    EXPECT_EQ(ib.special, 0);
    EXPECT_EQ(ib.enable, (Vec{0, 0}));
    ASSERT_EQ(ib.residual.size(), 2u);
    EXPECT_TRUE(ib.residual[0].timp.empty());
    EXPECT_EQ(ib.viteze, (Vec{0, 0}));
    EXPECT_EQ(ib.tranzitie_d, (Vec{1, 4}));
    EXPECT_EQ(ib.tranzitie_c, (Vec{2, 3}));
    EXPECT_EQ(ib.timp, 0);
    EXPECT_EQ(ib.mc_before, (Vec{-1, 2.5}));
    EXPECT_TRUE(ib.mc_after.empty());
    ASSERT_EQ(ib.cauza.size(), 1u);
    EXPECT_TRUE(ib.cauza[0].cauza.empty());

    EXPECT_EQ(state.TOS.timp, (Vec{0}));
    EXPECT_EQ(state.TOS.eveniment, (Vec{0}));
    EXPECT_EQ(state.TOS.cauza, (Vec{0}));
    EXPECT_EQ(state.TOS.subretea, (Vec{-1}));
    EXPECT_EQ(state.D1.size(), 0u);
    EXPECT_TRUE(state.C1.timp.empty());
    EXPECT_TRUE(state.D2.marcaj.empty());
    ASSERT_EQ(state.istoric_mc.marcaj.size(), 1u);
    EXPECT_EQ(state.istoric_mc.marcaj[0], (Vec{0, 2.5}));
    EXPECT_EQ(state.istoric_md.marcaj[0], (Vec{3, 0}));
    EXPECT_EQ(state.istoric_mc.timp, (Vec{0}));
    EXPECT_EQ(state.Ts, 0);
    EXPECT_EQ(state.stare, 2);
    EXPECT_EQ(state.adun_spec, 0);
}

TEST(DataInput, TitleKeepsItsFirstWordAndLineEndsMayBeLf)
{
    NetText text = guiNet();
    text.title = "Three word title";
    EXPECT_EQ(build(text.text()).names, "Three");

    std::string lf = text.text();
    std::erase(lf, '\r');
    const HybridNet net = build(lf);
    EXPECT_EQ(net.names, "Three");
    EXPECT_EQ(net.td, (Vec{2, 0}));
}

TEST(DataInput, ZeroPlusOfAContinuousPlaceIsKeptAndOfADiscretePlaceIsOneToken)
{
    NetText text;
    text.P = 2;
    text.T = 1;
    text.pozdis = {2};
    text.trandis = {1};
    text.pre = {{0}, {0}};
    text.post = {{0}, {0}};
    text.marcaj = {-1, -1};
    text.valori = {1};
    const HybridNet net = build(text.text());
    EXPECT_EQ(net.marcaj_cont, (Vec{-1}));
    EXPECT_EQ(net.mc, (Vec{0}));
    EXPECT_EQ(net.md, (Vec{1}));
    EXPECT_EQ(net.marcaj1, (Vec{0, 1}));
}

// Continuous places P1..P3, continuous transitions T1..T3.
NetText continuousNet(std::vector<std::vector<double>> pre, std::vector<double> conflicte)
{
    NetText text;
    text.P = static_cast<int>(pre.size());
    text.T = 3;
    text.pre = std::move(pre);
    text.post.assign(text.pre.size(), std::vector<double>(3, 0.0));
    text.marcaj.assign(text.pre.size(), 1.0);
    text.valori = {1, 1, 1};
    text.conflicte = std::move(conflicte);
    return text;
}

TEST(DataInput, APlaceWithOneOutputTransitionReadsNoPriority)
{
    const HybridNet net = build(continuousNet({{1, 0, 0}, {0, 1, 1}}, {2, 1}).text());
    ASSERT_EQ(net.conflict.size(), 1u);
    EXPECT_EQ(net.conflict[0].pozitie, 2);
    EXPECT_EQ(net.conflict[0].prioritate, (Vec{2, 1}));
    EXPECT_EQ(net.conflict[0].tip, 2);
}

TEST(DataInput, EqualPrioritiesReadOneSharingValuePerMember)
{
    // P1 -> T1, T2, T3 with priorities 1, 1, 2; P2 -> T1, T2 with 3, 4.
    const HybridNet net =
        build(continuousNet({{1, 1, 1}, {1, 1, 0}}, {1, 1, 2, 0.25, 0.75, 3, 4}).text());
    ASSERT_EQ(net.conflict.size(), 2u);
    EXPECT_EQ(net.conflict[0].prioritate, (Vec{1, 1, 2}));
    EXPECT_EQ(net.conflict[0].sharing, (Vec{0.25, 0.75}));
    EXPECT_EQ(net.conflict[0].tr_sharing, (Vec{1, 2}));
    EXPECT_EQ(net.conflict[1].prioritate, (Vec{3, 4}));
    EXPECT_TRUE(net.conflict[1].sharing.empty());
}

TEST(DataInput, DistinctPrioritiesReadNoSharingValue)
{
    const HybridNet net =
        build(continuousNet({{1, 1, 1}, {1, 1, 0}}, {1, 2, 3, 5, 5, 0.5, 0.5}).text());
    EXPECT_EQ(net.conflict[0].prioritate, (Vec{1, 2, 3}));
    EXPECT_TRUE(net.conflict[0].sharing.empty());
    EXPECT_EQ(net.conflict[1].prioritate, (Vec{5, 5}));
    EXPECT_EQ(net.conflict[1].sharing, (Vec{0.5, 0.5}));
}

TEST(DataInput, AShortConflictBlockEndsTheSharingValuesSilently)
{
    const HybridNet net = build(continuousNet({{1, 1, 1}}, {1, 1, 1, 0.5, 0.5}).text());
    EXPECT_EQ(net.conflict[0].prioritate, (Vec{1, 1, 1}));
    EXPECT_TRUE(net.conflict[0].sharing.empty());
}

TEST(DataInput, AnEqualPriorityClassOfBothKindsIsReadOnce)
{
    // P1 -> T1 (discrete), T2 (continuous), T3 (continuous) with priorities
    // 1, 1, 2; then P2 -> T2, T3 with priorities 4, 5.
    NetText text = continuousNet({{1, 1, 1}, {0, 1, 1}}, {1, 1, 2, 0.4, 0.6, 4, 5});
    text.trandis = {1};
    const HybridNet net = build(text.text());
    EXPECT_EQ(net.conflict[0].sharing, (Vec{0.6}));
    EXPECT_EQ(net.conflict[0].tr_sharing, (Vec{2}));
    EXPECT_EQ(net.conflict[0].sharing_dis, (Vec{0.4}));
    EXPECT_EQ(net.conflict[0].tr_sharing_dis, (Vec{1}));
    EXPECT_EQ(net.conflict[0].prioritate1, (Vec{1, 2}));
    EXPECT_EQ(net.conflict[0].prioritate2, (Vec{1}));
    EXPECT_EQ(net.conflict[1].prioritate, (Vec{4, 5}));
}

TEST(DataInput, ANetWithoutConflictsKeepsOneEmptyConflictRecord)
{
    const HybridNet net = build(continuousNet({{1, 0, 0}, {0, 1, 0}}, {}).text());
    ASSERT_EQ(net.conflict.size(), 1u);
    EXPECT_EQ(net.conflict[0].existenta, 0);
    EXPECT_TRUE(net.conflict[0].tranzitii.empty());
    EXPECT_EQ(net.conflict[0].tip, 0);
}

TEST(DataInput, DiscreteListsInFileOrderIndexMarkingsAndDurationsByPosition)
{
    NetText text;
    text.P = 3;
    text.T = 3;
    text.pozdis = {3, 1};
    text.trandis = {3, 2};
    text.pre.assign(3, {0, 0, 0});
    text.post.assign(3, {0, 0, 0});
    text.marcaj = {1, 2, 3};
    text.valori = {10, 20, 30};
    const HybridNet net = build(text.text());
    EXPECT_EQ(net.Pozdis, (Vec{3, 1}));
    EXPECT_EQ(net.md, (Vec{3, 1}));
    EXPECT_EQ(net.Pozcont, (Vec{2}));
    EXPECT_EQ(net.td, (Vec{30, 20}));
    EXPECT_EQ(net.U, (Vec{10}));
}

TEST(Conflicts, CasesFollowTheKindsOfThePlaceAndItsTransitions)
{
    // T1, T2 discrete; T3, T4 continuous. P1..P4 discrete, P5..P7 continuous.
    const std::vector<std::vector<double>> rows = {
        {1, 1, 0, 0}, {0, 0, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 0},
        {1, 1, 0, 0}, {0, 0, 1, 1}, {0, 1, 1, 0}};
    Mat Pre(rows.size(), 4);
    for (std::size_t p = 1; p <= rows.size(); ++p) {
        for (std::size_t t = 1; t <= 4; ++t) {
            Pre(p, t) = rows[p - 1][t - 1];
        }
    }
    const std::vector<ConflictRecord> conflict = gasire_conflicte(Pre, Vec{1, 2, 3, 4}, Vec{1, 2});
    ASSERT_EQ(conflict.size(), 7u);
    const int tip[] = {1, 4, 3, 3, 1, 2, 3};
    const int tip_caz3[] = {0, 0, 4, 5, 0, 0, 0};
    for (std::size_t k = 0; k < conflict.size(); ++k) {
        EXPECT_EQ(conflict[k].tip, tip[k]) << "conflict " << k + 1;
        EXPECT_EQ(conflict[k].tip_caz3, tip_caz3[k]) << "conflict " << k + 1;
    }
    EXPECT_EQ(conflict[2].trandis, (Vec{1}));
    EXPECT_EQ(conflict[2].trancont, (Vec{3, 4}));
    EXPECT_EQ(conflict[0].existenta, 1);
}

TEST(Conflicts, ADiscreteTransitionTakesItsLastConflict)
{
    // T1 (discrete) is an output of conflicts at P1 and P2.
    NetText text = continuousNet({{1, 1, 0}, {1, 0, 1}}, {1, 2, 3, 4});
    text.trandis = {1};
    EngineRunResult result = startRun(text.text());
    ASSERT_TRUE(result.run.has_value()) << result.error;
    EXPECT_EQ(result.run->state.Trandis_conf, (Vec{2}));
    EXPECT_EQ(result.run->state.Trandis_prioritate, (Vec{3}));
}

struct BadInput {
    const char* name;
    std::string text;
    const char* message;
};

std::vector<BadInput> badInputs()
{
    std::vector<BadInput> cases;
    const NetText good = guiNet();
    const std::string full = good.text();

    cases.push_back({"empty file", "", "the file is empty"});
    cases.push_back({"title only", "Net\r\n", "fewer than the 4 counts"});
    cases.push_back({"cut before the markings", full.substr(0, full.find("\r\n3\r\n-1")),
                     "ends after 40 numbers, but its header announces at least 48"});

    NetText negative = good;
    negative.P = -2;
    cases.push_back({"negative count", negative.text(), "the number of places is -2 (line 2)"});

    std::string fraction = full;
    const std::string head = "Mixed\r\n4\r\n2\r\n4\r\n";
    fraction.replace(0, head.size(), "Mixed\r\n4\r\n2\r\n2.5\r\n");
    cases.push_back({"fractional count", fraction,
                     "the number of transitions is 2.5 (line 4); it must be a whole number"});

    NetText placeHigh = good;
    placeHigh.pozdis = {1, 5};
    cases.push_back({"discrete place above P", placeHigh.text(),
                     "discrete place number 5 (line 7) is outside 1..4"});

    NetText placeZero = good;
    placeZero.pozdis = {0, 4};
    cases.push_back({"discrete place 0", placeZero.text(), "discrete place number 0 (line 6)"});

    NetText transitionHigh = good;
    transitionHigh.trandis = {1, 7};
    cases.push_back({"discrete transition above T", transitionHigh.text(),
                     "discrete transition number 7 (line 9) is outside 1..4"});

    NetText twice = good;
    twice.trandis = {4, 4};
    cases.push_back({"transition listed twice", twice.text(), "discrete transition 4 is listed twice"});

    NetText tooMany = good;
    tooMany.pozdis = {1, 2, 3, 4, 1};
    cases.push_back({"more discrete places than places", tooMany.text(),
                     "the number of discrete places (5) exceeds the number of places (4)"});

    NetText weight = good;
    weight.pre[1][3] = -2;
    cases.push_back({"negative arc weight", weight.text(), "the arc weight -2 (line 17) between place P2 and transition T4"});

    std::string word = full;
    word.replace(word.find("\r\n2.5\r\n"), 7, "\r\n2,5\r\n");
    cases.push_back({"comma decimal", word, "line 17: \"2,5\" is not a number"});

    NetText noPriorities = good;
    noPriorities.conflicte = {1, 1, 0.5, 1.5, 2};
    cases.push_back({"conflict block without the last priority", noPriorities.text(),
                     "before the priorities of the conflict at place P2"});
    return cases;
}

TEST(DataInput, BadInputIsRefusedWithAClearMessage)
{
    for (const BadInput& bad : badInputs()) {
        const EngineRunResult result = startRun(bad.text);
        EXPECT_FALSE(result.run.has_value()) << bad.name;
        EXPECT_NE(result.error.find(bad.message), std::string::npos)
            << bad.name << ": " << result.error;
    }
}

}  // namespace
}  // namespace mixsim
