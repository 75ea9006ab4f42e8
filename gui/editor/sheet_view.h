// The window content showing one sheet of a document: page, grid, objects, mouse editing and commands.
#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <memory>
#include <optional>
#include <vector>

#include "gui/editor/editor_cursors.h"
#include "gui/editor/editor_session.h"
#include "gui/editor/sheet_editor.h"
#include "gui/model/net_document.h"
#include "gui/model/net_sheet.h"

class QMenu;

namespace tokarium {

class SheetView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The document, the sheet and the session outlive the view.
    SheetView(NetDocument& document, NetSheet& sheet, EditorSession& session, QWidget* parent = nullptr);
    ~SheetView() override;

    NetDocument& document() const { return m_editor.document(); }
    NetSheet& sheet() const { return m_editor.sheet(); }
    SheetEditor& editor() { return m_editor; }
    const SheetEditor& editor() const { return m_editor; }

    // Edit menu.
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();
    // Insert menu and toolbar buttons: arms the insertion of an object of the kind.
    void beginInsert(ObjectKind kind);
    // View menu.
    void toggleGrid();
    void toggleAlignGrid();
    void rotate();
    void setZoom(int zoom);
    // Zooms so that the logical point under the window point stays under it (as far as the page's
    // scroll range allows).
    void zoomAround(int zoom, QPoint windowPoint);
    // The next zoom step above (direction > 0) or below the current zoom, around the window point.
    void stepZoom(int direction, QPoint windowPoint);
    // The middle of the window, where the zoom commands of the menus zoom around.
    QPoint windowMiddle() const;
    // The largest zoom at which the whole page fits the window.
    void fitToWindow();
    // Format menu.
    void renumber();
    void copyFormat();
    void pasteFormat();
    void properties();
    // Object context menu.
    void extendSelection();
    void contextProperties();
    void changeContextKind();
    // Selects exactly these objects and scrolls the first into the middle of the window.
    void selectAndShow(const std::vector<NetObject*>& objects);
    // Any command first cancels a mouse operation in progress; the shell calls it before its own commands.
    void cancelMouseOperation();
    // Repaints and reports possibly changed command states, after the sheet was changed from outside
    // (printing, dialogs, simulation steps).
    void refresh();

    // Enabling and checked states of the commands.
    bool canUndo() const { return m_editor.canUndo(); }
    bool canRedo() const { return m_editor.canRedo(); }
    // Cut, Copy, Delete, Copy Format, Paste Format and Properties.
    bool hasSelection() const { return m_editor.hasSelection(); }
    bool canPaste() const { return m_editor.canPaste(); }
    bool canRotate() const { return m_editor.canRotate(); }
    bool isGridShown() const { return sheet().grid().shown; }
    bool isAlignGridOn() const { return sheet().grid().align; }
    int zoom() const { return sheet().zoom(); }
    EditorMode mode() const { return m_editor.mode(); }
    ObjectKind insertKind() const { return m_editor.insertKind(); }
    // Insert / Graphs and Insert / Legend are checked in their modes; the toolbar's place, transition
    // and arc buttons in the place, transition and arc modes (the arc button also while drawing).
    bool isInsertChecked(ObjectKind kind) const;
    bool isArcModeActive() const;
    bool isPlaceModeActive() const { return mode() == EditorMode::kPlaceInsert; }
    bool isTransitionModeActive() const { return mode() == EditorMode::kTransitionInsert; }

    // The context menus, built fresh each time (the caller owns them).
    std::unique_ptr<QMenu> createObjectContextMenu();
    std::unique_ptr<QMenu> createBackgroundContextMenu();

    // Window coordinates to logical units and back, with the zoom and the scroll position.
    QPoint toLogical(QPoint windowPoint) const;
    QPoint toWindow(QPoint logicalPoint) const;

signals:
    // The document was marked modified by an edit.
    void documentModified();
    // Enabling or checked states of commands may have changed (selection, mode, lists, zoom, grid).
    void commandStatesChanged();
    // The pointer moved over the page; the point is in logical units.
    void pointerMoved(QPoint logical);
    // The background context menu's "Duplicate PN".
    void duplicateSheetRequested();
    // PN's Properties: the background context menu's "Properties..." and a double-click with nothing selected.
    void sheetPropertiesRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // A space bar released while another window had the focus no longer counts as held.
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    // Tool tips over places and transitions.
    bool viewportEvent(QEvent* event) override;

private:
    void updateScrollRange();
    void scrollTowards(QPoint windowPoint);
    EditorCursor cursorShape(KeyModifiers modifiers) const;
    void updateCursor(KeyModifiers modifiers);
    void showContextMenu(QPoint globalPosition);
    void putSelectionPictureOnClipboard();
    // Panning: a middle-button drag, or a left drag while the space bar is held.
    bool startsPan(const QMouseEvent& event) const;
    void beginPan(QPoint windowPoint);
    void panTo(QPoint windowPoint);
    void endPan();

    SheetEditor m_editor;
    QPoint m_lastMouse;          // last pointer position in window coordinates
    bool m_contextMenuDue = false; // the right press found no operation to cancel
    EditorCursor m_cursorShape = EditorCursor::kArrow;
    bool m_spaceHeld = false;
    std::optional<QPoint> m_panFrom; // window point where the pan last was
    int m_wheelTurn = 0;             // Ctrl + wheel turn not yet spent on a zoom step (1/8 degrees)
};

} // namespace tokarium
