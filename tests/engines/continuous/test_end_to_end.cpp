// Runs the built flowrun with the real lp_solve on small nets and checks its result files.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/engines/continuous/flowrun_test_support.h"
#include "tests/engines/continuous/hand_derived_nets.h"

namespace flowrun::test {
namespace {

void expectTable(const std::string& actual, const std::string& expected, const std::string& what)
{
    const auto actualRows = tableRows(actual);
    const auto expectedRows = tableRows(expected);
    ASSERT_EQ(actualRows.size(), expectedRows.size()) << what << ":\n" << actual;
    for (std::size_t r = 0; r < expectedRows.size(); ++r) {
        ASSERT_EQ(actualRows[r].size(), expectedRows[r].size()) << what << " row " << r << ":\n" << actual;
        for (std::size_t f = 0; f < expectedRows[r].size(); ++f) {
            const std::string& want = expectedRows[r][f];
            const std::string& got = actualRows[r][f];
            if (want.empty()) {
                EXPECT_TRUE(got.empty()) << what << " row " << r << " field " << f << ": " << got;
                continue;
            }
            EXPECT_NEAR(std::strtod(got.c_str(), nullptr), std::strtod(want.c_str(), nullptr), 1e-3)
                << what << " row " << r << " field " << f << ":\n" << actual;
        }
    }
}

class FlowrunNets : public ::testing::TestWithParam<NetCase> {};

TEST_P(FlowrunNets, ResultTablesMatchHandDerivedValues)
{
    const NetCase& net = GetParam();
    TempFolder folder;
    writeText(folder.file("date.dat"), net.input);
    ASSERT_EQ(runFlowrun(folder.path()), 0);
    expectTable(readText(folder.file("P.rez")), net.places, std::string(net.name) + " P.rez");
    expectTable(readText(folder.file("T.rez")), net.transitions, std::string(net.name) + " T.rez");
    EXPECT_TRUE(std::filesystem::exists(folder.file("results.htm")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("short_results.htm")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("date.lp")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("date.out")));
}

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(SmallNets, FlowrunNets, ::testing::ValuesIn(kNets), caseName<NetCase>);

TEST(FlowrunRun, WritesEveryResultFileAndRemovesOldOnes)
{
    TempFolder folder;
    writeText(folder.file("date.dat"), kNets[1].input);
    writeText(folder.file("P9.rez"), "old");
    writeText(folder.file("OLD.REZ"), "old");
    ASSERT_EQ(runFlowrun(folder.path()), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("P9.rez")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("OLD.REZ")));
    for (const char* name : {"P1.rez", "P2.rez", "P3.rez", "T1.rez", "T2.rez"})
        EXPECT_TRUE(std::filesystem::exists(folder.file(name))) << name;
    // K = 3 states: count line and 2K lines per place, count line and 2K - 1 per transition.
    EXPECT_EQ(readText(folder.file("P1.rez")), "3\n6.00\n2.00\n0.00\n4.00\n0.00\n0.00\n");
    EXPECT_EQ(readText(folder.file("T2.rez")), "3\n1.00\n2.00\n1.00\n4.00\n0.00\n");
    const std::string brief = readText(folder.file("short_results.htm"));
    EXPECT_NE(brief.find("IB-state 1, t from 0 to 2"), std::string::npos);
    EXPECT_NE(brief.find("IB-state 2, t from 2 to 6"), std::string::npos);
    EXPECT_NE(brief.find("IB-state 3, t =0"), std::string::npos);
    const std::string report = readText(folder.file("results.htm"));
    EXPECT_NE(report.find("THIS IS THE LAST PHASE. ALL THE BALLANCES ARE NON-NEGATIVE"), std::string::npos);
    EXPECT_NE(report.find("The phase duration is infinite"), std::string::npos);
    EXPECT_NE(report.find("<font color=#772277><h3><b>PHASE 1</h3></font>"), std::string::npos);
    EXPECT_NE(report.find("</body></html>"), std::string::npos);
}

// Bad input leaves a clear line in a small report, exit status 1 and no result file at all.
void expectRefused(const std::filesystem::path& folder, const std::string& reason)
{
    const std::string report = readText(folder / "results.htm");
    EXPECT_NE(report.find("flowrun stopped"), std::string::npos) << report;
    EXPECT_NE(report.find(reason), std::string::npos) << report;
    std::uintmax_t written = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_NE(entry.path().extension(), ".rez") << entry.path();
        written += entry.file_size();
    }
    EXPECT_LT(written, 16u * 1024u);
}

struct BadInput {
    const char* name;
    const char* input;
    const char* reason;
};

