// The command-line tools end to end: PNML round trips simulate identically, CSV tables, analysis.
#include <gtest/gtest.h>

#include <sstream>

#include "gui/bridge/batch_mode.h"
#include "gui/bridge/batch_tools.h"
#include "tests/gui/bridge/bridge_test_support.h"

namespace tokarium {
namespace {

using namespace testing;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun runCommand(std::vector<std::string> arguments, const BridgeSettings* settings = nullptr) {
    arguments.insert(arguments.begin(), "tokarium");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    std::ostringstream out, err;
    ToolRun run;
    const int argc = static_cast<int>(argv.size());
    EXPECT_EQ(wantsBatchTool(argc, argv.data()), settings == nullptr);
    run.status = settings ? runBatch(argc, argv.data(), out, err, *settings) : runBatchTool(argc, argv.data(), out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(BatchTools, PnmlRoundTripOfEverySampleSimulatesIdentically) {
    ProgramFolder programs;
    const BridgeSettings settings = programs.settings();
    for (const char* sample : {"continuous_tanks", "discrete_cycle", "hybrid_valve"}) {
        TempFolder folder;
        const std::filesystem::path original = exampleDocument(std::string(sample) + ".pn");
        const std::filesystem::path pnml = folder.path() / (std::string(sample) + ".pnml");
        const std::filesystem::path imported = folder.path() / (std::string(sample) + ".pn");
        ASSERT_EQ(runCommand({"--export-pnml", original.string(), "--out", pnml.string()}).status, 0) << sample;
        const ToolRun import = runCommand({"--import-pnml", pnml.string(), "--out", imported.string()});
        ASSERT_EQ(import.status, 0) << import.err;

        const ToolRun first = runCommand({"--simulate", original.string(), "--out", (folder.path() / "a").string()}, &settings);
        const ToolRun second = runCommand({"--simulate", imported.string(), "--out", (folder.path() / "b").string()}, &settings);
        ASSERT_EQ(first.status, 0) << first.err;
        ASSERT_EQ(second.status, 0) << second.err;
        // The summaries differ only in the table paths; the tables are the same files.
        std::size_t tables = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path() / "a")) {
            EXPECT_EQ(readText(entry.path()), readText(folder.path() / "b" / entry.path().filename())) << entry.path();
            ++tables;
        }
        EXPECT_GT(tables, 0u);
        std::string firstSummary = first.out, secondSummary = second.out;
        for (std::string* summary : {&firstSummary, &secondSummary})
            for (std::size_t at = summary->find("  table: "); at != std::string::npos; at = summary->find("  table: "))
                summary->erase(at, summary->find('\n', at) - at + 1);
        EXPECT_EQ(firstSummary, secondSummary) << sample;
    }
}

TEST(BatchTools, CsvTablesCarryNamesAndFullPrecision) {
    ProgramFolder programs;
    const BridgeSettings settings = programs.settings();
    TempFolder out;
    const ToolRun run = runCommand(
        {"--simulate", exampleDocument("continuous_tanks.pn").string(), "--out", out.path().string(), "--format", "csv"},
        &settings);
    ASSERT_EQ(run.status, kBatchSuccess) << run.err;
    // The same states as the text table: P1 (6) empties at speed 3 into P2 until time 2.
    EXPECT_EQ(readText(out.path() / "continuous_tanks-1-Two_tanks.csv"),
              crlfLines({"time,P1,T1,P2,T2,P3", "0,6,3,0,1,0", "2,0,0,4,1,2", "6,0,0,0,0,6"}));
    // T2 and T3 share P2's feed of 2 with ratios 1 and 3: 1.5 and 0.5.
    EXPECT_EQ(readText(out.path() / "continuous_tanks-2-Shared_outlet.csv"),
              crlfLines({"time,P1,T1,P2,T2,T3,P3,P4", "0,4,2,0,1.5,0.5,0,0", "2,0,0,0,0,0,3,1"}));
    EXPECT_EQ(runCommand({"--simulate", "x.pn", "--format", "xls"}, &settings).status, kBatchUsageError);
}

TEST(BatchTools, AnalysisOfTheTanksSample) {
    const ToolRun run = runCommand({"--analyse", exampleDocument("continuous_tanks.pn").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    // Two tanks: P1 (6) -> T1 -> P2 -> T2 -> P3, so P1 + P2 + P3 stays 6.
    EXPECT_NE(run.out.find("PN 1 \"Two tanks\"\n  3 places, 2 transitions\n"
                           "  P-invariants (minimal, semi-positive): 1\n    P1 + P2 + P3 = 6\n"
                           "  Covered by P-invariants: yes, so the net is bounded\n"
                           "  T-invariants (minimal, semi-positive): none\n"
                           "  Minimal siphons: 1\n    {P1}\n  Minimal traps: 1\n    {P3}\n"),
              std::string::npos)
        << run.out;
}

TEST(BatchTools, BadInputFailsWithoutTouchingTheOutput) {
    TempFolder folder;
    const std::filesystem::path output = folder.path() / "out.pn";
    writeText(output, "previous");
    const std::filesystem::path malformed = folder.path() / "bad.pnml";
    writeText(malformed, "<pnml><net id=\"n\" type=\"http://www.pnml.org/version-2009/grammar/ptnet\">"
                         "<page id=\"g\"><place id=\"p\"/><arc id=\"a\" source=\"p\" target=\"nowhere\"/></page></net></pnml>");
    const std::filesystem::path refused = folder.path() / "refused.pnml";
    writeText(refused, "<pnml><net id=\"n\" type=\"http://www.pnml.org/version-2009/grammar/symmetricnet\"/></pnml>");
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"--import-pnml", malformed.string(), "--out", output.string()},
         "bad.pnml, line 1: arc \"a\": \"nowhere\" is not a place, a transition or a reference to one"},
        {{"--import-pnml", refused.string(), "--out", output.string()},
         "The net \"n\" has the type http://www.pnml.org/version-2009/grammar/symmetricnet and is not imported"},
        {{"--import-pnml", malformed.string()}, "tokarium: --import-pnml needs --out FILE"},
        {{"--analyse", malformed.string(), "--out", output.string()}, "tokarium: --analyse takes no --out"},
        {{"--export-pnml", (folder.path() / "missing.pn").string(), "--out", output.string()}, "Can't open file"},
        {{"--import-pnml", malformed.string(), "--analyse", output.string()}, "cannot be combined"},
    };
    for (const auto& test : cases) {
        const ToolRun run = runCommand(test.arguments);
        EXPECT_EQ(run.status, 1) << test.message;
        EXPECT_NE(run.err.find(test.message), std::string::npos) << run.err;
        EXPECT_EQ(readText(output), "previous");
    }
}

} // namespace
} // namespace tokarium
