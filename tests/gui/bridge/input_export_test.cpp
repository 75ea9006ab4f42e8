// The engine input files written from small nets, line by line.
#include <gtest/gtest.h>

#include <cfloat>

#include "gui/bridge/engine_choice.h"
#include "gui/bridge/input_export.h"
#include "tests/gui/bridge/bridge_test_support.h"

namespace tokarium {
namespace {

using namespace testing;

// P1 -(2)-> T1 -(1)-> P2 -(1.5)-> T2, P1 marked 4, T2 of infinite speed.
void buildChain(NetSheet& sheet) {
    Place& p1 = continuousPlace(sheet, 1, 4);
    Place& p2 = continuousPlace(sheet, 2);
    Transition& t1 = continuousTransition(sheet, 1, 1);
    Transition& t2 = continuousTransition(sheet, 2, -1);
    addArc(sheet, p1, t1, 2);
    addArc(sheet, t1, p2, 1);
    addArc(sheet, p2, t2, 1.5);
}

TEST(EngineChoice, AContinuousNetTurnsHybridWithOneDiscreteNode) {
    NetSheet empty;
    EXPECT_TRUE(IsContinuousNet(empty));

    NetSheet sheet;
    buildChain(sheet);
    EXPECT_TRUE(IsContinuousNet(sheet));
    EXPECT_EQ(engineSetup(engineFor(sheet)).input, "date.dat");
    EXPECT_EQ(engineSetup(engineFor(sheet)).program, "flowrun");

    discretePlace(sheet, 3);
    EXPECT_FALSE(IsContinuousNet(sheet));
    EXPECT_EQ(engineSetup(engineFor(sheet)).input, "data.txt");
    EXPECT_EQ(engineSetup(engineFor(sheet)).program, "mixsim");

    NetSheet withDiscreteTransition;
    buildChain(withDiscreteTransition);
    discreteTransition(withDiscreteTransition, 3);
    EXPECT_FALSE(IsContinuousNet(withDiscreteTransition));
}

TEST(EngineChoice, ReportsAreTheEngineOwnOnesAndEnginesAreFoundFromTheProgramFolder) {
    NetSheet sheet;
    buildChain(sheet);
    EXPECT_EQ(reportFile(sheet, true), "results.htm");
    EXPECT_EQ(reportFile(sheet, false), "short_results.htm");
    discreteTransition(sheet, 3);
    EXPECT_EQ(reportFile(sheet, true), "results_hybrid.htm");
    EXPECT_EQ(reportFile(sheet, false), "short_results_hybrid.htm");

    // The build tree's layout first, then an install's libexec or lib folder.
    TempFolder prefix;
    const BridgeSettings settings = BridgeSettings::forProgramFolder(prefix.path() / "bin");
    const EngineSetup& hybrid = engineSetup(EngineKind::kHybrid);
    EXPECT_EQ(settings.enginePath(hybrid), prefix.path() / "bin" / "HybridPNs" / "mixsim");
    for (const char* folder : {"lib", "libexec"}) {
        std::filesystem::create_directories(prefix.path() / folder / "tokarium");
        writeText(prefix.path() / folder / "tokarium" / "mixsim", "");
        EXPECT_EQ(settings.enginePath(hybrid), prefix.path() / folder / "tokarium" / "mixsim");
    }
    std::filesystem::create_directories(prefix.path() / "bin" / "HybridPNs");
    writeText(prefix.path() / "bin" / "HybridPNs" / "mixsim", "");
    EXPECT_EQ(settings.enginePath(hybrid), prefix.path() / "bin" / "HybridPNs" / "mixsim");
    EXPECT_EQ(BridgeSettings::forRunningProgram().programFolder, runningProgramFile().parent_path());
    EXPECT_EQ(runningProgramFile().filename(), "test_bridge");
}

TEST(ContinuousInput, ChainWritesPreAndPostBlocksMarkingsAndSpeeds) {
    NetSheet sheet;
    sheet.setName("Two tanks");
    buildChain(sheet);
    EXPECT_EQ(continuousInputText(sheet), crlfLines({"Two tanks", "2", "2",
                                                     "2", "0", "0", "1.5",  // Pre
                                                     "0", "0", "1", "0",    // Post
                                                     "4", "0",              // markings
                                                     "1", "-1"}));          // speeds, inf as -1
}

TEST(ContinuousInput, NodesGoInIndexOrderWhateverTheDrawingOrder) {
    NetSheet sheet;
    Transition& t2 = continuousTransition(sheet, 2, 3);
    Place& p2 = continuousPlace(sheet, 2, -1); // 0+
    Transition& t1 = continuousTransition(sheet, 1, 2);
    Place& p1 = continuousPlace(sheet, 1, 5);
    addArc(sheet, p1, t1);
    addArc(sheet, t1, p2);
    addArc(sheet, p2, t2);
    EXPECT_EQ(continuousInputText(sheet),
              crlfLines({"", "2", "2", "1", "0", "0", "1", "0", "0", "1", "0", "5", "-1", "2", "3"}));
}

// P1 feeds T1, T2 (priority 1, shared 1:1) and T3 (priority 2).
void buildConflict(NetSheet& sheet) {
    Place& p1 = continuousPlace(sheet, 1, 6);
    Place& p2 = continuousPlace(sheet, 2);
    for (std::int32_t index = 1; index <= 3; ++index) {
        Transition& t = continuousTransition(sheet, index, 1);
        addArc(sheet, p1, t);
        addArc(sheet, t, p2);
    }
    PriorityEntry entry;
    entry.placeIndex = 1;
    entry.addElement(1, 1, 1.0);
    entry.addElement(2, 1, 1.0);
    entry.addElement(3, 2, 0.0);
    sheet.priorities().push_back(entry);
}

TEST(ContinuousInput, ConflictWritesPrioritiesThenTheRatiosOfSharedClasses) {
    NetSheet sheet;
    sheet.setName("c");
    buildConflict(sheet);
    EXPECT_EQ(continuousInputText(sheet), crlfLines({"c", "2", "3",
                                                     "1", "1", "1", "0", "0", "0",
                                                     "0", "0", "0", "1", "1", "1",
                                                     "6", "0", "1", "1", "1",
                                                     "1", "1", "2", "1", "1"}));
}

TEST(ContinuousInput, SharedClassesComeInOrderOfTheirFirstMember) {
    NetSheet sheet;
    Place& p1 = continuousPlace(sheet, 1, 1);
    for (std::int32_t index = 1; index <= 4; ++index)
        addArc(sheet, p1, continuousTransition(sheet, index, 1));
    PriorityEntry entry;
    entry.placeIndex = 1;
    entry.addElement(1, 2, 3.0);
    entry.addElement(2, 1, 0.5);
    entry.addElement(3, 2, 1.0);
    entry.addElement(4, 1, 2.0);
    sheet.priorities().push_back(entry);
    // Priorities 2 1 2 1, then class 2 (T1, T3) and class 1 (T2, T4).
    EXPECT_EQ(continuousInputText(sheet), crlfLines({"", "1", "4", "1", "1", "1", "1", "0", "0", "0", "0", "1",
                                                     "1", "1", "1", "1",
                                                     "2", "1", "2", "1", "3", "1", "0.5", "2"}));
}

TEST(ContinuousInput, ConflictLinesFollowTheArcsEvenWithoutAStoredEntry) {
    NetSheet sheet;
    Place& p1 = continuousPlace(sheet, 1, 1);
    addArc(sheet, p1, continuousTransition(sheet, 1, 1));
    addArc(sheet, p1, continuousTransition(sheet, 2, 1));
    // Default entry: both priority 1, ratios 1.
    EXPECT_EQ(continuousInputText(sheet),
              crlfLines({"", "1", "2", "1", "1", "0", "0", "1", "1", "1", "1", "1", "1", "1"}));
}

TEST(ContinuousInput, PlaceWithOneOutputWritesNoConflictLines) {
    NetSheet sheet;
    buildChain(sheet);
    const std::string text = continuousInputText(sheet);
    EXPECT_EQ(text.substr(text.size() - 4), "-1\r\n"); // ends with the last transition value
}

TEST(ContinuousInput, NameWithBlanksIsWrittenWholeAndALongNameIsCut) {
    NetSheet sheet;
    sheet.setName("  a net with blanks ");
    buildChain(sheet);
    EXPECT_EQ(continuousInputText(sheet).substr(0, 22), "  a net with blanks \r\n");
    sheet.setName(std::string(300, 'x'));
    const std::string text = continuousInputText(sheet);
    EXPECT_EQ(text.find("\r\n"), 200u);
}

TEST(ContinuousInput, LargestSinglePrecisionValueIsStillWrittenAsANumber) {
    NetSheet sheet;
    buildChain(sheet);
    static_cast<Place*>(sheet.findPlace(1))->setInitialMarking(FLT_MAX);
    const std::string text = continuousInputText(sheet);
    EXPECT_NE(text.find("\r\n3.40282346639e+38\r\n"), std::string::npos) << text;
}

TEST(HybridInput, ListsDiscretePlacesAndTransitionsAfterTheCounts) {
    NetSheet sheet;
    sheet.setName("h");
    Place& p1 = discretePlace(sheet, 1, 2);
    Place& p2 = continuousPlace(sheet, 2, 0.5);
    Place& p3 = discretePlace(sheet, 3);
    Transition& t1 = discreteTransition(sheet, 1, 3);
    Transition& t2 = continuousTransition(sheet, 2, 2);
    addArc(sheet, p1, t1);
    addArc(sheet, t1, p3);
    addArc(sheet, p2, t2);
    addArc(sheet, t2, p2);
    EXPECT_EQ(hybridInputText(sheet), crlfLines({"h", "3", "2", "2", "1",
                                                 "1", "3",                    // discrete places
                                                 "1",                         // discrete transition
                                                 "1", "0", "0", "1", "0", "0", // Pre
                                                 "0", "0", "0", "1", "1", "0", // Post
                                                 "2", "0.5", "0",             // markings
                                                 "3", "2"}));                 // duration, speed
}

TEST(HybridInput, IndicesWithGapsAreWrittenAsPositions) {
    NetSheet sheet;
    sheet.setName("gaps");
    Place& p1 = continuousPlace(sheet, 1, 1);
    Place& p3 = discretePlace(sheet, 3, 1);
    Place& p7 = discretePlace(sheet, 7);
    Transition& t2 = continuousTransition(sheet, 2, 1);
    Transition& t5 = discreteTransition(sheet, 5, 4);
    addArc(sheet, p3, t5);
    addArc(sheet, t5, p7);
    addArc(sheet, p1, t2);
    addArc(sheet, t2, p1);
    EXPECT_EQ(hybridInputText(sheet), crlfLines({"gaps", "3", "2", "2", "1",
                                                 "2", "3",  // P3 and P7 are the 2nd and 3rd places
                                                 "2",       // T5 is the 2nd transition
                                                 "1", "0", "0", "1", "0", "0",
                                                 "1", "0", "0", "0", "0", "1",
                                                 "1", "1", "0",
                                                 "1", "4"}));
}

TEST(InputFiles, WritingIntoAMissingFolderFailsAndLeavesNothing) {
    NetSheet sheet;
    buildChain(sheet);
    TempFolder folder;
    EXPECT_FALSE(WriteContinuousInput(sheet, folder.path() / "missing" / "date.dat"));
    EXPECT_FALSE(WriteHybridInput(sheet, folder.path() / "missing" / "data.txt"));
    ASSERT_TRUE(WriteContinuousInput(sheet, folder.path() / "date.dat"));
    EXPECT_EQ(readText(folder.path() / "date.dat"), continuousInputText(sheet));
}

} // namespace
} // namespace tokarium
