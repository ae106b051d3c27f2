// The drawing surface every output draws on, in device units.
//
// It offers what the diagram needs from a classic GDI canvas: a pen (colour,
// width, style, mode), a brush (colour, style), a font, shapes, text and its
// measurement, and pixel read-back on raster surfaces. Implementations: Qt
// (QImage, SVG, PDF, printer), enhanced metafiles (libEMF), and a recording
// canvas in the tests.
//
// Conventions, as on a GDI canvas:
// - Rectangles are left, top, right, bottom; right and bottom are exclusive:
//   Rectangle(0, 0, 10, 10) covers the pixels 0..9 in both axes, its outline
//   drawn with the pen, its inside filled with the brush (unless clear).
// - FillRect fills with the brush and draws no outline; FrameRect draws a
//   one-unit border in the brush colour.
// - Colours are 0x00BBGGRR values.
// - TextOut places the top-left corner of the text cell at (x, y); with a
//   solid brush the text cell is first filled with the brush colour.
// - A window origin (SetWindowOrigin) is subtracted from every coordinate
//   before drawing, so device point (ox, oy) lands on surface pixel (0, 0).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tabulorix {

using Color = std::uint32_t;  // 0x00BBGGRR

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kLightGrey = 0xC0C0C0;
inline constexpr Color kGrey = 0x808080;
inline constexpr Color kRed = 0x0000FF;
inline constexpr Color kYellow = 0x00FFFF;

enum class PenStyle { Solid, Dash, Dot };
enum class PenMode { Copy, Not };
enum class BrushStyle { Solid, Clear };

// Font style bits as the design file and the text shapes store them.
enum FontStyleBits : int { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4 };

struct FontSpec {
    std::string name = "IPAPGothic";
    int pointSize = 9;
    int styleBits = 0;  // FontStyleBits
    bool operator==(const FontSpec&) const = default;
};

struct DevicePoint {
    int x = 0;
    int y = 0;
    bool operator==(const DevicePoint&) const = default;
};

struct TextSize {
    int width = 0;
    int height = 0;
    bool operator==(const TextSize&) const = default;
};

// The drawing state a canvas keeps between calls (what a GDI device context
// holds): pen, brush, font and window origin.
struct CanvasState {
    Color penColor = kBlack;
    int penWidth = 1;
    PenStyle penStyle = PenStyle::Solid;
    PenMode penMode = PenMode::Copy;
    Color brushColor = kWhite;
    BrushStyle brushStyle = BrushStyle::Solid;
    FontSpec font;
    Color fontColor = kBlack;
    int originX = 0;
    int originY = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Pen, brush and font state.
    virtual void SetPenColor(Color color) = 0;
    virtual void SetPenWidth(int width) = 0;
    virtual void SetPenStyle(PenStyle style) = 0;
    virtual void SetPenMode(PenMode mode) = 0;
    virtual void SetBrushColor(Color color) = 0;
    virtual void SetBrushStyle(BrushStyle style) = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    virtual FontSpec Font() const = 0;
    // The point size of Font(), without a copy of the font.
    virtual int FontPointSize() const { return Font().pointSize; }
    virtual void SetFontColor(Color color) = 0;
    virtual void SetWindowOrigin(int x, int y) = 0;

    // Shapes, in device units.
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Polygon(std::span<const DevicePoint> points) = 0;
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    virtual void FrameRect(int left, int top, int right, int bottom) = 0;
    virtual void TextOut(int x, int y, const std::string& utf8Text) = 0;

    // Measurement in device units with the current font.
    virtual TextSize TextExtent(const std::string& utf8Text) = 0;
    // Pixel height of the current font: point size × PixelsPerInch ÷ 72, rounded.
    virtual int FontPixelHeight() = 0;
    // Resolution of the canvas font (96 on screen-like surfaces, the printer's
    // resolution on paper).
    virtual double PixelsPerInch() const = 0;

    // Colour of a surface pixel (after the window origin), where the surface
    // is raster; nothing on vector surfaces.
    virtual std::optional<Color> Pixel(int x, int y) const = 0;
};

// Sets the pen, the brush and the font colour of a state on a canvas (what
// a canvas taking over from another needs besides the font and the origin).
inline void ApplyPenAndBrush(Canvas& canvas, const CanvasState& state) {
    canvas.SetPenColor(state.penColor);
    canvas.SetPenWidth(state.penWidth);
    canvas.SetPenStyle(state.penStyle);
    canvas.SetPenMode(state.penMode);
    canvas.SetBrushColor(state.brushColor);
    canvas.SetBrushStyle(state.brushStyle);
    canvas.SetFontColor(state.fontColor);
}

}  // namespace tabulorix
