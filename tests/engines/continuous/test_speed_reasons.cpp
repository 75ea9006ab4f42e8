// The causes of the speeds below their maximum, written by the built flowrun with --explain on
// nets whose cause is known by construction, on both solver paths.
#include <filesystem>
#include <regex>

#include <gtest/gtest.h>

#include "tests/engines/continuous/flowrun_test_support.h"

namespace flowrun::test {
namespace {

struct ReasonCase {
    const char* name;
    const char* input;
    // "why.rez" of the library path; the program path gives no dual values.
    const char* causes;
    // One line of the report's section.
    const char* reportLine;
};

// Every net: P1 holds 4 (6 in the last) and feeds the empty P2 through T1; P2 is drained by the others.
const ReasonCase kCases[] = {
    {"an empty place fed slower than its output",
     "feed\n3 2\n1 0  0 1  0 0\n0 0  1 0  0 1\n4 0 0\n1 3\n",
     "0\t2\t{P2} is empty, fed by {T1} at 1; the linear program of priority level 1 holds its balance at 0 (dual value 1)\n"
     "1\t1\t{P1} is empty and nothing feeds it\n"
     "1\t2\t{P2} is empty and nothing feeds it\n",
     "T2 runs at 1 instead of 3: P2 is empty, fed by T1 at 1; the linear program of priority level 1 holds its "
     "balance at 0"},
    {"a conflict settled by priority",
     "prio\n4 3\n1 0 0  0 1 1  0 0 0  0 0 0\n0 0 0  1 0 0  0 1 0  0 0 1\n4 0 0 0\n2 2 2\n1 2\n",
     "0\t3\t{P2} is empty, fed by {T1} at 2; {T2} (priority 1) takes 2 of it, and nothing is left for {T3} (priority 2)\n"
     "1\t1\t{P1} is empty and nothing feeds it\n"
     "1\t2\t{P2} is empty and nothing feeds it\n"
     "1\t3\t{P2} is empty and nothing feeds it\n",
     "T3 runs at 0 instead of 2: P2 is empty, fed by T1 at 2; T2 (priority 1) takes 2 of it, and nothing is left for "
     "T3 (priority 2)<br>"},
    {"a 1 to 2 sharing ratio between two",
     "share\n4 3\n1 0 0  0 1 1  0 0 0  0 0 0\n0 0 0  1 0 0  0 1 0  0 0 1\n4 0 0 0\n3 5 5\n1 1 1 2\n",
     "0\t2\t{P2} is empty, fed by {T1} at 3, and shared in the ratios {T2} 1 : {T3} 2 (5.A step 5)\n"
     "0\t3\t{P2} is empty, fed by {T1} at 3, and shared in the ratios {T2} 1 : {T3} 2 (5.A step 5)\n"
     "1\t1\t{P1} is empty and nothing feeds it\n"
     "1\t2\t{P2} is empty and nothing feeds it\n"
     "1\t3\t{P2} is empty and nothing feeds it\n",
     "T3 runs at 1 instead of 5: P2 is empty, fed by T1 at 3, and shared in the ratios T2 1 : T3 2 (5.A step 5)<br>"},
    {"a chain of empty places",
     "chain\n4 3\n1 0 0  0 1 0  0 0 1  0 0 0\n0 0 0  1 0 0  0 1 0  0 0 1\n4 0 0 0\n1 2 3\n",
     "0\t2\t{P2} is empty, fed by {T1} at 1; the linear program of priority level 1 holds its balance at 0 (dual value 2)\n"
     "0\t3\t{P3} is empty, fed by {T2} at 1 ({T2} is limited too); the linear program of priority level 1 holds its "
     "balance at 0 (dual value 1)\n"
     "1\t1\t{P1} is empty and nothing feeds it\n"
     "1\t2\t{P2} is empty and nothing feeds it\n"
     "1\t3\t{P3} is empty and nothing feeds it\n",
     "T3 runs at 1 instead of 3: P3 is empty, fed by T2 at 1 (T2 is limited too); the linear program of priority "
     "level 1 holds its balance at 0"},
    {"three sharers in the ratios 1, 1 and 2",
     "three\n5 4\n1 0 0 0  0 1 1 1  0 0 0 0  0 0 0 0  0 0 0 0\n0 0 0 0  1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1\n"
     "6 0 0 0 0\n3 5 5 5\n1 1 1 1 1 2\n",
     "0\t2\t{P2} is empty, fed by {T1} at 3, and shared in the ratios {T2} 1 : {T3} 1 : {T4} 2 (5.B step 5)\n"
     "0\t3\t{P2} is empty, fed by {T1} at 3, and shared in the ratios {T2} 1 : {T3} 1 : {T4} 2 (5.B step 5)\n"
     "0\t4\t{P2} is empty, fed by {T1} at 3, and shared in the ratios {T2} 1 : {T3} 1 : {T4} 2 (5.B step 5)\n"
     "1\t1\t{P1} is empty and nothing feeds it\n"
     "1\t2\t{P2} is empty and nothing feeds it\n"
     "1\t3\t{P2} is empty and nothing feeds it\n"
     "1\t4\t{P2} is empty and nothing feeds it\n",
     "T4 runs at 0.6 instead of 5: P2 is empty"},
};

TEST(FlowrunSpeedReasons, NameTheCauseKnownByConstructionOnBothSolverPaths)
{
    for (const ReasonCase& test : kCases) {
        for (const char* solver : {"--solver=library", "--solver=cli"}) {
            TempFolder folder;
            writeText(folder.file("date.dat"), test.input);
            ASSERT_EQ(runFlowrun(folder.path(), nullptr, {}, {solver, "--explain"}), 0) << test.name << " " << solver;
            std::string expected = test.causes;
            if (std::string(solver) == "--solver=cli")
                expected = std::regex_replace(expected, std::regex(" \\(dual value [0-9.]+\\)"), "");
            EXPECT_EQ(readText(folder.file("why.rez")), expected) << test.name << " " << solver;
            const std::string report = readText(folder.file("results.htm"));
            const std::size_t section = report.find("<b>WHY THESE SPEEDS:</b>");
            ASSERT_NE(section, std::string::npos) << test.name;
            EXPECT_NE(report.find(test.reportLine, section), std::string::npos) << test.name << "\n" << report.substr(section);
            EXPECT_LT(section, report.find("<b>BREEF RESULTS:</b>")) << test.name;
        }
    }
}

// Without the option not a byte changes; with it the report gains its section before the brief
// results and the folder gains "why.rez", nothing else.
TEST(FlowrunSpeedReasons, OnlyTheOptionAddsTheSectionAndTheFile)
{
    for (const ReasonCase& test : kCases) {
        TempFolder plain;
        TempFolder explained;
        writeText(plain.file("date.dat"), test.input);
        writeText(explained.file("date.dat"), test.input);
        ASSERT_EQ(runFlowrun(plain.path()), 0);
        ASSERT_EQ(runFlowrun(explained.path(), nullptr, {}, {"--explain"}), 0);
        EXPECT_FALSE(std::filesystem::exists(plain.file("why.rez")));
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(plain.path())) {
            ++files;
            const std::string name = entry.path().filename().string();
            const std::string before = readText(entry.path());
            const std::string after = readText(explained.file(name));
            if (name != "results.htm") {
                EXPECT_EQ(after, before) << test.name << " " << name;
                continue;
            }
            const std::size_t start = after.find("<font color=#0055ff><br><br><b>WHY THESE SPEEDS:");
            const std::size_t end = after.find("<font color=#0055ff><br><br><b>BREEF RESULTS:");
            ASSERT_TRUE(start != std::string::npos && end != std::string::npos && start < end) << test.name;
            EXPECT_EQ(after.substr(0, start) + after.substr(end), before) << test.name;
        }
        std::size_t explainedFiles = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(explained.path()))
            ++explainedFiles;
        EXPECT_EQ(explainedFiles, files + 1) << test.name;
    }
}

}  // namespace
}  // namespace flowrun::test
