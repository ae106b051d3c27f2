#include "app/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/catalogue_panels.h"
#include "app/diagram_mouse.h"
#include "app/find_dialog.h"
#include "app/help_pages.h"
#include "app/output_dialogs.h"
#include "app/paper_actions.h"
#include "app/recovery_copies.h"
#include "app/relayout_dialog.h"
#include "app/ui_language.h"
#include "app/window_actions.h"
#include "app/window_surfaces.h"
#include "base/ui_ports.h"
#include "designfile/design_save.h"
#include "diagram/shape_table.h"
#include "platform/qt_printer.h"
#include "render/clipboard_tap.h"
#include "render/draw_box.h"

namespace tabulorix {

namespace {

constexpr int kRecentCount = 8;
const QString kRecentKey = QStringLiteral("recentFiles");
constexpr const char* kFontSizes[] = {"4", "8", "9", "10", "11", "12", "14", "16", "20"};

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// Actions that do nothing without a schema or a diagram are disabled then.
constexpr const char* kNeedSchema[] = {"ActionOutputDesignFile", "ActionOutputDesignFileAs", "ActionOutputCSVFile",
                                       "ActionOutputSQL"};
constexpr const char* kNeedDiagram[] = {"ActionPrint", "ActionToWord", "ActionOutputEMF", "ActionReLayout",
                                        "ActionFind"};

}  // namespace

TForm1::TForm1(const std::string& argument, QWidget* parent)
    : QMainWindow(parent),
      argument_(argument),
      settingsFile_(ReadSettingsFile()),
      systemClipboard_(std::make_unique<SystemClipboard>()),
      clipboard_(std::make_unique<ClipboardTap>(systemClipboard_.get())),
      printer_(std::make_unique<QtPrinter>()) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Tabulorix for Oracle"));
    setAcceptDrops(true);
    BuildLayout();
    document_ = std::make_unique<WindowDocument>(
        DocumentSurfaces{*paintBox_, *printer_, *horizontal_, *vertical_, *clipboard_}, *this);
    document_->Manager().SetDisplayMode(2);
    paper_ = std::make_unique<PaperActions>(*this, *document_, *printer_, *clipboard_);
    recovery_ = std::make_unique<RecoveryKeeper>(*document_, RecoveryKeeper::DefaultFolder());
    mouse_ = new DiagramMouse(*document_, *paintBox_, *WindowAction(*this, "ActionArrow"),
                              *WindowAction(*this, "ActionDeleteText"),
                              [this](MGShapeTable& box, bool open) {
                                  if (open)
                                      panels_->ShowBoxDetails(box);
                                  else
                                      panels_->SelectBoxNode(box);
                              });
    relayout_ = new TRelayoutDlg(this);
    // A box chosen in the find box: shown in the diagram and in the tree.
    find_ = new TFindDlg(this, [this](MGShapeTable& box) {
        pages_->setCurrentIndex(1);
        panels_->SelectBoxNode(box);
        mouse_->ShowTable(box.SchemaNumber(), box.Name());
    });
    outputs_ = std::make_unique<OutputDialogs>(*this, *document_, *clipboard_, *systemClipboard_);
    panels_->Attach(*document_, [this] { paintBox_->Repaint(); });
    panels_->SetDiagramSelector([this](MGShapeTable& box) { mouse_->ShowTable(box.SchemaNumber(), box.Name()); });
    ApplyFontFromCombos();
    ConnectSurfaces();
    ConnectActions();
    panels_->Viewer().Show(MGViewer::kSchema);
    RebuildRecentMenu();
    UpdateActions();
    restoreGeometry(QSettings().value(QStringLiteral("geometry")).toByteArray());
}

TForm1::~TForm1() {
    // Closing widgets lose focus and may report edits; the document goes
    // first, so nothing may reach it any more.
    for (QObject* sender : {static_cast<QObject*>(fontName_), static_cast<QObject*>(fontSize_),
                            static_cast<QObject*>(fontName_->lineEdit()),
                            static_cast<QObject*>(fontSize_->lineEdit())})
        QObject::disconnect(sender, nullptr, this, nullptr);
    paintBox_->SetPaintHook({});
}

