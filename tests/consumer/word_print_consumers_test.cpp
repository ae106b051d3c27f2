// The Word document and the printed pages read by real consumers:
// LibreOffice converts the .docx to PDF and pdftoppm shows its pages,
// python-docx opens it and counts its pictures, poppler reads a PDF printed
// through the Qt printer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <array>
#include <filesystem>
#include <regex>
#include <string>

#include "render/draw_box.h"
#include "render/print_job.h"
#include "render/qt_printer.h"
#include "render/word_export.h"
#include "support/external_tool.h"
#include "support/image_probe.h"
#include "support/recording_host.h"

namespace tabulorix::testing {
namespace {

namespace fs = std::filesystem;

// One colour per page of a 2 × 2 grid (0x00BBGGRR), in page order.
constexpr std::array<Color, 4> kPageColors{0x0000FF, 0x00C000, 0xFF0000, 0x00C0FF};

class WordConsumerTest : public ::testing::Test {
protected:
    RecordingPorts ports;
    RecordingPaintBox paintBox{800, 600};
    RecordingPrinter printer;
    RecordingScrollBar hBar;
    RecordingScrollBar vBar;
    ClipboardTap tap;
    ZMGDrawBox box{paintBox, printer, hBar, vBar, tap};
    fs::path dir = fs::temp_directory_path() / ("tabulorix-word-consumers-" + std::to_string(::getpid()));

    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir / "home");
        box.RefreshPaper();
    }
    void TearDown() override { fs::remove_all(dir); }

    // Every page of the grid filled with its own colour, a margin left white.
    void PaintPages() {
        box.ClearPaper();
        const int w = box.PaperW();
        const int h = box.PaperH();
        for (int p = 0; p < 4; ++p) {
            const int left = (p % 2) * w;
            const int top = (p / 2) * h;
            box.SetBrushColor(kPageColors[std::size_t(p)]);
            box.SetBrushStyle(BrushStyle::Solid);
            box.FillRect(Rect{left + w / 8, top + h / 8, left + w - w / 8, top + h - h / 8});
        }
    }

    fs::path Export(const std::string& name) {
        box.SetPageCount(2, 2);
        box.SetZoom(100, 1);
        int windowZoom = 100;
        const fs::path out = dir / name;
        const DiagramRepaint repaint{[this] { PaintPages(); }, {}, {}, {}};
        EXPECT_TRUE(ExportDiagramToWord(box, tap, out.string(), windowZoom, repaint));
        EXPECT_TRUE(ports.messages.empty());
        return out;
    }

    // LibreOffice's PDF of the document.
    fs::path ConvertToPdf(const fs::path& docx) {
        const auto soffice = FindTool("soffice");
        if (!soffice) return {};
        const ToolResult result =
            RunTool(*soffice,
                    {"--headless", "--norestore", "--convert-to", "pdf", "--outdir",
                     QString::fromStdString(dir.string()), QString::fromStdString(docx.string())},
                    240, (dir / "home").string());
        EXPECT_TRUE(result.Succeeded()) << (result.timedOut ? "timed out: " : "") << result.output;
        fs::path pdf = docx;
        pdf.replace_extension(".pdf");
        return pdf;
    }
};

// The page count and the first page's size in points from pdfinfo.
struct PdfInfo {
    int pages = 0;
    double width = 0;
    double height = 0;
};

PdfInfo ReadPdfInfo(const fs::path& pdf) {
    PdfInfo info;
    const auto pdfinfo = FindTool("pdfinfo");
    if (!pdfinfo) return info;
    const ToolResult result = RunTool(*pdfinfo, {QString::fromStdString(pdf.string())}, 60);
    EXPECT_TRUE(result.Succeeded()) << result.output;
    std::smatch match;
    if (std::regex_search(result.output, match, std::regex("Pages:\\s+(\\d+)")))
        info.pages = std::stoi(match[1]);
    if (std::regex_search(result.output, match, std::regex("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"))) {
        info.width = std::stod(match[1]);
        info.height = std::stod(match[2]);
    }
    return info;
}

// The colour covering most of the page (white excluded).
std::optional<Color> MainColor(const QImage& page) {
    for (const Color color : kPageColors) {
        const int count = CountNear(page, page.rect(), color, 60);
        if (count > page.width() * page.height() / 4) return color;
    }
    return std::nullopt;
}

