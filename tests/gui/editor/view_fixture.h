// A shown SheetView on a one-sheet document, with helpers that send real mouse events at logical points.
#pragma once

#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "gui/editor/editor_session.h"
#include "gui/editor/object_properties.h"
#include "gui/editor/page_geometry.h"
#include "gui/editor/sheet_view.h"
#include "gui/model/net_document.h"

namespace tokarium::test {

// Property dialogs that do what the test says instead of showing a window.
class ScriptedDialogs : public ObjectPropertiesEditor {
public:
    std::function<bool(NetObject&)> onEdit = [](NetObject&) { return true; };
    int calls = 0;
    NetObject* lastObject = nullptr;

    bool edit(QWidget*, NetSheet&, NetObject& object) override {
        ++calls;
        lastObject = &object;
        return onEdit(object);
    }
};

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override;

    NetSheet& sheet() { return m_document.sheet(0); }
    QWidget* viewport() { return m_view->viewport(); }
    QPoint at(Point logical) { return m_view->toWindow(QPoint(logical.x, logical.y)); }

    void click(Point p, Qt::KeyboardModifiers modifiers = {});
    void rightClick(Point p, Qt::KeyboardModifiers modifiers = {});
    void press(Point p, Qt::KeyboardModifiers modifiers = {});
    void moveTo(Point p);
    void release(Point p, Qt::KeyboardModifiers modifiers = {});
    // Press, one move and release: a drag from a to b.
    void drag(Point a, Point b, Qt::KeyboardModifiers modifiers = {});

    // Arms the insertion of the kind and clicks at the point; returns the object added, or none.
    NetObject* insertAt(ObjectKind kind, Point p);
    std::vector<NetObject*> objectsOf(KindMask kinds);

    // The grid origin and a point k, m grid steps from it.
    Point gridPoint(int k, int m);

    NetDocument m_document;
    EditorSession m_session;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<SheetView> m_view;
};

} // namespace tokarium::test
