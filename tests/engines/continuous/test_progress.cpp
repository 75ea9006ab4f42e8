// The clock a run reports while it goes on: told at every phase start, kept in a file by --progress.
#include <filesystem>
#include <memory>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "engines/continuous/engine.h"
#include "engines/continuous/progress_option.h"
#include "engines/continuous/solver_choice.h"
#include "tests/engines/continuous/flowrun_test_support.h"
#include "tests/engines/continuous/random_nets.h"

namespace flowrun {
namespace {

// n tanks P1..Pn holding 1..n, each drained by its own transition at speed 1 into nothing: tank k
// empties at time k, so the phases start at 0, 1, ..., n (the last one, from n on, moves nothing).
std::string separateTanks(int n)
{
    std::string text = "tanks\n" + std::to_string(n) + " " + std::to_string(n) + "\n";
    for (int p = 0; p < n; ++p)
        for (int t = 0; t < n; ++t)
            text += p == t ? "1 " : "0 ";
    for (int cell = 0; cell < n * n; ++cell)
        text += "0 ";
    for (int p = 1; p <= n; ++p)
        text += std::to_string(p) + " ";
    for (int t = 0; t < n; ++t)
        text += "1 ";
    return text + "\n";
}

std::vector<double> watchedRun(const std::string& input, LpSolver& solver, Simulation* simulation = nullptr)
{
    std::vector<double> clocks;
    Report longReport;
    Report briefReport;
    longReport.discard();
    briefReport.discard();
    Simulation run = simulateText(input, solver, longReport, briefReport, std::numeric_limits<double>::infinity(),
                                  false, [&clocks](double clock) { clocks.push_back(clock); });
    if (simulation)
        *simulation = std::move(run);
    return clocks;
}

TEST(Progress, EachPhaseStartIsToldInOrderUpToTheLastPhase)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    const std::unique_ptr<LpSolver> solver = makeSolver(SolverKind::kLibrary);
    for (int n : {1, 3, 8}) {
        std::vector<double> expected;
        for (int k = 0; k <= n; ++k)
            expected.push_back(k);
        EXPECT_EQ(watchedRun(separateTanks(n), *solver), expected) << n << " tanks";
    }
    // Seeded nets: one clock per phase, the sum of the durations before it.
    unsigned watched = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        Simulation simulation;
        const std::vector<double> clocks = watchedRun(test::randomNet(seed), *solver, &simulation);
        if (simulation.status != 0)
            continue;
        ++watched;
        // The states of the firings before the first phase come first and take no time.
        const std::vector<IbState>& states = simulation.run.states;
        ASSERT_FALSE(clocks.empty()) << "seed " << seed;
        ASSERT_LE(clocks.size(), states.size()) << "seed " << seed;
        const std::size_t first = states.size() - clocks.size();
        double start = 0;
        for (std::size_t i = 0; i < states.size(); ++i) {
            if (i >= first) {
                EXPECT_EQ(clocks[i - first], start) << "seed " << seed << " state " << i + 1;
            }
            start += std::max<Real>(states[i].duration, 0);
        }
    }
    EXPECT_GT(watched, 30u);
}

TEST(Progress, TheFileHoldsOnlyAWholeClockLine)
{
    const struct {
        const char* text;
        std::optional<double> clock;
    } cases[] = {
        {"12.5\n", 12.5}, {"0\n", 0.0},   {"1e+20\n", 1e20},  {"", std::nullopt},     {"12.5", std::nullopt},
        {"\n", std::nullopt}, {"-1\n", std::nullopt}, {"nan\n", std::nullopt}, {"inf\n", std::nullopt},
        {"1e999\n", std::nullopt}, {"3 4\n", std::nullopt}, {"12.5\n\n", std::nullopt}, {"t=1\n", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseProgressText(c.text), c.clock) << '"' << c.text << '"';
}

TEST(Progress, WritesAreSpacedInWallTimeAndTheLastClockComesAtTheEnd)
{
    test::TempFolder folder;
    const std::string path = folder.file("progress").string();
    ProgressFile progress(path);
    const ClockWatch watch = progress.watch();
    progress.finish();
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing told, nothing written";
    watch(1.5);
    EXPECT_EQ(test::readText(path), "1.5\n");
    watch(2.25);
    EXPECT_EQ(test::readText(path), "1.5\n") << "written again before the interval has passed";
    std::this_thread::sleep_for(ProgressFile::kInterval + std::chrono::milliseconds(20));
    watch(3);
    EXPECT_EQ(test::readText(path), "3\n");
    watch(0.1 + 0.2);
    progress.finish();
    EXPECT_EQ(parseProgressText(test::readText(path)), 0.1 + 0.2) << "the clock read back exactly";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary file left";
    // A file that cannot be written does not stop anything.
    ProgressFile nowhere((folder.path() / "missing" / "progress").string());
    nowhere.watch()(1);
    nowhere.finish();
}

std::set<std::string> fileNames(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(Progress, TheProgramKeepsTheLastClockInTheFileAndChangesNothingElse)
{
    test::TempFolder plain;
    test::TempFolder watched;
    for (const test::TempFolder* folder : {&plain, &watched})
        test::writeText(folder->file("date.dat"), separateTanks(5));
    ASSERT_EQ(test::runFlowrun(plain.path()), 0);
    ASSERT_EQ(test::runFlowrun(watched.path(), nullptr, {}, {"--progress=clock"}), 0);
    EXPECT_EQ(test::readText(watched.file("clock")), "5\n");
    std::set<std::string> names = fileNames(watched.path());
    names.erase("clock");
    EXPECT_EQ(names, fileNames(plain.path()));
    for (const std::string& name : names)
        EXPECT_EQ(test::readText(watched.file(name)), test::readText(plain.file(name))) << name;
    // The option needs a file name.
    EXPECT_EQ(test::runFlowrun(watched.path(), nullptr, {}, {"--progress="}), kRunFailed);
}

}  // namespace
}  // namespace flowrun
