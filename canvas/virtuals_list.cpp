#include "canvas/virtuals_list.h"

#include <algorithm>

#include "canvas/virtual_element.h"
#include "support/exception.h"

namespace nerim {

TVirtualsList::~TVirtualsList() { DetachAll(); }

TVirtualElement* TVirtualsList::operator[](int I) const {
    CheckListIndex(I, Count());
    return items_[std::size_t(I)];
}

bool TVirtualsList::Contains(const TVirtualElement* E) const {
    return std::find(items_.begin(), items_.end(), E) != items_.end();
}

void TVirtualsList::Add(TVirtualElement* E) { items_.push_back(E); }

void TVirtualsList::Remove(const TVirtualElement* E) {
    const auto found = std::find(items_.begin(), items_.end(), E);
    if (found != items_.end()) items_.erase(found);
}

void TVirtualsList::DrawPass() {
    const std::vector<TVirtualElement*> items = items_;
    for (TVirtualElement* e : items)
        if (Contains(e)) e->Draw(true);
}

void TVirtualsList::ErasePass() {
    const std::vector<TVirtualElement*> items = items_;
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        if (Contains(*it)) (*it)->Draw(false);
}

void TVirtualsList::DetachAll() {
    while (!items_.empty()) {
        TVirtualElement* e = items_.front();
        try {
            e->SetView(nullptr);
        } catch (...) {
            // Dropped below.
        }
        Remove(e);
    }
}

}  // namespace nerim
