#include "platform/qt_printer.h"

#include <QMarginsF>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

#include "platform/qt_canvas.h"

namespace tabulorix {

namespace {

constexpr int kPaperUser = 256;  // Windows code of a user-defined paper size
constexpr int kPdfResolution = 600;

}  // namespace

// The printer canvas: outside a print job it measures at the printer's
// resolution on a scratch image; during a job it draws on the printer. The
// pen, brush and font state carries over between the two, so the diagram
// font set before a job is the one printed.
class QtPrinter::JobCanvas final : public Canvas {
public:
    explicit JobCanvas(QPrinter& printer) : printer_(printer), scratch_(1, 1, QImage::Format_RGB32) {
        scratch_.fill(Qt::white);
    }

    void StartJob(std::unique_ptr<QtCanvas> job) {
        job_ = std::move(job);
        Replay(*job_);
    }
    std::unique_ptr<QtCanvas> EndJob() { return std::move(job_); }
    QtCanvas* Job() { return job_.get(); }

    void SetPenColor(Color color) override { Target().SetPenColor(state_.penColor = color); }
    void SetPenWidth(int width) override { Target().SetPenWidth(state_.penWidth = width); }
    void SetPenStyle(PenStyle style) override { Target().SetPenStyle(state_.penStyle = style); }
    void SetPenMode(PenMode mode) override { Target().SetPenMode(state_.penMode = mode); }
    void SetBrushColor(Color color) override { Target().SetBrushColor(state_.brushColor = color); }
    void SetBrushStyle(BrushStyle style) override { Target().SetBrushStyle(state_.brushStyle = style); }
    void SetFont(const FontSpec& font) override { Target().SetFont(state_.font = font); }
    FontSpec Font() const override { return state_.font; }
    void SetFontColor(Color color) override { Target().SetFontColor(state_.fontColor = color); }
    void SetWindowOrigin(int x, int y) override {
        state_.originX = x;
        state_.originY = y;
        Target().SetWindowOrigin(x, y);
    }

    void MoveTo(int x, int y) override { Target().MoveTo(x, y); }
    void LineTo(int x, int y) override { Target().LineTo(x, y); }
    void Rectangle(int l, int t, int r, int b) override { Target().Rectangle(l, t, r, b); }
    void RoundRect(int l, int t, int r, int b, int w, int h) override {
        Target().RoundRect(l, t, r, b, w, h);
    }
    void Ellipse(int l, int t, int r, int b) override { Target().Ellipse(l, t, r, b); }
    void Polygon(std::span<const DevicePoint> points) override { Target().Polygon(points); }
    void FillRect(int l, int t, int r, int b) override { Target().FillRect(l, t, r, b); }
    void FrameRect(int l, int t, int r, int b) override { Target().FrameRect(l, t, r, b); }
    void TextOut(int x, int y, const std::string& text) override { Target().TextOut(x, y, text); }

    TextSize TextExtent(const std::string& text) override { return Target().TextExtent(text); }
    int FontPixelHeight() override { return Target().FontPixelHeight(); }
    double PixelsPerInch() const override { return printer_.resolution(); }
    std::optional<Color> Pixel(int, int) const override { return std::nullopt; }

private:
    using State = CanvasState;

    // The job canvas, or the measuring canvas at the printer's current
    // resolution (the print dialog may have chosen another printer).
    Canvas& Target() {
        if (job_) return *job_;
        const double resolution = printer_.resolution();
        if (!measure_ || measure_->PixelsPerInch() != resolution) {
            measure_.reset();
            measure_ = std::make_unique<QtCanvas>(scratch_, resolution);
            Replay(*measure_);
        }
        return *measure_;
    }

    void Replay(Canvas& canvas) const {
        canvas.SetFont(state_.font);
        ApplyPenAndBrush(canvas, state_);
        canvas.SetWindowOrigin(state_.originX, state_.originY);
    }

