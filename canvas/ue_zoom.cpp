#include "canvas/ue_zoom.h"

#include "canvas/geometry/geometry_funcs.h"

namespace nerim {

TUEZoom::TUEZoom(TCanvaxViewport& View, const TRect2D& R)
    : zoomRect_(R),
      cornerBefore1_(View.ScreenToWorld({0, 0})),
      cornerBefore2_(View.ScreenToWorld({double(View.ClientSize().width()), double(View.ClientSize().height())})),
      frameBefore_(View.Frame()),
      zoomFrameAt_(View.ZoomFrame()),
      view_(&View),
      viewWatch_(View.Watch()) {}

void TUEZoom::RecordAfter() {
    if (TCanvaxViewport* view = View()) frameAfter_ = view->Frame();
}

bool TUEZoom::CanUndo() const {
    const TCanvaxViewport* view = View();
    return view && view->InZoom() && SameParal(frameAfter_, view->Frame()) &&
           SameParal(zoomFrameAt_, view->ZoomFrame());
}

bool TUEZoom::CanRedo() const {
    const TCanvaxViewport* view = View();
    return view && view->InZoom() && SameParal(frameBefore_, view->Frame()) &&
           SameParal(zoomFrameAt_, view->ZoomFrame());
}

void TUEZoom::DoUndo() {
    TCanvaxViewport* view = View();
    if (!view) return;
    const TPoint2D a = view->WorldToScreen(cornerBefore1_);
    const TPoint2D b = view->WorldToScreen(cornerBefore2_);
    view->ZoomToScreenRect({a.X, a.Y, b.X, b.Y});
}

void TUEZoom::DoRedo() {
    if (TCanvaxViewport* view = View()) view->Zoom(zoomRect_);
}

}  // namespace nerim
