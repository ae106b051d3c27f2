// QtCanvas on images: GDI pixel coverage, pens, pen mode Not, text cells,
// window origin and pixel read-back.
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

using namespace tabulorix;

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

TEST(QtCanvasPixels, ImageIsWhiteAtNinetySixDpi) {
    auto canvas = QtCanvas::ForImage(64, 48);
    ASSERT_TRUE(canvas->IsActive());
    const QImage& image = *canvas->Image();
    EXPECT_EQ(image.size(), QSize(64, 48));
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 96.0, 0.05);
    EXPECT_NEAR(image.dotsPerMeterY() * 0.0254, 96.0, 0.05);
    EXPECT_EQ(CountNear(image, image.rect(), kWhite, 0), 64 * 48);
    EXPECT_EQ(canvas->PixelsPerInch(), 96.0);
}

// Straight shapes cover exactly the pixels GDI covers
// (tests/data/platform/straight_shapes.txt): the expected picture is painted
// region by region on white.
TEST(QtCanvasPixels, StraightShapesCoverExactlyTheirGdiPixels) {
    for (const Fields& c : DataCases("platform/straight_shapes.txt")) {
        SCOPED_TRACE(c[0]);
        const std::string& op = c[1];
        const std::vector<int> r = Ints(c[2]);
        auto canvas = QtCanvas::ForImage(64, 48);
        canvas->SetBrushColor(static_cast<Color>(Ints(c[3])[0]));
        canvas->SetBrushStyle(c[4] == "clear" ? BrushStyle::Clear : BrushStyle::Solid);
        if (op == "rectangle") canvas->Rectangle(r[0], r[1], r[2], r[3]);
        canvas->SetPenWidth(3);
        if (op == "origin") canvas->SetWindowOrigin(100, 50);
        if (op == "fill" || op == "origin") canvas->FillRect(r[0], r[1], r[2], r[3]);
        if (op == "frame") canvas->FrameRect(r[0], r[1], r[2], r[3]);
        canvas->SetPenWidth(1);
        if (op == "lines") {
            canvas->MoveTo(r[0], r[1]);
            canvas->LineTo(r[2], r[1]);
            canvas->LineTo(r[2], r[3]);
        } else if (op == "origin") {
            canvas->MoveTo(110, 60);
            canvas->LineTo(120, 60);
        }
        QImage expected(64, 48, canvas->Image()->format());
        expected.fill(Qt::white);
        QPainter painter(&expected);
        for (const std::string& region : Split(c.size() > 5 ? c[5] : "", ',')) {
            const std::vector<int> g = Ints(region);
            painter.fillRect(QRect(g[0], g[1], g[2], g[3]),
                             QColor(g[4] & 0xFF, (g[4] >> 8) & 0xFF, (g[4] >> 16) & 0xFF));
        }
        painter.end();
        EXPECT_EQ(*canvas->Image(), expected);
    }
}

