#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <unordered_set>
#include <vector>

#include "canvas/canvas_exceptions.h"
#include "canvas/canvas_types.h"
#include "canvas/canvax_element.h"
#include "canvas/colors.h"
#include "canvas/cursors.h"
#include "canvas/elements_list.h"
#include "canvas/undo_list.h"

namespace nerim {

class TCanvaxViewport;

// A registered element class: how to construct an element of it.
struct TRegisteredElement {
    TElementClass ElementClass;
};

using TBeforeSelection = std::function<void(TCanvax& Sender, TCanvaxElement& Element, TRegion& ARegion, bool& Accept)>;
using TAfterVisualInsertion = std::function<void(TCanvax& Sender, TCanvaxElement& Element, bool& Accept)>;
using TOnChangeElementState = std::function<void(TCanvax& Sender, TCanvaxElement& AElement, TElementState NewState)>;
using TOnChangeElementProps = std::function<void(TCanvax& Sender, TCanvaxElement& AElement)>;
using TOnException = std::function<void(TCanvax& Sender, EElementException& Excpt)>;
using TOnInfoMessage =
    std::function<void(TCanvax& Sender, TCanvaxElement* ACanvaxElement, const std::string& AMessage)>;

// A drawing document: the tree of elements, the colours used to draw them, the inserting and the
// selected element, the element class registry, a re-entrancy lock with deferred destruction of
// elements, and the undo list. Views attach to it.
//
// The document never frees elements; their creators do (see TCanvaxElement). It locks itself
// around every event handler it calls, and the views lock it around their mouse, resize and
// paint processing; an element destroyed while it is locked is freed when the outermost Unlock
// returns. The lock is a re-entrancy counter, not a thread lock.
class TCanvax {
public:
    TCanvax();
    TCanvax(const TCanvax&) = delete;
    TCanvax& operator=(const TCanvax&) = delete;
    // Detaches the views. Elements still alive forget the document (their creators free them).
    ~TCanvax();

    // The component name, used in messages.
    const std::string& Name() const { return name_; }
    void SetName(const std::string& Name) { name_ = Name; }

    // Written through to the undo list (0 = no limit).
    std::int32_t UndoDepth() const { return undoDepth_; }
    void SetUndoDepth(std::int32_t Value);
    std::int32_t UndoMaxMem() const { return undoMaxMem_; }
    void SetUndoMaxMem(std::int32_t Value);
    // Colours; a change repaints the views.
    TColor BackgrdColor() const { return backgrdColor_; }
    void SetBackgrdColor(TColor Value);
    TColor ForegrdColor() const { return foregrdColor_; }
    void SetForegrdColor(TColor Value);
    TColor InactiveColor() const { return inactiveColor_; }
    void SetInactiveColor(TColor Value);
    TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor Value);
    // While false the views paint nothing.
    bool Active() const { return active_; }
    void SetActive(bool Value);
    // Which actions are recorded in the undo list.
    TUndoFilter UndoFilter() const { return undoFilter_; }
    void SetUndoFilter(TUndoFilter Value) { undoFilter_ = Value; }
    bool UndoActive() const { return undoActive_; }
    void SetUndoActive(bool Value) { undoActive_ = Value; }
    TUndoList& Undo() { return undo_; }
    const TUndoList& Undo() const { return undo_; }
    bool IsEditingElement() const { return isEditingElement_; }
    void SetIsEditingElement(bool Value) { isEditingElement_ = Value; }
    // Constraint on the reference vectors of the views. Can change only while the document has
    // no top-level element and no view (EInvalidValue otherwise).
    TAllowedViews AllowedViews() const { return allowedViews_; }
    void SetAllowedViews(TAllowedViews Value);
    // Given to every view after each state change.
    TCursorId DefaultCursor() const { return defaultCursor_; }
    void SetDefaultCursor(TCursorId Value) { defaultCursor_ = Value; }
    TDevelopingOptionsSet DevelopingOptions() const { return developingOptions_; }
    void SetDevelopingOptions(TDevelopingOptionsSet Value);

