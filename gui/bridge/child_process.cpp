// fork/exec/waitpid without any shell.
#include "gui/bridge/child_process.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "gui/model/number_text.h"

namespace tokarium {
namespace {

// Longest pause between two looks at a running child.
constexpr std::chrono::milliseconds kLongestPoll{20};

std::string errorText(int number) {
    return std::strerror(number);
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void execInChild(const char* folder, const char* program, char* const argv[], int reportFd) {
    setpgid(0, 0);
    int nullFd = open("/dev/null", O_RDWR);
    if (nullFd >= 0) {
        dup2(nullFd, STDIN_FILENO);
        dup2(nullFd, STDOUT_FILENO);
        if (nullFd > STDOUT_FILENO)
            close(nullFd);
    }
    int error = 0;
    if (chdir(folder) != 0)
        error = errno;
    else {
        execv(program, argv);
        error = errno;
    }
    ssize_t written = write(reportFd, &error, sizeof error);
    (void)written;
    _exit(127);
}

} // namespace

ProgramRun runProgram(const std::filesystem::path& folder, const std::filesystem::path& program,
                      std::chrono::milliseconds timeLimit, const std::function<bool()>& keepWaiting,
                      const std::vector<std::string>& arguments) {
    ProgramRun run;
    const std::string folderText = folder.string();
    const std::string programText = program.string();
    std::string name = program.filename().string();
    std::vector<std::string> texts = arguments;
    std::vector<char*> argv{name.data()};
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        run.problem = "cannot start " + programText + ": " + errorText(errno);
        return run;
    }
    const pid_t child = fork();
    if (child < 0) {
        run.problem = "cannot start " + programText + ": " + errorText(errno);
        close(report[0]);
        close(report[1]);
        return run;
    }
    if (child == 0)
        execInChild(folderText.c_str(), programText.c_str(), argv.data(), report[1]);
    setpgid(child, child);
    close(report[1]);

    int execError = 0;
    ssize_t got;
    do
        got = read(report[0], &execError, sizeof execError);
    while (got < 0 && errno == EINTR);
    close(report[0]);

    const auto deadline = std::chrono::steady_clock::now() + timeLimit;
    auto pause = std::chrono::milliseconds(1);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (done < 0 && errno != EINTR) {
            run.problem = "lost " + programText + ": " + errorText(errno);
            return run;
        }
        const bool cancelled = keepWaiting && !keepWaiting();
        if (cancelled || std::chrono::steady_clock::now() >= deadline) {
            kill(-child, SIGKILL);
            kill(child, SIGKILL);
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            run.problem = cancelled ? programText + " was stopped by the user"
                                    : programText + " did not finish within " +
                                          formatReal(static_cast<double>(timeLimit.count()) / 1000.0) +
                                          " s and was stopped";
            return run;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, kLongestPoll);
    }
    if (got == static_cast<ssize_t>(sizeof execError)) {
        run.problem = "cannot start " + programText + ": " + errorText(execError);
        return run;
    }
    run.finished = true;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace tokarium
