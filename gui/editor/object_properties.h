// The one entry point through which the editor opens the property dialog of an object.
#pragma once

#include "gui/model/net_object.h"
#include "gui/model/net_sheet.h"

class QWidget;

namespace tokarium {

class ObjectPropertiesEditor {
public:
    virtual ~ObjectPropertiesEditor() = default;
    // Opens the dialog of the object's kind (place, transition, arc, graph or legend) on the object
    // itself, modal over parent; edits are applied only on OK. True when the dialog closed with OK.
    virtual bool edit(QWidget* parent, NetSheet& sheet, NetObject& object) = 0;
};

} // namespace tokarium
