// A text report written as the run goes ("results.htm", "short_results.htm").
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace flowrun {

// Collects text and, when bound to a file, flushes it there in large pieces.
// Without a file the text stays in memory (used by tests and trial runs).
class Report {
public:
    Report() = default;
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;
    ~Report();

    // Creates the file; false when it cannot be created.
    [[nodiscard]] bool open(const char* path);
    // Flushes and closes; false when a write failed.
    [[nodiscard]] bool close();
    // The errno of the first failed write, open or close; 0 when none failed.
    int error() const { return m_error; }

    Report& operator<<(std::string_view text);
    void format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Past the limit further text is dropped after one notice, until unlimit(); this keeps a
    // run with very many phases from filling the disk with its trace.
    void limitTo(std::size_t bytes) { m_limit = bytes; }
    // Drops all text from now on: for runs whose caller only wants the states.
    void discard() { m_discard = true; }
    void unlimit() { m_limit = 0; }
    // False while every text given is dropped (discarded, or cut at the limit): callers skip
    // building text that would not be written.
    bool active() const { return !m_discard && !(m_limit > 0 && m_cut); }

    // Text written since the last flush (all of it when no file is bound).
    const std::string& pending() const { return m_buffer; }

private:
    void append(std::string_view text);
    void flushIfLarge();
    void fail();

    std::FILE* m_file = nullptr;
    std::string m_buffer;
    bool m_failed = false;
    int m_error = 0;
    std::size_t m_limit = 0;
    std::size_t m_written = 0;
    bool m_cut = false;
    bool m_discard = false;
};

}  // namespace flowrun
