// Engine runs through the bridge: the real flowrun in a copy of the runtime layout, missing and
// misbehaving engines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "gui/bridge/bridge_constants.h"
#include "gui/bridge/run_folder.h"
#include "gui/bridge/simulation_menu.h"
#include "gui/bridge/start_run.h"
#include "gui/plot/plotter_table.h"
#include "tests/gui/bridge/bridge_test_support.h"

namespace tokarium {
namespace {

using namespace testing;

class RecordingFeedback : public SimulationFeedback {
public:
    void showVerificationFailure(NetSheet& sheet, const std::vector<std::string>& sheetMessages) override {
        failedSheet = &sheet;
        messages = sheetMessages;
    }
    void sheetsInitialised(NetDocument&) override { ++initialisations; }
    NetSheet* failedSheet = nullptr;
    std::vector<std::string> messages;
    int initialisations = 0;
};

class RecordingPrompt : public UserPrompt {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string&) override { return true; }
    Answer askYesNoCancel(const std::string&) override { return Answer::kYes; }
    std::vector<std::string> messages;
};

// P1 (marking) -> T1 (speed) -> P2.
void buildChain(NetSheet& sheet, double marking, double speed) {
    Place& p1 = continuousPlace(sheet, 1, marking);
    Place& p2 = continuousPlace(sheet, 2);
    Transition& t1 = continuousTransition(sheet, 1, speed);
    addArc(sheet, p1, t1);
    addArc(sheet, t1, p2);
}

// P1 (6) -> T1 (3) -> P2 -> T2 (1) -> P3: phases of 2 and 4 time units.
void buildChainOfTwo(NetSheet& sheet) {
    Place& p1 = continuousPlace(sheet, 1, 6);
    Place& p2 = continuousPlace(sheet, 2);
    Place& p3 = continuousPlace(sheet, 3);
    Transition& t1 = continuousTransition(sheet, 1, 3);
    Transition& t2 = continuousTransition(sheet, 2, 1);
    addArc(sheet, p1, t1);
    addArc(sheet, t1, p2);
    addArc(sheet, p2, t2);
    addArc(sheet, t2, p3);
}

std::vector<double> shownMarkings(const NetSheet& sheet) {
    std::vector<double> markings;
    for (NetObject* object : sheet.sortedByIndex(kPlaceKinds))
        markings.push_back(static_cast<const Place*>(object)->shownMarking());
    return markings;
}

void replaceProgram(const std::filesystem::path& path, const std::string& script) {
    std::filesystem::remove(path);
    writeText(path, script);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

TEST(ContinuousRun, FlowrunResultsAreImportedAndSteppedToTheEnd) {
    ProgramFolder programs;
    auto document = newDocument();
    NetSheet& sheet = document->sheet(0);
    sheet.setName("chain of two");
    buildChainOfTwo(sheet);
    std::vector<std::string> messages;
    ASSERT_TRUE(InitializeSheet(*document, sheet, programs.settings(), messages));
    const SimulationRun& run = sheet.simulationRun();
    ASSERT_TRUE(run.problem.empty()) << run.problem;
    EXPECT_EQ(run.placeResults.rows, 4u);
    EXPECT_EQ(run.transitionResults.rows, 3u);
    // The run had a working folder of its own; only the engine's reports stay in it.
    ASSERT_TRUE(run.folder);
    EXPECT_EQ(run.folder->path().parent_path(), programs.runsFolder());
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(run.folder->path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"results.htm", "short_results.htm"}));
    EXPECT_EQ(reportFile(sheet, true), run.folder->path() / "results.htm");

    const std::vector<std::vector<double>> markings{{6, 0, 0}, {0, 4, 2}, {0, 0, 6}, {0, 0, 6}};
    const std::vector<double> clocks{0, 2, 6, 9};
    for (std::size_t step = 0; step < markings.size(); ++step) {
        ASSERT_FALSE(IsSheetEnded(sheet)) << step;
        StepSheet(sheet);
        EXPECT_EQ(run.clock, clocks[step]) << step;
        EXPECT_EQ(shownMarkings(sheet), markings[step]) << step;
    }
    EXPECT_TRUE(IsSheetEnded(sheet));
    EXPECT_EQ(PlotterTable(sheet).text(), crlfLines({"Date\tP1.MC\tP2.MC\tP3.MC\tT1.IV\tT2.IV",
                                                     "0\t6\t0\t0\t3\t1", "2\t0\t4\t2\t0\t1",
                                                     "6\t0\t0\t6\t0\t0"}));
}

