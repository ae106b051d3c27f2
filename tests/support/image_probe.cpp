#include "image_probe.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

int Channel(Color color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

}  // namespace

Color PixelColor(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    if (c.alpha() == 0) return kWhite;
    // Blend partly transparent pixels onto white paper.
    const auto blend = [&](int value) { return (value * c.alpha() + 255 * (255 - c.alpha())) / 255; };
    return static_cast<Color>(blend(c.red())) | (static_cast<Color>(blend(c.green())) << 8) |
           (static_cast<Color>(blend(c.blue())) << 16);
}

bool IsNear(Color actual, Color expected, int tolerance) {
    for (const int shift : {0, 8, 16}) {
        if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) return false;
    }
    return true;
}

bool IsNearAt(const QImage& image, int x, int y, Color expected, int tolerance) {
    return image.rect().contains(x, y) && IsNear(PixelColor(image, x, y), expected, tolerance);
}

bool IsDarkAt(const QImage& image, int x, int y, int threshold) {
    if (!image.rect().contains(x, y)) return false;
    const Color c = PixelColor(image, x, y);
    const double luminance = 0.299 * Channel(c, 0) + 0.587 * Channel(c, 8) + 0.114 * Channel(c, 16);
    return luminance < threshold;
}

int CountNear(const QImage& image, const QRect& area, Color expected, int tolerance) {
    const QRect clipped = area.intersected(image.rect());
    int count = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (IsNear(PixelColor(image, x, y), expected, tolerance)) ++count;
        }
    }
    return count;
}

std::string DescribePixel(const QImage& image, int x, int y) {
    char text[64];
    if (!image.rect().contains(x, y)) {
        std::snprintf(text, sizeof text, "(%d, %d) outside", x, y);
    } else {
        const Color c = PixelColor(image, x, y);
        std::snprintf(text, sizeof text, "(%d, %d) = #%02X%02X%02X", x, y, Channel(c, 0), Channel(c, 8),
                      Channel(c, 16));
    }
    return text;
}

}  // namespace tabulorix::testing
