// otherKindOf and changeKind.
#include "gui/model/kind_change.h"

#include <vector>

#include "gui/model/arc.h"
#include "gui/model/net_node.h"
#include "gui/model/object_factory.h"

namespace tokarium {

std::optional<ObjectKind> otherKindOf(ObjectKind kind) {
    for (const KindMask pair : {kArcKinds, kPlaceKinds, kTransitionKinds})
        if (isKindIn(kind, pair))
            return static_cast<ObjectKind>(pair & ~maskOf(kind));
    return std::nullopt;
}

NetObject& changeKind(ObjectContainer& container, NetObject& object, ObjectKind kind) {
    NetObject& changed = container.add(copyObjectAs(object, kind));
    changed.setSelected(object.isSelected());
    if (auto* arc = dynamic_cast<Arc*>(&object)) {
        if (arc->isLinked())
            static_cast<Arc&>(changed).link(*arc->from(), *arc->to());
    } else if (auto* node = dynamic_cast<NetNode*>(&object)) {
        auto& replacement = static_cast<NetNode&>(changed);
        // Copies of the lists: linking takes each arc out of the old node's lists.
        const std::vector<Arc*> inputs = node->inputArcs();
        const std::vector<Arc*> outputs = node->outputArcs();
        for (Arc* input : inputs)
            input->link(*input->from(), replacement);
        for (Arc* output : outputs)
            output->link(replacement, *output->to());
    }
    container.remove(object);
    return changed;
}

} // namespace tokarium
