#include "app/output_dialogs.h"

#include "app/csv_output_dialog.h"
#include "app/emf_output_dialog.h"
#include "app/sql_output_dialog.h"
#include "app/window_surfaces.h"
#include "render/clipboard_tap.h"
#include "session/design_document.h"
#include "session/picture_output.h"

namespace tabulorix {

OutputDialogs::OutputDialogs(QWidget& window, MGDesignDocument& document, ClipboardTap& tap,
                             SystemClipboard& clipboard)
    : document_(document),
      tap_(tap),
      clipboard_(clipboard),
      sql_(new TOutputCreateSqlFileDlg(&window)),
      csv_(new TOutputCSVFileDlg(&window)),
      emf_(new TEMFOutDlg(&window)) {}

void OutputDialogs::OutputSql() {
    if (document_.Manager().SchemaCount() > 0) sql_->Execute(document_.Manager());
}

void OutputDialogs::OutputCsv() {
    if (document_.Manager().SchemaCount() > 0) csv_->Execute(document_.Manager());
}

void OutputDialogs::OutputEmf() {
    if (!document_.HasDiagram()) return;
    int pagesX = 1;
    int pagesY = 1;
    document_.DrawBox().GetPageCount(pagesX, pagesY);
    const int page = emf_->Execute(pagesX, pagesY);
    if (page < 0) return;
    if (emf_->FileName().empty()) {
        CopyPicture(page);
    } else {
        document_.SaveEmf(page, emf_->FileName());
    }
}

bool OutputDialogs::CopyPicture(int page) {
    tap_.Take();  // a picture left from an earlier recording is not this one
    if (!document_.SaveEmf(page, "")) return false;
    const std::optional<std::vector<std::uint8_t>> emf = tap_.Take();
    if (!emf) return false;
    // The EMF alone is on the clipboard already; the renditions join it.
    if (const std::optional<MGPictureRenditions> renditions = DrawPictureRenditions(document_, page))
        clipboard_.PutPicture(*emf, renditions->png, renditions->svg);
    return true;
}

void OutputDialogs::Reset() {
    sql_->Reset();
    csv_->Reset();
}

}  // namespace tabulorix
