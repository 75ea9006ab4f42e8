// Nets, temporary program folders and file helpers for the bridge tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "gui/bridge/engine_choice.h"
#include "gui/model/arc.h"
#include "gui/model/net_document.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium::testing {

Place& addPlace(NetSheet& sheet, ObjectKind kind, std::int32_t index, double marking = 0.0);
Transition& addTransition(NetSheet& sheet, ObjectKind kind, std::int32_t index, double ft = 1.0);
Arc& addArc(NetSheet& sheet, NetNode& from, NetNode& to, double weight = 1.0);

inline Place& continuousPlace(NetSheet& sheet, std::int32_t index, double marking = 0.0) {
    return addPlace(sheet, ObjectKind::kContinuousPlace, index, marking);
}
inline Place& discretePlace(NetSheet& sheet, std::int32_t index, double marking = 0.0) {
    return addPlace(sheet, ObjectKind::kDiscretePlace, index, marking);
}
inline Transition& continuousTransition(NetSheet& sheet, std::int32_t index, double speed = 1.0) {
    return addTransition(sheet, ObjectKind::kContinuousTransition, index, speed);
}
inline Transition& discreteTransition(NetSheet& sheet, std::int32_t index, double duration = 1.0) {
    return addTransition(sheet, ObjectKind::kDiscreteTransition, index, duration);
}

// A document with one empty sheet of a known id and name.
std::unique_ptr<NetDocument> newDocument();

// A fresh folder below the system's temporary folder, removed with its content at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A program folder holding copies of the built engines in their working folders, so that tests never
// write into the build tree.
class ProgramFolder {
public:
    ProgramFolder();
    const std::filesystem::path& path() const { return m_folder.path(); }
    // The runs go into the folder "runs" of the program folder.
    BridgeSettings settings() const;
    std::filesystem::path runsFolder() const { return path() / "runs"; }
    std::filesystem::path continuousFolder() const;
    std::filesystem::path hybridFolder() const;

private:
    TempFolder m_folder;
};

std::string readText(const std::filesystem::path& path);
void writeText(const std::filesystem::path& path, const std::string& text);

// Lines joined with CR LF, each line ended by it.
std::string crlfLines(std::initializer_list<const char*> lines);

// The sample documents shipped in examples/.
std::filesystem::path exampleDocument(const std::string& name);

} // namespace tokarium::testing
