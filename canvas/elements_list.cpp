#include "canvas/elements_list.h"

#include <algorithm>

#include "canvas/canvax_element.h"
#include "canvas/canvax_viewport.h"
#include "canvas/geometry/geometry_funcs.h"
#include "support/exception.h"

namespace nerim {

TCanvaxElement* TElementsList::operator[](int I) const {
    CheckListIndex(I, Count());
    return items_[std::size_t(I)];
}

int TElementsList::IndexOf(const TCanvaxElement* E) const {
    const auto found = std::find(items_.begin(), items_.end(), E);
    return found == items_.end() ? -1 : int(found - items_.begin());
}

void TElementsList::Remove(const TCanvaxElement* E) {
    const auto found = std::find(items_.begin(), items_.end(), E);
    if (found != items_.end()) items_.erase(found);
}

void TElementsList::Delete(int I) {
    CheckListIndex(I, Count());
    items_.erase(items_.begin() + I);
}

namespace {

TRect2D Normalised(TRect2D r) {
    NormalizeRect(r);
    return r;
}

}  // namespace

void TElementsList::PaintList(TCanvaxViewport& View) const {
    // By index and re-checked: painting may change the list.
    for (std::size_t i = 0; i < items_.size(); ++i) {
        TCanvaxElement* element = items_[i];
        if (!element->IsShowing() || element->State() == esDead) continue;
        const TBoundsKind kind = element->BoundsKind();
        if (kind == bkRegion &&
            !RectsIntersect(Normalised(element->GetBounds(View)), Normalised(View.PendingInvalid())))
            continue;
        const TCanvaxElement::TWatch watch = element->Watch();
        element->Paint(View);
        if (!watch.Alive()) continue;
        if (kind != bkUnbounded)
            View.SetPendingInvalid(RectUnion(Normalised(View.PendingInvalid()), Normalised(element->GetBounds(View))));
    }
}

}  // namespace nerim
