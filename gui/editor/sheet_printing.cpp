// One-page printing of a sheet with the nine-tenths rule, the preview window and the window title.
#include "gui/editor/sheet_printing.h"

#include <QDialog>
#include <QFile>
#include <QHBoxLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/editor/editor_constants.h"
#include "gui/editor/page_geometry.h"
#include "gui/editor/painter_surface.h"
#include "gui/editor/sheet_painting.h"
#include "gui/editor/sheet_view.h"
#include "gui/model/paper_sizes.h"

namespace tokarium {

namespace {

// The preview window: one page, its own buttons; "Print..." closes it with the request to print.
class SheetPreviewDialog : public QDialog {
public:
    SheetPreviewDialog(QPrinter& printer, SheetView& view, bool& fitToPage, QWidget* parent) : QDialog(parent) {
        setWindowTitle(tr("Print Preview"));
        auto* preview = new QPrintPreviewWidget(&printer, this);
        preview->setViewMode(QPrintPreviewWidget::SinglePageView);
        connect(preview, &QPrintPreviewWidget::paintRequested, this,
                [&view, &fitToPage](QPrinter* target) { (void)printSheet(*target, view, fitToPage); });

        auto* buttons = new QHBoxLayout;
        auto addButton = [&](const QString& text) {
            auto* button = new QPushButton(text, this);
            button->setObjectName(text);
            button->setAutoDefault(false);
            buttons->addWidget(button);
            return button;
        };
        QPushButton* print = addButton(tr("Print..."));
        QPushButton* next = addButton(tr("Next"));
        QPushButton* previous = addButton(tr("Previous"));
        QPushButton* twoPages = addButton(tr("Two Page"));
        QPushButton* zoomIn = addButton(tr("Zoom in"));
        QPushButton* zoomOut = addButton(tr("Zoom out"));
        QPushButton* fit = addButton(tr("Fit to Page"));
        QPushButton* close = addButton(tr("Close"));
        fit->setCheckable(true);
        fit->setChecked(fitToPage);
        fit->setToolTip(tr("Print the objects as large as the page allows"));
        buttons->addStretch();
        // A print job is always one page.
        next->setEnabled(false);
        previous->setEnabled(false);
        twoPages->setEnabled(false);
        connect(print, &QPushButton::clicked, this, [this] {
            m_printRequested = true;
            accept();
        });
        connect(zoomIn, &QPushButton::clicked, preview, [preview] { preview->zoomIn(); });
        connect(zoomOut, &QPushButton::clicked, preview, [preview] { preview->zoomOut(); });
        connect(fit, &QPushButton::toggled, preview, [preview, &fitToPage](bool on) {
            fitToPage = on;
            preview->updatePreview();
        });
        connect(close, &QPushButton::clicked, this, &QDialog::reject);

        auto* layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(preview, 1);
        resize(800, 900);
    }

    bool printRequested() const { return m_printRequested; }

private:
    bool m_printRequested = false;
};

} // namespace

QString sheetWindowTitle(const NetDocument& document, const NetSheet& sheet) {
    return QFile::decodeName(QByteArray::fromStdString(document.title())) + QStringLiteral(" - ")
         + fromModelText(sheet.name());
}

bool isStandardPaper(std::int32_t code) {
    return code >= 1 && code < kFirstNonStandardPaperCode && code != kCustomPaperCode;
}

void preparePrinter(QPrinter& printer, const NetSheet& sheet) {
    printer.setFromTo(1, 1);
    printer.setPrintRange(QPrinter::AllPages);
    const PageSettings& page = sheet.page();
    if (!isStandardPaper(page.paperCode))
        return;
    const Size portrait = paperSize(page.paperCode);
    const QPageSize size(QSizeF(portrait.width / 10.0, portrait.height / 10.0), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    printer.setPageSize(size);
    printer.setPageOrientation(page.orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

PrintScale printScale(const PageSettings& page, QSize printable, int dpiX, int dpiY) {
    const Rect logical = pageRect(page, kReferenceDpi);
    const std::int32_t inset = kPageMargin + kPageInnerMargin;
    const std::int32_t areaWidth = tenthsToPixels(page.width - inset, dpiX) - tenthsToPixels(inset, dpiX);
    const std::int32_t areaHeight = tenthsToPixels(page.height - inset, dpiY) - tenthsToPixels(inset, dpiY);
    auto extent = [](std::int32_t area, int printableSize, std::int32_t trueSize) {
        const bool small = static_cast<std::int64_t>(area) * kTrueSizeDenominator
                         < static_cast<std::int64_t>(printableSize) * kTrueSizeNumerator;
        return small ? trueSize : printableSize;
    };
    const int width = extent(areaWidth, printable.width(), tenthsToPixels(page.width, dpiX));
    const int height = extent(areaHeight, printable.height(), tenthsToPixels(page.height, dpiY));
    PrintScale scale;
    if (logical.width() > 0)
        scale.x = static_cast<double>(width) / logical.width();
    if (logical.height() > 0)
        scale.y = static_cast<double>(height) / logical.height();
    return scale;
}

void renderSheetPage(QPainter& painter, const NetSheet& sheet, const EditorSession& session, QSize printable, int dpiX,
                     int dpiY, bool fitToPage) {
    const Rect used = sheet.boundsOf(kAllKinds, false).inflated(kFitToPageBorder, kFitToPageBorder);
    painter.save();
    if (fitToPage && !sheet.empty()) {
        const double scale = std::min(static_cast<double>(printable.width()) / used.width(),
                                      static_cast<double>(printable.height()) / used.height());
        painter.scale(scale, scale);
        painter.translate(-used.left, -used.top);
    } else {
        const PrintScale scale = printScale(sheet.page(), printable, dpiX, dpiY);
        painter.scale(scale.x, scale.y);
    }
    paintSheet(painter, sheet, drawContextFor(sheet, session, false));
    painter.restore();
}

bool printSheet(QPrinter& printer, SheetView& view, bool fitToPage) {
    view.cancelMouseOperation();
    NetSheet& sheet = view.sheet();
    sheet.selectAll(false);
    QPainter painter;
    const bool started = painter.begin(&printer);
    if (started) {
        const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
        renderSheetPage(painter, sheet, view.editor().session(), printable.size(), printer.logicalDpiX(),
                        printer.logicalDpiY(), fitToPage);
        painter.end();
    }
    sheet.selectAll(false);
    view.refresh();
    return started;
}

SheetPrinter::SheetPrinter() : m_printer(QPrinter::HighResolution) {}

void SheetPrinter::print(QWidget* parent, SheetView& view) {
    view.cancelMouseOperation();
    preparePrinter(m_printer, view.sheet());
    QPrintDialog dialog(&m_printer, parent);
    dialog.setMinMax(1, 1);
    if (dialog.exec() == QDialog::Accepted)
        (void)printSheet(m_printer, view, m_fitToPage);
}

void SheetPrinter::preview(QWidget* parent, SheetView& view) {
    view.cancelMouseOperation();
    preparePrinter(m_printer, view.sheet());
    SheetPreviewDialog dialog(m_printer, view, m_fitToPage, parent);
    dialog.exec();
    if (dialog.printRequested())
        print(parent, view);
}

void SheetPrinter::setup(QWidget* parent) {
    QPageSetupDialog dialog(&m_printer, parent);
    dialog.exec();
}

} // namespace tokarium
