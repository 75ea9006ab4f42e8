#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>

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
