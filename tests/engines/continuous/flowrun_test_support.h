// Temporary folders, file helpers and running the built flowrun for the tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace flowrun::test {

// A fresh folder below the system's temporary folder, removed with its content at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Makes the folder the current directory while it lives, and goes back afterwards.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder);
    ~CurrentFolder();
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::filesystem::path m_previous;
};

std::string readText(const std::filesystem::path& path);
void writeText(const std::filesystem::path& path, const std::string& text);

// Runs the built flowrun in the folder and returns its exit status (-1 when it crashed).
// pathVariable replaces PATH for the run when given; settings ("NAME=value") are added to
// its environment, arguments to its command line.
int runFlowrun(const std::filesystem::path& folder, const std::string* pathVariable = nullptr,
               const std::vector<std::string>& settings = {}, const std::vector<std::string>& arguments = {});

// The rows of a tab-separated result file, each split into its fields.
std::vector<std::vector<std::string>> tableRows(const std::string& text);

}  // namespace flowrun::test
