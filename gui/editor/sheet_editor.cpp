// The mouse state machine of one window on a sheet, and its undo snapshots.
#include "gui/editor/sheet_editor.h"

#include "gui/editor/editor_constants.h"
#include "gui/editor/object_properties.h"
#include "gui/editor/object_snapshot.h"
#include "gui/editor/page_geometry.h"
#include "gui/model/legend.h"
#include "gui/model/object_factory.h"

namespace tokarium {

namespace {

constexpr KindMask kAllButArcs = kAllKinds & ~kArcKinds;

EditorMode insertionModeOf(ObjectKind kind) {
    if (isKindIn(kind, kArcKinds))
        return EditorMode::kArcArmed;
    if (isKindIn(kind, kPlaceKinds))
        return EditorMode::kPlaceInsert;
    if (isKindIn(kind, kTransitionKinds))
        return EditorMode::kTransitionInsert;
    return kind == ObjectKind::kGraph ? EditorMode::kGraphInsert : EditorMode::kLegendInsert;
}

bool isInsertionMode(EditorMode mode) {
    return mode == EditorMode::kPlaceInsert || mode == EditorMode::kTransitionInsert || mode == EditorMode::kGraphInsert
        || mode == EditorMode::kLegendInsert;
}

} // namespace

SheetEditor::SheetEditor(NetDocument& document, NetSheet& sheet, EditorSession& session)
    : m_document(document), m_sheet(sheet), m_session(session), m_history(kUndoLimit) {}

Point SheetEditor::snap(Point point) const {
    return snapToGrid(m_sheet, point);
}

Point SheetEditor::arcFeedbackEnd() const {
    return m_arcHead ? m_arcHead->rect().centre() : m_currentPoint;
}

const NetObject* SheetEditor::ghost() const {
    return isInsertionMode(m_mode) && m_ghostShown ? &m_sheet.templates().of(m_insertKind) : nullptr;
}

NetObject* SheetEditor::contextObject() const {
    for (NetObject* object : m_sheet.objects())
        if (object == m_contextObject)
            return object;
    return nullptr;
}

ObjectHit SheetEditor::hitAnything(Point point) const {
    ObjectHit hit = m_sheet.hitTest(kAllButArcs, point);
    return hit ? hit : m_sheet.hitTest(kArcKinds, point);
}

void SheetEditor::selectOnly(NetObject& object) {
    m_sheet.selectAll(false);
    object.setSelected(true);
}

void SheetEditor::leftDown(Point point, KeyModifiers modifiers) {
    m_currentPoint = point;
    switch (m_mode) {
    case EditorMode::kIdle:
        break;
    case EditorMode::kArcArmed: {
        m_arcTail = m_sheet.nodeAt(point);
        m_arcHead = nullptr;
        m_startPoint = m_arcTail ? m_arcTail->rect().centre() : point;
        m_currentPoint = m_startPoint;
        m_mode = EditorMode::kArcDrawing;
        return;
    }
    default:
        if (isInsertionMode(m_mode))
            mouseMove(point);
        return;
    }

    const ObjectHit hit = hitAnything(point);
    if (modifiers.ctrl && hit && hit.object->isKindIn(kNodeKinds)) {
        m_mode = EditorMode::kArcArmed;
        m_insertKind = ObjectKind::kOrdinaryArc;
        leftDown(point, {});
        return;
    }
    if (modifiers.ctrl && hit && hit.object->isKindIn(kArcKinds)) {
        saveUndo(true, "Route Point");
        selectOnly(*hit.object);
        auto& arc = static_cast<Arc&>(*hit.object);
        // The snapped point may fall off the arc; the clicked point is on it.
        if (hit.handle == kBodyHit) {
            if (!arc.addRoutePoint(snap(point)))
                (void)arc.addRoutePoint(point);
        } else {
            (void)arc.removeRoutePoint(hit.handle);
        }
        return;
    }
    if (modifiers.shift) {
        if (hit) {
            hit.object->setSelected(!hit.object->isSelected());
        } else {
            m_mode = EditorMode::kRubberBand;
            m_startPoint = point;
        }
        return;
    }
    if (!hit || !hit.object->isSelected() || hit.handle != kBodyHit)
        m_sheet.selectAll(false);
    if (!hit) {
        m_mode = EditorMode::kRubberBand;
        m_startPoint = point;
        return;
    }
    saveUndo(true, "Move");
    hit.object->setSelected(true);
    m_mode = EditorMode::kTracking;
    m_handle = hit.handle;
    m_startPoint = snap(point);
    m_sheet.beginTrackSelected();
}

void SheetEditor::mouseMove(Point point) {
    m_currentPoint = point;
    switch (m_mode) {
    case EditorMode::kArcDrawing:
        m_arcHead = m_arcTail ? m_sheet.partnerAt(point, *m_arcTail, ArcEnd::kTail) : nullptr;
        break;
    case EditorMode::kPlaceInsert:
    case EditorMode::kTransitionInsert:
    case EditorMode::kGraphInsert:
    case EditorMode::kLegendInsert:
        m_sheet.templates().of(m_insertKind).centreOn(snap(point));
        m_ghostShown = true;
        break;
    case EditorMode::kTracking: {
        const Point to = snap(point);
        m_sheet.trackSelected(m_handle, to.x - m_startPoint.x, to.y - m_startPoint.y);
        break;
    }
    default:
        break;
    }
}

void SheetEditor::leftUp(Point point) {
    if (m_mode != EditorMode::kIdle && m_mode != EditorMode::kArcArmed)
        mouseMove(point);
    const EditorMode mode = m_mode;
    NetNode* tail = m_arcTail;
    // Back to idle first: a dialog opened below must find no operation in progress.
    m_mode = EditorMode::kIdle;
    m_arcTail = nullptr;
    m_arcHead = nullptr;
    m_handle = kMiss;
    m_ghostShown = false;
    switch (mode) {
    case EditorMode::kArcDrawing:
        finishArc(tail, point);
        break;
    case EditorMode::kPlaceInsert:
    case EditorMode::kTransitionInsert:
    case EditorMode::kGraphInsert:
        insertFromTemplate();
        break;
    case EditorMode::kLegendInsert:
        insertLegend();
        break;
    case EditorMode::kRubberBand: {
        const Rect band = Rect::fromCorners(m_startPoint, point);
        if (band.width() >= kMinimumRubberBand || band.height() >= kMinimumRubberBand)
            m_sheet.selectInRect(band);
        break;
    }
    default:
        break;
    }
}

void SheetEditor::finishArc(NetNode* tail, Point point) {
    if (!tail)
        return;
    NetNode* head = m_sheet.partnerAt(point, *tail, ArcEnd::kTail);
    if (!head)
        return;
    saveUndo(true, "Insert Arc");
    std::unique_ptr<NetObject> object = copyObject(m_sheet.templates().of(m_insertKind));
    auto& arc = static_cast<Arc&>(*object);
    arc.setRoute({});
    arc.link(*tail, *head);
    m_sheet.selectAll(false);
    arc.setSelected(true);
    m_sheet.add(std::move(object));
}

void SheetEditor::insertFromTemplate() {
    saveUndo(true, "Insert");
    std::unique_ptr<NetObject> object = copyObject(m_sheet.templates().of(m_insertKind));
    if (auto* node = dynamic_cast<NetNode*>(object.get()))
        node->setIndex(m_sheet.nextFreeIndex(indexFamilyOf(node->kind()), 0));
    object->reset();
    m_sheet.selectAll(false);
    object->setSelected(true);
    m_sheet.add(std::move(object));
}

void SheetEditor::insertLegend() {
    Legend& legend = m_sheet.templates().legend();
    ObjectPropertiesEditor* dialogs = m_session.propertiesEditor;
    if (!dialogs || !dialogs->edit(m_dialogParent, m_sheet, legend) || legend.text().empty())
        return;
    saveUndo(true, "Insert Legend");
    std::unique_ptr<NetObject> object = copyObject(legend);
    m_sheet.selectAll(false);
    object->setSelected(true);
    m_sheet.add(std::move(object));
}

void SheetEditor::beginInsert(ObjectKind kind) {
    cancelMouseOperation();
    m_insertKind = kind;
    m_mode = insertionModeOf(kind);
}

bool SheetEditor::rightDown(Point point, KeyModifiers modifiers) {
    m_contextObject = nullptr;
    if (cancelMouseOperation())
        return true;
    const ObjectHit hit = hitAnything(point);
    m_contextObject = hit.object;
    if (hit) {
        if (!hit.object->isSelected() && !modifiers.shift)
            m_sheet.selectAll(false);
        hit.object->setSelected(true);
    } else if (!modifiers.shift) {
        m_sheet.selectAll(false);
    }
    return false;
}

bool SheetEditor::doubleClick() {
    cancelMouseOperation();
    if (!hasSelection())
        return false;
    properties();
    return true;
}

bool SheetEditor::cancelMouseOperation() {
    const bool active = m_mode != EditorMode::kIdle;
    m_mode = EditorMode::kIdle;
    m_arcTail = nullptr;
    m_arcHead = nullptr;
    m_handle = kMiss;
    m_ghostShown = false;
    return active;
}

IdleHover SheetEditor::idleHover(Point point, KeyModifiers modifiers) const {
    if (modifiers.ctrl) {
        const ObjectHit hit = hitAnything(point);
        if (hit && hit.object->isKindIn(kNodeKinds))
            return IdleHover::kArcFromNode;
        if (hit && hit.object->isKindIn(kArcKinds))
            return IdleHover::kAddRoutePoint;
    }
    return selectedHandleAt(point) ? IdleHover::kHandle : IdleHover::kNothing;
}

std::optional<std::pair<const NetObject*, int>> SheetEditor::selectedHandleAt(Point point) const {
    const ObjectHit hit = hitAnything(point);
    if (hit && hit.object->isSelected() && hit.handle >= 1)
        return std::make_pair(static_cast<const NetObject*>(hit.object), hit.handle);
    return std::nullopt;
}

void SheetEditor::saveUndo(bool record, const char* label) {
    if (record)
        m_history.record({label, writeObjectsText(m_sheet, false)});
    m_document.resetAllAndMarkModified();
    if (m_onModified)
        m_onModified();
}

void SheetEditor::markModified() {
    m_document.setModified(true);
    if (m_onModified)
        m_onModified();
}

void SheetEditor::restoreSnapshot(const std::string& text) {
    ObjectContainer restored;
    if (!readObjectsText(text, restored))
        return;
    m_contextObject = nullptr;
    m_sheet.clear();
    m_sheet.mergeFrom(restored);
}

} // namespace tokarium
