// Child windows: their view, title and close handling.
#include "gui/shell/sheet_frame.h"

#include <QCloseEvent>

#include "gui/editor/sheet_printing.h"
#include "gui/editor/sheet_view.h"

namespace tokarium {

SheetFrame::SheetFrame(std::shared_ptr<NetDocument> document, NetSheet& sheet, EditorSession& session)
    : m_document(std::move(document)), m_sheet(sheet), m_view(new SheetView(*m_document, sheet, session)) {
    setWidget(m_view);
    setAttribute(Qt::WA_DeleteOnClose);
    refreshTitle();
}

SheetFrame::~SheetFrame() {
    // The view refers to the sheet: it goes before the reference to the document is released.
    std::unique_ptr<QWidget> view(widget());
}

void SheetFrame::closeWithoutAsking() {
    m_askBeforeClosing = false;
    close();
}

void SheetFrame::refreshTitle() {
    const QString title = sheetWindowTitle(*m_document, m_sheet);
    if (windowTitle() != title)
        setWindowTitle(title);
}

void SheetFrame::closeEvent(QCloseEvent* event) {
    if (m_askBeforeClosing && m_closeRequest && !m_closeRequest(*this)) {
        event->ignore();
        return;
    }
    m_closing = true;
    QMdiSubWindow::closeEvent(event);
}

} // namespace tokarium
