// The straightforward classification, kept as the yardstick of the production one: every
// object's containment test is asked at every sample point of every cell, object by object.
#include "tests/mesh/reference_classification.h"

#include <string>

#include "mesh/core/cell_classification.h"
#include "mesh/core/cell_rules.h"
#include "mesh/core/mesh_error.h"

namespace nerim::testing {
namespace {

// The sample fractions of one cell for one object.
struct TCellCoverage {
    double Top = 0, Bottom = 0, Left = 0, Right = 0;  // shares of the face samples inside
    double Cell = 0;                                   // share of the cell
};

// Samples one cell: the faces first, then the interior unless all four faces agree.
TCellCoverage SampleCell(const TClassifiedObject& object, double leftX, double rightX, double nearY, double farY,
                         std::int32_t NX, std::int32_t NY) {
    const auto& inside = object.ContainsPoint;
    const double sx = (rightX - leftX) / NX;
    const double sy = (farY - nearY) / NY;
    int top = 0, bottom = 0, left = 0, right = 0;
    for (std::int32_t s = 0; s < NX; ++s) {
        const double x = leftX + (s + 0.5) * sx;
        top += inside({x, nearY});
        bottom += inside({x, farY});
    }
    for (std::int32_t s = 0; s < NY; ++s) {
        const double y = nearY + (s + 0.5) * sy;
        left += inside({leftX, y});
        right += inside({rightX, y});
    }
    TCellCoverage c;
    c.Top = static_cast<double>(top) / NX;
    c.Bottom = static_cast<double>(bottom) / NX;
    c.Left = static_cast<double>(left) / NY;
    c.Right = static_cast<double>(right) / NY;
    if (c.Top == 1.0 && c.Bottom == 1.0 && c.Left == 1.0 && c.Right == 1.0) {
        c.Cell = 1.0;
    } else if (c.Top == 0.0 && c.Bottom == 0.0 && c.Left == 0.0 && c.Right == 0.0) {
        c.Cell = 0.0;
    } else {
        int count = 0;
        for (std::int32_t a = 0; a < NX; ++a)
            for (std::int32_t b = 0; b < NY; ++b) count += inside({leftX + (a + 0.5) * sx, nearY + (b + 0.5) * sy});
        c.Cell = static_cast<double>(count) / (static_cast<double>(NX) * NY);
    }
    return c;
}

void ApplyCoverage(const TClassifiedObject& object, const TCellCoverage& c, std::int32_t porousNumber,
                   std::int64_t position, TCellMatrices& cells) {
    switch (object.Kind) {
        case mkObstacle: {
            double& ac = cells.AC.ItemAt(position);
            ac = SnapOpenFraction(ac - c.Cell);
            double& ar = cells.AR.ItemAt(position);
            ar = SnapOpenFraction(ar - c.Right);
            double& at = cells.AT.ItemAt(position);
            at = SnapOpenFraction(at - c.Top);
            if (ac < 1.0) cells.Noc.ItemAt(position) = true;
            break;
        }
        case mkPorous:
            if (c.Cell > 0.5) cells.Npc.ItemAt(position) = porousNumber;
            break;
        case mkWater:
            cells.VOF.ItemAt(position) = c.Cell;
            break;
        case mkNone:
            break;
    }
}

// Closes the cells well inside the mesh whose open area is below the threshold, with all four
// faces: their own right and top faces and the right face of the cell to the left and the top
// face of the cell below.
void CloseNearlyBlockedCells(std::int32_t NXd, std::int32_t NYd, TCellMatrices& cells) {
    for (std::int32_t j = NYd - 1; j >= 0; --j) {
        const std::int32_t r = NYd - 1 - j;
        if (j < 2 || j > NYd - 2) continue;
        for (std::int32_t i = 2; i <= NXd - 2; ++i) {
            if (cells.AC.Items(i, r) >= kClosingThreshold) continue;
            cells.AC.Items(i, r) = 0.0;
            cells.AR.Items(i, r) = 0.0;
            cells.AR.Items(i - 1, r) = 0.0;
            cells.AT.Items(i, r) = 0.0;
            cells.AT.Items(i, r - 1) = 0.0;
        }
    }
}

}  // namespace

void ReferenceClassifyCells(const std::vector<float>& divisionsX, const std::vector<float>& divisionsY,
                            const std::vector<TClassifiedObject>& objects, std::int32_t NX, std::int32_t NY,
                            TCellMatrices& cells, TPorousTypes& porousTypes) {
    CheckClassificationArguments(divisionsX, divisionsY, objects, NX, NY);
    const auto NXd = static_cast<std::int32_t>(divisionsX.size());
    const auto NYd = static_cast<std::int32_t>(divisionsY.size());
    auto x = [&](std::int32_t i) { return static_cast<double>(divisionsX[static_cast<std::size_t>(i)]); };
    auto y = [&](std::int32_t j) { return static_cast<double>(divisionsY[static_cast<std::size_t>(j)]); };

    porousTypes.clear();
    cells.Reset(MakeIntPair(NXd, NYd));
    std::int32_t porousNumber = 1;

    for (const TClassifiedObject& object : objects) {
        if (object.Kind == mkPorous) {
            ++porousNumber;
            porousTypes.push_back(object.Porous);
        }
        std::int64_t position = 0;
        for (std::int32_t j = NYd - 1; j >= 0; --j) {
            const double nearY = y(j);
            const double farY = j == NYd - 1 ? y(j) + (y(j) - y(j - 1)) : y(j + 1);
            for (std::int32_t i = 0; i < NXd; ++i, ++position) {
                const double leftX = i == 0 ? x(0) - (x(1) - x(0)) : x(i - 1);
                const double rightX = x(i);
                const TCellCoverage coverage = SampleCell(object, leftX, rightX, nearY, farY, NX, NY);
                ApplyCoverage(object, coverage, porousNumber, position, cells);
            }
        }
    }
    CloseNearlyBlockedCells(NXd, NYd, cells);
}

}  // namespace nerim::testing
