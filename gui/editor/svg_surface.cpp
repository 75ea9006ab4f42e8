// SVG elements for each drawing call; texts measured with the same fonts as on screen.
#include "gui/editor/svg_surface.h"

#include <QFontMetrics>
#include <QStringList>

#include "gui/editor/painter_surface.h"

namespace tokarium {

namespace {

QString number(double value) {
    return QString::number(value, 'g', 10);
}

QString points(const std::vector<Point>& list) {
    QStringList parts;
    for (const Point& p : list)
        parts << number(p.x) + ',' + number(p.y);
    return parts.join(' ');
}

QString paint(const Pen& pen, const Brush& brush) {
    QString attributes = brush.colour == kNoColour ? QStringLiteral(" fill=\"none\"")
                                                   : QStringLiteral(" fill=\"%1\"").arg(toQColor(brush.colour).name());
    if (pen.colour == kNoColour)
        return attributes + QStringLiteral(" stroke=\"none\"");
    // Width 0 is the thinnest line of the device, whatever the scale.
    attributes += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                      .arg(toQColor(pen.colour).name())
                      .arg(pen.width == 0 ? 1 : pen.width);
    if (pen.width == 0)
        attributes += QStringLiteral(" vector-effect=\"non-scaling-stroke\"");
    if (pen.style == PenStyle::kDotted)
        attributes += QStringLiteral(" stroke-dasharray=\"1,2\"");
    return attributes;
}

} // namespace

void SvgSurface::drawLine(Point from, Point to, const Pen& pen) {
    m_body += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"%5/>\n")
                  .arg(from.x).arg(from.y).arg(to.x).arg(to.y).arg(paint(pen, Brush{}));
}

void SvgSurface::drawPolyline(const std::vector<Point>& list, const Pen& pen) {
    m_body += QStringLiteral("<polyline points=\"%1\"%2/>\n").arg(points(list), paint(pen, Brush{}));
}

void SvgSurface::drawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) {
    m_body += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5/>\n")
                  .arg(rect.left).arg(rect.top).arg(rect.width()).arg(rect.height()).arg(paint(pen, brush));
}

void SvgSurface::drawRoundedRectangle(const Rect& rect, std::int32_t radius, const Pen& pen, const Brush& brush) {
    m_body += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"%6/>\n")
                  .arg(rect.left).arg(rect.top).arg(rect.width()).arg(rect.height()).arg(radius).arg(paint(pen, brush));
}

void SvgSurface::drawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) {
    m_body += QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"%5/>\n")
                  .arg(number((rect.left + rect.right) / 2.0), number((rect.top + rect.bottom) / 2.0),
                       number(rect.width() / 2.0), number(rect.height() / 2.0), paint(pen, brush));
}

void SvgSurface::drawPolygon(const std::vector<Point>& list, const Pen& pen, const Brush& brush) {
    m_body += QStringLiteral("<polygon points=\"%1\"%2/>\n").arg(points(list), paint(pen, brush));
}

void SvgSurface::drawBeziers(const std::vector<Point>& list, const Pen& pen) {
    if (list.empty())
        return;
    QString path = QStringLiteral("M %1 %2").arg(list[0].x).arg(list[0].y);
    for (std::size_t i = 1; i + 2 < list.size(); i += 3)
        path += QStringLiteral(" C %1 %2 %3").arg(points({list[i]}), points({list[i + 1]}), points({list[i + 2]}));
    m_body += QStringLiteral("<path d=\"%1\"%2/>\n").arg(path, paint(pen, Brush{}));
}

void SvgSurface::textLine(double x, double y, const QString& text, const TextStyle& style, double angle) {
    const Font& font = style.font;
    const char* anchor = style.horizontal == HAlign::kCentre ? "middle"
                       : style.horizontal == HAlign::kRight  ? "end"
                                                             : "start";
    QString element = QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"%3\" font-size=\"%4\" fill=\"%5\" "
                                     "text-anchor=\"%6\"")
                          .arg(number(x), number(y), fromModelText(font.face).toHtmlEscaped(),
                               QString::number(toQFont(font).pixelSize()), toQColor(style.colour).name(),
                               QString::fromLatin1(anchor));
    if (font.style & kFontBold)
        element += QStringLiteral(" font-weight=\"bold\"");
    if (font.style & kFontItalic)
        element += QStringLiteral(" font-style=\"italic\"");
    if (font.style & kFontUnderline)
        element += QStringLiteral(" text-decoration=\"underline\"");
    if (angle != 0.0)
        element += QStringLiteral(" transform=\"rotate(%1 %2 %3)\"").arg(number(-angle), number(x), number(y));
    m_body += element + '>' + text.toHtmlEscaped() + QStringLiteral("</text>\n");
}

