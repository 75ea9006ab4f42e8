// The pointer shapes of the editor's mouse modes.
#pragma once

#include <QCursor>

namespace tokarium {

enum class EditorCursor {
    kArrow,
    kArcWithoutHead, // arc armed, or drawn without a valid head under the pointer
    kArcWithHead,
    kPlace,
    kTransition,
    kGraph,
    kLegend,
    kMoving,
    kRubberBand,
    kAddRoutePoint,
    kResizeHorizontal,
    kResizeVertical,
    kResizeDiagonal,     // top-left and bottom-right corners
    kResizeAntiDiagonal, // top-right and bottom-left corners
};

QCursor editorCursor(EditorCursor shape);

// The resize cursor of a rectangle's handle 1..8 (kMoving for any other number, such as a route point).
EditorCursor handleCursor(int handle);

} // namespace tokarium
