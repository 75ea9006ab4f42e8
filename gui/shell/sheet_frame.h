// A child window of the main window: one sheet of one document shown in a SheetView.
#pragma once

#include <QMdiSubWindow>
#include <functional>
#include <memory>

#include "gui/model/net_document.h"

namespace tokarium {

class SheetView;
struct EditorSession;

class SheetFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    // The window shares the ownership of its document, so that the document outlives the view even when
    // the window's deletion is deferred.
    SheetFrame(std::shared_ptr<NetDocument> document, NetSheet& sheet, EditorSession& session);
    ~SheetFrame() override;

    NetDocument& document() const { return *m_document; }
    const std::shared_ptr<NetDocument>& sharedDocument() const { return m_document; }
    NetSheet& sheet() const { return m_sheet; }
    SheetView& view() const { return *m_view; }

    // Asked before the user's close is accepted; false keeps the window open.
    void setCloseRequestHandler(std::function<bool(SheetFrame&)> handler) { m_closeRequest = std::move(handler); }
    // Closes without asking (its document is being closed or its sheet deleted).
    void closeWithoutAsking();
    // True once the close was accepted; the window only waits for its deletion then.
    bool isClosing() const { return m_closing; }

    // The document title, " - " and the sheet's name.
    void refreshTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::shared_ptr<NetDocument> m_document;
    NetSheet& m_sheet;
    SheetView* m_view;
    std::function<bool(SheetFrame&)> m_closeRequest;
    bool m_askBeforeClosing = true;
    bool m_closing = false;
};

} // namespace tokarium
