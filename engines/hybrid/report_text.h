// The long hybrid report as it is written: buffered into its file, bounded in size.
#pragma once

#include "engines/continuous/report.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace mixsim {

// Largest size of "results_hybrid.htm"; past it the report ends with a line saying it was cut there.
inline constexpr std::size_t kMaxReportBytes = std::size_t{128} << 20;

// Report text appended piece by piece; bound to a file it is written out in large pieces,
// otherwise (tests) it stays in memory.
class ReportText : public flowrun::Report {
public:
    ReportText& operator+=(std::string_view text)
    {
        *this << text;
        return *this;
    }

    // Appends the parts as one piece, without building a string for it: the size limit keeps
    // or drops the piece as a whole, as it would the parts joined with +.
    template <class... Parts>
    ReportText& add(const Parts&... parts)
    {
        m_piece.clear();
        (m_piece.append(parts), ...);
        return *this += m_piece;
    }

private:
    std::string m_piece;
};

}  // namespace mixsim
