#pragma once

#include <functional>
#include <memory>
#include <utility>

#include <QImage>
#include <QPoint>
#include <QSize>

#include "canvas/canvas_types.h"
#include "canvas/colors.h"
#include "canvas/cursors.h"
#include "canvas/geometry/geometry_types.h"
#include "canvas/view_canvas.h"

namespace nerim {

class TCanvax;
class TVirtualsList;

// A document shown through its own affine mapping between pixels and world coordinates, with
// zoom through a fixed zoom frame, and feeding the mouse, given in pixels, to the document's
// inserting or selected element in world coordinates. It needs no window: a viewport made
// alone has the pixel size it is given and paints into images; the on-screen control
// (TCanvaxView) is a viewport that takes its size from the widget and shows the screen image.
//
// Pictures: the elements paint into an off-screen buffer (GetCanvas()) covering the client area,
// repainted only where the pending invalid world rectangle says. The screen image is that buffer
// copied, with the overlays (Virtuals) drawn over it through ScreenCanvas(); a control shows the
// screen image. Overlays draw with XOR or restore saved pixels, so they come and go without
// repainting the buffer.
//
// Reference frame: Origin is the world point at pixel (0, 0), RefX the world vector of one
// pixel to the right, RefY of one pixel down.
//
// Painting lines, fills and pictures needs no application object; text needs a
// QGuiApplication (fonts come from the platform's font database). No QApplication is needed.
class TCanvaxViewport {
public:
    using TViewNotify = std::function<void(TCanvaxViewport& Sender)>;
    using TViewMouseEvent =
        std::function<void(TCanvaxViewport& Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
    using TViewMouseMoveEvent = std::function<void(TCanvaxViewport& Sender, TShiftState Shift, int X, int Y)>;

    // Watches a viewport's lifetime: Alive() turns false when the viewport is destroyed.
    class TWatch {
    public:
        TWatch() = default;
        bool Alive() const { return !life_.expired(); }

    private:
        friend class TCanvaxViewport;
        explicit TWatch(std::weak_ptr<char> life) : life_(std::move(life)) {}
        std::weak_ptr<char> life_;
    };

    // A client area of Size pixels, without a document.
    explicit TCanvaxViewport(QSize Size = QSize(0, 0));
    TCanvaxViewport(const TCanvaxViewport&) = delete;
    TCanvaxViewport& operator=(const TCanvaxViewport&) = delete;
    virtual ~TCanvaxViewport();

    TWatch Watch() const { return TWatch(life_); }

    // The client area in pixels.
    virtual QSize ClientSize() const { return clientSize_; }
    // Gives the client area that size and runs the resize processing.
    virtual void SetClientSize(int Width, int Height);

    // The document shown. Attaching re-applies the reference frame and takes the document's
    // default cursor; null only detaches.
    TCanvax* Canvax() const { return canvax_; }
    void SetCanvax(TCanvax* Canvax);

    // Published properties and events.
    TColor VirtualsColor() const { return virtualsColor_; }
    void SetVirtualsColor(TColor Color);
    bool ZoomMustKeepAspect() const { return zoomMustKeepAspect_; }
    void SetZoomMustKeepAspect(bool Value) { zoomMustKeepAspect_ = Value; }
    bool MouseActive() const { return mouseActive_; }
    void SetMouseActive(bool Value) { mouseActive_ = Value; }
    TViewNotify BeforePaint;   // before the elements are painted (document locked)
    TViewNotify AfterPaint;    // after the elements are painted (document locked)
    TViewNotify OnChangeRef;   // after the reference frame changed (document locked)
    // The viewport's own mouse events, raised before the mouse is routed to the elements.
    TViewMouseEvent OnMouseDown;
    TViewMouseMoveEvent OnMouseMove;
    TViewMouseEvent OnMouseUp;
    TViewNotify OnDblClick;

    // Coordinate conversion; screen positions are pixels as doubles.
    TPoint2D ScreenToWorld(const TPoint2D& P) const;
    TPoint2D WorldToScreen(const TPoint2D& P) const;
    TVector2D ScreenToWorldVector(const TVector2D& V) const;
    TVector2D WorldToScreenVector(const TVector2D& V) const;
    TParal2D WorldToScreenParal(const TParal2D& P) const;
    TParal2D ScreenToWorldParal(const TParal2D& P) const;

    // Reference frame.
    const TPoint2D& Origin() const { return frame_.Origin; }
    const TVector2D& RefX() const { return frame_.U; }
    const TVector2D& RefY() const { return frame_.V; }
    const TParal2D& Frame() const { return frame_; }
    const TParalTransform& Transform() const { return transform_; }
    // The world length of one pixel diagonal; elements pick within three of them.
    double PixelDiagonal() const { return pixelDiagonal_; }
    // The world rectangle covering the client area and one pixel around it.
    const TRect2D& VisibleArea() const { return visibleArea_; }
    void UpdateVisibleArea();
    // Checks the vectors against the document's AllowedViews, then ApplyReferences.
    void SetReferences(const TPoint2D& Origin, const TVector2D& RefX, const TVector2D& RefY);
    // Uses the frame as it is (only parallel vectors are refused) and repaints.
    void ApplyReferences(const TPoint2D& Origin, const TVector2D& RefX, const TVector2D& RefY);

    // Zoom. The first BeginZoom fixes the zoom frame for the view's life; rectangles given to
    // Zoom are in its coordinates: (s, t) is ZoomOrigin + s*ZoomU + t*ZoomV.
    void BeginZoom(const TParal2D& Frame);
    // The frame of the client area as it is now: (0, 0) top-left, (1, 1) bottom-right.
    void BeginZoom();
    void Zoom(const TRect2D& R);
    // Zooms to a rectangle given in pixels.
    void ZoomToScreenRect(const TRect2D& R);
    bool InZoom() const { return inZoom_; }
    const TParal2D& ZoomFrame() const { return zoomFrame_; }

    // Painting.
    // Adds R (world) to the pending invalid rectangle.
    void InvalidateWorldRect(const TRect2D& R);
    // Repaints the pending invalid rectangle into the buffer and shows the result.
    void PaintInvalid();
    const TRect2D& PendingInvalid() const { return pendingInvalid_; }
    void SetPendingInvalid(const TRect2D& R) { pendingInvalid_ = R; }
    // The whole-buffer invalidation: the buffer is repainted completely at the next paint
    // (or UpdateScreen).
    void InvalidateBuffer();
    bool BufferValid() const { return bufferValid_; }
    // The buffer-paint step: repaints the whole client area into the buffer.
    void PaintBuffer();
    // Brings the picture up to date as a paint of the control does: repaints the buffer when
    // it was invalidated, then copies it to the screen image and draws the overlays.
    void UpdateScreen();
    // Copies the buffer to the screen image and draws the overlays over it.
    void PresentBuffer();

    // The canvas elements draw on: the buffer's. Null while the view has no buffer canvas (after
    // a resize without a document, until a document is attached).
    TViewCanvas* GetCanvas() const { return bufferCanvas_.get(); }
    // The canvas on the picture shown, for overlays.
    TViewCanvas& ScreenCanvas() const { return *screenCanvas_; }
    const QImage& BufferImage() const { return buffer_; }
    const QImage& ScreenImage() const { return screen_; }
    TVirtualsList& Virtuals() const { return *virtuals_; }
    // Overlay passes: erase last to first, draw first to last.
    void EraseVirtuals();
    void DrawVirtuals();
    // Rebuilds the picture shown from the buffer and draws the overlays again (after an overlay
    // left without erasing itself).
    void RefreshOverlays();
    // True while the view is being destroyed; overlays then draw nothing.
    bool Destroying() const { return destroying_; }

    // Mouse processing, in pixels (a control translates its mouse events to these). Without a
    // document nothing happens. The document is locked while the viewport's event is raised and
    // the mouse is routed; an EElementException is reported through the document's OnException,
    // other exceptions pass on after the document has been unlocked.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    void DblClick();
    // The resize processing, for the client size now in force (ClientSize()).
    void Resized();
    QPoint LastPress() const { return lastPress_; }
    TShiftState LastPressShift() const { return lastPressShift_; }
    bool SkipNextPress() const { return skipNextPress_; }

    // The cursor shown over the control.
    TCursorId CursorId() const { return cursorId_; }
    void SetCursorId(TCursorId Id);

protected:
    // What a control does on the screen; a viewport alone does nothing.
    // The picture shown changed: show it again (soon).
    virtual void ScheduleUpdate() {}
    // The cursor id changed: show that cursor.
    virtual void ApplyCursor(TCursorId) {}

    bool ScreenValid() const { return screenValid_; }

private:
    friend class TCanvax;

    static QImage BlankImage(const QSize& size);
    void RequireCanvax() const;
    // Raises Handler (when set) with Document (when given) locked.
    void RaiseLocked(TCanvax* Document, const TViewNotify& Handler);
    // Runs a mouse or resize step with the document locked, reporting element exceptions.
    void RunLocked(const std::function<void()>& Step);
    void Route(TElementMouseAction Action, const TPoint2D& P, TMouseButton Button, TShiftState Shift);
    void EnsureBuffer();

    TCanvax* canvax_ = nullptr;
    QSize clientSize_;
    TColor virtualsColor_ = clBlack;
    bool zoomMustKeepAspect_ = true;
    bool mouseActive_ = true;

    TParal2D frame_{{0, 0}, {1, 0}, {0, 1}};
    TParalTransform transform_;
    double pixelDiagonal_ = 0;
    TRect2D visibleArea_;
    TRect2D pendingInvalid_;
    bool inZoom_ = false;
    TParal2D zoomFrame_;
    QPoint lastPress_;
    TShiftState lastPressShift_;
    bool skipNextPress_ = false;
    TCursorId cursorId_ = crDefault;

    QImage buffer_;
    QImage screen_;
    std::unique_ptr<TViewCanvas> bufferCanvas_;
    std::unique_ptr<TViewCanvas> screenCanvas_;
    bool bufferValid_ = false;
    bool screenValid_ = false;
    std::unique_ptr<TVirtualsList> virtuals_;
    bool destroying_ = false;
    std::shared_ptr<char> life_ = std::make_shared<char>();
};

}  // namespace nerim
