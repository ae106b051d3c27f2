#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPolygon>
#include <QPrinter>
#include <QRegion>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>
#include <vector>

#include "platform/fonts.h"

namespace tabulorix {

namespace {

QColor ToQColor(Color color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

Color FromQRgb(QRgb rgb) {
    return static_cast<Color>(qRed(rgb)) | (static_cast<Color>(qGreen(rgb)) << 8) |
           (static_cast<Color>(qBlue(rgb)) << 16);
}

// The pixels of a GDI rectangle (right and bottom exclusive, either corner
// first).
QRect NormalRect(int left, int top, int right, int bottom) {
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

// The very buffer a painter on the image draws into (constBits does not
// detach), for writing collected lines straight into it.
std::uint32_t* ImagePixels(const QImage& image) {
    return reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(image.constBits()));
}

// With Qt's aliased one-pixel pen an outline of a QRect one pixel narrower
// and lower covers exactly the pixels of the GDI rectangle.
QRect StrokeRect(const QRect& pixels) {
    return pixels.adjusted(0, 0, -1, -1);
}

// On vector surfaces outlines run through pixel centres, as GDI's do: a
// one-unit line then covers whole units instead of two half-covered ones.
const QPointF kPixelCentre(0.5, 0.5);

// Curves run through the centres of the border pixels, so that a one-pixel
// pen touches the first and the last pixel of the GDI rectangle.
QRectF CentreLineRect(const QRect& pixels) {
    return QRectF(pixels.left() + 0.5, pixels.top() + 0.5, pixels.width() - 1.0, pixels.height() - 1.0);
}

// Pixels of a mask image that hold paint, as a region offset to the mask's
// place on the surface.
QRegion CoveredRegion(const QImage& mask, QPoint offset) {
    QRegion region;
    for (int y = 0; y < mask.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        int x = 0;
        while (x < mask.width()) {
            if (qAlpha(line[x]) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < mask.width() && qAlpha(line[x]) != 0) ++x;
            region += QRect(offset.x() + start, offset.y() + y, x - start, 1);
        }
    }
    return region;
}

constexpr double kMetresPerInch = 0.0254;

}  // namespace

struct QtCanvas::Owned {
    std::unique_ptr<QSaveFile> file;     // the output file of SVG and PDF canvases
    std::unique_ptr<QImage> image;       // the surface of image canvases
    std::unique_ptr<QSvgGenerator> svg;  // or the SVG device
    std::unique_ptr<QPdfWriter> pdf;     // or the PDF device
    QPaintDevice* device = nullptr;      // the device painted (owned above or borrowed)
    QPainter painter;                    // declared last: ends before the devices go
};

QtCanvas::QtCanvas(std::unique_ptr<Owned> owned, double pixelsPerInch)
    : owned_(std::move(owned)), pixelsPerInch_(pixelsPerInch) {
    if (owned_->device != nullptr && owned_->painter.begin(owned_->device)) {
        painter_ = &owned_->painter;
        deviceScale_ = owned_->device->devicePixelRatio();
        painter_->setRenderHint(QPainter::Antialiasing, !IsRaster());
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
    }
    qfont_ = MakeFont(state_.font, pixelsPerInch_);
}

QtCanvas::QtCanvas(QPaintDevice& device, double pixelsPerInch)
    : QtCanvas(
          [&device] {
              auto owned = std::make_unique<Owned>();
              owned->device = &device;
              return owned;
          }(),
          pixelsPerInch) {}

QtCanvas::QtCanvas(QPainter& painter, double pixelsPerInch)
    : painter_(painter.isActive() ? &painter : nullptr),
      borrowedPainter_(true),
      pixelsPerInch_(pixelsPerInch) {
    if (painter_ != nullptr) {
        if (painter_->device() != nullptr) deviceScale_ = painter_->device()->devicePixelRatio();
        painter_->save();
        painter_->setRenderHint(QPainter::Antialiasing, !IsRaster());
    }
    qfont_ = MakeFont(state_.font, pixelsPerInch_);
}

// Painting ends; a file that Finish did not commit is discarded.
QtCanvas::~QtCanvas() {
    if (painter_ == nullptr) return;
    FlushLines();
    if (borrowedPainter_) {
        painter_->restore();
    } else {
        painter_->end();
    }
}

std::unique_ptr<QtCanvas> QtCanvas::ForImage(int width, int height, QImage::Format format,
                                             double devicePixelRatio) {
    auto owned = std::make_unique<Owned>();
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const auto devicePixels = [ratio](int size) {
        return static_cast<int>(std::ceil(std::max(size, 1) * ratio));
    };
    owned->image = std::make_unique<QImage>(devicePixels(width), devicePixels(height), format);
    owned->image->setDevicePixelRatio(ratio);
    // The picture measures the same on paper whatever its ratio.
    const int dotsPerMeter = static_cast<int>(std::lround(kWorldPixelsPerInch * ratio / kMetresPerInch));
    owned->image->setDotsPerMeterX(dotsPerMeter);
    owned->image->setDotsPerMeterY(dotsPerMeter);
    owned->image->fill(Qt::white);
    owned->device = owned->image.get();
    return std::unique_ptr<QtCanvas>(new QtCanvas(std::move(owned), kWorldPixelsPerInch));
}

namespace {

std::unique_ptr<QSaveFile> OpenOutput(const std::string& path, std::string* error) {
    auto file = std::make_unique<QSaveFile>(QString::fromStdString(path));
    if (!file->open(QIODevice::WriteOnly)) {
        if (error != nullptr) *error = "cannot create " + path + ": " + file->errorString().toStdString();
        return nullptr;
    }
    return file;
}

}  // namespace

std::unique_ptr<QtCanvas> QtCanvas::ForSvgFile(const std::string& path, int width, int height,
                                               std::string* error) {
    auto owned = std::make_unique<Owned>();
    owned->file = OpenOutput(path, error);
    if (!owned->file) return nullptr;
    owned->svg = std::make_unique<QSvgGenerator>();
    owned->svg->setOutputDevice(owned->file.get());
    owned->svg->setResolution(static_cast<int>(kWorldPixelsPerInch));
    owned->svg->setSize(QSize(width, height));
    owned->svg->setViewBox(QRect(0, 0, width, height));
    owned->device = owned->svg.get();
    auto canvas = std::unique_ptr<QtCanvas>(new QtCanvas(std::move(owned), kWorldPixelsPerInch));
    if (!canvas->IsActive()) {
        if (error != nullptr) *error = "cannot write SVG to " + path;
        return nullptr;
    }
    return canvas;
}

std::unique_ptr<QtCanvas> QtCanvas::ForPdfFile(const std::string& path, int width, int height,
                                               std::string* error) {
    auto owned = std::make_unique<Owned>();
    owned->file = OpenOutput(path, error);
    if (!owned->file) return nullptr;
    owned->pdf = std::make_unique<QPdfWriter>(owned->file.get());
    owned->pdf->setResolution(static_cast<int>(kWorldPixelsPerInch));
    const QPageSize pageSize(QSizeF(width / kWorldPixelsPerInch, height / kWorldPixelsPerInch),
                             QPageSize::Inch, QString(), QPageSize::ExactMatch);
    owned->pdf->setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    owned->pdf->setCreator(QStringLiteral("Tabulorix"));
    owned->device = owned->pdf.get();
    auto canvas = std::unique_ptr<QtCanvas>(new QtCanvas(std::move(owned), kWorldPixelsPerInch));
    if (!canvas->IsActive()) {
        if (error != nullptr) *error = "cannot write PDF to " + path;
        return nullptr;
    }
    return canvas;
}

std::unique_ptr<QtCanvas> QtCanvas::ForPrinter(QPrinter& printer, std::string* error) {
    auto owned = std::make_unique<Owned>();
    owned->device = &printer;
    auto canvas = std::unique_ptr<QtCanvas>(new QtCanvas(std::move(owned), printer.resolution()));
    if (!canvas->IsActive()) {
        if (error != nullptr) *error = "cannot print on " + printer.printerName().toStdString();
        return nullptr;
    }
    return canvas;
}

bool QtCanvas::IsActive() const {
    return painter_ != nullptr;
}

bool QtCanvas::NewPage() {
    if (painter_ == nullptr) return false;
    FlushLines();
    auto* paged = dynamic_cast<QPagedPaintDevice*>(painter_->device());
    return paged != nullptr && paged->newPage();
}

bool QtCanvas::Finish(std::string* error) {
    if (finished_) {
        if (!finishedOk_ && error != nullptr) *error = "the drawing had already failed";
        return finishedOk_;
    }
    finished_ = true;
    finishedOk_ = false;
    if (painter_ == nullptr) {
        if (error != nullptr) *error = "the drawing surface could not be opened";
        return false;
    }
    FlushLines();
    QPainter* const painter = painter_;
    painter_ = nullptr;
    if (borrowedPainter_) {
        painter->restore();
        finishedOk_ = true;
        return true;
    }
    if (!painter->end()) {
        if (error != nullptr) *error = "drawing could not be completed";
        return false;
    }
    QSaveFile* const file = owned_->file.get();
    if (file != nullptr && !file->commit()) {
        if (error != nullptr) {
            *error =
                "cannot write " + file->fileName().toStdString() + ": " + file->errorString().toStdString();
        }
        return false;
    }
    finishedOk_ = true;
    return true;
}

const QImage* QtCanvas::Image() const {
    FlushLines();
    if (owned_ && owned_->image) return owned_->image.get();
    QPaintDevice* device = painter_ != nullptr ? painter_->device() : (owned_ ? owned_->device : nullptr);
    if (device != nullptr && device->devType() == QInternal::Image) return static_cast<const QImage*>(device);
    return nullptr;
}

QPainter* QtCanvas::Painter() {
    FlushLines();
    painterPrepared_ = false;  // the caller may change pen, brush, clip and more
    directImageKnown_ = false;
    return painter_;
}

bool QtCanvas::IsRaster() const {
    return painter_ != nullptr && painter_->paintEngine() != nullptr &&
           painter_->paintEngine()->type() == QPaintEngine::Raster;
}

QImage* QtCanvas::DirectImage() const {
    // A painter the canvas owns changes only through Painter(), which
    // forgets the answer; a borrowed one may change between calls.
    if (painter_ != nullptr && !borrowedPainter_ && directImageKnown_) return directImage_;
    directImage_ = FindDirectImage();
    directImageKnown_ = true;
    return directImage_;
}

QImage* QtCanvas::FindDirectImage() const {
    if (painter_ == nullptr || !IsRaster()) return nullptr;
    QPaintDevice* device = painter_->device();
    if (device == nullptr || device->devType() != QInternal::Image) return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) return nullptr;
    if (image->devicePixelRatio() != 1.0 || painter_->hasClipping() || painter_->opacity() != 1.0 ||
        painter_->compositionMode() != QPainter::CompositionMode_SourceOver ||
        !painter_->deviceTransform().isIdentity())
        return nullptr;
    return image;
}

bool QtCanvas::CollectLine(QPoint from, QPoint to) {
    if (state_.penMode != PenMode::Copy || state_.penWidth > 1) return false;
    // A styled line over a solid brush fills its gaps: two colours.
    if (state_.penStyle != PenStyle::Solid && state_.brushStyle != BrushStyle::Clear) return false;
    const DevicePoint a{from.x(), from.y()};
    const DevicePoint b{to.x(), to.y()};
    if (!IsAxisLine(a, b)) return false;
    const QImage* image = DirectImage();
    if (image == nullptr) return false;
    if (!lines_.Empty() && lines_.RunColor() != state_.penColor) FlushLines();
    if (!lines_.Fit(image->width(), image->height())) {
        FlushLines();
        lines_.Fit(image->width(), image->height());
    }
    const LineDash dash = state_.penStyle == PenStyle::Solid ? LineDash::None
                          : state_.penStyle == PenStyle::Dot ? LineDash::Dot
                                                             : LineDash::Dash;
    if (const auto run = AxisLineRun(a, b, dash, image->width(), image->height()))
        lines_.Add(*run, state_.penColor);
    return true;
}

bool QtCanvas::PaintsLineColorOnly(bool usesPen) const {
    const Color color = lines_.RunColor();
    const bool brushOnly = state_.brushStyle == BrushStyle::Clear || state_.brushColor == color;
    if (!usesPen) return state_.brushStyle == BrushStyle::Solid && state_.brushColor == color;
    return IsRaster() && state_.penMode == PenMode::Copy && state_.penColor == color && brushOnly;
}

void QtCanvas::FlushLinesMeeting(const QRect& bounds) const {
    QImage* image = DirectImage();
    if (image == nullptr) {
        FlushLines();
        return;
    }
    // Room for the pen and for the rasteriser's rounding at the edges.
    const int margin = std::max(state_.penWidth, 1) + 2;
    lines_.PaintMeeting(ImagePixels(*image), image->bytesPerLine() / 4, ToQColor(lines_.RunColor()).rgb(),
                        PixelRect{bounds.left() - margin, bounds.top() - margin, bounds.right() + margin,
                                  bounds.bottom() + margin});
}

void QtCanvas::DropLinesUnder(const QRect& bounds, int inset) const {
    // Only a shape that replaces every pixel inside it: the brush solid and
    // the pen copying (an inverting pen reads what lies below).
    if (lines_.Empty() || state_.brushStyle != BrushStyle::Solid || state_.penMode != PenMode::Copy) return;
    const QRect inner = bounds.adjusted(inset, inset, -inset, -inset);
    if (inner.isEmpty()) return;
    lines_.DropCovered(PixelRect{inner.left(), inner.top(), inner.right(), inner.bottom()});
}

void QtCanvas::FlushLines() const {
    if (lines_.Empty()) return;
    QImage* image = DirectImage();
    if (image == nullptr) {
        // Lines are collected only while the image can be written directly,
        // and everything that could change that writes them first.
        lines_.Clear();
        return;
    }
    lines_.PaintInto(ImagePixels(*image), image->bytesPerLine() / 4, ToQColor(lines_.RunColor()).rgb());
}

// ---- state ---------------------------------------------------------------

void QtCanvas::SetPenColor(Color color) {
    state_.penColor = color;
}
void QtCanvas::SetPenWidth(int width) {
    state_.penWidth = width;
}
void QtCanvas::SetPenStyle(PenStyle style) {
    state_.penStyle = style;
}
void QtCanvas::SetPenMode(PenMode mode) {
    state_.penMode = mode;
}
void QtCanvas::SetBrushColor(Color color) {
    state_.brushColor = color;
    state_.brushStyle = BrushStyle::Solid;
}
void QtCanvas::SetBrushStyle(BrushStyle style) {
    state_.brushStyle = style;
}

void QtCanvas::SetFont(const FontSpec& font) {
    if (font == state_.font) return;
    state_.font = font;
    qfont_ = MakeFont(font, pixelsPerInch_);
}

FontSpec QtCanvas::Font() const {
    return state_.font;
}
void QtCanvas::SetFontColor(Color color) {
    state_.fontColor = color;
}

void QtCanvas::SetWindowOrigin(int x, int y) {
    state_.originX = x;
    state_.originY = y;
}

// Pen, brush and background of the current state, for drawing on the
// surface or, in pen mode Not, on a coverage mask (black, no background).
void QtCanvas::PreparePainter(QPainter& painter, bool forMask) const {
    const bool raster = forMask || IsRaster();
    const bool notOnVector = state_.penMode == PenMode::Not && !raster;
    const Color penColor = forMask || notOnVector ? kBlack : state_.penColor;
    const int width = std::max(state_.penWidth, 1);
    QPen pen(ToQColor(penColor));
    pen.setWidth(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (width == 1 && state_.penStyle != PenStyle::Solid) {
        pen.setDashPattern(state_.penStyle == PenStyle::Dash ? QList<qreal>{18, 6} : QList<qreal>{3, 3});
    }
    painter.setPen(pen);
    const bool solidBrush = state_.brushStyle == BrushStyle::Solid;
    if (solidBrush) {
        painter.setBrush(ToQColor(forMask || notOnVector ? kBlack : state_.brushColor));
    } else {
        painter.setBrush(Qt::NoBrush);
    }
    painter.setBackgroundMode(solidBrush && !forMask ? Qt::OpaqueMode : Qt::TransparentMode);
    painter.setBackground(ToQColor(state_.brushColor));
    painter.setRenderHint(QPainter::Antialiasing, !raster);
}

// Draws a shape with pen and brush. In pen mode Not on a raster surface the
// shape is first drawn onto a mask and every pixel it covers is inverted
// once, so that outline and fill never cancel each other. The mask spans the
// shape's pixel bounds grown by the pen width.
QtCanvas::PaintKey QtCanvas::CurrentPaintKey() const {
    return PaintKey{state_.penColor, state_.penWidth,   state_.penStyle,
                    state_.penMode,  state_.brushColor, state_.brushStyle};
}

template <typename Shape>
void QtCanvas::DrawShape(const QRect& bounds, const Shape& shape) {
    if (painter_ == nullptr) return;
    if (!lines_.Empty() && !PaintsLineColorOnly(true)) FlushLinesMeeting(bounds);
    if (state_.penMode != PenMode::Not || !IsRaster()) {
        const PaintKey key = CurrentPaintKey();
        if (!painterPrepared_ || key != preparedKey_) {
            PreparePainter(*painter_, false);
            preparedKey_ = key;
            painterPrepared_ = true;
        }
        shape(*painter_, QPoint(0, 0));
        return;
    }
    const int margin = std::max(state_.penWidth, 1) + 1;
    const QRect area = bounds.adjusted(-margin, -margin, margin, margin).intersected(SurfaceRect());
    if (area.isEmpty()) return;
    // The mask has the surface's ratio, so it covers the device pixels the
    // shape would paint there.
    QImage mask(QSize(static_cast<int>(std::ceil(area.width() * deviceScale_)),
                      static_cast<int>(std::ceil(area.height() * deviceScale_))),
                QImage::Format_ARGB32_Premultiplied);
    mask.setDevicePixelRatio(deviceScale_);
    mask.fill(Qt::transparent);
    {
        // The shape is shifted rather than the painter translated: Qt rasterises
        // some shapes differently under a transformation.
        QPainter maskPainter(&mask);
        PreparePainter(maskPainter, true);
        shape(maskPainter, area.topLeft());
    }
    if (deviceScale_ != 1.0) {
        InvertCovered(mask, area.topLeft());
        return;
    }
    const QRegion covered = CoveredRegion(mask, area.topLeft());
    if (covered.isEmpty()) return;
    painter_->save();
    painter_->setClipRegion(covered, painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter_->setCompositionMode(QPainter::RasterOp_NotDestination);
    painter_->fillRect(covered.boundingRect(), Qt::black);
    painter_->restore();
}

QRect QtCanvas::SurfaceRect() const {
    const QPaintDevice* device = painter_->device();
    if (device->devType() == QInternal::Image) {
        const QSizeF size = static_cast<const QImage*>(device)->deviceIndependentSize();
        return QRect(0, 0, static_cast<int>(std::ceil(size.width())),
                     static_cast<int>(std::ceil(size.height())));
    }
    return QRect(0, 0, device->width(), device->height());
}

// A clip region cannot hold parts of a canvas pixel, so on a surface with a
// higher ratio the covered device pixels of an image are inverted in place
// (each once, as the raster operation does).
void QtCanvas::InvertCovered(const QImage& mask, QPoint topLeft) {
    QPaintDevice* device = painter_->device();
    if (device->devType() != QInternal::Image) return;
    auto& image = *static_cast<QImage*>(device);
    if (image.depth() != 32) return;
    const int left = static_cast<int>(std::lround(topLeft.x() * deviceScale_));
    const int top = static_cast<int>(std::lround(topLeft.y() * deviceScale_));
    std::uint32_t* pixels = ImagePixels(image);
    const qsizetype stride = image.bytesPerLine() / 4;
    for (int y = 0; y < mask.height(); ++y) {
        const int row = top + y;
        if (row < 0 || row >= image.height()) continue;
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < mask.width(); ++x) {
            const int column = left + x;
            if (qAlpha(line[x]) == 0 || column < 0 || column >= image.width()) continue;
            pixels[row * stride + column] ^= 0x00FFFFFFu;
        }
    }
}

// On a surface that is not pixel exact a stroke runs through the centres of
// the pixels across it; along an axis line it starts and ends where the
// GDI line does (the end pixel left out by the flat cap).
QPointF QtCanvas::StrokeOffset(QPoint from, QPoint to) const {
    if (!IsRaster()) return kPixelCentre;
    if (from.y() == to.y()) return QPointF(0, 0.5);
    if (from.x() == to.x()) return QPointF(0.5, 0);
    return kPixelCentre;
}

// ---- shapes ----------------------------------------------------------------

void QtCanvas::MoveTo(int x, int y) {
    state_.penX = x;
    state_.penY = y;
}

void QtCanvas::LineTo(int x, int y) {
    const QPoint from(state_.penX - state_.originX, state_.penY - state_.originY);
    const QPoint to(x - state_.originX, y - state_.originY);
    state_.penX = x;
    state_.penY = y;
    if (CollectLine(from, to)) return;
    // A flat cap leaves out the end point, as GDI does.
    DrawShape(QRect(from, to).normalized(), [&](QPainter& p, QPoint shift) {
        if (PixelExact()) {
            p.drawLine(from - shift, to - shift);
        } else {
            const QPointF offset = StrokeOffset(from, to) - QPointF(shift);
            p.drawLine(QPointF(from) + offset, QPointF(to) + offset);
        }
    });
}

QRect QtCanvas::DevicePixels(int left, int top, int right, int bottom) const {
    return NormalRect(left - state_.originX, top - state_.originY, right - state_.originX,
                      bottom - state_.originY);
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
    const QRect pixels = DevicePixels(left, top, right, bottom);
    if (pixels.isEmpty()) return;
    DropLinesUnder(pixels, std::max(state_.penWidth, 1) + 1);
    DrawShape(pixels, [&](QPainter& p, QPoint shift) {
        if (PixelExact()) {
            p.drawRect(StrokeRect(pixels.translated(-shift)));
        } else if (IsRaster() && (pixels.width() == 1 || pixels.height() == 1)) {
            // An outline through centres one pixel apart has no inside and
            // its joins would jut out; its pixels are all pen.
            p.fillRect(pixels.translated(-shift), p.pen().color());
        } else {
            p.drawRect(CentreLineRect(pixels.translated(-shift)));
        }
    });
}

void QtCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    const QRect pixels = DevicePixels(left, top, right, bottom);
    if (pixels.isEmpty()) return;
    const QRectF box = CentreLineRect(pixels);
    const double rx = std::min(std::abs(cornerWidth) / 2.0, box.width() / 2.0);
    const double ry = std::min(std::abs(cornerHeight) / 2.0, box.height() / 2.0);
    // The corners leave pixels of the bounds uncovered, as far in as their radius.
    DropLinesUnder(pixels, static_cast<int>(std::ceil(std::max(rx, ry))) + std::max(state_.penWidth, 1) + 1);
    DrawShape(pixels, [&](QPainter& p, QPoint shift) {
        p.drawRoundedRect(box.translated(-shift), rx, ry, Qt::AbsoluteSize);
    });
}

void QtCanvas::Ellipse(int left, int top, int right, int bottom) {
    const QRect pixels = DevicePixels(left, top, right, bottom);
    if (pixels.isEmpty()) return;
    DrawShape(pixels,
              [&](QPainter& p, QPoint shift) { p.drawEllipse(CentreLineRect(pixels).translated(-shift)); });
}

void QtCanvas::Polygon(std::span<const DevicePoint> points) {
    if (points.size() < 2) return;
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const DevicePoint& point : points)
        polygon << QPoint(point.x - state_.originX, point.y - state_.originY);
    DrawShape(polygon.boundingRect(), [&](QPainter& p, QPoint shift) {
        if (PixelExact()) {
            p.drawPolygon(polygon.translated(-shift), Qt::OddEvenFill);
        } else {
            p.drawPolygon(QPolygonF(polygon).translated(kPixelCentre - QPointF(shift)), Qt::OddEvenFill);
        }
    });
}

