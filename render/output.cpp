#include "render/output.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace tabulorix {

using tabulorix::BrushStyle;
using tabulorix::Canvas;
using tabulorix::Color;
using tabulorix::DevicePoint;
using tabulorix::FontSpec;
using tabulorix::PenMode;
using tabulorix::PenStyle;
using tabulorix::Rect;
using tabulorix::TextSize;

namespace {

constexpr int kPageNumberPoints = 9;
constexpr const char* kPageNumberSample = "WWWWWWWW";
constexpr int kNoPageNumber = 6;
// Device pixels added around the decoration area before pages are tested.
constexpr int kDecorationMargin = 8;
constexpr int kStyleMask = tabulorix::kFontBold | tabulorix::kFontItalic | tabulorix::kFontUnderline;

int Truncate(double value) {
    return static_cast<int>(std::trunc(value));
}

void SetCanvasFontSize(Canvas& canvas, int pointSize) {
    // Setting the font it has changes nothing (measuring asks for every text).
    if (canvas.FontPointSize() == pointSize) return;
    FontSpec font = canvas.Font();
    font.pointSize = pointSize;
    canvas.SetFont(font);
}

}  // namespace

ZMGOutput::ZMGOutput(tabulorix::PaintBoxPort& paintBox, tabulorix::PrinterPort& printer, std::string name)
    : printer_(&printer),
      name_(std::move(name)),
      screenResolution_(paintBox.PaintCanvas().PixelsPerInch()),
      canvas_(&paintBox.PaintCanvas()),
      paintBox_(&paintBox) {}

ZMGOutput::~ZMGOutput() = default;

void ZMGOutput::MeasurePageNumberBox(int& width, int& height) {
    const TextSize size = MeasureSampleNumber();
    width = size.width;
    height = size.height;
}

void ZMGOutput::ClearPaper() {}

void ZMGOutput::DrawPageDecorations(bool framePass, int pagePosition, int pageNumberForm) {
    int w = 0;
    int h = 0;
    MeasurePageNumberBox(w, h);
    const NumberOffset offset = PageNumberOffset(pagePosition, w, h);
    if (!framePass || outputMode_ == 1) {
        SetPenMode(PenMode::Copy);
        SetBrushStyle(BrushStyle::Solid);
        SetBrushColor(tabulorix::kWhite);
    } else {
        SetPenColor(tabulorix::kLightGrey);
        SetPenWidth(1);
        SetPenStyle(PenStyle::Solid);
        SetPenMode(PenMode::Copy);
    }
    if (outputMode_ == 1) return;  // a recorded picture carries neither frames nor numbers
    const PageSpan rows = DecoratedPages(false, w, h);
    const PageSpan cols = DecoratedPages(true, w, h);
    for (int row = rows.first; row < rows.end; ++row) {
        for (int col = cols.first; col < cols.end; ++col) {
            const int n = row * pagesX_ + col + 1;
            const int left = col * paperW_;
            const int top = row * paperH_;
            if (framePass) {
                MoveTo(left, top);
                LineTo(left + paperW_, top);
                LineTo(left + paperW_, top + paperH_);
                LineTo(left, top + paperH_);
                LineTo(left, top);
            } else if (pagePosition != kNoPageNumber) {
                const std::string text = pageNumberForm == 1 ? "- " + std::to_string(row + 1) + "-" +
                                                                   std::to_string(col + 1) + " -"
                                                             : "- " + std::to_string(n) + " -";
                DrawPageNumber(left + offset.dx, top + offset.dy, text);
            }
        }
    }
}

int ZMGOutput::MapX(int x) {
    return Truncate(Factor() * (x + paperW_ * pagesX_ - pageOriginX_ - scrollOffsetX_));
}

int ZMGOutput::MapY(int y) {
    return Truncate(Factor() * (y + paperH_ * pagesY_ - pageOriginY_ - scrollOffsetY_));
}

void ZMGOutput::TextExtent(const std::string& text, int& width, int& height) {
    SetCanvasFontSize(*canvas_, ZoomedFontSize(-1));
    width = canvas_->TextExtent(text).width;
    height = canvas_->FontPixelHeight();
    lastTextWidth_ = width;
    lastTextHeight_ = height;
}

