// A document without a window: the command line and the benchmark open a
// design file and draw, print or export its diagram through an off-screen
// paint box, a PDF printer and a clipboard that keeps the last picture.
#pragma once

#include <string>

#include "platform/offscreen_surfaces.h"
#include "platform/qt_printer.h"
#include "render/clipboard_tap.h"
#include "session/design_document.h"

namespace tabulorix {

// The surfaces are made before the document that draws on them and go
// after it.
struct HeadlessSurfaces {
    explicit HeadlessSurfaces(const std::string& printerPdf);

    OffscreenPaintBox paintBox;
    QtPrinter printer;
    ClipboardTap clipboard;
    OffscreenScrollBar horizontal;
    OffscreenScrollBar vertical;
};

class HeadlessDocument final : private HeadlessSurfaces, public MGDesignDocument {
public:
    // printerPdf is the file the printer writes when a print job runs.
    explicit HeadlessDocument(const std::string& printerPdf = "tabulorix.pdf");

    OffscreenPaintBox& PaintBox() { return paintBox; }
    QtPrinter& Printer() { return printer; }
    ClipboardTap& Clipboard() { return clipboard; }
};

}  // namespace tabulorix