const BadInput kBadInputs[] = {
    {"empty", "", "holds no net"},
    {"title only", "a title\n", "holds no net"},
    {"not numbers", "title\nabc def ghi\n", "neither places nor transitions"},
    {"negative counts", "title\n-2 3\n", "negative"},
    {"too many transitions", "title\n1 10000\n", "too large"},
    {"too many cells", "title\n9000 9000\n", "too large"},
    {"infinite speed without input", "title\n1 1\n0\n1\n0\n-1\n", "no input place"},
    // An infinite-speed T1 puts back twice what it takes from P1: the marking doubles each cycle.
    {"unbounded infinite firing", "title\n1 1\n1\n2\n1\n-1\n", "unbounded"},
    {"matrix cut short", "title\n2 2\n1 0\n", "ends early: 2 places and 2 transitions need 14 numbers, the file holds 4"},
    {"many transitions declared, few given", "title\n1 5000\n1\n", "ends early"},
    {"speed missing", "cut\n2 1\n1 0\n0 1\n4 0", "ends early"},
    {"negative input weight", "title\n1 1\n-1e308\n0\n1\n1\n", "weight of the arc from P1 to T1 is -inf"},
    {"input weight beyond the engine's reals", "title\n1 1\n1e308\n0\n1\n1\n", "arc from P1 to T1 is inf"},
    {"negative output weight", "title\n1 1\n1\n-2\n1\n1\n", "weight of the arc from T1 to P1 is -2"},
    {"weight beyond a double", "title\n1 1\n1e999\n0\n1\n1\n", "arc from P1 to T1 is nan"},
    {"nan marking", "title\n1 1\n1\n0\nnan\n1\n", "initial marking of P1 is nan"},
    {"negative marking", "title\n1 1\n1\n0\n-2\n1\n", "initial marking of P1 is -2"},
    {"negative speed", "title\n1 1\n1\n0\n1\n-3\n", "maximal speed of T1 is -3"},
    {"infinite speed written out", "title\n1 1\n1\n0\n1\ninf\n", "maximal speed of T1 is nan"},
    {"negative sharing ratio", "title\n1 2\n1 1\n0 0\n5\n1 1\n1 1\n-1 1\n", "sharing ratio of T1 at P1 is -1"},
};

class FlowrunBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(FlowrunBadInput, IsRefusedClearlyAlikeOnBothSolverPaths)
{
    std::string reports[2];
    for (int path = 0; path < 2; ++path) {
        TempFolder folder;
        writeText(folder.file("date.dat"), GetParam().input);
        EXPECT_EQ(runFlowrun(folder.path(), nullptr, {}, {path == 0 ? "--solver=library" : "--solver=cli"}), 1);
        expectRefused(folder.path(), GetParam().reason);
        reports[path] = readText(folder.file("results.htm"));
    }
    EXPECT_TRUE(reports[0] == reports[1]) << "the two solver paths report the refusal differently";
}

INSTANTIATE_TEST_SUITE_P(Refused, FlowrunBadInput, ::testing::ValuesIn(kBadInputs), caseName<BadInput>);

TEST(FlowrunRun, EveryCutOfTheValuesIsRefusedAndOnlyTheConflictDataMayRunShort)
{
    // P1 feeds T1 and T2 at equal priority; the ratios close the file.
    const std::string whole = "cut\n1 2\n1 1\n0 0\n5\n1 1\n1 1\n1 1\n";
    const std::size_t mandatoryEnd = whole.find("\n1 1\n1 1\n", whole.find("5\n")) + 4;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        TempFolder folder;
        writeText(folder.file("date.dat"), whole.substr(0, length));
        const int status = runFlowrun(folder.path());
        if (length < mandatoryEnd) {
            EXPECT_EQ(status, 1) << length;
            expectRefused(folder.path(), length < 5 ? "holds no net" : "ends early");
        } else {
            // Missing ratios repeat the last token read, as the hybrid engine's sub-nets rely on.
            EXPECT_EQ(status, 0) << length;
        }
    }
}

TEST(FlowrunRun, SolverChoiceComesFromTheOptionOrTheEnvironment)
{
    struct Choice {
        std::vector<std::string> settings;
        std::vector<std::string> arguments;
        int status;
        bool keepsModel;  // "date.lp" left after the run
    };
    const Choice choices[] = {
        {{}, {"--lp-file"}, 0, true},
        {{"TOKARIUM_SOLVER=cli"}, {}, 0, false},
        {{"TOKARIUM_SOLVER=cli"}, {"--solver=library"}, 0, false},
        {{"TOKARIUM_SOLVER=simplex"}, {}, 1, false},
        {{}, {"--solver=simplex"}, 1, false},
        {{}, {"--verbose"}, 1, false},
    };
    for (const Choice& choice : choices) {
        TempFolder folder;
        writeText(folder.file("date.dat"), kNets[1].input);
        const std::string what = choice.settings.empty() ? choice.arguments.front() : choice.settings.front();
        EXPECT_EQ(runFlowrun(folder.path(), nullptr, choice.settings, choice.arguments), choice.status) << what;
        EXPECT_EQ(std::filesystem::exists(folder.file("date.lp")), choice.keepsModel) << what;
        EXPECT_EQ(std::filesystem::exists(folder.file("P.rez")), choice.status == 0) << what;
    }
}

TEST(FlowrunRun, MissingInputFileEndsWithStatusOne)
{
    TempFolder folder;
    EXPECT_EQ(runFlowrun(folder.path()), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("P.rez")));
}

TEST(FlowrunRun, MissingSolverStopsTheRunWithoutResults)
{
    TempFolder folder;
    writeText(folder.file("date.dat"), kNets[0].input);
    const std::string emptyPath = folder.path().string() + "/no-such-folder";
    EXPECT_EQ(runFlowrun(folder.path(), &emptyPath, {"TOKARIUM_SOLVER=cli"}), 1);
    expectRefused(folder.path(), "lp_solve was not found");
}

TEST(FlowrunRun, RunsFromTheHybridWorkingFolderToo)
{
    EXPECT_TRUE(std::filesystem::exists(TOKARIUM_BIN_DIR "/HybridPNs/flowrun"));
}

}  // namespace
}  // namespace flowrun::test
