// Recent files: ordering, the settings keys and the menu texts.
#include "gui/shell/recent_files.h"

#include <algorithm>

#include "gui/shell/shell_constants.h"

namespace tokarium {

namespace {

std::string keyOf(std::size_t position) {
    return std::string(kRecentFileKeyPrefix) + std::to_string(position + 1);
}

} // namespace

void RecentFiles::add(const std::string& path) {
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > kMaxRecentFiles)
        m_paths.resize(kMaxRecentFiles);
}

void RecentFiles::load(const SettingsFile& settings) {
    m_paths.clear();
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        std::string path = settings.value(kRecentFilesSection, keyOf(i));
        if (path.empty())
            break;
        m_paths.push_back(std::move(path));
    }
}

void RecentFiles::store(SettingsFile& settings) const {
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        if (i < m_paths.size())
            settings.setValue(kRecentFilesSection, keyOf(i), m_paths[i]);
        else
            settings.removeKey(kRecentFilesSection, keyOf(i));
    }
}

std::string recentFileLabel(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return path;
    const std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    return path.substr(slash + 1) + " (" + folder + ")";
}

} // namespace tokarium
