// The reference frame and the mapping between pixels and world coordinates.
#include "canvas/canvax_viewport.h"

#include <cmath>

#include "canvas/canvax.h"
#include "canvas/geometry/geometry_funcs.h"

namespace nerim {

namespace {

bool Finite(const TPoint2D& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

}  // namespace

TPoint2D TCanvaxViewport::ScreenToWorld(const TPoint2D& P) const { return ToWorldPoint(transform_, P); }
TPoint2D TCanvaxViewport::WorldToScreen(const TPoint2D& P) const { return ToLocalPoint(transform_, P); }
TVector2D TCanvaxViewport::ScreenToWorldVector(const TVector2D& V) const { return ToWorldVector(transform_, V); }
TVector2D TCanvaxViewport::WorldToScreenVector(const TVector2D& V) const { return ToLocalVector(transform_, V); }
TParal2D TCanvaxViewport::WorldToScreenParal(const TParal2D& P) const { return ParalToLocal(transform_, P); }
TParal2D TCanvaxViewport::ScreenToWorldParal(const TParal2D& P) const { return ParalToWorld(transform_, P); }

void TCanvaxViewport::UpdateVisibleArea() {
    const double w = ClientSize().width(), h = ClientSize().height();
    const TPoint2D a = ScreenToWorld({-1, -1});
    const TPoint2D b = ScreenToWorld({w + 1, h + 1});
    const TPoint2D c = ScreenToWorld({-1, h + 1});
    const TPoint2D d = ScreenToWorld({w + 1, -1});
    visibleArea_ = {Min4(a.X, b.X, c.X, d.X), Min4(a.Y, b.Y, c.Y, d.Y), Max4(a.X, b.X, c.X, d.X),
                    Max4(a.Y, b.Y, c.Y, d.Y)};
}

void TCanvaxViewport::SetReferences(const TPoint2D& Origin, const TVector2D& RefX, const TVector2D& RefY) {
    RequireCanvax();
    switch (canvax_->AllowedViews()) {
        case avOrthogonal:
            if (!SameValue(0, DotProduct(RefX, RefY)))
                throw EInvalidRef(
                    "Cuando la propiedad \"AllowedViews\" del canvax es \"vaOrthogonal\", los vectores de "
                    "referencia han de ser perpendiculares");
            break;
        case avProportionalToSpace:
            if (!SameValue(RefY.Y, RefX.X) || !SameValue(0, RefX.Y) || !SameValue(0, RefY.X))
                throw EInvalidRef(
                    "Cuando la propiedad \"AllowedViews\" del canvax es \"vaProportionalToSpace\", los vectores de "
                    "referencia han de ser del mismo módulo y paralelos a (1,0) y (0,1)");
            break;
        case avAll:
        default: break;
    }
    ApplyReferences(Origin, RefX, RefY);
}

void TCanvaxViewport::ApplyReferences(const TPoint2D& Origin, const TVector2D& RefX, const TVector2D& RefY) {
    RequireCanvax();
    if (!Finite(Origin) || !Finite(RefX) || !Finite(RefY))
        throw EFloatingPointError("Operación de coma flotante no válida: referencias no finitas");
    if (VectorsParallel(RefX, RefY)) throw EInvalidRef("Los vectores de referencia no pueden ser paralelos.");
    const TParal2D frame{Origin, RefX, RefY};
    const TParalTransform transform = TransformFromParal(frame);
    frame_ = frame;
    transform_ = transform;
    pixelDiagonal_ = VectorLength(RefX + RefY);
    UpdateVisibleArea();
    try {
        RaiseLocked(canvax_, OnChangeRef);
    } catch (...) {
        InvalidateBuffer();
        throw;
    }
    InvalidateBuffer();
}

}  // namespace nerim
