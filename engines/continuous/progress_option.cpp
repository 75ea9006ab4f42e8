// ProgressFile.
#include "engines/continuous/progress_option.h"

#include <cstdio>

#include "engines/continuous/file_replace.h"

namespace flowrun {

ProgressFile::ProgressFile(std::string path) : m_path(std::move(path)) {}

ClockWatch ProgressFile::watch()
{
    return [this](double clock) { tell(clock); };
}

void ProgressFile::tell(double clock)
{
    m_clock = clock;
    m_told = true;
    m_written = false;
    const auto now = std::chrono::steady_clock::now();
    if (now < m_nextWrite)
        return;
    m_nextWrite = now + kInterval;
    write();
}

void ProgressFile::finish()
{
    if (m_told && !m_written)
        write();
}

void ProgressFile::write()
{
    char text[40];
    const int length = std::snprintf(text, sizeof text, "%.17g\n", m_clock);
    std::string ignored;  // a progress file that cannot be written only leaves the display behind
    m_written = length > 0 && writeFileReplacing(m_path, std::string_view(text, static_cast<std::size_t>(length)), ignored);
}

}  // namespace flowrun
