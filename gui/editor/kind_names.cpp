// insertKindName.
#include "gui/editor/kind_names.h"

#include <QObject>

namespace tokarium {

QString insertKindName(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::kOrdinaryArc: return QObject::tr("Ordinary");
    case ObjectKind::kGeneralizedArc: return QObject::tr("Generalized");
    case ObjectKind::kDiscretePlace: return QObject::tr("Discrete");
    case ObjectKind::kContinuousPlace: return QObject::tr("Continuous");
    case ObjectKind::kDiscreteTransition: return QObject::tr("Constant Duration");
    case ObjectKind::kContinuousTransition: return QObject::tr("Constant Maximal Speed");
    case ObjectKind::kGraph: return QObject::tr("Graphs");
    case ObjectKind::kLegend: return QObject::tr("Legend");
    }
    return {};
}

} // namespace tokarium
