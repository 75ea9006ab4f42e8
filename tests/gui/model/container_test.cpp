#include <gtest/gtest.h>

#include "gui/model/graph.h"
#include "gui/model/legend.h"
#include "gui/model/object_container.h"
#include "gui/model/object_factory.h"

using namespace tokarium;

namespace {

Place& addPlace(ObjectContainer& container, ObjectKind kind, std::int32_t index, Rect rect = {0, 0, 40, 40}) {
    auto place = std::make_unique<Place>(kind);
    place->setIndex(index);
    place->setRect(rect);
    return static_cast<Place&>(container.add(std::move(place)));
}

Transition& addTransition(ObjectContainer& container, ObjectKind kind, std::int32_t index, Rect rect = {100, 0, 140, 7}) {
    auto transition = std::make_unique<Transition>(kind);
    transition->setIndex(index);
    transition->setRect(rect);
    return static_cast<Transition&>(container.add(std::move(transition)));
}

Arc& addArc(ObjectContainer& container, NetReference up, NetReference down, ObjectKind kind = ObjectKind::kOrdinaryArc) {
    auto arc = std::make_unique<Arc>(kind);
    arc->setUp(up);
    arc->setDown(down);
    return static_cast<Arc&>(container.add(std::move(arc)));
}

Arc& link(ObjectContainer& container, NetNode& from, NetNode& to, ObjectKind kind = ObjectKind::kOrdinaryArc) {
    Arc& arc = static_cast<Arc&>(container.add(std::make_unique<Arc>(kind)));
    arc.link(from, to);
    return arc;
}

std::vector<std::int32_t> indicesOf(const ObjectContainer& container, KindMask kinds) {
    std::vector<std::int32_t> indices;
    for (NetObject* object : container.objects(kinds))
        indices.push_back(static_cast<NetNode*>(object)->index());
    return indices;
}

} // namespace

TEST(Cursor, FiltersByKindSelectionAndDirection) {
    ObjectContainer container;
    Place& p1 = addPlace(container, ObjectKind::kDiscretePlace, 1);
    addTransition(container, ObjectKind::kContinuousTransition, 1);
    Place& p2 = addPlace(container, ObjectKind::kContinuousPlace, 2);
    container.add(std::make_unique<Legend>());
    p2.setSelected(true);

    std::vector<NetObject*> found;
    for (NetObject* object : container.objects(kPlaceKinds, false, Direction::kBackward))
        found.push_back(object);
    EXPECT_EQ(found, (std::vector<NetObject*>{&p2, &p1}));
    EXPECT_EQ(container.count(kNodeKinds), 3u);
    EXPECT_EQ(container.count(kContinuousFamily), 2u);
    EXPECT_EQ(container.count(kAllKinds), 4u);
    EXPECT_EQ(container.firstSelected(kAllKinds), &p2);
    EXPECT_EQ(container.firstSelected(kTransitionKinds), nullptr);

    ObjectCursor cursor = container.cursor({kAllKinds, true, Direction::kForward});
    EXPECT_EQ(cursor.next(), &p2);
    EXPECT_EQ(cursor.next(), nullptr);
}

TEST(Reading, DuplicateIndicesKeepTheFirstNode) {
    ObjectContainer container;
    auto place = [](ObjectKind kind, std::int32_t index) {
        auto p = std::make_unique<Place>(kind);
        p->setIndex(index);
        return p;
    };
    EXPECT_TRUE(container.addUnlessIndexUsed(place(ObjectKind::kDiscretePlace, 1)));
    EXPECT_FALSE(container.addUnlessIndexUsed(place(ObjectKind::kDiscretePlace, 1)));
    EXPECT_FALSE(container.addUnlessIndexUsed(place(ObjectKind::kContinuousPlace, 1))) << "places share one numbering";
    auto transition = std::make_unique<Transition>(ObjectKind::kDiscreteTransition);
    transition->setIndex(1);
    EXPECT_TRUE(container.addUnlessIndexUsed(std::move(transition)));
    EXPECT_TRUE(container.addUnlessIndexUsed(std::make_unique<Legend>()));
    EXPECT_TRUE(container.addUnlessIndexUsed(std::make_unique<Legend>()));
    EXPECT_EQ(container.size(), 4u);
}

