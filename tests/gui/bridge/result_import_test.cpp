// Reading hand-written result files: lines, fields, numbers, counts and the four file layouts.
#include <gtest/gtest.h>

#include "gui/bridge/result_import.h"
#include "gui/bridge/result_text.h"
#include "tests/gui/bridge/bridge_test_support.h"

namespace tokarium {
namespace {

using namespace testing;

std::vector<std::string> allLines(std::string_view bytes) {
    ResultLines lines(bytes);
    std::vector<std::string> result;
    while (auto line = lines.next())
        result.emplace_back(*line);
    return result;
}

TEST(ResultLines, AcceptCrLfAndCrLfLineEnds) {
    const std::vector<std::string> expected{"1", "2", "3"};
    EXPECT_EQ(allLines("1\n2\n3\n"), expected);
    EXPECT_EQ(allLines("1\r\n2\r\n3\r\n"), expected);
    EXPECT_EQ(allLines("1\r2\r3\r"), expected);
    EXPECT_EQ(allLines("1\r2\n3"), expected);
    // Empty lines inside count; an empty remainder at the end does not.
    EXPECT_EQ(allLines("1\n\n3\n"), (std::vector<std::string>{"1", "", "3"}));
    EXPECT_EQ(allLines(""), std::vector<std::string>{});
}

TEST(ResultFields, SplitAtTabsOnly) {
    EXPECT_EQ(splitFields("").size(), 0u);
    EXPECT_EQ(splitFields("1 2").size(), 1u);
    EXPECT_EQ(splitFields("\t\t").size(), 3u);
    EXPECT_EQ(fieldValues("1,5\t2", 2), (std::vector<double>{1.5, 2}));
    EXPECT_EQ(fieldValues("1.5e\t", 2), (std::vector<double>{1.5, 0}));
    EXPECT_EQ(fieldValues("abc\t inf \t-1\t 2.5e1 ", 4), (std::vector<double>{0, 0, -1, 25}));
    // Missing fields read as 0, extra ones are ignored.
    EXPECT_EQ(fieldValues("7", 3), (std::vector<double>{7, 0, 0}));
    EXPECT_EQ(fieldValues("1\t2\t3\t4", 2), (std::vector<double>{1, 2}));
    EXPECT_EQ(fieldValues("1..2\t+-3\t1e5e\t-01\t2.50e+00", 5), (std::vector<double>{0, 0, 0, -1, 2.5}));
}

TEST(ResultCounts, OnlySignAndDigits) {
    EXPECT_EQ(resultCount(" 12 "), 12);
    EXPECT_EQ(resultCount("+3"), 3);
    EXPECT_EQ(resultCount("3.0"), 0);
    EXPECT_EQ(resultCount("x"), 0);
    EXPECT_EQ(resultCount(""), 0);
}

TEST(ContinuousResults, PlaceFileOfCountTwoGivesThreeRows) {
    SimulationRun run;
    std::string problem;
    ASSERT_TRUE(readContinuousPlaceResults("2\r\n2\t4\t0\r\n\t0\t4\r\n\t0\t0\r\n", 2, run, problem)) << problem;
    ASSERT_EQ(run.placeResults.rows, 3u);
    ASSERT_EQ(run.placeResults.columns, 3u);
    EXPECT_EQ(run.placeResults.at(0, 0), 2);
    EXPECT_EQ(run.placeResults.at(0, 1), 4);
    EXPECT_EQ(run.placeResults.at(1, 0), 0);
    EXPECT_EQ(run.placeResults.at(1, 2), 4);
    ASSERT_TRUE(readContinuousTransitionResults("2\n2\t2\n0\t0\n", 1, run, problem)) << problem;
    EXPECT_EQ(run.transitionResults.rows, 2u);
    EXPECT_EQ(run.transitionResults.at(0, 1), 2);
}

TEST(ContinuousResults, DecimalCountReadsAsZeroAndStillExpectsOneRow) {
    SimulationRun run;
    std::string problem;
    EXPECT_FALSE(readContinuousPlaceResults("3.0\n", 1, run, problem));
    EXPECT_FALSE(problem.empty());
    ASSERT_TRUE(readContinuousPlaceResults("3.0\n\t5\n", 1, run, problem));
    EXPECT_EQ(run.placeResults.rows, 1u);
    ASSERT_TRUE(readContinuousTransitionResults("3.0\n", 1, run, problem));
    EXPECT_EQ(run.transitionResults.rows, 0u);
    // A file without any line: count 0, so one place row is still needed.
    EXPECT_FALSE(readContinuousPlaceResults("", 1, run, problem));
}

TEST(ContinuousResults, TruncatedOrNegativeFilesFail) {
    SimulationRun run;
    std::string problem;
    EXPECT_FALSE(readContinuousPlaceResults("2\n2\t4\t0\n\t0\t4\n", 2, run, problem));
    EXPECT_NE(problem.find("p.rez"), std::string::npos);
    EXPECT_FALSE(readContinuousTransitionResults("3\n1\t1\n", 1, run, problem));
    EXPECT_NE(problem.find("t.rez"), std::string::npos);
    EXPECT_FALSE(readContinuousPlaceResults("-4\n", 1, run, problem));
    // A huge count with few lines fails without building a huge matrix.
    EXPECT_FALSE(readContinuousPlaceResults("2000000000\n1\t1\n", 1, run, problem));
    EXPECT_EQ(run.placeResults.rows, 1u);
}

TEST(HybridResults, TwoStepsWithFinalRates) {
    SimulationRun run;
    std::string problem;
    const std::string pos = "2\n0\t1\t03\n\t00\t2.50e+00\n1.50e+00\t0\t02\n\t1\t-01\n-1\t0\t0.5";
    ASSERT_TRUE(readHybridPlaceResults(pos, 2, run, problem)) << problem;
    EXPECT_EQ(run.stepCount, 2);
    ASSERT_EQ(run.placeResults.rows, 4u);
    EXPECT_EQ(run.placeResults.at(1, 2), 2.5);
    EXPECT_EQ(run.placeResults.at(2, 0), 1.5);
    EXPECT_EQ(run.placeResults.at(3, 2), -1);
    EXPECT_EQ(run.finalRates, (std::vector<double>{-1, 0, 0.5}));
}

TEST(HybridResults, MissingFinalRatesLineLeavesNoRatesAndAWrongOneFails) {
    SimulationRun run;
    run.finalRates = {9, 9};
    std::string problem;
    ASSERT_TRUE(readHybridPlaceResults("1\n0\t1\n\t2\n", 1, run, problem));
    EXPECT_TRUE(run.finalRates.empty());
    EXPECT_FALSE(readHybridPlaceResults("1\n0\t1\n\t2\n-1\t0\t0\n", 1, run, problem));
    EXPECT_NE(problem.find("final rates"), std::string::npos);
    EXPECT_FALSE(readHybridPlaceResults("2\n0\t1\n\t2\n1\t1\n", 1, run, problem));
}

TEST(HybridResults, ZeroTimeStepsRepeatThePreviousSpeeds) {
    SimulationRun run;
    std::string problem;
    // Step 1 takes no time, step 2 takes 2.
    ASSERT_TRUE(readHybridPlaceResults("3\n0\t1\n\t1\n0\t1\n\t0\n02\t0\n\t0\n", 1, run, problem));
    ASSERT_TRUE(readHybridTransitionResults("3\n0\t1\t5\n02\t0\t7\n-1\n", 2, run, problem)) << problem;
    ASSERT_EQ(run.transitionResults.rows, 3u);
    EXPECT_EQ(run.transitionResults.at(0, 2), 5);
    EXPECT_EQ(run.transitionResults.at(1, 2), 5);
    EXPECT_EQ(run.transitionResults.at(2, 2), 7);
    // The same without the second data line fails.
    EXPECT_FALSE(readHybridTransitionResults("3\n0\t1\t5\n", 2, run, problem));
}

TEST(HybridResults, DecimalCountGivesAnEmptyRun) {
    SimulationRun run;
    std::string problem;
    ASSERT_TRUE(readHybridPlaceResults("3.0\n", 2, run, problem));
    EXPECT_EQ(run.stepCount, 0);
    EXPECT_EQ(run.placeResults.rows, 0u);
    ASSERT_TRUE(readHybridTransitionResults("", 2, run, problem));
    EXPECT_EQ(run.transitionResults.rows, 0u);
}

TEST(ResultFiles, NamesAreFoundWithoutRegardToCase) {
    TempFolder folder;
    writeText(folder.path() / "P.rez", "1\n");
    writeText(folder.path() / "TRAN.DAT", "2\n");
    std::string problem;
    EXPECT_EQ(readResultFile(folder.path(), "p.rez", problem), "1\n");
    EXPECT_EQ(readResultFile(folder.path(), "Tran.dat", problem), "2\n");
    EXPECT_FALSE(readResultFile(folder.path(), "t.rez", problem));
    EXPECT_NE(problem.find("t.rez"), std::string::npos);
    // The engine's own spelling wins over another one.
    writeText(folder.path() / "p.REZ", "stale\n");
    EXPECT_EQ(readResultFile(folder.path(), "P.rez", problem), "1\n");
}

} // namespace
} // namespace tokarium
