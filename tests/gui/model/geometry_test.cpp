#include <gtest/gtest.h>

#include "gui/model/arc.h"
#include "gui/model/legend.h"
#include "gui/model/object_factory.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

using namespace tokarium;

namespace {

std::unique_ptr<Place> placeAt(Rect rect) {
    auto place = std::make_unique<Place>(ObjectKind::kDiscretePlace);
    place->setRect(rect);
    return place;
}

} // namespace

TEST(Handles, RectangularObjectsOfferEightPlacesFourTransitionsTwo) {
    Legend legend;
    legend.setRect({0, 0, 100, 50});
    for (int h = 1; h <= 8; ++h)
        EXPECT_TRUE(legend.handleRect(h, false)) << h;
    EXPECT_EQ(*legend.handleRect(8, false), (Rect{97, 47, 104, 54}));
    EXPECT_EQ(*legend.handleRect(8, true), (Rect{94, 44, 107, 57}));

    auto owned = placeAt({0, 0, 40, 40});
    Place& place = *owned;
    EXPECT_TRUE(place.handleRect(4, false));
    EXPECT_FALSE(place.handleRect(5, false));

    Transition bar(ObjectKind::kDiscreteTransition);
    EXPECT_TRUE(bar.handleRect(1, false));
    EXPECT_FALSE(bar.handleRect(2, false));
    EXPECT_TRUE(bar.handleRect(3, false));
    EXPECT_FALSE(bar.handleRect(4, false));
    bar.rotate();
    EXPECT_FALSE(bar.handleRect(1, false));
    EXPECT_TRUE(bar.handleRect(2, false));
    EXPECT_TRUE(bar.handleRect(4, false));
}

TEST(HitTest, HandlesBeforeBodyBeforeMiss) {
    auto owned = placeAt({0, 0, 40, 40});
    Place& place = *owned;
    EXPECT_EQ(place.hitTest({0, 20}), 1);
    EXPECT_EQ(place.hitTest({45, 20}), 3);
    EXPECT_EQ(place.hitTest({20, 20}), kBodyHit);
    EXPECT_EQ(place.hitTest({42, 42}), kBodyHit) << "bounds grown by 3";
    EXPECT_EQ(place.hitTest({44, 44}), kMiss);

    Transition bar(ObjectKind::kDiscreteTransition);
    EXPECT_EQ(bar.hitTest({20, 0}), kBodyHit) << "no top handle on a horizontal bar";
}

TEST(HitTest, ArcsAreHitNearTheirStraightPath) {
    auto owned = placeAt({0, 0, 40, 40});
    Place& place = *owned;
    Transition bar(ObjectKind::kDiscreteTransition);
    bar.setRect({100, 17, 140, 24});
    Arc arc(ObjectKind::kOrdinaryArc);
    arc.link(place, bar);
    EXPECT_EQ(arc.hitTest({70, 29}), kBodyHit);
    EXPECT_EQ(arc.hitTest({70, 30}), kMiss);
    arc.setRoute({{70, 80}});
    EXPECT_EQ(arc.hitTest({72, 78}), 1);
    EXPECT_EQ(arc.hitTest({70, 20}), kMiss);
    EXPECT_EQ(arc.bounds(), (Rect{33, 24, 118, 81})) << "path through the route point, grown by 1";
}

TEST(Track, PlaceStaysRound) {
    auto owned = placeAt({0, 0, 40, 40});
    Place& place = *owned;
    place.beginTrack();
    place.track(3, 20, 0);
    EXPECT_EQ(place.rect(), (Rect{0, -10, 60, 50}));
    place.track(2, 0, 10);
    EXPECT_EQ(place.rect(), (Rect{5, 10, 35, 40})) << "each track starts again from the saved rect";
    place.track(3, -100, 0);
    EXPECT_EQ(place.rect(), (Rect{0, 15, 10, 25})) << "stops 10 units from the opposite edge";
    place.track(kBodyHit, 5, 7);
    EXPECT_EQ(place.rect(), (Rect{5, 7, 45, 47}));
    place.track(kBodyHit, 0, 0);
    EXPECT_EQ(place.rect(), (Rect{0, 0, 40, 40}));
}

