// The one fake host of the tests: every port the core reaches the user,
// the window, the printer and the settings through is implemented here by
// recording what it is told and answering from what the test set up.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "diagram/settings.h"
#include "catalogue/schema_manager.h"
#include "designfile/design_window.h"
#include "base/ui_ports.h"
#include "render/clipboard_tap.h"
#include "render/draw_box.h"
#include "base/output_ports.h"
#include "base/printer_port.h"
#include "support/recording_canvas.h"
#include "support/snapshot_fixture.h"

namespace tabulorix::testing {

// Messages, questions, progress and file names; installed for its lifetime.
class RecordingPorts final : public MessagePort, public QuestionPort, public StatusPort, public FileNamePort {
public:
    RecordingPorts() : scope_(UiPorts{this, this, this, this}) {}

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    // Answers in the order queued; Cancel when the queue is empty.
    Answer Confirm(const std::string& text) override;
    // Every status call is logged as "name" or "name:argument".
    void Reset() override { statusLog.push_back("Reset"); }
    void Show(bool cancelEnabled) override { statusLog.push_back(cancelEnabled ? "Show:1" : "Show:0"); }
    void SetMaximum(int maximum) override { statusLog.push_back("Maximum:" + std::to_string(maximum)); }
    void SetMainLine(const std::string& text) override { statusLog.push_back("Main:" + text); }
    void SetDetailLine(const std::string& text) override { statusLog.push_back("Detail:" + text); }
    void SetPosition(int position) override;
    void Close() override { statusLog.push_back("Close"); }
    bool CancelRequested() const override { return cancel; }
    // Names in the order queued; cancelled when the queue is empty.
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override {
        return AskOpenFileName(request);
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> statusLog;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> fileNames;
    bool cancel = false;
    int cancelAfterPositions = -1;  // cancel once this many positions were set

private:
    int positions_ = 0;
    ScopedPorts scope_;
};

class RecordingPaintBox final : public PaintBoxPort {
public:
    RecordingPaintBox(int width = 800, int height = 600) : width(width), height(height) {}

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
    void SetPosition(int newPosition) override {
        position = newPosition;
        positionsSet.push_back(newPosition);
    }
    int Min() const override { return min; }
    int Max() const override { return max; }
    void SetMin(int newMin) override { min = newMin; }
    void SetMax(int newMax) override { max = newMax; }
    void SetLargeStep(int step) override { largeStep = step; }
    void SetSmallStep(int step) override { smallStep = step; }
    void SetVisible(bool isVisible) override { visible = isVisible; }
    void SetEnabled(bool isEnabled) override { enabled = isEnabled; }

    int position = 0, min = 0, max = 100, largeStep = 0, smallStep = 0;
    bool visible = true, enabled = true;
    std::vector<int> positionsSet;  // every SetPosition argument, in order
};

class RecordingClipboard final : public ClipboardPort {
public:
    bool PutEmf(const std::vector<std::uint8_t>& bytes) override {
        if (succeed) pictures.push_back(bytes);
        return succeed;
    }
    bool succeed = true;
    std::vector<std::vector<std::uint8_t>> pictures;
};

// A printer with a fixed printable area whose canvas records at its
// resolution; A4 portrait at 600 dpi (4800 × 6774 pixels) by default.
class RecordingPrinter final : public PrinterPort {
public:
    RecordingPrinter(double pageWidth = 4800, double pageHeight = 6774, double resolution = 600)
        : pageWidth(pageWidth), pageHeight(pageHeight), canvas(resolution) {}

    double PageWidth() const override { return pageWidth; }
    double PageHeight() const override { return pageHeight; }
    Canvas& PrinterCanvas() override { return canvas; }
    PaperSettingsResult ReadPaperSettings() override {
        ++reads;
        return settings;
    }
    // Turning the paper swaps the printable area.
    PaperSettingsResult WritePaperSettings(int paperSize, int orientation) override;
    void BeginDoc() override { jobLog.push_back("BeginDoc"); }
    void NewPage() override {
        if (!newPageFailure.empty()) throw PrintError(newPageFailure);
        jobLog.push_back("NewPage");
    }
    void EndDoc() override { jobLog.push_back("EndDoc"); }

