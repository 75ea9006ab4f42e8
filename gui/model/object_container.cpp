// The object list of a sheet: filtered cursors, lookups, selection, renumbering, resolving and pasting.
#include "gui/model/object_container.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace tokarium {

namespace {

bool matches(const NetObject& object, const ObjectFilter& filter) {
    return object.isKindIn(filter.kinds) && (!filter.selectedOnly || object.isSelected());
}

} // namespace

ObjectCursor::ObjectCursor(const ObjectContainer& container, ObjectFilter filter)
    : m_container(container), m_filter(filter),
      m_position(filter.direction == Direction::kBackward ? container.m_objects.size() : 0) {}

NetObject* ObjectCursor::next() {
    const auto& objects = m_container.m_objects;
    if (m_filter.direction == Direction::kForward) {
        while (m_position < objects.size()) {
            NetObject* object = objects[m_position++].get();
            if (matches(*object, m_filter))
                return object;
        }
    } else {
        m_position = std::min(m_position, objects.size());
        while (m_position > 0) {
            NetObject* object = objects[--m_position].get();
            if (matches(*object, m_filter))
                return object;
        }
    }
    return nullptr;
}

ObjectContainer::~ObjectContainer() = default;

NetObject& ObjectContainer::add(std::unique_ptr<NetObject> object) {
    m_objects.push_back(std::move(object));
    return *m_objects.back();
}

bool ObjectContainer::addUnlessIndexUsed(std::unique_ptr<NetObject> object) {
    if (const auto* node = dynamic_cast<const NetNode*>(object.get()))
        if (findByIndex(indexFamilyOf(node->kind()), node->index()))
            return false;
    add(std::move(object));
    return true;
}

void ObjectContainer::remove(NetObject& object) {
    removeObjects({&object});
}

void ObjectContainer::removeMatching(KindMask kinds, bool selectedOnly) {
    std::vector<NetObject*> matching;
    for (NetObject* object : objects(kinds, selectedOnly))
        matching.push_back(object);
    removeObjects(matching);
}

void ObjectContainer::removeObjects(const std::vector<NetObject*>& removed) {
    // Every arc of a removed node goes with it; arcs are unlinked before anything is destroyed.
    std::unordered_set<const NetObject*> doomed;
    std::vector<Arc*> arcs;
    auto addArc = [&](Arc* arc) {
        if (doomed.insert(arc).second)
            arcs.push_back(arc);
    };
    for (NetObject* object : removed) {
        if (auto* removedArc = dynamic_cast<Arc*>(object)) {
            addArc(removedArc);
        } else {
            doomed.insert(object);
            if (const auto* node = dynamic_cast<const NetNode*>(object)) {
                for (Arc* arc : node->inputArcs())
                    addArc(arc);
                for (Arc* arc : node->outputArcs())
                    addArc(arc);
            }
        }
    }
    for (Arc* arc : arcs)
        arc->unlink();
    std::erase_if(m_objects, [&](const std::unique_ptr<NetObject>& o) { return doomed.count(o.get()) != 0; });
}

std::unique_ptr<NetObject> ObjectContainer::take(NetObject& object) {
    auto it = std::find_if(m_objects.begin(), m_objects.end(), [&](const auto& o) { return o.get() == &object; });
    if (it == m_objects.end())
        return nullptr;
    std::unique_ptr<NetObject> taken = std::move(*it);
    m_objects.erase(it);
    return taken;
}

NetNode* ObjectContainer::findByIndex(KindMask kinds, std::int32_t index) const {
    for (NetObject* object : objects(kinds & kNodeKinds))
        if (auto* node = static_cast<NetNode*>(object); node->index() == index)
            return node;
    return nullptr;
}

Place* ObjectContainer::findPlace(std::int32_t index) const {
    return static_cast<Place*>(findByIndex(kPlaceKinds, index));
}

Transition* ObjectContainer::findTransition(std::int32_t index) const {
    return static_cast<Transition*>(findByIndex(kTransitionKinds, index));
}

bool ObjectContainer::setIndex(KindMask family, NetNode& node, std::int32_t index) {
    if (node.index() == index)
        return true;
    for (NetObject* object : objects(family & kNodeKinds))
        if (object != &node && static_cast<NetNode*>(object)->index() == index)
            return false;
    node.setIndex(index);
    for (Arc* arc : node.inputArcs())
        arc->updateReferences();
    for (Arc* arc : node.outputArcs())
        arc->updateReferences();
    return true;
}

std::int32_t ObjectContainer::nextFreeIndex(KindMask family, std::int32_t after) const {
    std::set<std::int32_t> used;
    for (NetObject* object : objects(family & kNodeKinds))
        used.insert(static_cast<NetNode*>(object)->index());
    std::int32_t index = after + 1;
    while (used.count(index))
        ++index;
    return index;
}

ObjectHit ObjectContainer::hitTest(KindMask kinds, Point point) const {
    for (NetObject* object : objects(kinds, false, Direction::kBackward)) {
        const int handle = object->hitTest(point);
        if (handle >= 0)
            return {object, handle};
    }
    return {};
}

NetNode* ObjectContainer::nodeAt(Point point) const {
    return static_cast<NetNode*>(hitTest(kNodeKinds, point).object);
}

