// The "Graphs" dialog: curves edited on a copy, fields stored on OK only.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "dialog_support.h"
#include "gui/editor/graph_dialog.h"
#include "gui/model/graph.h"
#include "gui/model/net_document.h"

namespace tokarium::test {
namespace {

GraphCurve curve(std::int32_t sheetId, std::int32_t placeIndex, Colour colour) {
    GraphCurve made;
    made.sheetId = sheetId;
    made.placeIndex = placeIndex;
    made.colour = colour;
    return made;
}

class GraphDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_document.newDocument();
        m_document.setRandomSeed(7);
        m_document.newSheet();
        m_own = &m_document.sheet(0);
        m_other = &m_document.sheet(1);
        m_graph.curves().push_back(curve(m_other->id(), 4, 0x0000FF));
    }

    NetDocument m_document;
    NetSheet* m_own = nullptr;
    NetSheet* m_other = nullptr;
    Graph m_graph;
};

TEST_F(GraphDialogTest, SelectingACurveFillsItsFields) {
    GraphDialog dialog(nullptr, &m_document, *m_own, m_graph);
    showActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Graphs");
    ASSERT_EQ(dialog.curveList()->count(), 1);
    EXPECT_EQ(dialog.curveList()->item(0)->text(), "4");
    EXPECT_EQ(dialog.curveList()->item(0)->foreground().color(), QColor(0xFF, 0, 0));
    EXPECT_EQ(dialog.sheetBox()->count(), 2);
    EXPECT_TRUE(dialog.placeField()->text().isEmpty());
    EXPECT_FALSE(dialog.placeField()->isEnabled());
    EXPECT_FALSE(dialog.curveColourPicker()->isEnabled());
    EXPECT_FALSE(dialog.deleteButton()->isEnabled());

    dialog.curveList()->setCurrentRow(0);
    EXPECT_EQ(dialog.placeField()->text(), "4");
    EXPECT_EQ(dialog.sheetBox()->currentData().toInt(), m_other->id());
    EXPECT_EQ(dialog.curveColourPicker()->colour(), 0x0000FF);
    EXPECT_TRUE(dialog.placeField()->isEnabled());
    EXPECT_TRUE(dialog.deleteButton()->isEnabled());
    EXPECT_EQ(dialog.curveColourPicker()->transparentAction(), nullptr);
    EXPECT_NE(dialog.fillPicker()->transparentAction(), nullptr);
    EXPECT_NE(dialog.borderPicker()->transparentAction(), nullptr);
}

TEST_F(GraphDialogTest, AddAndDeleteWorkOnACopyThatCancelDiscards) {
    GraphDialog dialog(nullptr, &m_document, *m_own, m_graph);
    showActive(dialog);
    QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
    ASSERT_EQ(dialog.workingCurves().size(), 2u);
    EXPECT_EQ(dialog.curveList()->currentRow(), 1);
    EXPECT_EQ(dialog.workingCurves()[1].sheetId, m_own->id());
    EXPECT_EQ(dialog.workingCurves()[1].placeIndex, 0);
    typeInto(dialog.placeField(), "6", dialog.titleField());
    EXPECT_EQ(dialog.workingCurves()[1].placeIndex, 6);
    EXPECT_EQ(dialog.curveList()->item(1)->text(), "6");

    QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
    ASSERT_EQ(dialog.workingCurves().size(), 3u);
    EXPECT_EQ(dialog.workingCurves()[2].placeIndex, 6);
    QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.workingCurves().size(), 2u);
    EXPECT_EQ(dialog.curveList()->currentRow(), 1);
    saveScreenshot(dialog, "graph_dialog");

    clickCancel(dialog.buttons());
    ASSERT_EQ(m_graph.curves().size(), 1u);
    EXPECT_EQ(m_graph.curves()[0].placeIndex, 4);
    EXPECT_EQ(m_graph.curves()[0].sheetId, m_other->id());
}

TEST_F(GraphDialogTest, OkStoresTheFieldsAndTheEditedCurves) {
    GraphDialog dialog(nullptr, &m_document, *m_own, m_graph);
    showActive(dialog);
    typeInto(dialog.titleField(), "Stock");
    typeInto(dialog.abscissaField(), "t");
    typeInto(dialog.ordinateField(), "m");
    dialog.axisBox()->setChecked(true);
    dialog.gridBox()->setChecked(true);
    dialog.frameBox()->setCurrentIndex(2);
    dialog.fillPicker()->transparentAction()->trigger();

    dialog.curveList()->setCurrentRow(0);
    dialog.sheetBox()->setFocus();
    QTest::keyClick(dialog.sheetBox(), Qt::Key_Up);
    EXPECT_EQ(dialog.workingCurves()[0].sheetId, m_own->id());
    QTest::mouseClick(dialog.curveColourPicker()->swatch(11), Qt::LeftButton);
    typeInto(dialog.placeField(), "x2");

    clickOk(dialog.buttons());
    EXPECT_EQ(m_graph.title(), "Stock");
    EXPECT_EQ(m_graph.xLabel(), "t");
    EXPECT_EQ(m_graph.yLabel(), "m");
    EXPECT_EQ(m_graph.format().display, kGraphShowAxis | kGraphShowGrid);
    EXPECT_EQ(m_graph.format().style, 2);
    EXPECT_EQ(m_graph.format().back, kNoColour);
    ASSERT_EQ(m_graph.curves().size(), 1u);
    EXPECT_EQ(m_graph.curves()[0].sheetId, m_own->id());
    EXPECT_EQ(m_graph.curves()[0].colour, 0x008000);
    EXPECT_EQ(m_graph.curves()[0].placeIndex, 0);
}

TEST_F(GraphDialogTest, DeletingTheLastCurveSelectsTheOneBefore) {
    m_graph.curves().push_back(curve(m_own->id(), 5, 0));
    GraphDialog dialog(nullptr, &m_document, *m_own, m_graph);
    showActive(dialog);
    dialog.curveList()->setCurrentRow(1);
    QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.curveList()->currentRow(), 0);
    EXPECT_EQ(dialog.placeField()->text(), "4");
    QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.curveList()->count(), 0);
    EXPECT_FALSE(dialog.deleteButton()->isEnabled());
    EXPECT_TRUE(dialog.placeField()->text().isEmpty());
    EXPECT_EQ(m_graph.curves().size(), 2u);
}

} // namespace
} // namespace tokarium::test
