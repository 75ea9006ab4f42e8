// The "Conflicts Resolution" dialog: priorities and sharing ratios of the places in conflict of a sheet.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QStyledItemDelegate>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "gui/model/net_sheet.h"
#include "gui/model/priority_table.h"

class QFontMetrics;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tokarium {

// The text cut and ended with "..." until it fits the width (just "..." when nothing fits).
QString shortenedText(const QString& text, const QFontMetrics& metrics, int width);

// Column texts of the dialog's rows. A place row: "P" + index (and the typed name, "P1 Tank"), the
// entry's text (empty without entry). A transition row: "T" + index (and the typed name of the sheet's
// transition), the priority, the ratio ("%.12lg") or nothing when it is 0.
QStringList placeRowTexts(const Place& place, const PriorityEntry* entry);
QStringList transitionRowTexts(const PriorityEntry& entry, std::size_t element, const NetSheet& sheet);

// Draws each row's texts (Qt::UserRole, a QStringList) left-aligned in columns bounded by percentages of
// the row's width, the row narrowed by 2 on each side, each text shortened to its column.
class ColumnRowDelegate : public QStyledItemDelegate {
public:
    // Boundaries from 0 to 100, one more than the number of columns.
    ColumnRowDelegate(std::vector<int> boundaries, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The column rectangles of a row.
    std::vector<QRect> columnRects(const QRect& row) const;
    // Each text of the row in its column, shortened to fit it.
    std::vector<std::pair<QRect, QString>> layoutRow(const QRect& row, const QStringList& texts,
                                                     const QFontMetrics& metrics) const;

private:
    std::vector<int> m_boundaries;
};

// Every change applies to the sheet's PriorityTable at once: "Priority:" and "Sharing:" store their text
// and normalise the entry when they lose the focus. The caller has verified the sheet first, so that every
// place in conflict has its entry.
class ConflictsDialog : public QDialog {
    Q_OBJECT

public:
    ConflictsDialog(QWidget* parent, NetSheet& sheet);

    QListWidget* placeList() const { return m_placeList; }
    QListWidget* transitionList() const { return m_transitionList; }
    QLineEdit* transitionField() const { return m_transition; }
    QLineEdit* priorityField() const { return m_priority; }
    QLineEdit* sharingField() const { return m_sharing; }
    QPushButton* closeButton() const { return m_close; }
    // The entry of the selected place, if any.
    const PriorityEntry* currentEntry() const { return m_entry; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectPlace(int row);
    void selectTransition(int row);
    std::optional<std::size_t> selectedElement() const;
    void storePriority();
    void storeSharing();
    void showSharing(std::size_t element);
    void updateRowTexts();

    NetSheet& m_sheet;
    std::vector<const Place*> m_places;
    PriorityEntry* m_entry = nullptr;
    QListWidget* m_placeList = nullptr;
    QListWidget* m_transitionList = nullptr;
    QLineEdit* m_transition = nullptr;
    QLineEdit* m_priority = nullptr;
    QLineEdit* m_sharing = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace tokarium
