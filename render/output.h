// The abstract drawing output: a device the diagram is drawn on in world units.
//
// One world unit is one screen pixel at zoom 100 %. The diagram lies on a
// grid of pagesX × pagesY pages of paperW × paperH world units each, page
// (col, row) covering x from col × paperW to (col + 1) × paperW. An output
// owns the mapping from world units to the device units of its canvas, the
// zoom, the page grid and the page origin of the page being output.
//
// The screen mapping puts world x at device
//     trunc(zoom × scale × 0.01 × (x + paperW × pagesX − pageOriginX − scrollOffsetX))
// (and the same for y), so that scrolling may show one diagram extent of
// empty space on each side of the diagram. Paper maps differently (see
// printer_output.h).
#pragma once

#include <optional>
#include <span>
#include <string>

#include "base/canvas.h"
#include "base/output_ports.h"
#include "base/printer_port.h"
#include "base/rect.h"

namespace tabulorix {

class ZMGOutput {
public:
    ZMGOutput(tabulorix::PaintBoxPort& paintBox, tabulorix::PrinterPort& printer, std::string name);

    // Virtual operations, in slot order.
    // Size of a page number box ("WWWWWWWW" at 9 pt) in device units.
    virtual void MeasurePageNumberBox(int& width, int& height);
    virtual ~ZMGOutput();
    virtual void ClearPaper();
    // Page frames (frame pass) or page numbers (number pass); pagePosition 0-6
    // (6: no numbers, other values as 0), pageNumberForm 0 running, 1 row-column.
    virtual void DrawPageDecorations(bool framePass, int pagePosition, int pageNumberForm);
    virtual int MapX(int x);
    virtual int MapY(int y);
    // Extent of a text in the diagram font at the zoomed size, device units.
    virtual void TextExtent(const std::string& text, int& width, int& height);
    // The same in world units.
    virtual void TextExtentWorld(const std::string& text, int& width, int& height);

    ZMGOutput(const ZMGOutput&) = delete;
    ZMGOutput& operator=(const ZMGOutput&) = delete;

    // Back to the initial values: output mode 0, scroll offsets 0, zoom 0,
    // pages 1 × 1, page origin (0, 0).
    void Reset();

    // Drawing in world units on the current canvas.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void MoveTo(tabulorix::Canvas& dc, int x, int y);
    void LineTo(tabulorix::Canvas& dc, int x, int y);
    // The rectangle is mapped only when map is true (else it is in device units).
    void Rectangle(const tabulorix::Rect& rect, bool map);
    void Ellipse(const tabulorix::Rect& rect, bool map);
    void Ellipse(tabulorix::Canvas& dc, const tabulorix::Rect& rect, bool map);
    void FillRect(const tabulorix::Rect& rect);
    void FrameRect(const tabulorix::Rect& rect);
    // Fills the mapped rectangle on another surface with a solid brush of the
    // colour; the brush stays selected there.
    void FillRect(tabulorix::Canvas& dc, const tabulorix::Rect& rect, tabulorix::Color brush);
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    // Maps every point in place (the caller's points become device points),
    // then draws the polygon.
    void Polygon(std::span<tabulorix::DevicePoint> points);
    void SetBrushColor(tabulorix::Color color);
    void SetPenColor(tabulorix::Color color);
    void SetBrushStyle(tabulorix::BrushStyle style);
    void SetPenStyle(tabulorix::PenStyle style);
    void SetPenWidth(int width);
    void SetPenMode(tabulorix::PenMode mode);

    tabulorix::Rect MapRect(const tabulorix::Rect& world);
    // The world span that a device area grown by margin pixels reaches,
    // exactly as mapping tells: the mapped x of a world x is at least
    // area.left - margin when x >= result.left, at most area.right + margin
    // when x <= result.right (likewise y). Nothing when the mapping does not
    // grow with the coordinates. Valid for world coordinates within
    // kReachLimit of 0.
    std::optional<tabulorix::Rect> ReachedWorld(const tabulorix::Rect& deviceArea, int margin);
    static constexpr int kReachLimit = 1 << 24;
    // Whether a world rectangle (corners in either order) maps into the
    // grown area whose ReachedWorld is reach; nothing for corners beyond
    // kReachLimit (map those).
    static std::optional<bool> MeetsReach(const tabulorix::Rect& reach, const tabulorix::Rect& world);
    // Inverse of the screen mapping; the page origin is not added back.
    tabulorix::Rect UnmapRect(const tabulorix::Rect& device) const;
    int MapLength(int length) const;

