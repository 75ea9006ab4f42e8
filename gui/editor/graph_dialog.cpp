// The "Graphs" dialog.
#include "gui/editor/graph_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/editor/dialog_values.h"
#include "gui/editor/painter_surface.h"

namespace tokarium {
namespace {

// A curve made to plot something else forgets the samples and the binding of what it plotted.
void forgetRunData(GraphCurve& curve) {
    curve.boundSheet = nullptr;
    curve.boundPlace = nullptr;
    curve.times.clear();
    curve.beforeValues.clear();
    curve.afterValues.clear();
}

} // namespace

GraphDialog::GraphDialog(QWidget* parent, const NetDocument* document, const NetSheet& sheet, Graph& graph)
    : QDialog(parent), m_graph(graph), m_sheet(sheet), m_curves(graph.curves()) {
    setWindowTitle(tr("Graphs"));
    const ObjectFormat& format = graph.format();
    m_title = new QLineEdit(fromModelText(graph.title()), this);

    auto* formatGroup = new QGroupBox(tr("Format"), this);
    m_fill = new ColourPicker(format.back, true, formatGroup);
    m_text = new ColourPicker(format.fore, false, formatGroup);
    m_border = new ColourPicker(format.line, true, formatGroup);
    m_width = new LineWidthBox(format.width, formatGroup);
    m_frame = new FrameShapeBox(format.style, formatGroup);
    auto* formatForm = new QFormLayout(formatGroup);
    formatForm->addRow(tr("Fill:"), m_fill);
    formatForm->addRow(tr("Text:"), m_text);
    formatForm->addRow(tr("Border:"), m_border);
    formatForm->addRow(tr("Width:"), m_width);
    formatForm->addRow(tr("Frame:"), m_frame);

    auto* displayGroup = new QGroupBox(tr("Display"), this);
    m_axis = new QCheckBox(tr("Axis"), displayGroup);
    m_axis->setChecked((format.display & kGraphShowAxis) != 0);
    m_grid = new QCheckBox(tr("Grid"), displayGroup);
    m_grid->setChecked((format.display & kGraphShowGrid) != 0);
    m_abscissa = new QLineEdit(fromModelText(graph.xLabel()), displayGroup);
    m_ordinate = new QLineEdit(fromModelText(graph.yLabel()), displayGroup);
    auto* displayForm = new QFormLayout(displayGroup);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_axis);
    checks->addWidget(m_grid);
    displayForm->addRow(checks);
    displayForm->addRow(tr("Abscissa:"), m_abscissa);
    displayForm->addRow(tr("Ordinate:"), m_ordinate);

    auto* curvesGroup = new QGroupBox(tr("Graphs"), this);
    m_curveList = new QListWidget(curvesGroup);
    m_sheetBox = new QComboBox(curvesGroup);
    if (document) {
        for (const auto& each : document->sheets())
            m_sheetBox->addItem(fromModelText(each->name()), each->id());
    } else {
        m_sheetBox->addItem(fromModelText(sheet.name()), sheet.id());
    }
    m_place = new QLineEdit(curvesGroup);
    m_place->installEventFilter(this);
    m_curveColour = new ColourPicker(kBlack, false, curvesGroup);
    m_add = new QPushButton(tr("Add"), curvesGroup);
    m_delete = new QPushButton(tr("Delete"), curvesGroup);
    auto* curveFields = new QFormLayout;
    curveFields->addRow(tr("PN:"), m_sheetBox);
    curveFields->addRow(tr("Place:"), m_place);
    curveFields->addRow(tr("Color:"), m_curveColour);
    auto* curveButtons = new QHBoxLayout;
    curveButtons->addWidget(m_add);
    curveButtons->addWidget(m_delete);
    auto* curvesLayout = new QVBoxLayout(curvesGroup);
    curvesLayout->addWidget(m_curveList);
    curvesLayout->addLayout(curveFields);
    curvesLayout->addLayout(curveButtons);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &GraphDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &GraphDialog::reject);

    auto* titleForm = new QFormLayout;
    titleForm->addRow(tr("Title:"), m_title);
    auto* groups = new QGridLayout;
    groups->addWidget(formatGroup, 0, 0);
    groups->addWidget(displayGroup, 1, 0);
    groups->addWidget(curvesGroup, 0, 1, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleForm);
    layout->addLayout(groups);
    layout->addWidget(m_buttons);

    connect(m_curveList, &QListWidget::currentRowChanged, this, &GraphDialog::showSelection);
    connect(m_sheetBox, &QComboBox::activated, this, &GraphDialog::pickSheet);
    connect(m_curveColour, &ColourPicker::colourPicked, this, [this](Colour colour) {
        if (GraphCurve* curve = selectedCurve()) {
            curve->colour = colour;
            updateCurveRow(m_curveList->currentRow());
        }
    });
    connect(m_add, &QPushButton::clicked, this, &GraphDialog::addCurve);
    connect(m_delete, &QPushButton::clicked, this, &GraphDialog::deleteCurve);
    refillCurveList(-1);
}

