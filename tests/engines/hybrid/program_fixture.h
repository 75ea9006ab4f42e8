// A temporary working folder in which the built mixsim runs, in process or with the flowrun program.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace mixsim::testing {

namespace fs = std::filesystem;

inline const char* const kProgram = TOKARIUM_BIN_DIR "/HybridPNs/mixsim";
inline const char* const kFlowrun = TOKARIUM_BIN_DIR "/HybridPNs/flowrun";

struct ProgramRun {
    int status = -1;
    std::string errors;
};

class MixsimProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/mixsim_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
    }

    void TearDown() override { fs::remove_all(m_folder); }

    void writeData(const std::string& text) const
    {
        std::ofstream(m_folder / "data.txt", std::ios::binary) << text;
    }

    // Runs mixsim with the folder as current directory, standard error to a file.
    [[nodiscard]] ProgramRun run(const std::vector<std::string>& arguments = {}) const
    {
        const fs::path errorsFile = m_folder.parent_path() / (m_folder.filename().string() + ".err");
        const pid_t child = fork();
        if (child == 0) {
            const int fd = open(errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || dup2(fd, STDERR_FILENO) < 0 || chdir(m_folder.c_str()) != 0) {
                _exit(127);
            }
            std::vector<char*> argv{const_cast<char*>("mixsim")};
            for (const std::string& argument : arguments) {
                argv.push_back(const_cast<char*>(argument.c_str()));
            }
            argv.push_back(nullptr);
            execv(kProgram, argv.data());
            _exit(127);
        }
        ProgramRun result;
        int status = 0;
        if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
            result.status = WEXITSTATUS(status);
        }
        std::ifstream in(errorsFile);
        std::ostringstream text;
        text << in.rdbuf();
        result.errors = text.str();
        fs::remove(errorsFile);
        return result;
    }

    // Every file of the folder except the input.
    [[nodiscard]] std::vector<std::string> resultFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder)) {
            if (entry.path().filename() != "data.txt") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    // Puts the built flowrun in the folder, for runs with --flowrun=./flowrun.
    void addFlowrun() const
    {
        fs::copy_file(kFlowrun, m_folder / "flowrun", fs::copy_options::overwrite_existing);
    }

    [[nodiscard]] std::string readFile(const std::string& name) const
    {
        std::ifstream in(m_folder / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    [[nodiscard]] bool exists(const std::string& name) const { return fs::exists(m_folder / name); }

    fs::path m_folder;
};

}  // namespace mixsim::testing
