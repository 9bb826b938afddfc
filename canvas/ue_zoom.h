#pragma once

#include <string>

#include "canvas/canvax_viewport.h"
#include "canvas/geometry/geometry_types.h"
#include "canvas/undo_element.h"

namespace nerim {

// The undo entry of one zoom of one view.
class TUEZoom : public IUndoElement {
public:
    // Made by the view before it applies the zoom to R (zoom coordinates).
    TUEZoom(TCanvaxViewport& View, const TRect2D& R);

    // The frame now in force; called by the view after the zoom succeeded.
    void RecordAfter();

    std::string GetUndoCaption() const override { return "Deshacer zoom"; }
    std::string GetRedoCaption() const override { return "Rehacer zoom"; }
    int MemorySize() const override { return 4; }
    // The view is zooming and shows the frame after (before) this zoom in the same zoom frame.
    bool CanUndo() const override;
    bool CanRedo() const override;
    // Shows again the area visible before the zoom.
    void DoUndo() override;
    // Zooms to the same rectangle again.
    void DoRedo() override;

    const TRect2D& ZoomRect() const { return zoomRect_; }
    const TPoint2D& CornerBefore1() const { return cornerBefore1_; }
    const TPoint2D& CornerBefore2() const { return cornerBefore2_; }
    const TParal2D& FrameBefore() const { return frameBefore_; }
    const TParal2D& FrameAfter() const { return frameAfter_; }
    const TParal2D& ZoomFrameAt() const { return zoomFrameAt_; }
    // Null once the view is gone; the entry then can neither undo nor redo.
    TCanvaxViewport* View() const { return viewWatch_.Alive() ? view_ : nullptr; }

private:
    TRect2D zoomRect_;
    TPoint2D cornerBefore1_;
    TPoint2D cornerBefore2_;
    TParal2D frameBefore_;
    TParal2D frameAfter_;
    TParal2D zoomFrameAt_;
    TCanvaxViewport* view_;
    TCanvaxViewport::TWatch viewWatch_;
};

}  // namespace nerim
