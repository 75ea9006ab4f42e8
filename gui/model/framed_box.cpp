// Frames of legends and graphs.
#include "gui/model/framed_box.h"

#include "gui/model/model_constants.h"

namespace tokarium {

void drawFramedBox(DrawingSurface& surface, const Rect& rect, const ObjectFormat& format) {
    if (format.back == kNoColour && format.line == kNoColour)
        return;
    const int style = format.style;
    const bool rounded = style == kFrameRounded || style == kFrameRoundedShadow || style == kFrameRoundedDotted;
    const bool shadow = style == kFrameShadow || style == kFrameRoundedShadow;
    const bool dotted = style == kFrameDotted || style == kFrameRoundedDotted;
    auto shape = [&](const Rect& r, const Pen& pen, const Brush& brush) {
        if (rounded)
            surface.drawRoundedRectangle(r, kFrameCornerRadius, pen, brush);
        else
            surface.drawRectangle(r, pen, brush);
    };
    const Pen noPen{kNoColour, 0, PenStyle::kSolid};
    if (shadow && format.line != kNoColour)
        shape(rect.translated(kShadowOffset, kShadowOffset), noPen, Brush{format.line});
    const Pen pen = format.line == kNoColour ? noPen
                                             : Pen{format.line, format.width, dotted ? PenStyle::kDotted : PenStyle::kSolid};
    shape(rect, pen, Brush{format.back});
}

} // namespace tokarium
