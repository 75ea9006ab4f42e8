// Graph drawing through a recording surface: ranges, margins, ticks, grid lines and curves.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "gui/model/net_sheet.h"
#include "gui/model/place.h"
#include "gui/plot/graph_drawing.h"

namespace tokarium {
namespace {

// Records what is drawn; every text is 6 units per character wide and 10 high.
class Recorder : public DrawingSurface {
public:
    struct Line {
        Point from, to;
        Pen pen;
    };
    struct Text {
        Point anchor;
        std::string text;
        TextStyle style;
    };
    std::vector<Line> lines;
    std::vector<Text> texts;
    std::vector<std::vector<Point>> polylines;
    std::vector<Rect> rectangles;
    std::vector<Rect> clips;

    void drawLine(Point from, Point to, const Pen& pen) override { lines.push_back({from, to, pen}); }
    void drawPolyline(const std::vector<Point>& points, const Pen&) override { polylines.push_back(points); }
    void drawRectangle(const Rect& rect, const Pen&, const Brush&) override { rectangles.push_back(rect); }
    void drawRoundedRectangle(const Rect& rect, std::int32_t, const Pen&, const Brush&) override {
        rectangles.push_back(rect);
    }
    void drawEllipse(const Rect&, const Pen&, const Brush&) override {}
    void drawPolygon(const std::vector<Point>&, const Pen&, const Brush&) override {}
    void drawBeziers(const std::vector<Point>&, const Pen&) override {}
    void drawText(Point anchor, std::string_view text, const TextStyle& style) override {
        texts.push_back({anchor, std::string(text), style});
    }
    void drawTextBlock(const Rect&, std::string_view, const TextStyle&) override {}
    Size measureText(std::string_view text, const Font&) override {
        return {static_cast<std::int32_t>(6 * text.size()), 10};
    }
    void pushClip(const Rect& rect) override { clips.push_back(rect); }
    void popClip() override {}

    std::size_t dottedLines() const {
        return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [](const Line& line) {
            return line.pen.style == PenStyle::kDotted;
        }));
    }
};

// A graph at (0, 0)-(180, 120) whose one curve holds 3 from time 0 to 10.
std::unique_ptr<Graph> flatCurveGraph(std::int32_t display) {
    auto graph = std::make_unique<Graph>();
    graph->format().display = display;
    GraphCurve curve;
    curve.colour = 0x0000FF;
    curve.times = {0, 5, 10};
    curve.beforeValues = {3, 3, 3};
    curve.afterValues = {3, 3, 3};
    graph->curves().push_back(curve);
    return graph;
}

TEST(GraphDrawing, RangesOfAFlatCurveAndOfAnEmptyGraph) {
    const GraphRanges flat = graphRanges(*flatCurveGraph(0));
    EXPECT_EQ(flat.xmax, 10);
    EXPECT_EQ(flat.ymax, 3);
    EXPECT_DOUBLE_EQ(flat.yTop, 3.15);
    const GraphRanges empty = graphRanges(Graph());
    EXPECT_EQ(empty.xmax, 0);
    EXPECT_EQ(empty.yTop, 10);
}

TEST(GraphDrawing, NiceTicks) {
    const std::vector<double> ticks = niceTicks(0, 3.15, 5);
    const std::vector<double> expected{0, 0.6, 1.2, 1.8, 2.4, 3.0};
    ASSERT_EQ(ticks.size(), expected.size());
    for (std::size_t i = 0; i < ticks.size(); ++i)
        EXPECT_NEAR(ticks[i], expected[i], 1e-12) << i;
    EXPECT_EQ(niceTicks(0, 10, 3), (std::vector<double>{0, 3, 6, 9}));
    EXPECT_EQ(niceTicks(0, 250, 2), (std::vector<double>{0, 100, 200}));
    EXPECT_TRUE(niceTicks(0, 10, 0).empty());
    EXPECT_TRUE(niceTicks(0, 0, 4).empty());
}

TEST(GraphDrawing, FlatCurveIsAHorizontalLineAcrossTheArea) {
    Recorder surface;
    GraphDrawer().drawGraph(*flatCurveGraph(0), surface, DrawContext{});
    ASSERT_EQ(surface.rectangles.size(), 1u);
    EXPECT_EQ(surface.rectangles[0], (Rect{0, 0, 180, 120}));
    ASSERT_EQ(surface.polylines.size(), 1u);
    const std::vector<Point>& points = surface.polylines[0];
    // One point per sample: a sample whose value does not jump is drawn once.
    ASSERT_EQ(points.size(), 3u);
    // Area (1, 1)-(179, 119): x scale 177 / 10, y scale 117 / 3.15.
    EXPECT_EQ(points.front().x, 1);
    EXPECT_EQ(points.back().x, 178);
    const std::int32_t y = static_cast<std::int32_t>(119 - 3 * 117 / 3.15 - 1); // 6.57 cut to 6
    for (const Point& point : points)
        EXPECT_EQ(point.y, y);
    EXPECT_EQ(surface.clips, (std::vector<Rect>{{1, 1, 179, 119}}));
    EXPECT_TRUE(surface.texts.empty());
    EXPECT_TRUE(surface.lines.empty());
}

