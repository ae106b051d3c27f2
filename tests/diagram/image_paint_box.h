// A paint box whose canvas is a white QImage at 96 dpi: the diagram painted
// through a drawing box over it gives real pixels (fonts, pens, fills).
#pragma once

#include <memory>

#include "platform/qt_canvas.h"
#include "base/output_ports.h"

namespace tabulorix::diagram_test {

class ImagePaintBox final : public tabulorix::PaintBoxPort {
public:
    ImagePaintBox(int width, int height)
        : width_(width), height_(height), canvas_(tabulorix::QtCanvas::ForImage(width, height)) {}

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int TopOffset() const override { return 0; }
    tabulorix::FontSpec DiagramFont() const override { return font_; }
    void SetDiagramFont(const tabulorix::FontSpec& font) override { font_ = font; }
    tabulorix::Canvas& PaintCanvas() override { return *canvas_; }
    void InvalidateWindowRect(const tabulorix::Rect&) override {}
    void ScrollContents(int, int) override {}
    void UpdateInvalidated() override {}
    void Repaint() override {}
    void SetVisible(bool) override {}

    const QImage& Image() const { return *canvas_->Image(); }

private:
    int width_;
    int height_;
    tabulorix::FontSpec font_;
    std::unique_ptr<tabulorix::QtCanvas> canvas_;
};

}  // namespace tabulorix::diagram_test
