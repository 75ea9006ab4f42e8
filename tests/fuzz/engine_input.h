// What the engine harnesses share: a private folder to run in, and the bound on the inputs they
// simulate so that each run stays short.
#pragma once

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace tokarium::fuzz {

// Largest number an input may hold after its title line, and the horizon of the runs: it bounds the
// counts of places and transitions, the markings and speeds, and the simulated time.
inline constexpr double kLargestNumber = 24.0;

// Moves the process into a fresh folder of its own (once) and returns it. The fuzzer's corpus and
// artifact paths must therefore be absolute (scripts/fuzz.sh gives them so).
inline const std::filesystem::path& runFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tokarium-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::filesystem::current_path(pattern);
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// True when every whitespace-separated word after the first line that reads as a number (however
// the engine would read it) is at most kLargestNumber in size.
inline bool hasSmallNumbers(std::string_view text) {
    const std::size_t firstLineEnd = text.find('\n');
    if (firstLineEnd == std::string_view::npos)
        return true;
    std::string rest(text.substr(firstLineEnd + 1));
    const char* cursor = rest.c_str();
    while (*cursor) {
        char* end = nullptr;
        const double value = std::strtod(cursor, &end);
        if (end != cursor && !(std::fabs(value) <= kLargestNumber))
            return false;
        cursor = end != cursor ? end : cursor + 1;
    }
    return true;
}

inline void writeInput(const char* name, std::string_view text) {
    std::ofstream file(runFolder() / name, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace tokarium::fuzz
