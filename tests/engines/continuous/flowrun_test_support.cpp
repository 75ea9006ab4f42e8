// Helpers of the flowrun tests.
#include "tests/engines/continuous/flowrun_test_support.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace flowrun::test {

TempFolder::TempFolder()
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    do {
        m_path = std::filesystem::temp_directory_path() / ("flowrun-test-" + std::to_string(random()));
    } while (std::filesystem::exists(m_path));
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

CurrentFolder::CurrentFolder(const std::filesystem::path& folder) : m_previous(std::filesystem::current_path())
{
    std::filesystem::current_path(folder);
}

CurrentFolder::~CurrentFolder()
{
    std::error_code error;
    std::filesystem::current_path(m_previous, error);
}

std::string readText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

int runFlowrun(const std::filesystem::path& folder, const std::string* pathVariable,
               const std::vector<std::string>& settings, const std::vector<std::string>& arguments)
{
    const std::string program = TOKARIUM_BIN_DIR "/ContinuousPNs/flowrun";
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        if (pathVariable == nullptr || std::string(*entry).rfind("PATH=", 0) != 0)
            environment.emplace_back(*entry);
    }
    if (pathVariable)
        environment.push_back("PATH=" + *pathVariable);
    environment.insert(environment.end(), settings.begin(), settings.end());
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::vector<std::string>> tableRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        while (true) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        rows.push_back(fields);
    }
    return rows;
}

}  // namespace flowrun::test
