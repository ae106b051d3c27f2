// A canvas drawing with QPainter: images, SVG and PDF files, printers and
// widgets.
//
// Coordinates are pixels of the paint device at a device pixel ratio of 1
// (logical pixels on a surface with a higher ratio); text is measured with
// the fonts module at the canvas resolution (96 on image, SVG and PDF
// surfaces made here, the printer's own resolution on a printer). Shapes keep
// the GDI conventions of Canvas: on raster surfaces antialiasing is off and a
// one-pixel Rectangle(0, 0, 10, 10) touches exactly pixels 0..9. On vector
// surfaces (SVG, PDF, printers) outlines run through the centres of those
// pixels, so a rendering at the canvas resolution covers the same pixels.
//
// On a raster surface with a device pixel ratio above 1 (a widget's image on
// a 2x screen) every logical pixel is a square of device pixels: shapes are
// drawn at the device's resolution without antialiasing, their outlines
// through the centres of the logical pixels, so a one-pixel line covers the
// same logical pixels as at ratio 1, each as a whole square, and text is
// rasterised at the full resolution.
//
// Pen mode Not inverts the pixels a shape covers on raster surfaces (each
// pixel once, so drawing the same shape twice restores the surface). Vector
// surfaces cannot invert: there a Not shape is drawn in black, which is what
// inverting white paper shows.
//
// Styled pens follow GDI: a dash or dot style applies to one-pixel pens only
// (wider pens draw solid); with a solid brush the gaps of a styled line and
// the cell behind a text are filled with the brush colour.
//
// Pen and brush stay set on the painter from one shape to the next and are
// set again only when they change. On a 32-bit image painted without clip,
// transformation or opacity, horizontal and vertical one-pixel lines in pen
// mode Copy (dashed ones with a clear brush) are collected and written
// straight into the image, each pixel once, with exactly the pixels Qt would
// paint. A shape that could paint another colour over them first has those
// of their pixels near it written (the rest wait on), a shape that covers
// them opaquely makes them needless; all are written before a text, before
// pixels are read and when painting ends.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <memory>
#include <string>

#include "base/canvas.h"
#include "platform/axis_line_runs.h"
#include "platform/line_run_batch.h"

class QPaintDevice;
class QPainter;
class QPrinter;
class QSaveFile;

namespace tabulorix {

class QtCanvas final : public Canvas {
public:
    // Paints on a borrowed device, which must outlive the canvas (painting
    // ends with Finish or the destructor). Check IsActive: a device that
    // cannot be painted leaves the canvas inactive and drawing does nothing.
    QtCanvas(QPaintDevice& device, double pixelsPerInch);
    // Draws through a borrowed, active painter (a widget's paint event);
    // the painter's own state is saved and restored around the canvas.
    QtCanvas(QPainter& painter, double pixelsPerInch);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // A white image of width × height pixels at 96 dpi (dots per metre set
    // accordingly), owned by the canvas. With a device pixel ratio above 1
    // the image holds width × height × ratio² device pixels, and coordinates
    // stay the width × height logical ones.
    static std::unique_ptr<QtCanvas> ForImage(int width, int height,
                                              QImage::Format format = QImage::Format_RGB32,
                                              double devicePixelRatio = 1.0);
    // An SVG file of width × height units at 96 dpi. The file is written
    // atomically by Finish; nothing when it cannot be created (reason in
    // *error).
    static std::unique_ptr<QtCanvas> ForSvgFile(const std::string& path, int width, int height,
                                                std::string* error = nullptr);
    // A one-page PDF file whose page is width × height units at 96 dpi
    // (NewPage adds pages of the same size). Written atomically by Finish.
    static std::unique_ptr<QtCanvas> ForPdfFile(const std::string& path, int width, int height,
                                                std::string* error = nullptr);
    // A canvas over a printer that has been set up; units are the printer's
    // pixels and the font resolution is the printer's resolution.
    static std::unique_ptr<QtCanvas> ForPrinter(QPrinter& printer, std::string* error = nullptr);

