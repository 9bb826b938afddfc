#pragma once

#include <string>

namespace nerim {

// One undoable action recorded in a document's undo list.
class IUndoElement {
public:
    IUndoElement() = default;
    IUndoElement(const IUndoElement&) = delete;
    IUndoElement& operator=(const IUndoElement&) = delete;
    virtual ~IUndoElement() = default;

    // Text naming the undo of the action.
    virtual std::string GetUndoCaption() const = 0;
    // Text naming the redo of the action.
    virtual std::string GetRedoCaption() const = 0;
    // Estimate of the memory the entry holds, in bytes.
    virtual int MemorySize() const = 0;
    // Whether undoing (redoing) still makes sense in the present state.
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    virtual void DoUndo() = 0;
    virtual void DoRedo() = 0;
};

}  // namespace nerim
