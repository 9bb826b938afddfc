// Zoom and pan through the zoom frame.
#include "canvas/canvax_viewport.h"

#include <memory>

#include "canvas/canvax.h"
#include "canvas/geometry/geometry_funcs.h"
#include "canvas/ue_zoom.h"

namespace nerim {

void TCanvaxViewport::BeginZoom(const TParal2D& Frame) {
    RequireCanvax();
    if (inZoom_) throw Exception("Ha llamado dos veces consecutivas a BeginZoom");
    inZoom_ = true;
    zoomFrame_ = Frame;
    Zoom({0, 0, 1, 1});
}

void TCanvaxViewport::BeginZoom() {
    RequireCanvax();
    const TPoint2D origin = ScreenToWorld({0, 0});
    const TParal2D frame{origin, ScreenToWorld({double(ClientSize().width()), 0}) - origin,
                         ScreenToWorld({0, double(ClientSize().height())}) - origin};
    BeginZoom(frame);
}

void TCanvaxViewport::Zoom(const TRect2D& R) {
    RequireCanvax();
    if (!inZoom_) throw ECanNotZoom("No se puede hacer un zoom sin llamar previamente a BeginZoom");
    if (SameValue(R.X2, R.X1) || SameValue(R.Y2, R.Y1)) throw ECanNotZoom("Error, zoom nulo");
    const bool record = canvax_->UndoFilter().Contains(uaZoom);

    // The rectangle's corner and side vectors in world coordinates; a reversed rectangle gives
    // reversed vectors and so a mirrored view.
    TPoint2D origin = zoomFrame_.Origin + zoomFrame_.U * R.X1 + zoomFrame_.V * R.Y1;
    const TVector2D sideX = zoomFrame_.U * (R.X2 - R.X1);
    const TVector2D sideY = zoomFrame_.V * (R.Y2 - R.Y1);
    const double w = ClientSize().width(), h = ClientSize().height();
    if (w <= 0 || h <= 0) throw EFloatingPointError("División por cero: la vista no tiene superficie");
    const double lengthX = VectorLength(sideX), lengthY = VectorLength(sideY);
    if (lengthX == 0 || lengthY == 0) throw ECanNotZoom("Error, zoom nulo");

    TVector2D refX, refY;
    if (!zoomMustKeepAspect_) {
        refX = sideX * (1 / w);
        refY = sideY * (1 / h);
    } else if (w / h > lengthX / lengthY) {
        // The client area is relatively wider: the height fits, the width is centred.
        const double needed = lengthY * w / h;
        origin = origin + UnitVector(sideX) * ((lengthX - needed) / 2);
        refY = sideY * (1 / h);
        refX = UnitVector(sideX) * VectorLength(refY);
    } else {
        // Relatively taller (or the same): the width fits, the height is centred.
        const double needed = lengthX * h / w;
        origin = origin + UnitVector(sideY) * ((lengthY - needed) / 2);
        refX = sideX * (1 / w);
        refY = UnitVector(sideY) * VectorLength(refX);
    }

    const TParal2D saved = frame_;
    std::unique_ptr<TUEZoom> entry;
    if (record) entry = std::make_unique<TUEZoom>(*this, R);
    try {
        ApplyReferences(origin, refX, refY);
        if (entry) entry->RecordAfter();
        InvalidateBuffer();
        if (entry) canvax_->Undo().Add(std::move(entry));
    } catch (...) {
        // The zoom does not take place; the previous frame comes back and nothing is reported.
        ApplyReferences(saved.Origin, saved.U, saved.V);
        InvalidateBuffer();
    }
}

void TCanvaxViewport::ZoomToScreenRect(const TRect2D& R) {
    RequireCanvax();
    if (!inZoom_) throw ECanNotZoom("No se puede hacer un zoom sin llamar previamente a BeginZoom");
    if (!VectorsParallel(zoomFrame_.U, frame_.U) || !VectorsParallel(zoomFrame_.V, frame_.V))
        throw ECanNotZoom("Las referencias del zoom y el canvax no son compatibles");
    const TParalTransform zoom = TransformFromParal(zoomFrame_);
    const TPoint2D a = ToLocalPoint(zoom, ScreenToWorld({R.X1, R.Y1}));
    const TPoint2D b = ToLocalPoint(zoom, ScreenToWorld({R.X2, R.Y2}));
    Zoom({a.X, a.Y, b.X, b.Y});
}

}  // namespace nerim
