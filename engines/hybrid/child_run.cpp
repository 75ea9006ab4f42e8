// Running a program of the working folder as a child process and waiting for it.
#include "engines/hybrid/child_run.h"

#include "engines/hybrid/constants.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace mixsim {

namespace {

// Exit status the child uses when the program cannot be executed.
constexpr int kExecFailedStatus = 127;

void sleepMilliseconds(int milliseconds)
{
    timespec pause{0, static_cast<long>(milliseconds) * 1000000L};
    nanosleep(&pause, nullptr);
}

}  // namespace

ChildRun runChild(const char* program, int timeoutSeconds)
{
    ChildRun result;
    struct stat info {};
    if (stat(program, &info) != 0 || !S_ISREG(info.st_mode) || access(program, X_OK) != 0) {
        result.error = std::string(program) + " is missing or cannot be executed";
        return result;
    }
    const pid_t child = fork();
    if (child < 0) {
        result.error = std::string("cannot start ") + program + ": " + std::strerror(errno);
        return result;
    }
    if (child == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            dup2(devNull, STDIN_FILENO);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        execl(program, program, static_cast<char*>(nullptr));
        _exit(kExecFailedStatus);
    }
    const long limit = static_cast<long>(timeoutSeconds) * 1000L / kFlowrunPollMilliseconds;
    for (long waited = 0;; ++waited) {
        int status = 0;
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child) {
            if (WIFEXITED(status) && WEXITSTATUS(status) != kExecFailedStatus) {
                result.ran = true;
                result.status = WEXITSTATUS(status);
            } else if (WIFEXITED(status)) {
                result.error = std::string(program) + " cannot be executed";
            } else {
                result.error = std::string(program) + " ended abnormally";
            }
            return result;
        }
        if (ended < 0 && errno != EINTR) {
            result.error = std::string("cannot wait for ") + program + ": " + std::strerror(errno);
            return result;
        }
        if (waited >= limit) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            result.error = std::string(program) + " did not end within " +
                           std::to_string(timeoutSeconds) + " s and was stopped";
            return result;
        }
        sleepMilliseconds(kFlowrunPollMilliseconds);
    }
}

}  // namespace mixsim
