#include "canvas/canvax_element.h"

#include <algorithm>
#include <cstdlib>
#include <typeindex>
#include <unordered_map>
#include <vector>

#if defined(__GNUG__)
#include <cxxabi.h>
#endif

#include "canvas/canvas_exceptions.h"
#include "canvas/canvax.h"
#include "canvas/canvax_viewport.h"
#include "canvas/geometry/geometry_funcs.h"

namespace nerim {

std::string ElementClassName(const std::type_info& type) {
    static std::unordered_map<std::type_index, std::string> cache;
    const auto found = cache.find(type);
    if (found != cache.end()) return found->second;
    std::string full = type.name();
#if defined(__GNUG__)
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    if (status == 0 && demangled) full = demangled;
    std::free(demangled);
#endif
    for (const char* prefix : {"class ", "struct "})
        if (full.rfind(prefix, 0) == 0) full.erase(0, std::char_traits<char>::length(prefix));
    const std::size_t colon = full.rfind("::");
    std::string name = colon == std::string::npos ? full : full.substr(colon + 2);
    cache.emplace(type, name);
    return name;
}

void ElementDeleter::operator()(TCanvaxElement* element) const noexcept { TCanvaxElement::Release(element); }

bool IsShowing(const TCanvaxElement* E) {
    if (!E) return false;
    for (; E; E = E->Parent())
        if (!E->Visible()) return false;
    return true;
}

TCanvaxElement::TCanvaxElement(TCanvax& Canvax) : canvax_(&Canvax), life_(std::make_shared<char>('\0')) {
    Canvax.members_.insert(this);
}

TCanvaxElement::~TCanvaxElement() {
    life_.reset();
    if (canvax_) canvax_->ForgetElement(this);
    if (parent_ && parent_->children_) parent_->children_->Remove(this);
    if (children_) {
        for (TCanvaxElement* child : *children_)
            if (child->parent_ == this) child->parent_ = nullptr;
    }
}

void TCanvaxElement::AfterConstruction() { BuildRegion(); }

void TCanvaxElement::CreateChildren() {
    if (!children_) children_ = std::make_unique<TElementsList>();
}

void TCanvaxElement::SetState(TElementState NewState) {
    TElementState target = NewState;
    if (parent_ && parent_->state_ == esInactive) target = esInactive;
    if (target == state_) return;
    const TWatch self = Watch();
    TCanvax* cvx = canvax_;
    // A released element stays on the dead list: it must still be freed at the outermost Unlock.
    if (state_ == esDead && cvx && !released_) cvx->TakeOffDeadList(this);
    if (cvx && cvx->OnChangeElementState) {
        const bool releasedBefore = released_;
        const TOnChangeElementState handler = cvx->OnChangeElementState;
        cvx->Lock();
        try {
            handler(*cvx, *this, target);
        } catch (...) {
            cvx->Unlock();
            throw;
        }
        cvx->Unlock();
        // Destroyed from inside its own state-change event: the death stands and this change
        // is dropped.
        if (!self.Alive() || (released_ && !releasedBefore)) return;
    }
    const TElementState old = state_;
    state_ = target;
    if (IsContainer() && children_ && (target == esInactive || old == esInactive)) {
        const std::vector<TCanvaxElement*> children = children_->Items();
        for (TCanvaxElement* child : children) {
            if (!self.Alive()) return;
            if (children_->Contains(child)) child->SetState(target);
        }
        if (!self.Alive()) return;
    }
    cvx = canvax_;
    if (cvx) {
        if (target == esDead && cvx->IsLocked()) cvx->PutOnDeadList(this);
        if (old == esInsert && cvx->insertingElement_ == this) cvx->insertingElement_ = nullptr;
        if (old == esSelect && cvx->selectedElement_ == this) cvx->selectedElement_ = nullptr;
        if (target == esInsert) cvx->insertingElement_ = this;
        if (target == esSelect) cvx->selectedElement_ = this;
        cvx->SetViewsCursor(cvx->DefaultCursor());
        cvx->InfoMessage(this, std::string());
        if (!self.Alive()) return;
    }
    Redraw();
}

void TCanvaxElement::Redraw() {
    const TWatch self = Watch();
    if (TCanvax* cvx = canvax_) {
        const std::vector<TCanvaxViewport*> views = cvx->Views();
        for (TCanvaxViewport* view : views) view->InvalidateWorldRect(GetBounds(*view));
    }
    BuildRegion();
    if (!self.Alive()) return;
    TCanvax* cvx = canvax_;
    if (!cvx) return;
    // A copy: painting raises events that may attach or detach views.
    const std::vector<TCanvaxViewport*> views = cvx->Views();
    for (TCanvaxViewport* view : views) {
        if (!self.Alive() || canvax_ != cvx) return;
        const auto& attached = cvx->Views();
        if (std::find(attached.begin(), attached.end(), view) == attached.end()) continue;
        view->InvalidateWorldRect(GetBounds(*view));
        view->PaintInvalid();
    }
}

void TCanvaxElement::BuildRegion() {
    if (!region_) region_ = std::make_unique<TRegion>();
}

void TCanvaxElement::Show() { SetVisible(true); }

void TCanvaxElement::Hide() { SetVisible(false); }

void TCanvaxElement::SaveToText(TTokenFile&) {}

void TCanvaxElement::LoadFromText(TTokenFile&) {}

void TCanvaxElement::MouseInserting(TCanvaxViewport&, TElementMouseAction, const TPoint2D&, TMouseButton,
                                    TShiftState) {}

void TCanvaxElement::MouseSelected(TCanvaxViewport&, TElementMouseAction, const TPoint2D&, TMouseButton,
                                   TShiftState) {}

void TCanvaxElement::AddChild(TCanvaxElement& Child) {
    if (!children_) throw EElementException(*this, "Este elemento no puede contener otros elementos");
    for (const TCanvaxElement* e = this; e; e = e->parent_)
        if (e == &Child) throw EElementException(Child, "Un elemento no puede contenerse a sí mismo");
    Child.SetVisible(false);
    if (Child.parent_ && Child.parent_->children_) Child.parent_->children_->Remove(&Child);
    children_->Add(&Child);
    Child.parent_ = this;
}

void TCanvaxElement::RemoveChild(TCanvaxElement& Child) {
    if (children_) children_->Remove(&Child);
}

int TCanvaxElement::MemorySize() const { return instanceSize_; }

TRect2D TCanvaxElement::GetBounds(const TCanvaxViewport& View) {
    switch (boundsKind_) {
        case bkRegion: return region_ ? region_->Bounds() : TRect2D{};
        case bkVisibleArea: return View.VisibleArea();
        case bkUnbounded:
        default: return TRect2D{};
    }
}

void TCanvaxElement::SetVisible(bool B) {
    if (B == visible_) return;
    visible_ = B;
    Redraw();
}

bool TCanvaxElement::IsShowing() const { return nerim::IsShowing(this); }

void TCanvaxElement::PaintDebugRectangle(TCanvaxViewport& View, bool ClearBrush) {
    if (!canvax_ || !canvax_->DevelopingOptions().Contains(doDrawSuperRectangles)) return;
    TViewCanvas* canvas = View.GetCanvas();
    if (!canvas) return;
    canvas->Pen.Style = psSolid;
    canvas->Pen.Width = 1;
    canvas->Pen.Color = clRed;
    if (ClearBrush) canvas->Brush.Style = bsClear;
    const TRect2D bounds = GetBounds(View);
    const TPoint2D a = View.WorldToScreen({bounds.X1, bounds.Y1});
    const TPoint2D b = View.WorldToScreen({bounds.X2, bounds.Y2});
    canvas->Rectangle(RoundToInt(a.X), RoundToInt(a.Y), RoundToInt(b.X), RoundToInt(b.Y));
}

void TCanvaxElement::DetachFromOwner() {
    if (parent_ && parent_->children_) parent_->children_->Remove(this);
}

void TCanvaxElement::CanvaxDestroyed() { canvax_ = nullptr; }

void TCanvaxElement::Release(TCanvaxElement* element) noexcept {
    if (!element || element->released_) return;
    element->released_ = true;
    const TWatch watch = element->Watch();
    try {
        element->SetState(esDead);
    } catch (...) {
        // The destruction goes on whatever the state-change event raised.
    }
    if (!watch.Alive()) return;
    TCanvax* cvx = element->canvax_;
    if (cvx && cvx->IsLocked()) {
        if (element->state_ != esDead) {
            // The state change was refused by its event; a released element keeps no role.
            element->state_ = esDead;
            if (cvx->selectedElement_ == element) cvx->selectedElement_ = nullptr;
            if (cvx->insertingElement_ == element) cvx->insertingElement_ = nullptr;
        }
        cvx->PutOnDeadList(element);
        return;
    }
    FinalDestroy(element);
}

void TCanvaxElement::FinalDestroy(TCanvaxElement* element) noexcept {
    element->DetachFromOwner();
    element->region_.reset();
    delete element;
}

}  // namespace nerim
