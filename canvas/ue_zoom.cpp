#include "canvas/ue_zoom.h"

#include "canvas/geometry/geometry_funcs.h"

namespace nerim {

TUEZoom::TUEZoom(TCanvaxView& View, const TRect2D& R)
    : zoomRect_(R),
      cornerBefore1_(View.ScreenToWorld({0, 0})),
      cornerBefore2_(View.ScreenToWorld({double(View.width()), double(View.height())})),
      frameBefore_(View.Frame()),
      zoomFrameAt_(View.ZoomFrame()),
      view_(&View) {}

void TUEZoom::RecordAfter() {
    if (view_) frameAfter_ = view_->Frame();
}

bool TUEZoom::CanUndo() const {
    return view_ && view_->InZoom() && SameParal(frameAfter_, view_->Frame()) &&
           SameParal(zoomFrameAt_, view_->ZoomFrame());
}

bool TUEZoom::CanRedo() const {
    return view_ && view_->InZoom() && SameParal(frameBefore_, view_->Frame()) &&
           SameParal(zoomFrameAt_, view_->ZoomFrame());
}

void TUEZoom::DoUndo() {
    if (!view_) return;
    const TPoint2D a = view_->WorldToScreen(cornerBefore1_);
    const TPoint2D b = view_->WorldToScreen(cornerBefore2_);
    view_->ZoomToScreenRect({a.X, a.Y, b.X, b.Y});
}

void TUEZoom::DoRedo() {
    if (view_) view_->Zoom(zoomRect_);
}

}  // namespace nerim
