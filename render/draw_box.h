// The drawing box: the one object the diagram draws through. It owns the
// screen console and the paper output and forwards every drawing call to the
// current one (the console, or the printer during a print job).
#pragma once

#include <memory>
#include <span>
#include <string>

#include "render/console.h"
#include "render/printer_output.h"

namespace tabulorix {

class ZMGDrawBox {
public:
    ZMGDrawBox(tabulorix::PaintBoxPort& paintBox, tabulorix::PrinterPort& printer,
               tabulorix::ScrollBarPort& horizontal, tabulorix::ScrollBarPort& vertical,
               tabulorix::ClipboardPort& clipboard);
    ~ZMGDrawBox();
    ZMGDrawBox(const ZMGDrawBox&) = delete;
    ZMGDrawBox& operator=(const ZMGDrawBox&) = delete;

    // Both outputs back to their initial values, then SetZoom(100, mode 0).
    void Reset();
    void SetPageCount(int pagesX, int pagesY);
    void GetPageCount(int& pagesX, int& pagesY) const;
    // Zoom on both outputs, then the console's scroll bars (see
    // ZMGConsole::UpdateScrollBars for the modes).
    void SetZoom(int zoom, int mode, int previousZoom = 0);
    // The printer output reads the printer again; the console measures the paper.
    void RefreshPaper();

    void SelectPrinter();
    void SelectConsole();
    bool IsPrinting() const;
    // Moves the paper to page p (numbered from 1 in rows); false, with the
    // page origin back at (0, 0), when p is outside the page grid.
    bool SelectPage(int page);
    void BeginDoc();
    void NewPage();
    void EndDoc();
    ZMGPaperInfo GetPaperInfo() const;
    bool SetPaper(int paperSize, int orientation);
    bool BeginEmf(int page, const std::string& fileName);
    bool EndEmf();
    // The same picture drawn onto another canvas (forwarded to the console).
    bool BeginPicture(int page, tabulorix::Canvas& target);
    void EndPicture();

    // Forwarded to the current output.
    void ClearPaper();
    void DrawPageDecorations(bool framePass, int pagePosition, int pageNumberForm);
    void TextExtent(const std::string& text, int& width, int& height);
    void TextExtentWorld(const std::string& text, int& width, int& height);
    int MapX(int x);
    int MapY(int y);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void MoveTo(tabulorix::Canvas& dc, int x, int y);
    void LineTo(tabulorix::Canvas& dc, int x, int y);
    void Rectangle(const tabulorix::Rect& rect, bool map);
    void Ellipse(const tabulorix::Rect& rect, bool map);
    void Ellipse(tabulorix::Canvas& dc, const tabulorix::Rect& rect, bool map);
    void FillRect(const tabulorix::Rect& rect);
    void FrameRect(const tabulorix::Rect& rect);
    void FillRect(tabulorix::Canvas& dc, const tabulorix::Rect& rect, tabulorix::Color brush);
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Polygon(std::span<tabulorix::DevicePoint> points);
    void SetBrushColor(tabulorix::Color color);
    void SetPenColor(tabulorix::Color color);
    void SetBrushStyle(tabulorix::BrushStyle style);
    void SetPenStyle(tabulorix::PenStyle style);
    void SetPenWidth(int width);
    void SetPenMode(tabulorix::PenMode mode);
    tabulorix::Rect MapRect(const tabulorix::Rect& world);
    std::optional<tabulorix::Rect> ReachedWorld(const tabulorix::Rect& deviceArea, int margin);
    tabulorix::Rect UnmapRect(const tabulorix::Rect& device) const;
    int MapLength(int length) const;
    int ZoomedFontSize(int n) const;
    void DrawText(int x, int y, const std::string& text, tabulorix::Color color);
    void DrawFontText(int x, int y, const std::string& text, const std::string& fontName, int pointSize,
                      int styleBits, tabulorix::Color color);
    void MeasureFontText(const std::string& text, const std::string& fontName, int pointSize, int styleBits,
                         int& width, int& height);
    bool SetDiagramFont(const std::string& fontName, const std::string& sizeText);
    void InvalidateDeviceRect(const tabulorix::Rect& device);
    // The whole paint box is drawn again at the next update.
    void InvalidatePaintBox();
    // The paint box shows what was invalidated or drawn since (update now).
    void UpdatePaintBox();
    int Zoom() const;
    int PaperW() const;
    int PaperH() const;

    // Forwarded to the console.
    void UpdateScrollBars(int mode, int previousZoom);
    void ScrollTo(bool horizontal, int c);
    void ScrollChanged(bool horizontal);
    tabulorix::Rect GetViewRect() const;
    tabulorix::Rect ToScrollUnits(const tabulorix::Rect& world) const;

    ZMGOutput& Current() const { return *current_; }
    ZMGConsole& Console() const { return *console_; }
    ZMGPrinter& PrinterOutput() const { return *printer_; }

private:
    std::unique_ptr<ZMGPrinter> printer_;
    std::unique_ptr<ZMGConsole> console_;
    ZMGOutput* current_;
    int pagesX_ = 1;
    int pagesY_ = 1;
    int pageOriginX_ = 0;
    int pageOriginY_ = 0;
    tabulorix::PaintBoxPort* paintBox_;
};

}  // namespace tabulorix
