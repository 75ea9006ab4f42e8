// Open, Save and Duplicate PN.
#include "gui/xml/document_file.h"

#include "gui/xml/file_replace.h"
#include "gui/xml/pn_sheet.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tokarium {

bool openDocument(NetDocument& document, const std::string& path, UserPrompt& prompt,
                  std::vector<SheetWindow>& windows) {
    // Linux has no sharing violations, so a file that cannot be opened is reported at once.
    document.removeAllSheets();
    std::error_code error;
    std::ifstream file;
    if (!std::filesystem::is_directory(path, error))
        file.open(path, std::ios::in | std::ios::binary);
    if (!file.is_open()) {
        prompt.showMessage(formatMessage(kCantOpenFileMessage, path));
        return false;
    }
    std::vector<SheetWindow> read;
    XmlReader reader(file);
    auto askVersion = [&] { return prompt.askYesNo(formatMessage(kIncorrectVersionQuestion, path)); };
    DocumentReadStatus status = readDocument(document, reader, askVersion, read);
    if (status != DocumentReadStatus::kLoaded) {
        if (status == DocumentReadStatus::kIncorrectFormat) {
            std::string message = formatMessage(kIncorrectFormatMessage, path);
            if (reader.damaged())
                message += " " + formatMessage(kDamagedLineMessage, std::to_string(reader.damageLine()));
            prompt.showMessage(message);
        }
        document.removeAllSheets();
        return false;
    }
    document.setPath(path);
    document.setModified(false);
    windows.insert(windows.end(), read.begin(), read.end());
    return true;
}

bool saveDocument(NetDocument& document, const std::string& path, const std::vector<ViewPlacement>& views) {
    std::ostringstream buffer(std::ios::out | std::ios::binary);
    XmlWriter writer(buffer);
    writeDocument(document, writer, views);
    if (!writer.good() || !replaceFile(path, buffer.view()))
        return false;
    document.setModified(false);
    return true;
}

NetSheet& duplicateSheet(NetDocument& document, const NetSheet& source) {
    NetSheet& copy = document.newSheet();
    std::stringstream buffer(std::ios::in | std::ios::out | std::ios::binary);
    XmlWriter writer(buffer);
    writeSheet(source, writer);
    XmlReader reader(buffer);
    if (reader.readDeclaration())
        (void)readSheet(copy, reader);
    document.assignUniqueName(copy, "");
    document.assignUniqueId(copy);
    return copy;
}

} // namespace tokarium
