// Stepping through imported results: continuous rows and extrapolation, hybrid steps and jumps back.
#include <gtest/gtest.h>

#include "gui/bridge/result_import.h"
#include "gui/bridge/step_history.h"
#include "gui/bridge/stepping.h"
#include "gui/model/graph.h"
#include "gui/plot/graph_curves.h"
#include "tests/gui/bridge/bridge_test_support.h"

namespace tokarium {
namespace {

using namespace testing;

// A sheet whose run is filled from result texts as if its engine had written them.
struct SteppedSheet {
    NetSheet sheet;
    std::vector<Place*> places;
    std::vector<Transition*> transitions;

    SteppedSheet(std::size_t placeCount, std::size_t transitionCount, double duration) {
        sheet.setDuration(duration);
        for (std::size_t i = 1; i <= placeCount; ++i)
            places.push_back(&continuousPlace(sheet, static_cast<std::int32_t>(i), 1));
        for (std::size_t i = 1; i <= transitionCount; ++i)
            transitions.push_back(&continuousTransition(sheet, static_cast<std::int32_t>(i), 1));
    }

    void load(EngineKind engine, const std::string& placeText, const std::string& transitionText) {
        sheet.resetAll();
        SimulationRun& run = sheet.simulationRun();
        run = SimulationRun{};
        run.engine = engine;
        std::string problem;
        const bool ok = engine == EngineKind::kContinuous
                            ? readContinuousPlaceResults(placeText, places.size(), run, problem) &&
                                  readContinuousTransitionResults(transitionText, transitions.size(), run, problem)
                            : readHybridPlaceResults(placeText, places.size(), run, problem) &&
                                  readHybridTransitionResults(transitionText, transitions.size(), run, problem);
        ASSERT_TRUE(ok) << problem;
        sheet.recordHistories(0.0);
        sheet.setInitialised(true);
    }

    double clock() const { return sheet.simulationRun().clock; }
    double shown(std::size_t place) const { return places[place]->shownMarking(); }
    double working(std::size_t place) const { return places[place]->workingMarking(); }
    double speed(std::size_t transition) const { return transitions[transition]->shownValue(); }
};

TEST(ContinuousStep, RowsThenExtrapolationOverTheMeanPhaseLength) {
    SteppedSheet s(2, 1, 100);
    s.load(EngineKind::kContinuous, "2\n2\t4\t0\n3\t1\t2\n\t0.5\t1\n", "2\n2\t1\n3\t0.5\n");
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 0);
    EXPECT_EQ(s.shown(0), 4);
    EXPECT_EQ(s.working(1), 0);
    EXPECT_EQ(s.speed(0), 1);
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 2);
    EXPECT_EQ(s.shown(0), 1);
    EXPECT_EQ(s.shown(1), 2);
    EXPECT_EQ(s.speed(0), 0.5);
    EXPECT_FALSE(IsSheetEnded(s.sheet));
    StepSheet(s.sheet);
    // One more phase of the mean length 2 / 1.
    EXPECT_EQ(s.clock(), 4);
    EXPECT_EQ(s.shown(0), 2);
    EXPECT_EQ(s.working(1), 4);
    EXPECT_EQ(s.speed(0), 0.5);
    EXPECT_TRUE(IsSheetEnded(s.sheet));
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 4);
    // The initial marking 1 recorded at the initialisation, then every change.
    EXPECT_EQ(s.places[1]->historyTimes(), (std::vector<double>{0, 0, 2, 4}));
    EXPECT_EQ(s.places[1]->historyValues(), (std::vector<double>{1, 0, 2, 4}));
}

