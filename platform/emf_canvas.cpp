#include "platform/emf_canvas.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "platform/fonts.h"

// libEMF's Windows declarations stay inside this file, included last: they
// clash with other C headers (ODBC, libjpeg) and define macros such as min
// and max.
#include <libEMF/emf.h>

namespace tabulorix {

#undef min
#undef max
#undef TextOut

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The reference device the picture is recorded for: a 96-dpi screen of
// 1920 × 1440 pixels, 508 × 381 mm. libEMF always writes its own fixed
// reference (1024 × 768 pixels on 320 × 240 mm, about 81 dpi) into the header;
// the header is corrected when the picture is finished so that one unit is
// 1/96 inch for every consumer.
constexpr std::int32_t kDeviceWidth = 1920;
constexpr std::int32_t kDeviceHeight = 1440;
constexpr std::int32_t kDeviceWidthMm = 508;
constexpr std::int32_t kDeviceHeightMm = 381;

// Offsets of the header fields (little-endian 32-bit values).
constexpr std::size_t kHeaderType = 0;
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kHeaderBounds = 8;
constexpr std::size_t kHeaderFrame = 24;
constexpr std::size_t kHeaderSignature = 40;
constexpr std::size_t kHeaderDevice = 72;
constexpr std::size_t kHeaderMillimeters = 80;
constexpr std::size_t kHeaderMicrometers = 100;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"

std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

void WriteI32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// Size in hundredths of a millimetre of a length in 1/96 inch.
LONG HundredthsOfMm(int units) {
    return static_cast<LONG>(std::lround(units * 2540.0 / kWorldPixelsPerInch));
}

bool PatchHeader(std::vector<std::uint8_t>& bytes, int width, int height, std::string* error) {
    if (bytes.size() < 88 || ReadU32(bytes, kHeaderType) != 1 ||
        ReadU32(bytes, kHeaderSignature) != kEmfSignature) {
        if (error != nullptr) *error = "the metafile recorder wrote no valid EMF header";
        return false;
    }
    WriteI32(bytes, kHeaderBounds, 0);
    WriteI32(bytes, kHeaderBounds + 4, 0);
    WriteI32(bytes, kHeaderBounds + 8, width - 1);
    WriteI32(bytes, kHeaderBounds + 12, height - 1);
    WriteI32(bytes, kHeaderFrame, 0);
    WriteI32(bytes, kHeaderFrame + 4, 0);
    WriteI32(bytes, kHeaderFrame + 8, HundredthsOfMm(width));
    WriteI32(bytes, kHeaderFrame + 12, HundredthsOfMm(height));
    WriteI32(bytes, kHeaderDevice, kDeviceWidth);
    WriteI32(bytes, kHeaderDevice + 4, kDeviceHeight);
    WriteI32(bytes, kHeaderMillimeters, kDeviceWidthMm);
    WriteI32(bytes, kHeaderMillimeters + 4, kDeviceHeightMm);
    if (ReadU32(bytes, kHeaderSize) >= kHeaderMicrometers + 8) {
        WriteI32(bytes, kHeaderMicrometers, kDeviceWidthMm * 1000);
        WriteI32(bytes, kHeaderMicrometers + 4, kDeviceHeightMm * 1000);
    }
    return true;
}

std::u16string ToUtf16(const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

LPCWSTR Wide(const std::u16string& text) {
    return reinterpret_cast<LPCWSTR>(text.c_str());
}

struct PenKey {
    Color color;
    int width;
    PenStyle style;
    bool operator==(const PenKey&) const = default;
};

struct FontKey {
    FontSpec fontSpec;
    bool japanese;
    bool operator==(const FontKey&) const = default;
};

}  // namespace

// The libEMF device context, the GDI objects selected into it and the
// drawing state of the canvas.
struct EmfCanvas::Recorder : CanvasState {
    int width = 0;
    int height = 0;
    FilePtr file;
    HDC dc = 0;
    std::string failure;  // why nothing is recorded, when dc is 0

    HPEN pen = 0;
    std::optional<PenKey> penKey;
    HBRUSH brush = 0;  // a created solid brush, or 0 with the stock null brush selected
    std::optional<std::pair<Color, BrushStyle>> brushKey;
    HFONT hfont = 0;
    std::optional<FontKey> fontKey;

