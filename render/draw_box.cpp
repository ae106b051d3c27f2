#include "render/draw_box.h"

namespace tabulorix {

using tabulorix::Canvas;
using tabulorix::Color;
using tabulorix::Rect;

ZMGDrawBox::ZMGDrawBox(tabulorix::PaintBoxPort& paintBox, tabulorix::PrinterPort& printer,
                       tabulorix::ScrollBarPort& horizontal, tabulorix::ScrollBarPort& vertical,
                       tabulorix::ClipboardPort& clipboard)
    : printer_(std::make_unique<ZMGPrinter>(paintBox, printer)),
      console_(std::make_unique<ZMGConsole>(paintBox, printer, horizontal, vertical, clipboard)),
      current_(console_.get()),
      paintBox_(&paintBox) {}

ZMGDrawBox::~ZMGDrawBox() = default;

void ZMGDrawBox::Reset() {
    printer_->Reset();
    console_->Reset();
    pagesX_ = 1;
    pagesY_ = 1;
    pageOriginX_ = 0;
    pageOriginY_ = 0;
    SetZoom(100, 0);
}

void ZMGDrawBox::SetPageCount(int pagesX, int pagesY) {
    pagesX_ = pagesX;
    pagesY_ = pagesY;
    printer_->SetPageCount(pagesX, pagesY);
    console_->SetPageCount(pagesX, pagesY);
}

void ZMGDrawBox::GetPageCount(int& pagesX, int& pagesY) const {
    pagesX = pagesX_;
    pagesY = pagesY_;
}

void ZMGDrawBox::SetZoom(int zoom, int mode, int previousZoom) {
    printer_->SetZoom(zoom);
    console_->SetZoom(zoom);
    console_->UpdateScrollBars(mode, previousZoom);
}

void ZMGDrawBox::RefreshPaper() {
    printer_->Refresh();
    console_->MeasurePaper();
}

void ZMGDrawBox::SelectPrinter() {
    current_ = printer_.get();
    paintBox_->SetVisible(false);
}

void ZMGDrawBox::SelectConsole() {
    paintBox_->SetVisible(true);
    current_ = console_.get();
}

bool ZMGDrawBox::IsPrinting() const {
    return current_ == printer_.get();
}

bool ZMGDrawBox::SelectPage(int page) {
    if (page >= 1 && pagesX_ >= 1) {
        const int row = (page - 1) / pagesX_;
        const int column = (page - 1) % pagesX_;
        if (row + 1 <= pagesY_) {
            pageOriginX_ = printer_->PaperW() * column;
            pageOriginY_ = printer_->PaperH() * row;
            printer_->SetPageOrigin(pageOriginX_, pageOriginY_);
            return true;
        }
    }
    current_->SetPageOrigin(0, 0);
    return false;
}

void ZMGDrawBox::BeginDoc() {
    printer_->BeginDoc();
}
void ZMGDrawBox::NewPage() {
    printer_->NewPage();
}
void ZMGDrawBox::EndDoc() {
    printer_->EndDoc();
}
ZMGPaperInfo ZMGDrawBox::GetPaperInfo() const {
    return printer_->GetPaperInfo();
}
bool ZMGDrawBox::SetPaper(int paperSize, int orientation) {
    return printer_->SetPaper(paperSize, orientation);
}
bool ZMGDrawBox::BeginEmf(int page, const std::string& fileName) {
    return console_->BeginEmf(page, fileName);
}
bool ZMGDrawBox::BeginPicture(int page, tabulorix::Canvas& target) {
    return console_->BeginPicture(page, target);
}
void ZMGDrawBox::EndPicture() {
    console_->EndPicture();
}
bool ZMGDrawBox::EndEmf() {
    return console_->EndEmf();
}

void ZMGDrawBox::ClearPaper() {
    current_->ClearPaper();
}
void ZMGDrawBox::DrawPageDecorations(bool framePass, int pagePosition, int pageNumberForm) {
    current_->DrawPageDecorations(framePass, pagePosition, pageNumberForm);
}
void ZMGDrawBox::TextExtent(const std::string& text, int& width, int& height) {
    current_->TextExtent(text, width, height);
}
void ZMGDrawBox::TextExtentWorld(const std::string& text, int& width, int& height) {
    current_->TextExtentWorld(text, width, height);
}
int ZMGDrawBox::MapX(int x) {
    return current_->MapX(x);
}
int ZMGDrawBox::MapY(int y) {
    return current_->MapY(y);
}
void ZMGDrawBox::MoveTo(int x, int y) {
    current_->MoveTo(x, y);
}
void ZMGDrawBox::LineTo(int x, int y) {
    current_->LineTo(x, y);
}
void ZMGDrawBox::MoveTo(Canvas& dc, int x, int y) {
    current_->MoveTo(dc, x, y);
}
void ZMGDrawBox::LineTo(Canvas& dc, int x, int y) {
    current_->LineTo(dc, x, y);
}
void ZMGDrawBox::Rectangle(const Rect& rect, bool map) {
    current_->Rectangle(rect, map);
}
void ZMGDrawBox::Ellipse(const Rect& rect, bool map) {
    current_->Ellipse(rect, map);
}
void ZMGDrawBox::Ellipse(Canvas& dc, const Rect& rect, bool map) {
    current_->Ellipse(dc, rect, map);
}
void ZMGDrawBox::FillRect(const Rect& rect) {
    current_->FillRect(rect);
}
void ZMGDrawBox::FrameRect(const Rect& rect) {
    current_->FrameRect(rect);
}
void ZMGDrawBox::FillRect(Canvas& dc, const Rect& rect, Color brush) {
    current_->FillRect(dc, rect, brush);
}
void ZMGDrawBox::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    current_->RoundRect(left, top, right, bottom, cornerWidth, cornerHeight);
}
void ZMGDrawBox::Polygon(std::span<tabulorix::DevicePoint> points) {
    current_->Polygon(points);
}
void ZMGDrawBox::SetBrushColor(Color color) {
    current_->SetBrushColor(color);
}
void ZMGDrawBox::SetPenColor(Color color) {
    current_->SetPenColor(color);
}
void ZMGDrawBox::SetBrushStyle(tabulorix::BrushStyle style) {
    current_->SetBrushStyle(style);
}
void ZMGDrawBox::SetPenStyle(tabulorix::PenStyle style) {
    current_->SetPenStyle(style);
}
void ZMGDrawBox::SetPenWidth(int width) {
    current_->SetPenWidth(width);
}
void ZMGDrawBox::SetPenMode(tabulorix::PenMode mode) {
    current_->SetPenMode(mode);
}
Rect ZMGDrawBox::MapRect(const Rect& world) {
    return current_->MapRect(world);
}