// FillRect and FrameRect paint with the brush and, as on GDI, ignore the pen
// mode; a clear brush paints nothing.
void QtCanvas::FillRect(int left, int top, int right, int bottom) {
    if (painter_ == nullptr || state_.brushStyle == BrushStyle::Clear) return;
    const QRect area = DevicePixels(left, top, right, bottom);
    if (area.isEmpty()) return;
    // Every pixel of the area takes the brush colour, whatever waited below.
    lines_.DropCovered(PixelRect{area.left(), area.top(), area.right(), area.bottom()});
    painter_->fillRect(area, ToQColor(state_.brushColor));
}

void QtCanvas::FrameRect(int left, int top, int right, int bottom) {
    if (painter_ == nullptr || state_.brushStyle == BrushStyle::Clear) return;
    const QRect area = DevicePixels(left, top, right, bottom);
    if (area.isEmpty()) return;
    if (!lines_.Empty() && !PaintsLineColorOnly(false)) FlushLinesMeeting(area);
    const QColor color = ToQColor(state_.brushColor);
    painter_->fillRect(QRect(area.left(), area.top(), area.width(), 1), color);
    painter_->fillRect(QRect(area.left(), area.bottom(), area.width(), 1), color);
    painter_->fillRect(QRect(area.left(), area.top(), 1, area.height()), color);
    painter_->fillRect(QRect(area.right(), area.top(), 1, area.height()), color);
}

