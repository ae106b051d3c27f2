// EmfCanvas: the header describes a 96-dpi picture of the requested size, and
// the records carry the shapes, fonts and UTF-16 text drawn.
#include "platform/emf_canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <tuple>

#include <QString>

#include "platform/fonts.h"
#include "support/emf_records.h"

using namespace tabulorix;

namespace tabulorix {
namespace {

using namespace testing;  // the record types
using Record = EmfRecord;
constexpr auto Records = EmfRecords;
constexpr auto OfType = EmfRecordsOfType;

// The advances an EXTTEXTOUTW record gives its characters.
std::vector<int> Advances(const Record& text) {
    std::vector<int> advances;
    for (int i = 0; i < text.I32(44); ++i)
        advances.push_back(text.I32(static_cast<std::size_t>(text.I32(72)) + 4 * i));
    return advances;
}

// What each UTF-16 unit should advance: the measured width of the text up to
// and including it, less the width before it (0 for a high surrogate).
std::vector<int> PrefixAdvances(const FontSpec& font, const std::u16string& text) {
    std::vector<int> advances;
    int before = 0;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i < text.size() && text[i - 1] >= 0xD800 && text[i - 1] < 0xDC00) {
            advances.push_back(0);
            continue;
        }
        const int width = MeasureText(font, QString::fromStdU16String(text.substr(0, i)).toStdString()).width;
        advances.push_back(width - before);
        before = width;
    }
    return advances;
}

