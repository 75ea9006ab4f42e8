// Commands of a SheetView: clipboard and pastes, undo depth, formats, rotate, renumber, menus, effects.
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QToolTip>

#include "gui/editor/object_tooltip.h"
#include "gui/model/arc.h"
#include "gui/model/graph.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "view_fixture.h"

namespace tokarium::test {
namespace {

using CommandsTest = ViewTest;

std::vector<QString> actionTexts(const QMenu& menu) {
    std::vector<QString> texts;
    for (QAction* action : menu.actions())
        texts.push_back(action->text());
    return texts;
}

TEST_F(CommandsTest, ThreePastesShiftByOneGridStepMoreEachTimeWithFreshIndices) {
    NetObject* original = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    EXPECT_FALSE(m_view->canPaste());
    m_view->copy();
    EXPECT_TRUE(m_view->canPaste());
    for (int n = 1; n <= 3; ++n) {
        m_view->paste();
        const auto places = objectsOf(kPlaceKinds);
        ASSERT_EQ(places.size(), static_cast<std::size_t>(n + 1));
        NetObject* pasted = places.back();
        EXPECT_EQ(pasted->rect(), original->rect().translated(10 * n, 10 * n));
        EXPECT_EQ(static_cast<NetNode*>(pasted)->index(), n + 1);
        EXPECT_TRUE(pasted->isSelected());
        EXPECT_FALSE(original->isSelected());
    }
    EXPECT_EQ(m_view->editor().history().undoLabel(), "Paste");
}

TEST_F(CommandsTest, TheObjectClipboardIsSharedByTheWindowsOfEveryDocument) {
    insertAt(ObjectKind::kContinuousPlace, gridPoint(10, 10));
    m_view->copy();
    NetDocument other;
    other.newDocument();
    SheetView second(other, other.sheet(0), m_session);
    EXPECT_TRUE(second.canPaste());
    second.paste();
    ASSERT_EQ(other.sheet(0).count(kPlaceKinds), 1u);
    EXPECT_EQ(other.sheet(0).at(0).kind(), ObjectKind::kContinuousPlace);
    EXPECT_TRUE(other.isModified());
    // The counter is shared too: the next paste here lands two steps away.
    m_view->paste();
    EXPECT_EQ(objectsOf(kPlaceKinds).back()->rect(), objectsOf(kPlaceKinds).front()->rect().translated(20, 20));
}

TEST_F(CommandsTest, AGraphPastedIntoAnotherDocumentPlotsItsNewSheetUnlessItsSheetIsThere) {
    auto graph = std::make_unique<Graph>();
    graph->curves().push_back({m_document.sheet(0).id(), 1, 0, nullptr, nullptr, {}, {}, {}});
    graph->setSelected(true);
    m_document.sheet(0).add(std::move(graph));
    m_view->copy();
    NetDocument other;
    other.newDocument();
    SheetView second(other, other.sheet(0), m_session);
    second.paste();
    m_view->paste();
    const auto curveSheet = [](const NetSheet& sheet) {
        return static_cast<const Graph&>(sheet.at(sheet.count(kAllKinds) - 1)).curves().at(0).sheetId;
    };
    EXPECT_EQ(curveSheet(other.sheet(0)), other.sheet(0).id());
    EXPECT_EQ(curveSheet(m_document.sheet(0)), m_document.sheet(0).id());
}

TEST_F(CommandsTest, PastedArcsJoinThePastedNodesAndDanglingOnesAreDropped) {
    NetObject* p = insertAt(ObjectKind::kDiscretePlace, gridPoint(5, 10));
    NetObject* t = insertAt(ObjectKind::kDiscreteTransition, gridPoint(25, 10));
    m_view->beginInsert(ObjectKind::kOrdinaryArc);
    drag(p->rect().centre(), t->rect().centre());
    m_view->selectAll();
    m_view->copy();
    m_view->paste();
    ASSERT_EQ(sheet().count(kArcKinds), 2u);
    auto* pasted = static_cast<Arc*>(objectsOf(kArcKinds)[1]);
    EXPECT_NE(pasted->from(), p);
    EXPECT_EQ(static_cast<NetNode*>(pasted->from())->index(), 2);
    EXPECT_EQ(static_cast<NetNode*>(pasted->to())->index(), 2);

    // Only the arc and the place: the arc has no transition to join.
    click(gridPoint(40, 40));
    click(p->rect().centre());
    click(objectsOf(kArcKinds)[0]->bounds().centre(), Qt::ShiftModifier);
    m_view->copy();
    m_view->paste();
    EXPECT_EQ(sheet().count(kArcKinds), 2u);
    EXPECT_EQ(sheet().count(kPlaceKinds), 3u);
}

TEST_F(CommandsTest, CutCopiesThenDeletesAndPutsAPictureOnTheSystemClipboard) {
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    QGuiApplication::clipboard()->clear();
    m_view->cut();
    EXPECT_EQ(sheet().size(), 0u);
    EXPECT_TRUE(m_view->canPaste());
    EXPECT_EQ(m_view->editor().history().undoLabel(), "Cut");
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat("image/svg+xml"));
    const QImage picture = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(picture.isNull());
    // The circle of 40 units plus its label, without handles poking out of it.
    EXPECT_GE(picture.width(), 40);
    EXPECT_LE(picture.height(), 44);
    (void)place;
    m_view->paste();
    EXPECT_EQ(sheet().count(kPlaceKinds), 1u);
}

TEST_F(CommandsTest, CommandsNeedingASelectionAreDisabledWithoutOne) {
    EXPECT_FALSE(m_view->hasSelection());
    EXPECT_FALSE(m_view->canUndo());
    m_view->deleteSelection();
    m_view->pasteFormat();
    m_view->rotate();
    EXPECT_FALSE(m_view->canUndo());
    insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    EXPECT_TRUE(m_view->hasSelection());
    m_view->deleteSelection();
    EXPECT_EQ(sheet().size(), 0u);
    EXPECT_FALSE(m_view->hasSelection());
}

TEST_F(CommandsTest, OnlyTheLastFiftyEditsCanBeUndoneAndANewEditEmptiesRedo) {
    for (int i = 0; i < 51; ++i)
        ASSERT_NE(insertAt(ObjectKind::kDiscretePlace, gridPoint(5 + (i % 10) * 6, 5 + (i / 10) * 6)), nullptr);
    EXPECT_EQ(m_view->editor().history().undoCount(), 50u);
    int undone = 0;
    while (m_view->canUndo()) {
        m_view->undo();
        ++undone;
    }
    EXPECT_EQ(undone, 50);
    EXPECT_EQ(sheet().count(kPlaceKinds), 1u);
    EXPECT_EQ(m_view->editor().history().redoCount(), 50u);

    m_view->redo();
    m_view->redo();
    EXPECT_EQ(sheet().count(kPlaceKinds), 3u);
    EXPECT_TRUE(m_view->canRedo());
    insertAt(ObjectKind::kDiscreteTransition, gridPoint(70, 70));
    EXPECT_FALSE(m_view->canRedo());
}

TEST_F(CommandsTest, UndoAndRedoRestoreTheObjectsExactly) {
    NetObject* p = insertAt(ObjectKind::kContinuousPlace, gridPoint(5, 10));
    NetObject* t = insertAt(ObjectKind::kContinuousTransition, gridPoint(25, 10));
    m_view->beginInsert(ObjectKind::kGeneralizedArc);
    drag(t->rect().centre(), p->rect().centre());
    const std::size_t count = sheet().size();
    m_view->selectAll();
    m_view->deleteSelection();
    EXPECT_EQ(sheet().size(), 0u);
    m_view->undo();
    ASSERT_EQ(sheet().size(), count);
    auto* arc = static_cast<Arc*>(objectsOf(kArcKinds).at(0));
    EXPECT_EQ(arc->kind(), ObjectKind::kGeneralizedArc);
    EXPECT_EQ(arc->from()->kind(), ObjectKind::kContinuousTransition);
    m_view->redo();
    EXPECT_EQ(sheet().size(), 0u);
    m_view->undo();
    EXPECT_EQ(sheet().size(), count);
}

TEST_F(CommandsTest, EditsMarkTheDocumentModifiedAndResetEverySimulation) {
    NetSheet& second = m_document.newSheet();
    m_document.setModified(false);
    sheet().setInitialised(true);
    second.setInitialised(true);
    int notices = 0;
    QObject::connect(m_view.get(), &SheetView::documentModified, [&] { ++notices; });
    insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    EXPECT_TRUE(m_document.isModified());
    EXPECT_FALSE(sheet().isInitialised());
    EXPECT_FALSE(second.isInitialised());
    EXPECT_EQ(notices, 1);

    // The zoom is not saved and changes neither; the grid is saved: it marks the document but
    // leaves the simulations alone.
    m_document.setModified(false);
    sheet().setInitialised(true);
    m_view->setZoom(50);
    EXPECT_FALSE(m_document.isModified());
    m_view->toggleGrid();
    EXPECT_FALSE(m_view->isGridShown());
    EXPECT_TRUE(m_document.isModified());
    EXPECT_TRUE(sheet().isInitialised());
}

TEST_F(CommandsTest, CopyFormatOfAPlaceGoesIntoPlacesInsertedAfterwards) {
    auto* place = static_cast<Place*>(insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10)));
    place->setInitialMarking(3);
    place->setRect(Rect::centredOn(place->rect().centre(), 60, 60));
    place->format().back = 0x0000FF;
    m_view->copyFormat();
    EXPECT_TRUE(m_document.isModified());
    auto* inserted = static_cast<Place*>(insertAt(ObjectKind::kDiscretePlace, gridPoint(40, 40)));
    ASSERT_NE(inserted, nullptr);
    EXPECT_EQ(inserted->initialMarking(), 3.0);
    EXPECT_EQ(inserted->shownMarking(), 3.0);
    EXPECT_EQ(inserted->rect().width(), 60);
    EXPECT_EQ(inserted->rect().centre(), gridPoint(40, 40));
    EXPECT_EQ(inserted->format().back, 0x0000FF);
    // The other family keeps its own template.
    auto* continuous = static_cast<Place*>(insertAt(ObjectKind::kContinuousPlace, gridPoint(60, 60)));
    EXPECT_EQ(continuous->initialMarking(), 0.0);
    EXPECT_EQ(continuous->rect().width(), 40);
}

