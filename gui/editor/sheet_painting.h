// Painting a sheet: the page decoration, the sheet itself, the mouse-mode feedback and pictures.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

#include "gui/editor/sheet_editor.h"
#include "gui/model/net_object.h"
#include "gui/model/net_sheet.h"

class QPainter;

namespace tokarium {

// The context objects of the sheet draw with: the sheet's font, handles shown or not, the graph renderer.
DrawContext drawContextFor(const NetSheet& sheet, const EditorSession& session, bool showHandles);

// Window decoration in logical coordinates: the page shrunk by 2 filled with the window colour, its
// black frame and shadow, and the dotted rectangle around the drawable area grown by 1.
void paintPageDecoration(QPainter& painter, const NetSheet& sheet, const QColor& windowColour);

// The sheet in logical coordinates: white drawable area, grid dots when shown, the arcs, then every
// other object; only objects whose bounds meet the drawable area are drawn.
void paintSheet(QPainter& painter, const NetSheet& sheet, const DrawContext& context);

// The sheet's objects, arcs first: all those meeting the drawable area, or for a picture of the
// selection the selected ones (arcs only with both ends selected).
void drawSheetObjects(DrawingSurface& surface, const NetSheet& sheet, const DrawContext& context, bool selectionOnly);
// Feedback of the editor's mode: the arc line with its arrowhead, the ghost outline, the rubber band.
void paintModeFeedback(QPainter& painter, const SheetEditor& editor);

// The system clipboard's picture of the selected objects without handles (arcs only when both their
// ends are selected): a bitmap on white at one pixel per unit, and the same drawing as SVG. Both are
// empty when nothing is selected or the selection is too large.
struct SelectionPicture {
    QImage image;
    QByteArray svg;
};
SelectionPicture selectionPicture(const NetSheet& sheet, const EditorSession& session);

} // namespace tokarium
