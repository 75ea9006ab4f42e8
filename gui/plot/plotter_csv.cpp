// Writing the Plotter table as CSV.
#include "gui/plot/plotter_csv.h"

#include <array>
#include <charconv>

#include "gui/xml/file_replace.h"
#include "gui/xml/xml_text.h"

namespace tokarium {
namespace {

constexpr const char* kCsvLineEnd = "\r\n";

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

// A node without a typed name goes by its automatic one, the title without its suffix ("P1.MC").
std::string automaticName(const PlotterColumn& column) {
    return column.title.substr(0, column.title.find('.'));
}

std::string csvNumber(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

} // namespace

std::string plotterCsv(const PlotterTable& table) {
    std::string text = "time";
    for (const PlotterColumn& column : table.columns())
        text += ',' + csvField(utf8(column.name.empty() ? automaticName(column) : column.name));
    text += kCsvLineEnd;
    for (double time : table.times()) {
        text += csvNumber(time);
        for (const PlotterColumn& column : table.columns()) {
            text += ',';
            if (const std::optional<double> value = column.valueAt(time))
                text += csvNumber(*value);
        }
        text += kCsvLineEnd;
    }
    return text;
}

bool savePlotterCsv(const PlotterTable& table, const std::string& path) {
    return replaceFile(path, plotterCsv(table));
}

} // namespace tokarium
