// Texts and formats of the plotter table and its text file.
#pragma once

#include <string_view>

namespace tokarium {

inline constexpr std::string_view kPlotterTitle = "Plotter";
inline constexpr std::string_view kDateColumnTitle = "Date";
inline constexpr std::string_view kPlaceColumnSuffix = ".MC";
inline constexpr std::string_view kTransitionColumnSuffix = ".IV";
// Cell of a value equal to the one in the row above, and the time of a row at the simulation duration.
inline constexpr std::string_view kUnchangedCell = "-";
inline constexpr std::string_view kFinalRowDate = "Fin";
inline constexpr const char* kCellRealFormat = "%6lg";
inline constexpr std::string_view kPlotterLineEnd = "\r\n";
inline constexpr std::string_view kPlotterSaveTitle = "Save";
inline constexpr std::string_view kPlotterFileFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
// Replaces the document's extension in the proposed file name.
inline constexpr std::string_view kPlotterFileSuffix = "1.txt";

} // namespace tokarium
