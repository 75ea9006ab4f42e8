#include <gtest/gtest.h>

#include <algorithm>

#include "gui/model/arc.h"
#include "gui/model/graph.h"
#include "gui/model/legend.h"
#include "gui/model/object_container.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "tests/gui/model/recording_surface.h"

using namespace tokarium;
using tokarium::test::DrawCall;
using tokarium::test::Op;
using tokarium::test::RecordingSurface;

namespace {

std::vector<Point> sorted(std::vector<Point> points) {
    std::sort(points.begin(), points.end(), [](Point a, Point b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    return points;
}

RecordingSurface drawn(const NetObject& object, bool showHandles = true) {
    RecordingSurface surface;
    DrawContext context;
    context.showHandles = showHandles;
    object.draw(surface, context);
    return surface;
}

std::vector<Point> dotCentres(const RecordingSurface& surface) {
    std::vector<Point> centres;
    const auto ellipses = surface.callsOf(Op::kEllipse);
    // The first ellipse is the place itself; every token dot is 7 x 7.
    for (std::size_t i = 1; i < ellipses.size(); ++i) {
        EXPECT_EQ(ellipses[i].rect.width(), 7);
        EXPECT_EQ(ellipses[i].rect.height(), 7);
        centres.push_back({ellipses[i].rect.left + 3, ellipses[i].rect.top + 3});
    }
    return centres;
}

std::unique_ptr<Place> discretePlace(double marking) {
    auto place = std::make_unique<Place>(ObjectKind::kDiscretePlace);
    place->setRect({0, 0, 40, 40});
    place->setShownMarking(marking);
    return place;
}

} // namespace

TEST(PlaceDrawing, TokenDotsSitOnARingWithTheirAngles) {
    // Ring radius 10 around (20, 20); angles clockwise on the screen from +x.
    const std::vector<std::vector<Point>> expected = {
        {},
        {{20, 20}},
        {{30, 20}, {10, 20}},
        {{29, 25}, {11, 25}, {20, 10}},                                     // quarter step: 30, 150, 270 degrees
        {{27, 27}, {13, 27}, {13, 13}, {27, 13}},                           // half step: 45, 135, ...
        {{20, 20}, {27, 27}, {13, 27}, {13, 13}, {27, 13}},                 // centre and half step
        {{30, 20}, {25, 29}, {15, 29}, {10, 20}, {15, 11}, {25, 11}},
        {{20, 20}, {30, 20}, {25, 29}, {15, 29}, {10, 20}, {15, 11}, {25, 11}},
    };
    for (int n = 0; n <= 7; ++n) {
        SCOPED_TRACE(n);
        RecordingSurface surface = drawn(*discretePlace(n + 0.5));
        std::vector<Point> centres = dotCentres(surface);
        ASSERT_EQ(centres.size(), expected[n].size());
        EXPECT_EQ(sorted(centres), sorted(expected[n]));
        if (n == 1 || n == 5 || n == 7) {
            EXPECT_EQ(centres.front(), (Point{20, 20})) << "the centre dot is dot 0";
        }
        EXPECT_TRUE(surface.callsOf(Op::kTextBlock).empty());
    }
}

TEST(PlaceDrawing, DotsAreFilledInTheTextColour) {
    auto place = discretePlace(2);
    place->format().fore = 0x0000FF;
    const auto ellipses = drawn(*place).callsOf(Op::kEllipse);
    ASSERT_EQ(ellipses.size(), 3u);
    EXPECT_EQ(ellipses[1].brush.colour, 0x0000FF);
    EXPECT_EQ(ellipses[0].brush.colour, 0xFFCC99);
}

TEST(PlaceDrawing, EightTokensAndSpecialMarkingsAreWrittenAsText) {
    for (auto [marking, text] : {std::pair{8.0, "8"}, {-1.0, "0+"}, {2.5e3, "2500"}}) {
        RecordingSurface surface = drawn(*discretePlace(marking));
        const auto blocks = surface.callsOf(Op::kTextBlock);
        ASSERT_EQ(blocks.size(), 1u) << marking;
        EXPECT_EQ(blocks[0].text, text);
        EXPECT_EQ(blocks[0].rect, (Rect{5, 5, 35, 35})) << "rect shrunk by a seventh on each side";
        EXPECT_EQ(surface.callsOf(Op::kEllipse).size(), 1u);
    }
}

TEST(PlaceDrawing, LongMarkingsBreakIntoLinesThatFit) {
    RecordingSurface surface = drawn(*discretePlace(123456789));
    EXPECT_EQ(surface.callsOf(Op::kTextBlock).at(0).text, "12345\n6789");
}

TEST(PlaceDrawing, ContinuousPlaceWritesItsMarkingAndHasAnInnerCircle) {
    Place place(ObjectKind::kContinuousPlace);
    place.setRect({0, 0, 40, 40});
    place.format().width = 2;
    place.setShownMarking(3);
    RecordingSurface surface = drawn(place);
    const auto ellipses = surface.callsOf(Op::kEllipse);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[1].rect, (Rect{4, 5, 36, 35}));
    EXPECT_EQ(ellipses[1].brush.colour, kNoColour);
    EXPECT_EQ(surface.callsOf(Op::kTextBlock).at(0).text, "3");
}

TEST(PlaceDrawing, LabelEndsOutsideTheUpperLeftDiagonal) {
    auto place = discretePlace(0);
    place->setIndex(3);
    RecordingSurface surface = drawn(*place);
    const auto texts = surface.callsOf(Op::kText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "P3");
    EXPECT_EQ(texts[0].points[0], (Point{2, 6}));
    EXPECT_EQ(texts[0].style.horizontal, HAlign::kRight);
    EXPECT_EQ(texts[0].style.vertical, VAlign::kTop);
}

TEST(PlaceDrawing, HandlesAreDrawnOnlyWhenSelectedAndShown) {
    auto place = discretePlace(0);
    EXPECT_TRUE(drawn(*place).callsOf(Op::kRectangle).empty());
    place->setSelected(true);
    const auto handles = drawn(*place).callsOf(Op::kRectangle);
    ASSERT_EQ(handles.size(), 4u);
    EXPECT_EQ(handles[0].rect, (Rect{-3, 17, 4, 24}));
    EXPECT_EQ(handles[0].brush.colour, kWhite);
    EXPECT_TRUE(drawn(*place, false).callsOf(Op::kRectangle).empty());
}

TEST(TransitionDrawing, ValueLabels) {
    Transition continuous(ObjectKind::kContinuousTransition);
    continuous.setIndex(3);
    continuous.setFt(-1);
    continuous.reset();
    EXPECT_EQ(continuous.valueLabel(), "u3=inf");
    continuous.setShownValue(2.5);
    continuous.recordHistory(0);
    EXPECT_EQ(continuous.valueLabel(), "v3=2.5");

    Transition discrete(ObjectKind::kDiscreteTransition);
    discrete.setIndex(2);
    discrete.setFt(1.5);
    EXPECT_EQ(discrete.valueLabel(), "d2=1.5");
    discrete.setFt(-1);
    EXPECT_EQ(discrete.valueLabel(), "d2=inf");
}

TEST(TransitionDrawing, NameLeftAndValueRightOfTheBar) {
    Transition transition(ObjectKind::kContinuousTransition);
    transition.setIndex(1);
    transition.setRect({100, 50, 140, 57});
    transition.reset();
    RecordingSurface surface = drawn(transition);
    const auto bar = surface.callsOf(Op::kRectangle);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].brush.colour, 0xFFFFFF);
    EXPECT_EQ(bar[0].pen.colour, 0x669933);
    const auto texts = surface.callsOf(Op::kText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "T1");
    EXPECT_EQ(texts[0].points[0], (Point{96, 53}));
    EXPECT_EQ(texts[0].style.horizontal, HAlign::kRight);
    EXPECT_EQ(texts[1].text, "u1=1");
    EXPECT_EQ(texts[1].points[0], (Point{144, 53}));
    EXPECT_EQ(texts[1].style.horizontal, HAlign::kLeft);
}