TEST_F(WordConsumerTest, LibreOfficeShowsFourPicturesInPageOrder) {
    if (!FindTool("soffice") || !FindTool("pdftoppm") || !FindTool("pdfinfo"))
        GTEST_SKIP() << "LibreOffice or poppler-utils is not installed (scripts/install-deps)";
    const fs::path pdf = ConvertToPdf(Export("portrait.docx"));
    ASSERT_TRUE(fs::exists(pdf));
    const PdfInfo info = ReadPdfInfo(pdf);
    EXPECT_EQ(info.pages, 4);
    EXPECT_LT(info.width, info.height);  // portrait (orientation code 1)

    const ToolResult render = RunTool(*FindTool("pdftoppm"),
                                      {"-r", "20", "-png", QString::fromStdString(pdf.string()),
                                       QString::fromStdString((dir / "page").string())},
                                      120);
    ASSERT_TRUE(render.Succeeded()) << render.output;
    for (int p = 1; p <= 4; ++p) {
        const QImage page(QString::fromStdString((dir / ("page-" + std::to_string(p) + ".png")).string()));
        ASSERT_FALSE(page.isNull()) << "page " << p;
        const auto color = MainColor(page);
        ASSERT_TRUE(color) << "page " << p << " shows none of the page colours";
        EXPECT_EQ(*color, kPageColors[std::size_t(p - 1)]) << "page " << p;
    }
}

TEST_F(WordConsumerTest, LandscapePrinterGivesLandscapePages) {
    if (!FindTool("soffice") || !FindTool("pdfinfo"))
        GTEST_SKIP() << "LibreOffice or poppler-utils is not installed (scripts/install-deps)";
    ASSERT_TRUE(box.SetPaper(kPaperA4, kOrientationLandscape));
    const fs::path pdf = ConvertToPdf(Export("landscape.docx"));
    ASSERT_TRUE(fs::exists(pdf));
    const PdfInfo info = ReadPdfInfo(pdf);
    EXPECT_EQ(info.pages, 4);
    EXPECT_NEAR(info.width, 842, 2);  // A4 across
    EXPECT_NEAR(info.height, 595, 2);
}

TEST_F(WordConsumerTest, PythonDocxCountsThePictures) {
    const std::string python = "/usr/bin/python3";
    if (!FindTool(python)) GTEST_SKIP() << "/usr/bin/python3 is not installed";
    const fs::path docx = Export("python.docx");
    const ToolResult result = RunTool(
        python,
        {"-c",
         "import sys, docx\n"
         "d = docx.Document(sys.argv[1])\n"
         "print(len(d.inline_shapes), d.sections[0].orientation == docx.enum.section.WD_ORIENT.PORTRAIT)\n",
         QString::fromStdString(docx.string())},
        60);
    if (result.output.find("No module named") != std::string::npos)
        GTEST_SKIP() << "python3-docx is not installed (scripts/install-deps)";
    ASSERT_TRUE(result.Succeeded()) << result.output;
    EXPECT_EQ(result.output, "4 True\n");
}

TEST(PrintedPdf, TwoByTwoGridFromTwoToThreeHasTwoNumberedPages) {
    const auto pdfinfo = FindTool("pdfinfo");
    const auto pdftotext = FindTool("pdftotext");
    if (!pdfinfo || !pdftotext) GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps)";
    const fs::path dir =
        fs::temp_directory_path() / ("tabulorix-printed-range-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path pdf = dir / "range.pdf";
    {
        QtPrinter printer(QtPrinter::Kind::Pdf, pdf.string());
        RecordingPorts ports;
        RecordingPaintBox paintBox;
        RecordingScrollBar hBar;
        RecordingScrollBar vBar;
        ClipboardTap tap;
        ZMGDrawBox box(paintBox, printer, hBar, vBar, tap);
        box.SetPageCount(2, 2);
        int windowZoom = 150;
        const DiagramRepaint repaint{[&] {
                                         box.ClearPaper();
                                         box.DrawPageDecorations(true, 1, 0);
                                         box.DrawPageDecorations(false, 1, 0);
                                     },
                                     {},
                                     {},
                                     {}};
        PreparePrinting(box, windowZoom, repaint);
        const PrintOutcome outcome = PrintPages(box, 2, 3, repaint);
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(outcome.sheets, 2);
        EXPECT_TRUE(ports.messages.empty());
    }
    EXPECT_EQ(ReadPdfInfo(pdf).pages, 2);
    const ToolResult text = RunTool(*pdftotext, {"-raw", QString::fromStdString(pdf.string()), "-"}, 60);
    ASSERT_TRUE(text.Succeeded()) << text.output;
    const std::size_t two = text.output.find("- 2 -");
    const std::size_t three = text.output.find("- 3 -");
    EXPECT_NE(two, std::string::npos) << text.output;
    EXPECT_NE(three, std::string::npos) << text.output;
    EXPECT_LT(two, three);
    EXPECT_EQ(text.output.find("- 1 -"), std::string::npos);
    EXPECT_EQ(text.output.find("- 4 -"), std::string::npos);
    if (!HasFailure()) fs::remove_all(dir);
}

}  // namespace
}  // namespace tabulorix::testing
