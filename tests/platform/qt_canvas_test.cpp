// QtCanvas on images: GDI pixel coverage, pens, pen mode Not, text cells,
// window origin and pixel read-back. With a device pixel ratio of 2 every
// canvas pixel is a square of 2 × 2 device pixels: straight shapes must
// cover exactly the squares of the pixels they cover at ratio 1 (the
// picture at ratio 1 scaled up without smoothing), with no grey edge; text
// is rasterised at the full resolution, so it is not the scaled-up picture.
#include "platform/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <tuple>

#include "platform/fonts.h"
#include "support/data_cases.h"
#include "support/image_probe.h"
#include "support/snapshot_fixture.h"

namespace tabulorix {
namespace {

using testing::CountNear;
using testing::DataCases;
using testing::DescribePixel;
using testing::Fields;
using testing::Ints;
using testing::IsDarkAt;
using testing::IsNearAt;
using testing::Split;

constexpr Color kBlue = 0xFF0000;
using Drawing = std::function<void(Canvas&)>;

QImage Draw(int width, int height, const Drawing& draw, double ratio = 1.0) {
    auto canvas = QtCanvas::ForImage(width, height, QImage::Format_RGB32, ratio);
    draw(*canvas);
    return canvas->Image()->copy();
}

// Each pixel a square of 2 × 2 pixels.
QImage Upscaled(const QImage& image) {
    return image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

// The picture of a straight drawing at ratio 1, checked to be what ratio 2
// gives, scaled down square by square.
QImage Straight(int width, int height, const Drawing& draw) {
    const QImage single = Draw(width, height, draw);
    EXPECT_TRUE(Draw(width, height, draw, 2.0) == Upscaled(single)) << "ratio 2";
    return single;
}

TEST(QtCanvasPixels, ImageIsWhiteAtNinetySixDpiAndReadsBackWorldPixelsAtEveryRatio) {
    for (const double ratio : {1.0, 2.0}) {
        auto canvas = QtCanvas::ForImage(64, 48, QImage::Format_RGB32, ratio);
        const QImage& image = *canvas->Image();
        EXPECT_EQ(image.size(), QSize(64, 48) * ratio);
        EXPECT_EQ(image.deviceIndependentSize(), QSizeF(64, 48));
        if (ratio == 1.0) {
            EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 96.0, 0.05);
        }
        EXPECT_EQ(CountNear(image, image.rect(), kWhite, 0), image.width() * image.height());
        EXPECT_EQ(canvas->PixelsPerInch(), 96.0);
        // Text is measured in canvas pixels, as on any 96-dpi surface.
        EXPECT_EQ(canvas->TextExtent("ORDER_LINE"), MeasureText(FontSpec{}, "ORDER_LINE"));
        EXPECT_EQ(canvas->FontPixelHeight(), 12);
        // Pixels are read back in world coordinates, nothing off the image.
        canvas->SetWindowOrigin(100, 50);
        canvas->SetBrushColor(kRed);
        canvas->FillRect(100, 50, 104, 54);
        EXPECT_EQ(canvas->Pixel(103, 53), kRed);
        EXPECT_EQ(canvas->Pixel(163, 97), kWhite);
        EXPECT_EQ(canvas->Pixel(164, 50), std::nullopt);
        EXPECT_EQ(canvas->Pixel(0, 0), std::nullopt);
    }
}

// Straight shapes cover exactly the pixels GDI covers
// (tests/data/platform/straight_shapes.txt): the expected picture is painted
// region by region on white.
TEST(QtCanvasPixels, StraightShapesCoverExactlyTheirGdiPixels) {
    for (const Fields& c : DataCases("platform/straight_shapes.txt")) {
        SCOPED_TRACE(c[0]);
        const std::string& op = c[1];
        const std::vector<int> r = Ints(c[2]);
        const QImage image = Straight(64, 48, [&](Canvas& canvas) {
            canvas.SetBrushColor(static_cast<Color>(Ints(c[3])[0]));
            canvas.SetBrushStyle(c[4] == "clear" ? BrushStyle::Clear : BrushStyle::Solid);
            if (op == "rectangle") canvas.Rectangle(r[0], r[1], r[2], r[3]);
            canvas.SetPenWidth(3);
            if (op == "origin") canvas.SetWindowOrigin(100, 50);
            if (op == "fill" || op == "origin") canvas.FillRect(r[0], r[1], r[2], r[3]);
            if (op == "frame") canvas.FrameRect(r[0], r[1], r[2], r[3]);
            canvas.SetPenWidth(1);
            if (op == "lines") {
                canvas.MoveTo(r[0], r[1]);
                canvas.LineTo(r[2], r[1]);
                canvas.LineTo(r[2], r[3]);
            } else if (op == "origin") {
                canvas.MoveTo(110, 60);
                canvas.LineTo(120, 60);
            }
        });
        QImage expected(64, 48, image.format());
        expected.fill(Qt::white);
        QPainter painter(&expected);
        for (const std::string& region : Split(c.size() > 5 ? c[5] : "", ',')) {
            const std::vector<int> g = Ints(region);
            painter.fillRect(QRect(g[0], g[1], g[2], g[3]),
                             QColor(g[4] & 0xFF, (g[4] >> 8) & 0xFF, (g[4] >> 16) & 0xFF));
        }
        painter.end();
        EXPECT_EQ(image, expected);
    }
}

// A line across the picture in each pen (tests/data/platform/pen_lines.txt);
// level and upright lines of a solid or one-pixel pen are straight shapes.
TEST(QtCanvasPens, StyleWidthAndBrushShapeTheLine) {
    for (const Fields& c : DataCases("platform/pen_lines.txt")) {
        const std::vector<int> darkRange = Ints(c[4]), runRange = Ints(c[5]), yellowRange = Ints(c[7]);
        for (const int slant : {0, 1, 2}) {
            SCOPED_TRACE(c[0] + (slant == 1 ? ", slanted" : slant == 2 ? ", upright" : ", level"));
            const Drawing line = [&](Canvas& canvas) {
                canvas.SetBrushColor(kYellow);
                canvas.SetBrushStyle(c[3] == "solid" ? BrushStyle::Solid : BrushStyle::Clear);
                canvas.SetPenStyle(c[1] == "dot"    ? PenStyle::Dot
                                   : c[1] == "dash" ? PenStyle::Dash
                                                    : PenStyle::Solid);
                canvas.SetPenWidth(std::stoi(c[2]));
                canvas.MoveTo(slant == 2 ? 60 : 0, slant == 2 ? 39 : 20);
                canvas.LineTo(slant == 2 ? 60 : 120, slant == 2 ? 0 : 20 + slant);
            };
            const bool straight = slant != 1 && (c[1] == "solid" || c[2] == "1");
            const QImage image = straight ? Straight(120, 40, line) : Draw(120, 40, line);
            if (slant == 2) continue;
            int dark = 0, runs = 0, thickness = 0;
            bool before = false;
            for (int x = 0; x < 120; ++x) {
                int column = 0;
                for (int y = 0; y < 40; ++y) column += IsDarkAt(image, x, y);
                dark += column > 0;
                runs += column > 0 && !before;
                before = column > 0;
                if (x >= 50 && x < 70) thickness = std::max(thickness, column);
            }
            const int yellow = CountNear(image, image.rect(), kYellow, 0);
            EXPECT_TRUE(dark >= darkRange[0] && dark <= darkRange[1]) << dark;
            EXPECT_TRUE(runs >= runRange[0] && runs <= runRange[1]) << runs;
            EXPECT_TRUE(yellow >= yellowRange[0] && yellow <= yellowRange[1]) << yellow;
            EXPECT_NEAR(thickness, std::stoi(c[6]), slant);
        }
    }
}

// At either ratio: the outline's pixels are inverted once, read back in
// canvas coordinates; the inside is untouched; inverting again restores.
TEST(QtCanvasNotMode, InvertsEachCoveredPixelOnceAndRestores) {
    for (const double ratio : {1.0, 2.0}) {
        auto canvas = QtCanvas::ForImage(40, 40, QImage::Format_RGB32, ratio);
        canvas->SetBrushColor(kBlack);
        canvas->FillRect(0, 0, 20, 40);  // left half black, right half white
        const QImage before = canvas->Image()->copy();
        const Drawing invert = [](Canvas& c) {
            c.SetPenMode(PenMode::Not);
            c.SetPenColor(kRed);  // ignored: Not only inverts
            c.SetBrushStyle(BrushStyle::Clear);
            c.Rectangle(10, 5, 30, 25);
            c.MoveTo(0, 35);
            c.LineTo(40, 35);
        };
        invert(*canvas);
        const std::tuple<int, int, Color> expected[] = {{15, 5, kWhite},  {25, 5, kBlack},  {10, 5, kWhite},
                                                        {29, 24, kBlack}, {15, 15, kBlack}, {25, 15, kWhite},
                                                        {30, 5, kWhite},  {5, 35, kWhite},  {25, 35, kBlack}};
        for (const auto& [x, y, colour] : expected) EXPECT_EQ(canvas->Pixel(x, y), colour) << x << ", " << y;
        EXPECT_EQ(canvas->Pixel(40, 0), std::nullopt);
        invert(*canvas);
        EXPECT_EQ(*canvas->Image(), before);
    }
}

TEST(QtCanvasNotMode, CoversTheSamePixelsAsCopy) {
    // On white, Not gives black exactly where a black Copy shape would be.
    auto draw = [](PenMode mode) {
        return [mode](Canvas& canvas) {
            canvas.SetPenMode(mode);
            canvas.SetBrushColor(kBlack);
            canvas.Rectangle(3, 3, 20, 15);
            canvas.Ellipse(25, 5, 45, 25);
            canvas.RoundRect(25, 28, 45, 37, 6, 6);
            const DevicePoint triangle[] = {{5, 20}, {20, 35}, {5, 35}};
            canvas.Polygon(triangle);
            canvas.SetPenWidth(2);
            canvas.MoveTo(5, 45);
            canvas.LineTo(45, 40);
        };
    };
    const QImage copy = Draw(50, 50, draw(PenMode::Copy));
    EXPECT_GT(CountNear(copy, copy.rect(), kBlack, 0), 500);
    EXPECT_EQ(copy, Draw(50, 50, draw(PenMode::Not)));
}

// Filled shapes (tests/data/platform/filled_shapes.txt): inside, outline and
// outside probes.
TEST(QtCanvasShapes, ShapesFillInsideOutlineAndLeaveTheirCornersFree) {
    for (const Fields& c : DataCases("platform/filled_shapes.txt")) {
        SCOPED_TRACE(c[0]);
        const std::vector<int> v = Ints(c[1]);
        const Color brush = static_cast<Color>(Ints(c[2])[0]);
        const QImage image = Draw(40, 40, [&](Canvas& canvas) {
            canvas.SetBrushColor(brush);
            if (c[0] == "ellipse") canvas.Ellipse(v[0], v[1], v[2], v[3]);
            if (c[0] == "round rect") canvas.RoundRect(v[0], v[1], v[2], v[3], v[4], v[5]);
            if (c[0] != "polygon") return;
            const DevicePoint triangle[] = {{v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}};
            canvas.Polygon(triangle);
        });
        // Each probe list is "x y, x y, ..."; the check says what the pixel must be.
        const std::function<bool(int, int)> checks[] = {
            [&](int x, int y) { return IsNearAt(image, x, y, brush, 0); },
            [&](int x, int y) { return IsDarkAt(image, x, y); },
            [&](int x, int y) { return IsNearAt(image, x, y, kWhite, 0); }};
        for (int k = 0; k < 3; ++k) {
            for (const std::string& point : Split(c[3 + k], ',')) {
                const std::vector<int> p = Ints(point);
                EXPECT_TRUE(checks[k](p[0], p[1])) << DescribePixel(image, p[0], p[1]);
            }
        }
    }
}

// Text is drawn in the font colour inside its measured cell; a solid brush
// fills the whole cell first, a clear one nothing.
TEST(QtCanvasText, TextStaysInsideItsCellWhichASolidBrushFills) {
    for (const BrushStyle brush : {BrushStyle::Solid, BrushStyle::Clear}) {
        SCOPED_TRACE(brush == BrushStyle::Solid ? "solid" : "clear");
        const FontSpec font{"IPAGothic", 12, kFontBold};
        const std::string text = "Tabulorix 日本語の表";
        const QImage image = Draw(200, 60, [&](Canvas& canvas) {
            canvas.SetFont(font);
            canvas.SetBrushColor(kYellow);
            canvas.SetBrushStyle(brush);
            canvas.SetFontColor(kBlue);
            EXPECT_EQ(canvas.TextExtent(text), MeasureText(font, text));
            canvas.TextOut(10, 20, text);
        });
        const TextSize size = MeasureText(font, text);
        const QRect cell(10, 20, size.width, size.height);
        const int ink = CountNear(image, cell, kBlue, 120);
        EXPECT_GT(ink, 50) << "the text is drawn in the font colour";
        EXPECT_EQ(CountNear(image, image.rect(), kBlue, 120), ink) << "nothing outside the text cell";
        const int yellow = CountNear(image, image.rect(), kYellow, 0);
        EXPECT_EQ(CountNear(image, cell, kYellow, 0), yellow) << "no background outside the cell";
        EXPECT_EQ(CountNear(image, cell, kWhite, 0) == 0, brush == BrushStyle::Solid)
            << "the whole cell is painted";
        EXPECT_EQ(yellow > 0, brush == BrushStyle::Solid);
    }
}

TEST(QtCanvasText, TextAtRatioTwoHasDetailTheScaledUpPictureLacks) {
    const Drawing text = [](Canvas& c) {
        c.SetFont(FontSpec{"IPAPGothic", 9, 0});
        c.SetBrushStyle(BrushStyle::Clear);
        c.TextOut(4, 4, "受注明細 ORDER_LINE");
    };
    const QImage twice = Draw(80, 60, text, 2.0);
    const QImage upscaled = Upscaled(Draw(80, 60, text));
    int inkTwice = 0, differing = 0;
    bool mixedSquare = false;  // some square of 2 × 2 device pixels holds two values
    for (int y = 0; y < twice.height(); ++y) {
        for (int x = 0; x < twice.width(); ++x) {
            inkTwice += qGray(twice.pixel(x, y)) < 128;
            differing += twice.pixel(x, y) != upscaled.pixel(x, y);
            mixedSquare = mixedSquare || twice.pixel(x, y) != twice.pixel(x - x % 2, y - y % 2);
        }
    }
    ASSERT_GT(inkTwice, 50);
    // Glyphs drawn at twice the resolution: thinner strokes and other edges
    // than the blocks of the scaled-up picture, in a good share of their ink.
    EXPECT_GT(differing, inkTwice / 4);
    EXPECT_TRUE(mixedSquare);
}

TEST(QtCanvasDevices, BorrowedImageAndPainterDrawUntilFinished) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(11811);  // an image that claims 300 dpi
    image.setDotsPerMeterY(11811);
    {
        QtCanvas canvas(image, 96.0);
        ASSERT_TRUE(canvas.IsActive());
        EXPECT_EQ(canvas.TextExtent("EMP 社員 (PK)"), MeasureText(FontSpec{}, "EMP 社員 (PK)"))
            << "measured at 96";
        canvas.SetBrushColor(kRed);
        canvas.FillRect(0, 0, 5, 5);
        EXPECT_EQ(canvas.Pixel(4, 4), kRed);
        canvas.MoveTo(0, 15);  // a line the canvas keeps waiting until Finish
        canvas.LineTo(20, 15);
        EXPECT_TRUE(canvas.Finish());
        EXPECT_EQ(image.pixel(10, 15), qRgb(0, 0, 0));
        canvas.FillRect(5, 5, 10, 10);  // a finished canvas ignores drawing
        EXPECT_TRUE(canvas.Finish());
    }
    EXPECT_EQ(image.pixel(6, 6), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(4, 4), qRgb(255, 0, 0));
    {
        QPainter painter(&image);
        painter.setPen(Qt::green);
        painter.setClipRect(QRect(0, 0, 15, 20));
        {
            QtCanvas canvas(painter, 96.0);
            canvas.SetPenColor(kBlue);
            canvas.MoveTo(0, 10);
            canvas.LineTo(20, 10);
        }
        EXPECT_EQ(painter.pen().color(), QColor(Qt::green)) << "the painter's state is restored";
    }
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(15, 10), qRgb(255, 255, 255)) << "a borrowed painter's clip is kept";
}

