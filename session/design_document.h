// The document of one main window: the schema manager (and with it the
// diagram), the settings and the drawing box wired to the window's paint
// box, printer, scroll bars and clipboard. The GUI and the command line
// both stand on it, so opening, painting and the settings' host behave the
// same in both; a face overrides the window hooks it shows.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "catalogue/schema_manager.h"
#include "designfile/design_window.h"
#include "diagram/settings.h"
#include "render/clipboard_tap.h"
#include "render/draw_box.h"
#include "render/paint_hooks.h"
#include "render/print_job.h"

namespace tabulorix {

// What the relayout dialog hands over on OK.
struct MGRelayoutChoice {
    std::string pagesAcrossText;
    int selectField = 0;  // 0 keys and indexes, 1 all columns, 2 names only
};

// The surfaces a face hands to its document; they outlive it.
struct DocumentSurfaces {
    PaintBoxPort& paintBox;
    PrinterPort& printer;
    ScrollBarPort& horizontal;
    ScrollBarPort& vertical;
    ClipboardPort& clipboard;
};

class MGDesignDocument : public MGDesignWindow, public SettingsHost {
public:
    explicit MGDesignDocument(const DocumentSurfaces& surfaces);
    // The schemas (and with them the diagram) go before the drawing box.
    ~MGDesignDocument() override;
    MGDesignDocument(const MGDesignDocument&) = delete;
    MGDesignDocument& operator=(const MGDesignDocument&) = delete;

    // Opens a design file as the window's "open" action does. False when it
    // could not be loaded (the message has been shown) or holds no diagram.
    bool LoadDesign(const std::string& path);

    ZMGDrawBox& DrawBox() { return *drawBox_; }
    MGSchemaMng& Manager() { return *manager_; }
    const MGSchemaMng& Manager() const { return *manager_; }
    TSetDlg& Settings() { return settings_; }
    MGDesignContext Context();
    int& WindowZoom() { return windowZoom_; }

    // The relayout dialog's OK: the settings take the pages across (pages
    // down back to 1) and the shown columns, the diagram is laid out anew
    // over them, and the settings record the page grid the layout needed.
    // Nothing without a diagram.
    void Relayout(const MGRelayoutChoice& choice);

    // The print action over pages from .. to (default: the whole page grid
    // of the settings): zoom 100, display flags and paper, then one sheet
    // per page until the first page past the grid; the window's zoom back.
    PrintOutcome Print(std::optional<int> from = {}, std::optional<int> to = {});
    // After the printer set-up dialog's OK: with a diagram, the paper is
    // measured again at zoom 100 and the settings applied, so the page grid
    // follows the new paper and orientation; the window's zoom and the
    // diagram font are applied again.
    void AfterPrinterSetup();
    // The EMF action: page 0 is every page; an empty file name puts the
    // picture on the clipboard.
    bool SaveEmf(int page, const std::string& fileName);
    // The same picture drawn on another canvas (SVG, PDF, image).
    bool DrawPicture(int page, Canvas& target);
    // The Word action: one picture per page, taken from the clipboard tap.
    bool ExportWord(ClipboardTap& clipboard, const std::string& path);
    // Pages of the settings' grid.
    int PageCount() const;

    // The tool bar's font: the texts are kept, the drawing box takes them and
    // every box is measured again (a size that is not a whole number of at
    // least 1 changes nothing drawn).
    void ApplyFontChoice(const std::string& fontName, const std::string& fontSize);
    // The zoom steps of the window: one step toward 400 (up) or 25 (down)
    // from the window's zoom; a zoom not among the steps counts as 100.
    // Nothing without a diagram or at the end of the steps.
    void StepZoom(bool up);
    static bool CanStepZoom(int zoom, bool up);

    // The paint pass of the diagram through the drawing box's current output;
    // with a device area, only what meets it is drawn (a screen's view of a
    // large diagram).
    void PaintDiagramNow(int pagePosition, const std::optional<tabulorix::Rect>& area = std::nullopt);
    // The callbacks of the picture, print and Word actions.
    DiagramRepaint Repaint();

    // MGDesignWindow: the font the diagram is drawn with.
    std::string FontNameText() const override { return fontName_; }
    std::string FontSizeText() const override { return fontSize_; }
    void SelectFontItems(const std::string& fontName, const std::string& fontSize) override;

    // SettingsHost
    bool HasDiagram() const override;
    PageGrid PagesNeeded() const override;
    void SetPageCount(int across, int down) override;
    void SetWindowZoom() override;
    void SetZoom100() override;
    void HandDisplayFlags(int flags) override;
    void ApplyDisplayFlags(int flags) override;
    PaperInfo GetPaperInfo() const override;
    void SetPaper(int sizeCode, int orientation) override;

private:
    void ApplyFont();

    std::unique_ptr<ZMGDrawBox> drawBox_;
    std::unique_ptr<MGSchemaMng> manager_;  // destroyed before the drawing box
    TSetDlg settings_;
    std::string fontName_ = "IPAPGothic";
    std::string fontSize_ = "9";
    int windowZoom_ = 100;
};

}  // namespace tabulorix
