// The private working folder of one engine run, below the user's cache folder.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tokarium {

// Owns a fresh folder; the folder and everything in it go when the owner does, unless it is kept.
class RunFolder {
public:
    // A new empty folder "run-XXXXXX" in the first of the parents where one can be made (each parent
    // is created when missing); null, with the reason in problem, when none can.
    static std::shared_ptr<RunFolder> create(const std::vector<std::filesystem::path>& parents, std::string& problem);

    explicit RunFolder(std::filesystem::path path) : m_path(std::move(path)) {}
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The folder then stays on the disk after its owner has gone.
    void keep() { m_kept = true; }
    // Removes every file but the named ones (the reports the menus open).
    void keepOnly(const std::vector<std::string_view>& names) const;

private:
    std::filesystem::path m_path;
    bool m_kept = false;
};

// Where runs go, in order of preference: "$XDG_CACHE_HOME/tokarium/runs", "$HOME/.cache/tokarium/runs",
// then a folder of this user in the system's temporary folder.
std::vector<std::filesystem::path> defaultRunParents();

} // namespace tokarium
