// The drawing surfaces of the main window: the paint box, its two scroll
// bars and the system clipboard, each a Qt widget or service behind the
// port the drawing box talks to.
//
// The paint box draws into an image of its own size at the screen's device
// pixel ratio (twice the pixels each way on a 2x screen, with the diagram's
// coordinates unchanged), which is what the screen shows, pixel for pixel.
// A paint event asks the window to draw the diagram into it only where
// something invalidated it (all of it after a scroll, a resize or a
// repaint), clipped to that area and on the box's background; otherwise it
// shows the image as it is, so outlines drawn with an inverting pen between
// paints (a drag, the selection band) stay until they are erased.
//
// While the window holds it (a load or a reverse-engineering run showing its
// progress, which lets the window paint), a paint event shows the image as
// it was and draws nothing, so nothing of a model being changed is read.
#pragma once

#include <QImage>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "base/output_ports.h"
#include "platform/offscreen_surfaces.h"

namespace tabulorix {

class QtCanvas;

class PaintBoxWidget final : public QWidget, public PaintBoxPort {
    Q_OBJECT
public:
    explicit PaintBoxWidget(QWidget* parent = nullptr);
    ~PaintBoxWidget() override;

    // What a paint event draws before the image is shown: the area of the
    // box (in its pixels) to draw again, the whole box after a scroll, a
    // resize or a repaint, else what was invalidated since the last paint.
    // The image is clipped to the area and erased there first.
    void SetPaintHook(std::function<void(const Rect& area)> hook) { paintHook_ = std::move(hook); }
    // The picture the box shows, at the device pixel ratio.
    const QImage& Picture() const;

    // Paint events draw nothing while a hold lives; what was invalidated
    // meanwhile is drawn at the first paint after the last hold ends.
    class Hold {
    public:
        explicit Hold(PaintBoxWidget& box) : box_(box) { ++box_.holds_; }
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        PaintBoxWidget& box_;
    };

    int Width() const override { return width(); }
    int Height() const override { return height(); }
    int TopOffset() const override { return 0; }
    FontSpec DiagramFont() const override { return font_; }
    void SetDiagramFont(const FontSpec& font) override { font_ = font; }
    Canvas& PaintCanvas() override { return canvas_; }
    void InvalidateWindowRect(const Rect& rect) override;
    void ScrollContents(int dx, int dy) override;
    void UpdateInvalidated() override { update(); }
    void Repaint() override;
    void SetVisible(bool visible) override { setVisible(visible); }

Q_SIGNALS:
    void resized();
    // The mouse in device pixels of the box.
    void pressed(int x, int y, bool right, bool shift, bool doubleClick);
    void moved(int x, int y);
    void released(int x, int y);
    // The wheel: steps of 1/8 degree, with Ctrl or Shift held; x, y where.
    void wheeled(int dx, int dy, Qt::KeyboardModifiers modifiers, int x, int y);
    // A key the box does not handle itself (arrows, pages, Escape).
    void keyPressed(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A new white image of the widget's size at its device pixel ratio.
    void RenewImage();
    // Fills the area of the image with the box's background colour.
    void Erase(const QRect& area);

    std::unique_ptr<QtCanvas> image_;
    ForwardingCanvas canvas_;
    FontSpec font_;
    std::function<void(const Rect&)> paintHook_;
    QRect invalidated_;  // what to draw again when the whole box is not stale
    bool painting_ = false;
    bool stale_ = true;  // the image must be drawn again at the next paint
    int holds_ = 0;      // living holds
};

// A scroll bar whose moves by the user reach the drawing box; positions set
// by the drawing box itself do not come back as moves.
class ScrollBarWidget final : public QScrollBar, public ScrollBarPort {
    Q_OBJECT
public:
    ScrollBarWidget(Qt::Orientation orientation, QWidget* parent = nullptr);

    int Position() const override { return value(); }
    void SetPosition(int position) override;
    int Min() const override { return minimum(); }
    int Max() const override { return maximum(); }
    void SetMin(int min) override;
    void SetMax(int max) override;
    void SetLargeStep(int step) override { setPageStep(step); }
    void SetSmallStep(int step) override { setSingleStep(step); }
    void SetVisible(bool visible) override { setVisible(visible); }
    void SetEnabled(bool enabled) override { setEnabled(enabled); }

Q_SIGNALS:
    void movedByUser();
};

// The system clipboard: an EMF picture with the MIME type image/x-emf.
// A picture the user copies is offered in three forms at once, so that any
// program can paste it: the EMF, a PNG image (image/png and Qt's image
// form, which the platform offers in its own image formats too) and an SVG
// document (image/svg+xml).
class SystemClipboard final : public ClipboardPort {
public:
    bool PutEmf(const std::vector<std::uint8_t>& bytes) override;
    bool PutPicture(const std::vector<std::uint8_t>& emf, const std::string& png, const std::string& svg);
};

}  // namespace tabulorix