TEST(ContinuousRun, OneStepForwardStepsTwoSheetsAndEndsWhenBothHaveEnded) {
    ProgramFolder programs;
    auto document = newDocument();
    buildChain(document->sheet(0), 4, 2); // three steps
    buildChainOfTwo(document->newSheet()); // four steps
    RecordingFeedback feedback;
    RecordingPrompt prompt;
    for (int step = 1; step <= 3; ++step) {
        runOneStepForward(*document, programs.settings(), feedback, prompt);
        EXPECT_TRUE(prompt.messages.empty()) << step;
    }
    EXPECT_EQ(feedback.initialisations, 3);
    EXPECT_TRUE(IsSheetEnded(document->sheet(0)));
    EXPECT_FALSE(IsSheetEnded(document->sheet(1)));
    EXPECT_EQ(document->sheet(1).simulationRun().clock, 6);
    runOneStepForward(*document, programs.settings(), feedback, prompt);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"End of simulation."});
    EXPECT_FALSE(document->sheet(0).isInitialised());
    EXPECT_FALSE(document->sheet(1).isInitialised());
    // The next step starts a new run and shows its first step.
    runOneStepForward(*document, programs.settings(), feedback, prompt);
    EXPECT_EQ(document->sheet(1).simulationRun().clock, 0);
    EXPECT_EQ(shownMarkings(document->sheet(1)), (std::vector<double>{6, 0, 0}));
    EXPECT_EQ(document->sheet(1).simulationRun().stepIndex, 1);
}

TEST(ContinuousRun, StartRunsToTheEndAndLeavesTheSheetsNotInitialised) {
    ProgramFolder programs;
    auto document = newDocument();
    buildChain(document->sheet(0), 4, 2);
    buildChainOfTwo(document->newSheet());
    RecordingFeedback feedback;
    runStart(*document, programs.settings(), feedback);
    EXPECT_FALSE(document->sheet(0).isInitialised());
    EXPECT_FALSE(document->sheet(1).isInitialised());
    EXPECT_EQ(shownMarkings(document->sheet(0)), (std::vector<double>{0, 4}));
    EXPECT_EQ(document->sheet(0).simulationRun().clock, 4);
    EXPECT_EQ(document->sheet(1).simulationRun().clock, 9);

    RecordingPrompt prompt;
    runOneStepForward(*document, programs.settings(), feedback, prompt);
    EXPECT_EQ(shownMarkings(document->sheet(0)), (std::vector<double>{4, 0}));
    EXPECT_EQ(document->sheet(0).simulationRun().clock, 0);
}

TEST(ContinuousRun, InitializationRunsEveryEngineAgain) {
    ProgramFolder programs;
    auto document = newDocument();
    buildChain(document->sheet(0), 4, 2);
    RecordingFeedback feedback;
    RecordingPrompt prompt;
    runOneStepForward(*document, programs.settings(), feedback, prompt);
    runOneStepForward(*document, programs.settings(), feedback, prompt);
    EXPECT_EQ(document->sheet(0).simulationRun().clock, 2);
    runInitialization(*document, programs.settings(), feedback);
    EXPECT_TRUE(document->sheet(0).isInitialised());
    EXPECT_EQ(document->sheet(0).simulationRun().clock, 0);
    EXPECT_EQ(document->sheet(0).simulationRun().stepIndex, 0);
    EXPECT_EQ(shownMarkings(document->sheet(0)), (std::vector<double>{4, 0}));
}

TEST(HybridRun, ZeroTimeFiringsShowAsStepsAtTheSameClock) {
    ProgramFolder programs;
    auto document = newDocument();
    NetSheet& sheet = document->sheet(0);
    sheet.setDuration(5);
    // P1 (1) -> T1 (1 time unit) -> P2 -> T2 (0) -> P3 -> T3 (0) -> P4: the token reaches P4 at time 1.
    std::vector<Place*> places;
    for (std::int32_t i = 1; i <= 4; ++i)
        places.push_back(&discretePlace(sheet, i, i == 1 ? 1 : 0));
    for (std::int32_t i = 1; i <= 3; ++i) {
        Transition& t = discreteTransition(sheet, i, i == 1 ? 1 : 0);
        addArc(sheet, *places[i - 1], t);
        addArc(sheet, t, *places[i]);
    }
    std::vector<std::string> messages;
    ASSERT_TRUE(InitializeSheet(*document, sheet, programs.settings(), messages));
    const SimulationRun& run = sheet.simulationRun();
    ASSERT_TRUE(run.problem.empty()) << run.problem;
    const std::vector<double> clocks{0, 1, 1, 5};
    const std::vector<std::vector<double>> shown{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 1}, {0, 0, 0, 1}};
    for (std::size_t step = 0; step < clocks.size(); ++step) {
        ASSERT_FALSE(IsSheetEnded(sheet)) << step;
        StepSheet(sheet);
        EXPECT_EQ(run.clock, clocks[step]) << step;
        EXPECT_EQ(shownMarkings(sheet), shown[step]) << step;
    }
    EXPECT_TRUE(IsSheetEnded(sheet));
    // The zero-time step repeats the speeds of the step before it.
    EXPECT_EQ(run.transitionResults.rows, 3u);
    for (std::size_t column = 0; column < 4; ++column)
        EXPECT_EQ(run.transitionResults.at(2, column), run.transitionResults.at(1, column)) << column;
}

