// The sheet window: off-screen painting, scrolling and zoom, mouse and keys, menus and the clipboard.
#include "gui/editor/sheet_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QToolTip>

#include "gui/editor/editor_constants.h"
#include "gui/editor/kind_names.h"
#include "gui/check/speed_explanation.h"
#include "gui/editor/object_tooltip.h"
#include "gui/editor/page_geometry.h"
#include "gui/editor/painter_surface.h"
#include "gui/editor/sheet_painting.h"
#include "gui/model/graph.h"
#include "gui/model/kind_change.h"
#include "gui/model/net_node.h"

namespace tokarium {

namespace {

KeyModifiers modifiersOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::ShiftModifier)};
}

// Some platforms report the modifiers as they were before the key event: take the key itself into account.
KeyModifiers modifiersAfter(const QKeyEvent& event) {
    KeyModifiers modifiers = modifiersOf(event.modifiers());
    const bool pressed = event.type() == QEvent::KeyPress;
    if (event.key() == Qt::Key_Control)
        modifiers.ctrl = pressed;
    else if (event.key() == Qt::Key_Shift)
        modifiers.shift = pressed;
    return modifiers;
}

Point toPoint(QPoint p) {
    return {p.x(), p.y()};
}

} // namespace

SheetView::SheetView(NetDocument& document, NetSheet& sheet, EditorSession& session, QWidget* parent)
    : QAbstractScrollArea(parent), m_editor(document, sheet, session) {
    m_editor.setDialogParent(this);
    m_editor.setModifiedCallback([this] { emit documentModified(); });
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    updateScrollRange();
}

SheetView::~SheetView() = default;

QPoint SheetView::toLogical(QPoint windowPoint) const {
    const int zoom = shownZoom(sheet());
    return {mulDiv(windowPoint.x() + horizontalScrollBar()->value(), 100, zoom),
            mulDiv(windowPoint.y() + verticalScrollBar()->value(), 100, zoom)};
}

QPoint SheetView::toWindow(QPoint logicalPoint) const {
    const int zoom = shownZoom(sheet());
    return {mulDiv(logicalPoint.x(), zoom, 100) - horizontalScrollBar()->value(),
            mulDiv(logicalPoint.y(), zoom, 100) - verticalScrollBar()->value()};
}

void SheetView::refresh() {
    updateScrollRange();
    updateCursor(modifiersOf(QGuiApplication::keyboardModifiers()));
    viewport()->update();
    emit commandStatesChanged();
}

void SheetView::updateScrollRange() {
    const Rect page = pageRect(sheet());
    const int zoom = shownZoom(sheet());
    const QSize extent(mulDiv(page.width(), zoom, 100), mulDiv(page.height(), zoom, 100));
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, extent.width() - visible.width()));
    horizontalScrollBar()->setPageStep(visible.width());
    horizontalScrollBar()->setSingleStep(sheet().grid().step > 0 ? sheet().grid().step : 10);
    verticalScrollBar()->setRange(0, std::max(0, extent.height() - visible.height()));
    verticalScrollBar()->setPageStep(visible.height());
    verticalScrollBar()->setSingleStep(sheet().grid().step > 0 ? sheet().grid().step : 10);
}

void SheetView::paintEvent(QPaintEvent*) {
    updateScrollRange();
    QPixmap buffer(viewport()->size() * devicePixelRatioF());
    buffer.setDevicePixelRatio(devicePixelRatioF());
    {
        QPainter painter(&buffer);
        painter.fillRect(QRect(QPoint(0, 0), viewport()->size()), toQColor(kWindowBackground));
        const double scale = shownZoom(sheet()) / 100.0;
        painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
        painter.scale(scale, scale);
        paintPageDecoration(painter, sheet(), palette().color(QPalette::Base));
        paintSheet(painter, sheet(), drawContextFor(sheet(), m_editor.session(), true));
        paintModeFeedback(painter, m_editor);
    }
    QPainter target(viewport());
    target.drawPixmap(0, 0, buffer);
}

void SheetView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

bool SheetView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const Point point = toPoint(toLogical(help->pos()));
    QString text;
    if (const NetNode* node = sheet().nodeAt(point)) {
        text = objectToolTip(*node);
        // While a run is stepped, a transition below its maximal speed also tells what holds it back.
        if (sheet().isInitialised() && node->isTransition())
            if (const std::string cause = speedCause(sheet(), static_cast<const Transition&>(*node)); !cause.empty())
                text += tr("\nWhy: ") + fromModelText(cause);
    } else if (const ObjectHit graph = sheet().hitTest(maskOf(ObjectKind::kGraph), point);
               graph && m_editor.session().graphRenderer) {
        // The value under the pointer; texts are measured as the graph draws them.
        QImage scratch(1, 1, QImage::Format_ARGB32);
        QPainter painter(&scratch);
        PainterSurface measure(painter);
        text = fromModelText(m_editor.session().graphRenderer->describeAt(static_cast<const Graph&>(*graph.object), point,
                                                                           measure, sheet().font()));
    }
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport());
    return true;
}

