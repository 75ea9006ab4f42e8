#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <sys/wait.h>
#include <unistd.h>

#include "gui/shell/command_line.h"
#include "gui/shell/recent_files.h"
#include "gui/shell/settings_file.h"
#include "gui/shell/startup.h"
#include "tests/gui/shell/shell_test_support.h"

using namespace tokarium;
using tokarium::test::TempFolder;

namespace {

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(SettingsFile, ReadsKeysWithoutRegardToCaseAndKeepsOtherLines) {
    TempFolder folder;
    const std::string path = folder.file("tokarium.ini");
    writeText(path, "[Language]\r\nCode=fr\r\n\r\n[files]\r\nfile1 = /a/one.pn \r\nFILE2=/b/two.pn\r\n");
    SettingsFile settings = SettingsFile::load(path);
    EXPECT_EQ(settings.value("Files", "File1"), "/a/one.pn");
    EXPECT_EQ(settings.value("FILES", "File2"), "/b/two.pn");
    EXPECT_EQ(settings.value("Files", "File3"), "");
    EXPECT_EQ(settings.value("Language", "File1"), "");

    settings.setValue("Files", "File1", "/c/three.pn");
    settings.setValue("Files", "File3", "/d/four.pn");
    settings.removeKey("Files", "File2");
    ASSERT_TRUE(settings.save(path));
    EXPECT_EQ(test::readBytes(path), "[Language]\nCode=fr\n\n[files]\nFile1=/c/three.pn\nFile3=/d/four.pn\n");
}

TEST(SettingsFile, MissingFileIsEmptyAndGainsTheSection) {
    TempFolder folder;
    SettingsFile settings = SettingsFile::load(folder.file("none.ini"));
    EXPECT_EQ(settings.value("Files", "File1"), "");
    settings.setValue("Files", "File1", "/x.pn");
    ASSERT_TRUE(settings.save(folder.file("none.ini")));
    EXPECT_EQ(test::readBytes(folder.file("none.ini")), "[Files]\nFile1=/x.pn\n");
}

TEST(SettingsFile, TwoProgramsSavingAtOnceLeaveOneWholeFileAndTheKeepRunsSetting) {
    TempFolder folder;
    const std::string path = folder.file("tokarium.ini");
    // Two processes save their own lists over and over; every look at the file finds one of them whole.
    auto listOf = [](int writer) {
        SettingsFile settings;
        for (int key = 1; key <= 4; ++key)
            settings.setValue("Files", "File" + std::to_string(key), "/writer" + std::to_string(writer) + std::string(200, 'x'));
        return settings;
    };
    ASSERT_TRUE(listOf(2).save(path));
    const std::string second = test::readBytes(path);
    ASSERT_TRUE(listOf(1).save(path));
    const std::string first = test::readBytes(path);
    pid_t writers[2];
    for (int writer = 0; writer < 2; ++writer) {
        writers[writer] = ::fork();
        if (writers[writer] == 0) {
            const SettingsFile settings = listOf(writer + 1);
            for (int round = 0; round < 300; ++round)
                if (!settings.save(path))
                    ::_exit(1);
            ::_exit(0);
        }
    }
    for (int look = 0; look < 300; ++look) {
        const std::string seen = test::readBytes(path);
        ASSERT_TRUE(seen == first || seen == second) << seen;
    }
    for (pid_t writer : writers) {
        int status = 0;
        ::waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), std::filesystem::directory_iterator()), 1);

    EXPECT_FALSE(keepRunsSetting(path));
    SettingsFile settings = SettingsFile::load(path);
    settings.setValue("Simulation", "KeepRuns", "1");
    ASSERT_TRUE(settings.save(path));
    EXPECT_TRUE(keepRunsSetting(path));
}