TEST(Reading, UnresolvableSameFamilyAndDuplicateArcsAreDropped) {
    ObjectContainer container;
    Place& p1 = addPlace(container, ObjectKind::kDiscretePlace, 1);
    addPlace(container, ObjectKind::kDiscretePlace, 2);
    Transition& t1 = addTransition(container, ObjectKind::kDiscreteTransition, 1);
    Arc& good = addArc(container, 1, -1);
    addArc(container, 5, -1);  // no place 5
    addArc(container, 1, 2);   // two places
    addArc(container, 1, -1);  // same direction again
    Arc& reverse = addArc(container, -1, 1);
    addArc(container, 0, 1);   // transition 0 does not exist
    container.resolveArcs();
    EXPECT_EQ(container.count(kArcKinds), 2u);
    EXPECT_EQ(good.from(), &p1);
    EXPECT_EQ(good.to(), &t1);
    EXPECT_EQ(reverse.from(), &t1);
    EXPECT_EQ(p1.outputArcs(), (std::vector<Arc*>{&good}));
    EXPECT_EQ(p1.inputArcs(), (std::vector<Arc*>{&reverse}));
}

TEST(Indices, SetIndexRefusesAUsedIndexAndNextFreeIndexSkipsUsedOnes) {
    ObjectContainer container;
    Place& p1 = addPlace(container, ObjectKind::kDiscretePlace, 1);
    addPlace(container, ObjectKind::kContinuousPlace, 2);
    addPlace(container, ObjectKind::kDiscretePlace, 4);
    Transition& t = addTransition(container, ObjectKind::kDiscreteTransition, 7);
    EXPECT_FALSE(container.setIndex(kPlaceKinds, p1, 2));
    EXPECT_EQ(p1.index(), 1);
    EXPECT_TRUE(container.setIndex(kPlaceKinds, p1, 1));
    EXPECT_TRUE(container.setIndex(kTransitionKinds, t, 2)) << "a transition may share a place's index";
    EXPECT_EQ(container.nextFreeIndex(kPlaceKinds, 0), 3);
    EXPECT_EQ(container.nextFreeIndex(kPlaceKinds, 3), 5);
    EXPECT_EQ(container.nextFreeIndex(kTransitionKinds, 0), 1);
    EXPECT_EQ(container.findByIndex(kPlaceKinds, 2)->kind(), ObjectKind::kContinuousPlace);
    EXPECT_EQ(container.findByIndex(kDiscreteFamily, 2), &t);
    EXPECT_EQ(container.findPlace(9), nullptr);
}

TEST(Indices, ChangingAnIndexUpdatesTheSavedEndsOfItsArcs) {
    ObjectContainer container;
    Place& p = addPlace(container, ObjectKind::kDiscretePlace, 1);
    Transition& t = addTransition(container, ObjectKind::kDiscreteTransition, 1);
    Arc& arc = link(container, p, t);
    ASSERT_TRUE(container.setIndex(kPlaceKinds, p, 8));
    EXPECT_EQ(arc.up(), 8);
    EXPECT_EQ(arc.down(), -1);
}