void TForm1::BuildLayout() {
    WindowToolBars bars = BuildActions(*this);
    BuildFontCombos(*bars.erd);
    auto* splitter = new QSplitter(this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    auto* left = new QWidget(splitter);
    left->setObjectName(QStringLiteral("PanelLeft"));
    pages_ = new QTabWidget(splitter);
    pages_->setObjectName(QStringLiteral("PageControlTop"));
    panels_ = std::make_unique<CataloguePanels>(*left, *pages_);

    auto* paintPanel = new QWidget(pages_);
    paintPanel->setObjectName(QStringLiteral("PaintPanel"));
    auto* grid = new QGridLayout(paintPanel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    paintBox_ = new PaintBoxWidget(paintPanel);
    paintBox_->setObjectName(QStringLiteral("PaintBox"));
    vertical_ = new ScrollBarWidget(Qt::Vertical, paintPanel);
    vertical_->setObjectName(QStringLiteral("VScrollBar"));
    horizontal_ = new ScrollBarWidget(Qt::Horizontal, paintPanel);
    horizontal_->setObjectName(QStringLiteral("HScrollBar"));
    grid->addWidget(paintBox_, 0, 0);
    grid->addWidget(vertical_, 0, 1);
    grid->addWidget(horizontal_, 1, 0);
    pages_->addTab(paintPanel, UiText::tr("表関連図"));

    splitter->addWidget(left);
    splitter->addWidget(pages_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 760});
    setCentralWidget(splitter);
    resize(1024, 720);
}

void TForm1::BuildFontCombos(QToolBar& bar) {
    fontName_ = new QComboBox(&bar);
    fontName_->setObjectName(QStringLiteral("ComboBoxForFontName"));
    fontName_->setToolTip(UiText::tr("表関連図のフォント"));
    fontName_->setEditable(true);
    fontName_->setInsertPolicy(QComboBox::NoInsert);
    fontName_->setMinimumContentsLength(16);
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isScalable(family)) fontName_->addItem(family);
    fontSize_ = new QComboBox(&bar);
    fontSize_->setObjectName(QStringLiteral("ComboBoxForFontSize"));
    fontSize_->setToolTip(UiText::tr("表関連図のフォントサイズ"));
    fontSize_->setEditable(true);
    fontSize_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* size : kFontSizes) fontSize_->addItem(QString::fromLatin1(size));
    bar.addWidget(fontName_);
    bar.addWidget(fontSize_);
    ShowFontChoice("IPAPGothic", "9");
}

void TForm1::ConnectSurfaces() {
    paintBox_->SetPaintHook([this](const Rect& area) { PaintDiagram(area); });
    connect(paintBox_, &PaintBoxWidget::resized, this, [this] { document_->DrawBox().UpdateScrollBars(4, 0); });
    connect(horizontal_, &ScrollBarWidget::movedByUser, this, [this] { document_->DrawBox().ScrollChanged(true); });
    connect(vertical_, &ScrollBarWidget::movedByUser, this, [this] { document_->DrawBox().ScrollChanged(false); });
    connect(paintBox_, &PaintBoxWidget::wheeled, this,
            [this](int dx, int dy, Qt::KeyboardModifiers modifiers, int x, int y) { Wheel(dx, dy, modifiers, x, y); });
    connect(paintBox_, &PaintBoxWidget::keyPressed, this, [this](int key) { Key(key); });
    connect(fontName_, &QComboBox::activated, this, [this] { ApplyFontFromCombos(); });
    connect(fontSize_, &QComboBox::activated, this, [this] { ApplyFontFromCombos(); });
    connect(fontName_->lineEdit(), &QLineEdit::editingFinished, this, [this] { ApplyFontFromCombos(); });
    connect(fontSize_->lineEdit(), &QLineEdit::editingFinished, this, [this] { ApplyFontFromCombos(); });
}

