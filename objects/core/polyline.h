#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "canvas/geometry/geometry_types.h"
#include "objects/core/point_list.h"

namespace nerim {

class TextReader;
class TextWriter;

// One vertex of a TPLPolyLine. Nodes are created and freed only by their list; clients hold
// them as cursors and must not keep one across a Delete of that node.
class TPLNode {
public:
    double X() const { return x_; }
    double Y() const { return y_; }
    TPoint2D Point() const { return {x_, y_}; }
    // The following node in list order, null for the last one (no wrapping; see NextNode).
    TPLNode* Next() const { return next_; }

private:
    friend class TPLPolyLine;
    TPLNode(const TPoint2D& p, TPLNode* next) : x_(p.X), y_(p.Y), next_(next) {}

    double x_;
    double y_;
    TPLNode* next_;
};

// The vertex list behind a polygon: singly linked, open or closed, keeping its bounding box,
// reporting every change to a listener, answering point-in-polygon and nearest-segment
// questions, and reading and writing itself as text.
//
// The bounding box always holds every vertex while UpdateLock is false: insertions widen it,
// moves recompute it, and deletions recompute it when the removed vertex lay near its edge.
// While UpdateLock is true, moves and deletions leave it as it is until EndUpdate.
class TPLPolyLine : public IPointList {
public:
    using TChangeEvent = std::function<void(TPLPolyLine&)>;

    // An empty, open list with no listener.
    TPLPolyLine() = default;
    ~TPLPolyLine() override;

    // Called with the list after every change notification; may be empty.
    TChangeEvent OnChange;

    bool UpdateLock() const { return updateLock_; }
    bool Closed() const { return closed_; }
    // Notifies (kind 1) only when the value changes.
    void SetClosed(bool value);
    // First and last node, both null when the list is empty.
    TPLNode* Head() const { return head_; }
    TPLNode* Tail() const { return tail_; }

    double MaxX() const override;
    double MinX() const override;
    double MaxY() const override;
    double MinY() const override;
    std::int32_t Count() const override { return count_; }
    TPLNode* FirstNode() const override;
    TPLNode* LastNode() const override;
    std::uint8_t LastChangeKind() const override { return lastChangeKind_; }
    // Stores the kind, then calls OnChange when assigned.
    void Changed(std::uint8_t kind) override;
    TPLNode* Append(const TPoint2D& p) override;
    TPLNode* InsertAfter(TPLNode* node, const TPoint2D& p) override;
    TPLNode* InsertFirst(const TPoint2D& p) override;
    // Throws ENotInRange, changing nothing, when node is null or not a node of this list.
    TPLNode* Delete(TPLNode* node) override;
    void BeginUpdate() override;
    // Releases the lock and recomputes the bounding box.
    void EndUpdate() override;
    // NextNode, GetPoint and SetPoint throw ENotInRange for a null node.
    TPLNode* NextNode(const TPLNode* node) const override;
    TPoint2D GetPoint(const TPLNode* node) const override;
    int ReservedQuery() const override { return 0; }
    void SetPoint(TPLNode* node, const TPoint2D& p) override;
    // 20 bytes per vertex and 4 for the list.
    std::int64_t MemorySize() const override { return 20 * static_cast<std::int64_t>(count_) + 4; }

    // The exact box of the vertices; nothing happens when the list is empty.
    virtual void RecomputeBounds();
    // Appends every node strictly inside r, a rectangle given maximum corner first:
    // r.X2 < X < r.X1 and r.Y2 < Y < r.Y1.
    virtual void CollectInBox(const TRect2D& r, std::vector<TPLNode*>& list) const;
    // The start node of the segment nearest to p within tolerance of its line and of its
    // inflated box, the earlier one on ties; along is the distance from that start to the foot
    // of the perpendicular from p, segLength the segment's length. Null, with along and
    // segLength 0, when no segment qualifies. A closed list starts with its closing segment.
    virtual TPLNode* HitSegment(const TPoint2D& p, double& along, double& segLength, double tolerance) const;
    // Crossing-number test over the ring of vertices, the closing edge included whether or not
    // the list is closed, after rejecting points outside the bounding box. An empty list
    // contains nothing.
    virtual bool ContainsPoint(const TPoint2D& p) const;

    // The bounding box as (MinX, MinY, MaxX, MaxY); ENotInRange when the list is empty.
    TRect2D Bounds() const;
    // The vertices in list order.
    std::vector<TPoint2D> Points() const;

    // Text form: a "count closed" header line, then one "x y" line per vertex with eight
    // decimals. Notifies with kind 0 afterwards.
    void WriteText(TextWriter& f);
    // Replaces the vertices by those of the text form. Reading stops quietly at the end of the
    // source (blank lines at its end included), keeping the vertices read so far; a header
    // count below zero reads none. A closed flag other than 1 gives an open list.
    // Returns the vertex count the header declared, so that a caller can tell a short block.
    std::int32_t ReadText(TextReader& f);

private:
    TPLNode* Link(TPLNode* node, const TPoint2D& p);
    TPLNode* Remove(TPLNode* node, bool maintainBounds);
    void RecomputeBoundsWithout(const TPoint2D& removed);
    void RequireNotEmpty() const;

    TPLNode* head_ = nullptr;
    TPLNode* tail_ = nullptr;
    std::int32_t count_ = 0;
    bool closed_ = false;
    bool updateLock_ = false;
    std::uint8_t lastChangeKind_ = 0;
    double maxX_ = 0.0;
    double minX_ = 0.0;
    double maxY_ = 0.0;
    double minY_ = 0.0;
};

}  // namespace nerim
