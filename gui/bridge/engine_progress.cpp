// ProgressReader.
#include "gui/bridge/engine_progress.h"

#include <fstream>

#include "engines/continuous/progress_option.h"

namespace tokarium {
namespace {

// A progress file holds one short line; anything longer is not one.
constexpr std::streamsize kMaxProgressBytes = 64;

} // namespace

std::optional<double> ProgressReader::read() {
    std::ifstream in(m_file, std::ios::binary);
    if (!in)
        return m_clock;
    char text[kMaxProgressBytes];
    in.read(text, kMaxProgressBytes);
    const std::streamsize length = in.gcount();
    if (length < kMaxProgressBytes) {
        if (const std::optional<double> clock = flowrun::parseProgressText({text, static_cast<std::size_t>(length)});
            clock && (!m_clock || *clock >= *m_clock))
            m_clock = clock;
    }
    return m_clock;
}

} // namespace tokarium