TEST_F(CommandsTest, PasteFormatCopiesOnlyTheFormatOfEachKindsTemplate) {
    auto* a = static_cast<Transition*>(insertAt(ObjectKind::kDiscreteTransition, gridPoint(10, 10)));
    a->format().line = 0x00FF00;
    a->format().width = 3;
    a->setFt(7);
    m_view->copyFormat();
    auto* b = static_cast<Transition*>(insertAt(ObjectKind::kDiscreteTransition, gridPoint(40, 10)));
    b->format().line = 0;
    b->setFt(2);
    m_view->pasteFormat();
    EXPECT_EQ(b->format().line, 0x00FF00);
    EXPECT_EQ(b->format().width, 3);
    EXPECT_EQ(b->ft(), 2.0);
    EXPECT_EQ(m_view->editor().history().undoLabel(), "Paste Format");
}

TEST_F(CommandsTest, RotateIsEnabledByASelectedTransitionAndTurnsOnlyTransitions) {
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    NetObject* bar = insertAt(ObjectKind::kContinuousTransition, gridPoint(30, 10));
    click(place->rect().centre());
    EXPECT_FALSE(m_view->canRotate());
    click(bar->rect().centre(), Qt::ShiftModifier);
    EXPECT_TRUE(m_view->canRotate());
    const Rect placeBefore = place->rect();
    const Rect barBefore = bar->rect();
    m_view->rotate();
    EXPECT_EQ(place->rect(), placeBefore);
    EXPECT_EQ(bar->rect().width(), barBefore.height());
    EXPECT_EQ(bar->rect().height(), barBefore.width());
    EXPECT_EQ(m_view->editor().history().undoLabel(), "Rotate");
}

