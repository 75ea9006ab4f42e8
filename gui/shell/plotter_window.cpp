// PlotterWindow.
#include "gui/shell/plotter_window.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/plot/plot_constants.h"
#include "gui/shell/qt_text.h"

namespace tokarium {
namespace {

QString viewText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A size that shows a table of a few nodes and rows without scrolling.
constexpr QSize kPlotterSize(640, 400);

} // namespace

SaveFileChooser plotterFileDialog() {
    return [](QWidget* parent, const QString& proposed) {
        return QFileDialog::getSaveFileName(parent, viewText(kPlotterSaveTitle), proposed,
                                            qtFileFilter(kPlotterFileFilter));
    };
}

PlotterWindow::PlotterWindow(QWidget* parent, const NetSheet& sheet, std::string proposedFile,
                             SaveFileChooser chooser)
    : QDialog(parent), m_table(sheet), m_proposedFile(std::move(proposedFile)), m_chooser(std::move(chooser)) {
    setWindowTitle(viewText(kPlotterTitle));
    setModal(true);
    m_tableWidget = new QTableWidget(this);
    m_tableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableWidget->verticalHeader()->hide();
    m_save = new QPushButton(tr("Save..."), this);
    m_close = new QPushButton(tr("Close"), this);
    m_close->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, &PlotterWindow::save);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tableWidget);
    layout->addLayout(buttons);
    fillTable();
    resize(kPlotterSize);
}

void PlotterWindow::fillTable() {
    const std::vector<std::string> headers = m_table.namedHeaderTexts();
    m_tableWidget->setColumnCount(static_cast<int>(headers.size()));
    m_tableWidget->setRowCount(static_cast<int>(m_table.rowCount()));
    QStringList titles;
    for (const std::string& header : headers)
        titles.append(fromLatin1Text(header));
    m_tableWidget->setHorizontalHeaderLabels(titles);
    for (std::size_t row = 0; row < m_table.rowCount(); ++row) {
        const std::vector<std::string> cells = m_table.rowTexts(row);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(fromLatin1Text(cells[column]));
            item->setTextAlignment(Qt::AlignCenter);
            m_tableWidget->setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
    }
    m_tableWidget->resizeColumnsToContents();
}

void PlotterWindow::save() {
    const QString chosen = m_chooser(this, fromPath(m_proposedFile));
    if (chosen.isEmpty())
        return;
    (void)savePlotterText(m_table, toPath(chosen));
}

} // namespace tokarium