TEST(Track, TransitionBarOnlyChangesLength) {
    Transition bar(ObjectKind::kDiscreteTransition);
    bar.beginTrack();
    bar.track(3, 20, 0);
    EXPECT_EQ(bar.rect(), (Rect{0, 0, 60, 7}));
    bar.track(4, 0, 30);
    EXPECT_EQ(bar.rect(), (Rect{0, 0, 40, 7}));
    bar.track(8, 10, 10);
    EXPECT_EQ(bar.rect(), (Rect{0, 0, 50, 7}));
    bar.track(1, 100, 0);
    EXPECT_EQ(bar.rect(), (Rect{30, 0, 40, 7}));

    bar.setRect({0, 0, 40, 7});
    bar.rotate();
    EXPECT_EQ(bar.rect(), (Rect{17, -17, 24, 23}));
    bar.beginTrack();
    bar.track(1, -20, 0);
    EXPECT_EQ(bar.rect(), (Rect{17, -17, 24, 23}));
    bar.track(4, 0, 5);
    EXPECT_EQ(bar.rect(), (Rect{17, -17, 24, 28}));
    bar.setRect({17, -17, 24, 23});
    bar.rotate();
    EXPECT_EQ(bar.rect(), (Rect{0, 0, 40, 7}));
}

TEST(Track, CornersMoveTwoEdgesWithTheMinimum) {
    Legend legend;
    legend.setRect({0, 0, 100, 50});
    legend.beginTrack();
    legend.track(5, 10, 20);
    EXPECT_EQ(legend.rect(), (Rect{10, 20, 100, 50}));
    legend.track(8, -200, -200);
    EXPECT_EQ(legend.rect(), (Rect{0, 0, 10, 10}));
}

TEST(Track, ADragComingBackToItsStartRestoresTheShape) {
    Legend legend;
    legend.setRect({0, 0, 100, 50});
    legend.track(3, 30, 0);
    EXPECT_EQ(legend.rect(), (Rect{0, 0, 130, 50})) << "a first track without beginTrack starts from the current rect";
    legend.track(3, 0, 0);
    EXPECT_EQ(legend.rect(), (Rect{0, 0, 100, 50}));
    legend.track(3, 10, 0);
    EXPECT_EQ(legend.rect(), (Rect{0, 0, 110, 50}));

    Arc arc(ObjectKind::kOrdinaryArc);
    arc.setRoute({{10, 10}});
    arc.track(1, 5, 5);
    EXPECT_EQ(arc.route(), (std::vector<Point>{{15, 15}}));
}

TEST(Track, ArcMovesOneRoutePointOrAll) {
    Arc arc(ObjectKind::kOrdinaryArc);
    arc.setRoute({{10, 10}, {20, 20}, {30, 10}});
    arc.beginTrack();
    arc.track(2, 5, -5);
    EXPECT_EQ(arc.route(), (std::vector<Point>{{10, 10}, {25, 15}, {30, 10}}));
    arc.track(kBodyHit, 1, 1);
    EXPECT_EQ(arc.route(), (std::vector<Point>{{11, 11}, {21, 21}, {31, 11}}));
    arc.offset(-1, -1);
    EXPECT_EQ(arc.route(), (std::vector<Point>{{10, 10}, {20, 20}, {30, 10}}));
}

class RouteEditing : public ::testing::Test {
protected:
    RouteEditing() : place(ObjectKind::kDiscretePlace), bar(ObjectKind::kDiscreteTransition), arc(ObjectKind::kOrdinaryArc) {
        place.setRect({0, 0, 40, 40});
        bar.setRect({200, 17, 240, 24});
        arc.link(place, bar);
    }
    Place place;
    Transition bar;
    Arc arc;
};

TEST_F(RouteEditing, PointsAreAddedKeepingTheAlternationOfRoles) {
    ASSERT_EQ(arc.endPoints()[0], (Point{40, 20}));
    ASSERT_EQ(arc.endPoints()[1], (Point{200, 20}));
    EXPECT_TRUE(arc.addRoutePoint({100, 20}));
    EXPECT_EQ(arc.route(), (std::vector<Point>{{100, 20}}));
    EXPECT_TRUE(arc.addRoutePoint({70, 25}));
    EXPECT_EQ(arc.route(), (std::vector<Point>{{55, 22}, {70, 25}, {100, 20}}));
    EXPECT_TRUE(arc.addRoutePoint({150, 21}));
    EXPECT_EQ(arc.route(), (std::vector<Point>{{55, 22}, {70, 25}, {100, 20}, {150, 21}, {175, 20}}));
    EXPECT_FALSE(arc.addRoutePoint({120, 200}));
}

