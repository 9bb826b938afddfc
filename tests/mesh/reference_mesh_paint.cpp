#include "tests/mesh/reference_mesh_paint.h"

#include <algorithm>

#include "canvas/canvax_viewport.h"
#include "mesh/core/cell_colors.h"
#include "mesh/tamrix_mesh.h"

namespace nerim::testing {
namespace {

struct TPainter {
    TCETamrixMesh& mesh;
    TCanvaxViewport& view;
    TViewCanvas& canvas;

    QPoint Screen(double x, double y) const {
        const TPoint2D s = view.WorldToScreen({x, y});
        return {RoundToInt(s.X), RoundToInt(s.Y)};
    }
    void Line(double x1, double y1, double x2, double y2, TArgb c) {
        const QPoint a = Screen(x1, y1), b = Screen(x2, y2);
        canvas.BlendLine(a.x(), a.y(), b.x(), b.y(), c);
    }
    void Fill(double x1, double y1, double x2, double y2, TArgb c) {
        const QPoint a = Screen(x1, y1), b = Screen(x2, y2);
        canvas.BlendFillRect(a.x(), a.y(), b.x(), b.y(), c);
    }

    template <class Matrix, class Color>
    void Cells(const Matrix& m, Color color) {
        const auto& x = mesh.DivisionsX();
        const auto& y = mesh.DivisionsY();
        const int nym = m.Sizes().N1();
        for (int r = 1; r < nym; ++r)
            for (int i = 1; i < m.Sizes().N0(); ++i) {
                const int top = nym - r - 1;
                if (i >= int(x.size()) || top + 1 >= int(y.size())) continue;
                Fill(x[i - 1], y[top], x[i], y[top + 1], color(m.Items(i, r)));
            }
    }

    void Paint() {
        const double w = mesh.Width(), h = mesh.Height();
        const QPoint a = Screen(0, 0), b = Screen(w, h);
        canvas.BlendFrameRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()) + 1,
                              std::max(a.y(), b.y()) + 1, kDomainOutlineColor);
        for (int k = 0; k < mesh.SubZoneXCount(); ++k) {
            const TSubZone z = mesh.GetSubZoneX(k);
            Line(z.Division, 0, z.Division, h, kSubZoneLineColor);
            Line(z.Center, 0, z.Center, h, kSubZoneLineColor);
            if (k == mesh.CurrentSubZoneX())
                Fill(z.Division, 0, k + 1 < mesh.SubZoneXCount() ? mesh.GetSubZoneX(k + 1).Division : w, h,
                     kCurrentBandXColor);
        }
        for (int k = 0; k < mesh.SubZoneYCount(); ++k) {
            const TSubZone z = mesh.GetSubZoneY(k);
            Line(0, z.Division, w, z.Division, kSubZoneLineColor);
            Line(0, z.Center, w, z.Center, kSubZoneCenterYColor);
            if (k == mesh.CurrentSubZoneY())
                Fill(0, z.Division, w, k + 1 < mesh.SubZoneYCount() ? mesh.GetSubZoneY(k + 1).Division : h,
                     kCurrentBandYColor);
        }
        const TMatrixRef& shown = mesh.ShownVariable();
        const double lo = mesh.ResultsMin(), hi = mesh.ResultsMax();
        if (const auto* real = std::get_if<const TDoubleArray*>(&shown))
            Cells(**real, [&](double v) { return RealCellColor(v, lo, hi); });
        if (const auto* boolean = std::get_if<const TBooleanArray*>(&shown)) Cells(**boolean, BooleanCellColor);
        if (const auto* integer = std::get_if<const TIntegerArray*>(&shown)) Cells(**integer, IntegerCellColor);
        for (float x : mesh.DivisionsX()) Line(x, 0, x, h, kBoundaryLineColor);
        for (float y : mesh.DivisionsY()) Line(0, y, w, y, kBoundaryLineColor);
        const TIntPair picked = mesh.PickedCell();
        if (picked.I >= 1 && picked.J >= 1 && picked.I < mesh.DivisionXCount() && picked.J < mesh.DivisionYCount()) {
            const QPoint p = Screen(mesh.DivisionX(picked.I), mesh.DivisionY(picked.J));
            canvas.BlendFillRect(p.x() - 1, p.y() - 1, p.x() + 2, p.y() + 2, kPickedCellColor);
        }
    }
};

}  // namespace

void ReferencePaintMesh(TCETamrixMesh& Mesh, TCanvaxViewport& View) {
    if (Mesh.UpdateCount() != 0) return;
    Mesh.TCENotContainer::Paint(View);
    if (TViewCanvas* canvas = View.GetCanvas()) TPainter{Mesh, View, *canvas}.Paint();
}

}  // namespace nerim::testing