void SheetView::scrollContentsBy(int, int) {
    viewport()->update();
}

void SheetView::mousePressEvent(QMouseEvent* event) {
    if (startsPan(*event)) {
        beginPan(event->position().toPoint());
        return;
    }
    const Point point = toPoint(toLogical(event->position().toPoint()));
    m_lastMouse = event->position().toPoint();
    const KeyModifiers modifiers = modifiersOf(event->modifiers());
    if (event->button() == Qt::LeftButton) {
        m_contextMenuDue = false;
        m_editor.leftDown(point, modifiers);
    } else if (event->button() == Qt::RightButton) {
        m_contextMenuDue = !m_editor.rightDown(point, modifiers);
    }
    refresh();
}

void SheetView::scrollTowards(QPoint windowPoint) {
    const QRect visible = viewport()->rect();
    auto overshoot = [](int p, int low, int high) { return p < low ? p - low : p > high ? p - high : 0; };
    horizontalScrollBar()->setValue(horizontalScrollBar()->value()
                                    + overshoot(windowPoint.x(), visible.left(), visible.right()));
    verticalScrollBar()->setValue(verticalScrollBar()->value()
                                  + overshoot(windowPoint.y(), visible.top(), visible.bottom()));
}

void SheetView::mouseMoveEvent(QMouseEvent* event) {
    m_lastMouse = event->position().toPoint();
    if (m_panFrom) {
        panTo(m_lastMouse);
        return;
    }
    emit pointerMoved(toLogical(m_lastMouse));
    const EditorMode mode = m_editor.mode();
    // Dragging past the edge of the window scrolls the page along.
    if (mode == EditorMode::kTracking || mode == EditorMode::kRubberBand || mode == EditorMode::kArcDrawing)
        scrollTowards(m_lastMouse);
    if (mode != EditorMode::kIdle) {
        m_editor.mouseMove(toPoint(toLogical(m_lastMouse)));
        viewport()->update();
    }
    updateCursor(modifiersOf(event->modifiers()));
}

void SheetView::mouseReleaseEvent(QMouseEvent* event) {
    m_lastMouse = event->position().toPoint();
    if (m_panFrom) {
        if (event->buttons() == Qt::NoButton)
            endPan();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_editor.leftUp(toPoint(toLogical(m_lastMouse)));
        refresh();
    } else if (event->button() == Qt::RightButton && m_contextMenuDue) {
        m_contextMenuDue = false;
        refresh();
        showContextMenu(event->globalPosition().toPoint());
    }
}

void SheetView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    const bool objectProperties = m_editor.doubleClick();
    refresh();
    if (!objectProperties)
        emit sheetPropertiesRequested();
}

void SheetView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cancelMouseOperation();
        return;
    }
    if (event->key() == Qt::Key_Space) {
        m_spaceHeld = true;
        return;
    }
    updateCursor(modifiersAfter(*event));
    QAbstractScrollArea::keyPressEvent(event);
}

void SheetView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
        m_spaceHeld = false;
    updateCursor(modifiersAfter(*event));
    QAbstractScrollArea::keyReleaseEvent(event);
}

void SheetView::focusOutEvent(QFocusEvent* event) {
    m_spaceHeld = false;
    QAbstractScrollArea::focusOutEvent(event);
}

EditorCursor SheetView::cursorShape(KeyModifiers modifiers) const {
    switch (m_editor.mode()) {
    case EditorMode::kArcArmed: return EditorCursor::kArcWithoutHead;
    case EditorMode::kArcDrawing: return m_editor.arcHead() ? EditorCursor::kArcWithHead : EditorCursor::kArcWithoutHead;
    case EditorMode::kPlaceInsert: return EditorCursor::kPlace;
    case EditorMode::kTransitionInsert: return EditorCursor::kTransition;
    case EditorMode::kGraphInsert: return EditorCursor::kGraph;
    case EditorMode::kLegendInsert: return EditorCursor::kLegend;
    case EditorMode::kRubberBand: return EditorCursor::kRubberBand;
    case EditorMode::kTracking:
        return m_editor.grabbedHandle() > 0 ? handleCursor(m_editor.grabbedHandle()) : EditorCursor::kMoving;
    case EditorMode::kIdle: break;
    }
    const Point point = toPoint(toLogical(m_lastMouse));
    switch (m_editor.idleHover(point, modifiers)) {
    case IdleHover::kArcFromNode: return EditorCursor::kArcWithoutHead;
    case IdleHover::kAddRoutePoint: return EditorCursor::kAddRoutePoint;
    case IdleHover::kHandle: {
        const auto handle = m_editor.selectedHandleAt(point);
        return handle->first->isKindIn(kArcKinds) ? EditorCursor::kMoving : handleCursor(handle->second);
    }
    case IdleHover::kNothing: break;
    }
    return EditorCursor::kArrow;
}

