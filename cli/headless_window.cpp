#include "cli/headless_window.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "designfile/design_loader.h"
#include "diagram/diagram_build.h"
#include "diagram/diagram_paint.h"
#include "diagram/draw_table_list.h"
#include "platform/fonts.h"
#include "platform/qt_canvas.h"

namespace tabulorix::cli {
namespace {

constexpr int kPaintBoxWidth = 800;
constexpr int kPaintBoxHeight = 600;

bool DisplayAvailable() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// Qt's notes about the runtime directory of a headless session say nothing
// to the user of the command line; everything else Qt says goes to stderr.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("QStandardPaths: "))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) return;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if ((platform == nullptr || *platform == '\0') && !DisplayAvailable())
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "tabulorix-cli";
    static char* argv[] = {name, nullptr};
    qInstallMessageHandler(FilterQtMessages);
    static QGuiApplication application(argc, argv);
    InstallFontSubstitutions();
}

void ForwardingCanvas::SetTarget(Canvas& target) {
    if (&target == target_) return;
    target.SetFont(target_->Font());
    target_ = &target;
    target.SetPenColor(state_.penColor);
    target.SetPenWidth(state_.penWidth);
    target.SetPenStyle(state_.penStyle);
    target.SetPenMode(state_.penMode);
    target.SetBrushColor(state_.brushColor);
    target.SetBrushStyle(state_.brushStyle);
    target.SetFontColor(state_.fontColor);
}

HeadlessPaintBox::HeadlessPaintBox(int width, int height)
    : width_(width), height_(height), screen_(QtCanvas::ForImage(width, height)), canvas_(*screen_) {}

HeadlessPaintBox::~HeadlessPaintBox() = default;

void HeadlessPaintBox::Resize(int width, int height) {
    width_ = width;
    height_ = height;
}

HeadlessWindow::HeadlessWindow(const std::string& printerPdf)
    : paintBox_(kPaintBoxWidth, kPaintBoxHeight),
      printer_(QtPrinter::Kind::Pdf, printerPdf),
      drawBox_(std::make_unique<ZMGDrawBox>(paintBox_, printer_, hBar_, vBar_, clipboard_)),
      manager_(std::make_unique<MGSchemaMng>()),
      settings_(this) {
    MGDrawTableList::SetDefaultDrawBox(drawBox_.get());
    drawBox_->RefreshPaper();
    drawBox_->Reset();
    drawBox_->SetDiagramFont(fontName_, fontSize_);
}

HeadlessWindow::~HeadlessWindow() {
    manager_.reset();  // the diagram goes with the schemas, before its drawing box
    MGDrawTableList::SetDefaultDrawBox(nullptr);
}

MGDesignContext HeadlessWindow::Context() {
    return MGDesignContext{*manager_, settings_, *this, drawBox_.get()};
}

bool HeadlessWindow::LoadDesign(const std::string& path) {
    if (!LoadDesignFile(Context(), path)) return false;
    settings_.Show();
    return HasDiagram();
}

void HeadlessWindow::PaintDiagramNow(int pagePosition) {
    MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return;
    MGPaintRequest request;
    request.flags = settings_.DisplayFlags();
    request.displayMode = manager_->DisplayMode();
    request.pagePosition = pagePosition;
    request.pageNumberForm = settings_.PageNoFormForDrawing();
    PaintDiagram(*diagram, *drawBox_, request);
}

DiagramRepaint HeadlessWindow::Repaint() {
    return DiagramRepaint{[this] { settings_.ApplyDisplayFlags(); },
                          [this] { ApplyFont(); },
                          [this] { settings_.Apply(false); },
                          {}};
}

void HeadlessWindow::ApplyFont() {
    if (MGDrawTableList* diagram = MGDrawTableList::Current())
        ApplyDiagramFont(*diagram, *drawBox_, fontName_, fontSize_, manager_->DisplayMode());
}

void HeadlessWindow::SelectFontItems(const std::string& fontName, const std::string& fontSize) {
    fontName_ = fontName;
    fontSize_ = fontSize;
}

bool HeadlessWindow::HasDiagram() const {
    return MGDrawTableList::Current() != nullptr;
}

PageGrid HeadlessWindow::PagesNeeded() const {
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return {};
    const MGPageCounts counts =
        diagram->PageCounts(drawBox_->Console().PaperW(), drawBox_->Console().PaperH());
    return PageGrid{counts.across, counts.down};
}

void HeadlessWindow::SetPageCount(int across, int down) {
    drawBox_->SetPageCount(across, down);
}

void HeadlessWindow::SetWindowZoom() {
    drawBox_->SetZoom(windowZoom_, 1);
}

void HeadlessWindow::SetZoom100() {
    drawBox_->SetZoom(100, 1);
}

void HeadlessWindow::HandDisplayFlags(int flags) {
    if (MGDrawTableList* diagram = MGDrawTableList::Current()) diagram->ApplyDisplayFlags(flags);
}

void HeadlessWindow::ApplyDisplayFlags(int flags) {
    HandDisplayFlags(flags);
    PaintDiagramNow(settings_.PagePositionForDrawing());
}

PaperInfo HeadlessWindow::GetPaperInfo() const {
    const ZMGPaperInfo paper = drawBox_->GetPaperInfo();
    return PaperInfo{paper.paperSize, paper.orientation, paper.pageWidth, paper.pageHeight, paper.resolution};
}

void HeadlessWindow::SetPaper(int sizeCode, int orientation) {
    drawBox_->SetPaper(sizeCode, orientation);
}

}  // namespace tabulorix::cli
