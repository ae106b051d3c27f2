#include "diagram/shape_text.h"

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

void MGShapeText::CalcSize(ZMGDrawBox& /*box*/, int /*displayMode*/) {
    // Measuring in the text's font lives with the diagram's text handling.
}

std::string MGShapeText::GetTitle(int /*displayMode*/) const {
    return text_;
}

tabulorix::Rect MGShapeText::GetUpdateRect(ZMGDrawBox& /*box*/) {
    // Mapping to device pixels lives with the diagram's text handling.
    return {};
}

void MGShapeText::DrawBody(int /*displayMode*/, ZMGDrawBox& /*box*/) {
    // The text is drawn with the diagram's text handling.
}

std::string MGShapeText::GetTypeName(bool englishKeys) const {
    return englishKeys ? "Text" : "テキスト";
}
