// Lines, fields, numbers and counts of the engines' result files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tokarium {

// Walks the lines of a file's bytes. A line ends at LF, at CR, or at CR LF; a last line without line
// end counts only when it is not empty.
class ResultLines {
public:
    explicit ResultLines(std::string_view bytes) : m_rest(bytes) {}
    // The next line without its line end, or none at the end of the bytes.
    std::optional<std::string_view> next();
    // Lines read so far.
    std::size_t linesRead() const { return m_linesRead; }

private:
    std::string_view m_rest;
    std::size_t m_linesRead = 0;
};

// Fields split at TAB only; an empty line has no field, empty fields between TABs count.
std::vector<std::string_view> splitFields(std::string_view line);

// The first `count` fields as numbers; missing fields read as 0, further fields are ignored.
std::vector<double> fieldValues(std::string_view line, std::size_t count);

// A field trimmed of blanks as a real ("," accepted as decimal separator); anything that is not a
// number, "inf" included, reads as 0.
double resultNumber(std::string_view field);

// A count line: an optional sign and decimal digits after trimming; anything else reads as 0.
std::int32_t resultCount(std::string_view line);

} // namespace tokarium
