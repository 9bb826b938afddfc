#include "canvas/undo_list.h"

#include "support/exception.h"

namespace nerim {

void TUndoList::Add(std::unique_ptr<IUndoElement> E) {
    if (!E) return;
    if (locked_) return;  // E is freed on return
    TruncateRedo();
    const std::int32_t size = E->MemorySize();
    while (current_ >= 0 && maxMem_ != 0 && memUsed_ + size > maxMem_) {
        DeleteAt(0);
        --current_;
    }
    // A negative depth would never be satisfied; stop once the list is empty.
    while (current_ >= 0 && maxDepth_ != 0 && current_ + 2 > maxDepth_) {
        DeleteAt(0);
        --current_;
    }
    items_.push_back(std::move(E));
    current_ = Count() - 1;
    memUsed_ += size;
    Changed();
}

void TUndoList::DeleteAt(int I) {
    CheckListIndex(I, Count());
    std::unique_ptr<IUndoElement> entry = std::move(items_[std::size_t(I)]);
    items_.erase(items_.begin() + I);
    memUsed_ -= entry->MemorySize();
}

void TUndoList::TruncateRedo() {
    if (current_ >= Count() - 1) return;
    for (int i = Count() - 1; i > current_; --i) DeleteAt(i);
    current_ = Count() - 1;
    Changed();
}

IUndoElement& TUndoList::Items(int I) const {
    CheckListIndex(I, Count());
    return *items_[std::size_t(I)];
}

void TUndoList::Changed() {
    if (OnChange) OnChange(*this);
}

}  // namespace nerim
