// The modal "Plotter" window: the table of a sheet's recorded markings and speeds, and "Save...".
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "gui/plot/plotter_table.h"

class QPushButton;
class QTableView;

namespace tokarium {

// Asks for the file to save into, proposing a path; an empty result means the user cancelled.
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& proposed)>;
// The save-file dialog titled "Save" with the plotter's filter.
SaveFileChooser plotterFileDialog();
// The save-file dialog titled "Save table as CSV" for CSV files.
SaveFileChooser csvFileDialog();

class PlotterWindow : public QDialog {
    Q_OBJECT

public:
    // Shows the sheet's histories as they are now; "Save..." proposes proposedFile.
    PlotterWindow(QWidget* parent, const NetSheet& sheet, std::string proposedFile,
                  SaveFileChooser chooser = plotterFileDialog(), SaveFileChooser csvChooser = csvFileDialog());

    const PlotterTable& table() const { return m_table; }
    QTableView* tableView() const { return m_tableView; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* saveCsvButton() const { return m_saveCsv; }
    QPushButton* closeButton() const { return m_close; }
    const std::string& proposedFile() const { return m_proposedFile; }

    // "Save...": the chooser, then the file; a file that cannot be written is not reported.
    void save();
    // "Save table as CSV...": the CSV chooser (proposing the text file's name with ".csv"), then the
    // file; a file that cannot be written is reported.
    void saveCsv();

private:
    PlotterTable m_table;
    std::string m_proposedFile;
    SaveFileChooser m_chooser;
    SaveFileChooser m_csvChooser;
    QTableView* m_tableView = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_saveCsv = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace tokarium
