#include "objects/core/polyline.h"

#include <cmath>
#include <string>

#include "canvas/geometry/geometry_funcs.h"
#include "objects/core/ring_containment.h"
#include "support/format.h"
#include "support/number_format.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {

TPLPolyLine::~TPLPolyLine() {
    // A loop, not a chain of destructors: lists of millions of vertices must not recurse.
    TPLNode* node = head_;
    while (node) {
        TPLNode* next = node->next_;
        delete node;
        node = next;
    }
}

void TPLPolyLine::RequireNotEmpty() const {
    if (count_ == 0) throw ENotInRange();
}

double TPLPolyLine::MaxX() const {
    RequireNotEmpty();
    return maxX_;
}

double TPLPolyLine::MinX() const {
    RequireNotEmpty();
    return minX_;
}

double TPLPolyLine::MaxY() const {
    RequireNotEmpty();
    return maxY_;
}

double TPLPolyLine::MinY() const {
    RequireNotEmpty();
    return minY_;
}

TRect2D TPLPolyLine::Bounds() const {
    RequireNotEmpty();
    return {minX_, minY_, maxX_, maxY_};
}

TPLNode* TPLPolyLine::FirstNode() const {
    RequireNotEmpty();
    return head_;
}

TPLNode* TPLPolyLine::LastNode() const {
    RequireNotEmpty();
    return tail_;
}

void TPLPolyLine::Changed(std::uint8_t kind) {
    lastChangeKind_ = kind;
    if (OnChange) OnChange(*this);
}

void TPLPolyLine::SetClosed(bool value) {
    if (value == closed_) return;
    closed_ = value;
    Changed(1);
}

TPLNode* TPLPolyLine::Link(TPLNode* node, const TPoint2D& p) {
    auto* created = new TPLNode(p, node ? node->next_ : head_);
    if (node)
        node->next_ = created;
    else
        head_ = created;
    // After the tail, or into an empty list (where node and tail are both null).
    if (node == tail_) tail_ = created;
    if (count_ == 0) {
        maxX_ = minX_ = p.X;
        maxY_ = minY_ = p.Y;
    } else {
        if (p.X > maxX_) maxX_ = p.X;
        if (p.X < minX_) minX_ = p.X;
        if (p.Y > maxY_) maxY_ = p.Y;
        if (p.Y < minY_) minY_ = p.Y;
    }
    ++count_;
    return created;
}

TPLNode* TPLPolyLine::InsertAfter(TPLNode* node, const TPoint2D& p) {
    TPLNode* created = Link(node, p);
    Changed(1);
    return created;
}

TPLNode* TPLPolyLine::Append(const TPoint2D& p) { return InsertAfter(count_ == 0 ? nullptr : LastNode(), p); }

TPLNode* TPLPolyLine::InsertFirst(const TPoint2D& p) { return InsertAfter(nullptr, p); }

void TPLPolyLine::RecomputeBoundsWithout(const TPoint2D& removed) {
    // A point strictly inside the inner 98 % band of the box cannot have been one of its
    // limits, so only points near an edge make the box worth recomputing.
    const double c = (maxX_ - minX_) / 100;
    if (!(maxX_ - c > removed.X) || removed.X <= minX_ + c) {
        RecomputeBounds();
        return;
    }
    const double d = (maxY_ - minY_) / 100;
    if (!(maxY_ - d > removed.Y) || removed.Y <= minY_ + d) RecomputeBounds();
}

TPLNode* TPLPolyLine::Remove(TPLNode* node, bool maintainBounds) {
    if (!node) throw ENotInRange();
    TPLNode* previous = nullptr;
    TPLNode* current = head_;
    while (current && current != node) {
        previous = current;
        current = current->next_;
    }
    if (!current) throw ENotInRange();  // not a node of this list

    const TPoint2D removed{node->x_, node->y_};
    TPLNode* following = node->next_;
    if (previous)
        previous->next_ = following;
    else
        head_ = following;
    if (tail_ == node) tail_ = previous;
    delete node;
    --count_;
    if (maintainBounds) RecomputeBoundsWithout(removed);
    Changed(1);
    return following;
}

TPLNode* TPLPolyLine::Delete(TPLNode* node) { return Remove(node, !updateLock_); }

void TPLPolyLine::BeginUpdate() { updateLock_ = true; }

void TPLPolyLine::EndUpdate() {
    updateLock_ = false;
    RecomputeBounds();
}

TPLNode* TPLPolyLine::NextNode(const TPLNode* node) const {
    if (!node) throw ENotInRange();
    if (node->next_) return node->next_;
    return closed_ ? head_ : nullptr;
}

TPoint2D TPLPolyLine::GetPoint(const TPLNode* node) const {
    if (!node) throw ENotInRange();
    return {node->x_, node->y_};
}

void TPLPolyLine::SetPoint(TPLNode* node, const TPoint2D& p) {
    if (!node) throw ENotInRange();
    node->x_ = p.X;
    node->y_ = p.Y;
    if (!updateLock_) RecomputeBounds();
    Changed(1);
}

