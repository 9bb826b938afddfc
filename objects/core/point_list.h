#pragma once

#include <cstdint>

#include "canvas/geometry/geometry_types.h"
#include "support/exception.h"

namespace nerim {

class TPLNode;

// An empty vertex list was asked for its bounds or for its first or last node.
class ENotInRange : public Exception {
public:
    ENotInRange() : Exception("") {}
};

// An ordered list of vertices that clients walk through node cursors. It declares the
// operations, in this order, and implements none of them.
class IPointList {
public:
    IPointList() = default;
    IPointList(const IPointList&) = delete;
    IPointList& operator=(const IPointList&) = delete;
    virtual ~IPointList() = default;

    // The bounding box of the vertices; ENotInRange when the list is empty.
    virtual double MaxX() const = 0;
    virtual double MinX() const = 0;
    virtual double MaxY() const = 0;
    virtual double MinY() const = 0;
    virtual std::int32_t Count() const = 0;
    // First and last node; ENotInRange when the list is empty.
    virtual TPLNode* FirstNode() const = 0;
    virtual TPLNode* LastNode() const = 0;
    // The kind given to the latest change notification: 1 after a geometric edit, 0 after
    // reading or writing the text form.
    virtual std::uint8_t LastChangeKind() const = 0;
    virtual void Changed(std::uint8_t kind) = 0;
    virtual TPLNode* Append(const TPoint2D& p) = 0;
    // Links a new node after node, or at the head when node is null.
    virtual TPLNode* InsertAfter(TPLNode* node, const TPoint2D& p) = 0;
    virtual TPLNode* InsertFirst(const TPoint2D& p) = 0;
    // Removes and frees the node; answers the node that followed it (null at the end).
    virtual TPLNode* Delete(TPLNode* node) = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // The following node; a closed list wraps from its last node to its first.
    virtual TPLNode* NextNode(const TPLNode* node) const = 0;
    virtual TPoint2D GetPoint(const TPLNode* node) const = 0;
    virtual int ReservedQuery() const = 0;
    virtual void SetPoint(TPLNode* node, const TPoint2D& p) = 0;
    virtual std::int64_t MemorySize() const = 0;
};

}  // namespace nerim
