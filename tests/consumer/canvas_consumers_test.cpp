// The drawing surfaces read by real consumers: an EMF picture converted by
// LibreOffice, an SVG rendered by librsvg and a PDF rendered by poppler must
// all show the same shapes, in their colours, where they were drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/emf_canvas.h"
#include "platform/qt_canvas.h"
#include "support/data_cases.h"
#include "support/external_tool.h"
#include "support/image_probe.h"

using namespace tabulorix;

namespace tabulorix {
namespace {

namespace fs = std::filesystem;
using testing::AnyNear;
using testing::CountNear;
using testing::DescribePixel;
using testing::FindTool;
using testing::RunTool;

constexpr int kWidth = 480;
constexpr int kHeight = 320;
constexpr Color kBlue = 0xC00000;
constexpr Color kOrange = 0x0080FF;
constexpr Color kGreen = 0x00A000;
constexpr Color kMagenta = 0xC000C0;
const std::string kJapanese = "日本語の表定義";

// One sample of every shape, each in its own colour.
void DrawSample(Canvas& canvas) {
    canvas.SetPenColor(kOrange);  // solid line, 3 units wide: the landmark
    canvas.SetPenWidth(3);
    canvas.MoveTo(20, 20);
    canvas.LineTo(460, 20);
    canvas.SetPenWidth(1);  // dotted line
    canvas.SetPenColor(kGreen);
    canvas.SetPenStyle(PenStyle::Dot);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.MoveTo(20, 40);
    canvas.LineTo(460, 40);
    canvas.SetPenStyle(PenStyle::Solid);
    canvas.SetPenColor(kBlack);
    canvas.SetPenWidth(2);
    canvas.SetBrushColor(kRed);
    canvas.Rectangle(20, 60, 140, 140);
    canvas.SetBrushColor(kYellow);
    canvas.RoundRect(180, 60, 300, 140, 40, 40);
    canvas.SetBrushColor(kBlue);
    canvas.Ellipse(340, 60, 460, 140);
    canvas.SetBrushColor(kGreen);
    const DevicePoint triangle[] = {{20, 170}, {140, 170}, {20, 300}};
    canvas.Polygon(triangle);
    canvas.SetFont(FontSpec{"ＭＳ Ｐゴシック", 24, 0});
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.SetFontColor(kBlack);
    canvas.TextOut(180, 170, kJapanese);
    canvas.SetFont(FontSpec{"IPAPGothic", 18, 0});
    canvas.SetBrushColor(kYellow);
    canvas.SetFontColor(kMagenta);
    canvas.TextOut(180, 250, "社員 EMP");
}

// Maps picture units to the pixels of a rendering.
struct Placement {
    double scale = 1.0;
    double left = 0.0;
    double top = 0.0;
    int X(double units) const { return static_cast<int>(std::lround(left + units * scale)); }
    int Y(double units) const { return static_cast<int>(std::lround(top + units * scale)); }
    int Length(double units) const { return static_cast<int>(std::lround(units * scale)); }
    QRect Rect(double l, double t, double r, double b) const {
        return QRect(QPoint(X(l), Y(t)), QPoint(X(r) - 1, Y(b) - 1));
    }
};

class CanvasConsumerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::path(TABULORIX_BINARY_DIR) / "consumer_out" / info->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }

    // Where the picture landed in a rendering: the orange line from (20, 20)
    // to (460, 20) gives the scale and the offset (LibreOffice centres a
    // picture on a page, the others fill the image with it).
    static std::optional<Placement> Locate(const QImage& png) {
        const auto line = testing::BoundsOfColor(png, kOrange, 30);
        if (!line || line->width() < 20) return std::nullopt;
        Placement p;
        p.scale = line->width() / 440.0;
        p.left = line->left() - 20 * p.scale;
        p.top = (line->top() + line->bottom()) / 2.0 - 20 * p.scale;
        return p;
    }

