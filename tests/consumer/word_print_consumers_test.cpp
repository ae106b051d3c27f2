// The Word document read by real consumers: LibreOffice converts the .docx
// to PDF and pdftoppm shows its four portrait pages, each with the picture
// of its own page of the diagram.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <filesystem>
#include <string>

#include "render/draw_box.h"
#include "render/print_job.h"
#include "render/word_export.h"
#include "support/external_tool.h"
#include "support/image_probe.h"
#include "support/recording_host.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

namespace fs = std::filesystem;

// One colour per page of a 2 × 2 grid (0x00BBGGRR), in page order.
constexpr std::array<Color, 4> kPageColors{0x0000FF, 0x00C000, 0xFF0000, 0x00C0FF};

TEST(WordConsumer, LibreOfficeShowsFourPortraitPicturesInPageOrder) {
    const auto soffice = FindTool("soffice");
    const auto pdftoppm = FindTool("pdftoppm");
    if (!soffice || !pdftoppm)
        GTEST_SKIP() << "LibreOffice or poppler-utils is not installed (scripts/install-deps)";
    BoxParts<RecordingPrinter> parts;
    ZMGDrawBox& box = parts.box;
    TempDirectory dir;
    fs::create_directories(dir.File("home"));
    box.RefreshPaper();
    box.SetPageCount(2, 2);
    box.SetZoom(100, 1);
    // Every page of the grid filled with its own colour, a margin left white.
    const auto paint = [&] {
        box.ClearPaper();
        const int w = box.PaperW(), h = box.PaperH();
        for (int p = 0; p < 4; ++p) {
            const int left = (p % 2) * w, top = (p / 2) * h;
            box.SetBrushColor(kPageColors[std::size_t(p)]);
            box.FillRect(Rect{left + w / 8, top + h / 8, left + w - w / 8, top + h - h / 8});
        }
    };
    const DiagramRepaint repaint{paint, {}, {}, {}};
    int windowZoom = 100;
    ASSERT_TRUE(ExportDiagramToWord(box, parts.tap, dir.File("diagram.docx"), windowZoom, repaint));
    EXPECT_TRUE(parts.ports.messages.empty());

    const ToolResult converted =
        RunTool(*soffice,
                {"--headless", "--norestore", "--convert-to", "pdf", "--outdir",
                 QString::fromStdString(dir.path()), QString::fromStdString(dir.File("diagram.docx"))},
                240, dir.File("home"));
    ASSERT_TRUE(converted.Succeeded()) << (converted.timedOut ? "timed out: " : "") << converted.output;
    const QString pdf = QString::fromStdString(dir.File("diagram.pdf"));
    const ToolResult render =
        RunTool(*pdftoppm, {"-r", "20", "-png", pdf, QString::fromStdString(dir.File("page"))}, 120);
    ASSERT_TRUE(render.Succeeded()) << render.output;
    EXPECT_FALSE(fs::exists(dir.File("page-5.png"))) << "four pages";
    for (int p = 1; p <= 4; ++p) {
        const QImage page(QString::fromStdString(dir.File("page-" + std::to_string(p) + ".png")));
        ASSERT_FALSE(page.isNull()) << "page " << p;
        EXPECT_LT(page.width(), page.height()) << "portrait, as the printer's orientation 1";
        const Color expected = kPageColors[std::size_t(p - 1)];
        EXPECT_GT(CountNear(page, page.rect(), expected, 60), page.width() * page.height() / 4)
            << "page " << p << " shows its own page's colour";
    }
}

}  // namespace
}  // namespace tabulorix::testing