GraphCurve* GraphDialog::selectedCurve() {
    const int row = m_curveList->currentRow();
    if (row < 0 || row >= static_cast<int>(m_curves.size()))
        return nullptr;
    return &m_curves[static_cast<std::size_t>(row)];
}

void GraphDialog::showSelection() {
    const GraphCurve* curve = selectedCurve();
    const bool selected = curve != nullptr;
    m_place->setText(selected ? QString::number(curve->placeIndex) : QString());
    m_sheetBox->setCurrentIndex(selected ? m_sheetBox->findData(curve->sheetId) : -1);
    m_curveColour->setColour(selected ? curve->colour : kBlack);
    m_place->setEnabled(selected);
    m_curveColour->setEnabled(selected);
    m_delete->setEnabled(selected);
}

void GraphDialog::refillCurveList(int selection) {
    m_curveList->clear();
    for (std::size_t i = 0; i < m_curves.size(); ++i) {
        m_curveList->addItem(QString());
        updateCurveRow(static_cast<int>(i));
    }
    m_curveList->setCurrentRow(selection);
    showSelection();
}

void GraphDialog::updateCurveRow(int row) {
    QListWidgetItem* item = m_curveList->item(row);
    if (!item)
        return;
    const GraphCurve& curve = m_curves[static_cast<std::size_t>(row)];
    item->setText(QString::number(curve.placeIndex));
    item->setForeground(toQColor(curve.colour));
}

bool GraphDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_place && event->type() == QEvent::FocusOut)
        storePlaceText();
    return QDialog::eventFilter(watched, event);
}

void GraphDialog::storePlaceText() {
    GraphCurve* curve = selectedCurve();
    if (!curve)
        return;
    const std::int32_t index = integerFromText(m_place->text());
    if (index != curve->placeIndex) {
        curve->placeIndex = index;
        forgetRunData(*curve);
    }
    updateCurveRow(m_curveList->currentRow());
}

void GraphDialog::pickSheet(int position) {
    GraphCurve* curve = selectedCurve();
    if (!curve || position < 0)
        return;
    const std::int32_t id = m_sheetBox->itemData(position).toInt();
    if (id != curve->sheetId) {
        curve->sheetId = id;
        forgetRunData(*curve);
    }
}

void GraphDialog::addCurve() {
    storePlaceText();
    GraphCurve curve;
    if (const GraphCurve* selected = selectedCurve()) {
        curve.placeIndex = selected->placeIndex;
        curve.colour = selected->colour;
    }
    curve.sheetId = m_sheet.id();
    m_curves.push_back(curve);
    refillCurveList(static_cast<int>(m_curves.size()) - 1);
}

void GraphDialog::deleteCurve() {
    const int row = m_curveList->currentRow();
    if (row < 0 || row >= static_cast<int>(m_curves.size()))
        return;
    m_curves.erase(m_curves.begin() + row);
    const int last = static_cast<int>(m_curves.size()) - 1;
    refillCurveList(row > last ? last : row);
}

void GraphDialog::accept() {
    storePlaceText();
    GraphValues values{toModelText(m_title->text()), toModelText(m_abscissa->text()),
                       toModelText(m_ordinate->text()), m_graph.format(), m_curves};
    values.format.back = m_fill->colour();
    values.format.fore = m_text->colour();
    values.format.line = m_border->colour();
    values.format.width = m_width->width();
    values.format.style = m_frame->style();
    values.format.display =
        (m_axis->isChecked() ? kGraphShowAxis : 0) | (m_grid->isChecked() ? kGraphShowGrid : 0);
    applyGraphValues(m_graph, values);
    QDialog::accept();
}

} // namespace tokarium
