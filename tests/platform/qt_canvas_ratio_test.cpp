// QtCanvas on an image with a device pixel ratio of 2: every canvas pixel is
// a square of 2 × 2 device pixels. Straight shapes must cover exactly the
// squares of the pixels they cover at ratio 1 (the picture at ratio 1 scaled
// up without smoothing), with no grey edge; text is rasterised at the full
// resolution, so it is not the scaled-up picture.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt_canvas.h"

namespace tabulorix {
namespace {

constexpr int kWidth = 80;
constexpr int kHeight = 60;

using Drawing = std::function<void(Canvas&)>;

QImage Draw(const Drawing& draw, double ratio) {
    auto canvas = QtCanvas::ForImage(kWidth, kHeight, QImage::Format_RGB32, ratio);
    draw(*canvas);
    return canvas->Image()->copy();
}

// Each pixel a square of factor × factor pixels.
QImage Upscaled(const QImage& image, int factor) {
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

// The first device pixel where the two pictures differ, or "" when none.
std::string FirstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "(" + std::to_string(x) + ", " + std::to_string(y) +
                       "): " + QString::number(a.pixel(x, y), 16).toStdString() + " vs " +
                       QString::number(b.pixel(x, y), 16).toStdString();
    return "";
}

struct ShapeCase {
    const char* name;
    Drawing draw;
};

void Line(Canvas& c, int x0, int y0, int x1, int y1) {
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
}

const std::vector<ShapeCase>& StraightShapes() {
    static const std::vector<ShapeCase> cases = {
        {"horizontal line", [](Canvas& c) { Line(c, 5, 10, 60, 10); }},
        {"vertical line upwards", [](Canvas& c) { Line(c, 30, 50, 30, 4); }},
        {"dashed line",
         [](Canvas& c) {
             c.SetPenStyle(PenStyle::Dash);
             c.SetBrushStyle(BrushStyle::Clear);
             Line(c, 2, 20, 78, 20);
         }},
        {"dotted vertical line",
         [](Canvas& c) {
             c.SetPenStyle(PenStyle::Dot);
             c.SetBrushStyle(BrushStyle::Clear);
             Line(c, 40, 2, 40, 58);
         }},
        {"coloured line at an origin",
         [](Canvas& c) {
             c.SetWindowOrigin(10, 5);
             c.SetPenColor(0x0000FF);
             Line(c, 20, 30, 70, 30);
         }},
        {"rectangle with a filled inside",
         [](Canvas& c) {
             c.SetBrushColor(0x00FFFF);
             c.Rectangle(10, 10, 50, 40);
         }},
        {"rectangle with a clear brush",
         [](Canvas& c) {
             c.SetBrushStyle(BrushStyle::Clear);
             c.Rectangle(3, 4, 4, 30);
             c.Rectangle(20, 8, 70, 55);
         }},
        {"three-pixel pen rectangle",
         [](Canvas& c) {
             c.SetPenWidth(3);
             c.SetBrushStyle(BrushStyle::Clear);
             c.Rectangle(10, 10, 60, 50);
         }},
        {"fill and frame",
         [](Canvas& c) {
             c.SetBrushColor(0xFF0000);
             c.FillRect(5, 5, 25, 25);
             c.FrameRect(30, 30, 70, 50);
         }},
        {"inverted rectangle",
         [](Canvas& c) {
             c.SetBrushColor(0x00FF00);
             c.FillRect(0, 0, 40, 60);
             c.SetPenMode(PenMode::Not);
             c.SetBrushStyle(BrushStyle::Clear);
             c.Rectangle(20, 10, 60, 50);
         }},
        {"inverted line across a box",
         [](Canvas& c) {
             c.SetBrushColor(0x00FF00);
             c.FillRect(0, 0, 40, 60);
             c.SetPenMode(PenMode::Not);
             Line(c, 10, 30, 70, 30);
         }},
    };
    return cases;
}

TEST(QtCanvasRatio, TheImageHoldsTwiceThePixelsEachWayForTheSameCoordinates) {
    auto canvas = QtCanvas::ForImage(kWidth, kHeight, QImage::Format_RGB32, 2.0);
    const QImage& image = *canvas->Image();
    EXPECT_EQ(image.size(), QSize(2 * kWidth, 2 * kHeight));
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    EXPECT_EQ(image.deviceIndependentSize(), QSizeF(kWidth, kHeight));
    // Text is measured in canvas pixels, as on any 96-dpi surface.
    auto plain = QtCanvas::ForImage(kWidth, kHeight);
    EXPECT_EQ(canvas->TextExtent("ORDER_LINE"), plain->TextExtent("ORDER_LINE"));
    EXPECT_EQ(canvas->FontPixelHeight(), plain->FontPixelHeight());
}

TEST(QtCanvasRatio, StraightShapesCoverTheSquaresOfTheirPixelsAtRatioOne) {
    for (const ShapeCase& shape : StraightShapes()) {
        SCOPED_TRACE(shape.name);
        const QImage single = Draw(shape.draw, 1.0);
        const QImage twice = Draw(shape.draw, 2.0);
        ASSERT_NE(FirstDifference(single, Draw([](Canvas&) {}, 1.0)), "");  // the shape drew
        EXPECT_EQ(FirstDifference(twice, Upscaled(single, 2)), "");
    }
}

TEST(QtCanvasRatio, InvertingTwiceRestoresAndPixelsReadBackInCanvasCoordinates) {
    auto canvas = QtCanvas::ForImage(kWidth, kHeight, QImage::Format_RGB32, 2.0);
    canvas->SetBrushColor(0x00FF00);
    canvas->FillRect(0, 0, 40, 60);
    const QImage before = canvas->Image()->copy();
    canvas->SetPenMode(PenMode::Not);
    canvas->SetBrushStyle(BrushStyle::Clear);
    canvas->Rectangle(20, 10, 60, 50);
    EXPECT_EQ(canvas->Pixel(20, 30), std::optional<Color>(0xFF00FF));  // green inverted
    EXPECT_EQ(canvas->Pixel(59, 30), std::optional<Color>(0x000000));  // white inverted
    EXPECT_EQ(canvas->Pixel(30, 30), std::optional<Color>(0x00FF00));  // inside, untouched
    EXPECT_EQ(canvas->Pixel(kWidth, 0), std::nullopt);
    canvas->Rectangle(20, 10, 60, 50);
    EXPECT_EQ(FirstDifference(*canvas->Image(), before), "");
}

TEST(QtCanvasRatio, TextHasDetailTheScaledUpPictureLacks) {
    const Drawing text = [](Canvas& c) {
        c.SetFont(FontSpec{"IPAPGothic", 9, 0});
        c.SetBrushStyle(BrushStyle::Clear);
        c.TextOut(4, 4, "受注明細 ORDER_LINE");
    };
    const QImage single = Draw(text, 1.0);
    const QImage twice = Draw(text, 2.0);
    const QImage upscaled = Upscaled(single, 2);
    int inkTwice = 0;
    int differing = 0;
    for (int y = 0; y < twice.height(); ++y) {
        for (int x = 0; x < twice.width(); ++x) {
            if (qGray(twice.pixel(x, y)) < 128) ++inkTwice;
            if (twice.pixel(x, y) != upscaled.pixel(x, y)) ++differing;
        }
    }
    ASSERT_GT(inkTwice, 50);
    // Glyphs drawn at twice the resolution: thinner strokes and other edges
    // than the blocks of the scaled-up picture, in a good share of their ink.
    EXPECT_GT(differing, inkTwice / 4);
    // And no square of 2 × 2 device pixels is the rule: some square in the
    // text holds two different values.
    bool mixedSquare = false;
    for (int y = 0; y + 1 < twice.height() && !mixedSquare; y += 2)
        for (int x = 0; x + 1 < twice.width() && !mixedSquare; x += 2) {
            const QRgb p = twice.pixel(x, y);
            mixedSquare =
                twice.pixel(x + 1, y) != p || twice.pixel(x, y + 1) != p || twice.pixel(x + 1, y + 1) != p;
        }
    EXPECT_TRUE(mixedSquare);
}

}  // namespace
}  // namespace tabulorix
