// The drawing surface as an SVG document: the vector form of the clipboard picture.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "gui/model/drawing_surface.h"

namespace tokarium {

// Collects elements in logical units; document() wraps them in an <svg> whose view box is the given rectangle.
class SvgSurface : public DrawingSurface {
public:
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

    // Round dots of the given diameter, black, as one path (the grid of a printed page).
    void drawDots(const std::vector<Point>& dots, double diameter);

    QByteArray document(const Rect& viewBox) const;

private:
    void textLine(double x, double y, const QString& text, const TextStyle& style, double angle);

    QString m_body;
    QString m_definitions;
    int m_clipCount = 0;
    int m_openClips = 0;
};

} // namespace tokarium