// A line across the picture in each pen (tests/data/platform/pen_lines.txt).
TEST(QtCanvasPens, StyleWidthAndBrushShapeTheLine) {
    for (const Fields& c : DataCases("platform/pen_lines.txt")) {
        const std::vector<int> darkRange = Ints(c[4]), runRange = Ints(c[5]), yellowRange = Ints(c[7]);
        for (const int slant : {0, 1}) {
            SCOPED_TRACE(c[0] + (slant ? ", slanted" : ", level"));
            auto canvas = QtCanvas::ForImage(120, 40);
            canvas->SetBrushColor(kYellow);
            canvas->SetBrushStyle(c[3] == "solid" ? BrushStyle::Solid : BrushStyle::Clear);
            canvas->SetPenStyle(c[1] == "dot"    ? PenStyle::Dot
                                : c[1] == "dash" ? PenStyle::Dash
                                                 : PenStyle::Solid);
            canvas->SetPenWidth(std::stoi(c[2]));
            canvas->MoveTo(0, 20);
            canvas->LineTo(120, 20 + slant);
            const QImage& image = *canvas->Image();
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

TEST(QtCanvasNotMode, InvertsEachCoveredPixelOnceAndRestores) {
    auto canvas = QtCanvas::ForImage(40, 40);
    canvas->SetBrushColor(kBlack);
    canvas->FillRect(0, 0, 20, 40);  // left half black, right half white
    const QImage before = canvas->Image()->copy();

    canvas->SetPenMode(PenMode::Not);
    canvas->SetPenColor(kRed);  // ignored: Not only inverts
    canvas->SetBrushStyle(BrushStyle::Clear);
    canvas->Rectangle(10, 5, 30, 25);
    const QImage& image = *canvas->Image();
    // The outline's corners are inverted once; the inside is untouched.
    const std::tuple<int, int, Color> expected[] = {{15, 5, kWhite},  {25, 5, kBlack},  {10, 5, kWhite},
                                                    {29, 24, kBlack}, {15, 15, kBlack}, {25, 15, kWhite},
                                                    {30, 5, kWhite}};
    for (const auto& [x, y, colour] : expected)
        EXPECT_TRUE(IsNearAt(image, x, y, colour, 0)) << DescribePixel(image, x, y);

    canvas->Rectangle(10, 5, 30, 25);
    EXPECT_EQ(*canvas->Image(), before);
}

TEST(QtCanvasNotMode, CoversTheSamePixelsAsCopy) {
    // On white, Not gives black exactly where a black Copy shape would be.
    auto draw = [](Canvas& canvas, PenMode mode) {
        canvas.SetPenMode(mode);
        canvas.SetPenColor(kBlack);
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
    auto copy = QtCanvas::ForImage(50, 50);
    auto inverted = QtCanvas::ForImage(50, 50);
    draw(*copy, PenMode::Copy);
    draw(*inverted, PenMode::Not);
    EXPECT_GT(CountNear(*copy->Image(), copy->Image()->rect(), kBlack, 0), 500);
    EXPECT_EQ(*copy->Image(), *inverted->Image());
}

// Filled shapes (tests/data/platform/filled_shapes.txt): inside, outline and
// outside probes.
TEST(QtCanvasShapes, ShapesFillInsideOutlineAndLeaveTheirCornersFree) {
    for (const Fields& c : DataCases("platform/filled_shapes.txt")) {
        SCOPED_TRACE(c[0]);
        const std::vector<int> v = Ints(c[1]);
        const Color brush = static_cast<Color>(Ints(c[2])[0]);
        auto canvas = QtCanvas::ForImage(40, 40);
        canvas->SetBrushColor(brush);
        if (c[0] == "ellipse") canvas->Ellipse(v[0], v[1], v[2], v[3]);
        if (c[0] == "round rect") canvas->RoundRect(v[0], v[1], v[2], v[3], v[4], v[5]);
        if (c[0] == "polygon") {
            const DevicePoint triangle[] = {{v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}};
            canvas->Polygon(triangle);
        }
        const QImage& image = *canvas->Image();
        // Each probe list is "x y, x y, ..."; the check says what the pixel must be.
        auto probe = [&](const std::string& points, const std::function<bool(int, int)>& check) {
            for (const std::string& point : Split(points, ',')) {
                const std::vector<int> p = Ints(point);
                EXPECT_TRUE(check(p[0], p[1])) << DescribePixel(image, p[0], p[1]);
            }
        };
        probe(c[3], [&](int x, int y) { return IsNearAt(image, x, y, brush, 0); });
        probe(c[4], [&](int x, int y) { return IsDarkAt(image, x, y); });
        probe(c[5], [&](int x, int y) { return IsNearAt(image, x, y, kWhite, 0); });
    }
}

// Text is drawn in the font colour inside its measured cell; a solid brush
// fills the whole cell first, a clear one nothing.
TEST(QtCanvasText, TextStaysInsideItsCellWhichASolidBrushFills) {
    for (const BrushStyle brush : {BrushStyle::Solid, BrushStyle::Clear}) {
        SCOPED_TRACE(brush == BrushStyle::Solid ? "solid" : "clear");
        auto canvas = QtCanvas::ForImage(200, 60);
        canvas->SetFont(FontSpec{"IPAGothic", 12, kFontBold});
        canvas->SetBrushColor(kYellow);
        canvas->SetBrushStyle(brush);
        canvas->SetFontColor(kBlue);
        const std::string text = "Tabulorix 日本語の表";
        const TextSize size = canvas->TextExtent(text);
        EXPECT_EQ(size, MeasureText(FontSpec{"IPAGothic", 12, kFontBold}, text));
        canvas->TextOut(10, 20, text);
        const QImage& image = *canvas->Image();
        const QRect cell(10, 20, size.width, size.height);
        const int ink = CountNear(image, cell, kBlue, 120);
        EXPECT_GT(ink, 50) << "the text is drawn in the font colour";
        EXPECT_EQ(CountNear(image, image.rect(), kBlue, 120), ink) << "nothing outside the text cell";
        const int yellow = CountNear(image, image.rect(), kYellow, 0);
        EXPECT_EQ(CountNear(image, cell, kYellow, 0), yellow) << "no background outside the cell";
        if (brush == BrushStyle::Solid) {
            EXPECT_GT(yellow, cell.width() * cell.height() / 2);
            EXPECT_EQ(CountNear(image, cell, kWhite, 0), 0) << "the whole cell is painted";
        } else {
            EXPECT_EQ(yellow, 0);
        }
    }
}

TEST(QtCanvasOrigin, PixelsAreReadBackInWorldCoordinates) {
    auto canvas = QtCanvas::ForImage(40, 40);
    canvas->SetWindowOrigin(100, 50);
    canvas->SetBrushColor(kRed);
    canvas->FillRect(100, 50, 104, 54);
    EXPECT_EQ(canvas->Pixel(100, 50), kRed);
    EXPECT_EQ(canvas->Pixel(139, 89), kWhite);
    EXPECT_EQ(canvas->Pixel(140, 50), std::nullopt);
    EXPECT_EQ(canvas->Pixel(0, 0), std::nullopt);
}

TEST(QtCanvasDevices, BorrowedImageAndPainterDrawUntilFinished) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtCanvas canvas(image, 96.0);
        ASSERT_TRUE(canvas.IsActive());
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
        {
            QtCanvas canvas(painter, 96.0);
            canvas.SetPenColor(kBlue);
            canvas.MoveTo(0, 10);
            canvas.LineTo(20, 10);
        }
        EXPECT_EQ(painter.pen().color(), QColor(Qt::green)) << "the painter's state is restored";
    }
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 255));
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
