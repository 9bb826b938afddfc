#pragma once

#include "canvas/colors.h"

namespace nerim {

class TCanvaxViewport;

// A transient mark drawn over a view's finished picture (its screen image), not part of the
// document and never painted into the buffer. It draws with XOR or by restoring the pixels it
// saved, so that it can be removed without repainting.
//
// Every change follows one pattern: erase all overlays of the view, change, draw them all again.
// That keeps XOR drawings right where overlays overlap.
class TVirtualElement {
public:
    // Invisible; joins View's overlay list when a view is given.
    TVirtualElement(TCanvaxViewport* View, TColor Color);
    TVirtualElement(const TVirtualElement&) = delete;
    TVirtualElement& operator=(const TVirtualElement&) = delete;
    // Leaves the view: the overlay disappears from its picture, the others stay.
    virtual ~TVirtualElement();

    TCanvaxViewport* View() const { return view_; }
    bool Visible() const { return visible_; }
    TColor Color() const { return color_; }

    // Moves the overlay to another view (or none).
    void SetView(TCanvaxViewport* V);
    void SetVisible(bool B);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // The view's erase (draw) pass over all its overlays; nothing when detached.
    void EraseAll();
    void DrawAll();

    // Draws (Showing) or removes (not Showing) the overlay on View()->ScreenCanvas(). Called by
    // the view's passes; implementations draw only while Visible and attached.
    virtual void Draw(bool Showing) = 0;

protected:
    void SetColor(TColor Color) { color_ = Color; }

private:
    TCanvaxViewport* view_ = nullptr;
    bool visible_ = false;
    TColor color_;
};

}  // namespace nerim