void TForm1::ConnectActions() {
    const auto on = [this](const char* name, auto slot) {
        connect(WindowAction(*this, name), &QAction::triggered, this, slot);
    };
    on("ActionReverseDB", [this] { ReverseDatabase(); });
    on("ActionOpenDesignFile", [this] { OpenDesign(); });
    on("ActionOutputDesignFile", [this] { SaveDesignQuietly(); });
    on("ActionOutputDesignFileAs", [this] { SaveDesignAs(); });
    on("ActionExit", [this] { close(); });
    on("ZoomUp", [this] { StepZoom(true); });
    on("ZoomDown", [this] { StepZoom(false); });
    on("Help2", [this] { ShowHelp(); });
    on("ActionDeleteText", [this] { mouse_->DeleteTexts(); });
    on("ActionReLayout", [this] { RelayoutDiagram(); });
    on("ActionFind", [this] { find_->Open(); });
    on("ActionOption", [this] { AfterDiagramCommand(paper_->ShowSettings()); });
    on("ActionPrint", [this] { AfterDiagramCommand(paper_->Print()); });
    on("SetPrint", [this] { AfterDiagramCommand(paper_->SetUpPrinter()); });
    on("ActionToWord", [this] { AfterDiagramCommand(paper_->ExportWord()); });
    on("ActionOutputSQL", [this] { outputs_->OutputSql(); });
    on("ActionOutputCSVFile", [this] { outputs_->OutputCsv(); });
    on("ActionOutputEMF", [this] {
        outputs_->OutputEmf();
        paintBox_->Repaint();
    });
    QMenu* file = WindowAction(*this, "ActionExit")->associatedObjects().isEmpty()
                      ? nullptr
                      : qobject_cast<QMenu*>(WindowAction(*this, "ActionExit")->associatedObjects().first());
    if (file != nullptr) {
        recentMenu_ = new QMenu(UiText::tr("最近使ったファイル(&R)"), file);
        recentMenu_->setObjectName(QStringLiteral("RecentFilesMenu"));
        file->insertMenu(WindowAction(*this, "ActionExit"), recentMenu_);
        file->insertSeparator(WindowAction(*this, "ActionExit"));
    }
}

void TForm1::UpdateActions() {
    const bool schema = document_->Manager().SchemaCount() > 0;
    const bool diagram = document_->HasDiagram();
    for (const char* name : kNeedSchema) WindowAction(*this, name)->setEnabled(schema);
    for (const char* name : kNeedDiagram) WindowAction(*this, name)->setEnabled(diagram);
    const int zoom = document_->WindowZoom();
    WindowAction(*this, "ZoomUp")->setEnabled(diagram && MGDesignDocument::CanStepZoom(zoom, true));
    WindowAction(*this, "ZoomDown")->setEnabled(diagram && MGDesignDocument::CanStepZoom(zoom, false));
}

bool TForm1::MaySetDesignAside() {
    if (document_->Manager().SchemaCount() == 0) return true;
    const Answer answer = SaveDesign(document_->Context(), true, false);
    if (answer == Answer::Cancel) return false;
    recovery_->Discard();  // saved, or the user chose to drop the changes
    return true;
}

void TForm1::ReverseDatabase() {
    if (!MaySetDesignAside() || !askConnection_) return;
    const std::optional<MGReverseRequest> request = askConnection_();
    if (!request) return;
    WindowReverseHost host(*document_, *this);
    {
        const PaintBoxWidget::Hold hold(*paintBox_);
        tabulorix::ReverseIntoDocument(*document_, *request, host);
    }
    UpdateActions();
    paintBox_->Repaint();
}

void TForm1::OpenDesign() {
    if (!MaySetDesignAside()) return;
    const std::optional<std::string> path =
        FileNames().AskOpenFileName({QT_TRANSLATE_NOOP("UiText", "デザインファイル読み込み"), "tlx", kDesignFileFilter, ""});
    if (!path) return;
    outputs_->Reset();
    if (LoadHeld(*path)) RememberRecent(Text(*path));
    UpdateActions();
    paintBox_->Repaint();
}

bool TForm1::OpenDesignPath(const QString& path) {
    if (!MaySetDesignAside()) return false;
    outputs_->Reset();
    const bool loaded = LoadHeld(path.toStdString());
    if (loaded) RememberRecent(path);
    UpdateActions();
    paintBox_->Repaint();
    return loaded;
}