TEST_F(CommandsTest, RenumberGivesDiscreteNodesTheFirstIndices) {
    insertAt(ObjectKind::kContinuousPlace, gridPoint(10, 10));
    insertAt(ObjectKind::kDiscretePlace, gridPoint(20, 10));
    insertAt(ObjectKind::kContinuousPlace, gridPoint(30, 10));
    m_view->renumber();
    const auto places = objectsOf(kPlaceKinds);
    EXPECT_EQ(static_cast<NetNode*>(places[0])->index(), 2);
    EXPECT_EQ(static_cast<NetNode*>(places[1])->index(), 1);
    EXPECT_EQ(static_cast<NetNode*>(places[2])->index(), 3);
    EXPECT_EQ(m_view->editor().history().undoLabel(), "Renumber");
}

TEST_F(CommandsTest, PropertiesTakeThePlaceBeforeOtherSelectedKinds) {
    NetObject* bar = insertAt(ObjectKind::kDiscreteTransition, gridPoint(10, 10));
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(30, 10));
    m_view->selectAll();
    m_view->properties();
    EXPECT_EQ(m_dialogs.lastObject, place);
    EXPECT_TRUE(place->isSelected());
    EXPECT_FALSE(bar->isSelected());
}

TEST_F(CommandsTest, ObjectContextMenuActsOnTheObjectUnderThePointer) {
    NetObject* a = insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    NetObject* b = insertAt(ObjectKind::kDiscretePlace, gridPoint(30, 10));
    NetObject* bar = insertAt(ObjectKind::kDiscreteTransition, gridPoint(50, 10));
    std::vector<QString> texts;
    QTimer::singleShot(50, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        texts = actionTexts(*menu);
        menu->actions().at(0)->trigger();
        menu->close();
    });
    rightClick(a->rect().centre());
    EXPECT_EQ(texts, (std::vector<QString>{"Extend Selection", "Copy Format", "Paste Format", "Properties...", "",
                                           "Change Kind to Continuous"}));
    EXPECT_TRUE(a->isSelected());
    EXPECT_TRUE(b->isSelected());
    EXPECT_FALSE(bar->isSelected());

    QTimer::singleShot(50, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    rightClick(bar->rect().centre(), Qt::ShiftModifier);
    EXPECT_TRUE(a->isSelected());
    EXPECT_TRUE(bar->isSelected());
}