void SheetView::updateCursor(KeyModifiers modifiers) {
    const EditorCursor shape = cursorShape(modifiers);
    if (shape == m_cursorShape)
        return;
    m_cursorShape = shape;
    viewport()->setCursor(editorCursor(shape));
}

void SheetView::showContextMenu(QPoint globalPosition) {
    std::unique_ptr<QMenu> menu = m_editor.contextObject() ? createObjectContextMenu() : createBackgroundContextMenu();
    menu->exec(globalPosition);
}

std::unique_ptr<QMenu> SheetView::createObjectContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(tr("Extend Selection"), this, &SheetView::extendSelection);
    menu->addAction(tr("Copy Format"), this, &SheetView::copyFormat);
    menu->addAction(tr("Paste Format"), this, &SheetView::pasteFormat);
    menu->addAction(tr("Properties..."), this, &SheetView::contextProperties);
    // The other kind of the object's pair, named as in the Insert menu.
    if (const NetObject* object = m_editor.contextObject())
        if (const std::optional<ObjectKind> other = otherKindOf(object->kind())) {
            menu->addSeparator();
            menu->addAction(tr("Change Kind to %1").arg(insertKindName(*other)), this, &SheetView::changeContextKind);
        }
    return menu;
}

std::unique_ptr<QMenu> SheetView::createBackgroundContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    QAction* paste = menu->addAction(tr("Paste"), this, &SheetView::paste);
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    paste->setShortcutContext(Qt::WidgetShortcut);
    paste->setEnabled(canPaste());
    menu->addAction(tr("Duplicate PN"), this, &SheetView::duplicateSheetRequested);
    menu->addAction(tr("Properties..."), this, &SheetView::sheetPropertiesRequested);
    return menu;
}

void SheetView::putSelectionPictureOnClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    const SelectionPicture picture = selectionPicture(sheet(), m_editor.session());
    auto mimeData = std::make_unique<QMimeData>();
    mimeData->setImageData(picture.image);
    if (!picture.svg.isEmpty())
        mimeData->setData(QStringLiteral("image/svg+xml"), picture.svg);
    clipboard->setMimeData(mimeData.release());
}

bool SheetView::isArcModeActive() const {
    return mode() == EditorMode::kArcArmed || mode() == EditorMode::kArcDrawing;
}

bool SheetView::isInsertChecked(ObjectKind kind) const {
    switch (kind) {
    case ObjectKind::kGraph: return mode() == EditorMode::kGraphInsert;
    case ObjectKind::kLegend: return mode() == EditorMode::kLegendInsert;
    default: break;
    }
    if (isKindIn(kind, kArcKinds))
        return isArcModeActive() && insertKind() == kind;
    if (isKindIn(kind, kPlaceKinds))
        return isPlaceModeActive() && insertKind() == kind;
    return isTransitionModeActive() && insertKind() == kind;
}

void SheetView::undo() {
    m_editor.undo();
    refresh();
}

void SheetView::redo() {
    m_editor.redo();
    refresh();
}

void SheetView::cut() {
    if (m_editor.hasSelection())
        putSelectionPictureOnClipboard();
    m_editor.cut();
    refresh();
}

void SheetView::copy() {
    if (m_editor.copy())
        putSelectionPictureOnClipboard();
    refresh();
}

void SheetView::paste() {
    m_editor.paste();
    refresh();
}

void SheetView::deleteSelection() {
    m_editor.deleteSelection();
    refresh();
}

void SheetView::selectAll() {
    m_editor.selectAll();
    refresh();
}

void SheetView::beginInsert(ObjectKind kind) {
    m_editor.beginInsert(kind);
    refresh();
}

void SheetView::toggleGrid() {
    m_editor.toggleGrid();
    refresh();
}

void SheetView::toggleAlignGrid() {
    m_editor.toggleAlignGrid();
    refresh();
}

void SheetView::rotate() {
    m_editor.rotate();
    refresh();
}

void SheetView::setZoom(int zoom) {
    // The logical point at the middle of the window stays there.
    zoomAround(zoom, windowMiddle());
}

void SheetView::renumber() {
    m_editor.renumber();
    refresh();
}

void SheetView::copyFormat() {
    m_editor.copyFormat();
    refresh();
}

void SheetView::pasteFormat() {
    m_editor.pasteFormat();
    refresh();
}

void SheetView::properties() {
    m_editor.properties();
    refresh();
}

void SheetView::extendSelection() {
    m_editor.extendSelection();
    refresh();
}

void SheetView::contextProperties() {
    m_editor.contextProperties();
    refresh();
}

void SheetView::changeContextKind() {
    m_editor.changeContextKind();
    refresh();
}

void SheetView::cancelMouseOperation() {
    if (m_editor.cancelMouseOperation())
        refresh();
}

} // namespace tokarium
