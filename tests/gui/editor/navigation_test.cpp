// Zooming with Ctrl + wheel around the pointer, fitting the page to the window, and panning.
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdlib>

#include "gui/editor/editor_constants.h"
#include "tests/gui/editor/view_fixture.h"

namespace tokarium::test {
namespace {

class NavigationTest : public ViewTest {
protected:
    void wheel(QPoint at, int turn, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, viewport()->mapToGlobal(at), QPoint(), QPoint(0, turn), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport(), &event);
    }
    QPoint scroll() const { return {m_view->horizontalScrollBar()->value(), m_view->verticalScrollBar()->value()}; }
};

TEST_F(NavigationTest, CtrlWheelStepsThroughTheZoomLevelsKeepingThePointUnderThePointer) {
    m_view->setZoom(100);
    m_view->horizontalScrollBar()->setValue(300);
    m_view->verticalScrollBar()->setValue(400);
    struct Case {
        QPoint at;
        int turn;
        int zoom;
    };
    // Notches up and down; small turns add up to a notch; one notch past the last level does nothing.
    const Case cases[] = {
        {{450, 350}, 120, 150}, {{100, 80}, 120, 200},  {{700, 500}, -240, 100}, {{300, 600}, 60, 100},
        {{300, 600}, 60, 150},  {{20, 30}, -360, 50},   {{640, 200}, 120, 75},   {{5, 5}, -120, 50},
        {{5, 5}, -120, 25},     {{400, 300}, -120, 25},
    };
    int fixedChecks = 0;
    for (const Case& c : cases) {
        const QPoint before = m_view->toLogical(c.at);
        wheel(c.at, c.turn, Qt::ControlModifier);
        EXPECT_EQ(m_view->zoom(), c.zoom) << c.at.x() << "," << c.at.y() << " turn " << c.turn;
        // The point stays put in each direction unless the page's scroll range stopped the scrolling.
        const QPoint after = m_view->toLogical(c.at);
        for (QScrollBar* bar : {m_view->horizontalScrollBar(), m_view->verticalScrollBar()}) {
            if (bar->value() == bar->minimum() || bar->value() == bar->maximum())
                continue;
            const bool across = bar == m_view->horizontalScrollBar();
            EXPECT_LE(std::abs(across ? after.x() - before.x() : after.y() - before.y()), 1)
                << c.at.x() << "," << c.at.y() << " turn " << c.turn;
            ++fixedChecks;
        }
    }
    EXPECT_GE(fixedChecks, 8);
    EXPECT_FALSE(m_document.isModified());

    // Without Ctrl the wheel scrolls and leaves the zoom alone.
    m_view->setZoom(200);
    m_view->verticalScrollBar()->setValue(500);
    const QPoint scrolled = scroll();
    wheel({300, 300}, -120, Qt::NoModifier);
    EXPECT_EQ(m_view->zoom(), 200);
    EXPECT_GT(scroll().y(), scrolled.y());
}

TEST_F(NavigationTest, FitToWindowShowsTheWholePageAtTheLargestZoomThatFits) {
    for (const QSize size : {QSize(900, 700), QSize(400, 900), QSize(1600, 300)}) {
        m_view->resize(size);
        m_view->setZoom(500);
        m_view->fitToWindow();
        const Rect page = pageRect(sheet());
        const int zoom = m_view->zoom();
        const QSize visible = viewport()->size();
        EXPECT_EQ(m_view->horizontalScrollBar()->maximum(), 0) << size.width() << "x" << size.height();
        EXPECT_EQ(m_view->verticalScrollBar()->maximum(), 0) << size.width() << "x" << size.height();
        // One percent more and the page would no longer fit one of the directions.
        EXPECT_TRUE(mulDiv(page.width(), zoom + 1, 100) > visible.width() ||
                    mulDiv(page.height(), zoom + 1, 100) > visible.height());
    }
}

TEST_F(NavigationTest, MiddleDragAndSpaceDragPanWithoutEditing) {
    NetObject* place = insertAt(ObjectKind::kDiscretePlace, gridPoint(40, 40));
    ASSERT_NE(place, nullptr);
    click(gridPoint(5, 5));
    ASSERT_FALSE(m_view->hasSelection());
    m_view->setZoom(200);
    m_view->horizontalScrollBar()->setValue(500);
    m_view->verticalScrollBar()->setValue(500);
    const Rect bounds = place->bounds();
    const QPoint on = at({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});

    QTest::mousePress(viewport(), Qt::MiddleButton, {}, on);
    QTest::mouseMove(viewport(), on + QPoint(-40, 30));
    QTest::mouseRelease(viewport(), Qt::MiddleButton, {}, on + QPoint(-40, 30));
    EXPECT_EQ(scroll(), QPoint(540, 470));

    QTest::keyPress(m_view.get(), Qt::Key_Space);
    const QPoint now = at({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
    QTest::mousePress(viewport(), Qt::LeftButton, {}, now);
    QTest::mouseMove(viewport(), now + QPoint(25, 25));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, now + QPoint(25, 25));
    QTest::keyRelease(m_view.get(), Qt::Key_Space);
    EXPECT_EQ(scroll(), QPoint(515, 445));
    // The place under the pointer was neither moved nor selected.
    EXPECT_EQ(place->bounds(), bounds);
    EXPECT_FALSE(m_view->hasSelection());
}

} // namespace
} // namespace tokarium::test
