// flowrun on a disk that fills up part-way: it either completes with the right results or fails with
// a message and leaves nothing but its input behind.
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "process/child_process.h"
#include "tests/engines/continuous/flowrun_test_support.h"
#include "tests/support/small_file_system.h"

namespace flowrun::test {
namespace {

// P1 -> T1 (3) -> P2 -> T2 (1) -> P3, four states.
constexpr const char* kInput = "chain2\n3 2\n1 0\n0 1\n0 0\n0 0\n1 0\n0 1\n6 0 0\n3 1\n";
constexpr const char* kPlaces = "3\n2\t6\t0\t0\n4\t0\t4\t2\n\t0\t0\t6\n\t0\t0\t0\n";

std::set<std::string> filesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// One run with `bytesLeft` bytes free on the disk; what went wrong, or nothing.
std::string runOnNearlyFullDisk(const std::filesystem::path& disk, const std::filesystem::path& errors,
                                std::size_t bytesLeft, bool& failed)
{
    for (const std::string& name : filesIn(disk))
        std::filesystem::remove(disk / name);
    writeText(disk / "date.dat", kInput);
    tokarium::testing::fillUpTo(disk / "filler", bytesLeft);
    tokarium::ChildRequest request;
    request.program = TOKARIUM_BIN_DIR "/ContinuousPNs/flowrun";
    request.folder = disk;
    request.output = errors;
    const tokarium::ChildOutcome run = tokarium::runChild(request);
    const std::string where = " with " + std::to_string(bytesLeft) + " bytes free: ";
    failed = run.exitStatus != 0;
    if (!run.finished)
        return where + run.problem + "\n";
    const std::set<std::string> left = filesIn(disk);
    if (run.exitStatus == 0) {
        const bool complete = left.count("P.rez") && left.count("results.htm") && left.count("short_results.htm") &&
                              !left.count("date.lp") && !left.count("date.out") && readText(disk / "P.rez") == kPlaces;
        return complete ? "" : where + "a successful run left incomplete results\n";
    }
    if (readText(errors).find("No space left on device") == std::string::npos)
        return where + "the message was \"" + readText(errors) + "\"\n";
    if (left != std::set<std::string>{"date.dat", "filler"})
        return where + "files were left behind\n";
    return "";
}

TEST(FlowrunDisk, AFullDiskFailsWithAMessageAndLeavesNoResultsOrTemporaryFiles)
{
    TempFolder folder;
    const std::filesystem::path disk = folder.file("disk");
    std::filesystem::create_directory(disk);
    const auto problems = tokarium::testing::onSmallFileSystem(disk, 1 << 20, false, {}, [&] {
        std::string found;
        bool failed = false;
        for (std::size_t bytesLeft : {0, 100, 2000, 5000, 9000, 20000}) {
            found += runOnNearlyFullDisk(disk, folder.file("errors.txt"), bytesLeft, failed);
            if (bytesLeft == 0 && !failed)
                found += "a run on a full disk succeeded\n";
        }
        found += runOnNearlyFullDisk(disk, folder.file("errors.txt"), 500000, failed);
        if (failed)
            found += "a run with room to spare failed\n";
        return found;
    });
    if (!problems)
        GTEST_SKIP() << "no file system can be mounted here";
    EXPECT_EQ(*problems, "");
}

}  // namespace
}  // namespace flowrun::test
