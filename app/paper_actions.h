// The window's commands that put the diagram on paper or into documents,
// and the settings dialog: "オプション(&O)...", "印刷(&P)...", "印刷設定..."
// and "WORD出力(&W)". The dialogs that choose (print range, save name) and
// the opening of the written document can be replaced, so the commands run
// under test without a printer or a desktop.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace tabulorix {

class ClipboardTap;
class MGDesignDocument;
class QtPrinter;
class TSetDlgForm;

class PaperActions {
public:
    // The print dialog over pages 1 .. pages: the range chosen, or nothing
    // when cancelled.
    using PrintRangeAsker = std::function<std::optional<std::pair<int, int>>(int pages)>;
    // Opens a written document in the desktop's application; false when
    // nothing could open it.
    using DocumentOpener = std::function<bool(const QString& path)>;

    PaperActions(QWidget& window, MGDesignDocument& document, QtPrinter& printer, ClipboardTap& clipboard);
    ~PaperActions();

    void SetPrintRangeAsker(PrintRangeAsker asker) { askRange_ = std::move(asker); }
    void SetDocumentOpener(DocumentOpener opener) { open_ = std::move(opener); }
    TSetDlgForm& SettingsDialog() { return *settingsDialog_; }

    // Each returns whether the diagram may have changed (the window repaints
    // and updates its actions).
    bool ShowSettings();
    bool Print();
    bool SetUpPrinter();
    bool ExportWord();

private:
    std::optional<std::pair<int, int>> AskPrintRange(int pages);
    // The design's folder and name with that suffix ("無題" in the home
    // folder for an unnamed design).
    QString ProposedOutputPath(const QString& suffix) const;

    QWidget& window_;
    MGDesignDocument& document_;
    QtPrinter& printer_;
    ClipboardTap& clipboard_;
    TSetDlgForm* settingsDialog_;  // child of the window
    PrintRangeAsker askRange_;
    DocumentOpener open_;
};

}  // namespace tabulorix
