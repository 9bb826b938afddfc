#include "app/fit_view.h"

#include <cmath>

#include "canvas/canvax_viewport.h"
#include "support/exception.h"

namespace nerim {

TParal2D FitViewFrame(double Width, double Height, int ViewWidth, int ViewHeight) {
    if (ViewWidth <= 0 || ViewHeight <= 0)
        throw EFloatingPointError("División por cero: la vista no tiene superficie");
    const double vw = ViewWidth, vh = ViewHeight;
    const double m = 0.01 * (Width + Height);
    const bool fitWidth = (Width / Height) / (vw / vh) >= 1;
    const double s = fitWidth ? (Width + 2 * m) / vw : (Height + 2 * m) / vh;
    if (!(s > 0) || !std::isfinite(s))
        throw EFloatingPointError("Operación de coma flotante no válida: el dominio no tiene extensión");
    const TPoint2D origin = fitWidth ? TPoint2D{-m, Height / 2 - s * vh / 2} : TPoint2D{Width / 2 - s * vw / 2, -m};
    return {origin, {s, 0}, {0, s}};
}

void FitView(TCanvaxViewport& View, double Width, double Height) {
    const TParal2D frame = FitViewFrame(Width, Height, View.ClientSize().width(), View.ClientSize().height());
    View.SetReferences(frame.Origin, frame.U, frame.V);
}

}  // namespace nerim
