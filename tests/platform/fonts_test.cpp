// Font resolution and measurement at fixed resolutions.
#include "platform/fonts.h"
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QStringList>

using namespace tabulorix;

namespace tabulorix {
namespace {

TEST(Fonts, PixelHeightIsPointsTimesResolutionOverSeventyTwoAndStylesReachTheFont) {
    const struct {
        int points;
        double dpi;
        int pixels;
    } heights[] = {{9, 96, 12}, {10, 96, 13}, {11, 96, 15}, {9, 600, 75}, {1, 10, 1}};  // rounded, never 0
    for (const auto& h : heights) {
        EXPECT_EQ(FontPixelHeight(h.points, h.dpi), h.pixels) << h.points << " pt at " << h.dpi;
        EXPECT_EQ(MakeFont(FontSpec{"IPAPGothic", h.points, 0}, h.dpi).pixelSize(), h.pixels);
    }
    for (const int style : {0, int{kFontBold}, int{kFontItalic}, int{kFontUnderline},
                            kFontBold | kFontItalic | kFontUnderline}) {
        const QFont font = MakeFont(FontSpec{"IPAGothic", 9, style});
        EXPECT_EQ(font.bold(), (style & kFontBold) != 0) << style;
        EXPECT_EQ(font.italic(), (style & kFontItalic) != 0) << style;
        EXPECT_EQ(font.underline(), (style & kFontUnderline) != 0) << style;
    }
}

// Windows Japanese names resolve to the IPA fonts and measure exactly as they do.
TEST(Fonts, WindowsJapaneseNamesResolveToIpaFonts) {
    const std::pair<std::string, std::string> names[] = {
        {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ ゴシック", "IPAGothic"}, {"MS UI Gothic", "IPAPGothic"},
        {"ＭＳ 明朝", "IPAMincho"},        {"ＭＳ Ｐ明朝", "IPAPMincho"},  {"", "IPAPGothic"},
    };
    for (const auto& [windows, ipa] : names) {
        const FontSpec font = windows.empty() ? FontSpec{} : FontSpec{windows, 9, 0};
        EXPECT_EQ(ResolvedFontFamily(font), ipa) << windows;
        EXPECT_EQ(MeasureText(font, "社員マスタ EMP"), MeasureText(FontSpec{ipa, 9, 0}, "社員マスタ EMP"));
    }
}

TEST(Fonts, UnknownNameFallsBackToAnInstalledFont) {
    const FontSpec missing{"No Such Font 4711", 9, 0};
    const std::string family = ResolvedFontFamily(missing);
    EXPECT_FALSE(family.empty());
    EXPECT_TRUE(QFontDatabase::families().contains(QString::fromStdString(family))) << family;
    EXPECT_GT(MeasureText(missing, "表").width, 0) << "Japanese still measurable through glyph fallback";
}

TEST(Fonts, KeptWidthsBelongToTheirFontSizeStyleAndResolution) {
    // Widths are kept per font: measuring the same text in alternating fonts
    // must give each font's own width, the same as a fresh QFontMetrics.
    const std::string text = "EMPLOYEE_NUMBER 社員番号";
    const FontSpec fonts[] = {
        {"IPAPGothic", 9, 0}, {"IPAPGothic", 14, 0}, {"IPAPGothic", 9, kFontBold}, {"IPAGothic", 9, 0}};
    for (int round = 0; round < 2; ++round) {
        for (const FontSpec& font : fonts) {
            for (const double dpi : {96.0, 600.0}) {
                const QFontMetrics fresh(MakeFont(font, dpi));
                EXPECT_EQ(MeasureText(font, text, dpi).width,
                          fresh.horizontalAdvance(QString::fromStdString(text)))
                    << font.name << " " << font.pointSize << " " << font.styleBits << " at " << dpi;
            }
        }
    }
    EXPECT_GT(MeasureText(fonts[1], text).width, MeasureText(fonts[0], text).width);
}

TEST(Fonts, DetectsJapaneseText) {
    for (const char* japanese : {"社員", "ABCカナ", "ＡＢＣ"})
        EXPECT_TRUE(HasJapaneseText(japanese)) << japanese;
    for (const char* other : {"EMP_NO (PK)", "Ünïcödé"}) EXPECT_FALSE(HasJapaneseText(other)) << other;
}

}  // namespace
}  // namespace tabulorix
