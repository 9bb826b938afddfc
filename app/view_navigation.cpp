#include "app/view_navigation.h"

#include <cmath>

namespace nerim {

TRect2D ZoomInRect(double X, double Y, double ViewWidth, double ViewHeight) {
    return {X - ViewWidth / 4, Y - ViewHeight / 4, X + ViewWidth / 4, Y + ViewHeight / 4};
}

TRect2D ZoomOutRect(double X, double Y, double ViewWidth, double ViewHeight) {
    return {X - ViewWidth, Y - ViewHeight, X + ViewWidth, Y + ViewHeight};
}

TRect2D PanRect(double LastX, double LastY, double X, double Y, double ViewWidth, double ViewHeight) {
    const double dx = LastX - X, dy = LastY - Y;
    return {dx, dy, dx + ViewWidth, dy + ViewHeight};
}

TRect2D ZoomAboutRect(double X, double Y, double Factor, double ViewWidth, double ViewHeight) {
    return {X - X / Factor, Y - Y / Factor, X + (ViewWidth - X) / Factor, Y + (ViewHeight - Y) / Factor};
}

double WheelZoomFactor(int AngleDelta) { return std::pow(1.25, AngleDelta / 120.0); }

}  // namespace nerim