TEST(ContinuousStep, ExtrapolatesToTheDurationWhenTheClockIsStillZero) {
    SteppedSheet s(2, 1, 10);
    s.load(EngineKind::kContinuous, "1\n0\t4\t-1\n\t0\t2\n", "1\n0\t3\n");
    StepSheet(s.sheet);
    EXPECT_EQ(s.shown(1), -1);
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 10);
    EXPECT_EQ(s.shown(0), 4);
    // A 0+ place fed at rate 2 holds 20 after 10 time units, not 19.
    EXPECT_EQ(s.shown(1), 20);
    EXPECT_TRUE(IsSheetEnded(s.sheet));
}

TEST(ContinuousStep, RatesRowAloneEndsAtTheDurationAndNegativeDurationsDoNotTurnTheClockBack) {
    SteppedSheet s(1, 1, 10);
    s.load(EngineKind::kContinuous, "3.0\n\t0\n", "0\n");
    EXPECT_EQ(s.sheet.simulationRun().placeResults.rows, 1u);
    StepSheet(s.sheet);
    EXPECT_TRUE(IsSheetEnded(s.sheet));
    EXPECT_EQ(s.clock(), 10);
    EXPECT_EQ(s.shown(0), 1);
    EXPECT_EQ(s.speed(0), 1);

    s.load(EngineKind::kContinuous, "3\n-1\t5\n2\t4\n\t3\n\t0\n", "0\n");
    StepSheet(s.sheet);
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 0);
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 2);
}

TEST(ContinuousStep, AStepPastTheDurationStopsAtItWithTheMarkingsOfThatMoment) {
    // The first phase lasts 2 and takes the place from 4 to 2; the duration 1.5 falls three
    // quarters of the way: 4 - 2 * 0.75 = 2.5.
    SteppedSheet s(1, 1, 1.5);
    s.load(EngineKind::kContinuous, "3\n2\t4\n2\t2\n\t0\n\t0\n", "0\n");
    StepSheet(s.sheet);
    StepSheet(s.sheet);
    EXPECT_TRUE(IsSheetEnded(s.sheet));
    EXPECT_EQ(s.clock(), 1.5);
    EXPECT_EQ(s.shown(0), 2.5);
    EXPECT_EQ(s.working(0), 2.5);
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 1.5);
    EXPECT_EQ(s.shown(0), 2.5);

    // The rates row extrapolates one more phase of the mean length (to 4), cut at the duration 3:
    // 1 + 1 * (3 - 2) = 2.
    SteppedSheet r(1, 1, 3);
    r.load(EngineKind::kContinuous, "2\n2\t0\n2\t1\n\t1\n", "0\n");
    for (int step = 0; step < 3; ++step)
        StepSheet(r.sheet);
    EXPECT_TRUE(IsSheetEnded(r.sheet));
    EXPECT_EQ(r.clock(), 3);
    EXPECT_EQ(r.shown(0), 2);
}

// Four steps of one place; the second row of step 3 (row 7) sends the walk back to step 2.
const char* const kJumpingPositions = "4\n0\t10\n\t11\n1\t20\n\t21\n2\t30\n\t31\n3\t40\n2\t41\n";
const char* const kJumpingSpeeds = "4\n0\t1\n1\t2\n2\t3\n3\t4\n";

TEST(HybridStep, JumpBackShowsTheEarlierAfterMarkingsAndTheClockKeepsGrowing) {
    // The last step would reach 16: it stops at the duration 15, two thirds of the way from 31
    // (at 13) to 40, with the speeds of the phase it cuts.
    SteppedSheet s(1, 1, 15);
    s.load(EngineKind::kHybrid, kJumpingPositions, kJumpingSpeeds);
    const std::vector<double> clocks{0, 1, 3, 6, 8, 11, 13, 15};
    const std::vector<double> before{10, 20, 30, 40, 30, 40, 30, 37};
    const std::vector<double> after{11, 21, 31, 21, 31, 21, 31, 37};
    const std::vector<double> speeds{1, 2, 3, 4, 3, 4, 3, 3};
    for (std::size_t i = 0; i < clocks.size(); ++i) {
        ASSERT_FALSE(IsSheetEnded(s.sheet)) << i;
        StepSheet(s.sheet);
        EXPECT_EQ(s.clock(), clocks[i]) << i;
        EXPECT_EQ(s.working(0), before[i]) << i;
        EXPECT_EQ(s.shown(0), after[i]) << i;
        EXPECT_EQ(s.speed(0), speeds[i]) << i;
    }
    EXPECT_TRUE(IsSheetEnded(s.sheet));
    EXPECT_TRUE(s.sheet.simulationRun().problem.empty());
}

