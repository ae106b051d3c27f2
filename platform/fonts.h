// Font resolution and text measurement for every drawing surface.
//
// World units are fixed at 96 per inch on every machine. Fonts are built with
// a pixel size (point size × pixels per inch ÷ 72) instead of a point size, so
// their metrics never depend on the resolution a device reports: a box
// measured at 96 dpi has the same size on screen, on paper and in a picture.
//
// Windows font names that design files carry ("ＭＳ Ｐゴシック" and the like)
// are mapped to the IPA fonts; any other name that is not installed falls back
// through fontconfig.
#pragma once

#include <QFont>
#include <string>

#include "base/canvas.h"

namespace tabulorix {

// Resolution of world units and of every screen-like surface.
inline constexpr double kWorldPixelsPerInch = 96.0;

// Registers the substitutions of the Windows Japanese font names with Qt.
// Runs once; MakeFont calls it, so callers need it only before using QFont
// directly with such a name.
void InstallFontSubstitutions();

// Pixel height of a font of pointSize points at pixelsPerInch: the point size
// × pixelsPerInch ÷ 72, rounded, at least 1.
int FontPixelHeight(int pointSize, double pixelsPerInch);

// The Qt font for a font fontSpec at the given resolution (pixel size set, style
// bits applied: bold, italic, underline).
QFont MakeFont(const FontSpec& fontSpec, double pixelsPerInch = kWorldPixelsPerInch);

// Family name Qt actually uses for the fontSpec after substitution and fallback,
// e.g. "IPAPGothic" for "ＭＳ Ｐゴシック".
std::string ResolvedFontFamily(const FontSpec& fontSpec);

// Width (advance) and height (ascent + descent) of a UTF-8 text in the font,
// in pixels at the given resolution.
TextSize MeasureText(const FontSpec& fontSpec, const std::string& utf8Text,
                     double pixelsPerInch = kWorldPixelsPerInch);

// True when the text holds characters of the Japanese scripts (kana, CJK
// ideographs, full-width forms), which a metafile must mark with the
// Shift-JIS character set so that consumers choose a Japanese font.
bool HasJapaneseText(const std::string& utf8Text);

}  // namespace tabulorix
