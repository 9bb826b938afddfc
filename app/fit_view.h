#pragma once

#include "canvas/geometry/geometry_types.h"

namespace nerim {

class TCanvaxViewport;

// The reference frame that shows the whole domain [0, Width] × [0, Height] in a view of
// ViewWidth × ViewHeight pixels, with a margin m = 0.01 (Width + Height) and equal world lengths
// per pixel along both axes. When the domain is relatively wider than the view the width is
// fitted: the scale is s = (Width + 2m) / ViewWidth and the left edge shows x = −m; otherwise the
// height is fitted: s = (Height + 2m) / ViewHeight and the top edge shows y = −m. The domain is
// centred along the other axis. Origin is the world point at pixel (0, 0), U = (s, 0) and
// V = (0, s). A view without pixels or a domain without extent raises EFloatingPointError.
TParal2D FitViewFrame(double Width, double Height, int ViewWidth, int ViewHeight);

// Sets the view's reference frame (through SetReferences) to the fit of its current size.
void FitView(TCanvaxViewport& View, double Width, double Height);

}  // namespace nerim
