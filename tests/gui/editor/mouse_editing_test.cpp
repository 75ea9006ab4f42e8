// Mouse editing on a shown SheetView: insertion and snapping, arcs, selection, moving and resizing.
#include <QCursor>
#include <QScrollBar>

#include "gui/model/legend.h"
#include "view_fixture.h"

namespace tokarium::test {
namespace {

using MouseEditingTest = ViewTest;

TEST_F(MouseEditingTest, PlaceSnapsToTheNearestGridLine) {
    const Point line = gridPoint(10, 10);
    NetObject* near = insertAt(ObjectKind::kDiscretePlace, {line.x + 4, line.y});
    ASSERT_NE(near, nullptr);
    EXPECT_EQ(near->rect().centre(), line);
    NetObject* far = insertAt(ObjectKind::kDiscretePlace, {line.x + 6, line.y + 100});
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(far->rect().centre(), (Point{line.x + 10, line.y + 100}));
    EXPECT_EQ(static_cast<NetNode*>(near)->index(), 1);
    EXPECT_EQ(static_cast<NetNode*>(far)->index(), 2);
    EXPECT_TRUE(far->isSelected());
    EXPECT_FALSE(near->isSelected());
}

TEST_F(MouseEditingTest, WithoutAlignPointsStayWhereClicked) {
    m_view->toggleAlignGrid();
    EXPECT_FALSE(m_view->isAlignGridOn());
    const Point p{gridPoint(10, 10).x + 4, gridPoint(10, 10).y + 3};
    NetObject* place = insertAt(ObjectKind::kContinuousPlace, p);
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->rect().centre(), p);
    EXPECT_EQ(place->kind(), ObjectKind::kContinuousPlace);
}

TEST_F(MouseEditingTest, ZoomMapsWindowPointsToLogicalUnits) {
    m_view->setZoom(200);
    EXPECT_EQ(m_view->zoom(), 200);
    m_view->horizontalScrollBar()->setValue(0);
    m_view->verticalScrollBar()->setValue(0);
    EXPECT_EQ(m_view->toLogical(QPoint(300, 200)), QPoint(150, 100));
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(5, 5));
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->rect().centre(), gridPoint(5, 5));
}

TEST_F(MouseEditingTest, ScrollRangeIsThePageAtTheZoomLessTheWindow) {
    const int width = viewport()->width();
    const int height = viewport()->height();
    m_view->setZoom(200);
    EXPECT_EQ(m_view->horizontalScrollBar()->maximum(), 2 * 794 - width);
    EXPECT_EQ(m_view->verticalScrollBar()->maximum(), 2 * 1123 - height);
    m_view->setZoom(25);
    EXPECT_EQ(m_view->horizontalScrollBar()->maximum(), 0);
    // Scrolled, a click still lands where the page shows it.
    m_view->setZoom(150);
    m_view->horizontalScrollBar()->setValue(0);
    m_view->verticalScrollBar()->setValue(600);
    EXPECT_EQ(m_view->toLogical(QPoint(0, 0)), QPoint(0, 400));
    // Zooming keeps the middle of the window on the same point of the page.
    const QPoint middle(width / 2, height / 2);
    const QPoint before = m_view->toLogical(middle);
    m_view->setZoom(200);
    EXPECT_LE((m_view->toLogical(middle) - before).manhattanLength(), 2);
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(20, 60));
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->rect().centre(), gridPoint(20, 60));
}

TEST_F(MouseEditingTest, DraggingPastTheWindowEdgeScrollsThePage) {
    m_view->setZoom(200);
    m_view->verticalScrollBar()->setValue(0);
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    press(place->rect().centre());
    const QPoint below(at(place->rect().centre()).x(), viewport()->height() + 40);
    QTest::mouseMove(viewport(), below);
    EXPECT_GT(m_view->verticalScrollBar()->value(), 0);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, below);
    EXPECT_GT(place->rect().top, gridPoint(10, 10).y);
}

TEST_F(MouseEditingTest, ASheetWithZoomZeroFromADamagedFileStillWorks) {
    sheet().setZoom(0);
    m_view->refresh();
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->rect().centre(), gridPoint(10, 10));
    m_view->viewport()->repaint();
}

