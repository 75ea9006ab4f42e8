// The built mixsim program run in a temporary folder.
#include "tests/engines/hybrid/data_text.h"

#include "tests/engines/hybrid/program_fixture.h"

#include <gtest/gtest.h>

namespace mixsim {
namespace {

using testing::MixsimProgram;
using testing::ProgramRun;

testing::NetText smallNet()
{
    testing::NetText net;
    net.title = "Small";
    net.P = 2;
    net.T = 2;
    net.pozdis = {1};
    net.trandis = {1};
    net.pre = {{1, 1}, {0, 0}};
    net.post = {{0, 0}, {1, 1}};
    net.marcaj = {1, 0};
    net.valori = {1, 1};
    net.conflicte = {1, 2};
    return net;
}

TEST_F(MixsimProgram, WritesTheReportsAndResultFilesForAGoodNetWithNoFlowrunBesideIt)
{
    writeData(smallNet().text());
    const ProgramRun result = run();
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_TRUE(result.errors.empty()) << result.errors;
    for (const char* name : {"Pos.dat", "Pos1.dat", "Pos2.dat", "Tran.dat", "Tran1.dat", "Tran2.dat",
                             "results_hybrid.htm", "short_results_hybrid.htm"}) {
        EXPECT_TRUE(exists(name)) << name;
    }
    const std::string report = readFile("results_hybrid.htm");
    EXPECT_EQ(report.rfind("<title>Hybrid Petri Nets</title>", 0), 0u);
    EXPECT_EQ(report.substr(report.size() - 7), "</body>");
}

TEST_F(MixsimProgram, AMissingFlowrunProgramEndsTheRunWithAClearLineAndCompleteFiles)
{
    writeData(smallNet().text());
    const ProgramRun result = run({"--flowrun=./flowrun"});
    EXPECT_EQ(result.status, 4);
    EXPECT_NE(result.errors.find("cannot start ./flowrun: No such file or directory"), std::string::npos) << result.errors;
    const std::string report = readFile("results_hybrid.htm");
    EXPECT_NE(report.find("The simulation stops: the speeds of subnet 1 at t=0.00 cannot be computed"),
              std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 7), "</body>");
    EXPECT_EQ(readFile("Pos.dat"), "0\n");
    EXPECT_EQ(readFile("Tran.dat"), "0\n");
}

TEST_F(MixsimProgram, StopsOnAMissingInputFile)
{
    const ProgramRun result = run();
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(result.errors, "mixsim: data.txt: cannot be read\n");
    EXPECT_TRUE(resultFiles().empty());
}

TEST_F(MixsimProgram, StopsOnBadInputBeforeWritingAnyResultFile)
{
    const std::string good = smallNet().text();
    testing::NetText placeHigh = smallNet();
    placeHigh.pozdis = {3};
    testing::NetText transitionHigh = smallNet();
    transitionHigh.trandis = {0};
    testing::NetText negative = smallNet();
    negative.T = -1;
    std::string word = good;
    word.replace(word.find("Small\r\n2"), 8, "Small\r\ntwo");
    const auto changed = [](auto change) {
        testing::NetText net = smallNet();
        change(net);
        return net.text();
    };
    std::string notFinite = good;
    notFinite.replace(notFinite.rfind("1\r\n1\r\n2\r\n"), 1, "nan");

    const struct {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"short file", good.substr(0, good.size() / 2), "but its header announces at least"},
        {"place outside 1..P", placeHigh.text(), "discrete place number 3 (line 6) is outside 1..2"},
        {"transition outside 1..T", transitionHigh.text(),
         "discrete transition number 0 (line 7) is outside 1..2"},
        {"negative count", negative.text(), "the number of transitions is -1 (line 4)"},
        {"word instead of a number", word, "line 2: \"two\" is not a number"},
        {"not a finite number", notFinite, "\"nan\" is not a number"},
        {"negative weight", changed([](auto& net) { net.pre[1][0] = -1e308; }),
         "the arc weight -1e+308 (line 10) between place P2 and transition T1 is negative"},
        {"negative continuous marking", changed([](auto& net) { net.marcaj[1] = -2; }),
         "the initial marking of place P2 (line 17) is -2; it must be 0 or more, or -1 for 0+"},
        {"fractional discrete marking", changed([](auto& net) { net.marcaj[0] = 2.7; }),
         "the initial marking of place P1 (line 16) is 2.7; a discrete place holds a whole number"},
        {"negative duration", changed([](auto& net) { net.valori[0] = -3; }),
         "the duration of transition T1 (line 18) is -3"},
        {"negative speed", changed([](auto& net) { net.valori[1] = -0.5; }),
         "the maximal speed of transition T2 (line 19) is -0.5"},
    };
    for (const auto& bad : cases) {
        writeData(bad.text);
        const ProgramRun result = run();
        EXPECT_EQ(result.status, 1) << bad.name;
        EXPECT_EQ(result.errors.rfind("mixsim: data.txt: ", 0), 0u) << bad.name << ": " << result.errors;
        EXPECT_NE(result.errors.find(bad.message), std::string::npos)
            << bad.name << ": " << result.errors;
        EXPECT_TRUE(resultFiles().empty()) << bad.name;
    }
}

TEST_F(MixsimProgram, EveryTruncationOfAGoodFileIsRefusedWithoutResults)
{
    // Cut anywhere before its last number, the file lacks a value it needs: a count, a weight, a
    // marking, a transition value or a priority of its conflict.
    const std::string good = smallNet().text();
    const std::size_t lastValue = good.rfind("2\r\n");
    for (std::size_t length = 0; length < lastValue; ++length) {
        writeData(good.substr(0, length));
        const ProgramRun result = run();
        EXPECT_EQ(result.status, 1) << length;
        EXPECT_LT(result.errors.size(), 300u) << length;
        EXPECT_TRUE(resultFiles().empty()) << length;
    }
}

}  // namespace
}  // namespace mixsim
