// The option --progress=FILE shared by both engines: while the run goes on, FILE holds the
// simulation clock the engine has reached, for a program that waits for it to show how far it is.
#pragma once

#include <charconv>
#include <chrono>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace flowrun {

inline constexpr std::string_view kProgressOption = "--progress=";

// Told each simulation clock the run reaches: the start of each phase, each event time.
using ClockWatch = std::function<void(double)>;

// The clock in the text of a progress file: a finite number >= 0 followed by one line end. A file
// caught half written, or holding anything else, gives nothing.
[[nodiscard]] inline std::optional<double> parseProgressText(std::string_view text)
{
    if (text.size() < 2 || text.back() != '\n')
        return std::nullopt;
    text.remove_suffix(1);
    double clock = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), clock);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(clock) || clock < 0.0)
        return std::nullopt;
    return clock;
}

// Writes the clock it is told into its file, at most once per interval of wall time, and the last
// one at the end. Each write goes to a temporary file first and replaces the file by renaming, so a
// reader sees either the previous clock or the new one. Write failures are ignored: the run does
// not depend on anyone watching it.
class ProgressFile {
public:
    static constexpr std::chrono::milliseconds kInterval{150};

    explicit ProgressFile(std::string path);

    // The watch to hand to the engine: keeps the clock and writes it when the interval has passed.
    [[nodiscard]] ClockWatch watch();
    // Writes the last clock told, when the file does not hold it yet.
    void finish();

private:
    void tell(double clock);
    void write();

    std::string m_path;
    double m_clock = 0.0;
    bool m_told = false;
    bool m_written = false;
    std::chrono::steady_clock::time_point m_nextWrite{};
};

}  // namespace flowrun