    // Events. BeforeSelection, AfterVisualInsertion and OnChangeElementProps are kept for element
    // classes; the framework does not raise them.
    TBeforeSelection BeforeSelection;
    TAfterVisualInsertion AfterVisualInsertion;
    TOnChangeElementState OnChangeElementState;
    TOnChangeElementProps OnChangeElementProps;
    TOnException OnException;
    TOnInfoMessage OnInfoMessage;

    // Asks every view for a full repaint (when Active).
    void RepaintViews();
    // E (or none) becomes the selected element; the previous one returns to the state it had
    // before it was selected.
    void SelectElement(TCanvaxElement* E);
    // E (or none) becomes the inserting element; the previous one returns to its earlier state.
    void SetInsertingElement(TCanvaxElement* E);
    TCanvaxElement* SelectedElement() const { return selectedElement_; }
    TCanvaxElement* InsertingElement() const { return insertingElement_; }

    void Lock() { ++lockCount_; }
    // At the outermost Unlock the elements released meanwhile are freed.
    void Unlock();
    bool IsLocked() const { return lockCount_ > 0; }
    int LockCount() const { return lockCount_; }

    // Raises OnInfoMessage (document locked).
    void InfoMessage(TCanvaxElement* Element, const std::string& Message);

    // Registers the classes whose names are not registered yet (names compare without regard
    // to case). TCEContainer is registered by the constructor.
    void RegisterElementClasses(std::initializer_list<TElementClass> Classes);
    int RegisteredClassCount() const { return int(classRegistry_.size()); }
    // -1 when the name is not registered.
    int IndexOfElementClass(const std::string& Name) const;
    const TRegisteredElement& RegisteredClass(int I) const;
    // Constructs an element of a registered class; EListIndexError when it is not registered.
    ElementPtr CreateElement(const std::string& ClassName);

    const std::vector<TCanvaxViewport*>& Views() const { return views_; }
    // Top-level elements (the layers), in creation order.
    TElementsList& Elements() { return elements_; }
    const TElementsList& Elements() const { return elements_; }
    // Elements set to esDead while the document was locked, in that order.
    const TElementsList& DeadList() const { return deadList_; }
    bool PendingFree() const { return pendingFree_; }

    // Used by the framework: the views' cursor, and the dead list.
    void SetViewsCursor(TCursorId Cursor);

private:
    // Stores a changed value of a property that shows in the views, and repaints them.
    template <class T>
    void SetAndRepaint(T& field, const T& value) {
        if (value == field) return;
        field = value;
        RepaintViews();
    }

    friend class TCanvaxElement;
    friend class TCanvaxViewport;

    void AttachView(TCanvaxViewport* View);
    void DetachView(TCanvaxViewport* View);
    void PutOnDeadList(TCanvaxElement* E);
    void TakeOffDeadList(TCanvaxElement* E);
    // The element is being freed: forget every reference to it.
    void ForgetElement(TCanvaxElement* E);

    std::string name_;
    std::int32_t undoDepth_ = 0;
    std::int32_t undoMaxMem_ = 0;
    TColor backgrdColor_ = clBlack;
    TColor foregrdColor_ = clWhite;
    TColor inactiveColor_ = clSilver;
    TColor selectedColor_ = clYellow;
    bool active_ = true;
    TUndoFilter undoFilter_;
    bool undoActive_ = false;
    TUndoList undo_;
    bool isEditingElement_ = false;
    TAllowedViews allowedViews_ = avAll;
    TCursorId defaultCursor_ = crDefault;
    TDevelopingOptionsSet developingOptions_;

    TCanvaxElement* selectedElement_ = nullptr;
    TCanvaxElement* insertingElement_ = nullptr;
    int lockCount_ = 0;
    TElementsList deadList_;
    bool pendingFree_ = false;
    bool freeingDead_ = false;
    std::vector<TRegisteredElement> classRegistry_;
    std::vector<TCanvaxViewport*> views_;
    TElementsList elements_;
    // Every element constructed with this document and not yet freed.
    std::unordered_set<TCanvaxElement*> members_;
};

// The state the selected (inserting) element had before it took that role; shared by all
// documents.
extern TElementState SavedSelectState;
extern TElementState SavedInsertState;

}  // namespace nerim