TEST(GraphDrawing, AxisReservesMarginsAndGridDrawsTicks) {
    Recorder axisOnly;
    GraphDrawer().drawGraph(*flatCurveGraph(kGraphShowAxis), axisOnly, DrawContext{});
    // Left: "3" (6) + 5; right and top: one line height; bottom: line height + 5.
    EXPECT_EQ(axisOnly.rectangles[0], (Rect{11, 10, 170, 105}));
    EXPECT_TRUE(axisOnly.texts.empty());
    EXPECT_TRUE(axisOnly.lines.empty());

    Recorder both;
    GraphDrawer().drawGraph(*flatCurveGraph(kGraphShowAxis | kGraphShowGrid), both, DrawContext{});
    EXPECT_FALSE(both.texts.empty());
    EXPECT_GT(both.dottedLines(), 0u);
    const bool hasTimeLabel = std::any_of(both.texts.begin(), both.texts.end(),
                                          [](const Recorder::Text& text) { return text.text == "10"; });
    EXPECT_TRUE(hasTimeLabel);

    Recorder gridOnly;
    GraphDrawer().drawGraph(*flatCurveGraph(kGraphShowGrid), gridOnly, DrawContext{});
    EXPECT_TRUE(gridOnly.texts.empty());
    EXPECT_GT(gridOnly.dottedLines(), 0u);
    EXPECT_EQ(gridOnly.dottedLines(), gridOnly.lines.size());
}

TEST(GraphDrawing, EmptyGraphReservesNoBottomMarginAndDrawsNoCurve) {
    Graph graph;
    graph.format().display = kGraphShowAxis;
    graph.setTitle("T");
    graph.setXLabel("time");
    Recorder surface;
    GraphDrawer().drawGraph(graph, surface, DrawContext{});
    // Left: "10" (12) + 5; x label: one line height at the bottom, none for tick labels.
    EXPECT_EQ(surface.rectangles[0], (Rect{17, 10, 170, 110}));
    EXPECT_TRUE(surface.polylines.empty());
    ASSERT_EQ(surface.texts.size(), 2u);
    EXPECT_EQ(surface.texts[0].text, "T");
    EXPECT_EQ(surface.texts[1].anchor, (Point{(18 + 169) / 2, 120}));
}

TEST(GraphDrawing, LegendNamesEachCurveByItsPlaceAndTheCursorMarksAShownEarlierStep) {
    NetSheet net;
    Place tank(ObjectKind::kContinuousPlace);
    tank.setIndex(2);
    tank.setName("Tank");
    Place plain(ObjectKind::kContinuousPlace);
    plain.setIndex(7);
    auto graph = flatCurveGraph(kGraphShowAxis);
    graph->curves()[0].boundPlace = &tank;
    graph->curves()[0].boundSheet = &net;
    GraphCurve second = graph->curves()[0];
    second.colour = 0x00FF00;
    second.boundPlace = &plain;
    GraphCurve unbound = graph->curves()[0];
    unbound.boundPlace = nullptr;
    unbound.placeIndex = 9;
    graph->curves().push_back(second);
    graph->curves().push_back(unbound);

    Recorder plain_view;
    GraphDrawer().drawGraph(*graph, plain_view, DrawContext{});
    EXPECT_TRUE(plain_view.texts.empty());

    DrawContext context;
    context.curveLegend = true;
    Recorder legend;
    GraphDrawer().drawGraph(*graph, legend, context);
    std::vector<std::string> names;
    for (const Recorder::Text& text : legend.texts)
        names.push_back(text.text);
    EXPECT_EQ(names, (std::vector<std::string>{"P2 Tank", "P7", "P9"}));
    // Each name follows a sample line in its curve's colour, one line height apart, inside the plot area.
    ASSERT_EQ(legend.lines.size(), 3u);
    EXPECT_EQ(legend.lines[0].pen.colour, 0x0000FFu);
    EXPECT_EQ(legend.lines[1].pen.colour, 0x00FF00u);
    EXPECT_EQ(legend.lines[1].from.y - legend.lines[0].from.y, 10);
    EXPECT_EQ(legend.texts[0].anchor.y, legend.lines[0].from.y);
    const Rect& area = legend.rectangles[0];
    const Rect& box = legend.rectangles[1];
    EXPECT_TRUE(box.left > area.left && box.right < area.right && box.top > area.top && box.bottom < area.bottom);
    EXPECT_EQ(box.width(), 6 * 7 + 12 + 9);

    // Hovering at time 5 reads every curve there; outside the plot area nothing.
    Recorder measure;
    EXPECT_EQ(GraphDrawer().describeAt(*graph, {90, 50}, measure, Font{}), "t = 5\nP2 Tank: 3\nP7: 3\nP9: 3");
    EXPECT_EQ(GraphDrawer().describeAt(*graph, {5, 50}, measure, Font{}), "");

    // The sheet shows the state at time 5 of three recorded ones: a dotted line at x(5).
    net.simulationRun().recorded.resize(3);
    net.simulationRun().shownState = 1;
    net.simulationRun().clock = 5;
    Recorder cursor;
    GraphDrawer().drawGraph(*graph, cursor, DrawContext{});
    ASSERT_EQ(cursor.lines.size(), 1u);
    EXPECT_EQ(cursor.lines[0].pen.style, PenStyle::kDotted);
    EXPECT_EQ(cursor.lines[0].from.x, cursor.lines[0].to.x);
    EXPECT_EQ(cursor.lines[0].from.x, 12 + static_cast<std::int32_t>(5 * (157.0 - 1) / 10));
    net.simulationRun().shownState = 2;
    Recorder last;
    GraphDrawer().drawGraph(*graph, last, DrawContext{});
    EXPECT_TRUE(last.lines.empty());
}

} // namespace
} // namespace tokarium
