// The model's drawing surface on a QPainter: screen, printer and clipboard pictures alike.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string_view>

#include "gui/model/drawing_surface.h"

class QPainter;

namespace tokarium {

// A 0x00BBGGRR colour as a QColor.
QColor toQColor(Colour colour);
// Model texts are 8-bit Latin-1.
QString fromModelText(std::string_view text);
std::string toModelText(const QString& text);
// The font with its size in logical units (points at the reference density), so it scales with the view.
QFont toQFont(const Font& font);

// Draws in the painter's current coordinates, which map logical units to the device.
class PainterSurface : public DrawingSurface {
public:
    explicit PainterSurface(QPainter& painter);

    void drawLine(Point from, Point to, const Pen& pen) override;
    void drawPolyline(const std::vector<Point>& points, const Pen& pen) override;
    void drawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) override;
    void drawRoundedRectangle(const Rect& rect, std::int32_t radius, const Pen& pen, const Brush& brush) override;
    void drawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) override;
    void drawPolygon(const std::vector<Point>& points, const Pen& pen, const Brush& brush) override;
    void drawBeziers(const std::vector<Point>& points, const Pen& pen) override;
    void drawText(Point anchor, std::string_view text, const TextStyle& style) override;
    void drawTextBlock(const Rect& box, std::string_view text, const TextStyle& style) override;
    Size measureText(std::string_view text, const Font& font) override;
    void pushClip(const Rect& rect) override;
    void popClip() override;

private:
    void setPenAndBrush(const Pen& pen, const Brush& brush);

    QPainter& m_painter;
    int m_clipDepth = 0;
};

} // namespace tokarium
