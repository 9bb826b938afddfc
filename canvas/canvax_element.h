#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "canvas/canvas_types.h"
#include "canvas/elements_list.h"
#include "canvas/geometry/geometry_types.h"
#include "canvas/geometry/regions.h"

namespace nerim {

class TCanvax;
class TCanvaxViewport;
class TTokenFile;
class TCanvaxElement;

// Frees an element through its destruction protocol (TCanvaxElement::Release).
struct ElementDeleter {
    void operator()(TCanvaxElement* element) const noexcept;
};

// The owning handle of an element. Elements are owned by whoever created them, never by the
// document or a container (except the children a container reads with LoadFromText).
template <class T>
using ElementHandle = std::unique_ptr<T, ElementDeleter>;
using ElementPtr = ElementHandle<TCanvaxElement>;

// Constructs an element of class T with the document and the further arguments, then runs its
// second construction step (AfterConstruction), where virtual calls reach T's overrides.
template <class T, class... Args>
ElementHandle<T> MakeElement(TCanvax& canvax, Args&&... args);

// The name of a class without namespaces, as the registry and the text form use it
// ("TCEContainer").
std::string ElementClassName(const std::type_info& type);

// Base of every element of a drawing. Geometry is in world coordinates.
//
// Life: constructed by MakeElement (State esNoNatum, invisible, no parent), put into a container
// with AddChild, shown with Show, then moved through its states with SetState, the document's
// SelectElement and SetInsertingElement. Releasing its handle destroys it: SetState(esDead), then
// at once when the document is unlocked, or, when the document is locked (inside a callback),
// when the outermost Unlock returns; until then it stays in its parent's children, marked esDead.
//
// Subclasses: construct with (TCanvax&, ...); override AfterConstruction (calling the inherited
// one first) for work that needs the subclass's virtual behaviour, such as a first SetState;
// declare their destructors protected.
class TCanvaxElement {
public:
    // Watches an element's lifetime: Alive() turns false when the element is freed.
    class TWatch {
    public:
        TWatch() = default;
        bool Alive() const { return !life_.expired(); }

    private:
        friend class TCanvaxElement;
        explicit TWatch(std::weak_ptr<char> life) : life_(std::move(life)) {}
        std::weak_ptr<char> life_;
    };

    TCanvaxElement(const TCanvaxElement&) = delete;
    TCanvaxElement& operator=(const TCanvaxElement&) = delete;

    // The virtual operations, in their slot order.

    // The state machine: forced to esInactive under an inactive parent; no event and no repaint
    // when the state does not change; raises OnChangeElementState before the change.
    virtual void SetState(TElementState NewState);
    // Invalidates the element's bounds on every view, rebuilds the region, invalidates them
    // again and paints each view's invalid area.
    virtual void Redraw();
    // Element: creates a plain region when there is none.
    virtual void BuildRegion();
    virtual void Show();
    virtual void Hide();
    virtual void SaveToText(TTokenFile& Writer);
    virtual void LoadFromText(TTokenFile& Reader);
    // Draws the element on View.GetCanvas() (see TCanvaxViewport::WorldToScreen).
    virtual void Paint(TCanvaxViewport& View) = 0;
    // The mouse while the element is the document's inserting (selected) element. P is in world
    // coordinates.
    virtual void MouseInserting(TCanvaxViewport& View, TElementMouseAction Action, const TPoint2D& P,
                                TMouseButton Button, TShiftState Shift);
    virtual void MouseSelected(TCanvaxViewport& View, TElementMouseAction Action, const TPoint2D& P,
                               TMouseButton Button, TShiftState Shift);
    // Hides Child, appends it to Children and makes this element its parent. Raises
    // EElementException on an element that has no children list, and when Child is this
    // element or one of its ancestors. A child that already has a parent leaves that parent's
    // children first.
    virtual void AddChild(TCanvaxElement& Child);
    // Takes Child out of Children; its Parent stays as it was.
    virtual void RemoveChild(TCanvaxElement& Child);
    // Whether the region touches the element as drawn on the view.
    virtual bool HitTest(const TRegion& ARegion, const TCanvaxViewport& View) = 0;
    // The size of the element's class in bytes.
    virtual int MemorySize() const;
    virtual bool IsContainer() const = 0;
    // By BoundsKind: the region's bounds (all zero without a region), the all-zero rectangle,
    // or the view's visible area.
    virtual TRect2D GetBounds(const TCanvaxViewport& View);

