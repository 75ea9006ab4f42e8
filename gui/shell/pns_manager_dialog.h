// "PNs Manager...": renames, deletes and reorders the document's nets; applied only on OK.
#pragma once

#include <QDialog>
#include <vector>

#include "gui/model/net_document.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tokarium {

class PnsManagerDialog : public QDialog {
    Q_OBJECT

public:
    PnsManagerDialog(const NetDocument& document, const NetSheet* activeSheet, QWidget* parent = nullptr);

    // The remaining nets in the list's order with the names given to them.
    std::vector<SheetListEntry> entries() const;

    QListWidget* list() const { return m_list; }
    QLineEdit* nameField() const { return m_name; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* upButton() const { return m_up; }
    QPushButton* downButton() const { return m_down; }

private:
    void selectRow(int row);
    void rename(const QString& text);
    void deleteSelected();
    void moveSelected(int offset);
    // Position in the working list of the entry shown in the row.
    int entryOfRow(int row) const;
    void updateButtons();

    SheetListEditor m_editor;
    QListWidget* m_list;
    QLineEdit* m_name;
    QPushButton* m_delete;
    QPushButton* m_up;
    QPushButton* m_down;
};

} // namespace tokarium
