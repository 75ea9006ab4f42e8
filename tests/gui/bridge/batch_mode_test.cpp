// The headless batch mode on the sample documents and on bad input, with the real engines.
#include <gtest/gtest.h>

#include <sstream>

#include "gui/bridge/batch_mode.h"
#include "gui/xml/document_file.h"
#include "tests/gui/bridge/bridge_test_support.h"

namespace tokarium {
namespace {

using namespace testing;

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

BatchRun runWith(std::vector<std::string> arguments, const BridgeSettings& settings) {
    arguments.insert(arguments.begin(), "tokarium");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    std::ostringstream out, err;
    BatchRun run;
    run.status = runBatch(static_cast<int>(argv.size()), argv.data(), out, err, settings);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(BatchMode, ContinuousExampleWritesOneTableFilePerSheet) {
    ProgramFolder programs;
    TempFolder out;
    const BatchRun run =
        runWith({"--simulate", exampleDocument("continuous_tanks.pn").string(), "--out", out.path().string()},
                programs.settings());
    ASSERT_EQ(run.status, kBatchSuccess) << run.err;
    EXPECT_NE(run.out.find("PN 1 \"Two tanks\": continuous engine (flowrun), 4 steps, final clock 9\n"
                           "  markings: P1=0 P2=0 P3=6\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("PN 2 \"Shared outlet\": continuous engine (flowrun), 3 steps, final clock 4\n"
                           "  markings: P1=0 P2=0 P3=3 P4=1\n"),
              std::string::npos)
        << run.out;
    // Phases of 2 and 4 time units; the last extrapolation changes nothing, so no row for time 9.
    EXPECT_EQ(readText(out.path() / "continuous_tanks-1-Two_tanks.txt"),
              crlfLines({"Date\tP1.MC\tT1.IV\tP2.MC\tT2.IV\tP3.MC", "0\t6\t3\t0\t1\t0", "2\t0\t0\t4\t1\t2",
                         "6\t0\t0\t0\t0\t6"}));
    // T2 and T3 share P2's feed of 2 with ratios 1 and 3.
    EXPECT_EQ(readText(out.path() / "continuous_tanks-2-Shared_outlet.txt"),
              crlfLines({"Date\tP1.MC\tT1.IV\tP2.MC\tT2.IV\tT3.IV\tP3.MC\tP4.MC", "0\t4\t2\t0\t1.5\t0.5\t0\t0",
                         "2\t0\t0\t0\t0\t0\t3\t1"}));
}

TEST(BatchMode, HybridExampleOpensTheValveAfterTheTimer) {
    ProgramFolder programs;
    TempFolder out;
    const BatchRun run =
        runWith({"--simulate", exampleDocument("hybrid_valve.pn").string(), "--out", out.path().string()},
                programs.settings());
    ASSERT_EQ(run.status, kBatchSuccess) << run.err;
    EXPECT_NE(run.out.find("PN 1 \"Timed valve\": hybrid engine (mixsim)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("final clock 10\n  markings: P1=0 P2=1 P3=0 P4=4\n"), std::string::npos) << run.out;
    // T1 (2 time units) moves the token to P2, which lets T2 drain P3 (4) at speed 1 until time 6.
    EXPECT_EQ(readText(out.path() / "hybrid_valve-1-Timed_valve.txt"),
              crlfLines({"Date\tP1.MC\tT1.IV\tP2.MC\tP3.MC\tT2.IV\tP4.MC", "0\t1\t1\t0\t4\t0\t0",
                         "2\t0\t0\t1\t4\t1\t0", "6\t0\t0\t1\t0\t0\t4"}));
}

TEST(BatchMode, DiscreteCycleRepeatsUntilTheDuration) {
    ProgramFolder programs;
    TempFolder out;
    const BatchRun run =
        runWith({"--simulate", exampleDocument("discrete_cycle.pn").string(), "--out", out.path().string()},
                programs.settings());
    ASSERT_EQ(run.status, kBatchSuccess) << run.err;
    // T1 (1) and T2 (2) pass one token around: P1 holds it on [0, 1), [3, 4), [6, 7), [9, 10).
    EXPECT_EQ(readText(out.path() / "discrete_cycle-1-Two-stage_cycle.txt"),
              crlfLines({"Date\tP1.MC\tT1.IV\tP2.MC\tT2.IV", "0\t1\t1\t0\t0", "1\t0\t0\t1\t1", "3\t1\t1\t0\t0",
                         "4\t0\t0\t1\t1", "6\t1\t1\t0\t0", "7\t0\t0\t1\t1", "9\t1\t1\t0\t0",
                         "10\t0\t0\t1\t1"}));
}

TEST(BatchMode, TableFilesGoBesideTheDocumentByDefault) {
    ProgramFolder programs;
    TempFolder folder;
    const std::filesystem::path copy = folder.path() / "valve.pn";
    std::filesystem::copy_file(exampleDocument("hybrid_valve.pn"), copy);
    const BatchRun run = runWith({"--simulate", copy.string()}, programs.settings());
    ASSERT_EQ(run.status, kBatchSuccess) << run.err;
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "valve-1-Timed_valve.txt"));
}

TEST(BatchMode, SheetFailingVerificationPrintsItsMessagesAndSimulatesNothing) {
    ProgramFolder programs;
    TempFolder folder;
    auto document = newDocument();
    NetSheet& good = document->sheet(0);
    Place& p1 = continuousPlace(good, 1, 1);
    addArc(good, p1, continuousTransition(good, 1));
    NetSheet& bad = document->newSheet();
    bad.setName("broken");
    continuousPlace(bad, 1);
    const std::filesystem::path path = folder.path() / "broken.pn";
    ASSERT_TRUE(saveDocument(*document, path.string(), {}));

    const BatchRun run = runWith({"--simulate", path.string()}, programs.settings());
    EXPECT_EQ(run.status, kBatchVerifyFailed);
    EXPECT_NE(run.err.find("PN 2 \"broken\" fails verification:\n  Place P1 without input and output arc.\n"
                           "  No defined transition.\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "broken-1-PN_n_1.txt"));
}

TEST(BatchMode, MissingEngineIsReportedAndTheTableHoldsTheInitialState) {
    ProgramFolder programs;
    std::filesystem::remove(programs.hybridFolder() / "mixsim");
    TempFolder out;
    const BatchRun run =
        runWith({"--simulate", exampleDocument("hybrid_valve.pn").string(), "--out", out.path().string()},
                programs.settings());
    EXPECT_EQ(run.status, kBatchRunFailed);
    EXPECT_NE(run.out.find("0 steps"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("run ended early: engine program"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("mixsim not found"), std::string::npos) << run.out;
    EXPECT_EQ(readText(out.path() / "hybrid_valve-1-Timed_valve.txt"),
              crlfLines({"Date\tP1.MC\tT1.IV\tP2.MC\tP3.MC\tT2.IV\tP4.MC", "0\t1\t2\t0\t4\t1\t0"}));
}

// The sample document with every sheet's duration replaced.
std::filesystem::path tanksWithDuration(const TempFolder& folder, const std::string& duration) {
    std::string text = readText(exampleDocument("continuous_tanks.pn"));
    for (std::size_t at = text.find("duration=\"10\""); at != std::string::npos; at = text.find("duration=\"10\""))
        text.replace(at, std::string_view("duration=\"10\"").size(), "duration=\"" + duration + "\"");
    const std::filesystem::path path = folder.path() / ("tanks" + duration + ".pn");
    writeText(path, text);
    return path;
}

TEST(BatchMode, NoSheetStepsPastItsDuration) {
    ProgramFolder programs;
    TempFolder folder;
    // Duration 7: the first net's rates row would extrapolate to 9 (6 plus the mean phase of 3); it
    // stops at 7 with nothing changing after 6. The second net ends at 4 as before.
    BatchRun run = runWith({"--simulate", tanksWithDuration(folder, "7").string()}, programs.settings());
    ASSERT_EQ(run.status, kBatchSuccess) << run.err;
    EXPECT_NE(run.out.find("\"Two tanks\": continuous engine (flowrun), 4 steps, final clock 7\n"
                           "  markings: P1=0 P2=0 P3=6\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"Shared outlet\": continuous engine (flowrun), 3 steps, final clock 4\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(readText(folder.path() / "tanks7-1-Two_tanks.txt"),
              crlfLines({"Date\tP1.MC\tT1.IV\tP2.MC\tT2.IV\tP3.MC", "0\t6\t3\t0\t1\t0", "2\t0\t0\t4\t1\t2",
                         "6\t0\t0\t0\t0\t6"}));

    // Duration 4: the second phase of the first net (2 to 6) is cut half way, where P2 has drained
    // from 4 to 2 into P3 (2 to 4); the table's last row is that moment (shown as "Fin" in the window).
    run = runWith({"--simulate", tanksWithDuration(folder, "4").string()}, programs.settings());
    ASSERT_EQ(run.status, kBatchSuccess) << run.err;
    EXPECT_NE(run.out.find("\"Two tanks\": continuous engine (flowrun), 3 steps, final clock 4\n"
                           "  markings: P1=0 P2=2 P3=4\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"Shared outlet\": continuous engine (flowrun), 3 steps, final clock 4\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(readText(folder.path() / "tanks4-1-Two_tanks.txt"),
              crlfLines({"Date\tP1.MC\tT1.IV\tP2.MC\tT2.IV\tP3.MC", "0\t6\t3\t0\t1\t0", "2\t0\t0\t4\t1\t2",
                         "4\t0\t0\t2\t1\t4"}));
}

TEST(BatchMode, BadValuesAndDamagedFilesAreRefusedWithoutResults) {
    ProgramFolder programs;
    TempFolder folder;
    // A discrete place holding 2.7 tokens fails verification, naming the place.
    auto document = newDocument();
    NetSheet& sheet = document->sheet(0);
    Place& place = discretePlace(sheet, 1, 2.7);
    addArc(sheet, place, discreteTransition(sheet, 1));
    const std::filesystem::path fractional = folder.path() / "fractional.pn";
    ASSERT_TRUE(saveDocument(*document, fractional.string(), {}));
    BatchRun run = runWith({"--simulate", fractional.string()}, programs.settings());
    EXPECT_EQ(run.status, kBatchVerifyFailed);
    EXPECT_NE(run.err.find("The marking of place P1 is not a whole number of tokens."), std::string::npos) << run.err;
    place.setInitialMarking(-2);
    ASSERT_TRUE(saveDocument(*document, fractional.string(), {}));
    run = runWith({"--simulate", fractional.string()}, programs.settings());
    EXPECT_EQ(run.status, kBatchVerifyFailed);
    EXPECT_NE(run.err.find("The marking of place P1 is negative."), std::string::npos) << run.err;

    // A file cut short opens as nothing: the file is named, nothing is simulated or written.
    const std::string whole = readText(exampleDocument("continuous_tanks.pn"));
    for (std::size_t length : {1500u, 3500u}) {
        const std::filesystem::path cut = folder.path() / ("cut" + std::to_string(length) + ".pn");
        writeText(cut, whole.substr(0, length));
        run = runWith({"--simulate", cut.string()}, programs.settings());
        EXPECT_EQ(run.status, kBatchUsageError) << length;
        EXPECT_NE(run.err.find("Incorrect file format \"" + cut.string() + "\". The file is damaged at line "),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
}

TEST(BatchMode, HelpAndBadArguments) {
    ProgramFolder programs;
    BatchRun run = runWith({"--help"}, programs.settings());
    EXPECT_EQ(run.status, kBatchSuccess);
    EXPECT_NE(run.out.find("--simulate DOCUMENT.pn [--out FOLDER]"), std::string::npos);

    run = runWith({"--simulate"}, programs.settings());
    EXPECT_EQ(run.status, kBatchUsageError);
    EXPECT_NE(run.err.find("--simulate needs a value"), std::string::npos) << run.err;

    run = runWith({"--simulate", "a.pn", "--fast"}, programs.settings());
    EXPECT_EQ(run.status, kBatchUsageError);
    EXPECT_NE(run.err.find("unexpected argument \"--fast\""), std::string::npos) << run.err;

    run = runWith({"--simulate", "/nonexistent/none.pn"}, programs.settings());
    EXPECT_EQ(run.status, kBatchUsageError);
    EXPECT_NE(run.err.find("Can't open file"), std::string::npos) << run.err;

    const char* gui[] = {"tokarium", "document.pn"};
    EXPECT_FALSE(wantsBatchMode(2, gui));
    const char* help[] = {"tokarium", "--help"};
    EXPECT_TRUE(wantsBatchMode(2, help));
}

} // namespace
} // namespace tokarium
