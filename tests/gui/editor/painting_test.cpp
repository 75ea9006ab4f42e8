// Page geometry, painting every object kind, the window title and printing.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>

#include "gui/editor/editor_constants.h"
#include "gui/editor/painter_surface.h"
#include "gui/editor/sheet_painting.h"
#include "gui/editor/sheet_printing.h"
#include "gui/model/graph.h"
#include "gui/model/legend.h"
#include "gui/model/object_factory.h"
#include "gui/model/paper_sizes.h"
#include "view_fixture.h"

namespace tokarium::test {
namespace {

TEST(PageGeometryTest, PaperConvertsAtTheReferenceDensity) {
    NetSheet sheet;
    EXPECT_EQ(pageRect(sheet), (Rect{0, 0, 794, 1123}));
    // 6 mm of margins on each side.
    EXPECT_EQ(drawableArea(sheet), (Rect{23, 23, 771, 1100}));
    EXPECT_EQ(tenthsToPixels(2100, 600), 4961);
}

TEST(PageGeometryTest, SnappingRoundsToTheNearestLineFromTheAreaOrigin) {
    NetSheet sheet;
    EXPECT_EQ(snapToGrid(sheet, {127, 134}), (Point{123, 133}));
    EXPECT_EQ(snapToGrid(sheet, {129, 137}), (Point{133, 133}));
    sheet.grid().step = 25;
    EXPECT_EQ(snapToGrid(sheet, {23 + 37, 23 + 38}), (Point{23 + 25, 23 + 50}));
    sheet.grid().align = false;
    EXPECT_EQ(snapToGrid(sheet, {129, 137}), (Point{129, 137}));
}

TEST(PageGeometryTest, GridDotsFillTheDrawableAreaExceptItsEdges) {
    NetSheet sheet;
    const Rect everything{-1000, -1000, 5000, 5000};
    const std::vector<Point> dots = gridDots(sheet, everything);
    ASSERT_FALSE(dots.empty());
    EXPECT_EQ(dots.front(), (Point{33, 33}));
    EXPECT_EQ(dots.back(), (Point{763, 1093}));
    EXPECT_EQ(dots.size(), 74u * 107u);
    // A window onto part of the page gets the same dots, clipped.
    const Rect window{100, 200, 161, 231};
    std::vector<Point> clipped;
    for (const Point& p : dots)
        if (window.contains(p))
            clipped.push_back(p);
    EXPECT_EQ(gridDots(sheet, window), clipped);
    EXPECT_EQ(gridDots(sheet, {0, 0, 33, 33}), std::vector<Point>{});
    sheet.grid().step = 0;
    EXPECT_TRUE(gridDots(sheet, everything).empty());
}

TEST(PageGeometryTest, DamagedZoomValuesShowAtAUsableZoom) {
    NetSheet sheet;
    EXPECT_EQ(shownZoom(sheet), 100);
    sheet.setZoom(150);
    EXPECT_EQ(shownZoom(sheet), 150);
    sheet.setZoom(0);
    EXPECT_EQ(shownZoom(sheet), 100);
    sheet.setZoom(-50);
    EXPECT_EQ(shownZoom(sheet), 100);
    sheet.setZoom(1);
    EXPECT_EQ(shownZoom(sheet), kMinimumZoom);
    sheet.setZoom(2000000000);
    EXPECT_EQ(shownZoom(sheet), kMaximumZoom);
}

TEST(PrintScaleTest, PageFillsThePrintableAreaUnlessItsAreaIsMuchSmaller) {
    PageSettings a4;
    // A 600 dpi A4 printer with 5 mm unprintable edges.
    const QSize printable(4961 - 236, 7016 - 236);
    const PrintScale filled = printScale(a4, printable, 600, 600);
    EXPECT_DOUBLE_EQ(filled.x, printable.width() / 794.0);
    EXPECT_DOUBLE_EQ(filled.y, printable.height() / 1123.0);

    // An A5 sheet on that printer prints at its true size in both directions.
    PageSettings a5{11, 1480, 2100, kPortrait};
    const PrintScale trueSize = printScale(a5, printable, 600, 600);
    EXPECT_DOUBLE_EQ(trueSize.x, tenthsToPixels(1480, 600) / static_cast<double>(tenthsToPixels(1480, kReferenceDpi)));
    EXPECT_DOUBLE_EQ(trueSize.y, tenthsToPixels(2100, 600) / static_cast<double>(tenthsToPixels(2100, kReferenceDpi)));

    // A strip as wide as the paper but short: stretched across, true size down.
    PageSettings strip{kCustomPaperCode, 2100, 1000, kPortrait};
    const PrintScale mixed = printScale(strip, printable, 600, 600);
    EXPECT_DOUBLE_EQ(mixed.x, printable.width() / 794.0);
    EXPECT_DOUBLE_EQ(mixed.y, tenthsToPixels(1000, 600) / static_cast<double>(tenthsToPixels(1000, kReferenceDpi)));
}

TEST(PrintSetupTest, StandardPaperSetsThePrinterAndCustomSizeKeepsIt) {
    EXPECT_TRUE(isStandardPaper(9));
    EXPECT_FALSE(isStandardPaper(kCustomPaperCode));
    EXPECT_FALSE(isStandardPaper(0));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    NetSheet custom;
    custom.page() = {kCustomPaperCode, 1500, 1500, kPortrait};
    preparePrinter(printer, custom);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(printer.fromPage(), 1);
    EXPECT_EQ(printer.toPage(), 1);

    NetSheet landscape;
    landscape.page() = {9, 2970, 2100, kLandscape};
    preparePrinter(printer, landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST(PainterSurfaceTest, ColoursAndTextsConvert) {
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xFFCC99), QColor(0x99, 0xCC, 0xFF));
    EXPECT_EQ(fromModelText("PN n\xB0" "1"), QString::fromUtf8("PN n°1"));
    EXPECT_EQ(toModelText(QString::fromUtf8("n°")), "n\xB0");
}

// A sheet holding one object of every kind, with markings that take each drawing branch.
void fillWithEveryKind(NetSheet& sheet) {
    auto addNode = [&](ObjectKind kind, Point centre, int index) -> NetNode& {
        auto object = createObject(kind);
        object->centreOn(centre);
        auto& node = static_cast<NetNode&>(sheet.add(std::move(object)));
        node.setIndex(index);
        return node;
    };
    auto& p1 = static_cast<Place&>(addNode(ObjectKind::kDiscretePlace, {100, 100}, 1));
    p1.setShownMarking(5);
    auto& p2 = static_cast<Place&>(addNode(ObjectKind::kContinuousPlace, {300, 100}, 2));
    p2.setShownMarking(-1);
    auto& p3 = static_cast<Place&>(addNode(ObjectKind::kDiscretePlace, {100, 300}, 3));
    p3.setShownMarking(12);
    auto& t1 = static_cast<Transition&>(addNode(ObjectKind::kDiscreteTransition, {200, 200}, 1));
    auto& t2 = static_cast<Transition&>(addNode(ObjectKind::kContinuousTransition, {300, 300}, 2));
    t2.setShownValue(-1);
    auto link = [&](ObjectKind kind, NetNode& from, NetNode& to) -> Arc& {
        auto& arc = static_cast<Arc&>(sheet.add(createObject(kind)));
        arc.link(from, to);
        return arc;
    };
    link(ObjectKind::kOrdinaryArc, p1, t1);
    link(ObjectKind::kOrdinaryArc, t1, p1);
    link(ObjectKind::kGeneralizedArc, t1, p2).setWeight(2.5);
    Arc& routed = link(ObjectKind::kOrdinaryArc, p3, t2);
    routed.setRoute({{150, 380}, {200, 360}, {250, 330}});
    auto graph = createObject(ObjectKind::kGraph);
    graph->centreOn({500, 200});
    static_cast<Graph&>(*graph).setTitle("Markings");
    sheet.add(std::move(graph));
    auto legend = createObject(ObjectKind::kLegend);
    legend->centreOn({500, 400});
    legend->format().back = 0xCCFFFF;
    legend->format().line = 0;
    legend->format().style = 3;
    static_cast<Legend&>(*legend).setText("Two lines\nof text");
    sheet.add(std::move(legend));
}

int nonWhitePixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ++count;
    return count;
}

TEST(SheetPaintingTest, EveryObjectKindDrawsPixels) {
    NetSheet sheet;
    fillWithEveryKind(sheet);
    sheet.selectAll(true);
    sheet.grid().shown = false;
    EditorSession session;
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintSheet(painter, sheet, drawContextFor(sheet, session, true));
    painter.end();
    for (const NetObject* object : sheet.objects()) {
        const Rect b = object->bounds();
        EXPECT_GT(nonWhitePixels(image, QRect(b.left, b.top, b.width(), b.height())), 20)
            << object->typeName();
    }
    // A discrete place with 5 tokens: the centre dot is drawn in the text colour.
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));
}

