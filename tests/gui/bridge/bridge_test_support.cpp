// Test helpers of the bridge tests.
#include "tests/gui/bridge/bridge_test_support.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "gui/bridge/bridge_constants.h"

namespace tokarium::testing {

Place& addPlace(NetSheet& sheet, ObjectKind kind, std::int32_t index, double marking) {
    auto place = std::make_unique<Place>(kind);
    place->setIndex(index);
    place->setInitialMarking(marking);
    return static_cast<Place&>(sheet.add(std::move(place)));
}

Transition& addTransition(NetSheet& sheet, ObjectKind kind, std::int32_t index, double ft) {
    auto transition = std::make_unique<Transition>(kind);
    transition->setIndex(index);
    transition->setFt(ft);
    return static_cast<Transition&>(sheet.add(std::move(transition)));
}

Arc& addArc(NetSheet& sheet, NetNode& from, NetNode& to, double weight) {
    auto arc = std::make_unique<Arc>(ObjectKind::kGeneralizedArc);
    arc->setWeight(weight);
    arc->link(from, to);
    return static_cast<Arc&>(sheet.add(std::move(arc)));
}

std::unique_ptr<NetDocument> newDocument() {
    auto document = std::make_unique<NetDocument>();
    document->setRandomSeed(7);
    document->newDocument();
    return document;
}

TempFolder::TempFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate =
            std::filesystem::temp_directory_path() / ("tokarium-bridge-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

ProgramFolder::ProgramFolder() {
    const std::filesystem::path built(TOKARIUM_BIN_DIR);
    const auto copy = [&](std::string_view folder, std::string_view program) {
        std::filesystem::create_directories(path() / folder);
        std::filesystem::copy_file(built / folder / program, path() / folder / program);
    };
    copy(kContinuousFolder, kContinuousProgram);
    copy(kHybridFolder, kHybridProgram);
    copy(kHybridFolder, kContinuousProgram);
}

BridgeSettings ProgramFolder::settings() const {
    BridgeSettings settings = BridgeSettings::forProgramFolder(path());
    settings.runParents = {runsFolder()};
    return settings;
}

std::filesystem::path ProgramFolder::continuousFolder() const {
    return path() / kContinuousFolder;
}

std::filesystem::path ProgramFolder::hybridFolder() const {
    return path() / kHybridFolder;
}

std::string readText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
}

std::string crlfLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

std::filesystem::path exampleDocument(const std::string& name) {
    return std::filesystem::path(TOKARIUM_SOURCE_DIR) / "examples" / name;
}

} // namespace tokarium::testing
