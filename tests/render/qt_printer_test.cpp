// The Qt printer: Windows paper size codes and orientations, paper settings,
// and a real print job into a PDF file.
#include <QPageSize>
#include <QSizeF>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "platform/qt_printer.h"
#include "render_fixture.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

namespace fs = std::filesystem;

TEST(QtPrinterCodes, WindowsPaperCodesMapToPageSizesAndBack) {
    const std::pair<int, QPageSize::PageSizeId> table[] = {
        {kPaperA4, QPageSize::A4},       {kPaperA3, QPageSize::A3}, {kPaperLetter, QPageSize::Letter},
        {kPaperLegal, QPageSize::Legal}, {kPaperA5, QPageSize::A5}, {kPaperB4Jis, QPageSize::JisB4},
        {kPaperB5Jis, QPageSize::JisB5},
    };
    for (const auto& [code, id] : table) {
        SCOPED_TRACE(code);
        const auto size = QtPrinter::PageSizeForCode(code);
        ASSERT_TRUE(size.has_value());
        EXPECT_EQ(size->id(), id);
        EXPECT_EQ(QtPrinter::PaperSizeCode(QPageSize(id)), code);
    }
    EXPECT_EQ(QtPrinter::PaperSizeCode(QPageSize(QSizeF(100, 100), QPageSize::Millimeter)), 256);
    EXPECT_FALSE(QtPrinter::PageSizeForCode(0).has_value());
    EXPECT_FALSE(QtPrinter::PageSizeForCode(-1).has_value());
    EXPECT_FALSE(QtPrinter::PageSizeForCode(256).has_value());
    EXPECT_FALSE(QtPrinter::PageSizeForCode(99999).has_value());
}

TEST(QtPrinterCodes, OrientationIsOnePortraitTwoLandscape) {
    EXPECT_EQ(QtPrinter::OrientationCode(QPageLayout::Portrait), 1);
    EXPECT_EQ(QtPrinter::OrientationCode(QPageLayout::Landscape), 2);
    EXPECT_EQ(QtPrinter::OrientationForCode(1), QPageLayout::Portrait);
    EXPECT_EQ(QtPrinter::OrientationForCode(2), QPageLayout::Landscape);
    EXPECT_FALSE(QtPrinter::OrientationForCode(0).has_value());
    EXPECT_FALSE(QtPrinter::OrientationForCode(3).has_value());
}

class QtPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tabulorix-print-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(QtPrinterTest, PdfPrinterStartsWithA4PortraitAndTakesPaperSettings) {
    QtPrinter printer(QtPrinter::Kind::Pdf, (dir_ / "out.pdf").string());
    EXPECT_TRUE(printer.IsPdf());
    const PaperSettingsResult settings = printer.ReadPaperSettings();
    EXPECT_EQ(settings.status, PaperSettingsResult::Status::Ok);
    EXPECT_EQ(settings.paperSize, kPaperA4);
    EXPECT_EQ(settings.orientation, kOrientationPortrait);
    EXPECT_DOUBLE_EQ(printer.PrinterCanvas().PixelsPerInch(), 600);
    // The whole sheet at 600 dpi: A4 is 595 × 842 points (210 × 297 mm).
    EXPECT_NEAR(printer.PageWidth(), 595 * 600 / 72.0, 1);
    EXPECT_NEAR(printer.PageHeight(), 842 * 600 / 72.0, 1);

    const PaperSettingsResult written = printer.WritePaperSettings(kPaperA3, kOrientationLandscape);
    EXPECT_EQ(written.status, PaperSettingsResult::Status::Ok);
    EXPECT_EQ(written.paperSize, kPaperA3);
    EXPECT_EQ(written.orientation, kOrientationLandscape);
    EXPECT_NEAR(printer.PageWidth(), 1191 * 600 / 72.0, 1);  // A3 is 842 × 1191 points
    EXPECT_NEAR(printer.PageHeight(), 842 * 600 / 72.0, 1);
    EXPECT_EQ(printer.WritePaperSettings(99999, kOrientationPortrait).status,
              PaperSettingsResult::Status::Rejected);
    EXPECT_EQ(printer.WritePaperSettings(kPaperA4, 7).status, PaperSettingsResult::Status::Rejected);
    EXPECT_EQ(printer.ReadPaperSettings().paperSize, kPaperA3);  // unchanged by the refused writes
}

TEST_F(QtPrinterTest, PaperOutputOverTheQtPrinterPrintsPdfPages) {
    const fs::path file = dir_ / "job.pdf";
    BoxParts<QtPrinter> parts(QtPrinter::Kind::Pdf, file.string());
    ZMGDrawBox& box = parts.box;
    box.RefreshPaper();
    EXPECT_EQ(box.GetPaperInfo().paperSize, kPaperA4);
    EXPECT_EQ(box.PrinterOutput().PaperW(), 793);  // 4958 ÷ 6.25
    ASSERT_TRUE(box.SetDiagramFont("IPAGothic", "10"));

    box.SetPageCount(2, 1);
    box.SetZoom(100, 1);
    box.SelectPrinter();
    for (int page = 1; page <= 2; ++page) {
        ASSERT_TRUE(box.SelectPage(page));
        page == 1 ? box.BeginDoc() : box.NewPage();
        EXPECT_EQ(parts.printer.PrinterCanvas().Font().name, "IPAGothic");  // carried into the job
        box.ClearPaper();
        box.DrawText(100, 100, "表 " + std::to_string(page), kBlack);
        box.DrawPageDecorations(false, 0, 0);
    }
    box.EndDoc();
    box.SelectConsole();
    EXPECT_TRUE(parts.ports.messages.empty());

    std::ifstream in(file, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
    const std::regex page("/Type\\s*/Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()), 2);
}

TEST_F(QtPrinterTest, AJobThatCannotStartThrows) {
    QtPrinter printer(QtPrinter::Kind::Pdf, (dir_ / "no-such-dir" / "job.pdf").string());
    EXPECT_THROW(printer.BeginDoc(), PrintError);
    EXPECT_THROW(printer.NewPage(), PrintError);
    EXPECT_NO_THROW(printer.EndDoc());  // nothing was started
}

}  // namespace
}  // namespace tabulorix::testing