std::optional<Rect> ZMGDrawBox::ReachedWorld(const Rect& deviceArea, int margin) {
    return current_->ReachedWorld(deviceArea, margin);
}
Rect ZMGDrawBox::UnmapRect(const Rect& device) const {
    return current_->UnmapRect(device);
}
int ZMGDrawBox::MapLength(int length) const {
    return current_->MapLength(length);
}
int ZMGDrawBox::ZoomedFontSize(int n) const {
    return current_->ZoomedFontSize(n);
}
void ZMGDrawBox::DrawText(int x, int y, const std::string& text, Color color) {
    current_->DrawText(x, y, text, color);
}
void ZMGDrawBox::DrawFontText(int x, int y, const std::string& text, const std::string& fontName,
                              int pointSize, int styleBits, Color color) {
    current_->DrawFontText(x, y, text, fontName, pointSize, styleBits, color);
}
void ZMGDrawBox::MeasureFontText(const std::string& text, const std::string& fontName, int pointSize,
                                 int styleBits, int& width, int& height) {
    current_->MeasureFontText(text, fontName, pointSize, styleBits, width, height);
}
bool ZMGDrawBox::SetDiagramFont(const std::string& fontName, const std::string& sizeText) {
    return current_->SetDiagramFont(fontName, sizeText);
}
void ZMGDrawBox::UpdatePaintBox() { paintBox_->UpdateInvalidated(); }

void ZMGDrawBox::InvalidateDeviceRect(const Rect& device) {
    current_->InvalidateDeviceRect(device);
}

void ZMGDrawBox::InvalidatePaintBox() {
    paintBox_->InvalidateWindowRect(Rect{0, 0, paintBox_->Width(), paintBox_->Height()});
}
int ZMGDrawBox::Zoom() const {
    return current_->Zoom();
}
int ZMGDrawBox::PaperW() const {
    return current_->PaperW();
}
int ZMGDrawBox::PaperH() const {
    return current_->PaperH();
}

void ZMGDrawBox::UpdateScrollBars(int mode, int previousZoom) {
    console_->UpdateScrollBars(mode, previousZoom);
}
void ZMGDrawBox::ScrollTo(bool horizontal, int c) {
    console_->ScrollTo(horizontal, c);
}
void ZMGDrawBox::ScrollChanged(bool horizontal) {
    console_->ScrollChanged(horizontal);
}
Rect ZMGDrawBox::GetViewRect() const {
    return console_->GetViewRect();
}
Rect ZMGDrawBox::ToScrollUnits(const Rect& world) const {
    return console_->ToScrollUnits(world);
}

}  // namespace tabulorix
