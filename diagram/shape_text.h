// A free text annotation of the diagram.
#pragma once

#include <string>

#include "diagram/shape_table.h"

namespace tabulorix {

class MGShapeText : public MGShapeTable {
public:
    // Room around the text: 4 world units on every side.
    static constexpr int kMargin = 8;

    MGShapeText();
    MGShapeText(const std::string& text, const std::string& fontName, int fontSize, int fontStyle);
    ~MGShapeText() override;

    // A text has no column lines: it occupies its measured rectangle.
    tabulorix::Rect GetRect() const override;
    // Measures the text in its own font.
    void CalcSize(ZMGDrawBox& box, int displayMode) override;
    bool MeasuresEveryCall() const override { return true; }
    // The text itself.
    std::string GetTitle(int displayMode) const override;
    // The position or outline, mapped, without margin.
    tabulorix::Rect GetUpdateRect(ZMGDrawBox& box) override;
    // The text in its font, framed when selected.
    void DrawBody(int displayMode, ZMGDrawBox& box) override;
    // "Text" or "テキスト".
    std::string GetTypeName(bool englishKeys) const override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { text_ = text; }
    const std::string& FontName() const { return fontName_; }
    void SetFontName(const std::string& name) { fontName_ = name; }
    int FontSize() const { return fontSize_; }
    void SetFontSize(int size) { fontSize_ = size; }
    // Bits: 1 bold, 2 italic, 4 underline.
    int FontStyle() const { return fontStyle_; }
    void SetFontStyle(int style) { fontStyle_ = style; }

private:
    std::string text_;
    std::string fontName_;
    int fontSize_ = 0;  // points
    int fontStyle_ = 0;
};

}  // namespace tabulorix