TEST(RecentFiles, MostRecentFirstAtMostFourWithoutDuplicates) {
    RecentFiles recent;
    for (const char* path : {"/f/1.pn", "/f/2.pn", "/f/3.pn", "/f/4.pn"})
        recent.add(path);
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/f/4.pn", "/f/3.pn", "/f/2.pn", "/f/1.pn"}));
    recent.add("/f/5.pn");
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/f/5.pn", "/f/4.pn", "/f/3.pn", "/f/2.pn"}));
    recent.add("/f/3.pn");
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/f/3.pn", "/f/5.pn", "/f/4.pn", "/f/2.pn"}));
}

TEST(RecentFiles, LoadStopsAtTheFirstMissingOrEmptyKeyAndStoreRemovesStaleOnes) {
    TempFolder folder;
    const std::string path = folder.file("tokarium.ini");
    writeText(path, "[Files]\nFile1=/a.pn\nFile2=/b.pn\nFile3=\nFile4=/d.pn\n");
    RecentFiles recent;
    recent.load(SettingsFile::load(path));
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/a.pn", "/b.pn"}));

    RecentFiles shorter;
    shorter.add("/z.pn");
    SettingsFile settings = SettingsFile::load(path);
    shorter.store(settings);
    recent.load(settings);
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/z.pn"}));
    EXPECT_EQ(settings.value("Files", "File4"), "");
}

TEST(RecentFiles, MenuTextIsTheNameFollowedByTheFolder) {
    EXPECT_EQ(recentFileLabel("/home/ana/nets/line.pn"), "line.pn (/home/ana/nets)");
    EXPECT_EQ(recentFileLabel("/top.pn"), "top.pn (/)");
}

TEST(Startup, CommandLineFileWinsOverTheRecentFiles) {
    const auto exists = [](const std::string&) { return true; };
    EXPECT_EQ(startupDocument(std::string("/cmd.pn"), {"/recent.pn"}, exists), std::string("/cmd.pn"));
}

TEST(Startup, DeletedRecentFilesAreSkippedAndNoneGivesANewDocument) {
    const std::set<std::string> present = {"/second.pn", "/third.pn"};
    const auto exists = [&](const std::string& path) { return present.count(path) > 0; };
    EXPECT_EQ(startupDocument(std::nullopt, {"/first.pn", "/second.pn", "/third.pn"}, exists),
              std::string("/second.pn"));
    EXPECT_EQ(startupDocument(std::nullopt, {"/gone.pn"}, exists), std::nullopt);
    EXPECT_EQ(startupDocument(std::nullopt, {}, exists), std::nullopt);
}

TEST(CommandLine, DocumentAndScreenshotAreReadAndMistakesReported) {
    CommandLine line = parseCommandLine({"--screenshot", "shot.png", "net.pn"});
    EXPECT_EQ(line.document, std::string("net.pn"));
    EXPECT_EQ(line.screenshot, std::string("shot.png"));
    EXPECT_TRUE(line.error.empty());
    EXPECT_FALSE(parseCommandLine({"--screenshot"}).error.empty());
    EXPECT_FALSE(parseCommandLine({"--fast"}).error.empty());
    EXPECT_FALSE(parseCommandLine({"a.pn", "b.pn"}).error.empty());
    EXPECT_FALSE(parseCommandLine({}).document.has_value());
    EXPECT_TRUE(parseCommandLine({"--keep-runs", "net.pn"}).keepRuns);
    EXPECT_FALSE(parseCommandLine({"net.pn"}).keepRuns);
}

TEST(CommandLine, StartGoesOnlyWithAScreenshot) {
    const CommandLine line = parseCommandLine({"--screenshot", "shot.png", "--start", "net.pn"});
    EXPECT_TRUE(line.start);
    EXPECT_TRUE(line.error.empty());
    EXPECT_FALSE(parseCommandLine({"--screenshot", "shot.png", "net.pn"}).start);
    EXPECT_FALSE(parseCommandLine({"--start", "net.pn"}).error.empty());
}