TEST(SheetPaintingTest, ObjectsOutsideTheDrawableAreaAreNotDrawn) {
    NetSheet sheet;
    sheet.grid().shown = false;
    auto place = createObject(ObjectKind::kDiscretePlace);
    place->setRect({0, 0, 20, 20});
    sheet.add(std::move(place));
    EditorSession session;
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintSheet(painter, sheet, drawContextFor(sheet, session, true));
    painter.end();
    EXPECT_EQ(nonWhitePixels(image, QRect(0, 0, 21, 21)), 0);
}

TEST(SheetPaintingTest, GridDotsAreDrawnWhenShown) {
    NetSheet sheet;
    EditorSession session;
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintSheet(painter, sheet, drawContextFor(sheet, session, true));
    painter.end();
    EXPECT_EQ(image.pixel(33, 33), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(34, 33), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(23, 23), qRgb(255, 255, 255));

    // A one-unit grid at a quarter of the size would be a grey wash: it is left out.
    sheet.grid().step = 1;
    image.fill(Qt::white);
    painter.begin(&image);
    painter.scale(0.25, 0.25);
    paintSheet(painter, sheet, drawContextFor(sheet, session, true));
    painter.end();
    EXPECT_EQ(nonWhitePixels(image, image.rect()), 0);
}

