// Settings files: line-preserving lookup and update of keys in sections.
#include "gui/shell/settings_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include <unistd.h>

#include "gui/model/number_text.h"
#include "gui/xml/file_replace.h"

namespace tokarium {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The name of a "[name]" line, or nothing when the line is no section header.
bool sectionName(std::string_view line, std::string_view& name) {
    line = trimBlanks(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    name = trimBlanks(line.substr(1, line.size() - 2));
    return true;
}

// Splits "key=value"; false for lines without "=" and for comments.
bool keyAndValue(std::string_view line, std::string_view& key, std::string_view& value) {
    line = trimBlanks(line);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return false;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    key = trimBlanks(line.substr(0, equals));
    value = trimBlanks(line.substr(equals + 1));
    return true;
}

std::string keyLine(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + std::string(value);
}

} // namespace

SettingsFile SettingsFile::load(const std::string& path) {
    SettingsFile file;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        file.m_lines.push_back(line);
    }
    return file;
}

long SettingsFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view name;
        if (sectionName(m_lines[i], name) && sameName(name, section))
            return static_cast<long>(i);
    }
    return -1;
}

long SettingsFile::sectionEnd(long sectionLine) const {
    std::size_t i = static_cast<std::size_t>(sectionLine) + 1;
    std::string_view name;
    while (i < m_lines.size() && !sectionName(m_lines[i], name))
        ++i;
    return static_cast<long>(i);
}

long SettingsFile::findKey(long sectionLine, std::string_view key) const {
    const long end = sectionEnd(sectionLine);
    for (long i = sectionLine + 1; i < end; ++i) {
        std::string_view name;
        std::string_view value;
        if (keyAndValue(m_lines[static_cast<std::size_t>(i)], name, value) && sameName(name, key))
            return i;
    }
    return -1;
}

std::string SettingsFile::value(std::string_view section, std::string_view key) const {
    const long header = findSection(section);
    const long line = header < 0 ? -1 : findKey(header, key);
    if (line < 0)
        return {};
    std::string_view name;
    std::string_view value;
    (void)keyAndValue(m_lines[static_cast<std::size_t>(line)], name, value);
    return std::string(value);
}

void SettingsFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    long header = findSection(section);
    if (header < 0) {
        m_lines.push_back("[" + std::string(section) + "]");
        header = static_cast<long>(m_lines.size()) - 1;
    }
    const long line = findKey(header, key);
    if (line >= 0) {
        m_lines[static_cast<std::size_t>(line)] = keyLine(key, value);
        return;
    }
    // After the section's last key, before any blank lines that separate it from the next one.
    long insertAt = sectionEnd(header);
    while (insertAt > header + 1 && trimBlanks(m_lines[static_cast<std::size_t>(insertAt - 1)]).empty())
        --insertAt;
    m_lines.insert(m_lines.begin() + insertAt, keyLine(key, value));
}

void SettingsFile::removeKey(std::string_view section, std::string_view key) {
    const long header = findSection(section);
    const long line = header < 0 ? -1 : findKey(header, key);
    if (line >= 0)
        m_lines.erase(m_lines.begin() + line);
}

bool SettingsFile::save(const std::string& path) const {
    std::string bytes;
    for (const std::string& line : m_lines)
        bytes += line + "\n";
    return replaceFile(path, bytes);
}

std::filesystem::path userConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path folder;
    if (config && config[0] == '/')
        folder = std::filesystem::path(config) / "tokarium";
    else if (home && home[0] == '/')
        folder = std::filesystem::path(home) / ".config" / "tokarium";
    else
        folder = std::filesystem::path("/tmp") / ("tokarium-config-" + std::to_string(::getuid()));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

bool keepRunsSetting(const std::string& settingsPath) {
    return SettingsFile::load(settingsPath).value("Simulation", "KeepRuns") == "1";
}

} // namespace tokarium
