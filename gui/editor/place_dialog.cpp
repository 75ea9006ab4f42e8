// The place dialog.
#include "gui/editor/place_dialog.h"

#include <QFormLayout>
#include <QLineEdit>

#include "gui/editor/dialog_constants.h"
#include "gui/editor/number_field.h"
#include "gui/model/model_constants.h"

namespace tokarium {
namespace {

constexpr const char* kInfinitesimalText = "0+";

QLineEdit* readOnlyField(const QString& text, QWidget* parent) {
    auto* field = new QLineEdit(text, parent);
    field->setReadOnly(true);
    return field;
}

} // namespace

double markingFromText(const QString& text) {
    if (text.trimmed() == QLatin1String(kInfinitesimalText))
        return kInfinitesimalMarking;
    return realFromText(text);
}

PlaceDialog::PlaceDialog(QWidget* parent, NetSheet& sheet, Place& place, DialogMessenger messenger)
    : NodeDialog(parent, placeValues(place).node,
                 tr("Place") + ' ' + (place.isContinuous() ? tr("Continuous") : tr("Discrete")),
                 tr(kPlaceIndexUsed), std::move(messenger)),
      m_sheet(sheet), m_place(place) {
    m_initial = new QLineEdit(QString::fromStdString(markingText(place.initialMarking())), this);
    m_before = readOnlyField(QString::fromStdString(markingText(place.workingMarking())), this);
    m_after = readOnlyField(QString::fromStdString(markingText(place.shownMarking())), this);
    form()->addRow(tr("Initial:"), m_initial);
    constrainField(*form(), *m_initial, markingForm(place.isContinuous()));
    form()->addRow(tr("Before:"), m_before);
    form()->addRow(tr("After:"), m_after);
}

bool PlaceDialog::applyValues(const NodeValues& values) {
    return applyPlaceValues(m_sheet, m_place, PlaceValues{values, markingFromText(m_initial->text())});
}

} // namespace tokarium
