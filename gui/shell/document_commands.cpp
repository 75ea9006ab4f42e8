// The main window's document commands: New, Open, Save, Save As, Close, Exit and the child windows.
#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QToolBar>

#include "gui/editor/sheet_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/settings_file.h"
#include "gui/shell/sheet_frame.h"
#include "gui/shell/startup.h"
#include "gui/shell/status_line.h"
#include "gui/xml/document_file.h"

namespace tokarium {

namespace {

QString extensionWithoutDot() {
    return QString::fromLatin1(kDocumentExtension.substr(1).data(), static_cast<qsizetype>(kDocumentExtension.size() - 1));
}

Rect toRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect toQRect(const Rect& rect) {
    return {rect.left, rect.top, rect.width(), rect.height()};
}

} // namespace

void MainWindow::startUp(const std::optional<std::string>& commandLineFile) {
    const SettingsFile settings = SettingsFile::load(settingsPath());
    m_recentFiles.load(settings);
    // The toolbars come back where the user left them; a damaged value is ignored.
    restoreState(QByteArray::fromBase64(QByteArray::fromStdString(settings.value(kWindowSection, kLayoutKey))));
    m_actions.toolbar->setChecked(!m_toolbar->isHidden());
    rebuildFileMenu();
    const std::optional<std::string> first = startupDocument(
        commandLineFile, m_recentFiles.paths(), [](const std::string& path) { return QFileInfo(fromPath(path)).isFile(); });
    if (!first || !openFile(*first))
        newFile();
    refreshNow();
}

void MainWindow::showAsLeft() {
    const SettingsFile settings = SettingsFile::load(settingsPath());
    const QByteArray geometry =
        QByteArray::fromBase64(QByteArray::fromStdString(settings.value(kWindowSection, kGeometryKey)));
    // Qt keeps the size from before the maximising, so that un-maximising gives it back; a geometry that
    // is damaged or no longer fits any screen is put right or ignored.
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        showMaximized();
    else
        show();
}

std::vector<NetDocument*> MainWindow::documents() const {
    std::vector<NetDocument*> list;
    for (const auto& document : m_documents)
        list.push_back(document.get());
    return list;
}

std::vector<SheetFrame*> MainWindow::sheetFrames() const {
    std::vector<SheetFrame*> windows;
    for (QMdiSubWindow* child : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* window = qobject_cast<SheetFrame*>(child); window && !window->isClosing())
            windows.push_back(window);
    return windows;
}

std::vector<SheetFrame*> MainWindow::windowsOf(const NetDocument& document) const {
    std::vector<SheetFrame*> windows;
    for (SheetFrame* window : sheetFrames())
        if (&window->document() == &document)
            windows.push_back(window);
    return windows;
}

SheetFrame* MainWindow::windowOf(const NetSheet& sheet) const {
    for (SheetFrame* window : sheetFrames())
        if (&window->sheet() == &sheet)
            return window;
    return nullptr;
}

SheetFrame* MainWindow::activeWindow() const {
    // The current window stays known while the main window itself is not active (dialogs, tests).
    auto* window = qobject_cast<SheetFrame*>(m_mdiArea->currentSubWindow());
    if (!window)
        window = qobject_cast<SheetFrame*>(m_lastActive.data());
    if (window && !window->isClosing())
        return window;
    const std::vector<SheetFrame*> windows = sheetFrames();
    return windows.empty() ? nullptr : windows.back();
}

SheetView* MainWindow::activeView() const {
    SheetFrame* window = activeWindow();
    return window ? &window->view() : nullptr;
}

std::shared_ptr<NetDocument> MainWindow::sharedDocument(const NetDocument& document) const {
    for (const auto& shared : m_documents)
        if (shared.get() == &document)
            return shared;
    return nullptr;
}

SheetFrame* MainWindow::openWindow(const std::shared_ptr<NetDocument>& document, NetSheet& sheet,
                                    const std::optional<QRect>& rect) {
    auto* window = new SheetFrame(document, sheet, m_session);
    window->setCloseRequestHandler([this](SheetFrame& closing) { return onWindowCloseRequest(closing); });
    SheetView& view = window->view();
    connect(&view, &SheetView::documentModified, this, &MainWindow::scheduleRefresh);
    connect(&view, &SheetView::commandStatesChanged, this, &MainWindow::scheduleRefresh);
    connect(&view, &SheetView::duplicateSheetRequested, this, &MainWindow::duplicateSheet);
    connect(&view, &SheetView::sheetPropertiesRequested, this, &MainWindow::editSheetProperties);
    connect(&view, &SheetView::pointerMoved, this, [this](QPoint logical) { m_status->showPointer(logical); });
    std::optional<QRect> place = rect;
    if (rect && !rect->isEmpty())
        place = openingPlace(*rect);
    m_mdiArea->addSubWindow(window);
    if (place && place->isEmpty()) {
        window->showMaximized();
    } else if (place) {
        window->setGeometry(*place);
        window->show();
    } else {
        // Default placement: cascaded from the top-left corner, sized to most of the client area.
        // Before the main window is first shown its client area has no size yet: the frame's stands in.
        const QSize area = m_mdiArea->isVisible() ? m_mdiArea->viewport()->size() : size();
        const int step = static_cast<int>((sheetFrames().size() - 1) % kCascadeSteps) * kCascadeOffset;
        window->setGeometry(step, step, std::max(area.width() * 3 / 4, kDefaultFrameWidth),
                            std::max(area.height() * 3 / 4, kDefaultFrameHeight));
        window->show();
    }
    m_mdiArea->setActiveSubWindow(window);
    m_lastActive = window;
    scheduleRefresh();
    return window;
}

QRect MainWindow::openingPlace(QRect rect) const {
    // Before the main window is first shown its client area has no size yet: the frame's stands in.
    const QSize area = m_mdiArea->isVisible() ? m_mdiArea->viewport()->size() : size();
    if (rect.left() > area.width() - kCascadeOffset || rect.top() > area.height() - kCascadeOffset ||
        rect.right() < kCascadeOffset || rect.bottom() < kCascadeOffset)
        rect.moveTopLeft(QPoint(0, 0));
    const std::vector<SheetFrame*> open = sheetFrames();
    const auto taken = [&open](QPoint corner) {
        return std::any_of(open.begin(), open.end(),
                           [corner](const SheetFrame* frame) { return frame->geometry().topLeft() == corner; });
    };
    for (std::size_t step = 0; step < kCascadeSteps && taken(rect.topLeft()); ++step)
        rect.translate(kCascadeOffset, kCascadeOffset);
    return rect;
}

void MainWindow::destroyWindow(SheetFrame* window) {
    if (m_lastActive == window)
        m_lastActive = nullptr;
    m_mdiArea->removeSubWindow(window);
    std::unique_ptr<SheetFrame> doomed(window);
}

bool MainWindow::onWindowCloseRequest(SheetFrame& window) {
    if (windowsOf(window.document()).size() > 1)
        return true;
    // The last window of its document: closing it closes the document.
    NetDocument& document = window.document();
    if (!confirmClose(document))
        return false;
    forgetDocument(document);
    return true;
}

bool MainWindow::confirmClose(NetDocument& document) {
    if (!document.isModified())
        return true;
    const Answer answer = prompt().askYesNoCancel(formatMessage(kSaveChangesQuestion, proposedFileName(document)));
    return answer == Answer::kNo || (answer == Answer::kYes && saveDocumentFile(document));
}

void MainWindow::forgetDocument(const NetDocument& document) {
    std::erase_if(m_documents, [&](const auto& shared) { return shared.get() == &document; });
    scheduleRefresh();
}

void MainWindow::newFile() {
    auto document = std::make_shared<NetDocument>();
    document->newDocument();
    m_documents.push_back(document);
    openWindow(document, document->sheet(0));
    refreshNow();
}

bool MainWindow::openFile(const std::string& path) {
    const QFileInfo info(fromPath(path));
    const std::string fullPath = toPath(info.absoluteFilePath());
    for (const auto& open : m_documents) {
        if (open->path() == fullPath) {
            if (const std::vector<SheetFrame*> windows = windowsOf(*open); !windows.empty())
                m_mdiArea->setActiveSubWindow(windows.front());
            m_recentFiles.add(fullPath);
            rebuildFileMenu();
            return true;
        }
    }
    auto document = std::make_shared<NetDocument>();
    std::vector<SheetWindow> windows;
    if (!tokarium::openDocument(*document, fullPath, prompt(), windows))
        return false;
    m_documents.push_back(document);
    for (const SheetWindow& placement : windows) {
        std::optional<QRect> rect;
        if (placement.rect)
            rect = toQRect(*placement.rect);
        openWindow(document, *placement.sheet, rect);
    }
    m_recentFiles.add(fullPath);
    rebuildFileMenu();
    refreshNow();
    return true;
}

void MainWindow::openNewDocument(const std::shared_ptr<NetDocument>& document) {
    m_documents.push_back(document);
    for (const auto& sheet : document->sheets())
        openWindow(document, *sheet);
    rebuildFileMenu();
    refreshNow();
}

void MainWindow::openWithDialog() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Open"), QString(), qtFileFilter(kDocumentFilter));
    if (!path.isEmpty())
        openFile(toPath(path));
}

