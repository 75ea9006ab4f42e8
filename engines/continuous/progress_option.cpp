// ProgressFile.
#include "engines/continuous/progress_option.h"

#include <cstdio>

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
    const std::string temporary = m_path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return;
    const bool written = std::fprintf(file, "%.17g\n", m_clock) > 0;
    if (std::fclose(file) == 0 && written && std::rename(temporary.c_str(), m_path.c_str()) == 0)
        m_written = true;
    else
        std::remove(temporary.c_str());
}

}  // namespace flowrun