    double pageWidth;
    double pageHeight;
    RecordingCanvas canvas;
    // The settings block; status other than Ok makes reads and writes fail.
    PaperSettingsResult settings{PaperSettingsResult::Status::Ok, 0, kPaperA4, kOrientationPortrait};
    std::vector<std::string> jobLog;
    std::string newPageFailure;  // when set, NewPage throws it
    int reads = 0;
};

// The ports of a drawing box over a printer of the given type.
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
    ClipboardTap tap{&clipboard};  // passes every picture on to the clipboard
    ZMGDrawBox box{paintBox, printer, hBar, vBar, tap};
};

// The settings' host: the diagram's needs and the paper are set by the test,
// every call the settings make is logged.
class RecordingSettingsHost final : public SettingsHost {
public:
    bool HasDiagram() const override { return hasDiagram; }
    PageGrid PagesNeeded() const override { return needed; }
    void SetPageCount(int across, int down) override {
        pageCount = {across, down};
        log.push_back("SetPageCount:" + std::to_string(across) + "x" + std::to_string(down));
    }
    void SetWindowZoom() override { log.push_back("SetWindowZoom"); }
    void SetZoom100() override { log.push_back("SetZoom100"); }
    void HandDisplayFlags(int flags) override {
        shapeFlags = flags;
        log.push_back("HandDisplayFlags:" + std::to_string(flags));
    }
    void ApplyDisplayFlags(int flags) override {
        appliedFlags = flags;
        log.push_back("ApplyDisplayFlags:" + std::to_string(flags));
    }
    PaperInfo GetPaperInfo() const override { return paper; }
    void SetPaper(int sizeCode, int orientation) override {
        paper.sizeCode = sizeCode;
        paper.orientation = orientation;
        log.push_back("SetPaper:" + std::to_string(sizeCode) + "," + std::to_string(orientation));
    }

    bool hasDiagram = true;
    PageGrid needed;
    PaperInfo paper{9, 1, 4760.7, 6779.9, 600.0};  // A4 portrait at 600 dpi
    PageGrid pageCount;
    int shapeFlags = -1;
    int appliedFlags = -1;
    std::vector<std::string> log;
};

// The design window: the font boxes, and hooks into the loader's steps.
class RecordingDesignWindow final : public MGDesignWindow {
public:
    std::string FontNameText() const override { return fontName; }
    std::string FontSizeText() const override { return fontSize; }
    void SelectFontItems(const std::string& name, const std::string& size) override {
        fontName = name;
        fontSize = size;
        ++selections;
    }
    // Runs after the schema blocks are read and before the boxes are placed.
    void ShowRightPanel() override {
        if (beforeLayout) beforeLayout();
    }
    // Runs after the relations are built, before the font is applied again.
    void ExpandDesignNode() override {
        if (beforeFontAgain) beforeFontAgain();
    }
    void DeleteRootNode() override { ++rootDeletions; }
    void SetRootNodeText(const std::string& text) override { rootText = text; }

    std::string fontName = "ＭＳ Ｐゴシック";
    std::string fontSize = "9";
    int selections = 0;
    int rootDeletions = 0;
    std::string rootText;
    std::function<void()> beforeLayout;
    std::function<void()> beforeFontAgain;
};

// A design in memory with what writing, loading and saving it needs.
class DesignTest : public ::testing::Test {
protected:
    RecordingPorts ports;
    RecordingSettingsHost host;
    TSetDlg settings{&host};
    RecordingDesignWindow window;
    MGSchemaMng manager;
    MGDesignContext context{manager, settings, window, nullptr};
    TempDirectory dir;
};

}  // namespace tabulorix::testing
