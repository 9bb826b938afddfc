#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "canvas/colors.h"
#include "objects/ce_nerim_object.h"
#include "objects/core/polyline.h"

namespace nerim {

class TVEDot2;

// Steps of drawing a new polygon with the mouse.
enum TPolylineCreateState : std::uint8_t {
    pcsVertexStart = 0,  // waiting for the first vertex
    pcsVertices = 1,     // every press adds a vertex; a double click ends
};

// Steps of editing a selected polygon with the mouse.
enum TPolylineEditState : std::uint8_t {
    pesInactive = 0,  // just selected: the next move or release makes it Idle
    pesIdle = 1,      // the pointer is watched for vertices and sides
    pesPressed = 2,   // pressed on the marked vertex
    pesDragging = 3,  // the marked vertex follows the pointer
};

// A polygon drawn in the domain: a canvas element that owns a vertex list (Line), draws it on
// every view, and lets the user build it vertex by vertex and then edit it.
//
// Life: MakeElement<TCEPolyline>(document) puts it straight into esInsert, so the view's presses
// add its vertices (the first press also shows it) until a double click selects it. Selected, a
// move shows a marker on a vertex within three pixel diagonals; pressing there and moving drags
// that vertex; a press on a side inserts a vertex there; a press elsewhere extends the polygon
// from its current vertex when that is its first or last one; a double click on a marked vertex
// deletes it (a two-vertex polygon refuses with the information "***").
//
// The current vertex (CurrentNode) is drawn red and is where the polygon grows. OnVertexChange
// tells the owner (Sender, Line, CurrentNode) after every change of the line and whenever the
// current vertex changes; before the polygon goes it reports (Sender, Line, null), so that no
// one keeps one of its vertices.
//
// Line gives direct access to the vertices (to fill a new polygon, to move a vertex). Deleting
// vertices through it is for vertices other than CurrentNode; the polygon's own editing keeps
// CurrentNode valid.
class TCEPolyline : public TCENerimObject {
public:
    using TVertexEvent = std::function<void(TCEPolyline& Sender, TPLPolyLine& Line, TPLNode* CurrentNode)>;

    // An empty open polygon, black, in its first creation step.
    explicit TCEPolyline(TCanvax& Canvax);

    TPLPolyLine& Line() { return line_; }
    const TPLPolyLine& Line() const { return line_; }
    TColor Color() const { return color_; }
    void SetColor(TColor C);
    TPLNode* CurrentNode() const { return currentNode_; }
    void SetCurrentNode(TPLNode* N);
    bool Closed() const { return line_.Closed(); }
    void SetClosed(bool B);
    TPolylineCreateState CreateState() const { return createState_; }
    TPolylineEditState EditState() const { return editState_; }
    const TVertexEvent& OnVertexChange() const { return onVertexChange_; }
    void SetVertexEvent(TVertexEvent Handler) { onVertexChange_ = std::move(Handler); }
    // The marker shown on a vertex while editing (null until first needed, and after every state
    // change), and the vertex it marks (null when it is not shown).
    TVEDot2* VertexMarker() const { return marker_.get(); }
    TPLNode* MarkedNode() const { return markedNode_; }

    // Ends any editing step and removes the marker, then the element's state change.
    void SetState(TElementState NewState) override;
    // A rectangle region over the vertices' box.
    void BuildRegion() override;
    // The sides with the smooth renderer in Color, closed when Closed; when selected, a
    // five-pixel square on every vertex, red for CurrentNode and blue for the others.
    void Paint(TCanvaxViewport& View) override;
    void MouseInserting(TCanvaxViewport& View, TElementMouseAction Action, const TPoint2D& P, TMouseButton Button,
                        TShiftState Shift) override;
    void MouseSelected(TCanvaxViewport& View, TElementMouseAction Action, const TPoint2D& P, TMouseButton Button,
                       TShiftState Shift) override;
    // Whether a side lies within three pixel diagonals of the region's corner. Only rectangle
    // regions (TRRectangle and its descendants) are understood; others raise EUnknownRegion.
    bool HitTest(const TRegion& ARegion, const TCanvaxViewport& View) override;
    // The vertices' box grown by 4 world units, united with the previous answer of any polygon
    // (so that a repaint covers the old and the new place). Empty: that previous answer.
    TRect2D GetBounds(const TCanvaxViewport& View) override;
    // The element and its vertices.
    int MemorySize() const override;

    // The vertex list's text form.
    void WriteText(TextWriter& F) override;
    // Replaces the vertices by those read (CurrentNode and the marker are cleared first).
    void ReadText(TextReader& F) override;
    // Point in polygon, the closing side always included; false with fewer than 3 vertices.
    bool ContainsPoint(const TPoint2D& P) const override;
    // The first boundary point met walking from S.P1 towards S.P2, the sides taken as a closed
    // ring. A side lying along S gives its nearest vertex ahead of S.P1. False when S has no
    // length or meets no side before S.P2.
    bool FirstCrossing(const TSegment2D& S, TPoint2D& Q) const override;

protected:
    // Puts the new polygon into esInsert.
    void AfterConstruction() override;
    ~TCEPolyline() override;

private:
    void LineChanged();
    void VertexChanged();
    TVEDot2& Marker();
    void PlaceMarker(TCanvaxViewport& View, TPLNode* Node);
    void HideMarker();
    bool MarkerShown() const;
    // Forgets every reference into the line (before its vertices go).
    void ForgetNodes();
    void IdleMove(TCanvaxViewport& View, const TPoint2D& P);
    void IdlePress(const TPoint2D& P, double Tolerance);
    void IdleDoubleClick();

    TPLPolyLine line_;
    TColor color_ = clBlack;
    TPLNode* currentNode_ = nullptr;
    TPolylineCreateState createState_ = pcsVertexStart;
    TPolylineEditState editState_ = pesInactive;
    TVertexEvent onVertexChange_;
    std::unique_ptr<TVEDot2> marker_;
    TPLNode* markedNode_ = nullptr;
    TPoint2D pressPoint_;
};

// The message a two-vertex polygon shows when asked to delete a vertex.
inline constexpr const char* kTwoVertexPolygonMessage = "***";

}  // namespace nerim
