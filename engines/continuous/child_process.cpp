// Child process start and wait with posix_spawn.
#include "engines/continuous/child_process.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace flowrun {

ProcessOutcome runRedirected(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& inputPath, const std::string& outputPath)
{
    ProcessOutcome outcome;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inputPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);

    std::vector<std::string> words;
    words.push_back(program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        outcome.message = "cannot start " + program + ": " + std::strerror(error);
        return outcome;
    }
    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited < 0) {
        outcome.message = "cannot wait for " + program + ": " + std::strerror(errno);
        return outcome;
    }
    outcome.started = true;
    // 127 is what a child that could not execute the program reports.
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
        outcome.started = false;
        outcome.message = "cannot start " + program;
        return outcome;
    }
    return outcome;
}

std::string findProgram(const std::string& name, const std::string& fallback)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr || *path == '\0')
        return access(fallback.c_str(), X_OK) == 0 ? fallback : std::string();
    std::string folders = path;
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        // An empty entry would mean the working folder, which holds only engine files.
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty()) {
            const std::string candidate = folder + "/" + name;
            if (access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

}  // namespace flowrun
