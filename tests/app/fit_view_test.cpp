#include "app/fit_view.h"

#include <gtest/gtest.h>

#include "canvas/canvax.h"
#include "canvas/canvax_viewport.h"
#include "support/exception.h"

namespace nerim {
namespace {

TEST(FitView, FillsTheRelativelyWiderAxisAndCentresTheOther) {
    // 100 × 10 in 1600 × 900: the width is fitted, margin 1.1.
    const TParal2D wide = FitViewFrame(100, 10, 1600, 900);
    const double s = 102.2 / 1600;
    EXPECT_EQ(wide.U, (TVector2D{s, 0}));
    EXPECT_EQ(wide.V, (TVector2D{0, s}));
    EXPECT_EQ(wide.Origin.X, -1.1);
    EXPECT_DOUBLE_EQ(wide.Origin.Y + 450 * s, 5.0);  // the domain's middle on the view's middle row
    // 10 × 100: the height is fitted.
    const TParal2D tall = FitViewFrame(10, 100, 1600, 900);
    EXPECT_DOUBLE_EQ(tall.U.X, 102.2 / 900);
    EXPECT_EQ(tall.Origin.Y, -1.1);
    EXPECT_DOUBLE_EQ(tall.Origin.X + 800 * tall.U.X, 5.0);
    // Same aspect as the view: the width is fitted.
    EXPECT_EQ(FitViewFrame(16, 9, 1600, 900).Origin.X, -0.25);

    EXPECT_THROW(FitViewFrame(100, 10, 0, 900), EFloatingPointError);
    EXPECT_THROW(FitViewFrame(0, 0, 1600, 900), EFloatingPointError);
}

TEST(FitView, AppliesTheFrameToAView) {
    TCanvax canvax;
    TCanvaxViewport view(QSize(400, 300));
    view.SetCanvax(&canvax);
    FitView(view, 100, 10);
    const TPoint2D topLeft = view.WorldToScreen({-1.1, 0});
    const TPoint2D bottomRight = view.WorldToScreen({101.1, 10});
    EXPECT_NEAR(topLeft.X, 0, 1e-9);
    EXPECT_NEAR(bottomRight.X, 400, 1e-9);
    EXPECT_NEAR(topLeft.Y + bottomRight.Y, 300, 1e-9);
}

}  // namespace
}  // namespace nerim
