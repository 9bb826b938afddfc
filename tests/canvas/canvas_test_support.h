#pragma once

// Test elements and helpers shared by the canvas tests.
#include <functional>
#include <string>
#include <vector>

#include "canvas/canvax.h"
#include "canvas/widget/canvax_view.h"
#include "canvas/ce_not_container.h"
#include "canvas/geometry/geometry_funcs.h"
#include "canvas/view_canvas.h"
#include "tests/common/geometry_printers.h"

namespace nerim::testing {

struct MouseCall {
    std::string Slot;  // "inserting" or "selected"
    TElementMouseAction Action;
    TPoint2D P;
    TMouseButton Button;
    TShiftState Shift;
};

// A filled rectangle in world coordinates, bounded by its region.
class TTestRect : public TCENotContainer {
public:
    explicit TTestRect(TCanvax& Canvax, TRect2D Rect = {0, 0, 1, 1}, TColor Color = clRed)
        : TCENotContainer(Canvax), rect_(Rect), color_(Color) {
        SetBoundsKind(bkRegion);
    }

    void BuildRegion() override {
        ++Builds;
        if (!Region()) SetRegion(std::make_unique<TRRectangle>());
        Region()->SetBounds(rect_);
    }

    void Paint(TCanvaxViewport& View) override {
        TCENotContainer::Paint(View);
        ++Paints;
        if (OnPaint) OnPaint();
        if (!Fill) return;
        TViewCanvas* canvas = View.GetCanvas();
        const TPoint2D a = View.WorldToScreen({rect_.X1, rect_.Y1});
        const TPoint2D b = View.WorldToScreen({rect_.X2, rect_.Y2});
        canvas->Brush.Style = bsSolid;
        canvas->Brush.Color = color_;
        canvas->FillRect(RoundToInt(a.X), RoundToInt(a.Y), RoundToInt(b.X), RoundToInt(b.Y));
    }

    void MouseInserting(TCanvaxViewport&, TElementMouseAction Action, const TPoint2D& P, TMouseButton Button,
                        TShiftState Shift) override {
        Calls.push_back({"inserting", Action, P, Button, Shift});
        if (OnMouse) OnMouse(Action);
    }

    void MouseSelected(TCanvaxViewport&, TElementMouseAction Action, const TPoint2D& P, TMouseButton Button,
                       TShiftState Shift) override {
        Calls.push_back({"selected", Action, P, Button, Shift});
        if (OnMouse) OnMouse(Action);
    }

    void SetRect(const TRect2D& Rect) {
        rect_ = Rect;
        Redraw();
    }

    bool Fill = true;
    int Builds = 0;
    int Paints = 0;
    std::function<void()> OnPaint;
    std::vector<MouseCall> Calls;
    std::function<void(TElementMouseAction)> OnMouse;

protected:
    ~TTestRect() override = default;

private:
    TRect2D rect_;
    TColor color_;
};

// Records OnChangeElementState: "<element tag>:<new state>".
struct StateRecorder {
    std::vector<std::pair<TCanvaxElement*, TElementState>> Events;
    std::vector<bool> Locked;  // the document was locked during each event
    void Attach(TCanvax& doc) {
        doc.OnChangeElementState = [this](TCanvax& sender, TCanvaxElement& element, TElementState state) {
            Events.emplace_back(&element, state);
            Locked.push_back(sender.IsLocked());
        };
    }
};

// Sizes a view and runs its resize processing as the resize event would (the views in these
// tests are never shown, so Qt keeps their resize events pending).
inline void SizeView(TCanvaxView& view, int width, int height) {
    view.resize(width, height);
    view.Resized();
}

}  // namespace nerim::testing