void ZMGOutput::TextExtentWorld(const std::string& text, int& width, int& height) {
    TextExtent(text, width, height);
    if (zoom_ == 0) return;  // no zoom set yet: device and world units cannot be told apart
    width = Truncate(width * 100.0 / zoom_);
    height = Truncate(height * 100.0 / zoom_);
}

void ZMGOutput::Reset() {
    outputMode_ = 0;
    scrollOffsetX_ = 0;
    scrollOffsetY_ = 0;
    zoom_ = 0;
    pagesX_ = 1;
    pagesY_ = 1;
    pageOriginX_ = 0;
    pageOriginY_ = 0;
}

void ZMGOutput::MoveTo(int x, int y) {
    canvas_->MoveTo(MapX(x), MapY(y));
}
void ZMGOutput::LineTo(int x, int y) {
    canvas_->LineTo(MapX(x), MapY(y));
}
void ZMGOutput::MoveTo(Canvas& dc, int x, int y) {
    dc.MoveTo(MapX(x), MapY(y));
}
void ZMGOutput::LineTo(Canvas& dc, int x, int y) {
    dc.LineTo(MapX(x), MapY(y));
}

void ZMGOutput::Rectangle(const Rect& rect, bool map) {
    const Rect r = map ? MapRect(rect) : rect;
    canvas_->Rectangle(r.left, r.top, r.right, r.bottom);
}

void ZMGOutput::Ellipse(const Rect& rect, bool map) {
    Ellipse(*canvas_, rect, map);
}

void ZMGOutput::Ellipse(Canvas& dc, const Rect& rect, bool map) {
    const Rect r = map ? MapRect(rect) : rect;
    dc.Ellipse(r.left, r.top, r.right, r.bottom);
}

void ZMGOutput::FillRect(const Rect& rect) {
    const Rect r = MapRect(rect);
    canvas_->FillRect(r.left, r.top, r.right, r.bottom);
}

void ZMGOutput::FrameRect(const Rect& rect) {
    const Rect r = MapRect(rect);
    canvas_->FrameRect(r.left, r.top, r.right, r.bottom);
}

void ZMGOutput::FillRect(Canvas& dc, const Rect& rect, Color brush) {
    const Rect r = MapRect(rect);
    dc.SetBrushStyle(BrushStyle::Solid);
    dc.SetBrushColor(brush);
    dc.FillRect(r.left, r.top, r.right, r.bottom);
}

void ZMGOutput::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    canvas_->RoundRect(MapX(left), MapY(top), MapX(right), MapY(bottom), MapLength(cornerWidth),
                       MapLength(cornerHeight));
}

void ZMGOutput::Polygon(std::span<DevicePoint> points) {
    for (DevicePoint& p : points) {
        p.x = MapX(p.x);
        p.y = MapY(p.y);
    }
    canvas_->Polygon(points);
}

void ZMGOutput::SetBrushColor(Color color) {
    canvas_->SetBrushColor(color);
}
void ZMGOutput::SetPenColor(Color color) {
    canvas_->SetPenColor(color);
}
void ZMGOutput::SetBrushStyle(BrushStyle style) {
    canvas_->SetBrushStyle(style);
}
void ZMGOutput::SetPenStyle(PenStyle style) {
    canvas_->SetPenStyle(style);
}
void ZMGOutput::SetPenWidth(int width) {
    canvas_->SetPenWidth(width);
}
void ZMGOutput::SetPenMode(PenMode mode) {
    canvas_->SetPenMode(mode);
}

Rect ZMGOutput::MapRect(const Rect& world) {
    return Rect{MapX(world.left), MapY(world.top), MapX(world.right), MapY(world.bottom)};
}

