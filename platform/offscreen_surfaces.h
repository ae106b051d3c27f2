// Drawing surfaces without a window: a canvas that forwards to a target that
// can be changed, an off-screen paint box at 96 dpi and scroll bars nobody
// sees. The command line and the benchmark draw and export through them.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "base/canvas.h"
#include "base/output_ports.h"

namespace tabulorix {

// A canvas that forwards every call to a target that can be changed; the
// pen, brush and font state moves to a new target. The paint box draws
// through it, so the console can be pointed at an SVG, PDF or PNG picture.
class ForwardingCanvas final : public Canvas {
public:
    explicit ForwardingCanvas(Canvas& target) : target_(&target) {}
    void SetTarget(Canvas& target);

    void SetPenColor(Color color) override { target_->SetPenColor(state_.penColor = color); }
    void SetPenWidth(int width) override { target_->SetPenWidth(state_.penWidth = width); }
    void SetPenStyle(PenStyle style) override { target_->SetPenStyle(state_.penStyle = style); }
    void SetPenMode(PenMode mode) override { target_->SetPenMode(state_.penMode = mode); }
    void SetBrushColor(Color color) override { target_->SetBrushColor(state_.brushColor = color); }
    void SetBrushStyle(BrushStyle style) override { target_->SetBrushStyle(state_.brushStyle = style); }
    void SetFont(const FontSpec& font) override { target_->SetFont(font); }
    FontSpec Font() const override { return target_->Font(); }
    int FontPointSize() const override { return target_->FontPointSize(); }
    void SetFontColor(Color color) override { target_->SetFontColor(state_.fontColor = color); }
    void SetWindowOrigin(int x, int y) override { target_->SetWindowOrigin(x, y); }
    void MoveTo(int x, int y) override { target_->MoveTo(x, y); }
    void LineTo(int x, int y) override { target_->LineTo(x, y); }
    void Rectangle(int l, int t, int r, int b) override { target_->Rectangle(l, t, r, b); }
    void RoundRect(int l, int t, int r, int b, int w, int h) override {
        target_->RoundRect(l, t, r, b, w, h);
    }
    void Ellipse(int l, int t, int r, int b) override { target_->Ellipse(l, t, r, b); }
    void Polygon(std::span<const DevicePoint> points) override { target_->Polygon(points); }
    void FillRect(int l, int t, int r, int b) override { target_->FillRect(l, t, r, b); }
    void FrameRect(int l, int t, int r, int b) override { target_->FrameRect(l, t, r, b); }
    void TextOut(int x, int y, const std::string& text) override { target_->TextOut(x, y, text); }
    TextSize TextExtent(const std::string& text) override { return target_->TextExtent(text); }
    int FontPixelHeight() override { return target_->FontPixelHeight(); }
    double PixelsPerInch() const override { return target_->PixelsPerInch(); }
    std::optional<Color> Pixel(int x, int y) const override { return target_->Pixel(x, y); }

private:
    Canvas* target_;
    CanvasState state_;  // what a new target takes over
};

// The paint box: an off-screen canvas at 96 dpi whose size can change.
class OffscreenPaintBox final : public PaintBoxPort {
public:
    OffscreenPaintBox(int width, int height);
    ~OffscreenPaintBox() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int TopOffset() const override { return 0; }
    FontSpec DiagramFont() const override { return font_; }
    void SetDiagramFont(const FontSpec& font) override { font_ = font; }
    Canvas& PaintCanvas() override { return canvas_; }
    void InvalidateWindowRect(const Rect&) override {}
    void ScrollContents(int, int) override {}
    void UpdateInvalidated() override {}
    void Repaint() override {}
    void SetVisible(bool) override {}

    void Resize(int width, int height);
    // Draws on the target until RestoreCanvas.
    void RedirectCanvas(Canvas& target) { canvas_.SetTarget(target); }
    void RestoreCanvas() { canvas_.SetTarget(*screen_); }

private:
    int width_;
    int height_;
    FontSpec font_;
    std::unique_ptr<Canvas> screen_;
    ForwardingCanvas canvas_;
};

// A scroll bar nobody sees; it keeps what the console sets.
class OffscreenScrollBar final : public ScrollBarPort {
public:
    int Position() const override { return position_; }
    void SetPosition(int position) override { position_ = position; }
    int Min() const override { return min_; }
    int Max() const override { return max_; }
    void SetMin(int min) override { min_ = min; }
    void SetMax(int max) override { max_ = max; }
    void SetLargeStep(int) override {}
    void SetSmallStep(int) override {}
    void SetVisible(bool) override {}
    void SetEnabled(bool) override {}

private:
    int position_ = 0;
    int min_ = 0;
    int max_ = 100;
};

}  // namespace tabulorix
