// What a document of the sample design hands to real consumers: the EMF of a
// copied page with its PNG and SVG renditions, opened by LibreOffice, and
// the printed PDF, rendered by poppler. Each is a picture with the diagram
// drawn on it; the copied forms have the page's proportions.
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
using testing::FindTool;
using testing::RunTool;

class DocumentConsumers : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir.File("home"));
        ASSERT_TRUE(document.LoadDesign(TABULORIX_SOURCE_DIR "/examples/sample.tlx"));
    }

    void Write(const std::string& name, const void* data, std::size_t size) {
        std::ofstream(dir.File(name), std::ios::binary)
            .write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    // Boxes, lines and texts: far more not (nearly) white pixels than a blank
    // page's stray dots.
    static void ExpectDiagram(const QImage& image) {
        ASSERT_FALSE(image.isNull());
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) inked += qGray(image.pixel(x, y)) < 200;
        EXPECT_GT(inked, image.width() * image.height() / 200);
    }

    testing::RecordingPorts ports;
    testing::TempDirectory dir;
    HeadlessDocument document{dir.File("print.pdf")};
};

TEST_F(DocumentConsumers, LibreOfficeOpensEveryFormOfACopiedPage) {
    const auto soffice = FindTool("soffice");
    if (!soffice) GTEST_SKIP() << "soffice is not installed (scripts/install-deps)";
    const int page = 1;
    ASSERT_TRUE(document.SaveEmf(page, ""));  // the copy: onto the clipboard
    const auto emf = document.Clipboard().Take();
    const auto renditions = DrawPictureRenditions(document, page);
    const auto size = document.DrawBox().Console().PictureSize(page);
    ASSERT_TRUE(emf && renditions && size);
    Write("clip-emf.emf", emf->data(), emf->size());
    Write("clip-png.png", renditions->png.data(), renditions->png.size());
    Write("clip-svg.svg", renditions->svg.data(), renditions->svg.size());
    const QString out = QString::fromStdString(dir.File("out"));
    const auto result = RunTool(
        *soffice,
        {"--headless", "--norestore", "--convert-to", "png", "--outdir", out,
         QString::fromStdString(dir.File("clip-emf.emf")), QString::fromStdString(dir.File("clip-png.png")),
         QString::fromStdString(dir.File("clip-svg.svg"))},
        240, dir.File("home"));
    ASSERT_TRUE(result.Succeeded()) << (result.timedOut ? "timed out: " : "") << result.output;
    const double ratio = double(size->width) / size->height;
    for (const char* name : {"/clip-emf.png", "/clip-png.png", "/clip-svg.png"}) {
        SCOPED_TRACE(name);
        const QImage image(out + name);
        ExpectDiagram(image);
        EXPECT_NEAR(double(image.width()) / image.height(), ratio, 0.05 * ratio);
    }
}

TEST_F(DocumentConsumers, PopplerShowsThePrintedDiagram) {
    const auto pdftoppm = FindTool("pdftoppm");
    if (!pdftoppm) GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps)";
    const PrintOutcome printed = document.Print();
    ASSERT_TRUE(printed.ok);
    ASSERT_GE(printed.sheets, 1);
    const auto result =
        RunTool(*pdftoppm,
                {"-r", "40", "-png", "-singlefile", QString::fromStdString(dir.File("print.pdf")),
                 QString::fromStdString(dir.File("sheet"))},
                120);
    ASSERT_TRUE(result.Succeeded()) << result.output;
    ExpectDiagram(QImage(QString::fromStdString(dir.File("sheet.png"))));
}

}  // namespace
}  // namespace tabulorix
