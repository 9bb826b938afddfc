#pragma once

#include <QWidget>

#include "canvas/canvax_viewport.h"

namespace nerim {

// The control showing a document: a viewport whose client area is the widget, showing the
// screen image and feeding it the Qt mouse events. Everything but the Qt side is the viewport's
// (see TCanvaxViewport).
class TCanvaxView : public QWidget, public TCanvaxViewport {
public:
    explicit TCanvaxView(QWidget* parent = nullptr);
    ~TCanvaxView() override;

    // The widget's own size.
    QSize ClientSize() const override { return size(); }
    // Resizes the widget and runs the resize processing at once (a hidden widget gets its
    // resize event only when shown).
    void SetClientSize(int Width, int Height) override;

protected:
    // Asks Qt for a paint event.
    void ScheduleUpdate() override { update(); }
    void ApplyCursor(TCursorId Id) override;

    // Shows the screen image, first bringing it up to date (UpdateScreen) when it is stale.
    // Exceptions from painting elements propagate to the application's event filter.
    void paintEvent(QPaintEvent* event) override;
    // Run Resized().
    void resizeEvent(QResizeEvent* event) override;
    // Translate the Qt mouse events to MouseDown, MouseMove, MouseUp and DblClick and let their
    // exceptions propagate. A double click is delivered as DblClick followed by a press with
    // ssDouble, so that the press the window system sends after a double click is swallowed.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace nerim