    // Pen mode Not cannot be recorded: libEMF has no SetROP2. A Not shape is
    // recorded in black, which is what inverting white paper shows; two Not
    // drawings of the same shape therefore do not cancel in a picture.
    void SelectPen() {
        const int width = std::max(penWidth, 1);
        const PenKey key{penMode == PenMode::Not ? kBlack : penColor, width,
                         width == 1 ? penStyle : PenStyle::Solid};
        if (penKey == key) return;
        const int style = key.style == PenStyle::Dash  ? PS_DASH
                          : key.style == PenStyle::Dot ? PS_DOT
                                                       : PS_SOLID;
        const HPEN created = CreatePen(style, width, key.color);
        SelectObject(dc, created);
        if (pen != 0) DeleteObject(pen);
        pen = created;
        penKey = key;
    }

    void SelectNullPen() {
        SelectObject(dc, GetStockObject(NULL_PEN));
        penKey.reset();
    }

    // The brush, and the background of text and styled lines: opaque in the
    // brush colour when the brush is solid.
    void SelectBrush() {
        const std::pair<Color, BrushStyle> key{brushColor, brushStyle};
        if (brushKey == key) return;
        HBRUSH created = 0;
        if (brushStyle == BrushStyle::Solid) {
            created = CreateSolidBrush(brushColor);
            SelectObject(dc, created);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, brushColor);
        } else {
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            SetBkMode(dc, TRANSPARENT);
        }
        if (brush != 0) DeleteObject(brush);
        brush = created;
        brushKey = key;
    }

    void SelectFont(bool japanese) {
        const FontKey key{font, japanese};
        if (fontKey == key) return;
        LOGFONTW logFont;
        std::memset(&logFont, 0, sizeof logFont);
        logFont.lfHeight = -tabulorix::FontPixelHeight(font.pointSize, kWorldPixelsPerInch);
        logFont.lfWeight = (font.styleBits & kFontBold) != 0 ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = (font.styleBits & kFontItalic) != 0 ? 1 : 0;
        logFont.lfUnderline = (font.styleBits & kFontUnderline) != 0 ? 1 : 0;
        logFont.lfCharSet = japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
        logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
        logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        logFont.lfQuality = DEFAULT_QUALITY;
        logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
        const std::u16string face = ToUtf16(ResolvedFontFamily(font)).substr(0, LF_FACESIZE - 1);
        std::copy(face.begin(), face.end(), logFont.lfFaceName);
        const HFONT created = CreateFontIndirectW(&logFont);
        SelectObject(dc, created);
        if (hfont != 0) DeleteObject(hfont);
        hfont = created;
        fontKey = key;
    }

    void FillArea(int left, int top, int right, int bottom) {
        // A filled path covers exactly [left, right) × [top, bottom) in
        // every consumer; a null-pen Rectangle is interpreted differently.
        SelectNullPen();
        SelectBrush();
        BeginPath(dc);
        MoveToEx(dc, left, top, nullptr);
        ::LineTo(dc, right, top);
        ::LineTo(dc, right, bottom);
        ::LineTo(dc, left, bottom);
        CloseFigure(dc);
        EndPath(dc);
        FillPath(dc);
    }

    void ReleaseObjects() {
        if (dc != 0) {
            SelectObject(dc, GetStockObject(NULL_PEN));
            SelectObject(dc, GetStockObject(NULL_BRUSH));
        }
        if (pen != 0) DeleteObject(pen);
        if (brush != 0) DeleteObject(brush);
        if (hfont != 0) DeleteObject(hfont);
        pen = 0;
        brush = 0;
        hfont = 0;
    }
};

EmfCanvas::EmfCanvas(int width, int height) : recorder_(std::make_unique<Recorder>()) {
    Recorder& r = *recorder_;
    r.width = width;
    r.height = height;
    if (width < 1 || height < 1) {
        r.failure =
            "the picture size " + std::to_string(width) + " x " + std::to_string(height) + " is not positive";
        return;
    }
    r.file.reset(std::tmpfile());
    if (!r.file) {
        r.failure = std::string("cannot create a temporary file for the metafile: ") + std::strerror(errno);
        return;
    }
    const RECT frame{0, 0, HundredthsOfMm(width), HundredthsOfMm(height)};
    const std::u16string description = std::u16string(u"Tabulorix") + u'\0' + u"ER diagram" + u'\0';
    r.dc = CreateEnhMetaFileWithFILEW(0, r.file.get(), &frame, Wide(description));
    if (r.dc == 0) {
        r.failure = "the metafile recorder could not start";
        return;
    }
    SetMapMode(r.dc, MM_TEXT);
    SetTextAlign(r.dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    SetPolyFillMode(r.dc, ALTERNATE);
}

EmfCanvas::~EmfCanvas() {
    Recorder& r = *recorder_;
    if (r.dc != 0) {
        r.ReleaseObjects();
        const HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(r.dc);
        if (metafile != 0) DeleteEnhMetaFile(metafile);
        r.dc = 0;
    }
}

std::optional<std::vector<std::uint8_t>> EmfCanvas::Finish(std::string* error) {
    Recorder& r = *recorder_;
    auto fail = [&](const std::string& reason) -> std::optional<std::vector<std::uint8_t>> {
        if (error != nullptr) *error = reason;
        return std::nullopt;
    };
    if (r.dc == 0) return fail(r.failure.empty() ? "the metafile was already finished" : r.failure);
    r.ReleaseObjects();
    const HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(r.dc);
    r.dc = 0;
    r.failure = "the metafile was already finished";
    if (metafile == 0) return fail("the metafile recorder could not complete the picture");
    DeleteEnhMetaFile(metafile);
    FilePtr file = std::move(r.file);
    if (std::fflush(file.get()) != 0 || std::ferror(file.get()) != 0 ||
        std::fseek(file.get(), 0, SEEK_END) != 0) {
        return fail(std::string("cannot write the metafile: ") + std::strerror(errno));
    }
    const long size = std::ftell(file.get());
    if (size <= 0) return fail("the metafile recorder wrote nothing");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::rewind(file.get());
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return fail(std::string("cannot read the metafile back: ") + std::strerror(errno));
    }
    std::string reason;
    if (!PatchHeader(bytes, r.width, r.height, &reason)) return fail(reason);
    return bytes;
}

