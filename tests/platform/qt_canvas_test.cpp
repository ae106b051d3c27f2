// QtCanvas on images: GDI pixel coverage, pens, pen mode Not, text cells,
// window origin and pixel read-back.
#include "platform/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <functional>

#include "platform/fonts.h"
#include "support/image_probe.h"

namespace tabulorix {
namespace {

using testing::CountNear;
using testing::DescribePixel;
using testing::IsDarkAt;
using testing::IsNearAt;

constexpr Color kBlue = 0xFF0000;
constexpr Color kGreen = 0x00C000;

class QtCanvasTest : public ::testing::Test {
protected:
    std::unique_ptr<QtCanvas> canvas_ = QtCanvas::ForImage(64, 48);
    const QImage& Image() const { return *canvas_->Image(); }
};

TEST_F(QtCanvasTest, ImageIsWhiteAtNinetySixDpi) {
    ASSERT_TRUE(canvas_->IsActive());
    EXPECT_EQ(Image().size(), QSize(64, 48));
    EXPECT_NEAR(Image().dotsPerMeterX() * 0.0254, 96.0, 0.05);
    EXPECT_NEAR(Image().dotsPerMeterY() * 0.0254, 96.0, 0.05);
    EXPECT_EQ(CountNear(Image(), Image().rect(), kWhite, 0), 64 * 48);
    EXPECT_EQ(canvas_->PixelsPerInch(), 96.0);
}

// Straight shapes cover exactly the pixels GDI covers: right and bottom
// edges exclusive, outlines in the black pen (3 wide, which fills ignore),
// the inside in the brush, nothing else. The expected picture is painted
// region by region on white.
TEST(QtCanvasPixels, StraightShapesCoverExactlyTheirGdiPixels) {
    enum Op { kRectangle, kFill, kFrame, kLines, kOrigin };
    const struct Case {
        const char* name;
        Op op;
        int l, t, r, b;
        Color brush;
        BrushStyle style;
        std::vector<std::pair<QRect, Color>> regions;  // painted in order
    } cases[] = {
        {"rectangle", kRectangle, 2, 3, 12, 10, kRed, BrushStyle::Solid,
         {{QRect(2, 3, 10, 7), kBlack}, {QRect(3, 4, 8, 5), kRed}}},
        {"clear rectangle", kRectangle, 20, 20, 30, 30, kRed, BrushStyle::Clear,
         {{QRect(20, 20, 10, 10), kBlack}, {QRect(21, 21, 8, 8), kWhite}}},
        {"fill", kFill, 2, 2, 6, 5, kYellow, BrushStyle::Solid, {{QRect(2, 2, 4, 3), kYellow}}},
        {"reversed fill", kFill, 6, 5, 2, 2, kBlue, BrushStyle::Solid, {{QRect(2, 2, 4, 3), kBlue}}},
        {"clear fill", kFill, 20, 20, 30, 30, kRed, BrushStyle::Clear, {}},
        {"frame in the brush colour", kFrame, 2, 2, 8, 7, kGreen, BrushStyle::Solid,
         {{QRect(2, 2, 6, 5), kGreen}, {QRect(3, 3, 4, 3), kWhite}}},
        {"lines without their end points", kLines, 2, 5, 10, 12, kRed, BrushStyle::Solid,
         {{QRect(2, 5, 8, 1), kBlack}, {QRect(10, 5, 1, 7), kBlack}}},
        {"window origin subtracted", kOrigin, 100, 50, 104, 54, kRed, BrushStyle::Solid,
         {{QRect(0, 0, 4, 4), kRed}, {QRect(10, 10, 10, 1), kBlack}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto canvas = QtCanvas::ForImage(64, 48);
        canvas->SetBrushColor(c.brush);
        canvas->SetBrushStyle(c.style);
        if (c.op == kRectangle) canvas->Rectangle(c.l, c.t, c.r, c.b);
        canvas->SetPenWidth(3);
        if (c.op == kFill || c.op == kOrigin) {
            if (c.op == kOrigin) canvas->SetWindowOrigin(100, 50);
            canvas->FillRect(c.l, c.t, c.r, c.b);
        }
        if (c.op == kFrame) canvas->FrameRect(c.l, c.t, c.r, c.b);
        canvas->SetPenWidth(1);
        if (c.op == kLines) {
            canvas->MoveTo(c.l, c.t);
            canvas->LineTo(c.r, c.t);
            canvas->LineTo(c.r, c.b);
        } else if (c.op == kOrigin) {
            canvas->MoveTo(110, 60);
            canvas->LineTo(120, 60);
        }
        QImage expected(64, 48, canvas->Image()->format());
        expected.fill(Qt::white);
        QPainter painter(&expected);
        for (const auto& [rect, color] : c.regions)
            painter.fillRect(rect, QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
        painter.end();
        EXPECT_EQ(*canvas->Image(), expected);
    }
}

TEST_F(QtCanvasTest, PenWidthSetsLineThickness) {
    canvas_->MoveTo(0, 10);
    canvas_->LineTo(30, 10);
    canvas_->SetPenWidth(3);
    canvas_->MoveTo(0, 30);
    canvas_->LineTo(30, 30);
    auto thickness = [&](int x) {
        int dark = 0;
        for (int y = 0; y < 48; ++y) dark += IsDarkAt(Image(), x, y) ? 1 : 0;
        return dark;
    };
    EXPECT_EQ(thickness(15), 1 + 3);
    EXPECT_TRUE(IsDarkAt(Image(), 15, 29) && IsDarkAt(Image(), 15, 30) && IsDarkAt(Image(), 15, 31));
}

// Counts dark pixels and dark runs along row y between x0 and x1.
std::pair<int, int> DarkPixelsAndRuns(const QImage& image, int y, int x0, int x1) {
    int dark = 0;
    int runs = 0;
    bool inRun = false;
    for (int x = x0; x < x1; ++x) {
        const bool isDark = IsDarkAt(image, x, y);
        dark += isDark ? 1 : 0;
        if (isDark && !inRun) ++runs;
        inRun = isDark;
    }
    return {dark, runs};
}

TEST(QtCanvasPens, DotAndDashPatternsDifferFromSolid) {
    auto canvas = QtCanvas::ForImage(120, 40);
    canvas->SetBrushStyle(BrushStyle::Clear);
    const PenStyle styles[] = {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash};
    for (int i = 0; i < 3; ++i) {
        canvas->SetPenStyle(styles[i]);
        canvas->MoveTo(0, 5 + 10 * i);
        canvas->LineTo(120, 5 + 10 * i);
    }
    const auto [solidDark, solidRuns] = DarkPixelsAndRuns(*canvas->Image(), 5, 0, 120);
    const auto [dotDark, dotRuns] = DarkPixelsAndRuns(*canvas->Image(), 15, 0, 120);
    const auto [dashDark, dashRuns] = DarkPixelsAndRuns(*canvas->Image(), 25, 0, 120);
    EXPECT_EQ(solidDark, 120);
    EXPECT_EQ(solidRuns, 1);
    // Dots: short dashes and gaps of equal length; dashes: long with short gaps.
    EXPECT_GT(dotRuns, 12);
    EXPECT_NEAR(dotDark, 60, 6);
    EXPECT_GE(dashRuns, 4);
    EXPECT_LT(dashRuns, dotRuns);
    EXPECT_GT(dashDark, 80);
    EXPECT_LT(dashDark, 120);
}

TEST(QtCanvasPens, StyledPenWiderThanOneDrawsSolidAndGapsTakeTheSolidBrushColour) {
    auto canvas = QtCanvas::ForImage(60, 20);
    canvas->SetPenStyle(PenStyle::Dot);
    canvas->SetBrushColor(kYellow);
    canvas->MoveTo(0, 10);
    canvas->LineTo(60, 10);
    EXPECT_NEAR(CountNear(*canvas->Image(), QRect(0, 10, 60, 1), kYellow, 0), 30, 4);
    canvas->SetBrushStyle(BrushStyle::Clear);
    canvas->MoveTo(0, 15);
    canvas->LineTo(60, 15);
    EXPECT_EQ(CountNear(*canvas->Image(), QRect(0, 15, 60, 1), kYellow, 0), 0);
    canvas->SetPenWidth(2);
    canvas->MoveTo(0, 5);
    canvas->LineTo(60, 5);
    EXPECT_EQ(DarkPixelsAndRuns(*canvas->Image(), 5, 0, 60).second, 1);
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
    EXPECT_TRUE(IsNearAt(image, 15, 5, kWhite, 0)) << DescribePixel(image, 15, 5);
    EXPECT_TRUE(IsNearAt(image, 25, 5, kBlack, 0)) << DescribePixel(image, 25, 5);
    EXPECT_TRUE(IsNearAt(image, 10, 5, kWhite, 0)) << "corner inverted once";
    EXPECT_TRUE(IsNearAt(image, 29, 24, kBlack, 0)) << "corner inverted once";
    EXPECT_TRUE(IsNearAt(image, 15, 15, kBlack, 0)) << "inside untouched";
    EXPECT_TRUE(IsNearAt(image, 25, 15, kWhite, 0)) << "inside untouched";
    EXPECT_TRUE(IsNearAt(image, 30, 5, kWhite, 0));

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

// Ellipse, rounded rectangle and polygon on white with a black pen: the
// probes inside take the brush, those on the outline are dark, those
// outside (the ellipse's and rounded rectangle's corners among them) white.
TEST(QtCanvasShapes, ShapesFillInsideOutlineAndLeaveTheirCornersFree) {
    const DevicePoint triangle[] = {{5, 5}, {35, 5}, {5, 35}};
    const struct Case {
        const char* name;
        Color brush;
        std::function<void(Canvas&)> draw;
        std::vector<QPoint> inside, outline, outside;
    } cases[] = {
        {"ellipse",
         kRed,
         [](Canvas& c) { c.Ellipse(2, 2, 22, 22); },
         {{12, 12}},
         {{2, 12}, {21, 12}, {12, 21}},
         {{22, 12}, {12, 22}, {3, 3}}},
        {"round rect",
         kYellow,
         [](Canvas& c) { c.RoundRect(2, 2, 32, 22, 12, 12); },
         {{16, 12}},
         {{16, 2}, {31, 12}, {16, 21}},
         {{2, 2}, {31, 21}, {32, 12}}},
        {"polygon",
         kBlue,
         [&](Canvas& c) { c.Polygon(triangle); },
         {{10, 10}},
         {{20, 5}, {5, 20}},
         {{30, 30}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto canvas = QtCanvas::ForImage(40, 40);
        canvas->SetBrushColor(c.brush);
        c.draw(*canvas);
        const QImage& image = *canvas->Image();
        for (const QPoint p : c.inside)
            EXPECT_TRUE(IsNearAt(image, p.x(), p.y(), c.brush, 0)) << p.x() << "," << p.y();
        for (const QPoint p : c.outline)
            EXPECT_TRUE(IsDarkAt(image, p.x(), p.y())) << DescribePixel(image, p.x(), p.y());
        for (const QPoint p : c.outside)
            EXPECT_TRUE(IsNearAt(image, p.x(), p.y(), kWhite, 0)) << DescribePixel(image, p.x(), p.y());
    }
}

TEST(QtCanvasText, SolidBrushFillsTheTextCell) {
    auto canvas = QtCanvas::ForImage(200, 60);
    canvas->SetBrushColor(kYellow);
    canvas->SetFontColor(kBlue);
    const std::string text = "Tabulorix 表";
    const TextSize size = canvas->TextExtent(text);
    canvas->TextOut(10, 20, text);
    const QImage& image = *canvas->Image();
    const QRect cell(10, 20, size.width, size.height);
    const int yellow = CountNear(image, cell, kYellow, 0);
    const int blueish = CountNear(image, cell, kBlue, 120);
    EXPECT_GT(yellow, cell.width() * cell.height() / 2);
    EXPECT_GT(blueish, 10) << "the text itself is drawn in the font colour";
    EXPECT_EQ(CountNear(image, cell, kWhite, 0), 0) << "the whole cell is painted";
    EXPECT_EQ(CountNear(image, image.rect(), kYellow, 0), yellow) << "no background outside the cell";
}

TEST(QtCanvasText, ClearBrushDrawsTextOnly) {
    auto canvas = QtCanvas::ForImage(200, 60);
    canvas->SetBrushColor(kYellow);
    canvas->SetBrushStyle(BrushStyle::Clear);
    canvas->TextOut(10, 20, "日本語のテキスト");
    const QImage& image = *canvas->Image();
    EXPECT_EQ(CountNear(image, image.rect(), kYellow, 0), 0);
    const TextSize size = canvas->TextExtent("日本語のテキスト");
    const QRect cell(10, 20, size.width, size.height);
    const int dark = CountNear(image, cell, kBlack, 100);
    EXPECT_GT(dark, 50);
    EXPECT_EQ(CountNear(image, image.rect(), kBlack, 100), dark) << "nothing outside the text cell";
}

TEST(QtCanvasText, ExtentMatchesTheFontsModule) {
    auto canvas = QtCanvas::ForImage(10, 10);
    canvas->SetFont(FontSpec{"IPAGothic", 12, kFontBold});
    EXPECT_EQ(canvas->Font(), (FontSpec{"IPAGothic", 12, kFontBold}));
    EXPECT_EQ(canvas->TextExtent("テーブル"), MeasureText(FontSpec{"IPAGothic", 12, kFontBold}, "テーブル"));
    EXPECT_EQ(canvas->FontPixelHeight(), 16);
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
        EXPECT_TRUE(canvas.Finish());
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

TEST(QtCanvasDevices, SvgAndPdfFilesAreWrittenOnFinishOnly) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tabulorix_qt_canvas_test";
    std::filesystem::create_directories(dir);
    for (const char* name : {"a.svg", "a.pdf"}) {
        const std::filesystem::path path = dir / name;
        std::filesystem::remove(path);
        std::string error;
        auto canvas = std::string(name).ends_with("svg")
                          ? QtCanvas::ForSvgFile(path.string(), 100, 50, &error)
                          : QtCanvas::ForPdfFile(path.string(), 100, 50, &error);
        ASSERT_TRUE(canvas) << error;
        canvas->Rectangle(10, 10, 90, 40);
        EXPECT_EQ(canvas->Pixel(10, 10), std::nullopt) << "no read-back on vector surfaces";
        EXPECT_FALSE(canvas->Image());
        EXPECT_FALSE(std::filesystem::exists(path)) << "written on Finish";
        EXPECT_TRUE(canvas->Finish(&error)) << error;
        EXPECT_GT(std::filesystem::file_size(path), 100u) << name;
    }
    // A canvas dropped without Finish leaves no file.
    const std::filesystem::path dropped = dir / "dropped.svg";
    std::filesystem::remove(dropped);
    QtCanvas::ForSvgFile(dropped.string(), 10, 10)->Rectangle(0, 0, 5, 5);
    EXPECT_FALSE(std::filesystem::exists(dropped));
    std::filesystem::remove_all(dir);
}

TEST(QtCanvasDevices, UnwritableFileIsReportedWithItsPath) {
    for (const std::string path : {"/nonexistent-dir/x.pdf", "/nonexistent-dir/x.svg"}) {
        std::string error;
        EXPECT_FALSE(path.ends_with("pdf") ? QtCanvas::ForPdfFile(path, 10, 10, &error)
                                           : QtCanvas::ForSvgFile(path, 10, 10, &error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace tabulorix