TEST(SelectionPictureTest, ArcsAppearOnlyWithBothEndsSelectedAndHandlesNever) {
    NetSheet sheet;
    fillWithEveryKind(sheet);
    EditorSession session;
    EXPECT_TRUE(selectionPicture(sheet, session).image.isNull());
    NetObject& place = sheet.at(0);
    place.setSelected(true);
    const QImage placeOnly = selectionPicture(sheet, session).image;
    ASSERT_FALSE(placeOnly.isNull());
    // The place's handles would stick out 4 units beyond its 40-unit circle.
    EXPECT_LE(placeOnly.height(), 44);
    // Its output arc to an unselected transition adds nothing.
    static_cast<NetNode&>(place).outputArcs().front()->setSelected(true);
    EXPECT_EQ(selectionPicture(sheet, session).image, placeOnly);
    // With the transition selected too, the arcs between them are drawn.
    static_cast<NetNode&>(place).outputArcs().front()->to()->setSelected(true);
    EXPECT_GT(selectionPicture(sheet, session).image.width(), placeOnly.width());

    // An object stretched far beyond any page gives no picture rather than a huge allocation.
    for (NetObject* graph : sheet.objects(maskOf(ObjectKind::kGraph))) {
        graph->setRect({0, 0, 2000000000, 100});
        graph->setSelected(true);
    }
    const SelectionPicture huge = selectionPicture(sheet, session);
    EXPECT_TRUE(huge.image.isNull());
    EXPECT_TRUE(huge.svg.isEmpty());
}

