// PNML import and export, picture export and the analysis window from the menus.
#include "gui/shell/exchange_commands.h"

#include <QAction>
#include <QFileDialog>
#include <QInputDialog>

#include "gui/editor/sheet_picture.h"
#include "gui/editor/sheet_view.h"
#include "gui/shell/analysis_dialog.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/sheet_frame.h"
#include "gui/xml/pnml_export.h"
#include "gui/xml/pnml_import.h"

namespace tokarium {
namespace {

constexpr const char* kPnmlFilter = "PNML Files (*.pnml *.xml);;All Files (*)";
constexpr const char* kPictureFilter = "SVG Pictures (*.svg);;PNG Pictures (*.png);;PDF Documents (*.pdf)";

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace

ExchangeCommands::ExchangeCommands(MainWindow& window) : QObject(&window), m_window(window) {
    m_chooseFile = [&window](const QString& title, const QString& filter, bool save) {
        return save ? QFileDialog::getSaveFileName(&window, title, QString(), filter)
                    : QFileDialog::getOpenFileName(&window, title, QString(), filter);
    };
    m_chooseResolution = [&window]() -> std::optional<int> {
        bool ok = false;
        const int dpi = QInputDialog::getInt(&window, tr("Export picture"), tr("Resolution (dots per inch):"),
                                             kDefaultPictureDpi, kMinimumPictureDpi, kMaximumPictureDpi, 10, &ok);
        return ok ? std::optional<int>(dpi) : std::nullopt;
    };
    m_importPnml = new QAction(tr("Import PNML..."), this);
    m_exportPnml = new QAction(tr("Export PNML..."), this);
    m_exportPicture = new QAction(tr("Export picture..."), this);
    m_analysis = new QAction(tr("Analysis..."), this);
    connect(m_importPnml, &QAction::triggered, this, &ExchangeCommands::runImportPnml);
    connect(m_exportPnml, &QAction::triggered, this, &ExchangeCommands::runExportPnml);
    connect(m_exportPicture, &QAction::triggered, this, &ExchangeCommands::runExportPicture);
    connect(m_analysis, &QAction::triggered, this, &ExchangeCommands::runAnalysis);
}

void ExchangeCommands::runImportPnml() {
    const QString path = m_chooseFile(tr("Import PNML"), tr(kPnmlFilter), false);
    if (path.isEmpty())
        return;
    auto document = std::make_shared<NetDocument>();
    std::vector<std::string> messages;
    std::string error;
    const bool imported = importPnmlFile(toPath(path), *document, messages, error);
    if (!imported)
        messages.push_back(error);
    if (!messages.empty())
        m_window.prompt().showMessage(joinedLines(messages));
    if (imported)
        m_window.openNewDocument(document);
}

void ExchangeCommands::runExportPnml() {
    SheetFrame* frame = m_window.activeWindow();
    if (!frame)
        return;
    const QString path = m_chooseFile(tr("Export PNML"), tr(kPnmlFilter), true);
    if (!path.isEmpty() && !exportPnmlFile(frame->document(), toPath(path)))
        m_window.prompt().showMessage("Can't write file \"" + toPath(path) + "\".");
}

void ExchangeCommands::runExportPicture() {
    SheetFrame* frame = m_window.activeWindow();
    if (!frame)
        return;
    const QString path = m_chooseFile(tr("Export picture"), tr(kPictureFilter), true);
    if (path.isEmpty())
        return;
    int dpi = kDefaultPictureDpi;
    if (pictureFormatFor(toPath(path)) == PictureFormat::kPng) {
        const std::optional<int> chosen = m_chooseResolution();
        if (!chosen)
            return;
        dpi = *chosen;
    }
    frame->view().cancelMouseOperation();
    std::string error;
    if (!saveSheetPicture(frame->sheet(), m_window.editorSession(), toPath(path), dpi, error))
        m_window.prompt().showMessage("Can't export the picture: " + error + ".");
}

void ExchangeCommands::runAnalysis() {
    SheetFrame* frame = m_window.activeWindow();
    if (!frame)
        return;
    SheetView& view = frame->view();
    view.cancelMouseOperation();
    AnalysisDialog dialog(&m_window, frame->sheet(), [&view] { view.refresh(); });
    dialog.exec();
}

} // namespace tokarium