TEST_F(RouteEditing, InnerSegmentsGetAPointAndANewControlPoint) {
    const std::vector<Point> five{{55, 22}, {70, 25}, {100, 20}, {150, 21}, {175, 20}};
    arc.setRoute(five);
    EXPECT_TRUE(arc.addRoutePoint({90, 30}));
    EXPECT_EQ(arc.route(), (std::vector<Point>{{55, 22}, {70, 25}, {80, 27}, {90, 30}, {100, 20}, {150, 21}, {175, 20}}));
    arc.setRoute(five);
    EXPECT_TRUE(arc.addRoutePoint({125, 28}));
    EXPECT_EQ(arc.route(), (std::vector<Point>{{55, 22}, {70, 25}, {100, 20}, {125, 28}, {137, 24}, {150, 21}, {175, 20}}));
}

TEST_F(RouteEditing, RemovingAPassThroughPointTakesTheFollowingControlPoint) {
    arc.setRoute({{55, 22}, {70, 25}, {100, 20}, {150, 21}, {175, 20}});
    EXPECT_FALSE(arc.removeRoutePoint(3));
    EXPECT_EQ(arc.route().size(), 5u);
    EXPECT_TRUE(arc.removeRoutePoint(2));
    EXPECT_EQ(arc.route(), (std::vector<Point>{{55, 22}, {150, 21}, {175, 20}}));
    EXPECT_TRUE(arc.removeRoutePoint(2));
    EXPECT_EQ(arc.route(), (std::vector<Point>{{55, 22}}));
    EXPECT_TRUE(arc.removeRoutePoint(1));
    EXPECT_TRUE(arc.route().empty());
    EXPECT_FALSE(arc.removeRoutePoint(1));
}

TEST(Nodes, AutomaticNameFollowsTheIndexUntilANameIsTyped) {
    Place place(ObjectKind::kContinuousPlace);
    place.setIndex(3);
    EXPECT_EQ(place.displayName(), "P3");
    place.setName("Buffer");
    EXPECT_EQ(place.displayName(), "Buffer");
    place.setName("");
    EXPECT_EQ(place.displayName(), "P3");
    Transition transition(ObjectKind::kDiscreteTransition);
    transition.setIndex(12);
    EXPECT_EQ(transition.displayName(), "T12");
    EXPECT_EQ(transition.reference(), -12);
    EXPECT_EQ(place.reference(), 3);
}

TEST(Nodes, ValidityNeedsARectAnIndexAndForArcsAWeight) {
    Place place(ObjectKind::kDiscretePlace);
    EXPECT_FALSE(place.isValid());
    place.setIndex(1);
    EXPECT_TRUE(place.isValid());
    place.setRect({});
    EXPECT_FALSE(place.isValid());
    Arc arc(ObjectKind::kGeneralizedArc);
    EXPECT_TRUE(arc.isValid());
    arc.setWeight(-0.5);
    EXPECT_FALSE(arc.isValid());
}

TEST(Nodes, HistoryKeepsOnlyChangesAndResetStartsAgain) {
    Place place(ObjectKind::kContinuousPlace);
    place.setInitialMarking(2);
    place.setShownMarking(7);
    place.reset();
    EXPECT_EQ(place.workingMarking(), 2);
    EXPECT_EQ(place.shownMarking(), 2);
    place.recordHistory(0);
    place.recordHistory(1);
    place.setShownMarking(3);
    place.recordHistory(2);
    place.setShownMarking(2);
    place.recordHistory(3);
    EXPECT_EQ(place.historyTimes(), (std::vector<double>{0, 2, 3}));
    EXPECT_EQ(place.historyValues(), (std::vector<double>{2, 3, 2}));
    place.reset();
    EXPECT_TRUE(place.historyTimes().empty());

    Transition transition(ObjectKind::kContinuousTransition);
    transition.setFt(-1);
    transition.reset();
    EXPECT_EQ(transition.shownValue(), -1);
}

