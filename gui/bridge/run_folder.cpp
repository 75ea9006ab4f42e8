// RunFolder and the places runs are made in.
#include "gui/bridge/run_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include <unistd.h>

namespace tokarium {
namespace {

// An environment variable naming an absolute folder; empty otherwise.
std::filesystem::path absoluteFolder(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || value[0] != '/')
        return {};
    return value;
}

} // namespace

std::shared_ptr<RunFolder> RunFolder::create(const std::vector<std::filesystem::path>& parents, std::string& problem) {
    problem = "no folder to run the engine in";
    for (const std::filesystem::path& parent : parents) {
        std::error_code error;
        std::filesystem::create_directories(parent, error);
        std::string pattern = (parent / "run-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            return std::make_shared<RunFolder>(pattern);
        problem = "cannot create a working folder in " + parent.string() + ": " + std::strerror(errno);
    }
    return nullptr;
}

RunFolder::~RunFolder() {
    if (m_kept)
        return;
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

void RunFolder::keepOnly(const std::vector<std::string_view>& names) const {
    std::vector<std::filesystem::path> doomed;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(m_path, error), end; !error && entry != end; entry.increment(error))
        if (std::find(names.begin(), names.end(), entry->path().filename().string()) == names.end())
            doomed.push_back(entry->path());
    for (const std::filesystem::path& path : doomed)
        std::filesystem::remove_all(path, error);
}

std::vector<std::filesystem::path> defaultRunParents() {
    const std::filesystem::path below = std::filesystem::path("tokarium") / "runs";
    std::vector<std::filesystem::path> parents;
    if (std::filesystem::path cache = absoluteFolder("XDG_CACHE_HOME"); !cache.empty())
        parents.push_back(cache / below);
    if (std::filesystem::path home = absoluteFolder("HOME"); !home.empty())
        parents.push_back(home / ".cache" / below);
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error)
        temporary = "/tmp";
    parents.push_back(temporary / ("tokarium-" + std::to_string(::getuid())) / "runs");
    return parents;
}

} // namespace tokarium
