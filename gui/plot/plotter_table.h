// The Plotter's table of a sheet: every recorded marking and speed over time, and its text file.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gui/model/net_sheet.h"

namespace tokarium {

struct PlotterColumn {
    std::string title; // "P1.MC", "T2.IV"
    std::string name;  // the node's typed name, empty when it has none
    // The node's history, read in place.
    std::span<const double> times;
    std::span<const double> values;
    // The value at the last recorded time not after t; none before the first record.
    std::optional<double> valueAt(double time) const;
};

// The sheet's histories as a table. It reads the nodes' histories in place (a long run is not held
// twice), so it is used while they do not change: the modal Plotter, a batch run's end.
class PlotterTable {
public:
    explicit PlotterTable(const NetSheet& sheet);

    // Node columns in container order (the "Date" column and the empty last column are not among them).
    const std::vector<PlotterColumn>& columns() const { return m_columns; }
    // Distinct recorded times, ascending.
    const std::vector<double>& times() const { return m_times; }
    std::size_t rowCount() const { return m_times.size(); }

    // Texts shown: titles "Date", node titles, "" for the last column; then per row the time or "Fin",
    // and per node "-" for a value equal to the row above, "" for no value, otherwise the number.
    std::vector<std::string> headerTexts() const;
    // The titles as the window shows them: a node's typed name, when it has one, on a second line.
    std::vector<std::string> namedHeaderTexts() const;
    std::vector<std::string> rowTexts(std::size_t row) const;

    // The saved form: TAB-separated, CR LF line ends, every value written in full.
    std::string text() const;

private:
    std::vector<PlotterColumn> m_columns;
    std::vector<double> m_times;
    double m_duration;
};

// A value of the table: a whole number as an integer, otherwise "%6lg".
std::string plotterCellText(double value);

// Writes the table's text to the path so that a failure leaves any previous file intact.
[[nodiscard]] bool savePlotterText(const PlotterTable& table, const std::string& path);

// The file name "Save..." proposes: the document's path with its extension replaced by "1.txt", or
// the program's own path treated alike for a document never saved.
std::string proposedPlotterFileName(const std::string& documentPath, const std::string& programPath);

} // namespace tokarium
