// The Plotter's table as a Qt model: cells are made when the view asks for them, so a run of a
// million steps costs no more than the rows on screen.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "gui/plot/plotter_table.h"

namespace tokarium {

class PlotterModel : public QAbstractTableModel {
public:
    PlotterModel(const PlotterTable& table, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const PlotterTable& m_table;
    std::vector<std::string> m_headers;
    // The texts of the row asked for last: a view asks for every cell of a row in turn.
    mutable int m_cachedRow = -1;
    mutable std::vector<std::string> m_cachedTexts;
};

} // namespace tokarium
