#include <gtest/gtest.h>

#include <stdexcept>

#include "canvas/ce_container.h"
#include "canvas/ce_layer.h"
#include "tests/canvas/canvas_test_support.h"

namespace nerim {
namespace {

using testing::StateRecorder;
using testing::TTestRect;

// An element that takes the inserting role in its second construction step.
class TSelfInserting : public TTestRect {
public:
    using TTestRect::TTestRect;
    void SetState(TElementState NewState) override {
        ++OwnSetStates;
        TTestRect::SetState(NewState);
    }
    int OwnSetStates = 0;

protected:
    void AfterConstruction() override {
        TTestRect::AfterConstruction();
        SetState(esInsert);
    }
    ~TSelfInserting() override = default;
};

class ElementTest : public ::testing::Test {
protected:
    TCanvax doc;
    StateRecorder recorder;
};

TEST_F(ElementTest, ConstructionInTwoSteps) {
    auto rect = MakeElement<TTestRect>(doc, TRect2D{1, 2, 3, 4});
    EXPECT_EQ(rect->State(), esNoNatum);
    EXPECT_FALSE(rect->Visible());
    EXPECT_EQ(rect->Parent(), nullptr);
    EXPECT_EQ(rect->Children(), nullptr);
    EXPECT_EQ(rect->MemorySize(), int(sizeof(TTestRect)));
    // The derived BuildRegion ran.
    EXPECT_EQ(rect->Builds, 1);
    ASSERT_NE(rect->Region(), nullptr);
    EXPECT_EQ(rect->Region()->Bounds(), (TRect2D{1, 2, 3, 4}));

    auto inserting = MakeElement<TSelfInserting>(doc);
    EXPECT_EQ(inserting->OwnSetStates, 1);
    EXPECT_EQ(inserting->State(), esInsert);
    EXPECT_EQ(doc.InsertingElement(), inserting.get());

    auto container = MakeElement<TCEContainer>(doc);
    EXPECT_EQ(container->BoundsKind(), bkUnbounded);
    EXPECT_EQ(container->Region(), nullptr);
    ASSERT_NE(container->Children(), nullptr);
    EXPECT_TRUE(container->IsContainer());
    EXPECT_FALSE(rect->IsContainer());

    auto layer = MakeElement<TCELayer>(doc, std::string(70, 'x'));
    EXPECT_EQ(layer->LayerName().size(), 63u);
    EXPECT_EQ(doc.Elements().Count(), 1);
    EXPECT_EQ(doc.Elements()[0], layer.get());
    EXPECT_EQ(layer->OwnerList(), &doc.Elements());
}

TEST_F(ElementTest, AddChildHidesReparentsAndRefusesLoops) {
    auto a = MakeElement<TCEContainer>(doc);
    auto b = MakeElement<TCEContainer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    rect->Show();
    a->AddChild(*rect);
    EXPECT_FALSE(rect->Visible());
    EXPECT_EQ(rect->Parent(), a.get());
    b->AddChild(*rect);
    EXPECT_EQ(a->Children()->Count(), 0);
    EXPECT_EQ(b->Children()->Count(), 1);
    EXPECT_EQ(rect->Parent(), b.get());

    a->AddChild(*b);
    EXPECT_THROW(b->AddChild(*a), EElementException);
    EXPECT_THROW(a->AddChild(*a), EElementException);
    EXPECT_THROW(rect->AddChild(*a), EElementException);
    EXPECT_EQ(a->Parent(), nullptr);

    b->RemoveChild(*rect);
    EXPECT_EQ(b->Children()->Count(), 0);
    EXPECT_EQ(rect->Parent(), b.get());  // the parent is left as it was
}

TEST_F(ElementTest, IsShowingFollowsTheParents) {
    auto layer = MakeElement<TCELayer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    layer->AddChild(*rect);
    rect->Show();
    EXPECT_FALSE(rect->IsShowing());
    layer->Show();
    EXPECT_TRUE(rect->IsShowing());
    layer->Hide();
    EXPECT_FALSE(IsShowing(rect.get()));
    EXPECT_FALSE(IsShowing(nullptr));
}

TEST_F(ElementTest, SettingTheSameStateRaisesNothing) {
    recorder.Attach(doc);
    int infos = 0;
    doc.OnInfoMessage = [&](TCanvax&, TCanvaxElement*, const std::string&) { ++infos; };
    auto rect = MakeElement<TTestRect>(doc);
    rect->SetState(esNormal);
    ASSERT_EQ(recorder.Events.size(), 1u);
    EXPECT_TRUE(recorder.Locked[0]);
    EXPECT_EQ(infos, 1);
    const int builds = rect->Builds;
    rect->SetState(esNormal);
    EXPECT_EQ(recorder.Events.size(), 1u);
    EXPECT_EQ(infos, 1);
    EXPECT_EQ(rect->Builds, builds);  // no Redraw either
}

TEST_F(ElementTest, AStateChangeRefusedByItsEventKeepsTheOldState) {
    auto rect = MakeElement<TTestRect>(doc);
    doc.OnChangeElementState = [](TCanvax&, TCanvaxElement&, TElementState) { throw std::runtime_error("no"); };
    EXPECT_THROW(rect->SetState(esSelect), std::runtime_error);
    EXPECT_EQ(rect->State(), esNoNatum);
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    EXPECT_FALSE(doc.IsLocked());
}

TEST_F(ElementTest, SelectionRoundTrip) {
    auto a = MakeElement<TTestRect>(doc);
    auto b = MakeElement<TTestRect>(doc);
    a->SetState(esNormal);
    b->SetState(esInvalid);
    recorder.Attach(doc);

    doc.SelectElement(a.get());
    EXPECT_EQ(doc.SelectedElement(), a.get());
    EXPECT_EQ(a->State(), esSelect);
    doc.SelectElement(a.get());  // already selected: nothing
    ASSERT_EQ(recorder.Events.size(), 1u);

    doc.SelectElement(b.get());
    EXPECT_EQ(doc.SelectedElement(), b.get());
    EXPECT_EQ(a->State(), esNormal);
    EXPECT_EQ(b->State(), esSelect);
    ASSERT_EQ(recorder.Events.size(), 3u);
    EXPECT_EQ(recorder.Events[1], std::make_pair(static_cast<TCanvaxElement*>(a.get()), esNormal));
    EXPECT_EQ(recorder.Events[2], std::make_pair(static_cast<TCanvaxElement*>(b.get()), esSelect));

    doc.SelectElement(nullptr);
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    EXPECT_EQ(b->State(), esInvalid);  // back to the state it had before
    EXPECT_EQ(SavedSelectState, esNormal);
}

TEST_F(ElementTest, SelectingTheInsertingElementEndsTheInsertion) {
    auto rect = MakeElement<TSelfInserting>(doc);
    SavedInsertState = esNormal;
    doc.SelectElement(rect.get());
    EXPECT_EQ(doc.InsertingElement(), nullptr);
    EXPECT_EQ(doc.SelectedElement(), rect.get());
    EXPECT_EQ(rect->State(), esSelect);
    doc.SelectElement(nullptr);
    EXPECT_EQ(rect->State(), esNormal);
}

TEST_F(ElementTest, AnElementUnderAnInactiveParentCannotTakeARole) {
    auto layer = MakeElement<TCELayer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    layer->AddChild(*rect);
    layer->SetState(esInactive);
    EXPECT_EQ(rect->State(), esInactive);
    doc.SelectElement(rect.get());
    EXPECT_EQ(rect->State(), esInactive);
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    doc.SetInsertingElement(rect.get());
    EXPECT_EQ(rect->State(), esInactive);
    EXPECT_EQ(doc.InsertingElement(), nullptr);
}

TEST_F(ElementTest, InactiveContainersPassTheirStateDownAndBackToNormal) {
    auto layer = MakeElement<TCELayer>(doc);
    auto inner = MakeElement<TCEContainer>(doc);
    auto a = MakeElement<TTestRect>(doc);
    auto b = MakeElement<TTestRect>(doc);
    layer->AddChild(*inner);
    inner->AddChild(*a);
    layer->AddChild(*b);
    doc.SelectElement(b.get());
    a->SetState(esInvalid);

    layer->SetState(esInactive);
    EXPECT_EQ(inner->State(), esInactive);
    EXPECT_EQ(a->State(), esInactive);
    EXPECT_EQ(b->State(), esInactive);
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    a->SetState(esNormal);  // forced by the inactive parent
    EXPECT_EQ(a->State(), esInactive);

    layer->SetState(esNormal);
    EXPECT_EQ(inner->State(), esNormal);
    EXPECT_EQ(a->State(), esNormal);  // not the earlier esInvalid
    EXPECT_EQ(b->State(), esNormal);
}

TEST_F(ElementTest, SetInsertingElementRestoresThePreviousOne) {
    auto a = MakeElement<TTestRect>(doc);
    auto b = MakeElement<TTestRect>(doc);
    a->SetState(esNormal);
    b->SetState(esInvalid);
    doc.SetInsertingElement(a.get());
    EXPECT_EQ(a->State(), esInsert);
    doc.SetInsertingElement(b.get());
    EXPECT_EQ(a->State(), esNormal);
    EXPECT_EQ(b->State(), esInsert);
    EXPECT_EQ(doc.InsertingElement(), b.get());
    doc.SetInsertingElement(nullptr);
    EXPECT_EQ(b->State(), esInvalid);
    EXPECT_EQ(doc.InsertingElement(), nullptr);
}

TEST_F(ElementTest, ReleasingAnElementWhileUnlockedFreesItAtOnce) {
    auto layer = MakeElement<TCELayer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    layer->AddChild(*rect);
    doc.SelectElement(rect.get());
    recorder.Attach(doc);
    const TCanvaxElement::TWatch watch = rect->Watch();
    rect.reset();
    EXPECT_FALSE(watch.Alive());
    EXPECT_EQ(layer->Children()->Count(), 0);
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    ASSERT_EQ(recorder.Events.size(), 1u);
    EXPECT_EQ(recorder.Events[0].second, esDead);

    layer.reset();
    EXPECT_EQ(doc.Elements().Count(), 0);
}

TEST_F(ElementTest, DestroyedInsideAStateEventItWaitsForTheOutermostUnlock) {
    auto layer = MakeElement<TCELayer>(doc);
    auto victim = MakeElement<TTestRect>(doc);
    auto trigger = MakeElement<TTestRect>(doc);
    layer->AddChild(*victim);
    layer->AddChild(*trigger);
    const TCanvaxElement::TWatch watch = victim->Watch();
    TCanvaxElement* victimPointer = victim.get();
    bool checked = false;
    doc.OnChangeElementState = [&](TCanvax& sender, TCanvaxElement& element, TElementState) {
        if (&element != trigger.get() || !victim) return;
        sender.Lock();  // a nested callback
        victim.reset();
        sender.Unlock();
        EXPECT_TRUE(watch.Alive());
        EXPECT_EQ(victimPointer->State(), esDead);
        EXPECT_TRUE(layer->Children()->Contains(victimPointer));
        EXPECT_TRUE(sender.DeadList().Contains(victimPointer));
        EXPECT_TRUE(victimPointer->ReleasePending());
        checked = true;
    };
    trigger->SetState(esNormal);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(watch.Alive());
    EXPECT_EQ(layer->Children()->Count(), 1);
    EXPECT_TRUE(doc.DeadList().Empty());
    EXPECT_FALSE(doc.PendingFree());
    EXPECT_EQ(trigger->State(), esNormal);
    doc.OnChangeElementState = nullptr;
}

TEST_F(ElementTest, DestroyedInsideItsOwnStateEventTheChangeIsDropped) {
    auto layer = MakeElement<TCELayer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    layer->AddChild(*rect);
    const TCanvaxElement::TWatch watch = rect->Watch();
    std::vector<TElementState> seen;
    doc.OnChangeElementState = [&](TCanvax&, TCanvaxElement&, TElementState state) {
        seen.push_back(state);
        if (state == esSelect) rect.reset();
    };
    doc.SelectElement(rect.get());
    EXPECT_FALSE(watch.Alive());
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    EXPECT_EQ(layer->Children()->Count(), 0);
    EXPECT_EQ(seen, (std::vector<TElementState>{esSelect, esDead}));
    doc.OnChangeElementState = nullptr;
}

TEST_F(ElementTest, DeadButNotReleasedElementsStayWithTheirOwner) {
    auto layer = MakeElement<TCELayer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    layer->AddChild(*rect);
    doc.Lock();
    rect->SetState(esDead);
    EXPECT_TRUE(doc.DeadList().Contains(rect.get()));
    rect->SetState(esNormal);  // brought back: off the dead list
    EXPECT_FALSE(doc.DeadList().Contains(rect.get()));
    rect->SetState(esDead);
    doc.Unlock();
    EXPECT_TRUE(rect->Watch().Alive());
    EXPECT_TRUE(doc.DeadList().Empty());
    EXPECT_EQ(rect->State(), esDead);
    EXPECT_TRUE(layer->Children()->Contains(rect.get()));
    rect.reset();  // the owner frees it
    EXPECT_EQ(layer->Children()->Count(), 0);
}

TEST_F(ElementTest, AReleasedElementBroughtBackIsStillFreedAtUnlock) {
    auto layer = MakeElement<TCELayer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    layer->AddChild(*rect);
    TCanvaxElement* pointer = rect.get();
    const TCanvaxElement::TWatch watch = rect->Watch();
    doc.Lock();
    rect.reset();
    pointer->SetState(esSelect);
    EXPECT_EQ(doc.SelectedElement(), pointer);
    doc.Unlock();
    EXPECT_FALSE(watch.Alive());
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    EXPECT_EQ(layer->Children()->Count(), 0);
}

TEST_F(ElementTest, ReleasedWhileItsDeathEventFailsItIsStillFreed) {
    auto layer = MakeElement<TCELayer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    layer->AddChild(*rect);
    doc.SelectElement(rect.get());
    doc.OnChangeElementState = [](TCanvax&, TCanvaxElement&, TElementState state) {
        if (state == esDead) throw std::runtime_error("refused");
    };
    const TCanvaxElement::TWatch watch = rect->Watch();
    doc.Lock();
    rect.reset();
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    EXPECT_EQ(doc.DeadList().Count(), 1);
    doc.Unlock();
    EXPECT_FALSE(watch.Alive());
    doc.OnChangeElementState = nullptr;
}

TEST_F(ElementTest, FreeingAContainerLeavesItsChildrenWithoutParent) {
    auto container = MakeElement<TCEContainer>(doc);
    auto rect = MakeElement<TTestRect>(doc);
    auto removed = MakeElement<TTestRect>(doc);
    container->AddChild(*rect);
    container->AddChild(*removed);
    container->RemoveChild(*removed);
    container.reset();
    EXPECT_EQ(rect->Parent(), nullptr);
    EXPECT_EQ(removed->Parent(), nullptr);
}

TEST_F(ElementTest, OnlyTheOutermostContainerRedrawsItsChildren) {
    auto outer = MakeElement<TCEContainer>(doc);
    auto inner = MakeElement<TCEContainer>(doc);
    auto direct = MakeElement<TTestRect>(doc);
    auto nested = MakeElement<TTestRect>(doc);
    outer->AddChild(*direct);
    outer->AddChild(*inner);
    inner->AddChild(*nested);
    const int directBuilds = direct->Builds, nestedBuilds = nested->Builds;
    outer->Redraw();
    EXPECT_EQ(direct->Builds, directBuilds + 1);
    EXPECT_EQ(nested->Builds, nestedBuilds);
    inner->Redraw();
    EXPECT_EQ(nested->Builds, nestedBuilds + 1);
}

}  // namespace
}  // namespace nerim
