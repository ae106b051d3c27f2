// The Word document: its package parts, the pictures in page order, one per
// page, the page size and orientation from the printer, and the Word
// action's page loop over the drawing box.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <tuple>

#include "base/file_io.h"
#include "render/draw_box.h"
#include "render/word_export.h"
#include "render_fixture.h"
#include "support/zip_reader.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

namespace fs = std::filesystem;

std::vector<WordPicture> FakePictures(int count) {
    std::vector<WordPicture> pictures;
    for (int i = 0; i < count; ++i) {
        const std::string marker = "picture-" + std::to_string(i + 1);
        pictures.push_back(WordPicture{{marker.begin(), marker.end()}, 768, 1083});
    }
    return pictures;
}

// The r:embed targets of the document's pictures, in document order.
std::vector<std::string> EmbeddedMedia(const ZipEntries& zip) {
    const std::string document = *zip.Find("word/document.xml");
    const std::string relations = *zip.Find("word/_rels/document.xml.rels");
    std::vector<std::string> media;
    const std::regex embed("r:embed=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(document.begin(), document.end(), embed);
         it != std::sregex_iterator(); ++it) {
        const std::regex target("Id=\"" + (*it)[1].str() + "\"[^>]*Target=\"([^\"]+)\"");
        std::smatch match;
        EXPECT_TRUE(std::regex_search(relations, match, target)) << (*it)[1];
        media.push_back(match[1]);
    }
    return media;
}

TEST(WordDocument, PackageHoldsThePartsAndThePicturesInPageOrder) {
    const auto zip = ReadZip(BuildWordDocument(FakePictures(4), WordPageSetup{}));
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip->Names(), (std::vector<std::string>{"[Content_Types].xml", "_rels/.rels",
                                                      "word/document.xml", "word/_rels/document.xml.rels",
                                                      "word/media/image1.emf", "word/media/image2.emf",
                                                      "word/media/image3.emf", "word/media/image4.emf"}));
    const std::string types = *zip->Find("[Content_Types].xml");
    EXPECT_TRUE(types.find(R"(Extension="emf" ContentType="image/x-emf")") != std::string::npos &&
                types.find(R"(PartName="/word/document.xml")") != std::string::npos);
    EXPECT_NE(zip->Find("_rels/.rels")->find(R"(Target="word/document.xml")"), std::string::npos);

    EXPECT_EQ(EmbeddedMedia(*zip), (std::vector<std::string>{"media/image1.emf", "media/image2.emf",
                                                             "media/image3.emf", "media/image4.emf"}));
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(*zip->Find("word/media/image" + std::to_string(i) + ".emf"),
                  "picture-" + std::to_string(i));
    // One picture per page: every picture after the first starts a new page.
    const std::string document = *zip->Find("word/document.xml");
    EXPECT_EQ((std::vector<int>{CountOccurrences(document, "<wp:inline"),
                                CountOccurrences(document, "<w:pageBreakBefore/>"),
                                CountOccurrences(document, "<w:sectPr>")}),
              (std::vector<int>{4, 3, 1}));
    // An empty grid gives a valid document without pictures.
    const auto empty = ReadZip(BuildWordDocument({}, WordPageSetup{}));
    ASSERT_TRUE(empty);
    EXPECT_EQ(CountOccurrences(*empty->Find("word/document.xml"), "<wp:inline"), 0);
}

// The page from the printer's paper: by its code, or from the printable
// area when the code is unknown; an unreadable orientation is landscape.
TEST(WordDocument, PageSetUpFollowsThePrinterPaperAndOrientation) {
    const struct {
        ZMGPaperInfo paper;
        int width, height;
        bool landscape;
    } cases[] = {
        {{kPaperA4, kOrientationPortrait, 4960, 7016, 600}, 11906, 16838, false},  // 210 × 297 mm
        {{kPaperA4, kOrientationLandscape, 4960, 7016, 600}, 16838, 11906, true},
        {{kPaperA4, -1, 4960, 7016, 600}, 16838, 11906, true},
        {{kPaperA3, kOrientationLandscape, 0, 0, 0}, 23811, 16838, true},   // 420 mm across
        {{-1, kOrientationPortrait, 3000, 6000, 600}, 7200, 14400, false},  // 5 × 10 inches
        {{0, kOrientationPortrait, 3000, 6000, 600}, 7200, 14400, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.paper.paperSize) + " " + std::to_string(c.paper.orientation));
        const WordPageSetup page = WordPageSetupFor(c.paper);
        EXPECT_EQ(std::tuple(page.pageWidth, page.pageHeight, page.landscape),
                  std::tuple(c.width, c.height, c.landscape));
    }
    const std::string document =
        *ReadZip(BuildWordDocument(FakePictures(1), WordPageSetupFor(cases[3].paper)))
             ->Find("word/document.xml");
    EXPECT_NE(document.find(R"(<w:pgSz w:w="23811" w:h="16838" w:orient="landscape"/>)"), std::string::npos)
        << document;
}

