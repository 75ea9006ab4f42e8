// Rendering a sheet's page into picture files.
#include "gui/editor/sheet_picture.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cctype>
#include <vector>

#include "gui/editor/editor_constants.h"
#include "gui/editor/page_geometry.h"
#include "gui/editor/sheet_painting.h"
#include "gui/editor/sheet_printing.h"
#include "gui/editor/svg_surface.h"
#include "gui/xml/file_replace.h"

namespace tokarium {
namespace {

// PDF pages are laid out at this density; the content stays vectors.
constexpr int kPdfResolution = 1200;

// Deselects every object for the lifetime of the guard, then selects the same ones again.
class SelectionPause {
public:
    explicit SelectionPause(NetSheet& sheet) {
        for (NetObject* object : sheet.objects(kAllKinds, true))
            m_selected.push_back(object);
        sheet.selectAll(false);
    }
    ~SelectionPause() {
        for (NetObject* object : m_selected)
            object->setSelected(true);
    }
    SelectionPause(const SelectionPause&) = delete;
    SelectionPause& operator=(const SelectionPause&) = delete;

private:
    std::vector<NetObject*> m_selected;
};

QByteArray pngBytes(const NetSheet& sheet, const EditorSession& session, int dpi) {
    const Rect page = pageRect(sheet.page(), dpi);
    QImage image(page.width(), page.height(), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
    QPainter painter(&image);
    renderSheetPage(painter, sheet, session, image.size(), dpi, dpi);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray pdfBytes(const NetSheet& sheet, const EditorSession& session) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    const PageSettings& page = sheet.page();
    // The paper's width and height are already those of its orientation, in tenths of a millimetre.
    writer.setPageSize(QPageSize(QSizeF(page.width / 10.0, page.height / 10.0), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kPdfResolution);
    QPainter painter;
    if (!painter.begin(&writer))
        return {};
    renderSheetPage(painter, sheet, session, QSize(writer.width(), writer.height()), kPdfResolution, kPdfResolution);
    painter.end();
    return bytes;
}

QByteArray svgBytes(const NetSheet& sheet, const EditorSession& session) {
    SvgSurface svg;
    // The grid as printed: one dot of a reference pixel (one logical unit) per grid point.
    if (sheet.grid().shown && sheet.grid().step >= kMinimumGridDotSpacing)
        svg.drawDots(gridDots(sheet, pageRect(sheet)), 1.0);
    drawSheetObjects(svg, sheet, drawContextFor(sheet, session, false), false);
    return svg.document(pageRect(sheet));
}

} // namespace

std::optional<PictureFormat> pictureFormatFor(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return std::nullopt;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "svg")
        return PictureFormat::kSvg;
    if (extension == "png")
        return PictureFormat::kPng;
    if (extension == "pdf")
        return PictureFormat::kPdf;
    return std::nullopt;
}

bool saveSheetPicture(NetSheet& sheet, const EditorSession& session, const std::string& path, int dpi,
                      std::string& error) {
    const std::optional<PictureFormat> format = pictureFormatFor(path);
    if (!format) {
        error = "the picture file must end in .svg, .png or .pdf";
        return false;
    }
    if (dpi < kMinimumPictureDpi || dpi > kMaximumPictureDpi) {
        error = "the resolution must lie between " + std::to_string(kMinimumPictureDpi) + " and " +
                std::to_string(kMaximumPictureDpi) + " dots per inch";
        return false;
    }
    QByteArray bytes;
    {
        const SelectionPause pause(sheet);
        bytes = *format == PictureFormat::kPng   ? pngBytes(sheet, session, dpi)
                : *format == PictureFormat::kPdf ? pdfBytes(sheet, session)
                                                 : svgBytes(sheet, session);
    }
    if (bytes.isEmpty()) {
        error = "the picture could not be drawn";
        return false;
    }
    if (!replaceFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace tokarium