TEST(StepHistory, GoingBackAndForwardOverAJumpingWalkShowsTheSameStatesAndTheRunGoesOnAsIfUninterrupted) {
    // The walk straight to its end, and what each step showed.
    SteppedSheet straight(1, 1, 15);
    straight.load(EngineKind::kHybrid, kJumpingPositions, kJumpingSpeeds);
    StartRecording(straight.sheet);
    struct Shown {
        double clock, working, shown, speed;
        bool operator==(const Shown&) const = default;
    };
    const auto now = [](const SteppedSheet& s) { return Shown{s.clock(), s.working(0), s.shown(0), s.speed(0)}; };
    std::vector<Shown> states{now(straight)};
    while (!IsSheetEnded(straight.sheet)) {
        StepSheet(straight.sheet);
        states.push_back(now(straight));
    }
    ASSERT_EQ(states.size(), 9u);
    ASSERT_EQ(straight.sheet.simulationRun().recorded.size(), 9u);

    // The same walk, going back and forth on the way: to state 6, back to 2 and 0, forward again.
    SteppedSheet s(1, 1, 15);
    s.load(EngineKind::kHybrid, kJumpingPositions, kJumpingSpeeds);
    StartRecording(s.sheet);
    for (int step = 0; step < 6; ++step)
        StepSheet(s.sheet);
    const std::size_t historyLength = s.places[0]->historyTimes().size();
    ShowRecordedState(s.sheet, 2);
    EXPECT_EQ(now(s), states[2]);
    ShowRecordedState(s.sheet, 0);
    EXPECT_EQ(now(s), states[0]);
    EXPECT_FALSE(IsSheetEnded(s.sheet));
    for (std::size_t state = 1; state <= 4; ++state) {
        StepSheet(s.sheet);
        EXPECT_EQ(now(s), states[state]) << state;
    }
    EXPECT_EQ(s.places[0]->historyTimes().size(), historyLength);
    // From 4 the recorded 5 and 6 come again, then the run goes on from 6.
    ShowRecordedState(s.sheet, 4);
    while (!IsSheetEnded(s.sheet))
        StepSheet(s.sheet);
    EXPECT_EQ(now(s), states.back());
    EXPECT_EQ(s.sheet.simulationRun().recorded.size(), 9u);
    for (std::size_t state = 0; state < states.size(); ++state) {
        ShowRecordedState(s.sheet, state);
        EXPECT_EQ(now(s), states[state]) << state;
    }
    // A state beyond the last shows the last.
    ShowRecordedState(s.sheet, 100);
    EXPECT_EQ(now(s), states.back());
    EXPECT_TRUE(IsSheetEnded(s.sheet));
}

TEST(HybridStep, CycleOfZeroTimeStepsEnds) {
    SteppedSheet s(1, 1, 15);
    s.load(EngineKind::kHybrid, "3\n0\t10\n\t11\n1\t20\n\t21\n0\t30\n2\t31\n", "3\n0\t1\n1\t2\n");
    int steps = 0;
    while (!IsSheetEnded(s.sheet) && steps < 100) {
        StepSheet(s.sheet);
        ++steps;
    }
    EXPECT_LT(steps, 10);
    EXPECT_EQ(s.clock(), 1);
    EXPECT_FALSE(s.sheet.simulationRun().problem.empty());
}