TEST(SelectionPictureTest, VectorFormIsWellFormedSvgOfTheSameDrawing) {
    NetSheet sheet;
    fillWithEveryKind(sheet);
    EditorSession session;
    sheet.at(0).setSelected(true); // P1 with five tokens
    for (NetObject* legend : sheet.objects(maskOf(ObjectKind::kLegend)))
        legend->setSelected(true);
    const SelectionPicture picture = selectionPicture(sheet, session);
    QXmlStreamReader reader(picture.svg);
    int ellipses = 0;
    int handles = 0;
    QStringList texts;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = reader.name();
        if (name == QLatin1String("svg")) {
            EXPECT_EQ(reader.attributes().value("width").toInt(), picture.image.width());
            EXPECT_EQ(reader.attributes().value("height").toInt(), picture.image.height());
        } else if (name == QLatin1String("ellipse")) {
            ++ellipses;
        } else if (name == QLatin1String("rect") && reader.attributes().value("width") == QLatin1String("7")) {
            ++handles;
        } else if (name == QLatin1String("text")) {
            texts << reader.readElementText();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(ellipses, 6);
    EXPECT_EQ(handles, 0);
    EXPECT_EQ(texts, (QStringList{"P1", "Two lines", "of text"}));
}

TEST(ToolbarKindTest, EntriesShiftTheFirstKindOfThePair) {
    EXPECT_EQ(toolbarKind(ObjectKind::kOrdinaryArc, 1), ObjectKind::kGeneralizedArc);
    EXPECT_EQ(toolbarKind(ObjectKind::kDiscretePlace, 1), ObjectKind::kContinuousPlace);
    EXPECT_EQ(toolbarKind(ObjectKind::kDiscreteTransition, 0), ObjectKind::kDiscreteTransition);
}

class WindowPaintingTest : public ViewTest {
protected:
    static constexpr QSize kPrintable{2400, 3400};  // a 300 dpi page

    // One red place alone on the sheet, without grid, rendered as a printed page.
    QImage renderedPlacePage(bool fitToPage) {
        auto place = createObject(ObjectKind::kDiscretePlace);
        place->setRect({380, 540, 420, 580});
        place->format().back = 0x0000FF;
        sheet().add(std::move(place));
        sheet().grid().shown = false;
        QImage page(kPrintable, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        renderSheetPage(painter, sheet(), m_session, kPrintable, 300, 300, fitToPage);
        painter.end();
        return page;
    }
};

TEST_F(WindowPaintingTest, PreviewOffersItsButtonsForOnePage) {
    insertAt(ObjectKind::kDiscretePlace, gridPoint(10, 10));
    SheetPrinter printer;
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    QStringList texts;
    bool twoPagesEnabled = true;
    QTimer::singleShot(100, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QPushButton* close = nullptr;
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            texts << button->text();
            if (button->text() == "Two Page")
                twoPagesEnabled = button->isEnabled();
            if (button->text() == "Close")
                close = button;
        }
        ASSERT_NE(close, nullptr);
        close->click();
    });
    printer.preview(m_view.get(), *m_view);
    EXPECT_EQ(texts, (QStringList{"Print...", "Next", "Previous", "Two Page", "Zoom in", "Zoom out", "Fit to Page",
                                  "Close"}));
    EXPECT_FALSE(twoPagesEnabled);
    EXPECT_FALSE(m_view->hasSelection());
}