class ArcDrawing : public ::testing::Test {
protected:
    ArcDrawing() : place(ObjectKind::kDiscretePlace), transition(ObjectKind::kDiscreteTransition), arc(ObjectKind::kOrdinaryArc) {
        place.setRect({0, 0, 40, 40});
        place.setIndex(1);
        transition.setRect({100, 17, 140, 24});
        transition.setIndex(1);
        arc.link(place, transition);
    }
    Place place;
    Transition transition;
    Arc arc;
};

TEST_F(ArcDrawing, StraightArcRunsBetweenTheBordersWithItsArrowhead) {
    EXPECT_EQ(arc.endPoints()[0], (Point{40, 20}));
    EXPECT_EQ(arc.endPoints()[1], (Point{100, 20}));
    RecordingSurface surface = drawn(arc);
    const auto lines = surface.callsOf(Op::kLine);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{40, 20}, {100, 20}}));
    const auto heads = surface.callsOf(Op::kPolygon);
    ASSERT_EQ(heads.size(), 1u);
    EXPECT_EQ(heads[0].points, (std::vector<Point>{{85, 25}, {102, 20}, {85, 15}}));
    EXPECT_EQ(heads[0].brush.colour, kBlack);
}

TEST_F(ArcDrawing, ArrowheadGrowsWithThePenWidth) {
    arc.format().width = 3;
    const auto head = arc.arrowHead();
    EXPECT_EQ(head[0], (Point{79, 27}));
    EXPECT_EQ(head[1], (Point{106, 20}));
    EXPECT_EQ(head[2], (Point{79, 13}));
}