TEST(WordDocument, PicturesFitInsideTheMarginsKeepingTheirAspectRatio) {
    const WordPageSetup portrait{11906, 16838, false, 720};
    const long long areaW = (11906 - 1440) * 635LL;
    const long long areaH = (16838 - 1440) * 635LL;
    // A wide picture is limited by the width, a tall one by the height.
    const WordExtent wide = FitPicture(WordPicture{{}, 2000, 500}, portrait);
    const WordExtent tall = FitPicture(WordPicture{{}, 500, 4000}, portrait);
    EXPECT_EQ(std::pair(wide.cx, tall.cy), std::pair(areaW, areaH));
    EXPECT_NEAR(double(wide.cy), areaW / 4.0, 2);
    EXPECT_NEAR(double(tall.cx), areaH / 8.0, 2);
    // The extent written is the fitted one.
    const std::string document =
        *ReadZip(BuildWordDocument({WordPicture{{'x'}, 2000, 500}}, portrait))->Find("word/document.xml");
    EXPECT_NE(document.find("<wp:extent cx=\"" + std::to_string(wide.cx) + "\" cy=\"" +
                            std::to_string(wide.cy) + "\"/>"),
              std::string::npos);
}

TEST(WordDocument, AFailedSaveIsReported) {
    RecordingPorts ports;
    EXPECT_FALSE(WriteWordDocument("/nonexistent-dir/out.docx", FakePictures(1), WordPageSetup{}));
    ASSERT_EQ(ports.messages.size(), 1u);
    EXPECT_EQ(ports.messages[0].rfind("Wordへの出力に失敗しました", 0), 0u) << ports.messages[0];
}

// The Word action over a drawing box whose clipboard is tapped.
class WordActionTest : public ActionTest {
protected:
    void SetUp() override {
        box.RefreshPaper();  // reads the paper settings: A4 portrait
        Grid(2, 2, 150);
    }
};

TEST_F(WordActionTest, RecordsEveryPageInPageOrderAndRestoresTheZoom) {
    int windowZoom = 150;
    const std::string out = dir.File("diagram.docx");
    ASSERT_TRUE(ExportDiagramToWord(box, tap, out, windowZoom, repaint));
    EXPECT_TRUE(ports.messages.empty());
    const int w = box.Console().PaperW();
    const int h = box.Console().PaperH();
    EXPECT_EQ(origins, (std::vector<std::pair<int, int>>{{0, 0}, {w, 0}, {0, h}, {w, h}}));
    EXPECT_EQ(std::tuple(windowZoom, box.Zoom(), box.IsPrinting()), std::tuple(150, 150, false));

    const auto zip = ReadZip(ReadFileBytes(out));
    ASSERT_TRUE(zip);
    // The system clipboard saw every page and keeps the last one.
    ASSERT_EQ(clipboard.pictures.size(), 4u);
    const auto& last = clipboard.pictures.back();
    EXPECT_EQ(*zip->Find("word/media/image4.emf"), std::string(last.begin(), last.end()));
    EXPECT_NE(*zip->Find("word/media/image1.emf"), *zip->Find("word/media/image4.emf"));
}

TEST_F(WordActionTest, AFailedPictureStopsTheExportAndLeavesTheWindowAt100) {
    clipboard.succeed = false;
    int windowZoom = 150;
    const std::string out = dir.File("failed.docx");
    EXPECT_FALSE(ExportDiagramToWord(box, tap, out, windowZoom, repaint));
    ASSERT_EQ(ports.messages.size(), 2u);
    EXPECT_EQ(ports.messages[0], "Failed to save EMF file");
    EXPECT_TRUE(ports.messages[1].starts_with("Wordへの出力に失敗しました")) << ports.messages[1];
    EXPECT_EQ(std::pair(origins.size(), fs::exists(out)), std::pair(std::size_t{1}, false));  // stopped
    // The window, the box and the display flags applied last are at 100.
    EXPECT_EQ((std::vector<int>{windowZoom, box.Zoom(), zooms.back()}), (std::vector<int>{100, 100, 100}));
}

}  // namespace
}  // namespace tabulorix::testing