TEST_F(CommandsTest, BackgroundContextMenuOffersPasteDuplicateAndNetProperties) {
    insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    int duplicates = 0;
    QObject::connect(m_view.get(), &SheetView::duplicateSheetRequested, [&] { ++duplicates; });
    std::vector<QString> texts;
    bool pasteEnabled = true;
    QTimer::singleShot(50, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        texts = actionTexts(*menu);
        pasteEnabled = menu->actions().at(0)->isEnabled();
        menu->actions().at(1)->trigger();
        menu->close();
    });
    rightClick(gridPoint(50, 50));
    EXPECT_EQ(texts, (std::vector<QString>{"Paste", "Duplicate PN", "Properties..."}));
    EXPECT_FALSE(pasteEnabled);
    EXPECT_EQ(duplicates, 1);
    EXPECT_FALSE(m_view->hasSelection());
}

TEST_F(CommandsTest, ChangeKindFromTheContextMenuKeepsConnectionsAndCanBeUndone) {
    Place* place = static_cast<Place*>(insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10)));
    NetObject* bar = insertAt(ObjectKind::kDiscreteTransition, gridPoint(30, 10));
    NetObject* other = insertAt(ObjectKind::kContinuousTransition, gridPoint(30, 30));
    place->setName("Tank");
    place->setInitialMarking(4);
    m_view->beginInsert(ObjectKind::kOrdinaryArc);
    drag(place->rect().centre(), bar->rect().centre());
    m_view->beginInsert(ObjectKind::kOrdinaryArc);
    drag(other->rect().centre(), place->rect().centre());
    ASSERT_EQ(objectsOf(kArcKinds).size(), 2u);
    const Rect where = place->rect();

    // Chooses the menu's last item on the object under the point.
    const auto changeKindAt = [this](Point p) {
        QString chosen;
        QTimer::singleShot(50, [&chosen] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            chosen = menu->actions().back()->text();
            menu->actions().back()->trigger();
            menu->close();
        });
        rightClick(p);
        return chosen;
    };
    EXPECT_EQ(changeKindAt(where.centre()), "Change Kind to Continuous");
    const std::vector<NetObject*> places = objectsOf(kPlaceKinds);
    ASSERT_EQ(places.size(), 1u);
    auto* changed = static_cast<Place*>(places[0]);
    EXPECT_EQ(changed->kind(), ObjectKind::kContinuousPlace);
    EXPECT_EQ(changed->index(), 1);
    EXPECT_EQ(changed->name(), "Tank");
    EXPECT_EQ(changed->initialMarking(), 4);
    EXPECT_EQ(changed->rect(), where);
    EXPECT_TRUE(changed->isSelected());
    ASSERT_EQ(changed->outputArcs().size(), 1u);
    ASSERT_EQ(changed->inputArcs().size(), 1u);
    EXPECT_EQ(changed->outputArcs()[0]->to(), bar);
    EXPECT_EQ(changed->inputArcs()[0]->from(), other);
    EXPECT_TRUE(m_document.isModified());

    // The arc between them becomes generalized and stays between the same nodes.
    Arc* arc = changed->outputArcs()[0];
    const Point onArc{(arc->from()->rect().centre().x + arc->to()->rect().centre().x) / 2,
                      (arc->from()->rect().centre().y + arc->to()->rect().centre().y) / 2};
    EXPECT_EQ(changeKindAt(onArc), "Change Kind to Generalized");
    ASSERT_EQ(changed->outputArcs().size(), 1u);
    EXPECT_EQ(changed->outputArcs()[0]->kind(), ObjectKind::kGeneralizedArc);
    EXPECT_EQ(changed->outputArcs()[0]->to(), bar);
    EXPECT_EQ(objectsOf(kArcKinds).size(), 2u);

    m_view->undo();
    m_view->undo();
    const std::vector<NetObject*> restored = objectsOf(kPlaceKinds);
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0]->kind(), ObjectKind::kDiscretePlace);
    EXPECT_EQ(static_cast<Place*>(restored[0])->outputArcs().size(), 1u);
    EXPECT_EQ(static_cast<Place*>(restored[0])->outputArcs()[0]->kind(), ObjectKind::kOrdinaryArc);
}

