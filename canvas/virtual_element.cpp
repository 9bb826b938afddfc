#include "canvas/virtual_element.h"

#include "canvas/canvax_viewport.h"
#include "canvas/virtuals_list.h"

namespace nerim {

TVirtualElement::TVirtualElement(TCanvaxViewport* View, TColor Color) : color_(Color) {
    if (View) {
        View->Virtuals().Add(this);
        view_ = View;
    }
}

TVirtualElement::~TVirtualElement() {
    if (!view_) return;
    TCanvaxViewport* old = view_;
    view_ = nullptr;
    old->Virtuals().Remove(this);
    // This overlay cannot draw itself any more (its class part is gone): the picture is rebuilt
    // from the buffer with the overlays that stay.
    try {
        old->RefreshOverlays();
    } catch (...) {
        // Drawing on a control that is going away; nothing to restore.
    }
}

void TVirtualElement::SetView(TCanvaxViewport* V) {
    if (V == view_) return;
    TCanvaxViewport* old = view_;
    if (old) {
        old->EraseVirtuals();
        old->Virtuals().Remove(this);
        view_ = nullptr;
        // The overlays staying on the old view come back.
        old->DrawVirtuals();
    }
    if (V) {
        V->EraseVirtuals();
        V->Virtuals().Add(this);
        view_ = V;
        V->DrawVirtuals();
    }
}

void TVirtualElement::SetVisible(bool B) {
    if (B == visible_) return;
    EraseAll();
    visible_ = B;
    DrawAll();
}

void TVirtualElement::EraseAll() {
    if (view_) view_->EraseVirtuals();
}

void TVirtualElement::DrawAll() {
    if (view_) view_->DrawVirtuals();
}

}  // namespace nerim
