// The page of a sheet in logical units, its drawable area, the grid and snapping.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/model/geometry.h"
#include "gui/model/net_sheet.h"

namespace tokarium {

// Tenths of a millimetre to pixels of a device of the given density, rounded: (v * dpi + 127) / 254.
std::int32_t tenthsToPixels(std::int32_t tenths, std::int32_t dpi);

// The whole paper, from (0, 0), at the given density (logical units at the reference density).
Rect pageRect(const PageSettings& page, std::int32_t dpi);
// The page inset by the margin and the inner margin; the grid's origin is its top-left corner.
Rect drawableArea(const PageSettings& page, std::int32_t dpi);

Rect pageRect(const NetSheet& sheet);
Rect drawableArea(const NetSheet& sheet);

// The point on the nearest grid line (per axis) when align is on; unchanged otherwise.
Point snapToGrid(const NetSheet& sheet, Point point);

// Every grid dot inside the drawable area and the given rectangle (none when the step is not positive).
std::vector<Point> gridDots(const NetSheet& sheet, const Rect& within);

// The zoom percentage the window uses: the sheet's, limited to a range it can show; a zoom that is
// not positive (only a damaged file holds one) shows at 100 %.
std::int32_t shownZoom(const NetSheet& sheet);

// v * numerator / denominator, rounded to the nearest integer as a 64-bit product.
std::int32_t mulDiv(std::int32_t v, std::int32_t numerator, std::int32_t denominator);

} // namespace tokarium
