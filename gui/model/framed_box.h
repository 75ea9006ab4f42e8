// The frame of legends and graphs: six shapes, optional shadow and dotted outline.
#pragma once

#include "gui/model/drawing_surface.h"

namespace tokarium {

// Frame shapes selected by ObjectFormat::style; any other value is a plain rectangle.
constexpr int kFrameRectangle = 0;
constexpr int kFrameRounded = 1;
constexpr int kFrameShadow = 2;
constexpr int kFrameRoundedShadow = 3;
constexpr int kFrameDotted = 4;
constexpr int kFrameRoundedDotted = 5;

void drawFramedBox(DrawingSurface& surface, const Rect& rect, const ObjectFormat& format);

} // namespace tokarium
