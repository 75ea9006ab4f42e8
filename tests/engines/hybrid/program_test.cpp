// The built mixsim program run in a temporary folder.
#include "tests/engines/hybrid/data_text.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace mixsim {
namespace {

namespace fs = std::filesystem;

const char* const kProgram = TOKARIUM_BIN_DIR "/HybridPNs/mixsim";

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
    [[nodiscard]] ProgramRun run() const
    {
        const fs::path errorsFile = m_folder.parent_path() / (m_folder.filename().string() + ".err");
        const pid_t child = fork();
        if (child == 0) {
            const int fd = open(errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || dup2(fd, STDERR_FILENO) < 0 || chdir(m_folder.c_str()) != 0) {
                _exit(127);
            }
            execl(kProgram, "mixsim", static_cast<char*>(nullptr));
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

    fs::path m_folder;
};

testing::NetText smallNet()
{
    testing::NetText net;
    net.title = "Small";
    net.P = 2;
    net.T = 2;
    net.pozdis = {1};
    net.trandis = {1};
    net.pre = {{1, 1}, {0, 0}};
    net.post = {{0, 0}, {1, 1}};
    net.marcaj = {1, 0};
    net.valori = {1, 1};
    net.conflicte = {1, 2};
    return net;
}

TEST_F(MixsimProgram, WritesTheReportHeadForAGoodNet)
{
    writeData(smallNet().text());
    const ProgramRun result = run();
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_TRUE(result.errors.empty()) << result.errors;
    EXPECT_EQ(resultFiles(), std::vector<std::string>{"results_hybrid.htm"});
    std::ifstream in(m_folder / "results_hybrid.htm");
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first.rfind("<title>Hybrid Petri Nets</title>", 0), 0u);
}

TEST_F(MixsimProgram, StopsOnAMissingInputFile)
{
    const ProgramRun result = run();
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(result.errors, "mixsim: data.txt: cannot be read\n");
    EXPECT_TRUE(resultFiles().empty());
}

TEST_F(MixsimProgram, StopsOnBadInputBeforeWritingAnyResultFile)
{
    const std::string good = smallNet().text();
    testing::NetText placeHigh = smallNet();
    placeHigh.pozdis = {3};
    testing::NetText transitionHigh = smallNet();
    transitionHigh.trandis = {0};
    testing::NetText negative = smallNet();
    negative.T = -1;
    std::string word = good;
    word.replace(word.find("Small\r\n2"), 8, "Small\r\ntwo");

    const struct {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"short file", good.substr(0, good.size() / 2), "but its header announces at least"},
        {"place outside 1..P", placeHigh.text(), "discrete place number 3 (line 6) is outside 1..2"},
        {"transition outside 1..T", transitionHigh.text(),
         "discrete transition number 0 (line 7) is outside 1..2"},
        {"negative count", negative.text(), "the number of transitions is -1 (line 4)"},
        {"word instead of a number", word, "line 2: \"two\" is not a number"},
    };
    for (const auto& bad : cases) {
        writeData(bad.text);
        const ProgramRun result = run();
        EXPECT_EQ(result.status, 1) << bad.name;
        EXPECT_EQ(result.errors.rfind("mixsim: data.txt: ", 0), 0u) << bad.name << ": " << result.errors;
        EXPECT_NE(result.errors.find(bad.message), std::string::npos)
            << bad.name << ": " << result.errors;
        EXPECT_TRUE(resultFiles().empty()) << bad.name;
    }
}

}  // namespace
}  // namespace mixsim