TEST(HybridStep, JumpOutsideTheStepsIsNoJump) {
    SteppedSheet s(1, 1, 15);
    s.load(EngineKind::kHybrid, "2\n0\t10\n9\t11\n1\t20\n-3\t21\n", "2\n0\t1\n1\t2\n");
    StepSheet(s.sheet);
    EXPECT_EQ(s.shown(0), 11);
    StepSheet(s.sheet);
    EXPECT_EQ(s.shown(0), 21);
    EXPECT_EQ(s.sheet.simulationRun().stepIndex, 2);
}

TEST(HybridStep, FinalStepExtrapolatesWithTheFinalRatesToTheDuration) {
    SteppedSheet s(2, 1, 10);
    s.load(EngineKind::kHybrid, "1\n0\t1\t0\n\t2\t-01\n-1\t0.5\t3", "1\n0\t1\n-1\n");
    StepSheet(s.sheet);
    EXPECT_EQ(s.shown(0), 2);
    EXPECT_EQ(s.working(0), 1);
    EXPECT_EQ(s.shown(1), -1);
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 10);
    EXPECT_EQ(s.shown(0), 7);
    EXPECT_EQ(s.working(0), 7);
    EXPECT_EQ(s.shown(1), 30);
    EXPECT_TRUE(IsSheetEnded(s.sheet));
}

TEST(HybridStep, MissingFinalRatesLeaveTheMarkingsAndEndAtTheDuration) {
    SteppedSheet s(1, 1, 10);
    s.load(EngineKind::kHybrid, "1\n0\t1\n\t2\n", "1\n0\t1\n");
    StepSheet(s.sheet);
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 10);
    EXPECT_EQ(s.shown(0), 2);
    EXPECT_TRUE(IsSheetEnded(s.sheet));
}

TEST(HybridStep, EmptyResultGoesStraightToTheDuration) {
    SteppedSheet s(1, 1, 10);
    s.load(EngineKind::kHybrid, "3.0\n", "");
    StepSheet(s.sheet);
    EXPECT_EQ(s.clock(), 10);
    EXPECT_EQ(s.shown(0), 1);
}

TEST(GraphRecording, CurvesRecordTheirSheetsClockAndBothMarkings) {
    auto document = newDocument();
    NetSheet& sheet = document->sheet(0);
    Place& p1 = continuousPlace(sheet, 1, -1);
    auto graph = std::make_unique<Graph>();
    graph->curves().push_back(GraphCurve{sheet.id(), 1, kBlack, nullptr, nullptr, {}, {}, {}});
    graph->curves().push_back(GraphCurve{sheet.id(), 9, kBlack, nullptr, nullptr, {}, {}, {}});
    graph->curves().push_back(GraphCurve{sheet.id() + 1, 1, kBlack, nullptr, nullptr, {}, {}, {}});
    Graph& added = static_cast<Graph&>(sheet.add(std::move(graph)));
    bindSheetCurves(sheet, *document);
    EXPECT_EQ(added.curves()[0].boundPlace, &p1);
    EXPECT_EQ(added.curves()[1].boundPlace, nullptr);
    EXPECT_EQ(added.curves()[2].boundSheet, nullptr);
    p1.reset();
    sheet.simulationRun().clock = 2.5;
    p1.setShownMarking(3);
    recordSheetCurves(sheet);
    recordSheetCurves(sheet);
    const GraphCurve& curve = added.curves()[0];
    EXPECT_EQ(curve.times, (std::vector<double>{2.5, 2.5}));
    EXPECT_EQ(curve.beforeValues, (std::vector<double>{0, 0})); // 0+ plotted as 0
    EXPECT_EQ(curve.afterValues, (std::vector<double>{3, 3}));
    EXPECT_TRUE(added.curves()[1].times.empty());
    bindSheetCurves(sheet, *document);
    EXPECT_TRUE(added.curves()[0].times.empty());
}

} // namespace
} // namespace tokarium
