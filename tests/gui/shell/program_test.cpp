#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

#include "process/child_process.h"

#include "tests/gui/shell/shell_test_support.h"

using tokarium::test::TempFolder;

TEST(Program, RendersTheWindowWithADocumentToAPngAndEnds) {
    TempFolder folder;
    const std::string document = folder.file("net.pn");
    tokarium::test::writeDocumentFile(document, "Feeder");
    const std::string picture = folder.file("window.png");
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + TOKARIUM_BIN_DIR + "/tokarium' --screenshot '"
        + picture + "' '" + document + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const QImage image(QString::fromStdString(picture));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 1280);
    EXPECT_EQ(image.height(), 800);
}

TEST(Program, UnknownOptionsAreRefusedWithoutADisplay) {
    const std::string command = std::string("QT_QPA_PLATFORM=none '") + TOKARIUM_BIN_DIR + "/tokarium' --bogus 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

namespace {

// The tables a batch run wrote into its output folder, by file name.
std::map<std::string, std::string> tablesIn(const std::filesystem::path& folder) {
    std::map<std::string, std::string> tables;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        tables[entry.path().filename().string()] = text.str();
    }
    return tables;
}

tokarium::ChildOutcome simulateSample(const std::string& sample, const std::filesystem::path& out) {
    tokarium::ChildRequest request;
    request.program = std::filesystem::path(TOKARIUM_BIN_DIR) / "tokarium";
    request.arguments = {"--simulate", std::string(TOKARIUM_SOURCE_DIR) + "/examples/" + sample + ".pn", "--out",
                         out.string()};
    return tokarium::runChild(request);
}

} // namespace

TEST(Program, SixBatchRunsAtOnceWriteTheTablesOfRunsAlone) {
    TempFolder folder;
    const std::filesystem::path cache = folder.file("cache");
    const char* oldCache = std::getenv("XDG_CACHE_HOME");
    const std::string savedCache = oldCache ? oldCache : "";
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    const std::vector<std::string> samples{"continuous_tanks", "hybrid_valve", "discrete_cycle"};

    std::map<std::string, std::map<std::string, std::string>> alone;
    for (const std::string& sample : samples) {
        const std::filesystem::path out = folder.file("alone-" + sample);
        const tokarium::ChildOutcome run = simulateSample(sample, out);
        ASSERT_TRUE(run.finished && run.exitStatus == 0) << sample << ": " << run.problem << run.exitStatus;
        alone[sample] = tablesIn(out);
        ASSERT_FALSE(alone[sample].empty()) << sample;
    }

    std::vector<tokarium::ChildOutcome> outcomes(2 * samples.size());
    std::vector<std::thread> runs;
    for (std::size_t i = 0; i < outcomes.size(); ++i)
        runs.emplace_back([&, i] {
            outcomes[i] = simulateSample(samples[i % samples.size()], folder.file("together-" + std::to_string(i)));
        });
    for (std::thread& run : runs)
        run.join();
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        const std::string& sample = samples[i % samples.size()];
        EXPECT_TRUE(outcomes[i].finished && outcomes[i].exitStatus == 0) << sample << ": " << outcomes[i].problem;
        EXPECT_EQ(tablesIn(folder.file("together-" + std::to_string(i))), alone[sample]) << sample;
    }
    // Every working folder went with its run.
    EXPECT_TRUE(std::filesystem::is_empty(cache / "tokarium" / "runs"));
    if (oldCache)
        ::setenv("XDG_CACHE_HOME", savedCache.c_str(), 1);
    else
        ::unsetenv("XDG_CACHE_HOME");
}
