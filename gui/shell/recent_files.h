// The list of the most recently opened or saved documents.
#pragma once

#include <string>
#include <vector>

#include "gui/shell/settings_file.h"

namespace tokarium {

class RecentFiles {
public:
    // Full paths, the most recent first.
    const std::vector<std::string>& paths() const { return m_paths; }

    // Moves the path to the front: an equal entry is removed first, and the oldest entry is dropped
    // when the list would hold more than kMaxRecentFiles.
    void add(const std::string& path);

    // Keys "File1", "File2", ... of the "Files" section, up to the first one missing or empty.
    void load(const SettingsFile& settings);
    // Keys "File1" to "File4"; positions beyond the list are removed.
    void store(SettingsFile& settings) const;

private:
    std::vector<std::string> m_paths;
};

// The File menu's text of a recent file: its name followed by its folder in parentheses.
std::string recentFileLabel(const std::string& path);

} // namespace tokarium