// ---- state ---------------------------------------------------------------

void EmfCanvas::SetPenColor(Color color) {
    recorder_->penColor = color;
}
void EmfCanvas::SetPenWidth(int width) {
    recorder_->penWidth = width;
}
void EmfCanvas::SetPenStyle(PenStyle style) {
    recorder_->penStyle = style;
}
void EmfCanvas::SetPenMode(PenMode mode) {
    recorder_->penMode = mode;
}
void EmfCanvas::SetBrushColor(Color color) {
    recorder_->brushColor = color;
    recorder_->brushStyle = BrushStyle::Solid;
}
void EmfCanvas::SetBrushStyle(BrushStyle style) {
    recorder_->brushStyle = style;
}
void EmfCanvas::SetFont(const FontSpec& font) {
    recorder_->font = font;
}
FontSpec EmfCanvas::Font() const {
    return recorder_->font;
}
void EmfCanvas::SetFontColor(Color color) {
    recorder_->fontColor = color;
}

// The origin is applied here, so that the records hold picture coordinates.
void EmfCanvas::SetWindowOrigin(int x, int y) {
    recorder_->originX = x;
    recorder_->originY = y;
}

// ---- shapes ----------------------------------------------------------------

void EmfCanvas::MoveTo(int x, int y) {
    Recorder& r = *recorder_;
    if (r.dc != 0) MoveToEx(r.dc, x - r.originX, y - r.originY, nullptr);
}

void EmfCanvas::LineTo(int x, int y) {
    Recorder& r = *recorder_;
    if (r.dc == 0) return;
    r.SelectPen();
    r.SelectBrush();
    ::LineTo(r.dc, x - r.originX, y - r.originY);
}

void EmfCanvas::Rectangle(int left, int top, int right, int bottom) {
    Recorder& r = *recorder_;
    if (r.dc == 0) return;
    r.SelectPen();
    r.SelectBrush();
    ::Rectangle(r.dc, left - r.originX, top - r.originY, right - r.originX, bottom - r.originY);
}

// libEMF has no RoundRect record: the outline is a path of lines and quarter
// ellipses (Bézier curves) through the same pixels a Rectangle outlines.
void EmfCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    Recorder& r = *recorder_;
    if (r.dc == 0) return;
    const double l = std::min(left, right) - r.originX;
    const double t = std::min(top, bottom) - r.originY;
    const double rr = std::max(left, right) - 1 - r.originX;
    const double b = std::max(top, bottom) - 1 - r.originY;
    const double rx = std::min(std::abs(cornerWidth) / 2.0, (rr - l) / 2.0);
    const double ry = std::min(std::abs(cornerHeight) / 2.0, (b - t) / 2.0);
    const double k = 0.5522847498;  // control distance of a quarter circle
    auto pt = [](double x, double y) {
        return POINT{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))};
    };
    r.SelectPen();
    r.SelectBrush();
    BeginPath(r.dc);
    MoveToEx(r.dc, static_cast<int>(std::lround(l + rx)), static_cast<int>(std::lround(t)), nullptr);
    const POINT corners[] = {
        pt(rr - rx, t), pt(rr - rx + k * rx, t), pt(rr, t + ry - k * ry), pt(rr, t + ry),  // top right
        pt(rr, b - ry), pt(rr, b - ry + k * ry), pt(rr - rx + k * rx, b), pt(rr - rx, b),  // bottom right
        pt(l + rx, b),  pt(l + rx - k * rx, b),  pt(l, b - ry + k * ry),  pt(l, b - ry),   // bottom left
        pt(l, t + ry),  pt(l, t + ry - k * ry),  pt(l + rx - k * rx, t),  pt(l + rx, t),   // top left
    };
    for (std::size_t i = 0; i < std::size(corners); i += 4) {
        ::LineTo(r.dc, corners[i].x, corners[i].y);
        PolyBezierTo(r.dc, &corners[i + 1], 3);
    }
    CloseFigure(r.dc);
    EndPath(r.dc);
    if (r.brushStyle == BrushStyle::Solid) {
        StrokeAndFillPath(r.dc);
    } else {
        StrokePath(r.dc);
    }
}

