// A small reader and writer of "[section]" / "key=value" settings files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tokarium {

// Keeps the file's lines, so that writing it back preserves what this program does not use.
// Section and key names compare without regard to letter case; values are trimmed of blanks.
class SettingsFile {
public:
    // A missing or unreadable file gives an empty one.
    static SettingsFile load(const std::string& path);

    // The value, or an empty text when the key is missing.
    std::string value(std::string_view section, std::string_view key) const;
    // Sets the key, adding the section and the key when missing.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    void removeKey(std::string_view section, std::string_view key);

    [[nodiscard]] bool save(const std::string& path) const;

private:
    // Line index of the section header, or -1.
    long findSection(std::string_view section) const;
    // Line index of the key inside the section starting at the header, or -1.
    long findKey(long sectionLine, std::string_view key) const;
    // One past the last line of the section starting at the header.
    long sectionEnd(long sectionLine) const;

    std::vector<std::string> m_lines;
};

// "$XDG_CONFIG_HOME/tokarium" or "$HOME/.config/tokarium", created when missing.
std::filesystem::path userConfigFolder();

// The setting "KeepRuns=1" of the section "Simulation": the working folders of the engine runs stay
// on the disk.
bool keepRunsSetting(const std::string& settingsPath);

} // namespace tokarium
