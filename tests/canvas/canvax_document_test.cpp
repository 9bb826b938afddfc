#include <gtest/gtest.h>

#include <stdexcept>

#include "canvas/ce_container.h"
#include "canvas/ce_layer.h"
#include "canvas/ce_not_container.h"
#include "tests/canvas/canvas_test_support.h"

namespace nerim {
namespace {

using testing::SizeView;
using testing::TTestRect;

TEST(CanvaxDocument, PropertyDefaults) {
    TCanvax doc;
    EXPECT_EQ(doc.UndoDepth(), 0);
    EXPECT_EQ(doc.UndoMaxMem(), 0);
    EXPECT_EQ(doc.BackgrdColor(), 0x000000u);
    EXPECT_EQ(doc.ForegrdColor(), 0xFFFFFFu);
    EXPECT_EQ(doc.InactiveColor(), 0xC0C0C0u);
    EXPECT_EQ(doc.SelectedColor(), 0x00FFFFu);
    EXPECT_TRUE(doc.Active());
    EXPECT_TRUE(doc.UndoFilter().Empty());
    EXPECT_FALSE(doc.UndoActive());
    EXPECT_FALSE(doc.IsEditingElement());
    EXPECT_EQ(doc.AllowedViews(), avAll);
    EXPECT_EQ(doc.DefaultCursor(), 0);
    EXPECT_TRUE(doc.DevelopingOptions().Empty());
    EXPECT_EQ(doc.Undo().Count(), 0);
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    EXPECT_EQ(doc.InsertingElement(), nullptr);
    EXPECT_FALSE(doc.IsLocked());
    EXPECT_FALSE(doc.PendingFree());
    EXPECT_EQ(sizeof(TElementState), 1u);
    EXPECT_EQ(int(esDead), 7);
    EXPECT_EQ(int(avProportionalToSpace), 2);
    EXPECT_EQ(int(bkVisibleArea), 2);
    EXPECT_EQ(int(emaDblClick), 3);
}

TEST(CanvaxDocument, UndoLimitsAreWrittenThrough) {
    TCanvax doc;
    doc.SetUndoDepth(5);
    doc.SetUndoMaxMem(64);
    EXPECT_EQ(doc.Undo().MaxDepth(), 5);
    EXPECT_EQ(doc.Undo().MaxMem(), 64);
}

TEST(CanvaxDocument, ColourChangesRepaintTheViewsOnlyWhenActiveAndChanged) {
    TCanvax doc;
    TCanvaxView view;
    SizeView(view, 20, 20);
    view.SetCanvax(&doc);
    view.UpdateScreen();
    ASSERT_TRUE(view.BufferValid());
    doc.SetBackgrdColor(clBlack);  // unchanged
    EXPECT_TRUE(view.BufferValid());
    doc.SetBackgrdColor(clBlue);
    EXPECT_FALSE(view.BufferValid());
    view.UpdateScreen();
    doc.SetActive(false);
    doc.SetSelectedColor(clRed);
    EXPECT_TRUE(view.BufferValid());
    doc.SetActive(true);
    EXPECT_FALSE(view.BufferValid());
    view.UpdateScreen();
    doc.SetDevelopingOptions({doDrawSuperRectangles});
    EXPECT_FALSE(view.BufferValid());
}

TEST(CanvaxDocument, AllowedViewsRefusesChangesWithElementsOrViews) {
    const std::string withElements = "Esta propiedad no debe cambiarse si hay algún elemento en el canvax";
    const std::string withViews = "Esta propiedad no debe cambiarse si hay alguna vista enganchada al canvax";
    TCanvax doc;
    doc.SetAllowedViews(avOrthogonal);
    EXPECT_EQ(doc.AllowedViews(), avOrthogonal);
    {
        TCanvaxView view;
        view.SetCanvax(&doc);
        try {
            doc.SetAllowedViews(avAll);
            FAIL();
        } catch (const EInvalidValue& e) {
            EXPECT_EQ(e.what(), withViews);
        }
        doc.SetAllowedViews(avOrthogonal);  // the same value is accepted
        auto layer = MakeElement<TCELayer>(doc);
        try {
            doc.SetAllowedViews(avAll);
            FAIL();
        } catch (const EInvalidValue& e) {
            EXPECT_EQ(e.what(), withElements);
        }
    }
    auto layer = MakeElement<TCELayer>(doc);
    try {
        doc.SetAllowedViews(avProportionalToSpace);
        FAIL();
    } catch (const EInvalidValue& e) {
        EXPECT_EQ(e.what(), withElements);
    }
    EXPECT_EQ(doc.AllowedViews(), avOrthogonal);
    layer.reset();
    doc.SetAllowedViews(avAll);
    EXPECT_EQ(doc.AllowedViews(), avAll);
}

TEST(CanvaxDocument, ClassRegistryByNameWithoutRegardToCase) {
    TCanvax doc;
    ASSERT_EQ(doc.RegisteredClassCount(), 1);
    EXPECT_EQ(doc.RegisteredClass(0).ElementClass.Name, "TCEContainer");
    doc.RegisterElementClasses({ElementClassOf<TCELayer>(), ElementClassOf<TCEContainer>(), ElementClassOf<TTestRect>()});
    EXPECT_EQ(doc.RegisteredClassCount(), 3);
    EXPECT_EQ(doc.IndexOfElementClass("tcelayer"), 1);
    EXPECT_EQ(doc.IndexOfElementClass("TTestRect"), 2);
    EXPECT_EQ(doc.IndexOfElementClass("TCENotContainer"), -1);

    ElementPtr made = doc.CreateElement("ttestrect");
    EXPECT_EQ(made->ClassName(), "TTestRect");
    EXPECT_EQ(made->Canvax(), &doc);
    EXPECT_THROW(doc.CreateElement("TNoSuchThing"), EListIndexError);
}

TEST(CanvaxDocument, ElementClassNames) {
    TCanvax doc;
    auto container = MakeElement<TCEContainer>(doc);
    auto layer = MakeElement<TCELayer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    EXPECT_EQ(container->ClassName(), "TCEContainer");
    EXPECT_EQ(layer->ClassName(), "TCELayer");
    EXPECT_EQ(rect->ClassName(), "TTestRect");
    EXPECT_EQ(ElementClassName(typeid(TCENotContainer)), "TCENotContainer");
}

TEST(CanvaxDocument, InfoMessageLocksAroundItsHandler) {
    TCanvax doc;
    auto rect = MakeElement<TTestRect>(doc);
    std::vector<std::string> messages;
    doc.OnInfoMessage = [&](TCanvax& sender, TCanvaxElement* element, const std::string& message) {
        EXPECT_TRUE(sender.IsLocked());
        EXPECT_EQ(element, rect.get());
        messages.push_back(message);
    };
    doc.InfoMessage(rect.get(), "hola");
    EXPECT_EQ(messages, std::vector<std::string>{"hola"});
    doc.OnInfoMessage = [](TCanvax&, TCanvaxElement*, const std::string&) { throw std::runtime_error("x"); };
    EXPECT_THROW(doc.InfoMessage(rect.get(), ""), std::runtime_error);
    EXPECT_FALSE(doc.IsLocked());
}

TEST(CanvaxDocument, UnknownRegionMessageNamesTheElementAndDocument) {
    TCanvax doc;
    doc.SetName("cvxMain");
    auto rect = MakeElement<TTestRect>(doc);
    const EUnknownRegion error(*rect);
    EXPECT_EQ(std::string(error.what()),
              "Excepción del tipo EUnknownRegion Sobre un elemento\ndel tipo TTestRect ocurrió en el "
              "componente\ncvxMain");
    EXPECT_EQ(error.Element(), rect.get());
    const EElementException& asElement = error;
    EXPECT_EQ(asElement.Element(), rect.get());
}

TEST(CanvaxDocument, ExceptionHierarchy) {
    EXPECT_STREQ(EViewWithoutCanvax().what(), "La Vista debe estar unida a un \"canvax\" para poder operar con ella");
    EXPECT_TRUE((std::is_base_of_v<ECanvaxException, ECanNotZoom>));
    EXPECT_TRUE((std::is_base_of_v<ECanvaxException, EInvalidValue>));
    EXPECT_TRUE((std::is_base_of_v<Exception, EInvalidRef>));
    EXPECT_FALSE((std::is_base_of_v<ECanvaxException, EInvalidRef>));
    EXPECT_TRUE((std::is_base_of_v<EElementException, EUnknownRegion>));
}

TEST(CanvaxDocument, DestroyedBeforeItsElementsLeavesThemUsable) {
    auto doc = std::make_unique<TCanvax>();
    auto layer = MakeElement<TCELayer>(*doc, "Objetos");
    auto rect = MakeElement<TTestRect>(*doc);
    layer->AddChild(*rect);
    rect->Show();
    TCanvaxView view;
    view.SetCanvax(doc.get());
    doc.reset();
    EXPECT_EQ(view.Canvax(), nullptr);
    EXPECT_EQ(layer->Canvax(), nullptr);
    EXPECT_EQ(layer->OwnerList(), nullptr);
    rect->SetState(esSelect);
    EXPECT_EQ(rect->State(), esSelect);
    rect.reset();
    EXPECT_EQ(layer->Children()->Count(), 0);
}

}  // namespace
}  // namespace nerim
