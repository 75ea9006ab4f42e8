// The "Graphs" dialog of a Graph object: title, format, display options and the curves.
#pragma once

#include <QDialog>
#include <vector>

#include "gui/editor/dialog_fields.h"
#include "gui/model/graph.h"
#include "gui/model/net_document.h"

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tokarium {

// Works on a copy of the curves: selecting a curve fills "PN:", "Place:" and "Color:"; changing them
// updates the selected curve; "Add" appends a copy of the selected curve (or a blank one) plotting on the
// graph's own sheet; "Delete" removes the selected curve. OK stores every field and replaces the
// graph's curves with the copy; Cancel leaves the graph unchanged.
class GraphDialog : public QDialog {
    Q_OBJECT

public:
    // "PN:" lists the document's sheets, or only the graph's sheet when there is no document.
    GraphDialog(QWidget* parent, const NetDocument* document, const NetSheet& sheet, Graph& graph);

    const std::vector<GraphCurve>& workingCurves() const { return m_curves; }

    QLineEdit* titleField() const { return m_title; }
    ColourPicker* fillPicker() const { return m_fill; }
    ColourPicker* textPicker() const { return m_text; }
    ColourPicker* borderPicker() const { return m_border; }
    LineWidthBox* widthBox() const { return m_width; }
    FrameShapeBox* frameBox() const { return m_frame; }
    QCheckBox* axisBox() const { return m_axis; }
    QCheckBox* gridBox() const { return m_grid; }
    QLineEdit* abscissaField() const { return m_abscissa; }
    QLineEdit* ordinateField() const { return m_ordinate; }
    QLineEdit* placeField() const { return m_place; }
    ColourPicker* curveColourPicker() const { return m_curveColour; }
    QListWidget* curveList() const { return m_curveList; }
    QComboBox* sheetBox() const { return m_sheetBox; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* deleteButton() const { return m_delete; }
    QDialogButtonBox* buttons() const { return m_buttons; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GraphCurve* selectedCurve();
    void showSelection();
    void refillCurveList(int selection);
    void updateCurveRow(int row);
    void storePlaceText();
    void pickSheet(int position);
    void addCurve();
    void deleteCurve();

    Graph& m_graph;
    const NetSheet& m_sheet;
    std::vector<GraphCurve> m_curves;
    QLineEdit* m_title = nullptr;
    ColourPicker* m_fill = nullptr;
    ColourPicker* m_text = nullptr;
    ColourPicker* m_border = nullptr;
    LineWidthBox* m_width = nullptr;
    FrameShapeBox* m_frame = nullptr;
    QCheckBox* m_axis = nullptr;
    QCheckBox* m_grid = nullptr;
    QLineEdit* m_abscissa = nullptr;
    QLineEdit* m_ordinate = nullptr;
    QLineEdit* m_place = nullptr;
    ColourPicker* m_curveColour = nullptr;
    QListWidget* m_curveList = nullptr;
    QComboBox* m_sheetBox = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace tokarium
