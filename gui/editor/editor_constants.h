// Named values of the editor: page geometry, undo depth, rubber band and printing rules.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tokarium {

// Pixel density of the fixed reference device that turns paper sizes into logical units.
constexpr std::int32_t kReferenceDpi = 96;
// The drawable area is the page inset by the 5 mm margin and then by another 1 mm (tenths of a millimetre).
constexpr std::int32_t kPageMargin = 50;
constexpr std::int32_t kPageInnerMargin = 10;

// Zoom percentages a window can show; a sheet's zoom is kept within them for display.
constexpr std::int32_t kMinimumZoom = 10;
constexpr std::int32_t kMaximumZoom = 1000;
// Zoom steps of the View menu (the toolbar's list shows them in the reverse order); Ctrl + wheel and
// Zoom In / Zoom Out move between them.
constexpr std::array<std::int32_t, 7> kZoomLevels = {25, 50, 75, 100, 150, 200, 500};

// Undo steps kept per window.
constexpr std::size_t kUndoLimit = 50;

// A rubber band smaller than this in both directions selects nothing.
constexpr std::int32_t kMinimumRubberBand = 11;

// Grid dots closer than this many device pixels would merge into a solid tone and are not drawn.
constexpr double kMinimumGridDotSpacing = 2.0;

// Window background around the page (0x00BBGGRR) and the inset of the page's frame.
constexpr std::int32_t kWindowBackground = 0x808080;
constexpr std::int32_t kPageFrameInset = 2;

// Printing: a drawable area below nine tenths of the printable size prints at its true size.
constexpr std::int32_t kTrueSizeNumerator = 9;
constexpr std::int32_t kTrueSizeDenominator = 10;

// Border kept around the objects when a print is fitted to the page (logical units).
constexpr std::int32_t kFitToPageBorder = 20;

// Room around the selection for labels drawn outside the objects' bounds, before the picture is trimmed.
constexpr std::int32_t kPictureMargin = 100;

// A selection larger than this many units on a side gets no clipboard picture.
constexpr std::int32_t kMaximumPictureSize = 8192;

// Paper codes below this are standard printer papers.
constexpr std::int32_t kFirstNonStandardPaperCode = 69;

} // namespace tokarium
