// Fuzzes the .pn reader with everything a loaded document goes through: verification, the engine
// input texts and a save that must read back.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "gui/bridge/input_export.h"
#include "gui/check/verify.h"
#include "gui/xml/pn_document.h"

using namespace tokarium;

namespace {

void readBack(const std::string& bytes) {
    std::istringstream stream(bytes);
    XmlReader reader(stream);
    NetDocument document;
    std::vector<SheetWindow> windows;
    if (readDocument(document, reader, [] { return true; }, windows) != DocumentReadStatus::kLoaded)
        __builtin_trap(); // a document we wrote ourselves must load
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    XmlReader reader(stream);
    NetDocument document;
    std::vector<SheetWindow> windows;
    if (readDocument(document, reader, [] { return true; }, windows) != DocumentReadStatus::kLoaded)
        return 0;
    for (const auto& sheet : document.sheets()) {
        std::vector<std::string> messages;
        if (verify(*sheet, messages)) {
            (void)continuousInputText(*sheet);
            (void)hybridInputText(*sheet);
        }
    }
    std::ostringstream saved(std::ios::out | std::ios::binary);
    XmlWriter writer(saved);
    writeDocument(document, writer, {});
    readBack(saved.str());
    return 0;
}
