#pragma once

#include "canvas/geometry/geometry_types.h"

namespace nerim {

// The screen rectangles (pixels) that the window's ways of moving the view hand to the view's
// ZoomToScreenRect, for a view of ViewWidth × ViewHeight pixels and the mouse at (X, Y). The view
// keeps its aspect, so a rectangle of the view's proportions maps exactly onto it.

// The zoom tool's left click: half the view's size about the pixel, which comes to the centre at
// twice the scale.
TRect2D ZoomInRect(double X, double Y, double ViewWidth, double ViewHeight);
// The zoom tool's right click: twice the view's size about the pixel, which comes to the centre
// at half the scale.
TRect2D ZoomOutRect(double X, double Y, double ViewWidth, double ViewHeight);
// A pan step from the last mouse position to (X, Y): the drawing follows the mouse at the same
// scale.
TRect2D PanRect(double LastX, double LastY, double X, double Y, double ViewWidth, double ViewHeight);
// Zooms by Factor (above 1 in, below 1 out) keeping the point under the mouse where it is.
TRect2D ZoomAboutRect(double X, double Y, double Factor, double ViewWidth, double ViewHeight);

// The zoom factor of a wheel turn given in eighths of a degree (120 per notch of a common
// wheel): 1.25 per notch, forward in, backward out; fine-grained wheels and touch pads give
// the same total for the same turn.
double WheelZoomFactor(int AngleDelta);

}  // namespace nerim
