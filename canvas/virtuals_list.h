#pragma once

#include <vector>

namespace nerim {

class TCanvaxViewport;
class TVirtualElement;

// One view's overlays in attachment order (not owned).
class TVirtualsList {
public:
    explicit TVirtualsList(TCanvaxViewport* View) : view_(View) {}
    TVirtualsList(const TVirtualsList&) = delete;
    TVirtualsList& operator=(const TVirtualsList&) = delete;
    // Detaches every overlay still in it.
    ~TVirtualsList();

    TCanvaxViewport* View() const { return view_; }
    int Count() const { return int(items_.size()); }
    TVirtualElement* operator[](int I) const;
    bool Contains(const TVirtualElement* E) const;
    void Add(TVirtualElement* E);
    // Removes the first occurrence and closes the gap.
    void Remove(const TVirtualElement* E);

    // Every overlay's Draw(true), first to last.
    void DrawPass();
    // Every overlay's Draw(false), last to first.
    void ErasePass();
    // Detaches every overlay (an overlay whose detaching fails is dropped from the list).
    void DetachAll();

private:
    TCanvaxViewport* view_;
    std::vector<TVirtualElement*> items_;
};

}  // namespace nerim
