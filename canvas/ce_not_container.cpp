#include "canvas/ce_not_container.h"

namespace nerim {

void TCENotContainer::Paint(TCanvaxView& View) { PaintDebugRectangle(View, true); }

bool TCENotContainer::HitTest(const TRegion&, const TCanvaxView&) { return false; }

}  // namespace nerim
