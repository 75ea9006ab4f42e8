// Test helpers driving a SheetView through QTest mouse events.
#include "view_fixture.h"

namespace tokarium::test {

void ViewTest::SetUp() {
    m_document.newDocument();
    m_session.propertiesEditor = &m_dialogs;
    m_view = std::make_unique<SheetView>(m_document, sheet(), m_session);
    m_view->resize(900, 700);
    m_view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
}

void ViewTest::click(Point p, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(viewport(), Qt::LeftButton, modifiers, at(p));
}

void ViewTest::rightClick(Point p, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(viewport(), Qt::RightButton, modifiers, at(p));
}

void ViewTest::press(Point p, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(viewport(), Qt::LeftButton, modifiers, at(p));
}

void ViewTest::moveTo(Point p) {
    QTest::mouseMove(viewport(), at(p));
}

void ViewTest::release(Point p, Qt::KeyboardModifiers modifiers) {
    QTest::mouseRelease(viewport(), Qt::LeftButton, modifiers, at(p));
}

void ViewTest::drag(Point a, Point b, Qt::KeyboardModifiers modifiers) {
    press(a, modifiers);
    moveTo(b);
    release(b, modifiers);
}

NetObject* ViewTest::insertAt(ObjectKind kind, Point p) {
    const std::size_t before = sheet().size();
    m_view->beginInsert(kind);
    moveTo(p);
    click(p);
    return sheet().size() > before ? &sheet().at(sheet().size() - 1) : nullptr;
}

std::vector<NetObject*> ViewTest::objectsOf(KindMask kinds) {
    std::vector<NetObject*> found;
    for (NetObject* object : sheet().objects(kinds))
        found.push_back(object);
    return found;
}

Point ViewTest::gridPoint(int k, int m) {
    const Rect area = drawableArea(sheet());
    const std::int32_t g = sheet().grid().step;
    return {area.left + k * g, area.top + m * g};
}

} // namespace tokarium::test
