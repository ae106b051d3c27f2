#include "session/headless_document.h"

namespace tabulorix {

namespace {

constexpr int kPaintBoxWidth = 800;
constexpr int kPaintBoxHeight = 600;

}  // namespace

HeadlessSurfaces::HeadlessSurfaces(const std::string& printerPdf)
    : paintBox(kPaintBoxWidth, kPaintBoxHeight), printer(QtPrinter::Kind::Pdf, printerPdf) {}

HeadlessDocument::HeadlessDocument(const std::string& printerPdf)
    : HeadlessSurfaces(printerPdf),
      MGDesignDocument(DocumentSurfaces{paintBox, printer, horizontal, vertical, clipboard}) {}

}  // namespace tabulorix
