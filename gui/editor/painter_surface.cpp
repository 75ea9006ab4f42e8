// QPainter implementation of the drawing surface.
#include "gui/editor/painter_surface.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include "gui/editor/editor_constants.h"

namespace tokarium {

namespace {

constexpr int kPointsPerInch = 72;

QRect toQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

QPolygon toQPolygon(const std::vector<Point>& points) {
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const Point& p : points)
        polygon.append(QPoint(p.x, p.y));
    return polygon;
}

} // namespace

QColor toQColor(Colour colour) {
    const auto value = static_cast<std::uint32_t>(colour);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QString fromModelText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toModelText(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QFont toQFont(const Font& font) {
    QFont result(fromModelText(font.face));
    result.setPixelSize(std::max(1, (font.size * kReferenceDpi + kPointsPerInch / 2) / kPointsPerInch));
    result.setBold((font.style & kFontBold) != 0);
    result.setItalic((font.style & kFontItalic) != 0);
    result.setUnderline((font.style & kFontUnderline) != 0);
    return result;
}

PainterSurface::PainterSurface(QPainter& painter) : m_painter(painter) {}

void PainterSurface::setPenAndBrush(const Pen& pen, const Brush& brush) {
    if (pen.colour == kNoColour) {
        m_painter.setPen(Qt::NoPen);
    } else {
        // Width 0 is Qt's cosmetic one-pixel pen: the thinnest line of the device.
        QPen qpen(toQColor(pen.colour), pen.width);
        qpen.setStyle(pen.style == PenStyle::kDotted ? Qt::DotLine : Qt::SolidLine);
        if (pen.style == PenStyle::kDotted)
            qpen.setCosmetic(true);
        m_painter.setPen(qpen);
    }
    m_painter.setBrush(brush.colour == kNoColour ? QBrush(Qt::NoBrush) : QBrush(toQColor(brush.colour)));
}

void PainterSurface::drawLine(Point from, Point to, const Pen& pen) {
    setPenAndBrush(pen, Brush{});
    m_painter.drawLine(from.x, from.y, to.x, to.y);
}

void PainterSurface::drawPolyline(const std::vector<Point>& points, const Pen& pen) {
    setPenAndBrush(pen, Brush{});
    m_painter.drawPolyline(toQPolygon(points));
}

void PainterSurface::drawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) {
    setPenAndBrush(pen, brush);
    m_painter.drawRect(toQRect(rect));
}

void PainterSurface::drawRoundedRectangle(const Rect& rect, std::int32_t radius, const Pen& pen, const Brush& brush) {
    setPenAndBrush(pen, brush);
    m_painter.drawRoundedRect(toQRect(rect), radius, radius);
}

void PainterSurface::drawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) {
    setPenAndBrush(pen, brush);
    m_painter.drawEllipse(toQRect(rect));
}

void PainterSurface::drawPolygon(const std::vector<Point>& points, const Pen& pen, const Brush& brush) {
    setPenAndBrush(pen, brush);
    m_painter.drawPolygon(toQPolygon(points));
}

void PainterSurface::drawBeziers(const std::vector<Point>& points, const Pen& pen) {
    if (points.empty())
        return;
    QPainterPath path(QPointF(points[0].x, points[0].y));
    for (std::size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(QPointF(points[i].x, points[i].y), QPointF(points[i + 1].x, points[i + 1].y),
                     QPointF(points[i + 2].x, points[i + 2].y));
    setPenAndBrush(pen, Brush{});
    m_painter.drawPath(path);
}

void PainterSurface::drawText(Point anchor, std::string_view text, const TextStyle& style) {
    const QFont font = toQFont(style.font);
    const QFontMetrics metrics(font);
    const QString qtext = fromModelText(text);
    const int width = metrics.horizontalAdvance(qtext);
    const int height = metrics.height();
    int x = 0;
    if (style.horizontal == HAlign::kCentre)
        x = -width / 2;
    else if (style.horizontal == HAlign::kRight)
        x = -width;
    int y = 0;
    if (style.vertical == VAlign::kCentre)
        y = -height / 2;
    else if (style.vertical == VAlign::kBottom)
        y = -height;
    m_painter.save();
    m_painter.translate(anchor.x, anchor.y);
    if (style.angle != 0)
        m_painter.rotate(-style.angle);
    m_painter.setFont(font);
    m_painter.setPen(toQColor(style.colour));
    m_painter.drawText(QPoint(x, y + metrics.ascent()), qtext);
    m_painter.restore();
}

void PainterSurface::drawTextBlock(const Rect& box, std::string_view text, const TextStyle& style) {
    int flags = Qt::TextWordWrap;
    flags |= style.horizontal == HAlign::kCentre ? Qt::AlignHCenter
           : style.horizontal == HAlign::kRight  ? Qt::AlignRight
                                                 : Qt::AlignLeft;
    flags |= style.vertical == VAlign::kCentre ? Qt::AlignVCenter
           : style.vertical == VAlign::kBottom ? Qt::AlignBottom
                                               : Qt::AlignTop;
    m_painter.save();
    m_painter.setFont(toQFont(style.font));
    m_painter.setPen(toQColor(style.colour));
    m_painter.drawText(toQRect(box), flags, fromModelText(text));
    m_painter.restore();
}

Size PainterSurface::measureText(std::string_view text, const Font& font) {
    const QFontMetrics metrics(toQFont(font));
    return {metrics.horizontalAdvance(fromModelText(text)), metrics.height()};
}

void PainterSurface::pushClip(const Rect& rect) {
    m_painter.save();
    m_painter.setClipRect(toQRect(rect), m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    ++m_clipDepth;
}

void PainterSurface::popClip() {
    if (m_clipDepth == 0)
        return;
    --m_clipDepth;
    m_painter.restore();
}

} // namespace tokarium
