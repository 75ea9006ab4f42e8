// Named values and texts of the property, conflicts, stop-condition and message dialogs.
#pragma once

#include <array>
#include <cstdint>

#include "gui/model/object_format.h"

namespace tokarium {

// The colour picker's palette, 5 rows of 8, in this order.
constexpr int kPaletteColumns = 8;
constexpr std::array<Colour, 40> kPaletteColours = {
    0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x993333, 0x333333,
    0x000080, 0x0066FF, 0x008080, 0x008000, 0x808000, 0xFF0000, 0x996666, 0x808080,
    0x0000FF, 0x0099FF, 0x00CC99, 0x669933, 0xCCCC33, 0xFF6633, 0x800080, 0x969696,
    0xFF00FF, 0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00, 0x663399, 0xC0C0C0,
    0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99, 0xFF99CC, 0xFFFFFF,
};
constexpr int kPaletteSwatchSize = 18;

// Line widths offered: 0 ("(fine)") to 9.
constexpr int kLineWidthCount = 10;
// Frame shapes offered for legends and graphs: 0 to 5.
constexpr int kFrameShapeCount = 6;

// Sizes offered for scalable fonts.
constexpr std::array<int, 17> kScalableFontSizes = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48};

// Conflicts dialog rows: the row is narrowed by this on each side; columns as percentages of its width.
constexpr int kRowInset = 2;
constexpr int kPlaceNameColumnEnd = 20;
constexpr int kTransitionNameColumnEnd = 36;
constexpr int kPriorityColumnEnd = 72;
constexpr int kFullRowPercent = 100;

inline constexpr const char* kShortenedTextEnd = "...";

inline constexpr const char* kPlaceIndexUsed = "A place with the same index already exists.";
inline constexpr const char* kTransitionIndexUsed = "A transition with the same index already exists";

} // namespace tokarium