// T1 (1 time unit) takes one of the six tokens of P3 into P2 at a time, its loop place P1 making
// one firing at a time: events at 0, 1, ..., 6. The engine is told the duration 3.5 and stops
// after the events at 4; the steps up to the duration are those of the whole run.
TEST(HybridRun, TheEngineStopsAfterTheFirstEventPastTheDuration) {
    ProgramFolder programs;
    auto document = newDocument();
    NetSheet& sheet = document->sheet(0);
    sheet.setDuration(3.5);
    Place& p1 = discretePlace(sheet, 1, 1);
    Place& p2 = discretePlace(sheet, 2, 0);
    Place& p3 = discretePlace(sheet, 3, 6);
    Transition& t1 = discreteTransition(sheet, 1, 1);
    addArc(sheet, p1, t1);
    addArc(sheet, t1, p1);
    addArc(sheet, t1, p2);
    addArc(sheet, p3, t1);
    std::vector<std::string> messages;
    ASSERT_TRUE(InitializeSheet(*document, sheet, programs.settings(), messages));
    const SimulationRun& run = sheet.simulationRun();
    ASSERT_TRUE(run.problem.empty()) << run.problem;
    EXPECT_EQ(run.placeResults.rows, 10u);  // five steps, before and after
    ASSERT_TRUE(run.folder);
    EXPECT_NE(readText(run.folder->path() / "results_hybrid.htm").find("is past the horizon t=3.50"),
              std::string::npos);
    // The last step stops at the duration, as in the whole run; then the run has ended.
    const std::vector<double> clocks{0, 1, 2, 3, 3.5};
    const std::vector<std::vector<double>> shown{{1, 0, 6}, {1, 1, 5}, {1, 2, 4}, {1, 3, 3}, {1, 3, 3}};
    for (std::size_t step = 0; step < clocks.size(); ++step) {
        ASSERT_FALSE(IsSheetEnded(sheet)) << step;
        StepSheet(sheet);
        EXPECT_EQ(run.clock, clocks[step]) << step;
        EXPECT_EQ(shownMarkings(sheet), shown[step]) << step;
    }
    EXPECT_TRUE(IsSheetEnded(sheet));
}

TEST(HybridRun, IndicesWithGapsReachTheRightPlaces) {
    ProgramFolder programs;
    auto document = newDocument();
    NetSheet& sheet = document->sheet(0);
    sheet.setDuration(10);
    // The timed valve with scattered indices: P3 (token) -> T5 (2) -> P7, which lets T2 (speed 1)
    // drain P1 (4) into P9.
    Place& p1 = continuousPlace(sheet, 1, 4);
    Place& p3 = discretePlace(sheet, 3, 1);
    Place& p7 = discretePlace(sheet, 7);
    Place& p9 = continuousPlace(sheet, 9);
    Transition& t2 = continuousTransition(sheet, 2, 1);
    Transition& t5 = discreteTransition(sheet, 5, 2);
    addArc(sheet, p3, t5);
    addArc(sheet, t5, p7);
    addArc(sheet, p7, t2);
    addArc(sheet, t2, p7);
    addArc(sheet, p1, t2);
    addArc(sheet, t2, p9);
    RecordingFeedback feedback;
    runStart(*document, programs.settings(), feedback);
    EXPECT_TRUE(sheet.simulationRun().problem.empty()) << sheet.simulationRun().problem;
    EXPECT_EQ(sheet.simulationRun().clock, 10);
    EXPECT_EQ(shownMarkings(sheet), (std::vector<double>{0, 0, 1, 4}));
    EXPECT_EQ(p9.historyTimes(), (std::vector<double>{0, 6}));
}