TEST(Defaults, EachKindGetsItsSizeAndColours) {
    struct Case {
        ObjectKind kind;
        Size size;
        Colour back, fore, line;
    };
    const Case cases[] = {
        {ObjectKind::kOrdinaryArc, {0, 0}, 0, 0xFFFFFF, 0},
        {ObjectKind::kGeneralizedArc, {0, 0}, 0, 0xFFFFFF, 0},
        {ObjectKind::kDiscretePlace, {40, 40}, 0xFFCC99, 0, 0},
        {ObjectKind::kContinuousPlace, {40, 40}, 0xCCFFCC, 0, 0},
        {ObjectKind::kDiscreteTransition, {40, 7}, 0xFF6633, 0, 0xFF6633},
        {ObjectKind::kContinuousTransition, {40, 7}, 0xFFFFFF, 0, 0x669933},
        {ObjectKind::kGraph, {180, 120}, 0xFFFFFF, 0, 0},
        {ObjectKind::kLegend, {180, 60}, -1, 0, -1},
    };
    for (const Case& c : cases) {
        auto object = createObject(c.kind);
        SCOPED_TRACE(object->typeName());
        EXPECT_EQ(object->kind(), c.kind);
        EXPECT_EQ((Size{object->rect().width(), object->rect().height()}), c.size);
        EXPECT_EQ(object->format(), (ObjectFormat{c.back, c.fore, c.line, 1, 0, 0}));
    }
}

TEST(Copies, ColoursSurviveOnlyWithinTheSameFamily) {
    Place source(ObjectKind::kDiscretePlace);
    source.setRect({10, 10, 60, 60});
    source.format() = {0x123456, 0x654321, 0x111111, 3, 0, 0};
    source.setIndex(4);
    source.setName("Stock");
    source.setInitialMarking(5);

    auto same = copyObject(source);
    auto& copy = static_cast<Place&>(*same);
    EXPECT_EQ(copy.format(), source.format());
    EXPECT_EQ(copy.rect(), source.rect());
    EXPECT_EQ(copy.index(), 4);
    EXPECT_EQ(copy.name(), "Stock");
    EXPECT_EQ(copy.initialMarking(), 5);

    auto other = copyObjectAs(source, ObjectKind::kContinuousPlace);
    EXPECT_EQ(other->format().back, 0xCCFFCC);
    EXPECT_EQ(other->format().line, 0);
    EXPECT_EQ(other->format().width, 3);
    EXPECT_EQ(static_cast<Place&>(*other).initialMarking(), 5);
}

TEST(Copies, ArcCopyKeepsItsSavedEndsButNoLinks) {
    Place place(ObjectKind::kDiscretePlace);
    place.setIndex(2);
    Transition transition(ObjectKind::kContinuousTransition);
    transition.setIndex(5);
    Arc arc(ObjectKind::kGeneralizedArc);
    arc.link(transition, place);
    arc.setWeight(3);
    arc.setRoute({{1, 2}});
    auto copy = copyObject(arc);
    auto& copied = static_cast<Arc&>(*copy);
    EXPECT_FALSE(copied.isLinked());
    EXPECT_EQ(copied.up(), -5);
    EXPECT_EQ(copied.down(), 2);
    EXPECT_EQ(copied.weight(), 3);
    EXPECT_EQ(copied.route(), arc.route());
    EXPECT_EQ(place.inputArcs().size(), 1u);
}

TEST(Links, DestroyingANodeLeavesNoArcPointingAtIt) {
    Transition transition(ObjectKind::kDiscreteTransition);
    Arc arc(ObjectKind::kOrdinaryArc);
    {
        Place place(ObjectKind::kDiscretePlace);
        arc.link(place, transition);
        EXPECT_EQ(place.outputArcs().size(), 1u);
        EXPECT_EQ(transition.inputArcs().size(), 1u);
    }
    EXPECT_FALSE(arc.isLinked());
    EXPECT_TRUE(transition.inputArcs().empty());
}
