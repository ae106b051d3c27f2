// The main window without a window: what the command line needs to open a
// design file and draw, print or export its diagram with the same core as
// the GUI. It owns a paint box (an off-screen 96-dpi canvas), a PDF
// printer, the drawing box over both, the schema manager and the settings,
// and answers the design loader and the settings as the main window would.
#pragma once

#include <memory>
#include <string>

#include "app/model/settings.h"
#include "catalogue/schema_manager.h"
#include "designfile/design_window.h"
#include "render/clipboard_tap.h"
#include "render/draw_box.h"
#include "render/paint_hooks.h"
#include "render/qt_printer.h"

namespace tabulorix::cli {

// Creates the Qt application the drawing needs (once per process), with the
// offscreen platform when no display is available.
void EnsureGuiApplication();

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
class HeadlessPaintBox final : public PaintBoxPort {
public:
    HeadlessPaintBox(int width, int height);
    ~HeadlessPaintBox() override;

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
class HeadlessScrollBar final : public ScrollBarPort {
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

class HeadlessWindow final : public MGDesignWindow, public SettingsHost {
public:
    // printerPdf is the file the printer writes when a print job runs.
    explicit HeadlessWindow(const std::string& printerPdf = "tabulorix.pdf");
    ~HeadlessWindow() override;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    // Opens a design file as the window's "open" action does. False when it
    // could not be loaded (the message has been shown) or holds no diagram.
    bool LoadDesign(const std::string& path);

    ZMGDrawBox& DrawBox() { return *drawBox_; }
    HeadlessPaintBox& PaintBox() { return paintBox_; }
    QtPrinter& Printer() { return printer_; }
    ClipboardTap& Clipboard() { return clipboard_; }
    MGSchemaMng& Manager() { return *manager_; }
    TSetDlg& Settings() { return settings_; }
    MGDesignContext Context();
    int& WindowZoom() { return windowZoom_; }

    // The paint pass of the diagram through the drawing box's current output.
    void PaintDiagramNow(int pagePosition);
    // The callbacks of the picture, print and Word actions.
    DiagramRepaint Repaint();

    // MGDesignWindow
    std::string FontNameText() const override { return fontName_; }
    std::string FontSizeText() const override { return fontSize_; }
    void SelectFontItems(const std::string& fontName, const std::string& fontSize) override;

    // SettingsHost
    bool HasDiagram() const override;
    PageGrid PagesNeeded() const override;
    void SetPageCount(int across, int down) override;
    void SetWindowZoom() override;
    void SetZoom100() override;
    void HandDisplayFlags(int flags) override;
    void ApplyDisplayFlags(int flags) override;
    PaperInfo GetPaperInfo() const override;
    void SetPaper(int sizeCode, int orientation) override;

private:
    void ApplyFont();

    HeadlessPaintBox paintBox_;
    QtPrinter printer_;
    ClipboardTap clipboard_;
    HeadlessScrollBar hBar_;
    HeadlessScrollBar vBar_;
    std::unique_ptr<ZMGDrawBox> drawBox_;
    std::unique_ptr<MGSchemaMng> manager_;  // destroyed before the drawing box
    TSetDlg settings_;
    std::string fontName_ = "IPAPGothic";
    std::string fontSize_ = "9";
    int windowZoom_ = 100;
};

}  // namespace tabulorix::cli