    // Checks the rendering of DrawSample, whatever its scale and offset.
    void CheckSample(const QImage& png, const std::string& consumer) {
        ASSERT_FALSE(png.isNull()) << consumer << " wrote no readable PNG";
        const auto placed = Locate(png);
        ASSERT_TRUE(placed) << consumer << ": the orange landmark line is missing";
        const Placement& s = *placed;
        EXPECT_GT(s.scale, 0.5) << consumer;
        const int r = std::max(2, s.Length(2));
        for (const testing::Fields& probe : testing::DataCases("consumer/sample_probes.txt")) {
            const std::vector<int> at = testing::Ints(probe[0]);
            const int x = s.X(at[0]), y = s.Y(at[1]);
            const bool shown =
                probe[1] == "paper"
                    ? testing::IsNearAt(png, x, y, kWhite, 40)
                    : AnyNear(png, x, y, r, static_cast<Color>(testing::Ints(probe[1])[0]), 60);
            EXPECT_TRUE(shown) << consumer << ": " << probe[2] << " at " << DescribePixel(png, x, y);
        }
        // Dotted line: green along the line, but with gaps.
        const QRect dottedRow = s.Rect(30, 38, 450, 43);
        std::vector<bool> greenColumn(static_cast<std::size_t>(dottedRow.width()), false);
        for (int x = dottedRow.left(); x <= dottedRow.right(); ++x) {
            for (int y = dottedRow.top(); y <= dottedRow.bottom(); ++y) {
                const Color c = testing::PixelColor(png, x, y);
                const int red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
                if (green > red + 25 && green > blue + 25) greenColumn[x - dottedRow.left()] = true;
            }
        }
        const auto covered = std::count(greenColumn.begin(), greenColumn.end(), true);
        EXPECT_GT(covered, dottedRow.width() / 4) << consumer << ": the dotted line is missing";
        EXPECT_LT(covered, dottedRow.width() * 9 / 10) << consumer << ": the dotted line has no gaps";
        // Japanese text: ink inside the text area.
        const QRect textArea = s.Rect(175, 165, 470, 215);
        EXPECT_GT(CountNear(png, textArea, kBlack, 110), textArea.width() * textArea.height() / 40)
            << consumer << ": no Japanese text";
        // Text on a solid brush: a yellow cell with magenta text in it.
        const QRect cellArea = s.Rect(175, 245, 470, 300);
        EXPECT_GT(CountNear(png, cellArea, kYellow, 60), s.Length(40) * s.Length(15))
            << consumer << ": no text background";
        EXPECT_GT(CountNear(png, cellArea, kMagenta, 90), 10) << consumer << ": no magenta text";
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

// Each format drawn by its canvas and rendered by its consumer to
// sample.png; LibreOffice renders EMF at 96 dpi, pdftoppm is asked for 192.
TEST_F(CanvasConsumerTest, ConsumersShowTheSampleInEveryFormat) {
    const struct {
        const char* format;
        const char* tool;
        QStringList arguments;  // after the tool, before the input file
        double scale;
    } cases[] = {
        {"emf", "soffice", {"--headless", "--norestore", "--convert-to", "png", "--outdir"}, 1.0},
        {"svg", "rsvg-convert", {"--background-color", "white", "-o"}, 1.0},
        {"pdf", "pdftoppm", {"-r", "192", "-png", "-singlefile"}, 2.0},
    };
    for (const auto& c : cases)
        if (!FindTool(c.tool)) GTEST_SKIP() << c.tool << " is not installed (scripts/install-deps)";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const auto tool = FindTool(c.tool);
        const std::string input = Path(std::string("sample.") + c.format);
        std::string error;
        if (c.format == std::string("emf")) {
            EmfCanvas canvas(kWidth, kHeight);
            DrawSample(canvas);
            const auto bytes = canvas.Finish(&error);
            ASSERT_TRUE(bytes) << error;
            std::ofstream(input, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes->data()),
                       static_cast<std::streamsize>(bytes->size()));
        } else {
            auto canvas = c.format == std::string("svg")
                              ? QtCanvas::ForSvgFile(input, kWidth, kHeight, &error)
                              : QtCanvas::ForPdfFile(input, kWidth, kHeight, &error);
            ASSERT_TRUE(canvas) << error;
            DrawSample(*canvas);
            ASSERT_TRUE(canvas->Finish(&error)) << error;
        }
        QStringList arguments = c.arguments;
        const QString png = QString::fromStdString(Path("sample.png"));
        if (c.format == std::string("emf")) arguments << QString::fromStdString(dir_.string());
        if (c.format == std::string("svg")) arguments << png;
        arguments << QString::fromStdString(input);
        if (c.format == std::string("pdf")) arguments << QString::fromStdString(Path("sample"));
        fs::create_directories(dir_ / "home");
        const auto result = RunTool(*tool, arguments, 240, (dir_ / "home").string());
        ASSERT_TRUE(result.Succeeded()) << (result.timedOut ? "timed out: " : "") << result.output;
        const QImage image(png);
        CheckSample(image, std::string(c.tool) + " (" + c.format + ")");
        const auto placed = Locate(image);
        ASSERT_TRUE(placed);
        EXPECT_NEAR(placed->scale, c.scale, 0.03) << "one unit is 1/96 inch";
        fs::remove(Path("sample.png"));
    }
}

}  // namespace
}  // namespace tabulorix
