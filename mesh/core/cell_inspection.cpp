#include "mesh/core/cell_inspection.h"

#include <algorithm>

namespace nerim {
namespace {

// The index k of the interval [b(k), b(k + 1)) holding v; the last boundary belongs to the last
// interval of non-zero size.
std::optional<std::int32_t> Interval(const std::vector<float>& b, double v) {
    if (b.size() < 2 || !(v >= double(b.front())) || !(v <= double(b.back()))) return std::nullopt;
    const auto below = [](double value, float boundary) { return value < double(boundary); };
    auto above = std::upper_bound(b.begin(), b.end(), v, below);
    if (above == b.end()) {
        // v is the last boundary: the interval that ends there.
        above = std::lower_bound(b.begin(), b.end(), v,
                                 [](float boundary, double value) { return double(boundary) < value; });
        if (above == b.begin()) return std::nullopt;  // every boundary is the same
        return static_cast<std::int32_t>(above - b.begin() - 1);
    }
    return static_cast<std::int32_t>(above - b.begin() - 1);
}

template <class Array>
auto ValueAt(const Array& a, std::int32_t i, std::int32_t r) -> std::optional<typename Array::Element> {
    if (i < 0 || r < 0 || i >= a.Sizes().N0() || r >= a.Sizes().N1()) return std::nullopt;
    return a.Items(i, r);
}

}  // namespace

std::optional<TCellAt> CellAt(const std::vector<float>& DivisionsX, const std::vector<float>& DivisionsY,
                              const TPoint2D& P) {
    const auto kx = Interval(DivisionsX, P.X);
    const auto ky = Interval(DivisionsY, P.Y);
    if (!kx || !ky) return std::nullopt;
    TCellAt cell;
    cell.I = *kx + 1;
    cell.J = *ky;
    cell.R = static_cast<std::int32_t>(DivisionsY.size()) - 1 - *ky;
    return cell;
}

TCellValues CellValues(const TCellMatrices& Cells, const TDoubleArray& Results, std::int32_t I, std::int32_t R) {
    TCellValues v;
    v.AC = ValueAt(Cells.AC, I, R);
    v.AR = ValueAt(Cells.AR, I, R);
    v.AT = ValueAt(Cells.AT, I, R);
    v.VOF = ValueAt(Cells.VOF, I, R);
    v.Noc = ValueAt(Cells.Noc, I, R);
    v.Npc = ValueAt(Cells.Npc, I, R);
    v.Results = ValueAt(Results, I, R);
    return v;
}

}  // namespace nerim