TEST_F(CommandsTest, PlacesAndTransitionsTellNameKindAndShownValuesInTheirToolTips) {
    auto* place = static_cast<Place*>(insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10)));
    auto* bar = static_cast<Transition*>(insertAt(ObjectKind::kContinuousTransition, gridPoint(30, 10)));
    place->setName("Tank");
    place->setShownMarking(3);
    bar->setFt(2);
    bar->setShownValue(1.5);
    EXPECT_EQ(objectToolTip(*place), "P1 Tank\nPlace Discrete\nMarking: 3");
    place->setShownMarking(-1);
    EXPECT_EQ(objectToolTip(*place), "P1 Tank\nPlace Discrete\nMarking: 0+");
    EXPECT_EQ(objectToolTip(*bar), "T1\nTransition Constant Maximal Speed\nSpeed value: 2\nInstantaneous speed: 1.5");
    EXPECT_TRUE(objectToolTip(Graph()).isEmpty());

    // Hovering over the transition shows its tool tip; over the background none.
    const QPoint over = at(bar->rect().centre());
    QHelpEvent help(QEvent::ToolTip, over, viewport()->mapToGlobal(over));
    QApplication::sendEvent(viewport(), &help);
    EXPECT_EQ(QToolTip::text(), objectToolTip(*bar));
    const QPoint empty = at(gridPoint(60, 60));
    QHelpEvent nothing(QEvent::ToolTip, empty, viewport()->mapToGlobal(empty));
    QApplication::sendEvent(viewport(), &nothing);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

} // namespace
} // namespace tokarium::test