TEST(Pasting, UsedIndicesTakeTheNextFreeOnes) {
    ObjectContainer sheet;
    for (int i = 1; i <= 5; ++i)
        addPlace(sheet, ObjectKind::kDiscretePlace, i);
    addTransition(sheet, ObjectKind::kDiscreteTransition, 1);

    ObjectContainer clipboard;
    addPlace(clipboard, ObjectKind::kDiscretePlace, 1);
    addPlace(clipboard, ObjectKind::kDiscretePlace, 2);
    addTransition(clipboard, ObjectKind::kDiscreteTransition, 1);
    addArc(clipboard, 1, -1);
    addArc(clipboard, -1, 2);
    addArc(clipboard, 3, -1); // its place was not copied
    clipboard.add(std::make_unique<Legend>());

    sheet.mergeFrom(clipboard);
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(indicesOf(sheet, kPlaceKinds), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(indicesOf(sheet, kTransitionKinds), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(sheet.count(kArcKinds), 2u);
    std::vector<std::pair<NetReference, NetReference>> ends;
    for (NetObject* object : sheet.objects(kArcKinds)) {
        auto* arc = static_cast<Arc*>(object);
        ASSERT_TRUE(arc->isLinked());
        ends.push_back({arc->up(), arc->down()});
    }
    EXPECT_EQ(ends, (std::vector<std::pair<NetReference, NetReference>>{{6, -2}, {-2, 7}}));
    EXPECT_EQ(sheet.findPlace(6)->outputArcs().size(), 1u);
    EXPECT_TRUE(sheet.findPlace(1)->outputArcs().empty());
    EXPECT_EQ(sheet.count(maskOf(ObjectKind::kLegend)), 1u);
}

TEST(Renumbering, DiscreteMembersComeFirstInCreationOrder) {
    ObjectContainer container;
    Place& c1 = addPlace(container, ObjectKind::kContinuousPlace, 10);
    Place& d = addPlace(container, ObjectKind::kDiscretePlace, 4);
    Transition& tc = addTransition(container, ObjectKind::kContinuousTransition, 3);
    Place& c2 = addPlace(container, ObjectKind::kContinuousPlace, 1);
    Transition& td = addTransition(container, ObjectKind::kDiscreteTransition, 9);
    Arc& arc = link(container, c2, tc);
    container.renumber(kPlaceKinds);
    container.renumber(kTransitionKinds);
    EXPECT_EQ(d.index(), 1);
    EXPECT_EQ(c1.index(), 2);
    EXPECT_EQ(c2.index(), 3);
    EXPECT_EQ(td.index(), 1);
    EXPECT_EQ(tc.index(), 2);
    EXPECT_EQ(arc.up(), 3);
    EXPECT_EQ(arc.down(), -2);
}

TEST(Removing, ANodeTakesItsArcsWithIt) {
    ObjectContainer container;
    Place& p = addPlace(container, ObjectKind::kDiscretePlace, 1);
    Place& q = addPlace(container, ObjectKind::kDiscretePlace, 2);
    Transition& t = addTransition(container, ObjectKind::kDiscreteTransition, 1);
    link(container, p, t);
    link(container, t, p);
    link(container, t, q);
    container.remove(p);
    EXPECT_EQ(container.count(kArcKinds), 1u);
    EXPECT_EQ(t.outputArcs().size(), 1u);
    EXPECT_TRUE(t.inputArcs().empty());

    q.setSelected(true);
    container.removeMatching(kAllKinds, true);
    EXPECT_EQ(container.size(), 1u);
    EXPECT_TRUE(t.outputArcs().empty());

    Arc& arc = link(container, t, addPlace(container, ObjectKind::kDiscretePlace, 3));
    container.remove(arc);
    EXPECT_TRUE(t.outputArcs().empty());
    EXPECT_EQ(container.size(), 2u);
}

TEST(Selection, ExtendSelectionPicksTheSameKindOrFamily) {
    ObjectContainer container;
    Place& d1 = addPlace(container, ObjectKind::kDiscretePlace, 1);
    Place& c1 = addPlace(container, ObjectKind::kContinuousPlace, 2);
    Place& d2 = addPlace(container, ObjectKind::kDiscretePlace, 3);
    Transition& t = addTransition(container, ObjectKind::kDiscreteTransition, 1);
    Arc& ordinary = link(container, d1, t);
    Arc& generalized = link(container, t, d2, ObjectKind::kGeneralizedArc);
    Arc& ordinary2 = link(container, c1, t);
    c1.setSelected(true);

    container.selectKindOf(d1);
    EXPECT_TRUE(d1.isSelected());
    EXPECT_TRUE(d2.isSelected());
    EXPECT_FALSE(c1.isSelected());
    EXPECT_FALSE(t.isSelected());

    container.selectKindOf(ordinary);
    EXPECT_TRUE(ordinary.isSelected());
    EXPECT_TRUE(ordinary2.isSelected());
    EXPECT_FALSE(generalized.isSelected());
    EXPECT_FALSE(d1.isSelected());
}

TEST(Selection, RectangleSelectsWhatItTouches) {
    ObjectContainer container;
    Place& near = addPlace(container, ObjectKind::kDiscretePlace, 1, {0, 0, 40, 40});
    Place& far = addPlace(container, ObjectKind::kDiscretePlace, 2, {200, 200, 240, 240});
    far.setSelected(true);
    container.selectInRect({30, 30, 50, 50});
    EXPECT_TRUE(near.isSelected());
    EXPECT_FALSE(far.isSelected());
    EXPECT_EQ(container.boundsOf(kAllKinds, true), (Rect{0, 0, 40, 40}));
    EXPECT_EQ(container.boundsOf(kAllKinds, false), (Rect{0, 0, 240, 240}));

    container.selectAll(true);
    container.offsetSelected(10, 5);
    EXPECT_EQ(far.rect(), (Rect{210, 205, 250, 245}));
    container.beginTrackSelected();
    container.trackSelected(kBodyHit, 1, 1);
    container.trackSelected(kBodyHit, 2, 2);
    EXPECT_EQ(near.rect(), (Rect{12, 7, 52, 47}));
}

TEST(HitTesting, TopMostObjectAndPartners) {
    ObjectContainer container;
    Place& lower = addPlace(container, ObjectKind::kDiscretePlace, 1, {0, 0, 40, 40});
    Place& upper = addPlace(container, ObjectKind::kDiscretePlace, 2, {10, 10, 50, 50});
    Transition& t = addTransition(container, ObjectKind::kDiscreteTransition, 1, {100, 0, 140, 7});
    ObjectHit hit = container.hitTest(kAllKinds, {20, 30});
    EXPECT_EQ(hit.object, &upper);
    EXPECT_EQ(hit.handle, kBodyHit);
    EXPECT_EQ(container.nodeAt({5, 5}), &lower);
    EXPECT_FALSE(container.hitTest(kTransitionKinds, {20, 30}));

    EXPECT_EQ(container.partnerAt({120, 3}, upper, ArcEnd::kTail), &t);
    EXPECT_EQ(container.partnerAt({20, 30}, upper, ArcEnd::kTail), nullptr) << "a place never joins a place";
    link(container, upper, t);
    EXPECT_EQ(container.partnerAt({120, 3}, upper, ArcEnd::kTail), nullptr);
    EXPECT_EQ(container.partnerAt({20, 30}, t, ArcEnd::kTail), &upper) << "the opposite direction is allowed";
    EXPECT_EQ(container.partnerAt({20, 30}, t, ArcEnd::kHead), &lower) << "upper already feeds t";
}

TEST(Sorting, SortedByIndexIgnoresCreationOrder) {
    ObjectContainer container;
    addPlace(container, ObjectKind::kDiscretePlace, 3);
    addPlace(container, ObjectKind::kContinuousPlace, 1);
    addPlace(container, ObjectKind::kDiscretePlace, 2);
    addTransition(container, ObjectKind::kDiscreteTransition, 0);
    std::vector<std::int32_t> indices;
    for (NetObject* object : container.sortedByIndex(kPlaceKinds))
        indices.push_back(static_cast<NetNode*>(object)->index());
    EXPECT_EQ(indices, (std::vector<std::int32_t>{1, 2, 3}));
}

TEST(Simulation, ResetAndRecordReachEveryNode) {
    ObjectContainer container;
    Place& p = addPlace(container, ObjectKind::kDiscretePlace, 1);
    Transition& t = addTransition(container, ObjectKind::kContinuousTransition, 1);
    container.add(std::make_unique<Graph>());
    p.setInitialMarking(4);
    t.setFt(2);
    container.resetAll();
    container.recordHistories(0);
    EXPECT_EQ(p.historyValues(), (std::vector<double>{4}));
    EXPECT_EQ(t.historyValues(), (std::vector<double>{2}));
}
