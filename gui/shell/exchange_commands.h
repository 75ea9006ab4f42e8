// File menu commands that exchange nets with other programs, and the PN menu's "Analysis...".
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QAction;

namespace tokarium {

class MainWindow;

// Asks for a file to open or save; an empty result means the user cancelled.
using ExchangeFileChooser = std::function<QString(const QString& title, const QString& filter, bool save)>;
// Asks for the resolution of a PNG picture; none means the user cancelled.
using ResolutionChooser = std::function<std::optional<int>()>;

class ExchangeCommands : public QObject {
    Q_OBJECT

public:
    explicit ExchangeCommands(MainWindow& window);

    QAction* importPnml() const { return m_importPnml; }
    QAction* exportPnml() const { return m_exportPnml; }
    QAction* exportPicture() const { return m_exportPicture; }
    QAction* analysis() const { return m_analysis; }
    // Tests answer the dialogs themselves.
    void setFileChooser(ExchangeFileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setResolutionChooser(ResolutionChooser chooser) { m_chooseResolution = std::move(chooser); }

    // "Import PNML...": the nets of the file open as a new document, not yet saved.
    void runImportPnml();
    // "Export PNML...": every net of the active document.
    void runExportPnml();
    // "Export picture...": the active net's page as SVG, PNG (at a chosen resolution) or PDF.
    void runExportPicture();
    // "Analysis...": the window listing the active net's invariants, siphons and traps.
    void runAnalysis();

private:
    MainWindow& m_window;
    ExchangeFileChooser m_chooseFile;
    ResolutionChooser m_chooseResolution;
    QAction* m_importPnml = nullptr;
    QAction* m_exportPnml = nullptr;
    QAction* m_exportPicture = nullptr;
    QAction* m_analysis = nullptr;
};

} // namespace tokarium
