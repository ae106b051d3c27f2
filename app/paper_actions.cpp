#include "app/paper_actions.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include "app/settings_dialog.h"
#include "app/ui_language.h"
#include "base/ui_ports.h"
#include "platform/qt_printer.h"
#include "render/word_export.h"
#include "session/design_document.h"

namespace tabulorix {

PaperActions::PaperActions(QWidget& window, MGDesignDocument& document, QtPrinter& printer,
                           ClipboardTap& clipboard)
    : window_(window),
      document_(document),
      printer_(printer),
      clipboard_(clipboard),
      settingsDialog_(new TSetDlgForm(document.Settings(), &window)),
      open_([](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }) {}

PaperActions::~PaperActions() = default;

bool PaperActions::ShowSettings() {
    const TSetDlg::Values before = document_.Settings().StoredValues();
    settingsDialog_->Execute();
    return document_.Settings().StoredValues() != before;
}

std::optional<std::pair<int, int>> PaperActions::AskPrintRange(int pages) {
    if (askRange_) return askRange_(pages);
    // A PDF printer writes beside the design unless a folder was chosen.
    if (printer_.IsPdf() && QFileInfo(printer_.Printer().outputFileName()).isRelative())
        printer_.SetOutputFileName(ProposedOutputPath(QStringLiteral(".pdf")).toStdString());
    QPrintDialog dialog(&printer_.Printer(), &window_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) return std::pair{dialog.fromPage(), dialog.toPage()};
    return std::pair{1, pages};
}

bool PaperActions::Print() {
    if (!document_.HasDiagram()) return false;
    const std::optional<std::pair<int, int>> range = AskPrintRange(document_.PageCount());
    if (!range) return false;
    document_.Print(range->first, range->second);
    return true;
}

bool PaperActions::SetUpPrinter() {
    QPageSetupDialog dialog(&printer_.Printer(), &window_);
    if (dialog.exec() != QDialog::Accepted) return false;
    document_.AfterPrinterSetup();
    return true;
}

QString PaperActions::ProposedOutputPath(const QString& suffix) const {
    const QString design = QString::fromStdString(document_.Manager().DesignPath());
    if (design.isEmpty()) return QDir::home().filePath(UiText::tr("無題") + suffix);
    const QFileInfo file(design);
    return file.dir().filePath(file.completeBaseName() + suffix);
}

bool PaperActions::ExportWord() {
    if (!document_.HasDiagram()) return false;
    const std::optional<std::string> path = FileNames().AskSaveFileName(
        {QT_TRANSLATE_NOOP("UiText", "WORD出力"), "docx", QT_TRANSLATE_NOOP("UiText", "Word文書 (*.docx)|*.docx|すべて (*.*)|*.*"), ProposedOutputPath(QStringLiteral(".docx")).toStdString()});
    if (!path) return false;
    if (!document_.ExportWord(clipboard_, *path)) return true;  // the failure has been shown
    const QString written = QString::fromStdString(*path);
    if (!open_(written))
        ShowMessage(UiText::tr("Word文書を書き込みました: %1\n開くアプリケーションが見つかりません。")
                        .arg(QString::fromStdString(*path))
                        .toStdString());
    return true;
}

}  // namespace tabulorix
