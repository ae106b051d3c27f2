#include "platform/fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QList>
#include <QString>
#include <algorithm>
#include <cmath>
#include <deque>
#include <mutex>
#include <unordered_map>

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

namespace {

// The metrics of one font at one resolution and the widths of the texts
// measured with it. Building a QFont and its metrics costs more than most
// measurements, and a diagram measures the same column names and types over
// and over (every box is measured again when the font or the display mode
// changes), so both are kept.
class MeasuredFont {
public:
    MeasuredFont(const FontSpec& fontSpec, double pixelsPerInch)
        : spec_(fontSpec),
          pixelsPerInch_(pixelsPerInch),
          metrics_(MakeFont(fontSpec, pixelsPerInch)),
          height_(metrics_.height()) {}

    bool Matches(const FontSpec& fontSpec, double pixelsPerInch) const {
        return pixelsPerInch_ == pixelsPerInch && spec_ == fontSpec;
    }

    TextSize Measure(const std::string& utf8Text) {
        // A bound on what is kept: a huge schema's distinct texts stay well
        // under it, a long session that measured many fonts starts afresh.
        constexpr std::size_t kMaxKeptWidths = 1u << 20;
        auto found = widths_.find(utf8Text);
        if (found == widths_.end()) {
            if (widths_.size() >= kMaxKeptWidths) widths_.clear();
            found =
                widths_.emplace(utf8Text, metrics_.horizontalAdvance(QString::fromStdString(utf8Text))).first;
        }
        return {found->second, height_};
    }

private:
    FontSpec spec_;
    double pixelsPerInch_;
    QFontMetrics metrics_;
    int height_;
    std::unordered_map<std::string, int> widths_;
};

// The fonts measured lately on this thread, the most recent first.
MeasuredFont& MeasuredFontFor(const FontSpec& fontSpec, double pixelsPerInch) {
    constexpr std::size_t kKeptFonts = 8;
    thread_local std::deque<MeasuredFont> fonts;
    const auto found = std::find_if(fonts.begin(), fonts.end(), [&](const MeasuredFont& font) {
        return font.Matches(fontSpec, pixelsPerInch);
    });
    if (found == fonts.begin() && found != fonts.end()) return *found;
    if (found != fonts.end()) {
        MeasuredFont kept = std::move(*found);
        fonts.erase(found);
        fonts.push_front(std::move(kept));
    } else {
        fonts.emplace_front(fontSpec, pixelsPerInch);
        if (fonts.size() > kKeptFonts) fonts.pop_back();
    }
    return fonts.front();
}

}  // namespace

TextSize MeasureText(const FontSpec& fontSpec, const std::string& utf8Text, double pixelsPerInch) {
    return MeasuredFontFor(fontSpec, pixelsPerInch).Measure(utf8Text);
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
