// Editing state of one window on a sheet: mouse modes, commands, clipboard, formats and undo history.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "gui/editor/edit_history.h"
#include "gui/editor/editor_session.h"
#include "gui/model/net_document.h"
#include "gui/model/net_sheet.h"

class QWidget;

namespace tokarium {

enum class EditorMode {
    kIdle,
    kArcArmed,
    kArcDrawing,
    kPlaceInsert,
    kTransitionInsert,
    kGraphInsert,
    kLegendInsert,
    kRubberBand,
    kTracking, // moving or resizing the selection
};

struct KeyModifiers {
    bool ctrl = false;
    bool shift = false;
};

// What the pointer would do in the idle mode, for the cursor.
enum class IdleHover { kNothing, kArcFromNode, kAddRoutePoint, kHandle };

// Plain C++ so that every rule can be exercised without a window; SheetView turns events into these calls.
// Points are in the sheet's logical units.
class SheetEditor {
public:
    SheetEditor(NetDocument& document, NetSheet& sheet, EditorSession& session);

    NetDocument& document() const { return m_document; }
    NetSheet& sheet() const { return m_sheet; }
    EditorSession& session() const { return m_session; }

    // Parent of the property dialogs opened through the session's ObjectPropertiesEditor.
    void setDialogParent(QWidget* parent) { m_dialogParent = parent; }
    // Called after every change that marks the document modified.
    void setModifiedCallback(std::function<void()> callback) { m_onModified = std::move(callback); }

    EditorMode mode() const { return m_mode; }
    ObjectKind insertKind() const { return m_insertKind; }
    Point startPoint() const { return m_startPoint; }
    Point currentPoint() const { return m_currentPoint; }
    // Tail of the arc being drawn (mode kArcDrawing), or none.
    NetNode* arcTail() const { return m_arcTail; }
    // The node the arc being drawn would end at, or none.
    NetNode* arcHead() const { return m_arcHead; }
    // End of the arc feedback line: the valid head's centre, or the pointer.
    Point arcFeedbackEnd() const;
    // Rectangle of the rubber band (mode kRubberBand).
    Rect rubberBand() const { return Rect::fromCorners(m_startPoint, m_currentPoint); }
    // The template being placed in an insertion mode (its outline is the ghost), or none.
    const NetObject* ghost() const;
    // The object under the pointer at the last right press, while it is still in the sheet; or none.
    NetObject* contextObject() const;
    int grabbedHandle() const { return m_handle; }

    // Mouse. leftDown may re-enter itself once (Ctrl+click on a node arms an arc and starts it there).
    void leftDown(Point point, KeyModifiers modifiers);
    void mouseMove(Point point);
    void leftUp(Point point);
    // True when it cancelled a mouse operation in progress (then no context menu is shown).
    bool rightDown(Point point, KeyModifiers modifiers);
    // Double-click: true when it opened object properties, false when the net's properties are due.
    bool doubleClick();
    // Mode back to idle, rubber band and ghost removed. True when a mode was active.
    bool cancelMouseOperation();
    IdleHover idleHover(Point point, KeyModifiers modifiers) const;
    // Handle of a selected object under the point, for the resize cursors.
    std::optional<std::pair<const NetObject*, int>> selectedHandleAt(Point point) const;

    // Commands of the Edit, Insert, View and Format menus and of the context menus.
    void undo();
    void redo();
    // True when something was selected and copied.
    [[nodiscard]] bool copy();
    void cut();
    void paste();
    void deleteSelection();
    void selectAll();
    void extendSelection();
    void beginInsert(ObjectKind kind);
    void toggleGrid();
    void toggleAlignGrid();
    void rotate();
    void setZoom(std::int32_t zoom);
    void renumber();
    void copyFormat();
    void pasteFormat();
    // Format / Properties: the first selected object by kind order (places, transitions, arcs, graphs, legends).
    void properties();
    // "Properties..." of the object context menu.
    void contextProperties();
    // "Change Kind" of the object context menu: the object under the pointer becomes one of the other
    // kind of its pair, keeping its connections (recorded for Undo).
    void changeContextKind();

    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    bool hasSelection() const;
    bool canPaste() const { return !m_session.clipboard.isEmpty(); }
    bool canRotate() const;
    const EditHistory& history() const { return m_history; }

    // Snaps a point to the grid when align is on.
    Point snap(Point point) const;

private:
    // Records a snapshot of the objects (when record is set), then resets every sheet's simulation and
    // marks the document modified.
    void saveUndo(bool record, const char* label);
    // A saved setting changed (grid, templates): the document is modified, nothing is undone or reset.
    void markModified();
    void restoreSnapshot(const std::string& text);
    void openProperties(NetObject& object);
    ObjectHit hitAnything(Point point) const;
    void selectOnly(NetObject& object);
    void finishArc(NetNode* tail, Point point);
    void insertFromTemplate();
    void insertLegend();
    void removeSelection(const char* label);

    NetDocument& m_document;
    NetSheet& m_sheet;
    EditorSession& m_session;
    QWidget* m_dialogParent = nullptr;
    std::function<void()> m_onModified;

    EditorMode m_mode = EditorMode::kIdle;
    ObjectKind m_insertKind = ObjectKind::kOrdinaryArc;
    Point m_startPoint;
    Point m_currentPoint;
    int m_handle = kMiss;
    NetNode* m_arcTail = nullptr;
    NetNode* m_arcHead = nullptr;
    NetObject* m_contextObject = nullptr;
    bool m_ghostShown = false; // the template has followed the pointer since the mode was armed
    EditHistory m_history;
};

} // namespace tokarium
