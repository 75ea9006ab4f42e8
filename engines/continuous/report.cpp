// Buffered report text.
#include "engines/continuous/report.h"

#include <cerrno>
#include <cstdarg>
#include <vector>

namespace flowrun {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

}  // namespace

Report::~Report()
{
    if (m_file)
        static_cast<void>(close());
}

bool Report::open(const char* path)
{
    m_file = std::fopen(path, "wb");
    if (!m_file)
        fail();
    return m_file != nullptr;
}

bool Report::close()
{
    if (!m_file)
        return !m_failed;
    if (!m_buffer.empty() && std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
        fail();
    m_buffer.clear();
    if (std::fclose(m_file) != 0)
        fail();
    m_file = nullptr;
    return !m_failed;
}

void Report::fail()
{
    if (!m_failed)
        m_error = errno;
    m_failed = true;
}

Report& Report::operator<<(std::string_view text)
{
    append(text);
    return *this;
}

void Report::append(std::string_view text)
{
    if (m_discard)
        return;
    if (m_limit > 0 && (m_cut || m_written + text.size() > m_limit)) {
        if (!m_cut) {
            m_buffer += "<br><b>The trace is cut here: the report reached its size limit of " + std::to_string(m_limit) +
                        " bytes.</b><br>\n";
            m_cut = true;
        }
        return;
    }
    m_written += text.size();
    m_buffer.append(text);
    flushIfLarge();
}

void Report::format(const char* format, ...)
{
    if (!active())
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    // Most lines fit the stack buffer; a longer one is formatted again into one of its size.
    char line[256];
    const int length = std::vsnprintf(line, sizeof line, format, copy);
    va_end(copy);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof line) {
        append(std::string_view(line, static_cast<std::size_t>(length)));
    } else if (length > 0) {
        std::vector<char> text(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        append(std::string_view(text.data(), static_cast<std::size_t>(length)));
    }
    va_end(args);
}

void Report::flushIfLarge()
{
    if (!m_file || m_buffer.size() < kFlushSize)
        return;
    if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
        fail();
    m_buffer.clear();
}

}  // namespace flowrun
