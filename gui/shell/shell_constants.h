// Names, bounds and texts of the application shell.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tokarium {

// The settings file beside the program, and where it keeps the recent files.
constexpr std::string_view kSettingsFileName = "tokarium.ini";
constexpr std::string_view kRecentFilesSection = "Files";
constexpr std::string_view kRecentFileKeyPrefix = "File";
constexpr std::size_t kMaxRecentFiles = 4;
// The File menu's single disabled item when there are no recent files.
constexpr std::string_view kNoRecentFilesText = "...";

// The program's own file name; the Plotter proposes it for the table of a document never saved.
constexpr std::string_view kProgramFileName = "tokarium";

// The manual opened by "Help...", beside the program.
constexpr std::string_view kHelpFileName = "howto.pdf";

// Default placement of child windows: cascade offset and steps, and the smallest default size.
constexpr int kCascadeOffset = 24;
constexpr std::size_t kCascadeSteps = 10;
constexpr int kDefaultFrameWidth = 640;
constexpr int kDefaultFrameHeight = 480;

// Zoom levels of the View menu, and of the toolbar list in the reverse order.
constexpr std::array<int, 7> kZoomLevels = {25, 50, 75, 100, 150, 200, 500};

// Told when a document cannot be written (the previous file stays as it was).
constexpr std::string_view kCantSaveFileMessage = "Can't save file \"%s\".";

} // namespace tokarium