TEST(FailedRuns, SheetFailingVerificationStopsTheCommandAndKeepsTheLaterSheetsUntouched) {
    ProgramFolder programs;
    auto document = newDocument();
    buildChain(document->sheet(0), 4, 2);
    NetSheet& bad = document->newSheet();
    buildChain(bad, 1, 1);
    continuousPlace(bad, 3);
    NetSheet& later = document->newSheet();
    buildChain(later, 1, 1);
    RecordingFeedback feedback;
    RecordingPrompt prompt;
    runOneStepForward(*document, programs.settings(), feedback, prompt);
    EXPECT_EQ(feedback.failedSheet, &bad);
    EXPECT_EQ(feedback.messages, std::vector<std::string>{"Place P3 without input and output arc."});
    EXPECT_TRUE(document->sheet(0).isInitialised());
    EXPECT_FALSE(bad.isInitialised());
    EXPECT_FALSE(later.isInitialised());
    EXPECT_EQ(document->sheet(0).simulationRun().stepIndex, 0);
    EXPECT_TRUE(prompt.messages.empty());
    runStart(*document, programs.settings(), feedback);
    EXPECT_FALSE(document->sheet(0).isInitialised());
}

TEST(FailedRuns, MissingEngineEndsTheRunAndTheNextStepEndsTheSimulation) {
    ProgramFolder programs;
    std::filesystem::remove(programs.continuousFolder() / "flowrun");
    auto document = newDocument();
    buildChain(document->sheet(0), 4, 2);
    RecordingFeedback feedback;
    RecordingPrompt prompt;
    runOneStepForward(*document, programs.settings(), feedback, prompt);
    const SimulationRun& run = document->sheet(0).simulationRun();
    EXPECT_TRUE(run.ended);
    EXPECT_NE(run.problem.find("not found"), std::string::npos) << run.problem;
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"End of simulation."});
    EXPECT_EQ(shownMarkings(document->sheet(0)), (std::vector<double>{4, 0}));
}

TEST(FailedRuns, EngineLeavingNoOrBrokenResultsEndsTheRun) {
    ProgramFolder programs;
    const std::filesystem::path engine = programs.continuousFolder() / "flowrun";
    auto document = newDocument();
    NetSheet& sheet = document->sheet(0);
    buildChain(sheet, 4, 2);
    const BridgeSettings settings = programs.settings();

    // Results of an earlier run are never shown as those of this one.
    writeText(programs.continuousFolder() / "P.rez", "0\n\t0\t0\n");
    writeText(programs.continuousFolder() / "t.REZ", "0\n");
    replaceProgram(engine, "#!/bin/sh\nexit 0\n");
    StartRun(sheet, settings);
    EXPECT_TRUE(sheet.simulationRun().ended);
    EXPECT_NE(sheet.simulationRun().problem.find("p.rez"), std::string::npos) << sheet.simulationRun().problem;

    replaceProgram(engine, "#!/bin/sh\nexit 5\n");
    StartRun(sheet, settings);
    EXPECT_NE(sheet.simulationRun().problem.find("(flowrun ended with status 5)"), std::string::npos)
        << sheet.simulationRun().problem;

    replaceProgram(engine, "#!/bin/sh\nprintf '2\\n2\\t4\\t0\\n' > P.rez\nprintf '2\\n' > T.rez\n");
    StartRun(sheet, settings);
    EXPECT_TRUE(sheet.simulationRun().ended);
    EXPECT_NE(sheet.simulationRun().problem.find("line 3"), std::string::npos) << sheet.simulationRun().problem;

    replaceProgram(engine, "#!/bin/sh\nprintf '1\\ngarbage\\n\\txx\\n' > P.rez\nprintf '1\\r\\n1\\t2\\r\\n' > T.rez\n");
    StartRun(sheet, settings);
    EXPECT_FALSE(sheet.simulationRun().ended) << sheet.simulationRun().problem;
    EXPECT_EQ(sheet.simulationRun().placeResults.values, (std::vector<double>{0, 0, 0, 0, 0, 0}));

    replaceProgram(engine, "#!/bin/sh\nkill -SEGV $$\n");
    StartRun(sheet, settings);
    EXPECT_TRUE(sheet.simulationRun().ended);
    EXPECT_NE(sheet.simulationRun().problem.find("(flowrun was stopped by a signal)"), std::string::npos)
        << sheet.simulationRun().problem;
}

} // namespace
} // namespace tokarium
