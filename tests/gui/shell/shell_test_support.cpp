// Helpers of the shell tests.
#include "tests/gui/shell/shell_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QWidget>
#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "gui/model/net_document.h"
#include "gui/model/object_factory.h"
#include "gui/model/place.h"
#include "gui/xml/document_file.h"

namespace tokarium::test {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path()
        / ("tokarium_shell_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void writeDocumentFile(const std::string& path, const std::string& sheetName) {
    NetDocument document;
    document.newDocument();
    NetSheet& sheet = document.sheet(0);
    document.assignUniqueName(sheet, sheetName);
    auto place = createObject(ObjectKind::kContinuousPlace);
    static_cast<Place&>(*place).setInitialMarking(2.5);
    sheet.add(std::move(place));
    sheet.setDuration(12.75);
    if (!saveDocument(document, path, {}))
        throw std::runtime_error("cannot write " + path);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string pnName(int number) {
    return "PN n\xB0" + std::to_string(number);
}

void saveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("TOKARIUM_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    widget.show();
    EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
}

} // namespace tokarium::test
