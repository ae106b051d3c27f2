// The paint box on a 2x screen (run by the ctest entry test_gui_scale2 with
// QT_SCALE_FACTOR=2; skipped at ratio 1): its image holds twice the pixels
// each way, the diagram's coordinates stay those of the widget, a
// one-pixel line is two device pixels wide with no blur, and text is drawn
// at the full resolution rather than scaled up.
#include <gtest/gtest.h>

#include <QTabWidget>
#include <QTest>
#include <array>
#include <string>

#include "app/main_window.h"
#include "app/window_surfaces.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"
#include "platform/qt_canvas.h"
#include "render/draw_box.h"

namespace tabulorix {
namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;
constexpr int kTextTop = 120;
constexpr QRgb kBlackRgb = 0xff000000, kWhiteRgb = 0xffffffff;  // canvas rows above hold only straight shapes

void DrawPicture(Canvas& c) {
    c.SetPenMode(PenMode::Copy);
    c.SetPenStyle(PenStyle::Solid);
    c.SetPenWidth(1);
    c.SetPenColor(kBlack);
    c.SetBrushColor(kWhite);
    c.FillRect(0, 0, kWidth, kHeight);
    for (const auto& [x1, y1, x2, y2] : {std::array{10, 20, 200, 20}, std::array{250, 10, 250, 110}}) {
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    }
    c.Rectangle(30, 40, 120, 90);
    c.SetBrushStyle(BrushStyle::Clear);
    c.SetFont(FontSpec{"IPAPGothic", 9, 0});
    c.SetFontColor(kBlack);
    c.TextOut(20, kTextTop + 10, "受注明細 ORDER_LINE");
}

QImage Upscaled(const QImage& image) {
    return image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

bool ScreenIsTwice() {
    QWidget probe;
    probe.show();
    return probe.devicePixelRatioF() == 2.0;
}

TEST(PaintBoxRatio, TheImageHasTwiceThePixelsAndDrawsAtThatResolution) {
    if (!ScreenIsTwice()) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    PaintBoxWidget box;
    box.resize(kWidth, kHeight);
    box.SetPaintHook([&box](const Rect&) { DrawPicture(box.PaintCanvas()); });
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.repaint();
    const QImage& shown = box.Picture();
    ASSERT_EQ(shown.size(), QSize(2 * kWidth, 2 * kHeight));
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    EXPECT_EQ(box.Width(), kWidth);  // the diagram's device pixels stay the widget's

    auto single = QtCanvas::ForImage(kWidth, kHeight);
    DrawPicture(*single);
    const QImage upscaled = Upscaled(*single->Image());

    // The line at canvas row 20: device rows 40 and 41 black, 39 and 42 white,
    // nothing grey anywhere among the straight shapes.
    for (int x = 20; x < 400; ++x)
        for (const auto& [y, colour] :
             {std::pair{39, kWhiteRgb}, {40, kBlackRgb}, {41, kBlackRgb}, {42, kWhiteRgb}})
            EXPECT_EQ(shown.pixel(x, y), colour) << x << ", " << y;
    int straightDifferences = 0, textDifferences = 0, ink = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const bool differs = shown.pixel(x, y) != upscaled.pixel(x, y);
            if (y < 2 * kTextTop) {
                straightDifferences += differs;
                EXPECT_TRUE(shown.pixel(x, y) == kBlackRgb || shown.pixel(x, y) == kWhiteRgb)
                    << x << ", " << y;
            } else {
                textDifferences += differs;
                ink += qGray(shown.pixel(x, y)) < 128;
            }
        }
    }
    EXPECT_EQ(straightDifferences, 0);
    ASSERT_GT(ink, 50);
    EXPECT_GT(textDifferences, ink / 4);  // glyph detail the scaled-up picture lacks
}

TEST(PaintBoxRatio, TheWindowsDiagramIsDrawnAtTwiceThePixels) {
    if (!ScreenIsTwice()) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    TForm1 window("-DEBUG");
    ASSERT_TRUE(window.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    window.findChild<QTabWidget*>("PageControlTop")->setCurrentIndex(1);
    window.resize(1000, 700);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* box = window.findChild<PaintBoxWidget*>("PaintBox");
    box->repaint();
    const QImage& shown = box->Picture();
    EXPECT_EQ(shown.size(), box->size() * 2);
    // A table's left edge, a one-pixel line of the box's outline: two device
    // columns of the same colour, dark.
    const Rect r = window.Document().DrawBox().MapRect(
        MGDrawTableList::Current()->FindBox("SALES", "CUSTOMER_ORDER")->Position());
    ASSERT_TRUE(box->rect().contains(r.left + 1, (r.top + r.bottom) / 2));
    for (int y = 2 * r.top + 40; y < 2 * r.bottom - 40; y += 7) {
        SCOPED_TRACE(y);
        EXPECT_LT(qGray(shown.pixel(2 * r.left, y)), 80);
        EXPECT_EQ(shown.pixel(2 * r.left, y), shown.pixel(2 * r.left + 1, y));
    }
}

}  // namespace
}  // namespace tabulorix
