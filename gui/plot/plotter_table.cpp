// Plotter table rows, cells and text file.
#include "gui/plot/plotter_table.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>

#include "gui/model/net_node.h"
#include "gui/model/number_text.h"
#include "gui/plot/plot_constants.h"
#include "gui/xml/file_replace.h"

namespace tokarium {

std::optional<double> PlotterColumn::valueAt(double time) const {
    auto after = std::upper_bound(times.begin(), times.end(), time);
    if (after == times.begin())
        return std::nullopt;
    return values[static_cast<std::size_t>(after - times.begin()) - 1];
}

PlotterTable::PlotterTable(const NetSheet& sheet) : m_duration(sheet.duration()) {
    for (NetObject* object : sheet.objects(kNodeKinds)) {
        const auto& node = static_cast<const NetNode&>(*object);
        PlotterColumn column;
        column.title = node.defaultName() +
                       std::string(node.isPlace() ? kPlaceColumnSuffix : kTransitionColumnSuffix);
        column.name = node.name();
        column.times = node.historyTimes();
        column.values = node.historyValues();
        // Merged column by column: a long run never holds every column's times at once.
        std::vector<double> times(column.times.begin(), column.times.end());
        std::sort(times.begin(), times.end());
        std::vector<double> merged;
        merged.reserve(m_times.size() + times.size());
        std::set_union(m_times.begin(), m_times.end(), times.begin(), times.end(), std::back_inserter(merged));
        merged.erase(std::unique(merged.begin(), merged.end()), merged.end());
        m_times = std::move(merged);
        m_columns.push_back(std::move(column));
    }
}

std::vector<std::string> PlotterTable::headerTexts() const {
    std::vector<std::string> texts{std::string(kDateColumnTitle)};
    for (const PlotterColumn& column : m_columns)
        texts.push_back(column.title);
    texts.emplace_back();
    return texts;
}

std::vector<std::string> PlotterTable::namedHeaderTexts() const {
    std::vector<std::string> texts = headerTexts();
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (!m_columns[i].name.empty())
            texts[i + 1] += "\n" + m_columns[i].name;
    return texts;
}

std::vector<std::string> PlotterTable::rowTexts(std::size_t row) const {
    const double time = m_times[row];
    std::vector<std::string> texts{time == m_duration ? std::string(kFinalRowDate) : formatReal(time)};
    for (const PlotterColumn& column : m_columns) {
        const std::optional<double> value = column.valueAt(time);
        const std::optional<double> above = row > 0 ? column.valueAt(m_times[row - 1]) : std::nullopt;
        if (!value)
            texts.emplace_back();
        else if (above && *above == *value)
            texts.emplace_back(kUnchangedCell);
        else
            texts.push_back(plotterCellText(*value));
    }
    texts.emplace_back();
    return texts;
}

std::string PlotterTable::text() const {
    std::string text(kDateColumnTitle);
    for (const PlotterColumn& column : m_columns)
        text += '\t' + column.title;
    text += kPlotterLineEnd;
    for (double time : m_times) {
        text += formatReal(time);
        for (const PlotterColumn& column : m_columns) {
            text += '\t';
            if (const std::optional<double> value = column.valueAt(time))
                text += formatReal(*value);
        }
        text += kPlotterLineEnd;
    }
    return text;
}

std::string plotterCellText(double value) {
    if (std::isfinite(value) && value == std::trunc(value))
        return formatReal(value == 0.0 ? 0.0 : value, "%.0f");
    return formatReal(value, kCellRealFormat);
}

bool savePlotterText(const PlotterTable& table, const std::string& path) {
    return replaceFile(path, table.text());
}

std::string proposedPlotterFileName(const std::string& documentPath, const std::string& programPath) {
    std::filesystem::path base(documentPath.empty() ? programPath : documentPath);
    base.replace_extension();
    return base.string() + std::string(kPlotterFileSuffix);
}

} // namespace tokarium
