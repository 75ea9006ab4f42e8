// The ordered, owning object list of a sheet and every query the editor, checks and bridge ask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "gui/model/arc.h"
#include "gui/model/net_object.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium {

enum class Direction { kForward, kBackward };

// Forward for drawing and saving, backward (top-most first) for hit tests.
struct ObjectFilter {
    KindMask kinds = kAllKinds;
    bool selectedOnly = false;
    Direction direction = Direction::kForward;
};

class ObjectContainer;

// Filtered cursor over a container; stays valid while the container is not changed.
class ObjectCursor {
public:
    ObjectCursor(const ObjectContainer& container, ObjectFilter filter);
    // The next matching object, or none at the end.
    NetObject* next();

private:
    const ObjectContainer& m_container;
    ObjectFilter m_filter;
    std::size_t m_position = 0; // objects still to visit (backward) or already visited (forward)
};

// Range over the matches of a filter, for range-for loops.
class ObjectRange {
public:
    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = NetObject*;
        using difference_type = std::ptrdiff_t;
        using pointer = NetObject**;
        using reference = NetObject*;

        Iterator() = default;
        explicit Iterator(ObjectCursor cursor) : m_cursor(std::move(cursor)) { m_current = m_cursor->next(); }
        NetObject* operator*() const { return m_current; }
        Iterator& operator++() {
            m_current = m_cursor->next();
            return *this;
        }
        bool operator==(const Iterator& other) const { return m_current == other.m_current; }

    private:
        std::optional<ObjectCursor> m_cursor;
        NetObject* m_current = nullptr;
    };

    ObjectRange(const ObjectContainer& container, ObjectFilter filter) : m_container(container), m_filter(filter) {}
    Iterator begin() const { return Iterator(ObjectCursor(m_container, m_filter)); }
    Iterator end() const { return Iterator(); }

private:
    const ObjectContainer& m_container;
    ObjectFilter m_filter;
};

// Result of a hit test: the object and the handle hit (kBodyHit for its body).
struct ObjectHit {
    NetObject* object = nullptr;
    int handle = kMiss;
    explicit operator bool() const { return object != nullptr; }
};

// Which end of an arc a node given to partnerAt is.
enum class ArcEnd { kTail, kHead };

class ObjectContainer {
public:
    ObjectContainer() = default;
    virtual ~ObjectContainer();
    ObjectContainer(const ObjectContainer&) = delete;
    ObjectContainer& operator=(const ObjectContainer&) = delete;

    std::size_t size() const { return m_objects.size(); }
    bool empty() const { return m_objects.empty(); }
    NetObject& at(std::size_t position) const { return *m_objects[position]; }

    ObjectRange objects(KindMask kinds = kAllKinds, bool selectedOnly = false,
                        Direction direction = Direction::kForward) const {
        return ObjectRange(*this, ObjectFilter{kinds, selectedOnly, direction});
    }
    ObjectCursor cursor(ObjectFilter filter) const { return ObjectCursor(*this, filter); }

    // Appends the object and returns it.
    NetObject& add(std::unique_ptr<NetObject> object);
    // Appends an object read from a file, unless it is a place or transition whose index a node of the
    // same family already has: that later node is discarded (the first one read wins). False when discarded.
    bool addUnlessIndexUsed(std::unique_ptr<NetObject> object);
    // Unlinks and destroys the object; a node takes every arc of its input and output lists with it.
    void remove(NetObject& object);
    // Removes every object of the kinds (only the selected ones when selectedOnly).
    void removeMatching(KindMask kinds, bool selectedOnly);
    void clear() { removeMatching(kAllKinds, false); }
    // Takes the object out of the container without destroying it (its arcs stay linked).
    std::unique_ptr<NetObject> take(NetObject& object);

    // First node of the kinds with that index, or none.
    NetNode* findByIndex(KindMask kinds, std::int32_t index) const;
    Place* findPlace(std::int32_t index) const;
    Transition* findTransition(std::int32_t index) const;
    // Gives the node the index unless another node of the family (kPlaceKinds or kTransitionKinds) holds it.
    [[nodiscard]] bool setIndex(KindMask family, NetNode& node, std::int32_t index);
    // Smallest index greater than `after` that no node of the family uses.
    std::int32_t nextFreeIndex(KindMask family, std::int32_t after) const;

    // Top-most object of the kinds under the point, with the handle hit.
    ObjectHit hitTest(KindMask kinds, Point point) const;
    NetNode* nodeAt(Point point) const;
    // Top-most node of the other family under the point that can be the other end of an arc whose `end`
    // is `node` (not already joined to it in that direction).
    NetNode* partnerAt(Point point, const NetNode& node, ArcEnd end) const;

    std::size_t count(KindMask kinds) const;
    NetObject* firstSelected(KindMask kinds) const;
    // Union of the bounds of the matching objects (empty when none).
    Rect boundsOf(KindMask kinds, bool selectedOnly) const;
    void selectAll(bool selected);
    // Selects every object of the object's kind (arcs: the same arc kind; nodes: the same family).
    void selectKindOf(const NetObject& object);
    // Selects exactly the objects whose bounds intersect the rectangle.
    void selectInRect(const Rect& rect);
    void offsetSelected(std::int32_t dx, std::int32_t dy);
    void beginTrackSelected();
    void trackSelected(int handle, std::int32_t dx, std::int32_t dy);

    // The matching objects in ascending index order (non-nodes count as index 0).
    std::vector<NetObject*> sortedByIndex(KindMask kinds) const;
    // Numbers the discrete members of the kinds 1, 2, ... in container order, then the continuous ones.
    void renumber(KindMask kinds);

    // Links every unlinked arc through its saved ends; drops arcs whose ends are missing, of the same
    // family, or that duplicate an arc in the same direction. Linked arcs get their saved ends updated.
    void resolveArcs();
    // Moves every object of the other container here (pasting). The other container's unlinked arcs are
    // first resolved among its own nodes, so that arcs stay with the pasted nodes; nodes whose index is
    // used here then get the next free one. The other container is left empty.
    void mergeFrom(ObjectContainer& other);

    void resetAll();
    void recordHistories(double time);

private:
    friend class ObjectCursor;
    void removeObjects(const std::vector<NetObject*>& removed);
    std::vector<std::unique_ptr<NetObject>> m_objects;
};

} // namespace tokarium