// Vector surfaces write their file on Finish only, nothing when dropped,
// and name the path they cannot write.
TEST(QtCanvasDevices, SvgAndPdfFilesAreWrittenOnFinishOnly) {
    testing::TempDirectory dir;
    for (const std::string format : {"svg", "pdf"}) {
        SCOPED_TRACE(format);
        auto open = [&](const std::string& path, std::string* error) {
            return format == "svg" ? QtCanvas::ForSvgFile(path, 100, 50, error)
                                   : QtCanvas::ForPdfFile(path, 100, 50, error);
        };
        const std::string path = dir.File("a." + format);
        std::string error;
        auto canvas = open(path, &error);
        ASSERT_TRUE(canvas) << error;
        canvas->Rectangle(10, 10, 90, 40);
        EXPECT_EQ(canvas->Pixel(10, 10), std::nullopt) << "no read-back on vector surfaces";
        EXPECT_FALSE(canvas->Image());
        EXPECT_FALSE(std::filesystem::exists(path)) << "written on Finish";
        EXPECT_TRUE(canvas->Finish(&error)) << error;
        EXPECT_GT(std::filesystem::file_size(path), 100u);
        open(dir.File("dropped." + format), nullptr)->Rectangle(0, 0, 5, 5);
        EXPECT_FALSE(std::filesystem::exists(dir.File("dropped." + format)));
        EXPECT_FALSE(open("/nonexistent-dir/x." + format, &error));
        EXPECT_NE(error.find("/nonexistent-dir/x." + format), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace tabulorix