TEST_F(MouseEditingTest, ArcsJoinOnlyPlacesAndTransitionsOncePerDirection) {
    NetObject* p1 = insertAt(ObjectKind::kDiscretePlace, gridPoint(5, 5));
    NetObject* p2 = insertAt(ObjectKind::kDiscretePlace, gridPoint(25, 5));
    NetObject* t1 = insertAt(ObjectKind::kDiscreteTransition, gridPoint(15, 20));
    ASSERT_TRUE(p1 && p2 && t1);

    // Place to place: refused.
    m_view->beginInsert(ObjectKind::kOrdinaryArc);
    drag(p1->rect().centre(), p2->rect().centre());
    EXPECT_EQ(sheet().count(kArcKinds), 0u);
    EXPECT_EQ(m_view->mode(), EditorMode::kIdle);

    // Place to transition, with the generalized kind armed from the menu.
    m_view->beginInsert(ObjectKind::kGeneralizedArc);
    drag(p1->rect().centre(), t1->rect().centre());
    ASSERT_EQ(sheet().count(kArcKinds), 1u);
    auto* arc = static_cast<Arc*>(objectsOf(kArcKinds)[0]);
    EXPECT_EQ(arc->kind(), ObjectKind::kGeneralizedArc);
    EXPECT_EQ(arc->from(), p1);
    EXPECT_EQ(arc->to(), t1);
    EXPECT_TRUE(arc->isSelected());

    // The same direction again, this time by Ctrl+drag from the node: refused.
    drag(p1->rect().centre(), t1->rect().centre(), Qt::ControlModifier);
    EXPECT_EQ(sheet().count(kArcKinds), 1u);

    // The opposite direction: an ordinary arc, since Ctrl+drag always draws one.
    drag(t1->rect().centre(), p1->rect().centre(), Qt::ControlModifier);
    ASSERT_EQ(sheet().count(kArcKinds), 2u);
    auto* back = static_cast<Arc*>(objectsOf(kArcKinds)[1]);
    EXPECT_EQ(back->kind(), ObjectKind::kOrdinaryArc);
    EXPECT_EQ(back->from(), t1);
    EXPECT_EQ(back->to(), p1);
}

TEST_F(MouseEditingTest, ArcFeedbackEndsAtAValidHeadOnly) {
    NetObject* p1 = insertAt(ObjectKind::kDiscretePlace, gridPoint(5, 5));
    NetObject* p2 = insertAt(ObjectKind::kDiscretePlace, gridPoint(25, 5));
    NetObject* t1 = insertAt(ObjectKind::kDiscreteTransition, gridPoint(15, 20));
    m_view->beginInsert(ObjectKind::kOrdinaryArc);
    EXPECT_TRUE(m_view->isArcModeActive());
    press(p1->rect().centre());
    EXPECT_EQ(m_view->mode(), EditorMode::kArcDrawing);
    EXPECT_TRUE(m_view->isArcModeActive());
    moveTo(p2->rect().centre());
    EXPECT_EQ(m_view->editor().arcHead(), nullptr);
    EXPECT_EQ(m_view->editor().arcFeedbackEnd(), p2->rect().centre());
    const Point nearBar{t1->rect().centre().x + 5, t1->rect().centre().y + 2};
    moveTo(nearBar);
    EXPECT_EQ(m_view->editor().arcHead(), t1);
    EXPECT_EQ(m_view->editor().arcFeedbackEnd(), t1->rect().centre());
    EXPECT_NE(viewport()->cursor().shape(), Qt::ArrowCursor);
    release(nearBar);
    EXPECT_EQ(sheet().count(kArcKinds), 1u);
}

TEST_F(MouseEditingTest, ArcStartedOnNothingCreatesNothing) {
    insertAt(ObjectKind::kDiscreteTransition, gridPoint(15, 20));
    m_view->beginInsert(ObjectKind::kOrdinaryArc);
    drag(gridPoint(40, 40), gridPoint(15, 20));
    EXPECT_EQ(sheet().count(kArcKinds), 0u);
}

TEST_F(MouseEditingTest, RubberBandNeedsElevenUnitsInOneDirection) {
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    click(gridPoint(40, 40));
    ASSERT_FALSE(place->isSelected());
    // Outside the place (and its 3-unit hit margin), so that the press starts a band.
    const Point corner{place->rect().left - 9, place->rect().top - 9};

    drag(corner, {corner.x + 10, corner.y + 10});
    EXPECT_FALSE(place->isSelected());
    drag(corner, {corner.x + 10, corner.y + 30});
    EXPECT_TRUE(place->isSelected());
    EXPECT_EQ(m_view->mode(), EditorMode::kIdle);
}

TEST_F(MouseEditingTest, RubberBandSelectsExactlyWhatItMeets) {
    NetObject* a = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    NetObject* b = insertAt(ObjectKind::kDiscretePlace, gridPoint(40, 10));
    ASSERT_TRUE(b->isSelected());
    press(gridPoint(5, 5));
    moveTo(gridPoint(15, 15));
    EXPECT_EQ(m_view->mode(), EditorMode::kRubberBand);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::CrossCursor);
    release(gridPoint(15, 15));
    EXPECT_TRUE(a->isSelected());
    EXPECT_FALSE(b->isSelected());
}

