#include "session/design_document.h"

#include "designfile/design_loader.h"
#include "diagram/auto_layout.h"
#include "diagram/diagram_build.h"
#include "diagram/diagram_paint.h"
#include "diagram/draw_table_list.h"
#include "render/emf_action.h"
#include "render/word_export.h"

#include <iterator>

namespace tabulorix {

MGDesignDocument::MGDesignDocument(const DocumentSurfaces& surfaces)
    : drawBox_(std::make_unique<ZMGDrawBox>(surfaces.paintBox, surfaces.printer, surfaces.horizontal,
                                            surfaces.vertical, surfaces.clipboard)),
      manager_(std::make_unique<MGSchemaMng>()),
      settings_(this) {
    MGDrawTableList::SetDefaultDrawBox(drawBox_.get());
    drawBox_->RefreshPaper();
    drawBox_->Reset();
    drawBox_->SetDiagramFont(fontName_, fontSize_);
}

MGDesignDocument::~MGDesignDocument() {
    manager_.reset();  // the diagram goes with the schemas, before its drawing box
    MGDrawTableList::SetDefaultDrawBox(nullptr);
}

MGDesignContext MGDesignDocument::Context() {
    return MGDesignContext{*manager_, settings_, *this, drawBox_.get()};
}

bool MGDesignDocument::LoadDesign(const std::string& path) {
    if (!LoadDesignFile(Context(), path)) return false;
    settings_.Show();
    return HasDiagram();
}

void MGDesignDocument::Relayout(const MGRelayoutChoice& choice) {
    MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return;
    TSetDlg::Values values = settings_.StoredValues();
    values.PaperX = RelayoutPagesAcross(choice.pagesAcrossText);
    values.PaperY = 1;
    values.TableItem = choice.selectField;
    settings_.StoreValues(values);
    const MGRelayoutContext context{manager_->SchemaCount(),
                                    manager_->DisplayMode(),
                                    settings_.DisplayFlags(),
                                    fontName_,
                                    fontSize_,
                                    windowZoom_};
    const PageGrid grid = tabulorix::Relayout(*diagram, *drawBox_, values.PaperX, context);
    values.PaperX = grid.across;
    values.PaperY = grid.down;
    settings_.StoreValues(values);
}

int MGDesignDocument::PageCount() const {
    return settings_.StoredValues().PaperX * settings_.StoredValues().PaperY;
}

PrintOutcome MGDesignDocument::Print(std::optional<int> from, std::optional<int> to) {
    const DiagramRepaint repaint = Repaint();
    PreparePrinting(*drawBox_, windowZoom_, repaint);
    return PrintPages(*drawBox_, from.value_or(1), to.value_or(PageCount()), repaint);
}

void MGDesignDocument::AfterPrinterSetup() {
    if (!HasDiagram()) return;
    drawBox_->SetZoom(100, 1);
    settings_.ApplyDisplayFlags();
    drawBox_->RefreshPaper();
    drawBox_->SetZoom(windowZoom_, 1);
    settings_.Apply(false);
    if (!HasDiagram()) return;
    drawBox_->SetZoom(windowZoom_, 1);
    settings_.Apply(false);
    ApplyFont();
}

bool MGDesignDocument::SaveEmf(int page, const std::string& fileName) {
    return OutputEmfPicture(*drawBox_, page, fileName, windowZoom_, Repaint());
}

bool MGDesignDocument::DrawPicture(int page, Canvas& target) {
    return OutputPicture(*drawBox_, page, target, windowZoom_, Repaint());
}

bool MGDesignDocument::ExportWord(ClipboardTap& clipboard, const std::string& path) {
    return ExportDiagramToWord(*drawBox_, clipboard, path, windowZoom_, Repaint());
}

void MGDesignDocument::PaintDiagramNow(int pagePosition, const std::optional<Rect>& area) {
    MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return;
    MGPaintRequest request;
    request.flags = settings_.DisplayFlags();
    request.displayMode = manager_->DisplayMode();
    request.pagePosition = pagePosition;
    request.pageNumberForm = settings_.PageNoFormForDrawing();
    request.repaintArea = area;
    PaintDiagram(*diagram, *drawBox_, request);
}

DiagramRepaint MGDesignDocument::Repaint() {
    return DiagramRepaint{[this] { settings_.ApplyDisplayFlags(); },
                          [this] { ApplyFont(); },
                          [this] { settings_.Apply(false); },
                          {}};
}

void MGDesignDocument::ApplyFontChoice(const std::string& fontName, const std::string& fontSize) {
    SelectFontItems(fontName, fontSize);
    drawBox_->SetDiagramFont(fontName_, fontSize_);
    ApplyFont();
}

namespace {

constexpr int kZoomSteps[] = {400, 300, 200, 150, 100, 75, 50, 25};

// The index of a zoom among the steps; a zoom not among them counts as 100.
int ZoomStepIndex(int zoom) {
    for (int i = 0; i < static_cast<int>(std::size(kZoomSteps)); ++i)
        if (kZoomSteps[i] == zoom) return i;
    return 4;
}

}  // namespace

bool MGDesignDocument::CanStepZoom(int zoom, bool up) {
    const int index = ZoomStepIndex(zoom);
    return up ? index > 0 : index + 1 < static_cast<int>(std::size(kZoomSteps));
}

void MGDesignDocument::StepZoom(bool up) {
    if (!HasDiagram() || !CanStepZoom(windowZoom_, up)) return;
    const int previous = windowZoom_;
    windowZoom_ = kZoomSteps[ZoomStepIndex(previous) + (up ? -1 : 1)];
    drawBox_->SetZoom(windowZoom_, up ? 2 : 3, previous);
    ApplyFont();
}

void MGDesignDocument::ApplyFont() {
    if (MGDrawTableList* diagram = MGDrawTableList::Current())
        ApplyDiagramFont(*diagram, *drawBox_, fontName_, fontSize_, manager_->DisplayMode());
}

void MGDesignDocument::SelectFontItems(const std::string& fontName, const std::string& fontSize) {
    fontName_ = fontName;
    fontSize_ = fontSize;
}

bool MGDesignDocument::HasDiagram() const {
    return MGDrawTableList::Current() != nullptr;
}

PageGrid MGDesignDocument::PagesNeeded() const {
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return {};
    const MGPageCounts counts =
        diagram->PageCounts(drawBox_->Console().PaperW(), drawBox_->Console().PaperH());
    return PageGrid{counts.across, counts.down};
}

void MGDesignDocument::SetPageCount(int across, int down) {
    drawBox_->SetPageCount(across, down);
}

void MGDesignDocument::SetWindowZoom() {
    drawBox_->SetZoom(windowZoom_, 1);
}

void MGDesignDocument::SetZoom100() {
    drawBox_->SetZoom(100, 1);
}

void MGDesignDocument::HandDisplayFlags(int flags) {
    if (MGDrawTableList* diagram = MGDrawTableList::Current()) diagram->ApplyDisplayFlags(flags);
}

void MGDesignDocument::ApplyDisplayFlags(int flags) {
    HandDisplayFlags(flags);
    PaintDiagramNow(settings_.PagePositionForDrawing());
}

PaperInfo MGDesignDocument::GetPaperInfo() const {
    const ZMGPaperInfo paper = drawBox_->GetPaperInfo();
    return PaperInfo{paper.paperSize, paper.orientation, paper.pageWidth, paper.pageHeight, paper.resolution};
}

void MGDesignDocument::SetPaper(int sizeCode, int orientation) {
    drawBox_->SetPaper(sizeCode, orientation);
}

}  // namespace tabulorix