TEST_F(ArcDrawing, ArrowheadCornersAreTruncatedOnADiagonal) {
    transition.setRect({100, 100, 140, 107});
    arc.setRoute({{60, 50}});
    EXPECT_EQ(arc.endPoints()[1], (Point{117, 100}));
    const auto head = arc.arrowHead();
    EXPECT_EQ(head[0], (Point{102, 93}));
    EXPECT_EQ(head[1], (Point{118, 101}));
    EXPECT_EQ(head[2], (Point{109, 86}));
}

TEST_F(ArcDrawing, RoutedArcsAreBezierChains) {
    arc.setRoute({{70, 60}});
    std::vector<Point> points = arc.bezierPoints();
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[1], (Point{70, 60}));
    EXPECT_EQ(points[2], (Point{70, 60}));

    arc.setRoute({{60, 60}, {70, 70}, {80, 60}});
    points = arc.bezierPoints();
    const auto [start, end] = arc.endPoints();
    EXPECT_EQ(points, (std::vector<Point>{start, {60, 60}, {60, 60}, {70, 70}, {80, 60}, {80, 60}, end}));
    RecordingSurface surface = drawn(arc);
    EXPECT_TRUE(surface.callsOf(Op::kLine).empty());
    EXPECT_EQ(surface.callsOf(Op::kBeziers).at(0).points, points);
}

TEST_F(ArcDrawing, EndAtAPlaceFollowsTheFirstRoutePoint) {
    arc.setRoute({{20, 100}});
    EXPECT_EQ(arc.endPoints()[0], (Point{20, 40}));
    EXPECT_EQ(arc.endPoints()[1], (Point{115, 24})) << "clipped to the bar on the line towards its centre";
}

TEST_F(ArcDrawing, EndFacingTheLongSideIsThePerpendicularFoot) {
    transition.setRect({0, 100, 40, 107});
    EXPECT_EQ(arc.endPoints()[1], (Point{20, 100}));
    EXPECT_EQ(arc.endPoints()[0], (Point{20, 40}));
}

TEST_F(ArcDrawing, ArcsInBothDirectionsAreDrawnSideBySide) {
    transition.setRect({0, 100, 40, 107});
    Arc back(ObjectKind::kOrdinaryArc);
    back.link(transition, place);
    EXPECT_EQ(arc.endPoints()[1], (Point{40, 100}));
    EXPECT_EQ(back.endPoints()[0], (Point{0, 100}));
    EXPECT_EQ(arc.endPoints()[0], (Point{20, 40}));
    // A routed arc is never moved aside.
    back.setRoute({{60, 70}});
    EXPECT_EQ(arc.endPoints()[1], (Point{20, 100}));
}

TEST_F(ArcDrawing, SelectedArcIsGreyWhileHandlesAreShown) {
    arc.setSelected(true);
    EXPECT_EQ(drawn(arc).callsOf(Op::kLine).at(0).pen.colour, 0xC0C0C0);
    EXPECT_EQ(drawn(arc, false).callsOf(Op::kLine).at(0).pen.colour, kBlack);
}

