// The system printer over Qt PrintSupport.
//
// The default printer when one is installed (CUPS), else a PDF printer that
// writes a file; A4 portrait by default. Paper sizes are exchanged as the
// Windows printer-settings codes that design files store (9 A4, 8 A3,
// 1 Letter, 5 Legal, 11 A5, 12 B4 JIS, 13 B5 JIS, ...; Qt knows the whole
// table), orientation as 1 portrait and 2 landscape.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <memory>
#include <optional>
#include <string>

#include "base/printer_port.h"

class QPrinter;

namespace tabulorix {

class QtPrinter final : public PrinterPort {
public:
    enum class Kind {
        SystemOrPdf,  // the default system printer, or PDF when none is installed
        Pdf,          // always a PDF file
    };
    // pdfPath is the file a PDF printer writes.
    explicit QtPrinter(Kind kind = Kind::SystemOrPdf, const std::string& pdfPath = "tabulorix.pdf");
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    bool IsPdf() const;
    void SetOutputFileName(const std::string& path);
    // The Qt printer, for the print and printer set-up dialogs.
    QPrinter& Printer() { return *printer_; }

    double PageWidth() const override;
    double PageHeight() const override;
    Canvas& PrinterCanvas() override;
    PaperSettingsResult ReadPaperSettings() override;
    PaperSettingsResult WritePaperSettings(int paperSize, int orientation) override;
    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;

    // Windows paper size code of a page size; 256 (user-defined) for sizes
    // that have none.
    static int PaperSizeCode(const QPageSize& size);
    // The page size of a Windows paper size code; nothing for unknown codes.
    static std::optional<QPageSize> PageSizeForCode(int code);
    static int OrientationCode(QPageLayout::Orientation orientation);
    static std::optional<QPageLayout::Orientation> OrientationForCode(int code);

private:
    class JobCanvas;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<JobCanvas> canvas_;
};

}  // namespace tabulorix
