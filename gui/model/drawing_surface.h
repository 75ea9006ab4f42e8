// Abstract drawing surface: the model draws through it; the editor supplies a real one, tests a recorder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gui/model/geometry.h"
#include "gui/model/object_format.h"

namespace tokarium {

enum class PenStyle { kSolid, kDotted };

// A pen whose colour is kNoColour draws nothing; width 0 is the thinnest line of the device.
struct Pen {
    Colour colour = kBlack;
    std::int32_t width = 1;
    PenStyle style = PenStyle::kSolid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// A brush whose colour is kNoColour fills nothing.
struct Brush {
    Colour colour = kNoColour;
    friend bool operator==(const Brush&, const Brush&) = default;
};

// Font style bits: 0 normal, 1 bold, 2 italic, plus 4 for underline.
constexpr std::int32_t kFontBold = 1;
constexpr std::int32_t kFontItalic = 2;
constexpr std::int32_t kFontUnderline = 4;

struct Font {
    std::string face = "Arial";
    std::int32_t size = 9; // points
    std::int32_t style = 0;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class HAlign { kLeft, kCentre, kRight };
enum class VAlign { kTop, kCentre, kBottom };

struct TextStyle {
    Font font;
    Colour colour = kBlack;
    HAlign horizontal = HAlign::kLeft;
    VAlign vertical = VAlign::kTop;
    std::int32_t angle = 0; // degrees, counter-clockwise on the screen
};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual void drawLine(Point from, Point to, const Pen& pen) = 0;
    virtual void drawPolyline(const std::vector<Point>& points, const Pen& pen) = 0;
    virtual void drawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) = 0;
    virtual void drawRoundedRectangle(const Rect& rect, std::int32_t radius, const Pen& pen, const Brush& brush) = 0;
    virtual void drawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) = 0;
    virtual void drawPolygon(const std::vector<Point>& points, const Pen& pen, const Brush& brush) = 0;
    // A chain of cubic Bézier segments: start, then three points per segment.
    virtual void drawBeziers(const std::vector<Point>& points, const Pen& pen) = 0;
    // One line of text placed so that the anchor is at the side of the text named by the alignment.
    virtual void drawText(Point anchor, std::string_view text, const TextStyle& style) = 0;
    // Text broken at line feeds (a CR before a line feed is ignored) and wrapped at words to the box's
    // width, aligned inside the box.
    virtual void drawTextBlock(const Rect& box, std::string_view text, const TextStyle& style) = 0;
    virtual Size measureText(std::string_view text, const Font& font) = 0;
    // Limits drawing to the intersection with the current clip until the matching popClip.
    virtual void pushClip(const Rect& rect) = 0;
    virtual void popClip() = 0;
};

} // namespace tokarium
