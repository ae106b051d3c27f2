// A canvas that records every call for tests, with deterministic text metrics.
//
// Each call is logged as a CanvasCall: the operation name (the Canvas method
// name), its integer arguments (coordinates after subtracting the window
// origin, in argument order; a polygon lists x0, y0, x1, y1, ...), its text,
// and the pen, brush, font and font colour in force at the time of the call.
// State setters are logged too (SetPenColor with the colour, SetFont with the
// name as text and point size, style bits as ints, ...); the const getters are
// not.
//
// Text metrics do not depend on any installed font:
//   pixel height = round(pointSize × PixelsPerInch ÷ 72)   (half away from zero)
//   character width = round(pixel height ÷ 2)
//   TextExtent(text) = (code points × character width, pixel height)
// With the default 96 pixels per inch a 9-pt font is 12 pixels high and
// 6 pixels per character, so "WWWWWWWW" measures 48 × 12; at 600 pixels per
// inch 9 pt is 75 high and 38 per character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/canvas.h"

namespace tabulorix::testing {

struct PenState {
    Color color = kBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
    bool operator==(const PenState&) const = default;
};

struct BrushState {
    Color color = kWhite;
    BrushStyle style = BrushStyle::Solid;
    bool operator==(const BrushState&) const = default;
};

struct CanvasCall {
    std::string op;
    std::vector<int> ints;
    std::string text;
    PenState pen;
    BrushState brush;
    FontSpec font;
    Color fontColor = kBlack;
};

class RecordingCanvas final : public Canvas {
public:
    explicit RecordingCanvas(double pixelsPerInch = 96.0);

    void SetPenColor(Color color) override { Log("SetPenColor", {static_cast<int>(pen_.color = color)}); }
    void SetPenWidth(int width) override { Log("SetPenWidth", {pen_.width = width}); }
    void SetPenStyle(PenStyle style) override { Log("SetPenStyle", {static_cast<int>(pen_.style = style)}); }
    void SetPenMode(PenMode mode) override { Log("SetPenMode", {static_cast<int>(pen_.mode = mode)}); }
    void SetBrushColor(Color color) override {
        Log("SetBrushColor", {static_cast<int>(brush_.color = color)});
    }
    void SetBrushStyle(BrushStyle style) override {
        Log("SetBrushStyle", {static_cast<int>(brush_.style = style)});
    }
    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override { return font_; }
    void SetFontColor(Color color) override { Log("SetFontColor", {static_cast<int>(fontColor_ = color)}); }
    void SetWindowOrigin(int x, int y) override;

    void MoveTo(int x, int y) override { Log("MoveTo", {X(x), Y(y)}); }
    void LineTo(int x, int y) override { Log("LineTo", {X(x), Y(y)}); }
    void Rectangle(int left, int top, int right, int bottom) override {
        Log("Rectangle", {X(left), Y(top), X(right), Y(bottom)});
    }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) override;
    void Ellipse(int left, int top, int right, int bottom) override {
        Log("Ellipse", {X(left), Y(top), X(right), Y(bottom)});
    }
    void Polygon(std::span<const DevicePoint> points) override;
    void FillRect(int left, int top, int right, int bottom) override {
        Log("FillRect", {X(left), Y(top), X(right), Y(bottom)});
    }
    void FrameRect(int left, int top, int right, int bottom) override {
        Log("FrameRect", {X(left), Y(top), X(right), Y(bottom)});
    }
    void TextOut(int x, int y, const std::string& utf8Text) override {
        Log("TextOut", {X(x), Y(y)}, utf8Text);
    }

    TextSize TextExtent(const std::string& utf8Text) override;
    int FontPixelHeight() override;
    double PixelsPerInch() const override { return pixelsPerInch_; }
    std::optional<Color> Pixel(int, int) const override { return std::nullopt; }

    // Every call in order.
    std::vector<CanvasCall> calls;

    // The calls of one operation.
    std::vector<CanvasCall> Calls(std::string_view op) const;
    // Only the drawing operations (pen moves, lines, shapes, text): no state
    // changes, no measurement.
    std::vector<CanvasCall> Drawing() const;
    // The texts of all TextOut calls in order.
    std::vector<std::string> Texts() const;
    void Clear() { calls.clear(); }

private:
    void Log(std::string op, std::vector<int> ints, std::string text = {});
    int X(int x) const { return x - originX_; }
    int Y(int y) const { return y - originY_; }

    double pixelsPerInch_;
    PenState pen_;
    BrushState brush_;
    FontSpec font_;
    Color fontColor_ = kBlack;
    int originX_ = 0;
    int originY_ = 0;
};

}  // namespace tabulorix::testing
