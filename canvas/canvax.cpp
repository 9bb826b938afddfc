#include "canvas/canvax.h"

#include <algorithm>
#include <cctype>

#include "canvas/canvax_viewport.h"
#include "canvas/ce_container.h"
#include "support/exception.h"

namespace nerim {

TElementState SavedSelectState = esNormal;
TElementState SavedInsertState = esNormal;

namespace {

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

TCanvax::TCanvax() { RegisterElementClasses({ElementClassOf<TCEContainer>()}); }

TCanvax::~TCanvax() {
    for (TCanvaxViewport* view : views_) view->canvax_ = nullptr;
    views_.clear();
    // Elements released inside a callback that never returned: free them now.
    lockCount_ = 0;
    freeingDead_ = true;
    while (!deadList_.Empty()) {
        TCanvaxElement* element = deadList_[0];
        deadList_.Delete(0);
        if (element->released_) TCanvaxElement::FinalDestroy(element);
    }
    // The others belong to their creators; they forget the document.
    const std::vector<TCanvaxElement*> members(members_.begin(), members_.end());
    for (TCanvaxElement* element : members) element->CanvaxDestroyed();
    members_.clear();
}

void TCanvax::SetUndoDepth(std::int32_t Value) {
    undoDepth_ = Value;
    undo_.SetMaxDepth(Value);
}

void TCanvax::SetUndoMaxMem(std::int32_t Value) {
    undoMaxMem_ = Value;
    undo_.SetMaxMem(Value);
}

void TCanvax::SetBackgrdColor(TColor Value) { SetAndRepaint(backgrdColor_, Value); }

void TCanvax::SetForegrdColor(TColor Value) { SetAndRepaint(foregrdColor_, Value); }

void TCanvax::SetInactiveColor(TColor Value) { SetAndRepaint(inactiveColor_, Value); }

void TCanvax::SetSelectedColor(TColor Value) { SetAndRepaint(selectedColor_, Value); }

void TCanvax::SetActive(bool Value) {
    if (Value == active_) return;
    active_ = Value;
    if (active_) RepaintViews();
}

void TCanvax::SetAllowedViews(TAllowedViews Value) {
    if (Value == allowedViews_) return;
    if (!elements_.Empty())
        throw EInvalidValue("Esta propiedad no debe cambiarse si hay algún elemento en el canvax");
    if (!views_.empty())
        throw EInvalidValue("Esta propiedad no debe cambiarse si hay alguna vista enganchada al canvax");
    allowedViews_ = Value;
}

void TCanvax::SetDevelopingOptions(TDevelopingOptionsSet Value) { SetAndRepaint(developingOptions_, Value); }

void TCanvax::RepaintViews() {
    if (!active_) return;
    for (TCanvaxViewport* view : views_) view->InvalidateBuffer();
}

void TCanvax::SetViewsCursor(TCursorId Cursor) {
    for (TCanvaxViewport* view : views_) view->SetCursorId(Cursor);
}

void TCanvax::SelectElement(TCanvaxElement* E) {
    if (E == selectedElement_) return;
    TCanvaxElement* prev = selectedElement_;
    const TCanvaxElement::TWatch prevWatch = prev ? prev->Watch() : TCanvaxElement::TWatch();
    const TCanvaxElement::TWatch watch = E ? E->Watch() : TCanvaxElement::TWatch();
    selectedElement_ = E;
    if (E && E == insertingElement_) SetInsertingElement(nullptr);
    SetViewsCursor(defaultCursor_);
    InfoMessage(E && watch.Alive() ? E : nullptr, std::string());
    if (prev && prevWatch.Alive()) prev->SetState(SavedSelectState);
    if (!E) {
        SavedSelectState = esNormal;
        return;
    }
    if (!watch.Alive()) return;  // destroyed on the way; freeing it cleared the selection
    SavedSelectState = E->State();
    E->SetState(esSelect);
    if (!watch.Alive()) return;
    // Refused, for instance under an inactive parent.
    if (E->State() != esSelect && selectedElement_ == E) selectedElement_ = nullptr;
}

void TCanvax::SetInsertingElement(TCanvaxElement* E) {
    TCanvaxElement* prev = insertingElement_;
    const TCanvaxElement::TWatch prevWatch = prev ? prev->Watch() : TCanvaxElement::TWatch();
    const TCanvaxElement::TWatch watch = E ? E->Watch() : TCanvaxElement::TWatch();
    insertingElement_ = E;
    if (prev && prevWatch.Alive()) prev->SetState(SavedInsertState);
    if (!E) return;
    if (!watch.Alive()) return;
    SavedInsertState = E->State();
    E->SetState(esInsert);
    if (!watch.Alive()) return;
    // An element that could not take the role (under an inactive parent) must not get the mouse.
    if (E->State() != esInsert && insertingElement_ == E) insertingElement_ = nullptr;
}

void TCanvax::Unlock() {
    if (lockCount_ > 0) --lockCount_;
    if (lockCount_ > 0 || !pendingFree_ || freeingDead_) return;
    freeingDead_ = true;
    while (!deadList_.Empty()) {
        TCanvaxElement* element = deadList_[0];
        deadList_.Delete(0);
        // Elements set to esDead without being released stay alive; their owners free them.
        if (element->released_) TCanvaxElement::FinalDestroy(element);
    }
    pendingFree_ = false;
    freeingDead_ = false;
}

void TCanvax::InfoMessage(TCanvaxElement* Element, const std::string& Message) {
    if (!OnInfoMessage) return;
    const TOnInfoMessage handler = OnInfoMessage;
    Lock();
    try {
        handler(*this, Element, Message);
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
}

void TCanvax::RegisterElementClasses(std::initializer_list<TElementClass> Classes) {
    for (const TElementClass& elementClass : Classes)
        if (IndexOfElementClass(elementClass.Name) < 0) classRegistry_.push_back({elementClass});
}

int TCanvax::IndexOfElementClass(const std::string& Name) const {
    for (std::size_t i = 0; i < classRegistry_.size(); ++i)
        if (SameTextIgnoringCase(classRegistry_[i].ElementClass.Name, Name)) return int(i);
    return -1;
}

const TRegisteredElement& TCanvax::RegisteredClass(int I) const {
    CheckListIndex(I, RegisteredClassCount());
    return classRegistry_[std::size_t(I)];
}

ElementPtr TCanvax::CreateElement(const std::string& ClassName) {
    return RegisteredClass(IndexOfElementClass(ClassName)).ElementClass.Create(*this);
}

void TCanvax::AttachView(TCanvaxViewport* View) {
    if (std::find(views_.begin(), views_.end(), View) == views_.end()) views_.push_back(View);
}

void TCanvax::DetachView(TCanvaxViewport* View) {
    views_.erase(std::remove(views_.begin(), views_.end(), View), views_.end());
}

void TCanvax::PutOnDeadList(TCanvaxElement* E) {
    if (!deadList_.Contains(E)) deadList_.Add(E);
    pendingFree_ = true;
}

void TCanvax::TakeOffDeadList(TCanvaxElement* E) { deadList_.Remove(E); }

void TCanvax::ForgetElement(TCanvaxElement* E) {
    members_.erase(E);
    deadList_.Remove(E);
    elements_.Remove(E);
    if (selectedElement_ == E) selectedElement_ = nullptr;
    if (insertingElement_ == E) insertingElement_ = nullptr;
    if (E->Children()) {
        for (TCanvaxElement* member : members_)
            if (member->parent_ == E) member->parent_ = nullptr;
    }
}

}  // namespace nerim
