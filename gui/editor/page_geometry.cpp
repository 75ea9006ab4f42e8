// Page geometry at the reference density and the grid.
#include "gui/editor/page_geometry.h"

#include <algorithm>

#include "gui/editor/editor_constants.h"

namespace tokarium {

std::int32_t tenthsToPixels(std::int32_t tenths, std::int32_t dpi) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(tenths) * dpi + 127) / 254);
}

Rect pageRect(const PageSettings& page, std::int32_t dpi) {
    return {0, 0, tenthsToPixels(page.width, dpi), tenthsToPixels(page.height, dpi)};
}

Rect drawableArea(const PageSettings& page, std::int32_t dpi) {
    const std::int32_t inset = kPageMargin + kPageInnerMargin;
    return {tenthsToPixels(inset, dpi), tenthsToPixels(inset, dpi), tenthsToPixels(page.width - inset, dpi),
            tenthsToPixels(page.height - inset, dpi)};
}

Rect pageRect(const NetSheet& sheet) {
    return pageRect(sheet.page(), kReferenceDpi);
}

Rect drawableArea(const NetSheet& sheet) {
    return drawableArea(sheet.page(), kReferenceDpi);
}

Point snapToGrid(const NetSheet& sheet, Point point) {
    const std::int32_t g = sheet.grid().step;
    if (!sheet.grid().align || g <= 0)
        return point;
    const Rect area = drawableArea(sheet);
    // Integer division truncates towards zero: the nearest line right of and below the origin.
    auto axis = [g](std::int32_t origin, std::int32_t p) { return origin + ((g / 2 - origin + p) / g) * g; };
    return {axis(area.left, point.x), axis(area.top, point.y)};
}

std::vector<Point> gridDots(const NetSheet& sheet, const Rect& within) {
    std::vector<Point> dots;
    const std::int32_t g = sheet.grid().step;
    const Rect area = drawableArea(sheet);
    if (g <= 0 || !area.intersects(within))
        return dots;
    // The first line at or after the start of the rectangle, but never the area's own edge.
    auto first = [g](std::int32_t origin, std::int32_t start) {
        const std::int32_t steps = start > origin ? (start - origin + g - 1) / g : 1;
        return origin + std::max<std::int32_t>(steps, 1) * g;
    };
    const std::int32_t right = std::min(area.right, within.right);
    const std::int32_t bottom = std::min(area.bottom, within.bottom);
    for (std::int32_t y = first(area.top, within.top); y < bottom; y += g)
        for (std::int32_t x = first(area.left, within.left); x < right; x += g)
            dots.push_back({x, y});
    return dots;
}

std::int32_t shownZoom(const NetSheet& sheet) {
    const std::int32_t zoom = sheet.zoom();
    return zoom <= 0 ? kDefaultZoom : std::clamp(zoom, kMinimumZoom, kMaximumZoom);
}

std::int32_t mulDiv(std::int32_t v, std::int32_t numerator, std::int32_t denominator) {
    const std::int64_t product = static_cast<std::int64_t>(v) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<std::int32_t>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

} // namespace tokarium
