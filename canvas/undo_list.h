#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "canvas/undo_element.h"

namespace nerim {

// The undoable actions of a document, oldest first, bounded by a number of entries and by an
// estimate of the memory they take. The list owns its entries.
class TUndoList {
public:
    using TNotify = std::function<void(TUndoList& Sender)>;

    TUndoList() = default;
    TUndoList(const TUndoList&) = delete;
    TUndoList& operator=(const TUndoList&) = delete;

    // Stores E as the newest entry in force: discards the entries after Current, then the oldest
    // ones while the memory or depth limit would be exceeded. While Locked, E is freed instead.
    void Add(std::unique_ptr<IUndoElement> E);
    // Frees entry I and subtracts its size from MemUsed; Current is left to the caller.
    void DeleteAt(int I);
    // Frees every entry after Current (the newest first); Current becomes the last index.
    void TruncateRedo();

    int Count() const { return int(items_.size()); }
    IUndoElement& Items(int I) const;
    int Current() const { return current_; }
    std::int32_t MemUsed() const { return memUsed_; }

    // 0 means no limit. A change trims nothing until the next Add.
    std::int32_t MaxMem() const { return maxMem_; }
    void SetMaxMem(std::int32_t value) { maxMem_ = value; }
    std::int32_t MaxDepth() const { return maxDepth_; }
    void SetMaxDepth(std::int32_t value) { maxDepth_ = value; }

    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }

    // Called after the list changed.
    TNotify OnChange;

private:
    void Changed();

    std::vector<std::unique_ptr<IUndoElement>> items_;
    std::int32_t memUsed_ = 0;
    std::int32_t maxMem_ = 0;
    std::int32_t maxDepth_ = 0;
    bool locked_ = false;
    int current_ = -1;
};

}  // namespace nerim
