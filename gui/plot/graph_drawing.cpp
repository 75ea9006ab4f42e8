// Graph drawing: plot area, mapping, ticks, curves and labels.
#include "gui/plot/graph_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gui/model/framed_box.h"
#include "gui/model/net_sheet.h"
#include "gui/model/number_text.h"
#include "gui/model/place.h"

namespace tokarium {
namespace {

constexpr double kTopMargin = 1.05;
constexpr double kEmptyRangeTop = 10.0;
constexpr std::int32_t kCoordinateLimit = 32767;
constexpr std::int32_t kTickLength = 4;
constexpr std::int32_t kLabelGap = 5;
// Width of an x tick interval in line heights, height of a y tick interval in line heights.
constexpr std::int32_t kXTickSpacing = 3;
constexpr std::int32_t kYTickSpacing = 2;
constexpr std::int32_t kYLabelAngle = 90;
// Legend box: inner gap and length of the colour sample before each name.
constexpr std::int32_t kLegendGap = 3;
constexpr std::int32_t kLegendSample = 12;

std::int32_t clamped(double value) {
    const double cut = std::trunc(value);
    if (!(cut > -kCoordinateLimit))
        return -kCoordinateLimit;
    return cut < kCoordinateLimit ? static_cast<std::int32_t>(cut) : kCoordinateLimit;
}

// Maps times and values into the plot area; a scale of 0 puts everything in the middle.
struct Mapping {
    Rect area;
    double xScale = 0.0;
    double yScale = 0.0;

    std::int32_t x(double time) const {
        return xScale == 0.0 ? (area.left + area.right) / 2 : clamped(area.left + time * xScale);
    }
    std::int32_t y(double value) const {
        return yScale == 0.0 ? (area.top + area.bottom) / 2 : clamped(area.bottom - value * yScale - 1);
    }
};

// The plot area inside the frame, and the scales that map the ranges onto it.
Mapping mappingInside(const Rect& frame, const GraphRanges& ranges) {
    Mapping map{frame.inflated(-1, -1), 0.0, 0.0};
    if (ranges.xmax > 0.0)
        map.xScale = (map.area.width() - 1) / ranges.xmax;
    map.yScale = (map.area.height() - 1) / ranges.yTop;
    return map;
}

Rect plotArea(const Graph& graph, const GraphRanges& ranges, std::int32_t h, DrawingSurface& surface,
              const Font& font) {
    Rect area = graph.rect();
    if (graph.format().display & kGraphShowAxis) {
        const std::string topText = formatInteger(static_cast<std::int64_t>(std::min(ranges.yTop, 1e15)));
        area.left += surface.measureText(topText, font).width + kLabelGap;
        area.right -= h;
        area.top += h;
        if (ranges.xmax != 0.0)
            area.bottom -= h + kLabelGap;
    } else if (!graph.title().empty()) {
        area.top += h;
    }
    if (!graph.xLabel().empty())
        area.bottom -= h;
    if (!graph.yLabel().empty())
        area.left += h;
    return area;
}

void drawTicks(const Graph& graph, const Mapping& map, const GraphRanges& ranges, std::int32_t h,
               DrawingSurface& surface, const Font& font) {
    const ObjectFormat& format = graph.format();
    const bool axis = (format.display & kGraphShowAxis) != 0;
    const Pen tickPen{format.line, 1, PenStyle::kSolid};
    const Pen gridPen{format.line, 1, PenStyle::kDotted};
    const Rect& a = map.area;
    const std::int32_t lineHeight = std::max(h, 1);
    if (map.xScale != 0.0) {
        for (double t : niceTicks(0.0, ranges.xmax, a.width() / (kXTickSpacing * lineHeight))) {
            const std::int32_t x = map.x(t);
            if (axis) {
                surface.drawLine({x, a.bottom + kTickLength}, {x, a.bottom}, tickPen);
                surface.drawText({x, a.bottom + kLabelGap}, formatReal(t),
                                 TextStyle{font, format.fore, HAlign::kCentre, VAlign::kTop, 0});
            }
            if (x != a.left && x != a.right - 1)
                surface.drawLine({x, a.top}, {x, a.bottom}, gridPen);
        }
    }
    if (map.yScale != 0.0) {
        for (double v : niceTicks(0.0, ranges.yTop, a.height() / (kYTickSpacing * lineHeight))) {
            const std::int32_t y = map.y(v);
            if (axis) {
                surface.drawLine({a.left - kTickLength, y}, {a.left, y}, tickPen);
                surface.drawText({a.left - kLabelGap, y}, formatReal(v),
                                 TextStyle{font, format.fore, HAlign::kRight, VAlign::kCentre, 0});
            }
            if (y != a.top && y != a.bottom - 1)
                surface.drawLine({a.left, y}, {a.right, y}, gridPen);
        }
    }
}

// The points of a polyline, where the points that fall on one x collapse to their first, lowest,
// highest and last y: the line drawn covers the same pixels, and a curve of a million samples costs
// no more than the width of the plot.
class ColumnPolyline {
public:
    void add(Point point) {
        if (m_open && point.x == m_first.x) {
            m_low = std::min(m_low, point.y);
            m_high = std::max(m_high, point.y);
            m_last = point;
            return;
        }
        flush();
        m_open = true;
        m_first = m_last = point;
        m_low = m_high = point.y;
    }
    std::vector<Point> take() {
        flush();
        return std::move(m_points);
    }

private:
    void flush() {
        if (!m_open)
            return;
        push(m_first);
        // The extremes only when the first and last points do not already reach them.
        if (m_low < std::min(m_first.y, m_last.y))
            push({m_first.x, m_low});
        if (m_high > std::max(m_first.y, m_last.y))
            push({m_first.x, m_high});
        push(m_last);
        m_open = false;
    }
    void push(Point point) {
        if (m_points.empty() || !(m_points.back() == point))
            m_points.push_back(point);
    }