    QPrinter& printer_;
    QImage scratch_;
    std::unique_ptr<QtCanvas> measure_;
    std::unique_ptr<QtCanvas> job_;
    State state_;
};

QtPrinter::QtPrinter(Kind kind, const std::string& pdfPath) {
    const bool system = kind == Kind::SystemOrPdf && !QPrinterInfo::defaultPrinter().isNull();
    if (system) {
        printer_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    } else {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setResolution(kPdfResolution);
        printer_->setOutputFileName(QString::fromStdString(pdfPath));
        // A PDF page has no hardware margins: the printable area is the sheet.
        printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);
    canvas_ = std::make_unique<JobCanvas>(*printer_);
}

QtPrinter::~QtPrinter() {
    if (canvas_ && canvas_->Job() != nullptr) canvas_->EndJob()->Finish();
}

bool QtPrinter::IsPdf() const {
    return printer_->outputFormat() == QPrinter::PdfFormat;
}

void QtPrinter::SetOutputFileName(const std::string& path) {
    printer_->setOutputFileName(QString::fromStdString(path));
}

double QtPrinter::PageWidth() const {
    return printer_->pageLayout().paintRectPixels(printer_->resolution()).width();
}

double QtPrinter::PageHeight() const {
    return printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
}

Canvas& QtPrinter::PrinterCanvas() {
    return *canvas_;
}

PaperSettingsResult QtPrinter::ReadPaperSettings() {
    const QPageLayout layout = printer_->pageLayout();
    return PaperSettingsResult{PaperSettingsResult::Status::Ok, 0, PaperSizeCode(layout.pageSize()),
                               OrientationCode(layout.orientation())};
}

PaperSettingsResult QtPrinter::WritePaperSettings(int paperSize, int orientation) {
    const auto size = PageSizeForCode(paperSize);
    const auto pageOrientation = OrientationForCode(orientation);
    PaperSettingsResult result = ReadPaperSettings();
    if (!size || !pageOrientation || !printer_->setPageSize(*size) ||
        !printer_->setPageOrientation(*pageOrientation)) {
        result.status = PaperSettingsResult::Status::Rejected;
        return result;
    }
    return ReadPaperSettings();
}

void QtPrinter::BeginDoc() {
    if (canvas_->Job() != nullptr) throw PrintError("a print job is already running");
    std::string error;
    auto job = QtCanvas::ForPrinter(*printer_, &error);
    if (!job) throw PrintError(error.empty() ? "cannot start the print job" : error);
    canvas_->StartJob(std::move(job));
}

void QtPrinter::NewPage() {
    QtCanvas* job = canvas_->Job();
    if (job == nullptr) throw PrintError("no print job is running");
    if (!job->NewPage())
        throw PrintError("cannot start a new page on " + printer_->printerName().toStdString());
}

void QtPrinter::EndDoc() {
    std::unique_ptr<QtCanvas> job = canvas_->EndJob();
    if (!job) return;
    std::string error;
    if (!job->Finish(&error)) throw PrintError(error.empty() ? "the print job failed" : error);
}

int QtPrinter::PaperSizeCode(const QPageSize& size) {
    const int code = size.windowsId();
    return code > 0 ? code : kPaperUser;
}

std::optional<QPageSize> QtPrinter::PageSizeForCode(int code) {
    if (code <= 0 || code == kPaperUser) return std::nullopt;
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom) return std::nullopt;
    return QPageSize(id);
}

int QtPrinter::OrientationCode(QPageLayout::Orientation orientation) {
    return orientation == QPageLayout::Landscape ? kOrientationLandscape : kOrientationPortrait;
}

std::optional<QPageLayout::Orientation> QtPrinter::OrientationForCode(int code) {
    if (code == kOrientationPortrait) return QPageLayout::Portrait;
    if (code == kOrientationLandscape) return QPageLayout::Landscape;
    return std::nullopt;
}

}  // namespace tabulorix
