// fork/exec/waitpid with a pipe that tells the parent why exec failed.
#include "process/child_process.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tokarium {
namespace {

// Longest pause between two looks at a child when the run can be cancelled or no pid descriptor
// wakes the parent.
constexpr std::chrono::milliseconds kLongestPause{20};

// The descriptors of the child's start report and of its captured standard error (read ends).
struct Pipes {
    int report[2] = {-1, -1};
    int errors[2] = {-1, -1};
};

void closeIfOpen(int& descriptor) {
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

// Opens path (or /dev/null when it is empty) onto target; false on failure with errno set.
bool redirect(const char* path, int flags, int target) {
    const int descriptor = ::open(path[0] != '\0' ? path : "/dev/null", flags | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return false;
    const bool moved = ::dup2(descriptor, target) >= 0;
    ::close(descriptor);
    return moved;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void execInChild(const ChildRequest& request, const char* folder, const char* program,
                              const char* input, const char* output, char* const argv[], const Pipes& pipes) {
    if (request.ownProcessGroup)
        ::setpgid(0, 0);
    int error = 0;
    if ((folder[0] != '\0' && ::chdir(folder) != 0) || !redirect(input, O_RDONLY, STDIN_FILENO) ||
        !redirect(output, O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO))
        error = errno;
    else if (request.captureErrors ? ::dup2(pipes.errors[1], STDERR_FILENO) < 0
                                   : request.errorsToOutput && ::dup2(STDOUT_FILENO, STDERR_FILENO) < 0)
        error = errno;
    else {
        ::execv(program, argv);
        error = errno;
    }
    ssize_t written = ::write(pipes.report[1], &error, sizeof error);
    (void)written;
    ::_exit(127);
}

std::string seconds(std::chrono::milliseconds duration) {
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", static_cast<double>(duration.count()) / 1000.0);
    return text;
}

// Reads what is there to read without blocking, keeping at most kMaxCapturedErrors bytes; false at
// the end of the stream.
bool drain(int descriptor, std::string& errors) {
    char buffer[1024];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got == 0)
            return false;
        if (got < 0)
            return errno == EINTR || errno == EAGAIN;
        const std::size_t room = kMaxCapturedErrors - std::min(errors.size(), kMaxCapturedErrors);
        errors.append(buffer, std::min(static_cast<std::size_t>(got), room));
    }
}

class ChildWait {
public:
    ChildWait(pid_t child, const ChildRequest& request, int errorsFd)
        : m_child(child), m_request(request), m_errorsFd(errorsFd),
          m_pidFd(static_cast<int>(::syscall(SYS_pidfd_open, child, 0))) {}
    ~ChildWait() {
        if (m_pidFd >= 0)
            ::close(m_pidFd);
    }
    ChildWait(const ChildWait&) = delete;
    ChildWait& operator=(const ChildWait&) = delete;

    // Waits until the child ends (true), or the time limit passes, keepWaiting says stop or the
    // child is lost (false; `lost` then says why).
    bool await(int& status, bool& cancelled, std::string& lost, std::string& errors) {
        const bool limited = m_request.timeLimit.count() > 0;
        const auto deadline = std::chrono::steady_clock::now() + m_request.timeLimit;
        std::chrono::milliseconds backoff{1};
        for (;;) {
            if (m_errorsFd >= 0 && !drain(m_errorsFd, errors))
                m_errorsFd = -1;
            const pid_t done = ::waitpid(m_child, &status, WNOHANG);
            if (done == m_child)
                return true;
            if (done < 0 && errno != EINTR) {
                lost = std::strerror(errno);
                return false;
            }
            cancelled = m_request.keepWaiting && !m_request.keepWaiting();
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (cancelled || (limited && left.count() <= 0))
                return false;
            int wait = limited ? static_cast<int>(left.count()) + 1 : -1;
            if (m_request.keepWaiting || m_pidFd < 0) {
                const int pause = static_cast<int>((m_pidFd < 0 ? backoff : kLongestPause).count());
                wait = wait < 0 ? pause : std::min(wait, pause);
                backoff = std::min(backoff * 2, kLongestPause);
            }
            pollfd watch[2] = {{m_pidFd, POLLIN, 0}, {m_errorsFd, POLLIN, 0}};
            (void)::poll(watch, 2, wait);
        }
    }

private:
    pid_t m_child;
    const ChildRequest& m_request;
    int m_errorsFd;
    int m_pidFd;
};

} // namespace

ChildOutcome runChild(const ChildRequest& request) {
    ChildOutcome outcome;
    const std::string program = request.program.string();
    const std::string folder = request.folder.string();
    const std::string input = request.input.string();
    const std::string output = request.output.string();
    std::vector<std::string> words{request.program.filename().string()};
    words.insert(words.end(), request.arguments.begin(), request.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    Pipes pipes;
    if (::pipe2(pipes.report, O_CLOEXEC) != 0 || (request.captureErrors && ::pipe2(pipes.errors, O_CLOEXEC) != 0)) {
        outcome.problem = "cannot start " + program + ": " + std::strerror(errno);
        for (int* descriptor : {&pipes.report[0], &pipes.report[1], &pipes.errors[0], &pipes.errors[1]})
            closeIfOpen(*descriptor);
        return outcome;
    }
    const pid_t child = ::fork();
    if (child == 0)
        execInChild(request, folder.c_str(), program.c_str(), input.c_str(), output.c_str(), argv.data(), pipes);
    const int forkError = errno;
    closeIfOpen(pipes.report[1]);
    closeIfOpen(pipes.errors[1]);
    if (child < 0) {
        outcome.problem = "cannot start " + program + ": " + std::strerror(forkError);
        closeIfOpen(pipes.report[0]);
        closeIfOpen(pipes.errors[0]);
        return outcome;
    }
    if (request.ownProcessGroup)
        ::setpgid(child, child);
    int startError = 0;
    ssize_t got;
    do
        got = ::read(pipes.report[0], &startError, sizeof startError);
    while (got < 0 && errno == EINTR);
    closeIfOpen(pipes.report[0]);
    if (pipes.errors[0] >= 0)
        ::fcntl(pipes.errors[0], F_SETFL, O_NONBLOCK);

    int status = 0;
    bool cancelled = false;
    std::string lost;
    const bool ended = ChildWait(child, request, pipes.errors[0]).await(status, cancelled, lost, outcome.errors);
    if (ended && pipes.errors[0] >= 0)
        (void)drain(pipes.errors[0], outcome.errors);
    closeIfOpen(pipes.errors[0]);
    if (!ended) {
        if (!lost.empty()) {
            outcome.problem = "lost " + program + ": " + lost;
            return outcome;
        }
        if (request.ownProcessGroup)
            ::kill(-child, SIGKILL);
        ::kill(child, SIGKILL);
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        outcome.problem = cancelled ? program + " was stopped by the user"
                                    : program + " did not finish within " + seconds(request.timeLimit) +
                                          " s and was stopped";
        return outcome;
    }
    if (got == static_cast<ssize_t>(sizeof startError)) {
        outcome.problem = "cannot start " + program + ": " + std::strerror(startError);
        return outcome;
    }
    outcome.finished = true;
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

} // namespace tokarium
