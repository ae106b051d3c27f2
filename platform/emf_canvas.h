// A canvas that records an enhanced metafile (EMF) with libEMF.
//
// World units are device units of 1/96 inch: the picture is width × height
// units at 96 dpi, the reference device being a 96-dpi screen. Text is
// measured with the Qt font metrics at 96 dpi (libEMF has no text measuring),
// so a box has the same size in the picture as on screen.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/canvas.h"

namespace tabulorix {

class EmfCanvas final : public Canvas {
public:
    // A picture of width × height device units (one unit is 1/96 inch).
    EmfCanvas(int width, int height);
    ~EmfCanvas() override;
    EmfCanvas(const EmfCanvas&) = delete;
    EmfCanvas& operator=(const EmfCanvas&) = delete;

    // Completes the metafile; later drawing is ignored. Returns the EMF bytes, or nothing (with the
    // reason in *error when given) when the recording failed.
    std::optional<std::vector<std::uint8_t>> Finish(std::string* error = nullptr);

    void SetPenColor(Color color) override;
    void SetPenWidth(int width) override;
    void SetPenStyle(PenStyle style) override;
    void SetPenMode(PenMode mode) override;
    void SetBrushColor(Color color) override;
    void SetBrushStyle(BrushStyle style) override;
    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override;
    void SetFontColor(Color color) override;
    void SetWindowOrigin(int x, int y) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(std::span<const DevicePoint> points) override;
    void FillRect(int left, int top, int right, int bottom) override;
    void FrameRect(int left, int top, int right, int bottom) override;
    void TextOut(int x, int y, const std::string& utf8Text) override;

    TextSize TextExtent(const std::string& utf8Text) override;
    int FontPixelHeight() override;
    double PixelsPerInch() const override;
    std::optional<Color> Pixel(int x, int y) const override;

private:
    struct Recorder;  // the libEMF device context and its GDI objects
    std::unique_ptr<Recorder> recorder_;
};

}  // namespace tabulorix
