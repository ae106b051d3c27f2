#include "render/console.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/file_io.h"
#include "base/ui_ports.h"

namespace tabulorix {

using tabulorix::Rect;

namespace {

constexpr const char* kEmfFailed = "Failed to save EMF file";

int Truncate(double value) {
    return static_cast<int>(std::trunc(value));
}

// Rounds toward zero to a multiple of 4.
int RoundToStep(int position) {
    return position - position % 4;
}

}  // namespace

ZMGConsole::ZMGConsole(tabulorix::PaintBoxPort& paintBox, tabulorix::PrinterPort& printer,
                       tabulorix::ScrollBarPort& horizontal, tabulorix::ScrollBarPort& vertical,
                       tabulorix::ClipboardPort& clipboard)
    : ZMGOutput(paintBox, printer, "Console"),
      horizontalBar_(&horizontal),
      verticalBar_(&vertical),
      clipboard_(&clipboard) {
    canvas_ = &paintBox.PaintCanvas();
    scale_ = 1.0;
    StoreCanvasFont();
    MeasurePaper();
}

ZMGConsole::~ZMGConsole() = default;

void ZMGConsole::ClearPaper() {
    ClearDiagramExtent();
}

ZMGConsole::Axis ZMGConsole::MakeAxis(bool horizontal) {
    if (horizontal) return Axis{*horizontalBar_, paperW_ * pagesX_, PaintBox().Width(), scrollOffsetX_};
    return Axis{*verticalBar_, paperH_ * pagesY_, PaintBox().Height(), scrollOffsetY_};
}

int ZMGConsole::ViewWorldSize(int viewSize) const {
    return Truncate(viewSize * 100.0 / zoom_);
}

void ZMGConsole::UpdateScrollBars(int mode, int previousZoom) {
    if (zoom_ == 0) return;
    UpdateAxis(MakeAxis(true), mode, previousZoom);
    UpdateAxis(MakeAxis(false), mode, previousZoom);
    PaintBox().Repaint();
}

void ZMGConsole::UpdateAxis(Axis axis, int mode, int previousZoom) {
    const double range = 3.0 * axis.extent - axis.viewSize * 100.0 / zoom_;
    if (range < 0) {
        axis.bar.SetPosition(0);
        axis.offset = 0;
        axis.bar.SetVisible(false);
        return;
    }
    // The new position is computed from the old one before the new range can
    // clamp it, so that zooming out keeps the centre too.
    double position = axis.bar.Position();
    const int half = axis.viewSize / 2;
    if (mode == 1) {
        position = axis.extent;
    } else if ((mode == 2 || mode == 3) && previousZoom > 0) {
        position += half * 100.0 / previousZoom - half * 100.0 / zoom_;
    }
    axis.bar.SetEnabled(false);
    axis.bar.SetMin(0);
    axis.bar.SetMax(Truncate(range));
    axis.bar.SetLargeStep(half);
    axis.bar.SetSmallStep(axis.viewSize / 10);
    SetBarPosition(axis, Truncate(position));
    axis.bar.SetVisible(true);
    axis.bar.SetEnabled(true);
}

// Clamps a position to the bar's range, rounds it to the scroll step, and
// makes it the scroll offset; the caller repaints.
void ZMGConsole::SetBarPosition(Axis& axis, int position) {
    position = RoundToStep(std::clamp(position, axis.bar.Min(), std::max(axis.bar.Min(), axis.bar.Max())));
    axis.bar.SetPosition(position);
    axis.offset = position;
}

void ZMGConsole::ScrollTo(bool horizontal, int c) {
    if (zoom_ == 0) return;
    Axis axis = MakeAxis(horizontal);
    const int wanted = Truncate(c + axis.extent - (axis.viewSize / 2) * 100.0 / zoom_);
    const int position =
        RoundToStep(std::clamp(wanted, axis.bar.Min(), std::max(axis.bar.Min(), axis.bar.Max())));
    if (position == axis.bar.Position()) return;
    axis.bar.SetPosition(position);
    ScrollChanged(horizontal);
}

Rect ZMGConsole::GetViewRect() const {
    const int left = horizontalBar_->Position();
    const int top = verticalBar_->Position();
    if (zoom_ == 0) return Rect{left, top, left, top};
    return Rect{left, top, left + ViewWorldSize(PaintBox().Width()),
                top + ViewWorldSize(PaintBox().Height())};
}

Rect ZMGConsole::ToScrollUnits(const Rect& world) const {
    const int extentX = paperW_ * pagesX_;
    const int extentY = paperH_ * pagesY_;
    return Rect{world.left + extentX, world.top + extentY, world.right + extentX, world.bottom + extentY};
}

void ZMGConsole::ScrollChanged(bool horizontal) {
    Axis axis = MakeAxis(horizontal);
    const int position = RoundToStep(axis.bar.Position());
    if (position != axis.bar.Position()) axis.bar.SetPosition(position);
    const int delta = position - axis.offset;
    axis.offset = position;
    if (zoom_ == 0) return;
    const int pixels = Truncate(zoom_ * delta * 0.01);
    if (pixels == 0) return;
    if (horizontal) {
        PaintBox().ScrollContents(-pixels, 0);
    } else {
        PaintBox().ScrollContents(0, -pixels);
    }
    InvalidateUncovered(horizontal, pixels);
    PaintBox().UpdateInvalidated();
}

// After the contents moved by -pixels, the strip they uncovered is repainted,
// widened by 200 ÷ zoom pixels on each side (mapping truncation) and by the
// 2 pixels InvalidateDeviceRect adds.
void ZMGConsole::InvalidateUncovered(bool horizontal, int pixels) {
    const int width = PaintBox().Width();
    const int height = PaintBox().Height();
    const int size = horizontal ? width : height;
    const int margin = 200 / zoom_;
    const int from = pixels > 0 ? size - pixels - margin : -margin;
    const int to = pixels > 0 ? size + margin : -pixels + margin;
    InvalidateDeviceRect(horizontal ? Rect{from, 0, to, height} : Rect{0, from, width, to});
}

std::optional<tabulorix::TextSize> ZMGConsole::PictureSize(int page) const {
    if (page == 0) return tabulorix::TextSize{paperW_ * pagesX_, paperH_ * pagesY_};
    if (page < 0 || pagesX_ < 1 || (page - 1) / pagesX_ + 1 > pagesY_) return std::nullopt;
    return tabulorix::TextSize{paperW_, paperH_};
}

bool ZMGConsole::BeginPicture(int page, tabulorix::Canvas& target) {
    SetPageOrigin(0, 0);
    if (recording_ || !PictureSize(page)) return false;
    if (page != 0) SetPageOrigin(paperW_ * ((page - 1) % pagesX_), paperH_ * ((page - 1) / pagesX_));
    savedCanvas_ = canvas_;
    // The picture is drawn in the diagram font, as the paint box is.
    target.SetFont(savedCanvas_->Font());
    canvas_ = &target;
    savedScrollOffsetX_ = scrollOffsetX_;
    savedScrollOffsetY_ = scrollOffsetY_;
    savedZoom_ = zoom_;
    scrollOffsetY_ = paperH_ * pagesY_;
    scrollOffsetX_ = paperW_ * pagesX_;
    zoom_ = 100;
    outputMode_ = 1;
    recording_ = true;
    return true;
}

void ZMGConsole::EndPicture() {
    outputMode_ = 0;
    SetPageOrigin(0, 0);
    if (!recording_) return;  // nothing was drawn (page past the last row)
    recording_ = false;
    scrollOffsetX_ = savedScrollOffsetX_;
    scrollOffsetY_ = savedScrollOffsetY_;
    zoom_ = savedZoom_;
    canvas_ = savedCanvas_;
}

bool ZMGConsole::BeginEmf(int page, const std::string& fileName) {
    if (recording_) return false;  // one recording at a time
    const auto size = PictureSize(page);
    SetPageOrigin(0, 0);
    if (!size) return false;
    emfFileName_ = fileName;
    metafile_ = std::make_unique<tabulorix::EmfCanvas>(size->width, size->height);
    return BeginPicture(page, *metafile_);
}

bool ZMGConsole::EndEmf() {
    EndPicture();
    if (!metafile_) return true;  // nothing was recorded (page past the last row)
    const bool saved = SavePicture();
    metafile_.reset();
    return saved;
}

bool ZMGConsole::SavePicture() {
    std::string error;
    const auto bytes = metafile_->Finish(&error);
    if (!bytes) {
        tabulorix::ShowMessage(std::string(kEmfFailed) + (error.empty() ? "" : "\n" + error));
        return false;
    }
    if (emfFileName_.empty()) {
        if (clipboard_->PutEmf(*bytes)) return true;
        tabulorix::ShowMessage(kEmfFailed);
        return false;
    }
    try {
        tabulorix::WriteFileAtomically(
            emfFileName_, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    } catch (const tabulorix::FileError& failure) {
        tabulorix::ShowMessage(std::string(kEmfFailed) + "\n" + failure.what());
        return false;
    }
    return true;
}

}  // namespace tabulorix