void EmfCanvas::Ellipse(int left, int top, int right, int bottom) {
    Recorder& r = *recorder_;
    if (r.dc == 0) return;
    r.SelectPen();
    r.SelectBrush();
    ::Ellipse(r.dc, left - r.originX, top - r.originY, right - r.originX, bottom - r.originY);
}

void EmfCanvas::Polygon(std::span<const DevicePoint> points) {
    Recorder& r = *recorder_;
    if (r.dc == 0 || points.size() < 2) return;
    std::vector<POINT> mapped;
    mapped.reserve(points.size());
    for (const DevicePoint& p : points) mapped.push_back(POINT{p.x - r.originX, p.y - r.originY});
    r.SelectPen();
    r.SelectBrush();
    ::Polygon(r.dc, mapped.data(), static_cast<INT>(mapped.size()));
}

void EmfCanvas::FillRect(int left, int top, int right, int bottom) {
    Recorder& r = *recorder_;
    if (r.dc == 0 || r.brushStyle == BrushStyle::Clear || left == right || top == bottom) return;
    r.FillArea(std::min(left, right) - r.originX, std::min(top, bottom) - r.originY,
               std::max(left, right) - r.originX, std::max(top, bottom) - r.originY);
}

void EmfCanvas::FrameRect(int left, int top, int right, int bottom) {
    Recorder& r = *recorder_;
    if (r.dc == 0 || r.brushStyle == BrushStyle::Clear || left == right || top == bottom) return;
    const int l = std::min(left, right) - r.originX;
    const int t = std::min(top, bottom) - r.originY;
    const int rr = std::max(left, right) - r.originX;
    const int b = std::max(top, bottom) - r.originY;
    r.FillArea(l, t, rr, t + 1);
    r.FillArea(l, b - 1, rr, b);
    r.FillArea(l, t, l + 1, b);
    r.FillArea(rr - 1, t, rr, b);
}

// Text is recorded with the advance of every character as Qt measures it, so
// a consumer that substitutes another font still places the text in the cell
// that was measured for it.
void EmfCanvas::TextOut(int x, int y, const std::string& utf8Text) {
    Recorder& r = *recorder_;
    if (r.dc == 0 || utf8Text.empty()) return;
    const QString text = QString::fromStdString(utf8Text);
    const QFontMetrics metrics(MakeFont(r.font));
    std::vector<INT> advances(static_cast<std::size_t>(text.size()), 0);
    int previous = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            continue;  // the pair's advance goes on its end
        const int end = metrics.horizontalAdvance(text.left(i + 1));
        advances[static_cast<std::size_t>(i)] = end - previous;
        previous = end;
    }
    const std::u16string wide(reinterpret_cast<const char16_t*>(text.utf16()),
                              static_cast<std::size_t>(text.size()));
    const int left = x - r.originX;
    const int top = y - r.originY;
    // libEMF drops the rectangle of ETO_OPAQUE, so the cell is filled first.
    if (r.brushStyle == BrushStyle::Solid) r.FillArea(left, top, left + previous, top + metrics.height());
    r.SelectBrush();
    r.SelectFont(HasJapaneseText(utf8Text));
    SetTextColor(r.dc, r.fontColor);
    ExtTextOutW(r.dc, left, top, 0, nullptr, Wide(wide), static_cast<UINT>(wide.size()), advances.data());
}

// ---- measurement -------------------------------------------------------------

TextSize EmfCanvas::TextExtent(const std::string& utf8Text) {
    return MeasureText(recorder_->font, utf8Text);
}

int EmfCanvas::FontPixelHeight() {
    return tabulorix::FontPixelHeight(recorder_->font.pointSize, kWorldPixelsPerInch);
}

double EmfCanvas::PixelsPerInch() const {
    return kWorldPixelsPerInch;
}

std::optional<Color> EmfCanvas::Pixel(int, int) const {
    return std::nullopt;
}

}  // namespace tabulorix
