// PlotterWindow.
#include "gui/shell/plotter_window.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <filesystem>

#include "gui/plot/plot_constants.h"
#include "gui/plot/plotter_csv.h"
#include "gui/shell/plotter_model.h"
#include "gui/shell/qt_text.h"

namespace tokarium {
namespace {

QString viewText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A size that shows a table of a few nodes and rows without scrolling.
constexpr QSize kPlotterSize(640, 400);
// Space above and below the text of a row, and the rows that decide the column widths.
constexpr int kRowPadding = 6;
constexpr int kSizedRows = 200;

} // namespace

SaveFileChooser plotterFileDialog() {
    return [](QWidget* parent, const QString& proposed) {
        return QFileDialog::getSaveFileName(parent, viewText(kPlotterSaveTitle), proposed,
                                            qtFileFilter(kPlotterFileFilter));
    };
}

SaveFileChooser csvFileDialog() {
    return [](QWidget* parent, const QString& proposed) {
        return QFileDialog::getSaveFileName(parent, QObject::tr("Save table as CSV"), proposed,
                                            QObject::tr("CSV Files (*.csv);;All Files (*)"));
    };
}

PlotterWindow::PlotterWindow(QWidget* parent, const NetSheet& sheet, std::string proposedFile,
                             SaveFileChooser chooser, SaveFileChooser csvChooser)
    : QDialog(parent), m_table(sheet), m_proposedFile(std::move(proposedFile)), m_chooser(std::move(chooser)),
      m_csvChooser(std::move(csvChooser)) {
    setWindowTitle(viewText(kPlotterTitle));
    setModal(true);
    // The view asks the model for the rows on screen only; rows share one height, so that a table of
    // a million rows opens at once and in little memory.
    m_tableView = new QTableView(this);
    m_tableView->setModel(new PlotterModel(m_table, m_tableView));
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tableView->verticalHeader()->setDefaultSectionSize(m_tableView->fontMetrics().height() + kRowPadding);
    m_save = new QPushButton(tr("Save..."), this);
    m_saveCsv = new QPushButton(tr("Save table as CSV..."), this);
    m_close = new QPushButton(tr("Close"), this);
    m_close->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, &PlotterWindow::save);
    connect(m_saveCsv, &QPushButton::clicked, this, &PlotterWindow::saveCsv);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_saveCsv);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tableView);
    layout->addLayout(buttons);
    // Column widths fit the titles and the first rows.
    m_tableView->horizontalHeader()->setResizeContentsPrecision(kSizedRows);
    m_tableView->resizeColumnsToContents();
    resize(kPlotterSize);
}

void PlotterWindow::save() {
    const QString chosen = m_chooser(this, fromPath(m_proposedFile));
    if (chosen.isEmpty())
        return;
    (void)savePlotterText(m_table, toPath(chosen));
}

void PlotterWindow::saveCsv() {
    const std::string proposed = std::filesystem::path(m_proposedFile).replace_extension(".csv").string();
    const QString chosen = m_csvChooser ? m_csvChooser(this, fromPath(proposed)) : QString();
    if (chosen.isEmpty())
        return;
    if (!savePlotterCsv(m_table, toPath(chosen)))
        QMessageBox::warning(this, tr("Save table as CSV"), tr("Can't write file \"%1\".").arg(chosen));
}

} // namespace tokarium
