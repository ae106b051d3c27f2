// Horizontal and vertical lines that the image canvas writes itself: runs
// kept on the device with their dash pattern, a borrowed painter's clip, and
// lines written into the file on Finish. Random lines among every other
// shape are compared with QPainter's pixels in line_run_batch_test.
#include "platform/axis_line_runs.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "platform/qt_canvas.h"

using namespace tabulorix;

namespace tabulorix {
namespace {

struct Line {
    QPoint from;
    QPoint to;
    PenStyle style;
};

// The canvas's pen as QPainter draws it: aliased, one pixel, flat caps, the
// dash patterns of Dot and Dash, no brush.
void DrawReference(QImage& image, const std::vector<Line>& lines, const QColor& color) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Line& line : lines) {
        QPen pen(color);
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        if (line.style == PenStyle::Dot) pen.setDashPattern(QList<qreal>{3, 3});
        if (line.style == PenStyle::Dash) pen.setDashPattern(QList<qreal>{18, 6});
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(line.from, line.to);
    }
}

void DrawOnCanvas(QtCanvas& canvas, const std::vector<Line>& lines, Color color) {
    canvas.SetPenColor(color);
    canvas.SetPenWidth(1);
    canvas.SetPenMode(PenMode::Copy);
    canvas.SetBrushStyle(BrushStyle::Clear);
    for (const Line& line : lines) {
        canvas.SetPenStyle(line.style);
        canvas.MoveTo(line.from.x(), line.from.y());
        canvas.LineTo(line.to.x(), line.to.y());
    }
}

QImage WhiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A painter clipped by its owner keeps the clip: lines go through QPainter.
TEST(AxisLines, ABorrowedClippedPainterClipsTheLines) {
    QImage image = WhiteImage(30, 30);
    {
        QPainter painter(&image);
        painter.setClipRect(QRect(0, 0, 15, 30));
        QtCanvas canvas(painter, 96.0);
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.MoveTo(0, 10);
        canvas.LineTo(30, 10);
    }
    EXPECT_EQ(image.pixel(14, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(15, 10), qRgb(255, 255, 255));
}

TEST(AxisLines, FinishWritesCollectedLinesIntoTheFile) {
    const std::vector<Line> lines{{QPoint(3, 1), QPoint(3, 18), PenStyle::Solid},
                                  {QPoint(19, 4), QPoint(0, 4), PenStyle::Dot}};
    QImage expected = WhiteImage(20, 20);
    DrawReference(expected, lines, Qt::black);
    QImage image = WhiteImage(20, 20);
    QtCanvas canvas(image, 96.0);
    DrawOnCanvas(canvas, lines, kBlack);
    ASSERT_TRUE(canvas.Finish());
    EXPECT_EQ(image, expected);
}

TEST(AxisLineRun, RunsStayOnTheDeviceAndKeepTheirPattern) {
    // A dotted line from above: the pattern starts one pixel above the top.
    const auto down = AxisLineRun({4, -50}, {4, 20}, LineDash::Dot, 10, 10);
    ASSERT_TRUE(down.has_value());
    EXPECT_EQ(down->start, 0);
    EXPECT_EQ(down->end, 10);
    EXPECT_EQ(down->period, 6);
    EXPECT_EQ(down->mask, 0b100011u);  // pixels -1, 0, 1 on; 2, 3, 4 off
    EXPECT_FALSE(AxisLineRun({4, 12}, {4, 30}, LineDash::None, 10, 10).has_value());
    EXPECT_FALSE(AxisLineRun({10, 0}, {10, 9}, LineDash::None, 10, 10).has_value());
    EXPECT_FALSE(AxisLineRun({1, 1}, {4, 4}, LineDash::None, 10, 10).has_value());
    // Drawn upwards, the lower end is left out and the upper one covered.
    const auto up = AxisLineRun({2, 8}, {2, 3}, LineDash::None, 10, 10);
    ASSERT_TRUE(up.has_value());
    EXPECT_EQ(up->start, 3);
    EXPECT_EQ(up->end, 8);
}

}  // namespace
}  // namespace tabulorix
