#include "platform/fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QList>
#include <QString>
#include <cmath>
#include <mutex>

namespace tabulorix {
namespace {

struct Substitution {
    const char* windowsName;
    const char* family;
};

// Windows Japanese UI fonts and their metric-compatible IPA counterparts.
constexpr Substitution kSubstitutions[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},   {"ＭＳ ゴシック", "IPAGothic"},
    {"MS Gothic", "IPAGothic"},        {"MS UI Gothic", "IPAPGothic"}, {"ＭＳ 明朝", "IPAMincho"},
    {"MS Mincho", "IPAMincho"},        {"ＭＳ Ｐ明朝", "IPAPMincho"},  {"MS PMincho", "IPAPMincho"},
};

}  // namespace

void InstallFontSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const Substitution& s : kSubstitutions) {
            QFont::insertSubstitution(QString::fromUtf8(s.windowsName), QString::fromUtf8(s.family));
        }
    });
}

int FontPixelHeight(int pointSize, double pixelsPerInch) {
    const long pixels = std::lround(pointSize * pixelsPerInch / 72.0);
    return pixels < 1 ? 1 : static_cast<int>(pixels);
}

QFont MakeFont(const FontSpec& fontSpec, double pixelsPerInch) {
    InstallFontSubstitutions();
    QFont font(QString::fromStdString(fontSpec.name));
    font.setPixelSize(FontPixelHeight(fontSpec.pointSize, pixelsPerInch));
    font.setBold((fontSpec.styleBits & kFontBold) != 0);
    font.setItalic((fontSpec.styleBits & kFontItalic) != 0);
    font.setUnderline((fontSpec.styleBits & kFontUnderline) != 0);
    return font;
}

std::string ResolvedFontFamily(const FontSpec& fontSpec) {
    return QFontInfo(MakeFont(fontSpec)).family().toStdString();
}

TextSize MeasureText(const FontSpec& fontSpec, const std::string& utf8Text, double pixelsPerInch) {
    const QFontMetrics metrics(MakeFont(fontSpec, pixelsPerInch));
    return {metrics.horizontalAdvance(QString::fromStdString(utf8Text)), metrics.height()};
}

bool HasJapaneseText(const std::string& utf8Text) {
    for (const char32_t c : QString::fromStdString(utf8Text).toUcs4()) {
        const bool japanese = (c >= 0x3000 && c <= 0x30FF)     // punctuation, hiragana, katakana
                              || (c >= 0x3400 && c <= 0x9FFF)  // CJK ideographs
                              || (c >= 0xF900 && c <= 0xFAFF)  // compatibility ideographs
                              || (c >= 0xFF00 && c <= 0xFFEF)  // full-width and half-width forms
                              || (c >= 0x20000 && c <= 0x2FFFF);
        if (japanese) return true;
    }
    return false;
}

}  // namespace tabulorix
