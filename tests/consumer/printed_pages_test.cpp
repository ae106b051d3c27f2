// Printed pages read by poppler: a print job through the drawing box and the
// Qt printer gives one A4 PDF page per selected page, each carrying its own
// running number.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "render/draw_box.h"
#include "render/qt_printer.h"
#include "support/external_tool.h"
#include "support/recording_host.h"

namespace tabulorix::testing {
namespace {

namespace fs = std::filesystem;

std::string PageText(const std::string& pdftotext, const fs::path& pdf, int page) {
    const ToolResult result = RunTool(
        pdftotext,
        {"-f", QString::number(page), "-l", QString::number(page), QString::fromStdString(pdf.string()), "-"},
        60);
    EXPECT_TRUE(result.Succeeded()) << result.output;
    // Text extraction guesses word spaces from glyph gaps; compare without them.
    std::string text;
    for (const char c : result.output) {
        if (c != ' ') text += c;
    }
    return text;
}

TEST(PrintedPages, PopplerReadsOneNumberedA4PagePerSheet) {
    const auto pdfinfo = FindTool("pdfinfo");
    const auto pdftotext = FindTool("pdftotext");
    if (!pdfinfo || !pdftotext) GTEST_SKIP() << "poppler-utils is not installed";
    const fs::path dir = fs::temp_directory_path() / "tabulorix-printed-pages";
    fs::create_directories(dir);
    const fs::path pdf = dir / "diagram.pdf";

    {
        QtPrinter printer(QtPrinter::Kind::Pdf, pdf.string());
        RecordingPorts ports;
        RecordingPaintBox paintBox;
        RecordingScrollBar hBar;
        RecordingScrollBar vBar;
        RecordingClipboard clipboard;
        ZMGDrawBox box(paintBox, printer, hBar, vBar, clipboard);
        box.RefreshPaper();
        box.SetPageCount(2, 2);
        box.SetZoom(100, 1);
        box.SelectPrinter();
        // Pages 2 to 3, as a print dialog range would ask.
        for (int page = 2; page <= 3; ++page) {
            ASSERT_TRUE(box.SelectPage(page));
            page == 2 ? box.BeginDoc() : box.NewPage();
            box.ClearPaper();
            box.DrawPageDecorations(true, 0, 1);
            box.DrawText(box.PrinterOutput().PageOriginX() + 100, box.PrinterOutput().PageOriginY() + 100,
                         "表定義 " + std::to_string(page), kBlack);
            box.DrawPageDecorations(false, 0, 1);
        }
        box.EndDoc();
        box.SelectConsole();
        EXPECT_TRUE(ports.messages.empty());
    }

    const ToolResult info = RunTool(*pdfinfo, {QString::fromStdString(pdf.string())}, 60);
    ASSERT_TRUE(info.Succeeded()) << info.output;
    EXPECT_TRUE(std::regex_search(info.output, std::regex("Pages:\\s+2\n"))) << info.output;
    EXPECT_NE(info.output.find("(A4)"), std::string::npos) << info.output;

    const std::string first = PageText(*pdftotext, pdf, 1);
    const std::string second = PageText(*pdftotext, pdf, 2);
    EXPECT_NE(first.find("表定義2"), std::string::npos) << first;
    EXPECT_NE(first.find("-2-"), std::string::npos) << first;
    EXPECT_EQ(first.find("-3-"), std::string::npos) << first;
    EXPECT_NE(second.find("表定義3"), std::string::npos) << second;
    EXPECT_NE(second.find("-3-"), std::string::npos) << second;
    EXPECT_EQ(second.find("-2-"), std::string::npos) << second;
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tabulorix::testing
