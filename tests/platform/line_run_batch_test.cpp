// Horizontal and vertical lines the image canvas writes itself and keeps
// waiting while other shapes are drawn: the image must end up as if every
// line had been painted the moment it was drawn, whatever shapes, texts,
// pens and dash patterns come between, with lines from beyond the device
// and drawn in either direction.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <array>
#include <random>

#include "platform/qt_canvas.h"

using namespace tabulorix;

namespace tabulorix {
namespace {

// The same random drawing through the canvas that keeps lines waiting and
// through a painter it cannot write into directly (a clip makes it draw
// every line at once): shapes of every kind, clear and solid brushes,
// inverting pens, other colours and texts between the lines.
void DrawScene(unsigned seed, Canvas& canvas, int width, int height) {
    std::mt19937 random(seed);
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
        const int x0 = coordinate(width), y0 = coordinate(height), x1 = coordinate(width),
                  y1 = coordinate(height);
        const std::array<DevicePoint, 4> square{{{x0, y0}, {x0, y0 + 8}, {x0 + 8, y0 + 8}, {x0 + 8, y0}}};
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

TEST(LineRunBatch, WaitingLinesLeaveTheImageAsLinesDrawnAtOnce) {
    constexpr int kWidth = 150;
    constexpr int kHeight = 110;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        // Both formats the canvas writes into itself.
        const auto format = seed % 2 == 0 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
        QImage expected(kWidth, kHeight, format);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setClipRect(QRect(0, 0, kWidth, kHeight));
            QtCanvas direct(painter, 96.0);
            DrawScene(seed, direct, kWidth, kHeight);
        }
        auto collecting = QtCanvas::ForImage(kWidth, kHeight, format);
        DrawScene(seed, *collecting, kWidth, kHeight);
        ASSERT_TRUE(*collecting->Image() == expected) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tabulorix