TEST_F(MouseEditingTest, ShiftTogglesSelectionAndStartsABandOnTheBackground) {
    NetObject* a = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    NetObject* b = insertAt(ObjectKind::kDiscreteTransition, gridPoint(30, 10));
    click(a->rect().centre(), Qt::ShiftModifier);
    EXPECT_TRUE(a->isSelected());
    EXPECT_TRUE(b->isSelected());
    click(b->rect().centre(), Qt::ShiftModifier);
    EXPECT_TRUE(a->isSelected());
    EXPECT_FALSE(b->isSelected());
    press(gridPoint(50, 50), Qt::ShiftModifier);
    EXPECT_EQ(m_view->mode(), EditorMode::kRubberBand);
    release(gridPoint(50, 50), Qt::ShiftModifier);
    EXPECT_TRUE(a->isSelected());
}

TEST_F(MouseEditingTest, ClickingAnObjectRecordsAnUndoStepAndDragMovesItOnTheGrid) {
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    const Rect before = place->rect();
    const std::size_t steps = m_view->editor().history().undoCount();
    click(place->rect().centre());
    EXPECT_EQ(m_view->editor().history().undoCount(), steps + 1);
    EXPECT_EQ(m_view->editor().history().undoLabel(), "Move");
    EXPECT_EQ(place->rect(), before);

    drag(place->rect().centre(), {place->rect().centre().x + 23, place->rect().centre().y + 18});
    EXPECT_EQ(place->rect(), before.translated(20, 20));
    m_view->undo();
    const auto places = objectsOf(kPlaceKinds);
    ASSERT_EQ(places.size(), 1u);
    EXPECT_EQ(places[0]->rect(), before);
}

TEST_F(MouseEditingTest, DraggingTheMovedSelectionMovesEverySelectedObject) {
    NetObject* a = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    NetObject* b = insertAt(ObjectKind::kContinuousTransition, gridPoint(20, 20));
    m_view->selectAll();
    const Rect ra = a->rect();
    const Rect rb = b->rect();
    drag(a->rect().centre(), {a->rect().centre().x + 30, a->rect().centre().y});
    EXPECT_EQ(a->rect(), ra.translated(30, 0));
    EXPECT_EQ(b->rect(), rb.translated(30, 0));
}

TEST_F(MouseEditingTest, HandleDragResizesOnlyThatObject) {
    NetObject* bar = insertAt(ObjectKind::kDiscreteTransition, gridPoint(10, 10));
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(30, 30));
    m_view->selectAll();
    const Rect before = bar->rect();
    const Point rightHandle{before.right, before.centre().y};
    moveTo(rightHandle);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::SizeHorCursor);
    drag(rightHandle, {rightHandle.x + 20, rightHandle.y});
    EXPECT_EQ(bar->rect().left, before.left);
    EXPECT_EQ(bar->rect().width(), before.width() + 20);
    EXPECT_EQ(bar->rect().height(), before.height());
    EXPECT_FALSE(place->isSelected());
}

TEST_F(MouseEditingTest, CtrlClickOnAnArcAddsAndRemovesRoutePoints) {
    NetObject* p = insertAt(ObjectKind::kDiscretePlace, gridPoint(5, 10));
    NetObject* t = insertAt(ObjectKind::kDiscreteTransition, gridPoint(35, 10));
    m_view->beginInsert(ObjectKind::kOrdinaryArc);
    drag(p->rect().centre(), t->rect().centre());
    auto* arc = static_cast<Arc*>(objectsOf(kArcKinds).at(0));
    click(gridPoint(40, 40));
    const Point middle = gridPoint(20, 10);
    moveTo(middle);
    QTest::keyPress(m_view.get(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_NE(viewport()->cursor().shape(), Qt::ArrowCursor);
    QTest::keyRelease(m_view.get(), Qt::Key_Control);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);
    click(middle, Qt::ControlModifier);
    ASSERT_EQ(arc->route().size(), 1u);
    EXPECT_EQ(arc->route()[0], middle);
    EXPECT_TRUE(arc->isSelected());
    EXPECT_EQ(m_view->editor().history().undoLabel(), "Route Point");
    click(middle, Qt::ControlModifier);
    EXPECT_TRUE(arc->route().empty());
}

TEST_F(MouseEditingTest, CursorShowsTheInsertionMode) {
    m_view->beginInsert(ObjectKind::kDiscretePlace);
    const QPixmap place = viewport()->cursor().pixmap();
    EXPECT_FALSE(place.isNull());
    m_view->beginInsert(ObjectKind::kContinuousTransition);
    EXPECT_FALSE(viewport()->cursor().pixmap().isNull());
    EXPECT_NE(viewport()->cursor().pixmap().toImage(), place.toImage());
    m_view->cancelMouseOperation();
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);
    // Any command disarms the mode, and the cursor follows.
    m_view->beginInsert(ObjectKind::kLegend);
    EXPECT_NE(viewport()->cursor().shape(), Qt::ArrowCursor);
    m_view->selectAll();
    EXPECT_EQ(m_view->mode(), EditorMode::kIdle);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MouseEditingTest, EscapeAndRightClickDisarmAnInsertion) {
    m_view->beginInsert(ObjectKind::kGraph);
    EXPECT_TRUE(m_view->isInsertChecked(ObjectKind::kGraph));
    QTest::keyClick(m_view.get(), Qt::Key_Escape);
    EXPECT_EQ(m_view->mode(), EditorMode::kIdle);
    m_view->beginInsert(ObjectKind::kDiscretePlace);
    EXPECT_TRUE(m_view->isInsertChecked(ObjectKind::kDiscretePlace));
    EXPECT_FALSE(m_view->isInsertChecked(ObjectKind::kContinuousPlace));
    rightClick(gridPoint(10, 10));
    EXPECT_EQ(m_view->mode(), EditorMode::kIdle);
    EXPECT_EQ(sheet().size(), 0u);
}