    // Stores B and redraws when it differs from Visible.
    void SetVisible(bool B);
    void SetInserting() { SetState(esInsert); }
    void SetSelected() { SetState(esSelect); }
    void SetNormal() { SetState(esNormal); }
    // Visible, and the parent (if any) showing too.
    bool IsShowing() const;

    // "TCEContainer", "TCELayer", ...: the name of the element's class.
    std::string ClassName() const { return ElementClassName(typeid(*this)); }

    bool Visible() const { return visible_; }
    // The document; null only after the document was destroyed before the element.
    TCanvax* Canvax() const { return canvax_; }
    TElementState State() const { return state_; }
    TBoundsKind BoundsKind() const { return boundsKind_; }
    void SetBoundsKind(TBoundsKind kind) { boundsKind_ = kind; }
    TRegion* Region() const { return region_.get(); }
    TCanvaxElement* Parent() const { return parent_; }
    // Null for elements that are not containers.
    TElementsList* Children() const { return children_.get(); }
    // The owner released the element while the document was locked; it is freed at the
    // outermost Unlock.
    bool ReleasePending() const { return released_; }
    TWatch Watch() const { return TWatch(life_); }

protected:
    explicit TCanvaxElement(TCanvax& Canvax);
    virtual ~TCanvaxElement();
    // Second construction step, run by MakeElement: BuildRegion.
    virtual void AfterConstruction();
    void SetRegion(std::unique_ptr<TRegion> region) { region_ = std::move(region); }
    // Containers create their children list in their constructor.
    void CreateChildren();
    // The bounding rectangle in red when the document's DevelopingOptions ask for it; the brush
    // is made clear first when ClearBrush is set.
    void PaintDebugRectangle(TCanvaxViewport& View, bool ClearBrush);
    // Takes the element out of the list that holds it (its parent's children).
    virtual void DetachFromOwner();
    // The document is being destroyed before the element: forget it.
    virtual void CanvaxDestroyed();

    // Elements are freed only through their handles; this keeps `delete` and a stray `new`
    // out of reach.
    static void operator delete(void* p) { ::operator delete(p); }

private:
    friend struct ElementDeleter;
    friend class TCanvax;
    template <class T, class... Args>
    friend ElementHandle<T> MakeElement(TCanvax& canvax, Args&&... args);

    // The destruction protocol, run when the owner's handle lets go.
    static void Release(TCanvaxElement* element) noexcept;
    // Frees a released element for good (the document is not locked).
    static void FinalDestroy(TCanvaxElement* element) noexcept;

    bool visible_ = false;
    TCanvax* canvax_;
    TElementState state_ = esNoNatum;
    TBoundsKind boundsKind_ = bkUnbounded;
    std::unique_ptr<TRegion> region_;
    TCanvaxElement* parent_ = nullptr;
    std::unique_ptr<TElementsList> children_;
    int instanceSize_ = 0;
    bool released_ = false;
    std::shared_ptr<char> life_;
};

// Free form of TCanvaxElement::IsShowing; false for null.
bool IsShowing(const TCanvaxElement* E);

template <class T, class... Args>
ElementHandle<T> MakeElement(TCanvax& canvax, Args&&... args) {
    static_assert(std::is_base_of_v<TCanvaxElement, T>, "MakeElement builds canvas elements");
    ElementHandle<T> handle(new T(canvax, std::forward<Args>(args)...));
    TCanvaxElement& element = *handle;
    element.instanceSize_ = int(sizeof(T));
    element.AfterConstruction();
    return handle;
}

// A way to construct elements of one class, as the document's class registry keeps it.
using TElementFactory = ElementPtr (*)(TCanvax&);
struct TElementClass {
    std::string Name;
    TElementFactory Create = nullptr;
};

template <class T>
TElementClass ElementClassOf() {
    return {ElementClassName(typeid(T)), [](TCanvax& canvax) -> ElementPtr { return MakeElement<T>(canvax); }};
}

}  // namespace nerim
