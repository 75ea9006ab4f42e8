// Editor state shared by every window of the program: object clipboard, toolbar kinds, dialogs.
#pragma once

#include <cstdint>
#include <string>

#include "gui/model/net_object.h"
#include "gui/model/object_kind.h"

namespace tokarium {

class ObjectPropertiesEditor;

// The private object clipboard: an "objects" element (with its declaration) of the last Copy or Cut,
// and how many times it has been pasted plus one.
struct ObjectClipboard {
    std::string text;
    std::int32_t pasteCounter = 0;
    bool isEmpty() const { return text.empty(); }
};

// Entry `entry` of a toolbar kind list whose first entry is `first`: that kind shifted left by the entry.
constexpr ObjectKind toolbarKind(ObjectKind first, int entry) {
    return static_cast<ObjectKind>(maskOf(first) << entry);
}

// Owned by the main window (tests make their own) and given to every SheetView; it outlives them.
struct EditorSession {
    ObjectClipboard clipboard;
    // Kinds picked in the toolbar's three lists ("Ordinary"/"Generalized", "Discrete"/"Continuous",
    // "Constant Duration"/"Constant Maximal Speed"); the toolbar buttons arm these kinds.
    ObjectKind arcKind = ObjectKind::kOrdinaryArc;
    ObjectKind placeKind = ObjectKind::kDiscretePlace;
    ObjectKind transitionKind = ObjectKind::kDiscreteTransition;
    // Property dialogs; none: Properties, double-click on an object and legend insertion do nothing.
    ObjectPropertiesEditor* propertiesEditor = nullptr;
    // Draws the content of graphs; none: graphs show their frame only.
    const GraphRenderer* graphRenderer = nullptr;
};

} // namespace tokarium
