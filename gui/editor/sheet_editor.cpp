// The mouse state machine and the commands of one window on a sheet.
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

// Kind order in which Format / Properties looks for the first selected object.
constexpr KindMask kPropertiesLookupOrder[] = {kPlaceKinds, kTransitionKinds, kArcKinds, maskOf(ObjectKind::kGraph),
                                               maskOf(ObjectKind::kLegend)};

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

void SheetEditor::restoreSnapshot(const std::string& text) {
    ObjectContainer restored;
    if (!readObjectsText(text, restored))
        return;
    m_contextObject = nullptr;
    m_sheet.clear();
    m_sheet.mergeFrom(restored);
}

void SheetEditor::undo() {
    cancelMouseOperation();
    if (!canUndo())
        return;
    saveUndo(false, "");
    std::optional<HistoryEntry> entry = m_history.undo(writeObjectsText(m_sheet, false));
    restoreSnapshot(entry->snapshot);
}

void SheetEditor::redo() {
    cancelMouseOperation();
    if (!canRedo())
        return;
    saveUndo(false, "");
    std::optional<HistoryEntry> entry = m_history.redo(writeObjectsText(m_sheet, false));
    restoreSnapshot(entry->snapshot);
}

bool SheetEditor::hasSelection() const {
    return m_sheet.firstSelected(kAllKinds) != nullptr;
}

bool SheetEditor::canRotate() const {
    return m_sheet.firstSelected(kTransitionKinds) != nullptr;
}

bool SheetEditor::copy() {
    cancelMouseOperation();
    if (!hasSelection())
        return false;
    m_session.clipboard.text = writeObjectsText(m_sheet, true);
    m_session.clipboard.pasteCounter = 1;
    return true;
}

void SheetEditor::cut() {
    if (copy())
        removeSelection("Cut");
}

void SheetEditor::deleteSelection() {
    cancelMouseOperation();
    if (hasSelection())
        removeSelection("Delete");
}

void SheetEditor::removeSelection(const char* label) {
    saveUndo(true, label);
    m_contextObject = nullptr;
    m_sheet.removeMatching(kAllKinds, true);
}

void SheetEditor::paste() {
    cancelMouseOperation();
    if (!canPaste())
        return;
    ObjectContainer pasted;
    if (!readObjectsText(m_session.clipboard.text, pasted))
        return;
    saveUndo(true, "Paste");
    m_sheet.selectAll(false);
    pasted.selectAll(true);
    const std::int32_t shift = m_sheet.grid().step * m_session.clipboard.pasteCounter;
    pasted.offsetSelected(shift, shift);
    m_sheet.mergeFrom(pasted);
    ++m_session.clipboard.pasteCounter;
}

void SheetEditor::selectAll() {
    cancelMouseOperation();
    m_sheet.selectAll(true);
}

void SheetEditor::extendSelection() {
    cancelMouseOperation();
    if (NetObject* object = contextObject())
        m_sheet.selectKindOf(*object);
}

void SheetEditor::beginInsert(ObjectKind kind) {
    cancelMouseOperation();
    m_insertKind = kind;
    m_mode = insertionModeOf(kind);
}

void SheetEditor::toggleGrid() {
    cancelMouseOperation();
    m_sheet.grid().shown = !m_sheet.grid().shown;
}

void SheetEditor::toggleAlignGrid() {
    cancelMouseOperation();
    m_sheet.grid().align = !m_sheet.grid().align;
}

void SheetEditor::rotate() {
    cancelMouseOperation();
    if (!canRotate())
        return;
    saveUndo(true, "Rotate");
    for (NetObject* object : m_sheet.objects(kTransitionKinds, true))
        static_cast<Transition*>(object)->rotate();
}

void SheetEditor::setZoom(std::int32_t zoom) {
    cancelMouseOperation();
    if (zoom > 0)
        m_sheet.setZoom(zoom);
}

void SheetEditor::renumber() {
    cancelMouseOperation();
    saveUndo(true, "Renumber");
    m_sheet.renumber(kPlaceKinds);
    m_sheet.renumber(kTransitionKinds);
}

void SheetEditor::copyFormat() {
    cancelMouseOperation();
    if (!hasSelection())
        return;
    // Later objects of a kind overwrite earlier ones: the last in container order wins.
    for (NetObject* object : m_sheet.objects(kAllKinds, true)) {
        NetObject& target = m_sheet.templates().of(object->kind());
        target.copyFormat(*object);
        if (auto* arc = dynamic_cast<Arc*>(object)) {
            static_cast<Arc&>(target).setWeight(arc->weight());
        } else if (auto* place = dynamic_cast<Place*>(object)) {
            auto& templatePlace = static_cast<Place&>(target);
            templatePlace.setRect(place->rect());
            templatePlace.setInitialMarking(place->initialMarking());
            templatePlace.reset();
        } else if (auto* transition = dynamic_cast<Transition*>(object)) {
            auto& templateTransition = static_cast<Transition&>(target);
            templateTransition.setRect(transition->rect());
            templateTransition.setFt(transition->ft());
            templateTransition.reset();
        }
    }
    // The templates are saved with the sheet.
    m_document.setModified(true);
    if (m_onModified)
        m_onModified();
}

void SheetEditor::pasteFormat() {
    cancelMouseOperation();
    if (!hasSelection())
        return;
    saveUndo(true, "Paste Format");
    for (NetObject* object : m_sheet.objects(kAllKinds, true))
        object->copyFormat(m_sheet.templates().of(object->kind()));
}

void SheetEditor::properties() {
    cancelMouseOperation();
    for (KindMask kinds : kPropertiesLookupOrder) {
        if (NetObject* object = m_sheet.firstSelected(kinds)) {
            openProperties(*object);
            return;
        }
    }
}

void SheetEditor::contextProperties() {
    cancelMouseOperation();
    if (NetObject* object = contextObject())
        openProperties(*object);
}

void SheetEditor::openProperties(NetObject& object) {
    ObjectPropertiesEditor* dialogs = m_session.propertiesEditor;
    if (!dialogs)
        return;
    saveUndo(true, "Properties");
    selectOnly(object);
    const bool confirmed = dialogs->edit(m_dialogParent, m_sheet, object);
    if (confirmed && object.kind() == ObjectKind::kLegend && static_cast<Legend&>(object).text().empty()) {
        if (m_contextObject == &object)
            m_contextObject = nullptr;
        m_sheet.remove(object);
    }
}

} // namespace tokarium
