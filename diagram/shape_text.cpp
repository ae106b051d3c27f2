#include "diagram/shape_text.h"

#include <cmath>

#include "render/draw_box.h"

namespace tabulorix {

MGShapeText::MGShapeText() {
    SetKind(kKindText);
}

MGShapeText::MGShapeText(const std::string& text, const std::string& fontName, int fontSize, int fontStyle)
    : MGShapeText() {
    text_ = text;
    fontName_ = fontName;
    fontSize_ = fontSize;
    fontStyle_ = fontStyle;
}

MGShapeText::~MGShapeText() = default;

tabulorix::Rect MGShapeText::GetRect() const {
    return Position();
}

void MGShapeText::CalcSize(ZMGDrawBox& box, int /*displayMode*/) {
    SetSizeDirty(0);
    int w = 0;
    int h = 0;
    box.MeasureFontText(text_, fontName_, fontSize_, fontStyle_, w, h);
    // The measurement is in device units at the unzoomed size: one world unit
    // per pixel on screen; paper devices are scaled back to world units so a
    // text measured while printing keeps its size.
    const double scale = box.Current().Scale();
    if (scale > 0 && scale != 1.0) {
        w = static_cast<int>(std::trunc(w / scale));
        h = static_cast<int>(std::trunc(h / scale));
    }
    tabulorix::Rect measured = Position();
    measured.right = measured.left + w + kMargin;
    measured.bottom = measured.top + h + kMargin;
    SetPosition(measured);
}

std::string MGShapeText::GetTitle(int /*displayMode*/) const {
    return text_;
}

tabulorix::Rect MGShapeText::GetUpdateRect(ZMGDrawBox& box) {
    return box.MapRect(State() == kStateNormal ? Position() : Outline());
}

void MGShapeText::DrawBody(int /*displayMode*/, ZMGDrawBox& box) {
    const bool selected = State() == kStateSelected;
    box.SetPenMode(tabulorix::PenMode::Copy);
    box.SetBrushColor(tabulorix::kWhite);
    box.SetPenColor(tabulorix::kBlack);
    box.SetPenStyle(tabulorix::PenStyle::Solid);
    box.SetPenWidth(selected ? 2 : 1);
    if (selected) box.Rectangle(Position(), true);
    box.SetBrushStyle(tabulorix::BrushStyle::Clear);
    box.DrawFontText(Position().left + kMargin / 2, Position().top + kMargin / 2, text_, fontName_, fontSize_,
                     fontStyle_, tabulorix::kBlack);
}

}  // namespace tabulorix
