// Helpers for tests that inspect pictures: colour comparisons with a
// tolerance, counts and bounds of pixels of a colour.
#pragma once

#include <QImage>
#include <QRect>
#include <optional>
#include <string>

#include "base/canvas.h"

namespace tabulorix::testing {

// Colour of an image pixel as 0x00BBGGRR (alpha ignored; transparent pixels
// count as white, the colour of paper).
Color PixelColor(const QImage& image, int x, int y);

// Each channel within the tolerance of the expected colour.
bool IsNear(Color actual, Color expected, int tolerance = 40);
bool IsNearAt(const QImage& image, int x, int y, Color expected, int tolerance = 40);
// Luminance below the threshold (0..255).
bool IsDarkAt(const QImage& image, int x, int y, int threshold = 110);

// Number of pixels in the area near the colour.
int CountNear(const QImage& image, const QRect& area, Color expected, int tolerance = 40);

// "(x, y) = #RRGGBB" for failure messages.
std::string DescribePixel(const QImage& image, int x, int y);

}  // namespace tabulorix::testing
