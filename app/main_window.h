// The main window TForm1: menus, tool bars, the catalogue panels and the
// diagram tab around one document. Every command goes to the session layer;
// the window asks, shows and enables.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/settings_file.h"
#include "app/window_document.h"
#include "session/reverse_workflow.h"

class QComboBox;
class QTabWidget;

namespace tabulorix {

class CataloguePanels;
class DiagramMouse;
class TRelayoutDlg;
class TFindDlg;
class RecoveryKeeper;
struct RecoveryCopy;
class PaperActions;
class OutputDialogs;
class PaintBoxWidget;
class ScrollBarWidget;
class SystemClipboard;
class ClipboardTap;
class QtPrinter;

class TForm1 final : public QMainWindow, public WindowView {
    Q_OBJECT
public:
    // argument: the first program argument (a design file, "-DEBUG" or
    // empty), opened once at the first showing of the window.
    explicit TForm1(const std::string& argument = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // The connection dialog's OK as a request, or nothing when cancelled.
    using ConnectionAsker = std::function<std::optional<MGReverseRequest>()>;
    void SetConnectionAsker(ConnectionAsker asker) { askConnection_ = std::move(asker); }

    MGDesignDocument& Document() { return *document_; }
    // Set while the window presents a selection: waiting loops then do not
    // process events.
    bool Busy() const;
    CataloguePanels& Panels() { return *panels_; }
    PaperActions& Paper() { return *paper_; }
    RecoveryKeeper& Recovery() { return *recovery_; }
    DiagramMouse& Mouse() { return *mouse_; }
    // Opens a recovery copy as the modified design it was, under the name of
    // the file it belongs to (or unnamed). False when it could not be read.
    bool RestoreRecovery(const RecoveryCopy& copy);
    QtPrinter& Printer() { return *printer_; }
    OutputDialogs& Outputs() { return *outputs_; }
    // What the settings file held when the window was made.
    const SettingsFileValues& SettingsFile() const { return settingsFile_; }
    // Recently opened design files, newest first (at most eight).
    QStringList RecentFiles() const;

    // The commands (also reached through the actions).
    void ReverseDatabase();
    void OpenDesign();
    // Opens that file after the save question, as if chosen in the dialog.
    bool OpenDesignPath(const QString& path);
    void SaveDesignQuietly();
    void SaveDesignAs();
    // "再配置(&R)...": the relayout dialog, then the whole diagram laid out anew.
    void RelayoutDiagram();
    TRelayoutDlg& RelayoutDialog() { return *relayout_; }
    TFindDlg& FindDialog() { return *find_; }
    void ShowHelp();
    // The design file of the program argument, at most once.
    void OpenArgumentOnce();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // WindowView
    void ShowFontChoice(const std::string& fontName, const std::string& fontSize) override;
    void ResetZoomView() override;
    void RefreshCatalogue() override;
    void ShowSchemaNames() override;
    void ClearCatalogue() override;
    void ResetListMemory() override;
    void RemoveTreeRoot() override;
    void SetTreeRootText(const std::string& text) override;
    void ShowSchemaPanel() override;
    void ResetOutputDialogs() override;

    // Loads a design file while the paint box holds its picture.
    bool LoadHeld(const std::string& path);
    void BuildLayout();
    void BuildFontCombos(QToolBar& bar);
    void ConnectActions();
    void ConnectSurfaces();
    // Actions that need a schema or a diagram follow the model.
    void UpdateActions();
    void StepZoom(bool up);
    void ZoomAt(bool up, int x, int y);
    // The wheel and the keys of the paint box: scrolling, zoom, Escape.
    void Wheel(int dx, int dy, Qt::KeyboardModifiers modifiers, int x, int y);
    void Key(int key);
    // After a command that may have changed the diagram or the zoom.
    void AfterDiagramCommand(bool changed);
    void ApplyFontFromCombos();
    void PaintDiagram(const Rect& area);
    // The question whether to save a design with schemas; false on Cancel.
    bool MaySetDesignAside();
    void RememberRecent(const QString& path);
    // After a save that succeeded: the recovery copy goes, the file is listed.
    void Saved();
    void RebuildRecentMenu();

    std::string argument_;
    SettingsFileValues settingsFile_;
    bool argumentConsumed_ = false;
    ConnectionAsker askConnection_;

    PaintBoxWidget* paintBox_ = nullptr;
    ScrollBarWidget* horizontal_ = nullptr;
    ScrollBarWidget* vertical_ = nullptr;
    QComboBox* fontName_ = nullptr;
    QComboBox* fontSize_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::unique_ptr<SystemClipboard> systemClipboard_;
    std::unique_ptr<ClipboardTap> clipboard_;
    std::unique_ptr<QtPrinter> printer_;
    std::unique_ptr<CataloguePanels> panels_;
    std::unique_ptr<WindowDocument> document_;  // goes before the surfaces
    std::unique_ptr<PaperActions> paper_;       // goes before the document
    std::unique_ptr<RecoveryKeeper> recovery_;  // goes before the document
    DiagramMouse* mouse_ = nullptr;              // child of the paint box
    TRelayoutDlg* relayout_ = nullptr;           // child of the window
    TFindDlg* find_ = nullptr;                   // child of the window
    std::unique_ptr<OutputDialogs> outputs_;    // goes before the document
};

}  // namespace tabulorix