std::string MainWindow::proposedFileName(const NetDocument& document) const {
    if (!document.path().empty())
        return document.title();
    return document.title() + std::string(kDocumentExtension);
}

bool MainWindow::saveDocumentFile(NetDocument& document) {
    if (document.path().empty())
        return saveDocumentFileAs(document);
    return saveFileAs(document, document.path());
}

bool MainWindow::saveDocumentFileAs(NetDocument& document) {
    const QString proposed = document.path().empty()
        ? QDir(m_programFolder).filePath(fromLatin1Text(proposedFileName(document)))
        : fromPath(document.path());
    QFileDialog dialog(this, tr("Save As"), proposed, qtFileFilter(kDocumentFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(extensionWithoutDot());
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return saveFileAs(document, toPath(dialog.selectedFiles().front()));
}

bool MainWindow::saveFileAs(NetDocument& document, const std::string& path) {
    const std::string fullPath = toPath(QFileInfo(fromPath(path)).absoluteFilePath());
    std::vector<ViewPlacement> views;
    for (SheetFrame* window : windowsOf(document)) {
        const Rect rect = window->isMaximized() ? Rect{} : toRect(window->geometry());
        views.push_back({window->sheet().id(), rect});
    }
    if (!saveDocument(document, fullPath, views)) {
        prompt().showMessage(formatMessage(kCantSaveFileMessage, fullPath));
        return false;
    }
    document.setPath(fullPath);
    m_recentFiles.add(fullPath);
    rebuildFileMenu();
    scheduleRefresh();
    return true;
}

bool MainWindow::saveActive() {
    SheetFrame* window = activeWindow();
    return window && saveDocumentFile(window->document());
}

bool MainWindow::saveActiveAs() {
    SheetFrame* window = activeWindow();
    return window && saveDocumentFileAs(window->document());
}

bool MainWindow::closeActiveDocument() {
    SheetFrame* window = activeWindow();
    return window && closeDocument(window->document());
}

bool MainWindow::closeDocument(NetDocument& document) {
    if (!confirmClose(document))
        return false;
    for (SheetFrame* window : windowsOf(document))
        window->closeWithoutAsking();
    forgetDocument(document);
    refreshNow();
    return true;
}

bool MainWindow::closeAllAndSaveSettings() {
    // Every modified document is asked about first: a Cancel leaves all of them open.
    for (const auto& document : m_documents)
        if (!confirmClose(*document))
            return false;
    while (!m_documents.empty()) {
        const std::shared_ptr<NetDocument> document = m_documents.front();
        for (SheetFrame* window : windowsOf(*document))
            window->closeWithoutAsking();
        forgetDocument(*document);
    }
    refreshNow();
    SettingsFile settings = SettingsFile::load(settingsPath());
    m_recentFiles.store(settings);
    settings.setValue(kWindowSection, kLayoutKey, saveState().toBase64().toStdString());
    // Only a window the user has seen has a place worth keeping.
    if (isVisible())
        settings.setValue(kWindowSection, kGeometryKey, saveGeometry().toBase64().toStdString());
    // A folder that cannot be written only loses the list; the program still ends.
    (void)settings.save(settingsPath());
    return true;
}

} // namespace tokarium
