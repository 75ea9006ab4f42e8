// Printing the active sheet on one page, print preview, print setup, and the child window title.
#pragma once

#include <QPrinter>
#include <QSize>
#include <QString>

#include "gui/editor/editor_session.h"
#include "gui/model/net_document.h"
#include "gui/model/net_sheet.h"

class QPainter;
class QWidget;

namespace tokarium {

class SheetView;

// Title of a sheet's child window: the document title, " - ", the sheet's name.
QString sheetWindowTitle(const NetDocument& document, const NetSheet& sheet);

// A paper code the printer is switched to before printing (Custom size keeps the printer's paper).
bool isStandardPaper(std::int32_t code);

// One page; for a standard paper, the printer's paper size and orientation become the sheet's.
void preparePrinter(QPrinter& printer, const NetSheet& sheet);

// Device pixels per logical unit on each axis. The page fills the printable size in a direction,
// unless the drawable area at the printer's density is below nine tenths of it: then true size.
struct PrintScale {
    double x = 1.0;
    double y = 1.0;
};
PrintScale printScale(const PageSettings& page, QSize printable, int dpiX, int dpiY);

// Draws the sheet (no window decoration) mapped onto a printable area that starts at the painter's origin.
// Fitted to the page, the objects (with a small border) are enlarged or reduced alike in both directions
// to fill the printable area instead.
void renderSheetPage(QPainter& painter, const NetSheet& sheet, const EditorSession& session, QSize printable, int dpiX,
                     int dpiY, bool fitToPage = false);

// Prints the view's sheet on the printer as it is set up: the mouse operation is cancelled and every
// object deselected, so that no handles are printed. False when the printer cannot be started.
[[nodiscard]] bool printSheet(QPrinter& printer, SheetView& view, bool fitToPage = false);

// The File menu's "Print...", "Print Preview" and "Print Setup..." on one printer kept for the session.
class SheetPrinter {
public:
    SheetPrinter();

    QPrinter& printer() { return m_printer; }
    // Prepares the printer, shows the print dialog and prints on OK.
    void print(QWidget* parent, SheetView& view);
    // The preview window with "Print...", "Next", "Previous", "Zoom in", "Zoom out", "Fit to Page" and
    // "Close". "Fit to Page" stays chosen for the later prints of the session.
    void preview(QWidget* parent, SheetView& view);
    // The printer setup dialog.
    void setup(QWidget* parent);

private:
    QPrinter m_printer;
    bool m_fitToPage = false;
};

} // namespace tokarium