std::vector<std::uint8_t> Finished(EmfCanvas& canvas) {
    std::string error;
    auto bytes = canvas.Finish(&error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or(std::vector<std::uint8_t>{});
}

TEST(EmfCanvas, HeaderDescribesANinetySixDpiPictureOfTheRequestedSize) {
    EmfCanvas canvas(960, 480);
    canvas.Rectangle(0, 0, 10, 10);
    const std::vector<std::uint8_t> bytes = Finished(canvas);
    const std::vector<Record> records = Records(bytes);
    ASSERT_GE(records.size(), 2u);
    const Record& header = records.front();
    ASSERT_EQ(header.type, kEmrHeader);
    EXPECT_EQ(header.I32(40), 0x464D4520) << "\" EMF\" signature";
    // Bounds in device units (inclusive), frame in 0.01 mm: 960 px at 96 dpi = 254 mm.
    EXPECT_EQ((std::vector{header.I32(16), header.I32(20), header.I32(32), header.I32(36)}),
              (std::vector{959, 479, 25400, 12700}));
    // Reference device: pixels per millimetre of a 96-dpi screen.
    EXPECT_NEAR(header.I32(72) / (header.I32(80) / 25.4), 96.0, 0.01);
    EXPECT_NEAR(header.I32(76) / (header.I32(84) / 25.4), 96.0, 0.01);
    EXPECT_EQ(static_cast<std::size_t>(header.I32(48)), bytes.size()) << "nBytes";
    EXPECT_EQ(header.I32(52), static_cast<std::int32_t>(records.size())) << "nRecords";
    EXPECT_EQ(records.back().type, kEmrEof);
}

TEST(EmfCanvas, ShapesAreRecordedInPictureCoordinatesAfterTheOrigin) {
    EmfCanvas canvas(200, 100);
    canvas.SetWindowOrigin(1000, 2000);
    canvas.Rectangle(1010, 2020, 1050, 2060);
    canvas.Ellipse(1100, 2010, 1120, 2030);
    canvas.MoveTo(1000, 2090);
    canvas.LineTo(1190, 2090);
    const DevicePoint triangle[] = {{1150, 2050}, {1190, 2050}, {1170, 2080}};
    canvas.Polygon(triangle);
    const std::vector<Record> records = Records(Finished(canvas));
    // Record type and its coordinates (from byte 8 on), as drawn less the origin.
    const std::pair<std::uint32_t, std::vector<std::int32_t>> expected[] = {
        {kEmrRectangle, {10, 20, 50, 60}},
        {kEmrEllipse, {100, 10, 120, 30}},
        {kEmrMoveTo, {0, 90}},
        {kEmrLineTo, {190, 90}},
    };
    for (const auto& [type, coordinates] : expected) {
        const auto found = OfType(records, type);
        ASSERT_FALSE(found.empty()) << type;
        std::vector<std::int32_t> actual;
        for (std::size_t k = 0; k < coordinates.size(); ++k) actual.push_back(found.back().I32(8 + 4 * k));
        EXPECT_EQ(actual, coordinates) << type;
    }
    EXPECT_EQ(OfType(records, kEmrRectangle).size() + OfType(records, kEmrEllipse).size(), 2u);
    EXPECT_EQ(OfType(records, kEmrPolygon16).size() + OfType(records, kEmrPolygon).size(), 1u);
}

TEST(EmfCanvas, RoundRectIsAPathAndFillRectFillsAPath) {
    EmfCanvas canvas(100, 100);
    canvas.SetBrushColor(kYellow);
    canvas.RoundRect(10, 10, 60, 40, 10, 10);
    canvas.FillRect(0, 0, 5, 5);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.RoundRect(10, 50, 60, 90, 10, 10);
    canvas.FillRect(0, 0, 50, 50);  // clear brush: nothing
    const std::vector<Record> records = Records(Finished(canvas));
    std::vector<std::size_t> counts;
    for (const auto type : {kEmrBeginPath, kEmrEndPath, kEmrStrokeAndFillPath, kEmrStrokePath, kEmrFillPath})
        counts.push_back(OfType(records, type).size());
    EXPECT_EQ(counts, (std::vector<std::size_t>{3, 3, 1, 1, 1}))
        << "paths begun, ended, stroked and filled, stroked, filled";
}

TEST(EmfCanvas, JapaneseTextIsUtf16WithAShiftJisFont) {
    EmfCanvas canvas(300, 100);
    canvas.SetFont(FontSpec{"ＭＳ Ｐゴシック", 9, kFontBold});
    canvas.SetBrushColor(kYellow);
    canvas.TextOut(10, 20, "社員テーブル");
    canvas.SetFont(FontSpec{"IPAGothic", 12, 0});
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.TextOut(10, 50, "EMP");
    const std::vector<Record> records = Records(Finished(canvas));

    const auto fonts = OfType(records, kEmrCreateFont);
    ASSERT_EQ(fonts.size(), 2u);
    // lfHeight (minus the pixel height at 96 dpi), weight, charset (SHIFTJIS
    // for Japanese text, DEFAULT for Latin) and the resolved family.
    EXPECT_EQ(std::tuple(fonts[0].I32(12), fonts[0].I32(28), fonts[0].bytes[35], fonts[0].Utf16(40, 10)),
              std::tuple(-12, 700, 128, u"IPAPGothic"));
    EXPECT_EQ(std::tuple(fonts[1].I32(12), fonts[1].I32(28), fonts[1].bytes[35], fonts[1].Utf16(40, 9)),
              std::tuple(-16, 400, 1, u"IPAGothic"));

    const auto texts = OfType(records, kEmrExtTextOutW);
    ASSERT_EQ(texts.size(), 2u);
    const Record& text = texts[0];
    EXPECT_EQ(std::pair(text.I32(36), text.I32(40)), std::pair(10, 20));
    ASSERT_EQ(text.I32(44), 6) << "characters";
    EXPECT_EQ(text.Utf16(static_cast<std::size_t>(text.I32(48)), 6), u"社員テーブル");
    const TextSize size = MeasureText(FontSpec{"ＭＳ Ｐゴシック", 9, kFontBold}, "社員テーブル");
    // The solid brush fills the measured text cell before the text.
    const auto fills = OfType(records, kEmrFillPath);
    ASSERT_EQ(fills.size(), 1u) << "only the text with a solid brush has a background";
    bool cornerFound = false;
    for (const Record& line : OfType(records, kEmrLineTo))
        cornerFound |= line.I32(8) == 10 + size.width && line.I32(12) == 20 + size.height;
    EXPECT_TRUE(cornerFound) << "the background path reaches the far corner of the measured cell";
}

// Every character is placed where the measured text before it ends, so the
// running sums of the recorded advances are the widths of the prefixes; a
// character outside the basic plane carries its advance on its second unit.
TEST(EmfCanvas, EachCharacterAdvancesByItsOwnMeasuredWidth) {
    const FontSpec font{"IPAPGothic", 11, 0};
    for (const std::u16string& text : {std::u16string(u"EMP 社員番号 iW"), std::u16string(u"a\U00020B9Fb")}) {
        EmfCanvas canvas(400, 50);
        canvas.SetFont(font);
        canvas.TextOut(0, 0, QString::fromStdU16String(text).toStdString());
        const auto texts = OfType(Records(Finished(canvas)), kEmrExtTextOutW);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(Advances(texts[0]), PrefixAdvances(font, text));
    }
}

TEST(EmfCanvas, MeasuresLikeTheScreenAndHasNoPixels) {
    EmfCanvas canvas(10, 10);
    canvas.SetFont(FontSpec{"IPAPGothic", 9, 0});
    EXPECT_EQ(canvas.TextExtent("表定義"), MeasureText(FontSpec{}, "表定義"));
    EXPECT_EQ(canvas.FontPixelHeight(), 12);
    EXPECT_EQ(canvas.PixelsPerInch(), 96.0);
    EXPECT_EQ(canvas.Pixel(1, 1), std::nullopt);
    EXPECT_EQ(canvas.Font(), (FontSpec{"IPAPGothic", 9, 0}));
}

TEST(EmfCanvas, FinishIsFinalAndAnEmptyPictureSizeIsRefusedWithTheSize) {
    EmfCanvas canvas(50, 50);
    canvas.Rectangle(1, 1, 5, 5);
    const std::vector<std::uint8_t> first = Finished(canvas);
    canvas.Rectangle(1, 1, 40, 40);
    canvas.TextOut(0, 0, "x");
    std::string error;
    EXPECT_FALSE(canvas.Finish(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(OfType(Records(first), kEmrRectangle).size(), 1u);

    EmfCanvas empty(0, 20);
    empty.Rectangle(0, 0, 5, 5);
    EXPECT_FALSE(empty.Finish(&error));
    EXPECT_NE(error.find("0 x 20"), std::string::npos) << error;
}

// Pens (style, width, colour), solid brushes and the text colour reach their
// records; pen mode Not is recorded in black, and a styled pen wider than
// one draws solid.
TEST(EmfCanvas, PensBrushesAndTheTextColourAreRecorded) {
    EmfCanvas canvas(50, 50);
    canvas.SetPenColor(kRed);
    canvas.SetBrushColor(kYellow);
    canvas.SetPenMode(PenMode::Not);
    canvas.Rectangle(1, 1, 20, 20);
    canvas.SetPenMode(PenMode::Copy);
    canvas.SetPenStyle(PenStyle::Dot);
    canvas.SetBrushColor(0xC00000);
    canvas.Rectangle(1, 1, 30, 30);
    canvas.SetPenStyle(PenStyle::Dash);
    canvas.Rectangle(1, 1, 30, 30);
    canvas.SetPenWidth(2);
    canvas.Rectangle(1, 1, 40, 40);
    canvas.SetFontColor(0xC000C0);
    canvas.TextOut(0, 0, "x");
    const std::vector<Record> records = Records(Finished(canvas));
    std::vector<std::vector<std::int32_t>> pens;  // style, width, colour
    for (const Record& r : OfType(records, kEmrCreatePen)) pens.push_back({r.I32(12), r.I32(16), r.I32(24)});
    EXPECT_EQ(pens, (std::vector<std::vector<std::int32_t>>{
                        {0, 1, 0x000000}, {2, 1, 0x0000FF}, {1, 1, 0x0000FF}, {0, 2, 0x0000FF}}));
    std::vector<std::int32_t> brushes;
    for (const Record& r : OfType(records, kEmrCreateBrushIndirect)) brushes.push_back(r.I32(16));
    EXPECT_EQ(brushes, (std::vector<std::int32_t>{0x00FFFF, 0xC00000}));
    const auto textColours = OfType(records, kEmrSetTextColor);
    ASSERT_FALSE(textColours.empty());
    EXPECT_EQ(textColours.back().I32(8), 0xC000C0);
}

}  // namespace
}  // namespace tabulorix
