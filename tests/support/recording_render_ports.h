// Recording implementations of the drawing outputs' ports (paint box, scroll
// bars, clipboard, printer) so outputs and the diagram are tested without a
// window or a printer.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "render/draw_box.h"
#include "base/output_ports.h"
#include "base/printer_port.h"
#include "support/recording_canvas.h"
#include "support/recording_ports.h"

namespace tabulorix::testing {

class RecordingPaintBox final : public PaintBoxPort {
public:
    RecordingPaintBox(int width = 800, int height = 600);

    int Width() const override { return width; }
    int Height() const override { return height; }
    int TopOffset() const override { return topOffset; }
    FontSpec DiagramFont() const override { return font; }
    void SetDiagramFont(const FontSpec& newFont) override { font = newFont; }
    Canvas& PaintCanvas() override { return canvas; }
    void InvalidateWindowRect(const Rect& rect) override { invalidated.push_back(rect); }
    void ScrollContents(int dx, int dy) override { scrolls.push_back(DevicePoint{dx, dy}); }
    void UpdateInvalidated() override { ++updates; }
    void Repaint() override { ++repaints; }
    void SetVisible(bool isVisible) override { visible = isVisible; }

    int width;
    int height;
    int topOffset = 0;
    FontSpec font;
    RecordingCanvas canvas;
    std::vector<Rect> invalidated;
    std::vector<DevicePoint> scrolls;
    int updates = 0;
    int repaints = 0;
    bool visible = true;
};

class RecordingScrollBar final : public ScrollBarPort {
public:
    int Position() const override { return position; }
    void SetPosition(int newPosition) override;
    int Min() const override { return min; }
    int Max() const override { return max; }
    void SetMin(int newMin) override { min = newMin; }
    void SetMax(int newMax) override { max = newMax; }
    void SetLargeStep(int step) override { largeStep = step; }
    void SetSmallStep(int step) override { smallStep = step; }
    void SetVisible(bool isVisible) override { visible = isVisible; }
    void SetEnabled(bool isEnabled) override { enabled = isEnabled; }

    int position = 0;
    int min = 0;
    int max = 100;
    int largeStep = 0;
    int smallStep = 0;
    bool visible = true;
    bool enabled = true;
    std::vector<int> positionsSet;  // every SetPosition argument, in order
};

class RecordingClipboard final : public ClipboardPort {
public:
    bool PutEmf(const std::vector<std::uint8_t>& bytes) override;

    bool succeed = true;
    std::vector<std::vector<std::uint8_t>> pictures;
};

// A printer with a fixed printable area whose canvas records at its resolution.
class RecordingPrinter final : public PrinterPort {
public:
    // A4 portrait printable area at 600 dpi by default (4800 × 6774 pixels).
    RecordingPrinter(double pageWidth = 4800, double pageHeight = 6774, double resolution = 600);

    double PageWidth() const override { return pageWidth; }
    double PageHeight() const override { return pageHeight; }
    Canvas& PrinterCanvas() override { return canvas; }
    PaperSettingsResult ReadPaperSettings() override;
    PaperSettingsResult WritePaperSettings(int paperSize, int orientation) override;
    void BeginDoc() override { jobLog.push_back("BeginDoc"); }
    void NewPage() override { jobLog.push_back("NewPage"); }
    void EndDoc() override { jobLog.push_back("EndDoc"); }

    double pageWidth;
    double pageHeight;
    RecordingCanvas canvas;
    // The settings block; status other than Ok makes reads and writes fail.
    PaperSettingsResult settings{PaperSettingsResult::Status::Ok, 0, kPaperA4, kOrientationPortrait};
    std::vector<std::string> jobLog;
    int reads = 0;
    int writes = 0;
};

// The ports of a drawing box over a printer of the given type, whose
// constructor takes the arguments given.
template <typename Printer>
struct BoxParts {
    template <typename... Args>
    explicit BoxParts(Args&&... args) : printer(std::forward<Args>(args)...) {}

    RecordingPorts ports;
    RecordingPaintBox paintBox{800, 600};
    Printer printer;
    RecordingScrollBar hBar;
    RecordingScrollBar vBar;
    RecordingClipboard clipboard;
    ZMGDrawBox box{paintBox, printer, hBar, vBar, clipboard};
};

}  // namespace tabulorix::testing
