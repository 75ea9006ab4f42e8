// Structural analysis against invariants, siphons and traps derived by hand.
#include <gtest/gtest.h>

#include <functional>

#include "gui/check/invariants.h"
#include "gui/check/net_analysis.h"
#include "gui/model/model_constants.h"
#include "tests/gui/check/net_builder.h"

namespace tokarium::testing {
namespace {

struct Expected {
    const char* title;
    std::function<void(NetSheet&)> build;
    std::vector<std::string> lines;
};

// Arc helper: from -> to with a weight, generalized when the weight is not 1.
void link(NetSheet& sheet, NetNode& from, NetNode& to, double weight = 1.0) {
    addArc(sheet, from, to, weight, weight == 1.0 ? ObjectKind::kOrdinaryArc : ObjectKind::kGeneralizedArc);
}

Place& markedPlace(NetSheet& sheet, ObjectKind kind, std::int32_t index, double marking) {
    Place& place = addPlace(sheet, kind, index);
    place.setInitialMarking(marking);
    return place;
}

TEST(NetAnalysis, HandDerivedNets) {
    const Expected nets[] = {
        {"a cycle P1 -> T1 -> P2 -> T2 -> P1 with one token",
         [](NetSheet& sheet) {
             Place& p1 = markedPlace(sheet, ObjectKind::kDiscretePlace, 1, 1);
             Place& p2 = discretePlace(sheet, 2);
             Transition& t1 = discreteTransition(sheet, 1);
             Transition& t2 = discreteTransition(sheet, 2);
             link(sheet, p1, t1);
             link(sheet, t1, p2);
             link(sheet, p2, t2);
             link(sheet, t2, p1);
         },
         {"2 places, 2 transitions", "P-invariants (minimal, semi-positive): 1", "  P1 + P2 = 1",
          "Covered by P-invariants: yes, so the net is bounded", "T-invariants (minimal, semi-positive): 1",
          "  T1 + T2", "Minimal siphons: 1", "  {P1, P2}", "Minimal traps: 1", "  {P1, P2}"}},
        {"mutual exclusion: idle1 P1, critical1 P2, the lock P3, idle2 P4, critical2 P5",
         [](NetSheet& sheet) {
             Place& idle1 = markedPlace(sheet, ObjectKind::kDiscretePlace, 1, 1);
             Place& critical1 = discretePlace(sheet, 2);
             Place& lock = markedPlace(sheet, ObjectKind::kDiscretePlace, 3, 1);
             Place& idle2 = markedPlace(sheet, ObjectKind::kDiscretePlace, 4, 1);
             Place& critical2 = discretePlace(sheet, 5);
             Transition& enter1 = discreteTransition(sheet, 1);
             Transition& leave1 = discreteTransition(sheet, 2);
             Transition& enter2 = discreteTransition(sheet, 3);
             Transition& leave2 = discreteTransition(sheet, 4);
             for (auto [idle, critical, enter, leave] :
                  {std::tuple{&idle1, &critical1, &enter1, &leave1}, std::tuple{&idle2, &critical2, &enter2, &leave2}}) {
                 link(sheet, *idle, *enter);
                 link(sheet, lock, *enter);
                 link(sheet, *enter, *critical);
                 link(sheet, *critical, *leave);
                 link(sheet, *leave, *idle);
                 link(sheet, *leave, lock);
             }
         },
         {"5 places, 4 transitions", "P-invariants (minimal, semi-positive): 3", "  P1 + P2 = 1", "  P4 + P5 = 1",
          "  P2 + P3 + P5 = 1", "Covered by P-invariants: yes, so the net is bounded",
          "T-invariants (minimal, semi-positive): 2", "  T1 + T2", "  T3 + T4",
          "Minimal siphons: 3", "  {P1, P2}", "  {P4, P5}", "  {P2, P3, P5}", "Minimal traps: 3",
          "  {P1, P2}", "  {P4, P5}", "  {P2, P3, P5}"}},
        {"two tanks: P1 (6) drains through T1 into P2 at twice the volume, T2 drains P2 into P3",
         [](NetSheet& sheet) {
             Place& p1 = markedPlace(sheet, ObjectKind::kContinuousPlace, 1, 6);
             Place& p2 = continuousPlace(sheet, 2);
             Place& p3 = continuousPlace(sheet, 3);
             Transition& t1 = continuousTransition(sheet, 1);
             Transition& t2 = continuousTransition(sheet, 2);
             link(sheet, p1, t1);
             link(sheet, t1, p2, 2);
             link(sheet, p2, t2);
             link(sheet, t2, p3);
         },
         {"3 places, 2 transitions", "P-invariants (minimal, semi-positive): 1", "  2*P1 + P2 + P3 = 12",
          "Covered by P-invariants: yes, so the net is bounded", "T-invariants (minimal, semi-positive): none",
          "Minimal siphons: 1", "  {P1}", "Minimal traps: 1", "  {P3}"}},
        {"no P-invariant: T1 takes one from P1 and puts two back",
         [](NetSheet& sheet) {
             Place& p1 = markedPlace(sheet, ObjectKind::kDiscretePlace, 1, 1);
             Transition& t1 = discreteTransition(sheet, 1);
             link(sheet, p1, t1);
             link(sheet, t1, p1, 2);
         },
         {"1 places, 1 transitions", "P-invariants (minimal, semi-positive): none",
          "Covered by P-invariants: no, P1 is in no P-invariant", "T-invariants (minimal, semi-positive): none",
          "Minimal siphons: 1", "  {P1}", "Minimal traps: 1", "  {P1}"}},
        {"real weights: P1 -0.5-> T1 -> P2 -> T2 -0.5-> P1, P1 holds 0+",
         [](NetSheet& sheet) {
             Place& p1 = markedPlace(sheet, ObjectKind::kContinuousPlace, 1, kInfinitesimalMarking);
             Place& p2 = markedPlace(sheet, ObjectKind::kContinuousPlace, 2, 1.5);
             Transition& t1 = continuousTransition(sheet, 1);
             Transition& t2 = continuousTransition(sheet, 2);
             link(sheet, p1, t1, 0.5);
             link(sheet, t1, p2);
             link(sheet, p2, t2);
             link(sheet, t2, p1, 0.5);
         },
         {"2 places, 2 transitions", "P-invariants (minimal, semi-positive): 1", "  2*P1 + P2 = 1.5",
          "Covered by P-invariants: yes, so the net is bounded", "T-invariants (minimal, semi-positive): 1",
          "  T1 + T2", "Minimal siphons: 1", "  {P1, P2}", "Minimal traps: 1", "  {P1, P2}"}},
    };
    for (const Expected& net : nets) {
        NetSheet sheet;
        net.build(sheet);
        const std::vector<AnalysisLine> lines = analysisLines(analyseSheet(sheet));
        std::vector<std::string> texts;
        for (const AnalysisLine& line : lines)
            texts.push_back(line.text);
        EXPECT_EQ(texts, net.lines) << net.title;
        // A line standing for nodes names each of them.
        for (const AnalysisLine& line : lines) {
            for (const NetNode* node : line.nodes)
                EXPECT_NE(line.text.find(node->displayName()), std::string::npos) << line.text;
        }
    }
}

TEST(NetAnalysis, SearchesStopCleanly) {
    // A coefficient that cannot be combined within 64 bits.
    const std::int64_t huge = std::int64_t{1} << 62;
    const InvariantSearch overflow = minimalInvariants({{huge - 1}, {-(huge - 3)}, {-7}}, 100);
    EXPECT_EQ(overflow.problem, "the search was stopped: a coefficient grew beyond 64-bit integers");
    EXPECT_TRUE(overflow.invariants.empty());
    // Ten producers against ten consumers of one column give 100 candidates.
    IntegerMatrix crossing;
    for (int i = 0; i < 20; ++i)
        crossing.push_back({i < 10 ? 1 : -1});
    EXPECT_EQ(minimalInvariants(crossing, 50).problem, "the search was stopped after 50 candidates");
    EXPECT_EQ(minimalInvariants(crossing, 100).invariants.size(), 100u);

    // Siphons are not searched above the stated bound.
    NetSheet sheet;
    for (int i = 1; i <= static_cast<int>(kMaxSiphonPlaces) + 1; ++i)
        discretePlace(sheet, i);
    const NetAnalysis analysis = analyseSheet(sheet);
    EXPECT_FALSE(analysis.siphonsSearched);
    EXPECT_EQ(analysisLines(analysis).back().text, "Minimal siphons and traps: not searched, the net has more than 20 places");
}

} // namespace
} // namespace tokarium::testing
