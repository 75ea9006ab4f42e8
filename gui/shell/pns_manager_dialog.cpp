// The PNs Manager dialog over a SheetListEditor; the list widget's row order is the new net order.
#include "gui/shell/pns_manager_dialog.h"

#include <algorithm>
#include <memory>

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "gui/shell/qt_text.h"

namespace tokarium {

namespace {

constexpr int kSheetRole = Qt::UserRole;

const NetSheet* sheetOf(const QListWidgetItem* item) {
    return static_cast<const NetSheet*>(item->data(kSheetRole).value<const void*>());
}

} // namespace

PnsManagerDialog::PnsManagerDialog(const NetDocument& document, const NetSheet* activeSheet, QWidget* parent)
    : QDialog(parent), m_editor(document, activeSheet), m_list(new QListWidget(this)), m_name(new QLineEdit(this)),
      m_delete(new QPushButton(tr("Delete"), this)), m_up(new QPushButton(tr("Move Up"), this)),
      m_down(new QPushButton(tr("Move Down"), this)) {
    setWindowTitle(tr("PNs Manager"));
    for (const SheetListEntry& entry : m_editor.entries()) {
        auto* item = new QListWidgetItem(fromLatin1Text(entry.name), m_list);
        item->setData(kSheetRole, QVariant::fromValue(static_cast<const void*>(entry.sheet)));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* side = new QVBoxLayout;
    side->addWidget(m_delete);
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(m_list);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(m_name);
    layout->addWidget(buttons);

    m_list->setCurrentRow(m_editor.selection());
    m_name->setText(fromLatin1Text(m_editor.selectedName()));
    connect(m_list, &QListWidget::currentRowChanged, this, &PnsManagerDialog::selectRow);
    connect(m_name, &QLineEdit::textEdited, this, &PnsManagerDialog::rename);
    connect(m_delete, &QPushButton::clicked, this, &PnsManagerDialog::deleteSelected);
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateButtons();
}

int PnsManagerDialog::entryOfRow(int row) const {
    const QListWidgetItem* item = m_list->item(row);
    if (!item)
        return -1;
    const auto& entries = m_editor.entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].sheet == sheetOf(item))
            return static_cast<int>(i);
    return -1;
}

void PnsManagerDialog::selectRow(int row) {
    m_editor.select(entryOfRow(row));
    m_name->setText(fromLatin1Text(m_editor.selectedName()));
    updateButtons();
}

void PnsManagerDialog::rename(const QString& text) {
    m_editor.rename(toLatin1Text(text));
    if (QListWidgetItem* item = m_list->currentItem())
        item->setText(fromLatin1Text(m_editor.selectedName()));
}

void PnsManagerDialog::deleteSelected() {
    const int row = m_list->currentRow();
    if (!m_editor.canDelete() || row < 0)
        return;
    m_editor.deleteSelected();
    {
        // The row goes with its entry; the selection is set below once, on the row that took its place.
        const QSignalBlocker blocker(m_list);
        std::unique_ptr<QListWidgetItem> removed(m_list->takeItem(row));
    }
    const int next = std::min(row, m_list->count() - 1);
    m_list->setCurrentRow(next);
    selectRow(next);
}

void PnsManagerDialog::moveSelected(int offset) {
    const int row = m_list->currentRow();
    const int target = row + offset;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    {
        const QSignalBlocker blocker(m_list);
        QListWidgetItem* item = m_list->takeItem(row);
        m_list->insertItem(target, item);
        m_list->setCurrentRow(target);
    }
    updateButtons();
}

void PnsManagerDialog::updateButtons() {
    const int row = m_list->currentRow();
    m_delete->setEnabled(m_editor.canDelete());
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_list->count());
}

std::vector<SheetListEntry> PnsManagerDialog::entries() const {
    std::vector<SheetListEntry> ordered;
    for (int row = 0; row < m_list->count(); ++row) {
        const int entry = entryOfRow(row);
        if (entry >= 0)
            ordered.push_back(m_editor.entries()[static_cast<std::size_t>(entry)]);
    }
    return ordered;
}

} // namespace tokarium
