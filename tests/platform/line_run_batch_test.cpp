// Lines the image canvas keeps waiting while other shapes are drawn: the
// image must end up as if every line had been painted the moment it was
// drawn, whatever shapes, texts and pens come between.
#include "platform/line_run_batch.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <array>
#include <random>
#include <vector>

#include "platform/qt_canvas.h"

using namespace tabulorix;

namespace tabulorix {
namespace {

constexpr std::uint32_t kInk = 0xFF000000;
constexpr std::uint32_t kPaper = 0xFFFFFFFF;

struct Buffer {
    Buffer(int width, int height)
        : width(width), pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kPaper) {}
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    int Inked() const { return static_cast<int>(std::count(pixels.begin(), pixels.end(), kInk)); }
    int width;
    std::vector<std::uint32_t> pixels;
};

LineRun MakeRun(bool vertical, int fixed, int start, int end, int period = 1, std::uint64_t mask = 1) {
    return LineRun{vertical, fixed, start, end, period, mask};
}

// Pixels inside a rectangle are written or forgotten there and then; the
// rest of every run waits for the final paint, dash patterns kept.
TEST(LineRunBatch, RectanglesTakeOnlyTheWaitingPixelsInside) {
    LineRunBatch batch;
    ASSERT_TRUE(batch.Fit(100, 70));
    batch.Add(MakeRun(true, 10, 0, 70), kBlack);               // a column across everything
    batch.Add(MakeRun(false, 20, 0, 100), kBlack);             // a row across everything
    batch.Add(MakeRun(true, 80, 5, 65, 6, 0b000111), kBlack);  // dotted: pixels p with p mod 6 < 3
    Buffer buffer(100, 70);

    batch.PaintMeeting(buffer.pixels.data(), 100, kInk, PixelRect{5, 15, 15, 25});
    EXPECT_EQ(buffer.At(10, 15), kInk);
    EXPECT_EQ(buffer.At(15, 20), kInk);
    EXPECT_EQ(buffer.At(10, 26), kPaper);  // below the rectangle: still waiting
    EXPECT_EQ(buffer.At(16, 20), kPaper);
    EXPECT_EQ(buffer.Inked(), 11 + 11 - 1);
    EXPECT_FALSE(batch.Empty());

    batch.DropCovered(PixelRect{0, 40, 99, 50});  // forgets rows 40..50 of both columns
    batch.PaintInto(buffer.pixels.data(), 100, kInk);
    EXPECT_TRUE(batch.Empty());
    for (int y = 0; y < 70; ++y) {
        const bool dropped = y >= 40 && y <= 50;
        EXPECT_EQ(buffer.At(10, y), dropped ? kPaper : kInk) << y;
        const bool dot = y >= 5 && y < 65 && y % 6 < 3 && !dropped;
        EXPECT_EQ(buffer.At(80, y), dot ? kInk : kPaper) << y;
    }
    for (int x = 0; x < 100; ++x) EXPECT_EQ(buffer.At(x, 20), kInk) << x;

    // Emptied: a new size is taken; while runs wait it is refused.
    EXPECT_TRUE(batch.Fit(300, 200));
    batch.Add(MakeRun(false, 199, 250, 300), kBlack);
    EXPECT_FALSE(batch.Fit(100, 70));
    Buffer wide(300, 200);
    batch.PaintInto(wide.pixels.data(), 300, kInk);
    EXPECT_EQ(wide.Inked(), 50);
    EXPECT_EQ(wide.At(299, 199), kInk);
}

// The same random drawing through the canvas that keeps lines waiting and
// through a painter it cannot write into directly (a clip makes it draw
// every line at once): shapes of every kind, clear and solid brushes,
// inverting pens, other colours and texts between the lines.
class Scene {
public:
    explicit Scene(unsigned seed) : random_(seed) {}

    void DrawOn(Canvas& canvas, int width, int height) {
        std::mt19937 random = random_;
        auto coordinate = [&](int size) {
            return static_cast<int>(random() % static_cast<unsigned>(size + 20)) - 10;
        };
        const std::array<Color, 3> colours{kBlack, kRed, kWhite};
        const std::array<PenStyle, 3> styles{PenStyle::Solid, PenStyle::Dot, PenStyle::Dash};
        for (int op = 0; op < 60; ++op) {
            const int kind = static_cast<int>(random() % 10);
            canvas.SetPenColor(colours[random() % 2]);
            canvas.SetPenStyle(styles[random() % 3]);
            canvas.SetPenWidth(random() % 8 == 0 ? 2 : 1);
            canvas.SetPenMode(random() % 8 == 0 ? PenMode::Not : PenMode::Copy);
            if (random() % 2 == 0) {
                canvas.SetBrushColor(colours[random() % 3]);
            } else {
                canvas.SetBrushStyle(BrushStyle::Clear);
            }
            const int x0 = coordinate(width);
            const int y0 = coordinate(height);
            const int x1 = coordinate(width);
            const int y1 = coordinate(height);
            if (kind < 5) {
                // Mostly lines, most of them along a column or a row.
                canvas.MoveTo(x0, y0);
                canvas.LineTo(kind == 4 ? x1 : (kind % 2 == 0 ? x0 : x1),
                              kind == 4 ? y1 : (kind % 2 == 0 ? y1 : y0));
            } else if (kind == 5) {
                canvas.Rectangle(x0, y0, x1, y1);
            } else if (kind == 6) {
                canvas.RoundRect(x0, y0, x1, y1, 8, 8);
            } else if (kind == 7) {
                canvas.Ellipse(x0, y0, x0 + 7, y0 + 7);
            } else if (kind == 8) {
                const std::array<DevicePoint, 4> square{
                    {{x0, y0}, {x0, y0 + 8}, {x0 + 8, y0 + 8}, {x0 + 8, y0}}};
                canvas.Polygon(square);
            } else if (random() % 3 == 0) {
                canvas.TextOut(x0, y0, "A1");
            } else if (random() % 2 == 0) {
                canvas.FillRect(x0, y0, x1, y1);
            } else {
                canvas.FrameRect(x0, y0, x1, y1);
            }
        }
    }

private:
    std::mt19937 random_;
};

TEST(LineRunBatch, WaitingLinesLeaveTheImageAsLinesDrawnAtOnce) {
    constexpr int kWidth = 150;
    constexpr int kHeight = 110;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        // Both formats the canvas writes into itself.
        const auto format = seed % 2 == 0 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
        Scene scene(seed);
        QImage expected(kWidth, kHeight, format);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setClipRect(QRect(0, 0, kWidth, kHeight));
            QtCanvas direct(painter, 96.0);
            scene.DrawOn(direct, kWidth, kHeight);
        }
        auto collecting = QtCanvas::ForImage(kWidth, kHeight, format);
        scene.DrawOn(*collecting, kWidth, kHeight);
        const QImage& image = *collecting->Image();
        int differing = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) differing += image.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
        ASSERT_EQ(differing, 0) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tabulorix
