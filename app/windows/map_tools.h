#pragma once

#include <QCursor>
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <functional>

#include "canvas/canvas_types.h"

namespace nerim {

class TCanvaxView;
class TCanvaxViewport;

// The window's mouse modes, each a small tool given the view, in the manner of the tools of a map
// canvas: while a tool is active it takes the presses, moves and releases on the view (the view
// then routes none of them to the drawing's elements).
class TMapTool {
public:
    explicit TMapTool(TCanvaxViewport& View) : view_(View) {}
    virtual ~TMapTool() = default;
    TMapTool(const TMapTool&) = delete;
    TMapTool& operator=(const TMapTool&) = delete;

    // The window's number of the mode: 1 zoom, 3 pan.
    virtual int Mode() const = 0;
    virtual QCursor Cursor() const = 0;
    virtual void Press(TMouseButton Button, int X, int Y) = 0;
    virtual void Move(int /*X*/, int /*Y*/) {}
    virtual void Release(TMouseButton /*Button*/, int /*X*/, int /*Y*/) {}

protected:
    TCanvaxViewport& view_;
};

// Mode 1: a left click zooms in by 2 about the clicked pixel, a right click out by 2.
class TZoomTool final : public TMapTool {
public:
    using TMapTool::TMapTool;
    int Mode() const override { return 1; }
    QCursor Cursor() const override;
    void Press(TMouseButton Button, int X, int Y) override;
};

// Mode 3: a drag with any button moves the drawing with the mouse at an unchanged scale.
class TPanTool final : public TMapTool {
public:
    using TMapTool::TMapTool;
    int Mode() const override { return 3; }
    QCursor Cursor() const override;
    void Press(TMouseButton Button, int X, int Y) override;
    void Move(int X, int Y) override;
    void Release(TMouseButton Button, int X, int Y) override;
    bool Panning() const { return panning_; }
    QPoint PanLast() const { return panLast_; }

private:
    bool panning_ = false;
    QPoint panLast_;
};

// What every mode offers on the view: the wheel zooms about the pointer (1.25 per notch) and a
// drag with the middle button pans. Both are taken before the view sees them, so that they
// never reach an element being drawn or edited. Moves during a middle drag still go to
// OnPointer, so that the read-out follows the mouse.
class TViewNavigator : public QObject {
    Q_OBJECT

public:
    explicit TViewNavigator(TCanvaxView& View);
    std::function<void(int X, int Y)> OnPointer;
    bool MiddlePanning() const { return panning_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TCanvaxView& view_;
    bool panning_ = false;
    QPoint panLast_;
    QCursor savedCursor_;
};

// The glyphs of the "Zoom" and "Pan" buttons: a magnifying glass and a four-way arrow.
QIcon ZoomGlyph();
QIcon PanGlyph();

}  // namespace nerim