void QtCanvas::TextOut(int x, int y, const std::string& utf8Text) {
    if (painter_ == nullptr || utf8Text.empty()) return;
    const QString text = QString::fromStdString(utf8Text);
    const QFontMetrics metrics(qfont_);
    const QPoint cell(x - state_.originX, y - state_.originY);
    FlushLines();
    if (state_.brushStyle == BrushStyle::Solid) {
        painter_->fillRect(QRect(cell, QSize(metrics.horizontalAdvance(text), metrics.height())),
                           ToQColor(state_.brushColor));
    }
    painter_->setFont(qfont_);
    painter_->setPen(ToQColor(state_.fontColor));
    painter_->setBackgroundMode(Qt::TransparentMode);
    painter_->drawText(QPoint(cell.x(), cell.y() + metrics.ascent()), text);
    painterPrepared_ = false;  // the pen is the font colour now
}

// ---- measurement -------------------------------------------------------------

TextSize QtCanvas::TextExtent(const std::string& utf8Text) {
    return MeasureText(state_.font, utf8Text, pixelsPerInch_);
}

int QtCanvas::FontPixelHeight() {
    return tabulorix::FontPixelHeight(state_.font.pointSize, pixelsPerInch_);
}

double QtCanvas::PixelsPerInch() const {
    return pixelsPerInch_;
}

std::optional<Color> QtCanvas::Pixel(int x, int y) const {
    const QImage* image = Image();
    const QPoint point(x - state_.originX, y - state_.originY);
    if (image == nullptr) return std::nullopt;
    // The first device pixel of the canvas pixel.
    const QPoint device(static_cast<int>(std::floor(point.x() * deviceScale_)),
                        static_cast<int>(std::floor(point.y() * deviceScale_)));
    if (point.x() < 0 || point.y() < 0 || !image->rect().contains(device)) return std::nullopt;
    return FromQRgb(image->pixel(device));
}

}  // namespace tabulorix
