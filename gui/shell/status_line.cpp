// StatusLine and the texts it shows.
#include "gui/shell/status_line.h"

#include <QLabel>
#include <QStatusBar>

#include "gui/editor/kind_names.h"
#include "gui/editor/page_geometry.h"
#include "gui/editor/sheet_view.h"

namespace tokarium {

namespace {

QLabel* addField(QStatusBar& bar, const char* name, int stretch) {
    auto* label = new QLabel(&bar);
    label->setObjectName(QString::fromLatin1(name));
    bar.addPermanentWidget(label, stretch);
    return label;
}

} // namespace

StatusLine::StatusLine(QStatusBar& bar)
    : m_tool(addField(bar, "statusTool", 2)), m_position(addField(bar, "statusPosition", 1)),
      m_zoom(addField(bar, "statusZoom", 0)), m_netKind(addField(bar, "statusNetKind", 1)),
      m_clock(addField(bar, "statusClock", 2)) {}

void StatusLine::showView(const SheetView* view) {
    m_tool->setText(view ? toolText(*view) : QString());
    m_zoom->setText(view ? QString::number(shownZoom(view->sheet())) + QLatin1Char('%') : QString());
    m_netKind->setText(view ? netKindText(*view) : QString());
    m_clock->setText(view ? clockText(*view) : QString());
    if (!view)
        m_position->clear();
}

void StatusLine::showPointer(QPoint logical) {
    m_position->setText(QObject::tr("x %1, y %2").arg(logical.x()).arg(logical.y()));
}

QString StatusLine::tool() const { return m_tool->text(); }
QString StatusLine::position() const { return m_position->text(); }
QString StatusLine::zoom() const { return m_zoom->text(); }
QString StatusLine::netKind() const { return m_netKind->text(); }
QString StatusLine::clock() const { return m_clock->text(); }

QString toolText(const SheetView& view) {
    switch (view.mode()) {
    case EditorMode::kArcArmed:
    case EditorMode::kArcDrawing: return QObject::tr("Arc: %1").arg(insertKindName(view.insertKind()));
    case EditorMode::kPlaceInsert: return QObject::tr("Place: %1").arg(insertKindName(view.insertKind()));
    case EditorMode::kTransitionInsert: return QObject::tr("Transition: %1").arg(insertKindName(view.insertKind()));
    case EditorMode::kGraphInsert: return insertKindName(ObjectKind::kGraph);
    case EditorMode::kLegendInsert: return insertKindName(ObjectKind::kLegend);
    case EditorMode::kIdle:
    case EditorMode::kRubberBand:
    case EditorMode::kTracking: break;
    }
    return QObject::tr("Select");
}

QString netKindText(const SheetView& view) {
    bool discrete = false;
    bool continuous = false;
    for (const NetObject* node : view.sheet().objects(kNodeKinds)) {
        discrete = discrete || isKindIn(node->kind(), kDiscreteFamily);
        continuous = continuous || isKindIn(node->kind(), kContinuousFamily);
    }
    if (discrete && continuous)
        return QObject::tr("Hybrid net");
    return discrete ? QObject::tr("Discrete net") : QObject::tr("Continuous net");
}

QString clockText(const SheetView& view) {
    const NetSheet& sheet = view.sheet();
    const SimulationRun& run = sheet.simulationRun();
    if (!sheet.isInitialised() && run.stepsShown == 0)
        return {};
    return QObject::tr("t = %1 / %2   step %3")
        .arg(run.clock, 0, 'g', 6)
        .arg(sheet.duration(), 0, 'g', 6)
        .arg(run.stepsShown);
}

} // namespace tokarium