void SvgSurface::drawText(Point anchor, std::string_view text, const TextStyle& style) {
    const QFontMetrics metrics(toQFont(style.font));
    // The anchor names a side of the text box; SVG places the baseline.
    double baseline = anchor.y + metrics.ascent();
    if (style.vertical == VAlign::kCentre)
        baseline -= metrics.height() / 2.0;
    else if (style.vertical == VAlign::kBottom)
        baseline -= metrics.height();
    textLine(anchor.x, baseline, fromModelText(text), style, style.angle);
}

void SvgSurface::drawTextBlock(const Rect& box, std::string_view text, const TextStyle& style) {
    const QFontMetrics metrics(toQFont(style.font));
    QStringList lines;
    for (const QString& paragraph : fromModelText(text).split('\n')) {
        QString line;
        for (const QString& word : paragraph.split(' ')) {
            const QString longer = line.isEmpty() ? word : line + ' ' + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > box.width()) {
                lines << line;
                line = word;
            } else {
                line = longer;
            }
        }
        lines << line;
    }
    const double height = static_cast<double>(metrics.height()) * lines.size();
    double top = box.top;
    if (style.vertical == VAlign::kCentre)
        top = (box.top + box.bottom - height) / 2.0;
    else if (style.vertical == VAlign::kBottom)
        top = box.bottom - height;
    const double x = style.horizontal == HAlign::kCentre ? (box.left + box.right) / 2.0
                   : style.horizontal == HAlign::kRight  ? box.right
                                                         : box.left;
    for (int i = 0; i < lines.size(); ++i)
        textLine(x, top + i * metrics.height() + metrics.ascent(), lines[i], style, 0.0);
}

Size SvgSurface::measureText(std::string_view text, const Font& font) {
    const QFontMetrics metrics(toQFont(font));
    return {metrics.horizontalAdvance(fromModelText(text)), metrics.height()};
}

void SvgSurface::pushClip(const Rect& rect) {
    const int id = ++m_clipCount;
    m_definitions += QStringLiteral("<clipPath id=\"clip%1\"><rect x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\"/></clipPath>\n")
                         .arg(id).arg(rect.left).arg(rect.top).arg(rect.width()).arg(rect.height());
    m_body += QStringLiteral("<g clip-path=\"url(#clip%1)\">\n").arg(id);
    ++m_openClips;
}

void SvgSurface::popClip() {
    if (m_openClips == 0)
        return;
    --m_openClips;
    m_body += QStringLiteral("</g>\n");
}

void SvgSurface::drawDots(const std::vector<Point>& dots, double diameter) {
    if (dots.empty())
        return;
    // A zero-length segment with round caps is a dot of the stroke's width.
    QString path;
    for (const Point& p : dots)
        path += QStringLiteral("M%1 %2h0").arg(p.x).arg(p.y);
    m_body += QStringLiteral("<path d=\"%1\" fill=\"none\" stroke=\"#000000\" stroke-width=\"%2\" "
                             "stroke-linecap=\"round\"/>\n")
                  .arg(path, number(diameter));
}

QByteArray SvgSurface::document(const Rect& viewBox) const {
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                                 "viewBox=\"%3 %4 %1 %2\">\n")
                      .arg(viewBox.width()).arg(viewBox.height()).arg(viewBox.left).arg(viewBox.top);
    if (!m_definitions.isEmpty())
        svg += QStringLiteral("<defs>\n") + m_definitions + QStringLiteral("</defs>\n");
    svg += m_body;
    for (int i = 0; i < m_openClips; ++i)
        svg += QStringLiteral("</g>\n");
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

} // namespace tokarium
