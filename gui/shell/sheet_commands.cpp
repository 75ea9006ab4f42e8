// The main window's PN commands: New PN, Duplicate PN, PN's Properties, PNs Manager, Arrange PNs, the net list.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "gui/editor/sheet_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/pn_properties_dialog.h"
#include "gui/shell/pns_manager_dialog.h"
#include "gui/shell/sheet_frame.h"
#include "gui/xml/document_file.h"

namespace tokarium {

namespace {

// A new net's window takes the default placement, so a maximised active window is restored first.
void restoreIfMaximised(SheetFrame* window) {
    if (window && window->isMaximized())
        window->showNormal();
}

} // namespace

void MainWindow::newSheet() {
    SheetFrame* active = activeWindow();
    if (!active)
        return;
    active->view().cancelMouseOperation();
    restoreIfMaximised(active);
    const std::shared_ptr<NetDocument> document = active->sharedDocument();
    openWindow(document, document->newSheet());
    refreshNow();
}

void MainWindow::duplicateSheet() {
    SheetFrame* active = activeWindow();
    if (!active)
        return;
    active->view().cancelMouseOperation();
    restoreIfMaximised(active);
    const std::shared_ptr<NetDocument> document = active->sharedDocument();
    openWindow(document, tokarium::duplicateSheet(*document, active->sheet()));
    refreshNow();
}

void MainWindow::editSheetProperties() {
    SheetFrame* active = activeWindow();
    if (!active)
        return;
    active->view().cancelMouseOperation();
    NetSheet& sheet = active->sheet();
    PnPropertiesDialog dialog(sheet.name(), sheet.page(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    NetDocument& document = active->document();
    document.assignUniqueName(sheet, dialog.name());
    sheet.page() = dialog.page();
    document.setModified(true);
    active->view().viewport()->update();
    refreshNow();
}

void MainWindow::manageSheets() {
    SheetFrame* active = activeWindow();
    if (!active)
        return;
    active->view().cancelMouseOperation();
    const std::shared_ptr<NetDocument> document = active->sharedDocument();
    PnsManagerDialog dialog(*document, &active->sheet(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool applied = document->applySheetList(dialog.entries(), [this](NetSheet& removed) {
        if (SheetFrame* window = windowOf(removed))
            destroyWindow(window);
    });
    if (!applied)
        return;
    // A document keeps at least one window: when every window went with its net, its first net is shown.
    if (windowsOf(*document).empty())
        openWindow(document, document->sheet(0));
    for (SheetFrame* window : windowsOf(*document))
        window->view().viewport()->update();
    refreshNow();
}

void MainWindow::arrangeSheets() {
    // Minimised windows are lined up along the bottom edge of the client area, left to right.
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    for (SheetFrame* window : sheetFrames()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        window->move(x, y - size.height());
        x += size.width();
    }
}

void MainWindow::showSheet(NetDocument& document, NetSheet& sheet) {
    if (SheetFrame* window = windowOf(sheet)) {
        if (window->isMinimized())
            window->showNormal();
        m_mdiArea->setActiveSubWindow(window);
        m_lastActive = window;
    } else if (const std::shared_ptr<NetDocument> shared = sharedDocument(document)) {
        openWindow(shared, sheet);
    }
    refreshNow();
}

} // namespace tokarium
