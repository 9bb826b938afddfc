#include "canvas/ce_not_container.h"

namespace nerim {

void TCENotContainer::Paint(TCanvaxViewport& View) { PaintDebugRectangle(View, true); }

bool TCENotContainer::HitTest(const TRegion&, const TCanvaxViewport&) { return false; }

}  // namespace nerim
