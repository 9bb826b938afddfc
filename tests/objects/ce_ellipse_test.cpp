#include <gtest/gtest.h>

#include <memory>

#include "canvas/widget/canvax_view.h"
#include "canvas/ce_layer.h"
#include "objects/ce_ellipse.h"
#include "objects/core/water_def.h"
#include "support/exception.h"
#include "support/text_reader.h"
#include "support/text_writer.h"
#include "tests/objects/object_test_support.h"

namespace nerim {
namespace {

using testing::Rgb;
using testing::SizeView;

TEST(Ellipse, CreateAtPutsItIntoItsParent) {
    TCanvax doc;
    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(doc);
    ElementHandle<TCEEllipse> ellipse = TCEEllipse::CreateAt(doc, *layer, {50, 5}, 5, 3);
    EXPECT_EQ(ellipse->Parent(), layer.get());
    EXPECT_TRUE(layer->Children()->Contains(ellipse.get()));
    EXPECT_EQ(ellipse->Center(), (TPoint2D{50, 5}));
    EXPECT_EQ(ellipse->RadiusX(), 5);
    EXPECT_EQ(ellipse->RadiusY(), 3);
    // Only containers take children; the new ellipse goes again.
    ElementHandle<TCEEllipse> other = MakeElement<TCEEllipse>(doc);
    EXPECT_THROW(TCEEllipse::CreateAt(doc, *other, {0, 0}, 1, 1), EElementException);
    ellipse.reset();
    EXPECT_EQ(layer->Children()->Count(), 0);
}

TEST(Ellipse, ContainsPointsStrictlyInside) {
    TCanvax doc;
    ElementHandle<TCEEllipse> circle = MakeElement<TCEEllipse>(doc, TPoint2D{50, 5}, 5.0, 5.0);
    EXPECT_TRUE(circle->ContainsPoint({50, 5}));
    EXPECT_TRUE(circle->ContainsPoint({54.9, 5}));
    EXPECT_FALSE(circle->ContainsPoint({55, 5}));
    EXPECT_FALSE(circle->ContainsPoint({50, 10}));
    ElementHandle<TCEEllipse> flat = MakeElement<TCEEllipse>(doc, TPoint2D{0, 0}, 10.0, 1.0);
    EXPECT_TRUE(flat->ContainsPoint({9, 0.2}));
    EXPECT_FALSE(flat->ContainsPoint({1, 1.5}));
}

TEST(Ellipse, AZeroSemiAxisIsAnArithmeticFault) {
    TCanvax doc;
    ElementHandle<TCEEllipse> point = MakeElement<TCEEllipse>(doc);
    EXPECT_THROW(point->ContainsPoint({0, 0}), EFloatingPointError);
    ElementHandle<TCEEllipse> line = MakeElement<TCEEllipse>(doc, TPoint2D{0, 0}, 3.0, 0.0);
    EXPECT_THROW(line->ContainsPoint({1, 0}), EFloatingPointError);
    TPoint2D q;
    EXPECT_THROW(line->FirstCrossing({{0, 0}, {5, 0}}, q), EFloatingPointError);
}

TEST(Ellipse, BoundsCoverThePreviousAnswerOfAnyEllipse) {
    TCanvax doc;
    TCanvaxView view;
    ElementHandle<TCEEllipse> other = MakeElement<TCEEllipse>(doc, TPoint2D{0, 0}, 2.0, 1.0);
    ElementHandle<TCEEllipse> circle = MakeElement<TCEEllipse>(doc, TPoint2D{50, 5}, 5.0, 5.0);
    EXPECT_EQ(other->GetBounds(view).X1, -6);
    EXPECT_EQ(circle->GetBounds(view), (TRect2D{-6, -5, 59, 14}));
    EXPECT_EQ(circle->GetBounds(view), (TRect2D{41, -4, 59, 14}));
    // Negative semi-axes describe the same ellipse.
    ElementHandle<TCEEllipse> negative = MakeElement<TCEEllipse>(doc, TPoint2D{50, 5}, -5.0, -5.0);
    EXPECT_EQ(negative->GetBounds(view), (TRect2D{41, -4, 59, 14}));
}

TEST(Ellipse, HasNoTextFormOfItsOwn) {
    TCanvax doc;
    ElementHandle<TCEEllipse> ellipse = MakeElement<TCEEllipse>(doc, TPoint2D{1, 1}, 1.0, 1.0);
    ellipse->SetDefinition(std::make_unique<TWaterDef>());
    StringTextWriter w;
    EXPECT_THROW(ellipse->WriteText(w), EAbstractError);
    EXPECT_EQ(w.Bytes(), "");
    TextReader r("1 1\r\n0 0\r\n", "ellipse");
    EXPECT_THROW(ellipse->ReadText(r), EAbstractError);
}

TEST(Ellipse, FirstCrossingMeetsTheNearerSide) {
    TCanvax doc;
    ElementHandle<TCEEllipse> ellipse = MakeElement<TCEEllipse>(doc, TPoint2D{50, 5}, 10.0, 5.0);
    TPoint2D q;
    ASSERT_TRUE(ellipse->FirstCrossing({{50, 5}, {80, 5}}, q));  // from inside
    EXPECT_NEAR(q.X, 60, 1e-12);
    EXPECT_NEAR(q.Y, 5, 1e-12);
    ASSERT_TRUE(ellipse->FirstCrossing({{50, -20}, {50, 20}}, q));  // through
    EXPECT_NEAR(q.X, 50, 1e-12);
    EXPECT_NEAR(q.Y, 0, 1e-12);
    EXPECT_FALSE(ellipse->FirstCrossing({{50, -20}, {50, -1}}, q));  // short of it
    EXPECT_FALSE(ellipse->FirstCrossing({{0, 20}, {100, 20}}, q));   // passing by
    EXPECT_FALSE(ellipse->FirstCrossing({{50, 5}, {52, 6}}, q));     // inside all along
}

TEST(Ellipse, IsDrawnAsASemiTransparentGreenOutlineAndIgnoresTheMouse) {
    TCanvax doc;
    TCanvaxView view;
    SizeView(view, 100, 60);
    view.SetCanvax(&doc);
    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(doc);
    layer->Show();
    ElementHandle<TCEEllipse> ellipse = TCEEllipse::CreateAt(doc, *layer, {50, 30}, 20, 10);
    ellipse->Show();
    view.UpdateScreen();
    const QImage& buffer = view.BufferImage();
    for (const QPoint p : {QPoint(70, 30), QPoint(30, 30), QPoint(50, 40), QPoint(50, 20)}) {
        const QRgb pixel = buffer.pixel(p);
        EXPECT_EQ(qRed(pixel), 0) << p.x() << "," << p.y();
        EXPECT_EQ(qBlue(pixel), 0);
        EXPECT_GT(qGreen(pixel), 40);
        EXPECT_LT(qGreen(pixel), 128);
    }
    EXPECT_EQ(buffer.pixel(50, 30), Rgb(clBlack));
    // No mouse editing and no hit region.
    const QImage before = buffer;
    doc.SelectElement(ellipse.get());
    view.MouseMove({}, 70, 30);
    view.MouseDown(mbLeft, {ssLeft}, 70, 30);
    view.MouseUp(mbLeft, {}, 90, 50);
    EXPECT_EQ(ellipse->Center(), (TPoint2D{50, 30}));
    EXPECT_FALSE(ellipse->HitTest(TRRectangle({70, 30, 71, 31}), view));
    view.UpdateScreen();
    EXPECT_EQ(view.BufferImage(), before);
}

}  // namespace
}  // namespace nerim
