// The commands of one window on a sheet: clipboard, undo and redo, formats, view settings, properties.
#include "gui/editor/sheet_editor.h"

#include "gui/editor/object_properties.h"
#include "gui/editor/object_snapshot.h"
#include "gui/model/graph.h"
#include "gui/model/kind_change.h"
#include "gui/model/legend.h"

namespace tokarium {

namespace {

// Kind order in which Format / Properties looks for the first selected object.
constexpr KindMask kPropertiesLookupOrder[] = {kPlaceKinds, kTransitionKinds, kArcKinds, maskOf(ObjectKind::kGraph),
                                               maskOf(ObjectKind::kLegend)};

// Curves copied from another document name a sheet this document does not have; like the curves of
// a new graph they then plot the places of the sheet they are pasted into.
void bindPastedCurves(ObjectContainer& pasted, const NetDocument& document, const NetSheet& sheet) {
    for (NetObject* object : pasted.objects(maskOf(ObjectKind::kGraph)))
        for (GraphCurve& curve : static_cast<Graph*>(object)->curves())
            if (document.findSheetById(curve.sheetId) == nullptr)
                curve.sheetId = sheet.id();
}

} // namespace

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
    bindPastedCurves(pasted, m_document, m_sheet);
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

void SheetEditor::toggleGrid() {
    cancelMouseOperation();
    m_sheet.grid().shown = !m_sheet.grid().shown;
    markModified();
}

void SheetEditor::toggleAlignGrid() {
    cancelMouseOperation();
    m_sheet.grid().align = !m_sheet.grid().align;
    markModified();
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
    markModified();
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

void SheetEditor::changeContextKind() {
    cancelMouseOperation();
    NetObject* object = contextObject();
    const std::optional<ObjectKind> other = object ? otherKindOf(object->kind()) : std::nullopt;
    if (!other)
        return;
    saveUndo(true, "Change Kind");
    selectOnly(changeKind(m_sheet, *object, *other));
}

void SheetEditor::openProperties(NetObject& object) {
    ObjectPropertiesEditor* dialogs = m_session.propertiesEditor;
    if (!dialogs)
        return;
    // The undo snapshot is taken before the dialog and kept only when the dialog is confirmed: a
    // cancelled dialog leaves the document unmodified.
    std::string before = writeObjectsText(m_sheet, false);
    selectOnly(object);
    if (!dialogs->edit(m_dialogParent, m_sheet, object))
        return;
    m_history.record({"Properties", std::move(before)});
    saveUndo(false, "Properties");
    if (object.kind() == ObjectKind::kLegend && static_cast<Legend&>(object).text().empty()) {
        if (m_contextObject == &object)
            m_contextObject = nullptr;
        m_sheet.remove(object);
    }
}

} // namespace tokarium
