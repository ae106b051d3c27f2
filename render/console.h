// The screen console: the diagram in the main window's paint box, with two
// scroll bars, and the recording of the diagram into an enhanced metafile.
//
// Scroll positions are in scroll units: world coordinate plus the diagram
// extent of the axis (paperW × pagesX across, paperH × pagesY down). A bar's
// position equals the scroll offset of its axis and is always a multiple of 4.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/emf_canvas.h"
#include "render/output.h"

namespace tabulorix {

class ZMGConsole final : public ZMGOutput {
public:
    // Set-up: the paint box canvas becomes the canvas; scale 1; the paper is measured.
    ZMGConsole(tabulorix::PaintBoxPort& paintBox, tabulorix::PrinterPort& printer,
               tabulorix::ScrollBarPort& horizontal, tabulorix::ScrollBarPort& vertical,
               tabulorix::ClipboardPort& clipboard);
    ~ZMGConsole() override;

    void ClearPaper() override;

    // Modes: 0 and 4 keep the positions, 1 shows world (0, 0) at the top-left,
    // 2 and 3 (zoom changed from previousZoom) keep the world point at the
    // view centre (computed before the new range clamps the position; without
    // a previous zoom the position is kept). Repaints the paint box. Nothing
    // happens while zoom is 0.
    void UpdateScrollBars(int mode, int previousZoom);
    // Scrolls so that world coordinate c of the axis is at the view centre.
    void ScrollTo(bool horizontal, int c);
    // The visible area in scroll units.
    tabulorix::Rect GetViewRect() const;
    // A world rectangle in scroll units.
    tabulorix::Rect ToScrollUnits(const tabulorix::Rect& world) const;
    // Applies the bar's position of an axis (after the user moved it): the
    // position is rounded toward zero to a multiple of 4, the window contents
    // are moved and the uncovered strip is repainted.
    void ScrollChanged(bool horizontal);

    // Starts recording page p (0: all pages) into a metafile; the paint pass
    // that follows draws into it. An empty file name means the clipboard.
    // False (and nothing recorded) for a page past the last row.
    bool BeginEmf(int page, const std::string& fileName);
    // Ends the recording, restores the view and saves the picture to the file
    // or the clipboard. False, after telling the user, when saving failed.
    bool EndEmf();

    // Starts drawing page p (0: all pages) onto target as a picture of that
    // page: zoom 100, one world unit per unit of the target, the page's
    // top-left at (0, 0), no page frames or numbers. The paint pass that
    // follows draws into it. False (nothing changed) for a page past the last
    // row or while another picture is being drawn.
    bool BeginPicture(int page, tabulorix::Canvas& target);
    // Ends the picture and restores the view.
    void EndPicture();
    // Width and height of the picture of page p (0: all pages), or nothing
    // for a page outside the grid.
    std::optional<tabulorix::TextSize> PictureSize(int page) const;

    bool IsRecording() const { return recording_; }
    const std::string& EmfFileName() const { return emfFileName_; }

private:
    struct Axis {
        tabulorix::ScrollBarPort& bar;
        int extent;    // diagram extent of the axis, world units
        int viewSize;  // paint box width or height, device pixels
        int& offset;   // scroll offset of the axis
    };
    Axis MakeAxis(bool horizontal);
    int ViewWorldSize(int viewSize) const;
    void UpdateAxis(Axis axis, int mode, int previousZoom);
    void SetBarPosition(Axis& axis, int position);
    void InvalidateUncovered(bool horizontal, int pixels);
    bool SavePicture();

    bool recording_ = false;
    int savedZoom_ = 0;
    std::unique_ptr<tabulorix::EmfCanvas> metafile_;  // the metafile and its canvas
    std::string emfFileName_;
    tabulorix::Canvas* savedCanvas_ = nullptr;
    int savedScrollOffsetY_ = 0;
    int savedScrollOffsetX_ = 0;
    tabulorix::ScrollBarPort* horizontalBar_;
    tabulorix::ScrollBarPort* verticalBar_;
    tabulorix::ClipboardPort* clipboard_;
};

}  // namespace tabulorix
