// Pictures of a sheet's page as printed: PNG at a chosen density, SVG and PDF as vectors.
#pragma once

#include <optional>
#include <string>

#include "gui/editor/editor_session.h"
#include "gui/model/net_sheet.h"

namespace tokarium {

enum class PictureFormat { kSvg, kPng, kPdf };

inline constexpr int kDefaultPictureDpi = 150;
inline constexpr int kMinimumPictureDpi = 30;
inline constexpr int kMaximumPictureDpi = 1200;

// From the path's extension ".svg", ".png" or ".pdf" (any case); none for another one.
std::optional<PictureFormat> pictureFormatFor(const std::string& path);

// Writes the page without handles or selection; the selection is kept. The file is replaced only
// when the whole picture was made. False, with the reason in error, on failure.
[[nodiscard]] bool saveSheetPicture(NetSheet& sheet, const EditorSession& session, const std::string& path, int dpi,
                                    std::string& error);

} // namespace tokarium