    // Font size in points for a text at the current zoom: n < 0 gives the
    // diagram font's size zoomed, else the diagram font's size × n %; at least 1.
    int ZoomedFontSize(int n) const;
    // Text in the canvas font at ZoomedFontSize(-1), top-left at (x, y).
    void DrawText(int x, int y, const std::string& text, tabulorix::Color color);
    // Text in the given font, its size zoomed; styleBits: 1 bold, 2 italic,
    // 4 underline. The canvas font is restored afterwards; the colour stays.
    void DrawFontText(int x, int y, const std::string& text, const std::string& fontName, int pointSize,
                      int styleBits, tabulorix::Color color);
    // Canvas extent of a text in the given font at the unzoomed size.
    void MeasureFontText(const std::string& text, const std::string& fontName, int pointSize, int styleBits,
                         int& width, int& height);

    // Sets the diagram font on the paint box, its canvas and the printer
    // canvas. sizeText is decimal points; false (and nothing changed) when it
    // is not a whole number of at least 1.
    bool SetDiagramFont(const std::string& fontName, const std::string& sizeText);

    // Limits what DrawPageDecorations draws on this output to the pages
    // whose frame or number may leave pixels in the device rectangle, so a
    // partial repaint costs the pages it shows; nothing draws every page.
    // Inside the rectangle the result is the same as drawing every page.
    void SetDecorationArea(const std::optional<tabulorix::Rect>& device) { decorationArea_ = device; }
    const std::optional<tabulorix::Rect>& DecorationArea() const { return decorationArea_; }

    void SetPageOrigin(int x, int y);
    void SetPageCount(int pagesX, int pagesY);
    // Stores the zoom and measures the paper again.
    void SetZoom(int zoom);
    // Paper size in world units from the printer's printable area.
    void MeasurePaper();
    // Asks the window to repaint the device rectangle, grown by 2 pixels.
    void InvalidateDeviceRect(const tabulorix::Rect& device);

    // State, for the diagram and the drawing box.
    int OutputMode() const { return outputMode_; }
    int LastTextWidth() const { return lastTextWidth_; }
    int LastTextHeight() const { return lastTextHeight_; }
    int ScrollOffsetX() const { return scrollOffsetX_; }
    int ScrollOffsetY() const { return scrollOffsetY_; }
    double Scale() const { return scale_; }
    int PagesX() const { return pagesX_; }
    int PagesY() const { return pagesY_; }
    const std::string& Name() const { return name_; }
    int Zoom() const { return zoom_; }
    double ScreenResolution() const { return screenResolution_; }
    tabulorix::Canvas& CurrentCanvas() const { return *canvas_; }
    int FontSize() const { return fontSize_; }
    int FontHeight() const { return fontHeight_; }
    int PaperW() const { return paperW_; }
    int PaperH() const { return paperH_; }
    int PageOriginX() const { return pageOriginX_; }
    int PageOriginY() const { return pageOriginY_; }
    double PrinterPageWidth() const { return printerPageWidth_; }
    double PrinterPageHeight() const { return printerPageHeight_; }
    double PrinterResolution() const { return printerResolution_; }

protected:
    // The offsets of a page number inside its page for a page position.
    struct NumberOffset {
        int dx;
        int dy;
    };
    NumberOffset PageNumberOffset(int pagePosition, int width, int height) const;
    // The first and one past the last page column (or row) whose page,
    // grown by the room a page number may take, meets the decoration area.
    struct PageSpan {
        int first;
        int end;
    };
    PageSpan DecoratedPages(bool columns, int numberWidth, int numberHeight);
    // The 9-pt "WWWWWWWW" box on the current canvas, device units.
    tabulorix::TextSize MeasureSampleNumber();
    // Draws a page number text in the canvas font, 9 pt, black.
    void DrawPageNumber(int x, int y, const std::string& text);
    // White over the whole diagram extent (console and paper).
    void ClearDiagramExtent();
    // Copies the canvas font's size and pixel height into fontSize/fontHeight.
    void StoreCanvasFont();
    double Factor() const { return zoom_ * scale_ * 0.01; }
    tabulorix::PaintBoxPort& PaintBox() const { return *paintBox_; }
    tabulorix::PrinterPort& Printer() const { return *printer_; }

    int outputMode_ = 0;
    int lastTextWidth_ = 0;
    int lastTextHeight_ = 0;
    int scrollOffsetY_ = 0;
    int scrollOffsetX_ = 0;
    double scale_ = 1.0;
    int pagesX_ = 1;
    int pagesY_ = 1;
    tabulorix::PrinterPort* printer_;
    std::string name_;
    int zoom_ = 0;
    double screenResolution_ = 96.0;
    tabulorix::Canvas* canvas_ = nullptr;
    int fontSize_ = 0;
    int fontHeight_ = 0;
    int paperW_ = 0;
    int paperH_ = 0;
    int pageOriginX_ = 0;
    int pageOriginY_ = 0;
    double printerPageWidth_ = 0;
    double printerPageHeight_ = 0;
    double printerResolution_ = 0;
    tabulorix::PaintBoxPort* paintBox_;
    std::optional<tabulorix::Rect> decorationArea_;
};

}  // namespace tabulorix