    bool IsActive() const;
    // Starts a new page on paged devices (PDF, printer); false elsewhere or
    // when the device refuses.
    bool NewPage();
    // Ends painting and, for files, writes them (atomically: a failed write
    // leaves any previous file as it was). Returns false with the reason in
    // *error when painting or writing failed. Later drawing is ignored.
    // Destroying a canvas without Finish ends painting and writes no file.
    bool Finish(std::string* error = nullptr);
    // The image surface of an image canvas (owned or borrowed), else null;
    // lines still collected are written first.
    const QImage* Image() const;
    // The painter, for drawing past the canvas; lines still collected are
    // written first.
    QPainter* Painter();

    void SetPenColor(Color color) override;
    void SetPenWidth(int width) override;
    void SetPenStyle(PenStyle style) override;
    void SetPenMode(PenMode mode) override;
    void SetBrushColor(Color color) override;
    void SetBrushStyle(BrushStyle style) override;
    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override;
    void SetFontColor(Color color) override;
    void SetWindowOrigin(int x, int y) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(std::span<const DevicePoint> points) override;
    void FillRect(int left, int top, int right, int bottom) override;
    void FrameRect(int left, int top, int right, int bottom) override;
    void TextOut(int x, int y, const std::string& utf8Text) override;

    TextSize TextExtent(const std::string& utf8Text) override;
    int FontPixelHeight() override;
    double PixelsPerInch() const override;
    std::optional<Color> Pixel(int x, int y) const override;
    int FontPointSize() const override { return state_.font.pointSize; }

private:
    struct Owned;  // what a factory-made canvas owns: file, device, painter
    struct State : CanvasState {
        int penX = 0;  // current pen position (MoveTo/LineTo)
        int penY = 0;
    };
    // The pen and brush fields PreparePainter reads.
    struct PaintKey {
        Color penColor;
        int penWidth;
        PenStyle penStyle;
        PenMode penMode;
        Color brushColor;
        BrushStyle brushStyle;
        bool operator==(const PaintKey&) const = default;
    };
    template <typename Shape>
    void DrawShape(const QRect& bounds, const Shape& shape);
    QRect DevicePixels(int left, int top, int right, int bottom) const;
    void PreparePainter(QPainter& painter, bool forMask) const;
    PaintKey CurrentPaintKey() const;
    bool IsRaster() const;
    // A raster surface whose device pixels are the canvas's pixels: Qt's
    // aliased one-pixel pen then covers exactly the GDI pixels.
    bool PixelExact() const { return IsRaster() && deviceScale_ == 1.0; }
    // Where a stroke from one point to the other is drawn, relative to the
    // integer points, on a surface that is not pixel exact.
    QPointF StrokeOffset(QPoint from, QPoint to) const;
    // The surface in canvas pixels.
    QRect SurfaceRect() const;
    // Inverts the device pixels covered in the mask (drawn at the device's
    // ratio for the canvas pixels from topLeft on).
    void InvertCovered(const QImage& mask, QPoint topLeft);
    // The image lines can be written into directly, else null.
    QImage* DirectImage() const;
    QImage* FindDirectImage() const;
    // Collects the line when it can be written directly; false otherwise.
    bool CollectLine(QPoint from, QPoint to);
    // True when a shape drawn with the current pen and brush can only paint
    // pixels in the colour of the collected lines (so the order of the two
    // does not matter).
    bool PaintsLineColorOnly(bool usesPen) const;
    // Writes the collected lines' pixels near these device pixels (a shape
    // drawn within them comes after the lines); the others wait on.
    void FlushLinesMeeting(const QRect& bounds) const;
    // Forgets the collected lines' pixels inside the bounds shrunk by inset,
    // when the shape about to be drawn there paints over all of them.
    void DropLinesUnder(const QRect& bounds, int inset) const;
    // Writes the collected lines.
    void FlushLines() const;

    QtCanvas(std::unique_ptr<Owned> owned, double pixelsPerInch);

    std::unique_ptr<Owned> owned_;
    QPainter* painter_ = nullptr;
    bool borrowedPainter_ = false;
    bool finished_ = false;
    bool finishedOk_ = false;
    double pixelsPerInch_;
    double deviceScale_ = 1.0;  // device pixels per canvas pixel
    State state_;
    QFont qfont_;
    bool painterPrepared_ = false;  // pen and brush of preparedKey_ are set on the painter
    PaintKey preparedKey_{};
    mutable LineRunBatch lines_;
    mutable bool directImageKnown_ = false;
    mutable QImage* directImage_ = nullptr;
};

}  // namespace tabulorix