void TPLPolyLine::RecomputeBounds() {
    if (count_ == 0) return;
    if (!head_) throw ENotInRange();
    maxX_ = minX_ = head_->x_;
    maxY_ = minY_ = head_->y_;
    for (const TPLNode* node = head_->next_; node; node = node->next_) {
        if (node->x_ > maxX_) maxX_ = node->x_;
        if (node->x_ < minX_) minX_ = node->x_;
        if (node->y_ > maxY_) maxY_ = node->y_;
        if (node->y_ < minY_) minY_ = node->y_;
    }
}

void TPLPolyLine::CollectInBox(const TRect2D& r, std::vector<TPLNode*>& list) const {
    for (TPLNode* node = head_; node; node = node->next_)
        if (r.X2 < node->x_ && node->x_ < r.X1 && r.Y2 < node->y_ && node->y_ < r.Y1) list.push_back(node);
}

TPLNode* TPLPolyLine::HitSegment(const TPoint2D& p, double& along, double& segLength, double tolerance) const {
    along = 0.0;
    segLength = 0.0;
    if (count_ == 0) return nullptr;
    // Only the X extent is tested beforehand.
    if (p.X <= minX_ - tolerance || p.X >= maxX_ + tolerance) return nullptr;

    TPLNode* best = nullptr;
    double bestDistance = 0.0;
    const auto visit = [&](TPLNode* r, const TPLNode* s) {
        const TPoint2D rp{r->x_, r->y_};
        const TPoint2D sp{s->x_, s->y_};
        const TVector2D n = UnitVector(RightPerpendicular(sp - rp));
        const double distance = std::abs(DotProduct(p - sp, n));
        if (distance > tolerance) return;
        TRect2D box = InflateRect(MakeRect(rp.X, rp.Y, sp.X, sp.Y), tolerance);
        NormalizeRect(box);
        if (!PointInRect(p, box)) return;
        if (best && !(distance < bestDistance)) return;  // ties keep the earlier segment
        best = r;
        bestDistance = distance;
        along = std::abs(DotProduct(p - rp, UnitNormal(n)));
        segLength = PointDistance(rp, sp);
    };
    if (closed_) visit(tail_, head_);
    for (TPLNode* r = head_; r->next_; r = r->next_) visit(r, r->next_);
    return best;
}

bool TPLPolyLine::ContainsPoint(const TPoint2D& p) const {
    if (count_ == 0) return false;
    if (p.X < minX_ || p.X > maxX_ || p.Y < minY_ || p.Y > maxY_) return false;
    // The same walk as RingContainsPoint, over the nodes: the closing edge comes first.
    TPoint2D v0{tail_->x_, tail_->y_};
    bool above0 = v0.Y >= p.Y;
    bool inside = false;
    for (const TPLNode* node = head_; node; node = node->next_) {
        const TPoint2D v1{node->x_, node->y_};
        const bool above1 = v1.Y >= p.Y;
        if (above1 != above0 && EdgeCrossesAtOrRightOf(v0, v1, p)) inside = !inside;
        above0 = above1;
        v0 = v1;
    }
    return inside;
}

std::vector<TPoint2D> TPLPolyLine::Points() const {
    std::vector<TPoint2D> points;
    points.reserve(static_cast<std::size_t>(count_));
    for (const TPLNode* node = head_; node; node = node->next_) points.push_back({node->x_, node->y_});
    return points;
}

void TPLPolyLine::WriteText(TextWriter& f) {
    f.WriteLine(Format("%d %d", {static_cast<long long>(count_), closed_ ? 1LL : 0LL}));
    std::string line;
    for (const TPLNode* node = head_; node; node = node->next_) {
        line = FormatFixed(node->x_, 8);
        line += ' ';
        line += FormatFixed(node->y_, 8);
        f.WriteBytes(line);
        f.EndLine();
    }
    Changed(0);
}

std::int32_t TPLPolyLine::ReadText(TextReader& f) {
    // Each deletion notifies as usual. The box is left as it is while emptying: it still holds
    // every remaining vertex, and recomputing it on each deletion would cost a walk per vertex.
    while (head_) Remove(head_, false);
    head_ = tail_ = nullptr;
    count_ = 0;
    closed_ = false;

    const std::int32_t count = f.ReadInteger();
    const std::int32_t closedFlag = f.ReadInteger();
    f.SkipLine();
    closed_ = closedFlag == 1;
    // Vertices are linked one by one as they are read, so a huge count allocates nothing ahead.
    // The box is widened with each of them: if a later number is malformed, the vertices kept
    // so far are still inside it.
    for (std::int32_t read = 0; read < count && !f.SeekEof(); ++read) {
        const double x = f.ReadReal();
        const double y = f.ReadReal();
        f.SkipLine();
        Link(tail_, {x, y});
    }
    RecomputeBounds();
    Changed(0);
    return count;
}

}  // namespace nerim
