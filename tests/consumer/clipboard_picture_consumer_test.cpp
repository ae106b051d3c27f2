// What the window's copy of a diagram page puts on the clipboard, the EMF
// with its PNG and SVG renditions drawn by the same steps, opened by
// LibreOffice: every form converts to a picture of the page's proportions
// with the diagram drawn on it.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "render/console.h"
#include "session/headless_document.h"
#include "session/picture_output.h"
#include "support/external_tool.h"
#include "support/recording_host.h"
#include "support/snapshot_fixture.h"

namespace tabulorix {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const std::string& path, const char* data, std::size_t size) {
    std::ofstream(path, std::ios::binary).write(data, static_cast<std::streamsize>(size));
}

// Pixels that are not (nearly) white.
int InkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200) ++inked;
    return inked;
}

TEST(ClipboardPictureConsumer, LibreOfficeOpensEveryFormOfACopiedPage) {
    const auto soffice = testing::FindTool("soffice");
    if (!soffice) GTEST_SKIP() << "soffice is not installed (scripts/install-deps)";
    testing::RecordingPorts ports;
    testing::TempDirectory dir;
    HeadlessDocument document(dir.File("print.pdf"));
    ASSERT_TRUE(document.LoadDesign(TABULORIX_SOURCE_DIR "/examples/sample.tlx"));
    const int page = 1;
    ASSERT_TRUE(document.SaveEmf(page, ""));  // the copy: onto the clipboard
    const auto emf = document.Clipboard().Take();
    ASSERT_TRUE(emf);
    const auto renditions = DrawPictureRenditions(document, page);
    ASSERT_TRUE(renditions);
    const auto size = document.DrawBox().Console().PictureSize(page);
    ASSERT_TRUE(size);

    WriteBytes(dir.File("clip-emf.emf"), reinterpret_cast<const char*>(emf->data()), emf->size());
    WriteBytes(dir.File("clip-png.png"), renditions->png.data(), renditions->png.size());
    WriteBytes(dir.File("clip-svg.svg"), renditions->svg.data(), renditions->svg.size());
    const std::string out = dir.File("out");
    fs::create_directories(out);
    fs::create_directories(dir.File("home"));
    const auto result = testing::RunTool(
        *soffice,
        {"--headless", "--norestore", "--convert-to", "png", "--outdir", QString::fromStdString(out),
         QString::fromStdString(dir.File("clip-emf.emf")), QString::fromStdString(dir.File("clip-png.png")),
         QString::fromStdString(dir.File("clip-svg.svg"))},
        240, dir.File("home"));
    ASSERT_TRUE(result.Succeeded()) << (result.timedOut ? "timed out: " : "") << result.output;

    const double expectedRatio = double(size->width) / size->height;
    for (const char* name : {"clip-emf.png", "clip-png.png", "clip-svg.png"}) {
        SCOPED_TRACE(name);
        const QImage image(QString::fromStdString(out + "/" + name));
        ASSERT_FALSE(image.isNull()) << result.output;
        EXPECT_NEAR(double(image.width()) / image.height(), expectedRatio, 0.05 * expectedRatio);
        // Boxes, lines and texts of the page: far more than a blank page's specks.
        EXPECT_GT(InkedPixels(image), image.width() * image.height() / 200);
    }
}

}  // namespace
}  // namespace tabulorix
