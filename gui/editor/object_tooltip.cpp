// objectToolTip.
#include "gui/editor/object_tooltip.h"

#include <QObject>

#include "gui/editor/kind_names.h"
#include "gui/editor/painter_surface.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium {

namespace {

QString nodeTitle(const NetNode& node) {
    const QString automatic = fromModelText(node.defaultName());
    return node.name().empty() ? automatic : automatic + QLatin1Char(' ') + fromModelText(node.name());
}

} // namespace

QString objectToolTip(const NetObject& object) {
    const QString kind = insertKindName(object.kind());
    if (const auto* place = dynamic_cast<const Place*>(&object))
        return QObject::tr("%1\nPlace %2\nMarking: %3")
            .arg(nodeTitle(*place), kind, fromModelText(markingText(place->shownMarking())));
    if (const auto* transition = dynamic_cast<const Transition*>(&object))
        return QObject::tr("%1\nTransition %2\n%3 %4\nInstantaneous speed: %5")
            .arg(nodeTitle(*transition), kind,
                 transition->isContinuous() ? QObject::tr("Speed value:") : QObject::tr("Duration value:"),
                 fromModelText(transitionValueText(transition->ft())),
                 fromModelText(transitionValueText(transition->shownValue())));
    return {};
}

} // namespace tokarium