TEST(ArcWeight, GeneralizedArcShowsAWeightOtherThanOne) {
    Place place(ObjectKind::kDiscretePlace);
    place.setRect({0, 0, 40, 40});
    Transition transition(ObjectKind::kDiscreteTransition);
    transition.setRect({100, 17, 140, 24});
    Arc arc(ObjectKind::kGeneralizedArc);
    arc.link(place, transition);
    EXPECT_TRUE(drawn(arc).callsOf(Op::kRoundedRectangle).empty());
    arc.setWeight(2.5);
    RecordingSurface surface = drawn(arc);
    const auto boxes = surface.callsOf(Op::kRoundedRectangle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].radius, 10);
    EXPECT_EQ(boxes[0].rect.centre(), (Point{70, 20}));
    const auto texts = surface.callsOf(Op::kText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "2.5");
    EXPECT_EQ(texts[0].style.colour, kWhite);

    arc.setRoute({{60, 60}, {70, 70}});
    EXPECT_EQ(arc.middlePoint(), (Point{65, 65}));
    arc.setRoute({{60, 60}, {70, 70}, {80, 60}});
    EXPECT_EQ(arc.middlePoint(), (Point{70, 70}));

    Arc ordinary(ObjectKind::kOrdinaryArc);
    ordinary.link(place, transition);
    ordinary.setWeight(2.5);
    EXPECT_FALSE(ordinary.showsWeight());
}

TEST(FramedBox, StylesSelectShapeShadowAndDots) {
    struct Case {
        int style;
        Op shape;
        bool shadow;
        PenStyle pen;
    };
    const Case cases[] = {{0, Op::kRectangle, false, PenStyle::kSolid},        {1, Op::kRoundedRectangle, false, PenStyle::kSolid},
                          {2, Op::kRectangle, true, PenStyle::kSolid},         {3, Op::kRoundedRectangle, true, PenStyle::kSolid},
                          {4, Op::kRectangle, false, PenStyle::kDotted},       {5, Op::kRoundedRectangle, false, PenStyle::kDotted},
                          {9, Op::kRectangle, false, PenStyle::kSolid}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        Legend legend;
        legend.setRect({0, 0, 100, 50});
        legend.format() = {0x112233, 0, 0x445566, 2, c.style, 0};
        RecordingSurface surface = drawn(legend);
        std::vector<DrawCall> shapes;
        for (const DrawCall& call : surface.calls)
            if (call.op == Op::kRectangle || call.op == Op::kRoundedRectangle)
                shapes.push_back(call);
        ASSERT_EQ(shapes.size(), c.shadow ? 2u : 1u);
        const DrawCall& frame = shapes.back();
        EXPECT_EQ(frame.op, c.shape);
        EXPECT_EQ(frame.rect, (Rect{0, 0, 100, 50}));
        EXPECT_EQ(frame.pen, (Pen{0x445566, 2, c.pen}));
        EXPECT_EQ(frame.brush.colour, 0x112233);
        if (frame.op == Op::kRoundedRectangle) {
            EXPECT_EQ(frame.radius, 20);
        }
        if (c.shadow) {
            EXPECT_EQ(shapes[0].op, c.shape);
            EXPECT_EQ(shapes[0].rect, (Rect{2, 2, 102, 52}));
            EXPECT_EQ(shapes[0].brush.colour, 0x445566);
            EXPECT_EQ(shapes[0].pen.colour, kNoColour);
        }
    }
}

TEST(FramedBox, MissingColoursLeaveOutFillOutlineOrEverything) {
    Legend legend;
    legend.setRect({0, 0, 100, 50});
    legend.format().style = 3;
    legend.format().back = 0x112233;
    RecordingSurface surface = drawn(legend);
    const auto rounded = surface.callsOf(Op::kRoundedRectangle);
    ASSERT_EQ(rounded.size(), 1u) << "no shadow without a line colour";
    EXPECT_EQ(rounded[0].pen.colour, kNoColour);

    legend.format().back = kNoColour;
    surface = drawn(legend);
    EXPECT_TRUE(surface.callsOf(Op::kRoundedRectangle).empty());
    EXPECT_TRUE(surface.callsOf(Op::kRectangle).empty());
    EXPECT_EQ(surface.callsOf(Op::kTextBlock).size(), 1u);
}

TEST(FramedBox, GraphWithoutRendererDrawsItsFrame) {
    Graph graph;
    RecordingSurface surface = drawn(graph);
    const auto frames = surface.callsOf(Op::kRectangle);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, (Rect{0, 0, 180, 120}));
}