TEST_F(WindowPaintingTest, WindowShowsGreyBackgroundPageAndMarginAndTheGhost) {
    m_view->setZoom(50);
    m_view->beginInsert(ObjectKind::kDiscretePlace);
    moveTo(gridPoint(30, 30));
    const QImage shot = m_view->viewport()->grab().toImage();
    const QPoint outside = m_view->toWindow(QPoint(900, 900));
    EXPECT_EQ(shot.pixelColor(outside).rgb(), qRgb(0x80, 0x80, 0x80));
    const QPoint inside = m_view->toWindow(QPoint(300, 300));
    EXPECT_EQ(shot.pixelColor(inside).rgb(), qRgb(255, 255, 255));
    // The ghost's dotted outline crosses the row through its centre.
    const Point centre = gridPoint(30, 30);
    const QPoint left = m_view->toWindow(QPoint(centre.x - 25, centre.y));
    const QPoint right = m_view->toWindow(QPoint(centre.x - 15, centre.y));
    bool outlined = false;
    for (int x = left.x(); x <= right.x(); ++x)
        outlined = outlined || shot.pixelColor(x, left.y()).rgb() == qRgb(0, 0, 0);
    EXPECT_TRUE(outlined);
}

TEST_F(WindowPaintingTest, TitleIsTheDocumentTitleAndTheSheetName) {
    EXPECT_EQ(sheetWindowTitle(m_document, sheet()), QString::fromUtf8("New file - PN n°1"));
    m_document.setPath("/tmp/some folder/line.pn");
    sheet().setName("Feeder");
    EXPECT_EQ(sheetWindowTitle(m_document, sheet()), QString("line.pn - Feeder"));
}

TEST_F(WindowPaintingTest, PrintingLeavesNoSelectionAndWritesOnePage) {
    fillWithEveryKind(sheet());
    m_view->selectAll();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("sheet.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    preparePrinter(printer, sheet());
    ASSERT_TRUE(printSheet(printer, *m_view));
    EXPECT_FALSE(m_view->hasSelection());
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray content = pdf.readAll();
    EXPECT_TRUE(content.startsWith("%PDF"));
    EXPECT_EQ(content.count("/Type /Page\n") + content.count("/Type /Page\r") + content.count("/Type /Page "), 1);
}

TEST_F(WindowPaintingTest, RenderedPageScalesToThePrintableArea) {
    // A 300 dpi page as a picture: the A4 drawable area fills more than nine tenths, so it stretches.
    const QImage page = renderedPlacePage(false);
    const double sx = kPrintable.width() / 794.0;
    const double sy = kPrintable.height() / 1123.0;
    EXPECT_EQ(page.pixel(static_cast<int>(400 * sx), static_cast<int>(560 * sy)), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(static_cast<int>(440 * sx), static_cast<int>(560 * sy)), qRgb(255, 255, 255));
}

TEST_F(WindowPaintingTest, FitToPageFillsThePageWithTheObjectsAndPrintedGridDotsAreRound) {
    const QImage page = renderedPlacePage(true);
    // The place with its border of 20 (360..440 across) fills the width: 30 pixels a unit.
    EXPECT_EQ(page.pixel(1200, 1200), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(1200 - 21 * 30, 1200), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(1200 + 15 * 30, 1200), qRgb(255, 0, 0));

    // At 600 dpi a grid dot is a round spot several device pixels wide, not one pixel.
    sheet().clear();
    sheet().grid().shown = true;
    QImage fine(QSize(1200, 1200), QImage::Format_RGB32);
    fine.setDotsPerMeterX(static_cast<int>(600 / 0.0254));
    fine.setDotsPerMeterY(static_cast<int>(600 / 0.0254));
    fine.fill(Qt::white);
    QPainter finePainter(&fine);
    finePainter.scale(600.0 / 96, 600.0 / 96);
    paintSheet(finePainter, sheet(), drawContextFor(sheet(), m_session, false));
    finePainter.end();
    int darkestRun = 0;
    for (int y = 0; y < fine.height(); ++y) {
        int run = 0;
        for (int x = 0; x < fine.width(); ++x) {
            run = qGray(fine.pixel(x, y)) < 128 ? run + 1 : 0;
            darkestRun = std::max(darkestRun, run);
        }
    }
    EXPECT_GE(darkestRun, 4);
    EXPECT_LE(darkestRun, 8);
}

} // namespace
} // namespace tokarium::test