NetNode* ObjectContainer::partnerAt(Point point, const NetNode& node, ArcEnd end) const {
    const KindMask otherFamily = node.isPlace() ? kTransitionKinds : kPlaceKinds;
    for (NetObject* object : objects(otherFamily, false, Direction::kBackward)) {
        if (object->hitTest(point) < 0)
            continue;
        auto* candidate = static_cast<NetNode*>(object);
        const bool joined = end == ArcEnd::kTail ? node.hasOutputArcTo(*candidate) : candidate->hasOutputArcTo(node);
        if (!joined)
            return candidate;
    }
    return nullptr;
}

std::size_t ObjectContainer::count(KindMask kinds) const {
    std::size_t n = 0;
    for (ObjectCursor matches = cursor({kinds, false, Direction::kForward}); matches.next();)
        ++n;
    return n;
}

NetObject* ObjectContainer::firstSelected(KindMask kinds) const {
    return ObjectCursor(*this, {kinds, true, Direction::kForward}).next();
}

Rect ObjectContainer::boundsOf(KindMask kinds, bool selectedOnly) const {
    Rect united;
    for (NetObject* object : objects(kinds, selectedOnly))
        united = united.united(object->bounds());
    return united;
}

void ObjectContainer::selectAll(bool selected) {
    for (auto& object : m_objects)
        object->setSelected(selected);
}

void ObjectContainer::selectKindOf(const NetObject& object) {
    selectAll(false);
    KindMask mask = maskOf(object.kind());
    if (object.isKindIn(kPlaceKinds))
        mask = kPlaceKinds & timingFamilyOf(object.kind());
    else if (object.isKindIn(kTransitionKinds))
        mask = kTransitionKinds & timingFamilyOf(object.kind());
    for (NetObject* match : objects(mask))
        match->setSelected(true);
}

void ObjectContainer::selectInRect(const Rect& rect) {
    for (auto& object : m_objects)
        object->setSelected(object->bounds().intersects(rect));
}

void ObjectContainer::offsetSelected(std::int32_t dx, std::int32_t dy) {
    for (NetObject* object : objects(kAllKinds, true))
        object->offset(dx, dy);
}

void ObjectContainer::beginTrackSelected() {
    for (NetObject* object : objects(kAllKinds, true))
        object->beginTrack();
}

void ObjectContainer::trackSelected(int handle, std::int32_t dx, std::int32_t dy) {
    for (NetObject* object : objects(kAllKinds, true))
        object->track(handle, dx, dy);
}

std::vector<NetObject*> ObjectContainer::sortedByIndex(KindMask kinds) const {
    std::vector<NetObject*> sorted;
    for (NetObject* object : objects(kinds))
        sorted.push_back(object);
    auto indexOf = [](const NetObject* object) {
        const auto* node = dynamic_cast<const NetNode*>(object);
        return node ? node->index() : 0;
    };
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const NetObject* a, const NetObject* b) { return indexOf(a) < indexOf(b); });
    return sorted;
}

void ObjectContainer::renumber(KindMask kinds) {
    std::int32_t counter = 1;
    for (KindMask family : {kDiscreteFamily, kContinuousFamily})
        for (NetObject* object : objects(kinds & family & kNodeKinds))
            static_cast<NetNode*>(object)->setIndex(counter++);
    for (NetObject* object : objects(kArcKinds))
        static_cast<Arc*>(object)->updateReferences();
}

void ObjectContainer::resolveArcs() {
    // The first node of each index, as findByIndex would return it, looked up once for all arcs.
    std::unordered_map<std::int32_t, NetNode*> places;
    std::unordered_map<std::int32_t, NetNode*> transitions;
    for (NetObject* object : objects(kNodeKinds)) {
        auto* node = static_cast<NetNode*>(object);
        (node->isPlace() ? places : transitions).emplace(node->index(), node);
    }
    auto nodeOf = [&](NetReference reference) -> NetNode* {
        const auto& nodes = reference > 0 ? places : transitions;
        const auto it = nodes.find(reference > 0 ? reference : -reference);
        return it == nodes.end() ? nullptr : it->second;
    };
    for (std::size_t i = 0; i < m_objects.size();) {
        auto* arc = dynamic_cast<Arc*>(m_objects[i].get());
        if (!arc) {
            ++i;
            continue;
        }
        if (arc->isLinked()) {
            arc->updateReferences();
            ++i;
            continue;
        }
        NetNode* from = nodeOf(arc->up());
        NetNode* to = nodeOf(arc->down());
        if (from && to && from->isPlace() != to->isPlace() && !from->hasOutputArcTo(*to)) {
            arc->link(*from, *to);
            ++i;
        } else {
            m_objects.erase(m_objects.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void ObjectContainer::mergeFrom(ObjectContainer& other) {
    other.resolveArcs();
    std::vector<std::unique_ptr<NetObject>> incoming = std::move(other.m_objects);
    other.m_objects.clear();
    for (auto& object : incoming) {
        if (auto* node = dynamic_cast<NetNode*>(object.get())) {
            const KindMask family = indexFamilyOf(node->kind());
            std::int32_t index = node->index();
            if (findByIndex(family, index))
                do
                    index = nextFreeIndex(family, index);
                while (!setIndex(family, *node, index));
        }
        m_objects.push_back(std::move(object));
    }
    resolveArcs();
}

void ObjectContainer::resetAll() {
    for (auto& object : m_objects)
        object->reset();
}

void ObjectContainer::recordHistories(double time) {
    for (auto& object : m_objects)
        object->recordHistory(time);
}

} // namespace tokarium