namespace {

// The first coordinate in [-limit, limit] whose mapping is at least target
// (limit + 1 when none is), for a mapping that never decreases.
template <typename Map>
int FirstMappedAtLeast(Map map, int target, int limit) {
    int low = -limit;
    int high = limit + 1;  // map(high) counts as reaching every target
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (map(middle) >= target)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

}  // namespace

std::optional<Rect> ZMGOutput::ReachedWorld(const Rect& deviceArea, int margin) {
    const auto mapX = [this](int x) { return MapX(x); };
    const auto mapY = [this](int y) { return MapY(y); };
    if (!(MapX(kReachLimit) > MapX(-kReachLimit) && MapY(kReachLimit) > MapY(-kReachLimit)))
        return std::nullopt;
    return Rect{FirstMappedAtLeast(mapX, deviceArea.left - margin, kReachLimit),
                FirstMappedAtLeast(mapY, deviceArea.top - margin, kReachLimit),
                FirstMappedAtLeast(mapX, deviceArea.right + margin + 1, kReachLimit) - 1,
                FirstMappedAtLeast(mapY, deviceArea.bottom + margin + 1, kReachLimit) - 1};
}

std::optional<bool> ZMGOutput::MeetsReach(const Rect& reach, const Rect& world) {
    const auto [low, high] = std::minmax({world.left, world.right, world.top, world.bottom});
    if (low < -kReachLimit || high > kReachLimit) return std::nullopt;
    return std::max(world.left, world.right) >= reach.left &&
           std::min(world.left, world.right) <= reach.right &&
           std::max(world.top, world.bottom) >= reach.top &&
           std::min(world.top, world.bottom) <= reach.bottom;
}

Rect ZMGOutput::UnmapRect(const Rect& device) const {
    const double divisor = zoom_ * scale_;
    if (divisor == 0) return Rect{};
    const int extentX = paperW_ * pagesX_;
    const int extentY = paperH_ * pagesY_;
    auto unmapX = [&](int x) { return Truncate(x * 100.0 / divisor - extentX + scrollOffsetX_); };
    auto unmapY = [&](int y) { return Truncate(y * 100.0 / divisor - extentY + scrollOffsetY_); };
    return Rect{unmapX(device.left), unmapY(device.top), unmapX(device.right), unmapY(device.bottom)};
}

int ZMGOutput::MapLength(int length) const {
    return Truncate(Factor() * length);
}

int ZMGOutput::ZoomedFontSize(int n) const {
    const int points = paintBox_->DiagramFont().pointSize;
    const int size = n < 0 ? Truncate(points * zoom_ * 0.01) : Truncate(points * n * 0.01);
    return size < 1 ? 1 : size;
}

void ZMGOutput::DrawText(int x, int y, const std::string& text, Color color) {
    const FontSpec saved = canvas_->Font();
    FontSpec font = saved;
    font.pointSize = ZoomedFontSize(-1);
    font.styleBits = 0;
    canvas_->SetFont(font);
    canvas_->SetFontColor(color);
    canvas_->TextOut(MapX(x), MapY(y), text);
    canvas_->SetFont(saved);
}

void ZMGOutput::DrawFontText(int x, int y, const std::string& text, const std::string& fontName,
                             int pointSize, int styleBits, Color color) {
    const FontSpec saved = canvas_->Font();
    const int size = Truncate(zoom_ * pointSize * 0.01);
    canvas_->SetFont(FontSpec{fontName, size < 1 ? 1 : size, styleBits & kStyleMask});
    canvas_->SetFontColor(color);
    canvas_->TextOut(MapX(x), MapY(y), text);
    canvas_->SetFont(saved);
}

void ZMGOutput::MeasureFontText(const std::string& text, const std::string& fontName, int pointSize,
                                int styleBits, int& width, int& height) {
    const FontSpec saved = canvas_->Font();
    canvas_->SetFont(FontSpec{fontName, pointSize, styleBits & kStyleMask});
    const TextSize size = canvas_->TextExtent(text);
    width = size.width;
    height = size.height;
    canvas_->SetFont(saved);
}

bool ZMGOutput::SetDiagramFont(const std::string& fontName, const std::string& sizeText) {
    int size = 0;
    const char* end = sizeText.data() + sizeText.size();
    const auto [ptr, error] = std::from_chars(sizeText.data(), end, size);
    if (error != std::errc{} || ptr != end || size < 1) return false;
    auto apply = [&](FontSpec font) {
        font.name = fontName;
        font.pointSize = size;
        return font;
    };
    paintBox_->SetDiagramFont(apply(paintBox_->DiagramFont()));
    Canvas& paintCanvas = paintBox_->PaintCanvas();
    paintCanvas.SetFont(apply(paintCanvas.Font()));
    Canvas& printerCanvas = printer_->PrinterCanvas();
    printerCanvas.SetFont(apply(printerCanvas.Font()));
    return true;
}

void ZMGOutput::SetPageOrigin(int x, int y) {
    pageOriginX_ = x;
    pageOriginY_ = y;
}

void ZMGOutput::SetPageCount(int pagesX, int pagesY) {
    pagesX_ = pagesX;
    pagesY_ = pagesY;
}

void ZMGOutput::SetZoom(int zoom) {
    zoom_ = zoom;
    MeasurePaper();
}

void ZMGOutput::MeasurePaper() {
    printerPageWidth_ = printer_->PageWidth();
    printerPageHeight_ = printer_->PageHeight();
    printerResolution_ = printer_->PrinterCanvas().PixelsPerInch();
    if (printerResolution_ <= 0 || screenResolution_ <= 0) {
        paperW_ = 0;
        paperH_ = 0;
        return;
    }
    const double ratio = printerResolution_ / screenResolution_;
    paperW_ = Truncate(printerPageWidth_ / ratio);
    paperH_ = Truncate(printerPageHeight_ / ratio);
}

void ZMGOutput::InvalidateDeviceRect(const Rect& device) {
    const int top = paintBox_->TopOffset();
    paintBox_->InvalidateWindowRect(
        Rect{device.left - 2, device.top - 2 + top, device.right + 2, device.bottom + 2 + top});
}

ZMGOutput::NumberOffset ZMGOutput::PageNumberOffset(int pagePosition, int w, int h) const {
    switch (pagePosition) {
        case 1:
            return {paperW_ / 2 - w / 2, paperH_ - 2 * h};
        case 2:
            return {w, paperH_ - 2 * h};
        case 3:
            return {paperW_ - w, h};
        case 4:
            return {paperW_ / 2 - w / 2, h};
        case 5:
            return {w, h};
        default:  // 0 bottom right; 6 draws nothing; anything else as 0
            return {paperW_ - w, paperH_ - 2 * h};
    }
}

ZMGOutput::PageSpan ZMGOutput::DecoratedPages(bool columns, int numberWidth, int numberHeight) {
    const int count = columns ? pagesX_ : pagesY_;
    if (!decorationArea_ || Factor() <= 0) return PageSpan{0, count};
    // A page's frame lies on its edges and its number inside it (the sample
    // box is wider than any number), so growing the page by a number box on
    // every side and the device rectangle by a few pixels keeps rounding and
    // glyph overhang inside.
    const int size = columns ? paperW_ : paperH_;
    const int room = columns ? numberWidth : 2 * numberHeight;
    const int low = (columns ? decorationArea_->left : decorationArea_->top) - kDecorationMargin;
    const int high = (columns ? decorationArea_->right : decorationArea_->bottom) + kDecorationMargin;
    auto map = [&](int world) { return columns ? MapX(world) : MapY(world); };
    // Mapping keeps the order, so the pages ending before the area come
    // first and those starting after it last: two binary searches, each for
    // the number of pages, from the first, for which `before` holds.
    auto pagesBefore = [&](auto before) {
        int from = 0;
        int to = std::max(count, 0);
        while (from < to) {
            const int middle = from + (to - from) / 2;
            if (before(middle)) {
                from = middle + 1;
            } else {
                to = middle;
            }
        }
        return from;
    };
    const int first = pagesBefore([&](int i) { return map((i + 1) * size + room) < low; });
    const int end = pagesBefore([&](int i) { return map(i * size - room) <= high; });
    return first < end ? PageSpan{first, end} : PageSpan{0, 0};
}

TextSize ZMGOutput::MeasureSampleNumber() {
    const int savedSize = canvas_->Font().pointSize;
    SetCanvasFontSize(*canvas_, kPageNumberPoints);
    const TextSize size = canvas_->TextExtent(kPageNumberSample);
    SetCanvasFontSize(*canvas_, savedSize);
    return size;
}

void ZMGOutput::DrawPageNumber(int x, int y, const std::string& text) {
    DrawFontText(x, y, text, canvas_->Font().name, kPageNumberPoints, 0, tabulorix::kBlack);
}

void ZMGOutput::ClearDiagramExtent() {
    SetBrushColor(tabulorix::kWhite);
    FillRect(Rect{0, 0, pagesX_ * paperW_, pagesY_ * paperH_});
}

void ZMGOutput::StoreCanvasFont() {
    fontSize_ = canvas_->Font().pointSize;
    fontHeight_ = canvas_->FontPixelHeight();
}

}  // namespace tabulorix
