// The manual rendered at build time, and the renderer's handling of a missing picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/gui/shell/shell_test_support.h"

using tokarium::test::readBytes;
using tokarium::test::TempFolder;

namespace {

int renderManual(const std::string& markdown, const std::string& pdf) {
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + TOKARIUM_MAKE_MANUAL + "' '" + markdown +
                                "' '" + pdf + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::size_t pageCount(const std::string& pdf) {
    std::size_t pages = 0;
    for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos; at = pdf.find("/Type /Page\n", at + 1))
        ++pages;
    return pages;
}

} // namespace

TEST(Manual, BuildPutsTheRenderedManualBesideTheProgram) {
    const std::string pdf = readBytes(std::string(TOKARIUM_BIN_DIR) + "/howto.pdf");
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_GE(pageCount(pdf), 3u);
}

TEST(Manual, MissingPictureFailsAndKeepsTheOldFile) {
    TempFolder folder;
    const std::string markdown = folder.file("m.md");
    const std::string pdf = folder.file("m.pdf");
    std::ofstream(markdown) << "# Title\n\nSome text.\n";
    ASSERT_EQ(renderManual(markdown, pdf), 0);
    const std::string good = readBytes(pdf);
    EXPECT_EQ(pageCount(good), 1u);

    std::ofstream(markdown) << "# Title\n\n![gone](images/gone.png)\n";
    EXPECT_EQ(renderManual(markdown, pdf), 1);
    EXPECT_EQ(readBytes(pdf), good);
}