    std::vector<Point> m_points;
    bool m_open = false;
    Point m_first{};
    Point m_last{};
    std::int32_t m_low = 0;
    std::int32_t m_high = 0;
};

void drawCurves(const Graph& graph, const Mapping& map, DrawingSurface& surface) {
    surface.pushClip(map.area);
    for (const GraphCurve& curve : graph.curves()) {
        const std::size_t samples = std::min({curve.times.size(), curve.beforeValues.size(), curve.afterValues.size()});
        if (samples < 2)
            continue;
        ColumnPolyline line;
        for (std::size_t i = 0; i < samples; ++i) {
            const std::int32_t x = map.x(curve.times[i]);
            line.add({x, map.y(curve.beforeValues[i])});
            line.add({x, map.y(curve.afterValues[i])});
        }
        surface.drawPolyline(line.take(), Pen{curve.colour, 1, PenStyle::kSolid});
    }
    surface.popClip();
}

// A box in the plot area's top-right corner: a line in each curve's colour, then its name.
void drawLegend(const Graph& graph, const Rect& area, std::int32_t h, DrawingSurface& surface, const Font& font) {
    if (graph.curves().empty())
        return;
    std::int32_t textWidth = 0;
    for (const GraphCurve& curve : graph.curves())
        textWidth = std::max(textWidth, surface.measureText(curveLabel(curve), font).width);
    const std::int32_t width = textWidth + kLegendSample + 3 * kLegendGap;
    const std::int32_t height = static_cast<std::int32_t>(graph.curves().size()) * h + 2 * kLegendGap;
    const Rect box{area.right - width - kLegendGap, area.top + kLegendGap, area.right - kLegendGap,
                   area.top + kLegendGap + height};
    surface.drawRectangle(box, Pen{graph.format().line, 1, PenStyle::kSolid}, Brush{graph.format().back});
    std::int32_t y = box.top + kLegendGap + h / 2;
    for (const GraphCurve& curve : graph.curves()) {
        const std::int32_t x = box.left + kLegendGap;
        surface.drawLine({x, y}, {x + kLegendSample, y}, Pen{curve.colour, 2, PenStyle::kSolid});
        surface.drawText({x + kLegendSample + kLegendGap, y}, curveLabel(curve),
                         TextStyle{font, graph.format().fore, HAlign::kLeft, VAlign::kCentre, 0});
        y += h;
    }
}

// After the user went back to an earlier step, a dotted line marks the time shown on the sheet.
void drawTimeCursor(const Graph& graph, const Mapping& map, DrawingSurface& surface) {
    for (const GraphCurve& curve : graph.curves()) {
        if (!curve.boundSheet)
            continue;
        const SimulationRun& run = curve.boundSheet->simulationRun();
        if (run.shownState + 1 < run.recorded.size() && map.xScale != 0.0) {
            const std::int32_t x = map.x(run.clock);
            surface.drawLine({x, map.area.top}, {x, map.area.bottom}, Pen{graph.format().fore, 1, PenStyle::kDotted});
        }
        return;
    }
}

void drawTexts(const Graph& graph, const Rect& area, DrawingSurface& surface, const Font& font) {
    const Rect& r = graph.rect();
    const Colour fore = graph.format().fore;
    if (!graph.title().empty())
        surface.drawText({(r.left + r.right) / 2, r.top}, graph.title(),
                         TextStyle{font, fore, HAlign::kCentre, VAlign::kTop, 0});
    if (!graph.xLabel().empty())
        surface.drawText({(area.left + area.right) / 2, r.bottom}, graph.xLabel(),
                         TextStyle{font, fore, HAlign::kCentre, VAlign::kBottom, 0});
    if (!graph.yLabel().empty())
        surface.drawText({r.left, (area.top + area.bottom) / 2}, graph.yLabel(),
                         TextStyle{font, fore, HAlign::kCentre, VAlign::kTop, kYLabelAngle});
}

} // namespace

GraphRanges graphRanges(const Graph& graph) {
    GraphRanges ranges;
    for (const GraphCurve& curve : graph.curves()) {
        for (double t : curve.times)
            ranges.xmax = std::max(ranges.xmax, t);
        for (double v : curve.beforeValues)
            ranges.ymax = std::max(ranges.ymax, v);
        for (double v : curve.afterValues)
            ranges.ymax = std::max(ranges.ymax, v);
    }
    ranges.yTop = ranges.ymax == 0.0 ? kEmptyRangeTop : ranges.ymax * kTopMargin;
    return ranges;
}

std::vector<double> niceTicks(double start, double end, int n) {
    std::vector<double> ticks;
    const double range = end - start;
    if (n < 1 || !(range > 0.0) || !std::isfinite(range))
        return ticks;
    double step = range / n;
    double power = 1.0;
    while (step >= 10.0) {
        step /= 10.0;
        power *= 10.0;
    }
    while (step < 1.0) {
        step *= 10.0;
        power /= 10.0;
    }
    step = std::trunc(step) * power;
    ticks.push_back(start);
    for (double k = std::floor((start + step) / step); k * step <= end; k += 1.0)
        ticks.push_back(k * step);
    return ticks;
}

void GraphDrawer::drawGraph(const Graph& graph, DrawingSurface& surface, const DrawContext& context) const {
    const Font& font = context.sheetFont;
    const std::int32_t h = surface.measureText("0", font).height;
    const GraphRanges ranges = graphRanges(graph);
    const Rect frame = plotArea(graph, ranges, h, surface, font);
    drawFramedBox(surface, frame, graph.format());
    const Mapping map = mappingInside(frame, ranges);
    const Rect& area = map.area;
    if (graph.format().display & kGraphShowGrid)
        drawTicks(graph, map, ranges, h, surface, font);
    drawCurves(graph, map, surface);
    drawTimeCursor(graph, map, surface);
    drawTexts(graph, area, surface, font);
    if (context.curveLegend)
        drawLegend(graph, area, h, surface, font);
}

std::optional<GraphReading> readGraphAt(const Graph& graph, Point point, DrawingSurface& measure, const Font& font) {
    const GraphRanges ranges = graphRanges(graph);
    const std::int32_t h = measure.measureText("0", font).height;
    const Mapping map = mappingInside(plotArea(graph, ranges, h, measure, font), ranges);
    if (map.xScale == 0.0 || !map.area.contains(point))
        return std::nullopt;
    GraphReading reading{(point.x - map.area.left) / map.xScale, {}};
    for (const GraphCurve& curve : graph.curves()) {
        // The value shown from the last sample at or before the time on.
        const std::size_t samples = std::min(curve.times.size(), curve.afterValues.size());
        std::optional<double> value;
        for (std::size_t i = 0; i < samples && curve.times[i] <= reading.time; ++i)
            value = curve.afterValues[i];
        if (value)
            reading.values.emplace_back(curveLabel(curve), *value);
    }
    return reading;
}

std::string GraphDrawer::describeAt(const Graph& graph, Point point, DrawingSurface& measure, const Font& font) const {
    const std::optional<GraphReading> reading = readGraphAt(graph, point, measure, font);
    if (!reading)
        return {};
    std::string text = "t = " + formatReal(reading->time);
    for (const auto& [label, value] : reading->values)
        text += "\n" + label + ": " + formatReal(value);
    return text;
}

std::string curveLabel(const GraphCurve& curve) {
    if (!curve.boundPlace)
        return "P" + formatInteger(curve.placeIndex);
    const std::string& name = curve.boundPlace->name();
    return name.empty() ? curve.boundPlace->defaultName() : curve.boundPlace->defaultName() + " " + name;
}

} // namespace tokarium
