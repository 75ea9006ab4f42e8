// The child process runner: folder, arguments, redirections, start failures, time limit, cancel.
#include "process/child_process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace tokarium {
namespace {

// True while the process exists and has not ended (a zombie has ended).
bool isRunning(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return false;
    const std::size_t state = line.rfind(')') + 2;
    return state < line.size() && line[state] != 'Z';
}

class ChildProcess : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "child-process-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path script(const std::string& text) {
        const std::filesystem::path path = m_folder / "engine";
        std::ofstream(path) << text;
        ::chmod(path.c_str(), 0755);
        return path;
    }
    std::string read(const std::string& name) {
        std::ifstream file(m_folder / name);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::filesystem::path m_folder;
};

TEST_F(ChildProcess, RunsInTheFolderWithArgumentsAndRedirections) {
    std::ofstream(m_folder / "in.txt") << "from input\n";
    ChildRequest request;
    request.program = script("#!/bin/sh\npwd > where.txt\necho \"$0|$1|$2\"\ncat\necho oops >&2\nexit 3\n");
    request.arguments = {"a b", "*"};
    request.folder = m_folder;
    request.input = m_folder / "in.txt";
    request.output = m_folder / "out.txt";
    ChildOutcome run = runChild(request);
    EXPECT_TRUE(run.finished) << run.problem;
    EXPECT_EQ(run.exitStatus, 3);
    EXPECT_EQ(read("where.txt"), std::filesystem::canonical(m_folder).string() + "\n");
    // No shell: the arguments arrive as given, the star unexpanded (a script's $0 is its path).
    EXPECT_EQ(read("out.txt"), request.program.string() + "|a b|*\nfrom input\noops\n");

    request.program = script("#!/bin/sh\nkill -SEGV $$\n");
    run = runChild(request);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitStatus, -1);
}

TEST_F(ChildProcess, SaysWhyAProgramCannotStart) {
    const std::filesystem::path engine = script("#!/bin/sh\nexit 0\n");
    const struct {
        std::filesystem::path program, folder, input;
        const char* reason;
    } cases[] = {
        {m_folder / "missing", {}, {}, "No such file or directory"},
        {m_folder, {}, {}, "Permission denied"},
        {engine, m_folder / "no folder", {}, "No such file or directory"},
        {engine, {}, m_folder / "no input", "No such file or directory"},
    };
    for (const auto& c : cases) {
        ChildRequest request;
        request.program = c.program;
        request.folder = c.folder;
        request.input = c.input;
        const ChildOutcome run = runChild(request);
        EXPECT_FALSE(run.finished);
        EXPECT_EQ(run.problem, "cannot start " + c.program.string() + ": " + c.reason);
    }
}

TEST_F(ChildProcess, StopsAProgramAndWhatItStartedOnTimeOrCancel) {
    ChildRequest request;
    request.program = script("#!/bin/sh\nsleep 30 &\necho $! > child.pid\nwait\n");
    request.folder = m_folder;
    request.ownProcessGroup = true;
    request.timeLimit = std::chrono::milliseconds(300);
    auto start = std::chrono::steady_clock::now();
    ChildOutcome run = runChild(request);
    EXPECT_FALSE(run.finished);
    EXPECT_EQ(run.problem, request.program.string() + " did not finish within 0.3 s and was stopped");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    const std::string sleeper = read("child.pid");
    ASSERT_FALSE(sleeper.empty());
    for (int look = 0; look < 100 && isRunning(std::stoi(sleeper)); ++look)
        ::usleep(10000);
    EXPECT_FALSE(isRunning(std::stoi(sleeper)));

    int looks = 0;
    request.timeLimit = {};
    request.keepWaiting = [&] { return ++looks < 5; };
    start = std::chrono::steady_clock::now();
    run = runChild(request);
    EXPECT_EQ(run.problem, request.program.string() + " was stopped by the user");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

} // namespace
} // namespace tokarium
