// The property dialogs behind the editor's one entry point: place, transition, arc, graph and legend.
#pragma once

#include "gui/editor/dialog_fields.h"
#include "gui/editor/object_properties.h"

namespace tokarium {

class NetDocument;

// Opens the dialog of the object's kind modally. The graph dialog lists the sheets of the document of
// the SheetView it is opened over (only the graph's own sheet when the parent is no view).
class PropertyDialogs : public ObjectPropertiesEditor {
public:
    explicit PropertyDialogs(DialogMessenger messenger = messageBoxMessenger());
    bool edit(QWidget* parent, NetSheet& sheet, NetObject& object) override;

private:
    DialogMessenger m_messenger;
};

// The document shown by the SheetView that is the widget or one of its ancestors, or none.
const NetDocument* documentOfView(const QWidget* widget);

} // namespace tokarium
