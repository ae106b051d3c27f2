// The Qt printer: Windows paper size codes and orientations, paper settings,
// and a print job into a PDF file.
#include <QPageSize>
#include <QSizeF>
#include <filesystem>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "platform/qt_printer.h"
#include "render_fixture.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

namespace fs = std::filesystem;

// Codes that name no size, and the two orientations (the Windows code of
// every size: EveryPageSizeHasAPaperCodeAndNoneIsZero).
TEST(QtPrinterCodes, CodesWithoutASizeAndTheOrientations) {
    for (const int code : {0, -1, 256, 99999}) EXPECT_FALSE(QtPrinter::PageSizeForCode(code)) << code;
    for (const auto& [code, orientation] :
         {std::pair{1, QPageLayout::Portrait}, {2, QPageLayout::Landscape}}) {
        EXPECT_EQ(QtPrinter::OrientationCode(orientation), code);
        EXPECT_EQ(QtPrinter::OrientationForCode(code), orientation);
    }
    EXPECT_FALSE(QtPrinter::OrientationForCode(0));
    EXPECT_FALSE(QtPrinter::OrientationForCode(3));
}

// Every page size Qt knows gets a real code: its Windows code, or for sizes
// without one (Qt answers 0 for them) and custom sizes the user-defined size
// 256; a code that names a size gives that size back.
TEST(QtPrinterCodes, EveryPageSizeHasAPaperCodeAndNoneIsZero) {
    int withoutWindowsCode = 0;
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const QPageSize size(static_cast<QPageSize::PageSizeId>(id));
        const int code = QtPrinter::PaperSizeCode(size);
        SCOPED_TRACE(size.name().toStdString());
        withoutWindowsCode += size.windowsId() <= 0 ? 1 : 0;
        EXPECT_EQ(code, size.windowsId() <= 0 ? 256 : size.windowsId());
        const auto back = QtPrinter::PageSizeForCode(code);
        EXPECT_TRUE(!back || back->isEquivalentTo(size));
    }
    EXPECT_GT(withoutWindowsCode, 0) << "the sizes without a Windows code are exercised";
    EXPECT_EQ(QtPrinter::PaperSizeCode(QPageSize(QSizeF(100, 100), QPageSize::Millimeter)), 256);
}

class QtPrinterTest : public ::testing::Test {
protected:
    TempDirectory dir;
};

TEST_F(QtPrinterTest, PdfPrinterStartsWithA4PortraitAndTakesPaperSettings) {
    QtPrinter printer(QtPrinter::Kind::Pdf, dir.File("out.pdf"));
    EXPECT_TRUE(printer.IsPdf());
    const auto settings = [](const PaperSettingsResult& r) {
        return std::tuple(r.status, r.paperSize, r.orientation);
    };
    EXPECT_EQ(settings(printer.ReadPaperSettings()),
              std::tuple(PaperSettingsResult::Status::Ok, kPaperA4, kOrientationPortrait));
    EXPECT_DOUBLE_EQ(printer.PrinterCanvas().PixelsPerInch(), 600);
    // The whole sheet at 600 dpi: A4 is 595 × 842 points, A3 842 × 1191.
    EXPECT_NEAR(printer.PageWidth(), 595 * 600 / 72.0, 1);
    EXPECT_NEAR(printer.PageHeight(), 842 * 600 / 72.0, 1);
    EXPECT_EQ(settings(printer.WritePaperSettings(kPaperA3, kOrientationLandscape)),
              std::tuple(PaperSettingsResult::Status::Ok, kPaperA3, kOrientationLandscape));
    EXPECT_NEAR(printer.PageWidth(), 1191 * 600 / 72.0, 1);
    EXPECT_NEAR(printer.PageHeight(), 842 * 600 / 72.0, 1);
    for (const auto& [size, orientation] : {std::pair{0, 1}, {99999, 1}, {kPaperA4, 7}})
        EXPECT_EQ(printer.WritePaperSettings(size, orientation).status,
                  PaperSettingsResult::Status::Rejected);
    EXPECT_EQ(printer.ReadPaperSettings().paperSize, kPaperA3);  // unchanged by the refused writes
}

TEST_F(QtPrinterTest, PaperOutputOverTheQtPrinterPrintsPdfPages) {
    BoxParts<QtPrinter> parts(QtPrinter::Kind::Pdf, dir.File("job.pdf"));
    ZMGDrawBox& box = parts.box;
    box.RefreshPaper();
    EXPECT_EQ(box.PrinterOutput().PaperW(), 793);  // 4958 ÷ 6.25
    ASSERT_TRUE(box.SetDiagramFont("IPAGothic", "10"));
    box.SetPageCount(2, 1);
    box.SetZoom(100, 1);
    box.SelectPrinter();
    for (int page = 1; page <= 2; ++page) {
        ASSERT_TRUE(box.SelectPage(page));
        page == 1 ? box.BeginDoc() : box.NewPage();
        EXPECT_EQ(parts.printer.PrinterCanvas().Font().name, "IPAGothic");  // carried into the job
        box.DrawText(100, 100, "表", kBlack);
    }
    box.EndDoc();
    EXPECT_TRUE(parts.ports.messages.empty());
    const std::string pdf = ReadFileBytes(dir.File("job.pdf"));
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
    const std::regex page("/Type\\s*/Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()), 2);
    EXPECT_NE(pdf.find("/FontDescriptor"), std::string::npos) << "the text reached the sheets";
}

TEST_F(QtPrinterTest, AJobThatCannotStartThrows) {
    QtPrinter printer(QtPrinter::Kind::Pdf, dir.File("no-such-dir/job.pdf"));
    EXPECT_THROW(printer.BeginDoc(), PrintError);
    EXPECT_THROW(printer.NewPage(), PrintError);
    EXPECT_NO_THROW(printer.EndDoc());  // nothing was started
}

}  // namespace
}  // namespace tabulorix::testing
