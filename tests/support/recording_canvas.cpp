#include "support/recording_canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

// The metrics rule of the header.
int PixelHeight(int pointSize, double pixelsPerInch) {
    return static_cast<int>(std::lround(pointSize * pixelsPerInch / 72.0));
}

int CharWidth(int pointSize, double pixelsPerInch) {
    return static_cast<int>(std::lround(PixelHeight(pointSize, pixelsPerInch) / 2.0));
}

int CodePoints(std::string_view utf8Text) {
    return static_cast<int>(std::count_if(utf8Text.begin(), utf8Text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

RecordingCanvas::RecordingCanvas(double pixelsPerInch) : pixelsPerInch_(pixelsPerInch) {}

void RecordingCanvas::Log(std::string op, std::vector<int> ints, std::string text) {
    calls.push_back(
        CanvasCall{std::move(op), std::move(ints), std::move(text), pen_, brush_, font_, fontColor_});
}

void RecordingCanvas::SetFont(const FontSpec& font) {
    font_ = font;
    Log("SetFont", {font.pointSize, font.styleBits}, font.name);
}
void RecordingCanvas::SetWindowOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
    Log("SetWindowOrigin", {x, y});
}

void RecordingCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    Log("RoundRect", {X(left), Y(top), X(right), Y(bottom), cornerWidth, cornerHeight});
}
void RecordingCanvas::Polygon(std::span<const DevicePoint> points) {
    std::vector<int> ints;
    for (const DevicePoint& p : points) {
        ints.push_back(X(p.x));
        ints.push_back(Y(p.y));
    }
    Log("Polygon", std::move(ints));
}

TextSize RecordingCanvas::TextExtent(const std::string& utf8Text) {
    Log("TextExtent", {}, utf8Text);
    return TextSize{CodePoints(utf8Text) * CharWidth(font_.pointSize, pixelsPerInch_),
                    PixelHeight(font_.pointSize, pixelsPerInch_)};
}

int RecordingCanvas::FontPixelHeight() {
    Log("FontPixelHeight", {});
    return PixelHeight(font_.pointSize, pixelsPerInch_);
}

std::vector<CanvasCall> RecordingCanvas::Calls(std::string_view op) const {
    std::vector<CanvasCall> result;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
                 [&](const CanvasCall& call) { return call.op == op; });
    return result;
}

std::vector<CanvasCall> RecordingCanvas::Drawing() const {
    static constexpr std::string_view kInk[] = {"MoveTo",  "LineTo",   "Rectangle", "RoundRect", "Ellipse",
                                                "Polygon", "FillRect", "FrameRect", "TextOut"};
    std::vector<CanvasCall> result;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(result), [](const CanvasCall& call) {
        return std::find(std::begin(kInk), std::end(kInk), call.op) != std::end(kInk);
    });
    return result;
}

std::vector<std::string> RecordingCanvas::Texts() const {
    std::vector<std::string> texts;
    for (const CanvasCall& call : calls) {
        if (call.op == "TextOut") texts.push_back(call.text);
    }
    return texts;
}

}  // namespace tabulorix::testing