// The paint box keeps its picture while the load shows its progress.
bool TForm1::LoadHeld(const std::string& path) {
    const PaintBoxWidget::Hold hold(*paintBox_);
    return document_->LoadDesign(path);
}

void TForm1::SaveDesignQuietly() {
    if (document_->Manager().SchemaCount() == 0) return;
    if (SaveDesign(document_->Context(), true, true) == Answer::Yes) Saved();
}

void TForm1::SaveDesignAs() {
    if (document_->Manager().SchemaCount() == 0) return;
    if (SaveDesign(document_->Context(), false, false) == Answer::Yes) Saved();
}

void TForm1::Saved() {
    recovery_->Discard();
    RememberRecent(Text(document_->Manager().DesignPath()));
}

bool TForm1::RestoreRecovery(const RecoveryCopy& copy) {
    if (!LoadHeld(copy.designFile.toStdString())) return false;
    MGSchemaMng& manager = document_->Manager();
    manager.SetDesignPath(copy.originalPath.toStdString());
    manager.SetModified();
    SetTreeRootText(manager.DesignTitle());
    UpdateActions();
    paintBox_->Repaint();
    return true;
}

void TForm1::ShowHelp() {
    const QString page = HelpIndexPath();
    if (!QFileInfo::exists(page)) {
        tabulorix::ShowMessage(UiText::tr("ヘルプファイルが見つかりません: %1").arg(page).toStdString());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

void TForm1::OpenArgumentOnce() {
    if (argumentConsumed_) return;
    argumentConsumed_ = true;
    const std::string argument = std::exchange(argument_, {});
    recovery_->OfferOrphans([this](const RecoveryCopy& copy) { return RestoreRecovery(copy); });
    if (argument.empty() || argument == "-DEBUG") return;
    OpenDesignPath(Text(argument));
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (SaveDesign(document_->Context(), true, false) == Answer::Cancel) {
        event->ignore();
        return;
    }
    QSettings().setValue(QStringLiteral("geometry"), saveGeometry());
    recovery_->Discard();
    event->accept();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!argumentConsumed_) QTimer::singleShot(0, this, [this] { OpenArgumentOnce(); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    const QString path = urls.first().toLocalFile();
    QTimer::singleShot(0, this, [this, path] { OpenDesignPath(path); });
}

void TForm1::RelayoutDiagram() {
    if (!document_->HasDiagram()) return;
    const std::optional<MGRelayoutChoice> choice = relayout_->Execute(document_->Settings());
    if (!choice) return;
    document_->Relayout(*choice);
    recovery_->DesignChanged();
    AfterDiagramCommand(true);
}

void TForm1::AfterDiagramCommand(bool changed) {
    UpdateActions();
    if (changed) paintBox_->Repaint();
}

void TForm1::Wheel(int dx, int dy, Qt::KeyboardModifiers modifiers, int x, int y) {
    if (!document_->HasDiagram()) return;
    if ((modifiers & Qt::ControlModifier) != 0) {
        if (dy != 0) ZoomAt(dy > 0, x, y);
        return;
    }
    // One notch (120) scrolls three small steps; Shift turns it sideways.
    const bool sideways = (modifiers & Qt::ShiftModifier) != 0 || (dx != 0 && dy == 0);
    ScrollBarWidget* bar = sideways ? horizontal_ : vertical_;
    const int notches = sideways && dx != 0 ? dx : dy;
    bar->setValue(bar->value() - notches * 3 * bar->singleStep() / 120);
}

void TForm1::Key(int key) {
    switch (key) {
        case Qt::Key_Escape: mouse_->CancelDrag(); return;
        case Qt::Key_Left: horizontal_->triggerAction(QAbstractSlider::SliderSingleStepSub); return;
        case Qt::Key_Right: horizontal_->triggerAction(QAbstractSlider::SliderSingleStepAdd); return;
        case Qt::Key_Up: vertical_->triggerAction(QAbstractSlider::SliderSingleStepSub); return;
        case Qt::Key_Down: vertical_->triggerAction(QAbstractSlider::SliderSingleStepAdd); return;
        case Qt::Key_PageUp: vertical_->triggerAction(QAbstractSlider::SliderPageStepSub); return;
        case Qt::Key_PageDown: vertical_->triggerAction(QAbstractSlider::SliderPageStepAdd); return;
        default: return;
    }
}

// A zoom step that keeps the world point under the cursor where it is.
void TForm1::ZoomAt(bool up, int x, int y) {
    ZMGDrawBox& box = document_->DrawBox();
    const Rect before = box.UnmapRect(Rect{x, y, x, y});
    const int zoom = document_->WindowZoom();
    StepZoom(up);
    if (document_->WindowZoom() == zoom) return;
    const int scale = document_->WindowZoom();
    box.ScrollTo(true, before.left - (x - paintBox_->width() / 2) * 100 / scale);
    box.ScrollTo(false, before.top - (y - paintBox_->height() / 2) * 100 / scale);
    paintBox_->Repaint();
}

void TForm1::StepZoom(bool up) {
    document_->StepZoom(up);
    UpdateActions();
    paintBox_->Repaint();
}

void TForm1::ApplyFontFromCombos() {
    const std::string name = fontName_->currentText().toStdString();
    const std::string size = fontSize_->currentText().toStdString();
    if (name == document_->FontNameText() && size == document_->FontSizeText()) return;
    document_->ApplyFontChoice(name, size);
    paintBox_->Repaint();
}

void TForm1::PaintDiagram(const Rect& area) {
    if (document_ == nullptr) return;
    if (document_->Manager().SchemaCount() == 0) {
        document_->DrawBox().ClearPaper();
        return;
    }
    // The display flags of the settings, without writing them into every
    // box: a paint measures only the boxes something changed. Applying them
    // (every box measured anew) is for a settings change, a build, a load and
    // a relayout, not for every scroll step. Only what meets the area is
    // drawn.
    document_->PaintDiagramNow(document_->Settings().PagePositionForDrawing(), area);
}

void TForm1::ShowFontChoice(const std::string& fontName, const std::string& fontSize) {
    // A name that is not among the items (a font of another system) stays
    // as text, so it is written back unchanged.
    fontName_->setCurrentIndex(fontName_->findText(Text(fontName)));
    fontName_->setEditText(Text(fontName));
    fontSize_->setCurrentIndex(fontSize_->findText(Text(fontSize)));
    fontSize_->setEditText(Text(fontSize));
}

void TForm1::ResetZoomView() {
    document_->WindowZoom() = 100;
    horizontal_->SetPosition(0);
    vertical_->SetPosition(0);
    WindowAction(*this, "ZoomUp")->setEnabled(true);
    WindowAction(*this, "ZoomDown")->setEnabled(true);
}

void TForm1::RefreshCatalogue() { panels_->ShowCatalogue(); }

void TForm1::ShowSchemaNames() { panels_->ShowSchemaNames(); }

void TForm1::ClearCatalogue() { panels_->RemoveRoot(); }

void TForm1::ResetListMemory() { panels_->ResetListMemory(); }

void TForm1::RemoveTreeRoot() { panels_->RemoveRoot(); }

void TForm1::SetTreeRootText(const std::string& text) { panels_->SetRootText(Text(text)); }

void TForm1::ShowSchemaPanel() { panels_->Viewer().Show(MGViewer::kSchema); }

void TForm1::ResetOutputDialogs() { outputs_->Reset(); }

bool TForm1::Busy() const { return panels_->Busy(); }

QStringList TForm1::RecentFiles() const { return QSettings().value(kRecentKey).toStringList(); }

void TForm1::RememberRecent(const QString& path) {
    if (path.isEmpty()) return;
    QStringList files = RecentFiles();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentCount) files.removeLast();
    QSettings().setValue(kRecentKey, files);
    RebuildRecentMenu();
}

void TForm1::RebuildRecentMenu() {
    if (recentMenu_ == nullptr) return;
    recentMenu_->clear();
    const QStringList files = RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(action, &QAction::triggered, this, [this, path] { OpenDesignPath(path); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

}  // namespace tabulorix
