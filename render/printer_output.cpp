#include "render/printer_output.h"

#include <cmath>

#include "base/ui_ports.h"

namespace tabulorix {

using tabulorix::PaperSettingsResult;

namespace {

constexpr const char* kLockFailed = "Error GlobalLock CDOE=";
constexpr const char* kCannotRead = "cannot get printer inforamtion";
constexpr const char* kCannotWrite = "cannot set page size and orientation to printer";
constexpr int kNoPageNumber = 6;

int Truncate(double value) {
    return static_cast<int>(std::trunc(value));
}

}  // namespace

ZMGPrinter::ZMGPrinter(tabulorix::PaintBoxPort& paintBox, tabulorix::PrinterPort& printer)
    : ZMGOutput(paintBox, printer, "Printer") {
    MeasurePaper();
    SetUpCanvas();
}

ZMGPrinter::~ZMGPrinter() = default;

void ZMGPrinter::SetUpCanvas() {
    canvas_ = &Printer().PrinterCanvas();
    StoreCanvasFont();
    scale_ = screenResolution_ > 0 ? printerResolution_ / screenResolution_ : 1.0;
}

int ZMGPrinter::ToScreen(double devicePixels) const {
    return scale_ > 0 ? Truncate(devicePixels / scale_) : Truncate(devicePixels);
}

void ZMGPrinter::MeasurePageNumberBox(int& width, int& height) {
    const tabulorix::TextSize size = MeasureSampleNumber();
    width = ToScreen(size.width);
    height = ToScreen(size.height);
}

void ZMGPrinter::ClearPaper() {
    ClearDiagramExtent();
}

void ZMGPrinter::DrawPageDecorations(bool framePass, int pagePosition, int /*pageNumberForm*/) {
    int w = 0;
    int h = 0;
    MeasurePageNumberBox(w, h);
    const NumberOffset offset = PageNumberOffset(pagePosition, w, h);
    if (framePass) {
        SetPenColor(tabulorix::kBlack);
        SetPenWidth(1);
        SetPenStyle(tabulorix::PenStyle::Dot);
        SetPenMode(tabulorix::PenMode::Copy);
        return;  // paper carries no page frames
    }
    SetPenMode(tabulorix::PenMode::Copy);
    SetBrushStyle(tabulorix::BrushStyle::Solid);
    SetBrushColor(tabulorix::kWhite);
    if (pagePosition == kNoPageNumber) return;
    int n = 0;
    for (int row = 0; row < pagesY_; ++row) {
        for (int col = 0; col < pagesX_; ++col) {
            ++n;
            DrawPageNumber(col * paperW_ + offset.dx, row * paperH_ + offset.dy,
                           "- " + std::to_string(n) + " -");
        }
    }
}

int ZMGPrinter::MapX(int x) {
    const int difference = x - pageOriginX_ - scrollOffsetX_;
    return Truncate(Factor() * difference);
}

int ZMGPrinter::MapY(int y) {
    const int difference = y - pageOriginY_ - scrollOffsetY_;
    return Truncate(Factor() * difference);
}

void ZMGPrinter::TextExtent(const std::string& text, int& width, int& height) {
    tabulorix::FontSpec font = canvas_->Font();
    font.pointSize = ZoomedFontSize(-1);
    canvas_->SetFont(font);
    width = ToScreen(canvas_->TextExtent(text).width);
    height = ToScreen(canvas_->FontPixelHeight());
    lastTextWidth_ = width;
    lastTextHeight_ = height;
}

void ZMGPrinter::TextExtentWorld(const std::string& text, int& width, int& height) {
    TextExtent(text, width, height);
}

void ZMGPrinter::Refresh() {
    MeasurePaper();
    SetUpCanvas();
    ReadPaperSettings();
}

void ZMGPrinter::ReadPaperSettings() {
    const PaperSettingsResult result = Printer().ReadPaperSettings();
    switch (result.status) {
        case PaperSettingsResult::Status::Ok:
            paperSize_ = result.paperSize;
            orientation_ = result.orientation;
            return;
        case PaperSettingsResult::Status::LockFailed:
            tabulorix::ShowMessage(kLockFailed + std::to_string(result.errorCode));
            break;
        case PaperSettingsResult::Status::NoSettings:
        case PaperSettingsResult::Status::Rejected:
            tabulorix::ShowMessage(kCannotRead);
            break;
    }
    paperSize_ = -1;
    orientation_ = -1;
}

ZMGPaperInfo ZMGPrinter::GetPaperInfo() const {
    return ZMGPaperInfo{paperSize_, orientation_, printerPageWidth_, printerPageHeight_, printerResolution_};
}

bool ZMGPrinter::SetPaper(int paperSize, int orientation) {
    const PaperSettingsResult result = Printer().WritePaperSettings(paperSize, orientation);
    switch (result.status) {
        case PaperSettingsResult::Status::Ok:
            Refresh();
            return true;
        case PaperSettingsResult::Status::LockFailed:
            tabulorix::ShowMessage(kLockFailed + std::to_string(result.errorCode));
            return false;
        case PaperSettingsResult::Status::NoSettings:
        case PaperSettingsResult::Status::Rejected:
            tabulorix::ShowMessage(kCannotWrite);
            return false;
    }
    return false;
}

void ZMGPrinter::BeginDoc() {
    Printer().BeginDoc();
    canvas_ = &Printer().PrinterCanvas();
}

void ZMGPrinter::NewPage() {
    Printer().NewPage();
}

void ZMGPrinter::EndDoc() {
    Printer().EndDoc();
    canvas_ = &Printer().PrinterCanvas();
}

}  // namespace tabulorix
