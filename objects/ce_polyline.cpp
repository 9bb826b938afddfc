#include "objects/ce_polyline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "canvas/canvas_exceptions.h"
#include "canvas/canvax.h"
#include "canvas/canvax_viewport.h"
#include "canvas/geometry/geometry_funcs.h"
#include "canvas/smart_cursor.h"
#include "canvas/ve_dot2.h"
#include "objects/information_box.h"

namespace nerim {

namespace {

// The previous answer of GetBounds, shared by every polygon.
TRect2D PreviousBounds{0, 0, 0, 0};

// Screen positions this far out are not drawn.
constexpr double kScreenLimit = 65535;

bool Drawable(const TPoint2D& s) { return std::abs(s.X) < kScreenLimit && std::abs(s.Y) < kScreenLimit; }

// The editing cursors, created when first needed.
struct TEditCursors {
    TSmartCursor NewPoint{"NEWPOINT"};
    TSmartCursor MovePoint{"MOVEPOINT"};
    TSmartCursor NewPolygon{"NEWPOLYGON"};
};

const TEditCursors& EditCursors() {
    static const TEditCursors cursors;
    return cursors;
}

}  // namespace

TCEPolyline::TCEPolyline(TCanvax& Canvax) : TCENerimObject(Canvax) {
    SetBoundsKind(bkRegion);
    line_.OnChange = [this](TPLPolyLine&) { LineChanged(); };
}

TCEPolyline::~TCEPolyline() {
    marker_.reset();
    line_.OnChange = nullptr;
    currentNode_ = nullptr;
    markedNode_ = nullptr;
    if (!onVertexChange_) return;
    try {
        const TVertexEvent handler = onVertexChange_;
        handler(*this, line_, nullptr);
    } catch (...) {
        // The polygon goes whatever its owner does with the news.
    }
}

void TCEPolyline::AfterConstruction() {
    TCENerimObject::AfterConstruction();
    SetState(esInsert);
}

// Properties.

void TCEPolyline::SetColor(TColor C) {
    if (C == color_) return;
    color_ = C;
    Redraw();
}

void TCEPolyline::SetCurrentNode(TPLNode* N) {
    if (N == currentNode_) return;
    currentNode_ = N;
    VertexChanged();
    Redraw();
}

void TCEPolyline::SetClosed(bool B) {
    if (B == line_.Closed()) return;
    line_.SetClosed(B);
    Redraw();
}

void TCEPolyline::LineChanged() { VertexChanged(); }

void TCEPolyline::VertexChanged() {
    if (!onVertexChange_) return;
    const TVertexEvent handler = onVertexChange_;
    handler(*this, line_, currentNode_);
}

void TCEPolyline::ForgetNodes() {
    HideMarker();
    currentNode_ = nullptr;
    if (editState_ == pesPressed || editState_ == pesDragging) editState_ = pesIdle;
}

// The marker.

TVEDot2& TCEPolyline::Marker() {
    if (!marker_) {
        marker_ = std::make_unique<TVEDot2>();
        marker_->SetRadius(3);
    }
    return *marker_;
}

void TCEPolyline::PlaceMarker(TCanvaxViewport& View, TPLNode* Node) {
    TVEDot2& marker = Marker();
    markedNode_ = Node;
    marker.SetView(&View);
    marker.SetCenter(View.WorldToScreen(line_.GetPoint(Node)));
    marker.Show();
}

void TCEPolyline::HideMarker() {
    markedNode_ = nullptr;
    if (marker_) marker_->Hide();
}

bool TCEPolyline::MarkerShown() const { return marker_ && marker_->Visible() && markedNode_; }

// Element operations.

void TCEPolyline::SetState(TElementState NewState) {
    editState_ = pesInactive;
    markedNode_ = nullptr;
    marker_.reset();
    TCENerimObject::SetState(NewState);
}

void TCEPolyline::BuildRegion() {
    if (!Region()) SetRegion(std::make_unique<TRRectangle>());
    if (line_.Count() > 0) Region()->SetBounds(line_.Bounds());
}

TRect2D TCEPolyline::GetBounds(const TCanvaxViewport&) {
    if (line_.Count() == 0) {
        const TRect2D previous = PreviousBounds;
        PreviousBounds = {0, 0, 0, 0};
        return previous;
    }
    const TRect2D grown = InflateRect(line_.Bounds(), 4);
    const TRect2D bounds = RectUnion(grown, PreviousBounds);
    PreviousBounds = grown;
    return bounds;
}

int TCEPolyline::MemorySize() const {
    const std::int64_t size = TCENerimObject::MemorySize() + line_.MemorySize();
    return int(std::min<std::int64_t>(size, std::numeric_limits<std::int32_t>::max()));
}

void TCEPolyline::Paint(TCanvaxViewport& View) {
    TCENerimObject::Paint(View);
    if (line_.Count() == 0) return;
    TViewCanvas* canvas = View.GetCanvas();
    if (!canvas) return;
    canvas->Pen.Style = psSolid;
    canvas->Brush.Style = bsSolid;
    canvas->SmoothColor = Color32FromColor(color_, 255);

    // The sides, from the first vertex on; vertices far off the screen are left out.
    bool started = false;
    for (const TPLNode* node = line_.Head(); node; node = node->Next()) {
        const TPoint2D s = View.WorldToScreen(node->Point());
        if (!Drawable(s)) continue;
        if (started) canvas->SmoothLineTo(s.X, s.Y);
        else canvas->SmoothMoveTo(s.X, s.Y);
        started = true;
    }
    if (line_.Closed() && started) {
        const TPoint2D first = View.WorldToScreen(line_.Head()->Point());
        if (Drawable(first)) canvas->SmoothLineTo(first.X, first.Y);
    }

    // The vertex squares go over the sides.
    if (State() != esSelect) return;
    for (const TPLNode* node = line_.Head(); node; node = node->Next()) {
        const TPoint2D s = View.WorldToScreen(node->Point());
        if (!Drawable(s)) continue;
        const TColor colour = node == currentNode_ ? clRed : clBlue;
        canvas->Pen = {colour, 1, psSolid, pmCopy};
        canvas->Brush = {colour, bsSolid};
        const int x = RoundToInt(s.X), y = RoundToInt(s.Y);
        canvas->Rectangle(x - 2, y - 2, x + 3, y + 3);
    }
}

bool TCEPolyline::HitTest(const TRegion& ARegion, const TCanvaxViewport& View) {
    if (!dynamic_cast<const TRRectangle*>(&ARegion)) throw EUnknownRegion(*this);
    double along = 0, segLength = 0;
    return line_.HitSegment(ARegion.Corner(), along, segLength, 3 * View.PixelDiagonal()) != nullptr;
}

// Creation.

void TCEPolyline::MouseInserting(TCanvaxViewport& View, TElementMouseAction Action, const TPoint2D& P,
                                 TMouseButton, TShiftState) {
    switch (createState_) {
        case pcsVertexStart:
            if (Action != emaDown) return;
            createState_ = pcsVertices;
            line_.Append(P);
            Show();
            return;
        case pcsVertices:
            switch (Action) {
                case emaDown: SetCurrentNode(line_.Append(P)); return;
                case emaMove:
                    if (TCanvax* canvax = Canvax()) {
                        View.SetCursorId(canvax->DefaultCursor());
                        canvax->InfoMessage(this, std::string());
                    }
                    return;
                case emaDblClick:
                    if (line_.Count() > 1)
                        if (TCanvax* canvax = Canvax()) canvax->SelectElement(this);
                    return;
                default: return;
            }
    }
}

// Editing.

void TCEPolyline::MouseSelected(TCanvaxViewport& View, TElementMouseAction Action, const TPoint2D& P,
                                TMouseButton, TShiftState) {
    const double tolerance = 3 * View.PixelDiagonal();
    switch (editState_) {
        case pesInactive:
            if (Action == emaMove || Action == emaUp) editState_ = pesIdle;
            return;
        case pesIdle:
            switch (Action) {
                case emaMove: IdleMove(View, P); return;
                case emaDown:
                    if (MarkerShown()) {
                        pressPoint_ = P;
                        editState_ = pesPressed;
                        SetCurrentNode(markedNode_);
                    } else {
                        IdlePress(P, tolerance);
                    }
                    return;
                case emaDblClick:
                    if (MarkerShown()) IdleDoubleClick();
                    return;
                default: return;
            }
        case pesPressed:
            if (Action == emaUp) {
                editState_ = pesIdle;
            } else if (Action == emaMove && PointDistance(pressPoint_, P) <= 3.0) {
                editState_ = pesDragging;
            }
            return;
        case pesDragging:
            if (Action == emaMove) {
                View.SetCursorId(EditCursors().MovePoint.Cursor());
                Marker().SetCenter(View.WorldToScreen(P));
            } else if (Action == emaUp) {
                TPLNode* node = markedNode_;
                editState_ = pesIdle;
                if (node) line_.SetPoint(node, P);
                Redraw();
            }
            return;
    }
}

void TCEPolyline::IdleMove(TCanvaxViewport& View, const TPoint2D& P) {
    const TEditCursors& cursors = EditCursors();
    const double tolerance = 3 * View.PixelDiagonal();
    double along = 0, segLength = 0;
    TPLNode* start = line_.HitSegment(P, along, segLength, tolerance);
    if (start && along <= tolerance) {
        View.SetCursorId(cursors.MovePoint.Cursor());
        PlaceMarker(View, start);
        return;
    }
    if (start && segLength - tolerance <= along) {
        View.SetCursorId(cursors.MovePoint.Cursor());
        PlaceMarker(View, line_.NextNode(start));
        return;
    }
    HideMarker();
    if (start) {
        View.SetCursorId(cursors.NewPoint.Cursor());
    } else if (currentNode_ && (currentNode_ == line_.Head() || currentNode_ == line_.Tail())) {
        View.SetCursorId(cursors.NewPolygon.Cursor());
    } else {
        View.SetCursorId(crDefault);
    }
}

void TCEPolyline::IdlePress(const TPoint2D& P, double Tolerance) {
    double along = 0, segLength = 0;
    TPLNode* start = line_.HitSegment(P, along, segLength, Tolerance);
    if (start) {
        // The foot of the perpendicular on the side; a side of no length takes the vertex's place.
        const TPoint2D r = line_.GetPoint(start);
        const TPoint2D s = line_.GetPoint(line_.NextNode(start));
        const double t = segLength > 0 ? std::clamp(along / segLength, 0.0, 1.0) : 0.0;
        SetCurrentNode(line_.InsertAfter(start, r + (s - r) * t));
    } else if (currentNode_ && currentNode_ == line_.Head()) {
        SetCurrentNode(line_.InsertFirst(P));
    } else if (currentNode_ && currentNode_ == line_.Tail()) {
        SetCurrentNode(line_.Append(P));
    }
    Redraw();
}

void TCEPolyline::IdleDoubleClick() {
    if (line_.Count() == 2) {
        ShowInformation(kTwoVertexPolygonMessage);
        return;
    }
    TPLNode* node = markedNode_;
    HideMarker();
    // No one may hear of the vertex once it is gone.
    if (currentNode_ == node) currentNode_ = nullptr;
    line_.Delete(node);
    Redraw();
}

// Text form and geometry.

void TCEPolyline::WriteText(TextWriter& F) { line_.WriteText(F); }

void TCEPolyline::ReadText(TextReader& F) {
    ForgetNodes();
    line_.ReadText(F);
    Redraw();
}

bool TCEPolyline::ContainsPoint(const TPoint2D& P) const {
    if (line_.Count() < 3) return false;
    return line_.ContainsPoint(P);
}

bool TCEPolyline::FirstCrossing(const TSegment2D& S, TPoint2D& Q) const {
    const TPoint2D& a = S.P1;
    const TVector2D d = S.P2 - a;
    if (IsZeroVector(d) || line_.Count() == 0) return false;
    // Local frame: u along S from A, v across it.
    const TParalTransform t = TransformFromParal(MakeParal(a, UnitVector(d), UnitNormal(d)));
    double best = VectorLength(d);
    bool found = false;
    const TPLNode* head = line_.Head();
    for (const TPLNode* node = head; node; node = node->Next()) {
        const TPLNode* next = node->Next() ? node->Next() : head;
        const TPoint2D prev = ToLocalPoint(t, node->Point());
        const TPoint2D cur = ToLocalPoint(t, next->Point());
        if (cur.Y * prev.Y > 0) continue;
        if (cur.Y - prev.Y != 0) {
            const double u = prev.X + std::abs(prev.Y / (cur.Y - prev.Y)) * (cur.X - prev.X);
            if (0 <= u && u <= best) {
                best = u;
                found = true;
            }
        } else {
            // The side lies on S's line: its nearest vertex ahead of A.
            if (0 < cur.X && cur.X < best) {
                best = cur.X;
                found = true;
            }
            if (0 < prev.X && prev.X < best) {
                best = prev.X;
                found = true;
            }
        }
    }
    if (found) Q = ToWorldPoint(t, {best, 0});
    return found;
}

}  // namespace nerim
