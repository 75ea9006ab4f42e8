// PlotterModel.
#include "gui/shell/plotter_model.h"

#include "gui/shell/qt_text.h"

namespace tokarium {

PlotterModel::PlotterModel(const PlotterTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_headers(table.namedHeaderTexts()) {}

int PlotterModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.rowCount());
}

int PlotterModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant PlotterModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole)
        return {};
    if (index.row() != m_cachedRow) {
        m_cachedTexts = m_table.rowTexts(static_cast<std::size_t>(index.row()));
        m_cachedRow = index.row();
    }
    const auto column = static_cast<std::size_t>(index.column());
    return column < m_cachedTexts.size() ? fromLatin1Text(m_cachedTexts[column]) : QString();
}

QVariant PlotterModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        static_cast<std::size_t>(section) >= m_headers.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return fromLatin1Text(m_headers[static_cast<std::size_t>(section)]);
}

} // namespace tokarium
