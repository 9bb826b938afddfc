#pragma once

#include <vector>

namespace nerim {

class TCanvaxElement;
class TCanvaxViewport;

// An ordered list of elements (not owned): a container's children, a document's top-level
// elements or its dead list.
class TElementsList {
public:
    int Count() const { return int(items_.size()); }
    bool Empty() const { return items_.empty(); }
    // Raises EListIndexError outside 0..Count-1.
    TCanvaxElement* operator[](int I) const;
    int IndexOf(const TCanvaxElement* E) const;
    bool Contains(const TCanvaxElement* E) const { return IndexOf(E) >= 0; }

    void Add(TCanvaxElement* E) { items_.push_back(E); }
    // Removes the first occurrence and closes the gap; nothing when E is absent.
    void Remove(const TCanvaxElement* E);
    void Delete(int I);
    void Clear() { items_.clear(); }

    // Paints the list's elements on the view, first to last, limited to the view's pending
    // invalid rectangle, which grows by the bounds of every bounded element painted.
    void PaintList(TCanvaxViewport& View) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    const std::vector<TCanvaxElement*>& Items() const { return items_; }

private:
    std::vector<TCanvaxElement*> items_;
};

}  // namespace nerim
