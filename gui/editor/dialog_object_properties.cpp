// The property dialogs behind the editor's one entry point.
#include "gui/editor/dialog_object_properties.h"

#include "gui/editor/arc_dialog.h"
#include "gui/editor/graph_dialog.h"
#include "gui/editor/legend_dialog.h"
#include "gui/editor/place_dialog.h"
#include "gui/editor/sheet_view.h"
#include "gui/editor/transition_dialog.h"

namespace tokarium {

PropertyDialogs::PropertyDialogs(DialogMessenger messenger) : m_messenger(std::move(messenger)) {}

bool PropertyDialogs::edit(QWidget* parent, NetSheet& sheet, NetObject& object) {
    switch (object.kind()) {
    case ObjectKind::kDiscretePlace:
    case ObjectKind::kContinuousPlace: {
        PlaceDialog dialog(parent, sheet, static_cast<Place&>(object), m_messenger);
        return dialog.exec() == QDialog::Accepted;
    }
    case ObjectKind::kDiscreteTransition:
    case ObjectKind::kContinuousTransition: {
        TransitionDialog dialog(parent, sheet, static_cast<Transition&>(object), m_messenger);
        return dialog.exec() == QDialog::Accepted;
    }
    case ObjectKind::kOrdinaryArc:
    case ObjectKind::kGeneralizedArc: {
        ArcDialog dialog(parent, static_cast<Arc&>(object), m_messenger);
        return dialog.exec() == QDialog::Accepted;
    }
    case ObjectKind::kGraph: {
        GraphDialog dialog(parent, documentOfView(parent), sheet, static_cast<Graph&>(object));
        return dialog.exec() == QDialog::Accepted;
    }
    case ObjectKind::kLegend: {
        LegendDialog dialog(parent, static_cast<Legend&>(object));
        return dialog.exec() == QDialog::Accepted;
    }
    }
    return false;
}

const NetDocument* documentOfView(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (const auto* view = qobject_cast<const SheetView*>(widget))
            return &view->document();
    }
    return nullptr;
}

} // namespace tokarium
