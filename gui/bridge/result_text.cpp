// Result file text rules.
#include "gui/bridge/result_text.h"

#include "gui/model/number_text.h"

namespace tokarium {

std::optional<std::string_view> ResultLines::next() {
    if (m_rest.empty())
        return std::nullopt;
    const std::size_t end = m_rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        std::string_view line = m_rest;
        m_rest = {};
        ++m_linesRead;
        return line;
    }
    std::string_view line = m_rest.substr(0, end);
    std::size_t skip = 1;
    if (m_rest[end] == '\r' && end + 1 < m_rest.size() && m_rest[end + 1] == '\n')
        skip = 2;
    m_rest.remove_prefix(end + skip);
    ++m_linesRead;
    return line;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    if (line.empty())
        return fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

std::vector<double> fieldValues(std::string_view line, std::size_t count) {
    const std::vector<std::string_view> fields = splitFields(line);
    std::vector<double> values(count, 0.0);
    for (std::size_t i = 0; i < count && i < fields.size(); ++i)
        values[i] = resultNumber(fields[i]);
    return values;
}

double resultNumber(std::string_view field) {
    return realOrZero(field);
}

std::int32_t resultCount(std::string_view line) {
    return integerOrZero(line);
}

} // namespace tokarium