TEST_F(MouseEditingTest, GraphIsInsertedFromItsTemplate) {
    NetObject* graph = insertAt(ObjectKind::kGraph, gridPoint(30, 30));
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->kind(), ObjectKind::kGraph);
    EXPECT_EQ(graph->rect().centre(), gridPoint(30, 30));
    EXPECT_EQ(graph->rect().width(), 180);
}

TEST_F(MouseEditingTest, LegendWithEmptyTextIsNotAdded) {
    m_dialogs.onEdit = [](NetObject& object) {
        static_cast<Legend&>(object).setText("");
        return true;
    };
    EXPECT_EQ(insertAt(ObjectKind::kLegend, gridPoint(20, 20)), nullptr);
    EXPECT_EQ(m_dialogs.calls, 1);
    EXPECT_FALSE(m_view->canUndo());

    m_dialogs.onEdit = [](NetObject& object) {
        static_cast<Legend&>(object).setText("Buffer");
        return true;
    };
    NetObject* legend = insertAt(ObjectKind::kLegend, gridPoint(20, 20));
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(static_cast<Legend*>(legend)->text(), "Buffer");

    m_dialogs.onEdit = [](NetObject&) { return false; };
    EXPECT_EQ(insertAt(ObjectKind::kLegend, gridPoint(40, 40)), nullptr);
}

TEST_F(MouseEditingTest, EmptyingAnExistingLegendRemovesIt) {
    m_dialogs.onEdit = [](NetObject& object) {
        static_cast<Legend&>(object).setText("Note");
        return true;
    };
    NetObject* legend = insertAt(ObjectKind::kLegend, gridPoint(20, 20));
    ASSERT_NE(legend, nullptr);
    m_dialogs.onEdit = [](NetObject& object) {
        static_cast<Legend&>(object).setText("");
        return true;
    };
    m_view->properties();
    EXPECT_EQ(sheet().count(maskOf(ObjectKind::kLegend)), 0u);
    m_view->undo();
    EXPECT_EQ(sheet().count(maskOf(ObjectKind::kLegend)), 1u);
}

TEST_F(MouseEditingTest, DoubleClickOpensObjectOrNetProperties) {
    int sheetRequests = 0;
    QObject::connect(m_view.get(), &SheetView::sheetPropertiesRequested, [&] { ++sheetRequests; });
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    click(gridPoint(50, 50));
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, at(gridPoint(50, 50)));
    EXPECT_EQ(sheetRequests, 1);
    EXPECT_EQ(m_dialogs.calls, 0);

    click(place->rect().centre());
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, at(place->rect().centre()));
    EXPECT_EQ(sheetRequests, 1);
    EXPECT_EQ(m_dialogs.calls, 1);
    EXPECT_EQ(m_dialogs.lastObject, place);
    EXPECT_EQ(m_view->editor().history().undoLabel(), "Properties");
}

TEST_F(MouseEditingTest, WithoutDialogsPropertiesDoNothing) {
    m_session.propertiesEditor = nullptr;
    insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    const std::size_t steps = m_view->editor().history().undoCount();
    m_view->properties();
    EXPECT_EQ(m_view->editor().history().undoCount(), steps);
    EXPECT_EQ(insertAt(ObjectKind::kLegend, gridPoint(30, 30)), nullptr);
}

} // namespace
} // namespace tokarium::test
